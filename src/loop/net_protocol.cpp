#include "loop/net_protocol.hpp"

#include <type_traits>

namespace kt::net {

namespace {

enum Kind : uint8_t { kHello = 1, kWelcome, kRefuse, kStart, kInput, kBye, kAgain };

class Writer {
 public:
  explicit Writer(Kind kind) { bytes_ = {'K', 'T', kind}; }
  template <typename T>
  Writer& Num(T v) {
    using U = std::make_unsigned_t<T>;
    const auto u = static_cast<U>(v);
    for (size_t i = 0; i < sizeof(T); ++i) bytes_.push_back(static_cast<uint8_t>(u >> (8 * i)));
    return *this;
  }
  Writer& Text(const std::string& s) {
    Num(static_cast<uint8_t>(s.size()));
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    return *this;
  }
  std::vector<uint8_t> Done() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

// Reads fields in order; any read past the end makes the whole packet bad.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> b) : b_(b) {}
  template <typename T>
  T Num() {
    using U = std::make_unsigned_t<T>;
    if (b_.size() - at_ < sizeof(T)) {
      bad_ = true;
      return T{};
    }
    U u = 0;
    for (size_t i = 0; i < sizeof(T); ++i) u = static_cast<U>(u | static_cast<U>(U{b_[at_ + i]} << (8 * i)));
    at_ += sizeof(T);
    return static_cast<T>(u);
  }
  std::string Text() {
    const size_t n = Num<uint8_t>();
    if (bad_ || n == 0 || n > kMaxVersion || b_.size() - at_ < n) {
      bad_ = true;
      return {};
    }
    std::string s(reinterpret_cast<const char*>(b_.data() + at_), n);
    at_ += n;
    for (char c : s)
      if (c < 0x21 || c > 0x7e) bad_ = true;
    return s;
  }
  void Require(bool ok) { bad_ = bad_ || !ok; }
  bool Bad() const { return bad_; }
  // Every byte used, none missing, every check passed.
  bool Good() const { return !bad_ && at_ == b_.size(); }

 private:
  std::span<const uint8_t> b_;
  size_t at_ = 3;
  bool bad_ = false;
};

bool ValidFrame(uint32_t f) { return f <= kMaxFrame; }

void WriteSettings(Writer& w, const GameSettings& s) {
  w.Num(s.enemyAmount).Num(s.lives).Num(s.fullHit).Num(s.fullHurt).Num(s.mogeta).Num(s.byoon);
}

GameSettings ReadSettings(Reader& r) {
  GameSettings s;
  s.enemyAmount = r.Num<uint8_t>();
  s.lives = r.Num<uint8_t>();
  s.fullHit = r.Num<uint8_t>();
  s.fullHurt = r.Num<uint8_t>();
  s.mogeta = r.Num<uint8_t>();
  s.byoon = r.Num<uint8_t>();
  r.Require(ValidSettings(s));
  return s;
}

struct Encoder {
  std::vector<uint8_t> operator()(const Hello& m) const {
    return Writer(kHello).Num(m.protocol).Text(m.version).Num(m.dataHash).Done();
  }
  std::vector<uint8_t> operator()(const Welcome& m) const {
    return Writer(kWelcome).Num(m.protocol).Text(m.version).Num(m.dataHash).Done();
  }
  std::vector<uint8_t> operator()(const Refuse& m) const {
    return Writer(kRefuse).Num(static_cast<uint8_t>(m.reason)).Text(m.version).Num(m.dataHash).Done();
  }
  std::vector<uint8_t> operator()(const Start& m) const {
    Writer w(kStart);
    w.Num(m.game).Num(m.seed).Num(m.clock).Num(m.delay);
    WriteSettings(w, m.settings);
    return w.Done();
  }
  std::vector<uint8_t> operator()(const Input& m) const {
    Writer w(kInput);
    w.Num(m.game).Num(m.frame).Num(m.advantage).Num(m.stamp).Num(m.echo).Num(m.echoAge).Num(m.ack);
    w.Num(m.checkFrame).Num(m.checkHash).Num(m.first).Num(static_cast<uint8_t>(m.inputs.size()));
    for (uint16_t i : m.inputs) w.Num(i);
    return w.Done();
  }
  std::vector<uint8_t> operator()(const Bye& m) const {
    return Writer(kBye).Num(static_cast<uint8_t>(m.reason)).Num(m.frame).Done();
  }
  std::vector<uint8_t> operator()(const Again&) const { return Writer(kAgain).Done(); }
};

std::optional<Message> DecodeBody(Kind kind, Reader& r) {
  switch (kind) {
    case kHello:
    case kWelcome: {
      const uint16_t protocol = r.Num<uint16_t>();
      std::string version = r.Text();
      const uint64_t hash = r.Num<uint64_t>();
      if (kind == kHello) return Hello{protocol, std::move(version), hash};
      return Welcome{protocol, std::move(version), hash};
    }
    case kRefuse: {
      Refuse m;
      const uint8_t reason = r.Num<uint8_t>();
      r.Require(reason >= static_cast<uint8_t>(RefuseReason::Protocol) &&
                reason <= static_cast<uint8_t>(RefuseReason::Busy));
      m.reason = static_cast<RefuseReason>(reason);
      m.version = r.Text();
      m.dataHash = r.Num<uint64_t>();
      return m;
    }
    case kStart: {
      Start m;
      m.game = r.Num<uint16_t>();
      m.seed = r.Num<uint64_t>();
      m.clock = r.Num<uint32_t>();
      m.delay = r.Num<uint8_t>();
      r.Require(m.delay <= kMaxDelay);
      m.settings = ReadSettings(r);
      return m;
    }
    case kInput: {
      Input m;
      m.game = r.Num<uint16_t>();
      m.frame = r.Num<uint32_t>();
      m.advantage = r.Num<int8_t>();
      m.stamp = r.Num<uint32_t>();
      m.echo = r.Num<uint32_t>();
      m.echoAge = r.Num<uint16_t>();
      m.ack = r.Num<uint32_t>();
      m.checkFrame = r.Num<uint32_t>();
      m.checkHash = r.Num<uint64_t>();
      m.first = r.Num<uint32_t>();
      const size_t count = r.Num<uint8_t>();
      r.Require(ValidFrame(m.frame) && ValidFrame(m.ack) && ValidFrame(m.checkFrame) && m.echoAge <= kMaxEchoAge);
      r.Require(count >= 1 && count <= kMaxInputs && m.first >= 1 && ValidFrame(m.first) &&
                kMaxFrame - m.first >= count - 1);
      for (size_t i = 0; i < count && !r.Bad(); ++i) {
        const uint16_t v = r.Num<uint16_t>();
        r.Require((v & ~input::All) == 0);
        m.inputs.push_back(v);
      }
      return m;
    }
    case kBye: {
      Bye m;
      const uint8_t reason = r.Num<uint8_t>();
      r.Require(reason == static_cast<uint8_t>(ByeReason::Left) || reason == static_cast<uint8_t>(ByeReason::OutOfStep));
      m.reason = static_cast<ByeReason>(reason);
      m.frame = r.Num<uint32_t>();
      r.Require(ValidFrame(m.frame));
      return m;
    }
    case kAgain: return Again{};
  }
  return std::nullopt;
}

}  // namespace

bool ValidSettings(const GameSettings& s) {
  return (s.enemyAmount == 10 || s.enemyAmount == 20 || s.enemyAmount == 30) && s.lives >= 1 && s.lives <= 5 &&
         s.fullHit <= 1 && s.fullHurt <= 1 && s.mogeta <= 1 && s.byoon <= 1;
}

std::vector<uint8_t> Encode(const Message& m) { return std::visit(Encoder{}, m); }

std::optional<Message> Decode(std::span<const uint8_t> packet) {
  if (packet.size() < 3 || packet[0] != 'K' || packet[1] != 'T') return std::nullopt;
  const uint8_t kind = packet[2];
  if (kind < kHello || kind > kAgain) return std::nullopt;
  Reader r(packet);
  std::optional<Message> m = DecodeBody(static_cast<Kind>(kind), r);
  if (!m || !r.Good()) return std::nullopt;
  return m;
}

}  // namespace kt::net
