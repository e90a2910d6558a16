#include "platform/net_link.hpp"

#include <enet/enet.h>

#include <cstdint>
#include <cstdlib>

#include "platform/fatal.hpp"

namespace kt {

namespace {

constexpr size_t kChannels = 2;  // 0: unreliable, unsequenced; 1: reliable, in order
// A host takes one partner; a few more slots let it tell a third machine that
// it is busy instead of leaving it without an answer.
constexpr size_t kHostSlots = 4;

void InitializeOnce() {
  static const bool ready = [] {
    if (enet_initialize() != 0) return false;
    std::atexit(enet_deinitialize);
    return true;
  }();
  if (!ready) throw FatalError("the network library could not start");
}

uintptr_t IdOf(const ENetPeer* p) { return reinterpret_cast<uintptr_t>(p->data); }

}  // namespace

struct NetLink::Impl {
  ENetHost* host = nullptr;
  uint32_t nextId = 1;

  ~Impl() {
    if (!host) return;
    for (size_t i = 0; i < host->peerCount; ++i)
      if (host->peers[i].state != ENET_PEER_STATE_DISCONNECTED) enet_peer_disconnect_now(&host->peers[i], 0);
    enet_host_flush(host);
    enet_host_destroy(host);
  }

  ENetPeer* Find(uint32_t id) const {
    if (id == 0) return nullptr;
    for (size_t i = 0; i < host->peerCount; ++i) {
      ENetPeer* p = &host->peers[i];
      if (p->state != ENET_PEER_STATE_DISCONNECTED && IdOf(p) == id) return p;
    }
    return nullptr;
  }

  void Name(ENetPeer* p) {
    if (IdOf(p) == 0) p->data = reinterpret_cast<void*>(static_cast<uintptr_t>(nextId++));
    // Three seconds without a word from a partner ends the game above; the
    // link's own limit only clears away what is left.
    enet_peer_timeout(p, 32, 3000, 6000);
  }
};

NetLink::NetLink(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

NetLink::~NetLink() = default;

std::unique_ptr<NetLink> NetLink::Listen(uint16_t port, const std::string& bindAddress) {
  InitializeOnce();
  ENetAddress address{};
  address.host = ENET_HOST_ANY;
  address.port = port;
  if (!bindAddress.empty() && enet_address_set_host_ip(&address, bindAddress.c_str()) != 0)
    throw FatalError("'" + bindAddress + "' is no address to wait on");
  auto impl = std::make_unique<Impl>();
  impl->host = enet_host_create(&address, kHostSlots, kChannels, 0, 0);
  if (!impl->host)
    throw FatalError("cannot wait for a partner on port " + std::to_string(port) +
                     " (is another program using it?)");
  impl->host->checksum = enet_crc32;
  return std::unique_ptr<NetLink>(new NetLink(std::move(impl)));
}

std::unique_ptr<NetLink> NetLink::Dial(const std::string& hostName, uint16_t port) {
  InitializeOnce();
  ENetAddress address{};
  if (enet_address_set_host(&address, hostName.c_str()) != 0)
    throw FatalError("cannot find the host '" + hostName + "'");
  address.port = port;
  auto impl = std::make_unique<Impl>();
  impl->host = enet_host_create(nullptr, 1, kChannels, 0, 0);
  if (!impl->host) throw FatalError("cannot open a network connection");
  impl->host->checksum = enet_crc32;
  ENetPeer* p = enet_host_connect(impl->host, &address, kChannels, 0);
  if (!p) throw FatalError("cannot connect to " + hostName);
  impl->Name(p);
  return std::unique_ptr<NetLink>(new NetLink(std::move(impl)));
}

void NetLink::SetClock(uint32_t now) { enet_time_set(now); }

bool NetLink::Poll(Event& e) {
  ENetEvent ev;
  while (enet_host_service(impl_->host, &ev, 0) > 0) {
    switch (ev.type) {
      case ENET_EVENT_TYPE_CONNECT:
        impl_->Name(ev.peer);
        e = {Event::Connected, static_cast<uint32_t>(IdOf(ev.peer)), {}};
        return true;
      case ENET_EVENT_TYPE_RECEIVE: {
        const uint8_t* bytes = ev.packet->data;
        e = {Event::Received, static_cast<uint32_t>(IdOf(ev.peer)), {bytes, bytes + ev.packet->dataLength}};
        enet_packet_destroy(ev.packet);
        return true;
      }
      case ENET_EVENT_TYPE_DISCONNECT:
        e = {Event::Gone, static_cast<uint32_t>(IdOf(ev.peer)), {}};
        ev.peer->data = nullptr;
        return true;
      case ENET_EVENT_TYPE_NONE: break;
    }
  }
  return false;
}

void NetLink::Send(uint32_t peer, std::span<const uint8_t> data, bool reliable) {
  ENetPeer* p = impl_->Find(peer);
  if (!p || p->state != ENET_PEER_STATE_CONNECTED) return;
  ENetPacket* packet =
      enet_packet_create(data.data(), data.size(), reliable ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED);
  if (!packet) return;
  if (enet_peer_send(p, reliable ? 1 : 0, packet) != 0) enet_packet_destroy(packet);
}

void NetLink::Close(uint32_t peer) {
  if (ENetPeer* p = impl_->Find(peer)) enet_peer_disconnect_later(p, 0);
}

void NetLink::Drop(uint32_t peer) {
  if (ENetPeer* p = impl_->Find(peer)) {
    p->data = nullptr;
    enet_peer_reset(p);
  }
}

void NetLink::Flush() { enet_host_flush(impl_->host); }

uint16_t NetLink::Port() const {
  ENetAddress a{};
  if (enet_socket_get_address(impl_->host->socket, &a) != 0) return 0;
  return a.port;
}

std::string NetLink::Address(uint32_t peer) const {
  const ENetPeer* p = impl_->Find(peer);
  if (!p) return {};
  char ip[64] = {};
  if (enet_address_get_host_ip(&p->address, ip, sizeof ip) != 0) return {};
  return std::string(ip) + ":" + std::to_string(p->address.port);
}

}  // namespace kt
