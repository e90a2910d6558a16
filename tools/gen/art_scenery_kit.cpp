#include "gen/art_scenery_kit.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace gen::scenery {

namespace {

uint32_t Mix32(uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

int Floor(double v) { return static_cast<int>(std::floor(v)); }

}  // namespace

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
  return Mix32(Mix32(a * 0x9E3779B1U + 0x68E31DA4U) ^ Mix32(b + 0x85EBCA6BU) ^ Mix32(c * 0xC2B2AE35U + 0x27D4EB2FU));
}

double Rand01(uint32_t a, uint32_t b, uint32_t c) { return (Hash(a, b, c) >> 8) / 16777216.0; }

int RandInt(int lo, int hi, uint32_t a, uint32_t b, uint32_t c) {
  return lo + static_cast<int>(Hash(a, b, c) % static_cast<uint32_t>(hi - lo + 1));
}

double LoopNoise(double x, int period, int knots, uint32_t seed) {
  const double step = static_cast<double>(period) / knots;
  const double f = x / step;
  const int i = Floor(f);
  const double t = f - i;
  const double v0 = Rand01(seed, static_cast<uint32_t>(Wrap(i, knots))) * 2 - 1;
  const double v1 = Rand01(seed, static_cast<uint32_t>(Wrap(i + 1, knots))) * 2 - 1;
  const double s = (1 - std::cos(std::numbers::pi * t)) / 2;
  return v0 + (v1 - v0) * s;
}

double Bayer(int x, int y) {
  static constexpr std::array<int, 16> kM{0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
  return (kM[static_cast<size_t>((y & 3) * 4 + (x & 3))] + 0.5) / 16.0;
}

// ---- Gradient ----

Colour Gradient::Smooth(double y) const {
  if (y <= stops_.front().y) return stops_.front().c;
  for (size_t i = 1; i < stops_.size(); ++i)
    if (y < stops_[i].y) {
      const double t = (y - stops_[i - 1].y) / (stops_[i].y - stops_[i - 1].y);
      return Mix(stops_[i - 1].c, stops_[i].c, static_cast<int>(t * 256));
    }
  return stops_.back().c;
}

uint16_t Gradient::At(int x, int y) const {
  const double y0 = stops_.front().y, y1 = stops_.back().y;
  const double bh = (y1 - y0) / bands_;
  const double f = (y - y0) / bh;
  int band = std::clamp(Floor(f), 0, bands_ - 1);
  const double frac = f - Floor(f);
  // The last quarter of a band dithers over into the next one.
  if (f >= 0 && band + 1 < bands_ && frac > 0.72 && Bayer(x, y) < (frac - 0.72) / 0.28) ++band;
  if (f < 0) band = 0;
  return Smooth(y0 + (band + 0.5) * bh).Px();
}

// ---- Layer ----

Layer::Layer(int width, int height, int margin) : c_(width + 2 * margin, height), width_(width), margin_(margin) {}

void Layer::Outline(uint16_t colour) { gen::Outline(c_, 0, 0, c_.w, c_.h, colour); }

void Layer::Onto(Canvas& dst, int left, int top) const {
  for (int y = 0; y < c_.h; ++y)
    for (int x = 0; x < width_; ++x)
      if (const uint16_t p = c_.Get(x + margin_, y); p != kClear) dst.Set(left + x, top + y, p);
}

// ---- shapes ----

void Blob(Canvas& c, const std::vector<Ell>& parts, const Ramp& ramp, int light, int shadow, uint16_t outline,
          double cutY) {
  if (parts.empty()) return;
  double l = 1e9, t = 1e9, r = -1e9, b = -1e9;
  for (const Ell& e : parts) {
    l = std::min(l, e.cx - e.rx);
    r = std::max(r, e.cx + e.rx);
    t = std::min(t, e.cy - e.ry);
    b = std::max(b, e.cy + e.ry);
  }
  const int bl = Floor(l) - 2, bt = Floor(t) - 2, br = Floor(r) + 3, bb = Floor(std::min(b, cutY)) + 3;
  const int w = br - bl, h = bb - bt;
  std::vector<uint8_t> mask(static_cast<size_t>(w) * h, 0);
  for (int y = bt; y < bb; ++y)
    for (int x = bl; x < br; ++x) {
      if (y + 0.5 > cutY) continue;
      for (const Ell& e : parts) {
        const double dx = (x + 0.5 - e.cx) / e.rx, dy = (y + 0.5 - e.cy) / e.ry;
        if (dx * dx + dy * dy <= 1.0) {
          mask[static_cast<size_t>(y - bt) * w + (x - bl)] = 1;
          break;
        }
      }
    }
  const auto in = [&](int x, int y) {
    return x >= bl && x < br && y >= bt && y < bb && mask[static_cast<size_t>(y - bt) * w + (x - bl)] != 0;
  };
  for (int y = bt; y < bb; ++y)
    for (int x = bl; x < br; ++x) {
      if (in(x, y)) {
        uint16_t col = ramp.base;
        if (!in(x - light, y - light)) {
          col = ramp.light;
        } else if (!in(x + shadow, y + shadow) || !in(x, y + shadow)) {
          col = ramp.shadow;
        }
        c.Set(x, y, col);
      } else if (outline != 0 && (in(x - 1, y) || in(x + 1, y) || in(x, y - 1) || in(x, y + 1))) {
        c.Set(x, y, outline);
      }
    }
}

void Cloud(Canvas& c, double cx, double baseY, double w, double h, uint32_t seed, const Ramp& ramp, uint16_t outline) {
  std::vector<Ell> parts;
  parts.push_back({cx, baseY - h * 0.3, w / 2, h * 0.3});
  const int bumps = 3 + static_cast<int>(w / 70);
  for (int i = 0; i < bumps; ++i) {
    const double u = (i + 0.5) / bumps;  // across the cloud
    const double arch = std::sin(u * std::numbers::pi);
    const double r = h * (0.28 + 0.3 * arch) * (0.85 + 0.3 * Rand01(seed, static_cast<uint32_t>(i)));
    const double x = cx - w / 2 + w * (0.1 + 0.8 * u) + (Rand01(seed, static_cast<uint32_t>(i), 7) - 0.5) * w * 0.08;
    parts.push_back({x, baseY - h * 0.3 - arch * h * 0.25, r * 1.15, r});
  }
  Blob(c, parts, ramp, 3, 5, outline, baseY);
}

namespace {

// Paints with `draw` into a scratch canvas, outlines it and copies it over.
template <class Draw>
void Outlined(Canvas& dst, int l, int t, int w, int h, uint16_t outline, Draw draw) {
  Canvas tmp(w, h);
  draw(tmp, static_cast<double>(-l), static_cast<double>(-t));
  gen::Outline(tmp, 0, 0, w, h, outline);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (const uint16_t p = tmp.Get(x, y); p != kClear) dst.Set(l + x, t + y, p);
}

}  // namespace

void RoundTree(Canvas& c, double x, double groundY, double size, uint32_t seed, const Ramp& leaves, uint16_t trunk,
               uint16_t outline) {
  const int l = Floor(x - size) - 2, t = Floor(groundY - size * 1.6) - 2;
  const int w = static_cast<int>(size * 2) + 5, h = static_cast<int>(size * 1.6) + 4;
  Outlined(c, l, t, w, h, outline, [&](Canvas& tmp, double ox, double oy) {
    const double tw = std::max(1.0, size * 0.12);
    tmp.Fill(Floor(ox + x - tw), Floor(oy + groundY - size * 0.7), Floor(ox + x + tw) + 1, Floor(oy + groundY), trunk);
    const double cy = oy + groundY - size * 0.95;
    std::vector<Ell> crown{{ox + x, cy, size * 0.55, size * 0.5}};
    crown.push_back({ox + x - size * 0.3, cy + size * 0.12, size * 0.38, size * 0.34});
    crown.push_back({ox + x + size * 0.3, cy + size * 0.1, size * 0.4, size * 0.36});
    crown.push_back({ox + x + (Rand01(seed) - 0.5) * size * 0.3, cy - size * 0.3, size * 0.36, size * 0.32});
    Blob(tmp, crown, leaves, std::max(1, static_cast<int>(size / 8)), std::max(2, static_cast<int>(size / 5)), 0);
  });
}

void Fir(Canvas& c, double x, double groundY, double size, const Ramp& leaves, uint16_t trunk, uint16_t outline) {
  const int l = Floor(x - size * 0.5) - 2, t = Floor(groundY - size * 1.6) - 2;
  const int w = static_cast<int>(size) + 5, h = static_cast<int>(size * 1.6) + 4;
  Outlined(c, l, t, w, h, outline, [&](Canvas& tmp, double ox, double oy) {
    const double cx = ox + x, gy = oy + groundY;
    tmp.Fill(Floor(cx - size * 0.06), Floor(gy - size * 0.3), Floor(cx + size * 0.06) + 1, Floor(gy), trunk);
    for (int k = 0; k < 3; ++k) {
      const double base = gy - size * (0.2 + 0.38 * k), top = base - size * 0.62;
      const double hw = size * (0.48 - 0.1 * k);
      FillPolygon(tmp, {{cx - hw, base}, {cx, top}, {cx + hw, base}}, leaves.shadow);
      FillPolygon(tmp, {{cx - hw, base}, {cx, top}, {cx + hw * 0.15, base}}, leaves.base);
      FillPolygon(tmp, {{cx - hw * 0.7, base - size * 0.12}, {cx, top}, {cx - hw * 0.25, base - size * 0.1}},
                  leaves.light);
    }
  });
}

void Range(Layer& layer, int width, bool loop, const std::vector<Peak>& peaks, double snow, int bottom,
           const RangeLook& look, uint32_t seed) {
  Canvas& c = layer.C();
  const uint16_t light = look.light.Px(), base = look.base.Px(), shadow = look.shadow.Px();
  const uint16_t snowL = look.snowLight.Px(), snowS = look.snowShadow.Px();
  const int haze = 34;
  // A loop paints its margins too, so the layer's outline runs on across the seam.
  const int from = loop ? -layer.Margin() : 0, to = loop ? width + layer.Margin() : width;
  for (int x = from; x < to; ++x) {
    double ridge = 1e9;
    const Peak* top = nullptr;
    double px = 0;
    for (const Peak& p : peaks)
      for (int k = loop ? -1 : 0; k <= (loop ? 1 : 0); ++k) {
        const double at = p.x + k * width;
        const double y = p.top + p.slope * std::abs(x + 0.5 - at);
        if (y < ridge) {
          ridge = y;
          top = &p;
          px = at;
        }
      }
    if (top == nullptr) continue;
    ridge += 3 * LoopNoise(x, loop ? width : 4096, loop ? width / 8 : 512, seed) +
             1.2 * LoopNoise(x, loop ? width : 4096, loop ? width / 3 : 1365, seed + 1);
    const int r = Floor(ridge);
    const bool lit = x + 0.5 < px;
    // A crease down each face gives the mountain some bulk.
    const double crease = std::abs(x + 0.5 - px) / std::max(1.0, ridge - top->top + 1);
    const double snowLine = top->top + snow + 5 * LoopNoise(x, loop ? width : 4096, loop ? width / 5 : 800, seed + 2);
    for (int y = std::max(r, 0); y < bottom && y < c.h; ++y) {
      uint16_t col = lit ? light : shadow;
      if (lit && crease < 0.12 && y > r + 6) col = base;
      if (y < snowLine && snow > 0) col = lit ? snowL : snowS;
      // Haze towards the foot of the range.
      const double hz = (y - (bottom - haze)) / static_cast<double>(haze);
      if (hz > 0 && Bayer(x, y) < hz * 1.4) col = base;
      if (y == r && look.edge != 0) col = look.edge;
      c.Set(layer.Xi(x), y, col);
    }
  }
}

// ---- the foreground bank ----

namespace {

constexpr Colour kBankGrassLight{136, 212, 78};
constexpr Colour kBankGrass{72, 164, 62};
constexpr Colour kBankGrassDark{40, 116, 58};
constexpr Colour kBankDeep{30, 88, 52};
constexpr Colour kSoil{128, 84, 52};
constexpr Colour kSoilDark{92, 58, 42};

// The lip of the bank (first grass row below the blade tips) at column x.
int Lip(int x) {
  const double v = kBankTop + 1 + 2.2 * LoopNoise(x, kBankWidth, 10, 901) + 1.2 * LoopNoise(x, kBankWidth, 32, 902);
  return std::clamp(static_cast<int>(std::lround(v)), kBankTop - 2, kBankTop + 3);
}

// Height of the little grass blades along the lip: groups of four columns.
int Blade(int x) {
  static constexpr std::array<int, 4> kShape{1, 3, 2, 0};
  const int group = Wrap(x, kBankWidth) / 4;
  const int h = kShape[static_cast<size_t>(Wrap(x, kBankWidth) % 4)];
  return Hash(static_cast<uint32_t>(group), 903) % 3 == 0 ? h / 2 : h;
}

void Tuft(Canvas& c, double x, double foot, int blades, double height, uint32_t seed) {
  const Ramp grass{kBankGrassLight.Px(), kBankGrass.Px(), kBankGrassDark.Px()};
  for (int i = 0; i < blades; ++i) {
    const double u = blades == 1 ? 0.5 : static_cast<double>(i) / (blades - 1);
    const double bx = x + (u - 0.5) * blades * 2.6;
    const double lean = (u - 0.5) * height * 0.9 + (Rand01(seed, static_cast<uint32_t>(i)) - 0.5) * 5;
    const double hgt = height * (0.55 + 0.45 * std::sin(u * std::numbers::pi)) *
                       (0.8 + 0.3 * Rand01(seed, 50U + static_cast<uint32_t>(i)));
    const double tipX = bx + lean, tipY = foot - hgt;
    const double midX = bx + lean * 0.35, midY = foot - hgt * 0.55;
    const uint16_t col = i % 3 == 0 ? grass.light : i % 3 == 1 ? grass.base : grass.shadow;
    FillPolygon(c, {{bx - 1.6, foot}, {midX - 1.2, midY}, {tipX, tipY}, {midX + 1.2, midY}, {bx + 1.6, foot}}, col);
  }
}

void Flower(Canvas& c, double x, double foot, double height, int kind) {
  static constexpr std::array<Colour, 4> kPetal{Colour{250, 250, 245}, Colour{255, 214, 64}, Colour{246, 122, 170},
                                                Colour{120, 160, 250}};
  const Colour petal = kPetal[static_cast<size_t>(kind % 4)];
  const double hx = x + 1, hy = foot - height;
  ThickLine(c, x, foot, hx, hy + 2, 1.6, kBankGrassDark.Px());
  FillPolygon(c, {{x, foot - height * 0.4}, {x - 4, foot - height * 0.55}, {x - 1, foot - height * 0.3}},
              kBankGrass.Px());
  const Ramp ramp = MakeRamp(petal);
  ShadedEllipse(c, hx - 2.5, hy, 2.2, 2.2, ramp);
  ShadedEllipse(c, hx + 2.5, hy, 2.2, 2.2, ramp);
  ShadedEllipse(c, hx, hy - 2.5, 2.2, 2.2, ramp);
  ShadedEllipse(c, hx, hy + 2.5, 2.2, 2.2, ramp);
  FillEllipse(c, hx, hy, 1.4, 1.4, kind % 4 == 1 ? Rgb(236, 120, 40) : Rgb(255, 200, 40));
}

void Pebble(Canvas& c, double x, double foot, double size, uint32_t seed) {
  const Colour stone = Mix(Colour{150, 140, 130}, Colour{170, 150, 120}, static_cast<int>(Rand01(seed) * 256));
  Blob(c, {{x, foot - size * 0.5, size, size * 0.6}}, MakeRamp(stone), 1, 2, 0);
}

// The bank as one 640 x 80 picture, with its seam already joined.
Canvas BankPicture() {
  const int margin = 40;
  Layer layer(kBankWidth, kBankHeight, margin);
  Canvas& c = layer.C();
  for (int x = -margin; x < kBankWidth + margin; ++x) {
    const int lip = Lip(x);
    const int top = lip - Blade(x);
    const int soilTop = 62 + static_cast<int>(std::lround(2.5 * LoopNoise(x, kBankWidth, 20, 904)));
    for (int y = top; y < kBankHeight; ++y) {
      const int d = y - lip;
      Colour col = kBankGrass;
      if (d < 2) {
        col = kBankGrassLight;
      } else if (d > 3) {
        // Short strokes of darker grass, denser further down.
        const uint32_t cell =
            Hash(static_cast<uint32_t>(Wrap(x, kBankWidth) / 2), static_cast<uint32_t>((y + Wrap(x, 2) * 2) / 4), 918);
        const bool stroke = Wrap(x, 2) == 0 && cell % 100 < static_cast<uint32_t>(std::min(70, 12 + d * 3));
        col = stroke ? kBankGrassDark : kBankGrass;
        if (d > 16 && !stroke && Bayer(x, y) < (d - 16) / 8.0) col = kBankGrassDark;
      }
      if (y >= soilTop - 1 && y < soilTop + 1) col = kBankDeep;
      if (y >= soilTop + 1) {
        col = Hash(static_cast<uint32_t>(Wrap(x, kBankWidth)), static_cast<uint32_t>(y), 917) % 7 == 0 ? kSoilDark
                                                                                                       : kSoil;
      }
      c.Set(layer.Xi(x), y, col.Px());
    }
  }
  // Things standing on the lip, kept clear of the seam.
  for (int i = 0; i < 14; ++i) {
    const double x = 32 + i * 44 + RandInt(-8, 8, 905, static_cast<uint32_t>(i));
    const int lip = Lip(static_cast<int>(x));
    const uint32_t what = Hash(906, static_cast<uint32_t>(i)) % 10;
    if (what < 5) {
      Tuft(c, layer.X(x), lip + 2, RandInt(4, 7, 907, static_cast<uint32_t>(i)),
           RandInt(9, 20, 908, static_cast<uint32_t>(i)), 909 + static_cast<uint32_t>(i));
    } else if (what < 8) {
      const int n = RandInt(1, 2, 910, static_cast<uint32_t>(i));
      for (int k = 0; k < n; ++k)
        Flower(c, layer.X(x + k * 7), lip + 1, RandInt(9, 15, 911, static_cast<uint32_t>(i), static_cast<uint32_t>(k)),
               static_cast<int>(Hash(912, static_cast<uint32_t>(i)) % 4));
      Tuft(c, layer.X(x + 3), lip + 2, 3, 7, 913 + static_cast<uint32_t>(i));
    } else {
      Pebble(c, layer.X(x), lip + 2, RandInt(3, 6, 914, static_cast<uint32_t>(i)), 915 + static_cast<uint32_t>(i));
      Pebble(c, layer.X(x + 8), lip + 2, 2.5, 916 + static_cast<uint32_t>(i));
    }
  }
  layer.Outline(kOutline.Px());
  Canvas out(kBankWidth, kBankHeight);
  layer.Onto(out, 0, 0);
  return out;
}

}  // namespace

void PaintBank(Canvas& dst, int left, int top, int count, int rows) {
  static const Canvas bank = BankPicture();
  for (int y = 0; y < rows && y < kBankHeight; ++y)
    for (int i = 0; i < count; ++i)
      if (const uint16_t p = bank.Get(i % kBankWidth, y); p != kClear) dst.Set(left + i, top + y, p);
}

}  // namespace gen::scenery
