#pragma once
// The frame loop: one pass checks Escape, reads the clock, lets the current
// scene take at most one step, polls Enter and F6 every 500 ms, presents the
// world window and delivers key events.
#include "loop/game.hpp"

namespace kt {

class Platform;

// Milliseconds between two steps of a scene: 0 for the one-step scenes that
// run on every pass, 30 for the title sequence, 32 for the others; -1 for a
// number that is no scene.
int32_t ScenePace(int32_t sceneId);

// The schedule mark after a paced step ran at `now`: the mark of the step
// before plus `pace` while steps are late by less than a pace, `now` after a
// longer stall. The next step is due at the mark plus the pace.
int32_t NextStepMark(int32_t now, int32_t lastMark, int32_t pace);

// Starts the pacing and poll clocks from the first tick read, so the first
// steps and key polls come the same way whatever the clock's value.
void StartClock(Game& g, uint32_t tick);

// Runs the current scene's step (at most one). Returns whether a step ran.
bool DispatchScene(Game& g);

// The game's part of one pass, on the clock reading `tick` and the key table
// in `KeyState`: notes the key presses, runs at most one scene step, then the
// 500 ms poll of Enter and F6. Returns whether a step ran. A pass that steps
// the same game with the same tick and keys always comes out the same.
bool FrameStep(Game& g, uint32_t tick);

// One pass of the loop. Returns false when Escape ended the game (nothing
// of that pass runs then) or when the scene it ran asked for the end of the
// game with `QuitRequested` (nothing after that scene's step runs).
bool FramePass(Game& g, Platform& platform);

}  // namespace kt
