#include "gen/art_parts.hpp"

namespace gen {

void PaintEnemyArt(Sheets&) {}

}  // namespace gen
