#include "platform/mixer.hpp"

#include <algorithm>

namespace kt {

void Mixer::Load(int id, std::vector<int16_t> samples) {
  std::lock_guard lock(mutex_);
  if (id >= static_cast<int>(voices_.size())) voices_.resize(static_cast<size_t>(id) + 1);
  Voice& v = voices_[static_cast<size_t>(id)];
  const int gain = v.gain;
  v = Voice{};
  v.gain = gain;
  v.samples = std::move(samples);
  v.samples.resize(v.samples.size() - v.samples.size() % static_cast<size_t>(format_.channels));
}

bool Mixer::Play(int id, bool looping) {
  std::lock_guard lock(mutex_);
  if (id < 0 || id >= static_cast<int>(voices_.size())) return false;
  Voice& v = voices_[static_cast<size_t>(id)];
  v.looping = looping;
  if (v.playing || v.samples.empty()) return false;
  v.playing = true;
  return true;
}

bool Mixer::Stop(int id) {
  std::lock_guard lock(mutex_);
  if (id < 0 || id >= static_cast<int>(voices_.size())) return false;
  Voice& v = voices_[static_cast<size_t>(id)];
  const bool was = v.playing;
  v.playing = false;
  return was;
}

void Mixer::SetVolume(int id, int percent) {
  std::lock_guard lock(mutex_);
  if (id < 0) return;
  if (id >= static_cast<int>(voices_.size())) voices_.resize(static_cast<size_t>(id) + 1);
  voices_[static_cast<size_t>(id)].gain = std::clamp(percent, 0, 100) * 256 / 100;
}

int Mixer::Volume(int id) const {
  std::lock_guard lock(mutex_);
  return id >= 0 && id < static_cast<int>(voices_.size()) ? (voices_[static_cast<size_t>(id)].gain * 100 + 128) / 256
                                                          : 100;
}

bool Mixer::Playing(int id) const {
  std::lock_guard lock(mutex_);
  return id >= 0 && id < static_cast<int>(voices_.size()) && voices_[static_cast<size_t>(id)].playing;
}

bool Mixer::Looping(int id) const {
  std::lock_guard lock(mutex_);
  return id >= 0 && id < static_cast<int>(voices_.size()) && voices_[static_cast<size_t>(id)].looping;
}

size_t Mixer::Position(int id) const {
  std::lock_guard lock(mutex_);
  return id >= 0 && id < static_cast<int>(voices_.size()) ? voices_[static_cast<size_t>(id)].pos : 0;
}

size_t Mixer::Length(int id) const {
  std::lock_guard lock(mutex_);
  return id >= 0 && id < static_cast<int>(voices_.size())
             ? voices_[static_cast<size_t>(id)].samples.size() / static_cast<size_t>(format_.channels)
             : 0;
}

int Mixer::VoiceCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(voices_.size());
}

void Mixer::Mix(int16_t* out, size_t frames) {
  std::lock_guard lock(mutex_);
  const auto ch = static_cast<size_t>(format_.channels);
  if (out) accum_.assign(frames * ch, 0);
  for (Voice& v : voices_) {
    if (!v.playing) continue;
    const size_t length = v.samples.size() / ch;
    size_t done = 0;
    while (done < frames && v.playing) {
      const size_t n = std::min(frames - done, length - v.pos);
      if (out) {
        const int16_t* s = v.samples.data() + v.pos * ch;
        int32_t* a = accum_.data() + done * ch;
        if (v.gain == 256) {
          for (size_t i = 0; i < n * ch; ++i) a[i] += s[i];
        } else {
          for (size_t i = 0; i < n * ch; ++i) a[i] += s[i] * v.gain / 256;
        }
      }
      v.pos += n;
      done += n;
      if (v.pos == length) {
        v.pos = 0;
        if (!v.looping) v.playing = false;
      }
    }
  }
  if (out)
    for (size_t i = 0; i < frames * ch; ++i) out[i] = static_cast<int16_t>(std::clamp(accum_[i], -32768, 32767));
}

}  // namespace kt
