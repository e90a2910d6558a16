// The patatta: patrol between the heroes, swoops and climbs, its wings, one-hit
// knocks, and the rules that set its hit tests apart from the walkers'.
#include <gtest/gtest.h>

#include "enemies/kurosuke.hpp"
#include "enemies/patatta.hpp"
#include "stage_rig.hpp"

namespace kt {
namespace {

using test::StageRig;

// One patatta flying left at (x, y) and cruising there; Kurara at X 1000, Tavo at 1400.
struct PatattaRig : StageRig {
  PatattaRig(int32_t x, int32_t y) {
    g().stage.PatattaCount = 1;
    PatattaReset(g());
    PatattaPlace(g());
    patatta().X = x;
    patatta().Y = patatta().CruiseY() = y;
    kurara().X = 1000;
    tavo().X = 1400;
  }
  Enemy& patatta() { return g().enemies.patatta[1]; }
  // A kurosuke at the same place, to compare the two kinds.
  Enemy& AddKurosuke() {
    g().stage.KurosukeCount = 1;
    KurosukeReset(g());
    KurosukePlace(g());
    Enemy& k = g().enemies.kurosuke[1];
    k.X = patatta().X;
    k.Y = patatta().Y;
    return k;
  }
};

TEST(Patatta, PatrolsFromJustLeftOfTheLeftHeroToJustRightOfTheOther) {
  PatattaRig rig(900, 440);  // too low to swoop, too high to touch
  Enemy& e = rig.patatta();
  rig.StepUntil([&] { return e.State == 2; });
  EXPECT_EQ(e.X, 849);
  rig.StepUntil([&] { return e.State == 1; }, {}, 1000);
  EXPECT_EQ(e.X, 1441);
}

TEST(Patatta, SwoopsLeftOnTheRightHeroStopsBesideHimAndClimbsBack) {
  PatattaRig rig(1500, 200);
  Enemy& e = rig.patatta();
  rig.tavo().Crouching = 1;  // he ducks under it
  rig.Step({vk::Down});
  EXPECT_EQ(e.State, 3);
  rig.StepUntil([&] { return e.State != 3; }, {vk::Down});
  EXPECT_EQ(e.X, 1439);  // it stopped moving sideways 40 pixels right of him
  EXPECT_GT(e.Y, 480);   // but went on down to below his Y
  const int32_t y = e.Y;
  const int steps = rig.StepUntil([&] { return e.State != 5; }, {vk::Down});
  EXPECT_EQ(e.State, 1);
  EXPECT_LT(e.Y, 200);
  EXPECT_NEAR(y - e.Y, 4 * steps, 2);  // give or take a wing bob
  EXPECT_EQ(rig.tavo().Hurt, 0);
}

TEST(Patatta, SwoopsFromHigherAboveKuraraThanAboveTavo) {
  for (bool tavoRight : {true, false}) {
    PatattaRig rig(1500, 395);
    if (!tavoRight) std::swap(rig.kurara().X, rig.tavo().X);
    rig.Step({}, 5);
    EXPECT_EQ(rig.patatta().State, tavoRight ? 3 : 1) << tavoRight;
  }
}

TEST(Patatta, SwoopsRightOnTheLeftHeroOnlyWhenWellAboveTavo) {
  for (int32_t tavoY : {480, 250}) {
    PatattaRig rig(700, 200);
    rig.patatta().State = 2;
    rig.tavo().Y = tavoY;  // Kurara is the left hero, yet Tavo's height decides
    rig.Step();
    EXPECT_EQ(rig.patatta().State, tavoY == 480 ? 4 : 2) << tavoY;
  }
}

TEST(Patatta, FarFromTheHeroesItFlapsAndIsStruckButItsMovesWait) {
  PatattaRig rig(3000, 200);
  Enemy& e = rig.patatta();
  rig.TakeTrace();
  rig.Step({}, 20);
  EXPECT_EQ(e.X, 3000);
  EXPECT_EQ(e.Frame, 6);  // up 1..8, then down again
  EXPECT_GE(StageRig::Heard(rig.TakeTrace(), "P_tobi"), 1);
  rig.g().CameraX = 2600;
  rig.kurara().State = hero::Burst;
  rig.kurara().BurstStep = 3;
  rig.Step({}, 4);
  EXPECT_EQ(e.State, 6);
  EXPECT_EQ(e.Health, 0);
  rig.tavo().X = 2400;
  rig.Step();
  EXPECT_EQ(e.State, 8);
  rig.StepUntil([&] { return e.Gone == 1; });
  EXPECT_EQ(e.Y, rig.g().CameraY + 580);
}

TEST(Patatta, WingsFreezeWhileItSparksYetFrameSevenKeepsSounding) {
  PatattaRig rig(1200, 300);
  Enemy& e = rig.patatta();
  rig.Step({}, 7);
  ASSERT_EQ(e.Frame, 7);
  e.Sparking = 1;
  const int32_t y = e.Y;
  rig.TakeTrace();
  rig.Step({}, 10);
  EXPECT_EQ(e.Frame, 7);
  EXPECT_EQ(e.Y, y);
  EXPECT_GE(StageRig::Heard(rig.TakeTrace(), "P_tobi"), 2);  // started again when it ended
}

TEST(Patatta, OnePunchFinishesItEitherWay) {
  for (bool fromLeft : {true, false}) {
    PatattaRig rig(1100, 480);  // down at the heroes' hands
    Enemy& e = rig.patatta();
    Hero& h = fromLeft ? rig.kurara() : rig.tavo();
    h.X = fromLeft ? 1000 : 1200;
    h.Facing = fromLeft ? 0 : 80;
    rig.TakeTrace();
    rig.Step({fromLeft ? uint8_t{'S'} : uint8_t{'L'}});
    rig.StepUntil([&] { return e.State != 1; }, {}, 10);
    EXPECT_EQ(e.BodyRow, fromLeft ? 200 : 250);
    rig.Step();
    // Knocked right it is done at once; knocked left it first drops to the ground.
    EXPECT_EQ(e.State, fromLeft ? 10 : 9);
    if (!fromLeft) {
      rig.StepUntil([&] { return e.State != 9; });
      EXPECT_GE(e.Y + 80, 580);
    }
    rig.StepUntil([&] { return e.Gone == 1; });
    const std::string trace = rig.TakeTrace();
    EXPECT_EQ(StageRig::Heard(trace, "P_yarare"), 1);
    EXPECT_EQ(StageRig::Heard(trace, "rakka"), 1);
    EXPECT_EQ(rig.g().hud.ComboCount, 0);  // no part in the combo
  }
}

TEST(Patatta, ASpinSlidesItOffTheViewAndItDropsWithoutALandingSound) {
  PatattaRig rig(1100, 480);
  Enemy& e = rig.patatta();
  rig.g().CameraX = 800;  // the view spans x 800 to 1439
  rig.kurara().HitGauge = 5;
  rig.TakeTrace();
  rig.Step({'W'});
  rig.StepUntil([&] { return e.State != 1; }, {}, 10);
  EXPECT_EQ(e.State, 11);
  EXPECT_EQ(e.BodyRow, 200);
  const int32_t frame = e.Frame;
  rig.StepUntil([&] { return e.State != 11; });
  EXPECT_GE(e.X + 80, 1440);
  EXPECT_EQ(e.Frame, frame);  // the wings froze
  rig.StepUntil([&] { return e.Gone == 1; });
  EXPECT_EQ(StageRig::Heard(rig.TakeTrace(), "rakka"), 0);
}

TEST(Patatta, ACarriedHerosPunchPassesThroughItButNotThroughAKurosuke) {
  for (bool carried : {true, false}) {
    PatattaRig rig(1100, 500);
    Enemy& k = rig.AddKurosuke();
    Hero& t = rig.tavo();
    t.X = 1000;
    t.Facing = 0;
    t.State = hero::Punch;
    t.Step = 5;
    t.Carried = carried ? 1 : 0;
    rig.kurara().X = 400;
    rig.Step();
    EXPECT_EQ(k.Health, 2) << carried;
    EXPECT_EQ(rig.patatta().Health, carried ? 1 : 0) << carried;
  }
}

TEST(Patatta, AThrownHeroStrikesItEvenWhileItSparksButNotASparkingKurosuke) {
  PatattaRig rig(1100, 500);
  Enemy& k = rig.AddKurosuke();
  Enemy& e = rig.patatta();
  e.Sparking = k.Sparking = 1;
  Hero& t = rig.tavo();
  t.State = hero::ThrownRight;
  t.Carried = 1;
  t.X = t.ThrowOriginX = 1080;  // its middle is right of the patatta's knock line
  t.Y = 480;
  rig.Step();
  EXPECT_EQ(e.Health, -1);
  EXPECT_EQ(e.State, 9);
  EXPECT_EQ(k.Health, 3);
}

TEST(Patatta, DrawnOnlyFrom500PixelsLeftOfTavoTo700RightOfHim) {
  PatattaRig rig(1000, 200);  // Kurara stands right under it
  Game& g = rig.g();
  Surface& sheet = g.display.sheets[static_cast<size_t>(Bmp::char256)];
  sheet = Surface(1400, 700);
  std::fill(sheet.px.begin(), sheet.px.end(), uint16_t{7});
  for (int32_t tavoX : {1500, 1499, 301, 300}) {
    rig.tavo().X = tavoX;
    std::fill(g.display.World().px.begin(), g.display.World().px.end(), uint16_t{0});
    PatattaDraw(g);
    EXPECT_EQ(g.display.World().At(1000, 200) != 0, tavoX == 1499 || tavoX == 301) << tavoX;
  }
}

}  // namespace
}  // namespace kt
