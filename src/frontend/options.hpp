#pragma once
// The options screen (scene 8).
#include "loop/game.hpp"

namespace kt {

void OptionsStep(Game& g);

// The screen's values as kept between runs: the enemy amount as 0 (few), 1
// (normal) or 2 (many), the lives 1 to 5, and the two gauges' rows. Setting
// them moves the markers too; a value out of range leaves its row alone.
int32_t AmountChoice(const Settings& s);
void SetOptionValues(Settings& s, int32_t amount, int32_t lives, bool spinReady, bool burstReady);

}  // namespace kt
