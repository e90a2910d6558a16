#pragma once
// The ending and staff roll (scene 50).
#include "loop/game.hpp"

namespace kt {

void EndingStep(Game& g);

}  // namespace kt
