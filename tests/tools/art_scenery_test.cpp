// The scenery, checked the way the player meets it: windows of the stage and
// the ending put together with the game's own drawing, the loops' seams, the
// floor in front of the heroes, the arena's frames, the beam and the box.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gen/art_parts.hpp"
#include "gen/gen.hpp"
#include "boss/boss_stage.hpp"
#include "hud/hud.hpp"
#include "loop/assets.hpp"
#include "loop/draw.hpp"
#include "loop/game.hpp"
#include "world/stage.hpp"
#include "world/stage_map.hpp"

namespace {

using gen::Canvas;

const gen::Sheets& Painted() {
  static const gen::Sheets sheets = [] {
    gen::Sheets s;
    for (const auto& b : kt::kBitmapFiles) s.emplace(std::string(b.name), Canvas(b.width, b.height));
    gen::PaintSceneryArt(s);
    return s;
  }();
  return sheets;
}
const Canvas& Sheet(std::string_view name) { return Painted().find(name)->second; }

struct Rgb8 {
  int r, g, b;
};
Rgb8 Decode(uint16_t p) { return {(p >> 11) << 3, ((p >> 5) & 63) << 2, (p & 31) << 3}; }
int Luma(uint16_t p) {
  const Rgb8 c = Decode(p);
  return (2 * c.r + 5 * c.g + c.b) / 8;
}
int Distance(uint16_t a, uint16_t b) {
  const Rgb8 x = Decode(a), y = Decode(b);
  return std::abs(x.r - y.r) + std::abs(x.g - y.g) + std::abs(x.b - y.b);
}

using Line = std::vector<uint16_t>;
Line Column(const Canvas& c, int x, int top, int bottom) {
  Line l;
  for (int y = top; y < bottom; ++y) l.push_back(c.Get(x, y));
  return l;
}
Line Row(const Canvas& c, int y, int left, int right) {
  Line l;
  for (int x = left; x < right; ++x) l.push_back(c.Get(x, y));
  return l;
}
// How far apart two neighbouring lines of pixels are; a transparent pixel
// next to an opaque one counts as far as black from white.
long Jump(const Line& a, const Line& b) {
  long sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += (a[i] == 0) != (b[i] == 0) ? 3 * 255 : Distance(a[i], b[i]);
  return sum;
}

// A join is seamless when it is no rougher than nine in ten of the joins
// between neighbouring lines inside the picture.
long Typical(const std::vector<Line>& lines) {
  std::vector<long> jumps;
  for (size_t i = 0; i + 1 < lines.size(); ++i) jumps.push_back(Jump(lines[i], lines[i + 1]));
  std::sort(jumps.begin(), jumps.end());
  return jumps[jumps.size() * 9 / 10];
}
std::vector<Line> Columns(const Canvas& c, int left, int right, int top, int bottom) {
  std::vector<Line> out;
  for (int x = left; x < right; ++x) out.push_back(Column(c, x, top, bottom));
  return out;
}

int Opaque(const Canvas& c, int l, int t, int r, int b) {
  int n = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) n += c.Get(x, y) != gen::kClear;
  return n;
}

// ---- loops and joins ----

TEST(SceneryLoops, FarStripFloorStripAndOptionsTileRunOnAcrossTheirSeams) {
  const Canvas& hk = Sheet("haikei256");
  // Far strip: column 3839 is followed by column 2560.
  const std::vector<Line> far = Columns(hk, 2560, 3840, 0, 580);
  EXPECT_LE(Jump(far.back(), far.front()), Typical(far));
  // Floor strip: column 639 is followed by column 0.
  const std::vector<Line> floor = Columns(hk, 0, 640, 630, 710);
  EXPECT_LE(Jump(floor.back(), floor.front()), Typical(floor));
  // Options tile: it drifts both ways, so its right edge runs into its left
  // and its bottom into its top.
  const Canvas& opt = Sheet("option1280");
  const std::vector<Line> cols = Columns(opt, 0, 640, 0, 480);
  EXPECT_LE(Jump(cols.back(), cols.front()), Typical(cols));
  std::vector<Line> rows;
  for (int y = 0; y < 480; ++y) rows.push_back(Row(opt, y, 0, 640));
  EXPECT_LE(Jump(rows.back(), rows.front()), Typical(rows));
  // And the area is four copies of that tile.
  for (int y = 0; y < 480; y += 3)
    for (int x = 0; x < 640; x += 3) {
      ASSERT_EQ(opt.Get(x, y), opt.Get(x + 640, y + 480)) << x << "," << y;
      ASSERT_EQ(opt.Get(x, y), opt.Get(x + 640, y)) << x << "," << y;
    }
}

TEST(SceneryLoops, OptionsPatternStaysQuietBehindLettering) {
  // Nine in ten pixels of the pattern lie within a narrow band of brightness,
  // well away from both the light lettering and its dark outline.
  const Canvas& opt = Sheet("option1280");
  std::vector<int> luma;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) luma.push_back(Luma(opt.Get(x, y)));
  std::sort(luma.begin(), luma.end());
  const int lo = luma[luma.size() / 20], hi = luma[luma.size() * 19 / 20];
  EXPECT_LT(hi - lo, 40);
  EXPECT_GT(lo, 40);
  EXPECT_LT(hi, 180);
}

TEST(SceneryLoops, TitleFloorPieceJoinsThePanoramaAndTheFloorStrip) {
  const Canvas& op = Sheet("OPhaikei");
  const Canvas& hk = Sheet("haikei256");
  // In the title the floor piece lies at world x 640 over the panorama (rows
  // 416..480 of it), the floor strip from x 1280 on.
  const std::vector<Line> pan = Columns(op, 540, 740, 416, 480);
  Line laid;  // the panorama's column 640 with the floor piece's column 0 over it
  for (int y = 416; y < 480; ++y) {
    const uint16_t piece = op.Get(0, y - 416 + 480);
    laid.push_back(piece != 0 ? piece : op.Get(640, y));
  }
  EXPECT_LE(Jump(Column(op, 639, 416, 480), laid), Typical(pan));
  const std::vector<Line> piece = Columns(op, 0, 640, 480, 560);
  EXPECT_LE(Jump(piece.back(), Column(hk, 0, 630, 710)), Typical(piece));
}

// ---- nothing left uncovered ----

TEST(SceneryCover, WindowFillingPicturesHaveNoTransparentPixel) {
  struct Area {
    const char* sheet;
    int l, t, r, b;
  };
  const std::array<Area, 4> areas{{{"haikei256", 2560, 0, 3840, 580},  // far strip
                                   {"haikei256", 0, 250, 2560, 630},   // the four boss backdrops
                                   {"OPhaikei", 0, 0, 1921, 480},      // title panorama
                                   {"option1280", 0, 0, 1280, 960}}};
  for (const Area& a : areas)
    EXPECT_EQ(Opaque(Sheet(a.sheet), a.l, a.t, a.r, a.b), (a.r - a.l) * (a.b - a.t)) << a.sheet << " x " << a.l;
}

// A world painted in a colour no picture uses, so whatever the backdrop leaves
// uncovered shows.
constexpr uint16_t kStale = 0xF81F;

struct World {
  std::unique_ptr<kt::Game> game = kt::NewGame();
  explicit World(const gen::Sheets& sheets = Painted()) {
    kt::Game& g = *game;
    g.display.World() = kt::Surface(5800, 1100);
    for (const auto& b : kt::kBitmapFiles) {
      if (b.name == "black") continue;
      const Canvas& c = sheets.find(b.name)->second;
      kt::Surface& s = g.display.sheets[static_cast<size_t>(&b - kt::kBitmapFiles.data())];
      s = kt::Surface(c.w, c.h);
      s.px = c.px;
    }
  }
  kt::Game& g() { return *game; }
  void Stale() {
    kt::Surface& w = g().display.World();
    for (int y = g().CameraY; y < g().CameraY + 480; ++y)
      std::fill_n(w.px.begin() + static_cast<ptrdiff_t>(y) * w.w + g().CameraX, 640, kStale);
  }
  // Window pixels still stale, window columns [l, r), rows [t, 480).
  int StaleLeft(int l, int r, int t) {
    const kt::Surface& w = g().display.World();
    int n = 0;
    for (int y = t; y < 480; ++y)
      for (int x = l; x < r; ++x) n += w.At(g().CameraX + x, g().CameraY + y) == kStale;
    return n;
  }
};

TEST(SceneryCover, StageWindowIsCoveredWithoutTheTerrain) {
  // The far strip and the floor strip alone cover everything below the HUD
  // panel (57 rows), at every camera height the stage allows, so no open
  // cell of the terrain can let an old frame show through.
  World w;
  kt::Game& g = w.g();
  for (int cy : {0, 60, 120, 140})
    for (int cx = 0; cx <= 4480; cx += cx < 4400 ? 97 : 40) {
      g.CameraX = cx;
      g.CameraY = cy;
      w.Stale();
      kt::StageBackdropDraw(g);
      kt::FloorStripDraw(g);
      ASSERT_EQ(w.StaleLeft(0, 640, 57), 0) << "camera " << cx << "," << cy;
    }
}

TEST(SceneryCover, EndingWindowIsCoveredByBackdropArenaAndFloor) {
  // The ending draws only the backdrop frame at the window's top, the arena
  // front at (101, 362) and the floor strip. World column 100 lies left of the
  // arena front and is not checked.
  World w;
  kt::Game& g = w.g();
  g.CameraX = 100;
  g.CameraY = 120;
  for (int k = 0; k < 4; ++k) {
    w.Stale();
    kt::DrawPiece(g, kt::Bmp::haikei256, 640 * k, 250, 640 * k + 640, 630, g.CameraX, g.CameraY);
    kt::DrawPiece(g, kt::Bmp::haikei256, 640 * k, 0, 640 * k + 640, 250, 101, 362);
    kt::FloorStripDraw(g);
    EXPECT_EQ(w.StaleLeft(1, 640, 0), 0) << "frame " << k;
  }
}

bool IsGreen(uint16_t p) {
  const Rgb8 c = Decode(p);
  return c.g > c.r + 20 && c.g > c.b + 20;
}
bool IsSky(uint16_t p) {
  const Rgb8 c = Decode(p);
  return c.b > c.r + 40 && c.b > c.g;
}

TEST(SceneryCover, TitlePanoramaHasGroundUnderTheFeetAndSkyAbove) {
  // The heroes' feet rest on panorama row 450, just behind the bank, all the
  // way from the box to the menu, left of the floor pieces too: the landscape
  // is grass there, sky at the top.
  const Canvas& op = Sheet("OPhaikei");
  int grass = 0, sky = 0;
  for (int x = 0; x < 1921; ++x) {
    // The rows just above the feet: grass, now and then a tuft or a flower.
    int green = 0, open = 0;
    for (int y = 438; y < 450; ++y) {
      green += IsGreen(op.Get(x, y));
      open += IsSky(op.Get(x, y));
    }
    grass += green >= 3 && open <= 5;
    sky += IsSky(op.Get(x, 10));
  }
  EXPECT_GT(grass, 1921 * 19 / 20);
  EXPECT_GT(sky, 1921 * 19 / 20);
}

// ---- the floor in front of everybody ----

TEST(FloorPieces, KeepTheFeetInSightAndStandSolidBelow) {
  struct Piece {
    const char* sheet;
    int top;
  };
  // The floor strip and the title's floor piece, both drawn over the heroes.
  for (const Piece p : {Piece{"haikei256", 630}, Piece{"OPhaikei", 480}}) {
    const Canvas& c = Sheet(p.sheet);
    // Feet rest on row 34 of the piece: the rows around them stay mostly clear.
    EXPECT_LT(Opaque(c, 0, p.top, 640, p.top + 36), 640 * 36 / 6) << p.sheet;
    EXPECT_GT(Opaque(c, 0, p.top, 640, p.top + 36), 0) << p.sheet << ": nothing stands in front";
    // From row 44 down it is solid ground: in the stage the far strip ends
    // there (world y 590) and the window can reach row 74.
    EXPECT_EQ(Opaque(c, 0, p.top + 44, 640, p.top + 80), 640 * 36) << p.sheet;
  }
}

// ---- the boss arena ----

TEST(Arena, FramesChangeVisiblyFromOneToTheNext) {
  const Canvas& hk = Sheet("haikei256");
  // Arena fronts: every two frames differ in a fair share of their pixels.
  for (int a = 0; a < 4; ++a)
    for (int b = a + 1; b < 4; ++b) {
      int differ = 0;
      for (int y = 0; y < 238; ++y)
        for (int x = 0; x < 640; ++x) differ += hk.Get(640 * a + x, y) != hk.Get(640 * b + x, y);
      EXPECT_GT(differ, 640 * 238 / 20) << "fronts " << a << " and " << b;
    }
}

// The fight shows the far and near strips over the backdrop and the arena
// front over them; the ending draws only the backdrop frame 1920 and the same
// front. Where the boss falls the picture must not change: the frame holds
// exactly what the fight showed, the stage's terrain included (and a ledge
// put up in the sky, which the stage has none of yet).
TEST(Arena, EndingOpensOnTheFightsView) {
  gen::Sheets sheets = Painted();
  const auto map = std::make_unique<kt::StageMapData>();
  kt::LoadStageMap(KT_SOURCE_DIR "/data/map", *map);
  for (int c = 12; c < 18; ++c) map->At(c, 10) = 1;
  gen::PaintTerrain(sheets.at("tyukan"), *map);
  gen::PaintBackdropTerrain(sheets);
  World w(sheets);
  kt::Game& g = w.g();
  g.CameraX = 100;
  g.CameraY = 120;
  g.bossStage.BossPhase = 2;
  g.bossStage.BackdropX = 1920;
  const auto window = [&] {
    std::vector<uint16_t> px;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) px.push_back(g.display.World().At(g.CameraX + x, g.CameraY + y));
    return px;
  };
  w.Stale();
  kt::BossBackdropDraw(g);
  kt::StageBackdropDraw(g);
  const std::vector<uint16_t> fight = window();
  w.Stale();
  kt::BossBackdropDraw(g);
  const std::vector<uint16_t> ending = window();
  // Rows 0..380 hold the frame; below, the arena front covers both alike.
  int differ = 0;
  for (size_t i = 0; i < 380 * 640; ++i) differ += fight[i] != ending[i];
  EXPECT_EQ(differ, 0);
}

// Near-white, bluish pixels: clouds (and the snow on the mountains, the same
// in every frame).
bool IsCloud(uint16_t p) {
  const Rgb8 c = Decode(p);
  return std::min({c.r, c.g, c.b}) >= 200 && c.b >= c.r && std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) <= 60;
}

TEST(Arena, EndingsStepsBackClearTheSky) {
  // Frame by frame back from the fight's (1920) the clouds thin out, in the
  // rows the ending shows.
  const Canvas& hk = Sheet("haikei256");
  int last = 0;
  for (int k = 3; k >= 0; --k) {
    int clouds = 0;
    for (int y = 250; y < 492; ++y)
      for (int x = 0; x < 640; ++x) clouds += IsCloud(hk.Get(640 * k + x, y));
    if (k < 3) {
      EXPECT_LT(clouds, last - last / 10) << "backdrop " << k;
    }
    last = clouds;
  }
}

TEST(Arena, LedgesStandOutWhereTheArenaIsSolid) {
  // The arena's solid ledges are front rows 138..158 of columns 0..159 and
  // 499..640 (world y 500..520); each frame shows them brighter than the wall
  // beneath, and everything from the ledges down is opaque (in the ending
  // nothing else covers world y 500..600).
  const Canvas& hk = Sheet("haikei256");
  for (int k = 0; k < 4; ++k) {
    const int left = 640 * k;
    EXPECT_EQ(Opaque(hk, left, 138, left + 640, 238), 640 * 100) << "front " << k;
    for (const auto& [l, r] : {std::pair{0, 160}, std::pair{499, 640}}) {
      long ledge = 0, wall = 0;
      for (int x = l; x < r; ++x) {
        for (int y = 139; y < 157; ++y) ledge += Luma(hk.Get(left + x, y));
        for (int y = 170; y < 188; ++y) wall += Luma(hk.Get(left + x, y));
      }
      EXPECT_GT(ledge, wall + wall / 8) << "front " << k << " ledge at " << l;
    }
  }
}

// ---- the beam ----

TEST(Beam, EveryCutHangsUnbrokenDownToItsTip) {
  const Canvas& hk = Sheet("haikei256");
  std::array<long, 3> red{}, blue{};
  for (int look = 0; look < 3; ++look) {
    const int l = 4480 + 150 * look;
    // The nine cuts share their lower end: an unbroken core from the highest
    // cut (row 140) down to the tip means every cut shows a whole beam.
    for (int y = 140; y < 620; ++y)
      ASSERT_EQ(Opaque(hk, l + 60, y, l + 90, y + 1), 30) << "look " << look + 1 << " row " << y;
    // It ends in a tip: narrower near row 629 than higher up.
    EXPECT_LT(Opaque(hk, l, 626, l + 150, 627), Opaque(hk, l, 400, l + 150, 401)) << look;
    EXPECT_EQ(Opaque(hk, l, 630, l + 150, 640), 0) << look;
    for (int y = 140; y < 630; ++y)
      for (int x = l; x < l + 150; ++x) {
        const Rgb8 c = Decode(hk.Get(x, y));
        red[static_cast<size_t>(look)] += c.r;
        blue[static_cast<size_t>(look)] += c.b;
      }
  }
  // The looks tell the boss's strength: from cold to hot.
  EXPECT_LT(red[0], red[2]);
  EXPECT_GT(blue[0], blue[2]);
}

// ---- the title box ----

TEST(TitleBox, LidsShowAboveTheBoxPicturesDrawnOverThem) {
  // The lid is drawn first, the box picture over it at the same place.
  const Canvas& h = Sheet("Hako");
  struct Pair {
    int lidTop, boxTop;
  };
  for (const Pair p : {Pair{0, 0}, Pair{100, 200}}) {
    int lid = 0, hidden = 0, landedRows = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 260; ++x) {
        if (h.Get(260 + x, p.lidTop + y) == 0) continue;
        ++lid;
        hidden += h.Get(x, p.boxTop + y) != 0;
        landedRows += y < 80;
      }
    EXPECT_GT(lid, 2000) << p.lidTop;
    EXPECT_LT(hidden, lid / 10) << p.lidTop;
    // Once landed only the top 80 rows are in view; most of the lid is there.
    EXPECT_GT(landedRows, lid * 3 / 4) << p.lidTop;
  }
}

TEST(TitleBox, OpenFrontHasAMouthShowingTheInside) {
  const Canvas& h = Sheet("Hako");
  // The columns the open box's front wall stands in.
  int l = 260, r = 0;
  for (int x = 0; x < 260; ++x)
    if (h.Get(x, 400 + 150) != 0) {
      l = std::min(l, x);
      r = std::max(r, x + 1);
    }
  ASSERT_GT(r - l, 150);
  // Within the 80 rows seen after landing: the rim of the front wall, and
  // above it an opening where the inside picture (drawn behind the figures)
  // shows and the front picture is clear.
  int rim = -1;
  for (int y = 0; y < 80 && rim < 0; ++y)
    if (Opaque(h, l + 20, 400 + y, r - 20, 401 + y) == r - l - 40) rim = y;
  ASSERT_GE(rim, 30) << "no room for a mouth above the front wall";
  EXPECT_EQ(Opaque(h, l + 20, 400 + rim, r - 20, 480), (r - l - 40) * (80 - rim));
  const int mouth = (r - l - 40) * 24;
  EXPECT_EQ(Opaque(h, l + 20, 400 + rim - 24, r - 20, 400 + rim), 0);
  EXPECT_GT(Opaque(h, 260 + l + 20, 200 + rim - 24, 260 + r - 20, 200 + rim), mouth * 9 / 10);
}

}  // namespace
