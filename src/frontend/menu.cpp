#include "frontend/menu.hpp"

namespace kt {

void MenuSetup(Game&) {}
void MenuStep(Game&) {}

}  // namespace kt
