#include "enemies/sikaky.hpp"

namespace kt {

void SikakyReset(Game&) {}
void SikakyPlace(Game&) {}
void SikakyStep(Game&) {}
void SikakyDraw(Game&) {}

}  // namespace kt
