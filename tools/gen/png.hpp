#pragma once
// PNG output for the files a desktop wants rather than the game: the program's
// icons and the screenshots shown in software centres.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "gen/canvas.hpp"

namespace gen {

// 8-bit RGB or RGBA pixels, rows top-down.
struct Image {
  int w = 0, h = 0;
  int channels = 4;  // 3: RGB, 4: RGBA
  std::vector<uint8_t> px;
};

// An RGB565 picture widened to 8 bits a channel (the low bits repeat the high
// ones, so white stays 255). With `keyed`, colour 0 becomes fully transparent
// and everything else opaque (RGBA); without, the image is plain RGB.
Image FromRgb565(int w, int h, const std::vector<uint16_t>& px, bool keyed);
inline Image FromCanvas(const Canvas& c, bool keyed) { return FromRgb565(c.w, c.h, c.px, keyed); }

// Writes the image as a PNG. Throws kt::FatalError naming the file on failure.
void WritePng(const std::filesystem::path& path, const Image& image);

}  // namespace gen
