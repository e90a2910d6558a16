#pragma once
// Start-up: sound, then display and pictures, then the stage map, then the
// settings' start values (and those kept from the last run), the random seed
// and the angle factor.
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

// The settings kept from the last run, and the file they are kept in (an
// empty path keeps nothing). Without them every run starts alike.
struct KeptStart {
  std::optional<KeptSettings> values;
  std::filesystem::path file;
};

// Throws FatalError naming the file or device that failed.
void Startup(Game& g, Platform& platform, const StartupOptions& options, const KeptStart& kept = {});

// Gives the globals their start values, as on every new run.
void ResetSettings(Game& g);

}  // namespace kt
