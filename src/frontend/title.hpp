#pragma once
// The title: set-up (scene 4) and the opening sequence (scene 6).
#include "loop/game.hpp"

namespace kt {

void TitleStart(Game& g);
void OpeningStep(Game& g);

}  // namespace kt
