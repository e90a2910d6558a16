#include "autoplay/foresight.hpp"

#include <algorithm>
#include <cstdlib>

namespace kt::autoplay {

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


// Steps the hero stays unhurtable from now.
int32_t ImmuneSteps(const Hero& h) {
  if (h.Hurt != 1) return 0;
  return h.HurtTimer > 50 ? h.HurtTimer - 50 : 50 - h.HurtTimer;
}

// ---- threats and plans -------------------------------------------------------------------


void BoxAt(const Threat& th, int32_t t, int32_t& x, int32_t& y) {
  x = th.x + th.vx * t;
  y = th.y + th.vy * t;
  if (th.falls) {
    y = th.y;
    for (int32_t i = 0, vy = th.vy; i < t; ++i) {
      y = std::min(y + vy, th.ground);
      vy = th.hops && y == th.ground ? -10 : vy + 1;
    }
  }
}

int32_t PunchLands(const Game& g, const Hero& h, const Foe& f, const Threat& body, bool right) {
  const Enemy& e = *f.e;
  // A sparking foe lets punches through.
  if (e.Health <= 0 || e.Sparking != 0) return 0;
  // The key is read in the next step, which makes the punch's first step;
  // the enemies test it before the hero's update, so they see its steps 5
  // to 7 in the 6th to 8th step from now, with the hands of the pose reset.
  const Path path = Predict(g, h, Plan{0, false, false, true, false}, 8);
  for (int32_t t = 6; t <= 8; ++t) {
    // A walker falls before it is tested and walks after.
    int32_t x = 0, y = 0, unused = 0;
    BoxAt(body, t, unused, y);
    BoxAt(body, t - 1, x, unused);
    const int32_t hx = path.x[t - 1], hand = path.y[t - 1] + 57;
    if (!(y < hand + 18 && y > hand - f.shape.band + 2)) continue;
    if (right ? (hx < x && x < hx + 128) : (hx >= x && x < hx + 8 && x > hx - 128)) return t;
  }
  return 0;
}

// Whether the threat knocks a hero at (hx, hy) `t` steps from now.
bool Hits(const Threat& th, int32_t t, int32_t hx, int32_t hy, bool crouching) {
  constexpr int32_t kMargin = 8;
  switch (th.kind) {
    case Threat::Box: {
      int32_t x = 0, y = 0;
      BoxAt(th, t, x, y);
      const int32_t rx = hx - x, ry = hy - y;
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
      x = std::clamp(x, 0, g.stage.WorldMaxX - 80);
    }
    if (state == hero::JumpCrouch) {
      step += 1;
      if (step >= (p.dir != 0 ? 5 : 8)) {
        state = hero::InAir;
        vy = -19;
      }
    } else if (state == hero::InAir) {
      if (vy >= 0 && onSolid(x, y, {0, 79, 20})) state = hero::Normal;
    } else if (state == hero::Punch || state == hero::Spin) {
      if (++step >= 8) state = hero::Normal, step = 0;
    } else if (state == hero::Recovering) {
      if (timer > 30) state = hero::Normal;
    }
    // The fall, in every state but the attacks that hold the hero in the air.
    if (state < hero::BurstGather || state > hero::Spin) {
      y += vy;
      vy += 1;
      if (vy >= 0 && onSolid(x, y, {0, 20, 80, 30})) {
        vy = 0;
        y = ((y + 100) / kCellSize) * kCellSize - 100;
      }
      y = std::min(y, g.stage.WorldMaxY);
    }
    if (h.Hurt == 1) timer += timer < 50 ? 1 : -1;
    path.x[t] = x;
    path.y[t] = y;
    path.crouched[t] = p.crouch && !(timer >= 2 && timer <= 29);
  }
  return path;
}

// ---- the boss's ways -------------------------------------------------------------------------

namespace {

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

}  // namespace

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
                 const Enemy* ignoreAfterPunch, const std::vector<BossTrack>* boss, int32_t partnerX,
                 int32_t punchLands) {
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
      if (th.foe && th.foe == ignoreAfterPunch && t + 1 >= punchLands) continue;
      // A charging boss aims where the hero will be.
      if (th.kind == Threat::Beam && th.aimIn >= 1) th.x = path.x[std::min(th.aimIn, steps) - 1] - 40;
      if (Hits(th, t + 1, path.x[t], path.y[t], path.crouched[t])) return t + 1;
    }
  }
  return 0;
}

const char* HitCause(const Game& g, const Hero& h) {
  if (g.bossStage.BossPhase == 2) {
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
    if (f.sikaky && e.ShotVy == 1 && e.ShotX - 90 < h.X && h.X < e.ShotX + 50 && e.ShotY - 80 < h.Y &&
        h.Y < e.ShotY + 35)
      return "sikaky ball";
    const int32_t rx = h.X - e.X, ry = h.Y - e.Y;
    if (rx > f.shape.left - 45 && rx < f.shape.right + 45 && ry > f.shape.top - 20 && ry < f.shape.bottom + 20) {
      const int32_t d = std::abs(rx - (f.shape.left + f.shape.right) / 2);
      if (d < bestDistance) {
        bestDistance = d;
        best = f.kind;
      }
    }
  }
  if (best[0] != '?') return best;
  // Fast movers are gone by the time the blow is seen: the nearest foe.
  int32_t nearest = 160;
  for (const Foe& f : FoesInView(g)) {
    const int32_t d = std::abs(f.e->X - h.X) + std::abs(f.e->Y - h.Y) / 2;
    if (d < nearest) {
      nearest = d;
      best = f.kind;
    }
  }
  return best;
}

}  // namespace kt::autoplay
