#pragma once
// The first hero.
#include "heroes/hero.hpp"

namespace kt {

extern const HeroTraits kKuraraTraits;

void KuraraInit(Game& g);
void KuraraReset(Game& g);
void KuraraPoseReset(Game& g);
void KuraraInput(Game& g);
void KuraraUpdate(Game& g);
void KuraraFall(Game& g);
void KuraraCarry(Game& g);
void KuraraWalkStep(Game& g);
void KuraraDraw(Game& g);

}  // namespace kt
