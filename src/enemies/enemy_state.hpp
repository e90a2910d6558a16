#pragma once
// The enemy record shared by every kind, and the kinds' tables.
#include <array>
#include <cstdint>

#include "platform/surface.hpp"

namespace kt {

// One pose table: entries 1..16 hold the walk cycle (1..50 usable).
using PoseTable = std::array<int32_t, 51>;

struct Enemy {
  int32_t X = 0, Y = 0;
  int32_t Gone = 0;
  int32_t Stationary = 0;  // gek: never walks; patatta: CruiseY
  int32_t HomeX = 0;
  int32_t Column = 0, Row = 0;
  int32_t BodyCol = 0, BodyRow = 0;
  int32_t HandAX = 0, HandAY = 0, HandBX = 0, HandBY = 0;
  int32_t FootAX = 0, FootAY = 0, FootBX = 0, FootBY = 0;
  // HandAOffX, HandAOffY, HandBOffX, HandBOffY, FootAOffX, FootAOffY, FootBOffX, FootBOffY.
  std::array<PoseTable, 8> Pose{};
  int32_t Vy = 0;
  int32_t Health = 0;
  int32_t ShotVy = 0;  // gek: the ball's speed; patatta: FlapDir; sikaky: the ball flag
  int32_t ShotX = 0, ShotY = 0;
  int32_t Sparking = 0;
  int32_t State = 0;
  int32_t Frame = 0;
  int32_t SparkStep = 0;
  int32_t SparkOffX = 0, SparkOffY = 0;
  int32_t HitCount = 0;
  int32_t WaitTick = 0;
  Rect HandRect, FootRect, CoverRect, ShotRect;
  // Fields of the later kinds.
  int32_t Vx = 0;
  int32_t BodyX = 0, BodyY = 0;
  PoseTable Bob{};
  int32_t WalkCount = 0;
  int32_t HopPhase = 0;
  int32_t DotAX = 0, DotAY = 0, DotBX = 0, DotBY = 0;
  int32_t SpotX = 0, SpotY = 0;
  Rect BallRect;
  int32_t GroundCount = 0;
  int32_t LeapRoll = 0;
  int32_t LeapLeft = 0;

  int32_t& CruiseY() { return Stationary; }
  int32_t& FlapDir() { return ShotVy; }
};

inline constexpr int kEnemySlots = 51;  // slot 0 is never used
using EnemyTable = std::array<Enemy, kEnemySlots>;

struct EnemyTables {
  EnemyTable gek, kurosuke, patatta, sikaky, mogeta, byoon;
};

// Indices of the pose tables.
namespace pose_table {
inline constexpr int HandAOffX = 0, HandAOffY = 1, HandBOffX = 2, HandBOffY = 3;
inline constexpr int FootAOffX = 4, FootAOffY = 5, FootBOffX = 6, FootBOffY = 7;
}  // namespace pose_table

}  // namespace kt
