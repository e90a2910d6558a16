#include "loop/frame_loop.hpp"

#include <ostream>

#include "boss/boss_stage.hpp"
#include "frontend/ending.hpp"
#include "frontend/menu.hpp"
#include "frontend/options.hpp"
#include "frontend/title.hpp"
#include "loop/draw.hpp"
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

}  // namespace

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
  // Late steps push the schedule back rather than catching up.
  if (s->pace > 0) g.LastStepTick = g.FrameTick;
  if (g.stepWatch) g.stepWatch->AfterStep(g, ran);
  if (g.trace) WriteTraceLine(g, ran, *g.trace);
  g.audio.step = {};
  return true;
}

bool FramePass(Game& g, Platform& platform) {
  if (g.KeyState[vk::Escape] || g.QuitRequested) return false;
  g.FrameTick = static_cast<int32_t>(platform.Ticks());
  DispatchScene(g);
  // A scene that ends the game does so at once: nothing more of the pass runs.
  if (g.QuitRequested) return false;

  // Enter (pause, during gameplay) and F6 (costumes) act at most every 500 ms.
  if (TimeReached(g.FrameTick, g.LastPollTick, 500)) {
    if (g.SceneId == scene::Gameplay && g.KeyState[vk::Enter]) {
      g.PauseCursor = 0;
      g.LastPollTick = g.FrameTick;
      g.SceneId = scene::Pause;
    }
    if (g.KeyState[vk::F6]) {
      g.LastPollTick = g.FrameTick;
      g.CostumeToggle = g.CostumeToggle == 1 ? 0 : 1;
    }
  }

  Present(g, platform);
  platform.ProcessMessages(g.KeyState);

  const int32_t pace = ScenePace(g.SceneId);
  platform.IdleUntil(pace > 0 ? static_cast<uint32_t>(TickAdd(g.LastStepTick, pace)) : platform.Ticks());
  return true;
}

}  // namespace kt
