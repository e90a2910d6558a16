#pragma once
// The boss stage (scene 45): the run-up to the end of the stage, the arena
// set-up, and the fight.
#include "loop/game.hpp"

namespace kt {

// One step of scene 45: the current phase's update, then the drawing.
void BossStageStep(Game& g);
// The boss stage's backdrop frame and arena front; the ending draws it too.
void BossBackdropDraw(Game& g);
// Writes the arena into the stage map: an empty room with a floor at the
// world's far end and, while the arena is being set up, two ledges. The cells
// stay as written for the rest of the run.
void ArenaTable(Game& g);

}  // namespace kt
