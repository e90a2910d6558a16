// The packets of online play: every kind comes back as it was sent, and a
// packet that is short, long, foreign or out of range in any field is refused
// whole. The fuzz target's seeds are packets the parser takes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "loop/net_protocol.hpp"

namespace kt::net {
namespace {

Input AnInput() {
  Input in;
  in.game = 3;
  in.frame = 500;
  in.advantage = -4;
  in.stamp = 123456;
  in.echo = 654321;
  in.echoAge = 17;
  in.ack = 497;
  in.checkFrame = 480;
  in.checkHash = 0x0123456789abcdefull;
  in.first = 498;
  in.inputs = {input::Left | input::Punch, 0, input::All};
  return in;
}

TEST(NetProtocol, EveryKindComesBackAsItWasSent) {
  const std::vector<Message> all = {
      Hello{kProtocol, "1.0.0", 99},
      Welcome{kProtocol, "1.0.0-rc1", 0xffffffffffffffffull},
      Refuse{RefuseReason::Data, "2.3.4", 7},
      Start{65535, 0xfedcba9876543210ull, 0xffffffff, kMaxDelay, GameSettings{30, 5, 1, 1, 1, 0}},
      AnInput(),
      Bye{ByeReason::OutOfStep, kMaxFrame},
      Again{},
  };
  for (const Message& m : all) {
    const std::vector<uint8_t> bytes = Encode(m);
    const std::optional<Message> back = Decode(bytes);
    ASSERT_TRUE(back) << "kind " << m.index();
    EXPECT_EQ(*back, m) << "kind " << m.index();
  }
}

// Changes one field of a good packet; the packet must then be refused.
template <typename M, typename F>
void ExpectRefused(M m, F change, const char* what) {
  change(m);
  EXPECT_FALSE(Decode(Encode(m))) << what;
}

TEST(NetProtocol, FieldsOutOfRangeAreRefused) {
  ExpectRefused(AnInput(), [](Input& m) { m.inputs.clear(); }, "no inputs");
  ExpectRefused(AnInput(), [](Input& m) { m.inputs.assign(kMaxInputs + 1, 0); }, "too many inputs");
  ExpectRefused(AnInput(), [](Input& m) { m.inputs[1] = 0x200; }, "a key no player has");
  ExpectRefused(AnInput(), [](Input& m) { m.first = 0; }, "frame 0");
  ExpectRefused(AnInput(), [](Input& m) { m.first = kMaxFrame; }, "frames past the last");
  ExpectRefused(AnInput(), [](Input& m) { m.frame = kMaxFrame + 1u; }, "a newest frame past the last");
  ExpectRefused(AnInput(), [](Input& m) { m.ack = 0xffffffff; }, "an acknowledgement past the last frame");
  ExpectRefused(AnInput(), [](Input& m) { m.echoAge = kMaxEchoAge + 1; }, "an echo older than a minute");
  ExpectRefused(Hello{kProtocol, "", 1}, [](Hello&) {}, "an empty version");
  ExpectRefused(Hello{kProtocol, "1.0 beta", 1}, [](Hello&) {}, "a version with a space");
  ExpectRefused(Hello{kProtocol, std::string(kMaxVersion + 1, '1'), 1}, [](Hello&) {}, "a long version");
  ExpectRefused(Welcome{kProtocol, "1.0\n", 1}, [](Welcome&) {}, "a version with a line break");
  ExpectRefused(Start{}, [](Start& m) { m.delay = kMaxDelay + 1; }, "a long delay");
  ExpectRefused(Start{}, [](Start& m) { m.settings.enemyAmount = 25; }, "an enemy amount no menu gives");
  ExpectRefused(Start{}, [](Start& m) { m.settings.lives = 0; }, "no lives");
  ExpectRefused(Start{}, [](Start& m) { m.settings.lives = 6; }, "six lives");
  ExpectRefused(Start{}, [](Start& m) { m.settings.byoon = 2; }, "a flag of 2");
  ExpectRefused(Refuse{}, [](Refuse& m) { m.reason = static_cast<RefuseReason>(9); }, "an unknown refusal");
  ExpectRefused(Bye{}, [](Bye& m) { m.reason = static_cast<ByeReason>(0); }, "an unknown farewell");
}

TEST(NetProtocol, ShortLongAndForeignPacketsAreRefused) {
  for (const Message& m : {Message{AnInput()}, Message{Start{}}, Message{Hello{kProtocol, "1.0.0", 5}},
                           Message{Bye{}}, Message{Again{}}}) {
    const std::vector<uint8_t> good = Encode(m);
    ASSERT_TRUE(Decode(good));
    for (size_t n = 0; n < good.size(); ++n)
      EXPECT_FALSE(Decode(std::span(good.data(), n))) << "kind " << m.index() << " cut to " << n << " bytes";
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_FALSE(Decode(longer)) << "kind " << m.index() << " with a byte more";
    std::vector<uint8_t> foreign = good;
    foreign[0] = 'X';
    EXPECT_FALSE(Decode(foreign));
  }
  for (const uint8_t kind : {uint8_t{0}, uint8_t{8}, uint8_t{255}}) EXPECT_FALSE(Decode(std::vector<uint8_t>{'K', 'T', kind}));
  // A count that claims more inputs than the packet holds.
  std::vector<uint8_t> bytes = Encode(AnInput());
  bytes[bytes.size() - 2 * AnInput().inputs.size() - 1] = 4;
  EXPECT_FALSE(Decode(bytes));
}

TEST(NetProtocol, TheFuzzSeedsAreGoodPackets) {
  int seeds = 0;
  for (const auto& e : std::filesystem::directory_iterator(KT_SOURCE_DIR "/fuzz/corpus/net")) {
    std::ifstream in(e.path(), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const std::optional<Message> m = Decode(bytes);
    ASSERT_TRUE(m) << e.path();
    EXPECT_EQ(Encode(*m), bytes) << e.path();
    ++seeds;
  }
  EXPECT_GE(seeds, 9);
}

}  // namespace
}  // namespace kt::net
