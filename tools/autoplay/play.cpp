#include "autoplay/play.hpp"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "autoplay/foresight.hpp"
#include "loop/demo.hpp"
#include "loop/frame_loop.hpp"
#include "loop/startup.hpp"

namespace kt::autoplay {

namespace {

// The headless clock and the key script, then the bot's keys.
class BotPlatform final : public HeadlessPlatform {
 public:
  BotPlatform(const HeadlessOptions& options, Bot& bot, const Game& g)
      : HeadlessPlatform(options), bot_(bot), game_(g) {}
  void ProcessMessages(KeyTable& keys) override {
    HeadlessPlatform::ProcessMessages(keys);
    if (Elapsed() >= ScriptLength()) keys = bot_.Keys(game_);
  }

 private:
  Bot& bot_;
  const Game& game_;
};

// Counts the hit points the heroes lose and what took them.
class Watch {
 public:
  Watch(const Bot& bot, bool verbose) : bot_(bot), verbose_(verbose) {}
  void After(const Game& g, GameReport& r) {
    const Hero* heroes[] = {&g.Tavo, &g.Kurara};
    const auto playing = [](int32_t s) { return s == scene::Gameplay || s == scene::BossStage; };
    // The blow that ends the game is struck in the step that goes to the game over.
    const bool inPlay = playing(g.SceneId) || (g.SceneId == scene::GameOver && playing(scene_));
    scene_ = g.SceneId;
    for (int i = 0; i < 2; ++i) {
      const Hero& h = *heroes[i];
      if (inPlay && h.Health < health_[i]) last_[i] = HitCause(g, h);
      if (inPlay && h.Health < health_[i]) {
        r.hits[last_[i]] += 1;
        char line[160];
        std::snprintf(line, sizeof line, "%7.2f s %s hit by %s at (%d, %d), health %d, lives %d", g.FrameTick / 1000.0,
                      i == 0 ? "Tavo" : "Kurara", last_[i].c_str(), h.X, h.Y, h.Health, h.Lives);
        r.log.push_back(line);
        if (verbose_)
          for (const std::string& n : bot_.Notes()) r.log.push_back("        " + n);
      }
      if (inPlay && h.State == hero::Dead && state_[i] != hero::Dead) {
        const std::string where =
            g.bossStage.BossPhase == 2 ? "the boss fight" : "x " + std::to_string(h.X / 100 * 100);
        r.deaths.push_back(last_[i] + " in " + where);
      }
      health_[i] = h.Health;
      state_[i] = h.State;
    }
  }

 private:
  const Bot& bot_;
  bool verbose_;
  int32_t health_[2] = {0, 0}, state_[2] = {0, 0};
  int32_t scene_ = 0;
  std::string last_[2] = {"?", "?"};
};

}  // namespace

std::string GameReport::Summary() const {
  char buf[96];
  std::string s;
  if (won) {
    std::snprintf(buf, sizeof buf, "won in %.1f s", seconds);
    s = buf;
  } else if (gameOver) {
    s = reachedBoss ? "game over in the boss fight, boss HP " + std::to_string(bossHP) : "game over in the stage";
  } else {
    std::snprintf(buf, sizeof buf, "stuck after %.0f s", seconds);
    s = buf;
  }
  if (!deaths.empty()) {
    s += "; lives lost to:";
    for (const std::string& d : deaths) s += " " + d + ",";
    s.pop_back();
  }
  return s;
}

GameReport PlayOne(const BotGoal& goal, uint64_t seed, const std::vector<ScriptLine>& prefix,
                   const std::filesystem::path& dataDir, uint32_t maxMinutes, std::ostream* demo) {
  GameReport r;
  auto g = NewGame();
  Bot bot(goal, seed);
  BotPlatform device({0, 16, prefix}, bot, *g);
  std::unique_ptr<DemoRecorder> recorder;
  Platform* platform = &device;
  if (demo) {
    recorder = std::make_unique<DemoRecorder>(device, std::vector<std::ostream*>{demo});
    platform = recorder.get();
  }
  Startup(*g, *platform, {dataDir, seed});
  device.Begin(g->KeyState);
  if (recorder) recorder->Start(*g);
  Watch watch(bot, std::getenv("AUTOPLAY_NOTES") != nullptr);
  bool ended = false;
  const uint64_t limit = uint64_t{maxMinutes} * 60'000;
  while (device.Elapsed() < limit) {
    if (!FramePass(*g, *platform)) break;
    watch.After(*g, r);
    if (g->SceneId == scene::BossStage) r.reachedBoss = true;
    if (g->SceneId == scene::Ending && g->ending.EndingPhase != 7 && !ended) {
      ended = r.won = true;
      r.seconds = static_cast<double>(device.Elapsed()) / 1000.0;
    }
    if (g->SceneId == scene::GameOver) r.gameOver = ended = true;
    // Done once the game is back at the title.
    if (ended && g->SceneId == scene::Title) break;
  }
  if (!r.won) r.seconds = static_cast<double>(device.Elapsed()) / 1000.0;
  if (r.won && g->SceneId != scene::Title) r.won = false;  // the ending never finished
  r.bossHP = g->Boss.HP;
  if (recorder) {
    recorder->Finish(*g);
    r.steps = recorder->Steps();
  }
  return r;
}

}  // namespace kt::autoplay
