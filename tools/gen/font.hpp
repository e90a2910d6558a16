#pragma once
// The generator's own pixel font: proportional glyphs of up to 5 x 9 pixels
// (capitals and digits 7 rows high, descenders 2 rows below), one blank column
// between glyphs. Every pixel is drawn as a scale x scale block.
#include <cstdint>
#include <string_view>

#include "gen/canvas.hpp"

namespace gen {

inline constexpr int kGlyphRows = 9;

// True for the characters the font has a glyph for (space included); any
// other character is drawn as a hollow box.
bool HasGlyph(char ch);

// Width in pixels of one line of text: from the first glyph's left column to
// the last glyph's right column. 0 for an empty string.
int TextWidth(std::string_view text, int scale = 1);
// Height in pixels of one line, descenders included.
inline int TextHeight(int scale = 1) { return kGlyphRows * scale; }

// Draws one line with its top-left corner at (x, y); pixels outside the canvas
// are skipped. Every drawn pixel lies in (x, y, x + TextWidth, y + TextHeight).
void DrawText(Canvas& c, int x, int y, std::string_view text, uint16_t colour, int scale = 1);

// The same with a 1-pixel outline around every stroke, which reaches one pixel
// beyond the text's box on each side.
void DrawTextOutlined(Canvas& c, int x, int y, std::string_view text, uint16_t colour, uint16_t outline,
                      int scale = 1);

}  // namespace gen
