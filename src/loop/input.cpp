#include "loop/input.hpp"

#include "loop/game.hpp"
#include "loop/ticks.hpp"

namespace kt {

void NoteKeyPresses(Game& g) {
  InputState& in = g.input;
  for (size_t k = 0; k < g.KeyState.size(); ++k) {
    if (in.HeldBack[k]) {
      if (g.KeyState[k]) {
        g.KeyState[k] = false;
        in.Levels[k] = false;
        continue;
      }
      in.HeldBack[k] = false;
    }
    if (g.KeyState[k] && !in.Levels[k]) {
      in.Pending[k] = true;
      in.PressTick[k] = g.FrameTick;
    }
    in.Levels[k] = g.KeyState[k];
    if (in.Pending[k]) g.KeyState[k] = true;
  }
}

void ClearPendingPresses(Game& g) { g.input.Pending.fill(false); }

void ForgetPressesSince(Game& g, const std::array<int32_t, 256>& before) {
  InputState& in = g.input;
  for (size_t k = 0; k < in.PressTick.size(); ++k) {
    in.Pending[k] = false;
    if (in.PressTick[k] == before[k]) continue;
    in.PressTick[k] = before[k];
    if (g.KeyState[k]) {
      in.HeldBack[k] = true;
      g.KeyState[k] = false;
      in.Levels[k] = false;
    }
  }
}

bool MenuKeyActs(const Game& g, uint8_t key, bool repeatDue) {
  if (g.input.Pending[key]) return true;
  return repeatDue && g.KeyState[key] && TimeReached(g.FrameTick, g.input.PressTick[key], kKeyRepeatDelayMs);
}

bool PressedAfter(const Game& g, uint8_t key, int32_t since) {
  const uint32_t pressed = Elapsed(g.input.PressTick[key], since);
  return pressed > 0 && pressed <= Elapsed(g.FrameTick, since);
}

}  // namespace kt
