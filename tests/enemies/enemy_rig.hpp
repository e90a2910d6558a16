#pragma once
// Helpers for the enemy kinds' tests: one enemy of a kind in a stage with
// hand-held keys, and counting sounds in the trace.
#include <string>

#include "stage_rig.hpp"

namespace kt::test {

inline int CountOf(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// A stage with one enemy of a kind at (x, y) and both heroes at x 100, on the
// floor at y 480. `table` picks the kind's table, `count` its count.
template <auto Table, auto Count, void (*Reset)(Game&), void (*Place)(Game&)>
struct OneEnemyRig : StageRig {
  OneEnemyRig(int32_t x, int32_t y, int32_t players = 2) : StageRig(players) {
    Game& g = this->g();
    g.stage.*Count = 1;
    Reset(g);
    Place(g);
    enemy().X = x;
    enemy().Y = y;
    kurara().X = 100;
    tavo().X = 100;
  }
  Enemy& enemy() { return (game->enemies.*Table)[1]; }

  // Kurara punches from `dx` pixels left of the enemy (right of it for a
  // negative dx, facing it) and the punch runs its course.
  void PunchFrom(int32_t dx) {
    Hero& k = kurara();
    k.X = enemy().X - dx;
    k.Facing = dx > 0 ? 0 : 80;
    Step({'S'});
    Step({}, 7);
  }

  // Steps until the enemy leaves `state` (at most `limit` steps); returns the
  // steps taken.
  int StepWhile(int32_t state, int limit = 400) {
    int steps = 0;
    while (enemy().State == state && steps < limit) {
      Step();
      ++steps;
    }
    return steps;
  }
};

}  // namespace kt::test
