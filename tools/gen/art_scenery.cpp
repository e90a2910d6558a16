#include "gen/art_parts.hpp"

namespace gen {

void PaintSceneryArt(Sheets&) {}

}  // namespace gen
