#pragma once
// The whole state of one game. Every procedure takes the game by reference;
// a test can build as many games as it likes.
#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "loop/assets.hpp"
#include "loop/font_sheet.hpp"
#include "loop/input.hpp"
#include "loop/preferences.hpp"
#include "loop/random.hpp"
#include "platform/keys.hpp"
#include "platform/mixer.hpp"
#include "platform/surface.hpp"
#include "boss/boss_state.hpp"
#include "enemies/enemy_state.hpp"
#include "frontend/frontend_state.hpp"
#include "heroes/hero_state.hpp"
#include "world/stage_map.hpp"
#include "world/stage_state.hpp"

namespace kt {

// Scene numbers.
namespace scene {
inline constexpr int32_t TitleSetup = 4;
inline constexpr int32_t Title = 6;
inline constexpr int32_t Options = 8;
inline constexpr int32_t MenuSetup = 10;
inline constexpr int32_t Menu = 20;
inline constexpr int32_t StageStart = 30;
inline constexpr int32_t WalkIn = 35;
inline constexpr int32_t Gameplay = 40;
inline constexpr int32_t BossStage = 45;
inline constexpr int32_t Ending = 50;
inline constexpr int32_t GameOver = 60;
inline constexpr int32_t Pause = 65;
}  // namespace scene

inline constexpr int32_t kScreenWidth = 640;
inline constexpr int32_t kScreenHeight = 480;

// Settings chosen in the front end and read everywhere; start values are
// those of every new run.
struct Settings {
  int32_t EnemyAmount = 20;
  int32_t EnemyAmountLow = 10;
  int32_t EnemyAmountMid = 20;
  int32_t EnemyAmountHigh = 30;
  int32_t AmountMarkX = 375;
  int32_t HitGaugeMarkX = 445;
  int32_t HurtGaugeMarkX = 445;
  int32_t LivesMarkX = 375;
  int32_t LivesSetting = 2;
  int32_t FullHitGauge = 0;
  int32_t FullHurtGauge = 0;
  int32_t OnePlayerMode = 2;  // 1: one player steers both heroes in turn; 2: two players
  int32_t MogetaOff = 1;
  int32_t ByoonOff = 1;
  float DegToRad = 0.0f;
  bool GraphicsReady = false;
};

// The pictures: the 13 sheets (sheet 0 is the world) and the flip chain.
struct Display {
  std::array<Surface, kBitmapCount> sheets;
  Surface back{kScreenWidth, kScreenHeight};
  Surface front{kScreenWidth, kScreenHeight};
  int newPictures = 0;  // flips still to put on screen since the last step
  FontMetrics font{};   // where the letters of fontmoji are
  bool skipDrawing = false;  // steps draw nothing (steps simulated again after a rollback)

  Surface& World() { return sheets[0]; }
  const Surface& Sheet(Bmp b) const { return sheets[static_cast<size_t>(b)]; }
};

// What the runner's trace records of one scene step.
struct TraceStep {
  std::vector<Sfx> once, looping, stopped;
};

// A sound call a step made: play once, play looping or stop.
struct SoundRequest {
  enum Kind : uint8_t { Once, Looping, Stop };
  Sfx sound = Sfx::sentaku;
  Kind kind = Once;
  bool operator==(const SoundRequest&) const = default;
};

struct Audio {
  Mixer* mixer = nullptr;  // owned by the platform; null plays nothing
  TraceStep step;          // sounds started and stopped in the current scene step
  // When set, the steps' sound calls are written here instead of reaching the
  // mixer (online play plays each step's sounds once, whatever rollbacks do).
  std::vector<SoundRequest>* requests = nullptr;
};

struct Game;

// Told of every scene step, right after it ran (demo recording and replay).
class StepWatch {
 public:
  virtual ~StepWatch() = default;
  virtual void AfterStep(const Game& g, int32_t sceneRan) = 0;
};

struct Game {
  Game();
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // ---- frame loop ----
  int32_t SceneId = scene::TitleSetup;
  int32_t FrameTick = 0;
  int32_t LastStepTick = 0;  // when the last paced step was due (its tick, after a stall)
  int32_t LastPollTick = 0;
  int32_t CameraX = 0;
  int32_t CameraY = 0;
  int32_t CostumeToggle = 0;
  bool QuitRequested = false;  // the game has ended itself (the farewell page); the loop stops like on Escape

  // ---- platform ----
  KeyTable KeyState{};
  InputState input;
  Rect BlitRect;
  Display display;
  Audio audio;
  StageMapData StageMap;
  Random rng;

  // ---- settings ----
  Settings settings;
  Preferences prefs;  // kept between runs with the options screen's values

  // ---- heroes ----
  Hero Kurara;
  Hero Tavo;

  // ---- enemies ----
  EnemyTables enemies;

  // ---- stage, HUD, boss stage, ending ----
  StageState stage;
  HudState hud;
  BossStageState bossStage;
  EndingState ending;

  // ---- boss ----
  BossRecord Boss;
  BossBeamRecord BossBeam;

  // ---- title, menu, options ----
  FrontEndState front;

  // ---- pause menu ----
  int32_t PauseCursor = 0;  // 0 continue, 1 restart the stage, 2 quit to the title

  // ---- controls card ----
  ControlsCardState card;

  // ---- runner ----
  std::ostream* trace = nullptr;  // one JSON line per scene step when set
  StepWatch* stepWatch = nullptr;  // a demo being recorded or replayed
  bool ExtraEnemiesOverride = false;  // every game started from the menu has the mogeta and the byoon (tests)
  int32_t PlayersOverride = 0;    // 1 or 2: every game started from the menu is played so (tests)
};

// Builds a game on the heap (the stage map alone is 360 KB).
std::unique_ptr<Game> NewGame();

// A random number uniform in [0, 1).
inline double Rnd(Game& g) { return g.rng.Next(); }

}  // namespace kt
