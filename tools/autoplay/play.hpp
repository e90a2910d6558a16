#pragma once
// One whole game played by the autoplayer, from start-up back to the title.
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "autoplay/bot.hpp"
#include "platform/platform.hpp"

namespace kt::autoplay {

struct GameReport {
  bool won = false;       // the ending ran and the game is back at the title
  bool gameOver = false;  // the game-over scene ran and the game is back at the title
  double seconds = 0;     // game time to the ending (a win) or to the end of the run
  int32_t bossHP = 0;     // the boss's hit points when the game ended
  bool reachedBoss = false;
  std::map<std::string, int> hits;  // hit points lost, by what struck
  std::vector<std::string> deaths;  // "kurosuke at x 1620", "beam in the boss fight"
  std::vector<std::string> log;     // every hit: when, who, where, by what
  int64_t steps = 0;

  std::string Summary() const;
};

// Plays one game on seed `seed`: the `prefix` key script first, then the bot.
// Writes the demo of it to `demo` if given.
GameReport PlayOne(const BotGoal& goal, uint64_t seed, const std::vector<ScriptLine>& prefix,
                   const std::filesystem::path& dataDir, uint32_t maxMinutes, std::ostream* demo);

}  // namespace kt::autoplay
