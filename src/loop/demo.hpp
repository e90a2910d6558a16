#pragma once
// Demos: a run written down as what the game consumed, so it can be played
// back exactly. A demo is a small text file:
//
//   kt-demo 1                      format
//   game 0.9.0                     the game's version that recorded it
//   seed 1234                      the random source at the start
//   clock 5000                     the clock before the first pass
//   players 1                      --players, if given
//   extra-enemies                  --extra-enemies, if given
//   start settings.LivesSetting 2  start values of the settings and the menus, by dump path
//   keys Enter                     keys held before the first pass, if any
//   body
//   t 16*250 16,0 17               passes without key changes: each the clock steps
//                                  of its Ticks() calls ("16,0": two calls; "*250": 250 such passes)
//   k 16 +Right -Up                one pass whose end delivered key changes
//   h <check> <check> ...          the state hash after each scene step, in order, by its low
//                                  24 bits (4 characters)
//   c 64 40 kurara=<hash> ...      checkpoint: after step 64 (scene 40 ran), the 64-bit hash of
//                                  each record group that changed since the last checkpoint
//   o 16                           the run ended inside this pass (no key delivery)
//   end passes 4000 steps 2000 scene 6 clock 16
//
// Hashes are written in URL-safe base64: 64 bits in 11 characters.
#include <array>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "loop/game.hpp"
#include "loop/state_hash.hpp"
#include "platform/platform.hpp"

namespace kt {

inline constexpr int kDemoFormat = 1;
inline constexpr int64_t kDemoCheckpointEvery = 64;  // steps
inline constexpr int kKeptDemos = 5;                  // runs kept in the user's data folder

// Every step's state hash is checked by its low 24 bits (4 characters in the
// demo, which keeps a whole playthrough in tens of kilobytes); the checkpoints
// hold every record group's whole 64-bit hash. A replay that parts from its
// demo differs in these 24 bits on the very step with odds of 1 in 16 million
// against, and in the 64 bits at the next checkpoint.
inline constexpr uint32_t kStepCheckMask = 0xffffff;
inline uint32_t StepCheck(uint64_t stateHash) { return static_cast<uint32_t>(stateHash) & kStepCheckMask; }

struct KeyChange {
  uint8_t code = 0;
  bool down = false;
  bool operator==(const KeyChange&) const = default;
};

struct DemoPass {
  std::vector<int32_t> ticks;    // each Ticks() result in the pass, as the step from the one before
  std::vector<KeyChange> keys;   // changes of the key table delivered at the end of the pass
  bool operator==(const DemoPass&) const = default;
};

struct DemoCheckpoint {
  int64_t step = 0;   // after this step (the first step is 1)
  int32_t scene = 0;  // the scene that ran in it
  std::array<uint64_t, kHashGroups> groups{};
  bool operator==(const DemoCheckpoint&) const = default;
};

struct DemoEnd {
  int64_t passes = 0, steps = 0;
  int32_t scene = 0;  // SceneId when the run ended
  int32_t clock = 0;  // the clock at the end, as the step from the last reading
  bool operator==(const DemoEnd&) const = default;
};

// What a replay sets up before the first pass.
struct DemoStart {
  uint64_t seed = 0;
  uint32_t clock = 0;
  int32_t players = 0;  // the --players override, 0 for none
  bool extraEnemies = false;
  std::vector<std::pair<std::string, std::string>> fields;  // dump path, value
  std::vector<uint8_t> keys;                                 // held before the first pass
  bool operator==(const DemoStart&) const = default;
};

struct Demo {
  int format = kDemoFormat;
  std::string gameVersion;
  DemoStart start;
  std::vector<DemoPass> passes;
  bool lastPassOpen = false;  // the run ended inside the last pass (the game ended itself)
  std::vector<uint32_t> stepChecks;  // the low 24 bits of the state hash after each step
  std::vector<DemoCheckpoint> checkpoints;
  std::optional<DemoEnd> end;  // missing when the recording run did not finish (a crash)
  bool operator==(const Demo&) const = default;
};

// Throws FatalError naming `name` and the line for anything malformed.
Demo ParseDemo(std::string_view text, const std::string& name);
Demo LoadDemo(const std::filesystem::path& path);
std::string FormatDemo(const Demo& demo);

// Writes a demo line by line as a run goes, flushing at every checkpoint so
// that a run that crashes leaves all but its last second.
class DemoWriter {
 public:
  explicit DemoWriter(std::vector<std::ostream*> outs) : outs_(std::move(outs)) {}
  void Header(std::string_view gameVersion, const DemoStart& start);
  void Pass(const DemoPass& pass);
  void OpenPass(const std::vector<int32_t>& ticks);
  void Check(uint32_t check);
  void Checkpoint(const DemoCheckpoint& c);
  void End(const DemoEnd& end);
  void Flush();

 private:
  void Line(const std::string& line);
  void FlushTicks();
  void FlushHashes();

  std::vector<std::ostream*> outs_;
  std::string pendingToken_;  // the run of identical passes not yet written
  int64_t pendingCount_ = 0;
  std::string tickLine_, hashLine_;
  int hashesOnLine_ = 0;
  std::optional<std::array<uint64_t, kHashGroups>> lastGroups_;
};

// The start values a demo's header holds: the settings and the menus' choices.
std::vector<std::pair<std::string, std::string>> DemoStartFields(const Game& g);
// Sets fields by dump path; throws FatalError naming an unknown path or a bad value.
void ApplyStartFields(Game& g, const std::vector<std::pair<std::string, std::string>>& fields);

// Records a run: wraps the platform the game runs on, writes down every
// clock reading and the key table after every delivery, and the state hash
// after every scene step. Recording never changes the run.
class DemoRecorder final : public Platform, public StepWatch {
 public:
  DemoRecorder(Platform& device, std::vector<std::ostream*> outs);
  ~DemoRecorder() override;

  // After start-up (and the command line's overrides and first keys): writes
  // the header and starts watching the game's steps.
  void Start(Game& g);
  // Writes the end; the game is no longer watched.
  void Finish(Game& g);

  uint32_t Ticks() override;
  Mixer& OpenAudio() override { return device_.OpenAudio(); }
  void OpenDisplay() override { device_.OpenDisplay(); }
  void Show(const Surface& front) override { device_.Show(front); }
  void ProcessMessages(KeyTable& keys) override;
  void IdleUntil(uint32_t dueTick) override { device_.IdleUntil(dueTick); }
  void ReportFatal(const std::string& message) override { device_.ReportFatal(message); }
  void AfterStep(const Game& g, int32_t sceneRan) override;

  int64_t Steps() const { return steps_; }

 private:
  Platform& device_;
  DemoWriter writer_;
  Game* game_ = nullptr;
  bool started_ = false;
  uint32_t lastTick_ = 0;
  DemoPass pass_;
  KeyTable keys_{};
  int64_t passes_ = 0, steps_ = 0;
  int64_t lastCheckpoint_ = 0;
  int32_t lastScene_ = 0;
  std::array<uint64_t, kHashGroups> lastGroups_{};
};

// Where a replay first parted from its demo.
struct ReplayMismatch {
  int64_t step = 0;    // the first step whose hash differs (1-based)
  int64_t pass = 0;    // the pass it ran in (1-based)
  int32_t tick = 0;    // its FrameTick
  int32_t scene = 0;   // the scene that ran
  std::string what;    // what differs, in words
  std::vector<HashGroup> groups;  // the record groups that differ at `groupsStep`
  int64_t groupsStep = 0;         // 0 when no checkpoint could be compared
};

struct ReplayResult {
  int64_t passes = 0, steps = 0;
  int32_t finalScene = 0;
  std::array<bool, 100> scenesRun{};  // by scene number
  std::optional<ReplayMismatch> mismatch;
  bool truncated = false;  // the demo has no end: its run did not finish
  bool cut = false;        // stopped at the time asked for, before the demo's end

  bool Ran(int32_t scene) const { return scene >= 0 && scene < 100 && scenesRun[static_cast<size_t>(scene)]; }
};

// One line for the player: where the replay parted and which records differ.
std::string DescribeMismatch(const ReplayMismatch& m);

// Plays a demo back: the clock readings and key tables come from the demo,
// every step's hash is checked against it. Headless without a device (the
// mixer runs on the demo's clock); with a device, at the recorded pace, with
// the device's picture and sound, its keys ignored except Escape.
class DemoPlayer final : public Platform, public StepWatch {
 public:
  DemoPlayer(const Demo& demo, Platform* device);
  ~DemoPlayer() override;

  // After start-up on the demo's seed: the start values, overrides and first keys.
  void Begin(Game& g);
  // True once the demo's passes are used up or the replay has parted from it
  // (and reached the checkpoint that names the records).
  bool Finished() const;
  // Stops the replay once `ms` of the demo's game time have passed.
  void StopAfter(uint32_t ms) { stopAfter_ = ms; }
  // Compares the end with the demo's; the game is no longer watched.
  ReplayResult End(Game& g);

  uint32_t Ticks() override;
  Mixer& OpenAudio() override { return device_ ? device_->OpenAudio() : mixer_; }
  void OpenDisplay() override {
    if (device_) device_->OpenDisplay();
  }
  void Show(const Surface& front) override {
    if (device_) device_->Show(front);
  }
  void ProcessMessages(KeyTable& keys) override;
  void IdleUntil(uint32_t) override {}
  void ReportFatal(const std::string& message) override {
    if (device_) device_->ReportFatal(message);
  }
  void AfterStep(const Game& g, int32_t sceneRan) override;

 private:
  uint32_t ClockAfterPass(size_t pass) const;
  void Pace(uint32_t tick);
  void Mismatch(const Game& g, int32_t sceneRan, std::string what);
  void CompareGroups(const StateHashes& h, const DemoCheckpoint& c);

  const Demo& demo_;
  Platform* device_;
  Mixer mixer_;
  Game* game_ = nullptr;
  std::vector<uint32_t> passClock_;  // the clock after each pass's last reading
  size_t pass_ = 0, call_ = 0;
  uint32_t clock_ = 0;     // the last reading handed out
  uint32_t mixedTo_ = 0;   // headless: the clock the voices have been advanced to
  KeyTable table_{};       // the recorded table
  KeyTable deviceKeys_{};  // windowed: what the device delivers (only Escape counts)
  bool paced_ = false;
  uint32_t wallStart_ = 0;
  size_t nextCheckpoint_ = 0;
  ReplayResult result_;
  bool stop_ = false;
  std::optional<uint32_t> stopAfter_;
};

// Replays `demo` on a new game `g` through `player` (which the game's mixer
// lives in, so it must outlive the game's use): start-up from `dataDir` on the
// demo's seed, then passes until the demo is used up or the game ends.
ReplayResult PlayDemo(Game& g, DemoPlayer& player, const Demo& demo, const std::filesystem::path& dataDir);
// The same headless, on a game of its own.
ReplayResult ReplayHeadless(const Demo& demo, const std::filesystem::path& dataDir);

// The kept demos: returns the path for a new run's demo in `dir` and removes
// all but the newest `keep - 1` demos there. Names sort by time.
std::filesystem::path NewKeptDemo(const std::filesystem::path& dir, int keep = kKeptDemos);

}  // namespace kt
