// The documented example scripts, played on the real data and the committed
// stage as the headless runner plays them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "loop/frame_loop.hpp"
#include "loop/game.hpp"
#include "loop/startup.hpp"
#include "platform/platform.hpp"

namespace kt {
namespace {

std::unique_ptr<Game> PlayScript(const char* name) {
  std::ifstream in(std::string(KT_SOURCE_DIR) + "/tests/scripts/" + name);
  std::ostringstream text;
  text << in.rdbuf();
  auto g = NewGame();
  auto platform = MakeHeadlessPlatform({0, 16, ParseKeyScript(text.str(), name)});
  Startup(*g, *platform, {KT_DATA_DIR, 0});
  platform->Begin(g->KeyState);
  while (platform->Elapsed() < platform->ScriptLength() && FramePass(*g, *platform)) {
  }
  return g;
}

TEST(Scripts, JumpLandsTavoOnTheFirstLedge) {
  const auto g = PlayScript("jump.keys");
  EXPECT_EQ(g->Tavo.Y, 300);
  EXPECT_EQ(g->Tavo.State, hero::Normal);
  EXPECT_GT(g->Tavo.X, 780 - 80);
  EXPECT_LT(g->Tavo.X, 940);
}

TEST(Scripts, MenusStartAOnePlayerGameWithTheChosenSettings) {
  const auto g = PlayScript("menus.keys");
  EXPECT_EQ(g->SceneId, scene::Gameplay);
  EXPECT_EQ(g->settings.OnePlayerMode, 1);
  EXPECT_EQ(g->settings.MogetaOff, 0);
  EXPECT_EQ(g->settings.EnemyAmount, 30);
  EXPECT_EQ(g->settings.LivesSetting, 3);
}

TEST(Scripts, DashRunsAtSevenPixelsAStep) {
  const auto g = PlayScript("dash.keys");
  EXPECT_EQ(g->Kurara.Dashing, 1);
  EXPECT_EQ(g->Kurara.WalkRight, 1);
}

TEST(Scripts, TheWalkToTheExitReachesTheBossStage) {
  const auto g = PlayScript("to_exit.keys");
  EXPECT_EQ(g->SceneId, scene::BossStage);
}

TEST(Scripts, TheQuitItemShowsTheFarewellPageAndEndsTheRun) {
  const auto g = PlayScript("farewell.keys");
  EXPECT_TRUE(g->QuitRequested);
  EXPECT_EQ(g->SceneId, scene::Ending);
  EXPECT_EQ(g->ending.EndingCount, 101);  // ended by itself, long before the script
}

}  // namespace
}  // namespace kt
