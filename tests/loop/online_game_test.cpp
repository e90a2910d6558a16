// Two online games in one process, their packets carried through a queue
// that delays, jitters, loses and reorders them on a fake clock: every final
// step hashes the same on both machines and in a local replay of the demo
// each wrote; rollbacks happen and sound as they should; a silent partner or
// differing states end the game.
#include <gtest/gtest.h>

#include <deque>
#include <random>

#include "loop/online_game.hpp"
#include "loop/sound.hpp"
#include "net_rig.hpp"

namespace kt {
namespace {

using test::NetGame;
using test::RandomPlayer;

// One direction of a network: each packet arrives after the delay plus a
// random jitter, or is lost.
class Wire {
 public:
  Wire(uint32_t delay, uint32_t jitter, double loss, uint64_t seed)
      : delay_(delay), jitter_(jitter), loss_(loss), rng_(seed) {}
  void Put(const net::Message& m, uint32_t now) {
    if (std::uniform_real_distribution<double>(0, 1)(rng_) < loss_) return;
    const uint32_t j = jitter_ ? static_cast<uint32_t>(rng_() % (2 * jitter_ + 1)) : jitter_;
    queue_.push_back({now + delay_ + j - jitter_, net::Encode(m)});
  }
  // Delivers what is due, in the order it falls due (so jitter reorders).
  template <typename F>
  void Deliver(uint32_t now, F take) {
    std::stable_sort(queue_.begin(), queue_.end(), [](const auto& a, const auto& b) { return a.at < b.at; });
    while (!queue_.empty() && static_cast<int32_t>(now - queue_.front().at) >= 0) {
      const auto m = net::Decode(queue_.front().bytes);
      queue_.pop_front();
      ASSERT_TRUE(m);
      take(*m);
    }
  }

 private:
  struct Packet {
    uint32_t at;
    std::vector<uint8_t> bytes;
  };
  uint32_t delay_, jitter_;
  double loss_;
  std::mt19937_64 rng_;
  std::deque<Packet> queue_;
};

struct Net {
  uint32_t rtt = 0, jitter = 0;
  double loss = 0;
};

// Host and partner joined by two wires, on one fake clock.
struct Pair {
  Pair(const Net& net, uint64_t seed, net::GameSettings settings = {}, uint8_t delay = 2)
      : a(11), b(22),  // different start-up seeds: the game's seed comes from the host
        toB(net.rtt / 2, net.jitter, net.loss, seed),
        toA(net.rtt / 2, net.jitter, net.loss, seed + 1),
        start{1, seed, 777, delay, settings},
        partnerStarts(now + net.rtt / 2 + 1) {
    host = std::make_unique<OnlineGame>(*a.game, Side::Host, start, a.fresh, std::vector<std::ostream*>{&demoA},
                                        [this](const net::Message& m, bool) { toB.Put(m, now); }, now);
  }

  // One millisecond: packets due arrive, then each machine makes a pass.
  void Tick(uint16_t hostInput, uint16_t partnerInput) {
    ++now;
    if (!partner && static_cast<int32_t>(now - partnerStarts) >= 0)
      partner = std::make_unique<OnlineGame>(*b.game, Side::Partner, start, b.fresh,
                                             std::vector<std::ostream*>{&demoB},
                                             [this](const net::Message& m, bool) { toA.Put(m, now); }, now);
    if (cut) return;
    toA.Deliver(now, [&](const net::Message& m) { Take(host.get(), m); });
    toB.Deliver(now, [&](const net::Message& m) { Take(partner.get(), m); });
    host->Pass(now, hostInput);
    if (partner) partner->Pass(now, partnerInput);
  }
  void Take(OnlineGame* g, const net::Message& m) {
    if (!g) return;
    if (const auto* in = std::get_if<net::Input>(&m)) g->Take(*in, now);
    if (const auto* bye = std::get_if<net::Bye>(&m)) g->PartnerOutOfStep(bye->frame);
  }
  bool Playing() const {
    return host->GetState() == OnlineGame::State::Playing &&
           (!partner || partner->GetState() == OnlineGame::State::Playing);
  }

  uint32_t now = 5000;
  NetGame a, b;
  std::ostringstream demoA, demoB;
  Wire toB, toA;
  net::Start start;
  uint32_t partnerStarts;
  std::unique_ptr<OnlineGame> host, partner;
  bool cut = false;  // the wires are cut: nothing arrives, nothing is sent
};

struct Outcome {
  std::vector<uint64_t> host, partner;  // final step hashes
  std::string hostDemo, partnerDemo;
  int64_t rollbacks = 0;
  int32_t frames = 0;
};

Outcome Finish(Pair& p) {
  Outcome o;
  o.rollbacks = p.host->Frames().Rollbacks() + p.partner->Frames().Rollbacks();
  o.frames = p.host->Frames().Final();
  o.host = p.host->Frames().FinalHashes();
  o.partner = p.partner->Frames().FinalHashes();
  p.host.reset();  // writes the demos' ends
  p.partner.reset();
  o.hostDemo = p.demoA.str();
  o.partnerDemo = p.demoB.str();
  return o;
}

// Plays `frames` frames of an online game between two machines.
Outcome Play(const Net& net, int32_t frames, uint64_t seed) {
  Pair p(net, seed);
  RandomPlayer playerA(seed * 3 + 1), playerB(seed * 5 + 2);
  const uint32_t limit = p.now + 40 * kFrameMs * static_cast<uint32_t>(frames);
  while (!p.partner || p.partner->Frames().Final() < frames || p.host->Frames().Final() < frames) {
    p.Tick(playerA.Input(p.now), playerB.Input(p.now));
    if (!p.Playing() || static_cast<int32_t>(p.now - limit) > 0) {
      ADD_FAILURE() << "the game stopped at " << p.now;
      break;
    }
  }
  return Finish(p);
}

void ExpectTheSameGame(const Outcome& o) {
  const size_t n = std::min(o.host.size(), o.partner.size());
  ASSERT_GT(n, 100u);
  for (size_t i = 0; i < n; ++i) ASSERT_EQ(o.host[i], o.partner[i]) << "step " << i + 1 << " differs";
  ReplayResult r;
  const std::vector<uint64_t> local = test::ReplayHashes(o.hostDemo, &r);
  ASSERT_FALSE(r.mismatch) << DescribeMismatch(*r.mismatch);
  ASSERT_EQ(local.size(), o.host.size());
  for (size_t i = 0; i < local.size(); ++i) ASSERT_EQ(local[i], o.host[i]) << "the local replay differs at step " << i + 1;
  const std::vector<uint64_t> other = test::ReplayHashes(o.partnerDemo, &r);
  ASSERT_FALSE(r.mismatch) << DescribeMismatch(*r.mismatch);
  EXPECT_EQ(other.size(), o.partner.size());
}

TEST(OnlineGame, OneGameOnBothMachinesAndInAReplay) {
  for (const Net net : {Net{0, 0, 0}, Net{60, 20, 0.05}, Net{150, 20, 0.10}}) {
    SCOPED_TRACE(std::to_string(net.rtt) + " ms, jitter " + std::to_string(net.jitter) + ", loss " +
                 std::to_string(net.loss));
    const Outcome o = Play(net, 600, 42 + net.rtt);
    ExpectTheSameGame(o);
    if (net.rtt >= 150) {
      EXPECT_GT(o.rollbacks, 0);
    }
  }
}

}  // namespace
}  // namespace kt

namespace kt {
namespace {

// The host pauses, the partner moves the cursor down to "quit to the title"
// with his own keys, the host chooses: both games end at the same step.
TEST(OnlineGame, BothPlayersWorkThePauseMenu) {
  Pair p({60, 10, 0.05}, 7);
  const auto hold = [&](uint32_t ms, uint16_t host, uint16_t partner) {
    for (uint32_t end = p.now + ms; p.now != end && p.Playing();) p.Tick(host, partner);
  };
  hold(4000, net::input::Right, net::input::Right);  // the walk-in, then into the stage
  hold(200, net::input::Enter, 0);
  hold(400, 0, 0);
  ASSERT_EQ(p.a.game->SceneId, scene::Pause);
  for (int i = 0; i < 2; ++i) {
    hold(150, 0, net::input::Down);
    hold(150, 0, 0);
  }
  EXPECT_EQ(p.a.game->PauseCursor, 2);
  hold(150, net::input::Enter, 0);
  for (int i = 0; i < 1000; ++i) p.Tick(0, 0);  // an ended game still sends what its partner lacks
  EXPECT_EQ(p.host->GetState(), OnlineGame::State::Ended);
  EXPECT_EQ(p.partner->GetState(), OnlineGame::State::Ended);
  EXPECT_EQ(p.host->Frames().Final(), p.partner->Frames().Final());
  const Outcome o = Finish(p);
  ExpectTheSameGame(o);
  ReplayResult r;
  test::ReplayHashes(o.hostDemo, &r);
  EXPECT_TRUE(r.Ran(scene::Pause));
  EXPECT_EQ(r.finalScene, scene::TitleSetup);
}

TEST(OnlineGame, APartnerSilentForThreeSecondsHasLeft) {
  Pair p({60, 0, 0}, 3);
  for (int i = 0; i < 3000; ++i) p.Tick(net::input::Right, 0);
  ASSERT_TRUE(p.Playing());
  const int32_t final = p.host->Frames().Final();
  p.cut = true;
  for (int i = 0; i < 2900; ++i) p.Tick(0, 0);
  p.cut = false;
  p.partner.reset();  // the partner's machine is gone
  for (int i = 0; i < 200 && p.host->GetState() == OnlineGame::State::Playing; ++i) {
    ++p.now;
    p.host->Pass(p.now, 0);
  }
  EXPECT_EQ(p.host->GetState(), OnlineGame::State::PartnerLeft);
  // It played on alone no further than its guesses allow, and kept its final frames.
  EXPECT_LE(p.host->Frames().NextFrame() - 1, p.host->Frames().Confirmed() + Rollback::kMaxPrediction);
  EXPECT_EQ(p.host->Frames().Final(), final);
}

// One machine's state is changed behind the game's back: the check of the
// next second's final frame finds it, on both machines.
TEST(OnlineGame, StatesThatDifferStopBothMachines) {
  Pair p({40, 0, 0}, 5);
  for (int i = 0; i < 3000; ++i) p.Tick(net::input::Right, net::input::Right);
  ASSERT_TRUE(p.Playing());
  p.b.game->Kurara.HitGauge += 1;
  for (int i = 0; i < 3000 && p.Playing(); ++i) p.Tick(0, 0);
  for (int i = 0; i < 200; ++i) p.Tick(0, 0);
  EXPECT_EQ(p.host->GetState(), OnlineGame::State::OutOfStep);
  EXPECT_EQ(p.partner->GetState(), OnlineGame::State::OutOfStep);
  EXPECT_GT(p.host->OutOfStepFrame(), 0);
  EXPECT_EQ(p.host->OutOfStepFrame() % kCheckEvery, 0);
}

TEST(SoundLedger, EachFramesSoundsPlayOnceHoweverOftenItIsPlayed) {
  SoundLedger ledger;
  const SoundRequest punch{Sfx::Vkougeki, SoundRequest::Once}, music{Sfx::OP, SoundRequest::Looping},
      hurt{Sfx::K_yarare, SoundRequest::Once};
  using V = std::vector<SoundRequest>;
  EXPECT_EQ(ledger.Played(1, V{music}), V{music});
  EXPECT_EQ(ledger.Played(2, V{music, punch}), (V{music, punch}));
  EXPECT_EQ(ledger.Played(3, V{music}), V{music});
  // Frames 2 and 3 again: the punch was heard, the hit is new.
  EXPECT_EQ(ledger.Played(2, V{music, punch}), V{});
  EXPECT_EQ(ledger.Played(3, V{music, hurt}), V{hurt});
  // Again, without the hit: it has sounded already, nothing is stopped.
  EXPECT_EQ(ledger.Played(3, V{music}), V{});
  // Two of a kind in one frame count as two.
  EXPECT_EQ(ledger.Played(3, V{music, punch, punch}), (V{punch, punch}));
  EXPECT_EQ(ledger.Played(4, V{}), V{});
}

}  // namespace
}  // namespace kt
