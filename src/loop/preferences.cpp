#include "loop/preferences.hpp"

#include <ostream>

#include "frontend/options.hpp"
#include "loop/game.hpp"

namespace kt {

KeptSettings KeptFrom(const Game& g) {
  KeptSettings k;
  const Settings& s = g.settings;
  k.Enemies = AmountChoice(s);
  k.Lives = s.LivesSetting;
  k.SpinReady = s.FullHitGauge != 0;
  k.BurstReady = s.FullHurtGauge != 0;
  const Preferences& p = g.prefs;
  k.FullScreen = p.FullScreen;
  k.WindowScale = p.WindowScale;
  k.MusicVolume = p.MusicVolume;
  k.EffectsVolume = p.EffectsVolume;
  k.Controls = p.Controls;
  return k;
}

void ApplyKept(Game& g, const KeptSettings& k) {
  SetOptionValues(g.settings, k.Enemies, k.Lives, k.SpinReady, k.BurstReady);
  Preferences& p = g.prefs;
  p.FullScreen = k.FullScreen;
  p.WindowScale = k.WindowScale;
  p.MusicVolume = k.MusicVolume;
  p.EffectsVolume = k.EffectsVolume;
  p.Controls = k.Controls;
  p.ControlsChanged = true;
  ApplyVolumes(g);
}

void ApplyVolumes(Game& g) {
  if (!g.audio.mixer) return;
  for (int i = 0; i < kSoundCount; ++i)
    g.audio.mixer->SetVolume(i, IsMusic(static_cast<Sfx>(i)) ? g.prefs.MusicVolume : g.prefs.EffectsVolume);
}

void SaveKept(Game& g, std::ostream& log) {
  g.prefs.SavePending = false;
  if (g.prefs.File.empty()) return;
  const SettingsWritten w = WriteSettingsFile(g.prefs.File, KeptFrom(g));
  for (const std::string& note : w.notes) log << "kurara-tavo: " << note << "\n";
}

}  // namespace kt
