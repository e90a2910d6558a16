// The picture reader on the bytes of a whole file, for a sheet of 1 x 1 to
// 64 x 64 pixels: our header check, then SDL's reader and the conversion. A
// picture it returns has a size within the limits and all its pixels.
#include <cstdint>
#include <string>

#include "check.hpp"
#include "platform/fatal.hpp"
#include "platform/platform.hpp"

using namespace kt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string name = "bmp/fuzz.bmp";
  const PictureLimits limits{1, 1, 64, 64};
  try {
    const Surface s = DecodeBitmap({data, size}, name, limits);
    fuzz::Require(s.w >= limits.minWidth && s.w <= limits.maxWidth && s.h >= limits.minHeight &&
                      s.h <= limits.maxHeight,
                  "a picture outside the limits was returned");
    fuzz::Require(s.px.size() == static_cast<size_t>(s.w) * static_cast<size_t>(s.h), "the picture lacks pixels");
    fuzz::Show(name + ": loads, " + std::to_string(s.w) + " x " + std::to_string(s.h));
  } catch (const FatalError& e) {
    fuzz::CheckMessage(e.what(), name);
    fuzz::Show(e.what());
  }
  return 0;
}
