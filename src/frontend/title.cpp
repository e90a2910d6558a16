#include "frontend/title.hpp"

#include "enemies/gek.hpp"
#include "enemies/kurosuke.hpp"
#include "enemies/patatta.hpp"
#include "enemies/sikaky.hpp"
#include "heroes/kurara.hpp"
#include "heroes/tavo.hpp"
#include "loop/draw.hpp"
#include "loop/input.hpp"
#include "loop/sound.hpp"
#include "loop/ticks.hpp"

namespace kt {

namespace {

// Where the box stands, relative to the camera: figures leave it through the
// mouth, the part of the box left of x + 180 and below y + 310 excluded.
constexpr int32_t kBoxDx = 180, kBoxDy = -210;
constexpr int32_t kHeroStartX = 270, kHeroStartY = 449;
constexpr int32_t kTavoHomeX = 1340, kKuraraHomeX = 1780, kHomeY = 450;
constexpr int32_t kMenuCameraX = 1280;
constexpr uint32_t kRestartMs = 45000, kRoundMs = 8000, kSkipMs = 240;

// A uniform whole number 0..n.
int32_t RandomUpTo(Game& g, int32_t n) { return Round(Rnd(g) * n); }

// One kind of fountain figure: its table, the strength of its throw and
// where it leaves the box.
struct FigureKind {
  EnemyTable EnemyTables::*table;
  int32_t throwUp;
  int32_t startX;
};
// Moved and drawn in this order.
constexpr FigureKind kKurosuke{&EnemyTables::kurosuke, 50, 310};
constexpr FigureKind kGek{&EnemyTables::gek, 40, 300};
constexpr FigureKind kPatatta{&EnemyTables::patatta, 60, 310};
constexpr FigureKind kSikaky{&EnemyTables::sikaky, 50, 310};
constexpr int32_t kPopThrowUp = 40, kPopStartX = 300;
constexpr int32_t kFountainY = 450;

// Sends a figure up out of the box; the caller gives it its sideways speed.
void Throw(Game& g, Enemy& e, int32_t throwUp, int32_t x) {
  e.Vy = -RandomUpTo(g, throwUp);
  e.X = x;
  e.Y = kFountainY;
}

// The heroes leave whatever they were doing in the last game (a quit from the
// pause menu leaves them mid-walk, carried or hurt).
void CalmHero(Hero& h) {
  h.WalkLeft = 0;
  h.WalkRight = 0;
  h.Dashing = 0;
  h.Hurt = 0;
  h.HurtTimer = 0;
  h.Carrying = 0;
  h.Carried = 0;
  h.State = hero::Normal;
  h.Out = 0;  // out of lives at the end of the last game, back for the show
  h.Facing = 0;
  h.X = kHeroStartX;
  h.Y = kHeroStartY;
  h.Vy = -20;  // they jump out of the box
}

void FountainStart(Game& g) {
  EnemyTables& t = g.enemies;
  for (int i = 1; i < kEnemySlots; ++i) {
    for (const FigureKind* k : {&kKurosuke, &kPatatta, &kGek, &kSikaky}) {
      Enemy& e = (t.*(k->table))[i];
      Throw(g, e, k->throwUp, k->startX);
      e.Vx = RandomUpTo(g, 10);
    }
  }
  // The left column of pictures starts off to the right, the right column to the left.
  for (int k = 0; k < kPopTables; ++k) {
    for (int i = 1; i < kPopEntries; ++i) {
      Enemy& e = g.front.PopTables[k][i];
      Throw(g, e, kPopThrowUp, kPopStartX);
      const int32_t vx = RandomUpTo(g, 10);
      e.Vx = k % 2 == 0 ? vx : -vx;
    }
  }
}

void Greet(Game& g) {
  g.Tavo.HandAX += 7;
  g.Tavo.HandAY -= 30;
  g.Kurara.HandBX -= 15;
  g.Kurara.HandBY -= 30;
}

void Panorama(Game& g, int32_t y) {
  DrawPiece(g, Bmp::OPhaikei, g.CameraX, 0, g.CameraX + kScreenWidth, 480, g.CameraX, y);
}

void BoxBack(Game& g) { DrawPiece(g, Bmp::Hako, 260, 200, 520, 300, g.front.BoxX, g.front.BoxY); }
void BoxFront(Game& g) {
  const FrontEndState& f = g.front;
  DrawPiece(g, Bmp::Hako, 0, f.BoxTop, 260, f.BoxTop + 200, f.BoxX, f.BoxY);
}

// ---- the phases ----

void BoxFallsStep(Game& g) {
  FrontEndState& f = g.front;
  f.BoxSpeed += 1;
  f.BoxY += f.BoxSpeed;
  if (f.BoxY > g.CameraY + 100) f.BoxTop = 200;
  // Once down, the box lands again on every step: it jolts on the 1st, 9th
  // and 15th and opens on the 18th.
  if (f.BoxY > g.CameraY + 400) {
    f.BoxTop = 0;
    f.BoxY = g.CameraY + 400;
    f.BoxSpeed = 0;
    f.BoxCount += 1;
    if (f.BoxCount == 1 || f.BoxCount == 9 || f.BoxCount == 15) f.BoxTop = 200;
    if (f.BoxCount == 18) {
      f.BoxTop = 400;
      f.OpeningPhase = opening::Fountain;
    }
  }
  Panorama(g, g.CameraY);
  if (f.BoxTop != 0) {
    DrawPiece(g, Bmp::Hako, 260, 100, 520, 200, f.BoxX, f.BoxY);
  } else {
    DrawPiece(g, Bmp::Hako, 260, 0, 520, 100, f.BoxX, f.BoxY);
  }
  BoxFront(g);
}

void MoveFigure(Game& g, Enemy& e, int32_t throwUp, int32_t startX, bool pop) {
  const FrontEndState& f = g.front;
  const bool inMouth = e.X > g.CameraX + 180 && e.X < g.CameraX + 310 && e.Y > g.CameraY + 310;
  if (!pop || !inMouth) e.X += e.Vx;
  e.Vy += 1;
  e.Y += e.Vy;
  if (e.X > 700 || e.X < -100 || e.Y > 700) {
    Throw(g, e, throwUp, startX);
    const int32_t vx = RandomUpTo(g, 15);
    e.Vx = f.FountainPattern % 2 == 0 ? vx : -vx;
  }
}

void MoveEntry(Game& g, int i) {
  for (const FigureKind* k : {&kKurosuke, &kGek, &kPatatta, &kSikaky})
    MoveFigure(g, (g.enemies.*(k->table))[i], k->throwUp, k->startX, false);
  for (PopTable& t : g.front.PopTables) MoveFigure(g, t[i], kPopThrowUp, kPopStartX, true);
}

void FountainStep(Game& g) {
  FrontEndState& f = g.front;
  const int32_t r = RandomUpTo(g, 50);
  if (r > 40) SoundPlay(g, Sfx::rakka);
  if ((r > 10 && r < 20) || (r > 30 && r < 40)) SoundPlay(g, Sfx::sikakutobi);
  if (r < 10) SoundPlay(g, Sfx::rakka);
  Panorama(g, 100);
  f.FountainPattern += 1;
  if (f.FountainPattern > 9) f.FountainPattern = 1;
  // The first round starts at once, a second one 8 s later ends the fountain.
  if (f.FountainRounds == 0 || TimePassed(g.FrameTick, f.FountainTick, kRoundMs)) {
    f.FountainTick = g.FrameTick;
    f.FountainRounds += 1;
  }
  if (f.FountainRounds >= 2) f.FountainPattern = 0;
  for (int i = 1; i <= f.FountainRounds && i < kPopEntries; ++i) {
    MoveEntry(g, i);
    BoxBack(g);
    FountainDraw(g);
    BoxFront(g);
  }
  if (f.FountainPattern == 0) f.OpeningPhase = opening::HeroesDrop;
}

// One hero falls back down beside the box, drifting `dx` a step while in the
// air. Returns whether he landed.
bool Drop(Hero& h, int32_t dx) {
  h.Vy += 1;
  h.Y += h.Vy;
  if (h.Y >= 451) return true;
  h.X += dx;
  return false;
}

void HeroesDropStep(Game& g) {
  Hero& t = g.Tavo;
  Hero& k = g.Kurara;
  const bool tavoLanded = Drop(t, -4);
  TavoPoseReset(g);
  if (tavoLanded) {
    t.Vy = 0;
    t.Y = kHomeY;
    g.front.OpeningPhase = opening::PanAndWalk;
    SoundPlay(g, Sfx::story);
  }
  const bool kuraraLanded = Drop(k, 4);
  KuraraPoseReset(g);
  if (kuraraLanded) {
    k.Vy = 0;
    k.Y = kHomeY;
  }
  Panorama(g, 100);
}

void PanAndWalkStep(Game& g) {
  g.CameraX = g.CameraX > kMenuCameraX - 1 ? kMenuCameraX : g.CameraX + 3;
  Hero& t = g.Tavo;
  if (t.X > kTavoHomeX - 1) {
    t.X = kTavoHomeX;
    t.WalkRight = 0;
    t.Facing = 0;
    TavoPoseReset(g);
  } else {
    t.WalkRight = 1;
    TavoWalkStep(g);
    t.X -= 2;
  }
  Hero& k = g.Kurara;
  if (k.X > kKuraraHomeX - 1) {
    k.X = kKuraraHomeX;
    k.WalkRight = 0;
    k.Facing = 80;
    KuraraPoseReset(g);
    Greet(g);
    g.front.OpeningPhase = opening::Hold;
  } else {
    k.WalkRight = 1;
    KuraraWalkStep(g);
    k.X -= 2;
  }
  Panorama(g, 100);
}

void FloorDraw(Game& g) {
  DrawPiece(g, Bmp::OPhaikei, 0, 480, 640, 560, 640, 516);
  DrawPiece(g, Bmp::haikei256, 0, 630, 640, 710, 1280, 516);
  DrawPiece(g, Bmp::haikei256, 0, 630, 640, 710, 1920, 516);
}

}  // namespace

void TitleStart(Game& g) {
  FrontEndState& f = g.front;
  g.CameraX = 30;
  g.CameraY = 100;
  f.OptionsRow = menu::RowAmount;
  g.bossStage.BossPhase = 0;
  g.bossStage.BackdropX = 0;
  f.MenuRow = menu::RowStart;
  f.MenuChoice = menu::OnePlayer;
  g.stage.GameOverScroll = 0;

  // Every table is full of figures for the fountain.
  StageState& s = g.stage;
  s.GekCount = 50;
  GekReset(g);
  s.KurosukeCount = 50;
  KurosukeReset(g);
  s.PatattaCount = 50;
  PatattaReset(g);
  s.SikakyCount = 50;
  SikakyReset(g);
  TavoInit(g);
  KuraraInit(g);
  CalmHero(g.Tavo);
  CalmHero(g.Kurara);
  f.FountainRounds = 0;
  FountainStart(g);

  g.SceneId = scene::Title;
  f.BoxX = g.CameraX + kBoxDx;
  f.BoxY = g.CameraY + kBoxDy;
  f.BoxCount = 0;
  f.BoxTop = 0;
  f.OpeningPhase = opening::BoxFalls;
  f.FountainPattern = 1;
  f.BoxSpeed = 0;
  DrawPiece(g, Bmp::OPhaikei, 0, 0, 640, 480, g.CameraX, g.CameraY);
  f.OpeningTick = g.FrameTick;
}

void OpeningStep(Game& g) {
  FrontEndState& f = g.front;
  if (TimePassed(g.FrameTick, f.OpeningTick, kRestartMs)) {
    g.SceneId = scene::TitleSetup;  // start over; the rest of this step still runs
    SoundStop(g, Sfx::sikakuK);
    SoundStop(g, Sfx::rakka);
  }

  switch (f.OpeningPhase) {
    case opening::BoxFalls: BoxFallsStep(g); break;
    case opening::Fountain: FountainStep(g); break;
    case opening::HeroesDrop: HeroesDropStep(g); break;
    case opening::PanAndWalk: PanAndWalkStep(g); break;
    case opening::Hold: Panorama(g, 100); break;
    default: break;
  }

  // The heroes between the back and the front of the open box.
  if (f.OpeningPhase == opening::HeroesDrop) BoxBack(g);
  if (f.OpeningPhase > opening::Fountain) {
    TavoDraw(g);
    KuraraDraw(g);
  }
  if (f.OpeningPhase == opening::HeroesDrop) BoxFront(g);
  if (f.OpeningPhase == opening::PanAndWalk || f.OpeningPhase == opening::Hold) FloorDraw(g);

  // "Press Enter" shows 30 steps of every 50.
  f.PromptBlink += 1;
  if (f.PromptBlink > 49) f.PromptBlink = 0;
  if (f.PromptBlink < 30) DrawPiece(g, Bmp::optionmoji, 160, 140, 415, 175, g.CameraX + 190, g.CameraY + 300);

  // Enter skips to the menu, the heroes already in their places: a press at
  // once, a held Enter once it has been down for the repeat delay.
  if (MenuKeyActs(g, vk::Enter, TimeReached(g.FrameTick, g.LastPollTick, kSkipMs))) {
    f.MenuPollTick = g.FrameTick;
    g.SceneId = scene::MenuSetup;
    g.CameraX = kMenuCameraX;
    g.Tavo.X = kTavoHomeX;
    g.Tavo.Y = kHomeY;
    g.Kurara.X = kKuraraHomeX;
    g.Kurara.Y = kHomeY;
    g.Kurara.Facing = 80;
    TavoPoseReset(g);
    KuraraPoseReset(g);
    Greet(g);
  }
}

void FountainDraw(Game& g) {
  using namespace pose_table;
  const auto piece = [&g](const Rect& r, int32_t x, int32_t y) {
    DrawPiece(g, Bmp::char256, r.Left, r.Top, r.Right, r.Bottom, x, y);
  };
  // A piece's offset from the figure at entry `f` of one of its kind's pose tables.
  const auto off = [](const Enemy& e, int table, int f) {
    return e.Pose[static_cast<size_t>(table)][static_cast<size_t>(f)];
  };
  const Rect kuroFoot{1240, 540, 1260, 560};
  const Rect gekHand{820, 0, 860, 40}, gekFoot{820, 40, 860, 80};
  const Rect sikFoot{1100, 310, 1120, 325}, sikSpot{1080, 310, 1095, 325}, sikDot{1120, 310, 1130, 320};

  for (int i = 1; i <= g.front.FountainRounds && i < kPopEntries; ++i) {
    // kurosuke, walk pose 1
    const Enemy& ku = g.enemies.kurosuke[i];
    piece({1240, 420, 1300, 480}, ku.X + 6, ku.Y);
    piece(kuroFoot, ku.X + off(ku, FootAOffX, 1), ku.Y + off(ku, FootAOffY, 1));
    piece(kuroFoot, ku.X + off(ku, FootBOffX, 1), ku.Y + off(ku, FootBOffY, 1));

    // gek, walk pose 1, limbs two pixels low
    const Enemy& ge = g.enemies.gek[i];
    piece({740, 0, 780, 90}, ge.X + 27, ge.Y + 2);
    piece({820, 80, 860, 120}, ge.X + 34, ge.Y + 38);
    piece(gekHand, ge.X + off(ge, HandAOffX, 1), ge.Y + off(ge, HandAOffY, 1) + 2);
    piece(gekHand, ge.X + off(ge, HandBOffX, 1), ge.Y + off(ge, HandBOffY, 1) + 2);
    piece(gekFoot, ge.X + off(ge, FootAOffX, 1), ge.Y + off(ge, FootAOffY, 1) + 2);
    piece(gekFoot, ge.X + off(ge, FootBOffX, 1), ge.Y + off(ge, FootBOffY, 1) + 2);

    // patatta, wings half down (wing pose 6)
    Enemy& pa = g.enemies.patatta[i];
    pa.FootAX = 60;
    pa.FootAY = 100;
    pa.FootBX = 0;
    pa.FootBY = 100;
    pa.BodyCol = 120;
    pa.BodyRow = 50;
    piece({740 + pa.FootAX, 340 + pa.FootAY, 800 + pa.FootAX, 390 + pa.FootAY}, pa.X + 26, pa.Y - 13);
    piece({740 + pa.FootBX, 340 + pa.FootBY, 800 + pa.FootBX, 390 + pa.FootBY}, pa.X - 44, pa.Y - 11);
    piece({740 + pa.BodyCol, 340 + pa.BodyRow, 800 + pa.BodyCol, 390 + pa.BodyRow}, pa.X, pa.Y);

    // sikaky, mid-hop (foot pose 4)
    const Enemy& si = g.enemies.sikaky[i];
    piece({1080, si.Row + 270, 1120, si.Row + 308}, si.X + 17, si.Y + 17);
    piece({1120, 270, 1160, 290}, si.X + 7, si.Y);
    piece(sikFoot, si.X + 10, si.Y + 70);
    piece(sikFoot, si.X + 47, si.Y + 57);
    piece(sikSpot, si.X + 25, si.Y + 50);
    piece(sikDot, si.X + 30, si.Y + 25);
    piece(sikDot, si.X + 20, si.Y + 30);

    // the twelve pictures, two columns of six
    for (int k = 0; k < kPopTables; ++k) {
      const Enemy& e = g.front.PopTables[k][i];
      const int32_t l = 120 * (k % 2), t = 150 * (k / 2);
      DrawPiece(g, Bmp::tobidasi, l, t, l + 120, t + 150, e.X, e.Y);
    }
  }
}

}  // namespace kt
