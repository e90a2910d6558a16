#include "enemies/mogeta.hpp"

namespace kt {

void MogetaReset(Game&) {}
void MogetaPlace(Game&) {}
void MogetaStep(Game&) {}
void MogetaDraw(Game&) {}

}  // namespace kt
