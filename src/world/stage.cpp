#include "world/stage.hpp"

#include "boss/boss.hpp"
#include "enemies/byoon.hpp"
#include "enemies/gek.hpp"
#include "enemies/kurosuke.hpp"
#include "enemies/mogeta.hpp"
#include "enemies/patatta.hpp"
#include "enemies/sikaky.hpp"
#include "heroes/kurara.hpp"
#include "heroes/tavo.hpp"
#include "hud/hud.hpp"
#include "loop/draw.hpp"
#include "loop/input.hpp"
#include "loop/sound.hpp"
#include "loop/ticks.hpp"

namespace kt {

namespace {

bool InAttack(const Hero& h) {
  return h.State == hero::BurstGather || h.State == hero::BurstRelease || h.State == hero::Burst ||
         h.State == hero::Spin;
}

// Two spots of the stage lift or stop a hero.
void TerrainCorrections(Hero& h) {
  if (h.State == hero::Dead) return;
  if (h.Y == 400 && h.X > 1500 && h.X < 1900) h.Y = 380;
  if (h.Y < 400 && h.X > 3700 && h.X < 3800 && h.Vy > 0) {
    h.Y = 400;
    h.Vy = 0;
  }
}

void ClampCamera(Game& g) {
  const StageState& s = g.stage;
  if (g.CameraX > s.CameraMaxX) g.CameraX = s.CameraMaxX;
  if (g.CameraX < 0) g.CameraX = 0;
  if (g.CameraY > s.CameraMaxY) g.CameraY = s.CameraMaxY;
  if (g.CameraY < 0) g.CameraY = 0;
}

void EnterBossStage(Game& g, bool byTavo) {
  g.Tavo.WalkLeft = g.Kurara.WalkLeft = 0;
  g.Boss.X = 580;
  g.SceneId = scene::BossStage;
  g.stage.ExitCount = 0;
  // The boss stage always starts with its run-up and the first backdrop frame,
  // whatever an earlier game left behind.
  g.bossStage.BossPhase = 0;
  g.bossStage.BackdropX = 0;
  for (Hero* h : {&g.Tavo, &g.Kurara}) {
    h->Hurt = 0;
    h->Carrying = 0;
    h->Carried = 0;
    if (OutOfLives(*h)) {
      h->Out = 1;  // he does not come along, not even halfway through his fall
      continue;
    }
    // A hero who is dead when his partner leaves stays dead, unless Tavo led
    // the way; then he comes along as if he had respawned.
    if (h->State == hero::Dead) {
      if (byTavo) HeroRespawn(*h);
    } else {
      h->Y = 480;
      h->State = hero::Normal;
    }
  }
  SoundStop(g, Sfx::OP);
  SoundLoop(g, Sfx::BossS);
}

void ExitCheck(Game& g, Hero& h, bool isTavo) {
  if (h.X > g.stage.ExitX) {
    DrawPiece(g, Bmp::geji256, 310, 130, 375, 195, h.X + 80, h.Y - 5);
    g.stage.ExitCount += 1;
  }
  if (g.stage.ExitCount > 10 && g.StageMap.SolidAt(h.X, h.Y + 100)) EnterBossStage(g, isTavo);
}

// One-player mode: the first hero's keys follow the second hero's.
constexpr struct {
  uint8_t kurara, tavo;
} kKeyCopy[] = {{'V', vk::Right}, {'X', vk::Left}, {'C', vk::Down}, {'D', vk::Up},
                {'S', 'L'},       {'A', 'K'},      {'W', 'O'},      {'Q', 'I'}};

}  // namespace

void KeyRemapForKurara(Game& g) {
  for (const auto& c : kKeyCopy) g.KeyState[c.kurara] = g.KeyState[c.tavo];
}

void KeyRemapForTavo(Game& g) {
  for (const auto& c : kKeyCopy) g.KeyState[c.kurara] = false;
}

namespace {

// Nothing of the last game is left in the heroes, the stage's globals or the
// combo: a restart from the pause menu can come in the middle of anything (a
// hero carried or thrown, walking, dashing, hurt, dead). Only the steered hero
// and the menu's enemy counts carry over.
void ClearLastGame(Game& g) {
  g.Tavo = Hero{};
  g.Kurara = Hero{};
  StageState fresh;
  const StageState& last = g.stage;
  fresh.ControlledHero = last.ControlledHero;
  fresh.GekCount = last.GekCount;
  fresh.KurosukeCount = last.KurosukeCount;
  fresh.PatattaCount = last.PatattaCount;
  fresh.SikakyCount = last.SikakyCount;
  fresh.MogetaCount = last.MogetaCount;
  fresh.ByoonCount = last.ByoonCount;
  g.stage = fresh;
  g.hud = HudState{};
}

}  // namespace

void StageStart(Game& g) {
  ClearLastGame(g);
  GekReset(g);
  GekPlace(g);
  KurosukeReset(g);
  KurosukePlace(g);
  PatattaReset(g);
  PatattaPlace(g);
  SikakyReset(g);
  SikakyPlace(g);
  MogetaReset(g);
  MogetaPlace(g);
  ByoonReset(g);
  ByoonPlace(g);
  TavoInit(g);
  KuraraInit(g);
  TavoReset(g);
  KuraraReset(g);
  g.SceneId = scene::WalkIn;
  g.CameraY = 120;
  g.stage.CameraMaxY = 120;
  g.CameraX = 80;
  g.ending.StaffTop = 0;
  g.ending.CaptionX = 720;
  g.ending.CaptionY = 220;
  g.ending.CaptionTop = 190;
  g.ending.CaptionPhase = 1;
  g.stage.WorldMaxX = 5120;
  g.stage.ExitX = 4880;
  g.stage.CameraMaxX = 4480;
}

void StageWalkIn(Game& g) {
  if (g.Tavo.X < g.CameraX + 80) {
    g.Tavo.WalkRight = 1;
    TavoWalkStep(g);
  } else {
    g.Tavo.WalkRight = 0;
    g.Tavo.Facing = 0;
    g.SceneId = scene::Gameplay;
    TavoPoseReset(g);
  }
  if (g.Kurara.X < g.CameraX + 1) {
    g.Kurara.WalkRight = 1;
    KuraraWalkStep(g);
  } else {
    g.Kurara.WalkRight = 0;
    g.Kurara.Facing = 0;
    KuraraPoseReset(g);
  }
  StageBackdropDraw(g);
  TavoDraw(g);
  KuraraDraw(g);
  FloorStripDraw(g);
  BossReset(g);
}

void StageTick(Game& g) {
  const bool mogeta = g.settings.MogetaOff != 1, byoon = g.settings.ByoonOff != 1;
  SoundLoop(g, Sfx::OP);
  PoseResetStep(g);
  HeroSwitchPoll(g);
  InputStep(g);
  TerrainCorrections(g.Tavo);
  TerrainCorrections(g.Kurara);
  ClampCamera(g);

  GekStep(g);
  KurosukeStep(g);
  PatattaStep(g);
  SikakyStep(g);
  if (mogeta) MogetaStep(g);
  if (byoon) ByoonStep(g);
  TavoUpdate(g);
  KuraraUpdate(g);

  StageBackdropDraw(g);
  GekDraw(g);
  KurosukeDraw(g);
  PatattaDraw(g);
  SikakyDraw(g);
  if (mogeta) MogetaDraw(g);
  if (byoon) ByoonDraw(g);
  TavoDraw(g);
  KuraraDraw(g);

  ExitCheck(g, g.Tavo, true);
  ExitCheck(g, g.Kurara, false);
  FloorStripDraw(g);
}

void GameOverStep(Game& g) {
  SoundStop(g, Sfx::OP);
  SoundStop(g, Sfx::BossS);
  StageBackdropDraw(g);
  GekDraw(g);
  KurosukeDraw(g);
  PatattaDraw(g);
  TavoPoseReset(g);
  KuraraPoseReset(g);
  TavoUpdate(g);
  KuraraUpdate(g);
  TavoDraw(g);
  KuraraDraw(g);
  if (TimePassed(g.FrameTick, g.stage.GameOverTick, 6000)) {
    g.SceneId = scene::TitleSetup;
    for (Hero* h : {&g.Tavo, &g.Kurara}) {
      h->WalkLeft = 0;
      h->Y = 480;
      h->Hurt = 0;
      h->Carried = 0;
      h->State = hero::Normal;
    }
    g.stage.ExitCount = 0;
  }
  // The banner drops with growing speed until it is well into the view.
  DrawPiece(g, Bmp::haikei256, 4480, 0, 5120, 132, g.CameraX, g.stage.GameOverScroll);
  if (g.stage.GameOverScroll < g.CameraY + 200) g.stage.GameOverScroll += g.Tavo.Vy;
  g.Tavo.Vy += 1;
  DrawPiece(g, Bmp::haikei256, 0, 630, 640, 710, g.CameraX, 546);
}

void PoseResetStep(Game& g) {
  if (!InAttack(g.Tavo)) TavoPoseReset(g);
  if (!InAttack(g.Kurara)) KuraraPoseReset(g);
}

void HeroSwitchPoll(Game& g) {
  StageState& s = g.stage;
  if (!TimePassed(g.FrameTick, s.HeroSwitchTick, 150)) return;
  const int32_t lastCheck = s.HeroSwitchTick;
  s.HeroSwitchTick = g.FrameTick;
  for (const Hero* h : {&g.Tavo, &g.Kurara})
    if (h->State == hero::Dead || h->Carrying == 1 || h->BurstStep != 0) return;
  // Space held now, or tapped since the last check: a quick tap between two
  // checks still switches.
  if (g.KeyState[vk::Space] || PressedAfter(g, vk::Space, lastCheck)) {
    s.HeroSwitchMark = 13;
    s.ControlledHero = s.ControlledHero == 1 ? 0 : 1;
  }
}

void InputStep(Game& g) {
  Hero& t = g.Tavo;
  Hero& k = g.Kurara;
  if (g.settings.OnePlayerMode != 1) {
    if (t.State != hero::Dead && t.Carried != 1) TavoInput(g);
    if (k.State != hero::Dead && k.Carried != 1) KuraraInput(g);
    return;
  }
  StageState& s = g.stage;
  // The hero nobody steers follows the other when more than 100 pixels away.
  if (s.ControlledHero == 1) {
    if (t.Carried != 1 && !OutOfLives(t)) {
      t.WalkRight = t.X < k.X - 100 ? 1 : 0;
      if (t.WalkRight == 1) TavoWalkStep(g);
      t.WalkLeft = k.X + 100 < t.X ? 1 : 0;
      if (t.WalkLeft == 1) TavoWalkStep(g);
    }
  } else if (k.Carried != 1 && !OutOfLives(k)) {
    k.WalkRight = k.X < t.X - 100 ? 1 : 0;
    if (k.WalkRight == 1) KuraraWalkStep(g);
    k.WalkLeft = t.X + 100 < k.X ? 1 : 0;
    if (k.WalkLeft == 1) KuraraWalkStep(g);
  }
  if (s.ControlledHero != 1) {
    if (t.State != hero::Dead && t.Carried != 1) TavoInput(g);
    KeyRemapForTavo(g);
  } else if (k.State != hero::Dead && k.Carried != 1) {
    KeyRemapForKurara(g);
    KuraraInput(g);
  }
  if (t.State == hero::Dead) s.ControlledHero = 1;
  if (k.State == hero::Dead) s.ControlledHero = 0;
  if (t.Lives <= 0) s.ControlledHero = 1;
  if (k.Lives <= 0) s.ControlledHero = 0;
}

void FloorStripDraw(Game& g) {
  g.stage.FloorScrollX = Round(g.CameraX * 5.0 / 4.0) % 640;
  FloorStripPieces(g);
}

void FloorStripPieces(Game& g) {
  const int32_t x = g.stage.FloorScrollX;
  DrawPiece(g, Bmp::haikei256, x, 630, 640, 710, g.CameraX, 546);
  if (x > 0) DrawPiece(g, Bmp::haikei256, 0, 630, x, 710, g.CameraX + 640 - x, 546);
}

}  // namespace kt
