// A hero who has lost his last life stays out of the game: he is not brought
// back by the stage exit or the boss's defeat, not drawn once he has dropped
// off the screen, not hurt, not picked up, not walked after the partner, and
// his lives never go below 0. Heroes with lives left keep their rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "boss/fight_rig.hpp"
#include "enemies/gek.hpp"
#include "enemies/kurosuke.hpp"
#include "enemies/sikaky.hpp"
#include "frontend/front_rig.hpp"

namespace kt {
namespace {

using test::ExitRig;
using test::FightRig;
using test::StageRig;
using V = std::vector<int32_t>;

// Lost his last life a while ago: below the view, as his own fall left him.
void LostAllLives(Hero& h, int32_t y = 700) {
  h.State = hero::Dead;
  h.Lives = 0;
  h.Health = 0;
  h.Y = y;
  h.Out = 1;
}

// Died with a life left and waits below the view to come back.
void Waiting(Hero& h) {
  h.State = hero::Dead;
  h.Lives = 1;
  h.Health = 0;
  h.Y = 700;
  h.HurtTimer = 10;
}

TEST(OutOfLives, TheExitLeavesHimOutAndBringsAWaitingHeroBackWithFullHealth) {
  for (bool tavoLeads : {true, false}) {
    for (bool out : {true, false}) {
      SCOPED_TRACE(testing::Message() << "Tavo leads " << tavoLeads << ", out of lives " << out);
      StageRig rig;
      Game& g = rig.g();
      Hero& leader = tavoLeads ? rig.tavo() : rig.kurara();
      Hero& dead = tavoLeads ? rig.kurara() : rig.tavo();
      g.CameraX = 4480;
      leader.X = 4900;
      if (out) {
        dead.State = hero::Dead;  // still falling from his last death
        dead.Lives = 0;
        dead.Health = 0;
        dead.Y = 560;
      } else {
        Waiting(dead);
      }
      g.stage.ExitCount = 20;
      rig.Step();
      ASSERT_EQ(g.SceneId, scene::BossStage);
      if (out) {
        EXPECT_EQ(V({dead.State, dead.Lives, dead.Out}), V({hero::Dead, 0, 1}));
        EXPECT_GT(dead.Y, 560);  // where his fall had brought him
      } else if (tavoLeads) {
        // Back on his feet, with the health of a respawn rather than none.
        EXPECT_EQ(V({dead.State, dead.Health, dead.Y, dead.Lives}), V({hero::Normal, 5, 480, 1}));
      } else {
        EXPECT_EQ(dead.State, hero::Dead);  // he respawns in the arena by his own rules
      }

      // The run-up walks only heroes who take part.
      const int32_t x = dead.X;
      rig.Step({}, 20);
      EXPECT_EQ(dead.X == x, out);

      // Into the fight: nobody loses a life by entering it, and a hero out of lives stays out.
      for (int i = 0; i < 400 && g.bossStage.BossPhase != 2; ++i) rig.Step();
      g.Boss.X = 600;  // out of everyone's way
      g.Boss.Y = 150;
      rig.Step({}, 120);
      EXPECT_EQ(dead.Lives, out ? 0 : 1);
      EXPECT_EQ(dead.State == hero::Dead, out);
      EXPECT_EQ(leader.Lives, 2);
    }
  }
}

TEST(OutOfLives, TheBossDefeatBringsEveryoneToTheCelebrationAndNoLifeIsLost) {
  FightRig rig;
  Game& g = rig.g();
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  LostAllLives(k);
  Waiting(t);
  rig.boss().HP = -1;
  EXPECT_LT(rig.StepUntil([&] { return g.SceneId != scene::BossStage; }, 200), 60);
  ASSERT_EQ(g.SceneId, scene::Ending);
  // Both heroes stand in the victory pose, whatever their lives.
  for (Hero* h : {&k, &t}) EXPECT_EQ(V({h->State, h->Health, h->Out, h->Hurt}), V({hero::Normal, 5, 0, 0}));
  EXPECT_EQ(V({k.Lives, t.Lives}), V({0, 1}));
  rig.Step({}, 200);
  EXPECT_EQ(V({k.Lives, t.Lives, k.State, t.State}), V({0, 1, hero::Normal, hero::Normal}));
}

TEST(OutOfLives, LivesNeverGoBelowZero) {
  // However a hero with no lives comes to die again, his count stays at 0,
  // and the game is over when his partner is down too.
  StageRig rig;
  Game& g = rig.g();
  for (Hero* h : {&rig.kurara(), &rig.tavo()}) {
    h->Lives = 0;
    h->Health = 1;
    h->State = hero::StruckFromRight;
    rig.Step();
    EXPECT_EQ(h->State, hero::Dead);
    EXPECT_EQ(h->Lives, 0);
  }
  EXPECT_EQ(g.SceneId, scene::GameOver);
}

TEST(OutOfLives, NoEnemyNorTheBossNorItsBeamHurtsADeadHero) {
  // A dead hero whose hurt flag the boss stage's hand-over cleared, right in
  // everything's way; a living one in the same place is struck each time.
  for (bool dead : {false, true}) {
    SCOPED_TRACE(dead ? "dead" : "alive");
    StageRig rig;
    Game& g = rig.g();
    Hero& k = rig.kurara();
    const auto prepare = [&] {
      k.X = 1000;
      k.Y = 480;
      k.Hurt = 0;
      k.Carried = 0;
      k.Crouching = 0;
      k.State = dead ? hero::Dead : hero::Normal;
      k.Lives = dead ? 0 : 1;
    };
    const auto struck = [&] { return k.Hurt == 1; };

    g.stage.GekCount = g.stage.KurosukeCount = g.stage.SikakyCount = 1;
    GekReset(g);
    GekPlace(g);
    KurosukeReset(g);
    KurosukePlace(g);
    SikakyReset(g);
    SikakyPlace(g);
    Enemy& gek = g.enemies.gek[1];
    Enemy& kurosuke = g.enemies.kurosuke[1];
    Enemy& sikaky = g.enemies.sikaky[1];
    for (Enemy* e : {&gek, &kurosuke, &sikaky}) e->X = 3000;  // far away unless placed

    prepare();
    kurosuke.X = 1000;
    kurosuke.Y = 480;
    KurosukeHitByKurara(g, 1);
    EXPECT_EQ(struck(), !dead) << "kurosuke";
    kurosuke.X = 3000;

    prepare();
    gek.ShotX = 1000;  // the gek's ball
    gek.ShotY = 500;
    GekHitByKurara(g, 1);
    EXPECT_EQ(struck(), !dead) << "gek's ball";

    prepare();
    sikaky.ShotX = 1000;  // the sikaky's ball, in flight
    sikaky.ShotY = 500;
    sikaky.ShotVy = 1;
    SikakyHitByKurara(g, 1);
    EXPECT_EQ(struck(), !dead) << "sikaky's ball";

    BossRecord& b = g.Boss;
    prepare();
    b.X = 1000;
    b.Y = 450;
    b.HP = 10;
    b.State = boss::Rise;
    BossHitByKurara(g);
    EXPECT_EQ(struck(), !dead) << "boss";

    prepare();
    b.X = 3000;
    b.State = boss::Beam;
    g.BossBeam = BossBeamRecord{.X = 960, .Y = 120, .SrcTop = 140, .Falling = 1};
    BossHitByKurara(g);
    EXPECT_EQ(struck(), !dead) << "beam";
    EXPECT_EQ(k.State == hero::Dead, dead);
  }
}

TEST(OutOfLives, ADeadHeroIsNeverPickedUp) {
  // Lifting a dead partner would throw him back into the game with no health.
  for (bool dead : {false, true}) {
    StageRig rig;
    Hero& k = rig.kurara();
    Hero& t = rig.tavo();
    k.X = t.X = 400;
    k.Y = t.Y = 480;
    k.Hurt = 0;
    k.Row = 0;
    if (dead) {
      k.State = hero::Dead;
      k.Lives = 0;
    }
    rig.Step({'K'});
    EXPECT_EQ(V({t.Carrying, k.Carried}), dead ? V({0, 0}) : V({1, 1}));
  }
}

TEST(OutOfLives, DrawnWhileDroppingOffTheScreenThenNoMore) {
  StageRig rig;
  Game& g = rig.g();
  Surface& sheet = g.display.sheets[static_cast<size_t>(Bmp::char256)];
  sheet = Surface(1530, 640);
  std::fill(sheet.px.begin(), sheet.px.end(), uint16_t{7});
  Hero& k = rig.kurara();
  const auto drawn = [&] {
    Surface& world = g.display.World();
    std::fill(world.px.begin(), world.px.end(), uint16_t{0});
    KuraraDraw(g);
    return std::count(world.px.begin(), world.px.end(), uint16_t{7}) > 0;
  };
  k.Lives = 1;
  k.Health = 1;
  k.State = hero::StruckFromRight;
  rig.Step();
  ASSERT_EQ(k.State, hero::Dead);
  EXPECT_TRUE(drawn());  // the last fall is shown like every other
  EXPECT_EQ(k.Out, 0);
  rig.StepUntil([&] { return k.Y >= g.CameraY + 500; });
  rig.Step();
  EXPECT_EQ(k.Out, 1);
  KuraraPoseReset(g);
  k.Y = k.BodyY = 300;  // wherever a scene would put him, he is not seen
  EXPECT_FALSE(drawn());
  EXPECT_EQ(k.Lives, 0);
}

TEST(OutOfLives, AfterTheGameOverTheTitleShowsBothHeroesAgain) {
  test::FrontRig rig;
  Game& g = rig.g();
  Surface& sheet = g.display.sheets[static_cast<size_t>(Bmp::char256)];
  std::fill(sheet.px.begin(), sheet.px.end(), uint16_t{7});
  rig.ToMenu();
  rig.Step({vk::Enter});
  ASSERT_TRUE(rig.RunUntil([](const Game& h) { return h.SceneId == scene::Gameplay; }));
  for (Hero* h : {&g.Tavo, &g.Kurara}) {
    h->Lives = 1;
    h->Health = 1;
    h->State = hero::StruckFromRight;
    rig.Step();
  }
  ASSERT_TRUE(rig.RunUntil([](const Game& h) { return h.SceneId == scene::Title; }));
  for (void (*draw)(Game&) : {TavoDraw, KuraraDraw}) {
    Surface& world = g.display.World();
    std::fill(world.px.begin(), world.px.end(), uint16_t{0});
    draw(g);
    EXPECT_GT(std::count(world.px.begin(), world.px.end(), uint16_t{7}), 0);
  }
}

TEST(OutOfLives, OnePlayerSteersAndFollowsOnlyHeroesWithLives) {
  StageRig rig(1);
  Game& g = rig.g();
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  LostAllLives(k, 520);  // still dropping off the screen
  k.Out = 0;
  k.X = 100;
  t.X = 600;
  g.stage.ControlledHero = 0;
  rig.Step({vk::Right});
  EXPECT_EQ(V({k.X, k.WalkRight}), V({100, 0}));  // she does not walk after him
  for (int i = 0; i < 10; ++i) {
    rig.Step({vk::Space});
    rig.Step({vk::Right});
  }
  EXPECT_EQ(g.stage.ControlledHero, 0);  // nor does the control pass to her

  // Tavo dies with a life left: the control stays with him, and he plays on
  // when he is back.
  t.Health = 1;
  t.State = hero::StruckFromRight;
  rig.Step();
  ASSERT_EQ(t.State, hero::Dead);
  EXPECT_GT(rig.StepUntil([&] { return t.State != hero::Dead; }), 50);
  EXPECT_EQ(g.stage.ControlledHero, 0);
  const int32_t x = t.X;
  rig.Step({vk::Right}, 3);
  EXPECT_GT(t.X, x);
  EXPECT_EQ(V({k.State, k.Lives}), V({hero::Dead, 0}));

  // The same in the boss's arena.
  FightRig fight(1);
  Hero& fk = fight.kurara();
  LostAllLives(fk, 560);
  fk.Out = 0;
  fk.X = 101;
  fight.tavo().X = 500;
  fight.g().stage.ControlledHero = 0;
  fight.Step({vk::Right});
  EXPECT_EQ(V({fk.X, fk.WalkRight}), V({101, 0}));
}

}  // namespace
}  // namespace kt
