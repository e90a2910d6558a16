// The program's entry: parses the command line, starts the game on the SDL
// backend (or headless, for tests and automation) and runs the frame loop.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "kt_build_info.hpp"
#include "loop/dump.hpp"
#include "loop/frame_loop.hpp"
#include "loop/game.hpp"
#include "loop/settings_file.hpp"
#include "loop/startup.hpp"
#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace {

constexpr const char* kUsage =
    "usage: kurara-tavo [--window] [--mute] [--players 1|2] [--extra-enemies] [--seed N] [--data DIR]\n"
    "                   [--config FILE]\n"
    "       kurara-tavo --version | --help\n"
    "       kurara-tavo --headless [--players 1|2] [--extra-enemies] [--seed N] [--tick-ms N] [--start-tick N]\n"
    "                   [--script FILE] [--max-ms N] [--screenshot FILE.bmp] [--dump-state FILE|-] [--trace FILE]\n"
    "                   [--config FILE]\n";

constexpr const char* kHelp =
    "\n"
    "  --window         play in a window instead of full screen (Alt+Enter switches)\n"
    "  --mute           play without a sound device\n"
    "  --players 1|2    every game started from the menu has one player (who switches heroes\n"
    "                   with Space) or two\n"
    "  --extra-enemies  every game started from the menu has the mogeta and the byoon\n"
    "  --seed N         the random seed (default: the time of day; headless: 0)\n"
    "  --data DIR       the folder holding bmp/, sound/ and map/\n"
    "  --config FILE    keep the settings in FILE instead of the usual settings file\n"
    "  --headless       run without window or sound on a fake clock, from a key script:\n"
    "    --tick-ms N      game time per pass (default 16)\n"
    "    --start-tick N   the clock's first value (default 0)\n"
    "    --script FILE    lines '<ms> [KEY ...]' hold the named keys for that long\n"
    "    --max-ms N       end after this much game time (default without a script: 10000)\n"
    "    --screenshot F   write the last picture as a BMP\n"
    "    --dump-state F   write the game state at the end as JSON ('-': standard output)\n"
    "    --trace F        write one JSON line per scene step\n"
    "  --version, --help\n"
    "\n"
    "In the game F1 shows the controls and lets you change them.\n";

struct Options {
  bool headless = false;
  kt::SdlOptions sdl;
  std::optional<uint64_t> seed;
  std::optional<int32_t> players;
  bool extraEnemies = false;  // the mogeta and the byoon take part
  std::filesystem::path dataDir;
  uint32_t tickMs = 16;
  uint32_t startTick = 0;
  std::string script;
  std::optional<uint32_t> maxMs;
  std::string screenshot, dumpState, trace;
  std::filesystem::path config;  // the settings file; empty: the usual one (none when headless)
};

// Parses a whole decimal number in [0, max] or fails.
bool ParseNumber(const char* text, uint64_t max, uint64_t& out) {
  if (!text || !*text || *text == '-') return false;
  char* end = nullptr;
  const unsigned long long v = std::strtoull(text, &end, 10);
  if (*end != '\0' || v > max) return false;
  out = v;
  return true;
}

std::optional<Options> ParseArgs(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    uint64_t n = 0;
    auto number = [&](uint64_t max) {
      if (!ParseNumber(next, max, n)) return false;
      ++i;
      return true;
    };
    auto text = [&](auto& field) {
      if (!next) return false;
      field = next;
      ++i;
      return true;
    };
    bool ok = true;
    if (a == "--headless") o.headless = true;
    else if (a == "--window") o.sdl.window = true;
    else if (a == "--extra-enemies") o.extraEnemies = true;
    else if (a == "--mute") o.sdl.mute = true;
    else if (a == "--seed") { ok = number(UINT64_MAX); o.seed = n; }
    else if (a == "--players") { ok = number(2) && n >= 1; o.players = static_cast<int32_t>(n); }
    else if (a == "--tick-ms") { ok = number(10'000) && n > 0; o.tickMs = static_cast<uint32_t>(n); }
    else if (a == "--start-tick") { ok = number(UINT32_MAX); o.startTick = static_cast<uint32_t>(n); }
    else if (a == "--max-ms") { ok = number(UINT32_MAX); o.maxMs = static_cast<uint32_t>(n); }
    else if (a == "--data") ok = text(o.dataDir);
    else if (a == "--script") ok = text(o.script);
    else if (a == "--screenshot") ok = text(o.screenshot);
    else if (a == "--dump-state") ok = text(o.dumpState);
    else if (a == "--trace") ok = text(o.trace);
    else if (a == "--config") ok = text(o.config) && !o.config.empty();
    else ok = false;
    if (!ok) {
      std::fprintf(stderr, "kurara-tavo: bad argument '%s'\n%s", a.c_str(), kUsage);
      return std::nullopt;
    }
  }
  return o;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw kt::FatalError(path + ": cannot open the key script");
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteResults(const Options& o, const kt::Game& g) {
  if (!o.screenshot.empty()) kt::SaveBitmap(o.screenshot, g.display.front);
  if (o.dumpState == "-") {
    kt::DumpState(g, std::cout);
  } else if (!o.dumpState.empty()) {
    std::ofstream out(o.dumpState);
    kt::DumpState(g, out);
    if (!out) throw kt::FatalError(o.dumpState + ": cannot write the state dump");
  }
}

// Where the settings are kept, and what they hold now; warnings about the
// file go to standard error.
kt::KeptStart ReadKept(const std::filesystem::path& file) {
  kt::KeptStart k;
  k.file = file;
  if (file.empty()) return k;
  const kt::SettingsRead read = kt::ReadSettingsFile(file);
  for (const std::string& w : read.warnings) std::fprintf(stderr, "kurara-tavo: %s\n", w.c_str());
  k.values = read.values;
  return k;
}

// The usual settings file, or nothing (with a note) if the system has no
// folder for it.
std::filesystem::path UsualSettingsFile() {
  try {
    return kt::UserDataDir() / "settings.toml";
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kurara-tavo: %s; the settings are not kept\n", e.what());
    return {};
  }
}

// Overrides of the menu's choices, for tests and scripts: every game started
// from the menu takes them.
void ApplyOptions(const Options& o, kt::Game& g) {
  if (o.players) g.PlayersOverride = *o.players;
  if (o.extraEnemies) g.ExtraEnemiesOverride = true;
}

int RunHeadless(const Options& o, kt::Game& g) {
  kt::HeadlessOptions h;
  h.startTick = o.startTick;
  h.tickMs = o.tickMs;
  if (!o.script.empty()) h.script = kt::ParseKeyScript(ReadFile(o.script), o.script);
  auto platform = kt::MakeHeadlessPlatform(h);
  std::ofstream trace;
  if (!o.trace.empty()) {
    trace.open(o.trace);
    if (!trace) throw kt::FatalError(o.trace + ": cannot write the trace");
    g.trace = &trace;
  }
  // A headless run reads and writes settings only from a file it is given,
  // so scripts play the same everywhere.
  const kt::KeptStart kept = ReadKept(o.config);
  kt::Startup(g, *platform, {o.dataDir, o.seed ? o.seed : std::optional<uint64_t>(0)}, kept);
  ApplyOptions(o, g);
  platform->Begin(g.KeyState);
  // Without a script and a limit the run lasts ten seconds of game time.
  const uint32_t limit = o.maxMs ? *o.maxMs : (o.script.empty() ? 10'000u : UINT32_MAX);
  while (platform->Elapsed() < limit && (o.script.empty() || platform->Elapsed() < platform->ScriptLength())) {
    if (!kt::FramePass(g, *platform)) break;
  }
  WriteResults(o, g);
  return 0;
}

int RunWindowed(const Options& o, kt::Game& g) {
  const kt::KeptStart kept = ReadKept(o.config.empty() ? UsualSettingsFile() : o.config);
  kt::SdlOptions sdl = o.sdl;
  if (kept.values) {
    sdl.window = sdl.window || !kept.values->FullScreen;
    sdl.windowScale = kept.values->WindowScale;
  }
  try {
    sdl.padMappings = kt::UserDataDir() / "gamecontrollerdb.txt";
  } catch (const std::exception&) {
  }
  auto platform = kt::MakeSdlPlatform(sdl);
  try {
    kt::Startup(g, *platform, {o.dataDir, o.seed}, kept);
    ApplyOptions(o, g);
    while (kt::FramePass(g, *platform)) {
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kurara-tavo: %s\n", e.what());
    platform->ReportFatal(e.what());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && !std::strcmp(argv[1], "--version")) {
    std::printf("kurara-tavo %s\n", KT_VERSION);
    return 0;
  }
  if (argc == 2 && !std::strcmp(argv[1], "--help")) {
    std::fputs(kUsage, stdout);
    std::fputs(kHelp, stdout);
    const std::filesystem::path file = UsualSettingsFile();
    if (!file.empty())
      std::printf("The settings are kept in %s (pad mappings may be added in %s).\n", file.string().c_str(),
                  (file.parent_path() / "gamecontrollerdb.txt").string().c_str());
    return 0;
  }
  const auto options = ParseArgs(argc, argv);
  if (!options) return 2;
  Options o = *options;
  try {
    auto game = kt::NewGame();
    return o.headless ? RunHeadless(o, *game) : RunWindowed(o, *game);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kurara-tavo: %s\n", e.what());
    return 1;
  }
}
