#pragma once
// Start-up: sound, then display and pictures, then the stage map, then the
// settings' start values, the random seed and the angle factor.
#include <cstdint>
#include <filesystem>
#include <optional>

#include "loop/game.hpp"

namespace kt {

class Platform;

struct StartupOptions {
  // The folder holding bmp/, sound/ and map/; when empty, the first of the
  // usual places that holds them (see FindDataDir).
  std::filesystem::path dataDir;
  std::optional<uint64_t> seed;   // default: from the time of day
};

// Throws FatalError naming the file or device that failed.
void Startup(Game& g, Platform& platform, const StartupOptions& options);

// Gives the globals their start values, as on every new run.
void ResetSettings(Game& g);

}  // namespace kt
