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
#include "loop/dump.hpp"
#include "loop/frame_loop.hpp"
#include "loop/game.hpp"
#include "loop/startup.hpp"
#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace {

constexpr const char* kUsage =
    "usage: kurara-tavo [--window] [--mute] [--players 1|2] [--extra-enemies] [--seed N] [--data DIR]\n"
    "       kurara-tavo --version | --help\n"
    "       kurara-tavo --headless [--players 1|2] [--extra-enemies] [--seed N] [--tick-ms N] [--start-tick N]\n"
    "                   [--script FILE] [--max-ms N] [--screenshot FILE.bmp] [--dump-state FILE|-] [--trace FILE]\n";

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
    else ok = false;
    if (!ok) {
      std::fprintf(stderr, "kurara-tavo: bad argument '%s'\n%s", a.c_str(), kUsage);
      return std::nullopt;
    }
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

// The settings the command line overrides after start-up.
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
  if (!o.script.empty()) h.script = kt::ParseKeyScript(o.scriptText, o.script);
  auto platform = kt::MakeHeadlessPlatform(h);
  std::ofstream trace;
  if (!o.trace.empty()) {
    trace.open(o.trace);
    if (!trace) throw kt::FatalError(o.trace + ": cannot write the trace");
    g.trace = &trace;
  }
  kt::Startup(g, *platform, {o.dataDir, o.seed ? o.seed : std::optional<uint64_t>(0)});
  ApplyOptions(o, g);
  platform->Begin(g.KeyState);
  // Without a script and a limit the run lasts ten seconds of game time.
  const uint64_t limit = o.maxMs ? *o.maxMs : (o.script.empty() ? 10'000u : UINT64_MAX);
  while (platform->Elapsed() < limit && (o.script.empty() || platform->Elapsed() < platform->ScriptLength())) {
    if (!kt::FramePass(g, *platform)) break;
  }
  WriteResults(o, g);
  return 0;
}

int RunWindowed(const Options& o, kt::Game& g) {
  auto platform = kt::MakeSdlPlatform(o.sdl);
  try {
    kt::Startup(g, *platform, {o.dataDir, o.seed});
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
