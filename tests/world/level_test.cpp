// The stage layout in data/map: the committed map files, the rules the level is
// built to (floor, boss arena, exit, terrain corrections), where every enemy of
// every enemy amount comes to rest, what the heroes can reach, and the near
// strip painted from the map.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gen/gen.hpp"
#include "gen/level_check.hpp"
#include "world/stage_map.hpp"

namespace {

using gen::EnemyKind;

const std::filesystem::path kMapDir = std::filesystem::path(KT_SOURCE_DIR) / "data" / "map";

const kt::StageMapData& Stage() {
  static const auto map = [] {
    auto m = std::make_unique<kt::StageMapData>();
    kt::LoadStageMap(kMapDir, *m);
    return m;
  }();
  return *map;
}

const gen::HeroReach& Reach() {
  static const gen::HeroReach reach(Stage());
  return reach;
}

std::string Where(const gen::EnemyStart& e) {
  return std::string(gen::KindName(e.kind)) + " slot " + std::to_string(e.slot) + " of " + std::to_string(e.amount) +
         " at (" + std::to_string(e.x) + ", " + std::to_string(e.y) + ")";
}

// ---- the map files ----------------------------------------------------------

TEST(StageLayout, MapFilesHoldTheReadableLayout) {
  std::ifstream in(kMapDir / "stage.txt");
  ASSERT_TRUE(in) << "data/map/stage.txt is missing";
  std::vector<std::string> rows;
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] != ';') rows.push_back(line);
  ASSERT_EQ(rows.size(), static_cast<size_t>(kt::kMapFileRows));
  for (int r = 0; r < kt::kMapFileRows; ++r) {
    ASSERT_EQ(rows[r].size(), static_cast<size_t>(kt::kMapSize)) << "row " << r;
    for (int c = 0; c < kt::kMapSize; ++c)
      ASSERT_EQ(Stage().Solid(c, r), rows[r][c] == '#')
          << "cell (" << c << ", " << r << ") differs between stage.txt and the map files: run tools/stage_maps.sh";
  }
  // The files hold nothing but 0 and 1.
  for (int c = 0; c < kt::kMapSize; ++c)
    for (int r = 0; r < kt::kMapFileRows; ++r) EXPECT_TRUE(Stage().At(c, r) == 0 || Stage().At(c, r) == 1);
}

TEST(StageLayout, FloorRunsUnbrokenFromFirstColumnToLast) {
  for (int c = 0; c < kt::kMapSize; ++c)
    for (int r = gen::kFloorRow; r < kt::kMapFileRows; ++r) {
      EXPECT_TRUE(Stage().Solid(c, r)) << "no floor at column " << c;
    }
}

TEST(StageLayout, AgreesWithTheBossArenaFromTheStart) {
  // Writing the arena into the stage (its room at the end, its two ledges) changes no cell.
  kt::StageMapData arena = Stage();
  for (int c = gen::kArenaFirstColumn; c <= gen::kArenaLastColumn; ++c)
    for (int r = 0; r < kt::kMapFileRows; ++r) arena.At(c, r) = r >= gen::kFloorRow ? 1 : 0;
  for (const auto& [first, last] : gen::kArenaLedges)
    for (int c = first; c <= last; ++c) arena.At(c, gen::kArenaLedgeRow) = 1;
  for (int c = 0; c < kt::kMapSize; ++c)
    for (int r = 0; r < kt::kMapFileRows; ++r)
      EXPECT_EQ(arena.At(c, r), Stage().At(c, r)) << "cell (" << c << ", " << r << ") changes with the arena";
  // The strip's first columns follow its last ones in the run-up to the boss, and
  // the last ones are the boss room's floor: the first ones are floor only too.
  for (int c = 0; c < gen::kBossViewFirstColumn; ++c)
    for (int r = 0; r < gen::kFloorRow; ++r) EXPECT_FALSE(Stage().Solid(c, r)) << "cell (" << c << ", " << r << ")";
  // What the boss fight shows of the stage is only the arena: its ledges and the floor.
  for (int c = gen::kBossViewFirstColumn; c <= gen::kBossViewLastColumn; ++c)
    for (int r = 0; r < gen::kFloorRow; ++r) {
      const bool ledge = r == gen::kArenaLedgeRow && (c <= gen::kArenaLedges[0][1] || c >= gen::kArenaLedges[1][0]);
      EXPECT_EQ(Stage().Solid(c, r), ledge) << "cell (" << c << ", " << r << ") in the boss fight's view";
    }
}

TEST(StageLayout, TerrainStaysBelowTheStatusPanel) {
  // With the camera at its lowest the panel hides world y up to 177: the highest
  // surfaces (row 14, y 280) leave room for a figure standing on them.
  for (int c = 0; c < kt::kMapSize; ++c)
    for (int r = 0; r < 14; ++r) EXPECT_FALSE(Stage().Solid(c, r)) << "cell (" << c << ", " << r << ")";
}

// ---- the heroes -------------------------------------------------------------

TEST(StageHeroes, JumpsRiseAsHighAsTheHeroRulesSay) {
  kt::StageMapData flat;
  for (int c = 0; c < kt::kMapSize; ++c) flat.At(c, gen::kFloorRow) = 1;
  const int rises[] = {55, 91, 136, 190};
  for (size_t i = 0; i < gen::kJumpSpeeds.size(); ++i) {
    gen::HeroBody h{1000, gen::kHeroStartY - gen::kJumpSpeeds[i], -gen::kJumpSpeeds[i] + 1};  // just launched
    int top = h.y, steps = 0;
    while (!gen::HeroStep(flat, h, gen::kWalkSpeed) && steps < 100) {
      top = std::min(top, h.y);
      ++steps;
    }
    EXPECT_EQ(gen::kHeroStartY - top, rises[i]);
    EXPECT_EQ(h.y, gen::kHeroStartY);
    EXPECT_EQ(h.x, 1000 + gen::kWalkSpeed * (steps + 1));
  }
}

TEST(StageHeroes, CanReachTheExitAndStandOnSolidGroundThere) {
  EXPECT_TRUE(Reach().Stands(gen::kExitX + gen::kWalkSpeed, gen::kFloorRow));
  // Past the exit the cell under a hero's X is solid wherever he can stand, so the
  // boss stage starts as soon as the exit count allows.
  for (int x = gen::kExitX + 1; x <= gen::kHeroMaxX; ++x)
    for (int r = 0; r < kt::kMapFileRows; ++r)
      if (gen::HeroOnGround(Stage(), x, r * kt::kCellSize - 100)) {
        EXPECT_TRUE(Stage().Solid(x / kt::kCellSize, r)) << "a hero at x " << x << " standing on row " << r;
      }
}

TEST(StageHeroes, EverySurfaceCanBeReachedByJumpingFromTheFloor) {
  for (int c = 0; c < gen::kStripWidth / kt::kCellSize; ++c)
    for (int r = 1; r < gen::kFloorRow; ++r)
      if (Stage().Solid(c, r) && !Stage().Solid(c, r - 1)) {
        EXPECT_TRUE(Reach().StoodOn(c, r)) << "no hero can stand on the surface at column " << c << ", row " << r;
      }
}

TEST(StageHeroes, TerrainCorrectionsPutHeroesOnRealGround) {
  // The lift moves a hero standing at Y 400 up to 380: wherever one can stand
  // there, he must land on the cells of row 24. (This layout gives him nothing to
  // stand on at Y 400 there, so the lift only ever nudges a hero in mid-air.)
  for (int x = 1501; x < 1900; ++x)
    if (gen::HeroOnGround(Stage(), x, 400)) {
      EXPECT_TRUE(gen::HeroOnGround(Stage(), x, 380)) << "lifted at x " << x;
    }
  // A hero stopped at Y 400 while falling stands on row 25.
  for (int x = 3701; x < 3800; ++x) EXPECT_TRUE(gen::HeroOnGround(Stage(), x, 400)) << "stopped at x " << x;
  // Jumping from the floor under the stop: the low jump comes down on the floor
  // again, the others on the ledge (caught at Y 400) or on what stands on it.
  for (const int speed : gen::kJumpSpeeds) {
    gen::HeroBody jumper{3740, gen::kHeroStartY - speed, -speed + 1};
    int steps = 0;
    while (!gen::HeroStep(Stage(), jumper, 0) && steps < 100) ++steps;
    ASSERT_LT(steps, 100) << "jump speed " << speed;
    if (speed == gen::kJumpSpeeds[0]) {
      EXPECT_EQ(jumper.y, gen::kHeroStartY);
    } else {
      EXPECT_LE(jumper.y, 400) << "jump speed " << speed;
    }
  }
}

// ---- the enemies ------------------------------------------------------------

TEST(StageEnemies, StartTablesHoldEveryKindsCountsPerEnemyAmount) {
  const std::map<EnemyKind, std::array<int, 3>> counts{
      {EnemyKind::Gek, {4, 5, 23}},    {EnemyKind::Kurosuke, {14, 15, 12}}, {EnemyKind::Patatta, {6, 3, 9}},
      {EnemyKind::Sikaky, {2, 5, 7}}, {EnemyKind::Mogeta, {5, 5, 5}},      {EnemyKind::Byoon, {5, 5, 5}}};
  for (const auto& [kind, perAmount] : counts)
    for (size_t a = 0; a < gen::kEnemyAmounts.size(); ++a) {
      int slots = 0;
      for (const gen::EnemyStart& e : gen::EnemyStarts())
        if (e.kind == kind && e.amount == gen::kEnemyAmounts[a]) {
          EXPECT_EQ(e.slot, ++slots) << gen::KindName(kind);
        }
      EXPECT_EQ(slots, perAmount[a]) << gen::KindName(kind) << " with " << gen::kEnemyAmounts[a] << " enemies";
    }
}

TEST(StageEnemies, EveryWalkerFallsOntoGroundAndNotIntoAWall) {
  for (const gen::EnemyStart& e : gen::EnemyStarts()) {
    if (gen::IsFlyer(e.kind)) continue;
    const gen::Rest rest = gen::DropEnemy(Stage(), e, 40);
    ASSERT_TRUE(rest.landed) << Where(e) << " finds no ground";
    EXPECT_LE(rest.feetRow, gen::kFloorRow) << Where(e);
    EXPECT_EQ(gen::SolidPixels(Stage(), gen::LegsBox(e.kind, rest.x, rest.y)), 0)
        << Where(e) << " comes to rest inside a wall at y " << rest.y;
  }
}

TEST(StageEnemies, StationaryGeksSnipeFromLedges) {
  for (const gen::EnemyStart& e : gen::EnemyStarts()) {
    if (!e.stationary) continue;
    const gen::Rest rest = gen::DropEnemy(Stage(), e);
    EXPECT_LT(rest.feetRow, gen::kFloorRow) << Where(e) << " ends up on the floor";
    // ...and a hero can get up there to deal with it.
    bool reachable = false;
    for (int p : {20, 30, 60}) reachable |= Reach().StoodOn((rest.x + p) / kt::kCellSize, rest.feetRow);
    EXPECT_TRUE(reachable) << Where(e);
  }
}

TEST(StageEnemies, PacingWalkersHaveRoomToPace) {
  for (const gen::EnemyStart& e : gen::EnemyStarts()) {
    if (e.kind != EnemyKind::Kurosuke && e.kind != EnemyKind::Sikaky && e.kind != EnemyKind::Mogeta) continue;
    const gen::Roam roam = gen::RoamFrom(Stage(), e.kind, gen::DropEnemy(Stage(), e), 1500);
    EXPECT_GE(roam.maxX - roam.minX, 100) << Where(e) << " is boxed in";
  }
}

TEST(StageEnemies, GeksJumpEveryWallOnTheirWayLeft) {
  // Walking geks head left all the way; stationary ones walk too once knocked.
  // None may end up standing inside a block: brushing past a one-cell rim is all.
  for (const gen::EnemyStart& e : gen::EnemyStarts()) {
    if (e.kind != EnemyKind::Gek) continue;
    const gen::Roam roam = gen::RoamFrom(Stage(), e.kind, gen::DropEnemy(Stage(), e), 40000);
    EXPECT_TRUE(roam.leftStage) << Where(e) << " gets no further left than " << roam.minX;
    EXPECT_LE(roam.worstEmbedding, kt::kCellSize * kt::kCellSize)
        << Where(e) << " stands in a wall at (" << roam.worstX << ", " << roam.worstY << ")";
  }
}

TEST(StageEnemies, FlyersHaveRoomAtTheirCruisingHeight) {
  for (const gen::EnemyStart& e : gen::EnemyStarts()) {
    if (!gen::IsFlyer(e.kind)) continue;
    // Wings reach 30 pixels above the body; it patrols a screen's width around the heroes.
    const gen::Box band{e.x - 400, e.y - 30, e.x + 460, e.y + 50};
    EXPECT_EQ(gen::SolidPixels(Stage(), band), 0) << Where(e);
  }
}

// ---- the fights --------------------------------------------------------------

const gen::Fights& StageFights() {
  static const gen::Fights fights(Stage());
  return fights;
}

std::string At(const gen::Spot& at) { return "(" + std::to_string(at.x) + ", " + std::to_string(at.y) + ")"; }

TEST(StageFights, EveryWalkerCanBeFoughtWhereverItStands) {
  // Never above the heroes' punches on raised ground they walk in front of:
  // within reach of the floor, or on a floating ledge they can jump up to.
  for (const gen::EnemyStart& e : gen::EnemyStarts()) {
    if (gen::IsFlyer(e.kind)) continue;
    const gen::WalkerFaults f = StageFights().Check(e);
    ASSERT_GT(f.places, 0) << Where(e);
    EXPECT_EQ(f.outOfReach, 0) << Where(e) << " stands out of the heroes' reach at " << f.outOfReach << " of its "
                               << f.places << " places, first at " << At(f.firstOutOfReach.value_or(gen::Spot{}));
  }
}

TEST(StageFights, NoEnemyKnocksHeroesFromAboveTheirPunches) {
  // Where enemies keep to, none knocks a hero who stands below it while no hero
  // at his height can punch it.
  for (const gen::EnemyStart& e : gen::EnemyStarts()) {
    const gen::WalkerFaults f = StageFights().Check(e);
    EXPECT_FALSE(f.knocksFromAbove) << Where(e) << " knocks heroes below it from out of their reach at "
                                    << At(f.knocksFromAbove.value_or(gen::Spot{}));
  }
}

TEST(StageFights, TellWhereHeroesMeetAnEnemy) {
  // The floor and four kinds of ground a walker may stand on.
  auto map = std::make_unique<kt::StageMapData>();
  auto block = [&](int c0, int c1, int r0, int r1) {
    for (int c = c0; c <= c1; ++c)
      for (int r = r0; r <= r1; ++r) map->At(c, r) = 1;
  };
  block(0, kt::kMapSize - 1, gen::kFloorRow, kt::kMapFileRows - 1);
  block(50, 59, 25, 28);    // a step four cells high, rising from the floor
  block(80, 89, 28, 28);    // a rise one cell high
  block(110, 119, 25, 25);  // a floating ledge as high as the step
  block(140, 149, 26, 28);  // a step three cells high
  const gen::Fights fights(*map);
  const auto kurosukeOn = [](int column, int row) { return gen::Spot{column * kt::kCellSize, row * kt::kCellSize - 80}; };
  const auto gekOn = [](int column, int row) { return gen::Spot{column * kt::kCellSize, row * kt::kCellSize - 100}; };

  // Pacing on the high step it stays over the heroes' heads: no punch reaches it, and
  // it does not touch them either. That is a stalemate, not a fight.
  EXPECT_EQ(fights.How(EnemyKind::Kurosuke, kurosukeOn(52, 25)), gen::Fight::OutOfReach);
  EXPECT_FALSE(fights.KnocksFromOutOfReach(EnemyKind::Kurosuke, kurosukeOn(52, 25)));
  // One cell up it is a fair fight from the floor; on a floating ledge heroes jump up to it.
  EXPECT_EQ(fights.How(EnemyKind::Kurosuke, kurosukeOn(82, 28)), gen::Fight::FromTheFloor);
  EXPECT_FALSE(fights.KnocksFromOutOfReach(EnemyKind::Kurosuke, kurosukeOn(82, 28)));
  EXPECT_EQ(fights.How(EnemyKind::Kurosuke, kurosukeOn(112, 25)), gen::Fight::OnItsLedge);
  // Three cells up its body still knocks heroes walking below, who cannot punch it.
  EXPECT_TRUE(fights.KnocksFromOutOfReach(EnemyKind::Kurosuke, kurosukeOn(142, 26)));
  // A gek is taller: on the floating ledge it knocks heroes below out of their reach.
  EXPECT_TRUE(fights.KnocksFromOutOfReach(EnemyKind::Gek, gekOn(112, 25)));
  EXPECT_EQ(fights.How(EnemyKind::Gek, gekOn(112, 25)), gen::Fight::OnItsLedge);
  EXPECT_EQ(fights.How(EnemyKind::Gek, gekOn(30, gen::kFloorRow)), gen::Fight::FromTheFloor);
  // The hit tests behind it: a punch facing the enemy from the left lands, one from behind does not.
  EXPECT_TRUE(gen::PunchLands(EnemyKind::Kurosuke, 1000 - 100, gen::kHeroStartY, kurosukeOn(50, gen::kFloorRow)));
  EXPECT_FALSE(gen::PunchLands(EnemyKind::Kurosuke, 1000 - 200, gen::kHeroStartY, kurosukeOn(50, gen::kFloorRow)));
  EXPECT_TRUE(gen::BodyKnocks(EnemyKind::Kurosuke, 1000 - 40, gen::kHeroStartY, kurosukeOn(50, gen::kFloorRow)));
}

// ---- the near strip ---------------------------------------------------------

struct Strip {
  gen::Canvas canvas{gen::kStripWidth, 580};
  explicit Strip(const kt::StageMapData& map) { gen::PaintTerrain(canvas, map); }
  bool Opaque(int x, int worldY) const { return canvas.Get(x, worldY - gen::kStripTop) != gen::kClear; }
};

const Strip& Painted() {
  static const Strip strip(Stage());
  return strip;
}

TEST(StageStrip, ShowsEverySolidCellAsGround) {
  const int columns = gen::kStripWidth / kt::kCellSize;
  for (int c = 0; c < columns; ++c)
    for (int r = 2; r < kt::kMapFileRows; ++r) {
      if (!Stage().Solid(c, r)) continue;
      int inside = 0, opaque = 0;
      for (int y = r * kt::kCellSize; y < (r + 1) * kt::kCellSize; ++y)
        for (int x = c * kt::kCellSize; x < (c + 1) * kt::kCellSize; ++x) {
          if (!Painted().canvas.Inside(x, y - gen::kStripTop)) continue;
          ++inside;
          opaque += Painted().Opaque(x, y);
        }
      // Only rounded corners may be left out.
      EXPECT_GE(opaque, inside - 4) << "cell (" << c << ", " << r << ")";
    }
}

TEST(StageStrip, LeavesOpenCellsClearButForPlants) {
  const int columns = gen::kStripWidth / kt::kCellSize;
  for (int c = 0; c < columns; ++c)
    for (int r = 1; r < kt::kMapFileRows; ++r) {
      if (Stage().Solid(c, r)) continue;
      const bool ground = Stage().Solid(c, r + 1), ceiling = Stage().Solid(c, r - 1);
      for (int y = r * kt::kCellSize; y < (r + 1) * kt::kCellSize; ++y) {
        const int fromTop = y - r * kt::kCellSize, fromBottom = (r + 1) * kt::kCellSize - 1 - y;
        const bool mayGrow = (ground && fromBottom < gen::kGrowthAbove) || (ceiling && fromTop < gen::kGrowthBelow);
        if (mayGrow || y < gen::kStripTop) continue;
        for (int x = c * kt::kCellSize; x < (c + 1) * kt::kCellSize; ++x)
          ASSERT_FALSE(Painted().Opaque(x, y)) << "pixel (" << x << ", " << y << ") of open cell " << c << ", " << r;
      }
    }
}

TEST(StageStrip, PaintsWhateverTheMapHolds) {
  kt::StageMapData map;
  for (int c = 0; c < kt::kMapSize; ++c) map.At(c, gen::kFloorRow) = 1;
  for (int c = 100; c <= 104; ++c) map.At(c, 20) = 1;  // a floating ledge
  map.At(40, 28) = 1;                                  // a rim on the floor
  const Strip strip(map);
  EXPECT_TRUE(strip.Opaque(2050, 410));
  EXPECT_TRUE(strip.Opaque(810, 570));
  EXPECT_FALSE(strip.Opaque(2150, 410));  // just right of the ledge
  EXPECT_FALSE(strip.Opaque(790, 565));   // just left of the rim
  EXPECT_FALSE(strip.Opaque(2050, 300));  // high above the ledge
}

}  // namespace
