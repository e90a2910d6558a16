#pragma once
// Shared by the online play tests: a player who presses keys at random, a
// game started up for online play, and the check that a demo written by an
// online game replays locally with every step's hash as the game had it.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "loop/demo.hpp"
#include "loop/frame_loop.hpp"
#include "loop/net_protocol.hpp"
#include "loop/snapshot.hpp"
#include "loop/startup.hpp"
#include "loop/state_hash.hpp"
#include "platform/platform.hpp"

namespace kt::test {

// Holds a random choice of one hero's keys for a random while: walks, jumps,
// punches, spins, bursts, lifts and throws; never Enter unless asked.
class RandomPlayer {
 public:
  explicit RandomPlayer(uint64_t seed, bool pauses = false) : rng_(seed), pauses_(pauses) {}
  uint16_t Input(uint32_t now) {
    if (static_cast<int32_t>(now - until_) >= 0) {
      bits_ = 0;
      const int pick = static_cast<int>(rng_() % 10);
      if (pick < 4) bits_ |= rng_() % 3 == 0 ? net::input::Left : net::input::Right;
      if (pick == 4 || rng_() % 5 == 0) bits_ |= net::input::Up;
      if (pick == 5) bits_ |= net::input::Down;
      if (rng_() % 3 == 0) bits_ |= net::input::Punch;
      if (rng_() % 17 == 0) bits_ |= net::input::Spin;
      if (rng_() % 23 == 0) bits_ |= net::input::Burst;
      if (rng_() % 19 == 0) bits_ |= net::input::Lift;
      if (pauses_ && rng_() % 40 == 0) bits_ = net::input::Enter;
      until_ = now + 20 + static_cast<uint32_t>(rng_() % 400);
    }
    return bits_;
  }

 private:
  std::mt19937_64 rng_;
  bool pauses_;
  uint16_t bits_ = 0;
  uint32_t until_ = 0;
};

// A game started up from the data on the headless backend, and the snapshot
// of it just started, which every online game begins from.
struct NetGame {
  explicit NetGame(uint64_t seed = 1) : platform(MakeHeadlessPlatform({0, 16, {}})), game(NewGame()) {
    Startup(*game, *platform, {KT_DATA_DIR, seed});
    SaveSnapshot(*game, fresh, maps);
  }
  std::unique_ptr<HeadlessPlatform> platform;
  std::unique_ptr<Game> game;
  MapShare maps;
  Snapshot fresh;
};

// Replays a demo written by an online game as an ordinary local demo, and
// returns every step's 64-bit state hash (from the trace).
inline std::vector<uint64_t> ReplayHashes(const std::string& text, ReplayResult* result = nullptr) {
  const Demo demo = ParseDemo(text, "online game");
  auto g = NewGame();
  std::ostringstream trace;
  g->trace = &trace;
  DemoPlayer player(demo, nullptr);
  const ReplayResult r = PlayDemo(*g, player, demo, KT_DATA_DIR);
  if (result) *result = r;
  std::vector<uint64_t> hashes;
  std::istringstream lines(trace.str());
  const std::string key = "\"StateHash\":\"";
  for (std::string line; std::getline(lines, line);) {
    const size_t at = line.find(key);
    if (at == std::string::npos) continue;
    hashes.push_back(std::stoull(line.substr(at + key.size(), 16), nullptr, 16));
  }
  return hashes;
}

}  // namespace kt::test
