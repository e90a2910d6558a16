// The front end's scenery: the title landscape the camera pans over, its floor
// piece, the options screen's drifting pattern and the box the heroes come in.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "gen/art_scenery_kit.hpp"
#include "gen/art_scenery_parts.hpp"

namespace gen::scenery {

namespace {

// ---- the title landscape ----

// OPhaikei rows 0..480 are seen at world y + 100; the heroes' feet rest on row
// 450 and the foreground bank (the floor pieces' picture) covers rows 416..480.
constexpr int kPanW = 1921;
constexpr int kPanH = 480;
constexpr int kBankRow = 416;

double PanHillTop(double x) { return 300 + 16 * LoopNoise(x, 2048, 9, 140) + 5 * LoopNoise(x, 2048, 40, 141); }
double PanMidTop(double x) { return 344 + 14 * LoopNoise(x, 2048, 7, 142) + 4 * LoopNoise(x, 2048, 32, 143); }

template <class Top>
void PanHills(Layer& layer, Top top, int bottom, Colour light, Colour base, Colour shadow) {
  Canvas& c = layer.C();
  for (int x = 0; x < kPanW; ++x) {
    const double t = top(x);
    const double slope = top(x + 4) - top(x - 4);
    const double lit = std::min(22.0, -slope * 3), shade = std::min(22.0, slope * 3);
    for (int y = static_cast<int>(std::lround(t)); y < bottom; ++y) {
      const int d = y - static_cast<int>(std::lround(t));
      Colour col = base;
      if (d < 2) {
        col = light;
      } else if (d < lit && Bayer(x, y) < 1.3 - d / lit) {
        col = light;
      } else if (d < shade && Bayer(x, y) < 1.1 - d / shade) {
        col = shadow;
      }
      c.Set(layer.Xi(x), y, col.Px());
    }
  }
}

// A round keep with a pointed roof and a flag: the landmark of the pan.
void Keep(Canvas& dst, double x, double ground) {
  Canvas t(120, 170);
  const double gx = 20, gy = 168;
  const Ramp stone = MakeRamp({226, 214, 200});
  const Ramp roof = MakeRamp({220, 84, 80});
  auto tower = [&](double tx, double w, double h) {
    const int l = static_cast<int>(gx + tx), r = static_cast<int>(gx + tx + w);
    t.Fill(l, static_cast<int>(gy - h), r, static_cast<int>(gy), stone.base);
    t.Fill(l, static_cast<int>(gy - h), l + 3, static_cast<int>(gy), stone.light);
    t.Fill(r - static_cast<int>(w / 3), static_cast<int>(gy - h), r, static_cast<int>(gy), stone.shadow);
    FillPolygon(t, {{gx + tx - 4, gy - h}, {gx + tx + w / 2, gy - h - w * 1.2}, {gx + tx + w + 4, gy - h}},
                roof.shadow);
    FillPolygon(t, {{gx + tx - 4, gy - h}, {gx + tx + w / 2, gy - h - w * 1.2}, {gx + tx + w / 2, gy - h}}, roof.light);
    for (int k = 0; k < 2; ++k)
      t.Fill(static_cast<int>(gx + tx + w / 2 - 2), static_cast<int>(gy - h * (0.35 + 0.3 * k)),
             static_cast<int>(gx + tx + w / 2 + 2), static_cast<int>(gy - h * (0.35 + 0.3 * k) + 6), Rgb(80, 70, 110));
  };
  t.Fill(static_cast<int>(gx), static_cast<int>(gy - 40), static_cast<int>(gx + 80), static_cast<int>(gy), stone.base);
  for (int k = 0; k < 10; ++k)
    t.Fill(static_cast<int>(gx + k * 8), static_cast<int>(gy - 45), static_cast<int>(gx + k * 8 + 5),
           static_cast<int>(gy - 40), stone.base);
  t.Fill(static_cast<int>(gx + 32), static_cast<int>(gy - 20), static_cast<int>(gx + 48), static_cast<int>(gy),
         Rgb(96, 70, 70));
  FillEllipse(t, gx + 40, gy - 20, 8, 6, Rgb(96, 70, 70));
  tower(-6, 20, 70);
  tower(66, 20, 70);
  tower(28, 24, 104);
  // Flag on the middle tower.
  const double fx = gx + 40, fy = gy - 104 - 28.8;
  Line(t, static_cast<int>(fx), static_cast<int>(fy), static_cast<int>(fx), static_cast<int>(fy) - 16, Rgb(90, 80, 80));
  FillPolygon(t, {{fx + 1, fy - 16}, {fx + 14, fy - 12}, {fx + 1, fy - 8}}, Rgb(255, 214, 64));
  Outline(t, 0, 0, t.w, t.h, kOutline.Px());
  for (int y = 0; y < t.h; ++y)
    for (int xx = 0; xx < t.w; ++xx)
      if (const uint16_t p = t.Get(xx, y); p != kClear)
        dst.Set(static_cast<int>(x - gx) + xx, static_cast<int>(ground - gy) + y, p);
}

void PaintPanorama(Canvas& op) {
  const Gradient sky({{0, {66, 130, 226}}, {160, {104, 170, 240}}, {290, {176, 218, 250}}, {360, {222, 240, 252}}}, 14);
  for (int y = 0; y < kPanH; ++y)
    for (int x = 0; x < kPanW; ++x) op.Set(x, y, sky.At(x, y));
  // The sun the light comes from, up on the left where the title starts.
  FillEllipse(op, 150, 72, 54, 54, Rgb(156, 206, 246));
  FillEllipse(op, 150, 72, 40, 40, Rgb(200, 228, 250));
  FillEllipse(op, 150, 72, 28, 28, Rgb(255, 226, 96));
  FillEllipse(op, 146, 68, 23, 23, Rgb(255, 250, 206));

  Layer clouds(kPanW, kPanH, 0);
  const Ramp white{Rgb(255, 255, 255), Rgb(234, 243, 255), Rgb(188, 208, 240)};
  for (int i = 0; i < 11; ++i) {
    const uint32_t s = static_cast<uint32_t>(i);
    const double x = 90 + i * 176.0 + RandInt(-40, 40, 150, s);
    // Behind the menu's logo (x 1270..1910, rows 50..240) only small, high ones.
    const bool behindLogo = x > 1250;
    const double w = behindLogo ? RandInt(70, 110, 151, s) : RandInt(120, 220, 152, s);
    const double base = behindLogo ? RandInt(40, 60, 153, s) : RandInt(100, 230, 154, s);
    if (i == 0) continue;  // keep the sun clear
    Cloud(clouds.C(), x, base, w, behindLogo ? 34 : RandInt(50, 86, 155, s), 156 + s, white, Rgb(132, 160, 212));
  }
  clouds.Onto(op, 0, 0);

  Layer back(kPanW, kPanH, 0);
  std::vector<Peak> peaks;
  for (int i = 0; i < 13; ++i)
    peaks.push_back({i * 158.0 + RandInt(-40, 40, 160, static_cast<uint32_t>(i)),
                     RandInt(176, 226, 161, static_cast<uint32_t>(i)) + 0.0,
                     0.55 + 0.3 * Rand01(162, static_cast<uint32_t>(i))});
  Range(back, kPanW, false, peaks, 22, kPanH,
        {{186, 192, 232}, {160, 168, 218}, {138, 146, 204}, {244, 247, 255}, {206, 212, 242}, Rgb(120, 126, 186)}, 163);
  back.Onto(op, 0, 0);

  Layer hills(kPanW, kPanH, 0);
  PanHills(hills, PanHillTop, kPanH, {148, 200, 168}, {118, 176, 150}, {96, 150, 138});
  hills.Outline(Rgb(78, 122, 122));
  const Ramp blueTree = MakeRamp({92, 150, 132});
  for (int i = 0; i < 70; ++i) {
    const double tx = i * 27.5 + RandInt(-8, 8, 164, static_cast<uint32_t>(i));
    if (tx > 840 && tx < 1000) continue;  // the keep stands there
    RoundTree(hills.C(), tx, PanHillTop(tx) + 5, RandInt(7, 10, 165, static_cast<uint32_t>(i)),
              166 + static_cast<uint32_t>(i), blueTree, Rgb(110, 100, 110), Rgb(66, 104, 108));
  }
  Keep(hills.C(), 890, PanHillTop(920) + 10);
  hills.Onto(op, 0, 0);

  Layer mid(kPanW, kPanH, 0);
  PanHills(mid, PanMidTop, kPanH, {150, 214, 112}, {108, 184, 96}, {82, 154, 92});
  mid.Outline(Rgb(56, 104, 76));
  const Ramp green = MakeRamp({76, 150, 84});
  const Ramp firGreen = MakeRamp({60, 128, 96});
  for (int i = 0; i < 44; ++i) {
    const double tx = i * 44.0 + RandInt(-12, 12, 170, static_cast<uint32_t>(i));
    if (Hash(171, static_cast<uint32_t>(i)) % 4 == 0) continue;
    if (Hash(172, static_cast<uint32_t>(i)) % 3 == 0) {
      Fir(mid.C(), tx, PanMidTop(tx) + 7, RandInt(18, 26, 173, static_cast<uint32_t>(i)), firGreen, Rgb(120, 90, 70),
          Rgb(44, 84, 64));
    } else {
      RoundTree(mid.C(), tx, PanMidTop(tx) + 7, RandInt(12, 18, 174, static_cast<uint32_t>(i)),
                175 + static_cast<uint32_t>(i), green, Rgb(120, 90, 70), Rgb(44, 84, 64));
    }
  }
  mid.Onto(op, 0, 0);

  // The meadow the heroes walk on: from the hills' feet down to the bank.
  Layer meadow(kPanW, kPanH, 0);
  for (int x = 0; x < kPanW; ++x) {
    const int top = static_cast<int>(std::lround(388 + 3 * LoopNoise(x, 2048, 24, 176)));
    for (int y = top; y < kPanH; ++y) {
      Colour col = {146, 210, 100};
      if (y - top < 2) col = {190, 232, 130};
      // Mown stripes getting wider towards the front.
      const int band = (y - 388) * (y - 388) / 90;
      if (band % 2 == 1 && y - top > 3) col = {134, 200, 94};
      meadow.C().Set(meadow.Xi(x), y, col.Px());
    }
  }
  meadow.Outline(Rgb(60, 110, 70));
  // Clumps of bushes along its far edge.
  const Ramp bush = MakeRamp({84, 160, 80});
  for (int i = 0; i < 16; ++i) {
    const uint32_t s = static_cast<uint32_t>(i);
    const double x0 = 40 + i * 120.0 + RandInt(0, 40, 179, s);
    const int n = RandInt(2, 4, 180, s);
    std::vector<Ell> parts;
    for (int k = 0; k < n; ++k) {
      const double rad = RandInt(7, 12, 181, s, static_cast<uint32_t>(k));
      parts.push_back({meadow.X(x0 + k * 14), 392 - rad * 0.6, rad * 1.2, rad * 0.85});
    }
    for (const Ell& e : parts) FillEllipse(meadow.C(), e.cx + 5, 393, e.rx, 3, Rgb(120, 182, 88));
    Blob(meadow.C(), parts, bush, 2, 3, Rgb(44, 86, 58), 394);
  }
  // Little flowers scattered over it, none where the bank stands in front.
  for (int i = 0; i < 120; ++i) {
    const int fx = RandInt(4, kPanW - 5, 177, static_cast<uint32_t>(i));
    const int fy = RandInt(396, 440, 178, static_cast<uint32_t>(i));
    static constexpr std::array<Colour, 3> kDots{Colour{255, 255, 250}, Colour{255, 220, 80}, Colour{250, 150, 190}};
    const uint16_t col = kDots[static_cast<size_t>(i % 3)].Px();
    meadow.C().Set(meadow.Xi(fx), fy, col);
    meadow.C().Set(meadow.Xi(fx - 1), fy, col);
    meadow.C().Set(meadow.Xi(fx + 1), fy, col);
    meadow.C().Set(meadow.Xi(fx), fy - 1, col);
    meadow.C().Set(meadow.Xi(fx), fy + 1, Rgb(84, 150, 70));
  }
  meadow.Onto(op, 0, 0);
  // The foreground bank, in step with the floor pieces laid over it from x 640.
  PaintBank(op, 0, kBankRow, kPanW, kPanH - kBankRow);
}

// ---- the options screen's pattern ----

// One 640 x 480 tile, seamless both ways: soft diagonal bands with a lattice of
// stars and rings, all in close tones so lettering stays readable over it.
void PaintOptionTile(Canvas& t) {
  const Colour a{64, 74, 140}, b{72, 84, 152};
  for (int y = 0; y < t.h; ++y)
    for (int x = 0; x < t.w; ++x) {
      // Bands 80 pixels apart along the diagonal: 80 divides both 640 and 480.
      const int d = Wrap(x + y, 80);
      Colour col = d < 40 ? a : b;
      if (d == 0 || d == 40) col = Mix(a, b, 128);
      t.Set(x, y, col.Px());
    }
  const uint16_t starLight = Rgb(134, 146, 214), starBase = Rgb(110, 122, 196), ring = Rgb(96, 108, 180);
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i < 8; ++i) {
      const double cx = i * 80 + 40, cy = j * 80 + 40;
      if ((i + j) % 2 == 0) {
        // A four-pointed star, its upper left half lit.
        FillPolygon(t,
                    {{cx, cy - 13},
                     {cx + 4, cy - 4},
                     {cx + 13, cy},
                     {cx + 4, cy + 4},
                     {cx, cy + 13},
                     {cx - 4, cy + 4},
                     {cx - 13, cy},
                     {cx - 4, cy - 4}},
                    starBase);
        FillPolygon(t, {{cx, cy - 13}, {cx + 2, cy - 2}, {cx - 13, cy}, {cx - 4, cy - 4}}, starLight);
      } else {
        for (int y = -7; y <= 7; ++y)
          for (int x = -7; x <= 7; ++x) {
            const int r2 = x * x + y * y;
            if (r2 <= 49 && r2 > 16) t.Set(static_cast<int>(cx) + x, static_cast<int>(cy) + y, ring);
          }
      }
      // Small dots between the motifs, wrapping round the tile's edges.
      t.Set(Wrap(static_cast<int>(cx) + 40, t.w), Wrap(static_cast<int>(cy) + 40, t.h), ring);
    }
}

// ---- the box ----

// The pictures of the box share one origin: lid pictures (260 x 100) lie
// behind the box pictures (260 x 200), which leave the lid's place clear.
constexpr int kBoxL = 22, kBoxR = 238;  // the box's sides
constexpr int kBoxTop = 68;             // top edge of the closed box
constexpr int kBoxBottom = 197;         // bottom edge
constexpr int kBackRim = 42;            // the open box's back rim, seen over the front

const Ramp& BoxRed() {
  static const Ramp r = MakeRamp({226, 62, 74});
  return r;
}
const Ramp& Ribbon() {
  static const Ramp r = MakeRamp({252, 204, 64});
  return r;
}

// The front of the box between rows top and bottom, columns l..r, with its
// vertical ribbon and stars; with `lidShadow` the lid's shadow falls across its top.
void BoxFront(Canvas& c, double l, double top, double r, double bottom, double tilt, bool lidShadow) {
  const auto skew = [&](double x, double y) { return std::pair<double, double>{x + (y - top) * tilt, y}; };
  FillPolygon(c, {skew(l, top), skew(r, top), skew(r, bottom), skew(l, bottom)}, BoxRed().base);
  FillPolygon(c, {skew(l, top), skew(l + 8, top), skew(l + 8, bottom), skew(l, bottom)}, BoxRed().light);
  FillPolygon(c, {skew(r - 14, top), skew(r, top), skew(r, bottom), skew(r - 14, bottom)}, BoxRed().shadow);
  // Wrapping paper: rows of lighter dots.
  const uint16_t dot = Rgb(246, 120, 126);
  for (double y = top + 12; y + 4 < bottom; y += 18)
    for (double x = l + 14 + std::fmod((y - top) / 18, 2.0) * 10; x + 4 < r - 14; x += 20) {
      const auto [dx, dy] = skew(x, y);
      FillEllipse(c, dx, dy, 2.5, 2.5, dot);
    }
  const double mid = (l + r) / 2;
  FillPolygon(c, {skew(mid - 15, top), skew(mid + 15, top), skew(mid + 15, bottom), skew(mid - 15, bottom)},
              Ribbon().base);
  FillPolygon(c, {skew(mid - 15, top), skew(mid - 9, top), skew(mid - 9, bottom), skew(mid - 15, bottom)},
              Ribbon().light);
  FillPolygon(c, {skew(mid + 10, top), skew(mid + 15, top), skew(mid + 15, bottom), skew(mid + 10, bottom)},
              Ribbon().shadow);
  // Stars on both halves.
  for (int i = 0; i < 4; ++i) {
    const double sx = i < 2 ? l + 28 + i * 30 : r - 88 + (i - 2) * 30;
    const double sy = top + 30 + (i % 2) * 34;
    if (sy + 10 > bottom) continue;
    const auto [px, py] = skew(sx, sy);
    std::vector<std::pair<double, double>> star;
    for (int k = 0; k < 10; ++k) {
      const double ang = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
      const double rad = k % 2 ? 4.0 : 10.0;
      star.push_back({px + std::cos(ang) * rad, py + std::sin(ang) * rad});
    }
    FillPolygon(c, star, Rgb(255, 236, 150));
  }
  // The lid's shadow across the top of the front.
  if (lidShadow) FillPolygon(c, {skew(l, top), skew(r, top), skew(r, top + 5), skew(l, top + 5)}, BoxRed().shadow);
}

void Lid(Canvas& c, double l, double top, double r, double h, double tilt) {
  const double cx = (l + r) / 2, cy = top + h / 2;
  const double co = std::cos(tilt), si = std::sin(tilt);
  const auto rot = [&](double x, double y) {
    return std::pair<double, double>{cx + (x - cx) * co - (y - cy) * si, cy + (x - cx) * si + (y - cy) * co};
  };
  FillPolygon(c, {rot(l, top), rot(r, top), rot(r, top + h), rot(l, top + h)}, BoxRed().base);
  FillPolygon(c, {rot(l, top), rot(r, top), rot(r, top + 5), rot(l, top + 5)}, BoxRed().light);
  FillPolygon(c, {rot(l, top + h - 6), rot(r, top + h - 6), rot(r, top + h), rot(l, top + h)}, BoxRed().shadow);
  FillPolygon(c, {rot(cx - 16, top), rot(cx + 16, top), rot(cx + 16, top + h), rot(cx - 16, top + h)}, Ribbon().base);
  FillPolygon(c, {rot(cx - 16, top), rot(cx - 10, top), rot(cx - 10, top + h), rot(cx - 16, top + h)}, Ribbon().light);
  // The bow on top: two tails, two loops and a knot.
  const auto [kx, ky] = rot(cx, top - 7);
  const Ramp& rb = Ribbon();
  FillPolygon(c, {{kx - 3, ky + 2}, {kx - 13, ky + 12}, {kx - 6, ky + 13}, {kx + 1, ky + 4}}, rb.shadow);
  FillPolygon(c, {{kx + 3, ky + 2}, {kx + 13, ky + 12}, {kx + 6, ky + 13}, {kx - 1, ky + 4}}, rb.shadow);
  for (int side : {-1, 1}) {
    const double lx = kx + side * 14, ly = ky - 5;
    FillEllipse(c, lx, ly, 13, 9, side < 0 ? rb.light : rb.base);
    FillEllipse(c, lx + side * 3, ly + 3, 9, 5, side < 0 ? rb.base : rb.shadow);
    FillEllipse(c, lx + side * 1, ly, 4, 3, rb.shadow);
  }
  ShadedEllipse(c, kx, ky - 2, 7, 6, rb);
}

// Copies a scratch picture into the sheet with its outline.
void Place(Canvas& sheet, Canvas& pic, int left, int top) {
  Outline(pic, 0, 0, pic.w, pic.h, kOutline.Px());
  sheet.Fill(left, top, left + pic.w, top + pic.h, kClear);
  sheet.Paste(pic, 0, 0, pic.w, pic.h, left, top);
}

// Shake marks beside the jolting box: three short strokes fanning out.
void Rattle(Canvas& c, double x, double y, int side) {
  for (int k = -1; k <= 1; ++k) ThickLine(c, x, y + k * 14, x + side * 12, y + k * 20, 3, Rgb(255, 255, 255));
}

void Rays(Canvas& c, double cx, double y, double spread) {
  for (int k = -3; k <= 3; ++k) {
    const double tx = cx + k * spread, ty = y - 44 + std::abs(k) * 6;
    FillPolygon(c, {{cx + k * 14 - 5, y}, {tx - 7, ty}, {tx + 7, ty}, {cx + k * 14 + 5, y}},
                k % 2 ? Rgb(255, 244, 170) : Rgb(255, 252, 220));
  }
}

void PaintBoxPictures(Canvas& hako) {
  // Closed.
  {
    Canvas p(260, 200);
    BoxFront(p, kBoxL, kBoxTop, kBoxR, kBoxBottom, 0, true);
    Place(hako, p, 0, 0);
  }
  // Jolting: squashed a little, leaning, rattle marks either side.
  {
    Canvas p(260, 200);
    BoxFront(p, kBoxL - 4, kBoxTop + 8, kBoxR + 2, kBoxBottom, -0.03, false);
    Rattle(p, 10, 120, -1);
    Rattle(p, 244, 112, 1);
    Place(hako, p, 0, 200);
  }
  // Open: the front wall alone; everything above its rim stays clear, so
  // the inside picture and whatever comes out of the box show there.
  {
    Canvas p(260, 200);
    BoxFront(p, kBoxL, kBoxTop, kBoxR, kBoxBottom, 0, false);
    p.Fill(kBoxL, kBoxTop, kBoxR, kBoxTop + 3, Rgb(255, 150, 150));
    Place(hako, p, 0, 400);
  }
  // Lid closed, resting on the box's top edge.
  {
    Canvas p(260, 100);
    Lid(p, 10, 40, 250, 27, 0);
    Place(hako, p, 260, 0);
  }
  // Lid jolted up and askew, light spilling out under it.
  {
    Canvas p(260, 100);
    Rays(p, 130, kBoxTop + 8, 30);
    Lid(p, 14, 24, 246, 26, -0.06);
    Place(hako, p, 260, 100);
  }
  // The inside seen over the front rim: the lid flung open behind, the
  // back rim, the walls' inner faces in shade and a glow from within.
  {
    Canvas p(260, 100);
    const Ramp inside = MakeRamp({150, 36, 64});
    const double bl = kBoxL + 14, br = kBoxR - 14;  // back corners, at row kBackRim
    FillPolygon(p, {{bl - 8, 6}, {br + 8, 6}, {br, kBackRim + 0.0}, {bl, kBackRim + 0.0}}, inside.base);
    FillPolygon(p, {{bl - 8, 6}, {br + 8, 6}, {br + 7, 11}, {bl - 7, 11}}, BoxRed().shadow);
    FillPolygon(p, {{118, 6}, {142, 6}, {141, kBackRim + 0.0}, {119, kBackRim + 0.0}}, Ribbon().shadow);
    p.Fill(static_cast<int>(bl), kBackRim, static_cast<int>(br), 100, inside.shadow);
    FillPolygon(p, {{kBoxL + 0.0, kBoxTop}, {bl, kBackRim + 0.0}, {bl, 100}, {kBoxL + 0.0, 100}}, inside.base);
    FillPolygon(p, {{br, kBackRim + 0.0}, {kBoxR + 0.0, kBoxTop}, {kBoxR + 0.0, 100}, {br, 100}}, inside.light);
    p.Fill(static_cast<int>(bl), kBackRim, static_cast<int>(br), kBackRim + 3, BoxRed().light);
    ThickLine(p, kBoxL + 1, kBoxTop, bl, kBackRim + 1, 3, BoxRed().light);
    ThickLine(p, br, kBackRim + 1, kBoxR - 1, kBoxTop, 3, BoxRed().base);
    FillEllipse(p, 130, kBoxTop + 4, 74, 16, Rgb(255, 206, 110));
    FillEllipse(p, 130, kBoxTop + 6, 48, 10, Rgb(255, 246, 200));
    Place(hako, p, 260, 200);
  }
}

}  // namespace

void PaintTitle(Canvas& opHaikei) {
  PaintPanorama(opHaikei);
  // The title floor piece: the same bank as the floor strip, so it runs on into
  // the floor strips laid right of it.
  opHaikei.Fill(0, kPanH, kBankWidth, kPanH + kBankHeight, kClear);
  PaintBank(opHaikei, 0, kPanH, kBankWidth);
}

void PaintOptionsBackdrop(Canvas& option) {
  Canvas tile(640, 480);
  PaintOptionTile(tile);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) option.Paste(tile, 0, 0, 640, 480, 640 * x, 480 * y);
}

void PaintBox(Canvas& hako) { PaintBoxPictures(hako); }

}  // namespace gen::scenery
