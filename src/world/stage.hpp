#pragma once
// The stage scenes: stage start (30), walk-in (35), gameplay (40), game over
// (60), and the gameplay step's helpers.
#include "loop/game.hpp"

namespace kt {

void StageStart(Game& g);
void StageWalkIn(Game& g);
void StageTick(Game& g);
void GameOverStep(Game& g);

void PoseResetStep(Game& g);
void HeroSwitchPoll(Game& g);
void InputStep(Game& g);
// The foreground floor strip across the window, scrolled 5/4 as fast as the camera.
void FloorStripDraw(Game& g);
// The strip's two pieces at the current FloorScrollX, whoever set it.
void FloorStripPieces(Game& g);

// One-player mode: Kurara's eight keys take the levels of Tavo's, while she is
// steered; they are cleared while Tavo is.
void KeyRemapForKurara(Game& g);
void KeyRemapForTavo(Game& g);

}  // namespace kt
