#include "gen/art_heroes_kit.hpp"

#include <algorithm>
#include <cmath>

namespace gen::heroes {

Shape& Shape::Ellipse(double cx, double cy, double rx, double ry) {
  FillEllipse(mask_, cx, cy, rx, ry, 1);
  return *this;
}

Shape& Shape::Polygon(const Points& pts) {
  FillPolygon(mask_, pts, 1);
  return *this;
}

Shape& Shape::Stroke(double x0, double y0, double x1, double y1, double width) {
  ThickLine(mask_, x0, y0, x1, y1, width, 1);
  return *this;
}

Shape& Shape::RoundRect(double l, double t, double r, double b, double radius) {
  for (int y = static_cast<int>(std::floor(t)); y < static_cast<int>(std::ceil(b)); ++y)
    for (int x = static_cast<int>(std::floor(l)); x < static_cast<int>(std::ceil(r)); ++x) {
      const double px = x + 0.5, py = y + 0.5;
      if (px < l || px > r || py < t || py > b) continue;
      // Distance into the corner square, measured from the corner circle's centre.
      const double dx = std::max({l + radius - px, px - (r - radius), 0.0});
      const double dy = std::max({t + radius - py, py - (b - radius), 0.0});
      if (dx * dx + dy * dy <= radius * radius) mask_.Set(x, y, 1);
    }
  return *this;
}

Shape& Shape::Rect(int l, int t, int r, int b) {
  mask_.Fill(l, t, r, b, 1);
  return *this;
}

Shape& Shape::Add(const Shape& other) {
  for (int y = 0; y < mask_.h; ++y)
    for (int x = 0; x < mask_.w; ++x)
      if (other.Has(x, y)) mask_.Set(x, y, 1);
  return *this;
}

Shape& Shape::Cut(const Shape& other) {
  for (int y = 0; y < mask_.h; ++y)
    for (int x = 0; x < mask_.w; ++x)
      if (other.Has(x, y)) mask_.Set(x, y, 0);
  return *this;
}

Shape& Shape::Keep(const Shape& other) {
  for (int y = 0; y < mask_.h; ++y)
    for (int x = 0; x < mask_.w; ++x)
      if (!other.Has(x, y)) mask_.Set(x, y, 0);
  return *this;
}

Shape& Shape::CutRows(int y, bool above) {
  if (above) {
    mask_.Fill(0, 0, mask_.w, y, 0);
  } else {
    mask_.Fill(0, y, mask_.w, mask_.h, 0);
  }
  return *this;
}

namespace {

struct Box {
  int l, t, r, b;  // inclusive
};

Box Bounds(const Shape& s) {
  Box box{s.Width(), s.Height(), -1, -1};
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.Has(x, y)) {
        box.l = std::min(box.l, x);
        box.t = std::min(box.t, y);
        box.r = std::max(box.r, x);
        box.b = std::max(box.b, y);
      }
  return box;
}

void Ring(Canvas& c, const Shape& s) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (!s.Has(x, y) && (s.Has(x - 1, y) || s.Has(x + 1, y) || s.Has(x, y - 1) || s.Has(x, y + 1)))
        c.Set(x, y, kInk);
}

}  // namespace

void Paint(Canvas& c, const Shape& s, const Ramp& ramp, Light light, bool outline) {
  const Box box = Bounds(s);
  if (box.r < 0) return;
  const double cx = (box.l + box.r + 1) / 2.0, cy = (box.t + box.b + 1) / 2.0;
  const double rx = std::max(1.0, (box.r + 1 - box.l) / 2.0), ry = std::max(1.0, (box.b + 1 - box.t) / 2.0);
  for (int y = box.t; y <= box.b; ++y)
    for (int x = box.l; x <= box.r; ++x) {
      if (!s.Has(x, y)) continue;
      uint16_t colour = ramp.base;
      if (light == Light::kBall) {
        const double dx = (x + 0.5 - cx) / rx + 0.45, dy = (y + 0.5 - cy) / ry + 0.45;
        const double d = dx * dx + dy * dy;
        colour = d < 0.45 ? ramp.light : d < 1.7 ? ramp.base : ramp.shadow;
      } else if (light == Light::kRim) {
        // Edges facing the lower right lie in shadow (2 pixels deep), the
        // upper-left edges catch the light (1 pixel).
        const bool shadow = !s.Has(x + 1, y + 1) || !s.Has(x + 2, y + 2) || !s.Has(x, y + 2) || !s.Has(x + 2, y);
        const bool lit = !s.Has(x - 1, y) || !s.Has(x, y - 1);
        const bool lowerRight = !s.Has(x + 1, y) || !s.Has(x, y + 1);
        if (lit && !lowerRight) {
          colour = ramp.light;
        } else if (shadow) {
          colour = ramp.shadow;
        }
      }
      c.Set(x, y, colour);
    }
  if (outline) Ring(c, s);
}

void PaintFlat(Canvas& c, const Shape& s, uint16_t colour, bool outline) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.Has(x, y)) c.Set(x, y, colour);
  if (outline) Ring(c, s);
}

void Place(Canvas& to, int l, int t, const Canvas& from, bool mirror, double axis) {
  const int twice = static_cast<int>(std::lround(2 * axis));
  for (int y = 0; y < from.h; ++y)
    for (int x = 0; x < from.w; ++x) {
      const int sx = mirror ? twice - x : x;
      to.Set(l + x, t + y, from.Get(sx, y));
    }
}

namespace {

Ramp Tones(Colour light, Colour base, Colour shadow) { return {light.Px(), base.Px(), shadow.Px()}; }

}  // namespace

const LookColours kKuraraLook{
    .skin = Tones({255, 232, 204}, {252, 204, 164}, {222, 150, 120}),
    .hair = Tones({255, 156, 72}, {232, 92, 36}, {168, 44, 36}),
    .top = Tones({255, 112, 112}, {226, 44, 64}, {150, 24, 56}),
    .trim = Tones({255, 255, 250}, {244, 238, 230}, {196, 184, 196}),
    .accent = Tones({255, 244, 140}, {255, 204, 40}, {220, 136, 24}),
    .blush = Tones({255, 170, 160}, {255, 140, 140}, {230, 110, 120}),
    .eye = Rgb(64, 28, 40),
    .eyeWhite = Rgb(255, 255, 255),
    .mouth = Rgb(120, 30, 40),
    .tongue = Rgb(255, 110, 110),
};

const LookColours kTavoLook{
    .skin = Tones({246, 214, 176}, {226, 172, 126}, {176, 118, 96}),
    .hair = Tones({88, 92, 150}, {50, 52, 104}, {30, 30, 70}),
    .top = Tones({120, 236, 236}, {28, 178, 196}, {20, 110, 150}),
    .trim = Tones({255, 255, 255}, {232, 240, 248}, {170, 186, 210}),
    .accent = Tones({120, 170, 255}, {40, 96, 224}, {28, 52, 150}),
    .blush = Tones({240, 160, 140}, {232, 140, 120}, {200, 110, 100}),
    .eye = Rgb(24, 36, 80),
    .eyeWhite = Rgb(255, 255, 255),
    .mouth = Rgb(100, 30, 40),
    .tongue = Rgb(240, 100, 100),
};

const PieceColours kPieces{
    .glove = Tones({255, 255, 255}, {240, 240, 244}, {190, 192, 204}),
    .cuff = Tones({232, 234, 240}, {196, 198, 210}, {140, 142, 158}),
    .shorts = Tones({112, 114, 128}, {78, 80, 94}, {50, 52, 64}),
    .band = Tones({255, 255, 255}, {226, 228, 236}, {168, 170, 186}),
    .shoe = Tones({255, 255, 255}, {236, 236, 242}, {178, 180, 194}),
    .sole = Tones({170, 172, 184}, {128, 130, 144}, {88, 90, 104}),
    .lace = Tones({200, 202, 214}, {150, 152, 168}, {110, 112, 128}),
};

}  // namespace gen::heroes
