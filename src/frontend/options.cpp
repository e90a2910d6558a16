#include "frontend/options.hpp"

namespace kt {

void OptionsStep(Game&) {}

}  // namespace kt
