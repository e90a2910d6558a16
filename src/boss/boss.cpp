#include "boss/boss.hpp"

#include "enemies/enemy.hpp"
#include "heroes/hero.hpp"
#include "loop/draw.hpp"
#include "loop/sound.hpp"

namespace kt {

namespace {

// Pieces on the character sheet.
constexpr Rect kBody{560, 0, 715, 130};
constexpr Rect kFoot{80, 520, 120, 559};
constexpr Rect kHandA{0, 520, 40, 555};
constexpr Rect kHandB{40, 520, 80, 555};
constexpr Rect kOrbArmLeft{600, 480, 650, 530};   // ArmCol 560
constexpr Rect kOrbArmRight{600, 430, 650, 480};  // ArmCol 650

bool Thrown(const Hero& h) { return h.State == hero::ThrownRight || h.State == hero::ThrownLeft; }

// A decision: the next random number times `factor`, rounded, kept in Boss.Decision.
int32_t Decide(Game& g, double factor) {
  g.Boss.Decision = Round(Rnd(g) * factor);
  return g.Boss.Decision;
}

// The boss turns towards the middle of the arena; the orb rides on the working hand.
void Face(Game& g) {
  BossRecord& b = g.Boss;
  if (b.X < g.CameraX + 200) {
    b.HeadCol = 120;
    b.ArmCol = 650;
    if (b.State != boss::Charge) {
      b.OrbX = b.HandAX + 10;
      b.OrbY = b.HandAY - 20;
    }
  } else {
    b.HeadCol = 0;
    b.ArmCol = 560;
    if (b.State != boss::Charge) {
      b.OrbX = b.HandBX - 10;
      b.OrbY = b.HandBY - 20;
    }
  }
}

}  // namespace

// 18 steps a beat; over a whole beat the bob cancels out.
void BossWingBeat(Game& g) {
  BossRecord& b = g.Boss;
  if (b.WingDir == 1) {
    b.WingStep += 1;
    if (b.WingStep > 8) b.WingDir = 2;
  } else {
    b.WingStep -= 1;
    if (b.WingStep < 1) b.WingDir = 1;
  }
  switch (b.WingStep) {
    case 1:
    case 2:
      b.Y -= 2;
      b.WingRow = 0;
      SoundPlay(g, Sfx::bosshaba);
      break;
    case 3:
    case 4:
      b.WingRow = 160;
      b.Y -= 2;
      break;
    case 5:
    case 6:
      b.WingRow = 320;
      b.Y += 2;
      break;
    case 7:
    case 8:
      b.WingRow = 480;
      b.Y += 2;
      break;
    default: break;
  }
}

namespace {

// ---- harm to a hero ----------------------------------------------------------

void Knock(Hero& h, bool toTheRight) {
  h.Hurt = 1;
  h.State = toTheRight ? hero::StruckFromLeft : hero::StruckFromRight;
}

// The body and then the beam. `contactLeft`: how far left of Boss.X the body reaches for this hero.
void Harm(Game& g, Hero& h, int32_t contactLeft) {
  // A dead hero waits below the screen. The exit cleared his Hurt, and the
  // falling beam reaches down that far: struck there he would lose a life
  // he no longer has and could end the game while his partner still has one.
  if (h.State == hero::Dead) return;
  const BossRecord& b = g.Boss;
  // A dead hero waits below the arena, maybe under the beam: nothing reaches him there.
  if (h.State == hero::Dead) return;
  if (h.Hurt == 0 && b.HP >= 0 && h.Carried == 0) {
    const int32_t bottom = h.Crouching == 1 ? 70 : 145;
    if (b.Y - 30 < h.Y && h.Y < b.Y + bottom && b.X + contactLeft < h.X && h.X < b.X + 130)
      Knock(h, h.X + 40 >= b.X + 35);
  }
  const BossBeamRecord& m = g.BossBeam;
  if (h.Hurt == 0 && h.Carried == 0 && b.State == boss::Beam) {
    // The beam reaches down to its drawn bottom edge and has no upper limit.
    if (h.Y - 30 < m.Y + 630 - m.SrcTop && m.X - 65 < h.X && h.X < m.X + 145) Knock(h, m.X + 30 <= h.X);
  }
}

// ---- damage to the boss ----------------------------------------------------------

// The boss's origin lies in the band a hand can reach.
bool InHandWindow(const BossRecord& b, int32_t handY) { return handY - 145 < b.Y && b.Y < handY + 20; }

// A hit lands: the spark starts, and nothing hurts the boss again until it ends.
void TakeHit(Game& g, int32_t damage, int32_t sparkY, bool sound) {
  BossRecord& b = g.Boss;
  b.HP -= damage;
  b.SparkY = sparkY;
  b.Flash = 1;
  if (sound) SoundPlay(g, Sfx::G_yarare);
}

// A punch from the left needs the hero facing right with hand A in reach; from
// the right facing left with hand B, between Boss.X + rightNear and + rightFar.
void PunchTest(Game& g, Hero& h, int32_t rightNear, int32_t rightFar) {
  BossRecord& b = g.Boss;
  if (b.Flash != 0 || h.State != hero::Punch || h.Step <= 4) return;
  if (h.X < b.X) {
    if (h.Facing != 0 || !(b.X - 150 < h.X) || !InHandWindow(b, h.HandAY)) return;
    h.HitGauge += 1;
    TakeHit(g, 1, h.HandAY, true);
  } else {
    if (h.Facing != 80 || !InHandWindow(b, h.HandBY) || !(b.X + rightNear < h.X && h.X < b.X + rightFar)) return;
    h.HitGauge += 1;
    TakeHit(g, 1, h.HandBY, true);
  }
}

// The burst reaches the boss anywhere, as long as its origin is strictly inside the view's columns.
void BurstTest(Game& g, const Hero& h, bool liftsBoss) {
  BossRecord& b = g.Boss;
  if (b.Flash != 0 || h.State != hero::Burst) return;
  if (!(g.CameraX < b.X && b.X < g.CameraX + 640)) return;
  if (liftsBoss) b.Y -= 50;
  TakeHit(g, 10, b.Y + 50, false);
}

// A spin throws the boss 50 pixels away from the hero, keeping it on the screen.
void SpinTest(Game& g, const Hero& h) {
  BossRecord& b = g.Boss;
  if (b.Flash != 0 || h.State != hero::Spin || h.Step <= 4) return;
  if (h.X < b.X) {
    if (h.Facing != 0 || !(b.X - 150 < h.X) || !InHandWindow(b, h.HandAY)) return;
    b.X += 50;
    if (b.X + 70 > g.CameraX + 640) b.X = 570;
    TakeHit(g, 5, h.HandAY, true);
  } else {
    if (h.Facing != 80 || !(b.X + 70 < h.X && h.X < b.X + 210) || !InHandWindow(b, h.HandBY)) return;
    b.X -= 50;
    if (b.X < g.CameraX) b.X = g.CameraX;
    TakeHit(g, 5, h.HandBY, true);
  }
}

void ThrownTest(Game& g, const Hero& h) {
  BossRecord& b = g.Boss;
  if (b.Flash != 0 || !Thrown(h)) return;
  if (b.Y - 35 < h.Y && h.Y < b.Y + 145 && b.X - 50 < h.X && h.X < b.X + 130) TakeHit(g, 2, b.Y + 50, true);
}

// ---- the state machine -------------------------------------------------------------

// Leaving the charge: the beam drops on a hero. In one-player mode on the steered
// hero; with two players the decision that led into the charge picks one.
void AimBeam(Game& g) {
  BossBeamRecord& m = g.BossBeam;
  const bool onKurara = g.settings.OnePlayerMode == 1 ? g.stage.ControlledHero == 1 : g.Boss.Decision < 5;
  m.X = (onKurara ? g.Kurara.X : g.Tavo.X) - 40;
  m.SrcTop = 635;
  // A beam cut short by the end of an earlier fight must not start half-way
  // down, nor touch anyone before it is fired.
  m.Falling = 0;
  m.Y = g.CameraY;
}

// The beam grows down from the top of the screen for nine steps, then slides off the bottom.
void BeamStep(Game& g) {
  BossRecord& b = g.Boss;
  BossBeamRecord& m = g.BossBeam;
  b.Count += 1;
  if (b.Count == 14) {
    SoundPlay(g, Sfx::bossbimu);
    m.Y = g.CameraY;
  }
  if (b.Count <= 15) return;
  b.ArmRow = 325;
  b.HeadRow = 390;
  if (m.Falling == 0) {
    m.SrcTop -= 55;
    if (m.SrcTop < 185) m.Falling = 1;
  } else {
    m.Y += 35;
    if (m.Y > g.CameraY + 480) {
      m.Falling = 0;
      m.SrcTop = 635;
      m.Y = g.CameraY;
      b.Count = 0;
      b.ArmRow = 130;
      b.State = boss::Rise;
    }
  }
}

// The boss has dropped off the screen: on to the ending. Both heroes take part
// in the celebration, a fallen one too, on his feet with full health (at none
// he would die again before it began); nobody's lives change.
void EndOfFight(Game& g) {
  g.Boss.State = boss::Done;
  for (Hero* h : {&g.Tavo, &g.Kurara}) {
    h->Hurt = 0;
    h->Carried = 0;
    h->Carrying = 0;
    if (h->State == hero::Dead) HeroRespawn(*h);
    h->Out = 0;
    h->State = hero::Normal;
  }
  g.SceneId = scene::Ending;
  g.ending.EndingPhase = 0;
}

void StateStep(Game& g) {
  BossRecord& b = g.Boss;
  switch (b.State) {
    case boss::Rise:
      if (b.Y > 150) {
        b.Y -= 7;
      } else {
        b.State = Decide(g, 10) >= 6 ? boss::Charge : boss::SweepLeft;
      }
      break;
    case boss::SweepLeft:
      if (b.Y < 350) b.Y += 5;
      if (b.X > 120) {
        b.X -= 7;
      } else {
        b.State = boss::SweepRight;
      }
      break;
    case boss::SweepRight:
      if (b.X < 600) {
        b.X += 7;
      } else {
        b.State = Decide(g, 10) >= 6 ? boss::Pause : boss::Dash;
      }
      break;
    case boss::Pause:
      b.Count += 1;
      // At or past 50: a count left over from a fight that ended mid-dash
      // still ends the pause.
      if (b.Count >= 50) {
        b.State = boss::GoLowLeft;
        b.Count = 0;
      }
      break;
    case boss::GoLowLeft:
      if (b.X > 130) {
        b.X -= 7;
      } else if (b.Y < 430) {
        b.Y += 5;
      } else {
        const int32_t r = Decide(g, 10);
        b.State = r >= 7 ? boss::ClimbRight : r <= 2 ? boss::RiseToCharge : boss::SweepRightLow;
      }
      break;
    case boss::ClimbRight:
      if (b.Y > 150) b.Y -= 7;
      if (b.X < 600) b.X += 5;
      if (b.X >= 600 && b.Y <= 150) b.State = boss::Rise;
      break;
    case boss::Charge:
      b.ArmRow = 230;
      b.Count += 1;
      b.OrbY -= 5;
      if (b.Count > 50) {
        b.Count = 0;
        AimBeam(g);
        b.State = boss::Beam;
      }
      break;
    case boss::Beam: BeamStep(g); break;
    case boss::RiseToCharge:
      if (b.Y > 150) {
        b.Y -= 5;
      } else {
        b.State = boss::Charge;
      }
      break;
    case boss::SweepRightLow:
      if (b.Y < 430) b.Y += 5;
      if (b.X < 600) {
        b.X += 7;
      } else {
        b.State = Decide(g, 9) >= 4 ? boss::Rise : boss::Turn;
      }
      break;
    case boss::Turn:
      if (b.X > 300) {
        b.X -= 7;
      } else {
        b.Y -= 7;
      }
      if (b.Y > 150) b.State = boss::Charge;
      break;
    case boss::Dash:
      b.HeadRow = 390;
      b.Count += 1;
      if (b.Count > 30) b.X -= 15;
      if (b.X < 120) {
        b.State = boss::Pause;
        b.Count = 0;
      }
      break;
    case boss::Defeated:
      b.FallCount += 1;
      b.Y += b.FallCount;
      if (b.Y > g.CameraY + 600) EndOfFight(g);
      break;
    default: break;
  }
}

}  // namespace

void BossReset(Game& g) {
  BossRecord& b = g.Boss;
  const Settings& s = g.settings;
  b.X = 600;
  b.Y = 400;
  b.State = boss::Rise;
  b.WingDir = 1;
  b.ArmCol = 560;
  b.ArmRow = 130;
  b.HeadCol = 0;
  b.HeadRow = 0;
  b.Flash = 0;
  b.FallCount = 0;
  b.OrbY = b.HandBY - 60;
  b.HP = 35;
  if (s.EnemyAmount == s.EnemyAmountHigh) b.HP = 45;
  if (s.FullHitGauge == 1) b.HP = 75;
  if (s.FullHurtGauge == 1) b.HP = 150;
}

void BossStepParts(Game& g) {
  BossRecord& b = g.Boss;
  b.HeadX = b.X + 22;
  b.HeadY = b.Y + 2;
  b.HandAX = b.X + 112;
  b.HandAY = b.Y + 88;
  b.HandBX = b.X + 14;
  b.HandBY = b.Y + 73;
  b.FootAX = b.X + 92;
  b.FootAY = b.Y + 121;
  b.FootBX = b.X + 38;
  b.FootBY = b.Y + 121;
  b.WingAX = b.X - 65;
  b.WingAY = b.Y + 50;
  b.WingBX = b.X + 84;
  b.WingBY = b.Y + 60;
  b.BodyX = b.X + 10;
  b.BodyY = b.Y + 57;
}

void BossStep(Game& g) {
  BossRecord& b = g.Boss;
  Face(g);
  b.HeadRow = b.Y <= 200 ? 260 : 0;
  if (b.HP < 0) b.State = boss::Defeated;
  BossWingBeat(g);

  if (g.settings.OnePlayerMode != 1) {
    BossHitByTavo(g);
    BossHitByKurara(g);
  } else if (g.stage.ControlledHero == 1) {
    BossHitByKurara(g);
  } else {
    BossHitByTavo(g);
  }
  BossHitByThrow(g);

  StateStep(g);

  if (b.Flash == 1) b.HeadRow = 390;
  AdvanceSpark(b.Flash, b.FlashStep, b.SparkFrame);
}

void BossHitByTavo(Game& g) {
  Hero& t = g.Tavo;
  Harm(g, t, -50);
  PunchTest(g, t, 70, 210);
  BurstTest(g, t, false);
  SpinTest(g, t);
  ThrownTest(g, t);
}

void BossHitByKurara(Game& g) {
  Hero& k = g.Kurara;
  Harm(g, k, -55);
  PunchTest(g, k, 90, 190);
  BurstTest(g, k, true);
  SpinTest(g, k);
}

void BossHitByThrow(Game& g) {
  ThrownTest(g, g.Tavo);
  ThrownTest(g, g.Kurara);
}

void BossDraw(Game& g) {
  const BossRecord& b = g.Boss;
  const auto piece = [&](const Rect& r, int32_t x, int32_t y) {
    g.BlitRect = r;
    Draw(g, Bmp::char256, x, y);
  };
  DrawPiece(g, Bmp::char256, 240, b.WingRow, 400, b.WingRow + 155, b.WingAX, b.WingAY);
  DrawPiece(g, Bmp::char256, 400, b.WingRow, 555, b.WingRow + 155, b.WingBX, b.WingBY);
  piece(kBody, b.BodyX, b.BodyY);
  piece(kFoot, b.FootAX, b.FootAY);
  piece(kFoot, b.FootBX, b.FootBY);
  DrawPiece(g, Bmp::char256, b.HeadCol, b.HeadRow, b.HeadCol + 120, b.HeadRow + 125, b.HeadX, b.HeadY + 5);
  piece(kHandA, b.HandAX, b.HandAY);
  piece(kHandB, b.HandBX, b.HandBY);
  if (b.ArmCol == 560) {
    DrawPiece(g, Bmp::char256, 560, b.ArmRow, 640, b.ArmRow + 100, b.HandBX - 40, b.HandBY - 60);
  } else {
    DrawPiece(g, Bmp::char256, 650, b.ArmRow, 740, b.ArmRow + 110, b.HandAX - 30, b.HandAY - 60);
  }
  if (b.State == boss::Charge) piece(b.ArmCol == 560 ? kOrbArmLeft : kOrbArmRight, b.OrbX, b.OrbY);
  if (b.State == boss::Beam) {
    // The beam changes its look as the boss weakens.
    const int32_t look = b.HP >= 20 && b.HP <= 39 ? 4630 : b.HP < 20 ? 4780 : 4480;
    const BossBeamRecord& m = g.BossBeam;
    DrawPiece(g, Bmp::haikei256, look, m.SrcTop, look + 150, 630, m.X, m.Y);
  }
  if (b.Flash == 1) DrawPiece(g, Bmp::char256, 920 + b.SparkFrame, 570, 970 + b.SparkFrame, 620, b.X + 50, b.SparkY);
}

}  // namespace kt
