#pragma once
// The backdrop layers, the status panel of both heroes and the combo display,
// drawn every stage step before the enemies and heroes.
#include "loop/game.hpp"

namespace kt {

void StageBackdropDraw(Game& g);
void ComboDraw(Game& g);
void HudDraw(Game& g);

}  // namespace kt
