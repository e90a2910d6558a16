#include "enemies/sikaky.hpp"

#include "enemies/kurosuke.hpp"
#include "loop/draw.hpp"
#include "loop/sound.hpp"

namespace kt {

// The sikaky meets the heroes with the kurosuke's numbers.
const HitNumbers& kSikakyHits = kKurosukeHits;

namespace {

struct Start {
  int32_t x, y;
};
constexpr Start kStart10[] = {{2430, 400}, {2620, 400}};
constexpr Start kStart20[] = {{2500, 300}, {2700, 400}, {4010, 400}, {4390, 400}, {4540, 400}};
constexpr Start kStart30[] = {{1120, 300}, {1370, 400}, {1920, 400}, {4100, 400},
                              {4000, 400}, {4300, 400}, {4500, 400}};

constexpr Rect kTop{1120, 270, 1160, 290}, kFoot{1100, 310, 1120, 325}, kSpot{1080, 310, 1095, 325},
    kDot{1120, 310, 1130, 320}, kBall{560, 430, 600, 468};

// The ball flag lives in the gek's ball-speed slot.
int32_t& BallOut(Enemy& e) { return e.ShotVy; }
int32_t BallOut(const Enemy& e) { return e.ShotVy; }

EnemyTable& Table(Game& g) { return g.enemies.sikaky; }
int32_t Count(const Game& g) { return SlotsInPlay(g.stage.SikakyCount); }

// A knocked or spun sikaky is down once it falls onto a solid cell.
bool Landed(const Game& g, const Enemy& e) {
  return e.Vy >= 0 &&
         (CellSolid(g, e.X, e.Y + 80) || CellSolid(g, e.X + 20, e.Y + 80) || CellSolid(g, e.X + 80, e.Y + 80));
}

void Hit(Game& g, Enemy& e) {
  e.Sparking = 1;
  e.HitCount += 1;
  RaiseCombo(g, e);
}

// The landing of a knock: dead with no hit points left, else hopping on.
// Counts of 100 and more show as 99 after every landing (the display has no
// third digit).
void KnockLanding(Game& g, Enemy& e, int32_t hopOn, bool dropBall) {
  ComboOnLanding(g, e, true);
  if (e.Health < 1) {
    e.State = 7;
    if (dropBall) BallOut(e) = 0;
    SoundPlay(g, Sfx::rakka);
  } else {
    e.State = hopOn;
  }
  e.HitCount = 0;
}

void SpinLanding(Game& g, Enemy& e) {
  ComboOnLanding(g, e, true);
  e.State = 7;
  SoundPlay(g, Sfx::rakka);
}

// After 300 hopping steps the sikaky stops to fire (unless a wall turns it in
// the same step).
void CountHop(Enemy& e) {
  e.WalkCount += 1;
  if (e.WalkCount > 300) {
    e.State = 12;
    e.WalkCount = 0;
  }
}

void TakeOff(Game& g, Enemy& e) {
  if (CellSolid(g, e.X + 5, e.Y + 80)) {
    e.Vy = -10;
    SoundPlay(g, Sfx::sikakutobi);
  }
}

void Handle(Game& g, Enemy& e) {
  switch (e.State) {
    case 1:  // hopping left
      CountHop(e);
      TakeOff(g, e);
      e.X -= 2;
      if (CellSolid(g, e.X + 5, e.Y + 79)) e.State = 2;
      if (e.Health < 0) e.State = 7;
      break;
    case 2:  // hopping right
      CountHop(e);
      e.X += 2;
      TakeOff(g, e);
      if (CellSolid(g, e.X + 80, e.Y + 79)) e.State = 1;
      if (e.Health < 0) e.State = 7;
      break;
    case 3:  // hit from the left
      e.X += 2;
      e.Vy = -15;
      e.State = 5;
      Hit(g, e);
      break;
    case 4:  // hit from the right
      e.X -= 2;
      e.Vy = -10;
      e.State = 6;
      Hit(g, e);
      break;
    case 5:  // knocked right
      e.X += 2;
      if (Landed(g, e)) KnockLanding(g, e, 1, true);
      break;
    case 6:  // knocked left
      e.X -= 2;
      if (Landed(g, e)) KnockLanding(g, e, 2, false);
      break;
    case 8:  // spun right to the edge of the view
      SpinSlide(g, e, true, -15, 9);
      break;
    case 9:  // back from the right edge
      e.X -= 2;
      if (Landed(g, e)) SpinLanding(g, e);
      break;
    case 10:  // spun left to the edge of the view
      SpinSlide(g, e, false, -15, 11);
      break;
    case 11:  // back from the left edge
      e.X += 2;
      if (Landed(g, e)) SpinLanding(g, e);
      break;
    case 12:  // firing: the ball sits at the sikaky until frame 30 lets it go
      e.ShotX = e.X;
      e.ShotY = e.Y;
      e.HomeX = e.X;
      BallOut(e) = 1;
      if (e.Frame == 30) {
        SoundPlay(g, Sfx::sikakuK);
        e.State = e.X < g.CameraX + 250 ? 2 : 1;
      }
      break;
    default: break;  // 7: the dying fall moves it
  }
}

// Where the pieces sit: two looks that alternate with every landing, and two
// hurt looks while the spark shows.
void Look(Enemy& e) {
  using namespace pose_table;
  const size_t entry = e.HopPhase == 1 ? 4 : 12;
  e.Row = e.HopPhase == 1 ? 0 : 60;
  const int32_t dotX = e.HopPhase == 1 ? 30 : 40;
  e.DotAX = e.X + dotX;
  e.DotAY = e.Y + 25;
  e.DotBX = e.X + dotX - 10;
  e.DotBY = e.Y + 30;
  e.FootAX = e.X + e.Pose[FootAOffX][entry];
  e.FootAY = e.Y + e.Pose[FootAOffY][entry];
  e.FootBX = e.X + e.Pose[FootBOffX][entry];
  e.FootBY = e.Y + e.Pose[FootBOffY][entry];
  e.SpotX = e.X + 25;
  e.SpotY = e.Y + 50;
  if (e.Sparking == 1) {
    if (e.Frame >= 20) {
      e.Row = 140;
      e.DotAX = e.X + 40;
      e.DotAY = e.Y + 35;
      e.DotBX = e.X + 30;
      e.DotBY = e.Y + 30;
    } else {
      e.Row = 100;
      e.DotAX = e.X + 35;
      e.DotAY = e.Y + 30;
      e.DotBX = e.X + 25;
      e.DotBY = e.Y + 35;
    }
  }
}

void BodyMotion(Game& g, Enemy& e) {
  if (e.State == 7) {  // the dying fall, out of the picture
    if (e.Y < g.CameraY + 580) {
      e.Vy += 1;
      e.Y += e.Vy;
    } else {
      e.Vy = 0;
      BallOut(e) = 0;
      e.Gone = 1;
      e.Y = g.CameraY + 580;
    }
    return;
  }
  e.Y += e.Vy;
  e.Vy += 1;
  if (e.Vy >= 0 &&
      (CellSolid(g, e.X, e.Y + 80) || CellSolid(g, e.X + 60, e.Y + 80) || CellSolid(g, e.X + 20, e.Y + 80))) {
    e.Vy = 0;
    e.Y = ((e.Y + 80) / kCellSize) * kCellSize - 80;
    if (e.Y > 500) e.Y = 500;
    e.HopPhase = e.HopPhase == 1 ? 0 : 1;
  }
}

// The ball flies 10 pixels a step away from the near side of the view and
// creeps 2 pixels a step toward Tavo's middle.
void BallMotion(Game& g, Enemy& e) {
  if (BallOut(e) != 1) return;
  e.ShotX += e.X > g.CameraX + 250 ? -10 : 10;
  e.ShotY += e.ShotY < g.Tavo.Y + 60 ? 2 : -2;
}

// The ball knocks a hero away from itself. It hurts only while it is out, so a
// sikaky that has not fired yet carries no unseen ball.
void BallTest(Enemy& e, Hero& h) {
  if (h.Hurt != 0 || h.State == hero::Dead || e.State == 7 || e.Health <= 0 || h.Carried != 0 || BallOut(e) != 1)
    return;
  const bool struck = h.Crouching == 1 ? h.Y > e.ShotY - 70 && h.Y < e.ShotY - 20 && h.X < e.ShotX + 25 &&
                                             h.X > e.ShotX - 60
                                       : h.Y > e.ShotY - 70 && h.Y < e.ShotY + 25 && h.X < e.ShotX + 20 &&
                                             h.X > e.ShotX - 60;
  if (!struck) return;
  h.State = h.X + 40 < e.ShotX + 20 ? hero::StruckFromRight : hero::StruckFromLeft;
  h.Hurt = 1;
}

void HitByHeroWithBall(Game& g, Enemy& e, Hero& h) {
  EnemyContact(e, h, kSikakyHits);
  BallTest(e, h);
  if (EnemyStrikes(g, e, h, kSikakyHits, Sfx::K_yarare) == Struck::Spin) {
    e.HitCount += 1;
    RaiseCombo(g, e);
  }
}

Enemy& Slot(Game& g, int slot) { return Table(g)[static_cast<size_t>(slot)]; }

}  // namespace

void SikakyReset(Game& g) {
  using namespace pose_table;
  for (int i = 1; i <= Count(g); ++i) {
    Enemy& e = Slot(g, i);
    e.Pose[FootAOffX][4] = 10;
    e.Pose[FootAOffY][4] = 70;
    e.Pose[FootBOffX][4] = 47;
    e.Pose[FootBOffY][4] = 57;
    e.Pose[FootAOffX][12] = 10;
    e.Pose[FootAOffY][12] = 57;
    e.Pose[FootBOffX][12] = 47;
    e.Pose[FootBOffY][12] = 70;
  }
}

void SikakyPlace(Game& g) {
  const auto place = [&](const auto& starts) {
    int slot = 1;
    for (const Start& s : starts) {
      Enemy& e = Slot(g, slot++);
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
    Enemy& e = Slot(g, i);
    e.Health = 3;
    e.State = 1;
    e.Vy = 0;
    e.WalkCount = 0;
    e.Gone = 0;
    e.Sparking = 0;
    // A ball still out when the last game ended does not fly into this one.
    BallOut(e) = 0;
    e.HandRect = kTop;
    e.FootRect = kFoot;
    e.CoverRect = kSpot;
    e.ShotRect = kDot;
    e.BallRect = kBall;
    Look(e);
  }
}

void SikakyHitByTavo(Game& g, int slot) { HitByHeroWithBall(g, Slot(g, slot), g.Tavo); }
void SikakyHitByKurara(Game& g, int slot) { HitByHeroWithBall(g, Slot(g, slot), g.Kurara); }
void SikakyHitByThrow(Game& g, int slot) { HitByThrow(g, Slot(g, slot), kSikakyHits); }

void SikakyStep(Game& g) {
  for (int i = 1; i <= Count(g); ++i) {
    Enemy& e = Slot(g, i);
    if (e.Gone == 0 && NearAHero(g, e)) {
      BodyMotion(g, e);
      ForTestedHeroes(g, [&](Hero& h) { HitByHeroWithBall(g, e, h); });
      SikakyHitByThrow(g, i);
      Handle(g, e);
      e.Frame += 1;
      if (e.Frame > 40) e.Frame = 0;
      Look(e);
      BallMotion(g, e);
      AdvanceSpark(e, 448);
    }
    // Whatever it is doing, a sikaky at the left end of the world hops back right.
    if (e.X < 1) e.State = 2;
    if (e.Y < 1) e.Y = 1;
  }
}

void SikakyDraw(Game& g) {
  for (int i = 1; i <= Count(g); ++i) {
    const Enemy& e = Slot(g, i);
    // A gone sikaky lies below the view, so only the distance decides.
    if (!NearAHero(g, e)) continue;
    const auto piece = [&](const Rect& r, int32_t x, int32_t y) {
      g.BlitRect = r;
      Draw(g, Bmp::char256, x, y);
    };
    DrawPiece(g, Bmp::char256, 1080, e.Row + 270, 1120, e.Row + 308, e.X + 17, e.Y + 17);
    piece(e.HandRect, e.X + 7, e.Y);
    piece(e.FootRect, e.FootAX, e.FootAY);
    piece(e.CoverRect, e.SpotX, e.SpotY);
    piece(e.FootRect, e.FootBX, e.FootBY);
    piece(e.ShotRect, e.DotAX, e.DotAY);
    piece(e.ShotRect, e.DotBX, e.DotBY);
    if (BallOut(e) == 1) piece(e.BallRect, e.ShotX, e.ShotY);
    if (e.Sparking == 1)
      DrawPiece(g, Bmp::char256, 920 + e.SparkOffX, 570 + e.SparkOffY, 970 + e.SparkOffX, 620 + e.SparkOffY, e.X + 6,
                e.Y + 30);
  }
}

}  // namespace kt
