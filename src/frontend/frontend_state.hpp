#pragma once
// The globals of the title sequence, the main menu and the options screen.
#include <array>
#include <cstdint>
#include <string>

#include "enemies/enemy_state.hpp"
#include "platform/bindings.hpp"
#include "platform/surface.hpp"

namespace kt {

// Title sequence phases.
namespace opening {
inline constexpr int32_t BoxFalls = 0;
inline constexpr int32_t Fountain = 1;
inline constexpr int32_t HeroesDrop = 2;
inline constexpr int32_t PanAndWalk = 3;
inline constexpr int32_t Hold = 4;
}  // namespace opening

// Main-menu rows and start choices, options rows: each is the y at which the
// item is drawn.
namespace menu {
inline constexpr int32_t RowStart = 300, RowOptions = 350, RowQuit = 400;
inline constexpr int32_t OnePlayer = 195, TwoPlayers = 305;
inline constexpr int32_t RowAmount = 85, RowHitGauge = 260, RowHurtGauge = 305, RowLives = 375, RowExit = 440;
}  // namespace menu

// The twelve extra fountain tables: ten figures each (entry 0 unused), drawn
// with the twelve pictures of `tobidasi`.
inline constexpr int kPopTables = 12;
inline constexpr int kPopEntries = 11;
using PopTable = std::array<Enemy, kPopEntries>;

struct FrontEndState {
  int32_t OpeningTick = 0;  // FrameTick of the title set-up
  int32_t OpeningPhase = opening::BoxFalls;
  // The falling box: position, fall speed, source top of its picture (0, 200
  // or 400) and the steps counted since it landed.
  int32_t BoxX = 0, BoxY = 0, BoxSpeed = 0, BoxTop = 0, BoxCount = 0;
  int32_t FountainPattern = 1;  // 1..9 cycling; its parity sends thrown figures right or left; 0 ends the fountain
  int32_t FountainRounds = 0;   // entries per table in motion
  int32_t FountainTick = 0;     // start of the current 8000 ms round
  int32_t PromptBlink = 0;      // 0..49; "press Enter" shows while below 30
  int32_t MenuPollTick = 0;     // last key handling of the menu and the options screen
  int32_t MenuRow = menu::RowStart;
  int32_t MenuChoice = menu::OnePlayer;
  int32_t OptionsRow = menu::RowAmount;
  std::array<PopTable, kPopTables> PopTables{};
};

}  // namespace kt

namespace kt {

// The controls card (F1): every binding of both heroes and the shared keys,
// over whatever the screen shows; the scene beneath waits while it is shown.
namespace card {
inline constexpr int32_t kHeroRows = 8;    // rows 0..7: the hero actions
inline constexpr int32_t kRows = 12;       // rows 8..11: the shared actions
inline constexpr int32_t kLabelWidth = 176;  // room for an action's name
inline constexpr int32_t kColumnWidth = 96;  // for a key's or a button's name
}  // namespace card

struct ControlsCardState {
  bool Shown = false;
  int32_t Row = 0;
  int32_t Column = 1;      // on a hero row: 0 Kurara, 1 Tavo
  bool Waiting = false;    // for the key or button to bind
  int32_t StepTick = 0;    // FrameTick of the card's last step
  int32_t RepeatTick = 0;  // when a held key last acted
  bool HoldUsed = false;   // the Space held now has opened the card on the title already
  std::string Notice;      // what the last rebinding did
  std::string Swapped;     // and whose key or button it swapped
  std::array<int32_t, 256> PressTicks{};  // the keys' press ticks when the card opened
  // The two pictures of the flip chain the card is drawn over, put back
  // when it closes.
  Surface UnderBack, UnderFront;
};

}  // namespace kt
