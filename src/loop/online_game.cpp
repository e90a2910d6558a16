#include "loop/online_game.hpp"

#include <algorithm>
#include <cmath>

#include "loop/ticks.hpp"

namespace kt {

namespace {

constexpr uint32_t kResendMs = 16;     // a packet at least this often, played or not
constexpr uint32_t kMaxBehindMs = 200;  // a longer stall moves the schedule instead of catching up

}  // namespace

OnlineGame::OnlineGame(Game& g, Side side, const net::Start& start, const Snapshot& fresh,
                       std::vector<std::ostream*> demo, Send send, uint32_t now)
    : rollback_(g, side, start, fresh, std::move(demo)),
      send_(std::move(send)),
      game_(start.game),
      due_(now),
      lastHeard_(now),
      lastSent_(now),
      secondStart_(now) {}

void OnlineGame::Take(const net::Input& in, uint32_t now) {
  if (in.game != game_) return;  // a late packet of the game before
  lastHeard_ = now;
  for (size_t i = 0; i < in.inputs.size(); ++i) {
    if (rollback_.TakeRemote(in.first + static_cast<uint32_t>(i), in.inputs[i]) == Rollback::Took::Impossible) {
      ++impossible_;
      return;
    }
  }
  // Nobody acknowledges inputs not sent yet.
  theirAck_ = std::max(theirAck_, std::min(static_cast<int32_t>(in.ack), rollback_.LocalKnown()));
  theirNewest_ = std::max(theirNewest_, static_cast<int32_t>(std::min<uint32_t>(in.frame, net::kMaxFrame)));
  theirAdvantage_ = in.advantage;
  // Both sides' view of who is ahead: the latencies cancel out.
  const double mine = (rollback_.NextFrame() - 1) - theirNewest_;
  skew_ = 0.9 * skew_ + 0.1 * (mine - theirAdvantage_) / 2.0;
  if (in.echo != 0) {
    const uint32_t sample = Elapsed(static_cast<int32_t>(now), static_cast<int32_t>(in.echo)) - in.echoAge;
    if (sample < 60000) {
      rtt_ = haveRtt_ ? (rtt_ * 7 + sample + 4) / 8 : sample;
      haveRtt_ = true;
    }
  }
  if (!haveStamp_ || static_cast<int32_t>(in.stamp - theirStamp_) > 0) {
    theirStamp_ = in.stamp;
    theirStampAt_ = now;
    haveStamp_ = true;
  }
  if (static_cast<int32_t>(in.checkFrame) > theirCheckFrame_) {
    theirCheckFrame_ = static_cast<int32_t>(in.checkFrame);
    theirCheckHash_ = in.checkHash;
  }
}

void OnlineGame::PartnerOutOfStep(uint32_t frame) {
  if (state_ != State::Playing) return;
  state_ = State::OutOfStep;
  outOfStepFrame_ = static_cast<int32_t>(std::min<uint32_t>(frame, net::kMaxFrame));
  rollback_.Finish();
}

uint32_t OnlineGame::Pace() {
  // The machine that is ahead gives the other a little time each frame.
  const double ahead = skew_ - 0.5;
  if (ahead <= 0) return kFrameMs;
  return kFrameMs + static_cast<uint32_t>(std::min(16.0, std::ceil(ahead * 2.0)));
}

bool OnlineGame::Pass(uint32_t now, uint16_t local) {
  advanced_ = false;
  if (state_ == State::Ended) {
    if (!Done(now) && TimeReached(static_cast<int32_t>(now), static_cast<int32_t>(lastSent_), kFrameMs))
      SendInputs(now);
    return false;
  }
  if (state_ != State::Playing) return false;
  if (TimePassed(static_cast<int32_t>(now), static_cast<int32_t>(lastHeard_), kSilenceMs)) {
    state_ = State::PartnerLeft;
    rollback_.Finish();
    return false;
  }
  const int32_t n = static_cast<int32_t>(now);
  bool advance = false;
  if (static_cast<int32_t>(now - due_) >= 0) {
    if (Elapsed(n, static_cast<int32_t>(due_)) > kMaxBehindMs) due_ = now;
    advance = rollback_.CanAdvance();
  }
  const bool drew = rollback_.Run(advance, local);
  if (advance) {
    advanced_ = true;
    due_ += Pace();
  }
  CheckHashes();
  if (advance || !sentOnce_ || TimeReached(n, static_cast<int32_t>(lastSent_), kResendMs)) SendInputs(now);
  if (TimeReached(n, static_cast<int32_t>(secondStart_), 1000)) {
    perSecond_ = static_cast<int32_t>(rollback_.Rollbacks() - rollbacksAtSecond_);
    rollbacksAtSecond_ = rollback_.Rollbacks();
    secondStart_ = now;
  }
  if (state_ == State::Playing && rollback_.Ended()) {
    state_ = State::Ended;
    endedAt_ = now;
    rollback_.Finish();
    SendInputs(now);
  }
  return drew;
}

bool OnlineGame::Done(uint32_t now) const {
  if (state_ != State::Ended) return true;
  return theirAck_ >= rollback_.Final() || TimePassed(static_cast<int32_t>(now), static_cast<int32_t>(endedAt_), kLingerMs);
}

void OnlineGame::CheckHashes() {
  if (theirCheckFrame_ == 0 || state_ != State::Playing) return;
  const auto mine = rollback_.CheckHash(theirCheckFrame_);
  if (!mine || *mine == theirCheckHash_) return;
  state_ = State::OutOfStep;
  outOfStepFrame_ = theirCheckFrame_;
  rollback_.Finish();
  send_(net::Bye{net::ByeReason::OutOfStep, static_cast<uint32_t>(outOfStepFrame_)}, true);
}

void OnlineGame::SendInputs(uint32_t now) {
  net::Input m;
  m.game = game_;
  m.frame = static_cast<uint32_t>(std::max(rollback_.NextFrame() - 1, 0));
  m.advantage = static_cast<int8_t>(std::clamp(rollback_.NextFrame() - 1 - theirNewest_, -100, 100));
  m.stamp = now == 0 ? 1 : now;
  if (haveStamp_) {
    m.echo = theirStamp_;
    m.echoAge = static_cast<uint16_t>(std::min<uint32_t>(now - theirStampAt_, net::kMaxEchoAge));
  }
  m.ack = static_cast<uint32_t>(rollback_.Confirmed());
  const auto [checkFrame, checkHash] = rollback_.LatestCheck();
  m.checkFrame = static_cast<uint32_t>(checkFrame);
  m.checkHash = checkHash;
  // From the first input the partner lacks; at least the newest one.
  int32_t last = rollback_.LocalKnown();
  const int32_t first = std::clamp(theirAck_ + 1, 1, last);
  last = std::min(last, first + static_cast<int32_t>(net::kMaxInputs) - 1);
  m.first = static_cast<uint32_t>(first);
  for (int32_t f = first; f <= last; ++f) m.inputs.push_back(rollback_.Local(f));
  send_(m, false);
  lastSent_ = now;
  sentOnce_ = true;
}

}  // namespace kt
