// The kurosuke: pacing, knocks and landings, three hits, the spin, and its
// part in the combo.
#include <gtest/gtest.h>

#include "enemies/kurosuke.hpp"
#include "frontend/menu.hpp"
#include "stage_rig.hpp"

namespace kt {
namespace {

using test::StageRig;

// Kurosukes standing on the floor from X 1000 on, 300 apart; both heroes at 700.
struct KurosukeRig : StageRig {
  explicit KurosukeRig(int32_t count = 1) {
    g().stage.KurosukeCount = count;
    KurosukeReset(g());
    KurosukePlace(g());
    for (int32_t i = 1; i <= count; ++i) {
      kurosuke(i).X = 700 + 300 * i;
      kurosuke(i).Y = 500;
    }
    kurara().X = tavo().X = 700;
  }
  Enemy& kurosuke(int32_t slot = 1) { return g().enemies.kurosuke[static_cast<size_t>(slot)]; }
  bool Flying(int32_t slot = 1) { return kurosuke(slot).State >= 3 && kurosuke(slot).State <= 6; }
  // Kurara punches from 100 pixels left of it, facing it, until the punch is over.
  void Punch() {
    kurara().X = kurosuke().X - 100;
    kurara().Facing = 0;
    Step({'S'});
    Step({}, 7);
  }
};

TEST(Kurosuke, PacesBetweenWallsOnlyWhileNearAndTurnsRightAtTheWorldsLeftEnd) {
  KurosukeRig rig;
  Enemy& e = rig.kurosuke();
  rig.kurara().X = rig.tavo().X = 300;  // exactly 700 away: it waits
  rig.Step({}, 3);
  EXPECT_EQ(e.X, 1000);
  rig.kurara().X = rig.tavo().X = 700;
  rig.Solid(49, 49, 27, 28);  // a wall ending at x 999
  rig.Solid(55, 55, 27, 28);  // a wall from x 1100
  rig.StepUntil([&] { return e.State == 2; });
  EXPECT_EQ(e.X, 994);  // the cell at X + 5
  rig.StepUntil([&] { return e.State == 1; });
  EXPECT_EQ(e.X, 1020);  // the cell at X + 80
  EXPECT_EQ(e.Y, 500);

  e.X = 1;  // knocked left at the left end, it turns to walk right in mid-air
  e.State = 4;
  rig.kurara().X = 100;
  rig.Step();
  EXPECT_EQ(e.State, 2);
  EXPECT_EQ(e.Vy, -10);
}

TEST(Kurosuke, KnockedFromEitherSideItFliesAndWalksOnTheWayItCame) {
  for (bool fromLeft : {true, false}) {
    KurosukeRig rig;
    Game& g = rig.g();
    Enemy& e = rig.kurosuke();
    Hero& h = fromLeft ? rig.kurara() : rig.tavo();
    h.X = fromLeft ? 900 : 1100;
    h.Facing = fromLeft ? 0 : 80;
    rig.TakeTrace();
    rig.Step({fromLeft ? uint8_t{'S'} : uint8_t{'L'}});
    rig.StepUntil([&] { return e.State != 1; }, {}, 10);
    EXPECT_EQ(e.State, fromLeft ? 5 : 6);
    EXPECT_EQ(e.Vy, fromLeft ? -15 : -10);  // a hit from the left sends it higher
    EXPECT_EQ(e.Health, 2);
    EXPECT_EQ(g.hud.ComboCount, 1);
    EXPECT_EQ(h.HitGauge, 1);
    EXPECT_EQ(StageRig::Heard(rig.TakeTrace(), "K_yarare"), 1);
    rig.StepUntil([&] { return !rig.Flying(); });
    EXPECT_EQ(e.State, fromLeft ? 1 : 2);
    EXPECT_EQ(e.Y, 500);
    EXPECT_EQ(e.HitCount, 0);
    EXPECT_EQ(g.hud.ComboShow, 1);  // its landing shows the combo of one
    EXPECT_EQ(g.hud.ComboOnes, 1);
  }
}

TEST(Kurosuke, KnockedUpThroughABlockItLandsOnTop) {
  KurosukeRig rig;
  Enemy& e = rig.kurosuke();
  rig.Solid(45, 60, 25, 26);  // just above its feet, top at y 500
  e.State = 3;
  rig.Step();
  const int steps = rig.StepUntil([&] { return !rig.Flying(); });
  EXPECT_EQ(e.Y, 420);  // rising it neither stood nor landed
  EXPECT_GT(steps, 20);
}

TEST(Kurosuke, APunchAndAThrowFinishItAndTheSparkShieldsIt) {
  KurosukeRig rig;
  Enemy& e = rig.kurosuke();
  Hero& t = rig.tavo();
  e.Sparking = 1;
  rig.Punch();
  EXPECT_EQ(e.Health, 3);
  rig.StepUntil([&] { return e.Sparking == 0; });
  rig.Punch();
  EXPECT_EQ(e.Health, 2);
  rig.StepUntil([&] { return !rig.Flying(); });
  for (int throws = 0; throws < 2; ++throws) {  // the second one meets the spark
    t.State = hero::ThrownRight;
    t.Carried = 1;
    t.X = t.ThrowOriginX = e.X - 30;
    t.Y = e.Y;
    rig.Step();
    EXPECT_EQ(e.Health, 0);
  }
  t.X = 100;
  rig.TakeTrace();
  rig.StepUntil([&] { return !rig.Flying(); });
  EXPECT_EQ(e.State, 7);
  EXPECT_EQ(StageRig::Heard(rig.TakeTrace(), "rakka"), 1);
  rig.StepUntil([&] { return e.Gone == 1; });
  EXPECT_EQ(e.Y, rig.g().CameraY + 580);
}

TEST(Kurosuke, NoHitPointsLeftEndsAWalkOnlyBelowZero) {
  KurosukeRig rig;
  Enemy& e = rig.kurosuke();
  e.Health = 0;
  rig.Step({}, 5);
  EXPECT_EQ(e.State, 1);
  e.Health = -1;
  rig.Step();
  EXPECT_EQ(e.State, 7);
}

TEST(Kurosuke, ASpinSlidesItToTheViewsEdgeAndItsLandingShowsTheCombo) {
  for (bool fromLeft : {true, false}) {
    KurosukeRig rig;
    Game& g = rig.g();
    Enemy& e = rig.kurosuke();
    Hero& k = rig.kurara();
    g.CameraX = 600;  // the view spans x 600 to 1239
    e.HitCount = 99;
    k.X = fromLeft ? 900 : 1100;
    k.Facing = fromLeft ? 0 : 80;
    k.HitGauge = 5;
    rig.Step({'W'});
    rig.StepUntil([&] { return e.State != 1; }, {}, 10);
    EXPECT_EQ(e.State, fromLeft ? 8 : 10);
    EXPECT_EQ(e.HitCount, 100);
    rig.StepUntil([&] { return e.State != 8 && e.State != 10; });
    EXPECT_EQ(e.State, fromLeft ? 9 : 11);
    EXPECT_EQ(fromLeft ? e.X + 80 >= 1240 : e.X <= 600, true);
    rig.StepUntil([&] { return e.State == 7; });
    // Back from the right edge the digits stop at 99; from the left they do not
    // (sliding past the spinning hero it may have been struck again).
    EXPECT_EQ(g.hud.ComboShow, 1);
    EXPECT_EQ(g.hud.ComboTens >= 10, !fromLeft);
  }
}

TEST(Kurosuke, TheComboBelongsToTheOneWithTheMostHits) {
  KurosukeRig rig(2);
  Game& g = rig.g();
  Enemy& a = rig.kurosuke(1);
  Enemy& b = rig.kurosuke(2);
  rig.kurara().X = rig.tavo().X = 1160;  // near both all along, touching neither
  a.HitCount = 2;
  a.State = 3;  // the long flight
  b.State = 4;  // the short one
  rig.StepUntil([&] { return !rig.Flying(2); });
  EXPECT_EQ(g.hud.ComboShow, 0);  // b lands first with one hit: nothing
  EXPECT_EQ(g.hud.ComboCount, 3);
  rig.StepUntil([&] { return !rig.Flying(1); });
  EXPECT_EQ(g.hud.ComboShow, 1);
  EXPECT_EQ(g.hud.ComboOnes, 3);
  EXPECT_EQ(g.hud.ComboCount, 0);

  // A knock to the right shows 100 and more in full, one to the left stops at 99.
  for (int32_t slot : {1, 2}) {
    Enemy& e = rig.kurosuke(slot);
    g.hud.ComboShow = 0;
    e.HitCount = 119;
    e.State = slot == 1 ? 3 : 4;
    rig.StepUntil([&] { return !rig.Flying(slot); });
    EXPECT_EQ(g.hud.ComboShow, 1);
    EXPECT_EQ(g.hud.ComboTens * 10 + g.hud.ComboOnes, slot == 1 ? 120 : 99);
  }
}

TEST(Kurosuke, PlacementGivesSlotSixAFirstPlaceAndKeepsItWithTheLargestAmount) {
  std::unique_ptr<Game> game = NewGame();
  Game& g = *game;
  const EnemyTable& t = g.enemies.kurosuke;
  g.settings.EnemyAmount = 30;
  SetEnemyCounts(g);
  KurosukeReset(g);
  KurosukePlace(g);
  EXPECT_EQ(t[6].X, 1750);
  EXPECT_EQ(t[6].Y, 360);
  EXPECT_EQ(t[12].Y, 480);
  EXPECT_EQ(t[12].FootAY, 480 + 70);
  g.enemies.kurosuke[6].X = 2000;
  KurosukePlace(g);
  EXPECT_EQ(t[6].X, 2000);
  g.settings.EnemyAmount = 20;
  SetEnemyCounts(g);
  KurosukePlace(g);
  EXPECT_EQ(t[6].X, 1780);

  g.stage.KurosukeCount = 60;  // past the table: it stops at the last slot
  KurosukeReset(g);
  KurosukePlace(g);
  KurosukeStep(g);
  EXPECT_EQ(t[50].Health, 3);
}

}  // namespace
}  // namespace kt
