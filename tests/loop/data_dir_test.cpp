// Where the game finds its data: the command line's folder, then data/ beside
// the program, then the installed share folder relative to the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "kt_build_info.hpp"
#include "loop/data_dir.hpp"
#include "platform/fatal.hpp"

namespace fs = std::filesystem;

namespace kt {
namespace {

// An installed tree in a temporary folder: prefix/bin is the program's folder.
class Tree {
 public:
  Tree()
      : root_(fs::temp_directory_path() /
              ("kt-tree-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))) {
    fs::remove_all(root_);
    fs::create_directories(Bin());
  }
  ~Tree() { fs::remove_all(root_); }

  fs::path Bin() const { return root_ / "prefix" / "bin"; }
  fs::path Beside() const { return Bin() / "data"; }
  fs::path Shared() const { return (Bin() / KT_DATA_FROM_PROGRAM).lexically_normal(); }
  fs::path Root() const { return root_; }

  // Makes `dir` a data folder (or, with `skip`, one that lacks that subfolder).
  static void Fill(const fs::path& dir, const std::string& skip = "") {
    for (const char* sub : {"bmp", "sound", "map"})
      if (sub != skip) fs::create_directories(dir / sub);
  }

 private:
  fs::path root_;
};

std::string Error(const fs::path& given, const fs::path& programDir) {
  try {
    FindDataDir(given, programDir);
  } catch (const FatalError& e) {
    return e.what();
  }
  return "";
}

TEST(DataDir, TheInstalledFolderLiesUnderTheSamePrefixAsTheProgram) {
  Tree t;
  const std::string inPrefix = t.Shared().lexically_relative(t.Root() / "prefix").string();
  EXPECT_FALSE(inPrefix.empty() || inPrefix.starts_with("..")) << t.Shared();
}

TEST(DataDir, DataBesideTheProgramComesBeforeTheInstalledFolder) {
  Tree t;
  Tree::Fill(t.Shared());
  EXPECT_EQ(FindDataDir({}, t.Bin()), t.Shared());
  Tree::Fill(t.Beside());
  EXPECT_EQ(FindDataDir({}, t.Bin()), t.Beside());
}

TEST(DataDir, AFolderLackingOneOfTheThreeIsPassedOver) {
  for (const char* missing : {"bmp", "sound", "map"}) {
    Tree t;
    Tree::Fill(t.Beside(), missing);
    Tree::Fill(t.Shared());
    EXPECT_EQ(FindDataDir({}, t.Bin()), t.Shared()) << missing;
  }
}

TEST(DataDir, AMovedPrefixStillFindsItsData) {
  Tree t;
  Tree::Fill(t.Shared());
  const fs::path inPrefix = t.Shared().lexically_relative(t.Root() / "prefix");
  const fs::path moved = t.Root() / "elsewhere";
  fs::rename(t.Root() / "prefix", moved);
  EXPECT_EQ(FindDataDir({}, moved / "bin"), moved / inPrefix);
}

TEST(DataDir, TheGivenFolderIsTheOnlyPlaceLookedAt) {
  Tree t;
  Tree::Fill(t.Beside());
  Tree::Fill(t.Shared());
  const fs::path mine = t.Root() / "mine";
  Tree::Fill(mine);
  EXPECT_EQ(FindDataDir(mine, t.Bin()), mine);
  // A given folder without data is an error even though the usual places hold data.
  const fs::path empty = t.Root() / "empty";
  fs::create_directories(empty);
  const std::string error = Error(empty, t.Bin());
  EXPECT_NE(error.find(empty.string()), std::string::npos) << error;
  EXPECT_EQ(error.find(t.Beside().string()), std::string::npos) << error;
}

TEST(DataDir, WithoutDataTheErrorListsEveryPlaceLookedAt) {
  Tree t;
  const std::string error = Error({}, t.Bin());
  ASSERT_FALSE(error.empty());
  EXPECT_NE(error.find(t.Beside().string()), std::string::npos) << error;
  EXPECT_NE(error.find(t.Shared().string()), std::string::npos) << error;
  EXPECT_EQ(error.find(".."), std::string::npos) << error;
  EXPECT_LT(error.find(t.Beside().string()), error.find(t.Shared().string())) << error;
}

}  // namespace
}  // namespace kt
