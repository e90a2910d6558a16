#pragma once
// The patatta enemy kind.
#include "loop/game.hpp"

namespace kt {

void PatattaReset(Game& g);
void PatattaPlace(Game& g);
void PatattaStep(Game& g);
void PatattaDraw(Game& g);

}  // namespace kt
