// Recording runs as demos and playing them back, step by step under the
// state hash.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "loop/demo.hpp"
#include "loop/dump.hpp"
#include "loop/frame_loop.hpp"
#include "loop/startup.hpp"
#include "platform/fatal.hpp"

namespace fs = std::filesystem;

namespace kt {
namespace {

// Through the title, the options (lives up), a one-player game with a pause,
// then walking and punching.
constexpr const char* kScript =
    "300\n100 Enter\n300\n100 Down\n300\n100 Enter\n300\n100 Down\n100\n100 Down\n100\n100 Down\n100\n100 Right\n200\n200 Down\n100 Enter\n"
    "300\n100 Up\n300\n100 Enter\n2000\n100 Enter\n600\n100 Enter\n500\n5000 Right\n300 Right L\n1000 Up\n";

struct Recorded {
  std::string demo, dump, trace;
  std::vector<int64_t> stepsAfterPass;  // steps made when each pass ended
};

Recorded Record(const std::string& script, bool record = true, const std::function<void(Game&)>& before = {}) {
  Recorded r;
  auto g = NewGame();
  auto headless = MakeHeadlessPlatform({0, 16, ParseKeyScript(script, "test")});
  std::ostringstream demo, trace, dump;
  DemoRecorder recorder(*headless, {&demo});
  Platform& platform = record ? static_cast<Platform&>(recorder) : *headless;
  g->trace = &trace;
  Startup(*g, platform, {KT_DATA_DIR, 3});
  if (before) before(*g);
  headless->Begin(g->KeyState);
  if (record) recorder.Start(*g);
  while (headless->Elapsed() < headless->ScriptLength() && FramePass(*g, platform))
    r.stepsAfterPass.push_back(recorder.Steps());
  if (record) recorder.Finish(*g);
  DumpState(*g, dump);
  r.demo = demo.str();
  r.dump = dump.str();
  r.trace = trace.str();
  return r;
}

struct Replayed {
  ReplayResult result;
  std::string dump, trace;
};

Replayed Replay(const Demo& demo) {
  Replayed r;
  auto g = NewGame();
  std::ostringstream trace, dump;
  g->trace = &trace;
  DemoPlayer player(demo, nullptr);
  r.result = PlayDemo(*g, player, demo, KT_DATA_DIR);
  DumpState(*g, dump);
  r.dump = dump.str();
  r.trace = trace.str();
  return r;
}

TEST(Demo, AReplayGivesTheRunBackExactly) {
  const Recorded run = Record(kScript);
  const Replayed back = Replay(ParseDemo(run.demo, "run"));
  ASSERT_FALSE(back.result.mismatch) << DescribeMismatch(*back.result.mismatch);
  EXPECT_FALSE(back.result.truncated);
  EXPECT_EQ(back.result.steps, run.stepsAfterPass.back());
  EXPECT_EQ(back.result.finalScene, scene::Gameplay);
  EXPECT_TRUE(back.result.Ran(scene::Options) && back.result.Ran(scene::Pause));
  // The sounds playing and started, which the hash leaves out, come back too.
  EXPECT_EQ(back.dump, run.dump);
  EXPECT_EQ(back.trace, run.trace);
  // Recording changed nothing.
  EXPECT_EQ(Record(kScript, false).trace, run.trace);
}

// A display's clock: passes of uneven length, now and then a long one, and a
// clock that wraps past 2^32 on the way; keys pressed and let go at odd times.
class UnevenPlatform : public Platform {
 public:
  uint32_t Ticks() override { return now_; }
  Mixer& OpenAudio() override { return mixer_; }
  void OpenDisplay() override {}
  void Show(const Surface&) override {}
  void ProcessMessages(KeyTable& keys) override {
    seed_ = seed_ * 6364136223846793005ull + 1442695040888963407ull;
    const uint32_t r = static_cast<uint32_t>(seed_ >> 33);
    now_ += r % 50 == 0 ? 120 : 14 + r % 6;
    ++passes_;
    keys.fill(false);
    // The title and the menu: Enter now and then; then walking and punching.
    if (passes_ < 150) {
      keys[vk::Enter] = passes_ % 40 > 30;
    } else {
      keys[vk::Right] = (passes_ / 50) % 3 != 0;
      keys['L'] = r % 7 == 0;
      keys[vk::Up] = (passes_ / 90) % 4 == 1;
    }
  }
  void IdleUntil(uint32_t) override {}

 private:
  uint32_t now_ = 0xFFFFF000u;  // a minute and a bit before the clock wraps
  uint64_t seed_ = 99;
  int passes_ = 0;
  Mixer mixer_;
};

// Records `passes` passes of a game started up on `device`.
std::string RecordOn(Platform& device, uint64_t seed, int passes, Game& g) {
  std::ostringstream demo;
  DemoRecorder recorder(device, {&demo});
  Startup(g, recorder, {KT_DATA_DIR, seed});
  recorder.Start(g);
  for (int n = 0; n < passes; ++n) EXPECT_TRUE(FramePass(g, recorder));
  recorder.Finish(g);
  return demo.str();
}

TEST(Demo, AnUnevenClockThatWrapsReplaysExactly) {
  auto g = NewGame();
  UnevenPlatform device;
  const std::string demo = RecordOn(device, 11, 2500, *g);
  ASSERT_EQ(g->SceneId, scene::Gameplay);
  ASSERT_LT(static_cast<uint32_t>(g->FrameTick), 0x10000000u);  // wrapped
  const Demo d = ParseDemo(demo, "uneven");
  EXPECT_EQ(d.start.clock, 0xFFFFF000u);
  const Replayed back = Replay(d);
  ASSERT_FALSE(back.result.mismatch) << DescribeMismatch(*back.result.mismatch);
  EXPECT_EQ(back.result.steps, d.end->steps);
}

// A real clock moves between any two readings: between the one start-up
// starts the game's clocks from, the recorder's first and the first pass's.
class MovingClock : public UnevenPlatform {
 public:
  uint32_t Ticks() override { return UnevenPlatform::Ticks() + ++readings_; }

 private:
  uint32_t readings_ = 0;
};

TEST(Demo, AClockThatMovesWhileTheRunStartsReplaysExactly) {
  auto g = NewGame();
  MovingClock device;
  const Replayed back = Replay(ParseDemo(RecordOn(device, 12, 400, *g), "moving"));
  ASSERT_FALSE(back.result.mismatch) << DescribeMismatch(*back.result.mismatch);
  EXPECT_GT(back.result.steps, 100);
}

TEST(Demo, TheTextReadsBackAsItWasWritten) {
  const Recorded run = Record(kScript);
  const Demo d = ParseDemo(run.demo, "run");
  // The recorder writes hashes as the steps come; the written-out demo holds
  // the same in another order.
  const std::string text = FormatDemo(d);
  EXPECT_EQ(ParseDemo(text, "again"), d);
  EXPECT_EQ(FormatDemo(ParseDemo(text, "again")), text);
  EXPECT_EQ(d.start.seed, 3u);
  ASSERT_TRUE(d.end);
  EXPECT_EQ(d.end->steps, run.stepsAfterPass.back());
  EXPECT_EQ(d.end->passes, static_cast<int64_t>(run.stepsAfterPass.size()));
  EXPECT_EQ(d.checkpoints.back().step, d.end->steps);  // the last step always has one
  // About 8 bytes a step: a full playthrough stays within tens of kilobytes.
  EXPECT_LT(run.demo.size(), 12 * static_cast<size_t>(d.end->steps) + 2000);
}

TEST(Demo, AFlippedKeyIsCaughtAtTheFirstStepThatReadsIt) {
  const Recorded run = Record(kScript);
  Demo d = ParseDemo(run.demo, "run");
  // Somewhere in the 5 s of walking right: let go of Right for ten passes.
  const size_t pass = run.stepsAfterPass.size() - 150;
  for (size_t p = pass; p <= pass + 10; ++p) ASSERT_TRUE(d.passes[p].keys.empty()) << p;
  d.passes[pass].keys.push_back({vk::Right, false});
  d.passes[pass + 10].keys.push_back({vk::Right, true});
  const Replayed back = Replay(d);
  ASSERT_TRUE(back.result.mismatch);
  const ReplayMismatch& m = *back.result.mismatch;
  EXPECT_EQ(m.step, run.stepsAfterPass[pass] + 1);
  size_t stepped = pass + 1;  // the first pass with a step after the change
  while (run.stepsAfterPass[stepped] == run.stepsAfterPass[pass]) ++stepped;
  EXPECT_EQ(m.pass, static_cast<int64_t>(stepped) + 1);
  EXPECT_EQ(m.scene, scene::Gameplay);
  // The records are named at the next checkpoint: the keys and the steered hero.
  EXPECT_GE(m.groupsStep, m.step);
  EXPECT_LT(m.groupsStep, m.step + kDemoCheckpointEvery);
  const auto named = [&](HashGroup g) { return std::find(m.groups.begin(), m.groups.end(), g) != m.groups.end(); };
  EXPECT_TRUE(named(HashGroup::Tavo));
  EXPECT_FALSE(named(HashGroup::Settings));
  EXPECT_NE(DescribeMismatch(m).find("tavo"), std::string::npos);
}

TEST(Demo, AReplayThatEndsEarlyOrElsewhereIsCaught) {
  const Recorded run = Record(kScript);
  Demo shorter = ParseDemo(run.demo, "run");
  shorter.passes.resize(shorter.passes.size() - 40);
  const Replayed a = Replay(shorter);
  ASSERT_TRUE(a.result.mismatch);
  EXPECT_EQ(a.result.mismatch->step, a.result.steps + 1);
  EXPECT_NE(a.result.mismatch->what.find("ended after"), std::string::npos);

  // Every step's 24-bit check matches, the whole hash of a record at a
  // checkpoint does not.
  Demo checkpoint = ParseDemo(run.demo, "run");
  checkpoint.checkpoints[2].groups[static_cast<size_t>(HashGroup::Kurara)] ^= uint64_t{1} << 40;
  const Replayed c = Replay(checkpoint);
  ASSERT_TRUE(c.result.mismatch);
  EXPECT_EQ(c.result.mismatch->step, checkpoint.checkpoints[2].step);
  EXPECT_EQ(c.result.mismatch->groups, std::vector<HashGroup>{HashGroup::Kurara});

  Demo elsewhere = ParseDemo(run.demo, "run");
  elsewhere.end->scene = scene::Pause;
  const Replayed b = Replay(elsewhere);
  ASSERT_TRUE(b.result.mismatch);
  EXPECT_NE(b.result.mismatch->what.find("ends in scene 40"), std::string::npos);
}

// A run that crashed leaves its demo without an end; it replays as far as it goes.
TEST(Demo, ADemoWithoutAnEndReplaysAsFarAsItGoes) {
  const Recorded run = Record(kScript);
  std::string text = run.demo;
  text.resize(text.rfind("c "));  // the crash came before the last checkpoint
  const Demo d = ParseDemo(text, "cut");
  EXPECT_FALSE(d.end);
  const Replayed back = Replay(d);
  EXPECT_TRUE(back.result.truncated);
  EXPECT_FALSE(back.result.mismatch);
  EXPECT_LE(back.result.steps, run.stepsAfterPass.back());
}

TEST(Demo, StartValuesComeFromTheHeader) {
  const Recorded run = Record(kScript, true, [](Game& g) {
    // As a settings file of an earlier session might leave them.
    g.settings.LivesSetting = 4;
    g.settings.LivesMarkX = 495;
    g.CostumeToggle = 1;
  });
  EXPECT_NE(run.demo.find("\nstart settings.LivesSetting 4\n"), std::string::npos);
  EXPECT_NE(run.demo.find("\nstart CostumeToggle 1\n"), std::string::npos);
  const Replayed back = Replay(ParseDemo(run.demo, "run"));
  EXPECT_FALSE(back.result.mismatch);
  EXPECT_EQ(back.dump, run.dump);

  Demo unknown = ParseDemo(run.demo, "run");
  unknown.start.fields.emplace_back("settings.NoSuchThing", "1");
  EXPECT_THROW(Replay(unknown), FatalError);
}

TEST(Demo, MalformedDemosAreRefusedNamingTheLine) {
  const std::string head = "kt-demo 1\ngame x\nseed 1\nclock 0\nbody\n";
  const std::pair<std::string, std::string> cases[] = {
      {"", "not a demo"},
      {"hello\n", "d:1: not a demo"},
      {"kt-demo 2\n", "demo format 2"},
      {"kt-demo 1\nseed x\n", "d:2: 'x' is not a number"},
      {"kt-demo 1\nspeed 3\n", "d:2: unknown header line"},
      {"kt-demo 1\nseed 1\n", "no body"},
      {head + "t 16 16*0\n", "d:6: bad pass count"},
      {head + "t 16,a\n", "d:6: '16,a' is not a list of clock steps"},
      {head + "k 16 Right\n", "d:6: 'Right' is no key change"},
      {head + "k 16 +Shift\n", "d:6: '+Shift' is no key change"},
      {head + "h AAAAA\n", "d:6: 'AAAAA' is not a step's check"},
      {head + "h AA*A\n", "is not a step's check"},
      {head + "c 1 4 kurara=___________\n", "is not group=hash"},  // 66 bits
      {head + "c 1 4 nobody=AAAAAAAAAAA\n", "is not group=hash"},
      {head + "c 2 4\nc 2 4\n", "checkpoint steps must rise"},
      {head + "t 16\nend passes 2 steps 0 scene 4 clock 0\n", "counts 2 passes, the demo holds 1"},
      {head + "t 16\nend passes 1 steps 1 scene 4 clock 0\n", "counts 1 steps, the demo holds 0 checks"},
      {head + "end passes 0 steps 0 scene 4 clock 0\nt 16\n", "text after the end"},
      {head + "o 16\nt 16\n", "a pass after the open pass"},
      {head + "x 1\n", "unknown line"},
  };
  for (const auto& [text, message] : cases) {
    try {
      ParseDemo(text, "d");
      ADD_FAILURE() << "accepted: " << text;
    } catch (const FatalError& e) {
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what() << "\nwanted: " << message;
    }
  }
  // Unknown keys by number, comments and blank lines are fine.
  const Demo d = ParseDemo("# made by hand\n\n" + head + "k 16,0 +#200 -Up\nt .*3\n", "d");
  ASSERT_EQ(d.passes.size(), 4u);
  EXPECT_EQ(d.passes[0].ticks, (std::vector<int32_t>{16, 0}));
  EXPECT_EQ(d.passes[0].keys, (std::vector<KeyChange>{{200, true}, {vk::Up, false}}));
  EXPECT_TRUE(d.passes[3].ticks.empty());
}

TEST(Demo, TheLastFiveRunsAreKept) {
  const fs::path dir = fs::temp_directory_path() / ("kt-kept-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (int i = 1; i <= 7; ++i) std::ofstream(dir / ("run-20240101-00000" + std::to_string(i) + "-000.demo")) << i;
  std::ofstream(dir / "notes.txt") << "mine";
  const fs::path next = NewKeptDemo(dir);
  std::vector<std::string> left;
  for (const auto& e : fs::directory_iterator(dir)) left.push_back(e.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"notes.txt", "run-20240101-000004-000.demo", "run-20240101-000005-000.demo",
                                            "run-20240101-000006-000.demo", "run-20240101-000007-000.demo"}));
  EXPECT_FALSE(fs::exists(next));
  EXPECT_EQ(next.parent_path(), dir);
  EXPECT_GT(next.filename().string(), left[4]);
  // A folder that is not there yet is made.
  EXPECT_EQ(NewKeptDemo(dir / "sub").parent_path(), dir / "sub");
  fs::remove_all(dir);
}

// A watched replay: the device shows and sounds; of its keys only Escape counts.
class Device : public Platform {
 public:
  uint32_t Ticks() override { return now_ += 40; }  // always ahead of the demo: no waiting
  Mixer& OpenAudio() override { return mixer_; }
  void OpenDisplay() override {}
  void Show(const Surface&) override { ++shown; }
  void ProcessMessages(KeyTable& keys) override {
    keys['L'] = keys[vk::Left] = true;
    if (++passes == escapeAt) keys[vk::Escape] = true;
  }
  void IdleUntil(uint32_t) override {}
  int shown = 0, passes = 0, escapeAt = -1;

 private:
  uint32_t now_ = 50000;
  Mixer mixer_;
};

TEST(Demo, AWatchedReplayTakesOnlyEscapeFromTheKeyboard) {
  const Recorded run = Record(kScript);
  const Demo d = ParseDemo(run.demo, "run");
  {
    Device device;
    auto g = NewGame();
    DemoPlayer player(d, &device);
    const ReplayResult r = PlayDemo(*g, player, d, KT_DATA_DIR);
    EXPECT_FALSE(r.mismatch);
    EXPECT_EQ(device.shown, static_cast<int>(run.stepsAfterPass.size()));
  }
  Device device;
  device.escapeAt = 100;
  auto g = NewGame();
  DemoPlayer player(d, &device);
  Startup(*g, player, {KT_DATA_DIR, d.start.seed});
  player.Begin(*g);
  int passes = 0;
  while (FramePass(*g, player)) ++passes;
  EXPECT_EQ(passes, 100);
  EXPECT_FALSE(g->KeyState[vk::Left]);
  EXPECT_TRUE(g->KeyState[vk::Escape]);
}

}  // namespace
}  // namespace kt
