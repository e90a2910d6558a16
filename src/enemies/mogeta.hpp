#pragma once
// The mogeta enemy kind.
#include "loop/game.hpp"

namespace kt {

void MogetaReset(Game& g);
void MogetaPlace(Game& g);
void MogetaStep(Game& g);
void MogetaDraw(Game& g);

}  // namespace kt
