#pragma once
// A UDP relay on 127.0.0.1 for the online play tests: the partner talks to
// the relay, the relay to the host, and every datagram either way is held
// for half the round trip plus a random jitter, lost now and then, and
// sometimes held back further so that it overtakes nothing but is overtaken.
// It runs on the tests' fake clock, like the games on both sides.
#include <enet/enet.h>

#include <cstdint>
#include <algorithm>
#include <deque>
#include <random>
#include <stdexcept>
#include <vector>

namespace kt::test {

struct NetConditions {
  uint32_t rtt = 0;      // ms
  uint32_t jitter = 0;   // +- ms on each way
  double loss = 0;       // of the datagrams each way
  double reorder = 0;    // of the datagrams held back 10-40 ms more
};

class UdpRelay {
 public:
  UdpRelay(uint16_t hostPort, const NetConditions& c, uint64_t seed) : c_(c), rng_(seed) {
    enet_initialize();
    socket_ = enet_socket_create(ENET_SOCKET_TYPE_DATAGRAM);
    if (socket_ == ENET_SOCKET_NULL) throw std::runtime_error("relay: no socket");
    ENetAddress a{};
    enet_address_set_host_ip(&a, "127.0.0.1");
    a.port = 0;
    if (enet_socket_bind(socket_, &a) != 0) throw std::runtime_error("relay: cannot bind");
    enet_socket_set_option(socket_, ENET_SOCKOPT_NONBLOCK, 1);
    enet_socket_get_address(socket_, &a);
    port_ = a.port;
    enet_address_set_host_ip(&host_, "127.0.0.1");
    host_.port = hostPort;
  }
  ~UdpRelay() { enet_socket_destroy(socket_); }
  UdpRelay(const UdpRelay&) = delete;
  UdpRelay& operator=(const UdpRelay&) = delete;

  uint16_t Port() const { return port_; }
  // While cut, everything is lost both ways.
  void Cut(bool cut) { cut_ = cut; }
  uint64_t Relayed() const { return relayed_; }

  void Pump(uint32_t now) {
    uint8_t buffer[4096];
    for (;;) {
      ENetAddress from{};
      ENetBuffer b{buffer, sizeof buffer};
      const int n = enet_socket_receive(socket_, &from, &b, 1);
      if (n <= 0) break;
      const bool fromHost = from.host == host_.host && from.port == host_.port;
      if (!fromHost) {
        partner_ = from;
        havePartner_ = true;
      }
      if (cut_ || Chance(c_.loss)) continue;
      int64_t delay = c_.rtt / 2;
      if (c_.jitter) delay += static_cast<int64_t>(rng_() % (2 * c_.jitter + 1)) - c_.jitter;
      if (Chance(c_.reorder)) delay += 10 + static_cast<int64_t>(rng_() % 31);
      queue_.push_back({now + static_cast<uint32_t>(std::max<int64_t>(delay, 0)), fromHost,
                        std::vector<uint8_t>(buffer, buffer + n)});
    }
    for (auto it = queue_.begin(); it != queue_.end();) {
      if (static_cast<int32_t>(now - it->at) < 0) {
        ++it;
        continue;
      }
      if (!it->toPartner || havePartner_) {
        ENetBuffer b{it->bytes.data(), it->bytes.size()};
        enet_socket_send(socket_, it->toPartner ? &partner_ : &host_, &b, 1);
        ++relayed_;
      }
      it = queue_.erase(it);
    }
  }

 private:
  struct Datagram {
    uint32_t at;
    bool toPartner;
    std::vector<uint8_t> bytes;
  };
  bool Chance(double p) { return p > 0 && std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

  NetConditions c_;
  std::mt19937_64 rng_;
  ENetSocket socket_;
  uint16_t port_ = 0;
  ENetAddress host_{}, partner_{};
  bool havePartner_ = false;
  bool cut_ = false;
  std::deque<Datagram> queue_;
  uint64_t relayed_ = 0;
};

// Sends datagrams of random bytes to a port on 127.0.0.1.
inline void SendGarbage(uint16_t port, int count, uint64_t seed) {
  std::mt19937_64 rng(seed);
  const ENetSocket s = enet_socket_create(ENET_SOCKET_TYPE_DATAGRAM);
  ENetAddress to{};
  enet_address_set_host_ip(&to, "127.0.0.1");
  to.port = port;
  for (int i = 0; i < count; ++i) {
    std::vector<uint8_t> bytes(1 + rng() % 300);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng());
    ENetBuffer b{bytes.data(), bytes.size()};
    enet_socket_send(s, &to, &b, 1);
  }
  enet_socket_destroy(s);
}

}  // namespace kt::test
