#include "enemies/patatta.hpp"

#include "loop/draw.hpp"
#include "loop/sound.hpp"

namespace kt {

const HitNumbers kPatattaHits{
    .contactOffState = 10,
    .contactNeedsHealth = false,
    .contactNeedsNoSpark = true,
    .contactTop = -55,
    .contactBottom = 10,
    .contactBottomCrouch = -35,
    .contactLeft = -65,
    .contactRight = 35,
    .knockLine = 20,
    .strikesNeedUncarried = true,
    .bandAbove = 60,
    .firstHit = 6,
    .secondHit = 7,
    .spinLeftHero = 11,
    .spinRightHero = 13,
    .throwNeedsNoSpark = false,
    .throwBottom = 35,
    .throwRight = 35,
};

namespace {

// The wings' draw offsets by wing frame: HandAOffX, HandAOffY, HandBOffX, HandBOffY.
constexpr int32_t kWings[4][8] = {
    {24, 24, 22, 22, 26, 26, 24, 24},
    {-27, -27, -28, -28, -13, -13, 5, 5},
    {-46, -46, -46, -46, -44, -44, -40, -40},
    {-24, -24, -23, -23, -11, -11, 5, 5},
};

struct Start {
  int32_t x, y;
};
constexpr Start kStart10[] = {{1110, 200}, {1320, 200}, {2960, 200}, {3700, 200}, {4120, 200}, {4300, 200}};
constexpr Start kStart20[] = {{810, 200}, {1960, 100}, {2700, 200}};
constexpr Start kStart30[] = {{1780, 130}, {1900, 130}, {3410, 200}, {3560, 200}, {3610, 200},
                              {4000, 200}, {4200, 200}, {4400, 200}, {4600, 200}};

EnemyTable& Table(Game& g) { return g.enemies.patatta; }
int32_t Count(const Game& g) { return SlotsInPlay(g.stage.PatattaCount); }

// Puts the wings at wing frame f; the feet fields hold the wings' sheet frames
// and stay as they are.
void WingPose(Enemy& e, int32_t f) {
  using namespace pose_table;
  const auto at = [&](int table) { return e.Pose[static_cast<size_t>(table)][static_cast<size_t>(f)]; };
  e.HandAX = e.X + at(HandAOffX);
  e.HandAY = e.Y + at(HandAOffY);
  e.HandBX = e.X + at(HandBOffX);
  e.HandBY = e.Y + at(HandBOffY);
}

// One wing beat: Frame runs 1..8 and back, the wings follow and the body bobs.
void WingBeat(Enemy& e) {
  if (e.FlapDir() == 0) e.FlapDir() = 1;
  if (e.FlapDir() == 1) {
    e.Frame += 1;
    if (e.Frame > 7) e.FlapDir() = 2;
  } else {
    e.Frame -= 1;
    if (e.Frame < 2) e.FlapDir() = 1;
  }
  WingPose(e, e.Frame);
  // Sheet frames of wing A and wing B (columns 60 and 0), and the bob.
  const auto frames = [&](int32_t top, int32_t bob) {
    e.FootAX = 60;
    e.FootAY = top;
    e.FootBX = 0;
    e.FootBY = top;
    e.Y += bob;
  };
  switch (e.Frame) {
    case 1:
    case 2: frames(0, 1); break;
    case 3:
    case 4: frames(50, -1); break;
    case 5:
    case 6: frames(100, 1); break;
    case 7:
    case 8: frames(150, -1); break;
    default: break;
  }
}

bool WallAt(const Game& g, int32_t x, int32_t y) {
  return CellSolid(g, x, y) && CellSolid(g, x, y + 20) && CellSolid(g, x, y + 39);
}

// The end of a knocked flight: it climbs back if it can, else falls out.
void EndKnock(Game& g, Enemy& e) {
  e.Vy = 0;
  if (e.Health > 0) {
    e.State = 5;
  } else {
    e.State = 10;
    SoundPlay(g, Sfx::rakka);
  }
}

void Handle(Game& g, Enemy& e) {
  // T is the hero further left, O the other; some rules name Tavo himself.
  const bool kuraraLeft = g.Kurara.X < g.Tavo.X;
  const Hero& T = kuraraLeft ? g.Kurara : g.Tavo;
  const Hero& O = kuraraLeft ? g.Tavo : g.Kurara;
  switch (e.State) {
    case 1: {  // flying left
      e.BodyRow = 100;
      e.X -= 1;
      if (e.X < T.X - 150 || WallAt(g, e.X, e.Y)) e.State = 2;
      // Swoops on O from higher above Kurara than above Tavo.
      const int32_t margin = kuraraLeft ? 50 : 100;
      if (O.X - 40 < e.X && e.X < O.X + 200 && e.Y + margin < O.Y) e.State = 3;
      break;
    }
    case 2:  // flying right
      e.BodyRow = 50;
      e.X += 1;
      if (e.X > O.X + 40 || WallAt(g, e.X + 40, e.Y)) e.State = 1;
      if (T.X - 400 < e.X && e.X < T.X && e.Y + 100 < g.Tavo.Y) e.State = 4;
      break;
    case 3:  // swooping down-left on O
      e.BodyRow = 0;
      if (e.X > O.X + 40) e.X -= 3;
      e.Y += 6;
      if (e.Y > O.Y || e.Y > 480) e.State = 5;
      break;
    case 4:  // swooping down-right on T
      e.BodyRow = 150;
      if (e.X < T.X) e.X += 6;
      e.Y += 6;
      if (e.Y > T.Y || e.Y > 490) e.State = 5;
      break;
    case 5:  // climbing back to its cruising height
      e.BodyRow = e.X < g.Tavo.X ? 50 : 100;
      e.Y -= 4;
      if (e.Y < e.CruiseY()) e.State = 1;
      break;
    case 6:  // hit from the left
      e.BodyRow = 200;
      e.Sparking = 1;
      e.State = 8;
      break;
    case 7:  // hit from the right
      e.BodyRow = 250;
      e.Sparking = 1;
      e.State = 9;
      break;
    case 8: {  // knocked right: over at once unless already below the view and over an opening
      e.X += 2;
      e.Y += e.Vy;
      e.Vy += 1;
      WingPose(e, e.Frame);
      const bool below = e.Y >= g.CameraY + 580;
      const bool open = !CellSolid(g, e.X, e.Y + 60) || !CellSolid(g, e.X + 60, e.Y + 60) ||
                        !CellSolid(g, e.X + 20, e.Y + 60);
      if (!(below && open)) EndKnock(g, e);
      break;
    }
    case 9:  // knocked left: falls until it stands on three solid cells
      e.X -= 2;
      e.Y += e.Vy;
      e.Vy += 1;
      WingPose(e, e.Frame);
      if (CellSolid(g, e.X, e.Y + 80) && CellSolid(g, e.X + 60, e.Y + 80) && CellSolid(g, e.X + 20, e.Y + 80))
        EndKnock(g, e);
      break;
    case 10:  // falling out of the picture
      if (!DropOutOfView(g, e)) {
        e.Y += e.Vy;
        e.Vy += 1;
        WingPose(e, e.Frame);
      }
      break;
    case 11:  // spun right to the edge of the view
      if (SpinSlide(g, e, true, -12, 10)) e.Row = 90;
      WingPose(e, e.Frame);
      break;
    case 13:  // spun left to the edge of the view
      if (SpinSlide(g, e, false, -12, 10)) e.Row = 90;
      WingPose(e, e.Frame);
      break;
    default: break;
  }
}

void HeroTests(Game& g, Enemy& e, Hero& h) {
  // A spin shows the hit frame of the side it came from.
  if (HitByHero(g, e, h, kPatattaHits, Sfx::P_yarare) == Struck::Spin) e.BodyRow = e.State == 11 ? 200 : 250;
}

}  // namespace

void PatattaReset(Game& g) {
  EnemyTable& t = Table(g);
  for (int i = 1; i <= Count(g); ++i)
    for (size_t table = 0; table < 4; ++table)
      for (size_t f = 0; f < 8; ++f) t[static_cast<size_t>(i)].Pose[table][f + 1] = kWings[table][f];
}

void PatattaPlace(Game& g) {
  EnemyTable& t = Table(g);
  const auto place = [&](const auto& starts) {
    size_t slot = 1;
    for (const Start& s : starts) {
      Enemy& e = t[slot++];
      e.X = s.x;
      e.Y = s.y;
      e.CruiseY() = s.y;
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
    e.Health = 1;
    e.BodyCol = 120;
    e.BodyRow = 50;
    e.Vy = 0;
    e.State = 1;
    e.Gone = 0;
    e.Sparking = 0;
    WingPose(e, 1);
  }
}

void PatattaHitByTavo(Game& g, int slot) { HeroTests(g, Table(g)[static_cast<size_t>(slot)], g.Tavo); }
void PatattaHitByKurara(Game& g, int slot) { HeroTests(g, Table(g)[static_cast<size_t>(slot)], g.Kurara); }
void PatattaHitByThrow(Game& g, int slot) { HitByThrow(g, Table(g)[static_cast<size_t>(slot)], kPatattaHits); }

void PatattaStep(Game& g) {
  EnemyTable& t = Table(g);
  for (int i = 1; i <= Count(g); ++i) {
    Enemy& e = t[static_cast<size_t>(i)];
    if (e.Gone != 1) {
      // Wings, sound and hero tests go on at any distance; only its moves wait.
      if (e.Frame == 7) SoundPlay(g, Sfx::P_tobi);
      if (e.State != 10 && e.State != 11 && e.State != 13 && e.Sparking != 1) WingBeat(e);
      ForTestedHeroes(g, [&](Hero& h) { HeroTests(g, e, h); });
      PatattaHitByThrow(g, i);
      if (NearAHero(g, e)) {
        Handle(g, e);
        AdvanceSpark(e);
      }
    }
    if (e.X < 0) e.State = 2;
    if (e.Y < 0) e.Y = 0;
  }
}

void PatattaDraw(Game& g) {
  EnemyTable& t = Table(g);
  for (int i = 1; i <= Count(g); ++i) {
    const Enemy& e = t[static_cast<size_t>(i)];
    // Only Tavo's position decides, from 500 pixels left of him to 700 right.
    if (e.Gone != 0 || !(g.Tavo.X - 500 < e.X && e.X < g.Tavo.X + 700)) continue;
    DrawPiece(g, Bmp::char256, 740 + e.FootAX, 340 + e.FootAY, 800 + e.FootAX, 390 + e.FootAY, e.HandAX, e.HandAY);
    DrawPiece(g, Bmp::char256, 740 + e.FootBX, 340 + e.FootBY, 800 + e.FootBX, 390 + e.FootBY, e.HandBX, e.HandBY);
    DrawPiece(g, Bmp::char256, 740 + e.BodyCol, 340 + e.BodyRow, 800 + e.BodyCol, 390 + e.BodyRow, e.X, e.Y);
    if (e.Sparking == 1)
      DrawPiece(g, Bmp::char256, 920 + e.SparkOffX, 570 + e.SparkOffY, 970 + e.SparkOffX, 620 + e.SparkOffY, e.X + 6,
                e.Y + 5);
  }
}

}  // namespace kt
