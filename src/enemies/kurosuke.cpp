#include "enemies/kurosuke.hpp"

#include <utility>

#include "loop/draw.hpp"
#include "loop/sound.hpp"

namespace kt {

const HitNumbers kKurosukeHits{
    .contactOffState = 7,
    .contactNeedsHealth = true,
    .contactNeedsNoSpark = false,
    .contactTop = -70,
    .contactBottom = 60,
    .contactBottomCrouch = 20,
    .contactLeft = -60,
    .contactRight = 40,
    .knockLine = 20,
    .strikesNeedUncarried = false,
    .bandAbove = 60,
    .firstHit = 3,
    .secondHit = 4,
    .spinLeftHero = 8,
    .spinRightHero = 10,
    .throwNeedsNoSpark = true,
    .throwBottom = 60,
    .throwRight = 40,
};

namespace {

// The walk cycle of the feet: FootAOffX, FootAOffY, FootBOffX, FootBOffY.
constexpr int32_t kWalk[4][16] = {
    {2, 2, 10, 10, 23, 23, 33, 33, 47, 47, 33, 33, 23, 23, 10, 10},
    {70, 70, 70, 70, 70, 70, 70, 70, 66, 63, 60, 57, 60, 57, 63, 66},
    {54, 54, 47, 47, 30, 30, 15, 15, 2, 2, 15, 15, 30, 30, 47, 47},
    {66, 63, 60, 57, 60, 63, 66, 70, 70, 70, 70, 70, 70, 70, 70, 70},
};

struct Start {
  int32_t x, y;
  bool keep = false;  // the slot keeps the position it had
};
constexpr Start kStart10[] = {{720, 400},  {810, 400},  {900, 400},  {1450, 400}, {1850, 400},
                              {1750, 360}, {2520, 400}, {2610, 400}, {3250, 400}, {3480, 480},
                              {3580, 280}, {3980, 400}, {4100, 400}, {4220, 400}};
constexpr Start kStart20[] = {{720, 400},  {810, 400},  {900, 400},  {1300, 400}, {1400, 400},
                              {1780, 360}, {3350, 280}, {3420, 400}, {3450, 280}, {3520, 480},
                              {3550, 280}, {3320, 400}, {3600, 370}, {3500, 480}, {3700, 370}};
constexpr Start kStart30[] = {{730, 400},  {790, 400},  {1690, 400}, {1790, 400}, {2290, 400},
                              {0, 0, true}, {3350, 400}, {3420, 480}, {3450, 280}, {3520, 480},
                              {3550, 280}, {3700, 480}};

constexpr Rect kFoot{1240, 540, 1260, 560};

EnemyTable& Table(Game& g) { return g.enemies.kurosuke; }
int32_t Count(const Game& g) { return SlotsInPlay(g.stage.KurosukeCount); }

// Walking into a wall: the cell ahead at the height of the feet.
bool WallLeft(const Game& g, const Enemy& e) { return CellSolid(g, e.X + 5, e.Y + 79); }
bool WallRight(const Game& g, const Enemy& e) { return CellSolid(g, e.X + 80, e.Y + 79); }

// The end of a flight: falling again, over at least one solid cell.
bool Landed(const Game& g, const Enemy& e) {
  return e.Vy >= 0 && (CellSolid(g, e.X, e.Y + 80) || CellSolid(g, e.X + 80, e.Y + 80) ||
                       CellSolid(g, e.X + 20, e.Y + 80));
}

// After a knock it walks on the way it came, or falls out with no hit points left.
void KnockLanding(Game& g, Enemy& e, bool capped, int32_t walkState) {
  ComboOnLanding(g, e, capped);
  if (e.Health > 0) {
    e.State = walkState;
  } else {
    e.State = 7;
    SoundPlay(g, Sfx::rakka);
  }
  e.HitCount = 0;
}

void SpinLanding(Game& g, Enemy& e, bool capped) {
  ComboOnLanding(g, e, capped);
  e.State = 7;
  SoundPlay(g, Sfx::rakka);
}

// A punch, the burst or a thrown hero: up and away, with a spark.
void Knocked(Game& g, Enemy& e, int32_t push, int32_t vy, int32_t flight, int32_t column) {
  e.X += push;
  e.Vy = vy;
  e.State = flight;
  e.Row = 60;
  e.Column = column;
  e.Sparking = 1;
  e.HitCount += 1;
  RaiseCombo(g, e);
  ApplyPose(e, 1);
}

void Handle(Game& g, Enemy& e) {
  switch (e.State) {
    case 1:  // walking left
      e.Column = 60;
      e.Row = 0;
      SoundPlay(g, Sfx::K_aruki);
      e.Frame += 1;
      if (e.Frame > 16) e.Frame = 1;
      ApplyPose(e, e.Frame);
      e.X -= 1;
      if (WallLeft(g, e)) e.State = 2;
      if (e.Health < 0) e.State = 7;
      break;
    case 2:  // walking right
      e.Column = 0;
      e.Row = 0;
      e.Frame -= 1;
      if (e.Frame == 4 || e.Frame == 8 || e.Frame == 12 || e.Frame == 16) SoundPlay(g, Sfx::K_aruki);
      if (e.Frame < 1) e.Frame = 16;
      ApplyPose(e, e.Frame);
      e.X += 1;
      if (WallRight(g, e)) e.State = 1;
      if (e.Health < 0) e.State = 7;
      break;
    case 3: Knocked(g, e, 2, -15, 5, 60); break;   // hit from the left: a high flight right
    case 4: Knocked(g, e, -2, -10, 6, 0); break;   // hit from the right: a lower flight left
    case 5:  // knocked right
      e.X += 2;
      if (Landed(g, e)) KnockLanding(g, e, false, 1);
      ApplyPose(e, 1);
      break;
    case 6:  // knocked left
      e.X -= 2;
      if (Landed(g, e)) KnockLanding(g, e, true, 2);
      ApplyPose(e, 1);
      break;
    case 8:  // spun right to the edge of the view
      if (SpinSlide(g, e, true, -15, 9)) {
        e.Row = 60;
        e.Column = 60;
      }
      ApplyPose(e, 1);
      break;
    case 9:  // back from the right edge
      e.X -= 2;
      if (Landed(g, e)) SpinLanding(g, e, true);
      ApplyPose(e, 1);
      break;
    case 10:  // spun left to the edge of the view
      if (SpinSlide(g, e, false, -15, 11)) {
        e.Row = 60;
        e.Column = 0;
      }
      ApplyPose(e, 1);
      break;
    case 11:  // back from the left edge
      e.X += 2;
      if (Landed(g, e)) SpinLanding(g, e, false);
      ApplyPose(e, 1);
      break;
    default: break;  // 7: falling out, moved by the body motion
  }
}

void BodyMotion(const Game& g, Enemy& e) {
  if (e.State == 7) {  // falling out of the picture
    if (!DropOutOfView(g, e)) {
      e.Vy += 1;
      e.Y += e.Vy;
      e.FootAY += 10;
      e.FootBY += 10;
    }
    return;
  }
  e.Y += e.Vy;
  e.Vy += 1;
  if (e.Vy < 0) return;  // still rising
  if (CellSolid(g, e.X, e.Y + 80) || CellSolid(g, e.X + 60, e.Y + 80) || CellSolid(g, e.X + 20, e.Y + 80)) {
    e.Vy = 0;
    e.Y = ((e.Y + 80) / kCellSize) * kCellSize - 80;
    if (e.Y > 500) e.Y = 500;
  } else {
    ApplyPose(e, 1);
  }
}

void HeroTests(Game& g, Enemy& e, Hero& h) {
  if (HitByHero(g, e, h, kKurosukeHits, Sfx::K_yarare) == Struck::Spin) {
    e.HitCount += 1;
    RaiseCombo(g, e);
  }
}

}  // namespace

void KurosukeReset(Game& g) {
  using namespace pose_table;
  EnemyTable& t = Table(g);
  for (int i = 1; i <= Count(g); ++i) {
    Enemy& e = t[static_cast<size_t>(i)];
    for (size_t f = 0; f < 16; ++f) {
      e.Pose[FootAOffX][f + 1] = kWalk[0][f];
      e.Pose[FootAOffY][f + 1] = kWalk[1][f];
      e.Pose[FootBOffX][f + 1] = kWalk[2][f];
      e.Pose[FootBOffY][f + 1] = kWalk[3][f];
    }
  }
}

void KurosukePlace(Game& g) {
  EnemyTable& t = Table(g);
  const auto place = [&](const auto& starts) {
    size_t slot = 1;
    for (const Start& s : starts) {
      Enemy& e = t[slot++];
      if (s.keep) continue;
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
  for (int i = 1; i <= Count(g); ++i) {
    Enemy& e = t[static_cast<size_t>(i)];
    ApplyPose(e, 1);
    e.Column = 60;
    e.Health = 3;
    e.State = 1;
    e.Vy = 0;
    e.Gone = 0;
    e.Sparking = 0;
    e.HandRect = kFoot;
  }
}

void KurosukeHitByTavo(Game& g, int slot) { HeroTests(g, Table(g)[static_cast<size_t>(slot)], g.Tavo); }
void KurosukeHitByKurara(Game& g, int slot) { HeroTests(g, Table(g)[static_cast<size_t>(slot)], g.Kurara); }
void KurosukeHitByThrow(Game& g, int slot) { HitByThrow(g, Table(g)[static_cast<size_t>(slot)], kKurosukeHits); }

void KurosukeStep(Game& g) {
  EnemyTable& t = Table(g);
  for (int i = 1; i <= Count(g); ++i) {
    Enemy& e = t[static_cast<size_t>(i)];
    if (e.Gone != 1 && NearAHero(g, e)) {
      BodyMotion(g, e);
      ForTestedHeroes(g, [&](Hero& h) { HeroTests(g, e, h); });
      KurosukeHitByThrow(g, i);
      Handle(g, e);
      AdvanceSpark(e);
    }
    // At the left end of the world it turns round, whatever it was doing.
    if (e.X < 1) e.State = 2;
    if (e.Y < 1) e.Y = 1;
  }
}

void KurosukeDraw(Game& g) {
  EnemyTable& t = Table(g);
  for (int i = 1; i <= Count(g); ++i) {
    const Enemy& e = t[static_cast<size_t>(i)];
    if (e.Gone != 0 || !NearAHero(g, e)) continue;
    DrawPiece(g, Bmp::char256, 1240 + e.Column, 420 + e.Row, 1300 + e.Column, 480 + e.Row, e.X + 6, e.Y);
    for (const auto& [x, y] : {std::pair{e.FootAX, e.FootAY}, std::pair{e.FootBX, e.FootBY}}) {
      g.BlitRect = e.HandRect;
      Draw(g, Bmp::char256, x, y);
    }
    if (e.Sparking == 1)
      DrawPiece(g, Bmp::char256, 920 + e.SparkOffX, 570 + e.SparkOffY, 968 + e.SparkOffX, 620 + e.SparkOffY, e.X + 6,
                e.Y + 30);
  }
}

}  // namespace kt
