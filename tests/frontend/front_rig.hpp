#pragma once
// The game from the title on, with hand-held keys: every pass is 32 ms, so
// every paced scene steps once per pass. Blank sheets of the game's sizes.
#include <functional>
#include <string>

#include "stage_rig.hpp"

namespace kt::test {

struct FrontRig {
  explicit FrontRig(uint32_t startTick = 100000) : game(NewGame()), platform(startTick) {
    Game& g = *game;
    ResetSettings(g);
    for (size_t i = 0; i < kBitmapFiles.size(); ++i)
      g.display.sheets[i] = Surface(kBitmapFiles[i].width, kBitmapFiles[i].height);
    for (int i = 0; i < kSoundCount; ++i) platform.mixer_.Load(i, std::vector<int16_t>(2 * 4410, 100));
    g.audio.mixer = &platform.mixer_;
    g.trace = &trace;
    for (int c = 0; c < kMapSize; ++c)
      for (int r = 29; r < 32; ++r) g.StageMap.At(c, r) = 1;
  }

  Game& g() { return *game; }
  const FrontEndState& f() const { return game->front; }

  // Holds exactly `keys` for `times` passes.
  void Step(std::initializer_list<uint8_t> keys = {}, int times = 1) {
    for (int i = 0; i < times; ++i) {
      platform.held.fill(false);
      for (uint8_t k : keys) platform.held[k] = true;
      game->KeyState = platform.held;
      FramePass(*game, platform);
    }
  }

  // Runs key-less passes until `done`; false if it did not come in 3000.
  bool RunUntil(const std::function<bool(const Game&)>& done) {
    for (int n = 0; n < 3000 && !done(*game); ++n) Step();
    return done(*game);
  }

  // From the title's start to the main menu, each key 288 ms after the last.
  void ToMenu() {
    game->SceneId = scene::TitleSetup;
    Step({}, 9);
    Step({vk::Enter});
    Step({}, 9);
  }

  // How many steps since the last call started `sound` (once).
  int Started(const std::string& sound) {
    const std::string t = trace.str();
    trace.str("");
    int n = 0;
    for (size_t at = t.find("\"once\":["); at != std::string::npos; at = t.find("\"once\":[", at + 1))
      n += t.substr(at, t.find(']', at) - at).find('"' + sound + '"') != std::string::npos;
    return n;
  }

  std::unique_ptr<Game> game;
  HandPlatform platform;
  std::ostringstream trace;
};

}  // namespace kt::test
