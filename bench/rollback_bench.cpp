// What online play's rollback costs: a snapshot saved and restored, an
// 8-step rollback (restore, then 8 steps simulated without drawing, each
// saving its snapshot as online play does) and the state hash of a snapshot,
// beside one plain step with drawing. All in the busiest stage there is: two
// players, enemy amount 30 and the two extra kinds, a few seconds in.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <memory>

#include "loop/frame_loop.hpp"
#include "loop/snapshot.hpp"
#include "loop/startup.hpp"
#include "loop/state_hash.hpp"
#include "platform/platform.hpp"

namespace {

struct Stage {
  std::unique_ptr<kt::HeadlessPlatform> platform;
  std::unique_ptr<kt::Game> game;
  kt::Snapshot start;
  kt::MapShare maps;
  uint32_t tick = 0;

  Stage() {
    // Past the title into a two-player game with the extra kinds at enemy
    // amount 30; the heroes walk in and fight a little.
    const char* script = "300\n100 Enter\n300\n100 Enter\n2000\n2000 Right V\n500 Right V L S\n";
    platform = kt::MakeHeadlessPlatform({0, 16, kt::ParseKeyScript(script, "bench")});
    game = kt::NewGame();
    kt::Startup(*game, *platform, {KT_DATA_DIR, 7});
    game->ExtraEnemiesOverride = true;
    game->PlayersOverride = 2;
    game->settings.EnemyAmount = 30;
    platform->Begin(game->KeyState);
    while (platform->Elapsed() < platform->ScriptLength() && kt::FramePass(*game, *platform)) {
    }
    if (game->SceneId != kt::scene::Gameplay || game->settings.EnemyAmount != 30)
      std::fprintf(stderr, "rollback_bench: not in the busy stage (scene %d, amount %d)\n", game->SceneId,
                   game->settings.EnemyAmount);
    game->KeyState.fill(false);
    game->KeyState[kt::vk::Right] = game->KeyState['L'] = game->KeyState['V'] = true;
    kt::SaveSnapshot(*game, start, maps);
    tick = static_cast<uint32_t>(game->FrameTick);
  }

  // One step as online play makes it: 32 ms of the clock.
  void Step() {
    tick += 32;
    kt::FrameStep(*game, tick);
  }
  void Restart() {
    kt::RestoreSnapshot(*game, start);
    tick = static_cast<uint32_t>(game->FrameTick);
  }
};

Stage& TheStage() {
  static Stage stage;
  return stage;
}

// Steps run on from the start state and go back to it now and then, so the
// game stays in the busy stage.
constexpr int kStepsBeforeRestart = 64;

// Steps, drawn or not, restarting now and then outside the timing.
void Steps(benchmark::State& state, bool drawing) {
  Stage& s = TheStage();
  s.Restart();
  s.game->display.skipDrawing = !drawing;
  int n = 0;
  for (auto _ : state) {
    s.Step();
    if (++n == kStepsBeforeRestart) {
      state.PauseTiming();
      s.Restart();
      n = 0;
      state.ResumeTiming();
    }
  }
  s.game->display.skipDrawing = false;
}

void PlainStep(benchmark::State& state) { Steps(state, true); }
BENCHMARK(PlainStep)->Unit(benchmark::kMicrosecond);

void StepWithoutDrawing(benchmark::State& state) { Steps(state, false); }
BENCHMARK(StepWithoutDrawing)->Unit(benchmark::kMicrosecond);

void SnapshotSaveAndRestore(benchmark::State& state) {
  Stage& s = TheStage();
  s.Restart();
  kt::Snapshot snap;
  for (auto _ : state) {
    kt::SaveSnapshot(*s.game, snap, s.maps);
    kt::RestoreSnapshot(*s.game, snap);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(SnapshotSaveAndRestore)->Unit(benchmark::kMicrosecond);

// Restore the snapshot of 8 steps ago, then simulate the 8 steps again
// without drawing, saving each one's snapshot.
void Rollback8(benchmark::State& state) {
  Stage& s = TheStage();
  s.Restart();
  std::array<kt::Snapshot, 9> ring;
  kt::SaveSnapshot(*s.game, ring[0], s.maps);
  const uint32_t from = s.tick;
  for (auto _ : state) {
    kt::RestoreSnapshot(*s.game, ring[0]);
    s.tick = from;
    s.game->display.skipDrawing = true;
    for (size_t i = 1; i <= 8; ++i) {
      s.Step();
      kt::SaveSnapshot(*s.game, ring[i], s.maps);
    }
    s.game->display.skipDrawing = false;
  }
}
BENCHMARK(Rollback8)->Unit(benchmark::kMicrosecond);

// The check every save makes of the stage map, which snapshots share until it changes.
void StageMapCheck(benchmark::State& state) {
  Stage& s = TheStage();
  for (auto _ : state) benchmark::DoNotOptimize(s.maps.Share(s.game->StageMap).get());
}
BENCHMARK(StageMapCheck)->Unit(benchmark::kMicrosecond);

void HashOfSnapshot(benchmark::State& state) {
  Stage& s = TheStage();
  s.Restart();
  for (auto _ : state) benchmark::DoNotOptimize(kt::HashState(s.start).total);
}
BENCHMARK(HashOfSnapshot)->Unit(benchmark::kMicrosecond);

}  // namespace
