#pragma once
// The byoon enemy kind.
#include "loop/game.hpp"

namespace kt {

void ByoonReset(Game& g);
void ByoonPlace(Game& g);
void ByoonStep(Game& g);
void ByoonDraw(Game& g);

}  // namespace kt
