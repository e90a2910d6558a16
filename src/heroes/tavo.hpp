#pragma once
// The second hero.
#include "heroes/hero.hpp"

namespace kt {

extern const HeroTraits kTavoTraits;

void TavoInit(Game& g);
void TavoReset(Game& g);
void TavoPoseReset(Game& g);
void TavoInput(Game& g);
void TavoUpdate(Game& g);
void TavoFall(Game& g);
void TavoCarry(Game& g);
void TavoWalkStep(Game& g);
void TavoDraw(Game& g);

}  // namespace kt
