#pragma once
// The rollback at the heart of online play. Both machines run the same
// game frame by frame on a clock of their own that advances exactly 32 ms a
// frame, so every paced scene steps once a frame, and feed every frame the
// same key table, made from both players' inputs. A frame whose partner input
// has not arrived yet is played with a guess (his last input known); when the
// real one arrives and differs, the game goes back to the snapshot before the
// first frame that guessed wrong and plays the frames up to the present again
// within the same pass, drawing only the last one. Sounds are reconciled so
// that each plays once.
//
// Frames whose inputs are all known are final: they are written to the
// game's demo (which replays as an ordinary two-player demo) and their state
// hashes are compared with the partner's.
#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "loop/demo.hpp"
#include "loop/game.hpp"
#include "loop/net_protocol.hpp"
#include "loop/snapshot.hpp"

namespace kt {

// The host steers Tavo, the partner who joins Kurara.
enum class Side : uint8_t { Host, Partner };

inline constexpr uint32_t kFrameMs = 32;
// Final frames whose numbers are multiples of this are checked with the partner (about once a second).
inline constexpr int32_t kCheckEvery = 32;

// A player's input from his own key table: the arrow keys' hero's keys
// (Left Right Up Down L O I K) and Enter, whichever hero he steers online.
uint16_t InputFromKeys(const KeyTable& keys);

// The key table of a frame: Tavo's keys from one input, Kurara's from the
// other, Enter from either; in the pause menu Kurara's player moves the
// cursor too.
KeyTable CombinedKeys(uint16_t tavo, uint16_t kurara, int32_t scene);

// Puts the game at the start of an online game: the state of a game just
// started (`fresh`), the seed and clock of `start`, the host's settings, two
// players, the stage start. Returns what a demo's header needs to start a
// replay from the same state.
DemoStart BeginOnlineGame(Game& g, const Snapshot& fresh, const net::Start& start);

// The sounds of frames that may be played more than once: a frame played
// for the first time sounds what it asks for; played again, only what it did
// not ask for before (late, rather than never); what it no longer asks for
// has been heard already.
class SoundLedger {
 public:
  std::vector<SoundRequest> Played(int32_t frame, const std::vector<SoundRequest>& asked);

 private:
  int32_t newest_ = 0;
  std::array<std::vector<SoundRequest>, 128> played_;
};

class Rollback final : private StepWatch {
 public:
  static constexpr int32_t kMaxPrediction = 8;  // frames played ahead of the partner's last known input

  // Starts the game (BeginOnlineGame) and writes the demo's header to `demo`.
  Rollback(Game& g, Side side, const net::Start& start, const Snapshot& fresh, std::vector<std::ostream*> demo);
  ~Rollback() override;
  Rollback(const Rollback&) = delete;
  Rollback& operator=(const Rollback&) = delete;

  // The next frame to play (the first is 1).
  int32_t NextFrame() const { return next_; }
  // The partner's inputs are known for every frame up to this one.
  int32_t Confirmed() const { return confirmed_; }
  // Frames up to this one are final.
  int32_t Final() const { return final_; }
  // Whether the next frame may be played now (it is not too far ahead of the partner).
  bool CanAdvance() const { return next_ - confirmed_ - 1 < kMaxPrediction; }

  enum class Took : uint8_t { New, Known, Impossible };
  // A partner's input for `frame`. Known: already had it (or the frame needs
  // none); Impossible: no partner could send it now.
  Took TakeRemote(uint32_t frame, uint16_t bits);

  // One pass: plays again the frames a late input proved wrong, then, if
  // `advance`, the next frame with `local` as this machine's input for the
  // frame the input delay puts it in. Only the last frame played draws.
  // Returns whether a frame was drawn.
  bool Run(bool advance, uint16_t local);

  // This machine's inputs are known up to this frame.
  int32_t LocalKnown() const;
  uint16_t Local(int32_t frame) const { return local_[Slot(frame)]; }

  // The state hash of a final frame kept for the partner's check (multiples of kCheckEvery).
  std::optional<uint64_t> CheckHash(int32_t frame) const;
  // The newest such frame and its hash; frame 0 when there is none yet.
  std::pair<int32_t, uint64_t> LatestCheck() const;

  // The game went back to the title at a final frame: this game is over.
  bool Ended() const { return ended_; }
  // Writes the demo's end at the last final frame.
  void Finish();

  int64_t Rollbacks() const { return rollbacks_; }
  int64_t FramesPlayedAgain() const { return again_; }
  // The 64-bit state hash of each final step, in order (for the tests).
  const std::vector<uint64_t>& FinalHashes() const { return finalHashes_; }
  const DemoStart& Start() const { return start_; }

 private:
  static constexpr int32_t kRing = 128;  // frames of inputs, tables and results kept
  static constexpr int32_t kSnaps = 16;  // snapshots kept
  static size_t Slot(int32_t frame) { return static_cast<size_t>(frame) & (kRing - 1); }
  static size_t SnapSlot(int32_t frame) { return static_cast<size_t>(frame) & (kSnaps - 1); }

  uint16_t RemoteFor(int32_t frame) const;
  void Play(int32_t frame, bool draw);
  void Finalize(int32_t frame);
  void WritePass(int32_t frame, const KeyTable* next);
  void AfterStep(const Game& g, int32_t sceneRan) override;

  Game& g_;
  Side side_;
  int32_t delay_;
  uint32_t clock0_;
  DemoStart start_;
  DemoWriter demo_;
  bool writing_;

  int32_t next_ = 1;
  int32_t confirmed_;
  int32_t final_ = 0;
  int32_t wrongFrom_ = 0;  // the first frame played with a wrong guess; 0: none
  int32_t playing_ = 0;    // the frame being played

  std::array<uint16_t, kRing> local_{}, remote_{}, used_{};
  std::array<int32_t, kRing> remoteFrame_{};  // the frame whose partner input a slot holds
  std::array<KeyTable, kRing> keys_{};
  struct Result {
    bool stepped = false;
    int32_t sceneRan = 0;
    int32_t sceneAfter = 0;
    uint64_t loopHash = 0;  // the loop group right after the step
  };
  std::array<Result, kRing> results_{};
  SoundLedger sounds_;
  std::vector<SoundRequest> requests_;

  // [frame]: the state before the frame; made as the first frames need
  // them, so that starting a game costs no pass 10 MB at once.
  std::array<std::unique_ptr<Snapshot>, kSnaps> snaps_;
  Snapshot& SnapOf(int32_t frame);
  MapShare maps_;

  int64_t steps_ = 0;
  std::array<uint64_t, kHashGroups> lastGroups_{};
  int32_t lastScene_ = 0;
  int64_t lastCheckpoint_ = 0;
  bool passOpen_ = false;  // the last final frame's pass is not written yet
  bool ended_ = false;
  bool finished_ = false;
  std::vector<std::pair<int32_t, uint64_t>> checks_;
  std::vector<uint64_t> finalHashes_;

  int64_t rollbacks_ = 0, again_ = 0;
};

}  // namespace kt
