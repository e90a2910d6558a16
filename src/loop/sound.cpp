#include "loop/sound.hpp"

namespace kt {

void SoundPlay(Game& g, Sfx s) {
  if (g.audio.mixer && g.audio.mixer->Play(static_cast<int>(s), false)) g.audio.step.once.push_back(s);
}

void SoundLoop(Game& g, Sfx s) {
  if (g.audio.mixer && g.audio.mixer->Play(static_cast<int>(s), true)) g.audio.step.looping.push_back(s);
}

void SoundStop(Game& g, Sfx s) {
  if (g.audio.mixer && g.audio.mixer->Stop(static_cast<int>(s))) g.audio.step.stopped.push_back(s);
}

}  // namespace kt
