// The autoplayer: what it foresees must be what the game does (a change of
// the game shows up here first), and what it decides must keep its heroes
// alive and get them into the game they were sent to play.
#include <gtest/gtest.h>

#include "autoplay/bot.hpp"
#include "autoplay/foresight.hpp"
#include "autoplay/play.hpp"
#include "loop/demo.hpp"
#include "boss/fight_rig.hpp"
#include "loop/startup.hpp"

namespace kt {
namespace {

using autoplay::Bot;
using autoplay::BotGoal;

// The boss's ways, held against the boss itself for 60 steps from each of
// its states, on several seeds: at every step it is where one of the ways
// foreseen put it (where it stands when it tests the heroes, and its beam).
TEST(Foresight, TheBossGoesOneOfTheWaysForeseen) {
  struct Start {
    int32_t state, x, y, count;
  };
  const Start starts[] = {
      {boss::Rise, 580, 400, 0},        {boss::SweepLeft, 600, 150, 0},   {boss::SweepRight, 120, 350, 0},
      {boss::Pause, 600, 350, 30},      {boss::GoLowLeft, 300, 350, 0},   {boss::GoLowLeft, 130, 415, 0},
      {boss::ClimbRight, 130, 430, 0},  {boss::Charge, 400, 150, 20},     {boss::Beam, 400, 150, 5},
      {boss::RiseToCharge, 130, 430, 0}, {boss::SweepRightLow, 450, 430, 0}, {boss::Turn, 600, 430, 0},
      {boss::Dash, 600, 350, 20},
  };
  for (const Start& st : starts) {
    for (uint64_t seed = 1; seed <= 6; ++seed) {
      test::FightRig rig(2);
      Game& g = rig.g();
      g.rng.Seed(seed);
      BossRecord& b = g.Boss;
      b.State = st.state;
      b.X = st.x;
      b.Y = st.y;
      b.Count = st.count;
      b.HP = 1000;  // nothing the heroes do ends the fight
      if (st.state == boss::Beam) {
        g.BossBeam = BossBeamRecord{};
        g.BossBeam.X = 300;
        g.BossBeam.Y = g.CameraY;
      }
      const auto tracks = autoplay::BossTracks(g, false, 60);
      std::vector<bool> alive(tracks.size(), true);
      for (int32_t t = 0; t < 60; ++t) {
        // Where the boss stands when it tests the heroes: after its wing beat.
        const BossRecord before = b;
        const bool beam = b.State == boss::Beam;
        const int32_t bottom = g.BossBeam.Y + 630 - g.BossBeam.SrcTop;
        BossWingBeat(g);
        const int32_t x = b.X, y = b.Y;
        b = before;
        bool any = false;
        for (size_t n = 0; n < tracks.size(); ++n) {
          const autoplay::BossFrame& f = tracks[n][static_cast<size_t>(t)];
          alive[n] = alive[n] && f.x == x && f.y == y && f.beam == beam && (!beam || f.beamBottom == bottom);
          any = any || alive[n];
        }
        ASSERT_TRUE(any) << "state " << st.state << ", seed " << seed << ": at step " << t + 1 << " the boss is at ("
                         << x << ", " << y << ") in state " << b.State << ", where no way foreseen has it";
        BossStepParts(g);
        BossStep(g);
      }
    }
  }
}

// A hero's own path, walking, crouch-walking, jumping onto a ledge and
// dropping off it, as the keys move him.
TEST(Foresight, AHeroGoesWhereForeseen) {
  struct Case {
    autoplay::Plan plan;
    std::initializer_list<uint8_t> keys;
  };
  const Case cases[] = {
      {{1, false, false, false, false}, {vk::Right}},
      {{-1, true, false, false, false}, {vk::Left, vk::Down}},
      {{1, false, true, false, false}, {vk::Right, vk::Up}},
      {{0, false, true, false, false}, {vk::Up}},
      {{1, false, false, false, true}, {vk::Right}},
  };
  for (const Case& c : cases) {
    test::StageRig rig(2);
    rig.Solid(14, 24, 22, 22);  // a ledge 160 pixels above the floor, from x 280 to 499
    Hero& t = rig.tavo();
    if (c.plan.dash) {
      // Armed: walked, let go a step, pressed again.
      rig.Step({vk::Right});
      rig.Step({});
    }
    const autoplay::Path path = autoplay::Predict(rig.g(), t, c.plan, 45);
    for (int32_t n = 0; n < 45; ++n) {
      // The up key is let go once the hero is off the ground, as the bot does.
      std::vector<uint8_t> keys(c.keys);
      if (t.State == hero::InAir) std::erase(keys, vk::Up);
      rig.platform.held.fill(false);
      for (uint8_t k : keys) rig.platform.held[k] = true;
      rig.g().KeyState = rig.platform.held;
      rig.Pass();
      ASSERT_EQ(t.X, path.x[n]) << "plan dir " << c.plan.dir << " jump " << c.plan.jump << ", step " << n + 1;
      ASSERT_EQ(t.Y, path.y[n]) << "plan dir " << c.plan.dir << " jump " << c.plan.jump << ", step " << n + 1;
      ASSERT_EQ(t.Crouching == 1, path.crouched[n]) << n + 1;
    }
  }
}

// A kurosuke put next to the steered hero in the stage.
Enemy& PutKurosuke(test::StageRig& rig, int32_t dx, int32_t dy) {
  Game& g = rig.g();
  g.stage.KurosukeCount = 1;
  Enemy& e = g.enemies.kurosuke[1];
  e = Enemy{};
  e.X = rig.tavo().X + dx;
  e.Y = rig.tavo().Y + dy;
  e.Health = 3;
  e.State = 1;
  return e;
}

// A punch thrown when the foresight says it lands, held against the game:
// a Mogeta running in at full speed from every distance, and a sikaky at
// every moment of its hop. Wherever the punch is foreseen to land, it lands
// (unless the foe knocks the hero first, which the bot foresees elsewhere).
TEST(Foresight, APunchLandsWhereForeseen) {
  struct Case {
    bool mogeta;
    int32_t dx, y, vx, vy;
  };
  std::vector<Case> cases;
  for (int32_t dx = 60; dx <= 280; dx += 10) cases.push_back({true, dx, 525, -15, 0});
  for (int32_t dx : {90, 120}) {
    int32_t y = 500, vy = -10;
    for (int32_t phase = 0; phase < 20; ++phase) {
      cases.push_back({false, dx, y, -2, vy});
      y = std::min(y + vy, 500);
      vy += 1;
    }
  }
  int landed = 0;
  for (const Case& c : cases) {
    test::StageRig rig(2);
    Game& g = rig.g();
    StageState& s = g.stage;
    s.GekCount = s.KurosukeCount = s.PatattaCount = s.SikakyCount = s.MogetaCount = s.ByoonCount = 0;
    g.settings.MogetaOff = 0;
    Hero& t = rig.tavo();
    Enemy& e = c.mogeta ? g.enemies.mogeta[1] : g.enemies.sikaky[1];
    (c.mogeta ? s.MogetaCount : s.SikakyCount) = 1;
    e = Enemy{};
    e.X = t.X + c.dx;
    e.Y = c.y;
    e.Vy = c.vy;
    e.Vx = c.vx;
    e.Health = 3;
    e.State = 1;
    e.Frame = 1;
    const autoplay::Foe foe{&e, autoplay::kWalkerShape, false, c.mogeta ? "mogeta" : "sikaky", c.mogeta ? 55 : 80,
                            !c.mogeta};
    autoplay::Threat body;
    body.x = e.X;
    body.y = e.Y;
    body.vx = c.vx;
    body.vy = c.vy;
    body.falls = body.hops = !c.mogeta;
    body.ground = 500;
    body.shape = foe.shape;
    const int32_t lands = autoplay::PunchLands(g, t, foe, body, true);
    rig.Step({'L'});
    bool struck = false, knocked = false;
    for (int n = 0; n < 9 && !struck; ++n) {
      knocked = knocked || t.Hurt == 1;
      struck = e.Health < 3;
      if (!struck) rig.Step();
    }
    if (lands == 0 || knocked) continue;
    EXPECT_TRUE(struck) << (c.mogeta ? "mogeta" : "sikaky") << " " << c.dx << " ahead at Y " << c.y << ", Vy " << c.vy
                        << ": foreseen to land at step " << lands;
    landed += struck;
  }
  EXPECT_GE(landed, 10);
}

TEST(Bot, StrikesWhatItReachesAndKeepsClearOfWhatItCannot) {
  test::StageRig rig(2);
  Bot bot({});
  const Hero& t = rig.tavo();
  ASSERT_EQ(t.Facing, 0);
  // In reach ahead, on the same ground: a punch where it stands.
  PutKurosuke(rig, 100, 20);
  auto i = bot.StageIntent(rig.g(), t, rig.kurara());
  EXPECT_TRUE(i.punch);
  EXPECT_EQ(i.walk, 0);
  // Close behind: turn round and punch.
  PutKurosuke(rig, -40, 20);
  i = bot.StageIntent(rig.g(), t, rig.kurara());
  EXPECT_TRUE(i.punch);
  EXPECT_EQ(i.walk, -1);
  // Just above the fist's band and about to touch him: no walking into it.
  PutKurosuke(rig, 75, -40);
  i = bot.StageIntent(rig.g(), t, rig.kurara());
  EXPECT_FALSE(i.punch);
  EXPECT_NE(i.walk, 1);
  // The burst, armed, fires while a hit leaves the hero safe through its gathering.
  PutKurosuke(rig, 200, 20);
  rig.tavo().HurtGauge = 5;
  rig.tavo().Hurt = 1;
  rig.tavo().HurtTimer = 5;
  i = bot.StageIntent(rig.g(), t, rig.kurara());
  EXPECT_TRUE(i.burst);
}

// The whole fight's worst moment: standing under the boss as it charges. The
// bot leaves the beam's column and is not struck, whatever the boss does next.
TEST(Bot, LeavesTheBeamsColumnInTime) {
  for (const int32_t x : {150, 380, 600}) {
    test::FightRig rig(1);
    Game& g = rig.g();
    g.stage.ControlledHero = 0;  // Tavo is steered
    g.Boss.State = boss::Charge;
    g.Boss.Count = 30;
    g.Boss.X = 500;
    g.Boss.Y = 150;
    g.Boss.HP = 1000;
    rig.tavo().X = x;
    Bot bot({});
    bool beamed = false;
    for (int n = 0; n < 90; ++n) {
      const KeyTable keys = bot.Keys(g);
      rig.platform.held = keys;
      g.KeyState = keys;
      rig.Pass();
      beamed = beamed || g.Boss.State == boss::Beam;
      if (rig.tavo().Health != 5)
        for (const auto& note : bot.Notes()) std::printf("%s\n", note.c_str());
      ASSERT_EQ(rig.tavo().Health, 5) << "from x " << x << ", struck at step " << n + 1 << " (boss state "
                                      << g.Boss.State << ")";
    }
    EXPECT_TRUE(beamed);
  }
}

// The menus and the options screen, by the keys alone.
TEST(Bot, GoesThroughTheMenusToTheGameItWasAskedFor) {
  auto g = NewGame();
  auto platform = MakeHeadlessPlatform({});
  Startup(*g, *platform, {KT_DATA_DIR, 3});
  BotGoal goal;
  goal.players = 2;
  goal.extraEnemies = true;
  goal.enemyAmount = 10;
  goal.lives = 4;
  Bot bot(goal);
  bool options = false;
  for (int n = 0; n < 2000 && g->SceneId != scene::WalkIn; ++n) {
    ASSERT_TRUE(FramePass(*g, *platform));
    g->KeyState = bot.Keys(*g);
    options = options || g->SceneId == scene::Options;
  }
  EXPECT_EQ(g->SceneId, scene::WalkIn);
  EXPECT_TRUE(options);
  EXPECT_EQ(g->settings.OnePlayerMode, 2);
  EXPECT_EQ(g->settings.EnemyAmount, 10);
  EXPECT_EQ(g->settings.LivesSetting, 4);
  EXPECT_EQ(g->settings.MogetaOff, 0);
  EXPECT_EQ(g->settings.ByoonOff, 0);
  EXPECT_EQ(g->Tavo.Lives, 4);
}

// A whole game, told apart from a won one: with one life and no fight the
// heroes fall in the stage, and the game over takes the game back to the title.
TEST(Autoplay, AGameLostIsAGameOverAndNoWin) {
  BotGoal goal;
  goal.lives = 1;
  goal.fight = false;
  std::ostringstream demo;
  const autoplay::GameReport r = autoplay::PlayOne(goal, 1, {}, KT_DATA_DIR, 10, &demo);
  EXPECT_TRUE(r.gameOver);
  EXPECT_FALSE(r.won);
  EXPECT_FALSE(r.reachedBoss);
  int lost = 0;
  for (const auto& [cause, n] : r.hits) lost += n;
  EXPECT_GE(lost, 10);  // two heroes of five hit points, one life each
  // What it played comes back from its demo.
  const ReplayResult back = ReplayHeadless(ParseDemo(demo.str(), "lost"), KT_DATA_DIR);
  EXPECT_FALSE(back.mismatch);
  EXPECT_EQ(back.finalScene, scene::Title);
  EXPECT_TRUE(back.Ran(scene::GameOver));
}

}  // namespace
}  // namespace kt
