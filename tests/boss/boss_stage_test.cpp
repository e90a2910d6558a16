// The boss stage: the run-up, the arena written into the map, the backdrop
// frames, the fight's camera and wall, hero switching, the game over.
#include "boss/boss_stage.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "boss/fight_rig.hpp"

namespace kt {
namespace {

using test::ExitRig;
using test::FightRig;
using V = std::vector<int32_t>;

TEST(BossStage, TheRunUpScrollsToTheStagesEndWithoutWaitingForTheHeroes) {
  ExitRig rig;
  Game& g = rig.g();
  ASSERT_EQ(g.SceneId, scene::BossStage);
  ASSERT_EQ(g.CameraX, 4480);
  Hero& t = rig.tavo();
  Hero& k = rig.kurara();
  for (int step = 1; step <= 128; ++step) {
    if (step == 100) k.X = 3000;  // left far behind, after stopping at her limit
    if (step == 99) {
      EXPECT_EQ(std::pair(k.X, k.WalkRight), std::pair(5125, 0));  // she walks while at most 5120
    }
    rig.Step();
    ASSERT_EQ(g.CameraX, 4480 + 5 * step);
  }
  EXPECT_EQ(V({t.X, t.WalkRight, t.Facing}), V({5220, 0, 0}));
  EXPECT_EQ(k.WalkRight, 1);
  EXPECT_EQ(g.bossStage.BossPhase, 0);
  rig.Step();
  EXPECT_EQ(V({g.bossStage.BossPhase, t.X, k.X, g.CameraX, g.CameraY}), V({1, 201, 101, 100, 120}));
}

// Steps through the arena set-up; returns the set-up counts at which the backdrop changed.
V BackdropChanges(ExitRig& rig) {
  Game& g = rig.g();
  rig.StepUntil([&] { return g.bossStage.BossPhase == 1; });
  // Kurara's exit check counted once more after Tavo's had opened the boss stage.
  EXPECT_EQ(g.stage.ExitCount, 1);
  V changes;
  for (int32_t frame = g.bossStage.BackdropX; g.bossStage.BossPhase == 1 && changes.size() < 9;) {
    rig.Step();
    if (g.bossStage.BackdropX != frame) changes.push_back(g.stage.ExitCount);
    frame = g.bossStage.BackdropX;
  }
  return changes;
}

TEST(BossStage, ThreeBackdropChangesThenTheFightAndTheMarkOutlivesTheStage) {
  ExitRig rig;
  Game& g = rig.g();
  EXPECT_EQ(BackdropChanges(rig), (V{26, 52, 78}));
  EXPECT_EQ(std::pair(g.bossStage.BossPhase, g.bossStage.BackdropX), std::pair(2, 1920));

  // A later game reaches the exit with the fight's phase and frame left over
  // (the title is what resets them): its boss stage still starts from the
  // run-up and the first frame, and the mark it inherits delays each change.
  g.SceneId = scene::Gameplay;
  g.CameraX = 4480;
  rig.tavo().X = 4900;
  rig.kurara().X = 4890;
  g.stage.ExitCount = 20;
  rig.Step();
  ASSERT_EQ(g.SceneId, scene::BossStage);
  EXPECT_EQ(std::pair(g.bossStage.BossPhase, g.bossStage.BackdropX), std::pair(0, 0));
  EXPECT_EQ(BackdropChanges(rig), (V{104, 130, 156}));

  // A frame already at the last one cannot run past it.
  g.bossStage.BossPhase = 1;
  g.stage.ExitCount = 500;
  rig.Step();
  EXPECT_EQ(std::pair(g.bossStage.BossPhase, g.bossStage.BackdropX), std::pair(2, 1920));
}

TEST(BossStage, TheArenaIsWrittenIntoTheMapAndStaysForLaterGames) {
  ExitRig rig;
  Game& g = rig.g();
  StageMapData& map = g.StageMap;
  map.cells.fill(5);  // to see exactly which cells change
  rig.StepUntil([&] { return g.bossStage.BossPhase == 1; });
  rig.Step();
  const auto count = [&](int32_t v) { return std::count(map.cells.begin(), map.cells.end(), v); };
  EXPECT_EQ(std::pair(count(0), count(1)), std::pair(1450l, 166l));
  EXPECT_EQ(V({map.At(250, 0), map.At(299, 28), map.At(250, 29), map.At(299, 31), map.At(5, 25), map.At(37, 25)}),
            V({0, 0, 1, 1, 1, 1}));
  EXPECT_EQ(V({map.At(300, 10), map.At(260, 32), map.At(13, 25), map.At(29, 25)}), V(4, 5));

  // The ledges are written only during the set-up.
  g.bossStage.BossPhase = 2;
  map.At(5, 25) = 5;
  ArenaTable(g);
  EXPECT_EQ(map.At(5, 25), 5);

  // A game over, the title and a new stage: the map keeps the arena.
  g.SceneId = scene::GameOver;
  g.stage.GameOverTick = g.FrameTick - 7000;
  rig.StepUntil([&] { return g.SceneId == scene::Title; }, 300);
  ASSERT_EQ(g.SceneId, scene::Title);
  g.SceneId = scene::StageStart;  // as the menu starts a game
  rig.StepUntil([&] { return g.SceneId == scene::Gameplay; }, 300);
  ASSERT_EQ(g.SceneId, scene::Gameplay);
  EXPECT_EQ(std::pair(g.bossStage.BossPhase, g.bossStage.BackdropX), std::pair(0, 0));
  EXPECT_EQ(V({map.At(12, 25), map.At(280, 10), map.At(280, 30)}), V({1, 0, 1}));
}

// The fight with the boss parked high up, where it touches nobody.
struct QuietFight : FightRig {
  explicit QuietFight(int players = 2) : FightRig(players) {
    boss().State = boss::Done;
    boss().Y = 150;
  }
};

TEST(BossStage, TheFightsCameraStandsStillAndNoHeroPassesTheRightWall) {
  QuietFight rig;
  Game& g = rig.g();
  rig.tavo().X = 700;  // beyond the wall after his move
  rig.Step();
  EXPECT_EQ(rig.tavo().X, 660);
  rig.kurara().X = 600;
  for (int i = 0; i < 20; ++i) {
    rig.Step({'V'});  // walking right scrolls the view only until the step ends
    EXPECT_EQ(std::pair(g.CameraX, g.CameraY), std::pair(100, 120));
  }
  EXPECT_EQ(rig.kurara().X, 660);
}

TEST(BossStage, OnePlayerSteersOneHeroTheOtherFollowsAndSpaceSwitches) {
  QuietFight rig(1);
  Game& g = rig.g();
  Hero& t = rig.tavo();
  Hero& k = rig.kurara();
  g.stage.ControlledHero = 1;
  k.X = 500;
  t.X = 201;
  rig.Step({vk::Right});
  EXPECT_EQ(std::pair(k.X, t.X), std::pair(505, 206));  // Kurara takes Tavo's keys; he follows
  rig.Step({'V'});
  EXPECT_EQ(k.X, 505);  // her own key is overwritten
  g.stage.ControlledHero = 0;
  t.X = 450;  // close enough not to be followed
  rig.Step({'V'});
  EXPECT_EQ(k.X, 505);  // and cleared while he is steered

  rig.Step({vk::Space}, 4);  // at most one switch per 150 ms
  EXPECT_EQ(g.stage.ControlledHero, 1);
  k.Health = 0;  // the steered hero dies: the next step hands the control over
  rig.Step({}, 2);
  EXPECT_EQ(g.stage.ControlledHero, 0);
}

TEST(BossStage, LosingBothHeroesEndsInTheGameOver) {
  FightRig rig;
  Game& g = rig.g();
  Hero& t = rig.tavo();
  Hero& k = rig.kurara();
  k.State = hero::Dead;  // lost her last life on the way
  k.Lives = 0;
  k.Y = 700;
  t.Lives = 1;
  t.Health = 1;
  t.X = 600;  // in the boss's way
  rig.TakeTrace();
  rig.Step();
  EXPECT_EQ(g.SceneId, scene::GameOver);
  EXPECT_NE(rig.TakeTrace().find("G_over"), std::string::npos);
  rig.Step();
  EXPECT_NE(rig.TakeTrace().find("\"stopped\":[\"BossS\"]"), std::string::npos);
}

}  // namespace
}  // namespace kt
