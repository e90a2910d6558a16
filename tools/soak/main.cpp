// The soak run: game after game of random input (random keys held for random
// times, both modes, the extra enemies, the menus, the options, the pause),
// half of them steered by the autoplayer with random keys mixed in so the
// boss and the ending come round too, on random seeds. Built with the
// sanitizers it finds memory and undefined-behaviour faults; every game is
// recorded and replayed, so a game that does not replay exactly is a fault
// too. The demo of the game being played is kept in a file, so a crash
// leaves the way to it.
//
//   kt-soak [--steps N] [--seed N] [--data DIR] [--demo FILE]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "autoplay/bot.hpp"
#include "loop/demo.hpp"
#include "loop/frame_loop.hpp"
#include "loop/startup.hpp"
#include "platform/platform.hpp"

namespace {

using Rng = std::mt19937_64;

// Keys a player could press, by scene.
constexpr uint8_t kMenuKeys[] = {kt::vk::Enter, kt::vk::Up, kt::vk::Down, kt::vk::Left, kt::vk::Right, 'M', 'B'};
constexpr uint8_t kPlayKeys[] = {kt::vk::Left, kt::vk::Right, kt::vk::Up, kt::vk::Down, 'L', 'O', 'I', 'K',
                                 'X',          'V',           'D',        'C',          'S', 'W', 'Q', 'A',
                                 kt::vk::Space, kt::vk::Enter, kt::vk::F6, 'Z'};

// Random chords held for random times; or the autoplayer with random keys
// mixed in.
class SoakPlatform final : public kt::HeadlessPlatform {
 public:
  SoakPlatform(Rng& rng, const kt::Game& g, std::unique_ptr<kt::autoplay::Bot> bot)
      : HeadlessPlatform({static_cast<uint32_t>(rng()), static_cast<uint32_t>(10 + rng() % 30), {}}),
        rng_(rng),
        game_(g),
        bot_(std::move(bot)) {}

  void ProcessMessages(kt::KeyTable& keys) override {
    HeadlessPlatform::ProcessMessages(keys);
    if (Elapsed() >= chordEnd_) NewChord();
    keys = chord_;
    if (bot_) {
      const kt::KeyTable bot = bot_->Keys(game_);
      for (size_t k = 0; k < keys.size(); ++k) keys[k] = keys[k] != bot[k];
    }
  }

 private:
  void NewChord() {
    chord_.fill(false);
    const bool menu = game_.SceneId != kt::scene::Gameplay && game_.SceneId != kt::scene::BossStage;
    // The autoplayer is disturbed now and then; random play holds something most of the time.
    const int keys = bot_ ? (rng_() % 4 == 0 ? 1 : 0) : static_cast<int>(rng_() % 4);
    for (int n = 0; n < keys; ++n) {
      if (menu)
        chord_[kMenuKeys[rng_() % std::size(kMenuKeys)]] = true;
      else
        chord_[kPlayKeys[rng_() % std::size(kPlayKeys)]] = true;
    }
    // Rarely the player quits.
    if (rng_() % 4000 == 0) chord_[kt::vk::Escape] = true;
    const uint32_t ms = rng_() % 3 == 0 ? static_cast<uint32_t>(rng_() % 2000) : static_cast<uint32_t>(rng_() % 200);
    chordEnd_ = Elapsed() + ms;
  }

  Rng& rng_;
  const kt::Game& game_;
  std::unique_ptr<kt::autoplay::Bot> bot_;
  kt::KeyTable chord_{};
  uint64_t chordEnd_ = 0;
};

bool KnownScene(int32_t id) { return kt::ScenePace(id) >= 0; }

struct Totals {
  int64_t steps = 0, games = 0, faults = 0, bossFights = 0, endings = 0, gameOvers = 0;
};

// One game: played, recorded, then replayed to check it comes back the same.
void SoakGame(Rng& rng, const std::filesystem::path& dataDir, const std::string& demoPath, int64_t maxSteps,
              Totals& totals) {
  const uint64_t seed = rng();
  auto g = kt::NewGame();
  std::unique_ptr<kt::autoplay::Bot> bot;
  std::string mode = "random keys";
  if (rng() % 2 == 0) {
    kt::autoplay::BotGoal goal;
    goal.players = 1 + static_cast<int32_t>(rng() % 2);
    goal.extraEnemies = rng() % 2 == 0;
    if (rng() % 3 == 0) goal.enemyAmount = 10 * static_cast<int32_t>(1 + rng() % 3);
    if (rng() % 3 == 0) goal.lives = 1 + static_cast<int32_t>(rng() % 5);
    bot = std::make_unique<kt::autoplay::Bot>(goal, seed);
    mode = std::string("autoplayer, ") + (goal.players == 2 ? "two players" : "one player") +
           (goal.extraEnemies ? ", extra enemies" : "");
  }
  SoakPlatform device(rng, *g, std::move(bot));
  std::ostringstream memory;
  std::ofstream file(demoPath, std::ios::binary);
  std::vector<std::ostream*> outs{&memory};
  if (file) outs.push_back(&file);
  kt::DemoRecorder recorder(device, outs);
  bool bossFight = false, ending = false, gameOver = false;
  try {
    kt::Startup(*g, recorder, {dataDir, seed});
    if (rng() % 4 == 0) g->PlayersOverride = 1 + static_cast<int32_t>(rng() % 2);
    if (rng() % 4 == 0) g->ExtraEnemiesOverride = true;
    device.Begin(g->KeyState);
    recorder.Start(*g);
    while (recorder.Steps() < maxSteps && kt::FramePass(*g, recorder)) {
      if (!KnownScene(g->SceneId)) throw std::runtime_error("scene " + std::to_string(g->SceneId) + " is no scene");
      bossFight |= g->SceneId == kt::scene::BossStage;
      ending |= g->SceneId == kt::scene::Ending && g->ending.EndingPhase != 7;
      gameOver |= g->SceneId == kt::scene::GameOver;
    }
    recorder.Finish(*g);
  } catch (const std::exception& e) {
    ++totals.faults;
    std::printf("fault: game %lld (seed %llu, %s): %s; its demo is %s\n", static_cast<long long>(totals.games + 1),
                static_cast<unsigned long long>(seed), mode.c_str(), e.what(), demoPath.c_str());
    totals.steps += recorder.Steps();
    ++totals.games;
    return;
  }
  totals.steps += recorder.Steps();
  ++totals.games;
  totals.bossFights += bossFight;
  totals.endings += ending;
  totals.gameOvers += gameOver;
  std::printf("game %lld: %lld steps, %s%s%s%s; %lld steps in all\n", static_cast<long long>(totals.games),
              static_cast<long long>(recorder.Steps()), mode.c_str(), bossFight ? ", the boss" : "",
              ending ? ", the ending" : "", gameOver ? ", a game over" : "", static_cast<long long>(totals.steps));
  std::fflush(stdout);
  // The same game again from its demo.
  const kt::Demo demo = kt::ParseDemo(memory.str(), demoPath);
  const kt::ReplayResult back = kt::ReplayHeadless(demo, dataDir);
  if (back.mismatch) {
    ++totals.faults;
    const std::string keep = demoPath + ".fault-" + std::to_string(totals.games);
    std::ofstream(keep, std::ios::binary) << memory.str();
    std::printf("fault: game %lld (seed %llu, %s) does not replay: %s; its demo is %s\n",
                static_cast<long long>(totals.games), static_cast<unsigned long long>(seed), mode.c_str(),
                kt::DescribeMismatch(*back.mismatch).c_str(), keep.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  int64_t steps = 50'000;
  uint64_t seed = std::random_device{}();
  std::filesystem::path dataDir;
  std::string demoPath = "soak-current.demo";
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    if (a == "--steps" && next) steps = std::strtoll(argv[++i], nullptr, 10);
    else if (a == "--seed" && next) seed = std::strtoull(argv[++i], nullptr, 10);
    else if (a == "--data" && next) dataDir = argv[++i];
    else if (a == "--demo" && next) demoPath = argv[++i];
    else {
      std::fprintf(stderr, "usage: kt-soak [--steps N] [--seed N] [--data DIR] [--demo FILE]\n");
      return 2;
    }
  }
  if (dataDir.empty()) dataDir = kt::ProgramDir() / "data";
  std::printf("soak: %lld steps, seed %llu\n", static_cast<long long>(steps), static_cast<unsigned long long>(seed));
  std::fflush(stdout);
  Rng rng(seed);
  Totals totals;
  while (totals.steps < steps) {
    // A game lasts up to some minutes of play; most end sooner by Escape or the quit item.
    const int64_t length = std::min<int64_t>(steps - totals.steps, 2'000 + static_cast<int64_t>(rng() % 12'000));
    SoakGame(rng, dataDir, demoPath, length, totals);
  }
  std::printf("soak: %lld steps in %lld games (%lld boss fights, %lld endings, %lld games over), %lld faults\n",
              static_cast<long long>(totals.steps), static_cast<long long>(totals.games),
              static_cast<long long>(totals.bossFights), static_cast<long long>(totals.endings),
              static_cast<long long>(totals.gameOvers), static_cast<long long>(totals.faults));
  return totals.faults == 0 ? 0 : 1;
}
