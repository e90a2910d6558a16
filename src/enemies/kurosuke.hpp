#pragma once
// The kurosuke: a 60 x 60 walker on two small feet that paces left and right
// along the ground, turning at walls. Its body knocks heroes back; punches
// knock it into a short flight, and after three hits it falls out of the
// picture when it lands.
#include "enemies/enemy.hpp"

namespace kt {

extern const HitNumbers kKurosukeHits;

void KurosukeReset(Game& g);
void KurosukePlace(Game& g);
void KurosukeStep(Game& g);
void KurosukeHitByTavo(Game& g, int slot);
void KurosukeHitByKurara(Game& g, int slot);
void KurosukeHitByThrow(Game& g, int slot);
void KurosukeDraw(Game& g);

}  // namespace kt
