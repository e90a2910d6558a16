#include "platform/surface.hpp"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kt {

namespace {

// One row: copy the non-zero pixels. Pixel art has long runs of opaque and of
// transparent pixels, so eight pixels at a time are either stored straight
// (all opaque: no read of the destination), skipped (all transparent) or
// blended; the rest goes one by one.
#if defined(__SSE2__)
inline void KeyedRow(const uint16_t* __restrict s, uint16_t* __restrict d, int32_t n) {
  const __m128i zero = _mm_setzero_si128();
  int32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i clear = _mm_cmpeq_epi16(v, zero);
    const int mask = _mm_movemask_epi8(clear);
    if (mask == 0) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), v);
    } else if (mask != 0xFFFF) {
      const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_or_si128(_mm_and_si128(clear, old), _mm_andnot_si128(clear, v)));
    }
  }
  for (; i < n; ++i)
    if (s[i] != 0) d[i] = s[i];
}
#else
inline void KeyedRow(const uint16_t* __restrict s, uint16_t* __restrict d, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    const uint16_t v = s[i];
    d[i] = v != 0 ? v : d[i];
  }
}
#endif

}  // namespace

bool BlitKeyed(const Surface& src, const Rect& r, Surface& dst, int32_t x, int32_t y) {
  // Work in 64 bits so no sum of positions can overflow.
  const int64_t w = int64_t{r.Right} - r.Left;
  const int64_t h = int64_t{r.Bottom} - r.Top;
  if (w <= 0 || h <= 0) return false;
  if (r.Left < 0 || r.Top < 0 || r.Right > src.w || r.Bottom > src.h) return false;
  if (x < 0 || y < 0 || int64_t{x} + w > dst.w || int64_t{y} + h > dst.h) return false;
  if (&src == &dst) {
    // Overlapping self-copies never happen in the game; copy through a buffer to
    // stay correct anyway.
    Surface tmp(static_cast<int32_t>(w), static_cast<int32_t>(h));
    for (int32_t row = 0; row < h; ++row)
      for (int32_t col = 0; col < w; ++col) tmp.At(col, row) = src.At(r.Left + col, r.Top + row);
    return BlitKeyed(tmp, Rect{0, 0, tmp.w, tmp.h}, dst, x, y);
  }
  const auto n = static_cast<int32_t>(w);
  for (int32_t row = 0; row < h; ++row) {
    const uint16_t* s = src.px.data() + static_cast<std::size_t>(r.Top + row) * src.w + r.Left;
    uint16_t* d = dst.px.data() + static_cast<std::size_t>(y + row) * dst.w + x;
    KeyedRow(s, d, n);
  }
  return true;
}

}  // namespace kt
