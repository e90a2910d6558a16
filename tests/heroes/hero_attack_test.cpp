// Punch, spin, burst, the gauges and their cue, carrying and throwing.
#include <gtest/gtest.h>

#include <cmath>

#include "loop/ticks.hpp"
#include "stage_rig.hpp"

namespace kt {
namespace {

using test::StageRig;

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(HeroPunch, ReachesFurthestAtTheEighthStepBothWays) {
  StageRig rig;
  Hero& k = rig.kurara();
  k.X = 400;
  rig.TakeTrace();
  rig.Step({'S'});
  EXPECT_EQ(k.State, hero::Punch);
  EXPECT_EQ(k.Step, 1);
  rig.Step({}, 6);
  EXPECT_EQ(k.Step, 7);
  EXPECT_EQ(Count(rig.TakeTrace(), "Vkougeki"), 1);
  rig.Step();
  EXPECT_EQ(k.HandAX, 400 + 120);  // the forward hand at its furthest
  EXPECT_EQ(k.State, hero::Normal);
  EXPECT_EQ(k.Step, 0);
  EXPECT_EQ(k.Row, 0);  // Kurara punches in her normal row

  k.Facing = 80;
  rig.Step({'S'});
  rig.Step({}, 7);
  EXPECT_EQ(k.HandBX, 400 - 57);
}

TEST(HeroPunch, StartsInTheAirButNotWhileRecoveringOrCarrying) {
  StageRig rig;
  Hero& k = rig.kurara();
  rig.Step({'D'});
  rig.Step();
  ASSERT_EQ(k.State, hero::InAir);
  rig.Step({'S'});
  EXPECT_EQ(k.State, hero::Punch);  // replaces the jump, and she keeps falling
  EXPECT_LT(k.Y, 480);
  rig.Step({}, 30);
  EXPECT_EQ(k.Y, 480);

  k.State = hero::Recovering;
  k.HurtTimer = 10;
  k.Hurt = 1;
  rig.Step({'S'});
  EXPECT_EQ(k.State, hero::Recovering);
}

TEST(HeroSpin, NeedsAFullHitGaugeAnd1200msSinceTheLastSpecial) {
  StageRig rig;
  Game& g = rig.g();
  Hero& k = rig.kurara();
  k.HitGauge = 4;
  rig.Step({'W'});
  EXPECT_NE(k.State, hero::Spin);
  k.HitGauge = 5;
  k.AttackTick = g.FrameTick + 32 - 1200;  // 1200 ms ago at the next step: not more than
  rig.Step({'W'});
  EXPECT_NE(k.State, hero::Spin);
  rig.Step({'W'});
  EXPECT_EQ(k.State, hero::Spin);
  EXPECT_EQ(k.HitGauge, 0);
  EXPECT_EQ(k.Row, 300);  // her look's attack row
  EXPECT_EQ(k.AttackTick, g.FrameTick);
  rig.Step({}, 7);
  EXPECT_EQ(k.State, hero::Normal);
  EXPECT_EQ(k.Row, 0);
}

TEST(HeroSpin, AFailedBurstPressDelaysTheSpin) {
  StageRig rig;
  Game& g = rig.g();
  Hero& k = rig.kurara();
  k.HitGauge = 5;
  k.HurtGauge = 2;
  rig.Step({'Q'});  // not armed: resets the wait all the same
  EXPECT_EQ(k.AttackTick, g.FrameTick);
  EXPECT_EQ(k.Particles[35].Angle, 350);
  EXPECT_EQ(k.State, hero::Normal);
  int steps = 0;
  while (k.State != hero::Spin && steps < 100) {
    rig.Step({'W'});
    ++steps;
  }
  EXPECT_EQ(steps, 38);  // 38 x 32 = 1216 > 1200
}

TEST(HeroBurst, GathersReleasesAndPutsTheCameraBackExactly) {
  StageRig rig;
  Game& g = rig.g();
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  rig.Solid(0, 300, 20, 20);
  k.Y = t.Y = 300;  // the view is free to move here
  g.CameraY = 60;
  rig.Step();
  const int32_t camera = g.CameraY;
  k.HurtGauge = 5;
  t.HandAX = 0;  // the partner's pose is reset by her burst
  rig.TakeTrace();
  rig.Step({'Q'});
  EXPECT_EQ(k.State, hero::BurstGather);
  EXPECT_EQ(k.HurtGauge, 0);
  EXPECT_EQ(t.HandAX, t.X + 62);
  int steps = 1;
  std::string sounds;
  bool burstSeen = false;
  while (k.State != hero::Normal && steps < 100) {
    rig.Step();
    burstSeen |= k.State == hero::Burst;
    ++steps;
  }
  sounds = rig.TakeTrace();
  EXPECT_TRUE(burstSeen);
  EXPECT_EQ(steps, 30 + 1 + 17);
  EXPECT_EQ(g.CameraY, camera);
  EXPECT_EQ(Count(sounds, "MTLS"), 1);
  EXPECT_EQ(Count(sounds, "TLS"), 2);  // MTLS and TLS
  EXPECT_EQ(k.AttackTick, g.FrameTick);  // the end of the burst restarts the wait
}

TEST(HeroBurst, SparksFlyOutwardRoundedHalfToEven) {
  StageRig rig;
  Hero& k = rig.kurara();
  k.HurtGauge = 5;
  rig.Step({'Q'});
  const int32_t x0 = k.X + 40, y0 = k.Y;
  rig.Step({}, 31);  // 29 more gathering steps and the release
  ASSERT_EQ(k.State, hero::Burst);
  // After one burst step each spark has moved 70 pixels along its angle.
  const Particle& right = k.Particles[0];
  const Particle& down = k.Particles[9];
  const Particle& diagonal = k.Particles[3];  // 30 degrees
  EXPECT_EQ(right.PX, x0 + 70);
  EXPECT_EQ(right.PY, y0);
  EXPECT_EQ(down.PX, x0);
  EXPECT_EQ(down.PY, y0 + 70);
  EXPECT_EQ(diagonal.PX, x0 + Round(70 * std::cos(static_cast<double>(30.0f * static_cast<float>(3.141592 / 180)))));
  EXPECT_EQ(diagonal.PY, y0 + 35);  // 34.99997...
}

TEST(HeroBurst, APunchCutsItShortAndBlocksPickingUp) {
  StageRig rig;
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  k.HurtGauge = 5;
  rig.Step({'Q'});
  rig.Step({}, 5);
  rig.Step({'S'});
  EXPECT_EQ(k.State, hero::Punch);
  EXPECT_GT(k.BurstStep, 0);
  rig.Step({}, 10);
  t.X = k.X;
  rig.Step({'A'});
  EXPECT_EQ(k.Carrying, 0);  // the cut burst's count blocks it
  k.HitGauge = 5;
  k.AttackTick -= 5000;
  rig.Step({'W'});
  EXPECT_NE(k.State, hero::Spin);  // and the spin too
}

TEST(HeroGauges, TheCueSoundsOncePerFill) {
  StageRig rig;
  Hero& k = rig.kurara();
  rig.TakeTrace();
  k.HitGauge = 5;
  rig.Step({}, 10);
  EXPECT_EQ(Count(rig.TakeTrace(), "tamari"), 1);
  k.HitGauge = 0;  // emptied by something other than the spin: the cue stays spent
  rig.Step();
  k.HitGauge = 5;
  rig.Step({}, 5);
  EXPECT_EQ(Count(rig.TakeTrace(), "tamari"), 0);
  k.AttackTick -= 5000;
  rig.Step({'W'});  // the spin empties it and clears the cue
  rig.Step({}, 10);
  rig.TakeTrace();
  k.HitGauge = 5;
  rig.Step({}, 5);
  EXPECT_EQ(Count(rig.TakeTrace(), "tamari"), 1);
}

TEST(HeroGauges, FullGaugeOptionsRefillOnEveryPoseReset) {
  StageRig rig;
  Game& g = rig.g();
  g.settings.FullHitGauge = 1;
  g.settings.FullHurtGauge = 1;
  Hero& k = rig.kurara();
  k.AttackTick -= 5000;
  rig.Step({'W'});
  EXPECT_EQ(k.State, hero::Spin);
  rig.Step({}, 8);
  EXPECT_EQ(k.HitGauge, 5);
  EXPECT_EQ(k.HurtGauge, 5);
  EXPECT_EQ(rig.tavo().HitGauge, 5);
}

TEST(HeroCarry, PickUpThrowAfter160msLevelFlightAndLanding) {
  StageRig rig;
  Game& g = rig.g();
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  k.X = 300;
  t.X = 310;
  rig.Step({'A'});
  ASSERT_EQ(k.Carrying, 1);
  EXPECT_EQ(t.Carried, 1);
  const int32_t picked = k.PickUpTick;
  int steps = 0;
  while (k.Carrying == 1 && steps < 20) {
    EXPECT_EQ(t.X, k.X + 2);
    EXPECT_EQ(t.Y, k.Y - 40);
    rig.Step({'A'});
    ++steps;
  }
  EXPECT_GT(Elapsed(g.FrameTick, picked), 160u);
  EXPECT_LE(Elapsed(g.FrameTick, picked), 192u);
  EXPECT_EQ(t.State, hero::ThrownRight);
  EXPECT_EQ(t.ThrowOriginX, k.X);
  // Level flight for 110 pixels, then a falling arc.
  const int32_t y = t.Y;
  while (t.X < t.ThrowOriginX + 110) {
    rig.Step({vk::Left, 'L'});  // his keys do nothing in flight
    EXPECT_EQ(t.Y, y);
    EXPECT_EQ(t.Carried, 1);
  }
  while (t.State == hero::ThrownRight && steps < 200) {
    rig.Step();
    ++steps;
  }
  EXPECT_EQ(t.State, hero::Normal);
  EXPECT_EQ(t.Carried, 0);
  EXPECT_EQ(t.Hurt, 1);
  EXPECT_EQ(t.HurtTimer, 79);  // 30 protected steps from 80
}

TEST(HeroCarry, AThrowNearTheViewsEdgeEndsTheLevelFlightEarly) {
  StageRig rig;
  Game& g = rig.g();
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  k.X = g.CameraX + 540;
  t.X = k.X;
  rig.Step({'A'});
  rig.Step({'A'}, 6);
  ASSERT_EQ(t.State, hero::ThrownRight);
  const int32_t origin = t.ThrowOriginX;
  rig.Step({}, 3);
  EXPECT_EQ(t.X, g.CameraX + 572);  // one level step, one cut short, one falling
  EXPECT_EQ(t.ThrowOriginX, origin - 111);  // 10 pixels short of the edge: no more level flight
}

TEST(HeroCarry, AStruckCarrierDropsThePartner) {
  StageRig rig;
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  t.X = k.X;
  rig.Step({'A'});
  ASSERT_EQ(k.Carrying, 1);
  k.State = hero::StruckFromRight;
  k.Hurt = 1;
  rig.Step();
  EXPECT_EQ(k.Carrying, 0);
  EXPECT_EQ(t.Carried, 0);
  EXPECT_EQ(t.Hurt, 1);
  EXPECT_EQ(t.HurtTimer, 80);  // dropped after his own update of this step
}

TEST(HeroCarry, CrouchingHoldsThePartnerLower) {
  StageRig rig;
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  t.X = k.X;
  rig.Step({'A'});
  rig.Step({'C'});
  EXPECT_EQ(t.Y, k.Y - 15);
  EXPECT_EQ(k.HandAY, k.Y + 20);
  EXPECT_EQ(t.Row, 480);  // carried, in his own look
}

}  // namespace
}  // namespace kt
