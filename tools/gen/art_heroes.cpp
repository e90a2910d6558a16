#include "gen/art_parts.hpp"

namespace gen {

void PaintHeroArt(Sheets&) {}

}  // namespace gen
