#pragma once
// Tools shared by the scenery painters: repeatable noise, layers that wrap
// around a loop, shaded blobs (clouds, bushes, tree crowns), banded skies,
// mountain ranges and the foreground ground piece.
#include <cstdint>
#include <utility>
#include <vector>

#include "gen/canvas.hpp"
#include "gen/draw.hpp"
#include "gen/gen.hpp"

namespace gen::scenery {

// ---- repeatable randomness: the same arguments give the same value everywhere ----

uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);
double Rand01(uint32_t a, uint32_t b = 0, uint32_t c = 0);                // [0, 1)
int RandInt(int lo, int hi, uint32_t a, uint32_t b = 0, uint32_t c = 0);  // lo..hi

// Smooth noise in -1..1 repeating every `period` pixels, built from `knots`
// random values per period blended with a cosine.
double LoopNoise(double x, int period, int knots, uint32_t seed);

// 4 x 4 ordered-dither threshold in 0..1.
double Bayer(int x, int y);

// Integer modulo that is never negative.
inline int Wrap(int v, int n) { return ((v % n) + n) % n; }

// ---- colour ----

// A vertical run of colours: flat bands with a short dithered step between
// neighbours, the way a 16-bit sky is shaded by hand.
struct Stop {
  double y;
  Colour c;
};
class Gradient {
 public:
  Gradient(std::vector<Stop> stops, int bands) : stops_(std::move(stops)), bands_(bands) {}
  uint16_t At(int x, int y) const;

 private:
  Colour Smooth(double y) const;
  std::vector<Stop> stops_;
  int bands_;
};

// ---- layers ----

// A layer of a picture, painted with the ordinary drawing tools into its own
// transparent canvas with a margin on both sides (draw at X(x)). For a loop,
// every shape is drawn once per copy of the loop (Repeat) and fills cover the
// margins too, so the margins hold what lies beyond either end and outlines run
// on across the seam; only the middle is copied out.
class Layer {
 public:
  Layer(int width, int height, int margin = 300);
  double X(double x) const { return x + margin_; }
  int Xi(int x) const { return x + margin_; }
  int Margin() const { return margin_; }
  Canvas& C() { return c_; }
  // Dark outline around everything on the layer.
  void Outline(uint16_t colour);
  // The layer's opaque pixels between the margins onto dst at (left, top).
  void Onto(Canvas& dst, int left, int top) const;

 private:
  Canvas c_;
  int width_, margin_;
};

// Calls draw(offset) for the copies of a loop of width w just left of, on and
// just right of the picture.
template <class Draw>
void Repeat(int w, Draw draw) {
  for (int k = -1; k <= 1; ++k) draw(static_cast<double>(k * w));
}

// ---- shapes ----

struct Ell {
  double cx, cy, rx, ry;
};

// The union of the ellipses, lit from the upper left: a light rim `light`
// pixels deep where the shape ends towards the upper left, a shadow `shadow`
// pixels deep towards the lower right. Rows below `cutY` are left out (flat
// cloud bottoms). With `outline` non-zero a 1-pixel outline goes round it.
void Blob(Canvas& c, const std::vector<Ell>& parts, const Ramp& ramp, int light, int shadow, uint16_t outline,
          double cutY = 1e9);

// A fluffy cloud of about w x h with its flat bottom at baseY.
void Cloud(Canvas& c, double cx, double baseY, double w, double h, uint32_t seed, const Ramp& ramp, uint16_t outline);

// A round tree: crown of a few balls over a trunk standing at (x, groundY).
void RoundTree(Canvas& c, double x, double groundY, double size, uint32_t seed, const Ramp& leaves, uint16_t trunk,
               uint16_t outline);
// A fir: stacked triangles.
void Fir(Canvas& c, double x, double groundY, double size, const Ramp& leaves, uint16_t trunk, uint16_t outline);

// A mountain range over the columns of a layer: peaks at the given x (loop
// coordinates), each with its top row and slope; left faces lit, right faces in
// shadow, snow caps of `snow` rows (0 = none). Fills down to `bottom`.
struct Peak {
  double x, top, slope;
};
struct RangeLook {
  Colour light, base, shadow, snowLight, snowShadow;
  uint16_t edge;  // ridge line, 0 = none
};
void Range(Layer& layer, int width, bool loop, const std::vector<Peak>& peaks, double snow, int bottom,
           const RangeLook& look, uint32_t seed);

// ---- the foreground ground piece ----

// The foreground bank in front of everybody's feet, 640 wide and 80 high,
// repeating every 640 columns: a grassy lip at about row kBankTop over solid
// ground, with tufts, flowers and pebbles standing on it; above the lip
// everything else is transparent. Painted with its column 0 at dst x `left`
// for `count` columns (any count: it repeats).
inline constexpr int kBankTop = 40;
inline constexpr int kBankWidth = 640;
inline constexpr int kBankHeight = 80;
void PaintBank(Canvas& dst, int left, int top, int count, int rows = kBankHeight);

}  // namespace gen::scenery
