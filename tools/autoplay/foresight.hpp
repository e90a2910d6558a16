#pragma once
// What the autoplayer foresees: where the enemies, their balls, the boss and
// its beam will be in the coming steps, and where a hero goes for each way
// he could move. These are the game's rules as a player learns them; a test
// holds them against the game, so a change of the game shows up there.
#include <cstdint>
#include <vector>

#include "loop/game.hpp"

namespace kt::autoplay {

// The box in which an enemy's body knocks a hero, as the hero's position
// relative to the enemy's: left < H.X - X < right, top < H.Y - Y < bottom
// (crouchBottom while crouching); and the height band of a punch that reaches it.
struct Shape {
  int32_t left, right, top, bottom, crouchBottom, band;
};
constexpr Shape kGekShape{-55, 60, -70, 90, 40, 100};
constexpr Shape kWalkerShape{-60, 40, -70, 60, 20, 60};  // kurosuke, sikaky, mogeta, byoon
constexpr Shape kFlyerShape{-65, 35, -55, 10, -35, 60};  // patatta
constexpr Shape kBossShape{-55, 130, -30, 145, 70, 0};
constexpr Shape kSikakyBallShape{-60, 20, -70, 25, -20, 0};

struct Foe {
  const Enemy* e;
  Shape shape;
  bool gek;
  const char* kind;
  int32_t feet;  // how far below Y its feet stand; 0 for a flyer
  bool sikaky = false;
};

std::vector<Foe> FoesInView(const Game& g);

// The forward hand's height once a punch reaches out.
int32_t PunchHandY(int32_t heroY);
// Whether a punch (or spin) thrown now, facing right or left, reaches the foe.
bool Reaches(const Hero& h, const Foe& f, bool right);
// Steps the hero stays unhurtable from now.
int32_t ImmuneSteps(const Hero& h);
// Whether the hero's own keys move him now.
inline bool Steerable(const Hero& h) { return h.State != hero::Dead && h.Carried == 0; }

// Something that can knock a hero, moved forward step by step.
struct Threat {
  enum Kind { Box, Ball, Beam } kind = Box;
  int32_t x = 0, y = 0, vx = 0, vy = 0;
  bool falls = false;        // a box in the air falls (one pixel per step faster each step)...
  int32_t ground = 1 << 20;  // ...down to this Y
  bool hops = false;         // and springs up again from it (a sikaky)
  Shape shape{};
  const Enemy* foe = nullptr;  // the enemy of a box or a ball
  // The beam: its column, and its count, top and height as the boss sets them;
  // while the boss charges, the steps until it aims at the hero.
  int32_t count = 0, srcTop = 635, beamY = 0, falling = 0, cameraY = 0;
  int32_t aimIn = -1;
};

// Where a box threat is `t` steps from now.
void BoxAt(const Threat& th, int32_t t, int32_t& x, int32_t& y);

// The first step (6 to 8 from now) at which a punch thrown now, facing right
// or left, lands on the foe whose body is `body`, as both move; 0 if none.
int32_t PunchLands(const Game& g, const Hero& h, const Foe& f, const Threat& body, bool right);

// Whether the threat knocks a hero at (hx, hy) `t` steps from now.
bool Hits(const Threat& th, int32_t t, int32_t hx, int32_t hy, bool crouching);

// What a hero does over the next steps.
struct Plan {
  int32_t dir = 0;  // walk
  bool crouch = false;
  bool jump = false;
  bool still = false;  // an attack keeps the hero in place
  bool dash = false;
};

constexpr int32_t kMaxHorizon = 48;

struct Path {
  int32_t x[kMaxHorizon], y[kMaxHorizon];
  bool crouched[kMaxHorizon];
};

// Moves a copy of the hero by the plan: walking, crouching, the jump and the
// fall, on the stage map, as the hero's own rules do.
Path Predict(const Game& g, const Hero& h, const Plan& p, int32_t steps);

// Where the boss is when it tests the heroes in a coming step, and its beam.
struct BossFrame {
  int32_t x = 0, y = 0;
  bool beam = false;        // the beam can touch
  int32_t beamBottom = 0;   // its drawn bottom edge
  int32_t beamX = 0;        // its column, when it was aimed before now
  int32_t aimStep = 0;      // else the step it is aimed in (at the hero's X then)
  bool aimAtHero = true;    // aimed at the hero being planned for, else at the partner
};
using BossTrack = std::vector<BossFrame>;

// Every way the boss can go in the next `steps` steps: its state machine,
// branching where it decides at random.
std::vector<BossTrack> BossTracks(const Game& g, bool heroIsKurara, int32_t steps);

// The first step (1-based) at which a threat or the boss knocks the hero on
// this plan, past the steps he cannot be hurt; 0 when none does within `steps`.
int32_t FirstHit(const Game& g, const Hero& h, const Plan& p, const std::vector<Threat>& threats, int32_t steps,
                 const Enemy* ignoreAfterPunch = nullptr, const std::vector<BossTrack>* boss = nullptr,
                 int32_t partnerX = 0, int32_t punchLands = 4);

// What most likely struck a hero who has just lost a hit point: an enemy
// kind ("kurosuke", "gek ball"), "boss", "beam" or "?".
const char* HitCause(const Game& g, const Hero& h);

}  // namespace kt::autoplay
