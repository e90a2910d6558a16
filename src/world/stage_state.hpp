#pragma once
// The stage's globals: limits, exit, floor strip, game over, hero switching.
#include <cstdint>

namespace kt {

struct StageState {
  int32_t ExitX = 4880;       // a hero past it is at the stage exit
  int32_t CameraMaxX = 4480;  // largest CameraX in the stage
  int32_t CameraMaxY = 120;
  int32_t WorldMaxX = 5120;   // right end of the stage world
  int32_t WorldMaxY = 480;    // lowest Y of a hero: the floor line heroes start on
  int32_t ExitCount = 0;
  int32_t FloorScrollX = 0;
  int32_t GameOverScroll = 0;
  int32_t GameOverTick = 0;
  int32_t HeroSwitchTick = 0;
  int32_t HeroSwitchMark = 0;
  int32_t ControlledHero = 0;  // one-player mode: 1 Kurara steered, 0 Tavo
  // Enemy counts per kind, set by the menu from the enemy amount.
  int32_t GekCount = 0, KurosukeCount = 0, PatattaCount = 0, SikakyCount = 0, MogetaCount = 0, ByoonCount = 0;
};

// The backdrop, HUD and combo display.
struct HudState {
  int32_t FarScrollX = 0;
  int32_t NearScrollX = 0;
  int32_t ComboCount = 0;
  int32_t ComboShow = 0;
  int32_t ComboX = 0, ComboY = 0;
  int32_t ComboTens = 0, ComboOnes = 0;
  int32_t ComboTimer = 0;
};

// The boss stage's phase and backdrop frame; the ending's captions and staff roll.
struct BossStageState {
  int32_t BossPhase = 0;  // 0 run-up, 1 arena set-up, 2 fight
  int32_t BackdropX = 0;  // source x of the boss backdrop frame: 0, 640, 1280, 1920
  int32_t PhaseMark = 0;  // ExitCount at the last backdrop change; kept for the whole run
};

struct EndingState {
  int32_t EndingPhase = 0;  // 0..6 after the boss fight, 7 the farewell page after the menu's quit item
  int32_t EndingCount = 0;  // step counter of the staff page's hold, the final pose and the farewell page
  int32_t EndingTick = 0;   // FrameTick mark of the caption and of the boss's hovering
  int32_t StaffTop = 0;     // source top of the staff page: 0, 200, 400, 600, 800
  int32_t StaffX = 0, StaffY = 0;  // the staff page's position; the options screen's scroll offsets
  int32_t StaffPhase = 0;          // 0 sliding in, 1 holding, 2 sliding out
  // The caption: world position, source top (190, 290, 390) and movement
  // (1 sliding left, 2 bouncing back right, 0 settled).
  int32_t CaptionX = 0, CaptionY = 0, CaptionTop = 0, CaptionPhase = 0;
};

}  // namespace kt
