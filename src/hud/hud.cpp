#include "hud/hud.hpp"

#include <algorithm>

#include "loop/draw.hpp"

namespace kt {

namespace {

struct HeroPanel {
  int32_t pointX, pointStep;  // hit points at pointX + pointStep (i - 1)
  Rect point, face, hurtFace;
  int32_t faceX, hurtBarX, hitBarX, livesX;
};

constexpr HeroPanel kTavoPanel{101, 32, {200, 130, 240, 160}, {200, 200, 250, 230}, {200, 230, 250, 280}, 0, 77, 176, 73};
constexpr HeroPanel kKuraraPanel{433, 33, {200, 160, 240, 190}, {250, 200, 305, 230}, {250, 230, 305, 280}, 340, 412, 511, 410};

void DrawAt(Game& g, const Rect& r, int32_t dx, int32_t dy) {
  g.BlitRect = r;
  Draw(g, Bmp::geji256, g.CameraX + dx, g.CameraY + dy);
}

void HeroStatus(Game& g, Hero& h, const HeroPanel& p) {
  for (int32_t i = 1; i <= h.Health; ++i) DrawAt(g, p.point, p.pointX + p.pointStep * (i - 1), 6);
  if (h.Hurt == 1) {
    DrawAt(g, p.hurtFace, p.faceX, -7);
  } else {
    DrawAt(g, p.face, p.faceX, 3);
  }
  h.HurtGauge = std::min(h.HurtGauge, 5);
  if (h.HurtGauge > 0) DrawAt(g, Rect{100, 100 + 30 * h.HurtGauge, 200, 130 + 30 * h.HurtGauge}, p.hurtBarX, 31);
  h.HitGauge = std::min(h.HitGauge, 5);
  if (h.HitGauge > 0) DrawAt(g, Rect{0, 100 + 30 * h.HitGauge, 100, 130 + 30 * h.HitGauge}, p.hitBarX, 31);
  if (h.Lives > 0) DrawAt(g, Rect{20 * h.Lives - 20, 278, 20 * h.Lives, 300}, p.livesX, 10);
}

}  // namespace

void StageBackdropDraw(Game& g) {
  HudState& s = g.hud;
  // Far strip: a 1280-pixel loop at a third of the camera speed.
  s.FarScrollX = (g.CameraX / 3) % 1280;
  if (s.FarScrollX <= 640) {
    DrawPiece(g, Bmp::haikei256, s.FarScrollX + 2560, 0, s.FarScrollX + 3200, 580, g.CameraX, 10);
  } else {
    DrawPiece(g, Bmp::haikei256, s.FarScrollX + 2560, 0, 3840, 580, g.CameraX, 10);
    DrawPiece(g, Bmp::haikei256, 2560, 0, s.FarScrollX + 1920, 580, g.CameraX + 1280 - s.FarScrollX, 10);
  }
  // Near strip: the terrain, moving with the camera.
  s.NearScrollX = g.CameraX % 5120;
  if (s.NearScrollX <= 4480) {
    DrawPiece(g, Bmp::tyukan, s.NearScrollX, 0, s.NearScrollX + 640, 580, g.CameraX, 30);
  } else {
    DrawPiece(g, Bmp::tyukan, s.NearScrollX, 0, 5120, 580, g.CameraX, 30);
    if (g.bossStage.BossPhase == 0)
      DrawPiece(g, Bmp::tyukan, 0, 0, s.NearScrollX - 4480, 580, g.CameraX + 5120 - s.NearScrollX, 30);
  }
  // The arena: beyond the stage's end, or the boss stage's own frame.
  if (g.bossStage.BossPhase == 0) {
    DrawPiece(g, Bmp::haikei256, 0, 0, 640, 250, 5120, 362);
  } else {
    const int32_t x = g.bossStage.BackdropX;
    DrawPiece(g, Bmp::haikei256, x, 0, x + 640, 250, 101, 362);
  }
  if (s.ComboShow == 1) ComboDraw(g);
  HudDraw(g);
}

void ComboDraw(Game& g) {
  HudState& s = g.hud;
  const bool shows = s.ComboTens > 0 || s.ComboOnes > 1;
  if (s.ComboTens > 0) {
    DrawPiece(g, Bmp::geji256, 70 * s.ComboOnes, 0, 70 * s.ComboOnes + 70, 70, s.ComboX + 5, s.ComboY + 10);
    DrawPiece(g, Bmp::geji256, 70 * s.ComboTens, 0, 70 * s.ComboTens + 70, 70, s.ComboX - 35, s.ComboY + 10);
  } else if (s.ComboOnes > 1) {
    DrawPiece(g, Bmp::geji256, 70 * s.ComboOnes, 0, 70 * s.ComboOnes + 70, 70, s.ComboX + 5, s.ComboY + 10);
  }
  if (shows) DrawPiece(g, Bmp::geji256, 310, 200, 505, 270, s.ComboX + 5, s.ComboY + 13);

  if (s.ComboX < g.CameraX) {
    s.ComboX += 15;  // slides in from the left edge
  } else if (s.ComboX < g.CameraX + 35) {
    s.ComboX += 5;
    s.ComboTimer += 1;
    if (s.ComboTimer > 30) {
      s.ComboTimer = 0;
      s.ComboTens = 0;
      s.ComboOnes = 0;
      s.ComboShow = 0;
    }
  } else {
    s.ComboShow = 0;
  }
}

void HudDraw(Game& g) {
  DrawAt(g, Rect{0, 70, 640, 127}, 0, 0);
  HeroStatus(g, g.Tavo, kTavoPanel);
  HeroStatus(g, g.Kurara, kKuraraPanel);
  if (g.settings.OnePlayerMode == 1) {
    StageState& s = g.stage;
    s.HeroSwitchMark += 1;
    if (s.HeroSwitchMark > 15) s.HeroSwitchMark = 0;
    const int32_t x = s.ControlledHero == 1 ? 343 : 2;
    if (s.HeroSwitchMark < 13) {
      DrawAt(g, Rect{640, 70, 695, 89}, x, 30);
    } else {
      DrawAt(g, Rect{640, 89, 695, 110}, x, 27);
    }
  }
}

}  // namespace kt
