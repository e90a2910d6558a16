#pragma once
// Snapshots: a copy of everything the state hash covers, so a game can be put
// back to an earlier step and played on from there (online play rolls back
// this way when a partner's keys arrive late). The pictures, the sounds and
// the runner's hooks are not part of it.
//
// The stage map (360 KB) changes only while the boss arena is built, so
// snapshots share one copy of it until it changes: a save compares the map
// with the copy it shares and makes a new one only when they differ.
#include <cstdint>
#include <memory>

#include "loop/game.hpp"

namespace kt {

// The members of `Game` a snapshot holds, besides the stage map.
#define KT_SNAPSHOT_MEMBERS(X)                                                                                  \
  X(SceneId) X(FrameTick) X(LastStepTick) X(LastPollTick) X(CameraX) X(CameraY) X(CostumeToggle) X(QuitRequested) \
  X(KeyState) X(input) X(rng) X(settings) X(Kurara) X(Tavo) X(enemies) X(stage) X(hud) X(bossStage) X(ending)     \
  X(Boss) X(BossBeam) X(front) X(card) X(PauseCursor) X(ExtraEnemiesOverride) X(PlayersOverride)

struct Snapshot {
#define KT_SNAPSHOT_DECLARE(name) decltype(Game::name) name{};
  KT_SNAPSHOT_MEMBERS(KT_SNAPSHOT_DECLARE)
#undef KT_SNAPSHOT_DECLARE
  std::shared_ptr<const StageMapData> StageMap;
};

// The stage map copies a run of snapshots shares: the newest one, which the
// next save compares with.
class MapShare {
 public:
  // The shared copy equal to `map`, made anew only if the map changed.
  std::shared_ptr<const StageMapData> Share(const StageMapData& map);

 private:
  std::shared_ptr<const StageMapData> last_;
};

void SaveSnapshot(const Game& g, Snapshot& s, MapShare& maps);
void RestoreSnapshot(Game& g, const Snapshot& s);

}  // namespace kt
