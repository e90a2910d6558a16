#pragma once
// Short lines of text over the picture: online play's messages and its
// indicator. The letters come from a strip of small glyphs on the menu
// lettering sheet (one 6 x 10 cell each, ink from the left edge, 9 rows with
// the descenders); they are drawn enlarged, with a dark edge, straight onto
// the picture that is about to be shown.
#include <cstdint>
#include <string_view>

#include "platform/surface.hpp"

namespace kt {

inline constexpr std::string_view kLabelGlyphs = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.:-/()%!?+=_";
inline constexpr int32_t kGlyphWidth = 6, kGlyphHeight = 10, kGlyphsPerRow = 37;
inline constexpr int32_t kGlyphLeft = 416, kGlyphTop = 141;  // on the optionmoji sheet

// Where glyph `index` of kLabelGlyphs lies on the sheet.
inline Rect GlyphCell(int32_t index) {
  const int32_t x = kGlyphLeft + kGlyphWidth * (index % kGlyphsPerRow);
  const int32_t y = kGlyphTop + kGlyphHeight * (index / kGlyphsPerRow);
  return Rect{x, y, x + kGlyphWidth, y + kGlyphHeight};
}

// Width in pixels of `text` drawn at `scale`. Letters of either case draw as
// capitals; characters without a glyph as spaces.
int32_t LabelWidth(const Surface& sheet, std::string_view text, int32_t scale = 2);
inline int32_t LabelHeight(int32_t scale = 2) { return (kGlyphHeight - 1) * scale + 2; }

// Draws `text` with its top-left corner at (x, y) of `to` in `colour`
// (RGB565), edged dark; pixels outside `to` are skipped.
void DrawLabel(Surface& to, const Surface& sheet, int32_t x, int32_t y, std::string_view text, uint16_t colour,
               int32_t scale = 2);

// A dark panel with a light rim.
void DrawPanel(Surface& to, const Rect& r);

namespace label {
inline constexpr uint16_t White = 0xFFFF, Gold = 0xFEA0, Red = 0xF9A6, Green = 0x97F2;
}

}  // namespace kt
