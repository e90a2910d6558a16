#pragma once
// The title: set-up (scene 4) and the opening sequence (scene 6).
#include "loop/game.hpp"

namespace kt {

void TitleStart(Game& g);
void OpeningStep(Game& g);
// The fountain's figures in motion: entries 1..FountainRounds of every table.
void FountainDraw(Game& g);

}  // namespace kt
