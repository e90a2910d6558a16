#include "gen/art_lettering_font.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "gen/font.hpp"

namespace gen {

namespace {

constexpr int kCapRows = 7;  // capitals and digits: rows 0..6 of a glyph

// A glyph of the pixel font as cells: read back from the font itself, so the
// display letters always match the small ones.
struct Cells {
  int w = 0;
  std::array<uint8_t, kGlyphRows> rows{};  // bit c = cell (c, row) inked
  bool At(int c, int r) const { return c >= 0 && c < w && r >= 0 && r < kGlyphRows && (rows[r] >> c) & 1u; }
};

const Cells& CellsOf(char ch) {
  static std::array<Cells, 128> cache{};
  static std::array<bool, 128> ready{};
  const auto i = static_cast<unsigned char>(ch) & 0x7Fu;
  if (!ready[i]) {
    const std::string s(1, static_cast<char>(i));
    Cells g;
    g.w = TextWidth(s, 1);
    Canvas c(std::max(g.w, 1), kGlyphRows);
    DrawText(c, 0, 0, s, 1, 1);
    for (int r = 0; r < kGlyphRows; ++r)
      for (int x = 0; x < g.w; ++x)
        if (c.Get(x, r) != 0) g.rows[r] = static_cast<uint8_t>(g.rows[r] | (1u << x));
    cache[i] = g;
    ready[i] = true;
  }
  return cache[i];
}

struct Point {
  double x, y;
};

// Distance from s to the segment a..b, in units of the elliptic brush (rx, ry).
double Distance(Point s, Point a, Point b, double rx, double ry) {
  const double dx = (b.x - a.x) / rx, dy = (b.y - a.y) / ry;
  const double ux = (s.x - a.x) / rx, uy = (s.y - a.y) / ry;
  const double dd = dx * dx + dy * dy;
  const double t = dd > 0 ? std::clamp((ux * dx + uy * dy) / dd, 0.0, 1.0) : 0.0;
  return std::hypot(ux - t * dx, uy - t * dy);
}

// Inks every pixel whose centre lies within the elliptic brush (rx, ry) swept
// from a to b. `top` and `height` give the letter's rows for the fill bands.
void Capsule(InkMask& ink, Point a, Point b, double rx, double ry, double top, double height) {
  const int l = static_cast<int>(std::floor(std::min(a.x, b.x) - rx)) - 1;
  const int r = static_cast<int>(std::ceil(std::max(a.x, b.x) + rx)) + 1;
  const int t = static_cast<int>(std::floor(std::min(a.y, b.y) - ry)) - 1;
  const int bt = static_cast<int>(std::ceil(std::max(a.y, b.y) + ry)) + 1;
  for (int y = std::max(t, 0); y <= std::min(bt, ink.h - 1); ++y)
    for (int x = std::max(l, 0); x <= std::min(r, ink.w - 1); ++x) {
      if (ink.At(x, y) != 0 || Distance({x + 0.5, y + 0.5}, a, b, rx, ry) > 1.0) continue;
      const double f = std::clamp((y + 0.5 - top) / height, 0.0, 1.0);
      ink.Put(x, y, static_cast<uint8_t>(1 + std::lround(f * 254)));
    }
}

// Offsets of a round brush of radius r (r 1: the four neighbours).
std::vector<std::pair<int, int>> Disc(int r) {
  std::vector<std::pair<int, int>> d;
  const int lim = r * r + (r >= 2 ? 1 : 0);
  for (int y = -r; y <= r; ++y)
    for (int x = -r; x <= r; ++x)
      if (x * x + y * y <= lim && (x || y)) d.emplace_back(x, y);
  return d;
}

std::vector<uint8_t> Dilate(const std::vector<uint8_t>& in, int w, int h, int r) {
  if (r <= 0) return in;
  std::vector<uint8_t> out = in;
  const auto disc = Disc(r);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!in[static_cast<size_t>(y) * w + x]) continue;
      for (const auto& [ox, oy] : disc) {
        const int nx = x + ox, ny = y + oy;
        if (nx >= 0 && ny >= 0 && nx < w && ny < h) out[static_cast<size_t>(ny) * w + nx] = 1;
      }
    }
  return out;
}

}  // namespace

double LineWidth(std::string_view text, const LetterShape& shape) {
  double w = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const int cells = text[i] == ' ' ? shape.space : CellsOf(text[i]).w;
    w += cells * shape.sx + (i + 1 < text.size() ? shape.sx + shape.tracking : 0);
  }
  return w;
}

void StampLine(InkMask& ink, double x, double y, std::string_view text, const LetterShape& shape,
               std::span<const int> drops) {
  const double rx = shape.weight * shape.sx / 2, ry = shape.weight * shape.sy / 2;
  const double height = kCapRows * shape.sy;
  double left = x;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') {
      left += (shape.space + 1) * shape.sx + shape.tracking;
      continue;
    }
    const Cells& g = CellsOf(text[i]);
    const double ox = left;
    const double oy = y + (i < drops.size() ? drops[i] : 0);
    const auto node = [&](int c, int r) {
      const double cy = oy + (r + 0.5) * shape.sy;
      return Point{ox + (c + 0.5) * shape.sx + shape.slant * (oy + height - cy), cy};
    };
    for (int r = 0; r < kGlyphRows; ++r)
      for (int c = 0; c < g.w; ++c) {
        if (!g.At(c, r)) continue;
        const Point p = node(c, r);
        Capsule(ink, p, p, rx, ry, oy, height);
        if (g.At(c + 1, r)) Capsule(ink, p, node(c + 1, r), rx, ry, oy, height);
        if (g.At(c, r + 1)) Capsule(ink, p, node(c, r + 1), rx, ry, oy, height);
        // Diagonal steps are joined where no straight path turns the corner,
        // so slopes run smooth and inner corners stay crisp. At small sizes
        // the join is drawn thinner, so that the pixel in the middle of each
        // blank cell beside it stays blank and the letter keeps its shape.
        for (int dc : {1, -1}) {
          if (!g.At(c + dc, r + 1) || g.At(c + dc, r) || g.At(c, r + 1)) continue;
          const Point q = node(c + dc, r + 1);
          double k = 1;
          for (const Point& blank : {node(c + dc, r), node(c, r + 1)})
            k = std::min(k, 0.92 * Distance({std::floor(blank.x) + 0.5, std::floor(blank.y) + 0.5}, p, q, rx, ry));
          if (k >= 0.55) Capsule(ink, p, q, rx * k, ry * k, oy, height);
        }
      }
    left += (g.w + 1) * shape.sx + shape.tracking;
  }
}

InkMask Letters(std::string_view text, const LetterShape& shape, std::span<const int> drops) {
  int lo = 0, hi = 0;
  for (int d : drops) {
    lo = std::min(lo, d);
    hi = std::max(hi, d);
  }
  const double rx = shape.weight * shape.sx / 2, ry = shape.weight * shape.sy / 2;
  const int pad = static_cast<int>(std::ceil(std::max(rx, ry))) + 2;
  const double lean = std::abs(shape.slant) * kGlyphRows * shape.sy;
  InkMask big(static_cast<int>(std::ceil(LineWidth(text, shape) + lean)) + 2 * pad,
              static_cast<int>(std::ceil(kGlyphRows * shape.sy)) + hi - lo + 2 * pad);
  StampLine(big, pad + (shape.slant < 0 ? lean : 0), pad - lo, text, shape, drops);

  int l = big.w, t = big.h, r = -1, b = -1;
  for (int y = 0; y < big.h; ++y)
    for (int x = 0; x < big.w; ++x)
      if (big.At(x, y)) {
        l = std::min(l, x);
        r = std::max(r, x);
        t = std::min(t, y);
        b = std::max(b, y);
      }
  if (r < 0) return InkMask(0, 0);
  InkMask out(r - l + 1, b - t + 1);
  for (int y = t; y <= b; ++y)
    for (int x = l; x <= r; ++x) out.Put(x - l, y - t, big.At(x, y));
  return out;
}

InkMask Shear(const InkMask& ink, double perRow) {
  const int extra = static_cast<int>(std::ceil(std::abs(perRow) * ink.h));
  InkMask out(ink.w + extra, ink.h);
  for (int y = 0; y < ink.h; ++y) {
    const double shift = perRow * (ink.h - 1 - y) + (perRow < 0 ? extra : 0);
    const int s = static_cast<int>(std::lround(shift));
    for (int x = 0; x < ink.w; ++x)
      if (ink.At(x, y)) out.Put(x + s, y, ink.At(x, y));
  }
  return out;
}

int PadBefore(const LetterLook& look) { return look.outline + look.rim + look.glow; }
int PadAfter(const LetterLook& look) { return PadBefore(look) + look.shadow; }

Canvas Dress(const InkMask& ink, const LetterLook& look) {
  const int pb = PadBefore(look), pa = PadAfter(look);
  const int w = ink.w + pb + pa, h = ink.h + pb + pa;
  Canvas out(w, h);
  if (ink.w == 0 || ink.h == 0) return out;
  std::vector<uint8_t> stroke(static_cast<size_t>(w) * h, 0);
  for (int y = 0; y < ink.h; ++y)
    for (int x = 0; x < ink.w; ++x)
      if (ink.At(x, y)) stroke[static_cast<size_t>(y + pb) * w + x + pb] = 1;
  const auto outline = Dilate(stroke, w, h, look.outline);
  const auto rim = Dilate(outline, w, h, look.rim);
  const auto glow = Dilate(rim, w, h, look.glow);
  const auto in = [&](const std::vector<uint8_t>& m, int x, int y) {
    return x >= 0 && y >= 0 && x < w && y < h && m[static_cast<size_t>(y) * w + x];
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (in(stroke, x, y)) {
        const int t = ink.At(x - pb, y - pb);
        Colour c = look.bands[static_cast<size_t>(std::min(3, (t - 1) * 4 / 255))];
        bool lit = false;
        for (int k = 1; k <= look.bevel; ++k) lit = lit || !in(stroke, x - k, y) || !in(stroke, x, y - k);
        if (lit) {
          c = look.light;
        } else if (look.shade && (!in(stroke, x + 1, y) || !in(stroke, x, y + 1))) {
          c = look.dark;
        }
        out.Set(x, y, c.Px());
      } else if (in(outline, x, y)) {
        out.Set(x, y, look.outlineColour.Px());
      } else if (in(rim, x, y)) {
        out.Set(x, y, look.rimColour.Px());
      } else if (in(glow, x, y)) {
        out.Set(x, y, look.glowColour.Px());
      } else if (look.shadow > 0 && in(glow, x - look.shadow, y - look.shadow)) {
        out.Set(x, y, look.shadowColour.Px());
      }
    }
  return out;
}

Canvas Lettering(std::string_view text, const LetterShape& shape, const LetterLook& look,
                 std::span<const int> drops) {
  return Dress(Letters(text, shape, drops), look);
}

void Overlay(Canvas& dst, const Canvas& src, int x, int y) {
  for (int sy = 0; sy < src.h; ++sy)
    for (int sx = 0; sx < src.w; ++sx)
      if (const uint16_t c = src.Get(sx, sy)) dst.Set(x + sx, y + sy, c);
}

int OverlayCentred(Canvas& dst, const Canvas& src, int l, int t, int r, int b) {
  const int x = l + (r - l - src.w) / 2;
  Overlay(dst, src, x, t + (b - t - src.h) / 2);
  return x;
}

}  // namespace gen
