#pragma once
// The winged boss: it bobs with its wing beat, roams the arena by a small
// random state machine, charges an orb and drops a beam on a hero, hurts the
// heroes it touches, takes damage from their attacks and, when beaten, drops
// off the screen and hands over to the ending.
#include "loop/game.hpp"

namespace kt {

// Start values; run on every step of the stage's walk-in.
void BossReset(Game& g);
// Recomputes the piece anchors from Boss.X and Boss.Y.
void BossStepParts(Game& g);
// One beat step of the wings: the wing frame, the bob, and the flap's sound
// at the top of the beat. Run by BossStep and by the ending's flight.
void BossWingBeat(Game& g);
// One step of the fight: facing, wing beat, hit tests, state machine, spark.
void BossStep(Game& g);
// The hit tests, run by BossStep.
void BossHitByTavo(Game& g);
void BossHitByKurara(Game& g);
void BossHitByThrow(Game& g);
// Draws the boss, its orb, beam and hit spark.
void BossDraw(Game& g);

}  // namespace kt
