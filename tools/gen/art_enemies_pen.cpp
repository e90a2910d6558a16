#include <algorithm>
#include <cmath>

#include "gen/art_enemies_draw.hpp"

namespace gen::enemy {

void Pen::Ellipse(double cx, double cy, double rx, double ry, uint16_t col) const {
  FillEllipse(*c, X(cx), Y(cy), s * rx, s * ry, col);
}

void Pen::Ball(double cx, double cy, double rx, double ry, const Ramp& ramp) const {
  ShadedEllipse(*c, X(cx), Y(cy), s * rx, s * ry, ramp);
}

void Pen::Tilted(double cx, double cy, double rx, double ry, double degrees, uint16_t col) const {
  const double a = degrees * 3.14159265358979 / 180;
  std::vector<std::pair<double, double>> pts;
  for (int i = 0; i < 48; ++i) {
    const double t = i * 2 * 3.14159265358979 / 48;
    const double ex = rx * std::cos(t), ey = ry * std::sin(t);
    pts.emplace_back(cx + ex * std::cos(a) - ey * std::sin(a), cy + ex * std::sin(a) + ey * std::cos(a));
  }
  Poly(pts, col);
}

void Pen::Poly(std::initializer_list<std::pair<double, double>> pts, uint16_t col) const {
  Poly(std::vector<std::pair<double, double>>(pts), col);
}

void Pen::Poly(const std::vector<std::pair<double, double>>& pts, uint16_t col) const {
  std::vector<std::pair<double, double>> out;
  out.reserve(pts.size());
  for (const auto& [x, y] : pts) out.emplace_back(X(x), Y(y));
  FillPolygon(*c, out, col);
}

void Pen::Line(double x0, double y0, double x1, double y1, double width, uint16_t col) const {
  ThickLine(*c, X(x0), Y(y0), X(x1), Y(y1), s * width, col);
}

void Pen::Box(double l, double t, double r, double b, uint16_t col) const {
  const double xa = X(l), xb = X(r);
  const int x0 = static_cast<int>(std::lround(std::min(xa, xb))), x1 = static_cast<int>(std::lround(std::max(xa, xb)));
  const int y0 = static_cast<int>(std::lround(Y(t))), y1 = static_cast<int>(std::lround(Y(b)));
  c->Fill(x0, y0, std::max(x1, x0 + 1), std::max(y1, y0 + 1), col);
}

void Pen::Bevel(const Material& m, double depth) const {
  enemy::Bevel(*c, m, std::max(1, static_cast<int>(std::lround(depth * s))));
}

Material Mat(Colour base) { return {base, MakeRamp(base)}; }

void Bevel(Canvas& c, const Material& m, int depth) {
  const Canvas before = c;
  const auto same = [&](int x, int y) {
    const uint16_t v = before.Get(x, y);
    return v != 0 && (v == m.ramp.base || v == m.ramp.light || v == m.ramp.shadow);
  };
  for (int y = 0; y < c.h; ++y)
    for (int x = 0; x < c.w; ++x) {
      if (before.Get(x, y) != m.ramp.base) continue;
      bool lit = false, shaded = false;
      for (int k = 1; k <= depth && !lit; ++k) lit = !same(x - k, y - k);
      for (int k = 1; k <= depth && !shaded; ++k) shaded = !same(x + k, y + k);
      if (lit) {
        c.Set(x, y, m.ramp.light);
      } else if (shaded) {
        c.Set(x, y, m.ramp.shadow);
      }
    }
}

void Eye(const Pen& p, double cx, double cy, double rx, double ry, double lookX, double lookY) {
  p.Ellipse(cx, cy, rx, ry, kWhite.Px());
  const double pr = std::max(1.0, rx * 0.55), pry = std::max(1.0, ry * 0.6);
  const double px = cx + lookX * (rx - pr) * 0.9, py = cy + lookY * (ry - pry) * 0.9;
  p.Ellipse(px, py, pr, pry, kPupil.Px());
  // The glint sits up and to the left on the canvas, mirrored or not.
  if (pr >= 2) p.Dot(std::floor(p.mirror ? px + pr * 0.4 - 1 : px - pr * 0.4), std::floor(py - pry * 0.5), kWhite.Px());
}

void ShutEye(const Pen& p, double cx, double cy, double r) {
  p.Line(cx - r, cy - r, cx + r, cy + r, 1.6, kPupil.Px());
  p.Line(cx - r, cy + r, cx + r, cy - r, 1.6, kPupil.Px());
}

const Palettes& Pal() {
  static const Palettes p{
      // gek: a green imp in a red cape over a dark green robe
      Mat({112, 200, 72}), Mat({224, 60, 52}), Mat({252, 208, 64}), Mat({40, 140, 64}), Mat({236, 150, 44}),
      Mat({232, 72, 64}),
      // kurosuke: a sooty fuzzy ball on orange feet
      Mat({70, 74, 92}), Mat({240, 112, 44}), Mat({236, 120, 150}),
      // patatta: a pink bird with cream wings
      Mat({244, 124, 176}), Mat({252, 220, 200}), Mat({252, 184, 40}), Mat({236, 232, 252}), Mat({180, 150, 236}),
      // sikaky: a cyan block with an orange sprout and blue feet
      Mat({60, 196, 212}), Mat({248, 148, 40}), Mat({48, 96, 208}), Mat({252, 220, 56}), Mat({236, 72, 40}),
      // Mogeta: a brown mole with a pink snout
      Mat({168, 108, 60}), Mat({248, 152, 168}), Mat({244, 224, 184}), Mat({120, 72, 44}),
      // Byoon: a golden spring-hopper with sky-blue wings
      Mat({252, 196, 40}), Mat({236, 96, 40}), Mat({140, 208, 252}), Mat({232, 112, 40}),
      // boss: a violet horned flyer with crimson wings
      Mat({132, 64, 172}), Mat({204, 172, 236}), Mat({100, 52, 148}), Mat({240, 192, 64}), Mat({255, 232, 72}),
      Mat({196, 40, 76}), Mat({96, 32, 64}), Mat({236, 220, 196}), Mat({255, 96, 208}),
      // hit spark
      Mat({255, 252, 220}), Mat({255, 212, 56}), Mat({252, 128, 32}),
  };
  return p;
}

Canvas PaintPiece(int w, int h, double scale, bool mirror, const Painter& paint) {
  Canvas c(static_cast<int>(std::ceil(w * scale)), static_cast<int>(std::ceil(h * scale)));
  const Pen pen{&c, 0, 0, scale, mirror, static_cast<double>(w)};
  paint(pen);
  Outline(c, 0, 0, c.w, c.h);
  return c;
}

void Blit(Canvas& dst, const Canvas& src, int dx, int dy) {
  for (int y = 0; y < src.h; ++y)
    for (int x = 0; x < src.w; ++x)
      if (const uint16_t v = src.Get(x, y); v != 0) dst.Set(dx + x, dy + y, v);
}

}  // namespace gen::enemy
