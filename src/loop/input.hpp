#pragma once
// What the game remembers of the keys between passes: the table of the last
// pass, the presses no scene step has seen yet, and when each key last went
// down. The frame loop keeps it; the menus read it to tell a fresh press from
// a key that is still held.
#include <array>
#include <cstdint>

#include "platform/keys.hpp"

namespace kt {

struct Game;

struct InputState {
  KeyTable Levels{};                   // the key table as the platform delivered it for the last pass
  KeyTable Pending{};                  // went down since the last scene step
  std::array<int32_t, 256> PressTick{};  // FrameTick of the pass on which each key last went down
  KeyTable HeldBack{};                 // pressed for the controls card: nothing to the scenes until let go
};

// A held menu key starts repeating this long after it went down.
inline constexpr uint32_t kKeyRepeatDelayMs = 300;

// Called at the start of a pass, after FrameTick is read: notes the keys that
// went down since the last pass, and lets a press that is already released
// still show in `KeyState` until a scene step has seen it. A key held back
// shows as up until it is let go.
void NoteKeyPresses(Game& g);

// The presses made since `before` was taken (a copy of PressTick) were meant
// for something else (the controls card): the scenes never see them. Their
// keys that are still down are held back until let go.
void ForgetPressesSince(Game& g, const std::array<int32_t, 256>& before);

// Called after a scene step ran: its presses have been seen.
void ClearPendingPresses(Game& g);

// A menu key's action this step: a fresh press acts at once, a key held for
// `kKeyRepeatDelayMs` acts again whenever `repeatDue` (the menu's own pace).
bool MenuKeyActs(const Game& g, uint8_t key, bool repeatDue);

// Whether `key` went down after the pass whose tick was `since` (and by now).
bool PressedAfter(const Game& g, uint8_t key, int32_t since);

}  // namespace kt
