#pragma once
// Words set with the lettering sheet: for text the fixed pictures do not hold.
#include <string_view>

#include "loop/font_sheet.hpp"
#include "platform/surface.hpp"

namespace kt {

// Finds each glyph's pixels in the loaded sheet; a sheet too small for the
// cells leaves every glyph blank (nothing is drawn).
FontMetrics MeasureFont(const Surface& sheet);

// Width in pixels of `text` (capitals; small letters are drawn as capitals,
// characters the sheet lacks as '?').
int TextWidth(const FontMetrics& font, FontStyle style, std::string_view text);
// Height of a line of the style.
int TextHeight(FontStyle style);

// Draws `text` with its top-left corner at (x, y) of `dst`, colour-keyed.
void DrawText(const Surface& sheet, const FontMetrics& font, Surface& dst, FontStyle style, int x, int y,
              std::string_view text);

}  // namespace kt
