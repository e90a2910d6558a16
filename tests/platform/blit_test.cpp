#include <gtest/gtest.h>

#include "platform/blit_rows.hpp"
#include "platform/surface.hpp"

namespace kt {
namespace {

Surface Pattern(int32_t w, int32_t h) {
  Surface s(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) s.At(x, y) = static_cast<uint16_t>(1 + x + 100 * y);
  return s;
}

TEST(Blit, CopiesTheRectangleToThePosition) {
  const Surface src = Pattern(10, 8);
  Surface dst(20, 20);
  ASSERT_TRUE(BlitKeyed(src, Rect{2, 3, 6, 7}, dst, 5, 1));
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 20; ++x) {
      const bool inside = x >= 5 && x < 9 && y >= 1 && y < 5;
      EXPECT_EQ(dst.At(x, y), inside ? src.At(x - 5 + 2, y - 1 + 3) : 0) << x << "," << y;
    }
}

TEST(Blit, ColourZeroIsTransparent) {
  Surface src = Pattern(4, 1);
  src.At(1, 0) = 0;
  Surface dst(4, 1);
  dst.px = {7, 7, 7, 7};
  ASSERT_TRUE(BlitKeyed(src, Rect{0, 0, 4, 1}, dst, 0, 0));
  EXPECT_EQ(dst.px, (std::vector<uint16_t>{1, 7, 3, 4}));
}

TEST(Blit, AllOrNothing) {
  const Surface src = Pattern(10, 10);
  Surface dst(10, 10);
  const struct {
    Rect r;
    int32_t x, y;
  } refused[] = {
      {{5, 0, 4, 5}, 0, 0},    // inverted horizontally
      {{0, 5, 5, 4}, 0, 0},    // inverted vertically
      {{3, 3, 3, 8}, 0, 0},    // empty
      {{-1, 0, 4, 4}, 0, 0},   // left of the source
      {{0, -1, 4, 4}, 0, 0},   // above the source
      {{6, 0, 11, 4}, 0, 0},   // past the source's right edge
      {{0, 6, 4, 11}, 0, 0},   // past its bottom
      {{0, 0, 4, 4}, -1, 0},   // left of the destination
      {{0, 0, 4, 4}, 0, -1},   // above it
      {{0, 0, 4, 4}, 7, 0},    // one column past its right edge
      {{0, 0, 4, 4}, 0, 7},    // one row past its bottom
      {{0, 0, 4, 4}, 2147483647, 0},  // no overflow on huge positions
      {{-2147483647, 0, 2147483647, 4}, 0, 0},
  };
  for (const auto& c : refused) {
    EXPECT_FALSE(BlitKeyed(src, c.r, dst, c.x, c.y)) << c.r.Left << " " << c.r.Top << " " << c.x << " " << c.y;
    for (uint16_t p : dst.px) ASSERT_EQ(p, 0);
  }
  // Exactly touching the far edges is fine.
  EXPECT_TRUE(BlitKeyed(src, Rect{6, 6, 10, 10}, dst, 6, 6));
  EXPECT_EQ(dst.At(9, 9), src.At(9, 9));
}

TEST(Blit, EveryRowCopyMatchesAPlainLoop) {
  // Runs of every length at every offset, against each variant this machine can run.
  std::vector<uint16_t> src(300);
  for (size_t i = 0; i < src.size(); ++i) src[i] = (i / 3 + i / 17) % 4 == 0 ? 0 : static_cast<uint16_t>(i * 7 + 1);
  for (const KeyedRowVariant& v : KeyedRowVariants()) {
    for (int32_t offset : {0, 1, 5, 13}) {
      for (int32_t n = 0; n < 120; ++n) {
        std::vector<uint16_t> dst(300, 0xEEEE), want(300, 0xEEEE);
        for (int32_t i = 0; i < n; ++i)
          if (src[static_cast<size_t>(offset + i)] != 0) want[static_cast<size_t>(i + 2)] = src[static_cast<size_t>(offset + i)];
        v.copy(src.data() + offset, dst.data() + 2, n);
        ASSERT_EQ(dst, want) << v.name << " offset " << offset << " length " << n;
      }
    }
  }
}

TEST(Blit, WideRowsMatchAPlainLoop) {
  // The row copy is vectorised: check odd widths and offsets against a plain loop.
  Surface src(703, 3);
  for (size_t i = 0; i < src.px.size(); ++i) src.px[i] = (i * 7919) % 5 == 0 ? 0 : static_cast<uint16_t>(i * 31);
  for (int32_t w : {1, 7, 8, 15, 16, 17, 640, 701}) {
    Surface dst(710, 3), want(710, 3);
    for (size_t i = 0; i < dst.px.size(); ++i) dst.px[i] = want.px[i] = static_cast<uint16_t>(i | 1);
    ASSERT_TRUE(BlitKeyed(src, Rect{1, 0, 1 + w, 3}, dst, 3, 0));
    for (int32_t y = 0; y < 3; ++y)
      for (int32_t x = 0; x < w; ++x)
        if (src.At(1 + x, y) != 0) want.At(3 + x, y) = src.At(1 + x, y);
    EXPECT_EQ(dst.px, want.px) << "width " << w;
  }
}

}  // namespace
}  // namespace kt
