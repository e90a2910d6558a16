#pragma once
// The gek: a small walker that always faces left, throws a ball in an arc,
// walks 30 pixels and throws again; where a wall blocks it, it jumps. Some
// never walk and throw every 3000 ms.
#include "enemies/enemy.hpp"

namespace kt {

extern const HitNumbers kGekHits;

void GekReset(Game& g);
void GekPlace(Game& g);
void GekStep(Game& g);
void GekHitByTavo(Game& g, int slot);
void GekHitByKurara(Game& g, int slot);
void GekHitByThrow(Game& g, int slot);
void GekDraw(Game& g);

}  // namespace kt
