#include "enemies/gek.hpp"

namespace kt {

void GekReset(Game&) {}
void GekPlace(Game&) {}
void GekStep(Game&) {}
void GekDraw(Game&) {}

}  // namespace kt
