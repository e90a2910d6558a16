#include "enemies/kurosuke.hpp"

namespace kt {

void KurosukeReset(Game&) {}
void KurosukePlace(Game&) {}
void KurosukeStep(Game&) {}
void KurosukeDraw(Game&) {}

}  // namespace kt
