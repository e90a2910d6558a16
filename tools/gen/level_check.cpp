#include "gen/level_check.hpp"

#include <algorithm>
#include <deque>
#include <memory>

#include "enemies/enemy.hpp"
#include "enemies/gek.hpp"
#include "enemies/kurosuke.hpp"
#include "enemies/mogeta.hpp"
#include "enemies/patatta.hpp"
#include "enemies/sikaky.hpp"
#include "heroes/hero.hpp"

namespace gen {

namespace {

using K = EnemyKind;

// Start tables by kind, enemy amount and slot, as the enemies' placement writes them.
constexpr EnemyStart kStarts[] = {
    // gek
    {K::Gek, 10, 1, 2940, 390}, {K::Gek, 10, 2, 3730, 370}, {K::Gek, 10, 3, 1800, 150, true},
    {K::Gek, 10, 4, 4340, 290, true},
    {K::Gek, 20, 1, 3630, 100}, {K::Gek, 20, 2, 3790, 100}, {K::Gek, 20, 3, 1780, 150, true},
    {K::Gek, 20, 4, 3700, 380, true}, {K::Gek, 20, 5, 4340, 270, true},
    {K::Gek, 30, 1, 800, 0}, {K::Gek, 30, 2, 800, 150}, {K::Gek, 30, 3, 800, 300},
    {K::Gek, 30, 4, 2570, 0}, {K::Gek, 30, 5, 2570, 150}, {K::Gek, 30, 6, 2570, 300},
    {K::Gek, 30, 7, 3430, 280}, {K::Gek, 30, 8, 3430, 360}, {K::Gek, 30, 9, 3430, 390},
    {K::Gek, 30, 10, 3630, 280}, {K::Gek, 30, 11, 3630, 360}, {K::Gek, 30, 12, 3630, 390},
    {K::Gek, 30, 13, 1520, 200, true}, {K::Gek, 30, 14, 1790, 160, true}, {K::Gek, 30, 15, 1820, 390, true},
    {K::Gek, 30, 16, 3660, 0, true}, {K::Gek, 30, 17, 3750, 390, true}, {K::Gek, 30, 18, 3800, 150, true},
    {K::Gek, 30, 19, 3890, 200, true}, {K::Gek, 30, 20, 4110, 280, true}, {K::Gek, 30, 21, 4160, 280, true},
    {K::Gek, 30, 22, 4350, 280, true}, {K::Gek, 30, 23, 4400, 280, true},
    // kurosuke
    {K::Kurosuke, 10, 1, 720, 400}, {K::Kurosuke, 10, 2, 810, 400}, {K::Kurosuke, 10, 3, 900, 400},
    {K::Kurosuke, 10, 4, 1450, 400}, {K::Kurosuke, 10, 5, 1850, 400}, {K::Kurosuke, 10, 6, 1750, 360},
    {K::Kurosuke, 10, 7, 2520, 400}, {K::Kurosuke, 10, 8, 2610, 400}, {K::Kurosuke, 10, 9, 3250, 400},
    {K::Kurosuke, 10, 10, 3480, 480}, {K::Kurosuke, 10, 11, 3580, 280}, {K::Kurosuke, 10, 12, 3980, 400},
    {K::Kurosuke, 10, 13, 4100, 400}, {K::Kurosuke, 10, 14, 4220, 400},
    {K::Kurosuke, 20, 1, 720, 400}, {K::Kurosuke, 20, 2, 810, 400}, {K::Kurosuke, 20, 3, 900, 400},
    {K::Kurosuke, 20, 4, 1300, 400}, {K::Kurosuke, 20, 5, 1400, 400}, {K::Kurosuke, 20, 6, 1780, 360},
    {K::Kurosuke, 20, 7, 3350, 280}, {K::Kurosuke, 20, 8, 3420, 400}, {K::Kurosuke, 20, 9, 3450, 280},
    {K::Kurosuke, 20, 10, 3520, 480}, {K::Kurosuke, 20, 11, 3550, 280}, {K::Kurosuke, 20, 12, 3320, 400},
    {K::Kurosuke, 20, 13, 3600, 370}, {K::Kurosuke, 20, 14, 3500, 480}, {K::Kurosuke, 20, 15, 3700, 370},
    {K::Kurosuke, 30, 1, 730, 400}, {K::Kurosuke, 30, 2, 790, 400}, {K::Kurosuke, 30, 3, 1690, 400},
    {K::Kurosuke, 30, 4, 1790, 400}, {K::Kurosuke, 30, 5, 2290, 400},
    // Slot 6 gets no position with 30 enemies; this spot on the hill suits it.
    {K::Kurosuke, 30, 6, 1750, 360, false, true},
    {K::Kurosuke, 30, 7, 3350, 400}, {K::Kurosuke, 30, 8, 3420, 480}, {K::Kurosuke, 30, 9, 3450, 280},
    {K::Kurosuke, 30, 10, 3520, 480}, {K::Kurosuke, 30, 11, 3550, 280}, {K::Kurosuke, 30, 12, 3700, 480},
    // patatta (cruising at its start height)
    {K::Patatta, 10, 1, 1110, 200}, {K::Patatta, 10, 2, 1320, 200}, {K::Patatta, 10, 3, 2960, 200},
    {K::Patatta, 10, 4, 3700, 200}, {K::Patatta, 10, 5, 4120, 200}, {K::Patatta, 10, 6, 4300, 200},
    {K::Patatta, 20, 1, 810, 200}, {K::Patatta, 20, 2, 1960, 100}, {K::Patatta, 20, 3, 2700, 200},
    {K::Patatta, 30, 1, 1780, 130}, {K::Patatta, 30, 2, 1900, 130}, {K::Patatta, 30, 3, 3410, 200},
    {K::Patatta, 30, 4, 3560, 200}, {K::Patatta, 30, 5, 3610, 200}, {K::Patatta, 30, 6, 4000, 200},
    {K::Patatta, 30, 7, 4200, 200}, {K::Patatta, 30, 8, 4400, 200}, {K::Patatta, 30, 9, 4600, 200},
    // sikaky
    {K::Sikaky, 10, 1, 2430, 400}, {K::Sikaky, 10, 2, 2620, 400},
    {K::Sikaky, 20, 1, 2500, 300}, {K::Sikaky, 20, 2, 2700, 400}, {K::Sikaky, 20, 3, 4010, 400},
    {K::Sikaky, 20, 4, 4390, 400}, {K::Sikaky, 20, 5, 4540, 400},
    {K::Sikaky, 30, 1, 1120, 300}, {K::Sikaky, 30, 2, 1370, 400}, {K::Sikaky, 30, 3, 1920, 400},
    {K::Sikaky, 30, 4, 4100, 400}, {K::Sikaky, 30, 5, 4000, 400}, {K::Sikaky, 30, 6, 4300, 400},
    {K::Sikaky, 30, 7, 4500, 400},
    // Mogeta
    {K::Mogeta, 10, 1, 720, 400}, {K::Mogeta, 10, 2, 810, 400}, {K::Mogeta, 10, 3, 900, 400},
    {K::Mogeta, 10, 4, 1450, 400}, {K::Mogeta, 10, 5, 1850, 400},
    {K::Mogeta, 20, 1, 720, 400}, {K::Mogeta, 20, 2, 810, 400}, {K::Mogeta, 20, 3, 900, 400},
    {K::Mogeta, 20, 4, 1300, 400}, {K::Mogeta, 20, 5, 1400, 400},
    {K::Mogeta, 30, 1, 730, 400}, {K::Mogeta, 30, 2, 790, 400}, {K::Mogeta, 30, 3, 1690, 400},
    {K::Mogeta, 30, 4, 1790, 400}, {K::Mogeta, 30, 5, 2290, 400},
    // Byoon: the same places as Mogeta
    {K::Byoon, 10, 1, 720, 400}, {K::Byoon, 10, 2, 810, 400}, {K::Byoon, 10, 3, 900, 400},
    {K::Byoon, 10, 4, 1450, 400}, {K::Byoon, 10, 5, 1850, 400},
    {K::Byoon, 20, 1, 720, 400}, {K::Byoon, 20, 2, 810, 400}, {K::Byoon, 20, 3, 900, 400},
    {K::Byoon, 20, 4, 1300, 400}, {K::Byoon, 20, 5, 1400, 400},
    {K::Byoon, 30, 1, 730, 400}, {K::Byoon, 30, 2, 790, 400}, {K::Byoon, 30, 3, 1690, 400},
    {K::Byoon, 30, 4, 1790, 400}, {K::Byoon, 30, 5, 2290, 400},
};

// The ground test of one kind: where its feet are, which columns it probes, and
// the lowest Y its ground clamp allows.
struct GroundTest {
  int feet;
  std::array<int, 3> probes;
  int maxY;
};

GroundTest GroundOf(EnemyKind kind) {
  switch (kind) {
    case K::Gek: return {100, {20, 60, 30}, 480};
    case K::Kurosuke:
    case K::Sikaky: return {80, {0, 60, 20}, 500};
    case K::Mogeta: return {55, {60, 0, 20}, 525};
    case K::Byoon: return {55, {0, 60, 20}, 1 << 20};
    case K::Patatta: break;
  }
  return {0, {0, 0, 0}, 0};
}

bool AnySolid(const kt::StageMapData& map, int x, const std::array<int, 3>& probes, int y) {
  for (int p : probes)
    if (map.Solid((x + p) / kt::kCellSize, y / kt::kCellSize)) return true;
  return false;
}

// One step of an enemy's body motion. Geks test the ground whatever their speed
// and fall after the test; the others fall first and test only while not rising.
bool BodyStep(const kt::StageMapData& map, EnemyKind kind, int x, int& y, int& vy) {
  const GroundTest g = GroundOf(kind);
  y += vy;
  if (kind != K::Gek) ++vy;
  if (kind == K::Gek || vy >= 0) {
    if (AnySolid(map, x, g.probes, y + g.feet)) {
      vy = 0;
      y = (y + g.feet) / kt::kCellSize * kt::kCellSize - g.feet;
      y = std::min(y, g.maxY);
      return true;
    }
  }
  if (kind == K::Gek) ++vy;
  return false;
}

}  // namespace

std::span<const EnemyStart> EnemyStarts() { return kStarts; }

const char* KindName(EnemyKind kind) {
  switch (kind) {
    case K::Gek: return "gek";
    case K::Kurosuke: return "kurosuke";
    case K::Patatta: return "patatta";
    case K::Sikaky: return "sikaky";
    case K::Mogeta: return "Mogeta";
    case K::Byoon: return "Byoon";
  }
  return "?";
}

bool IsFlyer(EnemyKind kind) { return kind == K::Patatta; }

Rest DropEnemy(const kt::StageMapData& map, const EnemyStart& e, int maxSteps) {
  Rest r;
  r.x = e.x;
  r.y = e.y;
  if (IsFlyer(e.kind)) {
    r.landed = true;
    return r;
  }
  int vy = 0;
  for (r.steps = 0; r.steps < maxSteps; ++r.steps) {
    if (BodyStep(map, e.kind, r.x, r.y, vy)) {
      r.landed = true;
      r.feetRow = (r.y + GroundOf(e.kind).feet) / kt::kCellSize;
      return r;
    }
  }
  return r;
}

Box FigureBox(EnemyKind kind, int x, int y) {
  switch (kind) {
    case K::Gek: return {x + 27, y + 2, x + 67, y + 92};
    case K::Kurosuke: return {x + 6, y, x + 66, y + 78};
    case K::Sikaky: return {x + 7, y, x + 67, y + 78};
    case K::Mogeta: return {x - 4, y, x + 46, y + 54};
    case K::Byoon: return {x, y, x + 70, y + 54};
    case K::Patatta: return {x - 46, y - 28, x + 86, y + 50};
  }
  return {x, y, x, y};
}

Box LegsBox(EnemyKind kind, int x, int y) {
  Box box = FigureBox(kind, x, y);
  if (!IsFlyer(kind)) box.t = y + GroundOf(kind).feet - 40;
  return box;
}

int SolidPixels(const kt::StageMapData& map, const Box& box) {
  int count = 0;
  const int c0 = std::max(box.l, 0) / kt::kCellSize, c1 = (std::max(box.r, 1) - 1) / kt::kCellSize;
  const int r0 = std::max(box.t, 0) / kt::kCellSize, r1 = (std::max(box.b, 1) - 1) / kt::kCellSize;
  for (int c = c0; c <= c1; ++c)
    for (int r = r0; r <= r1; ++r) {
      if (!map.Solid(c, r)) continue;
      const int w = std::min(box.r, (c + 1) * kt::kCellSize) - std::max(box.l, c * kt::kCellSize);
      const int h = std::min(box.b, (r + 1) * kt::kCellSize) - std::max(box.t, r * kt::kCellSize);
      if (w > 0 && h > 0) count += w * h;
    }
  return count;
}

namespace {

// A gek's walk: legs of 30 pixels to the left, a throw and the wait for its ball
// between legs, a jump where a cell 20 pixels to its left blocks its feet or head.
Roam GekRoam(const kt::StageMapData& map, const Rest& rest, int maxSteps, int keepFrom) {
  constexpr int kThrowWait = 45;  // steps of a throw and the ball's flight
  Roam roam;
  roam.minX = roam.maxX = rest.x;
  roam.keepFrom = keepFrom;
  int x = rest.x, y = rest.y, vy = 0;
  enum { kWalk, kJumpStart, kJump, kWait } state = kWait;
  int home = x, wait = kThrowWait;
  auto cell = [&](int px, int py) { return map.Solid(px / kt::kCellSize, py / kt::kCellSize); };
  for (roam.steps = 0; roam.steps < maxSteps; ++roam.steps) {
    if (x < 0) {
      roam.leftStage = true;
      break;
    }
    const bool landedNow = BodyStep(map, K::Gek, x, y, vy);
    // Where the heroes meet it: after its body has moved, before its walk or jump does.
    if (landedNow) roam.Keep(roam.steps, x, y);
    switch (state) {
      case kWait:
        if (--wait <= 0) {
          home = x;
          state = kWalk;
        }
        break;
      case kWalk:
        if (x > home - 30) {
          --x;
        } else if (cell(x - 20, y + 99) || cell(x - 20, y)) {
          state = kJumpStart;
        } else {
          state = kWait;
          wait = kThrowWait;
        }
        break;
      case kJumpStart:
        vy = -16;
        state = kJump;
        break;
      case kJump:
        x -= 2;
        if (cell(x + 20, y + 100) || cell(x + 60, y + 100) || cell(x + 30, y + 100)) {
          state = kWait;
          wait = kThrowWait;
        }
        break;
    }
    if (landedNow) roam.Note(SolidPixels(map, LegsBox(K::Gek, x, y)), x, y);
    roam.minX = std::min(roam.minX, x);
    roam.maxX = std::max(roam.maxX, x);
  }
  return roam;
}

// A pacing walker: walks at `speed`, turns where the cell beside it (at X + 5
// going left, at X + 80 going right, one pixel above its feet) is solid, and
// drops off the ends of what it walks on.
Roam PaceRoam(const kt::StageMapData& map, EnemyKind kind, const Rest& rest, int maxSteps, int keepFrom) {
  const int feet = GroundOf(kind).feet;
  const int speed = kind == K::Sikaky ? 2 : 1;
  Roam roam;
  roam.minX = roam.maxX = rest.x;
  roam.keepFrom = keepFrom;
  int x = rest.x, y = rest.y, vy = 0;
  bool left = true;
  auto cell = [&](int px, int py) { return map.Solid(px / kt::kCellSize, py / kt::kCellSize); };
  for (roam.steps = 0; roam.steps < maxSteps; ++roam.steps) {
    if (BodyStep(map, kind, x, y, vy)) {
      roam.Note(SolidPixels(map, LegsBox(kind, x, y)), x, y);
      roam.Keep(roam.steps, x, y);
    }
    if (left) {
      x -= speed;
      if (cell(x + 5, y + feet - 1) || x < 1) left = false;
    } else {
      x += speed;
      if (cell(x + 80, y + feet - 1)) left = true;
    }
    roam.minX = std::min(roam.minX, x);
    roam.maxX = std::max(roam.maxX, x);
  }
  return roam;
}

}  // namespace

Roam RoamFrom(const kt::StageMapData& map, EnemyKind kind, const Rest& rest, int maxSteps, int keepFrom) {
  switch (kind) {
    case K::Gek: return GekRoam(map, rest, maxSteps, keepFrom);
    case K::Kurosuke:
    case K::Sikaky:
    case K::Mogeta: return PaceRoam(map, kind, rest, maxSteps, keepFrom);
    case K::Patatta:
    case K::Byoon: break;
  }
  Roam roam;
  roam.minX = roam.maxX = rest.x;
  roam.Note(SolidPixels(map, LegsBox(kind, rest.x, rest.y)), rest.x, rest.y);
  if (keepFrom >= 0) roam.stands.push_back({rest.x, rest.y});
  return roam;
}

bool HeroOnGround(const kt::StageMapData& map, int x, int y) {
  const int row = (y + 100) / kt::kCellSize;
  for (int p : {0, 20, 80, 30})
    if (map.Solid((x + p) / kt::kCellSize, row)) return true;
  return false;
}

bool HeroStep(const kt::StageMapData& map, HeroBody& h, int dx) {
  // The stage's two terrain corrections, applied before the heroes move.
  if (h.y == 400 && 1500 < h.x && h.x < 1900) h.y = 380;
  if (h.y < 400 && 3700 < h.x && h.x < 3800 && h.vy > 0) {
    h.y = 400;
    h.vy = 0;
  }
  h.x = std::clamp(h.x + dx, 0, kHeroMaxX);
  h.y += h.vy;
  ++h.vy;
  bool stands = false;
  if (h.vy >= 0 && HeroOnGround(map, h.x, h.y)) {
    h.vy = 0;
    h.y = (h.y + 100) / kt::kCellSize * kt::kCellSize - 100;
    stands = true;
  }
  h.y = std::clamp(h.y, 0, kHeroStartY);
  return stands;
}

namespace {

// The cells the jump crouch needs under the feet: X, X + 40, X + 65, X + 20, X + 85.
bool CanCrouch(const kt::StageMapData& map, int x, int y) {
  const int row = (y + 100) / kt::kCellSize;
  for (int p : {0, 40, 65, 20, 85})
    if (map.Solid((x + p) / kt::kCellSize, row)) return true;
  return false;
}

// Runs a hero in the air, steering by dx, until he stands still; false if he
// never does within the step limit.
bool Settle(const kt::StageMapData& map, HeroBody& h, int dx) {
  for (int step = 0; step < 200; ++step) {
    if (HeroStep(map, h, dx)) {
      // Stand one more step so that a terrain correction can take effect.
      HeroBody still = h;
      if (HeroStep(map, still, 0) && still.x == h.x && still.y == h.y) return true;
      h = still;
      dx = 0;
    }
  }
  return false;
}

}  // namespace

HeroReach::HeroReach(const kt::StageMapData& map)
    : stands_(static_cast<size_t>(kXs) * kt::kMapFileRows),
      stoodOn_(static_cast<size_t>(kt::kMapSize) * kt::kMapFileRows) {
  std::deque<HeroBody> open;
  auto visit = [&](const HeroBody& h) {
    if (h.x % kWalkSpeed != 0) return;
    const int row = (h.y + 100) / kt::kCellSize;
    // Only stands on top of the ground count: a hero who drifts into the side of a
    // block while falling fast is caught inside it, which is no way to climb.
    bool onTop = false;
    for (int p : {0, 20, 80, 30}) {
      const int c = (h.x + p) / kt::kCellSize;
      onTop |= map.Solid(c, row) && !map.Solid(c, row - 1);
    }
    if (!onTop) return;
    const size_t i = static_cast<size_t>(h.x / kWalkSpeed) * kt::kMapFileRows + row;
    if (stands_[i]) return;
    stands_[i] = true;
    for (int p : {0, 20, 80, 30}) {
      const int c = (h.x + p) / kt::kCellSize;
      if (map.Solid(c, row)) stoodOn_[static_cast<size_t>(c) * kt::kMapFileRows + row] = true;
    }
    open.push_back(h);
  };
  visit(HeroBody{0, kHeroStartY, 0});
  while (!open.empty()) {
    const HeroBody from = open.front();
    open.pop_front();
    for (int dx : {-kWalkSpeed, kWalkSpeed}) {
      HeroBody h = from;
      if (HeroStep(map, h, dx)) {
        if (Settle(map, h, 0)) visit(h);
        continue;
      }
      // Walked off an edge: keep walking or let go of the key while falling.
      for (int drift : {dx, 0}) {
        HeroBody f = h;
        if (Settle(map, f, drift)) visit(f);
      }
    }
    if (!CanCrouch(map, from.x, from.y)) continue;
    for (int speed : kJumpSpeeds)
      for (int dx : {-kWalkSpeed, 0, kWalkSpeed}) {
        // The launch step moves nobody sideways; the flight can be steered.
        HeroBody h = from;
        h.y = std::max(h.y - speed, 0);
        h.vy = -speed + 1;
        if (Settle(map, h, dx)) visit(h);
      }
  }
}

bool HeroReach::Stands(int x, int row) const {
  if (x < 0 || x > kHeroMaxX || x % kWalkSpeed != 0 || row < 0 || row >= kt::kMapFileRows) return false;
  return stands_[static_cast<size_t>(x / kWalkSpeed) * kt::kMapFileRows + row];
}

bool HeroReach::StoodOn(int column, int row) const {
  if (column < 0 || column >= kt::kMapSize || row < 0 || row >= kt::kMapFileRows) return false;
  return stoodOn_[static_cast<size_t>(column) * kt::kMapFileRows + row];
}

}  // namespace gen

namespace gen {

namespace {

const kt::HitNumbers& HitsOf(EnemyKind kind) {
  switch (kind) {
    case K::Gek: return kt::kGekHits;
    case K::Kurosuke: return kt::kKurosukeHits;
    case K::Patatta: return kt::kPatattaHits;
    case K::Sikaky: return kt::kSikakyHits;
    case K::Mogeta:
    case K::Byoon: return kt::kMogetaHits;
  }
  return kt::kKurosukeHits;
}

// A game to run the hit tests in; nothing of it is drawn or heard.
kt::Game& Scratch() {
  static const std::unique_ptr<kt::Game> game = kt::NewGame();
  return *game;
}

kt::Enemy EnemyAt(Spot at) {
  kt::Enemy e;
  e.X = at.x;
  e.Y = at.y;
  e.State = 1;
  e.Health = 3;
  return e;
}

kt::Hero HeroAt(int x, int y) {
  kt::Hero h;
  h.X = x;
  h.Y = y;
  kt::HeroPoseReset(Scratch(), h);
  return h;
}

// Horizontal distances within which a hero and an enemy can touch or punch at all.
constexpr int kNear = 150;

}  // namespace

bool PunchLands(EnemyKind kind, int heroX, int heroY, Spot at) {
  for (const int facing : {0, 80}) {
    kt::Hero h = HeroAt(heroX, heroY);
    h.Facing = facing;
    h.State = kt::hero::Punch;
    h.Step = 5;  // the punch counts from its fifth step on
    kt::Enemy e = EnemyAt(at);
    if (kt::EnemyStrikes(Scratch(), e, h, HitsOf(kind), kt::Sfx::K_yarare) == kt::Struck::Punch) return true;
  }
  return false;
}

bool BodyKnocks(EnemyKind kind, int heroX, int heroY, Spot at) {
  kt::Hero h = HeroAt(heroX, heroY);
  kt::Enemy e = EnemyAt(at);
  return kt::EnemyContact(e, h, HitsOf(kind));
}

std::vector<Spot> WalkBand(const kt::StageMapData& map, const EnemyStart& e, int from, int to) {
  const Rest rest = DropEnemy(map, e);
  if (!rest.landed) return {};
  if (e.stationary || e.kind == K::Byoon || IsFlyer(e.kind)) return {{rest.x, rest.y}};
  std::vector<Spot> band = RoamFrom(map, e.kind, rest, to, from).stands;
  std::sort(band.begin(), band.end());
  band.erase(std::unique(band.begin(), band.end()), band.end());
  return band;
}

Fights::Fights(const kt::StageMapData& map)
    : map_(map), reach_(map), grounded_(static_cast<size_t>(kt::kMapSize) * kt::kMapFileRows, false) {
  std::vector<std::pair<int, int>> stack;
  for (int c = 0; c < kt::kMapSize; ++c) stack.emplace_back(c, kFloorRow);
  while (!stack.empty()) {
    const auto [c, r] = stack.back();
    stack.pop_back();
    if (c < 0 || c >= kt::kMapSize || r < 0 || r >= kt::kMapFileRows || !map_.Solid(c, r)) continue;
    const size_t i = static_cast<size_t>(c) * kt::kMapFileRows + r;
    if (grounded_[i]) continue;
    grounded_[i] = true;
    stack.insert(stack.end(), {{c - 1, r}, {c + 1, r}, {c, r - 1}, {c, r + 1}});
  }
}

bool Fights::Floating(int column, int row) const {
  if (column < 0 || column >= kt::kMapSize || row < 0 || row >= kt::kMapFileRows) return false;
  return map_.Solid(column, row) && !grounded_[static_cast<size_t>(column) * kt::kMapFileRows + row];
}

bool Fights::HeroStands(int x, int row) const {
  return (row == kFloorRow && x >= 0 && x <= kHeroMaxX) || reach_.Stands(x, row);
}

int WalkSteps(const EnemyStart& e) { return e.kind == K::Gek && !e.stationary ? 40000 : 3000; }

WalkerFaults Fights::Check(const EnemyStart& e) const {
  WalkerFaults f;
  if (IsFlyer(e.kind)) return f;
  for (const Spot& at : WalkBand(map_, e, 0, WalkSteps(e))) {
    ++f.places;
    if (How(e.kind, at) != Fight::OutOfReach) continue;
    if (f.outOfReach++ == 0) f.firstOutOfReach = at;
  }
  if (e.kind == K::Byoon || (e.kind == K::Gek && !e.stationary)) return f;
  for (const Spot& at : WalkBand(map_, e, e.stationary ? 0 : kSettled, WalkSteps(e)))
    if (KnocksFromOutOfReach(e.kind, at)) {
      f.knocksFromAbove = at;
      break;
    }
  return f;
}

Fight Fights::How(EnemyKind kind, Spot at) const {
  const auto key = std::make_tuple(kind, at.x, at.y);
  auto it = how_.find(key);
  if (it == how_.end()) it = how_.emplace(key, JudgeHow(kind, at)).first;
  return it->second;
}

bool Fights::KnocksFromOutOfReach(EnemyKind kind, Spot at) const {
  const auto key = std::make_tuple(kind, at.x, at.y);
  auto it = knocks_.find(key);
  if (it == knocks_.end()) it = knocks_.emplace(key, JudgeKnocks(kind, at)).first;
  return it->second;
}

Fight Fights::JudgeHow(EnemyKind kind, Spot at) const {
  const int x0 = std::max(0, (at.x - kNear) / kWalkSpeed * kWalkSpeed), x1 = std::min(kHeroMaxX, at.x + kNear);
  for (int x = x0; x <= x1; x += kWalkSpeed)
    if (PunchLands(kind, x, kHeroStartY, at)) return Fight::FromTheFloor;
  if (IsFlyer(kind)) return Fight::OutOfReach;
  // The ground under its feet, as its own ground test finds it.
  const GroundTest g = GroundOf(kind);
  const int row = (at.y + g.feet) / kt::kCellSize;
  bool ledge = false;
  for (int p : g.probes) ledge |= Floating((at.x + p) / kt::kCellSize, row);
  if (ledge)
    for (int x = x0; x <= x1; x += kWalkSpeed)
      if (reach_.Stands(x, row) && PunchLands(kind, x, row * kt::kCellSize - 100, at)) return Fight::OnItsLedge;
  return Fight::OutOfReach;
}

bool Fights::JudgeKnocks(EnemyKind kind, Spot at) const {
  const int x0 = std::max(0, (at.x - kNear) / kWalkSpeed * kWalkSpeed), x1 = std::min(kHeroMaxX, at.x + kNear);
  const kt::HitNumbers& n = HitsOf(kind);
  for (int row = 0; row <= kFloorRow; ++row) {
    const int heroY = row * kt::kCellSize - 100;
    if (heroY <= at.y + n.contactTop || heroY >= at.y + n.contactBottom) continue;  // its body cannot touch him
    bool knocked = false, punched = false;
    for (int x = x0; x <= x1 && !punched; x += kWalkSpeed) {
      if (!HeroStands(x, row)) continue;
      knocked |= BodyKnocks(kind, x, heroY, at);
      punched |= PunchLands(kind, x, heroY, at);
    }
    if (knocked && !punched) return true;
  }
  return false;
}

}  // namespace gen
