// Puts the enemy pieces on their sheets: the four kinds and the boss on
// char256, Mogeta and Byoon on teki, the fountain figures on tobidasi.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "gen/art_enemies_draw.hpp"
#include "gen/art_parts.hpp"

namespace gen {

namespace {

using enemy::Painter;

// Paints a piece and puts it at (l, t), replacing what was there.
void Put(Canvas& sheet, int l, int t, int w, int h, const Painter& paint, bool mirror = false) {
  const Canvas piece = enemy::PaintPiece(w, h, 1, mirror, paint);
  sheet.Fill(l, t, l + w, t + h, kClear);
  enemy::Blit(sheet, piece, l, t);
}

void Gek(Canvas& c) {
  using namespace enemy;
  Put(c, 740, 0, 40, 90, [](const Pen& p) { GekBody(p, 0); });
  Put(c, 740, 90, 40, 90, [](const Pen& p) { GekBody(p, 1); });
  // The throwing pose: 80 x 82 while the ball flies; its left 40 columns plus
  // 8 more rows are the narrow frame shown for one step after the throw.
  const Canvas thrown = PaintPiece(80, 90, 1, false, [](const Pen& p) { GekBody(p, 2); });
  c.Fill(740, 180, 820, 270, kClear);
  for (int y = 0; y < thrown.h; ++y)
    for (int x = 0; x < (y < 82 ? 80 : 40); ++x)
      if (const uint16_t v = thrown.Get(x, y); v != 0) c.Set(740 + x, 180 + y, v);
  Put(c, 820, 0, 40, 40, GekHand);
  Put(c, 820, 40, 40, 40, GekFoot);
  // The cover is 38 wide; the fountain reads it 40 wide, its last 2 columns clear.
  Put(c, 820, 80, 38, 40, GekCover);
  c.Fill(858, 80, 860, 120, kClear);
  Put(c, 820, 280, 40, 40, GekBall);
}

void Sparks(Canvas& c, int width) {
  using namespace enemy;
  // Each frame lies within its left 48 columns: the narrow reads show all of it.
  for (int k = 0; k < 10; ++k) Put(c, 920 + 50 * k, 570, width, 50, [k](const Pen& p) { Spark(p, k); });
}

void Kurosuke(Canvas& c) {
  using namespace enemy;
  // Right-facing pictures at x 1240, left-facing at 1300.
  for (int hit = 0; hit < 2; ++hit) {
    Put(c, 1240, 420 + 60 * hit, 60, 60, [hit](const Pen& p) { KuroBody(p, hit); }, true);
    Put(c, 1300, 420 + 60 * hit, 60, 60, [hit](const Pen& p) { KuroBody(p, hit); });
  }
  Put(c, 1240, 540, 20, 20, KuroFoot);
}

void Patatta(Canvas& c) {
  using namespace enemy;
  for (int f = 0; f < 4; ++f) {
    Put(c, 800, 340 + 50 * f, 60, 50, [f](const Pen& p) { PataWing(p, true, f); });
    Put(c, 740, 340 + 50 * f, 60, 50, [f](const Pen& p) { PataWing(p, false, f); });
  }
  // Swoop left, fly right, fly left, swoop right, hit from the left, hit from
  // the right; the right-facing ones are mirrored.
  static constexpr bool kMirror[6] = {false, true, false, true, true, false};
  for (int b = 0; b < 6; ++b)
    Put(c, 860, 340 + 50 * b, 60, 50, [b](const Pen& p) { PataBody(p, b); }, kMirror[b]);
}

void Sikaky(Canvas& c) {
  using namespace enemy;
  static constexpr int kRow[4] = {0, 60, 100, 140};
  for (int f = 0; f < 4; ++f) Put(c, 1080, 270 + kRow[f], 40, 38, [f](const Pen& p) { SikaBody(p, f); });
  Put(c, 1120, 270, 40, 20, SikaTop);
  Put(c, 1100, 310, 20, 15, SikaFoot);
  Put(c, 1080, 310, 15, 15, SikaSpot);
  Put(c, 1120, 310, 10, 10, SikaDot);
  Put(c, 560, 430, 40, 38, SikaBall);
}

void Boss(Canvas& c) {
  using namespace enemy;
  Put(c, 560, 0, 155, 130, BossBody);
  Put(c, 80, 520, 40, 39, BossFoot);
  Put(c, 0, 520, 40, 35, [](const Pen& p) { BossHand(p, true); });
  Put(c, 40, 520, 40, 35, [](const Pen& p) { BossHand(p, false); });
  for (int w = 0; w < 4; ++w) {
    Put(c, 240, 160 * w, 160, 155, [w](const Pen& p) { BossWing(p, true, w); });
    Put(c, 400, 160 * w, 155, 155, [w](const Pen& p) { BossWing(p, false, w); });
  }
  static constexpr int kHeadRow[3] = {0, 260, 390};
  for (int m = 0; m < 3; ++m) {
    Put(c, 0, kHeadRow[m], 120, 125, [m](const Pen& p) { BossHead(p, m); });
    Put(c, 120, kHeadRow[m], 120, 125, [m](const Pen& p) { BossHead(p, m); }, true);
  }
  // The three poses of each arm overlap by a few rows, which stay clear.
  static constexpr int kArmRow[3] = {130, 230, 325};
  c.Fill(560, 130, 640, 425, kClear);
  c.Fill(650, 130, 740, 435, kClear);
  for (int a = 0; a < 3; ++a) {
    const Canvas left = PaintPiece(80, 100, 1, false, [a](const Pen& p) { BossArm(p, false, a); });
    const Canvas right = PaintPiece(90, 110, 1, false, [a](const Pen& p) { BossArm(p, true, a); });
    enemy::Blit(c, left, 560, kArmRow[a]);
    enemy::Blit(c, right, 650, kArmRow[a]);
  }
  Put(c, 600, 480, 50, 50, [](const Pen& p) { BossOrb(p, false); });
  Put(c, 600, 430, 50, 50, [](const Pen& p) { BossOrb(p, true); });
}

void Teki(Canvas& c) {
  using namespace enemy;
  for (int hit = 0; hit < 2; ++hit) {
    Put(c, 140, 40 * hit, 40, 40, [hit](const Pen& p) { MogeBody(p, hit); });
    Put(c, 180, 40 * hit, 40, 40, [hit](const Pen& p) { MogeBody(p, hit); }, true);
    Put(c, 0, 90 * hit, 70, 30, [hit](const Pen& p) { ByoonBody(p, hit); });
    Put(c, 70, 90 * hit, 70, 30, [hit](const Pen& p) { ByoonBody(p, hit); }, true);
  }
  Put(c, 190, 80, 20, 20, [](const Pen& p) { MogeHand(p, true); });
  Put(c, 170, 80, 20, 20, [](const Pen& p) { MogeHand(p, false); });
  Put(c, 140, 80, 22, 11, MogeFoot);
  Put(c, 0, 120, 30, 10, ByoonWing);
  Put(c, 40, 120, 30, 15, ByoonFoot);
  Put(c, 0, 140, 30, 15, [](const Pen& p) { ByoonHurtWing(p, true); });
  Put(c, 40, 140, 30, 15, [](const Pen& p) { ByoonHurtWing(p, false); });
  Sparks(c, 48);
}

// ---- the fountain figures ----

// One piece of a figure: where the game draws it, relative to the figure.
struct Placed {
  int dx, dy, w, h;
  Painter paint;
  bool mirror = false;
};

// Builds a figure from its pieces as the game would draw them, at `scale`,
// centred in the 120 x 150 cell at (l, t).
void Figure(Canvas& sheet, int l, int t, double scale, const std::vector<Placed>& parts) {
  Canvas fig(120, 150);
  int minX = 1 << 20, minY = 1 << 20, maxX = -(1 << 20), maxY = -(1 << 20);
  std::vector<std::pair<Canvas, std::pair<int, int>>> pieces;
  for (const Placed& part : parts) {
    Canvas piece = enemy::PaintPiece(part.w, part.h, scale, part.mirror, part.paint);
    const int px = static_cast<int>(std::lround(part.dx * scale)), py = static_cast<int>(std::lround(part.dy * scale));
    for (int y = 0; y < piece.h; ++y)
      for (int x = 0; x < piece.w; ++x)
        if (piece.Get(x, y) != 0) {
          minX = std::min(minX, px + x);
          maxX = std::max(maxX, px + x);
          minY = std::min(minY, py + y);
          maxY = std::max(maxY, py + y);
        }
    pieces.emplace_back(std::move(piece), std::make_pair(px, py));
  }
  const int ox = (120 - (maxX - minX + 1)) / 2 - minX, oy = (150 - (maxY - minY + 1)) / 2 - minY;
  for (const auto& [piece, at] : pieces) enemy::Blit(fig, piece, ox + at.first, oy + at.second);
  sheet.Fill(l, t, l + 120, t + 150, kClear);
  enemy::Blit(sheet, fig, l, t);
}

void Fountain(Canvas& c) {
  using namespace enemy;
  // A Mogeta in its first walking pose, facing left, twice the size.
  Figure(c, 0, 0, 2.0,
         {{6, 0, 40, 40, [](const Pen& p) { MogeBody(p, 0); }},
          {21, 40, 22, 11, MogeFoot},
          {-11, 40, 22, 11, MogeFoot},
          {18, 22, 20, 20, [](const Pen& p) { MogeHand(p, true); }},
          {-2, 26, 20, 20, [](const Pen& p) { MogeHand(p, false); }}});
  // A Byoon at rest, facing right, one and a half times the size.
  Figure(c, 120, 0, 1.5,
         {{0, 0, 70, 30, [](const Pen& p) { ByoonBody(p, 0); }, true},
          {41, 55, 30, 15, ByoonFoot},
          {3, 55, 30, 15, ByoonFoot},
          {20, 26, 30, 10, ByoonWing},
          {20, 35, 30, 10, ByoonWing}});
  for (int k = 0; k < kToyCount; ++k) {
    const int cell = k + 2;
    const int l = 120 * (cell % 2), t = 150 * (cell / 2);
    Put(c, l, t, 120, 150, [k](const Pen& p) { Toy(p, k); });
  }
}

}  // namespace

void PaintEnemyArt(Sheets& sheets) {
  Canvas& chars = sheets.at("char256");
  Gek(chars);
  Kurosuke(chars);
  Patatta(chars);
  Sikaky(chars);
  Boss(chars);
  Sparks(chars, 50);
  Teki(sheets.at("teki"));
  Fountain(sheets.at("tobidasi"));
}

}  // namespace gen
