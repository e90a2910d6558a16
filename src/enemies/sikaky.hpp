#pragma once
// The sikaky enemy kind.
#include "loop/game.hpp"

namespace kt {

void SikakyReset(Game& g);
void SikakyPlace(Game& g);
void SikakyStep(Game& g);
void SikakyDraw(Game& g);

}  // namespace kt
