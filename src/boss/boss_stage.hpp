#pragma once
// The boss stage (scene 45): run-up, arena and fight.
#include "loop/game.hpp"

namespace kt {

void BossStageStep(Game& g);

}  // namespace kt
