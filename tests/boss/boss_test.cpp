// The boss: start values, the random state machine, the charge and
// beam, harm to the heroes, damage from every hero attack, the hit spark's
// immunity and the defeat.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "boss/fight_rig.hpp"

namespace kt {
namespace {

using test::BossOnly;
using test::FightRig;
using test::Played;
using test::SeedWhere;
using test::StageRig;
using V = std::vector<int32_t>;

// The boss in the fight's view, held at (x, y) in state 0 (which does nothing), the heroes far off.
struct BossRig : StageRig {
  explicit BossRig(int32_t x = 400, int32_t y = 300, int players = 2) : StageRig(players) {
    g().CameraX = 100;
    g().CameraY = 120;
    kurara().X = tavo().X = -1000;
    b().State = boss::Done;
    b().X = x;
    b().Y = y;
  }
  BossRecord& b() { return g().Boss; }
};

TEST(Boss, StartHitPointsFollowTheOptionsAndTheCountersCarryOver) {
  // Amount, full hit gauge, full hurt gauge: hit points.
  for (const V& c : {V{20, 0, 0, 35}, V{30, 0, 0, 45}, V{30, 1, 0, 75}, V{10, 1, 1, 150}}) {
    BossRig rig;
    Settings& s = rig.g().settings;
    s.EnemyAmount = c[0];
    s.FullHitGauge = c[1];
    s.FullHurtGauge = c[2];
    BossRecord& b = rig.b();
    b.Count = 63;
    b.Decision = 9;
    b.FallCount = 12;
    b.HandBY = 333;
    BossReset(rig.g());
    EXPECT_EQ(b.HP, c[3]);
    EXPECT_EQ(V({b.X, b.Y, b.State, b.FallCount, b.OrbY, b.Count, b.Decision}), V({600, 400, 1, 0, 273, 63, 9}));
  }
}

// ---- the state machine -----------------------------------------------------------

uint64_t SeedFor(double factor, int32_t value) {
  return SeedWhere([=](double u) { return Round(u * factor) == value; });
}

TEST(Boss, EachDecisionSplitsWhereItShouldAndTheLowSweepDrawsOnlyToNine) {
  using namespace boss;
  struct Case {
    int32_t state, x, y;
    uint64_t seed;
    int32_t next;
  };
  // A number whose tenfold rounds to 4 but ninefold to 3: only the factor 9 turns.
  const uint64_t fourOrThree = SeedWhere([](double u) { return Round(u * 10) == 4 && Round(u * 9) == 3; });
  const Case cases[] = {
      {Rise, 580, 150, SeedFor(10, 6), Charge},
      {Rise, 580, 150, SeedFor(10, 5), SweepLeft},
      {SweepRight, 600, 300, SeedFor(10, 6), Pause},
      {SweepRight, 600, 300, SeedFor(10, 5), Dash},
      {GoLowLeft, 130, 430, SeedFor(10, 7), ClimbRight},
      {GoLowLeft, 130, 430, SeedFor(10, 2), RiseToCharge},
      {GoLowLeft, 130, 430, SeedFor(10, 6), SweepRightLow},
      {SweepRightLow, 600, 430, SeedFor(9, 4), Rise},
      {SweepRightLow, 600, 430, fourOrThree, Turn},
  };
  for (const Case& c : cases) {
    BossRig rig(c.x, c.y);
    rig.b().State = c.state;
    rig.g().rng.Seed(c.seed);
    BossOnly(rig.g());
    EXPECT_EQ(rig.b().State, c.next) << c.state << " drawing " << Random(c.seed).Next();
    EXPECT_EQ(std::pair(rig.b().X, rig.b().Y), std::pair(c.x, c.y));  // decided instead of moving
  }
  // The turn after the low sweep moves 7 pixels left once and charges.
  BossRig rig(600, 430);
  rig.b().State = Turn;
  BossOnly(rig.g());
  EXPECT_EQ(std::pair(rig.b().X, rig.b().State), std::pair(593, Charge));
}

TEST(Boss, APauseEndsAfterFiftyStepsEvenWithACountLeftByAnEarlierFight) {
  // A fight that ends mid-dash leaves Count above 50, and the start values keep it.
  for (int32_t start : {0, 63}) {
    BossRig rig;
    rig.b().State = boss::Pause;
    rig.b().Count = start;
    int steps = 0;
    for (; rig.b().State == boss::Pause && steps < 100; ++steps) BossOnly(rig.g());
    EXPECT_EQ(steps, start == 0 ? 50 : 1);
  }
}

// The states the boss passes through with the heroes out of play, with the decision on entering each.
std::vector<std::pair<int32_t, int32_t>> Roam(uint64_t seed) {
  BossRig rig(580, 400);
  Game& g = rig.g();
  g.rng.Seed(seed);
  g.Boss.State = boss::Rise;
  rig.kurara().Hurt = rig.tavo().Hurt = 1;  // untouchable; nothing clears it here
  std::vector<std::pair<int32_t, int32_t>> path{{boss::Rise, 0}};
  for (int i = 0; i < 6000; ++i) {
    BossOnly(g, false);
    if (g.Boss.State != path.back().first) path.emplace_back(g.Boss.State, g.Boss.Decision);
    EXPECT_TRUE(g.Boss.X > 100 && g.Boss.X < 640 && g.Boss.Y > 120 && g.Boss.Y < 480) << g.Boss.X << "," << g.Boss.Y;
  }
  return path;
}

TEST(Boss, ASeedGivesOneRepeatableTourThroughEveryState) {
  const auto path = Roam(7);
  EXPECT_EQ(path, Roam(7));
  EXPECT_NE(path, Roam(8));
  std::set<int32_t> seen;
  for (const auto& step : path) seen.insert(step.first);
  EXPECT_EQ(seen, (std::set<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

// ---- charge and beam ---------------------------------------------------------------

TEST(BossBeam, ChargesFor51StepsThenAimsAtTheChosenHero) {
  // Players, steered hero, decision: whether Kurara is the target.
  for (const V& c : {V{2, 0, 4, 1}, V{2, 1, 5, 0}, V{1, 1, 9, 1}, V{1, 0, 0, 0}}) {
    BossRig rig(400, 150, c[0]);
    Game& g = rig.g();
    g.stage.ControlledHero = c[1];
    rig.kurara().X = 300;
    rig.tavo().X = 450;
    rig.b().State = boss::Charge;
    rig.b().Count = 0;
    rig.b().Decision = c[2];
    g.BossBeam.Falling = 1;  // a beam still sliding when an earlier fight ended
    g.BossBeam.Y = 400;
    for (int i = 0; i < 50; ++i) BossOnly(g);
    EXPECT_EQ(rig.b().State, boss::Charge);
    BossOnly(g);
    EXPECT_EQ(rig.b().State, boss::Beam);
    const BossBeamRecord& m = g.BossBeam;
    EXPECT_EQ(V({m.X, m.Y, m.SrcTop, m.Falling}), V({c[3] ? 260 : 410, 120, 635, 0})) << c[0] << c[1] << c[2];
  }
}

TEST(BossBeam, FiresAtStep14AndHurtsTheHeroOnceItsTipReachesHim) {
  BossRig rig(600, 150);
  Game& g = rig.g();
  BossRecord& b = rig.b();
  Hero& t = rig.tavo();
  t.X = 340;
  t.Y = 480;
  b.State = boss::Beam;
  b.Count = 0;
  g.BossBeam = {300, 120, 635, 0};  // as the charge leaves it
  int steps = 0, fired = 0, hurt = 0;
  for (; b.State == boss::Beam && steps < 100; ++steps) {
    BossOnly(g);
    if (Played(g, Sfx::bossbimu)) fired = steps + 1;
    if (t.Hurt == 1 && hurt == 0) hurt = steps + 1;
  }
  EXPECT_EQ(fired, 14);
  // It grows 55 a step from step 16; on step 22 its tip (y 500) passes his
  // y - 30, and the next step's test finds him.
  EXPECT_EQ(hurt, 23);
  EXPECT_EQ(t.State, hero::StruckFromLeft);
  EXPECT_EQ(steps, 24 + 14);  // nine steps of growth, then 14 slides of 35 off the bottom
  EXPECT_EQ(V({b.State, b.ArmRow, g.BossBeam.SrcTop, g.BossBeam.Y}), V({boss::Rise, 130, 635, 120}));
}

// ---- harm to the heroes ------------------------------------------------------------

TEST(Boss, TheBodyAndTheBeamReachEachHeroExactlySoFar) {
  constexpr int32_t L = hero::StruckFromRight, R = hero::StruckFromLeft, N = hero::Normal;
  // Tavo (1) or Kurara (0), x, y; 0 for the body of the boss at (400, 300), else
  // its beam at x 300 grown to this top; crouching, carried, hurt, boss HP: the state he is left in.
  // clang-format off
  const V cases[] = {
      // The body: 270 < Y < 445 (crouching < 370); Tavo 350 < X < 530, Kurara from 345; knocked right from x 395.
      {1, 400, 271, 0, 0, 0, 0, 35, R}, {1, 400, 445, 0, 0, 0, 0, 35, N}, {1, 400, 369, 0, 1, 0, 0, 35, R},
      {1, 400, 370, 0, 1, 0, 0, 35, N}, {1, 350, 400, 0, 0, 0, 0, 35, N}, {0, 346, 400, 0, 0, 0, 0, 35, L},
      {0, 530, 400, 0, 0, 0, 0, 35, N}, {1, 394, 400, 0, 0, 0, 0, 35, L}, {1, 395, 400, 0, 0, 0, 0, 35, R},
      {1, 400, 400, 0, 0, 1, 0, 35, N}, {1, 400, 400, 0, 0, 0, 1, 35, N}, {1, 400, 400, 0, 0, 0, 0, -1, N},
      // The beam: down to its drawn tip and no upper limit; 235 < X < 445, knocked right from x 330.
      {1, 340, 480, 305, 0, 0, 0, 35, N}, {1, 340, 480, 299, 0, 0, 0, 35, R}, {1, 340, 0, 635, 0, 0, 0, 35, R},
      {0, 236, 480, 140, 0, 0, 0, 35, L}, {0, 235, 480, 140, 0, 0, 0, 35, N}, {1, 330, 480, 140, 0, 0, 0, 35, R},
      {1, 445, 480, 140, 0, 0, 0, 35, N}, {1, 340, 480, 140, 0, 1, 0, 35, N},
  };
  // clang-format on
  for (const V& c : cases) {
    BossRig rig(c[3] ? 600 : 400, c[3] ? 150 : 300);
    Game& g = rig.g();
    rig.b().HP = c[7];
    if (c[3]) {
      rig.b().State = boss::Beam;
      g.BossBeam = {300, 120, c[3], 0};
    }
    Hero& h = c[0] ? rig.tavo() : rig.kurara();
    h.X = c[1];
    h.Y = c[2];
    h.Crouching = c[4];
    h.Carried = c[5];
    h.Hurt = c[6];
    c[0] ? BossHitByTavo(g) : BossHitByKurara(g);
    EXPECT_EQ(h.State, c[8]) << (c[0] ? "Tavo" : "Kurara") << " at " << c[1] << "," << c[2] << " beam " << c[3];
  }
}

TEST(Boss, OnePlayerTestsOnlyTheSteeredHeroButAThrownPartnerStillCounts) {
  for (int32_t steered : {0, 1}) {
    BossRig rig(400, 300, 1);
    rig.g().stage.ControlledHero = steered;
    Hero& t = rig.tavo();
    Hero& k = rig.kurara();
    t.X = k.X = 400;
    t.Y = 400;
    k.Y = 400;
    BossOnly(rig.g());
    EXPECT_EQ(std::pair(k.Hurt, t.Hurt), std::pair(steered, 1 - steered));
  }
  BossRig rig(400, 300, 1);
  rig.g().stage.ControlledHero = 1;
  Hero& t = rig.tavo();
  t.State = hero::ThrownRight;
  t.Carried = 1;
  t.X = 351;
  t.Y = 266;
  BossOnly(rig.g());
  EXPECT_EQ(rig.b().HP, 33);
}

// ---- damage to the boss --------------------------------------------------------------

TEST(Boss, EachAttackHurtsItByItsOwnRulesAndReach) {
  using namespace hero;
  // Tavo (1) or Kurara (0), state, step, x, y, facing, both hands' y, the boss's x (its y is 300):
  // its hit points afterwards (35: untouched), its x and y, the spark's y.
  // clang-format off
  const V cases[] = {
      // Punch from the left: facing right, x > boss - 150, hand between y 280 and 445.
      {0, Punch, 5, 251, 480, 0, 300, 400,  34, 400, 300, 300}, {0, Punch, 5, 250, 480, 0, 300, 400,  35},
      {0, Punch, 4, 300, 480, 0, 300, 400,  35},                {0, Punch, 5, 300, 480, 0, 280, 400,  35},
      {0, Punch, 5, 300, 480, 0, 444, 400,  34, 400, 300, 444}, {0, Punch, 5, 300, 480, 80, 300, 400, 35},
      // From the right, facing left: Tavo reaches 470..610, Kurara only 490..590.
      {1, Punch, 5, 609, 480, 80, 300, 400, 34, 400, 300, 300}, {0, Punch, 5, 609, 480, 80, 300, 400, 35},
      {0, Punch, 5, 491, 480, 80, 300, 400, 34, 400, 300, 300}, {1, Punch, 5, 470, 480, 80, 300, 400, 35},
      // Burst: anywhere, while the boss's x is strictly inside the view; Kurara's also lifts it.
      {1, Burst, 0, 5000, 480, 0, 0, 101,   25, 101, 300, 350}, {0, Burst, 0, 5000, 480, 0, 0, 739,   25, 739, 250, 300},
      {1, Burst, 0, 5000, 480, 0, 0, 100,   35},                {0, Burst, 0, 5000, 480, 0, 0, 740,   35},
      // Spin: thrown 50 pixels away, kept on the screen.
      {0, Spin, 5, 300, 480, 0, 300, 400,   30, 450, 300, 300}, {1, Spin, 5, 500, 480, 0, 300, 620,   30, 670, 300, 300},
      {1, Spin, 5, 500, 480, 0, 300, 621,   30, 570, 300, 300}, {1, Spin, 5, 220, 480, 80, 300, 140,  30, 100, 300, 300},
      {1, Spin, 5, 370, 480, 80, 300, 300,  35},                {0, Spin, 4, 300, 480, 0, 300, 400,   35},
      // Thrown: 265 < Y < 445 and 350 < X < 530.
      {1, ThrownRight, 0, 351, 266, 0, 0, 400, 33, 400, 300, 350}, {0, ThrownLeft, 0, 529, 444, 0, 0, 400, 33, 400, 300, 350},
      {0, ThrownLeft, 0, 530, 300, 0, 0, 400,  35},                {0, ThrownLeft, 0, 400, 265, 0, 0, 400,  35},
  };
  // clang-format on
  for (const V& c : cases) {
    BossRig rig(c[7], 300);
    Game& g = rig.g();
    Hero& h = c[0] ? rig.tavo() : rig.kurara();
    h.State = c[1];
    h.Step = c[2];
    h.X = c[3];
    h.Y = c[4];
    h.Facing = c[5];
    h.HandAY = h.HandBY = c[6];
    h.Carried = c[1] == ThrownRight || c[1] == ThrownLeft;
    c[0] ? BossHitByTavo(g) : BossHitByKurara(g);
    BossHitByThrow(g);
    const BossRecord& b = rig.b();
    const std::string what = std::string(c[0] ? "Tavo" : "Kurara") + " state " + std::to_string(c[1]) + " at " +
                             std::to_string(c[3]) + " hand " + std::to_string(c[6]);
    EXPECT_EQ(b.HP, c[8]) << what;
    if (c[8] == 35) {
      EXPECT_EQ(std::pair(b.X, b.Flash), std::pair(c[7], 0)) << what;
      continue;
    }
    EXPECT_EQ(V({b.X, b.Y, b.SparkY, b.Flash}), V({c[9], c[10], c[11], 1})) << what;
    EXPECT_EQ(Played(g, Sfx::G_yarare), c[1] != Burst) << what;
    EXPECT_EQ(h.HitGauge, c[1] == Punch ? 1 : 0) << what;
  }
}

TEST(Boss, OneHitEveryEighteenStepsWhileTheSparkPlays) {
  BossRig rig;
  BossRecord& b = rig.b();
  Hero& k = rig.kurara();
  V hits, frames;
  for (int step = 1; step <= 37; ++step) {
    k.State = hero::Punch;  // a punch that lands on every step it can
    k.Step = 5;
    k.X = 300;
    k.HandAY = 300;
    const int32_t hp = b.HP;
    BossOnly(rig.g());
    if (b.HP < hp) hits.push_back(step);
    if (step <= 18) frames.push_back(b.Flash == 1 ? b.SparkFrame : -1);
  }
  EXPECT_EQ(hits, V({1, 19, 37}));
  EXPECT_EQ(frames, V({0, 0, 50, 100, 150, 150, 200, 250, 250, 300, 300, 350, 350, 400, 400, 450, 450, -1}));
}

// ---- defeat ---------------------------------------------------------------------------

TEST(Boss, ZeroStillLivesBelowZeroFallsFasterAndHandsOverToTheEnding) {
  BossRig rig;
  BossRecord& b = rig.b();
  b.HP = 0;
  BossOnly(rig.g());
  EXPECT_EQ(b.State, boss::Done);
  b.HP = -1;
  V ys;
  for (int i = 0; i < 3; ++i) {
    BossOnly(rig.g());
    ys.push_back(b.Y);
  }
  EXPECT_EQ(b.State, boss::Defeated);
  EXPECT_EQ(ys, V({301, 303, 306}));

  // In the fight: hits in the fall still count, to no further effect; off the
  // screen the heroes are freed and the ending begins.
  FightRig fight;
  Game& g = fight.g();
  fight.boss().HP = -1;
  fight.kurara().State = hero::Burst;
  fight.tavo().Carried = 1;
  fight.tavo().Hurt = 1;
  g.ending.EndingPhase = 3;
  EXPECT_LT(fight.StepUntil([&] { return g.SceneId != scene::BossStage; }, 200), 40);
  EXPECT_EQ(V({g.SceneId, g.ending.EndingPhase, fight.boss().State, fight.boss().HP}), V({scene::Ending, 0, 0, -11}));
  for (Hero* h : {&fight.tavo(), &fight.kurara()}) EXPECT_EQ(V({h->State, h->Hurt, h->Carried}), V({0, 0, 0}));
}

}  // namespace
}  // namespace kt
