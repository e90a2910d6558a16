#include "enemies/gek.hpp"

#include "loop/draw.hpp"
#include "loop/sound.hpp"
#include "loop/ticks.hpp"

namespace kt {

const HitNumbers kGekHits{
    .contactOffState = 9,
    .contactNeedsHealth = true,
    .contactNeedsNoSpark = false,
    .contactTop = -70,
    .contactBottom = 90,
    .contactBottomCrouch = 40,
    .contactLeft = -55,
    .contactRight = 60,
    .knockLine = 35,
    .strikesNeedUncarried = false,
    .bandAbove = 100,
    .firstHit = 5,
    .secondHit = 6,
    .spinLeftHero = 11,
    .spinRightHero = 13,
    .throwNeedsNoSpark = true,
    .throwBottom = 90,
    .throwRight = 60,
};

namespace {

// The walk cycle: HandAOffX, HandAOffY, HandBOffX, HandBOffY, FootAOffX, FootAOffY, FootBOffX, FootBOffY.
constexpr int32_t kWalk[8][16] = {
    {1, 8, 16, 24, 32, 40, 48, 57, 57, 48, 40, 32, 24, 16, 8, 1},
    {41, 42, 44, 48, 52, 48, 44, 42, 42, 44, 48, 52, 48, 44, 42, 41},
    {69, 56, 48, 40, 32, 24, 16, 1, 1, 16, 24, 32, 40, 48, 56, 69},
    {34, 38, 42, 48, 52, 48, 44, 38, 38, 44, 48, 52, 48, 42, 38, 34},
    {62, 62, 49, 41, 33, 20, 12, 5, 5, 12, 20, 33, 41, 49, 62, 62},
    {80, 80, 80, 80, 80, 80, 80, 80, 70, 68, 65, 64, 65, 68, 70, 75},
    {5, 12, 19, 26, 33, 40, 47, 54, 54, 47, 40, 33, 26, 19, 12, 5},
    {80, 75, 68, 65, 64, 65, 68, 75, 80, 80, 80, 80, 80, 80, 80, 75},
};

struct Start {
  int32_t x, y;
  bool stationary;
};
constexpr Start kStart10[] = {{2940, 390, false}, {3730, 370, false}, {1800, 150, true}, {4340, 290, true}};
constexpr Start kStart20[] = {
    {3630, 100, false}, {3790, 100, false}, {1780, 150, true}, {3700, 380, true}, {4340, 270, true}};
constexpr Start kStart30[] = {
    {800, 0, false},    {800, 150, false},  {800, 300, false},  {2570, 0, false},   {2570, 150, false},
    {2570, 300, false}, {3430, 280, false}, {3430, 360, false}, {3430, 390, false}, {3630, 280, false},
    {3630, 360, false}, {3630, 390, false}, {1520, 200, true},  {1790, 160, true},  {1820, 390, true},
    {3660, 0, true},    {3750, 390, true},  {3800, 150, true},  {3890, 200, true},  {4110, 280, true},
    {4160, 280, true},  {4350, 280, true},  {4400, 280, true},
};

constexpr Rect kHand{820, 0, 860, 40}, kFoot{820, 40, 860, 80}, kCover{820, 80, 858, 120}, kShot{820, 280, 860, 320};

EnemyTable& Table(Game& g) { return g.enemies.gek; }
int32_t Count(const Game& g) { return SlotsInPlay(g.stage.GekCount); }

// Any of the three cells under the feet is solid.
bool UnderFeet(const Game& g, const Enemy& e) {
  return CellSolid(g, e.X + 20, e.Y + 100) || CellSolid(g, e.X + 60, e.Y + 100) || CellSolid(g, e.X + 30, e.Y + 100);
}

void KnockLanding(Game& g, Enemy& e) {
  ComboOnLanding(g, e, true);
  if (e.Health <= 0) {
    e.State = 9;
    SoundPlay(g, Sfx::rakka);
  } else {
    e.State = 3;
    e.HomeX = e.X - 10;
  }
  e.HitCount = 0;
}

void SpinLanding(Game& g, Enemy& e) {
  ComboOnLanding(g, e, false);
  e.State = 9;
  SoundPlay(g, Sfx::rakka);
}

bool SpinLandingGround(const Game& g, const Enemy& e) {
  return e.Vy >= 0 && (CellSolid(g, e.X, e.Y + 100) || CellSolid(g, e.X + 80, e.Y + 100) ||
                       CellSolid(g, e.X + 20, e.Y + 100));
}

void Hit(Game& g, Enemy& e) {
  e.Sparking = 1;
  e.HitCount += 1;
  RaiseCombo(g, e);
}

void Handle(Game& g, Enemy& e) {
  switch (e.State) {
    case 1:  // throw
      e.Row = 180;
      e.ShotX = e.X;
      e.ShotY = e.Y;
      ApplyPose(e, 1);
      e.ShotVy = -15;
      e.Frame = 1;
      e.State = 2;
      SoundPlay(g, Sfx::Gkougeki);
      break;
    case 2:  // ball in flight
      if (e.ShotX < 0 || e.ShotY > 640) {
        e.HomeX = e.X;
        if (e.Stationary == 0) {
          e.State = 3;
        } else {
          e.State = 15;
          e.WaitTick = g.FrameTick;
        }
      }
      break;
    case 3:  // walking left
      e.Row = 0;
      if (e.X > e.HomeX - 30) {
        e.Frame -= 1;
        if (e.Frame < 1) e.Frame = 16;
        ApplyPose(e, e.Frame);
        e.X -= 1;
      } else {
        e.State = CellSolid(g, e.X - 20, e.Y + 99) || CellSolid(g, e.X - 20, e.Y) ? 4 : 1;
      }
      break;
    case 4:  // jump start
      e.Vy = -16;
      e.State = 10;
      break;
    case 5:  // hit, pushed right
      e.Row = 90;
      e.X += 1;
      e.Vy = -12;
      e.State = 7;
      e.HomeX = e.X;
      Hit(g, e);
      break;
    case 6:  // hit, pushed left
      e.Row = 90;
      e.X -= 1;
      e.Vy = -12;
      e.State = 8;
      Hit(g, e);
      break;
    case 7:  // knocked right: lands on the first solid cell
      e.X += 2;
      if (UnderFeet(g, e)) KnockLanding(g, e);
      break;
    case 8:  // knocked left: carries on until all three cells are solid
      e.X -= 2;
      if (CellSolid(g, e.X + 20, e.Y + 100) && CellSolid(g, e.X + 60, e.Y + 100) && CellSolid(g, e.X + 30, e.Y + 100))
        KnockLanding(g, e);
      break;
    case 10:  // jumping left
      e.X -= 2;
      if (UnderFeet(g, e)) e.State = 1;
      break;
    case 11:  // spun right to the edge of the view
      if (SpinSlide(g, e, true, -12, 12)) e.Row = 90;
      ApplyPose(e, 1);
      break;
    case 12:
      e.X -= 2;
      if (SpinLandingGround(g, e)) SpinLanding(g, e);
      break;
    case 13:  // spun left to the edge of the view
      if (SpinSlide(g, e, false, -12, 14)) e.Row = 90;
      ApplyPose(e, 1);
      break;
    case 14:
      e.X += 2;
      if (SpinLandingGround(g, e)) SpinLanding(g, e);
      break;
    case 15:  // a stationary gek waits 3000 ms between throws
      e.Row = 0;
      if (TimePassed(g.FrameTick, e.WaitTick, 3000)) e.State = 1;
      break;
    default: break;
  }
}

void BodyMotion(Game& g, Enemy& e) {
  if (e.State == 9) {  // falling out of the picture
    if (!DropOutOfView(g, e)) {
      e.Y += e.Vy;
      e.Vy += 1;
      e.FootAY += 10;
      e.FootBY += 10;
      e.HandAY += 10;
      e.HandBY = e.HandAY + 10;
    }
    return;
  }
  e.Y += e.Vy;
  if (UnderFeet(g, e)) {
    e.Vy = 0;
    e.Y = ((e.Y + 100) / kCellSize) * kCellSize - 100;
    if (e.Y > 480) e.Y = 480;
  } else {
    e.Vy += 1;
    ApplyPose(e, 1);
  }
}

void HitByHeroWithBall(Game& g, Enemy& e, Hero& h) {
  EnemyContact(e, h, kGekHits);
  // The ball knocks the hero away from the gek that threw it.
  if (h.Hurt == 0 && h.Carried == 0 && h.State != hero::Dead && h.X < e.ShotX + 15 && h.X > e.ShotX - 75 && h.Y > e.ShotY - 70 &&
      h.Y < (h.Crouching == 1 ? e.ShotY : e.ShotY + 15)) {
    h.State = e.X > h.X ? hero::StruckFromRight : hero::StruckFromLeft;
    h.Hurt = 1;
  }
  if (EnemyStrikes(g, e, h, kGekHits, Sfx::G_yarare) == Struck::Spin) {
    e.HitCount += 1;
    RaiseCombo(g, e);
  }
}

}  // namespace

void GekReset(Game& g) {
  EnemyTable& t = Table(g);
  for (int i = 1; i <= Count(g); ++i)
    for (size_t table = 0; table < 8; ++table)
      for (size_t f = 0; f < 16; ++f) t[static_cast<size_t>(i)].Pose[table][f + 1] = kWalk[table][f];
}

void GekPlace(Game& g) {
  EnemyTable& t = Table(g);
  const auto place = [&](const auto& starts) {
    int slot = 1;
    for (const Start& s : starts) {
      Enemy& e = t[static_cast<size_t>(slot++)];
      e.X = s.x;
      e.Y = s.y;
      if (s.stationary) e.Stationary = 1;
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
    e.Column = 0;
    e.Row = 0;
    ApplyPose(e, 1);
    e.Vy = 0;
    e.State = 1;
    e.Health = 5;
    e.ShotX = e.ShotY = e.ShotVy = 0;
    e.Sparking = 0;
    e.Gone = 0;
    e.HandRect = kHand;
    e.FootRect = kFoot;
    e.CoverRect = kCover;
    e.ShotRect = kShot;
  }
}

void GekHitByTavo(Game& g, int slot) { HitByHeroWithBall(g, Table(g)[static_cast<size_t>(slot)], g.Tavo); }
void GekHitByKurara(Game& g, int slot) { HitByHeroWithBall(g, Table(g)[static_cast<size_t>(slot)], g.Kurara); }
void GekHitByThrow(Game& g, int slot) { HitByThrow(g, Table(g)[static_cast<size_t>(slot)], kGekHits); }

void GekStep(Game& g) {
  EnemyTable& t = Table(g);
  for (int i = 1; i <= Count(g); ++i) {
    Enemy& e = t[static_cast<size_t>(i)];
    if (e.Gone != 1 && NearAHero(g, e)) {
      if (e.X < 0) e.Gone = 1;
      BodyMotion(g, e);
      e.ShotX -= 10;
      e.ShotY += e.ShotVy;
      e.ShotVy = e.ShotY >= 640 ? 0 : e.ShotVy + 1;
      ForTestedHeroes(g, [&](Hero& h) { HitByHeroWithBall(g, e, h); });
      GekHitByThrow(g, i);
      Handle(g, e);
      AdvanceSpark(e);
    }
    if (e.Y < 0) e.Y = 0;
  }
}

void GekDraw(Game& g) {
  EnemyTable& t = Table(g);
  for (int i = 1; i <= Count(g); ++i) {
    const Enemy& e = t[static_cast<size_t>(i)];
    if (e.Gone != 0 || !NearAHero(g, e)) continue;
    const auto piece = [&](const Rect& r, int32_t x, int32_t y) {
      g.BlitRect = r;
      Draw(g, Bmp::char256, x, y);
    };
    piece(e.HandRect, e.HandAX, e.HandAY + 2);
    piece(e.FootRect, e.FootAX, e.FootAY + 2);
    if (e.State == 2) {
      DrawPiece(g, Bmp::char256, 740 + e.Column, e.Row, 820 + e.Column, e.Row + 82, e.X + 27, e.Y + 2);
    } else {
      DrawPiece(g, Bmp::char256, 740 + e.Column, e.Row, 780 + e.Column, e.Row + 90, e.X + 27, e.Y + 2);
      piece(e.CoverRect, e.X + 34, e.Y + 38);
    }
    piece(e.HandRect, e.HandBX, e.HandBY + 2);
    piece(e.FootRect, e.FootBX, e.FootBY + 2);
    piece(e.ShotRect, e.ShotX, e.ShotY);
    if (e.Sparking == 1)
      DrawPiece(g, Bmp::char256, 920 + e.SparkOffX, 570 + e.SparkOffY, 970 + e.SparkOffX, 620 + e.SparkOffY, e.X + 6,
                e.Y + 50);
  }
}

}  // namespace kt
