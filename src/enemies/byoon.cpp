#include "enemies/byoon.hpp"

namespace kt {

void ByoonReset(Game&) {}
void ByoonPlace(Game&) {}
void ByoonStep(Game&) {}
void ByoonDraw(Game&) {}

}  // namespace kt
