#include "autoplay/bot.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace kt::autoplay {

namespace {

// ---- what the player sees -----------------------------------------------------------

// The box in which an enemy's body knocks a hero, as the hero's position
// relative to the enemy's: left < H.X - X < right, top < H.Y - Y < bottom
// (crouchBottom while crouching); and the height band of a punch that reaches it.
struct Shape {
  int32_t left, right, top, bottom, crouchBottom, band;
};
constexpr Shape kGekShape{-55, 60, -70, 90, 40, 100};
constexpr Shape kWalkerShape{-60, 40, -70, 60, 20, 60};  // kurosuke, sikaky, mogeta, byoon
constexpr Shape kFlyerShape{-65, 35, -55, 10, -35, 60};  // patatta
constexpr Shape kBossShape{-55, 130, -30, 145, 70, 0};
constexpr Shape kSikakyBallShape{-60, 20, -70, 25, -20, 0};

struct Foe {
  const Enemy* e;
  Shape shape;
  bool gek;
  const char* kind;
  int32_t feet;  // how far below Y its feet stand; 0 for a flyer
  bool sikaky = false;
};

std::vector<Foe> FoesInView(const Game& g) {
  std::vector<Foe> foes;
  const StageState& s = g.stage;
  const auto add = [&](const EnemyTable& t, int32_t count, const Shape& shape, const char* kind, int32_t feet,
                       bool on) {
    if (!on) return;
    for (int32_t i = 1; i <= count && i < kEnemySlots; ++i) {
      const Enemy& e = t[static_cast<size_t>(i)];
      if (e.Gone != 0) continue;
      if (e.X < g.CameraX - 200 || e.X > g.CameraX + 840) continue;
      foes.push_back({&e, shape, &t == &g.enemies.gek, kind, feet, &t == &g.enemies.sikaky});
    }
  };
  add(g.enemies.gek, s.GekCount, kGekShape, "gek", 100, true);
  add(g.enemies.kurosuke, s.KurosukeCount, kWalkerShape, "kurosuke", 80, true);
  add(g.enemies.patatta, s.PatattaCount, kFlyerShape, "patatta", 0, true);
  add(g.enemies.sikaky, s.SikakyCount, kWalkerShape, "sikaky", 80, true);
  add(g.enemies.mogeta, s.MogetaCount, kWalkerShape, "mogeta", 55, g.settings.MogetaOff == 0);
  add(g.enemies.byoon, s.ByoonCount, kWalkerShape, "byoon", 55, g.settings.ByoonOff == 0);
  return foes;
}

// The forward hand's height once a punch reaches out.
int32_t PunchHandY(int32_t heroY) { return heroY + 64; }

// Whether a punch (or spin) thrown now, facing right or left, reaches the foe.
bool Reaches(const Hero& h, const Foe& f, bool right) {
  const Enemy& e = *f.e;
  if (e.Health <= 0 || e.Sparking != 0) return false;
  const int32_t hand = PunchHandY(h.Y);
  if (!(e.Y < hand + 18 && e.Y > hand - f.shape.band + 2)) return false;
  return right ? (h.X < e.X && e.X < h.X + 128) : (h.X >= e.X && e.X < h.X + 8 && e.X > h.X - 128);
}

bool Steerable(const Hero& h) { return h.State != hero::Dead && h.Carried == 0; }

// Steps the hero stays unhurtable from now.
int32_t ImmuneSteps(const Hero& h) {
  if (h.Hurt != 1) return 0;
  return h.HurtTimer > 50 ? h.HurtTimer - 50 : 50 - h.HurtTimer;
}

// ---- threats and plans -------------------------------------------------------------------

// Something that can knock a hero, moved forward step by step.
struct Threat {
  enum Kind { Box, Ball, Beam } kind = Box;
  int32_t x = 0, y = 0, vx = 0, vy = 0;
  bool falls = false;        // a box in the air falls (one pixel per step faster each step)...
  int32_t ground = 1 << 20;  // ...down to this Y
  Shape shape{};
  const Enemy* foe = nullptr;  // the enemy of a box or a ball
  // The beam: its column, and its count, top and height as the boss sets them;
  // while the boss charges, the steps until it aims at the hero.
  int32_t count = 0, srcTop = 635, beamY = 0, falling = 0, cameraY = 0;
  int32_t aimIn = -1;
};

// Whether the threat knocks a hero at (hx, hy) `t` steps from now.
bool Hits(const Threat& th, int32_t t, int32_t hx, int32_t hy, bool crouching) {
  constexpr int32_t kMargin = 8;
  switch (th.kind) {
    case Threat::Box: {
      int32_t y = th.y + th.vy * t;
      if (th.falls) {
        y = th.y;
        for (int32_t i = 0, vy = th.vy; i < t; ++i, ++vy) y = std::min(y + vy, th.ground);
      }
      const int32_t rx = hx - (th.x + th.vx * t), ry = hy - y;
      const int32_t bottom = crouching ? th.shape.crouchBottom : th.shape.bottom;
      return rx > th.shape.left - kMargin && rx < th.shape.right + kMargin && ry > th.shape.top - 6 &&
             ry < bottom + 6;
    }
    case Threat::Ball: {
      int32_t x = th.x, y = th.y, vy = th.vy;
      for (int32_t i = 0; i < t; ++i) {
        x -= 10;
        y += vy;
        vy = y >= 640 ? 0 : vy + 1;
      }
      const int32_t bottom = crouching ? 0 : 15;
      return x - 75 - kMargin < hx && hx < x + 15 + kMargin && y - 70 < hy && hy < y + bottom;
    }
    case Threat::Beam: {
      int32_t count = th.count, top = th.srcTop, y = th.beamY, falling = th.falling;
      for (int32_t i = 0; i < t; ++i) {
        count += 1;
        if (count == 14) y = th.cameraY;
        if (count <= 15) continue;
        if (falling == 0) {
          top -= 55;
          if (top < 185) falling = 1;
        } else {
          y += 35;
          if (y > th.cameraY + 480) return false;
        }
      }
      if (count < 14) return false;
      return hy - 30 - 6 < y + 630 - top && th.x - 65 - kMargin < hx && hx < th.x + 145 + kMargin;
    }
  }
  return false;
}

// What a hero does over the next steps.
struct Plan {
  int32_t dir = 0;  // walk
  bool crouch = false;
  bool jump = false;
  bool still = false;  // an attack keeps the hero in place
  bool dash = false;
};

constexpr int32_t kMaxHorizon = 48;

struct Path {
  int32_t x[kMaxHorizon], y[kMaxHorizon];
  bool crouched[kMaxHorizon];
};

// Moves a copy of the hero by the plan: walking, crouching, the jump and the
// fall, on the stage map, as the hero's own rules do.
Path Predict(const Game& g, const Hero& h, const Plan& p, int32_t steps) {
  Path path{};
  int32_t x = h.X, y = h.Y, vy = h.Vy, state = h.State, step = h.Step, timer = h.HurtTimer;
  const int32_t speed = (h.Speed > 0 ? h.Speed : 5) + (p.dash ? 2 : 0);
  const bool arena = g.SceneId == scene::BossStage;
  const auto onSolid = [&](int32_t px, int32_t py, std::initializer_list<int32_t> dxs) {
    const int32_t row = (py + 100) / kCellSize;
    for (int32_t dx : dxs)
      if (g.StageMap.Solid((px + dx) / kCellSize, row)) return true;
    return false;
  };
  for (int32_t t = 0; t < steps; ++t) {
    const bool blocked = (timer >= 2 && timer <= 19) || (state != hero::Normal && state != hero::InAir);
    if (p.jump && state == hero::Normal && onSolid(x, y, {0, 40, 65, 20, 85})) {
      state = hero::JumpCrouch;
      step = 0;
    }
    if (!p.still && !blocked && p.dir != 0) {
      x += p.dir * speed;
      if (arena) x = std::clamp(x, g.CameraX + 1, g.CameraX + 560);
    }
    if (state == hero::JumpCrouch) {
      step += 1;
      if (step >= (p.dir != 0 ? 5 : 8)) {
        state = hero::InAir;
        vy = -19;
      }
    } else if (state == hero::InAir || state == hero::Normal) {
      y += vy;
      vy += 1;
      if (vy >= 0 && onSolid(x, y, {0, 20, 80, 30})) {
        vy = 0;
        y = ((y + 100) / kCellSize) * kCellSize - 100;
        if (state == hero::InAir) state = hero::Normal;
      }
      y = std::min(y, g.stage.WorldMaxY);
    } else if (state == hero::Punch || state == hero::Spin) {
      if (++step >= 8) state = hero::Normal, step = 0;
    } else if (state == hero::Recovering) {
      if (timer > 30) state = hero::Normal;
    }
    if (h.Hurt == 1) timer += timer < 50 ? 1 : -1;
    path.x[t] = x;
    path.y[t] = y;
    path.crouched[t] = p.crouch && !(timer >= 2 && timer <= 29);
  }
  return path;
}

// ---- the boss's ways -------------------------------------------------------------------------

// Where the boss is when it tests the heroes in a coming step, and its beam.
struct BossFrame {
  int32_t x = 0, y = 0;
  bool beam = false;        // the beam can touch
  int32_t beamBottom = 0;   // its drawn bottom edge
  int32_t beamX = 0;        // its column, when it was aimed before now
  int32_t aimStep = 0;      // else the step it is aimed in (at the hero's X then)
  bool aimAtHero = true;    // aimed at the hero being planned for, else at the partner
};
using BossTrack = std::vector<BossFrame>;

struct BossSim {
  int32_t x, y, state, count, wingStep, wingDir, decision;
  int32_t srcTop, beamY, falling, beamX, aimStep;
  bool aimAtHero;
};

// Every way the boss can go in the next `steps` steps: its state machine as a
// player learns it, branching where it decides at random.
void BossWays(const Game& g, BossSim s, int32_t t, int32_t steps, BossTrack track, bool heroIsKurara,
              std::vector<BossTrack>& out) {
  const bool onePlayer = g.settings.OnePlayerMode == 1;
  const int32_t cameraY = g.CameraY;
  const auto branch = [&](BossSim next) { BossWays(g, next, t + 1, steps, track, heroIsKurara, out); };
  const auto aimAt = [&](int32_t decision) {
    // One player: the steered hero; two: Kurara below 5, else Tavo.
    const bool kurara = onePlayer ? g.stage.ControlledHero == 1 : decision < 5;
    return kurara == heroIsKurara;
  };
  for (; t < steps; ++t) {
    // The wing beat moves it before it tests the heroes.
    if (s.wingDir == 1) {
      if (++s.wingStep > 8) s.wingDir = 2;
    } else if (--s.wingStep < 1) {
      s.wingDir = 1;
    }
    if (s.wingStep >= 1 && s.wingStep <= 4) s.y -= 2;
    if (s.wingStep >= 5 && s.wingStep <= 8) s.y += 2;
    BossFrame f;
    f.x = s.x;
    f.y = s.y;
    f.beam = s.state == boss::Beam;
    f.beamBottom = s.beamY + 630 - s.srcTop;
    f.beamX = s.beamX;
    f.aimStep = s.aimStep;
    f.aimAtHero = s.aimAtHero;
    track.push_back(f);
    switch (s.state) {
      case boss::Rise:
        if (s.y > 150) {
          s.y -= 7;
        } else {
          BossSim a = s, b = s;
          a.state = boss::Charge;
          a.decision = 8;
          b.state = boss::SweepLeft;
          b.decision = 2;
          branch(a);
          branch(b);
          return;
        }
        break;
      case boss::SweepLeft:
        if (s.y < 350) s.y += 5;
        if (s.x > 120) s.x -= 7; else s.state = boss::SweepRight;
        break;
      case boss::SweepRight:
        if (s.x < 600) {
          s.x += 7;
        } else {
          BossSim a = s, b = s;
          a.state = boss::Pause;
          b.state = boss::Dash;
          branch(a);
          branch(b);
          return;
        }
        break;
      case boss::Pause:
        if (++s.count >= 50) s.state = boss::GoLowLeft, s.count = 0;
        break;
      case boss::GoLowLeft:
        if (s.x > 130) {
          s.x -= 7;
        } else if (s.y < 430) {
          s.y += 5;
        } else {
          BossSim a = s, b = s, c = s;
          a.state = boss::ClimbRight;
          b.state = boss::RiseToCharge;
          b.decision = 1;
          c.state = boss::SweepRightLow;
          branch(a);
          branch(b);
          branch(c);
          return;
        }
        break;
      case boss::ClimbRight:
        if (s.y > 150) s.y -= 7;
        if (s.x < 600) s.x += 5;
        if (s.x >= 600 && s.y <= 150) s.state = boss::Rise;
        break;
      case boss::Charge:
        if (++s.count > 50) {
          s.count = 0;
          s.state = boss::Beam;
          s.srcTop = 635;
          s.falling = 0;
          s.beamY = cameraY;
          s.aimStep = t + 1;
          s.aimAtHero = aimAt(s.decision);
        }
        break;
      case boss::Beam:
        if (++s.count == 14) s.beamY = cameraY;
        if (s.count > 15) {
          if (s.falling == 0) {
            s.srcTop -= 55;
            if (s.srcTop < 185) s.falling = 1;
          } else {
            s.beamY += 35;
            if (s.beamY > cameraY + 480) {
              s.falling = 0;
              s.srcTop = 635;
              s.beamY = cameraY;
              s.count = 0;
              s.state = boss::Rise;
            }
          }
        }
        break;
      case boss::RiseToCharge:
        if (s.y > 150) s.y -= 5; else s.state = boss::Charge;
        break;
      case boss::SweepRightLow:
        if (s.y < 430) s.y += 5;
        if (s.x < 600) {
          s.x += 7;
        } else {
          BossSim a = s, b = s;
          a.state = boss::Rise;
          b.state = boss::Turn;
          b.decision = 1;
          branch(a);
          branch(b);
          return;
        }
        break;
      case boss::Turn:
        if (s.x > 300) s.x -= 7; else s.y -= 7;
        if (s.y > 150) s.state = boss::Charge;
        break;
      case boss::Dash:
        if (++s.count > 30) s.x -= 15;
        if (s.x < 120) s.state = boss::Pause, s.count = 0;
        break;
      default:
        break;
    }
  }
  out.push_back(std::move(track));
}

std::vector<BossTrack> BossTracks(const Game& g, bool heroIsKurara, int32_t steps) {
  const BossRecord& b = g.Boss;
  const BossBeamRecord& m = g.BossBeam;
  BossSim s{b.X,  b.Y,      b.State,   b.Count, b.WingStep, b.WingDir, b.Decision,
            m.SrcTop, m.Y, m.Falling, m.X,     0,           true};
  std::vector<BossTrack> out;
  BossWays(g, s, 0, steps, {}, heroIsKurara, out);
  return out;
}

// The first step (1-based) at which a threat knocks the hero on this plan,
// past the steps he cannot be hurt; 0 when none does within `steps`.
int32_t FirstHit(const Game& g, const Hero& h, const Plan& p, const std::vector<Threat>& threats, int32_t steps,
                 const Enemy* ignoreAfterPunch = nullptr, const std::vector<BossTrack>* boss = nullptr,
                 int32_t partnerX = 0) {
  steps = std::min(steps, kMaxHorizon);
  const Path path = Predict(g, h, p, steps);
  const int32_t immune = ImmuneSteps(h);
  for (int32_t t = 0; t < steps; ++t) {
    if (t + 1 <= immune) continue;
    if (boss) {
      const int32_t hx = path.x[t], hy = path.y[t];
      for (const BossTrack& track : *boss) {
        if (t >= static_cast<int32_t>(track.size())) continue;
        const BossFrame& f = track[static_cast<size_t>(t)];
        const int32_t rx = hx - f.x, ry = hy - f.y;
        const int32_t bottom = path.crouched[t] ? kBossShape.crouchBottom : kBossShape.bottom;
        if (rx > kBossShape.left - 8 && rx < kBossShape.right + 8 && ry > kBossShape.top - 6 && ry < bottom + 6)
          return t + 1;
        if (f.beam) {
          const int32_t bx = f.aimStep <= 0 ? f.beamX
                                            : (f.aimAtHero ? path.x[std::min(f.aimStep, steps) - 1] : partnerX) - 40;
          if (hy - 36 < f.beamBottom && bx - 73 < hx && hx < bx + 153) return t + 1;
        }
      }
    }
    for (Threat th : threats) {
      // A foe the punch is about to knock away.
      if (th.foe && th.foe == ignoreAfterPunch && t + 1 >= 4) continue;
      // A charging boss aims where the hero will be.
      if (th.kind == Threat::Beam && th.aimIn >= 1) th.x = path.x[std::min(th.aimIn, steps) - 1] - 40;
      if (Hits(th, t + 1, path.x[t], path.y[t], path.crouched[t])) return t + 1;
    }
  }
  return 0;
}

}  // namespace

const char* HitCause(const Game& g, const Hero& h) {
  if (g.SceneId == scene::BossStage) {
    const BossBeamRecord& m = g.BossBeam;
    if (g.Boss.State == boss::Beam && m.X - 95 < h.X && h.X < m.X + 175) return "beam";
    return "boss";
  }
  // The hero has been knocked 20 pixels since.
  const char* best = "?";
  int32_t bestDistance = 1 << 30;
  for (const Foe& f : FoesInView(g)) {
    const Enemy& e = *f.e;
    if (f.gek && e.ShotX - 100 < h.X && h.X < e.ShotX + 40 && e.ShotY - 80 < h.Y && h.Y < e.ShotY + 25)
      return "gek ball";
    const int32_t rx = h.X - e.X, ry = h.Y - e.Y;
    if (rx > f.shape.left - 45 && rx < f.shape.right + 45 && ry > f.shape.top - 20 && ry < f.shape.bottom + 20) {
      const int32_t d = std::abs(rx - (f.shape.left + f.shape.right) / 2);
      if (d < bestDistance) {
        bestDistance = d;
        best = f.kind;
      }
    }
  }
  return best;
}

void Bot::Note(const Game& g, const Hero& h, const std::string& what) const {
  if (g.LastStepTick != g.FrameTick && g.SceneId != scene::BossStage) return;
  char buf[200];
  const BossRecord& b = g.Boss;
  std::snprintf(buf, sizeof buf, "%7.2f %s (%d,%d) st %d hurt %d/%d | boss (%d,%d) st %d cnt %d beam %d,%d | %s",
                g.FrameTick / 1000.0, &h == &g.Tavo ? "T" : "K", h.X, h.Y, h.State, h.Hurt, h.HurtTimer, b.X, b.Y,
                b.State, b.Count, g.BossBeam.X, g.BossBeam.SrcTop, what.c_str());
  notes_.push_back(buf);
  if (notes_.size() > 40) notes_.pop_front();
}

// ---- memory of the last step ------------------------------------------------------------

void Bot::Remember(const Game& g) {
  if (g.FrameTick == seenTick_) return;
  seenTick_ = g.FrameTick;
  // Only a pass in which a paced scene stepped moves anything.
  if (g.LastStepTick != g.FrameTick) return;
  std::unordered_map<const void*, Motion> now;
  const auto note = [&](const void* key, int32_t x, int32_t y) {
    Motion m{x, y, 0, 0};
    if (const auto it = motion_.find(key); it != motion_.end()) {
      m.vx = std::clamp(x - it->second.x, -20, 20);
      m.vy = std::clamp(y - it->second.y, -20, 20);
    }
    now[key] = m;
  };
  for (const Foe& f : FoesInView(g)) note(f.e, f.e->X, f.e->Y);
  note(&g.Boss, g.Boss.X, g.Boss.Y);
  motion_ = std::move(now);
}

Bot::Motion Bot::MotionOf(const void* key, int32_t x, int32_t y) const {
  if (const auto it = motion_.find(key); it != motion_.end() && it->second.x == x && it->second.y == y)
    return it->second;
  return {x, y, 0, 0};
}

// ---- the stage ------------------------------------------------------------------------

Intent Bot::StageIntent(const Game& g, const Hero& h, const Hero& partner, const Hero* lead) const {
  (void)partner;
  Intent i;
  if (!Steerable(h)) return i;
  if (!goal_.fight) {
    i.walk = 1;
    return i;
  }
  const auto foes = FoesInView(g);
  std::vector<Threat> threats;
  for (const Foe& f : foes) {
    const Enemy& e = *f.e;
    const Motion m = MotionOf(f.e, e.X, e.Y);
    // A defeated enemy only falls out.
    if (e.Health > 0) {
      Threat t;
      t.kind = Threat::Box;
      t.x = e.X;
      t.y = e.Y;
      t.vx = m.vx;
      t.vy = m.vy;
      t.shape = f.shape;
      t.foe = f.e;
      if (f.feet > 0) {
        // Where it would come down: the first solid row under its feet.
        t.ground = e.Y;
        for (int32_t y = e.Y; y < 640; y += kCellSize) {
          t.ground = y;
          if (g.StageMap.SolidAt(e.X + 20, y + f.feet) || g.StageMap.SolidAt(e.X + 40, y + f.feet)) break;
        }
        t.ground = (t.ground + f.feet) / kCellSize * kCellSize - f.feet;
        t.falls = m.vy != 0 || t.ground > e.Y;
        if (!t.falls) t.vy = 0;
      } else {
        t.vy = std::clamp(m.vy, -4, 4);
      }
      threats.push_back(t);
    }
    if (f.sikaky && e.ShotVy == 1 && e.Health > 0) {
      Threat b;
      b.kind = Threat::Box;
      b.x = e.ShotX;
      b.y = e.ShotY;
      b.vx = e.X > g.CameraX + 250 ? -10 : 10;
      b.shape = kSikakyBallShape;
      b.foe = f.e;
      threats.push_back(b);
    }
    if (f.gek && e.ShotY < 640) {
      Threat b;
      b.kind = Threat::Ball;
      b.x = e.ShotX;
      b.y = e.ShotY;
      b.vy = e.ShotVy;
      b.foe = f.e;
      threats.push_back(b);
    }
  }

  // The burst clears the view: fire it while the hero cannot be hurt through
  // the gathering, or when nothing is near.
  int32_t near = 0;
  for (const Foe& f : foes)
    if (f.e->Health > 0 && std::abs(f.e->X - h.X) < 400) ++near;
  const bool canBurst = h.HurtGauge >= 5 && h.BurstStep == 0 && h.State == hero::Normal;
  if (canBurst && near >= 1 && (ImmuneSteps(h) > 32 || (near >= 2 && FirstHit(g, h, {0, false, false, true}, threats, 32) == 0))) {
    i.burst = true;
    return i;
  }

  // A foe in reach: strike it where it stands.
  const bool facingRight = h.Facing == 0;
  const Foe* ahead = nullptr;
  const Foe* behind = nullptr;
  int32_t inReach = 0;
  for (const Foe& f : foes) {
    if (Reaches(h, f, facingRight)) {
      ahead = &f;
      ++inReach;
    } else if (Reaches(h, f, !facingRight) && std::abs(f.e->X - h.X) < 90) {
      behind = &f;
    }
  }
  const bool nearExit = h.X > g.stage.ExitX - 900;
  const bool canSpin = h.HitGauge >= 5 && h.BurstStep == 0 && !nearExit;
  if (ahead && (h.State == hero::Normal || h.State == hero::Punch || h.State == hero::InAir)) {
    Plan stay;
    stay.still = true;
    if (FirstHit(g, h, stay, threats, 6, ahead->e) == 0 || ImmuneSteps(h) > 6) {
      if (canSpin && (inReach >= 2 || ahead->e->Health >= 2))
        i.spin = true;
      else
        i.punch = true;
      return i;
    }
  }
  if (behind && h.State == hero::Normal) {
    i.walk = facingRight ? -1 : 1;
    i.punch = true;
    return i;
  }
  // A fast foe closing in: have the fist out when it arrives.
  for (const Foe& f : foes) {
    const Enemy& e = *f.e;
    const Motion m = MotionOf(f.e, e.X, e.Y);
    if (e.Health <= 0 || e.Sparking != 0) continue;
    const int32_t hand = PunchHandY(h.Y);
    if (!(e.Y < hand + 18 && e.Y > hand - f.shape.band + 2)) continue;
    const int32_t d = e.X - h.X;
    const bool closing = (d > 0 && m.vx <= -4) || (d < 0 && m.vx >= 4);
    if (!closing || std::abs(d) > 128 + 6 * std::abs(m.vx)) continue;
    if (h.State != hero::Normal && h.State != hero::Punch) continue;
    i.walk = (d > 0) == facingRight ? 0 : (d > 0 ? 1 : -1);
    i.punch = true;
    return i;
  }

  // Move on if it is safe; else wait, duck, or back off.
  const int32_t horizon = 14;
  int32_t on = 1;
  if (lead && Steerable(*lead)) {
    const int32_t place = lead->X - 110;
    on = h.X < place - 5 ? 1 : (h.X > place + 5 ? -1 : 0);
  }
  const int32_t back = on != 0 ? -on : -1;
  const Plan plans[] = {
      {on, false, false, false},   {on, true, false, false},   {0, false, false, false}, {0, true, false, false},
      {back, false, false, false}, {back, true, false, false}, {-back, false, false, false},
      {1, false, true, false},     {-1, false, true, false},
  };
  // Wait long enough and the hero pushes on through a hit.
  if (!lead && stuckSteps_ > 150) {
    i.walk = 1;
    return i;
  }
  int32_t best = -1, bestHit = -1;
  for (int32_t n = 0; n < static_cast<int32_t>(std::size(plans)); ++n) {
    const int32_t hit = FirstHit(g, h, plans[n], threats, horizon);
    if (hit == 0) {
      best = n;
      break;
    }
    if (hit > bestHit) {
      bestHit = hit;
      best = n;
    }
  }
  const Plan& p = plans[best];
  i.walk = p.dir;
  i.crouch = p.crouch;
  i.jump = p.jump;
  return i;
}

// ---- the boss ---------------------------------------------------------------------------

Intent Bot::BossIntent(const Game& g, const Hero& h, const Hero& partner, const Hero* lead) const {
  Intent i;
  if (!Steerable(h) || g.bossStage.BossPhase != 2) return i;
  const BossRecord& b = g.Boss;
  if (b.State == boss::Defeated || b.State == boss::Done) return i;
  const int32_t left = g.CameraX + 1, rightEdge = g.CameraX + 560;

  const std::vector<Threat> threats;
  const std::vector<BossTrack> tracks = BossTracks(g, &h == &g.Kurara, 64);
  const auto firstHit = [&](const Plan& p, int32_t steps) {
    return FirstHit(g, h, p, threats, steps, nullptr, &tracks, partner.X);
  };
  if (!goal_.fight) {
    i.walk = b.X > h.X ? 1 : -1;
    return i;
  }

  const bool inView = g.CameraX < b.X && b.X < g.CameraX + 640;
  if (h.HurtGauge >= 5 && h.BurstStep == 0 && b.Flash == 0 && inView && h.State == hero::Normal &&
      (ImmuneSteps(h) > 32 || firstHit({0, false, false, true}, 32) == 0)) {
    i.burst = true;
    return i;
  }

  // Where the boss can be struck from: a hero at (x, y) punching t steps from
  // now. Returns 1 striking from its left (facing right), 2 from its right.
  const bool kurara = &h == &g.Kurara;
  const int32_t flashLeft = b.Flash == 1 ? 18 - b.FlashStep : 0;
  const auto strikes = [&](int32_t t, int32_t x, int32_t y) {
    if (t <= flashLeft) return 0;
    for (const BossTrack& track : tracks) {
      if (t > static_cast<int32_t>(track.size())) continue;
      const BossFrame& f = track[static_cast<size_t>(t - 1)];
      const int32_t hand = y + 66;
      if (!(hand - 145 < f.y && f.y < hand + 20)) continue;
      if (x < f.x && f.x - 150 < x) return 1;
      if (x >= f.x && (kurara ? (f.x + 90 < x && x < f.x + 190) : (f.x + 70 < x && x < f.x + 210))) return 2;
    }
    return 0;
  };
  const bool canStrike = h.State == hero::Normal || h.State == hero::Punch || h.State == hero::InAir;
  if (canStrike) {
    for (int32_t t = 5; t <= 7; ++t) {
      const int32_t side = strikes(t, h.X, h.Y);
      if (side == 0) continue;
      const bool turn = (side == 1) != (h.Facing == 0);
      if (turn && strikes(t, h.X + (side == 1 ? 5 : -5), h.Y) != side) continue;
      Plan stay;
      stay.still = true;
      if (firstHit(stay, 9) != 0 && ImmuneSteps(h) <= 9) break;
      if (turn) i.walk = side == 1 ? 1 : -1;
      if (h.HitGauge >= 5 && h.BurstStep == 0)
        i.spin = true;
      else
        i.punch = true;
      Note(g, h, "strike at +" + std::to_string(t));
      return i;
    }
  }

  // Where to stand: the place from which the boss can be struck soonest,
  // within reach on foot or by a jump onto a ledge; else just left of it.
  int32_t spot = b.X - 100, spotY = h.Y;
  if (spot < left) spot = b.X + 150;
  int32_t soonest = 1 << 20;
  const bool grounded = h.State == hero::Normal && h.Vy == 0;
  const int32_t floorY = g.stage.WorldMaxY;
  const auto onLedgeAt = [&](int32_t x, int32_t y) {
    return y < floorY && (g.StageMap.SolidAt(x, y + 100) || g.StageMap.SolidAt(x + 20, y + 100) ||
                          g.StageMap.SolidAt(x + 80, y + 100) || g.StageMap.SolidAt(x + 30, y + 100));
  };
  if (grounded) {
    for (const int32_t y : {floorY, floorY - 80}) {
      for (int32_t x = left; x <= rightEdge; x += 10) {
        if (y != floorY && !onLedgeAt(x, y)) continue;
        if (lead && Steerable(*lead) && std::abs(x - lead->X) < 110) continue;
        int32_t travel = std::abs(x - h.X) / 5 + 1;
        if (y < h.Y) travel = std::max(travel, 46);  // crouch and jump up
        if (y > h.Y) travel += 14;                     // step off and drop
        for (int32_t t = travel + 5; t < 64 && t < soonest; ++t) {
          if (strikes(t, x, y) == 0) continue;
          if (t < soonest || (t == soonest && std::abs(x - h.X) < std::abs(spot - h.X))) {
            soonest = t;
            spot = x;
            spotY = y;
          }
          break;
        }
      }
    }
  }
  // Up onto a ledge: from under it, straight up.
  if (grounded && spotY < h.Y && std::abs(spot - h.X) <= 5) {
    const Plan up{0, false, true, false, false};
    if (firstHit(up, 40) == 0 || ImmuneSteps(h) > 20) {
      i.jump = true;
      Note(g, h, "up to the ledge");
      return i;
    }
  }
  spot = std::clamp(spot, left, rightEdge);
  const int32_t toward = std::abs(spot - h.X) <= 6 ? 0 : (spot > h.X ? 1 : -1);
  const int32_t away = toward != 0 ? -toward : (h.X > (left + rightEdge) / 2 ? -1 : 1);
  const Plan plans[] = {
      {toward, false, false, false, false},  {toward, true, false, false, false}, {0, false, false, false, false},
      {0, true, false, false, false},        {away, false, false, false, false},  {away, true, false, false, false},
      {-toward, false, false, false, false}, {toward, false, false, false, true}, {away, false, false, false, true},
      {-away, false, false, false, true},    {toward, false, true, false, false}, {away, false, true, false, false},
  };
  int32_t best = 0, bestHit = -1;
  for (int32_t n = 0; n < static_cast<int32_t>(std::size(plans)); ++n) {
    if (plans[n].dir == 0 && plans[n].dash) continue;
    const int32_t hit = firstHit(plans[n], 40);
    if (hit == 0) {
      best = n;
      break;
    }
    if (hit > bestHit) {
      bestHit = hit;
      best = n;
    }
  }
  const Plan& p = plans[best];
  i.walk = p.dir;
  i.crouch = p.crouch;
  i.jump = p.jump;
  i.dash = p.dash;
  Note(g, h, "plan " + std::to_string(best) + " dir " + std::to_string(p.dir) + (p.crouch ? " crouch" : "") +
                 (p.jump ? " jump" : "") + (p.dash ? " dash" : "") + " hit@" + std::to_string(bestHit) +
                 " tracks " + std::to_string(tracks.size()));
  return i;
}

// ---- the keys ----------------------------------------------------------------------------

void Bot::Press(const Hero& h, const Intent& i, const Pad& pad, KeyTable& k) const {
  if (i.walk != 0) {
    const uint8_t key = i.walk > 0 ? pad.right : pad.left;
    const int32_t flag = i.walk > 0 ? h.WalkRight : h.WalkLeft;
    // A dash: let go of the key while walking until the hero is ready to
    // dash, then hold it.
    const bool letGo = i.dash && h.Dashing == 0 && h.DashArmed == 0 && flag == 1;
    k[key] = !letGo;
  }
  // A jump once begun goes all the way up.
  if (i.jump || h.State == hero::JumpCrouch) k[pad.up] = true;
  if (i.crouch) k[pad.down] = true;
  if (i.punch) k[pad.punch] = true;
  if (i.spin) k[pad.spin] = true;
  if (i.burst) k[pad.burst] = true;
  if (i.lift) k[pad.lift] = true;
}

void Bot::Fight(const Game& g, KeyTable& k) {
  const bool bossStage = g.SceneId == scene::BossStage;
  const auto intent = [&](const Hero& h, const Hero& p, const Hero* lead = nullptr) {
    return bossStage ? BossIntent(g, h, p, lead) : StageIntent(g, h, p, lead);
  };
  // Progress, to push on when the hero has been held up too long.
  const Hero& lead = g.settings.OnePlayerMode == 1 && g.stage.ControlledHero == 1 ? g.Kurara : g.Tavo;
  if (g.LastStepTick == g.FrameTick) {
    if (lead.X > furthest_ + 4 || bossStage) {
      furthest_ = lead.X;
      stuckSteps_ = 0;
    } else if (++stuckSteps_ > 200) {
      stuckSteps_ = 0;
      furthest_ = lead.X;
    }
  }
  if (g.settings.OnePlayerMode == 1) {
    const bool kurara = g.stage.ControlledHero == 1;
    const Hero& h = kurara ? g.Kurara : g.Tavo;
    const Hero& p = kurara ? g.Tavo : g.Kurara;
    // The partner's burst or spin is armed and the steered hero's is not:
    // take the partner.
    const bool partnerReady = p.State != hero::Dead && p.Lives >= 1 && p.Carried == 0 && p.BurstStep == 0 &&
                              ((p.HurtGauge >= 5 && h.HurtGauge < 5) ||
                               (p.HitGauge >= 5 && h.HitGauge < 5 && h.HurtGauge < 5));
    if (bossStage && goal_.fight && partnerReady && h.Carrying == 0 && h.BurstStep == 0 &&
        (h.State == hero::Normal || h.State == hero::Recovering)) {
      k[vk::Space] = true;
      return;
    }
    Press(h, intent(h, p), kTavoPad, k);
  } else {
    Press(g.Tavo, intent(g.Tavo, g.Kurara, nullptr), kTavoPad, k);
    Press(g.Kurara, intent(g.Kurara, g.Tavo, &g.Tavo), kKuraraPad, k);
  }
}

void Bot::Options(const Game& g, KeyTable& k) {
  const Settings& s = g.settings;
  const int32_t row = g.front.OptionsRow;
  int32_t want = menu::RowExit;
  uint8_t change = 0;
  if (goal_.enemyAmount != 0 && s.EnemyAmount != goal_.enemyAmount) {
    want = menu::RowAmount;
    change = s.EnemyAmount < goal_.enemyAmount ? vk::Right : vk::Left;
  } else if (goal_.lives != 0 && s.LivesSetting != goal_.lives) {
    want = menu::RowLives;
    change = s.LivesSetting < goal_.lives ? vk::Right : vk::Left;
  }
  if (row < want) {
    k[vk::Down] = true;
  } else if (row > want) {
    k[vk::Up] = true;
  } else if (change != 0) {
    k[change] = true;
  } else {
    k[vk::Enter] = true;
    optionsDone_ = true;
  }
}

void Bot::FrontEnd(const Game& g, KeyTable& k) {
  switch (g.SceneId) {
    case scene::Title:
      k[vk::Enter] = true;
      break;
    case scene::Options:
      Options(g, k);
      break;
    case scene::Menu: {
      const FrontEndState& f = g.front;
      const Settings& s = g.settings;
      const bool needOptions = !optionsDone_ && ((goal_.enemyAmount != 0 && s.EnemyAmount != goal_.enemyAmount) ||
                                                 (goal_.lives != 0 && s.LivesSetting != goal_.lives));
      const int32_t wantRow = needOptions ? menu::RowOptions : menu::RowStart;
      const int32_t wantChoice = goal_.players == 2 ? menu::TwoPlayers : menu::OnePlayer;
      if (f.MenuRow < wantRow) {
        k[vk::Down] = true;
      } else if (f.MenuRow > wantRow) {
        k[vk::Up] = true;
      } else if (!needOptions && f.MenuChoice != wantChoice) {
        k[wantChoice == menu::TwoPlayers ? vk::Right : vk::Left] = true;
      } else {
        k[vk::Enter] = true;
        if (!needOptions && goal_.extraEnemies) k['M'] = k['B'] = true;
      }
      break;
    }
    case scene::Pause:
      k[g.PauseCursor == 0 ? vk::Enter : vk::Up] = true;
      break;
    default:
      break;
  }
}

KeyTable Bot::Keys(const Game& g) {
  Remember(g);
  KeyTable k{};
  if (g.SceneId == scene::Gameplay || g.SceneId == scene::BossStage)
    Fight(g, k);
  else
    FrontEnd(g, k);
  return k;
}

}  // namespace kt::autoplay
