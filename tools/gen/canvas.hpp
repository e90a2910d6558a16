#pragma once
// Pixel canvas of the data generator: 16-bit RGB565, value 0 is transparent.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace gen {

// RGB565 from 8-bit channels. An opaque colour never comes out as 0: anything
// that would quantise to 0 becomes the darkest non-zero grey.
constexpr uint16_t Rgb(int r, int g, int b) {
  auto c = static_cast<uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | ((b & 0xF8) >> 3));
  return c == 0 ? uint16_t{0x0841} : c;  // (8, 8, 8)
}
constexpr uint16_t kClear = 0;

struct Canvas {
  int w = 0, h = 0;
  std::vector<uint16_t> px;

  Canvas() = default;
  Canvas(int width, int height) : w(width), h(height), px(static_cast<size_t>(width) * height, 0) {}

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  uint16_t Get(int x, int y) const { return Inside(x, y) ? px[static_cast<size_t>(y) * w + x] : 0; }
  void Set(int x, int y, uint16_t c) {
    if (Inside(x, y)) px[static_cast<size_t>(y) * w + x] = c;
  }
  // Right and bottom exclusive, clipped to the canvas.
  void Fill(int l, int t, int r, int b, uint16_t c);
  void Frame(int l, int t, int r, int b, uint16_t c);  // 1-pixel border
  // Copies a block of another canvas (transparent pixels included).
  void Paste(const Canvas& src, int sl, int st, int sr, int sb, int dx, int dy);
};

// Writes a 16-bit RGB565 BMP (BI_BITFIELDS, bottom-up).
void WriteBmp(const std::filesystem::path& path, const Canvas& c);

// Writes a mono 16-bit PCM WAV.
void WriteWav(const std::filesystem::path& path, const std::vector<int16_t>& samples, int rate);

}  // namespace gen
