#pragma once
// The runner's state dump: one JSON object of the game state, with the
// game's own names.
#include <iosfwd>

#include "loop/game.hpp"

namespace kt {

void DumpState(const Game& g, std::ostream& out);

}  // namespace kt
