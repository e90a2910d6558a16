// The program's entry: parses the command line, starts the game on the SDL
// backend (or headless, for tests and automation) and runs the frame loop.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "kt_build_info.hpp"
#include "loop/data_dir.hpp"
#include "loop/demo.hpp"
#include "loop/dump.hpp"
#include "loop/frame_loop.hpp"
#include "loop/game.hpp"
#include "loop/net_play.hpp"
#include "loop/settings_file.hpp"
#include "loop/startup.hpp"
#include "loop/version.hpp"
#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace {

constexpr const char* kUsage =
    "usage: kurara-tavo [--window] [--mute] [--players 1|2] [--extra-enemies] [--seed N] [--data DIR]\n"
    "                   [--record FILE.demo] [--config FILE]\n"
    "       kurara-tavo [--window] [--mute] [--data DIR] --replay FILE.demo [--max-ms N]\n"
    "       kurara-tavo [--window] [--mute] [--extra-enemies] [--data DIR] [--delay N] --host [PORT] | --join HOST[:PORT]\n"
    "       kurara-tavo --version | --help\n"
    "       kurara-tavo --headless [--players 1|2] [--extra-enemies] [--seed N] [--tick-ms N] [--start-tick N]\n"
    "                   [--script FILE] [--max-ms N] [--record FILE.demo] [--config FILE]\n"
    "                   [--screenshot FILE.bmp] [--dump-state FILE|-] [--trace FILE]\n"
    "       kurara-tavo --headless --replay FILE.demo [--max-ms N] [--screenshot FILE.bmp] [--dump-state FILE|-]\n"
    "                   [--trace FILE]\n";

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
    "  --host [PORT]    wait for a partner to play online (UDP port, default 7531)\n"
    "  --join HOST[:PORT]  play online with the game waiting on HOST\n"
    "  --delay N        hosting: hold the keys back N frames of 32 ms (0..8, default 2)\n"
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
  std::string scriptText;  // read before the run starts
  std::optional<uint32_t> maxMs;
  std::string screenshot, dumpState, trace;
  std::string record, replay;  // demo files
  bool runOptions = false;     // an option that a replay takes from its demo
  std::filesystem::path config;  // the settings file; empty: the usual one (none when headless)
  bool host = false;             // online play: wait for a partner
  std::string join;              // online play: the host to join
  uint16_t port = kt::net::kDefaultPort;
  uint8_t delay = 2;
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

// "HOST" or "HOST:PORT".
bool ParseHostPort(const std::string& text, std::string& host, uint16_t& port) {
  const size_t colon = text.rfind(':');
  host = text.substr(0, colon);
  if (colon != std::string::npos) {
    uint64_t n = 0;
    if (!ParseNumber(text.c_str() + colon + 1, 65535, n) || n == 0) return false;
    port = static_cast<uint16_t>(n);
  }
  return !host.empty();
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
    else if (a == "--host") {
      o.host = true;
      // An optional port.
      if (next && ParseNumber(next, 65535, n)) {
        ok = n > 0;
        o.port = static_cast<uint16_t>(n);
        ++i;
      }
    }
    else if (a == "--join") ok = next && ParseHostPort(next, o.join, o.port) && ++i;
    else if (a == "--delay") { ok = number(kt::net::kMaxDelay); o.delay = static_cast<uint8_t>(n); }
    else if (a == "--script") ok = text(o.script);
    else if (a == "--record") ok = text(o.record);
    else if (a == "--replay") ok = text(o.replay);
    else if (a == "--screenshot") ok = text(o.screenshot);
    else if (a == "--dump-state") ok = text(o.dumpState);
    else if (a == "--trace") ok = text(o.trace);
    else if (a == "--config") ok = text(o.config) && !o.config.empty();
    else ok = false;
    if (!ok) {
      std::fprintf(stderr, "kurara-tavo: bad argument '%s'\n%s", a.c_str(), kUsage);
      return std::nullopt;
    }
    if (a == "--extra-enemies" || a == "--seed" || a == "--players" || a == "--tick-ms" || a == "--start-tick" ||
        a == "--script" || a == "--record")
      o.runOptions = true;
  }
  const bool online = o.host || !o.join.empty();
  if (online && (o.headless || !o.replay.empty() || !o.record.empty() || o.players || (o.host && !o.join.empty()))) {
    std::fprintf(stderr, "kurara-tavo: --host and --join play in a window of their own, one or the other\n%s", kUsage);
    return std::nullopt;
  }
  if (!o.replay.empty() && o.runOptions) {
    std::fprintf(stderr, "kurara-tavo: --replay takes the seed, the options and the keys from the demo\n%s", kUsage);
    return std::nullopt;
  }
  return o;
}

// A key script is text of a few lines; this bound stops a device or a huge
// file from being read without end.
constexpr size_t kMaxScriptBytes = 16 << 20;

// The runner's files are checked before the run starts, so a typo does not
// waste it: the script is read (a file or a pipe, not a folder) and every
// output file is opened for writing (created if missing, its contents kept).
bool PrepareRunnerFiles(Options& o) {
  const auto refuse = [](const std::string& option, const std::string& path, const std::string& why) {
    std::fprintf(stderr, "kurara-tavo: %s %s: %s\n", option.c_str(), kt::PathText(path).c_str(), why.c_str());
    return false;
  };
  std::error_code ec;
  if (!o.script.empty()) {
    if (std::filesystem::is_directory(o.script, ec)) return refuse("--script", o.script, "is a folder, not a key script");
    std::ifstream in(o.script, std::ios::binary);
    if (!in) return refuse("--script", o.script, std::string("cannot open it (") + std::strerror(errno) + ")");
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
      o.scriptText.append(chunk, static_cast<size_t>(in.gcount()));
      if (o.scriptText.size() > kMaxScriptBytes)
        return refuse("--script", o.script, "too large for a key script (over 16 MiB)");
    }
    if (in.bad()) return refuse("--script", o.script, "cannot read it");
  }
  const std::pair<const char*, const std::string*> outputs[] = {
      {"--screenshot", &o.screenshot}, {"--dump-state", &o.dumpState}, {"--trace", &o.trace}};
  for (const auto& [option, path] : outputs) {
    if (path->empty() || (*path == "-" && std::string_view(option) == "--dump-state")) continue;
    if (std::filesystem::is_directory(*path, ec)) return refuse(option, *path, "is a folder");
    std::ofstream out(*path, std::ios::app);
    if (!out) return refuse(option, *path, std::string("cannot write there (") + std::strerror(errno) + ")");
  }
  return true;
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

std::ofstream OpenOut(const std::string& path, const char* what) {
  std::ofstream out(path, std::ios::binary);
  if (!out) throw kt::FatalError(path + ": cannot write the " + what);
  return out;
}

// Reports a replay's outcome; the exit code: 0 matched, 3 parted from the demo.
int ReportReplay(const Options& o, const kt::ReplayResult& r) {
  std::FILE* to = o.dumpState == "-" ? stderr : stdout;
  if (r.mismatch) {
    std::fprintf(stderr, "kurara-tavo: %s: the replay parts from the recorded run at %s\n", o.replay.c_str(),
                 kt::DescribeMismatch(*r.mismatch).c_str());
    return 3;
  }
  if (r.cut) {
    std::fprintf(to, "%s: %lld steps replayed to %u ms, every state hash matches; scene %d\n", o.replay.c_str(),
                 static_cast<long long>(r.steps), *o.maxMs, r.finalScene);
    return 0;
  }
  std::fprintf(to, "%s: %lld steps replayed, every state hash matches; the run ends in scene %d\n", o.replay.c_str(),
               static_cast<long long>(r.steps), r.finalScene);
  if (r.truncated)
    std::fprintf(to, "%s: the demo has no end line: the recorded run did not finish (it may have crashed)\n",
                 o.replay.c_str());
  return 0;
}

void OpenTrace(const Options& o, kt::Game& g, std::ofstream& trace) {
  if (o.trace.empty()) return;
  trace = OpenOut(o.trace, "trace");
  g.trace = &trace;
}

// A demo from another version of the game may part from it where gameplay changed.
kt::Demo LoadReplay(const Options& o) {
  kt::Demo demo = kt::LoadDemo(o.replay);
  if (demo.gameVersion != kt::kGameVersion)
    std::fprintf(stderr, "kurara-tavo: %s was recorded by version %s of the game, this is %s\n", o.replay.c_str(),
                 demo.gameVersion.c_str(), std::string(kt::kGameVersion).c_str());
  return demo;
}

int ReplayHeadless(const Options& o, kt::Game& g) {
  const kt::Demo demo = LoadReplay(o);
  std::ofstream trace;
  OpenTrace(o, g, trace);
  kt::DemoPlayer player(demo, nullptr);
  if (o.maxMs) player.StopAfter(*o.maxMs);
  const kt::ReplayResult r = kt::PlayDemo(g, player, demo, o.dataDir);
  WriteResults(o, g);
  return ReportReplay(o, r);
}

int RunHeadless(const Options& o, kt::Game& g) {
  if (!o.replay.empty()) return ReplayHeadless(o, g);
  kt::HeadlessOptions h;
  h.startTick = o.startTick;
  h.tickMs = o.tickMs;
  if (!o.script.empty()) h.script = kt::ParseKeyScript(o.scriptText, o.script);
  auto headless = kt::MakeHeadlessPlatform(h);
  std::ofstream trace;
  OpenTrace(o, g, trace);
  std::ofstream demo;
  std::unique_ptr<kt::DemoRecorder> recorder;
  kt::Platform* platform = headless.get();
  if (!o.record.empty()) {
    demo = OpenOut(o.record, "demo");
    recorder = std::make_unique<kt::DemoRecorder>(*headless, std::vector<std::ostream*>{&demo});
    platform = recorder.get();
  }
  // A headless run reads and writes settings only from a file it is given,
  // so scripts play the same everywhere.
  const kt::KeptStart kept = ReadKept(o.config);
  kt::Startup(g, *platform, {o.dataDir, o.seed ? o.seed : std::optional<uint64_t>(0)}, kept);
  ApplyOptions(o, g);
  headless->Begin(g.KeyState);
  if (recorder) recorder->Start(g);
  // Without a script and a limit the run lasts ten seconds of game time.
  const uint64_t limit = o.maxMs ? *o.maxMs : (o.script.empty() ? 10'000u : UINT64_MAX);
  while (headless->Elapsed() < limit && (o.script.empty() || headless->Elapsed() < headless->ScriptLength())) {
    if (!kt::FramePass(g, *platform)) break;
  }
  if (recorder) recorder->Finish(g);
  WriteResults(o, g);
  return 0;
}

// The demo files a windowed run writes: the kept copy in the player's data
// folder (the last few runs) and the --record file.
std::vector<std::ofstream> OpenRunDemos(const Options& o) {
  std::vector<std::ofstream> outs;
  try {
    outs.push_back(OpenOut(kt::NewKeptDemo(kt::UserDataDir() / "demos").string(), "demo"));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kurara-tavo: this run's demo is not kept: %s\n", e.what());
  }
  if (!o.record.empty()) outs.push_back(OpenOut(o.record, "demo"));
  return outs;
}

int ReplayWindowed(const Options& o, kt::Game& g, kt::Platform& device) {
  const kt::Demo demo = LoadReplay(o);
  kt::DemoPlayer player(demo, &device);
  if (o.maxMs) player.StopAfter(*o.maxMs);
  kt::Startup(g, player, {o.dataDir, demo.start.seed});
  player.Begin(g);
  while (!player.Finished() && kt::FramePass(g, player)) {
  }
  // Escape ends a replay that is being watched early: that is no mismatch.
  if (g.KeyState[kt::vk::Escape] && !player.Finished()) return 0;
  return ReportReplay(o, player.End(g));
}

// Online play: each online game keeps its demo with the kept runs.
int PlayOnline(const Options& o, kt::Game& g, kt::Platform& platform, const kt::KeptStart& kept) {
  kt::Startup(g, platform, {o.dataDir, o.seed}, kept);
  ApplyOptions(o, g);
  kt::NetOptions n;
  n.host = o.host;
  n.hostName = o.join;
  n.port = o.port;
  n.delay = o.delay;
  n.version = std::string(kt::kGameVersion);
  n.dataHash = kt::DataHash(kt::FindDataDir(o.dataDir, kt::ProgramDir()));
  n.seed = o.seed;
  try {
    n.demoDir = kt::UserDataDir() / "demos";
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kurara-tavo: the online games' demos are not kept: %s\n", e.what());
  }
  kt::NetPlay net(g, platform, n);
  while (net.Pass()) {
  }
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
    if (!o.replay.empty()) return ReplayWindowed(o, g, *platform);
    if (o.host || !o.join.empty()) return PlayOnline(o, g, *platform, kept);
    std::vector<std::ofstream> demos = OpenRunDemos(o);
    std::vector<std::ostream*> outs;
    for (auto& d : demos) outs.push_back(&d);
    kt::DemoRecorder recorder(*platform, outs);
    kt::Startup(g, recorder, {o.dataDir, o.seed}, kept);
    ApplyOptions(o, g);
    recorder.Start(g);
    while (kt::FramePass(g, recorder)) {
    }
    recorder.Finish(g);
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
  if (o.headless && !PrepareRunnerFiles(o)) return 2;
  try {
    auto game = kt::NewGame();
    return o.headless ? RunHeadless(o, *game) : RunWindowed(o, *game);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kurara-tavo: %s\n", e.what());
    return 1;
  }
}
