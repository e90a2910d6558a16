#pragma once
// Drawing primitives and the shared look of the artwork: palette ramps lit from
// the upper left and the dark 1-pixel outline every figure wears.
#include <cstdint>
#include <vector>

#include "gen/canvas.hpp"

namespace gen {

struct Colour {
  int r = 0, g = 0, b = 0;
  constexpr uint16_t Px() const { return Rgb(r, g, b); }
};

// The outline of every figure: dark but never transparent.
inline constexpr Colour kOutline{28, 22, 34};

// A material in three tones: light (facing the upper left), base, shadow.
struct Ramp {
  uint16_t light, base, shadow;
};
// Builds a ramp around a base colour.
Ramp MakeRamp(Colour base);

// Mixes a and b, t in 0..256 (0 = a).
Colour Mix(Colour a, Colour b, int t);

// Filled shapes, clipped to the canvas. Ellipse by centre and radii (in half
// pixels allowed through the double overload).
void FillEllipse(Canvas& c, double cx, double cy, double rx, double ry, uint16_t colour);
// An ellipse shaded as a lit ball: light towards the upper left, shadow lower right.
void ShadedEllipse(Canvas& c, double cx, double cy, double rx, double ry, const Ramp& ramp);
void FillPolygon(Canvas& c, const std::vector<std::pair<double, double>>& points, uint16_t colour);
void Line(Canvas& c, int x0, int y0, int x1, int y1, uint16_t colour);
void ThickLine(Canvas& c, double x0, double y0, double x1, double y1, double width, uint16_t colour);

// Puts the dark outline on every transparent pixel of the box (l, t, r, b)
// that touches an opaque pixel of the box (4-neighbourhood). Pixels outside
// the box are never read or written, so neighbouring cells stay apart.
void Outline(Canvas& c, int l, int t, int r, int b, uint16_t colour = kOutline.Px());

// Every opaque pixel of the box with the same colour `from` becomes `to`.
void Recolour(Canvas& c, int l, int t, int r, int b, uint16_t from, uint16_t to);

// Copies the box mirrored left to right onto (dx, dy).
void PasteMirrored(Canvas& c, int l, int t, int r, int b, int dx, int dy);

}  // namespace gen
