#include "hud/label.hpp"

#include <algorithm>

namespace kt {

namespace {

constexpr uint16_t kEdge = 0x0841;  // near black: black itself is the transparent colour
constexpr uint16_t kPanel = 0x10A6, kRim = 0x8C71;

int32_t GlyphIndex(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  const size_t i = kLabelGlyphs.find(c);
  return c == ' ' || i == std::string_view::npos ? -1 : static_cast<int32_t>(i);
}

// Columns of ink of a glyph: its rightmost inked column plus one.
int32_t InkWidth(const Surface& sheet, int32_t index) {
  const Rect c = GlyphCell(index);
  if (c.Right > sheet.w || c.Bottom > sheet.h) return 0;
  int32_t w = 0;
  for (int32_t y = c.Top; y < c.Bottom; ++y)
    for (int32_t x = c.Left; x < c.Right; ++x)
      if (sheet.At(x, y) != 0) w = std::max(w, x - c.Left + 1);
  return w;
}

void Block(Surface& to, int32_t x, int32_t y, int32_t size, uint16_t colour) {
  for (int32_t dy = 0; dy < size; ++dy)
    for (int32_t dx = 0; dx < size; ++dx) {
      const int32_t px = x + dx, py = y + dy;
      if (px >= 0 && py >= 0 && px < to.w && py < to.h) to.At(px, py) = colour;
    }
}

constexpr int32_t kSpace = 3;

}  // namespace

int32_t LabelWidth(const Surface& sheet, std::string_view text, int32_t scale) {
  int32_t w = 0;
  for (char c : text) {
    const int32_t i = GlyphIndex(c);
    w += (i < 0 ? kSpace : InkWidth(sheet, i)) + 1;
  }
  return text.empty() ? 0 : (w - 1) * scale + 2;
}

void DrawLabel(Surface& to, const Surface& sheet, int32_t x, int32_t y, std::string_view text, uint16_t colour,
               int32_t scale) {
  // The dark edge first, one pixel round every stroke, then the ink.
  for (int pass = 0; pass < 2; ++pass) {
    int32_t at = x + 1;
    for (char c : text) {
      const int32_t i = GlyphIndex(c);
      if (i < 0) {
        at += (kSpace + 1) * scale;
        continue;
      }
      const Rect cell = GlyphCell(i);
      const int32_t w = InkWidth(sheet, i);
      for (int32_t gy = 0; gy + 1 < kGlyphHeight; ++gy)
        for (int32_t gx = 0; gx < w; ++gx) {
          if (sheet.At(cell.Left + gx, cell.Top + gy) == 0) continue;
          const int32_t px = at + gx * scale, py = y + 1 + gy * scale;
          if (pass == 0)
            Block(to, px - 1, py - 1, scale + 2, kEdge);
          else
            Block(to, px, py, scale, colour);
        }
      at += (w + 1) * scale;
    }
  }
}

void DrawPanel(Surface& to, const Rect& r) {
  for (int32_t y = std::max(r.Top, 0); y < std::min(r.Bottom, to.h); ++y)
    for (int32_t x = std::max(r.Left, 0); x < std::min(r.Right, to.w); ++x) {
      const bool rim = y < r.Top + 2 || y >= r.Bottom - 2 || x < r.Left + 2 || x >= r.Right - 2;
      to.At(x, y) = rim ? kRim : kPanel;
    }
}

}  // namespace kt
