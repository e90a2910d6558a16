#pragma once
// 16-bit RGB565 pictures and the one draw operation of the game: the
// all-or-nothing colour-keyed blit. Pixel value 0 is transparent in every source.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kt {

struct Rect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;  // Right and Bottom exclusive
};

struct Surface {
  int32_t w = 0, h = 0;
  std::vector<uint16_t> px;  // row-major, w * h

  Surface() = default;
  Surface(int32_t width, int32_t height) : w(width), h(height), px(static_cast<std::size_t>(width) * height, 0) {}

  uint16_t At(int32_t x, int32_t y) const { return px[static_cast<std::size_t>(y) * w + x]; }
  uint16_t& At(int32_t x, int32_t y) { return px[static_cast<std::size_t>(y) * w + x]; }
};

// Copies rectangle `r` of `src` to (`x`, `y`) of `dst`, skipping source pixels
// equal to 0. The blit is done whole or not at all: an empty or inverted
// rectangle, or one reaching outside the source or the destination, draws
// nothing. Returns whether it drew.
bool BlitKeyed(const Surface& src, const Rect& r, Surface& dst, int32_t x, int32_t y);

// Widens `n` RGB565 pixels to 32-bit 0xFFRRGGBB, each channel's top bits
// repeated into its new low bits (so 0xFFFF is white, 0xFFFFFFFF).
void WidenRow(const uint16_t* s, uint32_t* d, int32_t n);

}  // namespace kt
