#include "frontend/menu.hpp"

#include "heroes/kurara.hpp"
#include "heroes/tavo.hpp"
#include "loop/draw.hpp"
#include "loop/input.hpp"
#include "loop/sound.hpp"
#include "loop/ticks.hpp"

namespace kt {

void SetEnemyCounts(Game& g) {
  struct Counts {
    int32_t amount, gek, kurosuke, patatta, sikaky, mogeta, byoon;
  };
  static constexpr Counts kCounts[] = {
      {10, 4, 14, 6, 2, 5, 5},
      {20, 5, 15, 3, 5, 5, 5},
      {30, 23, 12, 9, 7, 5, 5},
  };
  for (const Counts& c : kCounts) {
    if (c.amount != g.settings.EnemyAmount) continue;
    StageState& s = g.stage;
    s.GekCount = c.gek;
    s.KurosukeCount = c.kurosuke;
    s.PatattaCount = c.patatta;
    s.SikakyCount = c.sikaky;
    s.MogetaCount = c.mogeta;
    s.ByoonCount = c.byoon;
  }
}

void MenuSetup(Game& g) {
  SoundStop(g, Sfx::story);
  // The extra kinds stay out unless M or B is held in this visit of the menu.
  g.settings.MogetaOff = 1;
  g.settings.ByoonOff = 1;
  SetEnemyCounts(g);
  DrawPiece(g, Bmp::OPhaikei, 0, 0, 640, 480, g.CameraX, g.CameraY);
  TavoDraw(g);
  KuraraDraw(g);
  g.SceneId = scene::Menu;
}

namespace {

struct MenuItem {
  Rect normal, selected;
  int32_t dx, dy;
};
constexpr MenuItem kOnePlayer{{0, 100, 100, 138}, {100, 100, 200, 138}, 195, 300};
constexpr MenuItem kTwoPlayers{{200, 100, 300, 138}, {300, 100, 400, 138}, 305, 300};
constexpr MenuItem kOptions{{400, 100, 520, 140}, {520, 100, 640, 140}, 235, 350};
constexpr MenuItem kQuit{{0, 140, 80, 180}, {80, 140, 160, 180}, 250, 400};

void DrawItem(Game& g, const MenuItem& item, bool selected) {
  const Rect& r = selected ? item.selected : item.normal;
  DrawPiece(g, Bmp::optionmoji, r.Left, r.Top, r.Right, r.Bottom, g.CameraX + item.dx, g.CameraY + item.dy);
}

void MenuDraw(Game& g) {
  const FrontEndState& f = g.front;
  DrawPiece(g, Bmp::OPhaikei, g.CameraX, 0, g.CameraX + 640, 480, g.CameraX, 100);
  TavoDraw(g);
  KuraraDraw(g);
  DrawPiece(g, Bmp::haikei256, 0, 630, 640, 710, g.CameraX, 516);
  const bool start = f.MenuRow == menu::RowStart;
  DrawItem(g, kOnePlayer, start && f.MenuChoice == menu::OnePlayer);
  DrawItem(g, kTwoPlayers, start && f.MenuChoice == menu::TwoPlayers);
  DrawItem(g, kOptions, f.MenuRow == menu::RowOptions);
  DrawItem(g, kQuit, f.MenuRow == menu::RowQuit);
  // The title logo.
  DrawPiece(g, Bmp::haikei256, 3840, 0, 4480, 190, g.CameraX - 10, g.CameraY + 50);
}

void Choose(Game& g) {
  FrontEndState& f = g.front;
  switch (f.MenuRow) {
    case menu::RowStart:
      SoundPlay(g, Sfx::kettei);
      g.settings.OnePlayerMode = f.MenuChoice == menu::OnePlayer ? 1 : 2;
      if (g.PlayersOverride != 0) g.settings.OnePlayerMode = g.PlayersOverride;
      if (g.ExtraEnemiesOverride) g.settings.MogetaOff = g.settings.ByoonOff = 0;
      g.SceneId = scene::StageStart;
      break;
    case menu::RowOptions:
      SoundPlay(g, Sfx::kettei);
      g.SceneId = scene::Options;
      break;
    case menu::RowQuit:
      // The last staff page, then the end of the program.
      g.ending.StaffX = g.CameraX + 135;
      g.ending.StaffY = g.CameraY + 165;
      g.ending.EndingPhase = 7;
      g.ending.EndingCount = 0;  // a finished game leaves the count of its final pose
      g.SceneId = scene::Ending;
      SoundPlay(g, Sfx::kettei);
      break;
    default:
      break;
  }
}

}  // namespace

void MenuStep(Game& g) {
  MenuDraw(g);

  FrontEndState& f = g.front;
  // A press acts at once; a key held past the repeat delay acts again every
  // 240 ms. M and B only need to be down at some step in the menu.
  if (g.KeyState['M']) g.settings.MogetaOff = 0;
  if (g.KeyState['B']) g.settings.ByoonOff = 0;
  const bool repeatDue = TimePassed(g.FrameTick, f.MenuPollTick, 240);
  const auto acts = [&](uint8_t key) {
    if (!MenuKeyActs(g, key, repeatDue)) return false;
    f.MenuPollTick = g.FrameTick;
    return true;
  };
  const auto move = [&](int32_t& value, int32_t to) {
    SoundPlay(g, Sfx::sentaku);
    value = to;
  };
  if (acts(vk::Enter)) Choose(g);
  if (acts(vk::Right) && f.MenuRow == menu::RowStart && f.MenuChoice == menu::OnePlayer)
    move(f.MenuChoice, menu::TwoPlayers);
  if (acts(vk::Left) && f.MenuRow == menu::RowStart && f.MenuChoice == menu::TwoPlayers)
    move(f.MenuChoice, menu::OnePlayer);
  if (acts(vk::Up)) {
    if (f.MenuRow == menu::RowOptions) {
      move(f.MenuRow, menu::RowStart);
    } else if (f.MenuRow == menu::RowQuit) {
      move(f.MenuRow, menu::RowOptions);
    }
  }
  if (acts(vk::Down)) {
    if (f.MenuRow == menu::RowStart) {
      move(f.MenuRow, menu::RowOptions);
    } else if (f.MenuRow == menu::RowOptions) {
      move(f.MenuRow, menu::RowQuit);
    }
  }
}

}  // namespace kt
