#include "heroes/tavo.hpp"

namespace kt {

// Everything Tavo does differently from Kurara.
const HeroTraits kTavoTraits{
    .keys = {.left = vk::Left, .right = vk::Right, .up = vk::Up, .down = vk::Down, .punch = 'L', .spin = 'O',
             .burst = 'I', .pickUp = 'K'},
    .hand = {1080, 100, 1160, 145},
    .foot = {1080, 50, 1160, 95},
    .hip = {1080, 0, 1160, 50},
    .spinRight = {1080, 210, 1140, 265},
    .spinLeft = {1080, 150, 1140, 210},
    .firstLook = false,
    .footstepBeforeMove = true,
    .leftWalkKeepsRight = true,
    .singleLeftScroll = true,
    .jumpNeedsRestingVy = false,
    .downBlockedByOwnBurst = true,
    .punchShowsAttackRow = true,
    .punchEndClearsRow = true,
    .burstNeedsNoBurstStep = true,
    .burstResetsOwnPose = true,
    .spinNeedsNoBurstStep = false,
    .pickUpClearsStep = true,
    .hurtPoseUntil = 30,
    .knockLeftFacesByLook = true,
    .dieAtOrBelowZero = true,
    .carryHandAX = 62,
    .carryHandBX = 5,
    .throwDelayMs = 150,
};

void TavoInit(Game& g) { HeroInit(g.Tavo, kTavoTraits); }
void TavoReset(Game& g) { HeroReset(g, g.Tavo); }
void TavoPoseReset(Game& g) { HeroPoseReset(g, g.Tavo); }
void TavoInput(Game& g) { HeroInput(g, g.Tavo, g.Kurara, kTavoTraits); }
void TavoUpdate(Game& g) { HeroUpdate(g, g.Tavo, g.Kurara, kTavoTraits); }
void TavoFall(Game& g) { HeroFall(g, g.Tavo, g.Kurara); }
void TavoCarry(Game& g) { HeroCarry(g, g.Tavo, g.Kurara, kTavoTraits); }
void TavoWalkStep(Game& g) { HeroWalkStep(g, g.Tavo, g.Kurara); }
void TavoDraw(Game& g) { HeroDraw(g, g.Tavo, kTavoTraits); }

}  // namespace kt
