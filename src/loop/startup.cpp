#include "loop/startup.hpp"

#include <chrono>

#include "loop/data_dir.hpp"
#include "loop/frame_loop.hpp"
#include "loop/text.hpp"
#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace kt {

namespace {

void LoadSounds(Game& g, Platform& platform, const std::filesystem::path& dir) {
  Mixer& mixer = platform.OpenAudio();
  for (int i = 0; i < kSoundCount; ++i) {
    const auto path = dir / (std::string(kSoundFiles[static_cast<size_t>(i)]) + ".wav");
    mixer.Load(i, LoadWave(path, mixer.Format()));
  }
  g.audio.mixer = &mixer;
}

void LoadBitmaps(Game& g, const std::filesystem::path& dir) {
  for (size_t i = 0; i < kBitmapFiles.size(); ++i) {
    const BitmapFile& f = kBitmapFiles[i];
    const auto path = dir / (std::string(f.name) + ".bmp");
    g.display.sheets[i] = LoadBitmap(path, SheetLimits(f.width, f.height));
  }
}

uint64_t TimeOfDaySeed() {
  return static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

void ResetSettings(Game& g) {
  const bool ready = g.settings.GraphicsReady;
  g.settings = Settings{};
  g.settings.GraphicsReady = ready;
  g.settings.DegToRad = static_cast<float>(3.141592 / 180);
  g.SceneId = scene::TitleSetup;
}

void Startup(Game& g, Platform& platform, const StartupOptions& options, const KeptStart& kept) {
  const std::filesystem::path data = FindDataDir(options.dataDir, ProgramDir());
  LoadSounds(g, platform, data / "sound");
  platform.OpenDisplay();
  LoadBitmaps(g, data / "bmp");
  g.display.font = MeasureFont(g.display.Sheet(Bmp::fontmoji));
  g.settings.GraphicsReady = true;
  LoadStageMap(data / "map", g.StageMap);
  ResetSettings(g);
  if (kept.values) ApplyKept(g, *kept.values);
  g.prefs.File = kept.file;
  g.rng.Seed(options.seed ? *options.seed : TimeOfDaySeed());
  StartClock(g, platform.Ticks());
}

}  // namespace kt
