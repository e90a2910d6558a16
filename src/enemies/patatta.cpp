#include "enemies/patatta.hpp"

namespace kt {

void PatattaReset(Game&) {}
void PatattaPlace(Game&) {}
void PatattaStep(Game&) {}
void PatattaDraw(Game&) {}

}  // namespace kt
