#pragma once
// One online game between two machines: the rollback, and the input packets
// that feed it. Every packet carries this machine's inputs from the first
// frame the partner has not confirmed yet (so a lost packet costs nothing),
// what it has of the partner's, clock stamps for the round trip, how far
// ahead it runs (the machine that is ahead slows down until both play the
// same frame at the same time) and the state hash of a final frame for the
// partner to compare. A partner silent for 3 seconds has left; hashes that
// differ stop the game on both machines.
//
// The clock is whatever the caller passes in (the real one in the game, a
// fake one in the tests); packets go out through `send`.
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <vector>

#include "loop/net_protocol.hpp"
#include "loop/rollback.hpp"

namespace kt {

class OnlineGame {
 public:
  using Send = std::function<void(const net::Message&, bool reliable)>;

  static constexpr uint32_t kSilenceMs = 3000;  // a partner not heard of for this long has left
  static constexpr uint32_t kLingerMs = 3000;   // after the end, how long missing inputs are still sent

  enum class State : uint8_t { Playing, Ended, PartnerLeft, OutOfStep };

  OnlineGame(Game& g, Side side, const net::Start& start, const Snapshot& fresh, std::vector<std::ostream*> demo,
             Send send, uint32_t now);

  // A partner's input packet.
  void Take(const net::Input& in, uint32_t now);
  // The partner says the states differ.
  void PartnerOutOfStep(uint32_t frame);

  // One pass at `now`, `local` the local player's input since the last frame
  // played. Returns whether a frame was drawn.
  bool Pass(uint32_t now, uint16_t local);
  // Whether the last Pass played a new frame (its input was used).
  bool Advanced() const { return advanced_; }
  // When the next frame is due.
  uint32_t NextDue() const { return due_; }

  State GetState() const { return state_; }
  // After the end: whether the partner has all it needs of this machine.
  bool Done(uint32_t now) const;
  int32_t OutOfStepFrame() const { return outOfStepFrame_; }

  const Rollback& Frames() const { return rollback_; }
  uint16_t GameNumber() const { return game_; }
  uint32_t RoundTrip() const { return rtt_; }
  // Rollbacks in the last whole second.
  int32_t RollbacksPerSecond() const { return perSecond_; }
  // Input packets that no partner could have sent.
  int64_t Impossible() const { return impossible_; }
  // How many frames this machine runs ahead of the partner (both sides' view).
  double Skew() const { return skew_; }

 private:
  void SendInputs(uint32_t now);
  void CheckHashes();
  uint32_t Pace();

  Rollback rollback_;
  Send send_;
  uint16_t game_;
  State state_ = State::Playing;
  bool advanced_ = false;
  uint32_t due_;
  uint32_t lastHeard_;
  uint32_t lastSent_;
  uint32_t endedAt_ = 0;
  bool sentOnce_ = false;

  int32_t theirAck_ = 0;       // the partner has our inputs up to here
  int32_t theirNewest_ = 0;    // the newest frame the partner said it played
  int32_t theirAdvantage_ = 0;
  double skew_ = 0;
  uint32_t theirStamp_ = 0, theirStampAt_ = 0;
  bool haveStamp_ = false;
  uint32_t rtt_ = 0;
  bool haveRtt_ = false;
  int32_t theirCheckFrame_ = 0;
  uint64_t theirCheckHash_ = 0;
  int32_t outOfStepFrame_ = 0;
  int64_t impossible_ = 0;

  uint32_t secondStart_;
  int64_t rollbacksAtSecond_ = 0;
  int32_t perSecond_ = 0;
};

}  // namespace kt
