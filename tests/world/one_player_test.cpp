// One player steers one hero at a time with the second hero's keys; Space
// switches; the other hero follows.
#include <gtest/gtest.h>

#include "stage_rig.hpp"

namespace kt {
namespace {

using test::StageRig;

TEST(OnePlayer, TheSteeredHeroUsesTheSecondHerosKeys) {
  StageRig rig(1);
  Game& g = rig.g();
  g.stage.ControlledHero = 1;  // Kurara
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  k.X = 300;
  t.X = 300;
  rig.Step({vk::Right});
  EXPECT_EQ(k.X, 305);
  EXPECT_EQ(t.X, 300);
  rig.Step({'V'});  // her own key is overwritten by Right's level
  EXPECT_EQ(k.X, 305);

  g.stage.ControlledHero = 0;  // Tavo: her keys are cleared every step
  rig.Step({vk::Right, 'V'});
  EXPECT_EQ(t.X, 305);
  EXPECT_EQ(k.X, 305);  // and cleared while Tavo is steered
}

TEST(OnePlayer, ThePartnerFollowsWhenMoreThan100PixelsAway) {
  StageRig rig(1);
  Game& g = rig.g();
  g.stage.ControlledHero = 1;
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  k.X = 400;
  t.X = 300;
  rig.Step();
  EXPECT_EQ(t.X, 300);  // exactly 100: stays
  k.X = 401;
  rig.Step();
  EXPECT_EQ(t.X, 305);
  EXPECT_EQ(t.WalkRight, 1);
  k.X = 100;
  rig.Step();
  EXPECT_EQ(t.X, 300);
  EXPECT_EQ(t.WalkLeft, 1);
  // Roles exchanged: Kurara follows Tavo.
  g.stage.ControlledHero = 0;
  k.X = 100;
  t.X = 300;
  rig.Step();
  EXPECT_EQ(k.X, 105);
}

TEST(OnePlayer, SpaceSwitchesAtMostEvery150msAndNotDuringDeathCarryOrBurst) {
  StageRig rig(1);
  Game& g = rig.g();
  StageState& s = g.stage;
  s.ControlledHero = 1;
  rig.Step({vk::Space});
  EXPECT_EQ(s.ControlledHero, 0);
  EXPECT_EQ(s.HeroSwitchMark, 14);  // set to 13, advanced by the panel draw
  rig.Step({vk::Space}, 4);         // 128 ms later: too soon
  EXPECT_EQ(s.ControlledHero, 0);
  rig.Step({vk::Space});            // 160 ms
  EXPECT_EQ(s.ControlledHero, 1);

  rig.Step({}, 10);
  rig.tavo().BurstStep = 2;
  rig.Step({vk::Space}, 10);
  EXPECT_EQ(s.ControlledHero, 1);
  rig.tavo().BurstStep = 0;
  rig.kurara().Carrying = 1;
  rig.Step({vk::Space}, 10);
  EXPECT_EQ(s.ControlledHero, 1);
}

TEST(OnePlayer, ForcedSwitchesAwayFromADeadOrSpentHero) {
  StageRig rig(1);
  Game& g = rig.g();
  g.stage.ControlledHero = 1;
  rig.kurara().State = hero::Dead;
  rig.kurara().Y = 900;
  rig.Step();
  EXPECT_EQ(g.stage.ControlledHero, 0);
  rig.kurara().State = hero::Normal;
  rig.kurara().Lives = 0;
  g.stage.ControlledHero = 1;
  rig.Step();
  EXPECT_EQ(g.stage.ControlledHero, 0);  // no lives left overrides
  rig.tavo().Lives = 0;
  rig.Step();
  EXPECT_EQ(g.stage.ControlledHero, 0);  // Kurara's rule comes last
}

TEST(OnePlayer, TheMarkerBlinksOnlyInOnePlayerMode) {
  StageRig one(1), two(2);
  one.Step({}, 16);
  two.Step({}, 16);
  EXPECT_EQ(two.g().stage.HeroSwitchMark, 0);
  EXPECT_NE(one.g().stage.HeroSwitchMark, 0);
}

}  // namespace
}  // namespace kt
