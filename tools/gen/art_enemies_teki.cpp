// Mogeta, Byoon and the hit spark.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "gen/art_enemies_draw.hpp"

namespace gen::enemy {

// ---- Mogeta: a little mole ----

void MogeBody(const Pen& p, int frame) {
  const Palettes& P = Pal();
  const bool hit = frame == 1;
  const uint16_t fur = Base(P.mogeBody);
  // A round back on a flat belly, so both feet meet it.
  p.Poly({{4, 24}, {38.5, 24}, {38.5, 33}, {35, 38.5}, {7, 38.5}, {3.5, 33}}, fur);
  p.Ellipse(21, hit ? 23 : 21, 18, hit ? 15 : 16.5, fur);
  p.Poly({{22, 5}, {26, 1.5}, {28, 6}}, fur);  // a tuft
  p.Bevel(P.mogeBody, 2);
  p.Ellipse(23, 30, 11, 6.5, Base(P.mogeClaw));  // belly
  p.Bevel(P.mogeClaw, 1);
  // Snout, pointing ahead, with whiskers.
  p.Ellipse(6.5, 25, 5.5, 4, Base(P.mogeSnout));
  p.Ellipse(2.8, 24, 2, 2, Shade(P.mogeSnout));
  p.Bevel(P.mogeSnout, 1);
  p.Line(9, 22, 15, 20, 1, Shade(P.mogeBody));
  p.Line(9, 28, 15, 30, 1, Shade(P.mogeBody));
  if (hit) {
    ShutEye(p, 14, 17, 2.5);
    p.Ellipse(11, 32, 3, 2.5, kMouth.Px());
  } else {
    p.Ellipse(13, 17, 2, 2.5, kPupil.Px());
    p.Dot(12, 16, kWhite.Px());
    p.Ellipse(23, 16, 1.8, 2.3, kPupil.Px());
  }
}

void MogeHand(const Pen& p, bool handA) {
  const Palettes& P = Pal();
  // A digging paw, claws down: the same paw serves both facings. Hand A,
  // held in front of the belly, is a little smaller.
  const double r = handA ? 5.5 : 6.5;
  p.Ellipse(10, 11, r, r - 1, Base(P.mogeSnout));
  p.Bevel(P.mogeSnout, 1);
  for (int i = -1; i <= 1; ++i) p.Line(10 + 3 * i, 14, 10 + 3.5 * i, 17.5, 1.4, Base(P.mogeClaw));
}

void MogeFoot(const Pen& p) {
  const Palettes& P = Pal();
  p.Ellipse(11, 5.5, 9.5, 4.2, Base(P.mogeFeet));
  p.Bevel(P.mogeFeet, 1);
  p.Dot(4, 7, Base(P.mogeClaw));
  p.Dot(7, 8, Base(P.mogeClaw));
}

// ---- Byoon: a wide golden hopper ----

void ByoonBody(const Pen& p, int frame) {
  const Palettes& P = Pal();
  const bool hit = frame == 1;
  // Two feelers on top, tipped with balls.
  p.Line(22, 7, 18, 3, 1.5, Shade(P.byoonBody));
  p.Line(32, 6, 33, 2.5, 1.5, Shade(P.byoonBody));
  p.Ellipse(17, 2.8, 2, 1.8, Base(P.byoonSpot));
  p.Ellipse(33.5, 2.5, 2, 1.8, Base(P.byoonSpot));
  p.Ellipse(35, hit ? 17 : 16.5, hit ? 33.5 : 33, hit ? 11.5 : 12.5, Base(P.byoonBody));
  p.Bevel(P.byoonBody, 2);
  p.Ellipse(50, 10, 4, 2.5, Base(P.byoonSpot));
  p.Ellipse(59, 17, 3, 2, Base(P.byoonSpot));
  p.Ellipse(45, 21, 3, 2, Base(P.byoonSpot));
  p.Bevel(P.byoonSpot, 1);
  if (hit) {
    ShutEye(p, 15, 13, 3);
    ShutEye(p, 27, 12, 3);
    p.Ellipse(14, 22, 5, 3, kMouth.Px());
  } else {
    Eye(p, 15, 12, 4.5, 5.5, -1, 0);
    Eye(p, 27, 11, 4, 5, -1, 0);
    p.Line(7, 20, 13, 23, 1.3, kMouth.Px());
    p.Line(13, 23, 20, 21, 1.3, kMouth.Px());
  }
}

void ByoonWing(const Pen& p) {
  const Palettes& P = Pal();
  // A wing seen edge on: round leading edge, feather tips trailing.
  // Its top row is the piece's second, so the wing riding on the body's
  // lower edge touches it.
  p.Poly({{1.5, 5},
          {5, 1},
          {14, 1},
          {28.5, 1.5},
          {24, 4.5},
          {28.5, 6},
          {23, 7.5},
          {26, 8.5},
          {8, 8.5},
          {2.5, 7.5}},
         Base(P.byoonWing));
  p.Bevel(P.byoonWing, 1);
  p.Line(6, 5, 20, 5, 1, Shade(P.byoonWing));
}

void ByoonFoot(const Pen& p) {
  const Palettes& P = Pal();
  p.Ellipse(16, 5, 12.5, 3.6, Base(P.byoonFeet));
  for (int i = 0; i < 3; ++i) p.Ellipse(5 + 4 * i, 7.5, 2.2, 2.2, Base(P.byoonFeet));
  p.Bevel(P.byoonFeet, 1);
}

void ByoonHurtWing(const Pen& p, bool fromLeft) {
  const Palettes& P = Pal();
  // The wing knocked askew: its tip flung up after a blow from the left,
  // down after one from the right, with a crease across it; centred in the
  // piece's height.
  const double a = (fromLeft ? -10 : 10) * 3.14159265358979 / 180;
  std::vector<std::pair<double, double>> pts;
  for (const auto& [x, y] : {std::pair{1.5, 7.0}, {5.0, 3.5}, {14.0, 3.5}, {28.0, 4.0}, {23.0, 7.0}, {27.0, 9.0},
                             {21.0, 10.5}, {24.0, 12.0}, {8.0, 12.0}, {2.5, 10.5}, {12.0, 4.0}, {16.0, 11.0}}) {
    const double dx = x - 2, dy = y - 7.5;
    pts.emplace_back(2 + dx * std::cos(a) - dy * std::sin(a), 7.5 + dx * std::sin(a) + dy * std::cos(a));
  }
  double top = 1e9, bottom = -1e9;
  for (const auto& q : pts) {
    top = std::min(top, q.second);
    bottom = std::max(bottom, q.second);
  }
  for (auto& q : pts) q.second += (15 - top - bottom) / 2;
  const std::pair crease0 = pts[10], crease1 = pts[11];
  pts.resize(10);
  p.Poly(pts, Base(P.byoonWing));
  p.Bevel(P.byoonWing, 1);
  p.Line(crease0.first, crease0.second, crease1.first, crease1.second, 1, Shade(P.byoonWing));
}

// ---- hit spark ----

namespace {

std::vector<std::pair<double, double>> Star(double cx, double cy, double outer, double inner, int points,
                                            double turn) {
  std::vector<std::pair<double, double>> pts;
  for (int i = 0; i < 2 * points; ++i) {
    const double a = turn + i * 3.14159265358979 / points;
    const double r = i % 2 ? inner : outer;
    pts.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
  }
  return pts;
}

}  // namespace

void Spark(const Pen& p, int frame) {
  const Palettes& P = Pal();
  const double cx = 24, cy = 25;
  const uint16_t core = Base(P.sparkCore), ray = Base(P.sparkRay), edge = Base(P.sparkEdge);
  const double tilt = 0.39;  // 22.5 degrees: alternate frames turn the rays
  switch (frame) {
    case 0:
      p.Poly(Star(cx, cy, 10, 3, 4, 0), ray);
      p.Ellipse(cx, cy, 4.5, 4.5, core);
      break;
    case 1:
      p.Poly(Star(cx, cy, 15, 5, 8, tilt), ray);
      p.Ellipse(cx, cy, 7, 7, core);
      break;
    case 2:
      p.Poly(Star(cx, cy, 20, 8, 8, 0), edge);
      p.Poly(Star(cx, cy, 16, 6, 8, 0), ray);
      p.Ellipse(cx, cy, 8, 8, core);
      break;
    case 3:
      p.Poly(Star(cx, cy, 22.5, 10, 8, tilt), edge);
      p.Poly(Star(cx, cy, 18, 8, 8, tilt), ray);
      p.Ellipse(cx, cy, 8, 8, core);
      break;
    case 4:
      p.Poly(Star(cx, cy, 22.5, 11, 8, 0), edge);
      p.Poly(Star(cx, cy, 17, 9, 8, 0), ray);
      p.Ellipse(cx, cy, 6, 6, core);
      break;
    case 5:
      p.Ellipse(cx, cy, 19, 19, edge);
      p.Ellipse(cx, cy, 16, 16, ray);
      p.Ellipse(cx, cy, 12, 12, 0);
      for (int i = 0; i < 8; ++i) {
        const double a = tilt + i * 3.14159265358979 / 4;
        p.Poly(Star(cx + 20 * std::cos(a), cy + 20 * std::sin(a), 3.5, 1.2, 4, 0), core);
      }
      break;
    case 6:
    case 7:
      // The ring breaks up into flying shards.
      for (int i = 0; i < 8; ++i) {
        const double a = (frame == 6 ? 0 : tilt) + i * 3.14159265358979 / 4;
        const double r = frame == 6 ? 18 : 20.5;
        const double sx = cx + r * std::cos(a), sy = cy + r * std::sin(a);
        p.Poly(Star(sx, sy, frame == 6 ? 4.5 : 3.5, frame == 6 ? 1.8 : 1.4, 4, a), frame == 6 ? ray : edge);
        if (frame == 6) p.Ellipse(sx, sy, 1.5, 1.5, core);
      }
      break;
    case 8:
      for (int i = 0; i < 8; ++i) {
        const double a = tilt + i * 3.14159265358979 / 4;
        p.Ellipse(cx + 21 * std::cos(a), cy + 21 * std::sin(a), 1.6, 1.6, ray);
      }
      break;
    default:
      for (int i = 0; i < 4; ++i) {
        const double a = i * 3.14159265358979 / 2 + 0.78;
        p.Ellipse(cx + 21.5 * std::cos(a), cy + 21.5 * std::sin(a), 1.2, 1.2, edge);
      }
      break;
  }
}

}  // namespace gen::enemy
