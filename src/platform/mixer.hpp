#pragma once
// The sound mixer: one voice per sound file, mixed by summing into 16-bit with
// clamping. Plain code, driven by the audio device's callback or, without a
// device, by the game clock.
//
// Voice rules:
//  - a start while the voice plays leaves it playing where it is (only its
//    looping flag follows the latest start);
//  - a one-shot voice that played to its end is back at the beginning;
//  - stop keeps the position, so a later start continues from there.
#include <cstdint>
#include <mutex>
#include <vector>

namespace kt {

struct AudioFormat {
  int rate = 44100;
  int channels = 2;  // samples are interleaved 16-bit
};

class Mixer {
 public:
  explicit Mixer(AudioFormat format = {}) : format_(format) {}

  const AudioFormat& Format() const { return format_; }

  // Gives voice `id` its samples (in the mixer's format). Voices are numbered
  // from 0; loading a higher number adds the voices below it empty.
  void Load(int id, std::vector<int16_t> samples);

  // Each returns true if it changed whether the voice plays.
  bool Play(int id, bool looping);
  bool Stop(int id);

  // Loudness of voice `id` in percent of its samples (0 to 100).
  void SetVolume(int id, int percent);
  int Volume(int id) const;

  bool Playing(int id) const;
  bool Looping(int id) const;
  size_t Position(int id) const;  // in frames
  size_t Length(int id) const;    // in frames
  int VoiceCount() const;

  // Mixes `frames` frames of every playing voice into `out` (frames x channels
  // samples) and advances the voices. With `out` null it only advances them.
  void Mix(int16_t* out, size_t frames);

 private:
  struct Voice {
    std::vector<int16_t> samples;
    size_t pos = 0;  // frame
    bool playing = false;
    bool looping = false;
    int gain = 256;  // in 256ths
  };

  AudioFormat format_;
  mutable std::mutex mutex_;
  std::vector<Voice> voices_;
  std::vector<int32_t> accum_;
};

}  // namespace kt
