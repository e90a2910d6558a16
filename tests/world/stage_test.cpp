// The stage scenes: start, walk-in, exit to the boss stage, game over, the
// camera clamp, the terrain spots and the floor strip.
#include <gtest/gtest.h>

#include "loop/draw.hpp"
#include "loop/ticks.hpp"
#include "stage_rig.hpp"

namespace kt {
namespace {

using test::StageRig;

TEST(StageScenes, StartAndWalkInEndWhenTavoArrivesWhateverKuraraDoes) {
  StageRig rig;  // ran the stage start and the walk-in
  Game& g = rig.g();
  EXPECT_EQ(g.SceneId, scene::Gameplay);
  EXPECT_EQ(g.CameraX, 80);
  EXPECT_EQ(g.CameraY, 120);
  EXPECT_GE(rig.tavo().X, 160);
  EXPECT_LT(rig.tavo().X, 165);
  EXPECT_EQ(rig.tavo().Facing, 0);
  EXPECT_EQ(rig.kurara().Lives, 2);
  EXPECT_EQ(rig.kurara().Health, 5);

  // Kurara held back at the left: the walk-in still ends with Tavo.
  StageRig again;
  Game& h = again.g();
  h.SceneId = scene::StageStart;
  again.Pass();
  int steps = 0;
  while (h.SceneId == scene::WalkIn && steps < 100) {
    h.Kurara.X = -500;  // nowhere near
    again.Pass();
    ++steps;
  }
  EXPECT_EQ(h.SceneId, scene::Gameplay);
  EXPECT_EQ(steps, 33);  // Tavo walks 5 pixels a step from 0 to 160
}

TEST(StageScenes, TheExitNeedsMoreThanTenCountsAndSolidGround) {
  StageRig rig;
  Game& g = rig.g();
  Hero& k = rig.kurara();
  Hero& t = rig.tavo();
  g.CameraX = 4480;
  t.X = 4900;
  k.X = 4920;
  // Open cells right under both heroes' x: they stand (their feet reach
  // further) but are not on solid ground as far as the exit is concerned.
  for (int c : {4900 / 20, 4920 / 20})
    for (int r = 29; r < 32; ++r) g.StageMap.At(c, r) = 0;
  rig.Step({}, 8);
  EXPECT_EQ(g.SceneId, scene::Gameplay);
  EXPECT_EQ(g.stage.ExitCount, 16);  // one count per hero per step
  // The exit sign shows beside each of them.
  // Solid ground again under Tavo: the boss stage begins on that step.
  g.StageMap.At(4900 / 20, 29) = 1;
  rig.TakeTrace();
  rig.Step();
  EXPECT_EQ(g.SceneId, scene::BossStage);
  EXPECT_EQ(g.stage.ExitCount, 1);  // Kurara's check after Tavo's still counts
  EXPECT_EQ(g.Boss.X, 580);
  const std::string trace = rig.TakeTrace();
  EXPECT_NE(trace.find("\"looping\":[\"BossS\"]"), std::string::npos) << trace;
  EXPECT_NE(trace.find("\"stopped\":[\"OP\"]"), std::string::npos) << trace;
}

TEST(StageScenes, AHeroStandingAnywhereLeavesOnceTheCountIsHigh) {
  // The count comes from heroes past the exit, but the ground test is each hero's own.
  StageRig rig;
  Game& g = rig.g();
  g.stage.ExitCount = 11;
  rig.Step();
  EXPECT_EQ(g.SceneId, scene::BossStage);
}

TEST(StageScenes, ADeadHeroFollowsIntoTheBossStageOnlyWhenTavoLeads) {
  for (bool tavoLeads : {true, false}) {
    StageRig rig;
    Game& g = rig.g();
    Hero& leader = tavoLeads ? rig.tavo() : rig.kurara();
    Hero& dead = tavoLeads ? rig.kurara() : rig.tavo();
    g.CameraX = 4480;
    leader.X = 4900;
    dead.State = hero::Dead;  // waiting to respawn (a hero out of lives stays out either way)
    dead.Lives = 1;
    dead.Health = 0;
    dead.Y = 700;
    g.stage.ExitCount = 20;
    rig.Step();
    ASSERT_EQ(g.SceneId, scene::BossStage);
    EXPECT_EQ(dead.State, tavoLeads ? hero::Normal : hero::Dead);
    EXPECT_EQ(dead.Y == 480, tavoLeads);
    EXPECT_EQ(dead.Health, tavoLeads ? 5 : 0);
  }
}

TEST(StageScenes, TheCameraIsClampedBeforeAnythingIsDrawn) {
  StageRig rig;
  Game& g = rig.g();
  rig.Solid(0, 300, 20, 20);
  rig.kurara().Y = rig.tavo().Y = 300;  // where their own updates leave the view alone
  g.CameraX = 4600;
  g.CameraY = -30;
  rig.Step();
  EXPECT_EQ(g.CameraX, 4480);
  EXPECT_EQ(g.CameraY, 0);
  EXPECT_EQ(g.hud.NearScrollX, 4480);  // the backdrop used the clamped camera
}

TEST(StageScenes, TheTwoTerrainSpots) {
  StageRig rig;
  Hero& k = rig.kurara();
  rig.Solid(75, 95, 24, 24);  // a step at 1500..1900 whose top is at y 480
  k.X = 1600;
  k.Y = 400;
  k.Vy = 0;
  rig.Step();
  EXPECT_EQ(k.Y, 380);  // lifted onto it

  k.X = 3750;
  k.Y = 300;
  k.Vy = 6;
  rig.Step();
  EXPECT_EQ(k.Y, 400);  // caught in mid-fall
  EXPECT_EQ(k.Vy, 1);   // stopped, then one step of gravity
}

TEST(StageScenes, GameOverDropsTheBannerAndReturnsToTheTitleAfterSixSeconds) {
  StageRig rig;
  Game& g = rig.g();
  g.settings.LivesSetting = 1;
  for (Hero* h : {&g.Tavo, &g.Kurara}) {
    h->Lives = 1;
    h->Health = 1;
  }
  g.Tavo.State = hero::StruckFromRight;
  rig.Step();
  g.Kurara.State = hero::StruckFromRight;
  rig.Step();
  ASSERT_EQ(g.SceneId, scene::GameOver);
  const int32_t start = g.stage.GameOverTick;
  int32_t last = g.stage.GameOverScroll;
  int steps = 0;
  while (g.SceneId == scene::GameOver && steps < 400) {
    rig.Step();
    EXPECT_GE(g.stage.GameOverScroll, last);
    last = g.stage.GameOverScroll;
    ++steps;
  }
  EXPECT_EQ(g.SceneId, scene::TitleSetup);
  EXPECT_GT(Elapsed(g.FrameTick, start), 6000u);
  EXPECT_LE(Elapsed(g.FrameTick, start), 6032u);
  EXPECT_GE(last, g.CameraY + 200);  // the banner came well into the view
  EXPECT_EQ(g.Kurara.State, hero::Normal);
  EXPECT_EQ(g.Tavo.Y, 480);
}

TEST(StageScenes, TheFloorStripCoversTheWindowInOneOrTwoPieces) {
  StageRig rig;
  Game& g = rig.g();
  Surface& strip = g.display.sheets[static_cast<size_t>(Bmp::haikei256)];
  strip = Surface(5120, 710);
  for (int32_t x = 0; x < 640; ++x)
    for (int32_t y = 630; y < 710; ++y) strip.At(x, y) = static_cast<uint16_t>(x + 1);
  for (int32_t camera : {0, 512, 4480, 1000}) {
    std::fill(g.display.World().px.begin(), g.display.World().px.end(), uint16_t{0});
    g.CameraX = camera;
    FloorStripDraw(g);
    const int32_t scroll = Round(camera * 1.25) % 640;
    EXPECT_EQ(g.stage.FloorScrollX, scroll);
    for (int32_t x = 0; x < 640; ++x)
      ASSERT_EQ(g.display.World().At(camera + x, 546), (x + scroll) % 640 + 1) << camera << " " << x;
  }
}

}  // namespace
}  // namespace kt
