// The review picture of the stage (ktgen --preview): three bands of about 2000
// world pixels stacked above a legend.
#include <algorithm>
#include <array>
#include <string_view>

#include "gen/level_check.hpp"

namespace gen {

namespace {

constexpr int kBandWidth = 2020;
constexpr int kBandStep = 2000;
constexpr int kBands = 3;
constexpr int kWorldHeight = kt::kMapFileRows * kt::kCellSize;  // 640
constexpr int kRuler = 22;
constexpr int kBandHeight = kWorldHeight + kRuler;
constexpr int kLegendHeight = 96;
constexpr int kRunUpWrap = 644;  // the run-up shows at most this much of the strip's start past its end

// 3 x 5 glyphs, one bit per pixel, top row in the highest bits.
uint16_t Glyph(char ch) {
  static constexpr std::string_view kChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-.:/()=+";
  static constexpr std::array<uint16_t, 44> kBits{
      0x2BED, 0x6BAE, 0x3923, 0x6B6E, 0x79A7, 0x79A4, 0x396B, 0x5BED, 0x7497, 0x126A, 0x5BAD,
      0x4927, 0x5FED, 0x6B6D, 0x2B6A, 0x6BA4, 0x2B73, 0x6BAD, 0x388E, 0x7492, 0x5B6F, 0x5B6A,
      0x5BFD, 0x5AAD, 0x5A92, 0x72A7, 0x7B6F, 0x2C97, 0x62A7, 0x628E, 0x5BC9, 0x798E, 0x39EF,
      0x7292, 0x7BEF, 0x7BCE, 0x01C0, 0x0002, 0x0410, 0x12A4, 0x2922, 0x224A, 0x0E38, 0x05D0};
  const size_t i = kChars.find(ch);
  return i == std::string_view::npos ? 0 : kBits[i];
}

void Text(Canvas& c, int x, int y, std::string_view s, uint16_t ink, int scale = 2) {
  for (char ch : s) {
    const uint16_t bits = Glyph(ch);
    for (int gy = 0; gy < 5; ++gy)
      for (int gx = 0; gx < 3; ++gx)
        if (bits & (1u << (14 - gy * 3 - gx)))
          c.Fill(x + gx * scale, y + gy * scale, x + (gx + 1) * scale, y + (gy + 1) * scale, ink);
    x += 4 * scale;
  }
}

// Text on a dark plate so that it reads over any background.
void Label(Canvas& c, int x, int y, std::string_view s, uint16_t ink) {
  c.Fill(x - 1, y - 1, x + static_cast<int>(s.size()) * 8, y + 11, Rgb(24, 24, 32));
  Text(c, x, y, s, ink);
}

uint16_t Dim(uint16_t px) {
  const int r = (px >> 11) & 31, g = (px >> 5) & 63, b = px & 31;
  return Rgb((r * 8 + 150) / 2, (g * 4 + 160) / 2, (b * 8 + 190) / 2);
}

uint16_t AmountInk(int amount) {
  switch (amount) {
    case 10: return Rgb(60, 230, 80);
    case 20: return Rgb(255, 170, 20);
    default: return Rgb(255, 60, 200);
  }
}

char KindLetter(EnemyKind kind) {
  static constexpr char kLetters[] = "GKPSMB";
  return kLetters[static_cast<int>(kind)];
}

int AmountIndex(int amount) { return amount / 10 - 1; }

// Draws on the stage in world coordinates; each band shows its part.
class World {
 public:
  explicit World(Canvas& c) : c_(c) {}
  void Set(int x, int y, uint16_t ink) {
    if (y < 0 || y >= kWorldHeight) return;
    for (int band = 0; band < kBands; ++band) {
      const int bx = x - band * kBandStep;
      if (bx >= 0 && bx < kBandWidth) c_.Set(bx, band * kBandHeight + y, ink);
    }
  }
  void Fill(int l, int t, int r, int b, uint16_t ink) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) Set(x, y, ink);
  }
  void Frame(int l, int t, int r, int b, uint16_t ink, int dash = 0) {
    for (int x = l; x < r; ++x)
      if (!dash || (x / dash) % 2 == 0) {
        Set(x, t, ink);
        Set(x, b - 1, ink);
      }
    for (int y = t; y < b; ++y)
      if (!dash || (y / dash) % 2 == 0) {
        Set(l, y, ink);
        Set(r - 1, y, ink);
      }
  }
  void Label(int x, int y, std::string_view s, uint16_t ink) {
    for (int band = 0; band < kBands; ++band) {
      const int bx = x - band * kBandStep;
      if (bx > -static_cast<int>(s.size()) * 8 && bx < kBandWidth) gen::Label(c_, bx, band * kBandHeight + y, s, ink);
    }
  }

 private:
  Canvas& c_;
};

void DrawStage(Canvas& c, World& w, const kt::StageMapData& map, const Canvas& tyukan) {
  // Sky, then the near strip as the stage shows it; beyond the strip's end, faded,
  // what the run-up into the boss stage shows there: the strip's start again.
  for (int band = 0; band < kBands; ++band)
    for (int y = 0; y < kWorldHeight; ++y) {
      const uint16_t sky = Rgb(150 + y / 8, 200 + y / 16, 240);
      for (int bx = 0; bx < kBandWidth; ++bx) {
        const int x = band * kBandStep + bx;
        if (x >= kt::kMapSize * kt::kCellSize) break;
        uint16_t px = sky;
        const int ty = y - kStripTop;
        if (x < kStripWidth) {
          if (tyukan.Get(x, ty)) px = tyukan.Get(x, ty);
        } else if (x < kStripWidth + kRunUpWrap && tyukan.Get(x - kStripWidth, ty)) {
          px = Dim(tyukan.Get(x - kStripWidth, ty));
        }
        c.Set(bx, band * kBandHeight + y, px);
      }
    }
  // The arena picture that stands beyond the stage's end during the stage.
  w.Frame(5120, 362, 5760, 612, Rgb(120, 60, 200), 4);
  w.Label(5130, 372, "ARENA PICTURE", Rgb(200, 170, 255));
  // Outline of the solid cells, dashed, to compare with the painting.
  const uint16_t cellInk = Rgb(0, 255, 255);
  for (int col = 0; col < kt::kMapSize; ++col)
    for (int row = 0; row < kt::kMapFileRows; ++row) {
      if (!map.Solid(col, row)) continue;
      const int x = col * kt::kCellSize, y = row * kt::kCellSize;
      for (int i = 0; i < kt::kCellSize; i += 2) {
        if (!map.Solid(col, row - 1)) w.Set(x + i, y, cellInk);
        if (!map.Solid(col, row + 1)) w.Set(x + i, y + 19, cellInk);
        if (!map.Solid(col - 1, row)) w.Set(x, y + i, cellInk);
        if (!map.Solid(col + 1, row)) w.Set(x + 19, y + i, cellInk);
      }
    }
}

void DrawMarks(World& w) {
  const uint16_t mark = Rgb(255, 255, 255);
  // First view after the walk-in, with the status panel's band.
  w.Frame(80, 120, 720, 600, mark, 6);
  w.Fill(80, 120, 720, 177, Rgb(90, 90, 110));
  w.Label(88, 130, "FIRST VIEW - PANEL", mark);
  // Boss fight view.
  w.Frame(100, 118, 740, 602, Rgb(200, 170, 255), 3);
  w.Label(108, 150, "BOSS VIEW", Rgb(200, 170, 255));
  // Terrain corrections: standing at Y 400 lifts to 380; falling is stopped at 400.
  const uint16_t fix = Rgb(255, 120, 0);
  w.Fill(1500, 478, 1980, 480, fix);
  w.Label(1500, 452, "LIFT 400-380", fix);
  w.Fill(3700, 498, 3880, 500, fix);
  w.Label(3700, 472, "STOP AT 400", fix);
  // The exit and the right end of the heroes' world.
  const uint16_t exit = Rgb(255, 40, 40);
  for (int y = 0; y < kWorldHeight; y += 2) w.Set(kExitX, y, exit);
  w.Label(kExitX + 4, 250, "EXIT", exit);
  for (int y = 0; y < kWorldHeight; y += 4) w.Set(kStripWidth, y, mark);
  w.Label(kStripWidth + 4, 230, "WORLD END - STRIP WRAPS", mark);
  w.Label(kArenaFirstColumn * kt::kCellSize + 4, 270, "BOSS ROOM", Rgb(200, 170, 255));
}

void DrawEnemies(World& w, const kt::StageMapData& map) {
  const Fights fights(map);
  for (const EnemyStart& e : EnemyStarts()) {
    const uint16_t ink = AmountInk(e.amount);
    const int a = AmountIndex(e.amount);
    const Rest rest = DropEnemy(map, e);
    Box box = FigureBox(e.kind, rest.x, rest.y);
    box = {box.l + a * 2, box.t + a * 2, box.r - a * 2, box.b - a * 2};
    w.Frame(box.l, box.t, box.r, box.b, ink);
    if (e.stationary) w.Frame(box.l + 1, box.t + 1, box.r - 1, box.b - 1, ink);
    if (!rest.landed) w.Label(rest.x, rest.y, "NO GROUND", Rgb(255, 0, 0));
    // Where heroes cannot fight it, or it knocks them from above their punches.
    const WalkerFaults faults = fights.Check(e);
    if (faults.firstOutOfReach) w.Label(faults.firstOutOfReach->x, faults.firstOutOfReach->y, "OUT OF REACH", Rgb(255, 0, 0));
    if (faults.knocksFromAbove)
      w.Label(faults.knocksFromAbove->x, faults.knocksFromAbove->y + 13, "KNOCKS FROM ABOVE", Rgb(255, 0, 0));
    // Where it is placed, and its fall.
    if (rest.y != e.y) {
      for (int y = e.y; y < rest.y; y += 3) w.Set(e.x + 2 * a, y, ink);
      w.Fill(e.x - 3 + 2 * a, e.y, e.x + 4 + 2 * a, e.y + 1, ink);
    }
    std::string s(1, KindLetter(e.kind));
    s += std::to_string(e.slot);
    if (e.stationary) s += "S";
    if (e.levelChoice) s += "+";
    const int stack = a * 2 + (e.kind == EnemyKind::Byoon ? 1 : 0);
    const int shift = e.kind == EnemyKind::Mogeta || e.kind == EnemyKind::Byoon ? 30 : 0;
    w.Label(box.l + 1 + shift, box.t - 13 - 13 * stack, s, ink);
  }
}

void DrawRulers(Canvas& c) {
  for (int band = 0; band < kBands; ++band) {
    const int top = band * kBandHeight + kWorldHeight;
    c.Fill(0, top, kBandWidth, top + kRuler, Rgb(30, 30, 40));
    for (int bx = 0; bx < kBandWidth; ++bx) {
      const int x = band * kBandStep + bx;
      if (x % 100 == 0) c.Fill(bx, top, bx + 1, top + (x % 500 == 0 ? 8 : 4), Rgb(220, 220, 220));
      if (x % 500 == 0) Text(c, bx + 3, top + 9, std::to_string(x), Rgb(220, 220, 220));
    }
  }
}

void DrawLegend(Canvas& c) {
  const int top = kBands * kBandHeight;
  c.Fill(0, top, c.w, c.h, Rgb(30, 30, 40));
  const uint16_t text = Rgb(230, 230, 230);
  Text(c, 10, top + 8, "G GEK  K KUROSUKE  P PATATTA  S SIKAKY  M MOGETA  B BYOON", text);
  Text(c, 10, top + 24, "LABEL = KIND + SLOT  (S = STATIONARY GEK, + = SLOT PLACED BY THE LEVEL)", text);
  Text(c, 10, top + 40, "BOX = FIGURE WHERE IT COMES TO REST  DOTS = ITS FALL FROM THE START", text);
  int x = 10;
  for (int amount : kEnemyAmounts) {
    Text(c, x, top + 58, std::to_string(amount) + " ENEMIES", AmountInk(amount));
    x += 120;
  }
  Text(c, x + 20, top + 58, "CYAN DASHES = SOLID CELLS OF THE MAP", Rgb(0, 255, 255));
  Text(c, 10, top + 76, "ORANGE = TERRAIN CORRECTIONS  RED = EXIT, WALKERS HEROES CANNOT FIGHT FAIRLY",
       Rgb(255, 150, 60));
}

}  // namespace

Canvas StagePreview(const kt::StageMapData& map, const Canvas& tyukan) {
  Canvas c(kBandWidth, kBands * kBandHeight + kLegendHeight);
  World w(c);
  DrawStage(c, w, map, tyukan);
  DrawMarks(w);
  DrawEnemies(w, map);
  DrawRulers(c);
  DrawLegend(c);
  return c;
}

void WriteStagePreview(const std::filesystem::path& path, const kt::StageMapData& map, const Canvas& tyukan) {
  WriteBmp(path, StagePreview(map, tyukan));
}

}  // namespace gen
