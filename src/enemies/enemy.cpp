#include "enemies/enemy.hpp"

#include "loop/sound.hpp"

namespace kt {

int32_t SlotsInPlay(int32_t count) { return count < kEnemySlots ? count : kEnemySlots - 1; }

bool NearAHero(const Game& g, const Enemy& e, int32_t reach) {
  for (const Hero* h : {&g.Kurara, &g.Tavo})
    if (h->X - reach < e.X && e.X < h->X + reach) return true;
  return false;
}

bool DropOutOfView(const Game& g, Enemy& e) {
  if (e.Y < g.CameraY + 580) return false;
  e.Vy = 0;
  e.Gone = 1;
  e.Y = g.CameraY + 580;
  return true;
}

bool CellSolid(const Game& g, int32_t x, int32_t y) { return g.StageMap.SolidAt(x, y); }

bool SpinSlide(const Game& g, Enemy& e, bool right, int32_t vy, int32_t nextState) {
  if (right ? e.X + 80 < g.CameraX + 640 : e.X > g.CameraX) {
    e.X += right ? 20 : -20;
    return true;
  }
  e.Vy = vy;
  e.State = nextState;
  e.Sparking = 1;
  return false;
}

void ApplyPose(Enemy& e, int32_t f) {
  using namespace pose_table;
  const auto at = [&](int table) { return e.Pose[static_cast<size_t>(table)][static_cast<size_t>(f)]; };
  e.HandAX = e.X + at(HandAOffX);
  e.HandAY = e.Y + at(HandAOffY);
  e.HandBX = e.X + at(HandBOffX);
  e.HandBY = e.Y + at(HandBOffY);
  e.FootAX = e.X + at(FootAOffX);
  e.FootAY = e.Y + at(FootAOffY);
  e.FootBX = e.X + at(FootBOffX);
  e.FootBY = e.Y + at(FootBOffY);
}

void AdvanceSpark(int32_t& sparking, int32_t& step, int32_t& frame, int32_t lastFrameX) {
  if (sparking == 1) {
    step += 1;
    if (step > 17) {
      sparking = 0;
      step = 0;
    }
  }
  // Frames by step: 1-2, 3, 4, 5-6, 7, 8-9, 10-11, 12-13, 14-15, 16-17.
  static constexpr int32_t kFrame[] = {-1, 0, 0, 50, 100, 150, 150, 200, 250, 250, 300, 300, 350, 350, 400, 400};
  if (step >= 1 && step <= 15) frame = kFrame[step];
  if (step == 16 || step == 17) frame = lastFrameX;
}

void AdvanceSpark(Enemy& e, int32_t lastFrameX) { AdvanceSpark(e.Sparking, e.SparkStep, e.SparkOffX, lastFrameX); }

void RaiseCombo(Game& g, const Enemy& e) {
  if (g.hud.ComboCount < e.HitCount) g.hud.ComboCount = e.HitCount;
}

void ComboOnLanding(Game& g, const Enemy& e, bool capped) {
  HudState& s = g.hud;
  if (s.ComboCount != e.HitCount) return;
  s.ComboShow = 1;
  s.ComboX = g.CameraX - 100;
  s.ComboY = g.CameraY + 80;
  if (capped && s.ComboCount >= 100) {
    s.ComboTens = 9;
    s.ComboOnes = 9;
  } else {
    s.ComboTens = s.ComboCount / 10;
    s.ComboOnes = s.ComboCount % 10;
  }
  s.ComboCount = 0;
}

namespace {

bool ContactTest(Enemy& e, Hero& h, const HitNumbers& n) {
  if (h.Hurt != 0 || h.Carried != 0 || h.State == hero::Dead || e.State == n.contactOffState) return false;
  if (n.contactNeedsHealth && e.Health <= 0) return false;
  if (n.contactNeedsNoSpark && e.Sparking != 0) return false;
  const int32_t bottom = h.Crouching == 1 ? n.contactBottomCrouch : n.contactBottom;
  if (!(h.Y < e.Y + bottom && h.Y > e.Y + n.contactTop && h.X < e.X + n.contactRight && h.X > e.X + n.contactLeft))
    return false;
  h.State = h.X + 40 < e.X + n.knockLine ? hero::StruckFromRight : hero::StruckFromLeft;
  h.Hurt = 1;
  return true;
}

// The reach of a punch or a spin: the forward hand's band on the hero's side.
// Returns 1 for a hero on the left, 2 on the right, 0 for a miss.
int Reach(const Enemy& e, const Hero& h, const HitNumbers& n) {
  if (h.X < e.X) {
    return e.X < h.X + 135 && e.Y < h.HandAY + 20 && e.Y > h.HandAY - n.bandAbove && h.Facing == 0 ? 1 : 0;
  }
  return e.X + 50 < h.X + 60 && e.X > h.X - 135 && e.Y < h.HandBY + 20 && e.Y > h.HandBY - n.bandAbove &&
                 h.Facing == 80
             ? 2
             : 0;
}

}  // namespace

bool EnemyContact(Enemy& e, Hero& h, const HitNumbers& n) { return ContactTest(e, h, n); }

Struck EnemyStrikes(Game& g, Enemy& e, Hero& h, const HitNumbers& n, Sfx hitSound) {
  Struck struck = Struck::None;
  const bool strikesCount = e.Sparking == 0 && (!n.strikesNeedUncarried || h.Carried == 0);
  if (h.State == hero::Punch && h.Step > 4 && strikesCount) {
    if (const int side = Reach(e, h, n)) {
      e.State = side == 1 ? n.firstHit : n.secondHit;
      e.Health -= 1;
      h.HitGauge += 1;
      SoundPlay(g, hitSound);
      struck = Struck::Punch;
    }
  }
  if (h.State == hero::Burst && g.CameraX < e.X && e.X < g.CameraX + 640) {
    e.State = n.firstHit;
    e.Health = 0;
    struck = Struck::Burst;
  }
  if (h.State == hero::Spin && h.Step > 4 && e.Sparking == 0 && (!n.strikesNeedUncarried || h.Carried == 0)) {
    if (const int side = Reach(e, h, n)) {
      e.State = side == 1 ? n.spinLeftHero : n.spinRightHero;
      e.Health = 0;
      SoundPlay(g, hitSound);
      struck = Struck::Spin;
    }
  }
  return struck;
}

Struck HitByHero(Game& g, Enemy& e, Hero& h, const HitNumbers& n, Sfx hitSound) {
  ContactTest(e, h, n);
  return EnemyStrikes(g, e, h, n, hitSound);
}

void HitByThrow(Game& g, Enemy& e, const HitNumbers& n) {
  for (Hero* h : {&g.Tavo, &g.Kurara}) {
    if (h->State != hero::ThrownRight && h->State != hero::ThrownLeft) continue;
    if (n.throwNeedsNoSpark && e.Sparking != 0) continue;
    if (h->Y < e.Y + n.throwBottom && h->Y > e.Y - 35 && h->X < e.X + n.throwRight && h->X > e.X - 50) {
      e.State = h->X + 40 < e.X + 20 ? n.firstHit : n.secondHit;
      e.Health -= 2;
      SoundPlay(g, Sfx::K_yarare);
    }
  }
}

}  // namespace kt
