// The boss arena in four frames (walls going up around the two ledges, the
// light dimming as the boss arrives) and the boss's beam in three looks. The
// four skies behind the arena are painted with the far strip, whose view they
// continue.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "gen/art_scenery_kit.hpp"
#include "gen/art_scenery_parts.hpp"

namespace gen::scenery {

namespace {

constexpr int kFrameW = 640;
constexpr int kFrontH = 250;  // arena fronts: rows 0..250

// Arena geometry in front-frame rows (the front is drawn 362 rows down the
// world): the ledges' top at world y 500, the floor's at world y 580.
constexpr int kLedgeTop = 138;
constexpr int kLedgeBottom = 158;
constexpr int kLeftLedgeRight = 160;
constexpr int kRightLedgeLeft = 499;
constexpr int kFloorTop = 218;

// ---- arena fronts ----

struct Stone {
  Ramp ramp;
  uint16_t mortar;
};

// Staggered blocks filling (l, t, r, b): lit top and left edges, shaded bottom
// and right edges, mortar between.
void Blocks(Canvas& c, int l, int t, int r, int b, const Stone& s, int rowH, int blockW, uint32_t seed) {
  for (int y = t; y < b; ++y) {
    const int row = (y - t) / rowH, ry = (y - t) % rowH;
    const int shift = row % 2 ? blockW / 2 : 0;
    for (int x = l; x < r; ++x) {
      const int bx = Wrap(x - l + shift, blockW);
      const int col = (x - l + shift) / blockW;
      uint16_t p = s.ramp.base;
      if (ry == rowH - 1 || bx == blockW - 1) {
        p = s.mortar;
      } else if (ry == 0 || bx == 0) {
        p = s.ramp.light;
      } else if (ry == rowH - 2 || bx == blockW - 2) {
        p = s.ramp.shadow;
      } else if (Hash(seed, static_cast<uint32_t>(row), static_cast<uint32_t>(col)) % 5 == 0 && Bayer(x, y) < 0.25) {
        p = s.ramp.shadow;
      }
      c.Set(x, y, p);
    }
  }
}

// The wall stays a step darker than the ledges, so what can be stood on reads.
Stone WallStone() { return {MakeRamp({172, 156, 146}), Rgb(108, 92, 96)}; }
Stone LedgeStone() { return {MakeRamp({240, 224, 186}), Rgb(150, 124, 100)}; }
Stone FloorStone() { return {MakeRamp({176, 164, 150}), Rgb(100, 88, 88)}; }

// The wall's top row in each frame: it rises as the arena is built.
constexpr std::array<int, 4> kWallTop{112, 90, 70, 52};

void Flame(Canvas& c, double x, double y, uint32_t seed) {
  FillEllipse(c, x, y - 6, 6, 10, Rgb(236, 90, 40));
  FillEllipse(c, x + (Rand01(seed) - 0.5) * 2, y - 4, 4, 7, Rgb(255, 180, 50));
  FillEllipse(c, x, y - 2, 2, 4, Rgb(255, 246, 190));
}

void Torch(Canvas& c, double x, double y, bool lit, uint32_t seed) {
  const Ramp iron = MakeRamp({90, 84, 100});
  c.Fill(static_cast<int>(x) - 2, static_cast<int>(y), static_cast<int>(x) + 3, static_cast<int>(y) + 16, iron.base);
  c.Fill(static_cast<int>(x) - 5, static_cast<int>(y) - 3, static_cast<int>(x) + 6, static_cast<int>(y) + 1,
         iron.light);
  if (lit) Flame(c, x + 0.5, y - 3, seed);
}

void Banner(Canvas& c, double x, double top, double len, Colour cloth, Colour trim, bool emblem) {
  const Ramp r = MakeRamp(cloth);
  c.Fill(static_cast<int>(x) - 14, static_cast<int>(top) - 2, static_cast<int>(x) + 15, static_cast<int>(top) + 1,
         Rgb(120, 90, 60));
  FillPolygon(c, {{x - 12, top}, {x + 12, top}, {x + 12, top + len}, {x, top + len - 8}, {x - 12, top + len}}, r.base);
  FillPolygon(c, {{x - 12, top}, {x - 6, top}, {x - 6, top + len - 4}, {x - 12, top + len}}, r.light);
  FillPolygon(c, {{x + 7, top}, {x + 12, top}, {x + 12, top + len}, {x + 7, top + len - 3}}, r.shadow);
  c.Fill(static_cast<int>(x) - 12, static_cast<int>(top) + 3, static_cast<int>(x) + 12, static_cast<int>(top) + 5,
         trim.Px());
  if (emblem) {
    // Two horns over an eye: the master of the arena.
    const double ey = top + len * 0.45;
    FillPolygon(c, {{x - 8, ey - 2}, {x - 10, ey - 12}, {x - 3, ey - 4}}, trim.Px());
    FillPolygon(c, {{x + 8, ey - 2}, {x + 10, ey - 12}, {x + 3, ey - 4}}, trim.Px());
    FillEllipse(c, x, ey + 1, 6, 4, trim.Px());
    FillEllipse(c, x, ey + 1, 2, 2.5, kOutline.Px());
  }
}

// Wooden scaffolding: posts, a plank and crossed braces.
void Scaffold(Canvas& c, int l, int r, int top, int bottom) {
  const Ramp wood = MakeRamp({186, 130, 76});
  for (int x : {l, r - 5}) {
    c.Fill(x, top, x + 5, bottom, wood.base);
    c.Fill(x, top, x + 1, bottom, wood.light);
    c.Fill(x + 4, top, x + 5, bottom, wood.shadow);
  }
  ThickLine(c, l + 3, top + 8, r - 3, bottom - 6, 3, wood.shadow);
  ThickLine(c, r - 3, top + 8, l + 3, bottom - 6, 3, wood.base);
}

void Ledge(Canvas& c, int l, int r, int k) {
  const Stone s = LedgeStone();
  Blocks(c, l, kLedgeTop + 4, r, kLedgeBottom, s, 8, 20, 300 + static_cast<uint32_t>(l));
  c.Fill(l, kLedgeTop, r, kLedgeTop + 4, s.ramp.light);
  c.Fill(l, kLedgeTop + 3, r, kLedgeTop + 4, s.ramp.base);
  c.Fill(l, kLedgeBottom - 1, r, kLedgeBottom, kOutline.Px());
  // The shadow the ledge throws on the wall below it.
  const uint16_t shade = Rgb(128, 112, 110);
  for (int y = kLedgeBottom; y < kLedgeBottom + 7; ++y)
    for (int x = l; x < r; ++x)
      if (Bayer(x, y) < 1.0 - (y - kLedgeBottom) / 7.0) c.Set(x, y, shade);
  // What holds it up: scaffolding while the arena is built, then stone corbels.
  const int span = r - l;
  for (int i = 0; i < 3; ++i) {
    const int cx = l + span * (2 * i + 1) / 6;
    if (k == 0) {
      Scaffold(c, cx - 16, cx + 16, kLedgeBottom, kFloorTop);
    } else {
      const Ramp corbel = s.ramp;
      FillPolygon(c,
                  {{cx - 10.0, kLedgeBottom},
                   {cx + 10.0, kLedgeBottom},
                   {cx + 4.0, kLedgeBottom + 18.0},
                   {cx - 4.0, kLedgeBottom + 18.0}},
                  corbel.base);
      FillPolygon(c,
                  {{cx - 10.0, kLedgeBottom},
                   {cx - 5.0, kLedgeBottom},
                   {cx - 1.0, kLedgeBottom + 18.0},
                   {cx - 4.0, kLedgeBottom + 18.0}},
                  corbel.light);
      Line(c, cx + 10, kLedgeBottom, cx + 4, kLedgeBottom + 18, kOutline.Px());
      Line(c, cx - 10, kLedgeBottom, cx - 4, kLedgeBottom + 18, kOutline.Px());
      c.Fill(cx - 4, kLedgeBottom + 18, cx + 5, kLedgeBottom + 19, kOutline.Px());
    }
  }
}

struct Light {
  Colour tint;
  int amount;  // 0..256
};
// The gloom gathers in the arena as it is built for the fight (frames 0 to
// 3) and lifts again as the ending steps back, under the clearing sky.
constexpr std::array<Light, 4> kTint{
    {{{80, 40, 110}, 0}, {{80, 40, 110}, 24}, {{80, 40, 110}, 48}, {{80, 40, 110}, 72}}};

// Every opaque pixel mixed towards the light's colour; the outline stays as it is.
void Tint(Canvas& c, const Light& light) {
  if (light.amount == 0) return;
  for (uint16_t& p : c.px) {
    if (p == kClear || p == kOutline.Px()) continue;
    const Colour was{(p >> 11) << 3, ((p >> 5) & 63) << 2, (p & 31) << 3};
    p = Mix(was, light.tint, light.amount).Px();
  }
}

void PaintFrontFrame(Canvas& hk, int k) {
  const int left = kFrameW * k;
  Canvas f(kFrameW, kFrontH);
  const int wallTop = kWallTop[static_cast<size_t>(k)];
  // The back wall, up to this frame's height, its top course still ragged
  // while building goes on.
  Blocks(f, 0, wallTop, kFrameW, kFloorTop, WallStone(), 12, 28, 200);
  if (k < 2) {
    for (int i = 0; i < kFrameW / 28; ++i) {
      const int h = static_cast<int>(Hash(201, static_cast<uint32_t>(k), static_cast<uint32_t>(i)) % 3);
      if (h == 0) f.Fill(i * 28 + (i % 2) * 14, wallTop, i * 28 + 28 + (i % 2) * 14, wallTop + 12, kClear);
      if (h == 1) Blocks(f, i * 28, wallTop - 12, i * 28 + 27, wallTop, WallStone(), 12, 28, 202);
    }
  } else {
    // Battlements along the finished top.
    for (int x = 4; x < kFrameW; x += 32) Blocks(f, x, wallTop - 14, x + 18, wallTop, WallStone(), 14, 19, 203);
  }
  // Arches set into the finished wall.
  if (k >= 2) {
    const Ramp dark = MakeRamp({96, 78, 96});
    for (int i = 0; i < 4; ++i) {
      const double ax = 214 + i * 70;
      FillEllipse(f, ax, wallTop + 38, 16, 16, dark.shadow);
      f.Fill(static_cast<int>(ax) - 16, wallTop + 38, static_cast<int>(ax) + 16, wallTop + 74, dark.shadow);
      FillEllipse(f, ax + 3, wallTop + 40, 11, 11, dark.base);
      f.Fill(static_cast<int>(ax) - 8, wallTop + 40, static_cast<int>(ax) + 14, wallTop + 74, dark.base);
    }
  }
  // The dark line along the wall's top, and shade gathering at its foot.
  Outline(f, 0, 0, kFrameW, kFloorTop, kOutline.Px());
  const uint16_t foot = WallStone().ramp.shadow;
  for (int y = kFloorTop - 12; y < kFloorTop; ++y)
    for (int x = 0; x < kFrameW; ++x)
      if (Bayer(x, y) < (y - (kFloorTop - 12)) / 12.0) f.Set(x, y, foot);
  // The floor: flagstones, their tops lit.
  const Stone floor = FloorStone();
  Blocks(f, 0, kFloorTop, kFrameW, kFrontH, floor, 10, 40, 204);
  f.Fill(0, kFloorTop, kFrameW, kFloorTop + 3, floor.ramp.light);
  f.Fill(0, kFloorTop - 1, kFrameW, kFloorTop, kOutline.Px());
  // Ledges at the two ends, exactly where the arena's solid cells are.
  Ledge(f, 0, kLeftLedgeRight, k);
  Ledge(f, kRightLedgeLeft, kFrameW, k);
  // Dressing that tells the frames apart.
  if (k == 0) {
    Scaffold(f, 240, 290, wallTop - 40, kFloorTop);
    Scaffold(f, 380, 430, wallTop - 30, kFloorTop);
    const Ramp wood = MakeRamp({186, 130, 76});
    f.Fill(232, wallTop - 40, 300, wallTop - 36, wood.light);
    f.Fill(372, wallTop - 30, 440, wallTop - 26, wood.light);
    Outline(f, 220, wallTop - 44, 450, wallTop, kOutline.Px());
  }
  if (k == 1) {
    Banner(f, 250, wallTop + 6, 56, {200, 60, 60}, {250, 210, 90}, false);
    Banner(f, 390, wallTop + 6, 56, {200, 60, 60}, {250, 210, 90}, false);
    Scaffold(f, 300, 340, wallTop - 26, kFloorTop);
    f.Fill(292, wallTop - 26, 348, wallTop - 22, MakeRamp({186, 130, 76}).light);
    Outline(f, 286, wallTop - 30, 354, wallTop, kOutline.Px());
  }
  if (k >= 2)
    Banner(f, 320, wallTop + 4, 70, k == 3 ? Colour{120, 50, 160} : Colour{200, 60, 60}, {250, 210, 90}, k == 3);
  // The gloom of the fight gathers frame by frame. Torches and runes glow
  // through it.
  Tint(f, kTint[static_cast<size_t>(k)]);
  if (k >= 2)
    for (int x : {186, 454}) Torch(f, x, wallTop + 30, k == 3, 210 + static_cast<uint32_t>(x));
  if (k == 3) {
    // The arena is finished: torches on the ledges and glowing runes on the wall.
    for (int x : {30, 130, 530, 612}) Torch(f, x, kLedgeTop - 18, true, 220 + static_cast<uint32_t>(x));
    const uint16_t rune = Rgb(200, 140, 255), glow = Rgb(150, 96, 210);
    for (int i = 0; i < 8; ++i) {
      const int rx = 196 + i * 36, ry = kFloorTop - 28;
      f.Fill(rx - 1, ry - 1, rx + 9, ry + 11, glow);
      Line(f, rx + 1, ry + 1, rx + 7, ry + 9, rune);
      Line(f, rx + 7, ry + 1, rx + 1, ry + 9, rune);
      f.Fill(rx + 3, ry, rx + 5, ry + 10, rune);
    }
  }
  hk.Fill(left, 0, left + kFrameW, kFrontH, kClear);
  hk.Paste(f, 0, 0, kFrameW, kFrontH, left, 0);
}

// ---- the beam ----

struct BeamLook {
  Colour edge, outer, mid, inner;
  double width;   // half width of the body, in pixels
  double wobble;  // how much the edges ripple
  bool crackle;   // arcs jumping off the sides
};

constexpr std::array<BeamLook, 3> kBeams{{
    {{24, 56, 150}, {60, 140, 255}, {120, 210, 255}, {214, 248, 255}, 44, 3, false},
    {{84, 24, 124}, {168, 70, 236}, {228, 136, 255}, {255, 222, 255}, 50, 5, false},
    {{120, 20, 24}, {226, 60, 36}, {255, 150, 46}, {255, 236, 150}, 56, 7, true},
}};

constexpr int kBeamTop = 140, kBeamBottom = 630, kBeamW = 150;
// The beam is cut 55 rows apart; a pattern repeating every 55 rows looks the
// same at every cut.
constexpr int kBeamPeriod = 55;

void PaintBeam(Canvas& hk, int look) {
  const BeamLook& b = kBeams[static_cast<size_t>(look)];
  const int left = 4480 + kBeamW * look;
  Canvas c(kBeamW, kBeamBottom - kBeamTop);
  const double cx = kBeamW / 2.0;
  const int h = c.h;
  const double tipLen = 34;
  for (int y = 0; y < h; ++y) {
    const double fromTip = h - y;  // 1 at the leading tip
    const double phase = 2 * std::numbers::pi * Wrap(y, kBeamPeriod) / kBeamPeriod;
    // Body half widths of the four bands, rippling down the beam.
    double hw = b.width + b.wobble * std::sin(phase) + (look > 0 ? b.wobble * 0.5 * std::sin(3 * phase + 1) : 0);
    if (fromTip < tipLen) hw *= std::sqrt(fromTip / tipLen);
    // A pulse: a brighter ring every period.
    const double ring = std::max(0.0, std::cos(phase - 1.0));
    const double midW = hw * (0.68 + 0.12 * ring), innerW = hw * (0.4 + 0.14 * ring), coreW = hw * (0.14 + 0.08 * ring);
    for (int x = 0; x < kBeamW; ++x) {
      const double d = std::abs(x + 0.5 - cx);
      Colour col;
      if (d < coreW) {
        col = {255, 255, 255};
      } else if (d < innerW) {
        col = b.inner;
      } else if (d < midW) {
        col = b.mid;
      } else if (d < hw) {
        col = b.outer;
      } else {
        continue;
      }
      // Streaks running down the beam.
      if (d >= innerW && Wrap(x * 7 + y / 9, 13) == 0) col = Mix(col, b.inner, 140);
      c.Set(x, y, col.Px());
    }
  }
  // Sparks drifting beside the beam, and for the last look arcs jumping off it.
  for (int i = 0; i < 26; ++i) {
    const int y = RandInt(4, h - 40, 500 + static_cast<uint32_t>(look), static_cast<uint32_t>(i));
    const int side = i % 2 ? 1 : -1;
    const int x =
        static_cast<int>(cx) + side * (static_cast<int>(b.width) + RandInt(8, 20, 510, static_cast<uint32_t>(i)));
    if (x < 3 || x > kBeamW - 4) continue;
    const uint16_t sp = b.inner.Px();
    c.Set(x, y, sp);
    c.Set(x - 1, y, b.mid.Px());
    c.Set(x + 1, y, b.mid.Px());
    c.Set(x, y - 1, b.mid.Px());
    c.Set(x, y + 1, b.mid.Px());
  }
  if (b.crackle) {
    for (int i = 0; i < 9; ++i) {
      const double y0 = 20 + i * 50.0 + RandInt(0, 20, 520, static_cast<uint32_t>(i));
      const int side = i % 2 ? 1 : -1;
      double x = cx + side * (b.width - 6), y = y0;
      for (int s = 0; s < 4; ++s) {
        const double nx = x + side * RandInt(4, 7, 521, static_cast<uint32_t>(i), static_cast<uint32_t>(s));
        const double ny = y + RandInt(-9, 9, 522, static_cast<uint32_t>(i), static_cast<uint32_t>(s));
        if (nx < 3 || nx > kBeamW - 4) break;
        ThickLine(c, x, y, nx, ny, 2, b.inner.Px());
        x = nx;
        y = ny;
      }
    }
  }
  // The leading tip: a bright splash where the beam is heading.
  FillEllipse(c, cx, h - 16, b.width * 0.5, 12, b.mid.Px());
  FillEllipse(c, cx, h - 18, b.width * 0.3, 9, b.inner.Px());
  FillEllipse(c, cx, h - 20, b.width * 0.12, 6, Rgb(255, 255, 255));
  Outline(c, 0, 0, kBeamW, h, b.edge.Px());
  hk.Fill(left, kBeamTop, left + kBeamW, kBeamBottom, kClear);
  hk.Paste(c, 0, 0, kBeamW, h, left, kBeamTop);
}

}  // namespace

void PaintArena(Canvas& haikei) {
  for (int k = 0; k < 4; ++k) PaintFrontFrame(haikei, k);
}

void PaintBeams(Canvas& haikei) {
  for (int look = 0; look < 3; ++look) PaintBeam(haikei, look);
}

}  // namespace gen::scenery
