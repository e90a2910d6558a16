#include "autoplay/bot.hpp"

#include "autoplay/foresight.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace kt::autoplay {

namespace {
bool AutoNotes() {
  static const bool on = std::getenv("AUTOPLAY_NOTES") != nullptr;
  return on;
}

// The first usable plan that keeps the hero unhurt, or else the one that is
// hit the latest (the first plan if none is usable), and the step of its hit.
struct Pick {
  int32_t plan = 0, hit = -1;
};
template <size_t N, typename HitOf, typename Usable = bool (*)(const Plan&)>
Pick SafestPlan(
    const Plan (&plans)[N], HitOf hitOf, Usable usable = [](const Plan&) { return true; }) {
  Pick best;
  for (int32_t n = 0; n < static_cast<int32_t>(N); ++n) {
    if (!usable(plans[n])) continue;
    const int32_t hit = hitOf(plans[n]);
    if (hit == 0) return {n, 0};
    if (hit > best.hit) best = {n, hit};
  }
  return best;
}
}  // namespace

Bot::Bot(const BotGoal& goal, uint64_t seed) : goal_(goal), dice_(seed * 0x9e3779b97f4a7c15ULL + 0x2545f4914f6cdd1dULL) {
  if (seed == 0) return;  // the plain player, for the tests
  horizon_ = 12 + static_cast<int32_t>(Roll(5));
  gap_ = 100 + static_cast<int32_t>(Roll(26));
  startDelay_ = static_cast<int32_t>(Roll(41)) * 32;
}

uint32_t Bot::Roll(uint32_t n) const {
  uint64_t z = (dice_ += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  z ^= z >> 31;
  return static_cast<uint32_t>(z % n);
}

void Bot::Note(const Game& g, const Hero& h, const std::string& what) const {
  if (!stepped_) return;
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
  // Only a pass in which a paced scene stepped moves anything; a step moves
  // the mark of the last step on.
  stepped_ = g.LastStepTick != seenTick_;
  if (!stepped_) return;
  seenTick_ = g.LastStepTick;
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
  std::vector<Threat> bodies(foes.size());  // each foe's body as it moves
  for (size_t n = 0; n < foes.size(); ++n) {
    const Foe& f = foes[n];
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
        // The columns under its feet that the kind itself tests.
        const int32_t c0 = f.gek ? 20 : 0, c1 = f.gek ? 30 : 20;
        for (int32_t y = e.Y; y < 640; y += kCellSize) {
          t.ground = y;
          if (g.StageMap.SolidAt(e.X + c0, y + f.feet) || g.StageMap.SolidAt(e.X + c1, y + f.feet) ||
              g.StageMap.SolidAt(e.X + 60, y + f.feet))
            break;
        }
        t.ground = (t.ground + f.feet) / kCellSize * kCellSize - f.feet;
        t.falls = m.vy != 0 || t.ground > e.Y;
        t.hops = f.sikaky && (e.State == 1 || e.State == 2);
        if (!t.falls) t.vy = 0;
      } else {
        t.vy = std::clamp(m.vy, -4, 4);
      }
      threats.push_back(t);
      bodies[n] = t;
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
    Note(g, h, "burst");
    return i;
  }

  // A foe in reach: strike it where it stands.
  const bool facingRight = h.Facing == 0;
  // A punch lands from its fifth step on: strike where the foe will be then.
  const Foe* ahead = nullptr;
  const Foe* behind = nullptr;
  int32_t inReach = 0, lands = 0;
  for (size_t n = 0; n < foes.size(); ++n) {
    const Foe& f = foes[n];
    if (const int32_t t = PunchLands(g, h, f, bodies[n], facingRight); t != 0) {
      if (!ahead || t < lands) ahead = &f, lands = t;
      ++inReach;
    } else if (PunchLands(g, h, f, bodies[n], !facingRight) != 0 && std::abs(f.e->X - h.X) < 90) {
      behind = &f;
    }
  }
  const bool nearExit = h.X > g.stage.ExitX - 900;
  const bool canSpin = h.HitGauge >= 5 && h.BurstStep == 0 && !nearExit;
  if (ahead && (h.State == hero::Normal || h.State == hero::Punch || h.State == hero::InAir)) {
    Plan stay;
    stay.still = true;
    if (FirstHit(g, h, stay, threats, lands + 1, ahead->e, nullptr, 0, lands) == 0 || ImmuneSteps(h) > lands + 1) {
      if (canSpin && (inReach >= 2 || ahead->e->Health >= 2))
        i.spin = true;
      else
        i.punch = true;
      Note(g, h, std::string(i.spin ? "spin " : "punch ") + ahead->kind + " at " + std::to_string(ahead->e->X) + "," +
                     std::to_string(ahead->e->Y));
      return i;
    }
  }
  if (behind && h.State == hero::Normal) {
    i.walk = facingRight ? -1 : 1;
    i.punch = true;
    Note(g, h, std::string("turn and punch ") + behind->kind);
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
    Note(g, h, std::string("fist out for ") + f.kind + " at " + std::to_string(e.X) + "," + std::to_string(e.Y));
    return i;
  }

  // Move on if it is safe; else wait, duck, or back off.
  const int32_t horizon = horizon_;
  int32_t on = 1;
  Memory& m = memory_[&h == &g.Kurara ? 1 : 0];
  // Now and then the player stops a moment on the way (his own dice).
  if (m.tick != g.FrameTick && dice_ != 0 && static_cast<int32_t>(g.FrameTick - m.pauseUntil) > 0 &&
      Roll(700) == 0)
    m.pauseUntil = static_cast<int32_t>(g.FrameTick) + 32 * (1 + static_cast<int32_t>(Roll(10)));
  if (static_cast<int32_t>(m.pauseUntil - g.FrameTick) > 0) on = 0;
  if (lead && Steerable(*lead)) {
    const int32_t place = lead->X - gap_;
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
  // Knocked against the right edge of the view, a hero cannot walk on (the
  // view follows only a hero who moves): a step back frees him.
  if (on > 0 && h.State == hero::Normal && h.X + 80 >= g.CameraX + 640) {
    i.walk = -1;
    return i;
  }
  int32_t best = -1, bestHit = -1;
  Plan p = plans[0];
  if (m.escaping && m.tick != g.FrameTick && FirstHit(g, h, plans[0], threats, horizon) != 0 &&
      FirstHit(g, h, m.plan, threats, horizon) == 0) {
    p = m.plan;
  } else {
    const Pick pick = SafestPlan(plans, [&](const Plan& q) { return FirstHit(g, h, q, threats, horizon); });
    best = pick.plan;
    bestHit = pick.hit;
    p = plans[best];
  }
  if (m.tick != g.FrameTick) {
    // Backing off is an escape; walking on or waiting is not.
    m.escaping = p.dir == back && back != on;
    m.plan = p;
    m.tick = g.FrameTick;
    // A wall in the way: walking on the ground without getting anywhere.
    if (stepped_) {
      const bool walking = p.dir != 0 && h.State == hero::Normal && h.Vy == 0 && !p.jump &&
                           !(h.HurtTimer >= 2 && h.HurtTimer <= 19) && h.X > g.CameraX + 1;
      m.blocked = walking && h.X == m.lastX ? m.blocked + 1 : 0;
      m.lastX = h.X;
    }
  }
  i.walk = p.dir;
  i.crouch = p.crouch;
  i.jump = p.jump;
  // Up onto what blocks the way.
  if (m.blocked >= 4 && p.dir != 0) i.jump = true;
  if (AutoNotes()) {
    std::string seen;
    for (size_t n = 0; n < foes.size(); ++n)
      if (std::abs(foes[n].e->X - h.X) < 250 && foes[n].e->Health > 0)
        seen += std::string(" ") + foes[n].kind + "(" + std::to_string(foes[n].e->X) + "," +
                std::to_string(foes[n].e->Y) + " v" + std::to_string(bodies[n].vx) + "," +
                std::to_string(bodies[n].vy) + ")";
    Note(g, h, "plan " + std::to_string(best) + " dir " + std::to_string(p.dir) + (p.crouch ? " crouch" : "") +
                   (i.jump ? " jump" : "") + " hit@" + std::to_string(bestHit) + seen);
  }
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
  // Where the hero will be if he only holds his fist out: in the air he goes on flying.
  const Path still = Predict(g, h, Plan{0, false, false, true, false}, 8);
  if (canStrike) {
    for (int32_t t = 5; t <= 7; ++t) {
      const int32_t side = strikes(t, still.x[t - 1], still.y[t - 1]);
      if (side == 0) continue;
      const bool turn = (side == 1) != (h.Facing == 0);
      if (turn && strikes(t, still.x[t - 1] + (side == 1 ? 5 : -5), still.y[t - 1]) != side) continue;
      // Held in place (or in flight) through the punch and a little after.
      Plan stay;
      stay.still = true;
      if (firstHit(stay, 16) != 0 && ImmuneSteps(h) <= 16) break;
      if (turn) i.walk = side == 1 ? 1 : -1;
      if (h.HitGauge >= 5 && h.BurstStep == 0)
        i.spin = true;
      else
        i.punch = true;
      Note(g, h, "strike at +" + std::to_string(t));
      return i;
    }
  }

  // A jump puts the fist where the boss will be: up, and strike on the way.
  const bool grounded0 = h.State == hero::Normal && h.Vy == 0;
  if (grounded0 && b.Flash == 0 && h.X > left + 50 && h.X < rightEdge - 50) {
    const Plan up{0, false, true, false, false};
    const Path flight = Predict(g, h, up, 40);
    for (int32_t t = 14; t < 40; ++t) {
      if (flight.y[t - 1] >= h.Y - 40 || strikes(t, flight.x[t - 1], flight.y[t - 1]) == 0) continue;
      if (firstHit(up, 40) == 0 || ImmuneSteps(h) > 40) {
        i.jump = true;
        Note(g, h, "jump to strike at +" + std::to_string(t));
        return i;
      }
      break;
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
        // A corner leaves no way out: not against the walls, nor up on a
        // ledge against the wall the boss sweeps towards.
        if (x < left + 50 || x > rightEdge - 50) continue;
        if (y != floorY && x < (left + rightEdge) / 2) continue;
        if (lead && Steerable(*lead) && std::abs(x - lead->X) < 110) continue;
        int32_t travel = std::abs(x - h.X) / 5 + 1;
        if (y < h.Y) travel = std::max(travel, 46);  // crouch and jump up
        if (y > h.Y) travel += 14;                     // step off and drop
        for (int32_t t = travel + 5; t < 64 && t < soonest; ++t) {
          const bool jumpStrike = y == floorY && t >= travel + 14 && strikes(t, x, y - 150) != 0;
          if (strikes(t, x, y) == 0 && !jumpStrike) continue;
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
  Plan p = plans[0];
  // An escape under way goes on while it stays safe: two escapes that are
  // both safe must not take turns.
  Memory& m = memory_[&h == &g.Kurara ? 1 : 0];
  if (m.escaping && m.tick != g.FrameTick && firstHit(plans[0], 40) != 0 && firstHit(m.plan, 40) == 0) {
    p = m.plan;
    best = -1;
  } else {
    const Pick pick = SafestPlan(plans, [&](const Plan& q) { return firstHit(q, 40); },
                                 [](const Plan& q) { return q.dir != 0 || !q.dash; });
    best = pick.plan;
    bestHit = pick.hit;
    p = plans[best];
  }
  if (m.tick != g.FrameTick) {
    m.escaping = best != 0 && p.dir != 0;
    m.plan = p;
    m.tick = g.FrameTick;
  }
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
  if (stepped_) {
    if (lead.X > furthest_ + 4 || bossStage) {
      furthest_ = lead.X;
      stuckSteps_ = 0;
    } else if (++stuckSteps_ > 200) {
      stuckSteps_ = 0;
      furthest_ = lead.X;
    }
  }
  // The player looks a moment before he sets out.
  if (!bossStage && startUntil_ < 0) startUntil_ = static_cast<int32_t>(g.FrameTick) + startDelay_;
  if (!bossStage && static_cast<int32_t>(g.FrameTick) - startUntil_ < 0) return;
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
