// The headless runner's input: scripts longer than 2^32 ms, and paths checked
// before the run starts, in the real program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "child.hpp"
#include "platform/platform.hpp"

namespace fs = std::filesystem;

namespace kt {
namespace {

TEST(Runner, AScriptLongerThan2To32MillisecondsPlaysToItsEnd) {
  // Fifty days of nothing (the longest a line may be is one day), then Right.
  std::string text;
  for (int i = 0; i < 50; ++i) text += "86400000\n";
  text += "1000 Right\n";
  HeadlessPlatform p({4'000'000'000u, 10'000, ParseKeyScript(text, "long.keys")});
  EXPECT_EQ(p.ScriptLength(), 4'320'001'000u);
  KeyTable keys{};
  p.Begin(keys);
  while (p.Elapsed() < 4'320'000'000u) {
    ASSERT_FALSE(keys[vk::Right]) << p.Elapsed();
    p.ProcessMessages(keys);
  }
  EXPECT_EQ(p.Elapsed(), 4'320'000'000u);  // counted on past 2^32 while the clock wrapped
  EXPECT_TRUE(keys[vk::Right]);
  p.ProcessMessages(keys);
  EXPECT_FALSE(keys[vk::Right]);  // the script is used up
}

class RunnerPaths : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("kt-runner-" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(RunnerPaths, AFolderAsScriptIsABadArgument) {
  const auto o = test::RunChild({KT_PROGRAM, "--headless", "--script", dir_.string()});
  EXPECT_EQ(o.exitCode, 2) << o.output;
  EXPECT_EQ(o.output, "kurara-tavo: --script " + dir_.string() + ": is a folder, not a key script\n");
}

TEST_F(RunnerPaths, OutputPathsAreCheckedBeforeStartUp) {
  // The data folder is missing too, but the bad output path is found first.
  for (const char* option : {"--screenshot", "--dump-state", "--trace"}) {
    const std::string bad = (dir_ / "no-such-folder" / "out").string();
    const auto o = test::RunChild({KT_PROGRAM, "--headless", "--data", "/nonexistent", option, bad});
    EXPECT_EQ(o.exitCode, 2) << option << ": " << o.output;
    EXPECT_TRUE(o.output.starts_with(std::string("kurara-tavo: ") + option + " " + bad + ": cannot write there"))
        << o.output;
    const auto folder = test::RunChild({KT_PROGRAM, "--headless", option, dir_.string()});
    EXPECT_EQ(folder.exitCode, 2) << option << ": " << folder.output;
  }
  // A writable path is created at once and keeps what it held until the run writes it.
  const fs::path keep = dir_ / "keep.json";
  { std::ofstream(keep) << "old"; }
  const auto o = test::RunChild({KT_PROGRAM, "--headless", "--data", "/nonexistent", "--dump-state", keep.string(),
                                 "--trace", (dir_ / "new.jsonl").string()});
  EXPECT_EQ(o.exitCode, 1) << o.output;  // start-up fails on the data, after the paths passed
  EXPECT_TRUE(fs::exists(dir_ / "new.jsonl"));
  EXPECT_EQ(fs::file_size(keep), 3u);
}

}  // namespace
}  // namespace kt
