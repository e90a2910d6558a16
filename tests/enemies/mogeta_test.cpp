// The mogeta: pacing with gradual speed changes, turning, knocks, hits and the combo.
#include <gtest/gtest.h>

#include <algorithm>

#include "enemies/mogeta.hpp"
#include "enemy_rig.hpp"

namespace kt {
namespace {

using test::CountOf;

// One mogeta on the floor (its feet at y 580), the view at x 1100, the kind
// switched on.
struct MogetaRig : test::OneEnemyRig<&EnemyTables::mogeta, &StageState::MogetaCount, MogetaReset, MogetaPlace> {
  explicit MogetaRig(int32_t x = 1500, int32_t y = 525) : OneEnemyRig(x, y) {
    g().settings.MogetaOff = 0;
    g().CameraX = 1100;
    HeroesAt(1300);
  }
  Enemy& mog() { return enemy(); }
  void HeroesAt(int32_t x) { kurara().X = tavo().X = x; }
};

TEST(Mogeta, FrozenFrom1200PixelsAndDrawnOnlyWithin700) {
  MogetaRig rig(1300);
  Game& g = rig.g();
  Surface& teki = g.display.sheets[static_cast<size_t>(Bmp::teki)];
  teki = Surface(1420, 620);
  std::fill(teki.px.begin(), teki.px.end(), uint16_t{7});
  g.CameraX = 0;
  rig.HeroesAt(100);
  rig.Step({}, 3);
  EXPECT_EQ(rig.mog().X, 1300);  // exactly 1200 away
  rig.HeroesAt(101);
  rig.Step({}, 3);
  EXPECT_LT(rig.mog().X, 1300);
  EXPECT_EQ(g.display.World().At(rig.mog().BodyX, rig.mog().BodyY), 0);
  rig.HeroesAt(rig.mog().X - 650);
  rig.Step();
  EXPECT_EQ(g.display.World().At(rig.mog().BodyX, rig.mog().BodyY), 7);
}

TEST(Mogeta, SpeedsUpOnePixelPerWalkCycleToFifteenAndAsksForFootsteps) {
  MogetaRig rig(2400);
  Enemy& e = rig.mog();
  rig.HeroesAt(1800);
  e.Frame = 1;
  rig.TakeTrace();
  for (int cycle = 1; cycle <= 17; ++cycle) {
    for (int i = 0; i < 6; ++i) {
      const int32_t x = e.X;
      rig.Step();
      ASSERT_EQ(e.X, x + e.Vx);
    }
    EXPECT_EQ(e.Vx, -std::min(cycle, 15));
  }
  EXPECT_GE(CountOf(rig.TakeTrace(), "K_aruki"), 2);  // asked every step, restarted once ended
}

TEST(Mogeta, TurnsNearTheLeftOfTheViewAndOvershootsBeforeWalkingBack) {
  MogetaRig rig(1600);
  Enemy& e = rig.mog();
  rig.HeroesAt(2000);
  e.Frame = 1;
  e.Vx = -15;
  rig.StepWhile(1);
  ASSERT_EQ(e.State, 2);
  EXPECT_LT(e.X, 1100 + 150);
  const int32_t turnX = e.X;
  int32_t leftmost = e.X;
  rig.TakeTrace();
  for (int i = 0; i < 40 && e.Vx < 0; ++i) {
    rig.Step();
    leftmost = std::min(leftmost, e.X);
  }
  EXPECT_EQ(CountOf(rig.TakeTrace(), "K_aruki"), 0);  // silent walking right
  EXPECT_LT(leftmost, turnX - 200);  // -15 becomes -12, -9, -6, -3, 0, a cycle each
  EXPECT_EQ(e.Column, 180);
  rig.StepWhile(2);
  EXPECT_EQ(e.State, 1);
  EXPECT_GT(e.X, 1100 + 400);
}

TEST(Mogeta, TurnsRightAtAWall) {
  MogetaRig rig;
  Enemy& e = rig.mog();
  rig.Solid(70, 70, 25, 28);  // a wall at x 1400..1419
  e.Vx = -5;
  rig.StepWhile(1);
  EXPECT_EQ(e.State, 2);
  EXPECT_LE(e.X + 5, 1419);
  EXPECT_GT(e.X + 5, 1410);
}

TEST(Mogeta, PunchedItFliesAwayLandsAboveTheGroundAndWalksOnTheOtherWay) {
  for (int32_t dx : {100, -100}) {
    MogetaRig rig;
    Game& g = rig.g();
    Enemy& e = rig.mog();
    rig.HeroesAt(1400);
    rig.PunchFrom(dx);
    ASSERT_EQ(e.State, dx > 0 ? 5 : 6) << dx;
    EXPECT_EQ(e.Column, dx > 0 ? 140 : 180);
    EXPECT_EQ(e.Health, 2);
    EXPECT_EQ(g.hud.ComboCount, 1);
    const int32_t x = e.X;
    const int steps = rig.StepWhile(e.State);
    EXPECT_EQ(e.X, x + (dx > 0 ? 2 : -2) * steps);
    EXPECT_EQ(e.State, dx > 0 ? 1 : 2);
    EXPECT_EQ(g.hud.ComboShow, 1);
    EXPECT_EQ(e.Y, 525 - 15);  // the knock lands 25 pixels below its feet...
    rig.Step({}, 3);
    EXPECT_EQ(e.Y, 525);  // ...and it drops the rest
  }
}

TEST(Mogeta, HitFromTheLeftItStopsDeadFromTheRightItKeepsItsSpeed) {
  for (bool fromLeft : {true, false}) {
    MogetaRig rig;
    Enemy& e = rig.mog();
    Hero& t = rig.tavo();
    e.Vx = -7;
    e.Frame = 3;
    t.State = fromLeft ? hero::ThrownRight : hero::ThrownLeft;
    t.Carried = 1;
    t.X = t.ThrowOriginX = fromLeft ? e.X - 40 : e.X + 10;
    t.Y = 500;  // a thrown hero reaches a mogeta only from below the floor line
    rig.Step();
    EXPECT_EQ(e.State, fromLeft ? 5 : 6);
    EXPECT_EQ(e.Health, 1);
    EXPECT_EQ(e.Vx, fromLeft ? 0 : -7);
  }
}

TEST(Mogeta, AKnockOnAOneCellFloorSlidesOnUntilDeeperGround) {
  MogetaRig rig(1500, 345);
  Enemy& e = rig.mog();
  rig.Solid(70, 80, 20, 20);  // a shelf one cell thick at y 400, x 1400..1619
  e.State = 5;
  rig.Step({}, 20);
  EXPECT_EQ(e.State, 5);
  EXPECT_EQ(e.X, 1540);
  EXPECT_EQ(e.Y, 345);
  rig.StepWhile(5);
  EXPECT_EQ(e.State, 1);
  EXPECT_GT(e.X + 20, 1620);  // only once off the shelf's end
}

TEST(Mogeta, SpunToTheEdgeOfTheViewThenBackAndOutWithACappedCombo) {
  MogetaRig rig;
  Game& g = rig.g();
  Enemy& e = rig.mog();
  Hero& k = rig.kurara();
  rig.HeroesAt(1600);  // on its right, facing it
  k.Facing = 80;
  k.HitGauge = 5;
  e.State = 2;
  e.HitCount = 110;
  rig.Step({'W'});
  for (int i = 0; i < 10 && e.State != 10; ++i) rig.Step();
  ASSERT_EQ(e.State, 10);
  rig.StepWhile(10);
  ASSERT_EQ(e.State, 11);
  EXPECT_LE(e.X, g.CameraX);
  EXPECT_GT(g.hud.ComboCount, 110);
  rig.StepWhile(11);
  EXPECT_EQ(e.State, 7);
  EXPECT_EQ(g.hud.ComboShow, 1);
  EXPECT_EQ(g.hud.ComboTens * 10 + g.hud.ComboOnes, 99);  // no third digit to show
  rig.Step({}, 40);
  EXPECT_EQ(e.Gone, 1);
}

TEST(Mogeta, PushedPastTheLeftEndItIsPutBackAndTurned) {
  MogetaRig rig(3);
  Enemy& e = rig.mog();
  rig.g().CameraX = 0;
  rig.HeroesAt(600);
  e.State = 6;
  e.Vy = -5;
  rig.Step({}, 3);
  EXPECT_EQ(e.X, 1);
  EXPECT_EQ(e.State, 2);
  EXPECT_GE(e.BodyX, 1);
}

}  // namespace
}  // namespace kt
