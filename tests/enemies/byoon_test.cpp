// The byoon: resting, random leaps, facing the steered hero, knocks and the wing pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "enemies/byoon.hpp"
#include "enemy_rig.hpp"

namespace kt {
namespace {

// One byoon standing on the floor (its feet at y 580), both heroes 500 pixels
// to its left, the kind switched on.
struct ByoonRig : test::OneEnemyRig<&EnemyTables::byoon, &StageState::ByoonCount, ByoonReset, ByoonPlace> {
  explicit ByoonRig(int32_t x = 1500, int32_t y = 525, int32_t players = 2) : OneEnemyRig(x, y, players) {
    g().settings.ByoonOff = 0;
    g().CameraX = 900;
    kurara().X = tavo().X = x - 500;
  }
  Enemy& byo() { return enemy(); }
};

// The two draws of one leap, from a copy of the game's random source: the
// height roll, then the sideways roll.
struct Rolls {
  int32_t height, sideways;
};
Rolls NextRolls(const Game& g) {
  Random copy = g.rng;
  const int32_t height = Round(copy.Next() * 100);
  return {height, Round(copy.Next() * 100)};
}

TEST(Byoon, RestsSeventyOneStepsOnTheGroundThenLeaps) {
  ByoonRig rig;
  Enemy& e = rig.byo();
  EXPECT_EQ(rig.StepWhile(1), 71);
  EXPECT_GE(e.State, 12);
  EXPECT_LE(e.State, 14);
  EXPECT_EQ(e.GroundCount, 0);
}

TEST(Byoon, TheRollsPickTheHeightAndWhetherTheLeapGoesSideways) {
  bool seen[3] = {false, false, false};
  for (uint64_t seed = 1; seed < 40; ++seed) {
    ByoonRig rig;
    Game& g = rig.g();
    Enemy& e = rig.byo();
    g.rng.Seed(seed);
    e.GroundCount = 70;
    const Rolls r = NextRolls(g);
    rig.Step();
    const int32_t want = r.height < 30 ? 12 : r.height >= 60 ? 14 : 13;
    ASSERT_EQ(e.State, want) << seed;
    EXPECT_EQ(e.LeapRoll, r.height);
    seen[want - 12] = true;
    rig.Step();
    ASSERT_EQ(e.State, 2);
    EXPECT_EQ(e.LeapRoll, r.sideways);  // drawn again at take-off
    EXPECT_EQ(e.Vy, want == 12 ? -30 : want == 13 ? -20 : -15);
    EXPECT_EQ(e.LeapLeft, 1);  // toward the heroes on its left
  }
  EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
}

TEST(Byoon, TheSameSeedGivesTheSameByoon) {
  const auto run = [](uint64_t seed) {
    ByoonRig rig;
    rig.g().rng.Seed(seed);
    std::vector<std::tuple<int32_t, int32_t, int32_t>> path;
    for (int i = 0; i < 400; ++i) {
      rig.Step();
      path.emplace_back(rig.byo().X, rig.byo().Y, rig.byo().State);
    }
    return path;
  };
  EXPECT_EQ(run(7), run(7));
  EXPECT_NE(run(7), run(8));
}

TEST(Byoon, LeapsRiseByTheirSpeedAndGoSidewaysOnlyAboveARollOfThirty) {
  struct Case {
    int32_t state, rise, roll, dx;
  };
  for (const Case& c : {Case{12, 465, 31, -4}, Case{13, 210, 30, 0}, Case{14, 120, 99, -4}}) {
    ByoonRig rig;
    Enemy& e = rig.byo();
    rig.Step();
    e.State = c.state;
    rig.Step();
    ASSERT_EQ(e.State, 2);
    e.LeapRoll = c.roll;
    int32_t top = e.Y;
    int steps = 0;
    while (e.State == 2 && steps < 200) {
      const int32_t x = e.X;
      rig.Step();
      if (e.State == 2) {
        EXPECT_EQ(e.X, x + c.dx) << c.state;
      }
      top = std::min(top, e.Y);
      ++steps;
    }
    EXPECT_EQ(top, 525 - c.rise) << c.state;
    EXPECT_EQ(e.State, 1);
    EXPECT_EQ(e.Y, 525);
  }
}

TEST(Byoon, FacesAndLeapsTowardTheSteeredHeroInBothModes) {
  ByoonRig rig;
  Game& g = rig.g();
  Enemy& e = rig.byo();
  rig.tavo().X = 1000;
  rig.kurara().X = 2000;
  g.stage.ControlledHero = 0;  // two players: Tavo unless it is 1
  rig.Step();
  EXPECT_EQ(e.Column, 0);
  e.State = 14;
  rig.Step();
  EXPECT_EQ(e.LeapLeft, 1);
  g.stage.ControlledHero = 1;
  rig.Step();
  EXPECT_EQ(e.Column, 70);
  e.State = 14;
  rig.Step();
  EXPECT_EQ(e.LeapLeft, 0);
}

TEST(Byoon, OnALedgeEdgeItSlidesUntilThreeCellsAreSolidOrFalls) {
  struct Case {
    int32_t leapLeft, roll;
  };
  for (const Case& c : {Case{1, 50}, Case{0, 50}, Case{1, 10}}) {
    ByoonRig rig(1500, 345);
    Enemy& e = rig.byo();
    rig.Solid(70, 75, 20, 20);  // a shelf at y 400, x 1400..1519: only the left cell is under it
    e.State = 2;
    e.LeapLeft = c.leapLeft;
    e.LeapRoll = c.roll;
    rig.Step({}, 15);
    if (c.roll <= 30) {
      EXPECT_EQ(e.State, 2);  // a straight leap stays put
      EXPECT_EQ(e.X, 1500);
      EXPECT_EQ(e.Y, 345);
    } else if (c.leapLeft == 1) {
      EXPECT_EQ(e.State, 1);  // slid back onto the shelf
      EXPECT_LE(e.X + 60, 1519);
      EXPECT_EQ(e.Y, 345);
    } else {
      EXPECT_GT(e.Y, 345);  // slid off and fell
    }
  }
}

TEST(Byoon, KnockedLeftItLandsIntoItsLastLeap) {
  ByoonRig rig;
  Enemy& e = rig.byo();
  rig.kurara().X = 2200;
  rig.tavo().X = 2200;
  e.LeapRoll = 60;
  e.LeapLeft = 1;
  rig.PunchFrom(-100);
  ASSERT_EQ(e.State, 6);
  EXPECT_EQ(e.Column, 70);
  EXPECT_EQ(e.Row, 90);
  rig.StepWhile(6);
  ASSERT_EQ(e.State, 2);  // its knock lands 25 pixels above the ground
  const int32_t x = e.X;
  rig.Step();
  EXPECT_EQ(e.State, 1);  // down on three solid cells...
  EXPECT_EQ(e.X, x - 4);  // ...with one more step of its last leap
}

// The pieces the draw takes the first wing from: painted into the sheet, read
// back from the world where the wing goes.
struct WingRig : ByoonRig {
  static constexpr uint16_t kBody = 9, kWing = 1, kHitFromLeft = 2, kHitFromRight = 3;
  WingRig() {
    Surface& teki = g().display.sheets[static_cast<size_t>(Bmp::teki)];
    teki = Surface(1420, 620);
    Paint(teki, {0, 0, 140, 30}, kBody);
    Paint(teki, {0, 90, 140, 120}, kBody);
    Paint(teki, {0, 120, 30, 130}, kWing);
    Paint(teki, {0, 140, 30, 155}, kHitFromLeft);
    Paint(teki, {40, 140, 70, 155}, kHitFromRight);
  }
  static void Paint(Surface& s, Rect r, uint16_t v) {
    for (int32_t y = r.Top; y < r.Bottom; ++y)
      for (int32_t x = r.Left; x < r.Right; ++x) s.At(x, y) = v;
  }
  // One step on a cleared world; what lies where the first wing goes.
  uint16_t FirstWing() {
    Surface& world = g().display.World();
    std::fill(world.px.begin(), world.px.end(), uint16_t{0});
    Step();
    return world.At(byo().HandAX, byo().HandAY);
  }
};

TEST(Byoon, WhileTheSparkShowsTheFirstWingTakesTheLookOfTheHit) {
  {
    WingRig rig;
    EXPECT_EQ(rig.FirstWing(), WingRig::kWing);
    rig.PunchFrom(100);
    ASSERT_EQ(rig.byo().State, 5);
    EXPECT_EQ(rig.FirstWing(), WingRig::kHitFromLeft);
  }
  {
    WingRig rig;
    rig.PunchFrom(-100);
    ASSERT_EQ(rig.byo().State, 6);
    EXPECT_EQ(rig.FirstWing(), WingRig::kHitFromRight);
  }
  {
    WingRig rig;
    Enemy& e = rig.byo();
    e.State = 9;  // back from the edge after a spin, sparking
    e.Sparking = 1;
    e.Vy = -15;
    EXPECT_EQ(rig.FirstWing(), WingRig::kBody);  // no first wing
  }
}

}  // namespace
}  // namespace kt
