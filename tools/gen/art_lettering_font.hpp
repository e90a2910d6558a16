#pragma once
// Display lettering: the big, chunky letters of the logo, banners, menus and
// HUD. Every letter is a glyph of the pixel font drawn again at any cell size
// with round, heavy strokes (a cell of the glyph becomes a stroke node, and
// neighbouring nodes are joined, diagonals included), then dressed: a banded
// fill with a light upper-left and a dark lower-right edge, a dark outline,
// an optional light rim (sticker look) and glow, and a drop shadow.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "gen/canvas.hpp"
#include "gen/draw.hpp"

namespace gen {

// Shape of the letters: one glyph cell is sx x sy pixels (unequal sizes give
// wide or condensed letters); the stroke is `weight` cells thick. Below about
// 1.4 cells the gaps inside a letter stay open. `slant` shifts every row to the
// right by that many pixels per row above the baseline (italic). `tracking`
// adds pixels between letters and `space` is the width of a space in cells,
// for small sizes where one blank cell is too tight a gap.
struct LetterShape {
  double sx = 3, sy = 3;
  double weight = 1.3;
  double slant = 0;
  double tracking = 0;
  int space = 3;
};

// Letter strokes before dressing. Each inked pixel keeps its height inside its
// own letter (1 at the top .. 255 at the baseline) for the banded fill; 0 is
// no ink.
struct InkMask {
  int w = 0, h = 0;
  std::vector<uint8_t> v;

  InkMask() = default;
  InkMask(int width, int height) : w(width), h(height), v(static_cast<size_t>(width) * height, 0) {}
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  uint8_t At(int x, int y) const { return Inside(x, y) ? v[static_cast<size_t>(y) * w + x] : 0; }
  void Put(int x, int y, uint8_t t) {
    if (Inside(x, y)) v[static_cast<size_t>(y) * w + x] = t;
  }
};

// Width of one line in pixels before the strokes' round ends: the pixel font's
// spacing (one blank cell between letters) in cells of the shape, plus its
// tracking and space width.
double LineWidth(std::string_view text, const LetterShape& shape);

// Stamps one line onto the mask with the top-left corner of the first letter's
// cell 0 at (x, y). `drops` moves letter i down by drops[i] pixels (missing
// entries are 0), for bouncing lines.
void StampLine(InkMask& ink, double x, double y, std::string_view text, const LetterShape& shape,
               std::span<const int> drops = {});

// One line, cropped to its strokes.
InkMask Letters(std::string_view text, const LetterShape& shape, std::span<const int> drops = {});

// The dressing of a piece of lettering.
struct LetterLook {
  std::array<Colour, 4> bands{};  // fill, top to bottom of each letter
  Colour light{255, 255, 255};    // upper-left edge of the strokes
  Colour dark{0, 0, 0};           // lower-right edge of the strokes
  int bevel = 1;                  // width of the light edge; 0 for none
  bool shade = true;              // whether the lower-right edge is darkened
  int outline = 1;                // dark outline around the strokes
  Colour outlineColour = kOutline;
  int rim = 0;                    // light rim around the outline
  Colour rimColour{255, 255, 255};
  int glow = 0;                   // second ring around the rim (selected items)
  Colour glowColour{255, 220, 80};
  int shadow = 1;                 // drop shadow, this far right and down
  Colour shadowColour{40, 30, 70};
};

// How far the dressing reaches outside the strokes: on the left and top, and on
// the right and bottom (the shadow side).
int PadBefore(const LetterLook& look);
int PadAfter(const LetterLook& look);

// The dressed lettering as a picture of its own, transparent around it; the
// mask's (0, 0) is at (PadBefore, PadBefore).
Canvas Dress(const InkMask& ink, const LetterLook& look);

// One line, dressed.
Canvas Lettering(std::string_view text, const LetterShape& shape, const LetterLook& look,
                 std::span<const int> drops = {});

// Copies the opaque pixels of a picture onto the canvas at (x, y).
void Overlay(Canvas& dst, const Canvas& src, int x, int y);
// The same, centred in the box (l, t, r, b); returns the picture's left edge.
int OverlayCentred(Canvas& dst, const Canvas& src, int l, int t, int r, int b);

// The mask sheared: each row moves right by perRow pixels per row above the
// bottom row (negative leans the other way); the mask grows to hold it.
InkMask Shear(const InkMask& ink, double perRow);

}  // namespace gen
