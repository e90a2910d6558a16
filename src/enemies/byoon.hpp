#pragma once
// The byoon: a winged hopper that rests on the ground facing the steered hero
// and every 71 steps leaps, at one of three heights chosen at random, straight
// up or toward that hero.
#include "enemies/enemy.hpp"

namespace kt {

void ByoonReset(Game& g);
void ByoonPlace(Game& g);
void ByoonStep(Game& g);
void ByoonHitByTavo(Game& g, int slot);
void ByoonHitByKurara(Game& g, int slot);
void ByoonHitByThrow(Game& g, int slot);
void ByoonDraw(Game& g);

}  // namespace kt
