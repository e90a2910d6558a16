#pragma once
// Playing the game's sounds: one voice per sound file.
#include "loop/game.hpp"

namespace kt {

void SoundPlay(Game& g, Sfx s);  // play once
void SoundLoop(Game& g, Sfx s);  // play looping
void SoundStop(Game& g, Sfx s);

// Sends a recorded sound call to the mixer.
void PlayRequest(Game& g, const SoundRequest& r);

}  // namespace kt
