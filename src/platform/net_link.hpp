#pragma once
// The network link of online play, over ENet (UDP with its own connections,
// reliable and unreliable packets, and a CRC32 on every datagram so that
// damaged or foreign datagrams are dropped before the game sees them). The
// game sees peers by number, packets as bytes, and three kinds of event.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace kt {

class NetLink {
 public:
  struct Event {
    enum Kind : uint8_t { Connected, Received, Gone };
    Kind kind = Received;
    uint32_t peer = 0;
    std::vector<uint8_t> data;
  };

  // Waits for partners on `port` (0: a free port the system picks) of every
  // address, or of `bindAddress` if given. Throws FatalError if it cannot.
  static std::unique_ptr<NetLink> Listen(uint16_t port, const std::string& bindAddress = "");
  // Starts connecting to `host`:`port`; a Connected or a Gone event follows.
  // Throws FatalError for a name that does not resolve.
  static std::unique_ptr<NetLink> Dial(const std::string& host, uint16_t port);

  ~NetLink();
  NetLink(const NetLink&) = delete;
  NetLink& operator=(const NetLink&) = delete;

  // The link's time follows the game's clock, so its resends and time-outs
  // run on the same milliseconds as the game (tests run it on a fake clock).
  void SetClock(uint32_t now);

  // The next event, if any; never waits.
  bool Poll(Event& e);
  // Reliable packets arrive once and in order; the others may be lost,
  // doubled in no case, and come in any order.
  void Send(uint32_t peer, std::span<const uint8_t> data, bool reliable);
  // Ends a connection once what is queued for it has gone out.
  void Close(uint32_t peer);
  // Forgets a connection at once, without telling the other side.
  void Drop(uint32_t peer);
  // Sends what is queued now.
  void Flush();

  uint16_t Port() const;
  std::string Address(uint32_t peer) const;

 private:
  struct Impl;
  explicit NetLink(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace kt
