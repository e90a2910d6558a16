// Words set with the generated lettering sheet: every glyph is there and
// whole, a line is as wide as measured, and every name the controls card
// shows fits its column.
#include <gtest/gtest.h>

#include <string>

#include "frontend/frontend_state.hpp"
#include "loop/text.hpp"
#include "platform/bindings.hpp"
#include "platform/data_checks.hpp"
#include "platform/platform.hpp"

namespace kt {
namespace {

const Surface& Sheet() {
  static const Surface s = LoadBitmap(std::string(KT_DATA_DIR) + "/bmp/fontmoji.bmp", SheetLimits(512, 352));
  return s;
}

TEST(Text, EveryGlyphIsPaintedWholeInsideItsCell) {
  const FontMetrics font = MeasureFont(Sheet());
  const std::string chars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-=[]\\;',./:()*+?!&#_\"";
  for (int s = 0; s < kFontStyles; ++s) {
    const fontsheet::Block& b = fontsheet::kBlocks[static_cast<size_t>(s)];
    for (char c : chars) {
      const GlyphSpan g = font[static_cast<size_t>(s)][static_cast<size_t>(c - fontsheet::kFirst)];
      EXPECT_GT(g.width, 2) << "'" << c << "' style " << s;
      // Ink at the cell's far edge would mean the glyph was cut off.
      EXPECT_LT(g.left + g.width, b.cellW) << "'" << c << "' style " << s;
      const int x0 = (c - fontsheet::kFirst) % fontsheet::kColumns * b.cellW;
      const int y0 = b.top + (c - fontsheet::kFirst) / fontsheet::kColumns * b.cellH;
      for (int x = x0; x < x0 + b.cellW; ++x) EXPECT_EQ(Sheet().At(x, y0 + b.cellH - 1), 0) << "'" << c << "'";
    }
    EXPECT_EQ(font[static_cast<size_t>(s)][0].width, 0);  // the space
  }
  // A sheet too small for the cells gives no glyphs rather than reading past it.
  const FontMetrics none = MeasureFont(Surface(100, 100));
  EXPECT_EQ(TextWidth(none, FontStyle::Normal, "ABC"), 0);
}

TEST(Text, ALineIsDrawnAsWideAsItIsMeasured) {
  const FontMetrics font = MeasureFont(Sheet());
  for (const char* text : {"A", "WALK LEFT", "kp enter", "PADDLE 1", "[?]"}) {
    Surface target(640, 480);
    DrawText(Sheet(), font, target, FontStyle::Selected, 100, 200, text);
    int left = 640, right = -1, top = 480, bottom = -1;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x)
        if (target.At(x, y)) {
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    EXPECT_EQ(left, 100) << text;
    EXPECT_EQ(right - left + 1, TextWidth(font, FontStyle::Selected, text)) << text;
    EXPECT_GE(top, 200);
    EXPECT_LT(bottom, 200 + TextHeight(FontStyle::Selected));
  }
}

TEST(Text, EveryNameOnTheControlsCardFitsItsColumn) {
  const FontMetrics font = MeasureFont(Sheet());
  for (const FontStyle s : {FontStyle::Normal, FontStyle::Selected}) {
    for (int k = 1; k < kPhysKeys; ++k) {
      if (PhysKeyName(static_cast<PhysKey>(k)).empty()) continue;
      const std::string_view label = PhysKeyLabel(static_cast<PhysKey>(k));
      EXPECT_LE(TextWidth(font, s, label), card::kColumnWidth) << label;
    }
    for (int b = 0; b < kPadButtons; ++b) {
      const std::string_view label = PadButtonLabel(static_cast<PadButton>(b));
      EXPECT_LE(TextWidth(font, s, label), card::kColumnWidth) << label;
    }
    for (int a = 0; a < kHeroActions; ++a)
      EXPECT_LE(TextWidth(font, s, HeroActionLabel(static_cast<HeroAction>(a))), card::kLabelWidth);
    for (int a = 0; a < kSharedActions; ++a)
      EXPECT_LE(TextWidth(font, s, SharedActionLabel(static_cast<SharedAction>(a))), card::kLabelWidth);
  }
}

}  // namespace
}  // namespace kt
