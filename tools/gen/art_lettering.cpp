#include "gen/art_parts.hpp"

namespace gen {

void PaintLettering(Sheets&) {}

}  // namespace gen
