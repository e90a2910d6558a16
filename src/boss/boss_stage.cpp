#include "boss/boss_stage.hpp"

#include "boss/boss.hpp"
#include "heroes/kurara.hpp"
#include "heroes/tavo.hpp"
#include "hud/hud.hpp"
#include "loop/draw.hpp"
#include "world/stage.hpp"

namespace kt {

namespace {

constexpr int32_t kArenaCameraX = 100;
constexpr int32_t kArenaCameraY = 120;
constexpr int32_t kRunUpEnd = 5120;  // the camera's goal in the run-up
constexpr int32_t kLastBackdrop = 1920;

// A hero walks right until his limit, then stands facing right.
void RunUpWalk(Game& g, Hero& h, bool walks, void (*walkStep)(Game&), void (*poseReset)(Game&)) {
  if (walks) {
    h.WalkRight = 1;
    walkStep(g);
  } else {
    h.WalkRight = 0;
    h.Facing = 0;
    poseReset(g);
  }
}

// Phase 0: the camera scrolls on past the end of the stage while the heroes walk.
void RunUp(Game& g) {
  // A hero out of lives stays where he fell.
  if (!OutOfLives(g.Tavo)) RunUpWalk(g, g.Tavo, g.Tavo.X < 5220, TavoWalkStep, TavoPoseReset);
  if (!OutOfLives(g.Kurara)) RunUpWalk(g, g.Kurara, g.Kurara.X <= 5120, KuraraWalkStep, KuraraPoseReset);
  if (g.CameraX < kRunUpEnd) {
    g.CameraX += 5;
  } else {
    // The heroes find themselves in the arena at the world's start.
    g.Tavo.X = 201;
    g.Kurara.X = 101;
    g.CameraX = kArenaCameraX;
    g.bossStage.BossPhase = 1;
  }
}

// Phase 1: the arena is built while the backdrop changes three times.
void ArenaSetUp(Game& g) {
  BossStageState& s = g.bossStage;
  g.stage.ExitCount += 1;
  if (g.stage.ExitCount > s.PhaseMark + 25) {
    s.PhaseMark = g.stage.ExitCount;
    s.BackdropX += 640;
    // Never beyond the last frame: a frame past it would read other pictures
    // and the fight would never begin.
    if (s.BackdropX >= kLastBackdrop) {
      s.BackdropX = kLastBackdrop;
      s.BossPhase = 2;
    }
  }
  TavoPoseReset(g);
  KuraraPoseReset(g);
  ArenaTable(g);
}

// The steered hero's input in one-player mode, then the forced switches.
void OnePlayerControl(Game& g) {
  Hero& t = g.Tavo;
  Hero& k = g.Kurara;
  StageState& s = g.stage;
  if (s.ControlledHero == 1) {
    if (k.State != hero::Dead && k.Carried != 1) {
      KeyRemapForKurara(g);
      KuraraInput(g);
    }
  } else {
    if (t.State != hero::Dead && t.Carried != 1) TavoInput(g);
    KeyRemapForTavo(g);
  }
  if (t.State == hero::Dead) s.ControlledHero = 1;
  if (k.State == hero::Dead) s.ControlledHero = 0;
  if (t.Lives < 1) s.ControlledHero = 1;
  if (k.Lives < 1) s.ControlledHero = 0;
}

// One-player mode: the hero nobody steers walks towards the other when more than 100 pixels away.
void Follow(Game& g) {
  const bool kuraraSteered = g.stage.ControlledHero == 1;
  Hero& f = kuraraSteered ? g.Tavo : g.Kurara;
  const Hero& lead = kuraraSteered ? g.Kurara : g.Tavo;
  void (*walkStep)(Game&) = kuraraSteered ? TavoWalkStep : KuraraWalkStep;
  if (f.Carried == 1 || OutOfLives(f)) return;
  f.WalkRight = f.X < lead.X - 100 ? 1 : 0;
  if (f.WalkRight == 1) walkStep(g);
  f.WalkLeft = f.X > lead.X + 100 ? 1 : 0;
  if (f.WalkLeft == 1) walkStep(g);
}

// Phase 2: the fight.
void Fight(Game& g) {
  Hero& t = g.Tavo;
  Hero& k = g.Kurara;
  HeroSwitchPoll(g);
  PoseResetStep(g);
  BossStepParts(g);
  if (g.settings.OnePlayerMode == 1) {
    OnePlayerControl(g);
    Follow(g);
  } else {
    if (t.State != hero::Dead && t.Carried != 1) TavoInput(g);
    if (k.State != hero::Dead && k.Carried != 1) KuraraInput(g);
  }
  BossStep(g);
  TavoUpdate(g);
  KuraraUpdate(g);
  // The arena's right wall.
  for (Hero* h : {&t, &k})
    if (h->X > g.CameraX + 560) h->X = g.CameraX + 560;
  g.CameraX = kArenaCameraX;
  g.hud.NearScrollX = 0;
}

// The floor strip, scrolling at 5/4 of the camera speed.
void BossFloorDraw(Game& g) {
  StageState& s = g.stage;
  s.FloorScrollX = Round(g.CameraX * 5.0 / 4.0) % 640;
  DrawPiece(g, Bmp::haikei256, s.FloorScrollX, 630, 640, 710, g.CameraX + 1, 546);
  if (s.FloorScrollX != 0)
    DrawPiece(g, Bmp::haikei256, 0, 630, s.FloorScrollX - 1, 710, g.CameraX + 640 - s.FloorScrollX + 1, 546);
}

void DrawBossStage(Game& g) {
  g.CameraY = kArenaCameraY;
  BossBackdropDraw(g);
  StageBackdropDraw(g);
  if (g.bossStage.BossPhase == 2) BossDraw(g);
  TavoDraw(g);
  KuraraDraw(g);
  BossFloorDraw(g);
  g.CameraY = kArenaCameraY;
  if (g.CameraX < 0) g.CameraX = 0;
  if (g.stage.CameraMaxY < kArenaCameraY) g.CameraY = g.stage.CameraMaxY;
  if (g.CameraY < 0) g.CameraY = 0;
}

}  // namespace

void BossStageStep(Game& g) {
  switch (g.bossStage.BossPhase) {
    case 0: RunUp(g); break;
    case 1: ArenaSetUp(g); break;
    case 2: Fight(g); break;
    default: break;
  }
  DrawBossStage(g);
}

void BossBackdropDraw(Game& g) {
  const int32_t x = g.bossStage.BackdropX;
  DrawPiece(g, Bmp::haikei256, x, 250, x + 640, 630, g.CameraX, g.CameraY);
  if (g.bossStage.BossPhase == 0) {
    DrawPiece(g, Bmp::haikei256, 0, 0, 640, 250, 5120, 362);
  } else {
    DrawPiece(g, Bmp::haikei256, x, 0, x + 640, 250, 101, 362);
  }
}

void ArenaTable(Game& g) {
  StageMapData& map = g.StageMap;
  for (int c = 250; c <= 299; ++c)
    for (int r = 0; r <= 31; ++r) map.At(c, r) = r >= 29 ? 1 : 0;
  if (g.bossStage.BossPhase == 1) {
    for (int c = 5; c <= 12; ++c) map.At(c, 25) = 1;
    for (int c = 30; c <= 37; ++c) map.At(c, 25) = 1;
  }
}

}  // namespace kt
