// The backdrop strips, the status panel and the combo display, read back from
// the world picture: every source piece the HUD uses is painted in a colour of
// its own, so a world pixel tells which piece was drawn there.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "enemies/enemy.hpp"
#include "hud/hud.hpp"
#include "loop/game.hpp"
#include "loop/startup.hpp"

namespace kt {
namespace {

using V = std::vector<int32_t>;

// Colours of the gauge sheet's pieces.
constexpr uint16_t kHitBar = 0x100, kHurtBar = 0x200, kLives = 0x300, kMarker = 0x400, kDigit = 0x500,
                   kWord = 0x600;

struct HudRig {
  HudRig() : game(NewGame()) {
    ResetSettings(g());
    for (size_t i = 0; i < kBitmapFiles.size(); ++i)
      g().display.sheets[i] = Surface(kBitmapFiles[i].width, kBitmapFiles[i].height);
    for (int32_t level = 1; level <= 5; ++level) {
      Paint(Bmp::geji256, {0, 100 + 30 * level, 100, 130 + 30 * level}, kHitBar + level);
      Paint(Bmp::geji256, {100, 100 + 30 * level, 200, 130 + 30 * level}, kHurtBar + level);
    }
    for (int32_t lives = 1; lives <= 9; ++lives)
      Paint(Bmp::geji256, {20 * lives - 20, 278, 20 * lives, 300}, kLives + lives);
    Paint(Bmp::geji256, {640, 70, 695, 89}, kMarker + 1);
    Paint(Bmp::geji256, {640, 89, 695, 110}, kMarker + 2);
    for (int32_t d = 0; d <= 9; ++d) Paint(Bmp::geji256, {70 * d, 0, 70 * d + 70, 70}, kDigit + d);
    Paint(Bmp::geji256, {310, 200, 505, 270}, kWord);
    g().CameraX = 1000;
    g().CameraY = 100;
  }

  Game& g() { return *game; }

  void Paint(Bmp b, Rect r, int32_t colour) {
    Surface& s = g().display.sheets[static_cast<size_t>(b)];
    for (int32_t y = r.Top; y < r.Bottom; ++y)
      for (int32_t x = r.Left; x < r.Right; ++x) s.At(x, y) = static_cast<uint16_t>(colour);
  }
  void ClearWorld() {
    Surface& w = g().display.World();
    std::fill(w.px.begin(), w.px.end(), uint16_t{0});
  }
  // The world pixel at (dx, dy) from the camera.
  int32_t At(int32_t dx, int32_t dy) { return g().display.World().At(g().CameraX + dx, g().CameraY + dy); }

  std::unique_ptr<Game> game;
};

TEST(Hud, GaugesAboveFiveShowTheFullBarAndAreStoredBackAsFive) {
  HudRig rig;
  Game& g = rig.g();
  g.Kurara.HitGauge = 6;
  g.Kurara.HurtGauge = 9;
  g.Tavo.HitGauge = 3;
  g.Tavo.HurtGauge = 0;
  rig.ClearWorld();
  HudDraw(g);
  EXPECT_EQ(V({g.Kurara.HitGauge, g.Kurara.HurtGauge, g.Tavo.HitGauge, g.Tavo.HurtGauge}), V({5, 5, 3, 0}));
  // Each bar is sampled in its middle.
  EXPECT_EQ(rig.At(511 + 50, 31 + 15), kHitBar + 5);   // Kurara's hit gauge
  EXPECT_EQ(rig.At(412 + 50, 31 + 15), kHurtBar + 5);  // Kurara's hurt gauge
  EXPECT_EQ(rig.At(176 + 50, 31 + 15), kHitBar + 3);   // Tavo's hit gauge
  EXPECT_EQ(rig.At(77 + 50, 31 + 15), 0);              // an empty gauge shows no bar
}

TEST(Hud, TheLivesDigitShowsOnlyAPositiveCount) {
  const struct {
    int32_t lives, shown;
  } cases[] = {{3, kLives + 3}, {1, kLives + 1}, {0, 0}, {-1, 0}};
  for (const auto& c : cases) {
    HudRig rig;
    Game& g = rig.g();
    g.Kurara.Lives = g.Tavo.Lives = c.lives;
    rig.ClearWorld();
    HudDraw(g);
    EXPECT_EQ(rig.At(410 + 10, 10 + 11), c.shown) << "Kurara, lives " << c.lives;
    EXPECT_EQ(rig.At(73 + 10, 10 + 11), c.shown) << "Tavo, lives " << c.lives;
  }
}

TEST(Hud, TheFarStripWrapsInTwoPiecesPast640) {
  HudRig rig;
  Game& g = rig.g();
  // The far strip's 1280-pixel loop, each column numbered from 1.
  Surface& sheet = g.display.sheets[static_cast<size_t>(Bmp::haikei256)];
  for (int32_t x = 0; x < 1280; ++x)
    for (int32_t y = 0; y < 580; ++y) sheet.At(2560 + x, y) = static_cast<uint16_t>(x + 1);
  g.CameraY = 0;
  // CameraX 2100: FarScrollX 700, pieces of 580 and 60 columns; 1920: 640, still one piece.
  for (int32_t camera : {2100, 1920, 1500, 3838}) {
    g.CameraX = camera;
    rig.ClearWorld();
    StageBackdropDraw(g);
    const int32_t scroll = camera / 3 % 1280;
    EXPECT_EQ(g.hud.FarScrollX, scroll);
    for (int32_t x = 0; x < 640; ++x)
      ASSERT_EQ(g.display.World().At(camera + x, 300), (scroll + x) % 1280 + 1) << "camera " << camera << ", x " << x;
  }
}

TEST(Hud, TheMarkerShowsTheSteeredHeroAndBlinksThreeStepsInSixteen) {
  HudRig rig;
  Game& g = rig.g();
  g.settings.OnePlayerMode = 1;
  const auto frame = [&](int32_t x) {
    rig.ClearWorld();
    HudDraw(g);
    return rig.At(x + 20, 35) - kMarker;  // inside either frame
  };
  g.stage.ControlledHero = 1;
  g.stage.HeroSwitchMark = 0;
  V frames, marks;
  for (int i = 0; i < 17; ++i) {
    frames.push_back(frame(343));
    marks.push_back(g.stage.HeroSwitchMark);
  }
  EXPECT_EQ(marks, V({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1}));
  EXPECT_EQ(frames, V({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 1, 1}));
  EXPECT_EQ(rig.At(2 + 20, 35), 0);  // nothing over Tavo's half

  // Right after a switch to Tavo: the second frame for two steps, on his half.
  g.stage.ControlledHero = 0;
  g.stage.HeroSwitchMark = 13;
  EXPECT_EQ(V({frame(2), frame(2), frame(2)}), V({2, 2, 1}));

  // Two players: no marker, and the blink counter stands still.
  g.settings.OnePlayerMode = 2;
  g.stage.HeroSwitchMark = 5;
  EXPECT_EQ(frame(2), -kMarker);
  EXPECT_EQ(frame(343), -kMarker);
  EXPECT_EQ(g.stage.HeroSwitchMark, 5);
}

TEST(Hud, TheComboSlidesInCreepsAndEnds) {
  HudRig rig;
  Game& g = rig.g();
  HudState& s = g.hud;
  s.ComboShow = 1;
  s.ComboX = g.CameraX - 100;
  s.ComboY = g.CameraY + 80;
  s.ComboTens = 1;
  s.ComboOnes = 2;
  s.ComboTimer = 0;
  // A combo of 12: both digits and the word.
  rig.ClearWorld();
  const int32_t x = s.ComboX, y = s.ComboY;
  ComboDraw(g);
  const Surface& w = g.display.World();
  EXPECT_EQ(w.At(x - 35 + 35, y + 11), kDigit + 1);
  EXPECT_EQ(w.At(x + 5 + 35, y + 11), kDigit + 2);  // the rows above the word
  EXPECT_EQ(w.At(x + 100, y + 40), kWord);

  // With the camera at rest: 7 steps sliding in 15 at a time, 6 creeping 5 at a time, then it ends.
  V xs = {s.ComboX - g.CameraX};
  while (s.ComboShow == 1 && xs.size() < 40) {
    ComboDraw(g);
    xs.push_back(s.ComboX - g.CameraX);
  }
  EXPECT_EQ(xs, V({-85, -70, -55, -40, -25, -10, 5, 10, 15, 20, 25, 30, 35, 35}));
  EXPECT_EQ(V({s.ComboTimer, s.ComboTens, s.ComboOnes}), V({6, 1, 2}));  // the count is kept for the next one

  // While the camera scrolls along, the display keeps its place until its timer passes 30.
  s.ComboShow = 1;
  s.ComboX = g.CameraX;
  int steps = 0;
  while (s.ComboShow == 1 && steps < 100) {
    ComboDraw(g);
    g.CameraX += 5;
    ++steps;
  }
  EXPECT_EQ(steps, 25);  // from 6 to 31
  EXPECT_EQ(V({s.ComboTimer, s.ComboTens, s.ComboOnes}), V({0, 0, 0}));
}

TEST(Hud, ACountOfOneShowsNothingAndAHundredOrMoreShowsNineNine) {
  HudRig rig;
  Game& g = rig.g();
  Surface& w = g.display.World();
  for (int32_t count : {1, 99, 100, 123, 5000}) {
    Enemy e;
    e.HitCount = count;
    g.hud.ComboCount = count;
    ComboOnLanding(g, e, true);
    ASSERT_EQ(g.hud.ComboShow, 1);
    const int32_t x = g.hud.ComboX, y = g.hud.ComboY;
    rig.ClearWorld();
    ComboDraw(g);
    if (count == 1) {
      EXPECT_EQ(std::count(w.px.begin(), w.px.end(), uint16_t{0}), static_cast<long>(w.px.size()));
    } else {
      EXPECT_EQ(V({w.At(x, y + 11), w.At(x + 40, y + 11)}), V({kDigit + 9, kDigit + 9})) << count;
    }
  }
}

}  // namespace
}  // namespace kt
