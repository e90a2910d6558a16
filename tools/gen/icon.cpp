#include "gen/icon.hpp"

#include "gen/art_heroes_faces.hpp"
#include "gen/draw.hpp"

namespace gen {

namespace {

using heroes::Mood;
using heroes::Who;

// Copies the opaque pixels of `from` onto `to`.
void Over(Canvas& to, const Canvas& from) {
  for (int y = 0; y < from.h; ++y)
    for (int x = 0; x < from.w; ++x)
      if (const uint16_t v = from.Get(x, y)) to.Set(x, y, v);
}

// The tile: a rounded square of sky fading towards the horizon, a strip of
// grass along the bottom, ringed by the outline.
void PaintTile(Canvas& c) {
  const double n = c.w, margin = n / 32, radius = n / 6;
  heroes::Shape tile(c.w, c.h);
  tile.RoundRect(margin, margin, n - margin, n - margin, radius);
  const double grassTop = n * 0.78;
  for (int y = 0; y < c.h; ++y) {
    const int t = static_cast<int>(256 * y / n);
    const uint16_t sky = Mix({70, 140, 230}, {190, 226, 255}, t).Px();
    const uint16_t grass = y < grassTop + n / 40 ? Rgb(150, 220, 90) : Rgb(80, 170, 60);
    for (int x = 0; x < c.w; ++x)
      if (tile.Has(x, y)) c.Set(x, y, y < grassTop ? sky : grass);
  }
  Outline(c, 0, 0, c.w, c.h);
}

constexpr int kPaintedMax = 128;

// Every pixel as a `factor` x `factor` block.
Canvas Enlarge(const Canvas& c, int factor) {
  Canvas out(c.w * factor, c.h * factor);
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x) out.Set(x, y, c.Get(x / factor, y / factor));
  return out;
}

}  // namespace

Canvas PaintIcon(int size) {
  // The heads' one-pixel outlines and features get thin above 128 pixels:
  // the larger icons are the 128-pixel one with bigger pixels, like the game.
  if (size > kPaintedMax && size % kPaintedMax == 0) return Enlarge(PaintIcon(kPaintedMax), size / kPaintedMax);
  Canvas icon(size, size);
  PaintTile(icon);
  // Both face right, the way the stage runs: Tavo behind, up to the right,
  // Kurara in front. At scale 1 a head with its ponytail or cap's bill is
  // about 50 pixels wide. Each head is painted on a canvas of its own, as in
  // the sheets: its cheeks and mouth find the face's edge by the transparent
  // pixels around it.
  const double s = size / 88.0;
  Canvas tavo(size, size);
  heroes::PaintHead(tavo, Who::kTavo, size * 0.60, size * 0.36, Mood::kHappy, s);
  Over(icon, tavo);
  Canvas kurara(size, size);
  heroes::PaintHead(kurara, Who::kKurara, size * 0.44, size * 0.62, Mood::kHappy, s);
  Over(icon, kurara);
  return icon;
}

}  // namespace gen
