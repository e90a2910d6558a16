#pragma once
// The boss's record and its beam. The boss is put together from nine pieces
// drawn at fixed offsets from its origin (X, Y); all positions are world pixels.
#include <cstdint>

namespace kt {

struct BossRecord {
  int32_t X = 0, Y = 0;   // origin; every piece hangs off it
  int32_t HP = 0;         // the boss falls once a step begins below 0 (0 still lives)
  int32_t State = 0;      // 1..12 fighting, 99 falling after defeat, 0 afterwards
  int32_t Count = 0;      // step counter of the pause, charge, beam and dash
  int32_t FallCount = 0;  // speed of the defeat fall
  int32_t Decision = 0;   // last random decision, 0..10
  int32_t WingStep = 0;   // wing beat 1..9 and back down to 0
  int32_t WingDir = 0;    // 1 while WingStep rises, 2 while it falls
  int32_t WingRow = 0;    // source top of the wing frame: 0, 160, 320, 480
  int32_t HeadCol = 0;    // source left of the head: 0 facing left, 120 facing right
  int32_t HeadRow = 0;    // source top of the head: 0 low, 260 high, 390 angry/hurt/firing
  int32_t ArmCol = 0;     // 560: working arm on the boss's left; 650: on its right
  int32_t ArmRow = 0;     // 130 rest, 230 raised (charging), 325 thrown down (firing)
  int32_t OrbX = 0, OrbY = 0;
  int32_t Flash = 0;       // 1 while the hit spark plays: no attack hurts the boss then
  int32_t FlashStep = 0;   // 0..17
  int32_t SparkFrame = 0;  // source x offset of the spark frame, 0..450
  int32_t SparkY = 0;
  // Piece anchors, recomputed from (X, Y) by BossStepParts.
  int32_t HeadX = 0, HeadY = 0;
  int32_t HandAX = 0, HandAY = 0, HandBX = 0, HandBY = 0;
  int32_t FootAX = 0, FootAY = 0, FootBX = 0, FootBY = 0;
  int32_t WingAX = 0, WingAY = 0, WingBX = 0, WingBY = 0;
  int32_t BodyX = 0, BodyY = 0;
};

// The vertical beam dropped on a hero.
struct BossBeamRecord {
  int32_t X = 0, Y = 0;  // world position of the beam's top left
  int32_t SrcTop = 635;  // top of the source rectangle; 635 shows nothing
  int32_t Falling = 0;   // 0 while the beam grows, 1 while it slides down
};

// Boss states.
namespace boss {
inline constexpr int32_t Done = 0;
inline constexpr int32_t Rise = 1;
inline constexpr int32_t SweepLeft = 2;
inline constexpr int32_t SweepRight = 3;
inline constexpr int32_t Pause = 4;
inline constexpr int32_t GoLowLeft = 5;
inline constexpr int32_t ClimbRight = 6;
inline constexpr int32_t Charge = 7;
inline constexpr int32_t Beam = 8;
inline constexpr int32_t RiseToCharge = 9;
inline constexpr int32_t SweepRightLow = 10;
inline constexpr int32_t Turn = 11;
inline constexpr int32_t Dash = 12;
inline constexpr int32_t Defeated = 99;
}  // namespace boss

}  // namespace kt
