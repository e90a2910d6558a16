#include "loop/snapshot.hpp"

#include <cstring>

namespace kt {

std::shared_ptr<const StageMapData> MapShare::Share(const StageMapData& map) {
  if (!last_ || std::memcmp(last_->cells.data(), map.cells.data(), sizeof map.cells) != 0)
    last_ = std::make_shared<const StageMapData>(map);
  return last_;
}

void SaveSnapshot(const Game& g, Snapshot& s, MapShare& maps) {
#define KT_SNAPSHOT_SAVE(name) s.name = g.name;
  KT_SNAPSHOT_MEMBERS(KT_SNAPSHOT_SAVE)
#undef KT_SNAPSHOT_SAVE
  s.StageMap = maps.Share(g.StageMap);
}

void RestoreSnapshot(Game& g, const Snapshot& s) {
#define KT_SNAPSHOT_RESTORE(name) g.name = s.name;
  KT_SNAPSHOT_MEMBERS(KT_SNAPSHOT_RESTORE)
#undef KT_SNAPSHOT_RESTORE
  if (s.StageMap && std::memcmp(s.StageMap->cells.data(), g.StageMap.cells.data(), sizeof g.StageMap.cells) != 0)
    g.StageMap = *s.StageMap;
}

}  // namespace kt
