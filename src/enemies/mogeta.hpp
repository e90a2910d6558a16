#pragma once
// The mogeta: a small walker that paces back and forth near the left end of
// the stage, speeding up and slowing down gradually, turning at walls and at
// fixed distances from the edges of the view.
#include "enemies/enemy.hpp"

namespace kt {

// The mogeta's hit tests; the byoon's are the same.
extern const HitNumbers& kMogetaHits;

// Puts slots 1..5 of `table` at the mogeta's start positions for the current
// enemy amount (the byoon starts at the same spots).
void PlaceAtMogetaStarts(const Game& g, EnemyTable& table);

void MogetaReset(Game& g);
void MogetaPlace(Game& g);
void MogetaStep(Game& g);
void MogetaHitByTavo(Game& g, int slot);
void MogetaHitByKurara(Game& g, int slot);
void MogetaHitByThrow(Game& g, int slot);
void MogetaDraw(Game& g);

}  // namespace kt
