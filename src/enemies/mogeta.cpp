#include "enemies/mogeta.hpp"

#include "enemies/kurosuke.hpp"
#include "loop/draw.hpp"
#include "loop/sound.hpp"

namespace kt {

// The mogeta (and the byoon) meets the heroes with the kurosuke's numbers.
const HitNumbers& kMogetaHits = kKurosukeHits;

namespace {

struct Start {
  int32_t x, y;
};
constexpr Start kStart10[] = {{720, 400}, {810, 400}, {900, 400}, {1450, 400}, {1850, 400}};
constexpr Start kStart20[] = {{720, 400}, {810, 400}, {900, 400}, {1300, 400}, {1400, 400}};
constexpr Start kStart30[] = {{730, 400}, {790, 400}, {1690, 400}, {1790, 400}, {2290, 400}};

// The walk cycle: HandAOffX, HandAOffY, HandBOffX, HandBOffY, FootAOffX, FootAOffY, FootBOffX, FootBOffY.
constexpr int32_t kWalk[8][16] = {
    {18, 19, 15, 20, 21, 24, 33, 33, 47, 47, 33, 33, 23, 23, 10, 10},
    {22, 25, 26, 22, 22, 23, 70, 70, 66, 63, 60, 57, 60, 57, 63, 66},
    {-2, -2, -3, 1, -4, -4, 15, 15, 2, 2, 15, 15, 30, 30, 47, 47},
    {26, 25, 26, 29, 25, 26, 66, 70, 70, 70, 70, 70, 70, 70, 70, 70},
    {21, 21, 20, 13, 18, 19, 33, 33, 47, 47, 33, 33, 23, 23, 10, 10},
    {40, 39, 40, 40, 40, 40, 70, 70, 66, 63, 60, 57, 60, 57, 63, 66},
    {-11, -12, -16, -7, -8, -9, 15, 15, 2, 2, 15, 15, 30, 30, 47, 47},
    {40, 41, 40, 41, 40, 41, 66, 70, 70, 70, 70, 70, 70, 70, 70, 70},
};
// The body bobs by 4 pixels on every other frame.
constexpr int32_t kBob[6] = {0, 4, 0, 4, 0, 4};

constexpr Rect kHand{170, 80, 190, 100}, kFoot{190, 80, 210, 100}, kCover{140, 80, 162, 91};

EnemyTable& Table(Game& g) { return g.enemies.mogeta; }
int32_t Count(const Game& g) { return SlotsInPlay(g.stage.MogetaCount); }
Enemy& Slot(Game& g, int slot) { return Table(g)[static_cast<size_t>(slot)]; }

void Pose(Enemy& e, int32_t f) {
  ApplyPose(e, f);
  e.BodyY = e.Y + e.Bob[static_cast<size_t>(f)];
}

// Facing left the body sits 6 pixels right of X, facing right 4 pixels left.
void PoseFacingLeft(Enemy& e) {
  e.BodyX = e.X + 6;
  Pose(e, 1);
}
void PoseFacingRight(Enemy& e) {
  e.BodyX = e.X - 4;
  Pose(e, 1);
}

bool GroundAt(const Game& g, const Enemy& e, int32_t feet) {
  return CellSolid(g, e.X + 20, e.Y + feet) || CellSolid(g, e.X + 80, e.Y + feet) || CellSolid(g, e.X, e.Y + feet);
}
// A knocked mogeta looks for ground 25 pixels below its feet, a flying one at its feet.
bool KnockLanded(const Game& g, const Enemy& e) { return e.Vy >= 0 && GroundAt(g, e, 80); }
bool FlightLanded(const Game& g, const Enemy& e) { return e.Vy >= 0 && GroundAt(g, e, 55); }

void Hit(Game& g, Enemy& e) {
  e.Sparking = 1;
  e.HitCount += 1;
  RaiseCombo(g, e);
}

// Counts of 100 and more show as 99 after every landing (the display has no
// third digit).
void KnockLanding(Game& g, Enemy& e, int32_t walkOn) {
  ComboOnLanding(g, e, true);
  if (e.Health < 1) {
    e.State = 7;
    SoundPlay(g, Sfx::rakka);
  } else {
    e.State = walkOn;
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
    case 1:  // walking left, speeding up toward -15 once per walk cycle
      e.Column = 140;
      e.Row = 0;
      SoundPlay(g, Sfx::K_aruki);
      if (e.Vx > -15 && e.Frame / 2 == 0) {
        e.Vx -= 1;
        if (e.Vx > 0) e.Vx -= 2;
      }
      e.X += e.Vx;
      e.Frame += 1;
      if (e.Frame > 6) e.Frame = 1;
      e.BodyX = e.X + 6;
      Pose(e, e.Frame);
      if (CellSolid(g, e.X + 5, e.Y + 54)) e.State = 2;
      if (e.Health < 0) e.State = 7;
      if (e.X < g.CameraX + 150) e.State = 2;
      break;
    case 2:  // walking right, speeding up toward 15 once per walk cycle
      e.Column = 180;
      e.Row = 0;
      e.Frame -= 1;
      if (e.Frame < 1) e.Frame = 6;
      e.BodyX = e.X - 4;
      Pose(e, e.Frame);
      if (e.Vx < 15 && e.Frame / 2 == 0) {
        e.Vx += 1;
        if (e.Vx < 0) e.Vx += 2;
      }
      e.X += e.Vx;
      if (CellSolid(g, e.X + 80, e.Y + 54)) e.State = 1;
      if (e.Health < 0) e.State = 7;
      if (e.X > g.CameraX + 400) e.State = 1;
      break;
    case 3:  // hit from the left
      e.X += 2;
      e.Vy = -15;
      e.State = 5;
      e.Row = 40;
      e.Column = 140;
      e.Vx = 0;
      Hit(g, e);
      PoseFacingLeft(e);
      break;
    case 4:  // hit from the right; keeps its speed
      e.X -= 2;
      e.Vy = -15;
      e.State = 6;
      e.Column = 180;
      e.Row = 40;
      Hit(g, e);
      PoseFacingRight(e);
      break;
    case 5:  // knocked right
      e.X += 2;
      if (KnockLanded(g, e)) KnockLanding(g, e, 1);
      PoseFacingLeft(e);
      break;
    case 6:  // knocked left
      e.X -= 2;
      if (KnockLanded(g, e)) KnockLanding(g, e, 2);
      PoseFacingRight(e);
      break;
    case 8:  // spun right to the edge of the view
      if (SpinSlide(g, e, true, -15, 9)) {
        e.Row = 40;
        e.Column = 140;
      }
      PoseFacingLeft(e);
      break;
    case 9:  // back from the right edge
      e.X -= 2;
      if (FlightLanded(g, e)) FlightLanding(g, e);
      PoseFacingRight(e);
      break;
    case 10:  // spun left to the edge of the view
      if (SpinSlide(g, e, false, -15, 11)) {
        e.Row = 40;
        e.Column = 180;
      }
      PoseFacingLeft(e);
      break;
    case 11:  // back from the left edge
      e.X += 2;
      if (FlightLanded(g, e)) FlightLanding(g, e);
      PoseFacingRight(e);
      break;
    default: break;  // 7: the dying fall moves it
  }
}

void BodyMotion(Game& g, Enemy& e) {
  if (e.State == 7) {  // the dying fall, out of the picture
    if (e.Y < g.CameraY + 580) {
      e.Vy += 1;
      e.Y += e.Vy;
      PoseFacingLeft(e);
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
  if (CellSolid(g, e.X + 60, e.Y + 55) || CellSolid(g, e.X, e.Y + 55) || CellSolid(g, e.X + 20, e.Y + 55)) {
    e.Vy = 0;
    e.Y = ((e.Y + 55) / kCellSize) * kCellSize - 55;
    if (e.Y > 525) e.Y = 525;
  } else {
    PoseFacingLeft(e);
  }
}

void TestHero(Game& g, Enemy& e, Hero& h) {
  if (HitByHero(g, e, h, kMogetaHits, Sfx::K_yarare) == Struck::Spin) {
    e.HitCount += 1;
    RaiseCombo(g, e);
  }
}

}  // namespace

void PlaceAtMogetaStarts(const Game& g, EnemyTable& table) {
  const auto place = [&](const auto& starts) {
    int slot = 1;
    for (const Start& s : starts) {
      Enemy& e = table[static_cast<size_t>(slot++)];
      e.X = s.x;
      e.Y = s.y;
    }
  };
  switch (g.settings.EnemyAmount) {
    case 10: place(kStart10); break;
    case 20: place(kStart20); break;
    case 30: place(kStart30); break;
    default: break;
  }
}

void MogetaReset(Game& g) {
  for (int i = 1; i <= Count(g); ++i) {
    Enemy& e = Slot(g, i);
    for (size_t table = 0; table < 8; ++table)
      for (size_t f = 0; f < 16; ++f) e.Pose[table][f + 1] = kWalk[table][f];
    for (size_t f = 0; f < 6; ++f) e.Bob[f + 1] = kBob[f];
  }
}

void MogetaPlace(Game& g) {
  PlaceAtMogetaStarts(g, Table(g));
  for (int i = 1; i <= Count(g); ++i) {
    Enemy& e = Slot(g, i);
    e.HandAX = e.X + 18;
    e.HandAY = e.Y + 22;
    e.HandBX = e.X - 5;
    e.HandBY = e.Y + 25;
    e.FootAX = e.X + 21;
    e.FootAY = e.Y + 37;
    e.FootBX = e.X - 12;
    e.FootBY = e.Y + 39;
    e.BodyX = e.X;
    e.BodyY = e.Y;
    e.Column = 140;
    e.Row = 0;
    e.Health = 3;
    e.State = 1;
    e.Vy = 0;
    e.Gone = 0;
    e.Sparking = 0;
    e.HandRect = kHand;
    e.FootRect = kFoot;
    e.CoverRect = kCover;
  }
}

void MogetaHitByTavo(Game& g, int slot) { TestHero(g, Slot(g, slot), g.Tavo); }
void MogetaHitByKurara(Game& g, int slot) { TestHero(g, Slot(g, slot), g.Kurara); }
void MogetaHitByThrow(Game& g, int slot) { HitByThrow(g, Slot(g, slot), kMogetaHits); }

void MogetaStep(Game& g) {
  for (int i = 1; i <= Count(g); ++i) {
    Enemy& e = Slot(g, i);
    if (e.Gone == 0 && NearAHero(g, e, 1200)) {
      BodyMotion(g, e);
      ForTestedHeroes(g, [&](Hero& h) { TestHero(g, e, h); });
      MogetaHitByThrow(g, i);
      Handle(g, e);
      AdvanceSpark(e);
    }
    // Pushed past the left end of the world, it is put back and turned right.
    if (e.X < 1) {
      e.X = 1;
      e.State = 2;
    }
    if (e.Y < 1) e.Y = 1;
    if (e.BodyX < 1) e.BodyX = 1;
  }
}

void MogetaDraw(Game& g) {
  for (int i = 1; i <= Count(g); ++i) {
    const Enemy& e = Slot(g, i);
    if (e.Gone != 0 || !NearAHero(g, e)) continue;
    const auto piece = [&](const Rect& r, int32_t x, int32_t y) {
      g.BlitRect = r;
      Draw(g, Bmp::teki, x, y);
    };
    DrawPiece(g, Bmp::teki, e.Column, e.Row, e.Column + 40, e.Row + 40, e.BodyX, e.BodyY);
    piece(e.CoverRect, e.FootAX, e.FootAY);
    piece(e.CoverRect, e.FootBX, e.FootBY);
    piece(e.FootRect, e.HandAX, e.HandAY);
    piece(e.HandRect, e.HandBX, e.HandBY);
    if (e.Sparking == 1)
      DrawPiece(g, Bmp::teki, 920 + e.SparkOffX, 570 + e.SparkOffY, 968 + e.SparkOffX, 620 + e.SparkOffY, e.X + 6,
                e.Y + 15);
  }
}

}  // namespace kt
