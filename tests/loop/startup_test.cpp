#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "loop/game.hpp"
#include "loop/startup.hpp"
#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace fs = std::filesystem;

namespace kt {
namespace {

// A data folder of links to the generated files, one of which a test replaces.
class DataCopy {
 public:
  DataCopy() : dir_(fs::temp_directory_path() / ("kt-data-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                                                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::remove_all(dir_);
    for (const char* sub : {"bmp", "sound", "map"}) {
      fs::create_directories(dir_ / sub);
      for (const auto& e : fs::directory_iterator(fs::path(KT_DATA_DIR) / sub))
        fs::create_symlink(e.path(), dir_ / sub / e.path().filename());
    }
  }
  ~DataCopy() { fs::remove_all(dir_); }

  const fs::path& Dir() const { return dir_; }

  // Replaces a file by `bytes`, or by the first `keep` bytes of the real one.
  void Replace(const fs::path& rel, const std::string& bytes) {
    fs::remove(dir_ / rel);
    std::ofstream(dir_ / rel, std::ios::binary) << bytes;
  }
  void Truncate(const fs::path& rel, size_t keep) {
    std::ifstream in(fs::path(KT_DATA_DIR) / rel, std::ios::binary);
    std::string bytes(keep, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(keep));
    Replace(rel, bytes);
  }

 private:
  fs::path dir_;
};

// Starts a game on the given data and returns the fatal message ("" if it started).
std::string StartupError(const fs::path& dir) {
  auto g = NewGame();
  auto platform = MakeHeadlessPlatform({});
  try {
    Startup(*g, *platform, {dir, 1});
  } catch (const FatalError& e) {
    return e.what();
  }
  return "";
}

TEST(Startup, LoadsEverythingAndGivesTheStartValues) {
  auto g = NewGame();
  g->settings.EnemyAmount = 30;  // as if chosen in an earlier game
  g->settings.LivesSetting = 5;
  auto platform = MakeHeadlessPlatform({});
  Startup(*g, *platform, {KT_DATA_DIR, 7});
  EXPECT_EQ(g->SceneId, scene::TitleSetup);
  EXPECT_EQ(g->settings.EnemyAmount, 20);
  EXPECT_EQ(g->settings.LivesSetting, 2);
  EXPECT_EQ(g->settings.FullHitGauge, 0);
  EXPECT_EQ(g->settings.FullHurtGauge, 0);
  EXPECT_EQ(g->settings.AmountMarkX, 375);
  EXPECT_EQ(g->settings.HitGaugeMarkX, 445);
  EXPECT_TRUE(g->settings.GraphicsReady);
  EXPECT_FLOAT_EQ(g->settings.DegToRad, static_cast<float>(3.141592 / 180));
  EXPECT_EQ(g->display.World().w, 5800);
  for (uint16_t p : g->display.World().px) ASSERT_EQ(p, 0);
  for (size_t i = 0; i < kBitmapFiles.size(); ++i) {
    EXPECT_GE(g->display.sheets[i].w, kBitmapFiles[i].width);
    EXPECT_GE(g->display.sheets[i].h, kBitmapFiles[i].height);
  }
  ASSERT_NE(g->audio.mixer, nullptr);
  for (int i = 0; i < kSoundCount; ++i) EXPECT_GT(g->audio.mixer->Length(i), 0u) << kSoundFiles[static_cast<size_t>(i)];
  EXPECT_TRUE(g->StageMap.Solid(0, 29));
}

TEST(Startup, TheSameSeedGivesTheSameNumbers) {
  auto a = NewGame(), b = NewGame();
  auto pa = MakeHeadlessPlatform({}), pb = MakeHeadlessPlatform({});
  Startup(*a, *pa, {KT_DATA_DIR, 42});
  Startup(*b, *pb, {KT_DATA_DIR, 42});
  for (int i = 0; i < 100; ++i) {
    const double x = Rnd(*a);
    ASSERT_EQ(x, Rnd(*b));
    ASSERT_GE(x, 0.0);
    ASSERT_LT(x, 1.0);
  }
}

TEST(Startup, EveryBrokenFileIsAFatalErrorNamingIt) {
  const struct {
    const char* file;
    int how;  // 0 missing, 1 empty, 2 truncated, 3 garbage
  } cases[] = {
      {"bmp/char256.bmp", 0}, {"bmp/tyukan.bmp", 1},  {"bmp/teki.bmp", 2},       {"bmp/Hako.bmp", 3},
      {"sound/OP.wav", 0},    {"sound/kettei.wav", 1}, {"sound/BossS.wav", 2},   {"sound/nigekoe.wav", 3},
      {"map/map13.dat", 0},   {"map/map16.dat", 1},   {"map/map11.dat", 2},     {"map/map14.dat", 3},
  };
  for (const auto& c : cases) {
    DataCopy data;
    const fs::path rel = c.file;
    switch (c.how) {
      case 0: fs::remove(data.Dir() / rel); break;
      case 1: data.Replace(rel, ""); break;
      case 2: data.Truncate(rel, fs::file_size(fs::path(KT_DATA_DIR) / rel) / 2); break;
      case 3: data.Replace(rel, "this is not what the file claims to be\n1,2,x\n"); break;
    }
    const std::string error = StartupError(data.Dir());
    EXPECT_NE(error.find(rel.filename().string()), std::string::npos) << c.file << " " << c.how << ": " << error;
  }
}

TEST(Startup, APictureSmallerThanTheGameNeedsIsRefused) {
  DataCopy data;
  // A valid 16-bit BMP of 8 x 8 pixels, far smaller than the sheet.
  std::string bmp = "BM";
  auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bmp += static_cast<char>(v >> (8 * i)); };
  auto put16 = [&](uint16_t v) { for (int i = 0; i < 2; ++i) bmp += static_cast<char>(v >> (8 * i)); };
  put32(66 + 128); put32(0); put32(66);
  put32(40); put32(8); put32(8); put16(1); put16(16); put32(3); put32(128); put32(0); put32(0); put32(0); put32(0);
  put32(0xF800); put32(0x07E0); put32(0x001F);
  bmp += std::string(128, '\x11');
  data.Replace("bmp/geji256.bmp", bmp);
  const std::string error = StartupError(data.Dir());
  EXPECT_NE(error.find("geji256.bmp"), std::string::npos) << error;
  EXPECT_NE(error.find("8 x 8"), std::string::npos) << error;
}

}  // namespace
}  // namespace kt
