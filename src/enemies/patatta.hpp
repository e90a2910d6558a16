#pragma once
// The patatta: a flyer with two beating wings. It cruises at a fixed height,
// patrols between the two heroes, swoops on a hero passing below and climbs
// back. One hit finishes it; it takes no part in the combo.
#include "enemies/enemy.hpp"

namespace kt {

extern const HitNumbers kPatattaHits;

void PatattaReset(Game& g);
void PatattaPlace(Game& g);
void PatattaStep(Game& g);
void PatattaHitByTavo(Game& g, int slot);
void PatattaHitByKurara(Game& g, int slot);
void PatattaHitByThrow(Game& g, int slot);
void PatattaDraw(Game& g);

}  // namespace kt
