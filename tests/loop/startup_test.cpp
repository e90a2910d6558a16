#include <gtest/gtest.h>

#include "loop/game.hpp"
#include "loop/startup.hpp"
#include "platform/platform.hpp"

namespace kt {
namespace {

TEST(Startup, LoadsEverythingAndGivesTheStartValues) {
  auto g = NewGame();
  g->settings.EnemyAmount = 30;  // as if chosen in an earlier game
  g->settings.LivesSetting = 5;
  auto platform = MakeHeadlessPlatform({});
  Startup(*g, *platform, {KT_DATA_DIR, 7});
  EXPECT_EQ(g->SceneId, scene::TitleSetup);
  EXPECT_EQ(g->settings.EnemyAmount, 20);
  EXPECT_EQ(g->settings.LivesSetting, 2);
  EXPECT_EQ(g->settings.FullHitGauge, 0);
  EXPECT_EQ(g->settings.FullHurtGauge, 0);
  EXPECT_EQ(g->settings.AmountMarkX, 375);
  EXPECT_EQ(g->settings.HitGaugeMarkX, 445);
  EXPECT_TRUE(g->settings.GraphicsReady);
  EXPECT_FLOAT_EQ(g->settings.DegToRad, static_cast<float>(3.141592 / 180));
  EXPECT_EQ(g->display.World().w, 5800);
  for (uint16_t p : g->display.World().px) ASSERT_EQ(p, 0);
  for (size_t i = 0; i < kBitmapFiles.size(); ++i) {
    EXPECT_GE(g->display.sheets[i].w, kBitmapFiles[i].width);
    EXPECT_GE(g->display.sheets[i].h, kBitmapFiles[i].height);
  }
  ASSERT_NE(g->audio.mixer, nullptr);
  for (int i = 0; i < kSoundCount; ++i) EXPECT_GT(g->audio.mixer->Length(i), 0u) << kSoundFiles[static_cast<size_t>(i)];
  EXPECT_TRUE(g->StageMap.Solid(0, 29));
}

TEST(Startup, TheSameSeedGivesTheSameNumbers) {
  auto a = NewGame(), b = NewGame();
  auto pa = MakeHeadlessPlatform({}), pb = MakeHeadlessPlatform({});
  Startup(*a, *pa, {KT_DATA_DIR, 42});
  Startup(*b, *pb, {KT_DATA_DIR, 42});
  for (int i = 0; i < 100; ++i) {
    const double x = Rnd(*a);
    ASSERT_EQ(x, Rnd(*b));
    ASSERT_GE(x, 0.0);
    ASSERT_LT(x, 1.0);
  }
}

// Broken and unusual data files: see the hostile start-up matrix.

}  // namespace
}  // namespace kt
