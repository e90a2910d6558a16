#include "gen/art_heroes_paint.hpp"
#include "gen/art_parts.hpp"

namespace gen {

void PaintHeroArt(Sheets& sheets) {
  Canvas& chars = sheets.at("char256");
  heroes::PaintHeroBodies(chars);
  heroes::PaintHeroPieces(chars);
  heroes::PaintHeroHud(sheets.at("geji256"));
}

}  // namespace gen
