// The near strip's terrain, painted from the stage map. Ground that stands on
// the floor is grassy earth; ledges that float are stone slabs or wooden
// bridges; single raised cells on a surface (the rims walkers turn at) are
// carved stone blocks. Light comes from the upper left; every shape has a
// 1-pixel dark outline. Open cells stay transparent except for grass, flowers
// and moss growing on a surface and vines hanging under a ledge.
#include <algorithm>
#include <array>
#include <vector>

#include "gen/gen.hpp"
#include "gen/level_check.hpp"

namespace gen {

namespace {

constexpr int kCell = kt::kCellSize;
constexpr int kColumns = kStripWidth / kCell;  // columns the strip shows
constexpr int kRows = kt::kMapFileRows;

uint32_t Hash(int a, int b, int salt) {
  uint32_t h = static_cast<uint32_t>(a) * 0x9E3779B1u ^ static_cast<uint32_t>(b) * 0x85EBCA77u ^
               static_cast<uint32_t>(salt) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

enum class Stuff : uint8_t { Open, Earth, Stone, Wood, Rim };

struct Rgb3 {
  int r, g, b;
  uint16_t Px() const { return Rgb(r, g, b); }
  Rgb3 Add(int d) const { return {std::clamp(r + d, 0, 255), std::clamp(g + d, 0, 255), std::clamp(b + d, 0, 255)}; }
};

// Palette.
constexpr Rgb3 kGrassLine{38, 96, 44}, kGrassLight{176, 238, 96}, kGrass{124, 212, 72}, kGrassDeep{92, 184, 58},
    kGrassFringe{58, 140, 50};
constexpr Rgb3 kSoilLine{74, 40, 26}, kSoil{178, 114, 64}, kSoilLight{208, 146, 88}, kSoilDark{134, 84, 48},
    kSoilDeep{160, 98, 56};
constexpr Rgb3 kStoneLine{48, 44, 66}, kStone{196, 190, 172}, kStoneLight{232, 226, 210}, kStoneDark{140, 134, 128},
    kSeam{112, 106, 104};
constexpr Rgb3 kMoss{122, 204, 74}, kMossDark{78, 156, 60};
constexpr Rgb3 kWoodLine{64, 38, 26}, kWood{200, 142, 80}, kWoodLight{236, 192, 124}, kWoodDark{150, 100, 56},
    kWoodGrain{172, 118, 66}, kNail{92, 84, 88};
constexpr Rgb3 kPebble{150, 152, 164}, kPebbleLight{208, 210, 220}, kPebbleDark{92, 92, 106};
constexpr Rgb3 kVine{84, 172, 70}, kVineTip{56, 128, 52}, kRoot{126, 84, 52};
constexpr std::array<Rgb3, 4> kPetals{{{250, 250, 236}, {252, 220, 64}, {250, 140, 192}, {144, 204, 252}}};

// The map as the painter sees it: columns wrap around the strip's width (its
// right end joins its left start when the strip is drawn past the stage's end),
// and each solid cell knows its material and how far its run of the same
// material reaches in the four directions.
class Terrain {
 public:
  explicit Terrain(const kt::StageMapData& map) : stuff_(kColumns * kRows, Stuff::Open), runs_(kColumns * kRows) {
    for (int c = 0; c < kColumns; ++c)
      for (int r = 0; r < kRows; ++r)
        if (map.Solid(c, r)) stuff_[Index(c, r)] = Stuff::Earth;
    MarkFloating();
    MarkRims();
    for (int c = 0; c < kColumns; ++c)
      for (int r = 0; r < kRows; ++r) MeasureRun(c, r);
  }

  Stuff At(int c, int r) const { return r < 0 || r >= kRows ? Stuff::Open : stuff_[Index(Wrap(c), r)]; }
  bool Solid(int c, int r) const { return At(c, r) != Stuff::Open; }

  struct Run {
    int top, bottom, left, right;  // rows and (unwrapped) columns of the run through the cell
  };
  const Run& RunOf(int c, int r) const { return runs_[Index(Wrap(c), r)]; }

 private:
  static int Wrap(int c) { return ((c % kColumns) + kColumns) % kColumns; }
  static size_t Index(int c, int r) { return static_cast<size_t>(c) * kRows + r; }

  // Ledges that do not reach the floor through other solid cells float.
  void MarkFloating() {
    std::vector<bool> grounded(stuff_.size(), false);
    std::vector<std::pair<int, int>> stack;
    for (int c = 0; c < kColumns; ++c)
      if (Solid(c, kFloorRow)) stack.emplace_back(c, kFloorRow);
    while (!stack.empty()) {
      const auto [c, r] = stack.back();
      stack.pop_back();
      if (!Solid(c, r) || grounded[Index(Wrap(c), r)]) continue;
      grounded[Index(Wrap(c), r)] = true;
      stack.emplace_back(Wrap(c - 1), r);
      stack.emplace_back(Wrap(c + 1), r);
      stack.emplace_back(c, r - 1);
      stack.emplace_back(c, r + 1);
    }
    std::vector<bool> seen(stuff_.size(), false);
    for (int c0 = 0; c0 < kColumns; ++c0)
      for (int r0 = 0; r0 < kRows; ++r0) {
        if (!Solid(c0, r0) || grounded[Index(c0, r0)] || seen[Index(c0, r0)]) continue;
        // One floating ledge: a slab of stone or a wooden bridge.
        std::vector<std::pair<int, int>> cells;
        stack.emplace_back(c0, r0);
        int minR = r0, maxR = r0, minC = c0, maxC = c0;
        while (!stack.empty()) {
          const auto [c, r] = stack.back();
          stack.pop_back();
          if (!Solid(c, r) || seen[Index(Wrap(c), r)]) continue;
          seen[Index(Wrap(c), r)] = true;
          cells.emplace_back(Wrap(c), r);
          minR = std::min(minR, r), maxR = std::max(maxR, r), minC = std::min(minC, c), maxC = std::max(maxC, c);
          stack.emplace_back(c - 1, r);
          stack.emplace_back(c + 1, r);
          stack.emplace_back(c, r - 1);
          stack.emplace_back(c, r + 1);
        }
        int wideRows = 0;  // rows of the ledge more than one cell wide (rims do not count)
        for (int r = minR; r <= maxR; ++r) {
          int n = 0;
          for (const auto& [c, cr] : cells) n += cr == r;
          if (n > 1) ++wideRows;
        }
        // Long thin ledges are bridges, some short ones too; the boss arena's two stay stone.
        const bool arena = minC <= kBossViewLastColumn;
        const bool wood = wideRows == 1 && (maxC - minC >= 12 || (!arena && Hash(minC, minR, 3) % 3 == 0));
        for (const auto& [c, r] : cells) stuff_[Index(c, r)] = wood ? Stuff::Wood : Stuff::Stone;
      }
  }

  // A single cell standing up from a surface, open on both sides and above: a
  // rim that walkers turn at. It is painted as a stone block set on the surface.
  void MarkRims() {
    std::vector<std::pair<int, int>> rims;
    for (int c = 0; c < kColumns; ++c)
      for (int r = 1; r < kRows - 1; ++r)
        if (Solid(c, r) && !Solid(c, r - 1) && !Solid(c - 1, r) && !Solid(c + 1, r) && Solid(c, r + 1) &&
            (Solid(c - 1, r + 1) || Solid(c + 1, r + 1)))
          rims.emplace_back(c, r);
    for (const auto& [c, r] : rims) stuff_[Index(c, r)] = Stuff::Rim;
  }

  void MeasureRun(int c, int r) {
    const Stuff s = At(c, r);
    if (s == Stuff::Open) return;
    Run run{r, r, c, c};
    while (At(c, run.top - 1) == s) --run.top;
    while (At(c, run.bottom + 1) == s) ++run.bottom;
    while (At(run.left - 1, r) == s && c - run.left < kColumns) --run.left;
    while (At(run.right + 1, r) == s && run.right - c < kColumns) ++run.right;
    runs_[Index(c, r)] = run;
  }

  std::vector<Stuff> stuff_;
  std::vector<Run> runs_;
};

// Where a pixel lies in its run: 1 on the run's edge pixel, growing inwards.
struct Depth {
  int up, down, left, right;
};

Depth DepthOf(const Terrain& t, int c, int r, int x, int wy) {
  const Terrain::Run& run = t.RunOf(c, r);
  const int cx = c * kCell + x % kCell;  // x within the unwrapped run's frame
  return {wy - run.top * kCell + 1, (run.bottom + 1) * kCell - wy, cx - run.left * kCell + 1,
          (run.right + 1) * kCell - cx};
}

// Depth of the grass on earth, varying along the surface, with the odd longer tuft hanging down.
int GrassDepth(int x) {
  int d = 5 + static_cast<int>(Hash(x / 3, 0, 1) % 3);
  if (Hash(x / 2, 0, 2) % 19 == 0) d += 3;
  return d;
}

Rgb3 EarthPixel(const Depth& d, int x, int wy, int c, int r) {
  const int grass = GrassDepth(x);
  if (d.up <= grass) {
    if (d.up == 1 || d.left == 1 || d.right == 1) return kGrassLine;
    if (d.up == grass) return kGrassFringe;
    Rgb3 g = d.up == 2 ? kGrassLight : d.up == 3 ? kGrass : kGrassDeep;
    if (d.left <= 3) g = g.Add(18);
    if (d.right <= 3) g = g.Add(-26);
    return g;
  }
  if (d.left == 1 || d.right == 1 || d.down == 1) return kSoilLine;
  // The soil darkens towards the bottom of the picture, dithered where the shade changes.
  Rgb3 s = wy > 540 + static_cast<int>(Hash(x, wy, 18) % 24) ? kSoilDeep : kSoil;
  if (d.up <= grass + 2) s = kSoilDark;             // shadow under the grass
  if (d.left <= 3) s = kSoilLight;
  if (d.right <= 4 || d.down <= 3) s = kSoilDark;
  // Faint layers and specks.
  if ((wy + static_cast<int>(Hash(x / 16, wy / 12, 4) % 3)) % 14 == 0) s = s.Add(-14);
  const uint32_t h = Hash(x, wy, 5);
  if (h % 29 == 0) s = s.Add(-30);
  if (h % 31 == 1) s = s.Add(22);
  // A pebble in some cells, well inside the soil.
  const uint32_t p = Hash(c, r, 6);
  if (p % 3 == 0) {
    const int px = c * kCell + 3 + static_cast<int>(p / 3 % 10), py = r * kCell + 5 + static_cast<int>(p / 31 % 9);
    const int dx = x - px, dy = wy - py;
    if (dx >= 0 && dx < 6 && dy >= 0 && dy < 4 && d.up > grass + 4 && d.right > 5 && d.down > 4 &&
        !((dx == 0 || dx == 5) && (dy == 0 || dy == 3))) {
      if (dx == 0 || dy == 0 || dx == 5 || dy == 3) return kPebbleDark;
      return dx <= 2 && dy == 1 ? kPebbleLight : kPebble;
    }
  }
  return s;
}

Rgb3 StonePixel(const Depth& d, int x, int wy, int topRow) {
  if (d.up == 1 || d.down == 1 || d.left == 1 || d.right == 1) return kStoneLine;
  const int moss = 3 + (Hash(x / 2, topRow, 7) % 7 == 0 ? 2 : 0);
  if (d.up <= moss) return d.up == moss ? kMossDark : kMoss;
  // Courses of bricks ten pixels high, their joints staggered.
  const int course = (d.up - 2) / 10, within = (d.up - 2) % 10;
  const int offset = static_cast<int>(Hash(course, topRow, 8) % 24);
  const int along = (x + offset) % 24;
  if (within == 0 && course > 0) return kSeam;
  if (along == 0) return kSeam;
  Rgb3 s = kStone;
  if (within == 1 || along == 1) s = kStoneLight;
  if (within == 9 || along == 23) s = kStoneDark;
  if (d.left <= 2) s = kStoneLight;
  if (d.right <= 3 || d.down <= 3) s = kStoneDark;
  if (Hash(x, wy, 9) % 23 == 0) s = s.Add(-24);
  return s;
}

Rgb3 WoodPixel(const Depth& d, int x, int wy, int topRow) {
  if (d.up == 1 || d.down == 1 || d.left == 1 || d.right == 1) return kWoodLine;
  // Boards nine pixels high laid along the bridge, their ends staggered, each
  // end held by two nails.
  const int board = (d.up - 2) / 9, within = (d.up - 2) % 9;
  if (within == 8) return kWoodLine;
  const int length = 34 + static_cast<int>(Hash(board, topRow, 10) % 16);
  const int along = (x + static_cast<int>(Hash(board, topRow, 11) % 48)) % length;
  if (along == 0) return kWoodLine;
  if ((along == 2 || along == length - 2) && (within == 2 || within == 5)) return kNail;
  Rgb3 w = kWood;
  if (within == 0 || along == 1) w = kWoodLight;
  if (within >= 6 || along == length - 1) w = kWoodDark;
  // Grain: broken streaks along the board.
  const uint32_t g = Hash((x + 3 * board) / 7, wy, 12);
  if (within >= 2 && within <= 5 && g % 4 == 0) w = kWoodGrain;
  if (d.left <= 2) w = w.Add(18);
  if (d.right <= 3 || d.down <= 2) w = w.Add(-28);
  return w;
}

Rgb3 RimPixel(const Depth& d, int x, int wy, int c, int r) {
  if (d.up == 1 || d.down == 1 || d.left == 1 || d.right == 1) return kStoneLine;
  if (d.up == 2 && Hash(x / 3, r, 13) % 3 == 0) return kMoss;
  Rgb3 s = kStone;
  if (d.up <= 3 || d.left <= 3) s = kStoneLight;
  if (d.right <= 4 || d.down <= 4) s = kStoneDark;
  // A crack across some blocks.
  const uint32_t h = Hash(c, r, 14);
  if (h % 2 == 0) {
    const int cx = x - c * kCell, cy = wy - r * kCell;
    if (cy >= 6 && cy <= 13 && cx == 6 + static_cast<int>(h / 2 % 6) + (cy - 6) / 2) return kSeam;
  }
  return s;
}

// A convex corner pixel of a shape is left out, rounding it, where both of its
// outer neighbours are open.
bool CutCorner(const Terrain& t, const Depth& d, int c, int r) {
  const bool top = d.up == 1 && !t.Solid(c, r - 1), bottom = d.down == 1 && !t.Solid(c, r + 1);
  const bool left = d.left == 1 && !t.Solid(c - 1, r), right = d.right == 1 && !t.Solid(c + 1, r);
  return (top || bottom) && (left || right);
}

void PaintSolid(Canvas& tyukan, const Terrain& t) {
  for (int y = 0; y < tyukan.h; ++y) {
    const int wy = y + kStripTop, r = wy / kCell;
    if (r >= kRows) break;
    for (int x = 0; x < tyukan.w; ++x) {
      const int c = x / kCell;
      const Stuff s = t.At(c, r);
      if (s == Stuff::Open) continue;
      const Depth d = DepthOf(t, c, r, x, wy);
      if (CutCorner(t, d, c, r)) continue;
      const int top = t.RunOf(c, r).top;
      Rgb3 px{};
      switch (s) {
        case Stuff::Earth: px = EarthPixel(d, x, wy, c, r); break;
        case Stuff::Stone: px = StonePixel(d, x, wy, top); break;
        case Stuff::Wood: px = WoodPixel(d, x, wy, top); break;
        case Stuff::Rim: px = RimPixel(d, x, wy, c, r); break;
        case Stuff::Open: break;
      }
      tyukan.Set(x, y, px.Px());
    }
  }
}

void Plot(Canvas& tyukan, int x, int wy, const Rgb3& colour) {
  if (tyukan.Get(x, wy - kStripTop) == kClear) tyukan.Set(x, wy - kStripTop, colour.Px());
}

// Grass blades, flowers and moss on the surfaces, vines under the ledges.
constexpr int kBladeHeight = 4, kFlowerHeight = 3 + 3;  // a stem of up to 3 and a head of 3
static_assert(kBladeHeight <= kGrowthAbove && kFlowerHeight <= kGrowthAbove);

void PaintGrowth(Canvas& tyukan, const Terrain& t) {
  for (int c = 0; c < kColumns; ++c)
    for (int r = 1; r < kRows; ++r) {
      const Stuff s = t.At(c, r);
      if (s == Stuff::Open) continue;
      const int x0 = c * kCell, top = r * kCell;
      if (!t.Solid(c, r - 1)) {
        // The surface pixels that are not rounded corners.
        const int first = t.Solid(c - 1, r) ? 0 : 1, last = t.Solid(c + 1, r) ? kCell - 1 : kCell - 2;
        for (int i = first; i <= last; ++i) {
          const int x = x0 + i;
          const uint32_t h = Hash(x, r, 15);
          if (s == Stuff::Earth && h % 4 == 0) {
            const int height = 1 + static_cast<int>(h / 4 % kBladeHeight);
            for (int k = 1; k <= height; ++k) Plot(tyukan, x, top - k, k == height ? kGrassLight : kGrass);
          } else if ((s == Stuff::Stone || s == Stuff::Rim) && h % 6 == 0) {
            Plot(tyukan, x, top - 1, kMoss);
            if (h / 6 % 3 == 0) Plot(tyukan, x, top - 2, kMoss);
          }
        }
        // Now and then a flower on the grass.
        const uint32_t f = Hash(c, r, 16);
        if (s == Stuff::Earth && f % 4 == 0) {
          const int fx = x0 + 4 + static_cast<int>(f / 4 % 12);
          const int stem = 2 + static_cast<int>(f / 64 % 2);
          const Rgb3 petal = kPetals[f / 256 % kPetals.size()];
          for (int k = 1; k <= stem; ++k) Plot(tyukan, fx, top - k, kGrassFringe);
          const int cy = top - stem - 2;
          Plot(tyukan, fx, cy, f / 1024 % 2 ? Rgb3{250, 190, 40} : Rgb3{214, 96, 48});
          Plot(tyukan, fx - 1, cy, petal);
          Plot(tyukan, fx + 1, cy, petal);
          Plot(tyukan, fx, cy - 1, petal);
          Plot(tyukan, fx, cy + 1, petal);
        }
      }
      if (!t.Solid(c, r + 1) && r + 1 < kRows) {
        // Vines and roots hanging from the underside.
        const int first = t.Solid(c - 1, r) ? 0 : 2, last = t.Solid(c + 1, r) ? kCell - 1 : kCell - 3;
        const int bottom = top + kCell;
        for (int i = first; i <= last; ++i) {
          const int x = x0 + i;
          const uint32_t h = Hash(x, r, 17);
          if (h % 7 != 0) continue;
          const int length = 2 + static_cast<int>(h / 7 % (kGrowthBelow - 2));
          const Rgb3 body = s == Stuff::Earth && h / 64 % 2 ? kRoot : kVine;
          for (int k = 0; k < length; ++k) Plot(tyukan, x, bottom + k, k == length - 1 ? kVineTip : body);
          if (length > 4 && h / 128 % 2) Plot(tyukan, x + 1, bottom + length - 3, kVine);
        }
      }
    }
}

}  // namespace

void PaintTerrain(Canvas& tyukan, const kt::StageMapData& map) {
  const Terrain terrain(map);
  PaintSolid(tyukan, terrain);
  PaintGrowth(tyukan, terrain);
}

}  // namespace gen
