#pragma once
// The messages two games exchange in online play, and their bytes. The
// partner's machine is not trusted: Decode accepts a packet only if its
// length is exactly what its kind needs and every field lies in its range;
// anything else is refused whole.
//
// Every packet starts with "KT" and a kind byte; numbers are little-endian.
//
//   Hello    joiner -> host  protocol u16, version (u8 length, 1..32 printable bytes), data hash u64
//   Welcome  host -> joiner  the same, the host's own
//   Refuse   host -> joiner  reason u8, the host's version and data hash as above
//   Start    host -> joiner  game u16, seed u64, clock u32, delay u8, the host's settings (6 x u8)
//   Input    both ways       game u16, frame u32, advantage i8, stamp u32, echo u32, echo age u16,
//                            ack u32, check frame u32, check hash u64, first frame u32, count u8,
//                            count x input u16
//   Bye      both ways       reason u8, frame u32
//   Again    joiner -> host  the joiner chose to start a game from his main menu
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace kt::net {

inline constexpr uint16_t kProtocol = 1;
inline constexpr uint16_t kDefaultPort = 7531;

// A player's input in one frame: the keys of one hero, and Enter.
namespace input {
inline constexpr uint16_t Left = 1 << 0, Right = 1 << 1, Up = 1 << 2, Down = 1 << 3, Punch = 1 << 4, Spin = 1 << 5,
                          Burst = 1 << 6, Lift = 1 << 7, Enter = 1 << 8;
inline constexpr uint16_t All = 0x1ff;
}  // namespace input

inline constexpr uint32_t kMaxFrame = 0x7fffffff;
inline constexpr size_t kMaxInputs = 64;     // inputs one packet carries
inline constexpr size_t kMaxVersion = 32;    // bytes of a version name
inline constexpr int kMaxDelay = 8;          // frames of input delay
inline constexpr uint16_t kMaxEchoAge = 60000;

// The settings the host's game is played with.
struct GameSettings {
  uint8_t enemyAmount = 20;  // 10, 20 or 30
  uint8_t lives = 2;         // 1..5
  uint8_t fullHit = 0;       // the spin gauge always ready: 0 or 1
  uint8_t fullHurt = 0;      // the burst gauge always ready: 0 or 1
  uint8_t mogeta = 0;        // the extra kinds take part: 0 or 1
  uint8_t byoon = 0;
  bool operator==(const GameSettings&) const = default;
};

struct Hello {
  uint16_t protocol = kProtocol;
  std::string version;
  uint64_t dataHash = 0;
  bool operator==(const Hello&) const = default;
};

struct Welcome {
  uint16_t protocol = kProtocol;
  std::string version;
  uint64_t dataHash = 0;
  bool operator==(const Welcome&) const = default;
};

enum class RefuseReason : uint8_t { Protocol = 1, Version = 2, Data = 3, Busy = 4 };

struct Refuse {
  RefuseReason reason = RefuseReason::Busy;
  std::string version;  // the host's
  uint64_t dataHash = 0;
  bool operator==(const Refuse&) const = default;
};

struct Start {
  uint16_t game = 0;  // counts the games of one connection
  uint64_t seed = 0;
  uint32_t clock = 0;  // the clock reading before the first frame
  uint8_t delay = 2;   // frames of input delay, both sides
  GameSettings settings;
  bool operator==(const Start&) const = default;
};

struct Input {
  uint16_t game = 0;
  uint32_t frame = 0;      // the sender's newest frame
  int8_t advantage = 0;    // the sender's frames ahead of the newest frame it heard of from us
  uint32_t stamp = 0;      // the sender's clock
  uint32_t echo = 0;       // the newest stamp the sender had from us (0: none yet)
  uint16_t echoAge = 0;    // ms from the echoed stamp's arrival to this packet
  uint32_t ack = 0;        // the sender has all our inputs up to this frame
  uint32_t checkFrame = 0;  // a frame both are sure of (0: none yet) and its state hash
  uint64_t checkHash = 0;
  uint32_t first = 0;            // the frame of inputs[0]
  std::vector<uint16_t> inputs;  // 1..kMaxInputs, consecutive frames
  bool operator==(const Input&) const = default;
};

enum class ByeReason : uint8_t { Left = 1, OutOfStep = 2 };

struct Bye {
  ByeReason reason = ByeReason::Left;
  uint32_t frame = 0;  // out of step: the frame whose states differ
  bool operator==(const Bye&) const = default;
};

struct Again {
  bool operator==(const Again&) const = default;
};

using Message = std::variant<Hello, Welcome, Refuse, Start, Input, Bye, Again>;

std::vector<uint8_t> Encode(const Message& m);
std::optional<Message> Decode(std::span<const uint8_t> packet);

// Whether a settings record holds only values the options screen can make.
bool ValidSettings(const GameSettings& s);

}  // namespace kt::net
