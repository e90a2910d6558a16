#include "world/pause.hpp"

namespace kt {

void PauseStep(Game&) {}

}  // namespace kt
