// The enemy artwork, checked the way the game uses it: pieces cut from the
// sheets and put together at the offsets each kind draws them at.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "gen/art_enemies_draw.hpp"
#include "gen/art_parts.hpp"
#include "gen/atlas_table.hpp"
#include "gen/draw.hpp"
#include "gen/gen.hpp"
#include "loop/assets.hpp"

namespace {

using gen::AtlasRect;
using gen::Canvas;
using gen::Paint;

const uint16_t kInk = gen::kOutline.Px();

// The enemy painter alone on blank sheets: whatever is opaque is its own.
class EnemyArt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sheets_ = new gen::Sheets;
    for (const auto& b : kt::kBitmapFiles) sheets_->emplace(std::string(b.name), Canvas(b.width, b.height));
    gen::PaintEnemyArt(*sheets_);
  }
  static void TearDownTestSuite() {
    delete sheets_;
    sheets_ = nullptr;
  }
  static const Canvas& Sheet(std::string_view name) { return sheets_->find(name)->second; }
  static gen::Sheets* sheets_;
};
gen::Sheets* EnemyArt::sheets_ = nullptr;

bool IsEnemyRect(const AtlasRect& r) {
  if (r.sheet == "teki" || r.sheet == "tobidasi") return true;
  if (r.sheet != "char256") return false;
  for (std::string_view kind : {"gek", "kurosuke", "patatta", "sikaky", "boss", "hit spark", "options cursor"})
    if (r.label.starts_with(kind)) return true;
  return false;
}

// ---- composing figures as the game draws them ----

struct Blit {
  const char* sheet;
  int l, t, r, b;  // source rectangle
  int x, y;        // where it lands, relative to the figure
};

// The figure's pixels (colour-keyed blits in order) on a canvas with room
// around; origin at (kPad, kPad).
constexpr int kPad = 120;
Canvas Compose(const gen::Sheets& sheets, const std::vector<Blit>& blits) {
  Canvas c(2 * kPad + 320, 2 * kPad + 260);
  for (const Blit& b : blits) {
    const Canvas& s = sheets.find(b.sheet)->second;
    for (int y = b.t; y < b.b; ++y)
      for (int x = b.l; x < b.r; ++x)
        if (const uint16_t v = s.Get(x, y); v != 0) c.Set(kPad + b.x + x - b.l, kPad + b.y + y - b.t, v);
  }
  return c;
}

// Number of 4-connected opaque regions.
int Regions(const Canvas& c) {
  std::vector<uint8_t> seen(c.px.size(), 0);
  int regions = 0;
  std::vector<int> stack;
  for (int i = 0; i < static_cast<int>(c.px.size()); ++i) {
    if (c.px[i] == 0 || seen[i]) continue;
    ++regions;
    stack.push_back(i);
    seen[i] = 1;
    while (!stack.empty()) {
      const int j = stack.back();
      stack.pop_back();
      const int x = j % c.w, y = j / c.w;
      for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
        if (!c.Inside(x + dx, y + dy)) continue;
        const int k = (y + dy) * c.w + x + dx;
        if (c.px[k] != 0 && !seen[k]) {
          seen[k] = 1;
          stack.push_back(k);
        }
      }
    }
  }
  return regions;
}

// Smallest gap between the opaque pixels of two canvases: the clear pixels
// between them in the nearest direction (0 = touching or overlapping).
int Gap(const Canvas& a, const Canvas& b) {
  int best = 1 << 20;
  for (int y = 0; y < a.h; ++y)
    for (int x = 0; x < a.w; ++x) {
      if (a.Get(x, y) == 0) continue;
      for (int d = 0; d < best && d < 40; ++d)
        for (int e = -d; e <= d; ++e)
          if (b.Get(x + e, y - d) || b.Get(x + e, y + d) || b.Get(x - d, y + e) || b.Get(x + d, y + e)) {
            best = std::min(best, std::max(0, d - 1));
            break;
          }
    }
  return best;
}

// ---- pieces on the sheets ----

TEST_F(EnemyArt, EveryPieceHoldsAPictureThatItsRectangleDoesNotCut) {
  int pieces = 0;
  for (const AtlasRect& r : gen::AtlasRects()) {
    if (!IsEnemyRect(r) || r.paint != Paint::kPicture) continue;
    ++pieces;
    const Canvas& c = Sheet(r.sheet);
    int opaque = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) opaque += c.Get(x, y) != 0;
    EXPECT_GE(opaque * 20, r.Width() * r.Height() / 5) << r.label << ": almost empty";
    // The wide throwing pose runs on into the narrow frame's 8 extra rows.
    if (r.label == "gek body throwing") continue;
    // On the rectangle's rim only the outline may show: a figure reaching the
    // edge would be cut off where the game blits it.
    for (int x = r.left; x < r.right; ++x)
      for (int y : {r.top, r.bottom - 1}) {
        const uint16_t v = c.Get(x, y);
        ASSERT_TRUE(v == 0 || v == kInk) << r.label << " cut at (" << x << ", " << y << ")";
      }
    for (int y = r.top; y < r.bottom; ++y)
      for (int x : {r.left, r.right - 1}) {
        const uint16_t v = c.Get(x, y);
        ASSERT_TRUE(v == 0 || v == kInk) << r.label << " cut at (" << x << ", " << y << ")";
      }
  }
  EXPECT_EQ(pieces, 71 + 25 + 12);  // char256, teki, tobidasi
}

TEST_F(EnemyArt, NothingIsPaintedOutsideTheEnemyRectangles) {
  std::map<std::string, std::vector<const AtlasRect*>, std::less<>> rects;
  for (const AtlasRect& r : gen::AtlasRects())
    if (IsEnemyRect(r) && r.paint != Paint::kBlack) rects[std::string(r.sheet)].push_back(&r);
  for (const auto& [name, canvas] : *sheets_)
    for (int y = 0; y < canvas.h; ++y)
      for (int x = 0; x < canvas.w; ++x) {
        if (canvas.Get(x, y) == 0) continue;
        const auto it = rects.find(name);
        const bool inside = it != rects.end() && std::any_of(it->second.begin(), it->second.end(),
                                                             [&](const AtlasRect* r) { return r->Contains(x, y); });
        ASSERT_TRUE(inside) << name << " (" << x << ", " << y << ") is painted but no enemy piece reads it";
      }
}

TEST_F(EnemyArt, StripsWherePiecesMeetStayClear) {
  // The painter must keep them clear itself: the final clearing would cut
  // whatever it put there out of the neighbouring picture.
  int strips = 0;
  for (const AtlasRect& r : gen::AtlasRects()) {
    if (!IsEnemyRect(r) || r.paint != Paint::kBlack) continue;
    ++strips;
    const Canvas& c = Sheet(r.sheet);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) ASSERT_EQ(c.Get(x, y), 0) << r.label << " (" << x << ", " << y << ")";
  }
  EXPECT_EQ(strips, 5);  // cover edge, spark edge, three arm seams
}

TEST_F(EnemyArt, OpaquePixelsAreNeverTheTransparentKeyOrNearBlack) {
  for (const std::string_view name : {"char256", "teki", "tobidasi"})
    for (const uint16_t v : Sheet(name).px) {
      if (v == 0) continue;
      const int r = (v >> 11) << 3, g = ((v >> 5) & 63) << 2, b = (v & 31) << 3;
      ASSERT_GE(std::max({r, g, b}), 16) << name << " colour " << v;
    }
}

// ---- sparks ----

TEST_F(EnemyArt, NarrowSparkReadsHoldTheWholeSparkAndItBurstsThenFades) {
  for (const std::string_view name : {"char256", "teki"}) {
    const Canvas& c = Sheet(name);
    std::array<int, 10> size{};
    for (int k = 0; k < 10; ++k) {
      const int l = 920 + 50 * k;
      for (int y = 570; y < 620; ++y) {
        for (int x = l; x < l + 48; ++x) size[k] += c.Get(x, y) != 0;
        // The 50-wide frames' last two columns: outside the 48-wide reads.
        ASSERT_EQ(c.Get(l + 48, y), 0) << name << " frame " << k;
        ASSERT_EQ(c.Get(l + 49, y), 0) << name << " frame " << k;
      }
      EXPECT_GT(size[k], 0) << name << " frame " << k;
    }
    // It grows to its largest by the fourth frame and then dwindles away.
    EXPECT_LT(size[0], size[2]) << name;
    EXPECT_LT(size[2], size[3]) << name;
    for (int k = 5; k < 9; ++k) EXPECT_GT(size[k], size[k + 1]) << name << " frame " << k;
  }
}

// ---- assembled creatures ----

// Gek walk cycle (entries 1..16): hand A, hand B, foot A, foot B offsets.
constexpr int kGekHAX[16] = {1, 8, 16, 24, 32, 40, 48, 57, 57, 48, 40, 32, 24, 16, 8, 1};
constexpr int kGekHAY[16] = {41, 42, 44, 48, 52, 48, 44, 42, 42, 44, 48, 52, 48, 44, 42, 41};
constexpr int kGekHBX[16] = {69, 56, 48, 40, 32, 24, 16, 1, 1, 16, 24, 32, 40, 48, 56, 69};
constexpr int kGekHBY[16] = {34, 38, 42, 48, 52, 48, 44, 38, 38, 44, 48, 52, 48, 42, 38, 34};
constexpr int kGekFAX[16] = {62, 62, 49, 41, 33, 20, 12, 5, 5, 12, 20, 33, 41, 49, 62, 62};
constexpr int kGekFAY[16] = {80, 80, 80, 80, 80, 80, 80, 80, 70, 68, 65, 64, 65, 68, 70, 75};
constexpr int kGekFBX[16] = {5, 12, 19, 26, 33, 40, 47, 54, 54, 47, 40, 33, 26, 19, 12, 5};
constexpr int kGekFBY[16] = {80, 75, 68, 65, 64, 65, 68, 75, 80, 80, 80, 80, 80, 80, 80, 75};

TEST_F(EnemyArt, GekStaysInOnePieceThroughItsWalkAndThrow) {
  for (int f = 0; f < 16; ++f) {
    // The narrow throwing frame is shown for one step, in pose 1.
    for (const int row : f == 0 ? std::vector{0, 90, 180} : std::vector{0, 90}) {
      // Body, cover and the boots that stand on the ground make one shape;
      // the hands swing just clear of it.
      std::vector<Blit> core{{"char256", 740, row, 780, row + 90, 27, 2}, {"char256", 820, 80, 858, 120, 34, 38}};
      for (const auto& [fx, fy] : {std::pair{kGekFAX[f], kGekFAY[f]}, std::pair{kGekFBX[f], kGekFBY[f]}})
        if (fy == 80) core.push_back({"char256", 820, 40, 860, 80, fx, fy + 2});
      EXPECT_EQ(Regions(Compose(*sheets_, core)), 1) << "walk frame " << f + 1 << " body row " << row;
      const Canvas body = Compose(*sheets_, core);
      for (const auto& [hx, hy] : {std::pair{kGekHAX[f], kGekHAY[f]}, std::pair{kGekHBX[f], kGekHBY[f]}})
        EXPECT_LE(Gap(Compose(*sheets_, {{"char256", 820, 0, 860, 40, hx, hy + 2}}), body), 4)
            << "hand at " << hx << " in walk frame " << f + 1;
      for (const auto& [fx, fy] : {std::pair{kGekFAX[f], kGekFAY[f]}, std::pair{kGekFBX[f], kGekFBY[f]}})
        EXPECT_LE(Gap(Compose(*sheets_, {{"char256", 820, 40, 860, 80, fx, fy + 2}}), body), 2)
            << "foot at " << fx << ", " << fy << " in walk frame " << f + 1;
    }
  }
  // While the ball flies: the wide pose without the cover, limbs at pose 1;
  // both boots are down.
  const Canvas thrown = Compose(*sheets_, {{"char256", 740, 180, 820, 262, 27, 2},
                                           {"char256", 820, 40, 860, 80, 62, 82},
                                           {"char256", 820, 40, 860, 80, 5, 82}});
  EXPECT_EQ(Regions(thrown), 1);
  // The title fountain reads the cover two columns wider: nothing more shows.
  const Canvas narrow = Compose(*sheets_, {{"char256", 820, 80, 858, 120, 0, 0}});
  const Canvas wide = Compose(*sheets_, {{"char256", 820, 80, 860, 120, 0, 0}});
  EXPECT_TRUE(narrow.px == wide.px);
}

TEST_F(EnemyArt, KurosukeBodyIsWholeAndItsFeetFollowCloseBelow) {
  constexpr int kFAX[16] = {2, 2, 10, 10, 23, 23, 33, 33, 47, 47, 33, 33, 23, 23, 10, 10};
  constexpr int kFAY[16] = {70, 70, 70, 70, 70, 70, 70, 70, 66, 63, 60, 57, 60, 57, 63, 66};
  constexpr int kFBX[16] = {54, 54, 47, 47, 30, 30, 15, 15, 2, 2, 15, 15, 30, 30, 47, 47};
  constexpr int kFBY[16] = {66, 63, 60, 57, 60, 63, 66, 70, 70, 70, 70, 70, 70, 70, 70, 70};
  for (const int col : {0, 60})
    for (const int row : {0, 60}) {
      const Canvas body = Compose(*sheets_, {{"char256", 1240 + col, 420 + row, 1300 + col, 480 + row, 6, 0}});
      EXPECT_EQ(Regions(body), 1) << col << ", " << row;
      for (int f = 0; f < 16; ++f)
        for (const auto& [fx, fy] : {std::pair{kFAX[f], kFAY[f]}, std::pair{kFBX[f], kFBY[f]}}) {
          const Canvas foot = Compose(*sheets_, {{"char256", 1240, 540, 1260, 560, fx, fy}});
          // The feet float close under the round body.
          EXPECT_LE(Gap(foot, body), 14) << "foot at " << fx << ", " << fy;
          // A planted foot's sole is on the ground line (Y + 80).
          if (fy == 70) {
            int lowest = 0;
            for (int y = 0; y < foot.h; ++y)
              for (int x = 0; x < foot.w; ++x)
                if (foot.Get(x, y)) lowest = y - kPad;
            EXPECT_EQ(lowest, 79);
          }
        }
    }
}

TEST_F(EnemyArt, PatattaWingsJoinItsBodyInEveryFlapAndPose) {
  constexpr int kAX[8] = {24, 24, 22, 22, 26, 26, 24, 24}, kAY[8] = {-27, -27, -28, -28, -13, -13, 5, 5};
  constexpr int kBX[8] = {-46, -46, -46, -46, -44, -44, -40, -40}, kBY[8] = {-24, -24, -23, -23, -11, -11, 5, 5};
  for (int body = 0; body < 6; ++body)
    for (int f = 0; f < 8; ++f) {
      const int wf = 50 * (f / 2);
      const Canvas c = Compose(*sheets_, {{"char256", 800, 340 + wf, 860, 390 + wf, kAX[f], kAY[f]},
                                          {"char256", 740, 340 + wf, 800, 390 + wf, kBX[f], kBY[f]},
                                          {"char256", 860, 340 + 50 * body, 920, 390 + 50 * body, 0, 0}});
      EXPECT_EQ(Regions(c), 1) << "body " << body << " wing frame " << f + 1;
    }
}

TEST_F(EnemyArt, SikakyHeadPiecesSitOnItsBodyInEveryLook) {
  struct Look {
    int row, ax, ay, bx, by;
  };
  constexpr Look kLooks[4] = {{0, 30, 25, 20, 30}, {60, 40, 25, 30, 30}, {100, 35, 30, 25, 35}, {140, 40, 35, 30, 30}};
  for (const Look& k : kLooks) {
    const Canvas c = Compose(*sheets_, {{"char256", 1080, k.row + 270, 1120, k.row + 308, 17, 17},
                                        {"char256", 1120, 270, 1160, 290, 7, 0},
                                        {"char256", 1080, 310, 1095, 325, 25, 50},
                                        {"char256", 1120, 310, 1130, 320, k.ax, k.ay},
                                        {"char256", 1120, 310, 1130, 320, k.bx, k.by}});
    EXPECT_EQ(Regions(c), 1) << "look " << k.row;
    // Both feet hop close below it, whichever one is raised.
    for (const auto& [fx, fy] : {std::pair{10, 70}, std::pair{47, 57}, std::pair{10, 57}, std::pair{47, 70}})
      EXPECT_LE(Gap(Compose(*sheets_, {{"char256", 1100, 310, 1120, 325, fx, fy}}), c), 15) << fx << ", " << fy;
  }
}

TEST_F(EnemyArt, MogetaHoldsTogetherThroughItsWalkFacingEitherWay) {
  constexpr int kHAX[6] = {18, 19, 15, 20, 21, 24}, kHAY[6] = {22, 25, 26, 22, 22, 23};
  constexpr int kHBX[6] = {-2, -2, -3, 1, -4, -4}, kHBY[6] = {26, 25, 26, 29, 25, 26};
  constexpr int kFAX[6] = {21, 21, 20, 13, 18, 19}, kFAY[6] = {40, 39, 40, 40, 40, 40};
  constexpr int kFBX[6] = {-11, -12, -16, -7, -8, -9}, kFBY[6] = {40, 41, 40, 41, 40, 41};
  constexpr int kBob[6] = {0, 4, 0, 4, 0, 4};
  for (const bool left : {true, false})
    for (int f = 0; f < 6; ++f) {
      const int col = left ? 140 : 180, bodyX = left ? 6 : -4;
      const Canvas body = Compose(*sheets_, {{"teki", col, 0, col + 40, 40, bodyX, kBob[f]},
                                             {"teki", 190, 80, 210, 100, kHAX[f], kHAY[f]},
                                             {"teki", 170, 80, 190, 100, kHBX[f], kHBY[f]}});
      EXPECT_EQ(Regions(body), 1) << (left ? "left" : "right") << " frame " << f + 1;
      for (const auto& [fx, fy] : {std::pair{kFAX[f], kFAY[f]}, std::pair{kFBX[f], kFBY[f]}})
        EXPECT_LE(Gap(Compose(*sheets_, {{"teki", 140, 80, 162, 91, fx, fy}}), body), 5)
            << (left ? "left" : "right") << " frame " << f + 1 << " foot " << fx;
    }
}

TEST_F(EnemyArt, ByoonWingsHangUnderItsBodyAsItBounces) {
  constexpr int kHA[12] = {26, 28, 30, 34, 37, 35, 29, 24, 20, 23, 29, 26};
  constexpr int kHB[12] = {35, 38, 40, 42, 42, 42, 39, 36, 33, 36, 40, 35};
  constexpr int kBob[12] = {0, 1, 4, 8, 18, 7, 1, -6, -9, -6, 1, 0};
  for (const int col : {0, 70})
    for (int f = 0; f < 12; ++f) {
      const Canvas c = Compose(*sheets_, {{"teki", col, 0, col + 70, 30, 0, kBob[f]},
                                          {"teki", 0, 120, 30, 130, 20, kHA[f]},
                                          {"teki", 0, 120, 30, 130, 20, kHB[f]}});
      // The upper wing rides on the body; the lower one flutters just below.
      EXPECT_EQ(Regions(Compose(*sheets_, {{"teki", col, 0, col + 70, 30, 0, kBob[f]},
                                           {"teki", 0, 120, 30, 130, 20, kHA[f]}})),
                1)
          << "frame " << f + 1;
      EXPECT_LE(Regions(c), 2) << "frame " << f + 1;
    }
  // The hurt wings take the first wing's place while the spark shows.
  for (const int l : {0, 40})
    for (const int col : {0, 70})
      EXPECT_EQ(Regions(Compose(*sheets_, {{"teki", col, 90, col + 70, 120, 0, 0}, {"teki", l, 140, l + 30, 155, 20, 26}})), 1);
}

TEST_F(EnemyArt, BossIsOneFigureInEveryWingHeadAndArmPose) {
  for (int w = 0; w < 4; ++w)
    for (const int headCol : {0, 120})
      for (const int headRow : {0, 260, 390})
        for (const int armRow : {130, 230, 325}) {
          std::vector<Blit> b{{"char256", 240, 160 * w, 400, 160 * w + 155, -65, 50},
                              {"char256", 400, 160 * w, 555, 160 * w + 155, 84, 60},
                              {"char256", 560, 0, 715, 130, 10, 57},
                              {"char256", 80, 520, 120, 559, 38, 121},
                              {"char256", 80, 520, 120, 559, 92, 121},
                              {"char256", headCol, headRow, headCol + 120, headRow + 125, 22, 7},
                              {"char256", 0, 520, 40, 555, 112, 88},
                              {"char256", 40, 520, 80, 555, 14, 73}};
          if (headCol == 0) {
            b.push_back({"char256", 560, armRow, 640, armRow + 100, -26, 13});
          } else {
            b.push_back({"char256", 650, armRow, 740, armRow + 110, 82, 28});
          }
          ASSERT_EQ(Regions(Compose(*sheets_, b)), 1)
              << "wing " << w << " head " << headCol << "," << headRow << " arm " << armRow;
        }
  // The charge orb starts in the raised hand (left: at (4, 53); right: at
  // (122, 68)) and rises from there.
  for (const bool right : {false, true}) {
    const Canvas arm = right ? Compose(*sheets_, {{"char256", 650, 230, 740, 340, 82, 28}})
                             : Compose(*sheets_, {{"char256", 560, 230, 640, 330, -26, 13}});
    const Canvas orb = right ? Compose(*sheets_, {{"char256", 600, 430, 650, 480, 122, 68 - 25}})
                             : Compose(*sheets_, {{"char256", 600, 480, 650, 530, 4, 53 - 25}});
    EXPECT_LE(Gap(orb, arm), 12) << (right ? "right" : "left");
  }
}

TEST_F(EnemyArt, FountainPicturesAreWholeFigures) {
  const Canvas& c = Sheet("tobidasi");
  for (int k = 0; k < 12; ++k) {
    const int l = 120 * (k % 2), t = 150 * (k / 2);
    Canvas cell(120, 150);
    cell.Paste(c, l, t, l + 120, t + 150, 0, 0);
    // The first two are Mogeta and Byoon with their floating limbs; the rest
    // are single objects.
    if (k >= 2) {
      EXPECT_EQ(Regions(cell), 1) << "picture " << k + 1;
    }
    // Big enough to see as they fly: at least a third of the cell's height.
    int top = 150, bottom = -1;
    for (int y = 0; y < 150; ++y)
      for (int x = 0; x < 120; ++x)
        if (cell.Get(x, y)) {
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    EXPECT_GE(bottom - top, 50) << "picture " << k + 1;
  }
  // No two pictures alike.
  for (int a = 0; a < 12; ++a)
    for (int b = a + 1; b < 12; ++b) {
      int same = 0;
      for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 120; ++x)
          same += c.Get(120 * (a % 2) + x, 150 * (a / 2) + y) == c.Get(120 * (b % 2) + x, 150 * (b / 2) + y);
      EXPECT_LT(same, 120 * 150 * 9 / 10) << a + 1 << " and " << b + 1;
    }
}

// ---- looks ----

// The commonest colour of a piece other than its outline: the kind's body.
uint16_t BodyColour(const Canvas& c, int l, int t, int r, int b) {
  std::map<uint16_t, int> count;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      if (const uint16_t v = c.Get(x, y); v != 0 && v != kInk) ++count[v];
  return std::max_element(count.begin(), count.end(), [](auto& a, auto& b2) { return a.second < b2.second; })->first;
}

TEST_F(EnemyArt, EachKindHasABodyColourOfItsOwn) {
  struct Kind {
    const char* name;
    const char* sheet;
    int l, t, r, b;
  };
  const Kind kinds[] = {{"gek", "char256", 740, 0, 780, 90},           {"kurosuke", "char256", 1240, 420, 1300, 480},
                        {"patatta", "char256", 860, 390, 920, 440},    {"sikaky", "char256", 1080, 270, 1120, 308},
                        {"Mogeta", "teki", 140, 0, 180, 40},           {"Byoon", "teki", 0, 0, 70, 30},
                        {"boss", "char256", 0, 0, 120, 125}};
  std::vector<std::array<int, 3>> rgb;
  for (const Kind& k : kinds) {
    const uint16_t v = BodyColour(Sheet(k.sheet), k.l, k.t, k.r, k.b);
    rgb.push_back({(v >> 11) << 3, ((v >> 5) & 63) << 2, (v & 31) << 3});
  }
  for (size_t a = 0; a < rgb.size(); ++a)
    for (size_t b = a + 1; b < rgb.size(); ++b) {
      const int d = std::abs(rgb[a][0] - rgb[b][0]) + std::abs(rgb[a][1] - rgb[b][1]) + std::abs(rgb[a][2] - rgb[b][2]);
      EXPECT_GT(d, 90) << kinds[a].name << " and " << kinds[b].name << " look alike";
    }
}

TEST_F(EnemyArt, FacingPicturesAreMirrorImages) {
  // Kurosuke, Mogeta, Byoon and the boss's head turn round by mirroring.
  struct Pair {
    const char* sheet;
    int leftL, rightL, t, w, h;
  };
  const Pair pairs[] = {{"char256", 1300, 1240, 420, 60, 60}, {"char256", 1300, 1240, 480, 60, 60},
                        {"teki", 140, 180, 0, 40, 40},        {"teki", 0, 70, 0, 70, 30},
                        {"char256", 0, 120, 0, 120, 125},     {"char256", 0, 120, 390, 120, 125}};
  for (const Pair& p : pairs) {
    const Canvas& c = Sheet(p.sheet);
    int differ = 0, opaque = 0;
    for (int y = p.t; y < p.t + p.h; ++y)
      for (int x = 0; x < p.w; ++x) {
        const uint16_t a = c.Get(p.leftL + x, y), b = c.Get(p.rightL + p.w - 1 - x, y);
        opaque += a != 0;
        differ += (a == 0) != (b == 0);
      }
    // The light stays on the upper left both ways, so only the outlines are
    // compared, allowing for rounding at the edges.
    EXPECT_GT(opaque, 0);
    EXPECT_LE(differ * 100, opaque) << p.sheet << " " << p.leftL << "," << p.t;
  }
  // And the left-facing ones look left: the whites of their eyes sit in the
  // left half of the picture.
  const uint16_t white = gen::enemy::kWhite.Px();
  for (const Pair& p : {pairs[0], pairs[3]}) {
    const Canvas& c = Sheet(p.sheet);
    long sum = 0, n = 0;
    for (int y = p.t; y < p.t + p.h; ++y)
      for (int x = 0; x < p.w; ++x)
        if (c.Get(p.leftL + x, y) == white) {
          sum += x;
          ++n;
        }
    ASSERT_GT(n, 0) << p.sheet << " " << p.leftL;
    EXPECT_LT(sum / n, p.w / 2) << p.sheet << " " << p.leftL;
  }
}

TEST_F(EnemyArt, SikakyBallPointsRightAsTheOptionsCursor) {
  // Drawn at the left edge of the options screen, it must point at the
  // lettering to its right: its right end narrows to a tip at mid-height.
  const Canvas& c = Sheet("char256");
  int rightmost = -1;
  for (int x = 560; x < 600; ++x)
    for (int y = 430; y < 468; ++y)
      if (c.Get(x, y)) rightmost = x;
  ASSERT_GE(rightmost, 590);
  int top = 468, bottom = 0;
  for (int y = 430; y < 468; ++y)
    if (c.Get(rightmost - 2, y)) {
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  EXPECT_LE(bottom - top, 8);
  EXPECT_NEAR((top + bottom) / 2, 449, 3);
}

}  // namespace
