// The stage's scenery: the far strip behind the terrain and the foreground
// floor strip; the boss arena, the beam and the title pictures have files of
// their own.
#include <cmath>
#include <numbers>
#include <vector>

#include "gen/art_parts.hpp"
#include "gen/art_scenery_kit.hpp"
#include "gen/art_scenery_parts.hpp"

namespace gen {

namespace scenery {

namespace {

// The far strip: a 1280-wide loop at haikei256 x 2560, rows 0..580, seen
// behind the terrain at a third of the camera speed. In play its rows 110..570
// are usually in view, the terrain's ground hiding what is below row 570.
constexpr int kFarLeft = 2560;
constexpr int kFarW = 1280;
constexpr int kFarH = 580;

struct Cloudy {
  double x, base, w, h;
};

Colour Decode(uint16_t p) { return {(p >> 11) << 3, ((p >> 5) & 63) << 2, (p & 31) << 3}; }

// The opaque pixels of `src` onto `dst` at (x, y).
void Overlay(Canvas& dst, const Canvas& src, int x, int y) {
  for (int sy = 0; sy < src.h; ++sy)
    for (int sx = 0; sx < src.w; ++sx)
      if (const uint16_t p = src.Get(sx, sy); p != kClear) dst.Set(x + sx, y + sy, p);
}

// How the far strip's clouds lie: the stage's own sky has spread 1 and size 1.
// A larger spread pushes every cloud away from column `centre` of the loop, a
// smaller size shrinks it; `low` scales the thin clouds over the mountains
// (0: gone).
struct CloudLie {
  double spread = 1, size = 1, low = 1, centre = 0;
};

void FarClouds(Canvas& dst, int left, const CloudLie& lie) {
  const auto place = [&](double x) { return lie.centre + (x - lie.centre) * lie.spread; };
  Layer high(kFarW, kFarH);
  const Ramp white{Rgb(255, 255, 255), Rgb(234, 243, 255), Rgb(188, 208, 240)};
  const uint16_t edge = Rgb(132, 160, 212);
  std::vector<Cloudy> clouds;
  for (int i = 0; i < 8; ++i)
    clouds.push_back({i * 160.0 + RandInt(-30, 30, 11, static_cast<uint32_t>(i)),
                      static_cast<double>(RandInt(110, 260, 12, static_cast<uint32_t>(i))),
                      static_cast<double>(RandInt(110, 210, 13, static_cast<uint32_t>(i))),
                      static_cast<double>(RandInt(46, 84, 14, static_cast<uint32_t>(i)))});
  if (lie.size > 0)
    Repeat(kFarW, [&](double o) {
      for (size_t i = 0; i < clouds.size(); ++i) {
        const Cloudy& c = clouds[i];
        Cloud(high.C(), high.X(place(c.x + o)), c.base, c.w * lie.size, c.h * lie.size, 20 + static_cast<uint32_t>(i),
              white, edge);
      }
    });
  // Thin, paler clouds low over the mountains.
  Layer low(kFarW, kFarH);
  const Ramp pale{Rgb(250, 252, 255), Rgb(228, 238, 252), Rgb(196, 214, 240)};
  if (lie.low > 0)
    Repeat(kFarW, [&](double o) {
      for (int i = 0; i < 7; ++i) {
        const double x = i * 183.0 + RandInt(-40, 40, 15, static_cast<uint32_t>(i));
        Cloud(low.C(), low.X(place(x + o)), RandInt(300, 350, 16, static_cast<uint32_t>(i)),
              RandInt(80, 150, 17, static_cast<uint32_t>(i)) * lie.low,
              RandInt(16, 26, 18, static_cast<uint32_t>(i)) * lie.low, 40 + static_cast<uint32_t>(i), pale,
              Rgb(170, 192, 228));
      }
    });
  low.Onto(dst, left, 0);
  high.Onto(dst, left, 0);
}

std::vector<Peak> Peaks(int count, double topLo, double topHi, double slopeLo, double slopeHi, uint32_t seed) {
  std::vector<Peak> peaks;
  for (int i = 0; i < count; ++i) {
    const double x = (i + 0.5) * kFarW / count + (Rand01(seed, static_cast<uint32_t>(i)) - 0.5) * kFarW / count * 0.6;
    peaks.push_back({x, topLo + (topHi - topLo) * Rand01(seed, static_cast<uint32_t>(i), 1),
                     slopeLo + (slopeHi - slopeLo) * Rand01(seed, static_cast<uint32_t>(i), 2)});
  }
  return peaks;
}

void FarMountains(Canvas& dst) {
  Layer back(kFarW, kFarH);
  Range(back, kFarW, true, Peaks(9, 238, 300, 0.55, 0.85, 30), 22, kFarH,
        {{186, 192, 232}, {160, 168, 218}, {138, 146, 204}, {244, 247, 255}, {206, 212, 242}, Rgb(120, 126, 186)}, 31);
  back.Onto(dst, 0, 0);
  Layer front(kFarW, kFarH);
  Range(front, kFarW, true, Peaks(7, 292, 338, 0.7, 1.05, 32), 16, kFarH,
        {{150, 160, 214}, {124, 134, 196}, {100, 108, 174}, {240, 244, 255}, {196, 204, 238}, Rgb(86, 92, 158)}, 33);
  front.Onto(dst, 0, 0);
}

// Rolling hills: the top edge at top(x), lit where the ground rises to the right.
template <class Top>
void Hills(Layer& layer, Top top, Colour light, Colour base, Colour shadow) {
  Canvas& c = layer.C();
  for (int x = -layer.Margin(); x < kFarW + layer.Margin(); ++x) {
    const double t = top(x);
    const double slope = top(x + 4) - top(x - 4);
    for (int y = static_cast<int>(std::lround(t)); y < kFarH; ++y) {
      const int d = y - static_cast<int>(std::lround(t));
      Colour col = base;
      // Faces turned to the light get a lit band under the crest, faces turned
      // away a shaded one, both as deep as the slope is steep.
      const double lit = std::min(22.0, -slope * 3), shade = std::min(22.0, slope * 3);
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

void House(Canvas& c, double x, double ground, double w, double h, uint32_t seed, uint16_t outline) {
  const Colour wall = Hash(seed) % 2 ? Colour{240, 226, 196} : Colour{226, 214, 200};
  const Colour roof = Hash(seed, 1) % 3 == 0 ? Colour{90, 120, 200} : Colour{214, 92, 76};
  const Ramp wr = MakeRamp(wall), rr = MakeRamp(roof);
  const int l = static_cast<int>(x), t = static_cast<int>(ground - h), r = static_cast<int>(x + w);
  const int b = static_cast<int>(ground);
  c.Fill(l, t, r, b, wr.base);
  c.Fill(r - static_cast<int>(w / 3), t, r, b, wr.shadow);
  const double rh = h * 0.8;
  FillPolygon(c, {{x - 2, ground - h}, {x + w * 0.45, ground - h - rh}, {x + w + 2, ground - h}}, rr.shadow);
  FillPolygon(c, {{x - 2, ground - h}, {x + w * 0.45, ground - h - rh}, {x + w * 0.45, ground - h}}, rr.light);
  c.Fill(l + 2, t + 2, l + 4, t + 4, Rgb(90, 110, 160));
  Outline(c, l - 4, static_cast<int>(ground - h - rh) - 2, r + 4, b, outline);
}

void Castle(Canvas& c, double x, double ground, uint16_t outline) {
  const Ramp stone = MakeRamp({206, 200, 214});
  const Ramp roof = MakeRamp({96, 112, 196});
  Canvas tmp(140, 130);
  const double gx = 10, gy = 128;
  auto tower = [&](double tx, double w, double h) {
    tmp.Fill(static_cast<int>(gx + tx), static_cast<int>(gy - h), static_cast<int>(gx + tx + w), static_cast<int>(gy),
             stone.base);
    tmp.Fill(static_cast<int>(gx + tx + w * 0.65), static_cast<int>(gy - h), static_cast<int>(gx + tx + w),
             static_cast<int>(gy), stone.shadow);
    FillPolygon(tmp, {{gx + tx - 3, gy - h}, {gx + tx + w / 2, gy - h - w * 1.3}, {gx + tx + w + 3, gy - h}},
                roof.shadow);
    FillPolygon(tmp, {{gx + tx - 3, gy - h}, {gx + tx + w / 2, gy - h - w * 1.3}, {gx + tx + w / 2, gy - h}},
                roof.base);
    tmp.Fill(static_cast<int>(gx + tx + w / 2 - 1), static_cast<int>(gy - h * 0.7),
             static_cast<int>(gx + tx + w / 2 + 1), static_cast<int>(gy - h * 0.7 + 4), Rgb(70, 60, 96));
  };
  // Curtain wall with battlements, then the towers.
  tmp.Fill(static_cast<int>(gx + 8), static_cast<int>(gy - 34), static_cast<int>(gx + 112), static_cast<int>(gy),
           stone.base);
  for (int k = 0; k < 13; ++k)
    tmp.Fill(static_cast<int>(gx + 8 + k * 8), static_cast<int>(gy - 38), static_cast<int>(gx + 12 + k * 8),
             static_cast<int>(gy - 34), stone.base);
  tmp.Fill(static_cast<int>(gx + 52), static_cast<int>(gy - 16), static_cast<int>(gx + 66), static_cast<int>(gy),
           Rgb(84, 70, 96));
  tower(0, 16, 58);
  tower(96, 16, 58);
  tower(50, 18, 84);
  tower(28, 12, 48);
  tower(76, 12, 44);
  Outline(tmp, 0, 0, tmp.w, tmp.h, outline);
  for (int y = 0; y < tmp.h; ++y)
    for (int xx = 0; xx < tmp.w; ++xx)
      if (const uint16_t p = tmp.Get(xx, y); p != kClear)
        c.Set(static_cast<int>(x - gx) + xx, static_cast<int>(ground - gy) + y, p);
}

double FarHillTop(double x) { return 414 + 12 * LoopNoise(x, kFarW, 8, 40) + 4 * LoopNoise(x, kFarW, 40, 41); }
double MidHillTop(double x) { return 458 + 14 * LoopNoise(x, kFarW, 6, 42) + 4 * LoopNoise(x, kFarW, 28, 43); }
double MeadowTop(double x) { return 500 + 3 * LoopNoise(x, kFarW, 16, 44); }

void FarHills(Canvas& dst) {
  Layer far(kFarW, kFarH);
  Hills(far, FarHillTop, {148, 200, 168}, {118, 176, 150}, {96, 150, 138});
  far.Outline(Rgb(78, 122, 122));
  const Ramp blueTree = MakeRamp({92, 150, 132});
  const uint16_t farEdge = Rgb(66, 104, 108);
  Repeat(kFarW, [&](double o) {
    Castle(far.C(), far.X(300 + o), FarHillTop(330) + 8, farEdge);
    for (int i = 0; i < 6; ++i) {
      const double hx = 820 + i * 19 + RandInt(-3, 3, 50, static_cast<uint32_t>(i));
      House(far.C(), far.X(hx + o), FarHillTop(hx + 6) + 9 + (i % 2) * 5, RandInt(11, 15, 51, static_cast<uint32_t>(i)),
            RandInt(8, 11, 52, static_cast<uint32_t>(i)), 53 + static_cast<uint32_t>(i), farEdge);
    }
    for (int i = 0; i < 46; ++i) {
      const double tx = i * 27.8 + RandInt(-8, 8, 54, static_cast<uint32_t>(i));
      if ((tx > 270 && tx < 450) || (tx > 800 && tx < 950)) continue;  // castle and village
      RoundTree(far.C(), far.X(tx + o), FarHillTop(tx) + 5, RandInt(7, 10, 55, static_cast<uint32_t>(i)),
                56 + static_cast<uint32_t>(i), blueTree, Rgb(110, 100, 110), farEdge);
    }
  });
  far.Onto(dst, 0, 0);

  Layer mid(kFarW, kFarH);
  Hills(mid, MidHillTop, {150, 214, 112}, {108, 184, 96}, {82, 154, 92});
  mid.Outline(Rgb(56, 104, 76));
  const Ramp green = MakeRamp({76, 150, 84});
  const Ramp firGreen = MakeRamp({60, 128, 96});
  const uint16_t midEdge = Rgb(44, 84, 64);
  Repeat(kFarW, [&](double o) {
    for (int i = 0; i < 30; ++i) {
      const double tx = i * 42.7 + RandInt(-12, 12, 60, static_cast<uint32_t>(i));
      if (Hash(61, static_cast<uint32_t>(i)) % 4 == 0) continue;
      if (Hash(62, static_cast<uint32_t>(i)) % 3 == 0) {
        Fir(mid.C(), mid.X(tx + o), MidHillTop(tx) + 7, RandInt(16, 24, 63, static_cast<uint32_t>(i)), firGreen,
            Rgb(120, 90, 70), midEdge);
      } else {
        RoundTree(mid.C(), mid.X(tx + o), MidHillTop(tx) + 7, RandInt(11, 16, 64, static_cast<uint32_t>(i)),
                  65 + static_cast<uint32_t>(i), green, Rgb(120, 90, 70), midEdge);
      }
    }
  });
  mid.Onto(dst, 0, 0);
}

// The meadow in front of the hills: fields in stripes, hedges and bushes; most
// of it sits behind the heroes, so it stays quiet.
void Meadow(Canvas& dst) {
  Layer m(kFarW, kFarH);
  Canvas& c = m.C();
  const Colour fieldA{150, 208, 104}, fieldB{132, 196, 98}, fieldC{170, 214, 112};
  for (int x = -m.Margin(); x < kFarW + m.Margin(); ++x) {
    const int top = static_cast<int>(std::lround(MeadowTop(x)));
    for (int y = top; y < kFarH; ++y) {
      // Fields: slanted strips that change every ~150 columns.
      const int strip = Wrap(static_cast<int>(std::floor((x + (y - 500) * 1.4) / 160.0)), 8);
      Colour col = strip % 3 == 0 ? fieldA : strip % 3 == 1 ? fieldB : fieldC;
      if (y - top < 2) col = {188, 228, 128};
      if (strip % 3 == 1 && Wrap(y, 4) == 0 && y - top > 3) col = {120, 182, 94};
      c.Set(m.Xi(x), y, col.Px());
    }
  }
  m.Outline(Rgb(60, 110, 70));
  // Hedgerows along the field rows: runs of bushes grown together.
  const Ramp hedge = MakeRamp({84, 156, 80});
  const uint16_t edge = Rgb(44, 86, 58);
  const uint16_t cast = Rgb(112, 170, 90);
  Repeat(kFarW, [&](double o) {
    for (int row = 0; row < 2; ++row) {
      const double y = 524 + row * 28;
      for (int run = 0; run < 8; ++run) {
        const uint32_t r = static_cast<uint32_t>(row * 8 + run);
        const double x0 = run * 160.0 + RandInt(0, 50, 70, r);
        const int bushes = RandInt(3, 7, 71, r);
        std::vector<Ell> parts;
        for (int k = 0; k < bushes; ++k) {
          const double rad = RandInt(6, 11, 72, r, static_cast<uint32_t>(k)) + row * 2;
          parts.push_back({m.X(x0 + k * 13 + o), y - rad * 0.7, rad * 1.15, rad * 0.85});
        }
        // Shadow cast to the lower right, then the hedge.
        for (const Ell& e : parts) FillEllipse(c, e.cx + 5, y - 1, e.rx, 3, cast);
        Blob(c, parts, hedge, 2, 3, edge, y);
      }
    }
  });
  m.Onto(dst, 0, 0);
}

// Everything of the far strip below the sky: mountains, hills and meadow, on
// a transparent 1280 x 580 picture.
Canvas FarLand() {
  Canvas land(kFarW, kFarH);
  FarMountains(land);
  FarHills(land);
  Meadow(land);
  return land;
}

void SkyGradient(Canvas& dst, int left, const std::vector<Stop>& stops) {
  const Gradient sky(stops, 14);
  for (int y = 0; y < kFarH; ++y)
    for (int x = 0; x < kFarW; ++x) dst.Set(left + x, y, sky.At(x, y));
}

const std::vector<Stop> kStageSky{
    {0, {58, 118, 222}}, {220, {98, 162, 238}}, {380, {168, 212, 248}}, {460, {214, 236, 250}}};

void PaintFarStrip(Canvas& hk, const Canvas& land) {
  SkyGradient(hk, kFarLeft, kStageSky);
  FarClouds(hk, kFarLeft, {});
  Overlay(hk, land, kFarLeft, 0);
}

// ---- the boss backdrop frames ----
//
// The fight shows the far strip at the camera (100, 120): its columns from
// 33 (100 / 3) and rows from 110 fill the window above the arena. The ending
// draws a backdrop frame (rows 250..630 of a 640-wide frame at x 640 k) at
// the window's top instead, so frame 3 (BackdropX 1920) is that very view: the
// cut from the fight to the ending shows no change. Stepping back to frame 0
// the clouds drift apart and shrink, the sky deepens, the sun breaks through
// and a rainbow stands over the mountains: the sky clears now the boss is gone.
constexpr int kFightColumn = 33, kFightRow = 110;
constexpr int kFrameW = 640, kFrameTop = 250, kFrameH = 380;

struct Weather {
  std::vector<Stop> sky;
  CloudLie clouds;
  int sun;  // 0 none, 1 behind a cloud, 2 out, 3 out and shining
  bool rainbow;
};

Weather WeatherOf(int k) {
  const double centre = kFightColumn + kFrameW / 2.0;
  switch (k) {
    case 2:
      return {{{0, {52, 116, 226}}, {220, {92, 162, 242}}, {380, {164, 214, 250}}, {460, {212, 238, 252}}},
              {1.3, 0.8, 0.7, centre}, 1, false};
    case 1:
      return {{{0, {46, 112, 230}}, {220, {86, 162, 246}}, {380, {160, 216, 252}}, {460, {210, 240, 254}}},
              {1.75, 0.55, 0.4, centre}, 2, false};
    default:
      return {{{0, {40, 108, 234}}, {220, {80, 162, 250}}, {380, {156, 218, 254}}, {460, {208, 242, 255}}},
              {1, 0, 0, centre}, 3, true};
  }
}

// The sun, in loop coordinates: above the mountains right of the middle.
constexpr double kSunX = kFightColumn + 478, kSunY = kFightRow + 62;

void Sun(Canvas& c, int shine) {
  const double r = 22;
  if (shine >= 3) {
    // Rays: thin wedges round the disc, alternately long and short.
    for (int i = 0; i < 16; ++i) {
      const double a = i * std::numbers::pi / 8 + 0.1, len = i % 2 ? 44 : 60, half = 0.07;
      FillPolygon(c,
                  {{kSunX + (r + 6) * std::cos(a - half), kSunY + (r + 6) * std::sin(a - half)},
                   {kSunX + len * std::cos(a), kSunY + len * std::sin(a)},
                   {kSunX + (r + 6) * std::cos(a + half), kSunY + (r + 6) * std::sin(a + half)}},
                  Rgb(255, 246, 200));
    }
  }
  // A glow dithered into the sky, then the disc.
  for (int y = static_cast<int>(kSunY - 2 * r); y <= kSunY + 2 * r; ++y)
    for (int x = static_cast<int>(kSunX - 2 * r); x <= kSunX + 2 * r; ++x) {
      const double d = std::hypot(x + 0.5 - kSunX, y + 0.5 - kSunY) / r;
      if (d > 1 && d < 2 && Bayer(x, y) < (2 - d) * (shine >= 2 ? 0.9 : 0.6)) c.Set(x, y, Rgb(236, 246, 255));
    }
  FillEllipse(c, kSunX, kSunY, r + 1, r + 1, Rgb(255, 214, 96));
  FillEllipse(c, kSunX - 1.5, kSunY - 1.5, r - 2, r - 2, Rgb(255, 246, 190));
  FillEllipse(c, kSunX - 5, kSunY - 6, r * 0.45, r * 0.4, Rgb(255, 255, 236));
}

// A rainbow arching over the mountains, its bands dithered into the sky at
// their edges; the mountains, laid over it, hide its feet.
void Rainbow(Canvas& c) {
  const double cx = kFightColumn + 250, cy = kFightRow + 330, inner = 200;
  const Colour bands[] = {{150, 120, 230}, {90, 150, 250}, {110, 210, 130}, {250, 236, 110}, {255, 170, 80},
                          {240, 96, 96}};
  constexpr double kBand = 5;
  for (int y = static_cast<int>(cy - inner - 6 * kBand - 2); y < cy; ++y)
    for (int x = static_cast<int>(cx - inner - 6 * kBand - 2); x < cx + inner + 6 * kBand + 2; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) - inner;
      if (d < 0 || d >= 6 * kBand) continue;
      const int band = static_cast<int>(d / kBand);
      // The outermost and innermost bands thin out into the sky.
      const double edge = band == 0 ? d / kBand : band == 5 ? (6 * kBand - d) / kBand : 1;
      if (Bayer(x, y) >= edge) continue;
      const Colour sky = Decode(c.Get(x, y));
      c.Set(x, y, Mix(sky, bands[band], 196).Px());
    }
}

void PaintBossSkies(Canvas& hk, const Canvas& land) {
  // Frame 3: the fight's own view.
  Canvas fight(kFrameW, kFrameH);
  fight.Paste(hk, kFarLeft + kFightColumn, kFightRow, kFarLeft + kFightColumn + kFrameW, kFightRow + kFrameH, 0, 0);
  hk.Paste(fight, 0, 0, kFrameW, kFrameH, 3 * kFrameW, kFrameTop);
  for (int k = 0; k < 3; ++k) {
    const Weather w = WeatherOf(k);
    Canvas far(kFarW, kFarH);
    SkyGradient(far, 0, w.sky);
    if (w.rainbow) Rainbow(far);
    if (w.sun) Sun(far, w.sun);
    FarClouds(far, 0, w.clouds);
    if (w.sun == 1) {
      // A cloud drifting off the sun still hides half of it.
      Cloud(far, kSunX + 34, kSunY + 30, 120, 52, 77, {Rgb(255, 255, 255), Rgb(234, 243, 255), Rgb(188, 208, 240)},
            Rgb(132, 160, 212));
    }
    Overlay(far, land, 0, 0);
    hk.Paste(far, kFightColumn, kFightRow, kFightColumn + kFrameW, kFightRow + kFrameH, k * kFrameW, kFrameTop);
  }
}

// The floor strip: the foreground bank, a 640-wide loop at rows 630..710.
void PaintFloorStrip(Canvas& hk) {
  hk.Fill(0, 630, kBankWidth, 630 + kBankHeight, kClear);
  PaintBank(hk, 0, 630, kBankWidth);
}

}  // namespace

}  // namespace scenery

void PaintBackdropTerrain(Sheets& sheets) {
  using namespace scenery;
  // The fight's camera (100, 120): the near strip, drawn at world y 30, shows
  // its columns from 100 and rows from 90 in the window.
  constexpr int kNearColumn = 100, kNearRow = 90;
  const Canvas& near = sheets.at("tyukan");
  Canvas& hk = sheets.at("haikei256");
  for (int k = 0; k < 4; ++k)
    for (int y = 0; y < kFrameH; ++y)
      for (int x = 0; x < kFrameW; ++x)
        if (const uint16_t p = near.Get(kNearColumn + x, kNearRow + y); p != kClear)
          hk.Set(k * kFrameW + x, kFrameTop + y, p);
}

void PaintSceneryArt(Sheets& sheets) {
  Canvas& hk = sheets.at("haikei256");
  const Canvas land = scenery::FarLand();
  scenery::PaintFarStrip(hk, land);
  scenery::PaintBossSkies(hk, land);
  scenery::PaintFloorStrip(hk);
  scenery::PaintArena(hk);
  scenery::PaintBeams(hk);
  scenery::PaintTitle(sheets.at("OPhaikei"));
  scenery::PaintOptionsBackdrop(sheets.at("option1280"));
  scenery::PaintBox(sheets.at("Hako"));
}

}  // namespace gen
