#pragma once
// Games at the boss: one that reached it the way a player does, and helpers
// for driving the boss on its own.
#include <algorithm>
#include <functional>

#include "boss/boss.hpp"
#include "stage_rig.hpp"

namespace kt::test {

// A stage whose heroes have just taken the exit: the run-up begins next step.
struct ExitRig : StageRig {
  explicit ExitRig(int players = 2) : StageRig(players) {
    g().CameraX = 4480;
    tavo().X = 4900;
    kurara().X = 4890;
    g().stage.ExitCount = 20;
    Step();
  }
  // Steps until `done` holds, at most `limit` times; returns the steps taken.
  int StepUntil(const std::function<bool()>& done, int limit = 1000) {
    int n = 0;
    for (; !done() && n < limit; ++n) Step();
    return n;
  }
};

// The fight, reached through the run-up and the arena set-up.
struct FightRig : ExitRig {
  explicit FightRig(int players = 2) : ExitRig(players) {
    StepUntil([this] { return g().bossStage.BossPhase == 2; });
  }
  BossRecord& boss() { return g().Boss; }
};

// The first seed whose first random number satisfies `want`.
inline uint64_t SeedWhere(const std::function<bool(double)>& want) {
  for (uint64_t s = 1;; ++s)
    if (want(Random(s).Next())) return s;
}

// One boss step on its own, as the fight runs it, with the wings held still
// (a WingStep below 1 bobs nothing).
inline void BossOnly(Game& g, bool stillWings = true) {
  if (stillWings) {
    g.Boss.WingStep = 0;
    g.Boss.WingDir = 2;
  }
  g.audio.step = {};
  BossStepParts(g);
  BossStep(g);
}

inline bool Played(const Game& g, Sfx s) {
  const auto& once = g.audio.step.once;
  return std::find(once.begin(), once.end(), s) != once.end();
}

}  // namespace kt::test
