#pragma once
// What the enemy kinds share: the proximity rule, the map cells, the hit
// spark, the combo, and the hit tests against the heroes, driven by each
// kind's own numbers.
#include <cstdint>

#include "enemies/enemy_state.hpp"
#include "loop/game.hpp"

namespace kt {

// ---- shared helpers -----------------------------------------------------------

// The slots a kind walks are 1..count; a count past the table's end stops at
// its last slot.
int32_t SlotsInPlay(int32_t count);

// An enemy takes part only while its X is strictly within `reach` pixels of a
// hero's: 700 for most kinds, 1200 for the step of the mogeta and the byoon.
bool NearAHero(const Game& g, const Enemy& e, int32_t reach = 700);

// A defeated enemy falling out of the picture: once its Y has reached 580
// below the top of the view it is gone for the rest of the stage. Returns
// whether it went.
bool DropOutOfView(const Game& g, Enemy& e);

// A spun enemy slides 20 pixels a step towards the edge of the view it was
// spun to; at the edge it bounces up at `vy` with its spark showing and takes
// `nextState`. Returns whether it slid this step.
bool SpinSlide(const Game& g, Enemy& e, bool right, int32_t vy, int32_t nextState);

// The map cell at world (x, y) is solid: exactly 1, as for every reader of
// the map; any other value is open.
bool CellSolid(const Game& g, int32_t x, int32_t y);

// Puts the hands and feet at pose f of the enemy's tables.
void ApplyPose(Enemy& e, int32_t f);

// The hit spark: 17 steps through 10 frames. While `sparking` is 1 the step
// advances and the spark ends after step 17; `frame` is the source x offset of
// the step's frame (step 0 leaves it as it is); the last frame sits at
// `lastFrameX` in the strip (450, or 448 for the sikaky). The boss shares it.
void AdvanceSpark(int32_t& sparking, int32_t& step, int32_t& frame, int32_t lastFrameX = 450);
void AdvanceSpark(Enemy& e, int32_t lastFrameX = 450);

// The combo: the highest hit count since the last display...
void RaiseCombo(Game& g, const Enemy& e);
// ...shown when the enemy that reached it lands. A capped landing shows 9 and 9
// for 100 and more.
void ComboOnLanding(Game& g, const Enemy& e, bool capped);

// The numbers of one kind's hit tests.
struct HitNumbers {
  // Contact: the enemy's body knocks the hero.
  int32_t contactOffState;    // no contact in this state
  bool contactNeedsHealth;    // only while Health > 0
  bool contactNeedsNoSpark;   // only while Sparking = 0
  int32_t contactTop;         // Y + contactTop < H.Y
  int32_t contactBottom;      // H.Y < Y + contactBottom standing
  int32_t contactBottomCrouch;
  int32_t contactLeft, contactRight;  // X + left < H.X < X + right
  int32_t knockLine;          // H.X + 40 < X + knockLine: knocked left (state 5)
  // Punch and spin.
  bool strikesNeedUncarried;  // a carried hero's punch and spin do not count
  int32_t bandAbove;          // Hand - bandAbove < Y < Hand + 20
  int32_t firstHit, secondHit;
  int32_t spinLeftHero, spinRightHero;
  // Thrown hero.
  bool throwNeedsNoSpark;
  int32_t throwBottom, throwRight;  // Y - 35 < H.Y < Y + bottom, X - 50 < H.X < X + right
};

// What a hit test did, for the kind to add its own effects.
enum class Struck { None, Punch, Burst, Spin };

// The contact test: the enemy's body knocks the hero. Returns whether it did.
bool EnemyContact(Enemy& e, Hero& h, const HitNumbers& n);
// The punch, burst and spin tests. Returns the last of the hero's attacks that
// struck; the kind adds its own effects of a spin.
Struck EnemyStrikes(Game& g, Enemy& e, Hero& h, const HitNumbers& n, Sfx hitSound);
// Contact, then the strikes.
Struck HitByHero(Game& g, Enemy& e, Hero& h, const HitNumbers& n, Sfx hitSound);
// The thrown-hero test against Tavo, then Kurara.
void HitByThrow(Game& g, Enemy& e, const HitNumbers& n);

// Runs `test(hero)` for the heroes the enemies test this step: Tavo, then
// Kurara; in one-player mode only the steered hero.
template <typename F>
void ForTestedHeroes(Game& g, F test) {
  if (g.settings.OnePlayerMode == 1) {
    test(g.stage.ControlledHero == 1 ? g.Kurara : g.Tavo);
  } else {
    test(g.Tavo);
    test(g.Kurara);
  }
}

}  // namespace kt
