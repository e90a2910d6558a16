#include "heroes/hero.hpp"

#include <algorithm>
#include <cmath>

#include "heroes/pose_tables.hpp"
#include "loop/draw.hpp"
#include "loop/sound.hpp"
#include "loop/ticks.hpp"

namespace kt {

namespace {

using pose::AttackPose;
using pose::BodyBob;
using pose::CrouchPose;
using pose::WalkCycle;

bool InBurst(const Hero& h) {
  return h.State == hero::BurstGather || h.State == hero::BurstRelease || h.State == hero::Burst;
}

// The hands and feet of walk frame `frame`, and the body's bob.
void WalkPose(Hero& h, int32_t frame) {
  const auto& w = WalkCycle[static_cast<size_t>(frame)];
  h.HandAX = h.X + w.HandAX;
  h.HandBX = h.X + w.HandBX;
  h.HandAY = h.HandBY = h.Y + w.HandY;
  h.FootAX = h.X + w.FootAX;
  h.FootAY = h.Y + w.FootAY;
  h.FootBX = h.X + w.FootBX;
  h.FootBY = h.Y + w.FootBY;
  h.BodyX = h.X + 7;
  h.BobFrame = h.BobFrame % 8 + 1;
  h.BodyY = h.Y + BodyBob[static_cast<size_t>(h.BobFrame)];
}

void AdvanceRightFrame(Hero& h) { h.WalkRightFrame = h.WalkRightFrame % 16 + 1; }
void BackLeftFrame(Hero& h) {
  h.WalkLeftFrame -= 1;
  if (h.WalkLeftFrame < 1) h.WalkLeftFrame = 16;
}

// The footstep sounds only on ground: the feet-row cells at X + 20, X + 80 and X + 30 all solid.
bool FeetAllSolid(const Game& g, const Hero& h) {
  const int32_t row = (h.Y + 100) / kCellSize;
  for (int32_t dx : {20, 80, 30})
    if (!g.StageMap.Solid((h.X + dx) / kCellSize, row)) return false;
  return true;
}

void CrouchPoseRow(Hero& h, int32_t row, bool withHip) {
  const auto& c = CrouchPose[static_cast<size_t>(row)];
  h.HandAX = h.X + c.HandAX;
  h.HandAY = h.Y + c.HandAY;
  h.HandBX = h.X + c.HandBX;
  h.HandBY = h.Y + c.HandBY;
  h.FootAX = h.X + c.FootAX;
  h.FootBX = h.X + c.FootBX;
  h.FootAY = h.FootBY = h.Y + 86;
  h.BodyY = h.Y + c.BodyY;
  if (withHip) h.HipY = h.Y + c.HipY;
}

void AttackPoseRow(Hero& h, int32_t row) {
  const auto& a = AttackPose[static_cast<size_t>(row)];
  h.BodyX = h.X + a.BodyX;
  h.BodyY = h.Y + a.BodyY;
  h.HandAX = h.X + a.HandAX;
  h.HandAY = h.Y + a.HandAY;
  h.HandBX = h.X + a.HandBX;
  h.HandBY = h.Y + a.HandBY;
  h.HipX = h.X + a.HipX;
  h.HipY = h.Y + a.HipY;
}

void Launch(Game& g, Hero& h, int32_t vy) {
  h.State = hero::InAir;
  h.Step = 0;
  h.Vy = vy;
  SoundPlay(g, Sfx::Vtobi);
}

// Jump crouch: the longer the crouch, the higher the jump.
void JumpCrouchStep(Game& g, Hero& h, const HeroTraits& t) {
  const bool moving = h.WalkRight == 1 || h.WalkLeft == 1;
  h.Step = moving ? std::min(h.Step, 5) + 1 : h.Step + 1;
  CrouchPoseRow(h, std::min(h.Step, 8), !moving);
  const bool held = g.KeyState[t.keys.up];
  if (!moving) {
    if (!held) {
      static constexpr int32_t kSpeed[] = {0, -10, -10, -13, -13, -16, -16, -19, -19};
      Launch(g, h, kSpeed[std::min(h.Step, 8)]);
    } else if (h.Step >= 8) {
      Launch(g, h, -19);
    }
  } else if (!held) {
    if (h.Step >= 2 && h.Step <= 5) Launch(g, h, -10 - 3 * (h.Step - 2));
  } else if (h.Step == 5) {
    Launch(g, h, -19);
  }
}

void Struck(Game& g, Hero& h, Hero& partner, int32_t dx, int32_t facing) {
  SoundPlay(g, Sfx::Vatari);
  h.X += dx;
  if (h.X < 0) h.X = 0;
  h.Health -= 1;
  h.HurtGauge += 1;
  h.Vy = 0;
  h.Facing = facing;
  h.Row = 180;
  h.State = hero::Recovering;
  if (h.Carrying == 1) {
    h.Carrying = 0;
    partner.Carried = 0;
    partner.HurtTimer = partner.RespawnWait;
    partner.Hurt = 1;
  }
}

void DeadFall(Hero& h, const Hero& partner, const Game& g) {
  if (h.Y < g.CameraY + 500) {
    h.Vy += 1;
    for (int32_t* v : {&h.Y, &h.BodyY, &h.HipY, &h.HandAY, &h.HandBY, &h.FootAY, &h.FootBY}) *v += h.Vy;
    return;
  }
  // Off the screen. Without a life left he is out for good.
  if (h.Lives < 1) h.Out = 1;
  h.X = partner.X;
  if (h.HurtTimer < h.RespawnWait) {
    h.HurtTimer += 1;
  } else if (h.Lives >= 1) {
    HeroRespawn(h);
  }
}

void PunchStep(Game& g, Hero& h, const HeroTraits& t) {
  h.Step += 1;
  const bool right = h.Facing == 0;
  const int32_t row = right ? h.Step : h.Step + 8;
  AttackPoseRow(h, row);
  const auto& a = AttackPose[static_cast<size_t>(row)];
  if (right) {
    h.FootAX = h.X + a.FootX;
    h.FootAY = h.Y + a.FootY;
    h.FootBX = h.X + 4;
    h.FootBY = h.Y + 86;
  } else {
    h.FootBX = h.X + a.FootX;
    h.FootBY = h.Y + a.FootY;
    h.FootAX = h.X + 52;
    h.FootAY = h.Y + 86;
  }
  if (h.Step == 4) SoundPlay(g, Sfx::Vkougeki);
  if (h.Step == 8) {
    h.Step = 0;
    h.State = hero::Normal;
    if (t.punchEndClearsRow) h.Row = 0;
  }
}

void SpinStep(Game& g, Hero& h) {
  h.Step += 1;
  const bool right = h.Facing == 0;
  const int32_t own = right ? h.Step + 16 : h.Step + 24;
  const int32_t other = right ? h.Step + 24 : h.Step + 16;
  AttackPoseRow(h, own);
  const auto& a = AttackPose[static_cast<size_t>(own)];
  const auto& b = AttackPose[static_cast<size_t>(other)];
  if (right) {
    h.FootAX = h.X + a.FootX;
    h.FootAY = h.Y + a.FootY;
    h.FootBX = h.X + b.FootX;
    h.FootBY = h.Y + b.FootY;
  } else {
    h.FootBX = h.X + a.FootX;
    h.FootBY = h.Y + a.FootY;
    h.FootAX = h.X + b.FootX;
    h.FootAY = h.Y + b.FootY;
  }
  if (h.Step == 4) SoundPlay(g, Sfx::THS);
  if (h.Step == 8) {
    h.Step = 0;
    h.State = hero::Normal;
    h.Row = 0;
  }
}

void BurstGatherStep(Hero& h) {
  h.BurstStep += 1;
  if (h.BurstStep < 6) {
    h.HandAX -= 2;
    h.HandAY += 2;
    h.HandBX += 2;
    h.HandBY += 2;
    h.FootAX -= 2;
    h.FootAY -= 2;
    h.FootBX += 2;
    h.FootBY -= 2;
    h.BodyY += 2;
  }
  if (h.BurstStep == 30) {
    h.BurstStep = 0;
    h.State = hero::BurstRelease;
  }
}

void BurstStepOnce(Game& g, Hero& h) {
  for (Particle& p : h.Particles) {
    const double angle = static_cast<double>(static_cast<float>(p.Angle) * g.settings.DegToRad);
    p.PX = Round(p.PX + p.Radius * std::cos(angle));
    p.PY = Round(p.PY + p.Radius * std::sin(angle));
  }
  h.BurstStep += 1;
  if (h.BurstStep < 3) {
    h.HandAX += 8;
    h.HandAY -= 9;
    h.HandBX -= 8;
    h.HandBY -= 9;
    h.FootAX += 8;
    h.FootAY += 7;
    h.FootBX -= 8;
    h.FootBY += 7;
    h.BodyY -= 8;
    g.CameraY -= 5;
  }
  if (h.BurstStep == 17) {
    g.CameraY += 5;
    h.State = hero::Normal;
    h.BurstStep = 0;
    h.AttackTick = g.FrameTick;
  }
}

void ThrownStep(Game& g, Hero& h) {
  const bool right = h.State == hero::ThrownRight;
  const bool straight = right ? h.X < h.ThrowOriginX + 110 : h.X > h.ThrowOriginX - 110;
  if (straight) {
    if (right ? h.X + 80 > g.CameraX + 630 : h.X < g.CameraX + 1) {
      h.ThrowOriginX += right ? -111 : 111;  // near the edge of the view: the level flight ends
    } else {
      h.X += right ? 15 : -15;
      h.Vy = 0;
    }
  } else {
    h.X += right ? 15 : -15;
    if (g.StageMap.SolidAt(h.X, h.Y + 100)) {
      h.State = hero::Normal;
      h.Carried = 0;
      h.Hurt = 1;
      h.HurtTimer = h.RespawnWait;
    }
  }
  if (!right && h.X < 0) h.X = 0;
}

void GaugeCues(Game& g, Hero& h) {
  if (h.HitGauge == 5) h.HitCue += 1;
  if (h.HurtGauge == 5) h.HurtCue += 1;
  if (h.HitCue == 1) SoundPlay(g, Sfx::tamari);
  if (h.HurtCue == 1) SoundPlay(g, Sfx::tamari);
}

}  // namespace

bool FeetOnSolid(const Game& g, const Hero& h, std::initializer_list<int32_t> xOffsets) {
  const int32_t row = (h.Y + 100) / kCellSize;
  for (int32_t dx : xOffsets)
    if (g.StageMap.Solid((h.X + dx) / kCellSize, row)) return true;
  return false;
}

bool WearsFirstLook(const Game& g, const HeroTraits& t) { return t.firstLook == (g.CostumeToggle != 1); }
int32_t AttackRow(const Game& g, const HeroTraits& t) { return WearsFirstLook(g, t) ? 300 : 420; }
int32_t CarriedRow(const Game& g, const HeroTraits& t) { return WearsFirstLook(g, t) ? 360 : 480; }

void HeroInit(Hero& h, const HeroTraits& t) {
  h.HandRect = t.hand;
  h.FootRect = t.foot;
  h.HipRect = t.hip;
  h.SpinRightRect = t.spinRight;
  h.SpinLeftRect = t.spinLeft;
  h.SparkRect = Rect{500, 130, 516, 146};
  h.Speed = 5;
}

void HeroReset(Game& g, Hero& h) {
  h.X = 0;
  h.Y = 480;
  h.Facing = 0;
  h.Row = 0;
  h.Health = 5;
  h.Lives = g.settings.LivesSetting;
  h.HitGauge = h.HurtGauge = 0;
  h.Carrying = 0;
  h.State = hero::Normal;
  h.Hurt = 0;
  h.Vy = 0;
  h.BurstStep = 0;
  h.HurtTimer = 0;
  h.Speed = 5;
  h.RespawnWait = 80;
}

void HeroRespawn(Hero& h) {
  h.Health = 5;
  h.Y = 480;
  h.State = hero::Normal;
  h.BodyY = 0;
}

void HeroPoseReset(Game& g, Hero& h) {
  h.HandAX = h.X + 62;
  h.HandAY = h.Y + 57;
  h.HandBX = h.X + 5;
  h.HandBY = h.Y + 57;
  h.FootAX = h.X + 51;
  h.FootAY = h.Y + 86;
  h.FootBX = h.X + 4;
  h.FootBY = h.Y + 86;
  h.BodyX = h.X + 7;
  h.BodyY = h.Y + 2;
  h.HipX = h.X + 34;
  h.HipY = h.Y + 63;
  if (h.Hurt != 1) h.Row = 0;
  if (g.settings.FullHitGauge == 1) h.HitGauge = 5;
  if (g.settings.FullHurtGauge == 1) h.HurtGauge = 5;
}

namespace {

bool WalkBlocked(const Hero& h) {
  return (h.HurtTimer >= 2 && h.HurtTimer <= 19) || (h.State != hero::Normal && h.State != hero::InAir);
}

void SetDashing(Hero& h) {
  if (h.DashArmed == 1) {
    h.Dashing = 1;
  } else {
    h.Dashing = 0;
    h.DashCount = 0;
  }
}

// After a walk key is released, a press within three steps starts a dash.
void WalkKeyReleased(Hero& h, int32_t& walkFlag) {
  if (walkFlag == 1) {
    if (h.DashCount < 4) {
      h.DashCount += 1;
    } else {
      walkFlag = 0;
      h.DashCount = 0;
    }
  }
  if (h.DashCount >= 1 && h.DashCount <= 3) {
    h.DashArmed = 1;
  } else {
    h.DashArmed = 0;
    h.DashCount = 0;
    walkFlag = 0;
  }
}

void WalkRightKey(Game& g, Hero& h, const Hero& partner, const HeroTraits& t) {
  h.WalkRight = 1;
  h.WalkLeft = 0;
  SetDashing(h);
  if (WalkBlocked(h)) return;
  const bool footstepFrame = h.WalkRightFrame == 8 || h.WalkRightFrame == 16;
  const bool stepBefore = footstepFrame && FeetAllSolid(g, h);
  if (h.X + 80 < g.CameraX + 640) {
    const int32_t d = h.Speed + (h.Dashing == 1 ? 2 : 0);
    h.X += d;
    if (h.X > g.CameraX + 280 && partner.X > g.CameraX - 1) g.CameraX += d;
  }
  if (t.footstepBeforeMove ? stepBefore : footstepFrame && FeetAllSolid(g, h)) SoundPlay(g, Sfx::Varuki);
  h.Facing = 0;
  h.Row = 0;
  AdvanceRightFrame(h);
  WalkPose(h, h.WalkRightFrame);
}

void WalkLeftKey(Game& g, Hero& h, const Hero& partner, const HeroTraits& t) {
  if (WalkBlocked(h)) return;
  h.WalkLeft = 1;
  if (!t.leftWalkKeepsRight) h.WalkRight = 0;
  SetDashing(h);
  const bool partnerInView = partner.X + 80 < g.CameraX + 640;
  if (h.X > g.CameraX + 1) {
    const int32_t d = h.Speed + (h.Dashing == 1 ? 2 : 0);
    h.X -= d;
    if (h.X < g.CameraX + 160 && partnerInView) g.CameraX -= d;
  }
  // Near the left edge the view scrolls once more, even when the hero stands still.
  if (!t.singleLeftScroll && h.X < g.CameraX + 160 && partner.X + 80 < g.CameraX + 640) g.CameraX -= h.Speed;
  const bool footstepFrame = h.WalkLeftFrame == 8 || h.WalkLeftFrame == 16;
  if (footstepFrame && FeetAllSolid(g, h)) SoundPlay(g, Sfx::Varuki);
  h.Facing = 80;
  h.Row = 0;
  BackLeftFrame(h);
  WalkPose(h, h.WalkLeftFrame);
}

void AttackKeys(Game& g, Hero& h, Hero& partner, const HeroTraits& t) {
  const KeyTable& k = g.KeyState;
  if (k[t.keys.punch] && h.Carrying == 0 && h.State != hero::Recovering) {
    h.State = hero::Punch;
    if (t.punchShowsAttackRow) h.Row = AttackRow(g, t);
  }
  if (k[t.keys.burst] && h.Carrying == 0 && (!t.burstNeedsNoBurstStep || h.BurstStep == 0) &&
      TimePassed(g.FrameTick, h.AttackTick, 2400)) {
    h.AttackTick = g.FrameTick;
    for (int32_t n = 0; n < 36; ++n) h.Particles[static_cast<size_t>(n)] = Particle{h.X + 40, h.Y, 10 * n, 70};
    if (h.HurtGauge == 5) {
      if (!t.burstResetsOwnPose) h.Row = AttackRow(g, t);
      SoundPlay(g, Sfx::MTLS);
      h.State = hero::BurstGather;
      h.BurstStep = 0;
      HeroPoseReset(g, t.burstResetsOwnPose ? h : partner);
      h.HurtGauge = 0;
      h.HurtCue = 0;
    }
  }
  if (k[t.keys.spin] && h.Carrying == 0 && (!t.spinNeedsNoBurstStep || h.BurstStep == 0) &&
      TimePassed(g.FrameTick, h.AttackTick, 1200) && h.HitGauge == 5) {
    h.AttackTick = g.FrameTick;
    h.Step = 0;
    h.State = hero::Spin;
    HeroPoseReset(g, h);
    h.Row = AttackRow(g, t);
    h.HitGauge = 0;
    h.Vy = 0;
    h.HitCue = 0;
  }
  // A dead partner is never lifted: thrown, he would land alive with no health.
  if (k[t.keys.pickUp] && partner.State != hero::Dead && partner.X - 30 < h.X && h.X < partner.X + 30 && partner.Y - 30 < h.Y &&
      h.Y < partner.Y + 30 && h.Hurt == 0 && partner.Row != 180 && h.Carrying == 0 && partner.Carried == 0 &&
      h.BurstStep == 0 && partner.BurstStep == 0) {
    h.PickUpTick = g.FrameTick;
    partner.Carried = 1;
    h.Carrying = 1;
    if (t.pickUpClearsStep) h.Step = 0;
  }
}

}  // namespace

void HeroInput(Game& g, Hero& h, Hero& partner, const HeroTraits& t) {
  const KeyTable& k = g.KeyState;
  if (k[t.keys.right]) {
    WalkRightKey(g, h, partner, t);
  } else {
    WalkKeyReleased(h, h.WalkRight);
  }
  if (k[t.keys.left]) {
    WalkLeftKey(g, h, partner, t);
  } else {
    WalkKeyReleased(h, h.WalkLeft);
  }

  if (k[t.keys.up]) {
    h.UpHeld = 1;
    if (h.State == hero::Normal && (!t.jumpNeedsRestingVy || h.Vy >= 0)) {
      if (FeetOnSolid(g, h, {0, 40, 65, 20, 85})) h.State = hero::JumpCrouch;
      h.Step = 0;
    }
    h.Row = 60;
  } else {
    h.UpHeld = 0;
  }

  const Hero& burstWatch = t.downBlockedByOwnBurst ? h : partner;
  if (!InBurst(burstWatch)) {
    if (k[t.keys.down]) {
      if ((FeetOnSolid(g, h, {0}) && g.CameraY + 100 < h.Y) || FeetOnSolid(g, h, {20, 80, 30})) g.CameraY += 5;
      if (!(h.HurtTimer >= 2 && h.HurtTimer <= 29)) {
        h.Crouching = 1;
        h.Row = 120;
        h.BodyY = h.Y + 32;
        h.HandAX = h.X + 63;
        h.HandBX = h.X + 8;
        h.HandAY = h.HandBY = h.Y + 64;
        h.HipY = h.Y + 84;
      }
    } else {
      h.Crouching = 0;
    }
  }

  AttackKeys(g, h, partner, t);
}

void HeroUpdate(Game& g, Hero& h, Hero& partner, const HeroTraits& t) {
  switch (h.State) {
    case hero::JumpCrouch: JumpCrouchStep(g, h, t); break;
    case hero::Punch: PunchStep(g, h, t); break;
    case hero::Landing:
      h.Step += 2;
      CrouchPoseRow(h, std::min(h.Step, 8), true);
      if (h.Step >= 8) {
        h.State = hero::Normal;
        h.Step = 0;
      }
      break;
    case hero::InAir:
      if (h.Vy >= 0 && FeetOnSolid(g, h, {0, 79, 20})) {
        h.State = (h.WalkRight == 1 || h.WalkLeft == 1 || h.UpHeld == 1 || h.Crouching == 1) ? hero::Normal
                                                                                               : hero::Landing;
      }
      break;
    case hero::StruckFromRight: Struck(g, h, partner, -20, 0); break;
    case hero::StruckFromLeft:
      Struck(g, h, partner, 20, t.knockLeftFacesByLook && g.CostumeToggle != 1 ? 80 : 78);
      break;
    case hero::Recovering:
      if (h.HurtTimer > 30) h.State = hero::Normal;
      break;
    case hero::BurstGather: BurstGatherStep(h); break;
    case hero::BurstRelease:
      SoundPlay(g, Sfx::TLS);
      h.State = hero::Burst;
      g.CameraY += 5;
      break;
    case hero::Burst: BurstStepOnce(g, h); break;
    case hero::Spin: SpinStep(g, h); break;
    case hero::ThrownRight:
    case hero::ThrownLeft: ThrownStep(g, h); break;
    case hero::Dead: DeadFall(h, partner, g); break;
    default: break;
  }

  // Hurt period: 50 steps from 0, or 30 protected steps counted down from 80.
  if (h.Hurt == 1 && h.State != hero::Dead) {
    h.HurtTimer += h.HurtTimer < 50 ? 1 : -1;
    if (h.HurtTimer > 1 && h.HurtTimer < t.hurtPoseUntil) h.Row = 180;
    if (h.HurtTimer == 50) {
      h.Hurt = 0;
      h.HurtTimer = 0;
      h.Row = 0;
    }
  }
  if (h.HurtTimer < 50) h.EffectRow = 50 * (((h.HurtTimer + 15) % 16) / 2);

  const bool dies = t.dieAtOrBelowZero ? h.Health <= 0 : h.Health == 0;
  if (dies && h.State != hero::Dead) {
    if (h.Lives > 0) h.Lives -= 1;
    if (h.Lives < 1 && partner.State == hero::Dead) {
      g.stage.GameOverTick = g.FrameTick;
      SoundStop(g, Sfx::OP);
      SoundPlay(g, Sfx::G_over);
      g.SceneId = scene::GameOver;
    }
    h.State = hero::Dead;
  }
  if (h.Carrying == 1) HeroCarry(g, h, partner, t);
  GaugeCues(g, h);
  if (h.Carried == 1) h.Row = CarriedRow(g, t);
  if (h.State != hero::Dead) HeroFall(g, h, partner);
}

void HeroFall(Game& g, Hero& h, const Hero& partner) {
  const StageState& s = g.stage;
  if (!(InBurst(h) || h.State == hero::Spin)) {
    h.Y += h.Vy;
    if (h.Y > g.CameraY + 360) g.CameraY += 5;
    if (h.Y < g.CameraY + 100) g.CameraY -= 5;
    if (g.CameraY < 0) g.CameraY = 0;
    if (partner.Carrying != 1) h.Vy += 1;
    if (h.Vy >= 0 && FeetOnSolid(g, h, {0, 20, 80, 30})) {
      h.Vy = 0;
      h.Y = ((h.Y + 100) / kCellSize) * kCellSize - 100;
    }
  }
  if (h.X < 0) h.X = 0;
  if (h.X + 80 > s.WorldMaxX) h.X = s.WorldMaxX - 80;
  if (h.Y < 0) h.Y = 0;
  if (h.Y > s.WorldMaxY) h.Y = s.WorldMaxY;
}

void HeroCarry(Game& g, Hero& h, Hero& partner, const HeroTraits& t) {
  partner.X = h.X + 2;
  const int32_t handY = h.Crouching == 1 ? h.Y + 20 : h.Y - 5;
  partner.Y = h.Crouching == 1 ? h.Y - 15 : h.Y - 40;
  h.HandAX = h.X + t.carryHandAX;
  h.HandBX = h.X + t.carryHandBX;
  h.HandAY = h.HandBY = handY;
  if (TimePassed(g.FrameTick, h.PickUpTick, t.throwDelayMs) && g.KeyState[t.keys.pickUp]) {
    h.Carrying = 0;
    partner.State = h.Facing == 0 ? hero::ThrownRight : hero::ThrownLeft;
    partner.ThrowOriginX = h.X;
  }
}

void HeroWalkStep(Game& g, Hero& h, const Hero& partner) {
  const int32_t d = h.Speed + (partner.Dashing == 1 ? 2 : 0);
  if (h.WalkRight == 1) {
    h.X += d;
    if (FeetAllSolid(g, h)) SoundPlay(g, Sfx::Varuki);
    h.Facing = 0;
    h.Row = 0;
    AdvanceRightFrame(h);
    WalkPose(h, h.WalkRightFrame);
    h.HipX = h.X + 34;
    h.HipY = h.Y + 63;
  }
  if (h.WalkLeft == 1) {
    h.X -= d;
    if (FeetAllSolid(g, h)) SoundPlay(g, Sfx::Varuki);
    h.Facing = 80;
    h.Row = 0;
    BackLeftFrame(h);
    WalkPose(h, h.WalkLeftFrame);
    h.HipX = h.X + 34;
    h.HipY = h.Y + 63;
  }
}

void HeroDraw(Game& g, const Hero& h, const HeroTraits& t) {
  if (h.Out == 1) return;
  const bool first = WearsFirstLook(g, t);
  const int32_t left = h.Facing + (first ? 1240 : 920);
  DrawPiece(g, Bmp::char256, left, h.Row, left + 80, h.Row + 60, first ? h.BodyX - 2 : h.BodyX, h.BodyY + 5);
  if (h.Carried == 1) return;
  if (h.Hurt == 1 && h.HurtTimer < 50)
    DrawPiece(g, Bmp::char256, 1480, 200 + h.EffectRow, 1530, 250 + h.EffectRow, h.X + 14, h.BodyY - 5);
  const auto piece = [&](const Rect& r, int32_t x, int32_t y) {
    g.BlitRect = r;
    Draw(g, Bmp::char256, x, y);
  };
  piece(h.HandRect, h.HandBX, h.HandBY);
  piece(h.FootRect, h.FootBX, h.FootBY);
  piece(h.HipRect, h.HipX, h.HipY);
  piece(h.HandRect, h.HandAX, h.HandAY);
  piece(h.FootRect, h.FootAX, h.FootAY);
  if (h.State == hero::Burst) {
    g.BlitRect = h.SparkRect;
    for (const Particle& p : h.Particles) Draw(g, Bmp::geji256, p.PX, p.PY);
  }
  if (h.State == hero::Spin && h.Step >= 5) {
    if (h.Facing != 0) {
      piece(h.SpinLeftRect, h.HandBX - 60, h.HandBY - 15);
    } else {
      piece(h.SpinRightRect, h.HandAX + 30, h.HandAY - 15);
    }
  }
}

}  // namespace kt
