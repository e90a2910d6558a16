// The gek and the hit tests and combo the enemy kinds share.
#include <gtest/gtest.h>

#include "enemies/gek.hpp"
#include "stage_rig.hpp"

namespace kt {
namespace {

using test::StageRig;

// A stage with one gek at (x, y), both heroes far to the left.
struct GekRig : StageRig {
  explicit GekRig(int32_t x = 1000, int32_t y = 480, int players = 2) : StageRig(players) {
    Game& g = this->g();
    g.stage.GekCount = 1;
    GekReset(g);
    GekPlace(g);
    gek().X = x;
    gek().Y = y;
    kurara().X = 100;
    tavo().X = 100;
  }
  Enemy& gek() { return g().enemies.gek[1]; }
};

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(Gek, FrozenUnlessStrictlyWithin700PixelsOfAHero) {
  GekRig rig(800);
  rig.Step({}, 5);
  EXPECT_EQ(rig.gek().State, 1);  // exactly 700 away: frozen
  EXPECT_EQ(rig.gek().ShotX, 0);
  rig.kurara().X = 101;
  rig.TakeTrace();
  rig.Step();
  EXPECT_EQ(rig.gek().State, 2);  // the first near step is a throw
  EXPECT_EQ(rig.gek().ShotX, 800);
  EXPECT_EQ(Count(rig.TakeTrace(), "Gkougeki"), 1);
}

TEST(Gek, ThrowWalkThirtyPixelsAndThrowAgain) {
  GekRig rig(1000);
  rig.kurara().X = 400;
  rig.Step();
  ASSERT_EQ(rig.gek().State, 2);
  int steps = 0;
  while (rig.gek().State == 2 && steps < 200) {
    rig.Step();
    ++steps;
  }
  EXPECT_EQ(rig.gek().State, 3);
  const int32_t home = rig.gek().HomeX;
  while (rig.gek().State == 3 && steps < 400) {
    rig.Step();
    ++steps;
  }
  EXPECT_EQ(rig.gek().X, home - 30);
  EXPECT_EQ(rig.gek().State, 1);
  rig.Step();
  EXPECT_EQ(rig.gek().State, 2);  // and throws again
}

TEST(Gek, AWallMakesItJump) {
  GekRig rig(1000);
  rig.kurara().X = 400;
  rig.Solid(49, 49, 27, 28);  // a block just left of it at its feet
  Enemy& e = rig.gek();
  e.State = 3;
  e.HomeX = e.X + 30;  // its walk is done
  rig.Step();
  EXPECT_EQ(e.State, 4);
  rig.Step();
  EXPECT_EQ(e.State, 10);
  EXPECT_EQ(e.Vy, -16);  // gravity comes in the next step
}

TEST(Gek, FivePunchesAndItFallsOut) {
  GekRig rig(500);
  Hero& k = rig.kurara();
  k.X = 400;
  Enemy& e = rig.gek();
  e.Stationary = 1;
  int hits = 0;
  rig.TakeTrace();
  for (int round = 0; round < 12 && e.State != 9 && e.Gone == 0; ++round) {
    k.X = e.X - 100;
    k.Facing = 0;
    rig.Step({'S'});
    rig.Step({}, 7);
    hits = 5 - e.Health;
    rig.Step({}, 40);  // the knock, the spark and the landing
  }
  EXPECT_EQ(hits, 5);
  const std::string trace = rig.TakeTrace();
  EXPECT_EQ(Count(trace, "G_yarare"), 5);
  EXPECT_EQ(Count(trace, "rakka"), 1);
  rig.Step({}, 60);
  EXPECT_EQ(e.Gone, 1);
  EXPECT_EQ(k.HitGauge, 5);
}

TEST(Gek, KnockedRightLandsAtTheFirstSolidCellLeftNeedsAllThree) {
  for (bool right : {true, false}) {
    GekRig rig(1000, 300);
    rig.kurara().X = 400;
    rig.Solid(0, 300, 20, 20);  // a shelf under it, top at y 400
    Enemy& e = rig.gek();
    e.Stationary = 1;
    e.State = right ? 5 : 6;
    rig.Step();
    int steps = 0;
    while ((e.State == 7 || e.State == 8) && steps < 100) {
      rig.Step();
      ++steps;
    }
    EXPECT_EQ(e.State == 3 || e.State == 1 || e.State == 2, true) << right;
    EXPECT_EQ(e.Y, 300);
  }
}

TEST(Gek, OnlyACellOfOneHoldsItUp) {
  for (const int32_t value : {1, 2, -1}) {
    GekRig rig(1000, 300);
    rig.kurara().X = 400;
    for (int c = 49; c <= 54; ++c) rig.g().StageMap.At(c, 20) = value;  // a shelf under its feet, top at y 400
    Enemy& e = rig.gek();
    e.Stationary = 1;
    e.State = 15;
    e.WaitTick = rig.g().FrameTick;
    rig.Step({}, 40);
    EXPECT_EQ(e.Y, value == 1 ? 300 : 480) << value;  // any other value is open: down to the floor
  }
}

TEST(Gek, ThrownHeroTakesTwoAndSparksShieldIt) {
  GekRig rig(500);
  Hero& t = rig.tavo();
  Enemy& e = rig.gek();
  e.Stationary = 1;
  rig.kurara().X = 400;
  rig.Step();
  t.State = hero::ThrownRight;
  t.Carried = 1;
  t.X = 480;
  t.Y = 470;
  t.ThrowOriginX = 470;
  rig.TakeTrace();
  rig.Step();
  EXPECT_EQ(e.Health, 3);
  EXPECT_EQ(e.Sparking, 1);
  EXPECT_EQ(Count(rig.TakeTrace(), "K_yarare"), 1);
  t.X = e.X;
  t.State = hero::ThrownRight;
  rig.Step();
  EXPECT_EQ(e.Health, 3);  // the spark shields it from a second throw
}

TEST(Gek, ContactAndBallKnockHeroesOnceAndCrouchingDucksUnder) {
  GekRig rig(500);
  Hero& k = rig.kurara();
  Enemy& e = rig.gek();
  rig.Step();
  k.X = 470;
  k.Y = 480;
  rig.Step();
  EXPECT_EQ(k.Hurt, 1);
  EXPECT_EQ(k.State, hero::Recovering);  // knocked, then recovering in her update
  EXPECT_EQ(k.Health, 4);                // one hit, not two (the ball skips a hurt hero)

  // Ball direction: away from the gek, wherever the ball is.
  GekRig r2(500);
  Hero& t = r2.tavo();
  Enemy& e2 = r2.gek();
  r2.Step();
  e2.ShotX = 300;
  e2.ShotY = 480;
  e2.ShotVy = 0;
  t.X = 285;
  t.Y = 480;
  r2.Step();
  EXPECT_LT(t.X, 285);  // struck from the right: pushed left
  (void)e;

  // Crouching: the ball passes above a hero whose Y is not below its Y.
  GekRig r3(500);
  Hero& c = r3.tavo();
  r3.Step();
  r3.gek().ShotX = 300;
  r3.gek().ShotY = 470;
  r3.gek().ShotVy = -1;
  c.X = 285;
  c.Y = 480;
  c.Crouching = 1;
  r3.Step({vk::Down});
  EXPECT_EQ(c.Hurt, 0);
}

TEST(Gek, BurstPutsEveryGekInViewIntoItsLastKnock) {
  GekRig rig(500);
  Hero& k = rig.kurara();
  Game& g = rig.g();
  rig.Step();
  k.State = hero::Burst;
  k.BurstStep = 3;
  g.CameraX = 100;
  rig.Step();
  EXPECT_EQ(rig.gek().Health, 0);
  EXPECT_EQ(rig.gek().Sparking, 1);
  rig.Step({}, 80);
  EXPECT_EQ(rig.gek().Gone, 1);
}

TEST(Gek, OnePlayerModeTestsOnlyTheSteeredHero) {
  GekRig rig(500, 480, 1);
  Game& g = rig.g();
  g.stage.ControlledHero = 1;
  rig.Step();
  rig.tavo().X = 470;  // touching, but not steered
  rig.kurara().X = 100;
  rig.Step();
  EXPECT_EQ(rig.tavo().Hurt, 0);
}

TEST(Combo, TheHighestCountShowsWhenItsEnemyLands) {
  StageRig rig;
  Game& g = rig.g();
  Enemy a, b;
  a.HitCount = 3;
  b.HitCount = 5;
  RaiseCombo(g, a);
  RaiseCombo(g, b);
  RaiseCombo(g, a);  // never lowers it
  EXPECT_EQ(g.hud.ComboCount, 5);
  ComboOnLanding(g, a, true);
  EXPECT_EQ(g.hud.ComboShow, 0);  // a smaller count shows nothing
  ComboOnLanding(g, b, true);
  EXPECT_EQ(g.hud.ComboShow, 1);
  EXPECT_EQ(g.hud.ComboOnes, 5);
  EXPECT_EQ(g.hud.ComboX, g.CameraX - 100);
  EXPECT_EQ(g.hud.ComboCount, 0);

  Enemy c;
  c.HitCount = 123;
  RaiseCombo(g, c);
  ComboOnLanding(g, c, true);
  EXPECT_EQ(g.hud.ComboTens * 10 + g.hud.ComboOnes, 99);
  RaiseCombo(g, c);
  ComboOnLanding(g, c, false);
  EXPECT_EQ(g.hud.ComboTens, 12);
}

TEST(Combo, TheDisplaySlidesInCreepsAndEnds) {
  StageRig rig;
  Game& g = rig.g();
  g.hud.ComboShow = 1;
  g.hud.ComboX = g.CameraX - 100;
  g.hud.ComboOnes = 4;
  int steps = 0;
  while (g.hud.ComboShow == 1 && steps < 100) {
    rig.Step();
    ++steps;
  }
  EXPECT_EQ(steps, 7 + 6 + 1);  // 7 sliding in, 6 creeping, then it ends
}

}  // namespace
}  // namespace kt
