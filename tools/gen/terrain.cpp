#include "gen/gen.hpp"

namespace gen {

// Placeholder: solid cells as plain blocks.
void PaintTerrain(Canvas& tyukan, const kt::StageMapData& map) {
  for (int c = 0; c < kt::kMapSize; ++c)
    for (int r = 0; r < kt::kMapFileRows; ++r)
      if (map.Solid(c, r)) tyukan.Fill(20 * c, 20 * r - 30, 20 * c + 20, 20 * r - 10, Rgb(120, 90, 50));
}

}  // namespace gen
