#include "loop/frame_loop.hpp"

#include <iostream>

#include "boss/boss_stage.hpp"
#include "frontend/controls_card.hpp"
#include "frontend/ending.hpp"
#include "frontend/menu.hpp"
#include "frontend/options.hpp"
#include "frontend/title.hpp"
#include "loop/draw.hpp"
#include "loop/input.hpp"
#include "loop/ticks.hpp"
#include "loop/trace.hpp"
#include "platform/platform.hpp"
#include "world/pause.hpp"
#include "world/stage.hpp"

namespace kt {

namespace {

struct SceneEntry {
  int32_t id;
  void (*step)(Game&);
  int32_t pace;  // ms between steps, 0 = every pass
};

constexpr SceneEntry kScenes[] = {
    {scene::TitleSetup, TitleStart, 0}, {scene::Title, OpeningStep, 30},   {scene::Options, OptionsStep, 32},
    {scene::MenuSetup, MenuSetup, 0},   {scene::Menu, MenuStep, 32},       {scene::StageStart, StageStart, 0},
    {scene::WalkIn, StageWalkIn, 32},   {scene::Gameplay, StageTick, 32},  {scene::BossStage, BossStageStep, 32},
    {scene::Ending, EndingStep, 32},    {scene::GameOver, GameOverStep, 32}, {scene::Pause, PauseStep, 32},
};

const SceneEntry* FindScene(int32_t id) {
  for (const SceneEntry& s : kScenes)
    if (s.id == id) return &s;
  return nullptr;
}

void OpenPause(Game& g) {
  g.PauseCursor = 0;
  g.LastPollTick = g.FrameTick;
  g.SceneId = scene::Pause;
  g.input.Pending[vk::Enter] = false;  // the press that paused is not also a choice in the menu
}

// The pads drive the heroes from the stage start to the boss; everywhere
// else (and on the controls card) they navigate.
PadLayout PadLayoutFor(const Game& g) {
  if (g.card.Shown) return PadLayout::Menu;
  switch (g.SceneId) {
    case scene::StageStart:
    case scene::WalkIn:
    case scene::Gameplay:
    case scene::BossStage: return PadLayout::Play;
    default: return PadLayout::Menu;
  }
}

}  // namespace

int32_t NextStepMark(int32_t now, int32_t lastMark, int32_t pace) {
  // A step that is late by less than a pace keeps the cadence: the next one
  // is due a pace after this one was due, so a loop whose passes do not
  // divide the pace still takes 1000 / pace steps a second. A longer stall
  // moves the schedule instead of catching up with a burst of steps.
  const uint32_t late = Elapsed(now, lastMark) - static_cast<uint32_t>(pace);
  return late < static_cast<uint32_t>(pace) ? TickAdd(lastMark, pace) : now;
}

void StartClock(Game& g, uint32_t tick) {
  g.FrameTick = static_cast<int32_t>(tick);
  g.LastStepTick = g.FrameTick;
  g.LastPollTick = g.FrameTick;
}

int32_t ScenePace(int32_t sceneId) {
  const SceneEntry* s = FindScene(sceneId);
  return s ? s->pace : -1;
}

bool DispatchScene(Game& g) {
  const SceneEntry* s = FindScene(g.SceneId);
  if (!s) return false;
  if (s->pace > 0 && !TimeReached(g.FrameTick, g.LastStepTick, static_cast<uint32_t>(s->pace))) return false;
  const int32_t ran = g.SceneId;
  s->step(g);
  if (s->pace > 0) g.LastStepTick = NextStepMark(g.FrameTick, g.LastStepTick, s->pace);
  if (g.stepWatch) g.stepWatch->AfterStep(g, ran);
  if (g.trace) WriteTraceLine(g, ran, *g.trace);
  g.audio.step = {};
  return true;
}

bool FrameStep(Game& g, uint32_t tick) {
  g.FrameTick = static_cast<int32_t>(tick);
  NoteKeyPresses(g);
  // While the controls card is shown the scene beneath waits.
  bool stepped = ControlsCardPoll(g);
  if (g.card.Shown) {
    stepped = ControlsCardStep(g) || stepped;
    g.audio.step = {};  // the card's clicks are no scene's (the trace lists scene steps)
  } else {
    stepped = DispatchScene(g) || stepped;
  }
  if (stepped) ClearPendingPresses(g);
  // A scene that ends the game does so at once: nothing more of the pass runs.
  if (g.QuitRequested) return stepped;

  if (!g.card.Shown) {
    // The window lost the focus (or a pad was pulled out) during the stage:
    // pause, as Enter would.
    if (g.SceneId == scene::Gameplay && g.KeyState[vk::FocusLost]) OpenPause(g);
    // Enter (pause, during gameplay) and F6 (costumes) act at most every 500 ms.
    if (TimeReached(g.FrameTick, g.LastPollTick, 500)) {
      if (g.SceneId == scene::Gameplay && g.KeyState[vk::Enter]) OpenPause(g);
      if (g.KeyState[vk::F6]) {
        g.LastPollTick = g.FrameTick;
        g.CostumeToggle = g.CostumeToggle == 1 ? 0 : 1;
      }
    }
  }
  return stepped;
}

bool FramePass(Game& g, Platform& platform) {
  if (g.KeyState[vk::Escape] || g.QuitRequested) return false;
  const bool stepped = FrameStep(g, platform.Ticks());
  if (g.QuitRequested) return false;

  if (g.prefs.ControlsChanged) {
    platform.SetBindings(g.prefs.Controls);
    g.prefs.ControlsChanged = false;
  }
  platform.SetPadLayout(PadLayoutFor(g));
  platform.SetCapture(g.card.Shown && g.card.Waiting);
  Present(g, platform, stepped);
  platform.ProcessMessages(g.KeyState);
  if (const auto taken = platform.TakeCaptured()) ControlsCardTake(g, *taken);
  if (const auto full = platform.TakeFullScreenChange()) {
    g.prefs.FullScreen = *full;
    g.prefs.SavePending = true;
  }
  if (g.prefs.SavePending) SaveKept(g, std::cerr);

  if (g.card.Shown) {
    platform.IdleUntil(static_cast<uint32_t>(TickAdd(g.card.StepTick, 32)));
  } else {
    const int32_t pace = ScenePace(g.SceneId);
    platform.IdleUntil(pace > 0 ? static_cast<uint32_t>(TickAdd(g.LastStepTick, pace)) : platform.Ticks());
  }
  return true;
}

}  // namespace kt
