#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "gen/atlas_table.hpp"
#include "gen/font.hpp"
#include "gen/gen.hpp"
#include "loop/assets.hpp"

namespace {

using gen::AtlasRect;
using gen::Paint;

const kt::BitmapFile* FindSheet(std::string_view name) {
  for (const auto& b : kt::kBitmapFiles)
    if (b.name == name) return &b;
  return nullptr;
}

struct Size {
  int w, h;
};

// The least size each sheet needs: the far edge of the rectangles read from it.
const std::map<std::string, Size, std::less<>> kMinimum{
    {"haikei256", {5120, 710}}, {"tyukan", {5120, 580}},     {"geji256", {700, 300}},   {"char256", {1530, 640}},
    {"OPhaikei", {1921, 560}},  {"option1280", {1279, 959}}, {"optionmoji", {640, 180}}, {"tobidasi", {240, 900}},
    {"GameOption", {400, 442}}, {"Staff", {380, 1000}},      {"Hako", {520, 600}},       {"teki", {1418, 620}},
};

bool Overlap(const AtlasRect& a, const AtlasRect& b) {
  return a.sheet == b.sheet && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(AtlasTable, EveryRectangleIsNonEmptyAndInsideItsSheet) {
  for (const AtlasRect& r : gen::AtlasRects()) {
    const kt::BitmapFile* sheet = FindSheet(r.sheet);
    ASSERT_NE(sheet, nullptr) << r.label;
    EXPECT_NE(r.sheet, "black") << r.label;
    EXPECT_LT(r.left, r.right) << r.label;
    EXPECT_LT(r.top, r.bottom) << r.label;
    EXPECT_GE(r.left, 0) << r.label;
    EXPECT_GE(r.top, 0) << r.label;
    EXPECT_LE(r.right, sheet->width) << r.label;
    EXPECT_LE(r.bottom, sheet->height) << r.label;
    EXPECT_FALSE(r.label.empty());
    if (r.paint == Paint::kBlack) {
      EXPECT_FALSE(r.shown) << r.label;
    }
  }
}

TEST(AtlasTable, SheetsMeetTheirMinimumSizesAndTheTableReachesThem) {
  std::map<std::string, Size, std::less<>> reach;
  for (const AtlasRect& r : gen::AtlasRects()) {
    Size& s = reach[std::string(r.sheet)];
    s.w = std::max(s.w, r.right);
    s.h = std::max(s.h, r.bottom);
  }
  for (const auto& [name, min] : kMinimum) {
    const kt::BitmapFile* sheet = FindSheet(name);
    ASSERT_NE(sheet, nullptr) << name;
    EXPECT_GE(sheet->width, min.w) << name;
    EXPECT_GE(sheet->height, min.h) << name;
    // The far edges of the table are what sets the minimum: a miss here means
    // a rectangle is missing or mistyped.
    EXPECT_EQ(reach[name].w, min.w) << name;
    EXPECT_EQ(reach[name].h, min.h) << name;
  }
  // The world holds the run-up window at camera x 5124 and the beam sliding
  // off the bottom of a window.
  const kt::BitmapFile* world = FindSheet("black");
  ASSERT_NE(world, nullptr);
  EXPECT_GE(world->width, 5764);
  EXPECT_GE(world->height, 1090);
  // A combo tens digit of 10 reads x 700..770 and must be refused.
  EXPECT_LT(FindSheet("geji256")->width, 770);
}

TEST(AtlasTable, DistinctRectanglesPerSheet) {
  std::map<std::string, std::set<std::tuple<int, int, int, int>>, std::less<>> distinct;
  for (const AtlasRect& r : gen::AtlasRects())
    if (r.paint != Paint::kBlack) distinct[std::string(r.sheet)].insert({r.left, r.top, r.right, r.bottom});
  // char256: 138 in normal play plus 12 body cells of the other look.
  EXPECT_EQ(distinct["char256"].size(), 150u);
  EXPECT_EQ(distinct["geji256"].size(), 37u);
  EXPECT_EQ(distinct["optionmoji"].size(), 37u + 1);  // and online play's glyphs
  EXPECT_EQ(distinct["teki"].size(), 25u);
  EXPECT_EQ(distinct["tobidasi"].size(), 12u);
  EXPECT_EQ(distinct["GameOption"].size(), 7u);
  EXPECT_EQ(distinct["Hako"].size(), 6u);
  EXPECT_EQ(distinct["Staff"].size(), 5u);
  // 419 pan positions, the background at 0 and the whole panorama and floor.
  EXPECT_EQ(distinct["OPhaikei"].size(), 422u);
}

// Pictures painted one after the other must not overwrite each other, except
// in strips that are cleared afterwards anyway.
TEST(AtlasTable, OwnPicturesMeetOnlyInBlackStrips) {
  std::vector<const AtlasRect*> owners, blacks;
  for (const AtlasRect& r : gen::AtlasRects()) {
    if (r.Owns()) owners.push_back(&r);
    if (r.paint == Paint::kBlack) blacks.push_back(&r);
  }
  for (size_t i = 0; i < owners.size(); ++i)
    for (size_t j = i + 1; j < owners.size(); ++j) {
      const AtlasRect& a = *owners[i];
      const AtlasRect& b = *owners[j];
      if (!Overlap(a, b)) continue;
      for (int y = std::max(a.top, b.top); y < std::min(a.bottom, b.bottom); ++y)
        for (int x = std::max(a.left, b.left); x < std::min(a.right, b.right); ++x) {
          const bool cleared = std::any_of(blacks.begin(), blacks.end(),
                                           [&](const AtlasRect* k) { return k->sheet == a.sheet && k->Contains(x, y); });
          ASSERT_TRUE(cleared) << a.label << " and " << b.label << " share (" << x << ", " << y << ")";
        }
    }
}

class PaintedSheets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sheets_ = new gen::Sheets;
    for (const auto& b : kt::kBitmapFiles) sheets_->emplace(std::string(b.name), gen::Canvas(b.width, b.height));
    gen::PaintArt(*sheets_);
  }
  static void TearDownTestSuite() {
    delete sheets_;
    sheets_ = nullptr;
  }
  static const gen::Canvas& Sheet(std::string_view name) { return sheets_->find(name)->second; }
  static int Opaque(const AtlasRect& r) {
    const gen::Canvas& c = Sheet(r.sheet);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += c.Get(x, y) != gen::kClear;
    return n;
  }
  static gen::Sheets* sheets_;
};
gen::Sheets* PaintedSheets::sheets_ = nullptr;

TEST_F(PaintedSheets, EveryShownRectangleHasSomethingToShow) {
  for (const AtlasRect& r : gen::AtlasRects()) {
    if (!r.shown || r.sheet == "tyukan") continue;  // the near strip is the terrain's
    const gen::Canvas& c = Sheet(r.sheet);
    bool any = false;
    for (int y = r.top; y < r.bottom && !any; ++y)
      for (int x = r.left; x < r.right && !any; ++x) any = c.Get(x, y) != gen::kClear;
    EXPECT_TRUE(any) << r.label;
  }
}

TEST_F(PaintedSheets, SceneryIsOpaqueAndBlackStripsAreClear) {
  for (const AtlasRect& r : gen::AtlasRects()) {
    if (r.paint == Paint::kScenery) {
      EXPECT_EQ(Opaque(r), r.Width() * r.Height()) << r.label;
    }
    if (r.paint == Paint::kBlack) {
      EXPECT_EQ(Opaque(r), 0) << r.label;
    }
  }
}

TEST_F(PaintedSheets, WorldAndNearStripAreLeftClear) {
  for (std::string_view name : {"black", "tyukan"}) {
    const gen::Canvas& c = Sheet(name);
    EXPECT_TRUE(std::all_of(c.px.begin(), c.px.end(), [](uint16_t p) { return p == gen::kClear; })) << name;
  }
}

TEST_F(PaintedSheets, OptionsBackdropDriftsWithoutSeams) {
  // Options backdrop: a window at any offset shows the same as one at the
  // offset 640 / 480 to the left / above.
  const gen::Canvas& opt = Sheet("option1280");
  for (int y = 0; y < 479; y += 7)
    for (int x = 0; x < 639; x += 5) {
      ASSERT_EQ(opt.Get(x, y), opt.Get(x + 640, y)) << x << "," << y;
      ASSERT_EQ(opt.Get(x, y), opt.Get(x, y + 480)) << x << "," << y;
    }
}

TEST_F(PaintedSheets, PaintingIsRepeatable) {
  gen::Sheets again;
  for (const auto& b : kt::kBitmapFiles) again.emplace(std::string(b.name), gen::Canvas(b.width, b.height));
  gen::PaintArt(again);
  for (const auto& [name, canvas] : again) EXPECT_TRUE(canvas.px == Sheet(name).px) << name;
}

// ---- font ----

// Bounding box of the pixels that differ from `background`.
struct Box {
  int l = 1 << 30, t = 1 << 30, r = -1, b = -1;
};
Box Inked(const gen::Canvas& c) {
  Box box;
  for (int y = 0; y < c.h; ++y)
    for (int x = 0; x < c.w; ++x)
      if (c.Get(x, y) != gen::kClear) {
        box.l = std::min(box.l, x);
        box.t = std::min(box.t, y);
        box.r = std::max(box.r, x + 1);
        box.b = std::max(box.b, y + 1);
      }
  return box;
}

const std::string kCharset =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789&!?.,:-'\"/()+%";

TEST(Font, EveryGlyphInksExactlyItsWidth) {
  const uint16_t ink = gen::Rgb(255, 255, 255);
  for (int scale : {1, 3}) {
    for (char ch : kCharset) {
      ASSERT_TRUE(gen::HasGlyph(ch)) << ch;
      gen::Canvas c(40, 40);
      const std::string s(1, ch);
      gen::DrawText(c, 5, 6, s, ink, scale);
      const Box box = Inked(c);
      ASSERT_GE(box.r, 0) << "no pixels for " << ch;
      EXPECT_EQ(box.l, 5) << ch;
      EXPECT_EQ(box.r, 5 + gen::TextWidth(s, scale)) << ch;
      EXPECT_GE(box.t, 6) << ch;
      EXPECT_LE(box.b, 6 + gen::TextHeight(scale)) << ch;
    }
  }
  EXPECT_TRUE(gen::HasGlyph(' '));
  EXPECT_FALSE(gen::HasGlyph('\t'));
}

TEST(Font, LinesCoverTheirMeasuredWidth) {
  const uint16_t ink = gen::Rgb(200, 40, 40);
  for (std::string_view text : {"Kurara & Tavo!", "combo digit 7", "(x/y) +50%, \"ok\"?", "a\tb"}) {
    gen::Canvas c(300, 40);
    gen::DrawText(c, 10, 10, text, ink, 2);
    const Box box = Inked(c);
    EXPECT_EQ(box.l, 10) << text;
    EXPECT_EQ(box.r, 10 + gen::TextWidth(text, 2)) << text;
    EXPECT_LE(box.b, 10 + gen::TextHeight(2)) << text;
  }
  EXPECT_EQ(gen::TextWidth(""), 0);
  // Glyphs are proportional and a space is a real gap.
  EXPECT_LT(gen::TextWidth("i"), gen::TextWidth("m"));
  EXPECT_GT(gen::TextWidth("a b"), gen::TextWidth("ab"));
}

TEST(Font, OutlineSurroundsTheTextByOnePixel) {
  gen::Canvas plain(120, 40), outlined(120, 40);
  const uint16_t ink = gen::Rgb(250, 250, 250), edge = gen::Rgb(30, 30, 30);
  gen::DrawText(plain, 10, 10, "Pause", ink);
  gen::DrawTextOutlined(outlined, 10, 10, "Pause", ink, edge);
  const Box a = Inked(plain), b = Inked(outlined);
  EXPECT_EQ(b.l, a.l - 1);
  EXPECT_EQ(b.t, a.t - 1);
  EXPECT_EQ(b.r, a.r + 1);
  EXPECT_EQ(b.b, a.b + 1);
  // The strokes keep their colour over the outline.
  for (int y = 0; y < plain.h; ++y)
    for (int x = 0; x < plain.w; ++x)
      if (plain.Get(x, y) == ink) {
        EXPECT_EQ(outlined.Get(x, y), ink);
      }
}

}  // namespace
