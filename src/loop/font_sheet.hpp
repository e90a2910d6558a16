#pragma once
// The lettering sheet `fontmoji`: the game's display letters, painted by the
// data generator, for text the fixed pictures do not hold (the controls
// card). Characters 32 to 95 (space, digits, capitals and the common signs)
// in cells of 16 columns by 4 rows, one block of cells per style. A glyph
// sits at the left of its cell on a common baseline; the game finds each
// glyph's width from its pixels.
#include <array>
#include <cstdint>

namespace kt {

enum class FontStyle : uint8_t { Normal, Selected, Heading };
inline constexpr int kFontStyles = 3;

namespace fontsheet {
inline constexpr int kFirst = 32;   // the space
inline constexpr int kGlyphs = 64;  // up to '_'
inline constexpr int kColumns = 16;
inline constexpr int kRows = kGlyphs / kColumns;

struct Block {
  int top;           // first row of the style's cells
  int cellW, cellH;  // one cell
  int spacing;       // pixels from one glyph's ink to the next
  int space;         // advance of a space
};
inline constexpr std::array<Block, kFontStyles> kBlocks{{
    {0, 20, 24, 0, 6},
    {96, 20, 24, 0, 6},
    {192, 32, 40, 1, 10},
}};
inline constexpr int kWidth = 512, kHeight = 352;
}  // namespace fontsheet

// Where each glyph's pixels are in its cell, found when the sheet is loaded.
struct GlyphSpan {
  uint8_t left = 0, width = 0;  // width 0: the cell is blank
};
using FontMetrics = std::array<std::array<GlyphSpan, fontsheet::kGlyphs>, kFontStyles>;

}  // namespace kt
