#include "gen/draw.hpp"

#include <algorithm>
#include <cmath>

namespace gen {

Colour Mix(Colour a, Colour b, int t) {
  return {a.r + (b.r - a.r) * t / 256, a.g + (b.g - a.g) * t / 256, a.b + (b.b - a.b) * t / 256};
}

Ramp MakeRamp(Colour base) {
  const Colour light = Mix(base, Colour{255, 255, 240}, 90);
  const Colour shadow = Mix(base, Colour{30, 20, 60}, 100);
  return {light.Px(), base.Px(), shadow.Px()};
}

void FillEllipse(Canvas& c, double cx, double cy, double rx, double ry, uint16_t colour) {
  if (rx <= 0 || ry <= 0) return;
  const int t = static_cast<int>(std::floor(cy - ry)), b = static_cast<int>(std::ceil(cy + ry));
  const int l = static_cast<int>(std::floor(cx - rx)), r = static_cast<int>(std::ceil(cx + rx));
  for (int y = t; y <= b; ++y)
    for (int x = l; x <= r; ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) c.Set(x, y, colour);
    }
}

void ShadedEllipse(Canvas& c, double cx, double cy, double rx, double ry, const Ramp& ramp) {
  if (rx <= 0 || ry <= 0) return;
  const int t = static_cast<int>(std::floor(cy - ry)), b = static_cast<int>(std::ceil(cy + ry));
  const int l = static_cast<int>(std::floor(cx - rx)), r = static_cast<int>(std::ceil(cx + rx));
  for (int y = t; y <= b; ++y)
    for (int x = l; x <= r; ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy > 1.0) continue;
      // Distance from a light spot up and left of the centre.
      const double lx = dx + 0.45, ly = dy + 0.45;
      const double d = lx * lx + ly * ly;
      c.Set(x, y, d < 0.45 ? ramp.light : d < 1.7 ? ramp.base : ramp.shadow);
    }
}

void FillPolygon(Canvas& c, const std::vector<std::pair<double, double>>& pts, uint16_t colour) {
  if (pts.size() < 3) return;
  double minY = pts[0].second, maxY = pts[0].second;
  for (const auto& p : pts) {
    minY = std::min(minY, p.second);
    maxY = std::max(maxY, p.second);
  }
  for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y) {
    const double sy = y + 0.5;
    std::vector<double> xs;
    for (size_t i = 0; i < pts.size(); ++i) {
      const auto& a = pts[i];
      const auto& b = pts[(i + 1) % pts.size()];
      if ((a.second <= sy && b.second > sy) || (b.second <= sy && a.second > sy))
        xs.push_back(a.first + (sy - a.second) * (b.first - a.first) / (b.second - a.second));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = static_cast<int>(std::ceil(xs[i] - 0.5)); x < static_cast<int>(std::ceil(xs[i + 1] - 0.5)); ++x)
        c.Set(x, y, colour);
  }
}

void Line(Canvas& c, int x0, int y0, int x1, int y1, uint16_t colour) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    c.Set(x0, y0, colour);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void ThickLine(Canvas& c, double x0, double y0, double x1, double y1, double width, uint16_t colour) {
  const double len = std::hypot(x1 - x0, y1 - y0);
  const int steps = std::max(1, static_cast<int>(len * 2));
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    FillEllipse(c, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, width / 2, colour);
  }
}

void Outline(Canvas& c, int l, int t, int r, int b, uint16_t colour) {
  l = std::max(l, 0);
  t = std::max(t, 0);
  r = std::min(r, c.w);
  b = std::min(b, c.h);
  std::vector<uint8_t> mark(static_cast<size_t>(std::max(0, r - l)) * std::max(0, b - t), 0);
  const auto opaque = [&](int x, int y) { return x >= l && x < r && y >= t && y < b && c.Get(x, y) != 0; };
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      if (c.Get(x, y) == 0 && (opaque(x - 1, y) || opaque(x + 1, y) || opaque(x, y - 1) || opaque(x, y + 1)))
        mark[static_cast<size_t>(y - t) * (r - l) + (x - l)] = 1;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      if (mark[static_cast<size_t>(y - t) * (r - l) + (x - l)]) c.Set(x, y, colour);
}

void Recolour(Canvas& c, int l, int t, int r, int b, uint16_t from, uint16_t to) {
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      if (c.Get(x, y) == from && from != 0) c.Set(x, y, to);
}

void PasteMirrored(Canvas& c, int l, int t, int r, int b, int dx, int dy) {
  Canvas copy(r - l, b - t);
  copy.Paste(c, l, t, r, b, 0, 0);
  for (int y = 0; y < copy.h; ++y)
    for (int x = 0; x < copy.w; ++x) c.Set(dx + (copy.w - 1 - x), dy + y, copy.Get(x, y));
}

}  // namespace gen
