#pragma once
// The hero record: one for each hero. The figure is a body sprite with two
// hands, two feet and a lower-body piece floating around it; the piece
// positions below are world pixels.
#include <array>
#include <cstdint>

#include "platform/surface.hpp"

namespace kt {

struct Particle {
  int32_t PX = 0, PY = 0;  // world position of the spark's top-left corner
  int32_t Angle = 0;       // degrees
  int32_t Radius = 0;      // pixels per step
};

struct Hero {
  int32_t X = 0, Y = 0;  // the box is 80 wide; the feet stand at Y + 100
  int32_t Lives = 0;
  int32_t ThrowOriginX = 0;
  int32_t Facing = 0;  // 0 right, 80 left (78 after a knock to the right); added to the body's source x
  int32_t Row = 0;     // top of the body's source rectangle
  int32_t BodyX = 0, BodyY = 0;
  int32_t HandAX = 0, HandAY = 0;
  int32_t HandBX = 0, HandBY = 0;
  int32_t FootAX = 0, FootAY = 0;
  int32_t FootBX = 0, FootBY = 0;
  int32_t HipX = 0, HipY = 0;
  int32_t Vy = 0;  // pixels per step, down is positive
  int32_t Health = 0;
  int32_t Hurt = 0;
  int32_t RespawnWait = 0;
  int32_t State = 0;
  int32_t Step = 0;
  int32_t HurtTimer = 0;
  int32_t Crouching = 0;
  int32_t EffectRow = 0;
  int32_t HitGauge = 0, HurtGauge = 0;
  int32_t BurstStep = 0;
  int32_t HitCue = 0, HurtCue = 0;
  int32_t Carrying = 0, Carried = 0;
  int32_t UpHeld = 0, WalkRight = 0, WalkLeft = 0;
  int32_t AttackTick = 0, PickUpTick = 0;
  int32_t DashCount = 0, DashArmed = 0;
  int32_t Speed = 0;
  Rect HandRect, FootRect, HipRect, SpinRightRect, SpinLeftRect, SparkRect;
  std::array<Particle, 36> Particles{};

  // Kept beside the record.
  int32_t WalkRightFrame = 0;  // 1..16
  int32_t WalkLeftFrame = 0;   // 1..16
  int32_t BobFrame = 0;        // 1..8
  int32_t Dashing = 0;
  // 1 once a hero with no lives left has dropped off the screen: he is not
  // drawn again until the next game (or the ending's celebration).
  int32_t Out = 0;
};

// Hero states.
namespace hero {
inline constexpr int32_t Normal = 0;
inline constexpr int32_t JumpCrouch = 1;
inline constexpr int32_t Punch = 2;
inline constexpr int32_t Landing = 3;
inline constexpr int32_t InAir = 4;
inline constexpr int32_t StruckFromRight = 5;
inline constexpr int32_t StruckFromLeft = 6;
inline constexpr int32_t Recovering = 7;
inline constexpr int32_t BurstGather = 9;
inline constexpr int32_t BurstRelease = 10;
inline constexpr int32_t Burst = 11;
inline constexpr int32_t Spin = 12;
inline constexpr int32_t ThrownRight = 18;
inline constexpr int32_t ThrownLeft = 19;
inline constexpr int32_t Dead = 99;
}  // namespace hero

// A hero who lost his last life: he stays out of the fight until the next game.
// Nothing brings him back, hurts him, lifts him or walks him after his partner.
inline bool OutOfLives(const Hero& h) { return h.State == hero::Dead && h.Lives < 1; }

}  // namespace kt
