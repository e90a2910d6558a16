// Two games in one process play online through a UDP relay on 127.0.0.1 that
// delays, jitters, loses and reorders their datagrams, all on one fake clock
// (a millisecond per pass), with random players on both sides. Every final
// step hashes the same on both machines and in a local replay of the demo
// each wrote. Partners who leave, versions that differ, a third machine and
// garbage of every kind come to nothing worse than a message.
#include <gtest/gtest.h>

#include <time.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "loop/data_dir.hpp"
#include "loop/net_play.hpp"
#include "loop/rollback.hpp"
#include "loop/version.hpp"
#include "net_rig.hpp"
#include "udp_relay.hpp"

namespace kt {
namespace {

using test::NetConditions;
using test::RandomPlayer;
using test::UdpRelay;

KeyTable TableOf(uint16_t bits) {
  KeyTable k{};
  const std::pair<uint16_t, uint8_t> map[] = {{net::input::Left, vk::Left}, {net::input::Right, vk::Right},
                                              {net::input::Up, vk::Up},     {net::input::Down, vk::Down},
                                              {net::input::Punch, 'L'},     {net::input::Spin, 'O'},
                                              {net::input::Burst, 'I'},     {net::input::Lift, 'K'},
                                              {net::input::Enter, vk::Enter}};
  for (const auto& [bit, key] : map)
    if (bits & bit) k[key] = true;
  return k;
}

// The headless backend, a millisecond a pass, with a random player at the keys.
class PlayerPlatform final : public HeadlessPlatform {
 public:
  PlayerPlatform(uint32_t start, uint64_t seed) : HeadlessPlatform({start, 1, {}}), player_(seed) {}
  void ProcessMessages(KeyTable& keys) override {
    HeadlessPlatform::ProcessMessages(keys);
    keys = playing ? TableOf(player_.Input(Ticks())) : held;
    if (escape) keys[vk::Escape] = true;
  }
  bool playing = false;
  KeyTable held{};  // while not playing at random
  bool escape = false;

 private:
  RandomPlayer player_;
};

constexpr uint32_t kStart = 100000;
#if defined(__SANITIZE_ADDRESS__)
constexpr uint32_t kGameSeconds = 8;  // instrumented code is slower
#else
constexpr uint32_t kGameSeconds = 20;
#endif

struct Machine {
  Machine(bool host, uint16_t port, uint64_t seed, const std::string& version = std::string(kGameVersion),
          uint64_t dataHashChange = 0)
      : platform(kStart, seed), game(NewGame()) {
    Startup(*game, platform, {KT_DATA_DIR, seed});
    NetOptions o;
    o.host = host;
    o.hostName = "127.0.0.1";
    o.port = port;
    o.bind = "127.0.0.1";
    o.version = version;
    o.dataHash = DataHash(KT_DATA_DIR) + dataHashChange;
    o.seed = 4242;
    o.quiet = std::getenv("KT_NET_NOTES") == nullptr;  // KT_NET_NOTES=1 prints what each machine says
    o.demoSink = [this](uint16_t) {
      demos.push_back(std::make_unique<std::ostringstream>());
      return demos.back().get();
    };
    net = std::make_unique<NetPlay>(*game, platform, o);
  }
  bool Pass() {
    if (!alive) return false;
    const double wall0 = WallMs(), cpu0 = CpuMs();
    alive = net->Pass();
    worstMs = std::max(worstMs, WallMs() - wall0);
    const double cpu = CpuMs() - cpu0;
    worstCpuMs = std::max(worstCpuMs, cpu);
    if (cpu > 2.0) ++passesOver2Ms;
    return alive;
  }
  static double WallMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
  }
  // The processor time of this thread alone: what a pass costs, whatever else the machine does.
  static double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
  }
  NetPlay::Mode Mode() const { return net->GetMode(); }

  PlayerPlatform platform;
  std::unique_ptr<Game> game;
  std::vector<std::unique_ptr<std::ostringstream>> demos;
  std::unique_ptr<NetPlay> net;
  bool alive = true;
  double worstMs = 0, worstCpuMs = 0;
  int passesOver2Ms = 0;
};

// Host, relay and partner, passing in step on the fake clock; the real time
// each test may take is bounded, so a hang fails fast.
struct Session {
  explicit Session(const NetConditions& c, uint64_t seed = 1, const std::string& partnerVersion = std::string(kGameVersion),
                   uint64_t dataHashChange = 0)
      : host(true, 0, seed),
        relay(host.net->Port(), c, seed),
        partner(false, relay.Port(), seed + 100, partnerVersion, dataHashChange),
        began(std::chrono::steady_clock::now()) {}

  uint32_t Now() { return host.platform.Ticks(); }
  void Tick() {
    relay.Pump(Now());
    host.Pass();
    partner.Pass();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    if (seconds > kRealSeconds) throw std::runtime_error("the test took too long");
  }
  void Run(uint32_t ms) {
    for (uint32_t i = 0; i < ms; ++i) Tick();
  }
  // Runs until `done` or `ms` have passed; returns whether `done`.
  template <typename F>
  bool RunUntil(uint32_t ms, F done) {
    for (uint32_t i = 0; i < ms; ++i) {
      if (done()) return true;
      Tick();
    }
    return done();
  }
  bool BothPlaying() {
    return host.Mode() == NetPlay::Mode::Playing && partner.Mode() == NetPlay::Mode::Playing;
  }

#if defined(__SANITIZE_ADDRESS__)
  static constexpr double kRealSeconds = 400;
#else
  static constexpr double kRealSeconds = 90;
#endif
  Machine host;
  UdpRelay relay;
  Machine partner;
  std::chrono::steady_clock::time_point began;
};

// Both machines' final steps agree, and so does a local replay of each demo.
void ExpectOneGame(const std::vector<uint64_t>& host, const std::vector<uint64_t>& partner, const std::string& hostDemo,
                   const std::string& partnerDemo) {
  const size_t n = std::min(host.size(), partner.size());
  ASSERT_GT(n, 100u);
  for (size_t i = 0; i < n; ++i) ASSERT_EQ(host[i], partner[i]) << "step " << i + 1 << " differs";
  for (const auto& [demo, hashes] : {std::pair{&hostDemo, &host}, {&partnerDemo, &partner}}) {
    ReplayResult r;
    const std::vector<uint64_t> local = test::ReplayHashes(*demo, &r);
    ASSERT_FALSE(r.mismatch) << DescribeMismatch(*r.mismatch);
    ASSERT_EQ(local, *hashes) << "a local replay of the demo differs";
  }
}

struct Played {
  double rollbacksPerSecond = 0;
  double worstMs = 0, worstCpuMs = 0;
  int passesOver2Ms = 0;
};

// Connects, plays `seconds` of one game with random players on both sides.
Played PlayOnline(const NetConditions& c, uint32_t seconds, uint64_t seed) {
  Session s(c, seed);
  if (!s.RunUntil(5000, [&] { return s.BothPlaying(); })) {
    ADD_FAILURE() << "no game: host " << s.host.net->Message() << " / partner " << s.partner.net->Message();
    return {};
  }
  s.host.platform.playing = s.partner.platform.playing = true;
  const uint32_t start = s.Now();
  s.Run(seconds * 1000);
  EXPECT_TRUE(s.BothPlaying()) << s.host.net->Message() << " / " << s.partner.net->Message();
  const std::vector<uint64_t> a = s.host.net->Online()->Frames().FinalHashes();
  const std::vector<uint64_t> b = s.partner.net->Online()->Frames().FinalHashes();
  Played p;
  const int64_t rollbacks = s.host.net->Online()->Frames().Rollbacks() + s.partner.net->Online()->Frames().Rollbacks();
  p.rollbacksPerSecond = static_cast<double>(rollbacks) / 2 / ((s.Now() - start) / 1000.0);
  p.worstMs = std::max(s.host.worstMs, s.partner.worstMs);
  p.worstCpuMs = std::max(s.host.worstCpuMs, s.partner.worstCpuMs);
  p.passesOver2Ms = s.host.passesOver2Ms + s.partner.passesOver2Ms;
  EXPECT_EQ(s.host.net->Malformed() + s.partner.net->Malformed(), 0);
  s.host.net.reset();  // the demos' ends
  s.partner.net.reset();
  ExpectOneGame(a, b, s.host.demos.at(0)->str(), s.partner.demos.at(0)->str());
  return p;
}

// Either hero's layout steers a player's one hero; the keys arrive as the
// host's hero's or the partner's hero's, and no other key is pressed.
TEST(NetPlay, EitherLayoutSteersTheOneHero) {
  KeyTable left{};
  for (uint8_t key : {'X', 'S', 'Q'}) left[key] = true;
  const uint16_t bits = InputFromKeys(left);
  EXPECT_EQ(bits, net::input::Left | net::input::Punch | net::input::Burst);
  EXPECT_EQ(InputFromKeys(TableOf(bits)), bits);
  const KeyTable asTavo = CombinedKeys(bits, 0, scene::Gameplay);
  EXPECT_EQ(asTavo, TableOf(bits));
  const KeyTable asKurara = CombinedKeys(0, bits, scene::Gameplay);
  KeyTable want{};
  for (uint8_t key : {'X', 'S', 'Q'}) want[key] = true;
  EXPECT_EQ(asKurara, want);
}

TEST(NetPlay, TheSameGameOnBothMachinesAtEveryRoundTripAndLoss) {
  struct Case {
    NetConditions c;
    bool report;
  };
  for (const Case& k : {Case{{0, 0, 0, 0}, false}, Case{{60, 20, 0.05, 0.05}, false}, Case{{150, 20, 0.05, 0.05}, true},
                        Case{{150, 20, 0.10, 0.05}, false}}) {
    SCOPED_TRACE(std::to_string(k.c.rtt) + " ms round trip, +-" + std::to_string(k.c.jitter) + " ms, " +
                 std::to_string(static_cast<int>(k.c.loss * 100)) + " % lost");
    const Played p = PlayOnline(k.c, kGameSeconds, 7 + k.c.rtt);
    std::printf(
        "[ online   ] %3u ms round trip, +-%u ms, %2d %% lost: %.2f rollbacks/s per machine, worst pass %.2f ms "
        "(%.2f ms of processor time; %d passes over 2 ms)\n",
        k.c.rtt, k.c.jitter, static_cast<int>(k.c.loss * 100), p.rollbacksPerSecond, p.worstMs, p.worstCpuMs,
        p.passesOver2Ms);
    if (k.c.rtt >= 150) {
      EXPECT_GT(p.rollbacksPerSecond, 0);
    }
  }
}

TEST(NetPlay, APartnerWhoPressesEscapeEndsTheGameForTheOther) {
  Session s({60, 10, 0.05, 0});
  ASSERT_TRUE(s.RunUntil(5000, [&] { return s.BothPlaying(); }));
  s.host.platform.playing = s.partner.platform.playing = true;
  s.Run(6000);
  s.partner.platform.escape = true;
  ASSERT_TRUE(s.RunUntil(2000, [&] { return !s.partner.alive; }));
  s.partner.net.reset();  // the program ends
  ASSERT_TRUE(s.RunUntil(1500, [&] { return s.host.Mode() == NetPlay::Mode::Notice; }))
      << static_cast<int>(s.host.Mode()) << " " << s.host.net->Message();
  EXPECT_EQ(s.host.net->Message(), "YOUR PARTNER LEFT");
  // A while later the host is back at its title, waiting for another partner.
  ASSERT_TRUE(s.RunUntil(6000, [&] { return s.host.Mode() == NetPlay::Mode::Waiting; }));
  s.Run(200);
  EXPECT_EQ(s.host.game->SceneId, scene::Title);
  ReplayResult r;
  test::ReplayHashes(s.host.demos.at(0)->str(), &r);
  EXPECT_FALSE(r.mismatch);
  EXPECT_TRUE(r.Ran(scene::Gameplay));
}

// A game quit from the pause menu takes both back to their titles, still
// connected; the partner starts the next game from his main menu.
TEST(NetPlay, AfterAGameBothStayConnectedAndPlayTheNext) {
  Session s({60, 10, 0.02, 0});
  ASSERT_TRUE(s.RunUntil(5000, [&] { return s.BothPlaying(); }));
  const auto press = [&](PlayerPlatform& p, uint8_t key) {
    p.held[key] = true;
    s.Run(120);
    p.held[key] = false;
    s.Run(250);
  };
  s.Run(4000);  // the walk-in
  press(s.host.platform, vk::Enter);
  ASSERT_EQ(s.host.game->SceneId, scene::Pause);
  press(s.partner.platform, vk::Down);  // the partner's own keys move the cursor too
  press(s.host.platform, vk::Down);
  press(s.partner.platform, vk::Enter);  // quit to the title
  ASSERT_TRUE(s.RunUntil(3000, [&] {
    return s.host.Mode() == NetPlay::Mode::Idle && s.partner.Mode() == NetPlay::Mode::Idle;
  }));
  EXPECT_EQ(s.partner.net->Message(), "CONNECTED - START A GAME FROM THE MENU");
  s.Run(500);
  EXPECT_EQ(s.partner.game->SceneId, scene::Title);
  press(s.partner.platform, vk::Enter);  // past the title
  s.Run(1000);
  press(s.partner.platform, vk::Enter);  // the menu's start
  ASSERT_TRUE(s.RunUntil(2000, [&] { return s.BothPlaying(); }));
  EXPECT_EQ(s.host.net->GamesStarted(), 2);
  EXPECT_EQ(s.partner.net->Online()->GameNumber(), 2);
  s.host.platform.playing = s.partner.platform.playing = true;
  s.Run(5000);
  ASSERT_TRUE(s.BothPlaying());
  const std::vector<uint64_t> a = s.host.net->Online()->Frames().FinalHashes();
  const std::vector<uint64_t> b = s.partner.net->Online()->Frames().FinalHashes();
  s.host.net.reset();
  s.partner.net.reset();
  ASSERT_EQ(s.host.demos.size(), 2u);
  ReplayResult first;
  test::ReplayHashes(s.host.demos[0]->str(), &first);
  EXPECT_FALSE(first.mismatch);
  EXPECT_EQ(first.finalScene, scene::TitleSetup);
  ExpectOneGame(a, b, s.host.demos[1]->str(), s.partner.demos[1]->str());
}

TEST(NetPlay, APartnerWhoFallsSilentHasLeftAfterThreeSeconds) {
  Session s({40, 0, 0, 0});
  ASSERT_TRUE(s.RunUntil(5000, [&] { return s.BothPlaying(); }));
  s.host.platform.playing = s.partner.platform.playing = true;
  s.Run(3000);
  s.relay.Cut(true);  // the network is gone, for both
  const uint32_t cut = s.Now();
  ASSERT_TRUE(s.RunUntil(4000, [&] {
    return s.host.Mode() == NetPlay::Mode::Notice && s.partner.Mode() == NetPlay::Mode::Notice;
  }));
  EXPECT_GE(s.Now() - cut, OnlineGame::kSilenceMs);
  EXPECT_EQ(s.host.net->Message(), "YOUR PARTNER LEFT");
  EXPECT_EQ(s.partner.net->Message(), "YOUR PARTNER LEFT");
  ASSERT_TRUE(s.RunUntil(6000, [&] {
    return s.partner.Mode() == NetPlay::Mode::Alone && s.host.Mode() == NetPlay::Mode::Waiting;
  }));
  s.Run(200);
  EXPECT_EQ(s.partner.game->SceneId, scene::Title);
}

TEST(NetPlay, OtherVersionsAndOtherDataAreRefusedOnBothSides) {
  {
    Session s({20, 0, 0, 0}, 3, "0.0.1");
    ASSERT_TRUE(s.RunUntil(3000, [&] { return s.partner.Mode() == NetPlay::Mode::Alone; }));
    EXPECT_EQ(s.partner.net->Message(), "REFUSED: THE HOST RUNS VERSION " + std::string(kGameVersion) + " - THIS IS 0.0.1");
    EXPECT_EQ(s.host.net->Message(), "REFUSED A PARTNER RUNNING VERSION 0.0.1 - THIS IS " + std::string(kGameVersion));
    EXPECT_EQ(s.host.Mode(), NetPlay::Mode::Waiting);
    EXPECT_EQ(s.host.net->GamesStarted() + s.partner.net->GamesStarted(), 0);
  }
  {
    Session s({20, 0, 0, 0}, 4, std::string(kGameVersion), 1);
    ASSERT_TRUE(s.RunUntil(3000, [&] { return s.partner.Mode() == NetPlay::Mode::Alone; }));
    EXPECT_EQ(s.partner.net->Message(), "REFUSED: THE HOST HAS OTHER DATA FILES");
    EXPECT_EQ(s.host.net->Message(), "REFUSED A PARTNER WITH OTHER DATA FILES");
    EXPECT_EQ(s.host.net->GamesStarted(), 0);
  }
}

// During a game: random datagrams at both machines' ports, and a third
// machine that tries to join. The game goes on unharmed.
TEST(NetPlay, GarbageAndAThirdMachineChangeNothing) {
  Session s({60, 20, 0.05, 0.05}, 9);
  ASSERT_TRUE(s.RunUntil(5000, [&] { return s.BothPlaying(); }));
  s.host.platform.playing = s.partner.platform.playing = true;
  auto third = NetLink::Dial("127.0.0.1", s.host.net->Port());
  bool refused = false;
  for (int i = 0; i < 8000; ++i) {
    if (i % 50 == 0) test::SendGarbage(s.host.net->Port(), 3, static_cast<uint64_t>(i));
    third->SetClock(s.Now());
    NetLink::Event e;
    while (third->Poll(e))
      if (e.kind == NetLink::Event::Received) {
        const auto m = net::Decode(e.data);
        refused = m && std::holds_alternative<net::Refuse>(*m) &&
                  std::get<net::Refuse>(*m).reason == net::RefuseReason::Busy;
      }
    s.Tick();
  }
  EXPECT_TRUE(refused);
  EXPECT_EQ(s.host.net->TurnedAway(), 1);
  ASSERT_TRUE(s.BothPlaying());
  const std::vector<uint64_t> a = s.host.net->Online()->Frames().FinalHashes();
  const std::vector<uint64_t> b = s.partner.net->Online()->Frames().FinalHashes();
  s.host.net.reset();
  s.partner.net.reset();
  ExpectOneGame(a, b, s.host.demos.at(0)->str(), s.partner.demos.at(0)->str());
}

// A partner that speaks the handshake and then sends nonsense: every packet
// is dropped and counted, and its silence ends the game as any other's.
TEST(NetPlay, AHostilePartnersPacketsAreDroppedAndCounted) {
  Machine host(true, 0, 5);
  auto rogue = NetLink::Dial("127.0.0.1", host.net->Port());
  const auto now = [&] { return host.platform.Ticks(); };
  std::mt19937_64 rng(5);
  const net::Input good = [] {
    net::Input in;
    in.game = 1;
    in.frame = 3;
    in.first = 3;
    in.inputs = {net::input::Right};
    return in;
  }();
  int sent = 0;
  for (int i = 0; i < 3000; ++i) {
    rogue->SetClock(now());
    NetLink::Event e;
    while (rogue->Poll(e))
      if (e.kind == NetLink::Event::Connected) {
        const auto hello = net::Encode(net::Hello{net::kProtocol, std::string(kGameVersion), DataHash(KT_DATA_DIR)});
        rogue->Send(e.peer, hello, true);
      }
    if (host.Mode() == NetPlay::Mode::Playing && i % 10 == 0) {
      std::vector<uint8_t> bytes = net::Encode(good);
      switch (sent % 4) {
        case 0: bytes.resize(bytes.size() - 1); break;                       // cut short
        case 1: bytes.push_back(0); break;                                   // one byte too many
        case 2: bytes[bytes.size() - 1] = 0xff; break;                       // an input out of range
        case 3: for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng()); break;  // noise
      }
      rogue->Send(1, bytes, i % 20 == 0);
      ++sent;
    }
    rogue->Flush();
    host.Pass();
  }
  EXPECT_GT(sent, 100);
  EXPECT_GE(host.net->Malformed(), sent - 5);
  // Nothing it sent counted as input: the silence ended the game.
  ASSERT_TRUE([&] {
    for (int i = 0; i < 6000; ++i) {
      if (host.Mode() == NetPlay::Mode::Notice) return true;
      host.Pass();
    }
    return false;
  }());
  EXPECT_EQ(host.net->Message(), "YOUR PARTNER LEFT");
}

}  // namespace
}  // namespace kt
