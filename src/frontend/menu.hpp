#pragma once
// The main menu: set-up (scene 10) and the menu itself (scene 20).
#include "loop/game.hpp"

namespace kt {

void MenuSetup(Game& g);
// The enemy counts of each kind for the current enemy amount.
void SetEnemyCounts(Game& g);
void MenuStep(Game& g);

}  // namespace kt
