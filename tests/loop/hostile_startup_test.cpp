// Start-up on hostile data: every data file missing, empty, cut, random, a
// folder or a pipe, and pictures, sounds and maps in every unusual form. Each
// case runs the real program in a child with 512 MB and an alarm: it must end
// with exit 1 and one line naming the file, or start normally where the
// format is legitimate; never crash, hang or run out of memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "child.hpp"
#include "hostile/variants.hpp"

namespace fs = std::filesystem;

namespace kt {
namespace {

void RunGroup(const std::string& group) {
  const fs::path dir = fs::temp_directory_path() /
                       ("kt-hostile-" + std::to_string(getpid()) + "-" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(dir);
  hostile::LinkData(KT_DATA_DIR, dir);
  int cases = 0;
  for (const hostile::Case& c : hostile::Cases(KT_DATA_DIR)) {
    if (c.group != group) continue;
    ++cases;
    hostile::Spoil(c, dir);
    const auto o = test::RunChild({KT_PROGRAM, "--headless", "--data", dir.string(), "--max-ms", "0"});
    hostile::Restore(c, KT_DATA_DIR, dir);
    const std::string what = c.file.string() + ", " + c.name + ": " + o.Describe() + ": " + o.output;
    if (c.loads) {
      EXPECT_EQ(o.exitCode, 0) << what;
      EXPECT_EQ(o.output, "") << what;
      continue;
    }
    EXPECT_EQ(o.exitCode, 1) << what;
    EXPECT_EQ(std::count(o.output.begin(), o.output.end(), '\n'), 1) << what;
    EXPECT_TRUE(o.output.starts_with("kurara-tavo: " + (dir / c.file).string() + ": ")) << what;
    EXPECT_NE(o.output.find(c.phrase), std::string::npos) << "wanted '" << c.phrase << "' in " << what;
  }
  fs::remove_all(dir);
  EXPECT_GT(cases, 0);
}

TEST(HostileStartup, EverySoundFileMissingEmptyCutRandomAFolderOrAPipe) { RunGroup("sound files"); }
TEST(HostileStartup, EveryPictureFileMissingEmptyCutRandomAFolderOrAPipe) { RunGroup("picture files"); }
TEST(HostileStartup, EveryMapFileMissingEmptyCutRandomAFolderOrAPipe) { RunGroup("map files"); }
TEST(HostileStartup, PicturesInOtherFormatsLoadAndHostileHeadersAreRefused) { RunGroup("pictures"); }
TEST(HostileStartup, SoundsInOtherFormatsLoadAndHostileHeadersAreRefused) { RunGroup("sounds"); }
TEST(HostileStartup, MapLayoutsLoadAndFieldsThatAreNoValuesAreRefused) { RunGroup("maps"); }

}  // namespace
}  // namespace kt
