// Walking, dashing, jumping, landing, looking down, being hurt, dying and
// respawning, played through the gameplay step.
#include <gtest/gtest.h>

#include <algorithm>

#include "stage_rig.hpp"

namespace kt {
namespace {

using test::StageRig;

// Standing crouch held for `crouchSteps` steps, then released: how high does
// Kurara rise, and where does she come down?
int JumpHeight(int crouchSteps, bool moving = false) {
  StageRig rig;
  Hero& k = rig.kurara();
  const int32_t startY = k.Y;
  for (int i = 0; i < crouchSteps; ++i) rig.Step(moving ? std::initializer_list<uint8_t>{'D', 'V'} : std::initializer_list<uint8_t>{'D'});
  int32_t top = k.Y;
  for (int i = 0; i < 60; ++i) {
    rig.Step(moving ? std::initializer_list<uint8_t>{'V'} : std::initializer_list<uint8_t>{});
    top = std::min(top, k.Y);
  }
  EXPECT_EQ(k.Y, startY);
  EXPECT_EQ(k.State, hero::Normal);
  return startY - top;
}

TEST(HeroJump, FourLaunchHeightsByCrouchLength) {
  // The step of the release counts as a crouch step too.
  EXPECT_EQ(JumpHeight(1), 55);
  EXPECT_EQ(JumpHeight(2), 91);
  EXPECT_EQ(JumpHeight(3), 91);
  EXPECT_EQ(JumpHeight(4), 136);
  EXPECT_EQ(JumpHeight(5), 136);
  EXPECT_EQ(JumpHeight(6), 190);
  EXPECT_EQ(JumpHeight(7), 190);
  EXPECT_EQ(JumpHeight(8), 190);  // the eighth held step launches by itself
  EXPECT_EQ(JumpHeight(20), 190);
}

TEST(HeroJump, MovingCrouchLaunchesOnlyInItsWindow) {
  // Walking while crouching: Step 1 waits, 2..5 launch on release, held it goes at 5.
  StageRig rig;
  Hero& k = rig.kurara();
  rig.Step({'D', 'V'});
  EXPECT_EQ(k.State, hero::JumpCrouch);
  rig.Step({'V'});  // released at Step 2: a small jump
  EXPECT_EQ(k.State, hero::InAir);
  EXPECT_EQ(k.Vy, -9);  // launched at -10, one step of gravity already
  for (int i = 0; i < 40; ++i) rig.Step({'V'});

  rig.Step({'D', 'V'}, 4);
  EXPECT_EQ(k.State, hero::JumpCrouch);
  rig.Step({'D', 'V'});  // Step 5 held: the highest jump
  EXPECT_EQ(k.State, hero::InAir);
  EXPECT_EQ(k.Vy, -18);

  // The up key held in mid-air shows the up row but starts nothing.
  rig.Step({'D', 'V'});
  EXPECT_EQ(k.State, hero::InAir);
  EXPECT_EQ(k.Row, 60);
}

TEST(HeroJump, MovingCrouchPastItsWindowKeepsCrouching) {
  StageRig rig;
  Hero& k = rig.kurara();
  k.WalkRight = 1;
  k.State = hero::JumpCrouch;
  k.Step = 5;
  rig.Step({'V'});  // Step min(5, 5) + 1 = 6: too long, no launch
  EXPECT_EQ(k.State, hero::JumpCrouch);
  EXPECT_EQ(k.Step, 6);
  rig.Step({'V'});
  EXPECT_EQ(k.Step, 6);
}

TEST(HeroJump, RisesThroughALedgeAndLandsOnIt) {
  StageRig rig;
  Hero& k = rig.kurara();
  rig.Solid(k.X / 20 - 2, k.X / 20 + 6, 24, 24);  // a ledge with its top at y 480
  for (int i = 0; i < 6; ++i) rig.Step({'D'});
  int32_t top = k.Y;
  for (int i = 0; i < 40; ++i) {
    rig.Step();
    top = std::min(top, k.Y);
  }
  EXPECT_LT(top + 100, 480);  // the feet went above the ledge: she passed through it
  EXPECT_EQ(k.Y, 380);        // and stands on it
  EXPECT_EQ((k.Y + 100) % 20, 0);
  EXPECT_EQ(k.Vy, 0);
}

TEST(HeroJump, LandingSnapsTheFeetToTheTopOfTheRow) {
  StageRig rig;
  Hero& k = rig.kurara();
  rig.Solid(0, 300, 20, 20);  // top at y 400
  k.Y = 250;  // falling from an odd height
  k.Vy = 0;
  for (int i = 0; i < 30; ++i) rig.Step();
  EXPECT_EQ(k.Y, 300);
  EXPECT_EQ(k.State, hero::Normal);
}

TEST(HeroWalk, ScreenEdgesAndTheCameraFollowRules) {
  StageRig rig;
  Game& g = rig.g();
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  // Walking right scrolls the view once past CameraX + 280 while Tavo is in view.
  for (int i = 0; i < 80; ++i) {
    t.X = k.X - 100;
    rig.Step({'V'});
  }
  EXPECT_EQ(k.X - g.CameraX, 280);  // she stays on the scroll line

  // Left behind, Tavo holds the view: she walks on to its right edge and stops there.
  const int32_t still = g.CameraX;
  t.X = still;
  rig.Step({'V'}, 2);
  t.X = still - 2;  // now left of the view
  rig.Step({'V'}, 80);
  EXPECT_EQ(g.CameraX, still + 5);  // the first step scrolled; then Tavo was out of view
  EXPECT_EQ(k.X + 80, g.CameraX + 640);

  // Walking left: the view scrolls back only while Tavo's right edge is inside it.
  t.X = g.CameraX + 561;
  const int32_t view = g.CameraX;
  rig.Step({'X'}, 200);
  EXPECT_EQ(g.CameraX, view);
  EXPECT_LE(k.X, g.CameraX + 1);  // she stops at the left edge
  EXPECT_GT(k.X, g.CameraX - 5);
  t.X = g.CameraX + 300;
  rig.Step({'X'});
  EXPECT_EQ(g.CameraX, view - 5);  // standing at the edge, the view still scrolls once a step
}

TEST(HeroWalk, WalkingLeftNearTheEdgeScrollsTwiceAsFast) {
  StageRig rig;
  Game& g = rig.g();
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  g.CameraX = 2000;
  k.X = 2100;  // within 160 of the left edge
  t.X = 2300;
  rig.Step({'X'});
  EXPECT_EQ(k.X, 2095);
  EXPECT_EQ(g.CameraX, 1990);
}

TEST(HeroWalk, AQuickRepressDashesUntilTheFourthStep) {
  StageRig rig;
  Hero& k = rig.kurara();
  rig.Step({'V'}, 3);
  int32_t x = k.X;
  rig.Step({}, 3);  // released for three steps
  rig.Step({'V'});
  EXPECT_EQ(k.X - x, 7);  // dash speed
  x = k.X;
  rig.Step({'V'}, 5);
  EXPECT_EQ(k.X - x, 35);
  // Released for four steps: the next press walks.
  rig.Step({}, 4);
  x = k.X;
  rig.Step({'V'});
  EXPECT_EQ(k.X - x, 5);
}

TEST(HeroWalk, DashWorksAcrossTheTwoWalkKeys) {
  StageRig rig;
  Hero& k = rig.kurara();
  k.X = 300;
  rig.Step({'V'}, 2);
  rig.Step({});
  const int32_t x = k.X;
  rig.Step({'X'});
  EXPECT_EQ(x - k.X, 7);
}

TEST(HeroLook, DownLooksDownAndCrouches) {
  StageRig rig;
  Game& g = rig.g();
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  rig.Solid(0, 300, 20, 20);  // a ledge, top at y 400
  k.Y = t.Y = 300;
  g.CameraY = 0;  // the view has stayed up high
  rig.Step();
  ASSERT_EQ(k.Y, 300);
  ASSERT_EQ(g.CameraY, 0);  // nothing moves it by itself
  rig.Step({'C'});
  EXPECT_EQ(g.CameraY, 5);
  EXPECT_EQ(k.Crouching, 1);
  EXPECT_EQ(k.Row, 120);
  EXPECT_EQ(k.HandAY, k.Y + 64);
  rig.Step({'C'}, 30);
  EXPECT_EQ(g.CameraY, 120);  // the stage's limit
  rig.Step();
  EXPECT_EQ(k.Crouching, 0);
}

TEST(HeroHurt, KnockBackAndTheFiftyStepHurtPeriod) {
  StageRig rig;
  Hero& k = rig.kurara();
  k.X = 400;
  // An enemy strikes from the right.
  k.State = hero::StruckFromRight;
  k.Hurt = 1;
  rig.Step();
  EXPECT_EQ(k.X, 380);
  EXPECT_EQ(k.Health, 4);
  EXPECT_EQ(k.HurtGauge, 1);
  EXPECT_EQ(k.State, hero::Recovering);
  EXPECT_NE(rig.TakeTrace().find("Vatari"), std::string::npos);
  int steps = 1;
  while (k.Hurt == 1 && steps < 100) {
    // The hurt pose is forced early in the period; later the up key shows through.
    const bool up = k.HurtTimer < 28;
    if (up) {
      EXPECT_EQ(k.Row == 180, k.HurtTimer >= 1 && k.HurtTimer < 20) << "HurtTimer " << k.HurtTimer;
    }
    if (up) {
      rig.Step({'D'});
    } else {
      rig.Step();
    }
    ++steps;
  }
  EXPECT_EQ(steps, 50);
  EXPECT_EQ(k.HurtTimer, 0);
  EXPECT_EQ(k.State, hero::Normal);

  // Struck from the left: pushed right and facing 78.
  k.State = hero::StruckFromLeft;
  k.Hurt = 1;
  rig.Step();
  EXPECT_EQ(k.X, 400);
  EXPECT_EQ(k.Facing, 78);
}

TEST(HeroHurt, DeathFallRespawnAboveThePartnerWithThirtyProtectedSteps) {
  StageRig rig;
  Game& g = rig.g();
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  k.Health = 1;
  k.State = hero::StruckFromRight;
  k.Hurt = 1;
  rig.Step();
  EXPECT_EQ(k.State, hero::Dead);
  EXPECT_EQ(k.Lives, 1);
  int steps = 0;
  while (k.Y < g.CameraY + 500 && steps < 100) {
    rig.Step();
    ++steps;
  }
  EXPECT_LT(steps, 20);  // drops off the screen
  t.X = 700;
  rig.Step();
  EXPECT_EQ(k.X, 700);  // waits below the partner
  while (k.State == hero::Dead && steps < 300) {
    rig.Step();
    ++steps;
  }
  EXPECT_EQ(k.State, hero::Normal);
  EXPECT_EQ(k.Health, 5);
  EXPECT_EQ(k.X, 700);
  EXPECT_EQ(k.Hurt, 1);
  int protectedSteps = 0;
  while (k.Hurt == 1 && protectedSteps < 100) {
    rig.Step({'V'});
    EXPECT_EQ(k.Row, 0);  // no hurt pose forced while protected: she walks normally
    ++protectedSteps;
  }
  EXPECT_EQ(protectedSteps + 1, 30);  // the respawn step counts down too
}

TEST(HeroHurt, GameOverOnlyWhenThePartnerIsAlreadyDead) {
  StageRig rig;
  Game& g = rig.g();
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  k.Lives = 1;
  k.Health = 1;
  k.State = hero::StruckFromRight;
  rig.Step();
  EXPECT_EQ(k.State, hero::Dead);
  EXPECT_EQ(g.SceneId, scene::Gameplay);  // Tavo still plays
  rig.Step({}, 200);
  EXPECT_EQ(k.State, hero::Dead);  // no life left: dead for good

  t.Lives = 1;
  t.Health = 1;
  t.State = hero::StruckFromLeft;
  rig.TakeTrace();
  rig.Step();
  EXPECT_EQ(g.SceneId, scene::GameOver);
  EXPECT_EQ(g.stage.GameOverTick, g.FrameTick);
  const std::string trace = rig.TakeTrace();
  EXPECT_NE(trace.find("\"stopped\":[\"OP\"]"), std::string::npos) << trace;
  EXPECT_NE(trace.find("G_over"), std::string::npos) << trace;
}

TEST(HeroDraw, TheCostumeMovesTheBody) {
  // With the costume flipped the body is drawn 2 pixels further right, from the other set.
  for (int toggle : {0, 1}) {
    StageRig rig;
    Game& g = rig.g();
    g.CostumeToggle = toggle;
    g.display.sheets[static_cast<size_t>(Bmp::char256)] = Surface(1530, 640);
    Surface& sheet = g.display.sheets[static_cast<size_t>(Bmp::char256)];
    sheet.At(1240, 0) = 0x1111;  // first look, standing, facing right: top-left pixel
    sheet.At(920, 0) = 0x2222;   // second look
    Hero& k = rig.kurara();
    KuraraPoseReset(g);
    std::fill(g.display.World().px.begin(), g.display.World().px.end(), uint16_t{0});
    KuraraDraw(g);
    const int32_t x = toggle ? k.BodyX : k.BodyX - 2;
    EXPECT_EQ(g.display.World().At(x, k.BodyY + 5), toggle ? 0x2222 : 0x1111);
  }
}

}  // namespace
}  // namespace kt
