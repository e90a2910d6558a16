#include "heroes/kurara.hpp"

namespace kt {

const HeroTraits kKuraraTraits{
    .keys = {.left = 'X', .right = 'V', .up = 'D', .down = 'C', .punch = 'S', .spin = 'W', .burst = 'Q', .pickUp = 'A'},
    .hand = {1400, 100, 1480, 145},
    .foot = {1400, 50, 1480, 95},
    .hip = {1400, 0, 1480, 50},
    .spinRight = {1400, 210, 1458, 265},
    .spinLeft = {1400, 150, 1458, 210},
    .firstLook = true,
    .footstepBeforeMove = false,
    .leftWalkKeepsRight = false,
    .singleLeftScroll = false,
    .jumpNeedsRestingVy = true,
    .downBlockedByOwnBurst = false,
    .punchShowsAttackRow = false,
    .punchEndClearsRow = false,
    .burstNeedsNoBurstStep = false,
    .burstResetsOwnPose = false,
    .spinNeedsNoBurstStep = true,
    .pickUpClearsStep = false,
    .hurtPoseUntil = 20,
    .knockLeftFacesByLook = false,
    .dieAtOrBelowZero = false,
    .carryHandAX = 60,
    .carryHandBX = 7,
    .throwDelayMs = 160,
};

void KuraraInit(Game& g) { HeroInit(g.Kurara, kKuraraTraits); }
void KuraraReset(Game& g) { HeroReset(g, g.Kurara); }
void KuraraPoseReset(Game& g) { HeroPoseReset(g, g.Kurara); }
void KuraraInput(Game& g) { HeroInput(g, g.Kurara, g.Tavo, kKuraraTraits); }
void KuraraUpdate(Game& g) { HeroUpdate(g, g.Kurara, g.Tavo, kKuraraTraits); }
void KuraraFall(Game& g) { HeroFall(g, g.Kurara, g.Tavo); }
void KuraraCarry(Game& g) { HeroCarry(g, g.Kurara, g.Tavo, kKuraraTraits); }
void KuraraWalkStep(Game& g) { HeroWalkStep(g, g.Kurara, g.Tavo); }
void KuraraDraw(Game& g) { HeroDraw(g, g.Kurara, kKuraraTraits); }

}  // namespace kt
