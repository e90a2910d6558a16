#pragma once
// The gek enemy kind.
#include "loop/game.hpp"

namespace kt {

void GekReset(Game& g);
void GekPlace(Game& g);
void GekStep(Game& g);
void GekDraw(Game& g);

}  // namespace kt
