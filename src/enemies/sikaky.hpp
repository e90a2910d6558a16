#pragma once
// The sikaky: a small hopper that bounces along the ground, turning at walls,
// and after 300 hopping steps stops to fire a slow ball that flies sideways and
// creeps toward Tavo's height.
#include "enemies/enemy.hpp"

namespace kt {

extern const HitNumbers& kSikakyHits;

void SikakyReset(Game& g);
void SikakyPlace(Game& g);
void SikakyStep(Game& g);
void SikakyHitByTavo(Game& g, int slot);
void SikakyHitByKurara(Game& g, int slot);
void SikakyHitByThrow(Game& g, int slot);
void SikakyDraw(Game& g);

}  // namespace kt
