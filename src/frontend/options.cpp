#include "frontend/options.hpp"

#include <algorithm>
#include <array>

#include "loop/draw.hpp"
#include "loop/input.hpp"
#include "loop/sound.hpp"
#include "loop/ticks.hpp"

namespace kt {

namespace {

// Marker x of each choice. The amount markers go with EnemyAmountLow, Mid and
// High, the lives markers with 1 to 5 lives.
constexpr std::array<int32_t, 3> kAmountMarks{295, 375, 470};
constexpr std::array<int32_t, 5> kLivesMarks{315, 375, 435, 495, 555};
constexpr int32_t kGaugeOn = 360, kGaugeOff = 445;

template <size_t N>
int IndexOf(const std::array<int32_t, N>& marks, int32_t x) {
  for (size_t i = 0; i < N; ++i)
    if (marks[i] == x) return static_cast<int>(i);
  return -1;
}

// The marker one choice to the left (-1) or right (+1) of `mark`, or -1 at
// either end (or for a marker that is no choice).
template <size_t N>
int Neighbour(const std::array<int32_t, N>& marks, int32_t mark, int dir) {
  const int i = IndexOf(marks, mark);
  if (i < 0) return -1;
  const int j = i + dir;
  return j >= 0 && j < static_cast<int>(N) ? j : -1;
}

void Changed(Game& g) { SoundPlay(g, Sfx::sentaku); }

void MoveAmount(Game& g, int dir) {
  Settings& s = g.settings;
  const int j = Neighbour(kAmountMarks, s.AmountMarkX, dir);
  if (j < 0) return;
  s.AmountMarkX = kAmountMarks[static_cast<size_t>(j)];
  const int32_t amounts[] = {s.EnemyAmountLow, s.EnemyAmountMid, s.EnemyAmountHigh};
  s.EnemyAmount = amounts[j];
  Changed(g);
}

void MoveLives(Game& g, int dir) {
  Settings& s = g.settings;
  const int j = Neighbour(kLivesMarks, s.LivesMarkX, dir);
  if (j < 0) return;
  s.LivesMarkX = kLivesMarks[static_cast<size_t>(j)];
  s.LivesSetting = j + 1;
  Changed(g);
}

// Right turns a full gauge off, Left on.
void SetGauge(Game& g, int32_t& mark, int32_t& full, bool on) {
  const int32_t from = on ? kGaugeOff : kGaugeOn;
  if (mark != from) return;
  mark = on ? kGaugeOn : kGaugeOff;
  full = on ? 1 : 0;
  Changed(g);
}

void Sideways(Game& g, int dir) {
  Settings& s = g.settings;
  switch (g.front.OptionsRow) {
    case menu::RowAmount: MoveAmount(g, dir); break;
    case menu::RowHitGauge: SetGauge(g, s.HitGaugeMarkX, s.FullHitGauge, dir < 0); break;
    case menu::RowHurtGauge: SetGauge(g, s.HurtGaugeMarkX, s.FullHurtGauge, dir < 0); break;
    case menu::RowLives: MoveLives(g, dir); break;
    default: break;
  }
}

constexpr std::array<int32_t, 5> kRows{menu::RowAmount, menu::RowHitGauge, menu::RowHurtGauge, menu::RowLives,
                                       menu::RowExit};

void MoveRow(Game& g, int dir) {
  const int j = Neighbour(kRows, g.front.OptionsRow, dir);
  if (j < 0) return;
  g.front.OptionsRow = kRows[static_cast<size_t>(j)];
  Changed(g);
}

// A press acts at once; a key held past the repeat delay acts again every
// 90 ms, as long as it is held.
bool Keys(Game& g) {
  const bool repeatDue = TimePassed(g.FrameTick, g.front.MenuPollTick, 90);
  bool acted = false;
  const auto acts = [&](uint8_t key) {
    const bool a = MenuKeyActs(g, key, repeatDue);
    acted = acted || a;
    return a;
  };
  if (acts(vk::Enter) && g.front.OptionsRow == menu::RowExit) {
    g.SceneId = scene::MenuSetup;
    SoundPlay(g, Sfx::kettei);
    g.CameraX = 1280;
    g.CameraY = 100;
    g.prefs.SavePending = true;  // the choices are kept for the next run
  }
  if (acts(vk::Right)) Sideways(g, +1);
  if (acts(vk::Left)) Sideways(g, -1);
  if (acts(vk::Up)) MoveRow(g, -1);
  if (acts(vk::Down)) MoveRow(g, +1);
  return acted;
}

// A choice from the lettering sheet: rows 40..70, or 70..100 when it is the
// current one.
void Choice(Game& g, int32_t left, int32_t right, bool current, int32_t x, int32_t y) {
  const int32_t top = current ? 70 : 40;
  DrawPiece(g, Bmp::optionmoji, left, top, right, top + 30, x, y);
}

void Lettering(Game& g) {
  const Settings& s = g.settings;
  DrawPiece(g, Bmp::optionmoji, 0, 0, 130, 40, 255, 13);
  DrawPiece(g, Bmp::optionmoji, 130, 0, 270, 40, 52, 85);
  const bool low = s.AmountMarkX == kAmountMarks[0];
  Choice(g, 80, 140, low, low ? 296 : 295, 140);
  Choice(g, 0, 80, s.AmountMarkX == kAmountMarks[1], 385, 140);
  Choice(g, 140, 250, s.AmountMarkX == kAmountMarks[2], 470, 140);
  DrawPiece(g, Bmp::optionmoji, 270, 0, 468, 40, 33, 210);
  DrawPiece(g, Bmp::optionmoji, 390, 70, 490, 98, 151, 260);
  DrawPiece(g, Bmp::optionmoji, 390, 40, 490, 70, 153, 305);
  for (const auto& [row, mark] : {std::pair{menu::RowHitGauge, s.HitGaugeMarkX}, {menu::RowHurtGauge, s.HurtGaugeMarkX}}) {
    Choice(g, 310, 340, mark == kGaugeOn, kGaugeOn, row);
    Choice(g, 340, 390, mark == kGaugeOff, kGaugeOff, row);
  }
  DrawPiece(g, Bmp::optionmoji, 470, 0, 530, 40, 91, 375);
  Choice(g, 250, 310, g.front.OptionsRow == menu::RowExit, 285, 440);
  for (size_t i = 0; i < kLivesMarks.size(); ++i) {
    const int32_t left = 490 + 20 * static_cast<int32_t>(i);
    Choice(g, left, left + 20, s.LivesMarkX == kLivesMarks[i], kLivesMarks[i], 375);
  }
}

// Wraps into 0..n-1, whatever the ending left in the offsets.
int32_t Wrap(int32_t v, int32_t n) { return ((v % n) + n) % n; }

}  // namespace

int32_t AmountChoice(const Settings& s) { return std::max(IndexOf(kAmountMarks, s.AmountMarkX), 0); }

void SetOptionValues(Settings& s, int32_t amount, int32_t lives, bool spinReady, bool burstReady) {
  if (amount >= 0 && amount < static_cast<int32_t>(kAmountMarks.size())) {
    s.AmountMarkX = kAmountMarks[static_cast<size_t>(amount)];
    const int32_t amounts[] = {s.EnemyAmountLow, s.EnemyAmountMid, s.EnemyAmountHigh};
    s.EnemyAmount = amounts[amount];
  }
  if (lives >= 1 && lives <= static_cast<int32_t>(kLivesMarks.size())) {
    s.LivesMarkX = kLivesMarks[static_cast<size_t>(lives - 1)];
    s.LivesSetting = lives;
  }
  s.HitGaugeMarkX = spinReady ? kGaugeOn : kGaugeOff;
  s.FullHitGauge = spinReady ? 1 : 0;
  s.HurtGaugeMarkX = burstReady ? kGaugeOn : kGaugeOff;
  s.FullHurtGauge = burstReady ? 1 : 0;
}

void OptionsStep(Game& g) {
  g.CameraX = 0;
  g.CameraY = 0;
  if (Keys(g)) g.front.MenuPollTick = g.FrameTick;

  // The background pattern drifts down and to the right.
  EndingState& e = g.ending;
  e.StaffX = Wrap(e.StaffX + 1, 640);
  e.StaffY = Wrap(e.StaffY + 1, 480);
  DrawPiece(g, Bmp::option1280, e.StaffX, e.StaffY, e.StaffX + 640, e.StaffY + 480, 0, 0);

  Lettering(g);
  // The row cursor.
  DrawPiece(g, Bmp::char256, 560, 430, 600, 468, 0, g.front.OptionsRow);
}

}  // namespace kt
