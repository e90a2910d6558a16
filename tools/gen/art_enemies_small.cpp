// The four kinds of the first sheet: gek, kurosuke, patatta and sikaky.
#include <cmath>
#include <utility>

#include "gen/art_enemies_draw.hpp"

namespace gen::enemy {

namespace {

using Pt = std::pair<double, double>;

// Turns a point about a centre by `degrees` (clockwise on screen).
Pt Turn(Pt p, Pt centre, double degrees) {
  const double a = degrees * 3.14159265358979 / 180;
  const double dx = p.first - centre.first, dy = p.second - centre.second;
  return {centre.first + dx * std::cos(a) - dy * std::sin(a), centre.second + dx * std::sin(a) + dy * std::cos(a)};
}

// ---- gek ----
// Body pictures share one layout: a head at the top, the robe below it, the
// robe's hem on the boots. The cover (the cape) lies over the robe from row
// 36 on, 7 columns in.

enum class GekFace { kGrin, kHurt, kShout };

void GekHead(const Pen& p, double hx, double hy, GekFace face) {
  const Palettes& P = Pal();
  const uint16_t skin = Base(P.gekSkin);
  p.Poly({{hx + 10, hy - 9}, {hx + 18.5, hy - 19}, {hx + 15, hy - 3}}, skin);  // ear, pointing back
  p.Poly({{hx - 5, hy - 16}, {hx - 1, hy - 20.2}, {hx + 2, hy - 16}}, skin);   // tuft
  p.Poly({{hx + 1, hy - 17}, {hx + 7, hy - 19.8}, {hx + 7, hy - 14}}, skin);
  p.Ellipse(hx, hy, 18, 18, skin);
  p.Poly({{hx - 14, hy - 1}, {hx - 18.5, hy + 4}, {hx - 12, hy + 6}}, skin);  // nose, pointing ahead
  p.Bevel(P.gekSkin, 2);
  const uint16_t ink = kPupil.Px(), mouth = kMouth.Px();
  switch (face) {
    case GekFace::kGrin:
      Eye(p, hx - 6, hy - 3, 5, 6, -1, 0.2);
      Eye(p, hx + 7, hy - 4, 4, 5, -1, 0.2);
      p.Line(hx - 11, hy - 11, hx - 3, hy - 9, 1.5, ink);  // a sly brow
      p.Line(hx - 14, hy + 9, hx - 3, hy + 11, 1.5, mouth);
      p.Box(hx - 9, hy + 11, hx - 7, hy + 13, kWhite.Px());
      break;
    case GekFace::kHurt:
      ShutEye(p, hx - 6, hy - 3, 3);
      ShutEye(p, hx + 7, hy - 4, 2.5);
      p.Ellipse(hx - 7, hy + 10, 4, 4, mouth);
      p.Ellipse(hx - 7, hy + 12, 2.5, 1.5, kTongue.Px());
      break;
    case GekFace::kShout:
      Eye(p, hx - 6, hy - 4, 5, 6, -1, -0.3);
      Eye(p, hx + 7, hy - 5, 4, 5, -1, -0.3);
      p.Line(hx - 12, hy - 13, hx - 3, hy - 10, 1.8, ink);
      p.Ellipse(hx - 9, hy + 9, 5, 4, mouth);
      p.Ellipse(hx - 9, hy + 11, 3, 1.5, kTongue.Px());
      break;
  }
}

void GekRobe(const Pen& p, int hem) {
  const Palettes& P = Pal();
  p.Ellipse(20, 62, 19, 26, Base(P.gekRobe));
  p.Poly({{2, 64}, {38, 64}, {39, hem}, {1, hem}}, Base(P.gekRobe));
  p.Bevel(P.gekRobe, 2);
  p.Box(1, hem - 4, 39, hem, Base(P.gekTrim));
  p.Bevel(P.gekTrim, 1);
}

// The cape in the cover's layout, with its collar.
void GekCape(const Pen& p, double x, double y) {
  const Palettes& P = Pal();
  // Rounded shoulders, full to the right edge (where the back hand meets it),
  // and a scalloped hem.
  p.Poly({{x + 5, y + 1.5},
          {x + 25, y + 1.5},
          {x + 31, y + 5},
          {x + 35, y + 11},
          {x + 37, y + 20},
          {x + 37, y + 33},
          {x + 34, y + 38.5},
          {x + 29, y + 35},
          {x + 23, y + 38.5},
          {x + 17, y + 35},
          {x + 11, y + 38.5},
          {x + 5, y + 35},
          {x + 1.5, y + 37},
          {x + 1.5, y + 20},
          {x + 2.5, y + 8}},
         Base(P.gekCape));
  p.Bevel(P.gekCape, 2);
  p.Line(x + 15, y + 10, x + 14, y + 33, 1, Shade(P.gekCape));
  p.Line(x + 26, y + 12, x + 27, y + 33, 1, Shade(P.gekCape));
  p.Ellipse(x + 15, y + 4, 13, 3, Base(P.gekTrim));
  p.Ellipse(x + 7, y + 6, 3, 3, Light(P.gekTrim));
}

}  // namespace

void GekBody(const Pen& p, int frame) {
  const Palettes& P = Pal();
  if (frame == 0) {
    GekRobe(p, 87);
    GekHead(p, 20, 21, GekFace::kGrin);
  } else if (frame == 1) {
    GekRobe(p, 87);
    GekHead(p, 20, 24, GekFace::kHurt);
    p.Ellipse(35, 8, 1.5, 2.5, kSweat.Px());  // a bead of sweat
  } else {
    // Throwing: a lunge. The hem is higher (the wide picture ends at row 82),
    // the back leg stretches out to the boot behind, and the legs below the
    // hem belong to the narrow picture only. The cape flies out behind; right
    // of column 40 it stays within the rows the cover hides.
    p.Box(3, 80, 11, 88, Shade(P.gekRobe));
    p.Box(28, 80, 36, 88, Shade(P.gekRobe));
    p.Line(30, 66, 47, 76.5, 8, Shade(P.gekRobe));
    GekRobe(p, 80);
    const uint16_t cape = Base(P.gekCape);
    p.Poly({{5, 38},
            {28, 36},
            {48, 34},
            {78.5, 31},
            {68, 43},
            {78.5, 50},
            {64, 56},
            {74, 66},
            {54, 68},
            {40, 74},
            {4, 74}},
           cape);
    p.Bevel(P.gekCape, 2);
    p.Line(30, 44, 66, 38, 1, Shade(P.gekCape));
    p.Line(30, 58, 62, 60, 1, Shade(P.gekCape));
    p.Ellipse(18, 38, 13, 3, Base(P.gekTrim));
    p.Ellipse(10, 40, 3, 3, Light(P.gekTrim));
    GekHead(p, 18, 22, GekFace::kShout);
  }
}

void GekCover(const Pen& p) { GekCape(p, 0, 0); }

void GekHand(const Pen& p) {
  const Palettes& P = Pal();
  p.Ellipse(19, 5, 3.5, 4, Base(P.gekSkin));  // thumb
  p.Ellipse(14, 12, 9, 8, Base(P.gekSkin));
  p.Bevel(P.gekSkin, 2);
  p.Line(7, 14, 12, 14, 1, Shade(P.gekSkin));
  p.Line(8, 17, 13, 17, 1, Shade(P.gekSkin));
}

void GekFoot(const Pen& p) {
  const Palettes& P = Pal();
  // A round boot, toe ahead (left), its sole on the ground 17 rows down.
  p.Ellipse(17, 7, 10, 6.5, Base(P.gekBoot));
  p.Ellipse(15, 12, 14, 5, Base(P.gekBoot));
  p.Ellipse(5.5, 11, 4.5, 5, Base(P.gekBoot));
  p.Bevel(P.gekBoot, 2);
  p.Box(3, 15, 29, 17, Shade(P.gekBoot));
  p.Line(10, 4, 24, 4, 1, Shade(P.gekBoot));
}

void GekBall(const Pen& p) {
  const Palettes& P = Pal();
  p.Ball(15, 15, 11, 11, P.gekBall.ramp);
  p.Line(6, 19, 24, 11, 2, kWhite.Px());
}

// ---- kurosuke ----

void KuroBody(const Pen& p, int frame) {
  const Palettes& P = Pal();
  const uint16_t fur = Base(P.kuroBody);
  const bool hit = frame == 1;
  // Tufts of fur on the crown, swept back when hit.
  const double sweep = hit ? 6 : 0;
  p.Poly({{20, 9}, {24 + sweep, 1.5}, {30, 8}}, fur);
  p.Poly({{29, 7}, {36 + sweep, 1.5}, {39, 9}}, fur);
  p.Poly({{38, 9}, {46 + sweep * 0.6, 3}, {46, 13}}, fur);
  if (hit) {
    p.Ellipse(30, 33, 28, 25.5, fur);
  } else {
    p.Ellipse(30, 31.5, 28, 27.5, fur);
  }
  p.Bevel(P.kuroBody, 3);
  // Fuzz: a few darker tufts along the lower rim.
  for (int i = 0; i < 5; ++i) p.Dot(14 + 8 * i, 53 - (i % 2), Shade(P.kuroBody));
  p.Ellipse(8, 39, 3, 2, Base(P.kuroCheek));
  p.Ellipse(41, 38, 3, 2, Base(P.kuroCheek));
  if (hit) {
    ShutEye(p, 17, 28, 4);
    ShutEye(p, 33, 27, 4);
    p.Ellipse(22, 44, 6, 5, kMouth.Px());
    p.Ellipse(22, 47, 3.5, 2, kTongue.Px());
    p.Ellipse(51, 12, 2, 3, kSweat.Px());  // a bead of sweat
  } else {
    Eye(p, 17, 26, 7, 9, -1, 0.1);
    Eye(p, 33, 25, 7, 9, -1, 0.1);
    p.Ellipse(21, 43, 4, 2.5, kMouth.Px());
    p.Box(20, 41, 22, 42, kWhite.Px());
  }
}

void KuroFoot(const Pen& p) {
  const Palettes& P = Pal();
  p.Ellipse(10, 5, 8, 3.6, Base(P.kuroFeet));
  p.Bevel(P.kuroFeet, 1);
  p.Dot(6, 7, Shade(P.kuroFeet));
  p.Dot(9, 7, Shade(P.kuroFeet));
}

// ---- patatta ----

void PataBody(const Pen& p, int frame) {
  const Palettes& P = Pal();
  // Drawn facing left, turned by `tilt`; frames facing right are mirrored.
  static constexpr double kTilt[6] = {-28, 6, 6, -28, 22, 22};
  const double tilt = kTilt[frame];
  const bool hurt = frame >= 4;
  const Pt c{30, 26};
  const auto T = [&](double x, double y) { return Turn({x, y}, c, tilt); };
  const auto Poly = [&](std::initializer_list<Pt> pts, uint16_t col) {
    std::vector<Pt> out;
    for (const Pt& q : pts) out.push_back(T(q.first, q.second));
    p.Poly(out, col);
  };
  Poly({{48, 22}, {55.5, 15}, {53, 24}, {55.5, 32}, {48, 30}}, Base(P.pataTip));  // tail
  Poly({{24, 10}, {25, 3}, {30, 9}}, Base(P.pataTip));                             // crest
  Poly({{29, 8}, {33, 2.5}, {35, 9}}, Base(P.pataTip));
  p.Bevel(P.pataTip, 1);
  p.Tilted(30, 26, 23, 18.5, tilt, Base(P.pataBody));
  // The left wing's shoulder: the wings keep their sides whichever way the
  // body faces, so it stays on the left of the picture.
  p.Ellipse(p.mirror ? 46 : 14, 17, 7, 6, Base(P.pataBody));
  p.Bevel(P.pataBody, 2);
  const Pt belly = T(27, 33);
  p.Tilted(belly.first, belly.second, 13, 8, tilt, Base(P.pataBelly));
  // Beak, open when hurt.
  if (hurt) {
    Poly({{11, 19}, {2, 18}, {11, 25}}, Base(P.pataBeak));
    Poly({{11, 26}, {3, 31}, {12, 30}}, Base(P.pataBeak));
  } else {
    Poly({{12, 20}, {1.5, 25}, {12, 30}}, Base(P.pataBeak));
  }
  p.Bevel(P.pataBeak, 1);
  Poly({{4, 25}, {12, 25}, {12, 26}, {4, 26}}, Shade(P.pataBeak));
  const Pt eye = T(19, 18);
  if (hurt) {
    ShutEye(p, eye.first, eye.second, 3);
  } else {
    Eye(p, eye.first, eye.second, 4.5, 5.5, -1, 0.2);
  }
  const Pt foot = T(31, 44);
  p.Ellipse(foot.first, foot.second, 3, 2, Base(P.pataBeak));
  const Pt foot2 = T(37, 43);
  p.Ellipse(foot2.first, foot2.second, 3, 2, Shade(P.pataBeak));
}

void PataWing(const Pen& p, bool rightHand, int frame) {
  const Palettes& P = Pal();
  // The root sits where the game's offsets put it on the shoulders (row 15 of
  // the body) in every frame; the wing turns about it from raised to lowered.
  // Wing B is the mirror picture of wing A, with its own root rows.
  static constexpr double kRootA[4] = {42, 43, 28, 10};
  static constexpr double kRootB[4] = {39, 38, 26, 10};
  static constexpr double kAngle[4] = {-58, -28, 4, 38};
  static constexpr double kLength[4] = {44, 50, 52, 46};
  const Pen q = rightHand ? p : Pen{p.c, p.ox, p.oy, p.s, !p.mirror, 60};
  const Pt root{6, rightHand ? kRootA[frame] : kRootB[frame]};
  const double L = kLength[frame], a = kAngle[frame];
  const auto W = [&](double u, double v) { return Turn({root.first + u, root.second + v}, root, a); };
  std::vector<Pt> outer{W(0, -6),        W(L * 0.5, -8.5), W(L * 0.9, -4.5), W(L, 0),
                        W(L * 0.86, 4),  W(L * 0.72, 8),   W(L * 0.6, 5),    W(L * 0.48, 10),
                        W(L * 0.36, 6), W(L * 0.24, 10.5), W(L * 0.12, 6),   W(0, 7)};
  q.Poly(outer, Base(P.pataTip));
  std::vector<Pt> inner{W(0, -6), W(L * 0.5, -8.5), W(L * 0.9, -4.5), W(L * 0.95, -1),
                        W(L * 0.6, 2), W(L * 0.3, 3), W(0, 3)};
  q.Poly(inner, Base(P.pataWing));
  q.Bevel(P.pataWing, 2);
  q.Bevel(P.pataTip, 1);
  const Pt s0 = W(L * 0.2, 0), s1 = W(L * 0.75, -2);
  q.Line(s0.first, s0.second, s1.first, s1.second, 1, Shade(P.pataWing));
}

// ---- sikaky ----

void SikaBody(const Pen& p, int frame) {
  const Palettes& P = Pal();
  const uint16_t body = Base(P.sikaBody);
  if (frame == 0) {
    p.Poly({{4, 1.5}, {36, 1.5}, {38.5, 4}, {38.5, 34}, {36, 36.5}, {4, 36.5}, {1.5, 34}, {1.5, 4}}, body);
  } else if (frame == 1) {
    // The other hop look: a little narrower, as if stretched by the jump.
    p.Poly({{6, 1.5}, {34, 1.5}, {36.5, 4}, {36.5, 34}, {34, 36.5}, {6, 36.5}, {3.5, 34}, {3.5, 4}}, body);
  } else {
    // Hurt: knocked askew, leaning one way, then the other; the top stays
    // put under the sprout.
    const double lean = frame == 2 ? -2 : 2;
    p.Poly({{6, 1.5},
            {34, 1.5},
            {36.5, 4},
            {36.5 + lean, 34},
            {34 + lean, 36.5},
            {6 + lean, 36.5},
            {3.5 + lean, 34},
            {3.5, 4}},
           body);
  }
  p.Bevel(P.sikaBody, 3);
  if (frame <= 1) {
    p.Box(frame == 0 ? 5 : 7, 5, frame == 0 ? 8 : 10, 8, kWhite.Px());  // shine
    p.Ellipse(frame == 0 ? 7 : 9, 26, 3, 2, Base(P.kuroCheek));
    p.Ellipse(frame == 0 ? 33 : 31, 26, 3, 2, Base(P.kuroCheek));
  } else {
    // A bump and stress marks.
    p.Ellipse(frame == 2 ? 30 : 10, 6, 4, 3, Light(P.sikaBody));
    p.Line(frame == 2 ? 6 : 28, 5, frame == 2 ? 10 : 32, 9, 1, kPupil.Px());
    p.Line(frame == 2 ? 10 : 32, 5, frame == 2 ? 6 : 28, 9, 1, kPupil.Px());
  }
}

void SikaTop(const Pen& p) {
  const Palettes& P = Pal();
  const uint16_t c = Base(P.sikaTop);
  p.Line(20, 17, 20, 9, 3, Base(P.gekSkin));
  p.Tilted(12, 8, 8, 3.5, -25, c);
  p.Tilted(28, 8, 8, 3.5, 25, c);
  p.Ellipse(20, 6, 3.5, 4.5, Light(P.sikaTop));
  p.Bevel(P.sikaTop, 1);
  p.Bevel(P.gekSkin, 1);
}

void SikaFoot(const Pen& p) {
  const Palettes& P = Pal();
  p.Ellipse(10, 5.5, 8.5, 3.5, Base(P.sikaFeet));
  p.Bevel(P.sikaFeet, 1);
}

void SikaSpot(const Pen& p) {
  p.Ellipse(7.5, 7, 5.5, 4.5, kMouth.Px());
  p.Ellipse(7.5, 9, 3, 2, kTongue.Px());
  p.Box(5, 3, 7, 5, kWhite.Px());
  p.Box(8, 3, 10, 5, kWhite.Px());
}

void SikaDot(const Pen& p) {
  p.Ellipse(5, 5, 3.5, 4, kPupil.Px());
  p.Box(3, 3, 5, 5, kWhite.Px());
}

void SikaBall(const Pen& p) {
  const Palettes& P = Pal();
  // A glowing ball with a point to the right: it flies either way in play,
  // and on the options screen it points at the row it marks.
  p.Poly({{22, 8}, {38.5, 19}, {22, 30}}, Base(P.sikaArrow));
  p.Bevel(P.sikaArrow, 2);
  p.Ball(16, 19, 13.5, 13.5, P.sikaBall.ramp);
  p.Line(12, 12, 19, 19, 3, kWhite.Px());
  p.Line(19, 19, 12, 26, 3, kWhite.Px());
}

}  // namespace gen::enemy
