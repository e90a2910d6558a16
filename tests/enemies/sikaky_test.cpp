// The sikaky: hopping, turning, the slow ball, knocks, hits and the combo.
#include <gtest/gtest.h>

#include "enemies/sikaky.hpp"
#include "enemy_rig.hpp"

namespace kt {
namespace {

using test::CountOf;

// One sikaky on the floor (its feet at y 580), both heroes at x 100.
struct SikakyRig : test::OneEnemyRig<&EnemyTables::sikaky, &StageState::SikakyCount, SikakyReset, SikakyPlace> {
  explicit SikakyRig(int32_t x = 1000, int32_t y = 500, int32_t players = 2) : OneEnemyRig(x, y, players) {}
  Enemy& sik() { return enemy(); }
  // A hopping sikaky is mostly above a punch's reach; one about to fire stands
  // still for up to 30 steps.
  void PunchStanding(int32_t dx) {
    sik().State = 12;
    for (int i = 0; i < 40 && !(sik().Vy == 0 && sik().Y == 500); ++i) Step();
    sik().Frame = 0;
    PunchFrom(dx);
  }
};

TEST(Sikaky, HopsTwoPixelsAStepWithinReachOfAHeroAndTurnsAtAWall) {
  SikakyRig rig(800);
  Enemy& e = rig.sik();
  rig.Step({}, 3);
  EXPECT_EQ(e.X, 800);  // exactly 700 from both heroes: frozen
  rig.tavo().X = 101;
  rig.Solid(35, 35, 25, 28);  // a wall whose right face is at x 720
  rig.TakeTrace();
  rig.Step();
  EXPECT_EQ(e.X, 798);
  EXPECT_EQ(e.Vy, -10);  // on solid ground it hops
  EXPECT_EQ(CountOf(rig.TakeTrace(), "sikakutobi"), 1);
  const int steps = rig.StepWhile(1);
  EXPECT_EQ(e.State, 2);
  EXPECT_EQ(e.X, 798 - 2 * steps);
  EXPECT_LE(e.X + 5, 719);  // turned on touching the wall
  EXPECT_GT(e.X + 5, 715);
}

TEST(Sikaky, After300HopsItFiresAtFrame30AwayFromTheNearSide) {
  for (bool rightSide : {true, false}) {
    SikakyRig rig(rightSide ? 900 : 250, 500, 1);  // the view starts at x 80
    Enemy& e = rig.sik();
    rig.g().stage.ControlledHero = 1;  // the ball still creeps toward Tavo
    rig.kurara().X = 300;
    rig.tavo().Y = 100;
    e.WalkCount = 300;
    e.Frame = 10;
    rig.TakeTrace();
    rig.Step();
    ASSERT_EQ(e.State, 12);
    const int steps = rig.StepWhile(12);
    EXPECT_EQ(steps, 30 - 11 + 1);  // until the frame counter reads 30
    EXPECT_EQ(CountOf(rig.TakeTrace(), "sikakuK"), 1);
    EXPECT_EQ(e.State, rightSide ? 1 : 2);  // and hops the way it fired
    EXPECT_EQ(e.ShotVy, 1);
    const int32_t x = e.ShotX, y = e.ShotY;
    rig.Step();
    EXPECT_EQ(e.ShotX, x + (rightSide ? -10 : 10));
    EXPECT_EQ(e.ShotY, y - 2);
  }
}

TEST(Sikaky, TheBallKnocksHeroesAwayFromItselfMissesCrouchersAndOnlyWhileOut) {
  for (int32_t heroX : {560, 590}) {  // left or right of the ball's middle
    SikakyRig rig(1000);
    Enemy& e = rig.sik();
    Hero& t = rig.tavo();
    rig.kurara().X = 700;
    e.ShotVy = 1;
    e.ShotX = 600;
    e.ShotY = 470;
    t.X = heroX;
    rig.Step();
    EXPECT_EQ(t.Hurt, 1);
    EXPECT_EQ(t.X < heroX, heroX + 40 < 620) << heroX;
  }
  SikakyRig rig(1000);
  Enemy& e = rig.sik();
  Hero& t = rig.tavo();
  rig.kurara().X = 700;
  e.ShotX = 600;
  e.ShotY = 470;
  t.X = 560;
  rig.Step();
  EXPECT_EQ(t.Hurt, 0);  // not out: a sikaky that has not fired carries no ball
  e.ShotVy = 1;
  e.ShotX = 600;
  e.ShotY = 490;
  rig.Step({vk::Down});
  EXPECT_EQ(t.Hurt, 0);  // crouching: struck only above the ball's Y - 20
  e.ShotX = 600;
  e.ShotY = 501;
  rig.Step({vk::Down});
  EXPECT_EQ(t.Hurt, 1);
  SikakyPlace(rig.g());  // a new game: the last one's ball is not out
  EXPECT_EQ(e.ShotVy, 0);
}

TEST(Sikaky, ThreePunchesAndItFallsOutWhenTheThirdKnockLands) {
  SikakyRig rig(600);
  Enemy& e = rig.sik();
  rig.TakeTrace();
  int punches = 0;
  while (e.State != 7 && punches < 8) {
    rig.PunchStanding(100);
    ++punches;
    rig.Step({}, 40);
  }
  EXPECT_EQ(punches, 3);
  EXPECT_EQ(rig.kurara().HitGauge, 3);
  const std::string trace = rig.TakeTrace();
  EXPECT_EQ(CountOf(trace, "K_yarare"), 3);
  EXPECT_EQ(CountOf(trace, "rakka"), 1);
  rig.Step({}, 60);
  EXPECT_EQ(e.Gone, 1);
  EXPECT_EQ(e.Y, rig.g().CameraY + 580);
}

TEST(Sikaky, KnockedEitherWayItHopsOnTheOtherWayAndAHugeComboShows99) {
  for (int32_t dx : {100, -100}) {
    SikakyRig rig(600);
    Game& g = rig.g();
    Enemy& e = rig.sik();
    e.HitCount = 104;
    rig.PunchStanding(dx);
    ASSERT_EQ(e.State, dx > 0 ? 5 : 6);
    EXPECT_EQ(g.hud.ComboCount, 105);
    const int32_t x = e.X;
    const int steps = rig.StepWhile(e.State);
    EXPECT_EQ(e.X, x + (dx > 0 ? 2 : -2) * steps);
    EXPECT_EQ(e.State, dx > 0 ? 1 : 2);
    EXPECT_EQ(e.HitCount, 0);
    EXPECT_EQ(g.hud.ComboShow, 1);
    EXPECT_EQ(g.hud.ComboTens * 10 + g.hud.ComboOnes, 99);
  }
}

TEST(Sikaky, AThrownHeroTakesTwoButNotWhileTheSparkShows) {
  SikakyRig rig(500);
  Enemy& e = rig.sik();
  Hero& t = rig.tavo();
  rig.kurara().X = 300;
  for (int i = 0; i < 2; ++i) {
    t.State = hero::ThrownRight;
    t.Carried = 1;
    t.X = t.ThrowOriginX = e.X - 20;
    rig.Step();
    EXPECT_EQ(e.Health, 1);
    EXPECT_EQ(e.Sparking, 1);
  }
  for (int i = 0; i < 20 && e.SparkStep != 16; ++i) rig.Step();
  EXPECT_EQ(e.SparkOffX, 448);  // the sikaky's strip ends two pixels short
}

TEST(Sikaky, ASpinSweepsItToTheEdgeOfTheViewAndItsLandingShowsTheCombo) {
  SikakyRig rig(600);
  Game& g = rig.g();
  Enemy& e = rig.sik();
  Hero& k = rig.kurara();
  k.X = 500;
  k.HitGauge = 5;
  rig.Step({'W'});
  for (int i = 0; i < 10 && e.State != 8; ++i) rig.Step();
  ASSERT_EQ(e.State, 8);
  EXPECT_EQ(e.Health, 0);
  rig.StepWhile(8);
  EXPECT_GE(e.X + 80, g.CameraX + 640);
  const int32_t hits = e.HitCount;
  EXPECT_EQ(g.hud.ComboCount, hits);
  rig.StepWhile(9);
  EXPECT_EQ(e.State, 7);
  EXPECT_EQ(g.hud.ComboShow, 1);
  EXPECT_EQ(g.hud.ComboOnes, hits);
}

TEST(Sikaky, AtTheLeftEndOfTheWorldItTurnsRightWhateverItWasDoing) {
  SikakyRig rig(0);
  Enemy& e = rig.sik();
  rig.kurara().X = 300;
  e.State = 6;
  e.Vy = -5;
  rig.Step();
  EXPECT_EQ(e.State, 2);
}

}  // namespace
}  // namespace kt
