// The lettered pictures and the HUD: each stays inside its picture, reads as
// the letters it should, and changes where the game expects a change.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "gen/art_lettering_font.hpp"
#include "gen/art_lettering_looks.hpp"
#include "gen/art_parts.hpp"
#include "gen/atlas_table.hpp"
#include "gen/font.hpp"
#include "loop/assets.hpp"

namespace {

using gen::AtlasRect;
using gen::Canvas;

constexpr uint16_t kMarker = 0xF81F;  // stands for "someone else's pixels"

bool Lettered(const AtlasRect& r) {
  if (r.paint == gen::Paint::kBlack || r.paint == gen::Paint::kShared) return false;
  if (r.sheet == "optionmoji" || r.sheet == "GameOption" || r.sheet == "Staff") return true;
  static const std::set<std::string_view> kHaikei{"title logo", "game over banner", "ending caption sliding in",
                                                   "ending caption arriving", "ending caption settled"};
  if (r.sheet == "haikei256") return kHaikei.count(r.label) > 0;
  if (r.sheet != "geji256") return false;
  for (std::string_view prefix : {"status panel", "hurt gauge", "hit gauge", "lives digit", "hero marker",
                                  "combo digit", "combo word", "exit sign"})
    if (r.label.starts_with(prefix)) return true;
  return false;
}

const AtlasRect& Find(std::string_view label) {
  for (const AtlasRect& r : gen::AtlasRects())
    if (r.label == label) return r;
  throw std::runtime_error("no rectangle " + std::string(label));
}

// Sheets painted by the lettering alone; `fill` stands in for the pixels of
// every other painter.
gen::Sheets PaintOnly(uint16_t fill) {
  gen::Sheets sheets;
  for (const auto& b : kt::kBitmapFiles) {
    Canvas c(b.width, b.height);
    std::fill(c.px.begin(), c.px.end(), fill);
    sheets.emplace(std::string(b.name), std::move(c));
  }
  gen::PaintLettering(sheets);
  return sheets;
}

const gen::Sheets& Painted() {
  static const gen::Sheets kSheets = PaintOnly(gen::kClear);
  return kSheets;
}
const Canvas& Sheet(std::string_view name) { return Painted().find(name)->second; }

struct Rgb8 {
  int r, g, b;
};
Rgb8 Split(uint16_t c) { return {(c >> 11) << 3, ((c >> 5) & 0x3F) << 2, (c & 0x1F) << 3}; }
int Luma(uint16_t c) {
  const Rgb8 v = Split(c);
  return (v.r * 30 + v.g * 59 + v.b * 11) / 100;
}
int Chroma(uint16_t c) {
  const Rgb8 v = Split(c);
  return std::max({v.r, v.g, v.b}) - std::min({v.r, v.g, v.b});
}

int Ink(const Canvas& c, int l, int t, int r, int b) {
  int n = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) n += c.Get(x, y) != 0;
  return n;
}
int Ink(const AtlasRect& r) { return Ink(Sheet(r.sheet), r.left, r.top, r.right, r.bottom); }

// ---- every picture stays whole and in its place ---------------------------------

TEST(LetteringPictures, EachHoldsInkAndIsNotCutByItsRectangle) {
  int pictures = 0;
  for (const AtlasRect& r : gen::AtlasRects()) {
    if (!Lettered(r)) continue;
    ++pictures;
    const Canvas& c = Sheet(r.sheet);
    EXPECT_GE(Ink(r), std::max(20, r.Width() * r.Height() / 25)) << r.label;
    // The status panel spans the window; everything else keeps a transparent
    // border, or a glyph or frame ran into the rectangle's edge and was cut.
    if (r.label == "status panel") continue;
    const int edge = Ink(c, r.left, r.top, r.right, r.top + 1) + Ink(c, r.left, r.bottom - 1, r.right, r.bottom) +
                     Ink(c, r.left, r.top, r.left + 1, r.bottom) + Ink(c, r.right - 1, r.top, r.right, r.bottom);
    EXPECT_EQ(edge, 0) << r.label << " touches its edge";
  }
  EXPECT_EQ(pictures, 37 + 7 + 5 + 5 + 1 + 10 + 5 + 2 + 10 + 1 + 1 + 1);  // the last: online play's glyphs
}

TEST(LetteringPictures, OtherPaintersPixelsAreLeftAlone) {
  const gen::Sheets sheets = PaintOnly(kMarker);
  for (const auto& [name, canvas] : sheets) {
    std::vector<uint8_t> mine(canvas.px.size(), 0);
    for (const AtlasRect& r : gen::AtlasRects())
      if (Lettered(r) && r.sheet == name)
        for (int y = r.top; y < r.bottom; ++y)
          std::fill_n(mine.begin() + static_cast<ptrdiff_t>(y) * canvas.w + r.left, r.Width(), 1);
    for (size_t i = 0; i < mine.size(); ++i) {
      // Outside the lettering nothing changes; inside, the placeholder is
      // gone and nothing of it shows through.
      if (mine[i]) {
        ASSERT_NE(canvas.px[i], kMarker) << name << " (" << i % canvas.w << ", " << i / canvas.w << ")";
      } else {
        ASSERT_EQ(canvas.px[i], kMarker) << name << " (" << i % canvas.w << ", " << i / canvas.w << ")";
      }
    }
  }
}

TEST(LetteringPictures, SameBytesEveryRun) {
  const gen::Sheets again = PaintOnly(gen::kClear);
  for (const auto& [name, canvas] : Painted()) EXPECT_EQ(canvas.px, again.find(name)->second.px) << name;
}

// ---- selected forms ---------------------------------------------------------------

// Mean chroma and brightness of a picture's inked pixels.
struct Tone {
  int chroma = 0, luma = 0;
};
Tone ToneOf(const AtlasRect& r) {
  const Canvas& c = Sheet(r.sheet);
  long chroma = 0, luma = 0, n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (const uint16_t p = c.Get(x, y)) {
        chroma += Chroma(p);
        luma += Luma(p);
        ++n;
      }
  return n ? Tone{static_cast<int>(chroma / n), static_cast<int>(luma / n)} : Tone{};
}

TEST(LetteringPictures, SelectedFormsStandOutFromTheNormalOnes) {
  std::vector<std::pair<std::string, std::string>> pairs{
      {"menu 1 player", "menu 1 player selected"}, {"menu 2 players", "menu 2 players selected"},
      {"menu options", "menu options selected"},   {"menu quit", "menu quit selected"},
      {"pause continue", "pause continue selected"}, {"pause restart", "pause restart selected"},
      {"pause quit", "pause quit selected"}};
  for (const char* c : {"amount low", "amount middle", "amount high", "gauge on", "gauge off", "exit", "lives 1",
                        "lives 2", "lives 3", "lives 4", "lives 5"})
    pairs.emplace_back(c, std::string(c) + " selected");
  for (const auto& [normal, selected] : pairs) {
    const Tone a = ToneOf(Find(normal)), b = ToneOf(Find(selected));
    // Quiet grey against bright, warm colour: a glance tells them apart.
    EXPECT_GE(b.chroma, a.chroma + 60) << selected;
    EXPECT_GT(a.luma, 60) << normal << " must stay readable";
  }
}

// ---- HUD -----------------------------------------------------------------------------

// The gauge bar of level g drawn over the panel's empty trough where the HUD
// draws it: the pixels it changes, and their mean column.
struct Change {
  int count = 0;
  double column = 0;
};
Change GaugeChange(int sheetX, int level, int other, int panelX) {
  const Canvas& g = Sheet("geji256");
  Change ch;
  for (int y = 0; y < 26; ++y)  // rows above the panel's bottom
    for (int x = 0; x < 100; ++x) {
      const uint16_t p = g.Get(sheetX + x, 100 + 30 * level + y);
      if (!p) continue;
      const uint16_t before = other ? g.Get(sheetX + x, 100 + 30 * other + y) : g.Get(panelX + x, 70 + 31 + y);
      if (p != before) {
        ++ch.count;
        ch.column += x;
      }
    }
  if (ch.count) ch.column /= ch.count;
  return ch;
}

TEST(Hud, EachGaugeLevelFillsOneMoreSegmentFromTheLeft) {
  // Hit gauge at x 0 (Tavo's bar at 176), hurt gauge at x 100 (Tavo's at 77).
  for (const auto& [sheetX, panelX] : {std::pair{0, 176}, std::pair{100, 77}}) {
    double lastColumn = -1;
    for (int level = 1; level <= 5; ++level) {
      const Change step = GaugeChange(sheetX, level, level - 1, panelX);
      EXPECT_GE(step.count, 100) << "gauge at " << sheetX << " level " << level;
      // Level 1..4 add one segment each to the right of the last one; the
      // full bar's frame changes too, so its change may spread.
      if (level < 5) {
        EXPECT_GT(step.column, lastColumn + 8) << "gauge at " << sheetX << " level " << level;
      }
      lastColumn = step.column;
    }
    // The bar matches the trough it is drawn over: away from the segments
    // (the badge) level 1 changes nothing.
    const Canvas& g = Sheet("geji256");
    for (int y = 0; y < 26; ++y)
      for (int x = 0; x < 22; ++x)
        if (const uint16_t p = g.Get(sheetX + x, 130 + y)) {
          EXPECT_EQ(p, g.Get(panelX + x, 101 + y)) << "gauge at " << sheetX << " (" << x << ", " << y << ")";
        }
  }
}

TEST(Hud, LivesDigitsAndGaugeMeetOnTransparentRows) {
  EXPECT_EQ(Ink(Sheet("geji256"), 0, 278, 100, 280), 0);
  // Each digit is its own numeral.
  std::set<std::vector<uint16_t>> seen;
  for (int n = 1; n <= 5; ++n) {
    Canvas cell(20, 22);
    cell.Paste(Sheet("geji256"), 20 * n - 20, 278, 20 * n, 300, 0, 0);
    EXPECT_TRUE(seen.insert(cell.px).second) << n;
  }
}

TEST(Hud, ComboNumeralsLeaveRoomForTheOnesDigitAndTheWord) {
  const Canvas& g = Sheet("geji256");
  std::set<std::vector<uint16_t>> seen;
  int digitBottom = 0;
  for (int d = 0; d <= 9; ++d) {
    // The ones digit is drawn 40 pixels right of the tens digit.
    EXPECT_EQ(Ink(g, 70 * d + 39, 0, 70 * d + 70, 70), 0) << "digit " << d;
    Canvas cell(70, 70);
    cell.Paste(g, 70 * d, 0, 70 * d + 70, 70, 0, 0);
    EXPECT_TRUE(seen.insert(cell.px).second) << d;
    for (int y = 0; y < 70; ++y)
      if (Ink(g, 70 * d, y, 70 * d + 70, y + 1)) digitBottom = std::max(digitBottom, y);
  }
  // The word is drawn at the ones digit's place: its lettering starts past
  // the digit, and its baseline (3 rows lower on screen) meets the digits'.
  EXPECT_EQ(Ink(g, 310, 200, 310 + 40, 270), 0);
  int wordBottom = 0;
  for (int y = 200; y < 270; ++y)
    if (Ink(g, 310, y, 505, y + 1)) wordBottom = y - 200;
  EXPECT_NEAR(wordBottom + 3, digitBottom, 3);
}

TEST(Hud, MarkerBlinkFrameDiffersAndSitsHigher) {
  const Canvas& g = Sheet("geji256");
  // Topmost inked row on screen: frame 1 at y 30, frame 2 at y 27.
  const auto top = [&](int t, int b, int screenY) {
    for (int y = t; y < b; ++y)
      if (Ink(g, 640, y, 695, y + 1)) return screenY + y - t;
    return 1000;
  };
  EXPECT_LT(top(89, 110, 27), top(70, 89, 30));
  EXPECT_NE(ToneOf(Find("hero marker")).luma, ToneOf(Find("hero marker blink")).luma);
}

// ---- display letters --------------------------------------------------------------

// The characters the lettering uses.
constexpr std::string_view kCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789&!";

// At every size the lettering uses, a display letter sampled at the middle of
// each cell gives back the pixel font's glyph: no stroke lost, no gap inside a
// letter closed, so every character is drawn distinctly and as itself.
TEST(DisplayFont, EveryLetterKeepsItsGlyphAtEverySize) {
  for (const gen::LetterShape& shape : gen::letters::kAllShapes) {
    std::set<std::vector<uint8_t>> shapes;
    for (char ch : kCharacters) {
      const std::string s(1, ch);
      const int w = gen::TextWidth(s);
      Canvas glyph(w, gen::kGlyphRows);
      gen::DrawText(glyph, 0, 0, s, 1);
      const int pad = 8;
      gen::InkMask ink(static_cast<int>(w * shape.sx) + 2 * pad, static_cast<int>(9 * shape.sy) + 2 * pad);
      gen::StampLine(ink, pad, pad, s, shape);
      for (int r = 0; r < gen::kGlyphRows; ++r)
        for (int c = 0; c < w; ++c) {
          const int x = static_cast<int>(pad + (c + 0.5) * shape.sx);
          const int y = static_cast<int>(pad + (r + 0.5) * shape.sy);
          ASSERT_EQ(ink.At(x, y) != 0, glyph.Get(c, r) != 0)
              << "'" << ch << "' cell (" << c << ", " << r << ") at " << shape.sx << " x " << shape.sy;
        }
      EXPECT_TRUE(shapes.insert(ink.v).second) << "'" << ch << "' looks like another letter";
    }
  }
}

TEST(DisplayFont, DressingStaysInsideItsPadsAndShadowFallsLowerRight) {
  gen::LetterLook look = gen::letters::Gold();
  look.outline = 2;
  look.rim = 1;
  look.shadow = 3;
  const gen::InkMask ink = gen::Letters("A", {.sx = 4, .sy = 4});
  const Canvas pic = gen::Dress(ink, look);
  ASSERT_EQ(pic.w, ink.w + gen::PadBefore(look) + gen::PadAfter(look));
  ASSERT_EQ(pic.h, ink.h + gen::PadBefore(look) + gen::PadAfter(look));
  // The outline reaches the left and top edges, the shadow the right and bottom.
  EXPECT_GT(Ink(pic, 0, 0, 1, pic.h), 0);
  EXPECT_GT(Ink(pic, 0, 0, pic.w, 1), 0);
  EXPECT_GT(Ink(pic, pic.w - 1, 0, pic.w, pic.h), 0);
  EXPECT_GT(Ink(pic, 0, pic.h - 1, pic.w, pic.h), 0);
  const uint16_t shadow = look.shadowColour.Px();
  EXPECT_EQ(std::count(pic.px.begin(), pic.px.begin() + pic.w, shadow), 0);  // none on the top row
  EXPECT_GT(std::count(pic.px.end() - pic.w, pic.px.end(), shadow), 0);       // some on the bottom row
}

TEST(DisplayFont, TrackingAndSpacesWidenTheLine) {
  const gen::LetterShape tight{.sx = 2, .sy = 3};
  gen::LetterShape loose = tight;
  loose.tracking = 1;
  // "A B": 5 + 1 + 3 + 1 + 5 cells; tracking adds a pixel at each of the two gaps.
  EXPECT_DOUBLE_EQ(gen::LineWidth("A B", tight), 30);
  EXPECT_DOUBLE_EQ(gen::LineWidth("A B", loose), 32);
  EXPECT_EQ(gen::Letters("A B", loose).w - gen::Letters("A B", tight).w, 2);
}

}  // namespace
