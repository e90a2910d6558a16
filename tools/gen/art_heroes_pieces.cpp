// The pieces that float around the body: gloves, shoes, shorts, the spin
// flashes and the hurt effect on the character sheet; the burst spark, the
// hit-point icons and the faces on the status sheet.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "gen/art_heroes_paint.hpp"

namespace gen::heroes {

namespace {

constexpr double kPi = std::numbers::pi;

// A fist seen from the front above a flared cuff: columns 0..18, rows 0..16.
void Glove(Canvas& c, const PieceColours& p) {
  Shape mitt(c.w, c.h);
  mitt.Ellipse(9.5, 7.5, 8.5, 6.5);
  Paint(c, mitt, p.glove, Light::kBall);
  // Finger creases and the thumb folded across.
  for (int x : {6, 9, 12}) {
    c.Set(x, 2, kInk);
    c.Set(x, 3, kInk);
  }
  Shape thumb(c.w, c.h);
  thumb.Ellipse(10.5, 8.5, 5, 2.2);
  Paint(c, thumb, p.glove, Light::kRim);
  Shape cuff(c.w, c.h);
  cuff.Polygon({{4, 12}, {15, 12}, {17, 16}, {2, 16}});
  Paint(c, cuff, p.cuff, Light::kRim);
}

// A chunky sneaker seen from the front: columns 0..30, rows 0..13 (row 13 is
// the last one above the ground when the foot is down).
void Shoe(Canvas& c, const PieceColours& p) {
  Shape upper(c.w, c.h);
  upper.Ellipse(15.5, 8.5, 13.5, 7.5);
  upper.CutRows(10, false);
  Paint(c, upper, p.shoe, Light::kBall);
  // The opening at the top, laces below it and a rubber toe cap.
  Shape collar(c.w, c.h);
  collar.Ellipse(15.5, 2.5, 5.5, 1.6);
  PaintFlat(c, collar, p.shoe.shadow);
  for (int y : {5, 7}) {
    for (int x = 13; x <= 18; ++x) c.Set(x, y, p.lace.base);
    c.Set(12, y, kInk);
    c.Set(19, y, kInk);
  }
  Shape toe(c.w, c.h);
  toe.Ellipse(15.5, 10.5, 9, 3);
  toe.Keep(upper);
  Paint(c, toe, p.sole, Light::kRim);
  Shape sole(c.w, c.h);
  sole.RoundRect(1, 9, 30, 13, 2);
  Paint(c, sole, p.sole, Light::kRim);
  for (int x = 3; x <= 27; ++x) c.Set(x, 12, p.sole.shadow);
}

// Shorts with a waistband and two legs: columns 0..17, rows 0..14, so that
// even the deepest crouch (the lower body at Y + 85) keeps them above the
// ground row Y + 100.
void Shorts(Canvas& c, const PieceColours& p) {
  Shape shorts(c.w, c.h);
  shorts.Polygon({{1, 2}, {17, 2}, {17, 14}, {10, 14}, {9, 10}, {8, 14}, {1, 14}});
  Paint(c, shorts, p.shorts, Light::kRim);
  Shape band(c.w, c.h);
  band.RoundRect(1, 1, 17, 4, 1);
  Paint(c, band, p.band, Light::kRim);
  // Side seams.
  c.Set(3, 7, p.shorts.shadow);
  c.Set(14, 7, p.shorts.shadow);
}

// A ring sector about (px, py): radii r0..r1 in the middle, thinning to a point
// at the angles a0 and a1 (radians, 0 = right, growing downwards).
Shape Swoosh(int w, int h, double px, double py, double r0, double r1, double a0, double a1) {
  Shape s(w, h);
  Points pts;
  constexpr int kSteps = 24;
  const double mid = (r0 + r1) / 2, half = (r1 - r0) / 2;
  for (int i = 0; i <= kSteps; ++i) {
    const double t = static_cast<double>(i) / kSteps, a = a0 + (a1 - a0) * t;
    const double r = mid + half * std::sin(kPi * t);
    pts.push_back({px + r * std::cos(a), py + r * std::sin(a)});
  }
  for (int i = kSteps; i >= 0; --i) {
    const double t = static_cast<double>(i) / kSteps, a = a0 + (a1 - a0) * t;
    const double r = mid - half * std::sin(kPi * t);
    pts.push_back({px + r * std::cos(a), py + r * std::sin(a)});
  }
  s.Polygon(pts);
  return s;
}

// A four-pointed twinkle centred on (x, y).
Shape Twinkle(int w, int h, double x, double y, double r) {
  Shape s(w, h);
  const double k = r * 0.28;
  s.Polygon({{x, y - r}, {x + k, y - k}, {x + r, y}, {x + k, y + k}, {x, y + r}, {x - k, y + k}, {x - r, y},
             {x - k, y - k}});
  return s;
}

// A five-pointed star centred on (x, y), turned by `turn` radians.
Shape Star(int w, int h, double x, double y, double r, double turn) {
  Shape s(w, h);
  Points pts;
  for (int i = 0; i < 10; ++i) {
    const double a = -kPi / 2 + turn + i * kPi / 5, rr = i % 2 ? r * 0.45 : r;
    pts.push_back({x + rr * std::cos(a), y + rr * std::sin(a)});
  }
  s.Polygon(pts);
  return s;
}

struct FlashColours {
  Ramp outer, inner;
  uint16_t core;
};

const FlashColours kKuraraFlash{{Rgb(255, 170, 60), Rgb(240, 96, 32), Rgb(190, 48, 40)},
                                {Rgb(255, 250, 200), Rgb(255, 220, 80), Rgb(250, 170, 50)},
                                Rgb(255, 255, 240)};
const FlashColours kTavoFlash{{Rgb(120, 220, 255), Rgb(40, 150, 240), Rgb(30, 80, 190)},
                              {Rgb(240, 255, 255), Rgb(150, 240, 255), Rgb(80, 200, 240)},
                              Rgb(255, 255, 255)};

// The spin attack's whoosh: arcs swept about the hand, which is at (px, py)
// of the w x h picture; `dir` is +1 when the arcs open to the right. Each arc
// keeps inside the picture, thinning to a point at both ends.
Canvas SpinFlash(int w, int h, double px, double py, int dir, const FlashColours& f) {
  Canvas c(w, h);
  const double nearR = dir > 0 ? -px : px - (w - 1), farR = dir > 0 ? w - 1 - px : px;
  Shape inside(w, h);  // leaves room for the outline at the picture's edges
  inside.Rect(1, 1, w - 1, h - 1);
  const auto arc = [&](double at, double thick, double shrink) {
    const double r = nearR + (farR - nearR) * at, r1 = r + thick / 2;
    const double up = std::asin(std::min(1.0, (py - 1.5) / r1)) - shrink;
    const double down = std::asin(std::min(1.0, (h - 2.5 - py) / r1)) - shrink;
    const double a0 = dir > 0 ? -up : kPi - down, a1 = dir > 0 ? down : kPi + up;
    Shape s = Swoosh(w, h, px, py, r - thick / 2, r1, a0, a1);
    return s.Keep(inside);
  };
  Paint(c, arc(0.2, 9, 0.16), f.outer);
  Paint(c, arc(0.9, 7, 0.1), f.outer);
  Paint(c, arc(0.55, 20, 0.0), f.outer);
  Paint(c, arc(0.55, 12, 0.08), f.inner, Light::kRim, false);
  PaintFlat(c, arc(0.55, 4, 0.2), f.core, false);
  // Sparkles thrown off the sweep.
  const double sx = dir > 0 ? w - 7 : 6;
  Paint(c, Twinkle(w, h, sx, 7, 5.5), f.inner, Light::kFlat);
  Paint(c, Twinkle(w, h, sx - dir * 3, h - 10, 4.5), f.inner, Light::kFlat);
  return c;
}

// Frame `n` of 8 of the hurt effect: stars circling over the head. The head
// lies about (30, 31) below them in the frame's 50 x 50 square.
Canvas HurtEffect(int n) {
  Canvas c(50, 50);
  const Ramp star{Rgb(255, 255, 220), Rgb(255, 222, 60), Rgb(236, 150, 30)};
  const Ramp spark{Rgb(255, 255, 255), Rgb(200, 240, 255), Rgb(120, 190, 240)};
  constexpr double kCx = 25, kCy = 13, kRx = 19, kRy = 6.5;
  // Back stars first, then the front ones over them.
  for (bool front : {false, true})
    for (int i = 0; i < 3; ++i) {
      const double a = 2 * kPi * (n / 8.0 + i / 3.0);
      const double depth = std::sin(a);
      if ((depth >= 0) != front) continue;
      const double x = kCx + kRx * std::cos(a), y = kCy + kRy * depth;
      Paint(c, Star(50, 50, x, y, 4.2 + 1.6 * depth, a * 0.5), star, Light::kRim);
    }
  // Two twinkles blinking in turn.
  const double tx = n % 2 ? 7 : 43, ty = n % 2 ? 4 : 5;
  Paint(c, Twinkle(50, 50, tx, ty, n % 4 < 2 ? 3.5 : 2.5), spark, Light::kFlat);
  return c;
}

}  // namespace

void PaintHeroPieces(Canvas& sheet) {
  struct Hero {
    int left;
    int flashW;
    const FlashColours& flash;
  };
  const Hero heroes[] = {{kKuraraPiecesLeft, 58, kKuraraFlash}, {kTavoPiecesLeft, 60, kTavoFlash}};
  for (const Hero& h : heroes) {
    Canvas hand(kCellW, 45), foot(kCellW, 45), hip(kCellW, 50);
    Glove(hand, kPieces);
    Shoe(foot, kPieces);
    Shorts(hip, kPieces);
    Place(sheet, h.left, kHandTop, hand);
    Place(sheet, h.left, kFootTop, foot);
    Place(sheet, h.left, kHipTop, hip);
    // The game puts the left flash at (HandBX - 60, HandBY - 15) and the right
    // one at (HandAX + 30, HandAY - 15); the glove's middle is 9 columns and 8
    // rows into its cell.
    Place(sheet, h.left, kSpinLeftTop, SpinFlash(h.flashW, 60, 69, 23, -1, h.flash));
    Place(sheet, h.left, kSpinRightTop, SpinFlash(h.flashW, 55, -21, 23, 1, h.flash));
  }
  for (int n = 0; n < 8; ++n) Place(sheet, 1480, 200 + 50 * n, HurtEffect(n));
}

namespace {

Canvas Heart(const Ramp& r) {
  Canvas c(40, 30);
  Shape heart(40, 30);
  heart.Ellipse(10.5, 11, 6.5, 6.5).Ellipse(20.5, 11, 6.5, 6.5);
  heart.Polygon({{4.2, 13}, {26.8, 13}, {15.5, 26}});
  Paint(c, heart, r, Light::kBall);
  c.Set(8, 8, Rgb(255, 255, 255));
  c.Set(9, 8, Rgb(255, 255, 255));
  c.Set(8, 9, Rgb(255, 255, 255));
  return c;
}

Canvas Face(Who who, int w, int h, bool hurt) {
  Canvas c(w, h);
  const int drop = hurt ? 10 : 0;  // the hurt face is drawn 10 rows higher
  if (who == Who::kTavo) {
    PaintHead(c, who, 22, 15.5 + drop, hurt ? Mood::kOuch : Mood::kHappy, 0.75);
  } else {
    PaintHead(c, who, 28, 16.5 + drop, hurt ? Mood::kOuch : Mood::kHappy, 0.75);
  }
  if (hurt) {
    const Ramp star{Rgb(255, 255, 220), Rgb(255, 222, 60), Rgb(236, 150, 30)};
    Paint(c, Star(w, h, 7, 6, 4.5, 0.2), star, Light::kRim);
    Paint(c, Star(w, h, w - 9, 8, 3.8, -0.3), star, Light::kRim);
    // A drop of sweat.
    Shape sweat(w, h);
    sweat.Ellipse(w - 8, 26, 2.5, 3).Polygon({{w - 10.3, 25}, {w - 8, 19}, {w - 5.7, 25}});
    Paint(c, sweat, {Rgb(230, 250, 255), Rgb(150, 210, 250), Rgb(90, 150, 220)}, Light::kRim);
  }
  return c;
}

}  // namespace

void PaintHeroHud(Canvas& geji) {
  // Burst spark: a white-hot twinkle.
  Canvas spark(16, 16);
  const Ramp hot{Rgb(255, 255, 255), Rgb(255, 236, 120), Rgb(250, 160, 50)};
  Shape rays = Twinkle(16, 16, 7.5, 7.5, 6.5);
  rays.Polygon({{3.5, 3.5}, {8.5, 6.5}, {11.5, 3.5}, {8.5, 8.5}, {11.5, 11.5}, {6.5, 8.5}, {3.5, 11.5}, {6.5, 6.5}});
  Paint(spark, rays, hot, Light::kRim);
  Shape core(16, 16);
  core.Ellipse(7.5, 7.5, 2, 2);
  PaintFlat(spark, core, Rgb(255, 255, 255), false);
  Place(geji, 500, 130, spark);

  Place(geji, 200, 130, Heart({Rgb(140, 200, 255), Rgb(40, 120, 232), Rgb(28, 60, 160)}));
  Place(geji, 200, 160, Heart({Rgb(255, 150, 150), Rgb(232, 44, 72), Rgb(150, 24, 56)}));
  Place(geji, 200, 200, Face(Who::kTavo, 50, 30, false));
  Place(geji, 200, 230, Face(Who::kTavo, 50, 50, true));
  Place(geji, 250, 200, Face(Who::kKurara, 55, 30, false));
  Place(geji, 250, 230, Face(Who::kKurara, 55, 50, true));
}

}  // namespace gen::heroes
