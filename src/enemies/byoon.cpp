#include "enemies/byoon.hpp"

#include "enemies/mogeta.hpp"
#include "loop/draw.hpp"
#include "loop/sound.hpp"

namespace kt {

namespace {

// The flap cycle, frames 1..12: the wings' heights and the body's bob.
constexpr int32_t kWingA[12] = {26, 28, 30, 34, 37, 35, 29, 24, 20, 23, 29, 26};
constexpr int32_t kWingB[12] = {35, 38, 40, 42, 42, 42, 39, 36, 33, 36, 40, 35};
constexpr int32_t kBob[12] = {0, 1, 4, 8, 18, 7, 1, -6, -9, -6, 1, 0};

constexpr Rect kWing{0, 120, 30, 130}, kFoot{40, 120, 70, 135}, kWingHitFromLeft{0, 140, 30, 155},
    kWingHitFromRight{40, 140, 70, 155};

EnemyTable& Table(Game& g) { return g.enemies.byoon; }
int32_t Count(const Game& g) { return SlotsInPlay(g.stage.ByoonCount); }
Enemy& Slot(Game& g, int slot) { return Table(g)[static_cast<size_t>(slot)]; }

// The byoon faces and leaps toward the steered hero: Kurara when she is
// steered, Tavo otherwise (in two-player mode too).
const Hero& Target(const Game& g) { return g.stage.ControlledHero == 1 ? g.Kurara : g.Tavo; }

void PlaceFeet(Enemy& e) {
  e.FootAX = e.X + 41;
  e.FootAY = e.Y + 55;
  e.FootBX = e.X + 3;
  e.FootBY = e.Y + 55;
}

void Flap(Enemy& e, int32_t f) {
  using namespace pose_table;
  const auto at = static_cast<size_t>(f);
  e.HandAY = e.Y + e.Pose[HandAOffY][at];
  e.HandBY = e.Y + e.Pose[HandBOffY][at];
  e.BodyY = e.Y + e.Bob[at];
}

void PoseOne(Enemy& e) {
  e.BodyX = e.X;
  e.BodyY = e.Y + e.Bob[1];
  e.HandAX = e.HandBX = e.X + 20;
  e.HandAY = e.Y + 26;
  e.HandBY = e.Y + 35;
  PlaceFeet(e);
}

void NextFlap(Enemy& e) {
  e.Frame += 1;
  if (e.Frame > 12) e.Frame = 1;
  Flap(e, e.Frame);
}

bool ThreeCells(const Game& g, const Enemy& e, int32_t feet, bool all) {
  const bool a = CellSolid(g, e.X, e.Y + feet), b = CellSolid(g, e.X + 60, e.Y + feet),
             c = CellSolid(g, e.X + 20, e.Y + feet);
  return all ? a && b && c : a || b || c;
}

// A knocked byoon looks for ground 25 pixels below its feet, a flying one at its feet.
bool KnockLanded(const Game& g, const Enemy& e) {
  return e.Vy >= 0 &&
         (CellSolid(g, e.X + 20, e.Y + 80) || CellSolid(g, e.X + 80, e.Y + 80) || CellSolid(g, e.X, e.Y + 80));
}
bool FlightLanded(const Game& g, const Enemy& e) {
  return e.Vy >= 0 &&
         (CellSolid(g, e.X + 20, e.Y + 55) || CellSolid(g, e.X + 80, e.Y + 55) || CellSolid(g, e.X, e.Y + 55));
}

int32_t RollHundred(Game& g) { return Round(Rnd(g) * 100); }

void LeapSetUp(Game& g, Enemy& e, int32_t vy) {
  e.Vy = vy;
  e.State = 2;
  e.LeapRoll = RollHundred(g);
  e.LeapLeft = Target(g).X < e.X ? 1 : 0;
}

void Hit(Game& g, Enemy& e) {
  e.Sparking = 1;
  e.HitCount += 1;
  RaiseCombo(g, e);
}

// Counts of 100 and more show as 99 after every landing (the display has no
// third digit).
void KnockLanding(Game& g, Enemy& e, int32_t goOn) {
  ComboOnLanding(g, e, true);
  if (e.Health < 1) {
    e.State = 7;
    SoundPlay(g, Sfx::rakka);
  } else {
    e.State = goOn;
  }
  e.HitCount = 0;
}

void FlightLanding(Game& g, Enemy& e) {
  ComboOnLanding(g, e, true);
  e.State = 7;
  SoundPlay(g, Sfx::rakka);
}

void Handle(Game& g, Enemy& e) {
  switch (e.State) {
    case 1: {  // resting on the ground
      NextFlap(e);
      PlaceFeet(e);
      if (e.Health < 0) e.State = 7;
      if (e.GroundCount > 70) {
        const int32_t r = RollHundred(g);
        e.LeapRoll = r;
        e.GroundCount = 0;
        e.State = r < 30 ? 12 : r >= 60 ? 14 : 13;
      }
      break;
    }
    case 2:  // leaping; down once all three cells under its feet are solid
      if (ThreeCells(g, e, 55, true)) e.State = 1;
      PoseOne(e);
      NextFlap(e);
      if (e.LeapRoll > 30) e.X += e.LeapLeft == 1 ? -4 : 4;
      break;
    case 3:  // hit from the left
      e.X += 2;
      e.Vy = -15;
      e.State = 5;
      e.Vx = 0;
      Hit(g, e);
      PoseOne(e);
      break;
    case 4:  // hit from the right
      e.X -= 2;
      e.Vy = -15;
      e.State = 6;
      Hit(g, e);
      PoseOne(e);
      break;
    case 5:  // knocked right
      e.Row = 90;
      e.Column = 0;
      e.X += 2;
      if (KnockLanded(g, e)) KnockLanding(g, e, 1);
      PoseOne(e);
      break;
    case 6:  // knocked left; lands into its last leap
      e.Column = 70;
      e.Row = 90;
      e.X -= 2;
      if (KnockLanded(g, e)) KnockLanding(g, e, 2);
      PoseOne(e);
      break;
    case 8:  // spun right to the edge of the view
      if (SpinSlide(g, e, true, -15, 9)) {
        e.Row = 90;
        e.Column = 0;
      }
      PoseOne(e);
      break;
    case 9:  // back from the right edge
      e.X -= 2;
      if (FlightLanded(g, e)) FlightLanding(g, e);
      PoseOne(e);
      break;
    case 10:  // spun left to the edge of the view
      if (SpinSlide(g, e, false, -15, 11)) {
        e.Row = 90;
        e.Column = 70;
      }
      PoseOne(e);
      break;
    case 11:  // back from the left edge
      e.X += 2;
      if (FlightLanded(g, e)) FlightLanding(g, e);
      PoseOne(e);
      break;
    case 12: LeapSetUp(g, e, -30); break;  // high leap
    case 13: LeapSetUp(g, e, -20); break;  // middle leap
    case 14: LeapSetUp(g, e, -15); break;  // low leap
    default: break;  // 7: the dying fall moves it
  }
}

void BodyMotion(Game& g, Enemy& e) {
  if (e.State == 7) {  // the dying fall, out of the picture
    if (e.Y < g.CameraY + 580) {
      e.Vy += 1;
      e.Y += e.Vy;
      PoseOne(e);
    } else {
      e.Vy = 0;
      e.Gone = 1;
      e.Y = g.CameraY + 580;
    }
    return;
  }
  e.Y += e.Vy;
  e.Vy += 1;
  if (e.Vy < 0) return;
  if (CellSolid(g, e.X, e.Y + 55) || CellSolid(g, e.X + 60, e.Y + 55) || CellSolid(g, e.X + 20, e.Y + 55)) {
    e.Vy = 0;
    e.Y = ((e.Y + 55) / kCellSize) * kCellSize - 55;
    e.GroundCount += 1;
  } else {
    PoseOne(e);
  }
}

void TestHero(Game& g, Enemy& e, Hero& h) {
  if (HitByHero(g, e, h, kMogetaHits, Sfx::K_yarare) == Struck::Spin) {
    e.HitCount += 1;
    RaiseCombo(g, e);
  }
}

}  // namespace

void ByoonReset(Game& g) {
  using namespace pose_table;
  for (int i = 1; i <= Count(g); ++i) {
    Enemy& e = Slot(g, i);
    for (size_t f = 0; f < 12; ++f) {
      e.Pose[HandAOffY][f + 1] = kWingA[f];
      e.Pose[HandBOffY][f + 1] = kWingB[f];
      e.Bob[f + 1] = kBob[f];
    }
  }
}

void ByoonPlace(Game& g) {
  PlaceAtMogetaStarts(g, Table(g));
  for (int i = 1; i <= Count(g); ++i) {
    Enemy& e = Slot(g, i);
    // Wings and feet start on the body, not wherever an earlier game left them.
    PoseOne(e);
    e.BodyX = e.X;
    e.BodyY = e.Y;
    e.Column = 140;
    e.Row = 0;
    e.Health = 3;
    e.State = 1;
    e.Vy = 0;
    e.Gone = 0;
    e.Sparking = 0;
    e.GroundCount = 0;
    e.HandRect = kWing;
    e.FootRect = kFoot;
    e.CoverRect = kWingHitFromLeft;
    e.ShotRect = kWingHitFromRight;
  }
}

void ByoonHitByTavo(Game& g, int slot) { TestHero(g, Slot(g, slot), g.Tavo); }
void ByoonHitByKurara(Game& g, int slot) { TestHero(g, Slot(g, slot), g.Kurara); }
void ByoonHitByThrow(Game& g, int slot) { HitByThrow(g, Slot(g, slot), kMogetaHits); }

void ByoonStep(Game& g) {
  for (int i = 1; i <= Count(g); ++i) {
    Enemy& e = Slot(g, i);
    if (e.Gone == 0 && NearAHero(g, e, 1200)) {
      BodyMotion(g, e);
      ForTestedHeroes(g, [&](Hero& h) { TestHero(g, e, h); });
      ByoonHitByThrow(g, i);
      e.Column = Target(g).X < e.X ? 0 : 70;
      e.Row = 0;
      Handle(g, e);
      AdvanceSpark(e);
    }
    // Pushed past the left end of the world, it is put back, leaping.
    if (e.X < 1) {
      e.X = 1;
      e.State = 2;
    }
    if (e.Y < 1) e.Y = 1;
    if (e.BodyX < 1) e.BodyX = 1;
  }
}

void ByoonDraw(Game& g) {
  for (int i = 1; i <= Count(g); ++i) {
    const Enemy& e = Slot(g, i);
    if (e.Gone != 0 || !NearAHero(g, e)) continue;
    const auto piece = [&](const Rect& r, int32_t x, int32_t y) {
      g.BlitRect = r;
      Draw(g, Bmp::teki, x, y);
    };
    DrawPiece(g, Bmp::teki, e.Column, e.Row, e.Column + 70, e.Row + 30, e.BodyX, e.BodyY);
    piece(e.FootRect, e.FootAX, e.FootAY);
    piece(e.FootRect, e.FootBX, e.FootBY);
    // While the spark shows, the first wing takes the look of the hit; a spun
    // byoon shows none.
    if (e.Sparking == 0) {
      piece(e.HandRect, e.HandAX, e.HandAY);
    } else if (e.State == 5) {
      piece(e.CoverRect, e.HandAX, e.HandAY);
    } else if (e.State == 6) {
      piece(e.ShotRect, e.HandAX, e.HandAY);
    }
    piece(e.HandRect, e.HandBX, e.HandBY);
    if (e.Sparking == 1)
      DrawPiece(g, Bmp::teki, 920 + e.SparkOffX, 570 + e.SparkOffY, 968 + e.SparkOffX, 620 + e.SparkOffY, e.X + 6,
                e.Y + 15);
  }
}

}  // namespace kt
