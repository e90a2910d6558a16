#include "loop/sound.hpp"

namespace kt {

namespace {

bool Requested(Game& g, Sfx s, SoundRequest::Kind kind) {
  if (!g.audio.requests) return false;
  g.audio.requests->push_back({s, kind});
  return true;
}

}  // namespace

void SoundPlay(Game& g, Sfx s) {
  if (Requested(g, s, SoundRequest::Once)) return;
  if (g.audio.mixer && g.audio.mixer->Play(static_cast<int>(s), false)) g.audio.step.once.push_back(s);
}

void SoundLoop(Game& g, Sfx s) {
  if (Requested(g, s, SoundRequest::Looping)) return;
  if (g.audio.mixer && g.audio.mixer->Play(static_cast<int>(s), true)) g.audio.step.looping.push_back(s);
}

void SoundStop(Game& g, Sfx s) {
  if (Requested(g, s, SoundRequest::Stop)) return;
  if (g.audio.mixer && g.audio.mixer->Stop(static_cast<int>(s))) g.audio.step.stopped.push_back(s);
}

void PlayRequest(Game& g, const SoundRequest& r) {
  std::vector<SoundRequest>* const held = g.audio.requests;
  g.audio.requests = nullptr;
  switch (r.kind) {
    case SoundRequest::Once: SoundPlay(g, r.sound); break;
    case SoundRequest::Looping: SoundLoop(g, r.sound); break;
    case SoundRequest::Stop: SoundStop(g, r.sound); break;
  }
  g.audio.requests = held;
}

}  // namespace kt
