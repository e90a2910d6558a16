#pragma once
// One implementation for both heroes. Kurara and Tavo differ only in the
// points their HeroTraits list; every procedure takes the hero, the partner
// and the traits.
#include <cstdint>
#include <initializer_list>

#include "heroes/hero_state.hpp"
#include "loop/game.hpp"

namespace kt {

struct HeroKeys {
  uint8_t left, right, up, down, punch, spin, burst, pickUp;
};

struct HeroTraits {
  HeroKeys keys;
  // Source rectangles of the pieces on the character sheet.
  Rect hand, foot, hip, spinRight, spinLeft;
  // Which body set the hero wears while CostumeToggle is 0 (F6 swaps them).
  bool firstLook;

  // --- walking ---
  bool footstepBeforeMove;     // the right-walk footstep is tested before the move
  bool leftWalkKeepsRight;     // the left key leaves WalkRight as it is
  bool singleLeftScroll;       // walking left scrolls once, only when the hero moved
  // --- jumping and looking down ---
  bool jumpNeedsRestingVy;     // the jump crouch needs Vy >= 0
  bool downBlockedByOwnBurst;  // the down key is ignored during the hero's own burst (else the partner's)
  // --- attacks ---
  bool punchShowsAttackRow;    // the punch sets the attack row
  bool punchEndClearsRow;      // the end of the punch sets Row 0
  bool burstNeedsNoBurstStep;  // the burst key needs BurstStep 0
  bool burstResetsOwnPose;     // a starting burst resets the hero's own pose, not the partner's, and keeps Row
  bool spinNeedsNoBurstStep;   // the spin key needs BurstStep 0
  bool pickUpClearsStep;       // a pick-up sets Step 0
  // --- being hurt ---
  int32_t hurtPoseUntil;       // the hurt pose shows while 1 < HurtTimer < this
  bool knockLeftFacesByLook;   // knocked from the left: Facing 80 (78 with CostumeToggle); else always 78
  bool dieAtOrBelowZero;       // dies at Health <= 0 rather than exactly 0
  // --- carrying ---
  int32_t carryHandAX, carryHandBX;
  uint32_t throwDelayMs;       // the throw needs this long after the pick-up
};

// Which hero's look-dependent values apply: the body set worn now.
bool WearsFirstLook(const Game& g, const HeroTraits& t);
int32_t AttackRow(const Game& g, const HeroTraits& t);   // 300 or 420
int32_t CarriedRow(const Game& g, const HeroTraits& t);  // 360 or 480

void HeroInit(Hero& h, const HeroTraits& t);
void HeroReset(Game& g, Hero& h);
// Back on his feet at y 480 with full health, as after the wait below the screen.
void HeroRespawn(Hero& h);
void HeroPoseReset(Game& g, Hero& h);
void HeroInput(Game& g, Hero& h, Hero& partner, const HeroTraits& t);
void HeroUpdate(Game& g, Hero& h, Hero& partner, const HeroTraits& t);
void HeroFall(Game& g, Hero& h, const Hero& partner);
void HeroCarry(Game& g, Hero& h, Hero& partner, const HeroTraits& t);
void HeroWalkStep(Game& g, Hero& h, const Hero& partner);
void HeroDraw(Game& g, const Hero& h, const HeroTraits& t);

// Is any of the cells under the hero's feet at these x offsets solid?
bool FeetOnSolid(const Game& g, const Hero& h, std::initializer_list<int32_t> xOffsets);

}  // namespace kt
