// The options screen: values and their limits, sounds, key repeat, the way
// back through the menu set-up, the drifting background.
#include <gtest/gtest.h>

#include "front_rig.hpp"

namespace kt {
namespace {

using test::FrontRig;

struct OptionsRig : FrontRig {
  OptionsRig() {
    g().SceneId = scene::Options;
    Step();  // takes keys at once, then every third step
  }
  // Holds `key` for three steps (one key poll); tells whether `sentaku`
  // played, then lets it end.
  bool Press(uint8_t key) {
    Started("sentaku");
    Step({key}, 3);
    const bool heard = Started("sentaku") == 1;
    Step({}, 6);
    return heard;
  }
};

TEST(Options, ValuesMoveOneStepAndStopSilentlyAtTheEnds) {
  OptionsRig rig;
  Settings& s = rig.g().settings;
  const struct {
    uint8_t key;
    bool sound;
    int32_t value;
    const int32_t* setting;
  } presses[] = {
      {vk::Up, false, 85, &rig.f().OptionsRow},     {vk::Right, true, 30, &s.EnemyAmount},
      {vk::Right, false, 30, &s.EnemyAmount},       {vk::Left, true, 20, &s.EnemyAmount},
      {vk::Left, true, 10, &s.EnemyAmount},         {vk::Left, false, 295, &s.AmountMarkX},
      {vk::Down, true, 260, &rig.f().OptionsRow},   {vk::Right, false, 0, &s.FullHitGauge},
      {vk::Left, true, 1, &s.FullHitGauge},         {vk::Left, false, 360, &s.HitGaugeMarkX},
      {vk::Down, true, 305, &rig.f().OptionsRow},   {vk::Left, true, 1, &s.FullHurtGauge},
      {vk::Right, true, 0, &s.FullHurtGauge},       {vk::Down, true, 375, &rig.f().OptionsRow},
      {vk::Right, true, 3, &s.LivesSetting},        {vk::Right, true, 4, &s.LivesSetting},
      {vk::Right, true, 5, &s.LivesSetting},        {vk::Right, false, 555, &s.LivesMarkX},
      {vk::Down, true, 440, &rig.f().OptionsRow},   {vk::Down, false, 440, &rig.f().OptionsRow},
      {vk::Up, true, 375, &rig.f().OptionsRow},     {vk::Enter, false, scene::Options, &rig.g().SceneId},
  };
  for (const auto& p : presses) {
    EXPECT_EQ(rig.Press(p.key), p.sound) << int{p.key} << " " << p.value;
    EXPECT_EQ(*p.setting, p.value) << int{p.key};
  }
  EXPECT_EQ(s.FullHitGauge, 1);
  for (int32_t lives = 4; lives >= 1; --lives) rig.Press(vk::Left);
  EXPECT_EQ(s.LivesSetting, 1);
  EXPECT_EQ(s.LivesMarkX, 315);
  EXPECT_FALSE(rig.Press(vk::Left));

  // A press of 160 ms moves one choice; held, the key repeats after 300 ms,
  // then every 90 ms (every third step here).
  rig.Step({vk::Right}, 5);
  EXPECT_EQ(s.LivesSetting, 2);
  rig.Step();
  rig.Step({vk::Right}, 14);  // at the press, after 320 ms and after 416 ms
  EXPECT_EQ(s.LivesSetting, 5);
}

TEST(Options, LeavingPassesThroughTheMenuSetUp) {
  FrontRig rig;
  Game& g = rig.g();
  rig.ToMenu();
  rig.Step({'M'});
  rig.Step({}, 8);
  rig.Step({vk::Down});
  rig.Step({}, 8);
  rig.Step({vk::Enter});
  ASSERT_EQ(g.SceneId, scene::Options);
  rig.Step({}, 3);
  EXPECT_EQ(g.CameraX + g.CameraY, 0);
  rig.Step({vk::Left}, 3);
  for (int i = 0; i < 4; ++i) {
    rig.Step();
    rig.Step({vk::Down}, 3);
  }
  rig.Started("kettei");
  rig.Step({vk::Enter}, 3);
  rig.Step();
  EXPECT_EQ(rig.Started("kettei"), 1);
  EXPECT_EQ(g.SceneId, scene::Menu);
  EXPECT_EQ(g.CameraX, 1280);
  EXPECT_EQ(g.CameraY, 100);
  EXPECT_EQ(g.stage.GekCount, 4);  // the new amount counts at once
  EXPECT_EQ(g.settings.MogetaOff, 1);
  EXPECT_EQ(rig.f().MenuRow, menu::RowOptions);
}

TEST(Options, BackgroundDriftsAndWraps) {
  OptionsRig rig;
  EndingState& e = rig.g().ending;
  e.StaffX = 638;
  e.StaffY = 477;
  rig.Step({}, 3);
  EXPECT_EQ(e.StaffX, 1);
  EXPECT_EQ(e.StaffY, 0);
  e.StaffX = -7;  // whatever the ending left, the window stays inside the pattern
  e.StaffY = -1000;
  rig.Step();
  EXPECT_TRUE(e.StaffX >= 0 && e.StaffX < 640 && e.StaffY >= 0 && e.StaffY < 480);
}

}  // namespace
}  // namespace kt
