#include "loop/text.hpp"

#include <algorithm>
#include <cctype>

#include "loop/assets.hpp"

namespace kt {

namespace {

namespace fs = fontsheet;
static_assert(kBitmapFiles[static_cast<size_t>(Bmp::fontmoji)].width == fs::kWidth &&
              kBitmapFiles[static_cast<size_t>(Bmp::fontmoji)].height == fs::kHeight);

// The glyph index of a character.
int Index(char c) {
  int ch = std::toupper(static_cast<unsigned char>(c));
  if (ch < fs::kFirst || ch >= fs::kFirst + fs::kGlyphs) ch = '?';
  return ch - fs::kFirst;
}

Rect Cell(FontStyle style, int index) {
  const fs::Block& b = fs::kBlocks[static_cast<size_t>(style)];
  const int x = (index % fs::kColumns) * b.cellW, y = b.top + (index / fs::kColumns) * b.cellH;
  return {x, y, x + b.cellW, y + b.cellH};
}

}  // namespace

FontMetrics MeasureFont(const Surface& sheet) {
  FontMetrics m{};
  if (sheet.w < fs::kWidth || sheet.h < fs::kHeight) return m;
  for (int s = 0; s < kFontStyles; ++s)
    for (int i = 0; i < fs::kGlyphs; ++i) {
      const Rect c = Cell(static_cast<FontStyle>(s), i);
      int left = c.Right, right = c.Left - 1;
      for (int y = c.Top; y < c.Bottom; ++y)
        for (int x = c.Left; x < c.Right; ++x)
          if (sheet.At(x, y) != 0) {
            left = std::min(left, x);
            right = std::max(right, x);
          }
      if (right >= left)
        m[static_cast<size_t>(s)][static_cast<size_t>(i)] = {static_cast<uint8_t>(left - c.Left),
                                                             static_cast<uint8_t>(right - left + 1)};
    }
  return m;
}

int TextHeight(FontStyle style) { return fs::kBlocks[static_cast<size_t>(style)].cellH; }

int TextWidth(const FontMetrics& font, FontStyle style, std::string_view text) {
  const fs::Block& b = fs::kBlocks[static_cast<size_t>(style)];
  int w = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const GlyphSpan g = font[static_cast<size_t>(style)][static_cast<size_t>(Index(text[i]))];
    w += text[i] == ' ' ? b.space : g.width;
    if (i + 1 < text.size()) w += b.spacing;
  }
  return w;
}

void DrawText(const Surface& sheet, const FontMetrics& font, Surface& dst, FontStyle style, int x, int y,
              std::string_view text) {
  const fs::Block& b = fs::kBlocks[static_cast<size_t>(style)];
  for (char c : text) {
    const int index = Index(c);
    const GlyphSpan g = font[static_cast<size_t>(style)][static_cast<size_t>(index)];
    if (c == ' ') {
      x += b.space + b.spacing;
      continue;
    }
    if (g.width == 0) continue;
    const Rect cell = Cell(style, index);
    BlitKeyed(sheet, {cell.Left + g.left, cell.Top, cell.Left + g.left + g.width, cell.Bottom}, dst, x, y);
    x += g.width + b.spacing;
  }
}

}  // namespace kt
