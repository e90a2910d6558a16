#pragma once
// The options screen (scene 8).
#include "loop/game.hpp"

namespace kt {

void OptionsStep(Game& g);

}  // namespace kt
