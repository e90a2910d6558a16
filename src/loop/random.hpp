#pragma once
// The game's random source and its rounding rule.
#include <cmath>
#include <cstdint>
#include <limits>

namespace kt {

// Uniform numbers in [0, 1) from a seeded 64-bit generator (splitmix64), so the
// same seed gives the same game on every machine.
class Random {
 public:
  explicit Random(uint64_t seed = 0) { Seed(seed); }
  void Seed(uint64_t seed) { state_ = seed; }
  double Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
  }
  uint64_t State() const { return state_; }

 private:
  uint64_t state_ = 0;
};

// Floating point to integer: nearest, ties to even (2.5 -> 2, 3.5 -> 4),
// saturating at the ends of the 32-bit range.
inline int32_t Round(double v) {
  const double r = std::nearbyint(v);  // the default rounding mode is to nearest, ties to even
  if (!(r > static_cast<double>(std::numeric_limits<int32_t>::min())))
    return std::numeric_limits<int32_t>::min();
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(r);
}

}  // namespace kt
