#include "world/pause.hpp"

#include <algorithm>

#include "loop/draw.hpp"
#include "loop/input.hpp"
#include "loop/sound.hpp"
#include "loop/ticks.hpp"

namespace kt {

namespace {

struct PauseItem {
  Rect normal, selected;
  int32_t dx, dy;
};
// Continue, restart the stage, quit to the title.
constexpr PauseItem kItems[] = {
    {{0, 370, 185, 407}, {0, 407, 185, 442}, 220, 135},
    {{0, 300, 282, 333}, {0, 333, 282, 368}, 180, 220},
    {{185, 370, 400, 407}, {185, 407, 400, 442}, 210, 300},
};

void Choose(Game& g) {
  switch (g.PauseCursor) {
    case 0:
      g.SceneId = scene::Gameplay;  // the stage music never stopped
      break;
    case 1:
      g.SceneId = scene::StageStart;
      SoundStop(g, Sfx::OP);
      break;
    case 2:
      g.SceneId = scene::TitleSetup;
      SoundStop(g, Sfx::OP);
      break;
    default:
      break;
  }
}

}  // namespace

void PauseStep(Game& g) {
  // Keys share the frame loop's poll clock. A press acts at once (the Enter
  // that opened the menu does not count); a held key repeats every 240 ms
  // once it has been down for the repeat delay.
  const bool repeatDue = TimeReached(g.FrameTick, g.LastPollTick, 240);
  const auto acts = [&](uint8_t key) {
    if (!MenuKeyActs(g, key, repeatDue)) return false;
    g.LastPollTick = g.FrameTick;
    return true;
  };
  if (acts(vk::Enter)) Choose(g);
  if (acts(vk::Down)) g.PauseCursor = std::min(g.PauseCursor + 1, 2);
  if (acts(vk::Up)) g.PauseCursor = std::max(g.PauseCursor - 1, 0);

  // The panel over the frozen stage picture.
  DrawPiece(g, Bmp::GameOption, 0, 0, 400, 300, g.CameraX + 120, g.CameraY + 90);
  for (int32_t i = 0; i < 3; ++i) {
    const PauseItem& item = kItems[i];
    const Rect& r = g.PauseCursor == i ? item.selected : item.normal;
    DrawPiece(g, Bmp::GameOption, r.Left, r.Top, r.Right, r.Bottom, g.CameraX + item.dx, g.CameraY + item.dy);
  }
}

}  // namespace kt
