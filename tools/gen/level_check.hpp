#pragma once
// The stage's enemy start positions and the movement rules the level layout is
// checked against: where each enemy comes to rest after its placement, whether a
// walker can move on from there, and which ground the heroes can reach by walking
// and jumping. The review picture and the level tests share all of it.
#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <tuple>
#include <vector>

#include "gen/canvas.hpp"
#include "world/stage_map.hpp"

namespace gen {

// Stage numbers the layout is built around.
inline constexpr int kFloorRow = 29;             // rows 29..31 are the floor
inline constexpr int kHeroStartY = 480;          // heroes' Y on the floor (feet at 580)
inline constexpr int kHeroMaxX = 5120 - 80;      // right world edge less the hero's width
inline constexpr int kExitX = 4880;              // a hero beyond this x leaves the stage
inline constexpr int kStripWidth = 5120;         // width of the near strip picture
inline constexpr int kStripTop = 30;             // world y of the near strip's top row
inline constexpr int kArenaFirstColumn = 250;    // the boss room, rewritten to floor only
inline constexpr int kArenaLastColumn = 299;
inline constexpr int kArenaLedgeRow = 25;        // the boss arena's two ledges
inline constexpr std::array<std::array<int, 2>, 2> kArenaLedges{{{5, 12}, {30, 37}}};
inline constexpr int kBossViewFirstColumn = 5;   // columns seen during the boss fight
inline constexpr int kBossViewLastColumn = 37;
inline constexpr std::array<int, 3> kEnemyAmounts{10, 20, 30};
// The near strip's plants: grass and flowers rise at most this many pixels above a
// surface, vines and roots hang at most this many below a ledge. Open cells are
// transparent everywhere else.
inline constexpr int kGrowthAbove = 7;
inline constexpr int kGrowthBelow = 9;

enum class EnemyKind { Gek, Kurosuke, Patatta, Sikaky, Mogeta, Byoon };

struct EnemyStart {
  EnemyKind kind;
  int amount;  // 10, 20 or 30
  int slot;    // 1-based slot of the kind's table
  int x, y;
  bool stationary = false;   // a gek that never walks and throws from where it stands
  bool levelChoice = false;  // no position is given for this slot; the level picks one
};

// Every start position of every kind and enemy amount (Byoon starts where Mogeta does).
std::span<const EnemyStart> EnemyStarts();
const char* KindName(EnemyKind kind);
bool IsFlyer(EnemyKind kind);

// Where an enemy comes to rest after its placement, by its own ground test and
// gravity (geks feel the ground at Y + 100, kurosuke and sikaky at Y + 80,
// Mogeta and Byoon at Y + 55). Flyers rest where they are placed.
struct Rest {
  bool landed = false;
  int x = 0, y = 0;
  int steps = 0;    // steps spent falling
  int feetRow = 0;  // map row of the ground it stands on
};
Rest DropEnemy(const kt::StageMapData& map, const EnemyStart& e, int maxSteps = 60);

// The part of the picture an enemy covers when it stands at (x, y), in world
// pixels, right and bottom exclusive.
struct Box {
  int l, t, r, b;
};
Box FigureBox(EnemyKind kind, int x, int y);
// The lowest 40 pixels of the figure, down to its feet: where a wall would hold it.
// (Its top may overlap a one-way ledge that hangs low over the ground it walks on.)
Box LegsBox(EnemyKind kind, int x, int y);
// Number of pixels of the box that lie in solid cells.
int SolidPixels(const kt::StageMapData& map, const Box& box);

// Where an enemy stands: its X and Y.
struct Spot {
  int x = 0, y = 0;
  friend bool operator==(const Spot&, const Spot&) = default;
  friend auto operator<=>(const Spot&, const Spot&) = default;
};

// How a walker moves on from its rest: walkers that pace (kurosuke, sikaky,
// Mogeta) walk in their start direction, turn at walls and drop off edges; a
// walking gek heads left leg by leg and jumps where a wall blocks it.
struct Roam {
  int minX = 0, maxX = 0;
  bool leftStage = false;      // a gek that made it past the left edge of the world
  int worstEmbedding = 0;      // most pixels of its legs inside solid cells while standing
  int worstX = 0, worstY = 0;  // where that was
  int steps = 0;
  std::vector<Spot> stands;    // where it stood from step `keepFrom` on, in order (no spot twice in a row)
  int keepFrom = -1;           // -1: keeps none

  void Note(int embedding, int x, int y) {
    if (embedding <= worstEmbedding) return;
    worstEmbedding = embedding;
    worstX = x;
    worstY = y;
  }
  void Keep(int step, int x, int y) {
    if (keepFrom < 0 || step < keepFrom) return;
    if (stands.empty() || stands.back() != Spot{x, y}) stands.push_back({x, y});
  }
};
// `keepFrom` >= 0 keeps the places it stands on from that step on in `stands`.
Roam RoamFrom(const kt::StageMapData& map, EnemyKind kind, const Rest& rest, int maxSteps, int keepFrom = -1);

// One hero in the stage, standing or in the air.
struct HeroBody {
  int x = 0, y = kHeroStartY, vy = 0;
};
// The cells a hero's ground test reads: the feet row at X, X + 20, X + 30, X + 80.
bool HeroOnGround(const kt::StageMapData& map, int x, int y);
// One step of a hero who is walking by dx (0 for none) or in the air: the stage's two
// terrain corrections, the walk, gravity, the ground test and the clamps. True when he
// stands on solid ground afterwards.
bool HeroStep(const kt::StageMapData& map, HeroBody& h, int dx);
// Jump launch speeds; the jumps rise 55, 91, 136 and 190 pixels.
inline constexpr std::array<int, 4> kJumpSpeeds{10, 13, 16, 19};
inline constexpr int kWalkSpeed = 5;

// Every place a hero can stand on the top of the ground, found by walking and
// jumping (any of the four heights, drifting left, right or not at all) from the
// stage start.
class HeroReach {
 public:
  explicit HeroReach(const kt::StageMapData& map);
  // A hero can stand with his left edge at x (a multiple of the walking speed) on row `row`.
  bool Stands(int x, int row) const;
  // Some reachable stand has the cell (column, row) under one of his ground probes.
  bool StoodOn(int column, int row) const;

 private:
  static constexpr int kXs = kHeroMaxX / kWalkSpeed + 1;
  std::vector<bool> stands_;   // [x / 5 * kMapFileRows + row]
  std::vector<bool> stoodOn_;  // [column * kMapFileRows + row]
};

// ---- fights -----------------------------------------------------------------

// The kind's own hit tests (the game's, with its numbers) between a hero whose box
// stands at (heroX, heroY) and an enemy at `at`: whether his punch lands on it
// (facing it, his hands where every step's pose reset puts them), and whether its
// body knocks him back.
bool PunchLands(EnemyKind kind, int heroX, int heroY, Spot at);
bool BodyKnocks(EnemyKind kind, int heroX, int heroY, Spot at);

// The places a walker stands on from step `from` to step `to` after its rest, each
// once. Pacers and walking geks move as RoamFrom has them; a stationary gek and a
// byoon (which leaps from where it rests and comes down again) keep to their rest.
std::vector<Spot> WalkBand(const kt::StageMapData& map, const EnemyStart& e, int from, int to);

// How heroes fight an enemy standing at a spot.
enum class Fight {
  FromTheFloor,  // a hero on the floor lands a punch (he walks it everywhere: no wall stops him)
  OnItsLedge,    // it stands on a floating ledge, and a hero who jumps up there lands a punch
  OutOfReach,    // neither: raised ground that heroes walk in front of holds it above their punches
};

// What a walker's places hold for the heroes.
struct WalkerFaults {
  int places = 0;                       // places it stands on
  int outOfReach = 0;                   // ...where no hero can fight it
  std::optional<Spot> firstOutOfReach;
  // The first place it keeps to (a stationary gek's ledge, a pacer's band once it
  // has settled; a walking gek moves on and a byoon leaps at the hero) where its
  // body knocks heroes below it from out of their reach.
  std::optional<Spot> knocksFromAbove;
};

// How long a walker is followed: a walking gek heads left all the way; the others
// have long settled into their pacing band by then, after `kSettled` steps.
int WalkSteps(const EnemyStart& e);
inline constexpr int kSettled = 600;

// The fights of one stage layout: which ground is a floating ledge, what the heroes
// reach, and each place's verdict (kept, as walkers share much of their ways).
class Fights {
 public:
  explicit Fights(const kt::StageMapData& map);
  WalkerFaults Check(const EnemyStart& e) const;
  Fight How(EnemyKind kind, Spot at) const;
  // Heroes stuck below it: its body knocks a hero standing where heroes stand (the
  // floor, or a place they reach), while no hero standing at that height lands a
  // punch on it.
  bool KnocksFromOutOfReach(EnemyKind kind, Spot at) const;
  // The solid cell (column, row) is not joined to the floor through other solid cells.
  bool Floating(int column, int row) const;
  const HeroReach& Reach() const { return reach_; }

 private:
  // A hero can stand with his box at x on row `row`: on the floor anywhere, or where he reaches.
  bool HeroStands(int x, int row) const;
  Fight JudgeHow(EnemyKind kind, Spot at) const;
  bool JudgeKnocks(EnemyKind kind, Spot at) const;
  kt::StageMapData map_;
  HeroReach reach_;
  std::vector<bool> grounded_;  // [column * kMapFileRows + row]
  mutable std::map<std::tuple<EnemyKind, int, int>, Fight> how_;
  mutable std::map<std::tuple<EnemyKind, int, int>, bool> knocks_;
};

// The review picture of the whole stage: the painted near strip over a plain sky,
// the outline of every solid cell, the enemy start positions of the three enemy
// amounts (where each is placed and where it comes to rest) and the stage's marks
// (exit, terrain corrections, boss room, first camera view).
Canvas StagePreview(const kt::StageMapData& map, const Canvas& tyukan);
void WriteStagePreview(const std::filesystem::path& path, const kt::StageMapData& map, const Canvas& tyukan);

}  // namespace gen
