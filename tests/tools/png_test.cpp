// The PNG files written for the desktop (icons, screenshots) and the icon itself.
#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <string>

#include "gen/art_heroes_kit.hpp"
#include "gen/icon.hpp"
#include "gen/png.hpp"
#include "platform/fatal.hpp"

namespace fs = std::filesystem;

namespace {

fs::path TempFile(const std::string& name) {
  return fs::temp_directory_path() /
         ("kt-png-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" + name);
}

// Reads a PNG back with libpng into the format it was written in.
gen::Image ReadPng(const fs::path& path) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.string().c_str())) throw std::runtime_error(png.message);
  gen::Image out;
  out.w = static_cast<int>(png.width);
  out.h = static_cast<int>(png.height);
  out.channels = (png.format & PNG_FORMAT_FLAG_ALPHA) ? 4 : 3;
  png.format = out.channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  out.px.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, out.px.data(), 0, nullptr)) throw std::runtime_error(png.message);
  return out;
}

TEST(Png, Rgb565WidensToFullRangeAndKeysColourZero) {
  const std::vector<uint16_t> px{0xFFFF, 0xF800, 0x07E0, 0x001F, 0x0841, 0x0000};
  const gen::Image rgb = gen::FromRgb565(6, 1, px, false);
  EXPECT_EQ(rgb.channels, 3);
  EXPECT_EQ(rgb.px, (std::vector<uint8_t>{255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255, 8, 8, 8, 0, 0, 0}));
  const gen::Image rgba = gen::FromRgb565(6, 1, px, true);
  EXPECT_EQ(rgba.channels, 4);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(rgba.px[static_cast<size_t>(4 * i + 3)], i == 5 ? 0 : 255) << i;
  // The darkest colour the artwork uses stays visible.
  EXPECT_EQ(rgba.px[16], 8);
}

TEST(Png, WrittenPicturesReadBackExactly) {
  for (const bool keyed : {false, true}) {
    gen::Canvas c(37, 5);  // an odd width: rows are not padded
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) c.Set(x, y, static_cast<uint16_t>((x * 1777 + y * 31) & 0xFFFF));
    const gen::Image written = gen::FromCanvas(c, keyed);
    const fs::path path = TempFile(keyed ? "rgba.png" : "rgb.png");
    gen::WritePng(path, written);
    const gen::Image read = ReadPng(path);
    fs::remove(path);
    EXPECT_EQ(read.w, 37);
    EXPECT_EQ(read.h, 5);
    EXPECT_EQ(read.channels, written.channels);
    EXPECT_EQ(read.px, written.px) << keyed;
  }
}

TEST(Png, FailuresNameTheFile) {
  gen::Image bad{4, 4, 4, std::vector<uint8_t>(10)};
  const fs::path path = TempFile("bad.png");
  try {
    gen::WritePng(path, bad);
    ADD_FAILURE() << "a picture whose pixels do not fill it was written";
  } catch (const kt::FatalError& e) {
    EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
  }
  EXPECT_FALSE(fs::exists(path));
  const fs::path nowhere = TempFile("no-such-folder") / "x.png";
  try {
    gen::WritePng(nowhere, gen::FromCanvas(gen::Canvas(2, 2), true));
    ADD_FAILURE() << "a PNG was reported written into a missing folder";
  } catch (const kt::FatalError& e) {
    EXPECT_NE(std::string(e.what()).find(nowhere.string()), std::string::npos) << e.what();
  }
}

// How many pixels of the canvas have exactly this colour.
int Count(const gen::Canvas& c, uint16_t colour) {
  int n = 0;
  for (uint16_t p : c.px) n += p == colour;
  return n;
}

TEST(Icon, EverySizeShowsBothHeroesOnARoundedTile) {
  for (int size : gen::kIconSizes) {
    const gen::Canvas icon = gen::PaintIcon(size);
    ASSERT_EQ(icon.w, size);
    ASSERT_EQ(icon.h, size);
    // Rounded corners: the corner pixels are transparent, the middle of each edge is not.
    for (int x : {0, size - 1})
      for (int y : {0, size - 1}) EXPECT_EQ(icon.Get(x, y), 0) << size;
    EXPECT_NE(icon.Get(size / 2, size / 20), 0) << size;
    EXPECT_NE(icon.Get(size / 20, size / 2), 0) << size;
    // Kurara's ginger hair and Tavo's blue cap, each a fair part of the icon even at 32.
    const int area = size * size;
    EXPECT_GT(Count(icon, gen::heroes::kKuraraLook.hair.base), area / 50) << size;
    EXPECT_GT(Count(icon, gen::heroes::kTavoLook.accent.base), area / 100) << size;
    // The faces show eyes.
    EXPECT_GT(Count(icon, gen::heroes::kKuraraLook.eye), 0) << size;
    EXPECT_GT(Count(icon, gen::heroes::kTavoLook.eye), 0) << size;
  }
}

}  // namespace
