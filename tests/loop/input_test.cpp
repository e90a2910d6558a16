// Keys as a player presses them: short taps between two steps, ordinary
// presses, held keys, for loops whose passes do and do not line up with the
// steps.
#include <gtest/gtest.h>

#include "loop/input.hpp"
#include "rig.hpp"

namespace kt {
namespace {

using test::Rig;

// A script: `before` ms of nothing, `key` for `ms`, then a long quiet.
std::vector<ScriptLine> Press(uint32_t before, uint8_t key, uint32_t ms) {
  return {{before, {}}, {ms, {key}}, {2000, {}}};
}

TEST(Input, EveryMenuPressShorterThanTheRepeatDelayActsExactlyOnce) {
  // The options screen steps every 32 ms; presses from a 12 ms tap to a
  // 250 ms press, at every phase against the steps and for loops of 1 to
  // 25 ms a pass, each move the row cursor by one row.
  for (const uint32_t period : {1u, 5u, 16u, 25u}) {
    for (const uint32_t ms : {12u, 50u, 80u, 120u, 150u, 250u}) {
      for (const uint32_t phase : {0u, 7u, 13u, 20u, 27u}) {
        Rig rig(1000, period, Press(400 + phase, vk::Down, ms));
        Game& g = rig.g();
        g.SceneId = scene::Options;
        ASSERT_TRUE(rig.RunFor(500 + phase + ms));
        EXPECT_EQ(g.front.OptionsRow, menu::RowHitGauge) << period << " ms a pass, " << ms << " ms press at +" << phase;
      }
    }
  }
}

TEST(Input, AHeldMenuKeyRepeatsAfterTheDelayAtTheMenusPace) {
  // Options: 90 ms between repeats; the main menu and the pause menu: 240 ms.
  Rig options(1000, 16, Press(400, vk::Right, 700));
  options.g().SceneId = scene::Options;
  options.g().front.OptionsRow = menu::RowLives;
  options.g().settings.LivesMarkX = 315;  // one life
  ASSERT_TRUE(options.RunFor(1500));
  // At the press, then after 300, about 400, 500 and 600 ms: capped at five.
  EXPECT_EQ(options.g().settings.LivesSetting, 5);

  Rig pause(1000, 16, Press(400, vk::Down, 600));
  pause.g().SceneId = scene::Pause;
  ASSERT_TRUE(pause.RunFor(700));
  EXPECT_EQ(pause.g().PauseCursor, 1);  // the press; 300 ms not yet held
  ASSERT_TRUE(pause.RunFor(400));
  EXPECT_EQ(pause.g().PauseCursor, 2);  // the first repeat
}

TEST(Input, AShortTapSkipsTheTitle) {
  for (const uint32_t period : {5u, 16u, 25u}) {
    Rig rig(1000, period, Press(700, vk::Enter, 12));
    Game& g = rig.g();
    StartClock(g, rig.platform->Ticks());
    g.SceneId = scene::TitleSetup;
    ASSERT_TRUE(rig.RunFor(1000));
    EXPECT_EQ(g.SceneId, scene::Menu) << period;
  }
}

TEST(Input, ATapBetweenTwoPassesReachesTheNextStep) {
  // The headless loop passes every 16 ms; a 5 ms tap of L (Tavo's punch)
  // falls between two passes and still starts a punch.
  Rig rig(1000, 16, Press(2003, 'L', 5));
  Game& g = rig.g();
  for (int c = 0; c < kMapSize; ++c)
    for (int r = 29; r < 32; ++r) g.StageMap.At(c, r) = 1;
  g.SceneId = scene::StageStart;
  ASSERT_TRUE(rig.RunFor(2000));
  ASSERT_EQ(g.SceneId, scene::Gameplay);
  ASSERT_EQ(g.Tavo.State, hero::Normal);
  ASSERT_TRUE(rig.RunFor(48));
  EXPECT_EQ(g.Tavo.State, hero::Punch);
}

TEST(Input, AQuickSpaceTapSwitchesHeroesWhateverItsPhaseAgainstThePoll) {
  // The switch is checked every 150 ms or so; a 60 ms tap anywhere between
  // two checks switches once.
  for (uint32_t phase = 0; phase < 200; phase += 10) {
    Rig rig(1000, 16, Press(2000 + phase, vk::Space, 60));
    Game& g = rig.g();
    g.settings.OnePlayerMode = 1;
    for (int c = 0; c < kMapSize; ++c)
      for (int r = 29; r < 32; ++r) g.StageMap.At(c, r) = 1;
    g.SceneId = scene::StageStart;
    ASSERT_TRUE(rig.RunFor(2000));
    ASSERT_EQ(g.SceneId, scene::Gameplay);
    const int32_t before = g.stage.ControlledHero;
    ASSERT_TRUE(rig.RunFor(600));
    EXPECT_NE(g.stage.ControlledHero, before) << "tap at +" << phase;
  }
}

TEST(Input, PressedAfterComparesAcrossTheClocksWrap) {
  Rig rig;
  Game& g = rig.g();
  g.FrameTick = 20;
  g.input.PressTick[vk::Space] = -10;  // 30 ms ago, across the wrap
  EXPECT_TRUE(PressedAfter(g, vk::Space, -40));
  EXPECT_FALSE(PressedAfter(g, vk::Space, -10));  // seen by the check at that very pass
  EXPECT_FALSE(PressedAfter(g, vk::Space, 0));    // before the last check
}

}  // namespace
}  // namespace kt
