#pragma once
// What the player keeps between runs besides the options screen's values
// (which live in Settings): window or full screen, the volumes, the controls,
// and where they are kept.
#include <cstdint>
#include <filesystem>
#include <iosfwd>

#include "loop/settings_file.hpp"
#include "platform/bindings.hpp"

namespace kt {

struct Game;

struct Preferences {
  bool FullScreen = true;
  int32_t WindowScale = 0;
  int32_t MusicVolume = 100;
  int32_t EffectsVolume = 100;
  Bindings Controls = DefaultBindings();
  // The settings file; empty: nothing is kept (headless runs and tests,
  // unless a file is named).
  std::filesystem::path File;
  bool SavePending = false;      // something kept has changed: the frame loop writes the file
  bool ControlsChanged = false;  // the platform has not yet heard of the bindings
};

// The values to keep, from the game.
KeptSettings KeptFrom(const Game& g);
// Gives the game the kept values: the options screen's choices (with their
// markers), the preferences and the volumes of the voices.
void ApplyKept(Game& g, const KeptSettings& k);
// Sets every voice's volume from the preferences.
void ApplyVolumes(Game& g);
// Writes the settings file if there is one; notes go to `log`.
void SaveKept(Game& g, std::ostream& log);

}  // namespace kt
