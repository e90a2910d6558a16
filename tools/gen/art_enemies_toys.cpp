// The fountain's own figures: sweets, fruit and toys that burst out of the
// title box along with the enemies, each in a 120 x 150 cell.
#include <cmath>
#include <utility>
#include <vector>

#include "gen/art_enemies_draw.hpp"

namespace gen::enemy {

namespace {

using Pt = std::pair<double, double>;
constexpr double kPi = 3.14159265358979;

struct ToyColours {
  Material gold = Mat({255, 214, 48});
  Material red = Mat({230, 44, 56});
  Material leaf = Mat({72, 184, 64});
  Material stem = Mat({136, 88, 48});
  Material pink = Mat({252, 132, 184});
  Material white = Mat({248, 244, 236});
  Material blue = Mat({64, 132, 240});
  Material orange = Mat({252, 148, 36});
  Material mint = Mat({128, 232, 192});
  Material waffle = Mat({224, 168, 96});
  Material purple = Mat({164, 96, 220});
};
const ToyColours& TC() {
  static const ToyColours c;
  return c;
}

void Smile(const Pen& p, double cx, double cy, double w) {
  p.Line(cx - w, cy, cx - w / 3, cy + w / 2, 2, kMouth.Px());
  p.Line(cx - w / 3, cy + w / 2, cx + w / 3, cy + w / 2, 2, kMouth.Px());
  p.Line(cx + w / 3, cy + w / 2, cx + w, cy, 2, kMouth.Px());
}

void StarToy(const Pen& p) {
  const ToyColours& C = TC();
  std::vector<Pt> pts;
  for (int i = 0; i < 10; ++i) {
    const double a = -kPi / 2 + i * kPi / 5;
    const double r = i % 2 ? 24 : 56;
    pts.emplace_back(60 + r * std::cos(a), 82 + r * std::sin(a));
  }
  p.Poly(pts, Base(C.gold));
  p.Bevel(C.gold, 4);
  Eye(p, 50, 76, 4, 6, 0, 0);
  Eye(p, 70, 76, 4, 6, 0, 0);
  Smile(p, 60, 88, 8);
  p.Ellipse(42, 88, 4, 2.5, Base(C.pink));
  p.Ellipse(78, 88, 4, 2.5, Base(C.pink));
}

void AppleToy(const Pen& p) {
  const ToyColours& C = TC();
  p.Line(60, 50, 65, 28, 5, Base(C.stem));
  p.Tilted(80, 36, 14, 6, -20, Base(C.leaf));
  p.Bevel(C.leaf, 2);
  p.Ellipse(44, 90, 32, 38, Base(C.red));
  p.Ellipse(76, 90, 32, 38, Base(C.red));
  p.Ellipse(60, 118, 20, 16, Base(C.red));
  p.Bevel(C.red, 4);
  p.Line(60, 54, 60, 60, 3, Shade(C.red));
  p.Tilted(34, 72, 5, 10, 20, kWhite.Px());
}

void CandyToy(const Pen& p) {
  const ToyColours& C = TC();
  p.Poly({{34, 75}, {3, 50}, {9, 75}, {3, 100}}, Base(C.purple));
  p.Poly({{86, 75}, {117, 50}, {111, 75}, {117, 100}}, Base(C.purple));
  p.Bevel(C.purple, 2);
  p.Ellipse(60, 75, 32, 26, Base(C.pink));
  p.Bevel(C.pink, 3);
  for (int i = -1; i <= 1; ++i) p.Line(48 + 14 * i, 54, 62 + 14 * i, 96, 4, Base(C.white));
  p.Tilted(47, 62, 6, 3, -30, kWhite.Px());
}

void CherryToy(const Pen& p) {
  const ToyColours& C = TC();
  p.Line(40, 104, 62, 24, 3, Base(C.leaf));
  p.Line(82, 96, 62, 24, 3, Base(C.leaf));
  p.Tilted(76, 26, 15, 6, 15, Base(C.leaf));
  p.Bevel(C.leaf, 2);
  p.Ellipse(38, 114, 23, 22, Base(C.red));
  p.Ellipse(84, 106, 23, 22, Base(C.red));
  p.Bevel(C.red, 3);
  p.Ellipse(30, 106, 4, 6, kWhite.Px());
  p.Ellipse(76, 98, 4, 6, kWhite.Px());
}

void TopToy(const Pen& p) {
  const ToyColours& C = TC();
  p.Box(55, 18, 65, 60, Base(C.stem));
  p.Bevel(C.stem, 2);
  p.Poly({{60, 146}, {14, 90}, {22, 66}, {98, 66}, {106, 90}}, Base(C.blue));
  p.Ellipse(60, 68, 40, 14, Base(C.blue));
  p.Bevel(C.blue, 3);
  p.Poly({{18, 84}, {102, 84}, {92, 98}, {28, 98}}, Base(C.gold));
  p.Bevel(C.gold, 2);
  p.Ellipse(60, 66, 26, 8, Light(C.blue));
}

void BalloonToy(const Pen& p) {
  const ToyColours& C = TC();
  for (int i = 0; i < 6; ++i) {
    const double y0 = 100 + 8 * i, y1 = y0 + 8;
    p.Line(60 + (i % 2 ? 5 : -5), y0, 60 + (i % 2 ? -5 : 5), y1, 2, Base(C.white));
  }
  p.Poly({{60, 92}, {52, 102}, {68, 102}}, Base(C.blue));
  p.Ellipse(60, 52, 42, 48, Base(C.blue));
  p.Bevel(C.blue, 4);
  p.Tilted(40, 32, 7, 13, 30, kWhite.Px());
}

void DuckToy(const Pen& p) {
  const ToyColours& C = TC();
  p.Poly({{98, 92}, {117, 70}, {114, 100}}, Base(C.gold));  // tail
  p.Ellipse(66, 104, 48, 32, Base(C.gold));
  p.Ellipse(46, 58, 28, 26, Base(C.gold));
  p.Bevel(C.gold, 4);
  p.Tilted(76, 100, 22, 11, -15, Light(C.gold));  // wing
  p.Line(60, 100, 90, 96, 2, Shade(C.gold));
  p.Poly({{22, 60}, {3, 66}, {22, 74}}, Base(C.orange));
  p.Bevel(C.orange, 1);
  Eye(p, 38, 50, 5, 6, -1, 0);
}

void GiftToy(const Pen& p) {
  const ToyColours& C = TC();
  p.Tilted(42, 40, 18, 10, 25, Base(C.gold));
  p.Tilted(78, 40, 18, 10, -25, Base(C.gold));
  p.Bevel(C.gold, 2);
  p.Box(16, 60, 104, 146, Base(C.red));
  p.Bevel(C.red, 4);
  p.Box(12, 56, 108, 74, Base(C.red));
  p.Bevel(C.red, 3);
  p.Box(52, 56, 68, 146, Base(C.gold));
  p.Box(16, 96, 104, 110, Base(C.gold));
  p.Ellipse(60, 48, 8, 7, Base(C.gold));
  p.Bevel(C.gold, 2);
}

void StrawberryToy(const Pen& p) {
  const ToyColours& C = TC();
  p.Poly({{60, 146}, {10, 74}, {18, 52}, {40, 42}, {80, 42}, {102, 52}, {110, 74}}, Base(C.red));
  p.Bevel(C.red, 4);
  // Seeds in rows that narrow with the berry.
  for (int r = 0; r < 5; ++r)
    for (int i = 0; i < 5 - r; ++i) {
      const double x = 60 + (i - (4 - r) / 2.0) * 16, y = 62 + 16 * r;
      p.Ellipse(x, y, 1.5, 2.5, Base(C.gold));
    }
  for (int i = 0; i < 5; ++i) {
    const double a = kPi * (1.1 + 0.2 * i);
    p.Poly({{60, 44}, {60 + 30 * std::cos(a) - 6, 40 + 22 * std::sin(a)}, {60 + 30 * std::cos(a) + 6, 40 + 22 * std::sin(a)}},
           Base(C.leaf));
  }
  p.Line(60, 36, 62, 14, 4, Base(C.leaf));
  p.Bevel(C.leaf, 2);
}

void IceCreamToy(const Pen& p) {
  const ToyColours& C = TC();
  p.Poly({{30, 84}, {90, 84}, {60, 147}}, Base(C.waffle));
  p.Bevel(C.waffle, 2);
  for (int i = 0; i < 4; ++i) {
    p.Line(36 + 12 * i, 86, 54 + 6 * i, 130 - 4 * i, 1.2, Shade(C.waffle));
    p.Line(84 - 12 * i, 86, 66 - 6 * i, 130 - 4 * i, 1.2, Shade(C.waffle));
  }
  p.Ellipse(60, 80, 34, 14, Base(C.pink));
  p.Ellipse(60, 60, 30, 26, Base(C.pink));
  p.Bevel(C.pink, 3);
  p.Ellipse(60, 30, 22, 20, Base(C.mint));
  p.Bevel(C.mint, 3);
  p.Ellipse(60, 10, 7, 7, Base(C.red));
  p.Bevel(C.red, 2);
}

}  // namespace

void Toy(const Pen& p, int k) {
  switch (k) {
    case 0: StarToy(p); break;
    case 1: AppleToy(p); break;
    case 2: CandyToy(p); break;
    case 3: CherryToy(p); break;
    case 4: TopToy(p); break;
    case 5: BalloonToy(p); break;
    case 6: DuckToy(p); break;
    case 7: GiftToy(p); break;
    case 8: StrawberryToy(p); break;
    default: IceCreamToy(p); break;
  }
}

}  // namespace gen::enemy
