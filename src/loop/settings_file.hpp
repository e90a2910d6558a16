#pragma once
// The settings a player keeps between runs, in a TOML file a person can edit:
// the options screen's values, window or full screen, the volumes and every
// binding of the keyboard and the pads.
//
// Reading never fails: a missing file gives the defaults; an entry that is
// not understood (broken syntax, a value out of range, an unknown key name)
// gives one warning naming the file and line and keeps its default, and the
// other entries still count. Writing keeps the entries it does not know,
// first copies a file that gave warnings aside (so a hand edit that went
// wrong is never lost), and replaces the file in one step (a temporary file,
// then a rename), so a crash never leaves half a file.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/bindings.hpp"

namespace kt {

struct KeptSettings {
  int32_t Enemies = 1;  // 0 few, 1 normal, 2 many
  int32_t Lives = 2;    // 1 to 5
  bool SpinReady = false;   // the spin gauge is always full (FullHitGauge)
  bool BurstReady = false;  // the burst gauge is always full (FullHurtGauge)
  bool FullScreen = true;
  int32_t WindowScale = 0;  // 0: the largest whole scale that fits the desktop
  int32_t MusicVolume = 100;    // percent
  int32_t EffectsVolume = 100;  // percent
  Bindings Controls = DefaultBindings();

  bool operator==(const KeptSettings&) const = default;
};

inline constexpr int32_t kMaxWindowScale = 16;

struct SettingsRead {
  KeptSettings values;
  std::vector<std::string> warnings;  // "FILE:LINE: what; what is used instead"
  bool found = false;                 // the file exists
};
SettingsRead ReadSettingsFile(const std::filesystem::path& file);

struct SettingsWritten {
  bool ok = false;
  std::vector<std::string> notes;  // the copy kept aside, or why nothing was written
};
SettingsWritten WriteSettingsFile(const std::filesystem::path& file, const KeptSettings& values);

// The name a copy of a file that gave warnings is kept under: FILE.broken,
// else FILE.broken-2, -3 ... (the first that is free).
std::filesystem::path BrokenCopyName(const std::filesystem::path& file);

}  // namespace kt
