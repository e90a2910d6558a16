#include "gen/art_heroes_faces.hpp"

#include <cmath>
#include <numbers>

namespace gen::heroes {

namespace {

int Px(double v) { return static_cast<int>(std::floor(v)); }

void Dot(Canvas& c, double x, double y, uint16_t colour) { c.Set(Px(x), Px(y), colour); }

void HLine(Canvas& c, double x0, double x1, double y, uint16_t colour) {
  for (int x = Px(x0); x <= Px(x1); ++x) c.Set(x, Px(y), colour);
}

// Whether (x, y) and its four neighbours are painted and none of them is
// outline: a pixel well inside the face.
bool InsideFace(const Canvas& c, int x, int y) {
  const auto face = [&](int px, int py) { return c.Get(px, py) != 0 && c.Get(px, py) != kInk; };
  return face(x, y) && face(x - 1, y) && face(x + 1, y) && face(x, y - 1) && face(x, y + 1);
}

// Like HLine, but only well inside the face, so cheeks never touch its edge.
void Cheek(Canvas& c, double x0, double x1, double y, uint16_t colour) {
  for (int x = Px(x0); x <= Px(x1); ++x)
    if (InsideFace(c, x, Px(y))) c.Set(x, Px(y), colour);
}

// One eye centred on (ex, ey); `s` scales it. `near` is the eye nearer the
// viewer (a little wider); `front` is +1 for the eye on the facing side.
void Eye(Canvas& c, const LookColours& k, double ex, double ey, Mood mood, double s, bool near, int front) {
  const double w = (near ? 2.2 : 1.8) * s, h = 3.4 * s;
  switch (mood) {
    case Mood::kHappy:
    case Mood::kFierce: {
      const double hh = mood == Mood::kFierce ? h * 0.75 : h;
      FillEllipse(c, ex, ey, w, hh, k.eye);
      Dot(c, ex - w * 0.45, ey - hh * 0.5, k.eyeWhite);
      if (s >= 0.9) Dot(c, ex - w * 0.45, ey - hh * 0.5 + 1, k.eyeWhite);
      if (mood == Mood::kFierce) {
        // Brows slanting down towards the nose.
        const double y0 = ey - hh - 2.2 * s, y1 = ey - hh - 0.6 * s;
        const double x0 = ex - front * 3.0 * s, x1 = ex + front * 2.6 * s;
        Line(c, Px(x0), Px(y0), Px(x1), Px(y1), kInk);
        Line(c, Px(x0), Px(y0) - 1, Px(x1), Px(y1) - 1, kInk);
      }
      break;
    }
    case Mood::kUp: {
      FillEllipse(c, ex, ey, w, h, k.eyeWhite);
      FillEllipse(c, ex + 0.3 * s, ey - h * 0.45, w * 0.8, h * 0.55, k.eye);
      // Raised brows.
      HLine(c, ex - w, ex + w, ey - h - 2.0 * s, kInk);
      break;
    }
    case Mood::kDown: {
      // Half-shut lids, pupils at the bottom.
      HLine(c, ex - w - 0.5, ex + w, ey - 0.5 * s, kInk);
      FillEllipse(c, ex + 0.4 * s, ey + 1.4 * s, w * 0.8, h * 0.45, k.eye);
      break;
    }
    case Mood::kOuch: {
      // Squeezed shut: ">" on the left eye, "<" on the right.
      const int dir = front > 0 ? -1 : 1;
      const int x0 = Px(ex - dir * 2.0 * s), x1 = Px(ex + dir * 2.0 * s);
      Line(c, x0, Px(ey - 2.4 * s), x1, Px(ey), kInk);
      Line(c, x1, Px(ey), x0, Px(ey + 2.4 * s), kInk);
      break;
    }
    case Mood::kWhee: {
      // Happy arcs.
      const int x0 = Px(ex - w - 0.5), x1 = Px(ex + w);
      Line(c, x0, Px(ey + 1), Px(ex), Px(ey - 1.5 * s), kInk);
      Line(c, Px(ex), Px(ey - 1.5 * s), x1, Px(ey + 1), kInk);
      break;
    }
  }
}

void Mouth(Canvas& c, const LookColours& k, double mx, double my, Mood mood, double s) {
  switch (mood) {
    case Mood::kHappy: {
      // An open smile: a dark top row, a shorter row under it with the tongue.
      const int x = Px(mx), y = Px(my), w = s >= 0.9 ? 2 : 1;
      HLine(c, x - w, x + w, y, k.mouth);
      HLine(c, x - w + 1, x + w - 1, y + 1, k.mouth);
      if (s >= 0.9) c.Set(x, y + 1, k.tongue);
      break;
    }
    case Mood::kUp:
      FillEllipse(c, mx, my + 0.5, 1.6 * s, 2.0 * s, k.mouth);
      break;
    case Mood::kDown:
      HLine(c, mx - 1.5 * s, mx + 1.5 * s, my + 1, k.mouth);
      break;
    case Mood::kOuch:
    case Mood::kWhee:
    case Mood::kFierce: {
      // Open wide: dark inside, tongue at the bottom, teeth along the top when shouting.
      const double rx = (mood == Mood::kFierce ? 3.6 : 3.0) * s, ry = (mood == Mood::kOuch ? 3.2 : 2.6) * s;
      Shape m(c.w, c.h);
      m.Ellipse(mx, my + ry * 0.6, rx, ry);
      if (mood != Mood::kOuch) m.CutRows(Px(my), true);
      // Keep a rim of face around it.
      Shape inner(c.w, c.h);
      for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
          if (InsideFace(c, x, y)) inner.Rect(x, y, x + 1, y + 1);
      m.Keep(inner);
      PaintFlat(c, m, k.mouth, false);
      Shape t(c.w, c.h);
      t.Ellipse(mx + 0.5, my + ry * 1.25, rx * 0.6, ry * 0.45);
      t.Keep(m);
      PaintFlat(c, t, k.tongue, false);
      if (mood == Mood::kFierce) HLine(c, mx - rx + 1, mx + rx - 1, my, k.eyeWhite);
      break;
    }
  }
}

void KuraraHead(Canvas& c, double hx, double hy, Mood mood, double s) {
  const LookColours& k = kKuraraLook;
  const auto X = [&](double d) { return hx + d * s; };
  const auto Y = [&](double d) { return hy + d * s; };
  const bool flying = mood == Mood::kOuch || mood == Mood::kWhee;

  // Ponytail behind the head, swinging up when she is knocked or thrown.
  Shape tail(c.w, c.h);
  if (flying) {
    tail.Polygon({{X(-10), Y(-14)}, {X(-20), Y(-17)}, {X(-29), Y(-15)}, {X(-34), Y(-8)}, {X(-29), Y(-9)},
                  {X(-25), Y(-3)}, {X(-16), Y(-2)}});
  } else {
    tail.Polygon({{X(-9), Y(-15)}, {X(-21), Y(-14)}, {X(-29), Y(-5)}, {X(-30), Y(6)}, {X(-27), Y(15)},
                  {X(-24), Y(8)}, {X(-20), Y(2)}, {X(-13), Y(-2)}});
  }
  Paint(c, tail, k.hair);
  if (s >= 0.9) {
    // A strand line along the tail.
    if (flying) {
      Line(c, Px(X(-14)), Px(Y(-8)), Px(X(-28)), Px(Y(-13)), k.hair.shadow);
    } else {
      Line(c, Px(X(-16)), Px(Y(-8)), Px(X(-25)), Px(Y(4)), k.hair.shadow);
    }
  }

  Shape head(c.w, c.h);
  head.Ellipse(hx, hy, 18 * s, 16.5 * s);
  Paint(c, head, k.skin, Light::kBall);

  // Hair: a cap over the top and back, the face cut out, bangs over the brow.
  Shape hair(c.w, c.h);
  hair.Ellipse(X(-1.5), Y(-3), 19.5 * s, 15.5 * s);
  Shape face(c.w, c.h);
  face.Ellipse(X(6), Y(6.5), 15 * s, 12.5 * s);
  hair.Cut(face);
  hair.CutRows(Px(Y(9)), false);
  hair.Polygon({{X(-4), Y(-10)}, {X(0), Y(-2)}, {X(3), Y(-8)}, {X(7), Y(-1)}, {X(10), Y(-8)}, {X(14), Y(-1)},
                {X(16), Y(-9)}, {X(19), Y(-2)}, {X(19), Y(-11)}, {X(8), Y(-16)}});
  Paint(c, hair, k.hair);

  // Bow where the ponytail starts.
  if (s >= 0.6) {
    Shape bow(c.w, c.h);
    bow.Polygon({{X(-12), Y(-14)}, {X(-19), Y(-19)}, {X(-20), Y(-10)}});
    bow.Polygon({{X(-12), Y(-14)}, {X(-5), Y(-19.5)}, {X(-4), Y(-10)}});
    Paint(c, bow, k.accent);
    Shape knot(c.w, c.h);
    knot.Ellipse(X(-12), Y(-14), 2.4 * s, 2.4 * s);
    Paint(c, knot, k.accent, Light::kFlat);
  }

  // Face, looking right.
  double ey = Y(4.5);
  if (mood == Mood::kUp) ey = Y(2.5);
  if (mood == Mood::kDown) ey = Y(6.5);
  Eye(c, k, X(5), ey, mood, s, true, -1);
  Eye(c, k, X(13.5), ey, mood, s, false, 1);
  if (mood == Mood::kHappy || mood == Mood::kUp) {
    // Lashes at the outer corners.
    Dot(c, X(5) - 2.8 * s, ey - 2.6 * s, kInk);
    Dot(c, X(13.5) + 2.4 * s, ey - 2.6 * s, kInk);
  }
  if (mood != Mood::kOuch && mood != Mood::kFierce) {
    Cheek(c, X(1.5), X(3.5), Y(10), k.blush.base);
    Cheek(c, X(14.5), X(16), Y(9.5), k.blush.base);
  }
  const double my = mood == Mood::kUp ? Y(9.5) : mood == Mood::kDown ? Y(11.5) : Y(10.5);
  Mouth(c, k, X(9.5), my, mood, s);
}

void TavoHead(Canvas& c, double hx, double hy, Mood mood, double s) {
  const LookColours& k = kTavoLook;
  const auto X = [&](double d) { return hx + d * s; };
  const auto Y = [&](double d) { return hy + d * s; };

  // Spiky hair sticking out at the back under the cap.
  Shape spikes(c.w, c.h);
  spikes.Polygon({{X(-12), Y(-8)}, {X(-23), Y(-6)}, {X(-17), Y(-2)}, {X(-24), Y(2)}, {X(-17), Y(5)},
                  {X(-22), Y(10)}, {X(-13), Y(9)}, {X(-10), Y(2)}});
  Paint(c, spikes, k.hair);

  Shape head(c.w, c.h);
  head.Ellipse(hx, Y(1), 17.5 * s, 16 * s);
  Paint(c, head, k.skin, Light::kBall);

  // Hair over the back of the head and a short fringe under the cap.
  Shape hair(c.w, c.h);
  hair.Ellipse(X(-5), Y(-2), 14 * s, 12 * s);
  Shape face(c.w, c.h);
  face.Ellipse(X(6), Y(5), 14 * s, 12 * s);
  hair.Cut(face);
  hair.Keep(head);
  hair.Polygon({{X(-2), Y(-6)}, {X(2), Y(-1)}, {X(5), Y(-6)}, {X(9), Y(-1)}, {X(11), Y(-6)}});
  Paint(c, hair, k.hair);

  // Ear.
  if (s >= 0.6) {
    Shape ear(c.w, c.h);
    ear.Ellipse(X(-7.5), Y(5), 2.6 * s, 3.4 * s);
    Paint(c, ear, k.skin, Light::kRim);
    Dot(c, X(-7.5), Y(5), k.skin.shadow);
  }

  // Cap: a dome with its bill to the front and a badge.
  Shape cap(c.w, c.h);
  cap.Ellipse(X(-0.5), Y(-4), 19.5 * s, 14 * s);
  cap.CutRows(Px(Y(-4)), false);
  cap.RoundRect(X(-19.5), Y(-7), X(17), Y(-3), 1.5 * s);
  Paint(c, cap, k.accent, Light::kBall);
  Shape bill(c.w, c.h);
  bill.Polygon({{X(8), Y(-7)}, {X(24), Y(-6)}, {X(29), Y(-3.5)}, {X(26), Y(-1.5)}, {X(8), Y(-2.5)}});
  Paint(c, bill, {k.accent.base, k.accent.shadow, k.accent.shadow});
  if (s >= 0.6) {
    Shape badge(c.w, c.h);
    badge.Ellipse(X(4.5), Y(-11), 3.6 * s, 3.4 * s);
    Paint(c, badge, k.trim, Light::kFlat);
    // A cross on the badge.
    Dot(c, X(4.5), Y(-11), k.top.base);
    Dot(c, X(4.5) - 1, Y(-11), k.top.base);
    Dot(c, X(4.5), Y(-11) - 1, k.top.base);
    Dot(c, X(4.5) + 1, Y(-11), k.top.base);
    Dot(c, X(4.5), Y(-11) + 1, k.top.base);
    Shape button(c.w, c.h);
    button.Ellipse(X(-1), Y(-17.5), 1.8 * s, 1.5 * s);
    Paint(c, button, k.accent, Light::kFlat);
  }

  double ey = Y(5);
  if (mood == Mood::kUp) ey = Y(3.5);
  if (mood == Mood::kDown) ey = Y(7);
  Eye(c, k, X(5.5), ey, mood, s, true, -1);
  Eye(c, k, X(13.5), ey, mood, s, false, 1);
  if (mood == Mood::kHappy || mood == Mood::kDown) {
    // Thick brows.
    HLine(c, X(3.5), X(7), ey - 4.6 * s, kInk);
    HLine(c, X(12), X(15.5), ey - 4.6 * s, kInk);
  }
  // A small nose on the profile side.
  if (s >= 0.6) {
    Shape nose(c.w, c.h);
    nose.Ellipse(X(17), Y(8), 1.8 * s, 1.4 * s);
    Paint(c, nose, k.skin, Light::kFlat);
  }
  const double my = mood == Mood::kUp ? Y(10.5) : mood == Mood::kDown ? Y(12) : Y(11);
  Mouth(c, k, X(10), my, mood, s);
}

}  // namespace

const LookColours& ColoursOf(Who who) { return who == Who::kKurara ? kKuraraLook : kTavoLook; }

void PaintHead(Canvas& c, Who who, double hx, double hy, Mood mood, double scale) {
  if (who == Who::kKurara) {
    KuraraHead(c, hx, hy, mood, scale);
  } else {
    TavoHead(c, hx, hy, mood, scale);
  }
}

namespace {

// A torso narrower at the shoulders than at the hem, rounded at the top.
Shape Bell(int w, int h, double l, double t, double r, double b, double shoulders) {
  Shape s(w, h);
  const double mid = (l + r) / 2, half = (r - l) / 2, top = half * shoulders;
  s.Ellipse(mid, t + 7, top, 7);
  s.Polygon({{mid - top, t + 7}, {mid + top, t + 7}, {r, b - 5}, {l, b - 5}});
  s.RoundRect(l, b - 10, r, b, 4);
  return s;
}

}  // namespace

void PaintTorso(Canvas& c, Who who, double l, double t, double r, double b, double lean, double shoulders) {
  const LookColours& k = ColoursOf(who);
  const double mid = (l + r) / 2 + lean;
  // Kurara's top flares more than Tavo's hoodie.
  const double cut = shoulders > 0 ? shoulders : who == Who::kKurara ? 0.74 : 0.84;
  const Shape body = Bell(c.w, c.h, l, t, r, b, cut);
  Paint(c, body, k.top, Light::kBall);
  if (who == Who::kKurara) {
    // A red top with a yellow hem, white sailor collar and a yellow star.
    Shape hem(c.w, c.h);
    hem.RoundRect(l, b - 4, r, b, 3);
    hem.Keep(body);
    Paint(c, hem, k.accent, Light::kRim, false);
    Line(c, Px(l + 1), Px(b - 5), Px(r - 2), Px(b - 5), kInk);
    Shape collar(c.w, c.h);
    collar.Polygon({{mid - 11, t - 1}, {mid + 11, t - 1}, {mid + 1, t + 9}});
    collar.Keep(body);
    Paint(c, collar, k.trim);
    Shape star(c.w, c.h);
    const double sx = mid + 3, sy = (t + b) / 2 + 1;
    Points pts;
    for (int i = 0; i < 10; ++i) {
      const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5, rr = i % 2 ? 2.2 : 5.0;
      pts.push_back({sx + rr * std::cos(a), sy + rr * std::sin(a)});
    }
    star.Polygon(pts);
    Paint(c, star, k.accent, Light::kFlat);
  } else {
    // A teal hoodie: hood rim, zip, pocket and strings.
    Shape rim(c.w, c.h);
    rim.Ellipse(mid, t, (r - l) / 2 - 4, 4);
    rim.Keep(body);
    Paint(c, rim, {k.top.base, k.top.shadow, k.top.shadow});
    Shape pocket(c.w, c.h);
    pocket.Polygon({{mid - 10, b - 4}, {mid - 7, b - 11}, {mid + 7, b - 11}, {mid + 10, b - 4}});
    Paint(c, pocket, {k.top.base, k.top.shadow, k.top.shadow});
    for (int y = Px(t + 4); y < Px(b - 1); ++y) c.Set(Px(mid), y, k.trim.base);
    Shape band(c.w, c.h);
    band.RoundRect(l + 1, b - 4, r - 1, b, 2);
    band.Keep(body);
    Paint(c, band, {k.top.base, k.top.shadow, k.top.shadow}, Light::kFlat, false);
    Line(c, Px(l + 2), Px(b - 5), Px(r - 3), Px(b - 5), kInk);
    for (double dx : {-4.0, 4.0}) {
      Line(c, Px(mid + dx), Px(t + 3), Px(mid + dx), Px(t + 8), k.trim.base);
      c.Set(Px(mid + dx), Px(t + 9), kInk);
    }
  }
}

}  // namespace gen::heroes
