// The status panel across the top of the screen and the pictures drawn over
// it (gauges, lives digits, the steered-hero marker), the combo numerals and
// word, and the exit sign: all on geji256.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "gen/art_lettering_looks.hpp"
#include "gen/font.hpp"

namespace gen::letters {

namespace {

// ---- where the HUD draw puts things, relative to the window ----------------
// Each half of the panel: Tavo's on the left, Kurara's on the right.
struct Half {
  int face;       // face picture's left edge (drawn at y 3)
  int faceW;      // its width
  int lives;      // lives digit's left edge (drawn at y 10)
  int heart;      // first hit-point icon's left edge (drawn at y 6)
  int heartStep;  // distance between icons
  int hurtBar;    // hurt gauge's left edge (drawn at y 31)
  int hitBar;     // hit gauge's left edge
  Colour tint;    // the hero's colour
};
constexpr Half kTavo{0, 50, 73, 101, 32, 77, 176, {74, 150, 236}};
constexpr Half kKurara{340, 55, 410, 433, 33, 412, 511, {236, 96, 164}};
constexpr int kGaugeY = 31;
constexpr int kPanelH = 57;

enum class Gauge { kHurt, kHit };

// ---- the gauge bar -------------------------------------------------------------
// A capsule with a badge at its left end and five slanted segments; level 0 is
// the empty trough the panel shows where the bar goes.
constexpr int kCapTop = 4, kCapBottom = 25;  // rows of the capsule in the 30-row cell
constexpr int kSegLeft = 24, kSegW = 13, kSegGap = 1, kSegTop = 8, kSegBottom = 21;

void DrawGauge(Canvas& c, int x, int y, Gauge kind, int level) {
  const bool hurt = kind == Gauge::kHurt;
  const bool full = level >= 5;
  const Colour rimHi = full ? Colour{255, 236, 140} : Colour{206, 210, 236};
  const Colour rimLo = full ? Colour{226, 150, 40} : Colour{122, 120, 170};
  // Outline, rim, trough.
  RoundRect(c, x + 1, y + kCapTop, x + 99, y + kCapBottom, 10, kOutline.Px());
  RoundRect(c, x + 2, y + kCapTop + 1, x + 98, y + kCapBottom - 1, 9, rimLo.Px());
  RoundRect(c, x + 2, y + kCapTop + 1, x + 97, y + kCapBottom - 2, 9, rimHi.Px());
  RoundRect(c, x + 4, y + kCapTop + 3, x + 96, y + kCapBottom - 3, 7, Rgb(30, 26, 56));

  // Segments: filled ones glow in the gauge's colour, empty ones are dark slots.
  const Ramp fill = hurt ? Ramp{Rgb(255, 214, 140), Rgb(250, 128, 52), Rgb(204, 62, 40)}
                         : Ramp{Rgb(196, 250, 255), Rgb(72, 204, 242), Rgb(40, 122, 212)};
  for (int k = 0; k < 5; ++k) {
    const int l = x + kSegLeft + k * (kSegW + kSegGap);
    for (int row = kSegTop; row < kSegBottom; ++row) {
      const int shift = (kSegBottom - 1 - row) / 4;  // leaning forward
      for (int col = 0; col < kSegW - 1; ++col) {
        const int px = l + col + shift, py = y + row;
        uint16_t colour;
        if (k < level) {
          colour = row <= kSegTop + 1 || col == 0 ? fill.light : row >= kSegBottom - 3 ? fill.shadow : fill.base;
          if (col == 2 && row > kSegTop + 1 && row < kSegTop + 6) colour = Rgb(255, 255, 240);  // glint
        } else {
          colour = row == kSegTop ? Rgb(22, 18, 40) : row == kSegBottom - 1 ? Rgb(86, 80, 130) : Rgb(54, 48, 92);
        }
        c.Set(px, py, colour);
      }
    }
  }

  // Badge: a burst star for the hurt gauge, a pinwheel for the hit gauge.
  const double bx = x + 12.5, by = y + 14.5;
  FillEllipse(c, bx, by, 11.4, 11.4, kOutline.Px());
  const Ramp badge = hurt ? MakeRamp({226, 70, 50}) : MakeRamp({52, 110, 220});
  ShadedEllipse(c, bx, by, 10.3, 10.3, badge);
  if (hurt) {
    Star(c, bx, by, 8.5, 3.8, 8, 0.2, Rgb(255, 230, 90));
    Star(c, bx, by, 4.5, 2.2, 8, 0.2, Rgb(255, 255, 220));
  } else {
    for (int blade = 0; blade < 4; ++blade) {
      const double a = blade * 1.5708 + 0.3;
      const double ca = std::cos(a), sa = std::sin(a);
      FillPolygon(c,
                  {{bx, by},
                   {bx + 8.5 * ca, by + 8.5 * sa},
                   {bx + 5 * std::cos(a + 0.9), by + 5 * std::sin(a + 0.9)}},
                  blade % 2 ? Rgb(200, 246, 255) : Rgb(255, 255, 255));
    }
    FillEllipse(c, bx, by, 1.6, 1.6, Rgb(40, 90, 200));
  }
  if (full) {
    // A twinkle at the right end: the attack is armed.
    Sparkle(c, x + 92, y + 6, 4, Rgb(255, 255, 230));
  }
}

// ---- the status panel -----------------------------------------------------

void PanelHalf(Canvas& p, const Half& h) {
  // Face medallion in the hero's colour.
  const int ml = h.face - 3 + (h.faceW == 50 ? 3 : 0), mr = h.face + h.faceW + 3;
  const Colour tint = h.tint;
  RoundRect(p, ml, 0, mr, 39, 10, kOutline.Px());
  RoundRect(p, ml + 1, 1, mr - 1, 38, 9, Mix(tint, {255, 255, 255}, 90).Px());
  RoundRect(p, ml + 2, 2, mr - 1, 38, 8, Mix(tint, {20, 10, 50}, 90).Px());
  RoundRect(p, ml + 2, 2, mr - 2, 37, 8, tint.Px());
  RoundRect(p, ml + 4, 4, mr - 4, 35, 6, Mix(tint, {255, 255, 255}, 150).Px());
  RoundRect(p, ml + 4, 20, mr - 4, 35, 6, Mix(tint, {255, 255, 255}, 110).Px());
  p.Fill(ml + 4, 20, mr - 4, 24, Mix(tint, {255, 255, 255}, 110).Px());

  // "x" before the lives digit.
  const double cx = h.lives - 8, cy = 21;
  ThickLine(p, cx - 3.5, cy - 3.5, cx + 3.5, cy + 3.5, 4.2, kOutline.Px());
  ThickLine(p, cx + 3.5, cy - 3.5, cx - 3.5, cy + 3.5, 4.2, kOutline.Px());
  ThickLine(p, cx - 3, cy - 3, cx + 3, cy + 3, 2.0, Rgb(255, 250, 220));
  ThickLine(p, cx + 3, cy - 3, cx - 3, cy + 3, 2.0, Rgb(255, 250, 220));

  // Tray of the hit points, with an empty socket for each one.
  const int tl = h.heart - 4, tr = h.heart + 4 * h.heartStep + 44;
  RoundRect(p, tl, 3, tr, 36, 8, Rgb(96, 86, 156));
  RoundRect(p, tl, 3, tr - 1, 35, 8, Rgb(18, 14, 38));
  RoundRect(p, tl + 1, 4, tr - 1, 35, 7, Rgb(34, 28, 68));
  p.Fill(tl + 6, 4, tr - 6, 5, Rgb(22, 18, 44));
  for (int i = 0; i < 5; ++i) {
    const double sx = h.heart + i * h.heartStep + 20, sy = 20;
    FillEllipse(p, sx, sy, 7, 6.5, Rgb(58, 50, 104));
    FillEllipse(p, sx + 0.5, sy + 0.5, 4.5, 4, Rgb(40, 34, 78));
  }

  // Troughs where the two gauges go.
  DrawGauge(p, h.hurtBar, kGaugeY, Gauge::kHurt, 0);
  DrawGauge(p, h.hitBar, kGaugeY, Gauge::kHit, 0);
}

Canvas StatusPanel() {
  Canvas p(640, kPanelH);
  // Body: deep indigo, lit at the top; a gold trim along the bottom edge.
  for (int y = 0; y < kPanelH; ++y) {
    Colour c = y < 12 ? Colour{82, 72, 148} : y < 30 ? Colour{66, 58, 124} : Colour{54, 46, 104};
    if (y == 0) c = {150, 140, 214};
    if (y == 1) c = {104, 94, 176};
    if (y == 52) c = {40, 32, 80};
    if (y == 53) c = {255, 226, 120};
    if (y == 54) c = {232, 176, 64};
    if (y == 55) c = {174, 112, 38};
    if (y == 56) c = kOutline;
    p.Fill(0, y, 640, y + 1, c.Px());
  }
  // Each hero's side carries a stripe of the hero's colour.
  for (int y = 2; y < 52; ++y) {
    p.Fill(0, y, 2, y + 1, Mix(kTavo.tint, {20, 10, 50}, 60).Px());
    p.Fill(638, y, 640, y + 1, Mix(kKurara.tint, {20, 10, 50}, 60).Px());
  }
  PanelHalf(p, kTavo);
  PanelHalf(p, kKurara);

  // Centre emblem: a gold coin with the heroes' "&".
  const double ex = 306.5, ey = 25;
  FillEllipse(p, ex, ey, 19, 19, kOutline.Px());
  ShadedEllipse(p, ex, ey, 17.5, 17.5, MakeRamp({238, 176, 56}));
  FillEllipse(p, ex + 0.5, ey + 0.5, 12.5, 12.5, Rgb(200, 128, 36));
  FillEllipse(p, ex, ey, 12, 12, Rgb(250, 204, 88));
  LetterLook amp = Red();
  amp.shadow = 0;
  const Canvas sign = Lettering("&", kEmblem, amp);
  Overlay(p, sign, static_cast<int>(ex) - sign.w / 2 + 1, static_cast<int>(ey) - sign.h / 2 + 1);
  Sparkle(p, 286, 8, 3, Rgb(255, 255, 230));
  Sparkle(p, 328, 43, 3, Rgb(255, 255, 230));
  // Rivets at the right end.
  for (int ry : {10, 26, 42}) {
    FillEllipse(p, 626, ry, 3, 3, kOutline.Px());
    ShadedEllipse(p, 626, ry, 2.2, 2.2, MakeRamp({180, 170, 220}));
  }
  return p;
}

// ---- steered-hero marker ------------------------------------------------------
// An arrow pointing up at the face above a tag saying "YOU". The blink frame is
// bright, and drawn 3 rows higher, so the marker hops.
Canvas Marker(bool blink) {
  Canvas m(55, blink ? 21 : 19);
  const int tagTop = 6, tagBottom = 17;
  const Colour tag = blink ? Colour{255, 255, 236} : Colour{255, 206, 64};
  const Colour arrow = blink ? Colour{255, 250, 200} : Colour{255, 180, 40};
  const int tip = 2;
  FillPolygon(m, {{27.5, tip - 0.5}, {35.5, tagTop + 1.0}, {19.5, tagTop + 1.0}}, arrow.Px());
  RoundRect(m, 11, tagTop, 44, tagBottom, 5, tag.Px());
  m.Fill(13, tagBottom - 2, 42, tagBottom - 1, Mix(tag, {200, 90, 20}, 110).Px());
  m.Fill(13, tagTop + 1, 42, tagTop + 2, Rgb(255, 255, 250));
  const int tw = TextWidth("YOU");
  const uint16_t ink = blink ? Rgb(220, 60, 40) : Rgb(120, 40, 30);
  DrawText(m, 27 - tw / 2, tagTop + 2, "YOU", ink);
  DrawText(m, 28 - tw / 2, tagTop + 2, "YOU", ink);  // bold
  Outline(m, 0, 0, m.w, m.h);
  return m;
}

// ---- combo --------------------------------------------------------------------

LetterLook Fire() {
  LetterLook k;
  k.bands = {{{255, 250, 196}, {255, 212, 72}, {255, 140, 40}, {232, 70, 40}}};
  k.light = {255, 255, 240};
  k.dark = {150, 30, 30};
  k.bevel = 2;
  k.outline = 2;
  k.rim = 1;
  k.rimColour = {255, 255, 250};
  k.shadow = 2;
  return k;
}

// ---- exit sign --------------------------------------------------------------
// A green arrow pointing on to the right with "GO!" on it.
Canvas ExitSign() {
  Canvas s(65, 65);
  const std::vector<std::pair<double, double>> arrow{{3, 20}, {36, 20}, {36, 6},  {62, 32.5},
                                                     {36, 59}, {36, 45}, {3, 45}};
  FillPolygon(s, arrow, Rgb(72, 186, 60));
  // Light on the upper-left faces, shadow on the lower right.
  FillPolygon(s, {{3, 20}, {36, 20}, {36, 6}, {40, 10}, {40, 24}, {7, 24}, {7, 45}, {3, 45}}, Rgb(156, 236, 110));
  FillPolygon(s, {{7, 41}, {40, 41}, {40, 55}, {36, 59}, {36, 45}, {7, 45}}, Rgb(36, 126, 44));
  FillPolygon(s, {{62, 32.5}, {36, 59}, {36, 55}, {57, 32.5}}, Rgb(36, 126, 44));
  Outline(s, 0, 0, 65, 65);
  // Drop shadow under the arrow.
  Canvas shade = s;
  for (int y = 63; y >= 0; --y)
    for (int x = 63; x >= 0; --x)
      if (shade.Get(x, y) && !s.Get(x + 1, y + 1)) s.Set(x + 1, y + 1, Rgb(30, 40, 30));
  LetterLook go = Gold();
  go.shadow = 1;
  const Canvas word = Lettering("GO!", kExit, go);
  Overlay(s, word, 5, 33 - word.h / 2);
  return s;
}

void Clear(Canvas& c, int l, int t, int r, int b) { c.Fill(l, t, r, b, kClear); }

}  // namespace

// ---- shape helpers --------------------------------------------------------------

void RoundRect(Canvas& c, int l, int t, int r, int b, int radius, uint16_t colour) {
  const int rad = std::min({radius, (r - l) / 2, (b - t) / 2});
  for (int y = t; y < b; ++y) {
    double dy = 0;
    if (y < t + rad) dy = t + rad - (y + 0.5);
    if (y >= b - rad) dy = (y + 0.5) - (b - rad);
    const int inset = dy > 0 ? static_cast<int>(std::lround(rad - std::sqrt(std::max(0.0, rad * rad - dy * dy)))) : 0;
    c.Fill(l + inset, y, r - inset, y + 1, colour);
  }
}

void Star(Canvas& c, double cx, double cy, double outer, double inner, int points, double turn, uint16_t colour) {
  std::vector<std::pair<double, double>> pts;
  for (int i = 0; i < 2 * points; ++i) {
    const double a = turn + i * 3.14159265358979 / points - 1.5708;
    const double r = i % 2 ? inner : outer;
    pts.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
  }
  FillPolygon(c, pts, colour);
}

void Sparkle(Canvas& c, int cx, int cy, int size, uint16_t colour) {
  for (int k = -size; k <= size; ++k) {
    c.Set(cx + k, cy, colour);
    c.Set(cx, cy + k, colour);
  }
  if (size >= 3) {
    c.Set(cx - 1, cy - 1, colour);
    c.Set(cx + 1, cy - 1, colour);
    c.Set(cx - 1, cy + 1, colour);
    c.Set(cx + 1, cy + 1, colour);
  }
}

void Twinkle(Canvas& c, int cx, int cy, int size) {
  Canvas t(2 * size + 3, 2 * size + 3);
  Sparkle(t, size + 1, size + 1, size, Rgb(255, 255, 236));
  Outline(t, 0, 0, t.w, t.h);
  Overlay(c, t, cx - size - 1, cy - size - 1);
}

void PaintHudLettering(Sheets& sheets) {
  Canvas& g = sheets.at("geji256");

  Clear(g, 0, 70, 640, 127);
  g.Paste(StatusPanel(), 0, 0, 640, kPanelH, 0, 70);

  // Gauges: hurt (burst) at x 100, hit (spin) at x 0, level g at row 100 + 30 g.
  for (int level = 1; level <= 5; ++level) {
    const int top = 100 + 30 * level;
    Clear(g, 100, top, 200, top + 30);
    Clear(g, 0, top, 100, top + 30);
    DrawGauge(g, 100, top, Gauge::kHurt, level);
    DrawGauge(g, 0, top, Gauge::kHit, level);
  }

  // Lives digits: their top two rows are the full hit gauge's bottom rows and
  // stay transparent.
  LetterLook lives = Gold();
  lives.bands = {{{255, 255, 250}, {255, 246, 196}, {255, 220, 110}, {246, 176, 56}}};
  for (int n = 1; n <= 5; ++n) {
    const int l = 20 * n - 20;
    Clear(g, l, 280, l + 20, 300);
    const Canvas digit = Lettering(std::to_string(n), kLivesDigit, lives);
    if (digit.w > 18 || digit.h > 19) throw std::runtime_error("lives digit too big");
    OverlayCentred(g, digit, l, 279, l + 20, 300);
  }

  Clear(g, 640, 70, 695, 110);
  g.Paste(Marker(false), 0, 0, 55, 19, 640, 70);
  g.Paste(Marker(true), 0, 0, 55, 21, 640, 89);

  // Combo numerals: within the left 39 columns of their cells, since the ones
  // digit is drawn 40 pixels right of the tens digit; set flush right, so a
  // narrow 1 keeps close to its neighbour. Bottoms line up with the word's,
  // which is drawn 3 rows lower.
  for (int d = 0; d <= 9; ++d) {
    Clear(g, 70 * d, 0, 70 * d + 70, 70);
    const Canvas digit = Lettering(std::to_string(d), kComboDigit, Fire());
    Overlay(g, digit, 70 * d + 39 - digit.w, 66 - digit.h);
  }
  Clear(g, 310, 200, 505, 270);
  const Canvas word = Lettering("HITS!", kComboWord, Fire());
  Overlay(g, word, 310 + 44, 200 + 63 - word.h);

  Clear(g, 310, 130, 375, 195);
  g.Paste(ExitSign(), 0, 0, 65, 65, 310, 130);
}

}  // namespace gen::letters
