#include <cmath>

#include "gen/gen.hpp"
#include "loop/assets.hpp"

namespace gen {

// Placeholder: a short tone of its own pitch for every sound.
std::vector<SoundFile> ComposeSounds() {
  std::vector<SoundFile> out;
  int i = 0;
  for (std::string_view name : kt::kSoundFiles) {
    SoundFile s{std::string(name), 22050, {}};
    const double freq = 220.0 * std::pow(2.0, i++ / 12.0);
    for (int n = 0; n < 22050 / 5; ++n)
      s.samples.push_back(static_cast<int16_t>(4000 * std::sin(2 * M_PI * freq * n / 22050.0)));
    out.push_back(std::move(s));
  }
  return out;
}

}  // namespace gen
