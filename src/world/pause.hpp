#pragma once
// The pause menu (scene 65).
#include "loop/game.hpp"

namespace kt {

void PauseStep(Game& g);

}  // namespace kt
