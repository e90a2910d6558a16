#pragma once
// The state hash: 64 bits over everything that decides the following steps
// (every scene's globals, both heroes, every enemy slot, the boss and its
// beam, the combo, the settings, the random source, the stage map, the keys
// held), and nothing that only shows (pictures, the blit rectangle, the
// sounds, which no step reads back). Each group of records has a hash of its
// own, so a replay that parts from its demo can say which records differ.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "loop/game.hpp"

namespace kt {

enum class HashGroup : uint8_t {
  Loop,      // scene, clocks, camera, costume, pause cursor, keys held
  Settings,  // the options and the game mode
  Random,    // the random source
  Kurara,
  Tavo,
  Gek,
  Kurosuke,
  Patatta,
  Sikaky,
  Mogeta,
  Byoon,
  Boss,      // the boss and its beam
  Stage,     // the stage's and the boss stage's globals and the stage map
  Hud,       // backdrop scroll and combo
  FrontEnd,  // title, menu and options globals, the fountain, the runner's overrides
  Ending,
};
inline constexpr size_t kHashGroups = 16;

std::string_view HashGroupName(HashGroup group);
std::optional<HashGroup> HashGroupFromName(std::string_view name);

struct StateHashes {
  std::array<uint64_t, kHashGroups> groups{};
  uint64_t total = 0;

  uint64_t Of(HashGroup g) const { return groups[static_cast<size_t>(g)]; }
};

struct Snapshot;

StateHashes HashState(const Game& g);
StateHashes HashState(const Snapshot& s);
inline uint64_t StateHash(const Game& g) { return HashState(g).total; }

// The loop group alone (it is all a pass changes after its scene step).
uint64_t LoopGroupHash(const Game& g);
// The whole hash from the groups' hashes.
uint64_t CombineGroups(const std::array<uint64_t, kHashGroups>& groups);

// 16 lower-case hex digits.
std::string HashHex(uint64_t h);

}  // namespace kt
