#pragma once
// Online play in the running game: `kurara-tavo --host` waits for a partner,
// `kurara-tavo --join HOST` connects to one. While no game is on, each machine
// runs its own title, menu and options; once the two are connected (same
// version, same data files) the host's game starts on both at once, from the
// stage start, with the host's settings. The host steers Tavo, the partner
// Kurara, each with the arrow keys' layout (arrows, L, O, I, K; Enter pauses
// both). After the ending, a game over or a quit from the pause menu both go
// back to their titles and stay connected; starting a game from either main
// menu starts the next online game. Escape (or closing the window) leaves; the
// partner sees "YOUR PARTNER LEFT" and returns to his title. N shows the round
// trip and the rollbacks per second.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "loop/game.hpp"
#include "loop/net_protocol.hpp"
#include "loop/online_game.hpp"
#include "loop/snapshot.hpp"
#include "platform/net_link.hpp"
#include "platform/platform.hpp"

namespace kt {

struct NetOptions {
  bool host = false;
  std::string hostName;  // joining: the host's name or address
  uint16_t port = net::kDefaultPort;
  std::string bind;      // hosting: the address to wait on; empty for every address
  uint8_t delay = 2;     // frames of input delay the host asks for
  std::string version;   // this game's version
  uint64_t dataHash = 0;  // of this game's data files
  std::optional<uint64_t> seed;  // hosting: the first game's seed (otherwise a random one)
  // Each online game's demo is kept in this folder with the kept runs
  // (run-DATE.demo; a game that went out of step is kept as out-of-step-DATE.demo).
  std::filesystem::path demoDir;
  // Or handed here instead (tests): the stream for game number `game`.
  std::function<std::ostream*(uint16_t game)> demoSink;
  bool quiet = false;  // no notes on stderr
};

class NetPlay {
 public:
  enum class Mode : uint8_t {
    Waiting,   // hosting, no partner
    Dialing,   // joining, not connected yet
    Greeting,  // connected, versions being compared
    Idle,      // connected, between games
    Asking,    // the partner asked the host to start a game
    Playing,   // an online game is on
    Notice,    // the game stopped (a partner left, states differ): the message shows over it
    Alone,     // joining failed or ended: the game plays on by itself
  };

  // After start-up, before the first pass. Opens the link (throws FatalError
  // if it cannot).
  NetPlay(Game& g, Platform& device, NetOptions options);
  ~NetPlay();
  NetPlay(const NetPlay&) = delete;
  NetPlay& operator=(const NetPlay&) = delete;

  // One pass of the frame loop. Returns false when the player has quit.
  bool Pass();

  Mode GetMode() const { return mode_; }
  const OnlineGame* Online() const { return online_.get(); }
  // The line shown at the foot of the screen, or over a stopped game.
  const std::string& Message() const { return message_; }
  // Packets that were not what the protocol allows, and were dropped.
  int64_t Malformed() const { return malformed_; }
  int32_t GamesStarted() const { return gameNumber_; }
  int32_t TurnedAway() const { return turnedAway_; }
  uint16_t Port() const { return link_->Port(); }
  bool IndicatorShown() const { return indicator_; }
  // The rollbacks and frames played again in all games so far.
  int64_t Rollbacks() const { return rollbacks_; }

 private:
  class Screen;

  bool LocalPass(uint32_t now);
  bool OnlinePass(uint32_t now);
  void Events(uint32_t now);
  void Handle(const net::Message& m, uint32_t now);
  void Greet(const net::Hello& hello, uint32_t now);
  void PartnerGone(uint32_t now);
  void StartGame(uint32_t now);
  void Begin(const net::Start& start, uint32_t now);
  void EndGame(uint32_t now);
  void Stop(const std::string& text, uint32_t now);
  void Leave();
  void Send(const net::Message& m, bool reliable);
  void SendTo(uint32_t peer, const net::Message& m, bool reliable);
  void Note(const std::string& text, uint32_t now, uint32_t ms = 5000);
  void Idle(uint32_t now);
  std::string Status() const;
  bool HasOverlay() const;  // a message or the indicator shows over the picture
  void DrawOverlay(Surface& picture) const;
  void SetMessage(const std::string& text);

  Game& g_;
  Platform& device_;
  NetOptions options_;
  std::unique_ptr<Screen> screen_;
  std::unique_ptr<NetLink> link_;
  Mode mode_;
  uint32_t partner_ = 0;
  uint32_t since_ = 0;  // when the current mode began

  Snapshot fresh_;  // the game just started: every online game begins here
  Snapshot local_;  // this machine's own game, put back after an online game
  MapShare maps_;

  std::unique_ptr<OnlineGame> online_;
  std::unique_ptr<std::ofstream> demoFile_;
  std::filesystem::path demoPath_;
  std::unique_ptr<OnlineGame> lingering_;  // an ended game still sending what the partner lacks
  std::unique_ptr<std::ofstream> lingeringFile_;
  uint16_t gameNumber_ = 0;

  KeyTable keys_{};      // this machine's keys while an online game is on
  uint16_t pending_ = 0;  // its input since the last frame played
  bool indicator_ = false;
  bool nWasDown_ = false;

  std::string message_;      // shown now
  std::string note_;         // a passing note at the foot of the screen
  uint32_t noteUntil_ = 0;
  uint32_t noticeUntil_ = 0;  // a stopped game's message
  bool overlayChanged_ = true;
  std::string indicatorText_;
  uint32_t indicatorAt_ = 0;

  int64_t malformed_ = 0;
  int32_t turnedAway_ = 0;
  int64_t rollbacks_ = 0;
};

}  // namespace kt
