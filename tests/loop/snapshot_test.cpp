// Snapshots hold everything the state hash covers: a snapshot restored into
// another game hashes as the saved game did, and the steps played on from it
// come out exactly as they did the first time, all through a whole recorded
// two-player playthrough (the boss arena's rewrite of the stage map too).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "loop/demo.hpp"
#include "loop/frame_loop.hpp"
#include "loop/snapshot.hpp"
#include "loop/sound.hpp"
#include "loop/startup.hpp"
#include "loop/state_fields.hpp"
#include "loop/state_hash.hpp"
#include "state_walk.hpp"

namespace kt {
namespace {

using test::ChangeOne;

std::unique_ptr<Game> GameInTheStage(std::unique_ptr<HeadlessPlatform>& platform) {
  return test::GameInTheStage(platform, 9, "300\n100 Enter\n300\n100 Enter\n3000\n2000 Right V\n");
}

TEST(Snapshot, CarriesEveryFieldTheHashSees) {
  std::unique_ptr<HeadlessPlatform> platform;
  auto g = GameInTheStage(platform);
  ASSERT_EQ(g->SceneId, scene::Gameplay);
  MapShare maps;
  ChangeOne counter(-1);
  VisitState(*g, counter);
  auto other = NewGame();
  for (int i = 0; i < counter.Count(); ++i) {
    ChangeOne bump(i);
    VisitState(*g, bump);
    Snapshot s;
    SaveSnapshot(*g, s, maps);
    RestoreSnapshot(*other, s);
    const uint64_t want = StateHash(*g);
    EXPECT_EQ(StateHash(*other), want) << bump.Changed() << " is lost by a snapshot";
    EXPECT_EQ(HashState(s).total, want) << bump.Changed();
  }
  // The fields the dump does not show, and the map, which snapshots share.
  g->enemies.byoon[3].LeapRoll += 7;
  g->Kurara.Particles[5].Angle += 3;
  g->StageMap.At(260, 5) = 1;
  Snapshot s;
  SaveSnapshot(*g, s, maps);
  RestoreSnapshot(*other, s);
  EXPECT_EQ(StateHash(*other), StateHash(*g));
}

TEST(Snapshot, SnapshotsShareTheStageMapUntilItChanges) {
  auto g = NewGame();
  MapShare maps;
  Snapshot a, b, c;
  SaveSnapshot(*g, a, maps);
  g->Kurara.X += 5;
  SaveSnapshot(*g, b, maps);
  EXPECT_EQ(a.StageMap.get(), b.StageMap.get());
  g->StageMap.At(270, 30) = 1;
  SaveSnapshot(*g, c, maps);
  EXPECT_NE(b.StageMap.get(), c.StageMap.get());
  EXPECT_EQ(a.StageMap->At(270, 30), 0);
  // Back to the map before the change, and on to the changed one again.
  RestoreSnapshot(*g, a);
  EXPECT_EQ(g->StageMap.At(270, 30), 0);
  EXPECT_EQ(StateHash(*g), HashState(a).total);
  RestoreSnapshot(*g, c);
  EXPECT_EQ(g->StageMap.At(270, 30), 1);
}

// Steps that draw nothing and sounds that are only recorded change nothing a
// step decides.
TEST(Snapshot, StepsWithoutDrawingOrSoundPlayTheSame) {
  std::unique_ptr<HeadlessPlatform> platform;
  auto g = GameInTheStage(platform);
  MapShare maps;
  Snapshot start;
  SaveSnapshot(*g, start, maps);
  auto quiet = NewGame();
  RestoreSnapshot(*quiet, start);
  quiet->display.World() = Surface(5800, 1100);
  quiet->display.skipDrawing = true;
  std::vector<SoundRequest> sounds;
  quiet->audio.requests = &sounds;
  const std::vector<uint16_t> worldBefore = g->display.World().px;
  uint32_t tick = static_cast<uint32_t>(g->FrameTick);
  for (int step = 0; step < 200; ++step) {
    tick += 32;
    for (Game* game : {g.get(), quiet.get()}) {
      game->KeyState.fill(false);
      game->KeyState[step % 40 < 25 ? vk::Right : vk::Left] = true;
      game->KeyState[step % 7 == 0 ? 'L' : 'S'] = true;
      FrameStep(*game, tick);
    }
    ASSERT_EQ(StateHash(*quiet), StateHash(*g)) << "step " << step;
  }
  EXPECT_FALSE(sounds.empty());
  EXPECT_NE(g->display.World().px, worldBefore);
  EXPECT_TRUE(std::all_of(quiet->display.World().px.begin(), quiet->display.World().px.end(),
                          [](uint16_t p) { return p == 0; }));
}

// A snapshot is taken every few passes of a whole recorded playthrough; the
// next passes are played again on another game restored from it, without
// drawing, and must hash as the recorded run did.
TEST(Snapshot, ReplayingFromSnapshotsFollowsAWholePlaythrough) {
  const Demo demo = LoadDemo(KT_SOURCE_DIR "/tests/demos/playthrough-2p-extra.demo");
  auto g = NewGame();
  DemoPlayer player(demo, nullptr);
  Startup(*g, player, {KT_DATA_DIR, demo.start.seed});
  player.Begin(*g);
  g->display.skipDrawing = true;  // quicker, and the pictures are no state
  MapShare maps;
  auto other = NewGame();
  other->display.skipDrawing = true;

  constexpr size_t kWindow = 8;
  struct Pass {
    uint32_t tick;
    KeyTable keys;
  };
  Snapshot saved;
  uint64_t savedHash = 0;
  std::vector<Pass> since;
  int checked = 0;
  bool sawArena = false;
  int64_t pass = 0;
  while (!player.Finished()) {
    const KeyTable keys = g->KeyState;
    if (!FramePass(*g, player)) break;
    ++pass;
    if (g->bossStage.BossPhase == 1) sawArena = true;
    if (savedHash != 0) since.push_back({static_cast<uint32_t>(g->FrameTick), keys});
    if (since.size() == kWindow) {
      RestoreSnapshot(*other, saved);
      ASSERT_EQ(StateHash(*other), savedHash) << "pass " << pass;
      for (const Pass& p : since) {
        other->KeyState = p.keys;
        FrameStep(*other, p.tick);
      }
      other->KeyState = g->KeyState;  // the table delivered at the end of the last pass
      const StateHashes want = HashState(*g), got = HashState(*other);
      std::string groups;
      for (size_t i = 0; i < kHashGroups; ++i)
        if (want.groups[i] != got.groups[i]) groups += " " + std::string(HashGroupName(static_cast<HashGroup>(i)));
      ASSERT_EQ(got.total, want.total) << "the passes up to " << pass << " played again differ in" << groups
                                       << " (scene " << g->SceneId << ")";
      ++checked;
      since.clear();
      savedHash = 0;
    }
    if (savedHash == 0 && pass % 13 == 0) {
      SaveSnapshot(*g, saved, maps);
      savedHash = StateHash(*g);
    }
  }
  const ReplayResult r = player.End(*g);
  ASSERT_FALSE(r.mismatch) << DescribeMismatch(*r.mismatch);
  EXPECT_TRUE(r.Ran(scene::Ending));
  EXPECT_TRUE(sawArena);
  EXPECT_GT(checked, 300);
}

}  // namespace
}  // namespace kt
