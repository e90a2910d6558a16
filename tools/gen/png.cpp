#include "gen/png.hpp"

#include <png.h>

#include <string>

#include "platform/fatal.hpp"

namespace gen {

Image FromRgb565(int w, int h, const std::vector<uint16_t>& px, bool keyed) {
  Image out{w, h, keyed ? 4 : 3, {}};
  out.px.reserve(px.size() * static_cast<size_t>(out.channels));
  for (uint16_t v : px) {
    const int r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
    out.px.push_back(static_cast<uint8_t>((r << 3) | (r >> 2)));
    out.px.push_back(static_cast<uint8_t>((g << 2) | (g >> 4)));
    out.px.push_back(static_cast<uint8_t>((b << 3) | (b >> 2)));
    if (keyed) out.px.push_back(v == 0 ? 0 : 255);
  }
  return out;
}

void WritePng(const std::filesystem::path& path, const Image& image) {
  if (image.w <= 0 || image.h <= 0 || (image.channels != 3 && image.channels != 4) ||
      image.px.size() != static_cast<size_t>(image.w) * image.h * image.channels)
    throw kt::FatalError(path.string() + ": the picture's size and its pixels disagree");
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.w);
  png.height = static_cast<png_uint_32>(image.h);
  png.format = image.channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&png, path.string().c_str(), 0, image.px.data(), 0, nullptr)) {
    const std::string why = png.message;
    png_image_free(&png);
    throw kt::FatalError(path.string() + ": cannot write the PNG (" + why + ")");
  }
}

}  // namespace gen
