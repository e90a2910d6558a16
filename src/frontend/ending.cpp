#include "frontend/ending.hpp"

#include "boss/boss.hpp"
#include "boss/boss_stage.hpp"
#include "heroes/kurara.hpp"
#include "heroes/tavo.hpp"
#include "loop/draw.hpp"
#include "loop/sound.hpp"
#include "loop/ticks.hpp"
#include "world/stage.hpp"

namespace kt {

namespace {

// The phases.
constexpr int32_t kWalkToPlaces = 0, kCaption = 1, kFlyOff = 2, kBackdropBack = 3, kWalkOff = 4, kStaffRoll = 5,
                  kFinalPose = 6, kFarewell = 7;
// The boss's flight in phase 2, kept in Boss.State.
constexpr int32_t kRising = 0, kHovering = 1, kLeaving = 2;
// The caption's movement.
constexpr int32_t kSettled = 0, kSliding = 1, kBouncing = 2;
// The staff page's movement.
constexpr int32_t kPageIn = 0, kPageHold = 1, kPageOut = 2;

constexpr uint32_t kCaptionMs = 8500;
constexpr uint32_t kHoverMs = 5000;
constexpr int32_t kLastPage = 800;      // StaffTop of the last staff page
constexpr int32_t kPageRestDx = 135;    // a page comes to rest this far right of CameraX
constexpr int32_t kPageHoldSteps = 19;  // the hold count runs past this
constexpr int32_t kFinalPoseSteps = 200;
constexpr int32_t kFarewellSteps = 100;
constexpr int32_t kStaffCameraX = 400;

// Walks a hero towards the span [CameraX + from, CameraX + to] of the window.
void WalkInto(Game& g, Hero& h, int32_t from, int32_t to, void (*walkStep)(Game&)) {
  if (h.X < g.CameraX + from) {
    h.WalkRight = 1;
    h.Hurt = 0;
    walkStep(g);
  } else {
    h.WalkRight = 0;
  }
  if (h.X > g.CameraX + to) {
    h.WalkLeft = 1;
    h.Hurt = 0;
    walkStep(g);
  } else {
    h.WalkLeft = 0;
  }
}

bool Standing(const Hero& h) { return h.WalkRight == 0 && h.WalkLeft == 0; }

// Phase 0: the heroes take their places facing each other and strike the
// victory pose; the boss waits below the floor for its flight.
void WalkToPlaces(Game& g) {
  Hero& t = g.Tavo;
  Hero& k = g.Kurara;
  BossRecord& b = g.Boss;
  t.Y = k.Y = 480;
  b.Flash = 0;
  b.HeadCol = 0;
  // A dash held at the boss's last hit would otherwise speed the partner's
  // walk for the whole ending, and walk him out of the staff roll.
  t.Dashing = k.Dashing = 0;
  WalkInto(g, t, 45, 80, TavoWalkStep);
  WalkInto(g, k, 100, 120, KuraraWalkStep);
  if (Standing(t)) TavoPoseReset(g);
  if (Standing(k)) KuraraPoseReset(g);
  if (!Standing(t) || !Standing(k)) return;

  t.Facing = 0;
  k.Facing = 80;
  t.X = g.CameraX + 40;
  k.X = g.CameraX + 125;
  g.ending.EndingPhase = kCaption;
  TavoPoseReset(g);
  KuraraPoseReset(g);
  t.HandAY -= 30;
  t.HandAX += 7;
  k.HandBX -= 15;
  k.HandBY -= 30;
  g.ending.EndingTick = g.FrameTick;
  SoundStop(g, Sfx::BossS);
  SoundPlay(g, Sfx::clear);
  b.X = 480;
  b.State = kRising;
  b.Y = g.CameraY + 480;
  b.ArmCol = 560;
  BossStepParts(g);
}

// Phase 1: the caption slides in from the right (faster with Z held),
// bounces back a little and settles; the phase lasts a fixed time.
void Caption(Game& g) {
  EndingState& e = g.ending;
  switch (e.CaptionPhase) {
    case kSliding:
      e.CaptionX -= g.KeyState['Z'] ? 80 : 50;
      if (e.CaptionX < g.CameraX + 100) e.CaptionTop = 290;
      if (e.CaptionX < g.CameraX) {
        e.CaptionX = g.CameraX;
        e.CaptionPhase = kBouncing;
      }
      break;
    case kBouncing:
      e.CaptionX += 30;
      if (e.CaptionX > g.CameraX + 60) {
        e.CaptionPhase = kSettled;
        e.CaptionX = g.CameraX + 40;
        e.CaptionTop += 100;
      }
      break;
    default: break;
  }
  if (TimePassed(g.FrameTick, e.EndingTick, kCaptionMs)) e.EndingPhase = kFlyOff;
}

// Phase 2: the boss rises from below while the heroes look up, hovers crying
// for a while, then flies off over the top of the screen.
void FlyOff(Game& g) {
  BossRecord& b = g.Boss;
  Hero& t = g.Tavo;
  Hero& k = g.Kurara;
  EndingState& e = g.ending;
  b.HeadRow = 390;
  BossWingBeat(g);
  switch (b.State) {
    case kRising:
      TavoPoseReset(g);
      KuraraPoseReset(g);
      if (b.Y < 251) {
        t.Row = k.Row = 60;
      } else {
        t.Row = 0;
        k.Facing = 0;
        k.Row = 0;
      }
      if (b.Y < 151) {
        b.State = kHovering;
        e.EndingTick = g.FrameTick;
      } else {
        b.Y -= 7;
      }
      break;
    case kHovering:
      b.ArmRow = b.WingDir == 1 ? 230 : 325;
      SoundLoop(g, Sfx::nigekoe);
      if (TimePassed(g.FrameTick, e.EndingTick, kHoverMs)) b.State = kLeaving;
      break;
    case kLeaving:
      SoundStop(g, Sfx::nigekoe);
      b.Y -= 2;
      b.X += 1;
      if (b.Y < g.CameraY - 210) {
        e.EndingPhase = kBackdropBack;
        b.Count = 0;
      }
      break;
    default: break;
  }
}

// Phase 3: the backdrop steps back one frame every 31 steps to the first.
void BackdropBack(Game& g) {
  BossRecord& b = g.Boss;
  int32_t& backdrop = g.bossStage.BackdropX;
  b.Count += 1;
  if (b.Count > 30) {
    b.Count = 0;
    backdrop -= 640;
  }
  // At the first frame or, from a frame off the 640 grid, past it.
  if (backdrop <= 0) {
    backdrop = 0;
    g.ending.EndingPhase = kWalkOff;
  }
}

// Phase 4: the heroes walk off to the right; then the staff roll is set up.
void WalkOff(Game& g) {
  Hero& t = g.Tavo;
  Hero& k = g.Kurara;
  EndingState& e = g.ending;
  if (t.X < g.CameraX + 800) {
    t.WalkRight = k.WalkRight = 1;
    TavoWalkStep(g);
    KuraraWalkStep(g);
    return;
  }
  g.CameraX = kStaffCameraX;
  e.StaffX = 1040;
  e.StaffY = g.CameraY + 160;
  t.X = 520;
  k.X = 440;
  e.EndingPhase = kStaffRoll;
  // The first page holds as long as the others, whatever an earlier ending left.
  e.EndingCount = 0;
  e.StaffPhase = kPageIn;
}

// Phase 5: the heroes walk on the spot while the staff pages pass by.
void StaffRoll(Game& g) {
  Hero& t = g.Tavo;
  Hero& k = g.Kurara;
  EndingState& e = g.ending;
  KuraraWalkStep(g);
  TavoWalkStep(g);
  k.X -= 5;
  t.X -= 5;
  switch (e.StaffPhase) {
    case kPageIn:
      if (e.StaffX > g.CameraX + kPageRestDx) {
        e.StaffX -= 10;
      } else {
        e.StaffPhase = kPageHold;
      }
      break;
    case kPageHold:
      e.EndingCount += 1;
      if (e.EndingCount > kPageHoldSteps) {
        e.EndingCount = 0;
        e.StaffPhase = kPageOut;
      }
      break;
    case kPageOut:
      e.StaffX -= 10;
      if (e.StaffX < g.CameraX - 390) {
        e.StaffX = g.CameraX + 640;
        e.StaffTop += 200;
        e.StaffPhase = kPageIn;
      }
      break;
    default: break;
  }
  // The last page has arrived (or a page past it, which the sheet does not hold).
  if (e.StaffX < g.CameraX + kPageRestDx && e.StaffTop >= kLastPage) {
    TavoPoseReset(g);
    KuraraPoseReset(g);
    t.HandAX += 7;
    t.HandAY -= 30;
    k.HandAX += 7;
    k.HandAY -= 30;
    e.EndingCount = 0;
    e.EndingPhase = kFinalPose;
  }
}

// Phase 6: the final pose is held; then back to the title, one enemy amount
// up. Past the lowest amount each completion also swaps the costumes.
void FinalPose(Game& g) {
  EndingState& e = g.ending;
  Settings& s = g.settings;
  e.EndingCount += 1;
  if (e.EndingCount <= kFinalPoseSteps) return;
  if (s.EnemyAmount == s.EnemyAmountMid || s.EnemyAmount == s.EnemyAmountHigh)
    g.CostumeToggle = g.CostumeToggle == 0 ? 1 : 0;
  g.SceneId = scene::TitleSetup;
  e.EndingPhase = kWalkToPlaces;
  if (s.EnemyAmount == s.EnemyAmountMid) {
    s.EnemyAmount = s.EnemyAmountHigh;
    s.AmountMarkX = 470;
  }
  if (s.EnemyAmount == s.EnemyAmountLow) {
    s.EnemyAmount = s.EnemyAmountMid;
    s.AmountMarkX = 375;
  }
}

// Phase 7: the last staff page for a while, then the end of the program.
// Returns false once the game has ended.
bool Farewell(Game& g) {
  EndingState& e = g.ending;
  e.StaffTop = kLastPage;
  e.EndingCount += 1;
  if (e.EndingCount <= kFarewellSteps) return true;
  g.QuitRequested = true;
  return false;
}

void EndingDraw(Game& g, int32_t phase) {
  const EndingState& e = g.ending;
  BossBackdropDraw(g);
  if (phase == kCaption)
    DrawPiece(g, Bmp::haikei256, 3842, e.CaptionTop, 4440, e.CaptionTop + 80, e.CaptionX, e.CaptionY);
  if (phase == kStaffRoll || phase == kFinalPose || phase == kFarewell) {
    DrawPiece(g, Bmp::OPhaikei, 0, 0, 640, 480, g.CameraX, g.CameraY);
    DrawPiece(g, Bmp::Staff, 0, e.StaffTop, 380, e.StaffTop + 200, e.StaffX, e.StaffY);
  }
  TavoDraw(g);
  KuraraDraw(g);
  BossStepParts(g);
  BossDraw(g);
  if (phase == kStaffRoll) {
    // The floor runs under the heroes' feet while the camera stands.
    g.stage.FloorScrollX = (g.stage.FloorScrollX % 640 + 643) % 640;
    FloorStripPieces(g);
  } else {
    FloorStripDraw(g);
  }
}

}  // namespace

void EndingStep(Game& g) {
  switch (g.ending.EndingPhase) {
    case kWalkToPlaces: WalkToPlaces(g); break;
    case kCaption: Caption(g); break;
    case kFlyOff: FlyOff(g); break;
    case kBackdropBack: BackdropBack(g); break;
    case kWalkOff: WalkOff(g); break;
    case kStaffRoll: StaffRoll(g); break;
    case kFinalPose: FinalPose(g); break;
    case kFarewell:
      if (!Farewell(g)) return;
      break;
    default: break;
  }
  // The step that returns to the title still shows the final pose.
  EndingDraw(g, g.SceneId == scene::Ending ? g.ending.EndingPhase : kFinalPose);
}

}  // namespace kt
