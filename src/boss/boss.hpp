#pragma once
// The winged boss.
#include "loop/game.hpp"

namespace kt {

void BossReset(Game& g);

}  // namespace kt
