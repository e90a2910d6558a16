#pragma once
// A game on the headless backend without data files: for tests that drive
// the frame loop and scenes directly.
#include <memory>
#include <sstream>
#include <string>

#include "loop/frame_loop.hpp"
#include "loop/game.hpp"
#include "loop/startup.hpp"
#include "platform/platform.hpp"

namespace kt::test {

struct Rig {
  explicit Rig(uint32_t startTick = 1000, uint32_t tickMs = 16, std::vector<ScriptLine> script = {})
      : game(NewGame()), platform(MakeHeadlessPlatform({startTick, tickMs, std::move(script)})) {
    Game& g = *game;
    ResetSettings(g);
    g.display.World() = Surface(5800, 1100);
    g.audio.mixer = &platform->GetMixer();
    for (int i = 0; i < kSoundCount; ++i) platform->GetMixer().Load(i, std::vector<int16_t>(2 * 4410, 100));
    g.trace = &trace;
    platform->Begin(g.KeyState);
  }

  Game& g() { return *game; }

  // Runs passes until `ms` of game time have gone by; returns false if Escape ended the game.
  bool RunFor(uint32_t ms) {
    const uint64_t end = platform->Elapsed() + ms;
    while (platform->Elapsed() < end)
      if (!FramePass(*game, *platform)) return false;
    return true;
  }

  // Number of scene steps recorded in the trace so far.
  int Steps() const {
    const std::string s = trace.str();
    int n = 0;
    for (char c : s) n += c == '\n';
    return n;
  }

  std::unique_ptr<Game> game;
  std::unique_ptr<HeadlessPlatform> platform;
  std::ostringstream trace;
};

}  // namespace kt::test
