#pragma once
// The kurosuke enemy kind.
#include "loop/game.hpp"

namespace kt {

void KurosukeReset(Game& g);
void KurosukePlace(Game& g);
void KurosukeStep(Game& g);
void KurosukeDraw(Game& g);

}  // namespace kt
