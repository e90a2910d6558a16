#include "gen/gen.hpp"

namespace gen {

// Placeholder: every sheet but the world surface gets a framed pattern.
void PaintArt(Sheets& sheets) {
  for (auto& [name, c] : sheets) {
    if (name == "black" || name == "tyukan") continue;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) c.Set(x, y, ((x / 20 + y / 20) & 1) ? Rgb(90, 90, 140) : Rgb(60, 60, 100));
    c.Frame(0, 0, c.w, c.h, Rgb(250, 250, 250));
  }
}

}  // namespace gen
