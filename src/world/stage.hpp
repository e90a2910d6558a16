#pragma once
// The stage scenes: stage start (30), walk-in (35), gameplay (40), game over (60).
#include "loop/game.hpp"

namespace kt {

void StageStart(Game& g);
void StageWalkIn(Game& g);
void StageTick(Game& g);
void GameOverStep(Game& g);

}  // namespace kt
