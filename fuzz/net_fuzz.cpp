// The online play packet parser: whatever the bytes, it either refuses them
// or returns a message whose every field lies in its range, and which encodes
// back to exactly the bytes it was read from (so nothing was read past the
// end, skipped or left over).
#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "check.hpp"
#include "loop/net_protocol.hpp"

using namespace kt;

namespace {

void CheckVersion(const std::string& v) {
  fuzz::Require(!v.empty() && v.size() <= net::kMaxVersion, "a version name of the wrong length");
  for (const char c : v) fuzz::Require(c > 0x20 && c < 0x7f, "a version name that is not printable");
}

struct Ranges {
  void operator()(const net::Hello& m) const { CheckVersion(m.version); }
  void operator()(const net::Welcome& m) const { CheckVersion(m.version); }
  void operator()(const net::Refuse& m) const { CheckVersion(m.version); }
  void operator()(const net::Start& m) const {
    fuzz::Require(m.delay <= net::kMaxDelay, "a delay out of range");
    fuzz::Require(net::ValidSettings(m.settings), "settings out of range");
  }
  void operator()(const net::Input& m) const {
    fuzz::Require(!m.inputs.empty() && m.inputs.size() <= net::kMaxInputs, "a count of inputs out of range");
    fuzz::Require(m.first >= 1 && m.first - 1 + m.inputs.size() <= net::kMaxFrame, "frames out of range");
    fuzz::Require(m.frame <= net::kMaxFrame && m.ack <= net::kMaxFrame && m.checkFrame <= net::kMaxFrame,
                  "a frame out of range");
    for (const uint16_t i : m.inputs) fuzz::Require((i & ~net::input::All) == 0, "an input with unknown keys");
  }
  void operator()(const net::Bye& m) const { fuzz::Require(m.frame <= net::kMaxFrame, "a frame out of range"); }
  void operator()(const net::Again&) const {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  const std::optional<net::Message> m = net::Decode(bytes);
  fuzz::Show(m ? "accepted, kind " + std::to_string(m->index()) : "refused");
  if (!m) return 0;
  std::visit(Ranges{}, *m);
  const std::vector<uint8_t> again = net::Encode(*m);
  fuzz::Require(again.size() == size && std::equal(again.begin(), again.end(), data), "encodes to other bytes");
  return 0;
}
