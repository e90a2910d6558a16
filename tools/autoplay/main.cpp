// The autoplayer: plays whole games on the headless backend through the key
// table, records what it played as a demo, and reports how it fares.
//
//   autoplay [--players 1|2] [--extra-enemies] [--amount 10|20|30] [--lives 1..5] [--lose]
//            [--seed N] [--games N] [--all-modes] [--prefix FILE.keys]
//            [--record FILE.demo [--tries N] [--any]] [--max-minutes N] [--data DIR] [--verbose]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "autoplay/bot.hpp"
#include "autoplay/play.hpp"
#include "loop/demo.hpp"
#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace {

using kt::autoplay::BotGoal;
using kt::autoplay::GameReport;

constexpr const char* kUsage =
    "usage: autoplay [--players 1|2] [--extra-enemies] [--amount 10|20|30] [--lives 1..5] [--lose]\n"
    "                [--seed N] [--games N] [--all-modes] [--prefix FILE.keys]\n"
    "                [--record FILE.demo [--tries N] [--any]] [--max-minutes N] [--data DIR] [--verbose]\n";

struct Options {
  BotGoal goal;
  uint64_t seed = 1;
  int games = 1;
  bool allModes = false;
  std::string prefix, record;
  int tries = 20;
  bool any = false;  // --record writes the first game whatever came of it
  uint32_t maxMinutes = 20;
  std::filesystem::path dataDir;
  bool verbose = false;
};

bool Number(const char* text, long long lo, long long hi, long long& out) {
  if (!text || !*text) return false;
  char* end = nullptr;
  out = std::strtoll(text, &end, 10);
  return *end == '\0' && out >= lo && out <= hi;
}

std::optional<Options> Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    long long n = 0;
    const auto number = [&](long long lo, long long hi) {
      if (!Number(next, lo, hi, n)) return false;
      ++i;
      return true;
    };
    bool ok = true;
    if (a == "--players") { ok = number(1, 2); o.goal.players = static_cast<int32_t>(n); }
    else if (a == "--extra-enemies") o.goal.extraEnemies = true;
    else if (a == "--amount") { ok = number(10, 30) && n % 10 == 0; o.goal.enemyAmount = static_cast<int32_t>(n); }
    else if (a == "--lives") { ok = number(1, 5); o.goal.lives = static_cast<int32_t>(n); }
    else if (a == "--lose") o.goal.fight = false;
    else if (a == "--seed") { ok = number(0, INT64_MAX); o.seed = static_cast<uint64_t>(n); }
    else if (a == "--games") { ok = number(1, 100000); o.games = static_cast<int>(n); }
    else if (a == "--all-modes") o.allModes = true;
    else if (a == "--prefix" && next) o.prefix = argv[++i];
    else if (a == "--record" && next) o.record = argv[++i];
    else if (a == "--any") o.any = true;
    else if (a == "--tries") { ok = number(1, 100000); o.tries = static_cast<int>(n); }
    else if (a == "--max-minutes") { ok = number(1, 1000); o.maxMinutes = static_cast<uint32_t>(n); }
    else if (a == "--data" && next) o.dataDir = argv[++i];
    else if (a == "--verbose") o.verbose = true;
    else ok = false;
    if (!ok) {
      std::fprintf(stderr, "autoplay: bad argument '%s'\n%s", a.c_str(), kUsage);
      return std::nullopt;
    }
  }
  return o;
}

std::string Clock(double seconds) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d:%04.1f", static_cast<int>(seconds) / 60,
                seconds - 60.0 * (static_cast<int>(seconds) / 60));
  return buf;
}

std::string ModeName(const BotGoal& goal) {
  std::string s = goal.players == 2 ? "two players" : "one player";
  if (goal.extraEnemies) s += ", extra enemies";
  if (goal.enemyAmount) s += ", amount " + std::to_string(goal.enemyAmount);
  if (goal.lives) s += ", " + std::to_string(goal.lives) + " lives";
  return s;
}

// Plays `games` seeds of one mode and prints what came of them.
void Survey(const Options& o, const BotGoal& goal, const std::vector<kt::ScriptLine>& prefix) {
  int won = 0;
  double wonTime = 0;
  std::map<std::string, int> hits;
  std::vector<std::string> losses;
  for (int n = 0; n < o.games; ++n) {
    const uint64_t seed = o.seed + static_cast<uint64_t>(n);
    const GameReport r = kt::autoplay::PlayOne(goal, seed, prefix, o.dataDir, o.maxMinutes, nullptr);
    for (const auto& [cause, count] : r.hits) hits[cause] += count;
    if (r.won) {
      ++won;
      wonTime += r.seconds;
    } else {
      losses.push_back("seed " + std::to_string(seed) + ": " + r.Summary());
    }
    if (o.verbose) {
      std::printf("  seed %llu: %s\n", static_cast<unsigned long long>(seed), r.Summary().c_str());
      for (const std::string& l : r.log) std::printf("    %s\n", l.c_str());
    }
  }
  std::printf("%s: won %d of %d (%.0f %%), mean game time of a win %s\n", ModeName(goal).c_str(), won, o.games,
              100.0 * won / o.games, won ? Clock(wonTime / won).c_str() : "-");
  std::string taken = "  hits taken per game:";
  for (const auto& [cause, count] : hits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, " %s %.1f", cause.c_str(), static_cast<double>(count) / o.games);
    taken += buf;
  }
  std::printf("%s\n", taken.c_str());
  for (const std::string& l : losses) std::printf("  lost, %s\n", l.c_str());
  std::fflush(stdout);
}

// Plays seeds from --seed on until one reaches its end, checks that its demo
// replays, and writes it.
int Record(const Options& o, const std::vector<kt::ScriptLine>& prefix) {
  for (int n = 0; n < o.tries; ++n) {
    const uint64_t seed = o.seed + static_cast<uint64_t>(n);
    std::ostringstream demo;
    const GameReport r = kt::autoplay::PlayOne(o.goal, seed, prefix, o.dataDir, o.maxMinutes, &demo);
    const bool reached = o.any || (o.goal.fight ? r.won : r.gameOver);
    std::printf("seed %llu: %s\n", static_cast<unsigned long long>(seed), r.Summary().c_str());
    if (!reached) continue;
    const kt::Demo d = kt::ParseDemo(demo.str(), o.record);
    const kt::ReplayResult back = kt::ReplayHeadless(d, o.dataDir);
    if (back.mismatch) throw kt::FatalError("the demo does not replay: " + kt::DescribeMismatch(*back.mismatch));
    std::ofstream out(o.record, std::ios::binary);
    out << demo.str();
    if (!out) throw kt::FatalError(o.record + ": cannot write the demo");
    std::printf("%s: seed %llu, %lld steps, %zu bytes\n", o.record.c_str(), static_cast<unsigned long long>(seed),
                static_cast<long long>(back.steps), demo.str().size());
    return 0;
  }
  std::fprintf(stderr, "autoplay: no seed of %d reached the end\n", o.tries);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = Parse(argc, argv);
  if (!parsed) return 2;
  Options o = *parsed;
  try {
    if (o.dataDir.empty()) o.dataDir = kt::ProgramDir() / "data";
    std::vector<kt::ScriptLine> prefix;
    if (!o.prefix.empty()) {
      std::ifstream in(o.prefix);
      if (!in) throw kt::FatalError(o.prefix + ": cannot open the key script");
      std::ostringstream text;
      text << in.rdbuf();
      prefix = kt::ParseKeyScript(text.str(), o.prefix);
    }
    if (!o.record.empty()) return Record(o, prefix);
    if (o.allModes) {
      for (const int players : {1, 2})
        for (const bool extra : {false, true}) {
          BotGoal goal = o.goal;
          goal.players = players;
          goal.extraEnemies = extra;
          Survey(o, goal, prefix);
        }
    } else {
      Survey(o, o.goal, prefix);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "autoplay: %s\n", e.what());
    return 1;
  }
  return 0;
}
