// The recorded demos in tests/demos: each replays with every step's state
// hash checked and ends where it should. `make demos` re-makes them after a
// change of gameplay.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "loop/demo.hpp"

namespace fs = std::filesystem;

namespace kt {
namespace {

struct Expectation {
  std::vector<int32_t> runs;  // scenes the demo must pass through
  int32_t endsIn;
  std::function<void(const Game&)> check;
};

const std::map<std::string, Expectation>& Expected() {
  static const std::map<std::string, Expectation> expected{
      {"playthrough-1p.demo",
       {{scene::Gameplay, scene::BossStage, scene::Ending}, scene::Title,
        [](const Game& g) {
          EXPECT_EQ(g.settings.OnePlayerMode, 1);
          EXPECT_EQ(g.settings.EnemyAmount, 30);  // a finished game raises the amount
        }}},
      {"playthrough-2p-extra.demo",
       {{scene::Options, scene::Gameplay, scene::BossStage, scene::Ending}, scene::Title,
        [](const Game& g) {
          EXPECT_EQ(g.settings.OnePlayerMode, 2);
          EXPECT_EQ(g.settings.EnemyAmount, 30);
          EXPECT_EQ(g.settings.LivesSetting, 5);
          EXPECT_EQ(g.settings.MogetaOff, 0);
          EXPECT_EQ(g.settings.ByoonOff, 0);
        }}},
      {"game-over.demo",
       {{scene::Options, scene::Gameplay, scene::GameOver}, scene::Title,
        [](const Game& g) { EXPECT_EQ(g.settings.LivesSetting, 1); }}},
      {"pause-restart-quit.demo",
       {{scene::Gameplay, scene::Pause, scene::StageStart, scene::Title}, scene::Ending,
        [](const Game& g) {
          EXPECT_TRUE(g.QuitRequested);
          EXPECT_EQ(g.ending.EndingPhase, 7);  // the menu's farewell page
        }}},
  };
  return expected;
}

std::vector<std::string> DemoFiles() {
  std::vector<std::string> files;
  for (const auto& e : fs::directory_iterator(fs::path(KT_SOURCE_DIR) / "tests" / "demos"))
    if (e.path().extension() == ".demo") files.push_back(e.path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}

class DemoFile : public ::testing::TestWithParam<std::string> {};

TEST_P(DemoFile, ReplaysStepByStepAndEndsWhereItShould) {
  const Demo demo = LoadDemo(fs::path(KT_SOURCE_DIR) / "tests" / "demos" / GetParam());
  ASSERT_TRUE(demo.end) << "a demo without an end";
  auto g = NewGame();
  DemoPlayer player(demo, nullptr);
  const ReplayResult r = PlayDemo(*g, player, demo, KT_DATA_DIR);
  ASSERT_FALSE(r.mismatch) << DescribeMismatch(*r.mismatch)
                           << "\nIf gameplay changed on purpose, re-make the demos with 'make demos'.";
  EXPECT_EQ(r.steps, demo.end->steps);
  EXPECT_EQ(r.finalScene, demo.end->scene);
  const auto it = Expected().find(GetParam());
  if (it == Expected().end()) return;
  const Expectation& e = it->second;
  for (int32_t s : e.runs) EXPECT_TRUE(r.Ran(s)) << "never ran scene " << s;
  EXPECT_EQ(r.finalScene, e.endsIn);
  e.check(*g);
}

INSTANTIATE_TEST_SUITE_P(Recorded, DemoFile, ::testing::ValuesIn(DemoFiles()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           std::string name = fs::path(param.param).stem().string();
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

TEST(DemoFiles, EveryExpectedDemoIsThere) {
  const auto files = DemoFiles();
  for (const auto& [name, e] : Expected())
    EXPECT_NE(std::find(files.begin(), files.end(), name), files.end()) << name << " is missing";
}

}  // namespace
}  // namespace kt
