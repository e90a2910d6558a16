#pragma once
// The runner's trace: one JSON line per scene step.
#include <iosfwd>

#include "loop/game.hpp"

namespace kt {

void WriteTraceLine(const Game& g, int32_t sceneRan, std::ostream& out);

}  // namespace kt
