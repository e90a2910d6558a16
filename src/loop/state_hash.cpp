#include "loop/state_hash.hpp"

#include "loop/snapshot.hpp"

#define XXH_STATIC_LINKING_ONLY  // the streaming state on the stack
#include <xxhash.h>
#if defined(__x86_64__)
// The library's entry points that pick the widest vector unit the processor
// has (the same hash, two to three times as fast as the SSE2 ones).
#include <xxh_x86dispatch.h>
#endif

#include <bit>

#include <cstdio>
#include <type_traits>

namespace kt {

namespace {

constexpr std::array<std::string_view, kHashGroups> kGroupNames{
    "loop", "settings", "random", "kurara", "tavo", "gek", "kurosuke", "patatta",
    "sikaky", "mogeta", "byoon", "boss", "stage", "hud", "frontend", "ending",
};

// One group's hash, fed record by record. Records made only of 32-bit fields
// go in whole; anything with padding goes in field by field.
class Feed {
 public:
  Feed() { XXH3_64bits_reset(&state_); }

  template <typename T>
  Feed& Record(const T& record) {
    static_assert(std::has_unique_object_representations_v<T>, "a record with padding bytes: feed its fields");
    XXH3_64bits_update(&state_, &record, sizeof record);
    return *this;
  }
  Feed& Int(int64_t v) { return Record(v); }

  uint64_t Done() { return XXH3_64bits_digest(&state_); }

 private:
  XXH3_state_t state_;
};

template <typename S>
uint64_t LoopHash(const S& g) {
  Feed f;
  f.Int(g.SceneId).Int(g.FrameTick).Int(g.LastStepTick).Int(g.LastPollTick);
  f.Int(g.CameraX).Int(g.CameraY).Int(g.CostumeToggle).Int(g.QuitRequested).Int(g.PauseCursor);
  for (const KeyTable* table : {&g.KeyState, &g.input.Levels, &g.input.Pending}) {
    std::array<uint8_t, 256> keys{};
    for (size_t k = 0; k < keys.size(); ++k) keys[k] = (*table)[k] ? 1 : 0;
    f.Record(keys);
  }
  f.Record(g.input.PressTick);
  return f.Done();
}

uint64_t SettingsHash(const Settings& s) {
  Feed f;
  for (int32_t v : {s.EnemyAmount, s.EnemyAmountLow, s.EnemyAmountMid, s.EnemyAmountHigh, s.AmountMarkX,
                    s.HitGaugeMarkX, s.HurtGaugeMarkX, s.LivesMarkX, s.LivesSetting, s.FullHitGauge,
                    s.FullHurtGauge, s.OnePlayerMode, s.MogetaOff, s.ByoonOff})
    f.Int(v);
  f.Record(std::bit_cast<uint32_t>(s.DegToRad)).Int(s.GraphicsReady);
  return f.Done();
}

// The map changes only when it is loaded and when the boss arena is written
// into it: its hash is taken again only then.
uint64_t MapHash(const StageMapData& map) {
  if (!map.Hashed || map.HashedVersion != map.Version) {
    map.Hash = XXH3_64bits(map.cells.data(), sizeof map.cells);
    map.HashedVersion = map.Version;
    map.Hashed = true;
  }
  return map.Hash;
}

}  // namespace

std::string_view HashGroupName(HashGroup group) { return kGroupNames[static_cast<size_t>(group)]; }

std::optional<HashGroup> HashGroupFromName(std::string_view name) {
  for (size_t i = 0; i < kHashGroups; ++i)
    if (kGroupNames[i] == name) return static_cast<HashGroup>(i);
  return std::nullopt;
}

namespace {

// A game and a snapshot hold the same records under the same names.
template <typename S>
StateHashes HashOf(const S& g, const StageMapData& map) {
  StateHashes h;
  const auto set = [&](HashGroup group, uint64_t value) { h.groups[static_cast<size_t>(group)] = value; };
  set(HashGroup::Loop, LoopHash(g));
  set(HashGroup::Settings, SettingsHash(g.settings));
  set(HashGroup::Random, Feed().Record(g.rng.State()).Done());
  set(HashGroup::Kurara, Feed().Record(g.Kurara).Done());
  set(HashGroup::Tavo, Feed().Record(g.Tavo).Done());
  set(HashGroup::Gek, Feed().Record(g.enemies.gek).Done());
  set(HashGroup::Kurosuke, Feed().Record(g.enemies.kurosuke).Done());
  set(HashGroup::Patatta, Feed().Record(g.enemies.patatta).Done());
  set(HashGroup::Sikaky, Feed().Record(g.enemies.sikaky).Done());
  set(HashGroup::Mogeta, Feed().Record(g.enemies.mogeta).Done());
  set(HashGroup::Byoon, Feed().Record(g.enemies.byoon).Done());
  set(HashGroup::Boss, Feed().Record(g.Boss).Record(g.BossBeam).Done());
  set(HashGroup::Stage, Feed().Record(g.stage).Record(g.bossStage).Int(static_cast<int64_t>(MapHash(map))).Done());
  set(HashGroup::Hud, Feed().Record(g.hud).Done());
  const ControlsCardState& c = g.card;
  set(HashGroup::FrontEnd, Feed()
                               .Record(g.front)
                               .Int(g.PlayersOverride)
                               .Int(g.ExtraEnemiesOverride)
                               .Int(c.Shown)
                               .Int(c.Row)
                               .Int(c.Column)
                               .Int(c.Waiting)
                               .Int(c.StepTick)
                               .Int(c.RepeatTick)
                               .Int(c.HoldUsed)
                               .Record(c.PressTicks)
                               .Done());
  set(HashGroup::Ending, Feed().Record(g.ending).Done());
  h.total = CombineGroups(h.groups);
  return h;
}

}  // namespace

StateHashes HashState(const Game& g) { return HashOf(g, g.StageMap); }

uint64_t LoopGroupHash(const Game& g) { return LoopHash(g); }

uint64_t CombineGroups(const std::array<uint64_t, kHashGroups>& groups) {
  return XXH3_64bits(groups.data(), sizeof groups);
}

StateHashes HashState(const Snapshot& s) {
  static const StageMapData kNoMap{};
  return HashOf(s, s.StageMap ? *s.StageMap : kNoMap);
}

std::string HashHex(uint64_t h) {
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
  return buf;
}

}  // namespace kt
