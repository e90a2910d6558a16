// The lettering sheet: the display letters of every other lettered picture,
// one character to a cell, so the game can set words the pictures do not
// hold (the controls card).
#include <cmath>
#include <string>

#include "gen/art_lettering_looks.hpp"
#include "gen/art_parts.hpp"
#include "loop/font_sheet.hpp"

namespace gen {

namespace {

using namespace letters;
namespace fs = kt::fontsheet;

struct Style {
  LetterShape shape;
  LetterLook look;
};

Style StyleOf(kt::FontStyle s) {
  switch (s) {
    case kt::FontStyle::Normal: return {kSheetText, Ice()};
    case kt::FontStyle::Selected: {
      LetterLook k = Selected();
      k.glow = 0;  // the rim alone, so the letters keep the size of the plain ones
      return {kSheetText, k};
    }
    case kt::FontStyle::Heading: return {kSheetHeading, Sticker(Gold(), 2, 1, 2)};
  }
  return {};
}

}  // namespace

void PaintFontSheet(Sheets& sheets) {
  const auto it = sheets.find("fontmoji");
  if (it == sheets.end()) return;
  Canvas& sheet = it->second;
  for (int s = 0; s < kt::kFontStyles; ++s) {
    const fs::Block& block = fs::kBlocks[static_cast<size_t>(s)];
    const Style style = StyleOf(static_cast<kt::FontStyle>(s));
    const int pb = PadBefore(style.look), pa = PadAfter(style.look);
    // Room for the round ends of the strokes left and above the first cell.
    const double ex = std::ceil(style.shape.weight * style.shape.sx / 2);
    const double ey = std::ceil(style.shape.weight * style.shape.sy / 2);
    for (int i = 0; i < fs::kGlyphs; ++i) {
      const char ch = static_cast<char>(fs::kFirst + i);
      InkMask ink(block.cellW - pb - pa, block.cellH - pb - pa);
      StampLine(ink, ex - style.shape.sx / 2, ey - style.shape.sy / 2, std::string(1, ch), style.shape);
      const int x = (i % fs::kColumns) * block.cellW, y = block.top + (i / fs::kColumns) * block.cellH;
      sheet.Fill(x, y, x + block.cellW, y + block.cellH, kClear);
      Overlay(sheet, Dress(ink, style.look), x, y);
    }
  }
}

}  // namespace gen
