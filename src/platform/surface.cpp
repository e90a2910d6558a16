#include "platform/surface.hpp"

#include "platform/blit_rows.hpp"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace kt {

namespace {

// One row: copy the non-zero pixels. Pixel art has long runs of opaque and of
// transparent pixels, so a block of pixels is either stored straight (all
// opaque: no read of the destination), skipped (all transparent) or blended;
// the tail goes one by one.
void KeyedRowPlain(const uint16_t* __restrict s, uint16_t* __restrict d, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    const uint16_t v = s[i];
    d[i] = v != 0 ? v : d[i];
  }
}

#if defined(__SSE2__)
void KeyedRowSse2(const uint16_t* __restrict s, uint16_t* __restrict d, int32_t n) {
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
  KeyedRowPlain(s + i, d + i, n - i);
}
#endif

#if defined(__x86_64__) || defined(__i386__)
#define KT_HAVE_AVX2_ROW 1
// 16 pixels in one register, two registers a round: a round of 32 opaque
// pixels is two plain stores.
__attribute__((target("avx2"))) void KeyedRow16(uint16_t* d, __m256i v, __m256i clear) {
  if (_mm256_testz_si256(clear, clear)) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), v);
  } else if (!_mm256_testc_si256(clear, _mm256_set1_epi16(-1))) {
    const __m256i old = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), _mm256_blendv_epi8(v, old, clear));
  }
}

__attribute__((target("avx2"))) void KeyedRowAvx2(const uint16_t* __restrict s, uint16_t* __restrict d, int32_t n) {
  const __m256i zero = _mm256_setzero_si256();
  int32_t i = 0;
  for (; i + 32 <= n; i += 32) {
    const __m256i v0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    const __m256i v1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + 16));
    const __m256i c0 = _mm256_cmpeq_epi16(v0, zero);
    const __m256i c1 = _mm256_cmpeq_epi16(v1, zero);
    const __m256i any = _mm256_or_si256(c0, c1);
    if (_mm256_testz_si256(any, any)) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), v0);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i + 16), v1);
      continue;
    }
    KeyedRow16(d + i, v0, c0);
    KeyedRow16(d + i + 16, v1, c1);
  }
  for (; i + 16 <= n; i += 16) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    KeyedRow16(d + i, v, _mm256_cmpeq_epi16(v, zero));
  }
  KeyedRowPlain(s + i, d + i, n - i);
}
#endif

KeyedRowCopy PickKeyedRow() { return KeyedRowVariants().front().copy; }

}  // namespace

std::vector<KeyedRowVariant> KeyedRowVariants() {
  std::vector<KeyedRowVariant> v;
#if defined(KT_HAVE_AVX2_ROW)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) v.push_back({"avx2", KeyedRowAvx2});
#endif
#if defined(__SSE2__)
  v.push_back({"sse2", KeyedRowSse2});
#endif
  v.push_back({"plain", KeyedRowPlain});
  return v;
}

namespace {

// Plain arithmetic the compiler turns into vector code; built for AVX2 too
// where the processor has it.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void WidenPixels(const uint16_t* __restrict s, uint32_t* __restrict d, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    const uint32_t p = s[i];
    const uint32_t r = p >> 11, g = (p >> 5) & 63, b = p & 31;
    d[i] = 0xFF000000u | (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
  }
}

}  // namespace

void WidenRow(const uint16_t* s, uint32_t* d, int32_t n) { WidenPixels(s, d, n); }

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
  static const KeyedRowCopy copyRow = PickKeyedRow();
  const auto n = static_cast<int32_t>(w);
  for (int32_t row = 0; row < h; ++row) {
    const uint16_t* s = src.px.data() + static_cast<std::size_t>(r.Top + row) * src.w + r.Left;
    uint16_t* d = dst.px.data() + static_cast<std::size_t>(y + row) * dst.w + x;
    copyRow(s, d, n);
  }
  return true;
}

}  // namespace kt
