#pragma once
// A game in the stage with hand-held keys: every pass is one 32 ms step.
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>

#include "heroes/kurara.hpp"
#include "heroes/tavo.hpp"
#include "loop/frame_loop.hpp"
#include "loop/game.hpp"
#include "loop/startup.hpp"
#include "platform/platform.hpp"
#include "world/stage.hpp"

namespace kt::test {

// A platform whose keys are whatever the test holds.
class HandPlatform : public Platform {
 public:
  explicit HandPlatform(uint32_t start) : now_(start) {}
  uint32_t Ticks() override { return now_; }
  Mixer& OpenAudio() override { return mixer_; }
  void OpenDisplay() override {}
  void Show(const Surface&) override {}
  void ProcessMessages(KeyTable& keys) override {
    now_ += 32;
    mixer_.Mix(nullptr, 32 * static_cast<size_t>(mixer_.Format().rate) / 1000);
    keys = held;
  }
  void IdleUntil(uint32_t) override {}

  KeyTable held{};
  Mixer mixer_;

 private:
  uint32_t now_;
};

struct StageRig {
  // A stage with only the floor (rows 29..31), both heroes walked in.
  explicit StageRig(int32_t players = 2) : game(NewGame()), platform(100000) {
    Game& g = *game;
    ResetSettings(g);
    g.settings.OnePlayerMode = players;
    g.display.World() = Surface(5800, 1100);
    for (int i = 0; i < kSoundCount; ++i) platform.mixer_.Load(i, std::vector<int16_t>(2 * 4410, 100));
    g.audio.mixer = &platform.mixer_;
    g.trace = &trace;
    for (int c = 0; c < kMapSize; ++c)
      for (int r = 29; r < 32; ++r) g.StageMap.At(c, r) = 1;
    g.SceneId = scene::StageStart;
    for (int i = 0; i < 200 && g.SceneId != scene::Gameplay; ++i) Pass();
  }

  Game& g() { return *game; }
  Hero& kurara() { return game->Kurara; }
  Hero& tavo() { return game->Tavo; }

  // Holds exactly `keys` and runs one pass (one step).
  void Step(std::initializer_list<uint8_t> keys = {}, int times = 1) {
    for (int i = 0; i < times; ++i) {
      platform.held.fill(false);
      for (uint8_t k : keys) platform.held[k] = true;
      game->KeyState = platform.held;
      Pass();
    }
  }
  void Pass() { FramePass(*game, platform); }

  // Holds `keys` step by step until `done` holds, at most `limit` steps;
  // returns the steps taken.
  template <typename F>
  int StepUntil(F done, std::initializer_list<uint8_t> keys = {}, int limit = 300) {
    int steps = 0;
    for (; !done() && steps < limit; ++steps) Step(keys);
    return steps;
  }

  // Fills a block of cells.
  void Solid(int c0, int c1, int r0, int r1) {
    for (int c = c0; c <= c1; ++c)
      for (int r = r0; r <= r1; ++r) game->StageMap.At(c, r) = 1;
  }

  // Sounds started in the steps traced so far (and forgets them).
  std::string TakeTrace() {
    std::string s = trace.str();
    trace.str("");
    return s;
  }

  // How often `sound` was started in the trace taken.
  static int Heard(const std::string& trace, const std::string& sound) {
    int n = 0;
    for (size_t at = trace.find(sound); at != std::string::npos; at = trace.find(sound, at + 1)) ++n;
    return n;
  }

  std::unique_ptr<Game> game;
  HandPlatform platform;
  std::ostringstream trace;
};

}  // namespace kt::test
