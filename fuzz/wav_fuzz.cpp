// The sound reader on the bytes of a whole file: our header check, then SDL's
// reader and the conversion to the mixer's format. A sound it returns holds
// whole frames and lasts no longer than a minute.
#include <cstdint>
#include <string>

#include "check.hpp"
#include "platform/fatal.hpp"
#include "platform/platform.hpp"

using namespace kt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string name = "sound/fuzz.wav";
  const AudioFormat format{44100, 2};
  try {
    const auto samples = DecodeWave({data, size}, name, format);
    const size_t frames = samples.size() / 2;
    fuzz::Require(frames > 0, "an empty sound was returned");
    // A minute at the mixer's rate, and a little for the resampler's rounding.
    fuzz::Require(frames <= size_t{kMaxSoundSeconds} * 44100 + 64, "a sound longer than a minute was returned");
    fuzz::Show(name + ": loads, " + std::to_string(frames) + " frames");
  } catch (const FatalError& e) {
    fuzz::CheckMessage(e.what(), name);
    fuzz::Show(e.what());
  }
  return 0;
}
