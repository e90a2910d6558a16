// A new game starts clean, whatever the last one left behind: after the pause
// menu's restart, after quitting to the title, after a game over and after the
// ending, the heroes, the stage's globals and the combo are as in the first
// game of a fresh run.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <sstream>
#include <type_traits>
#include <vector>

#include "frontend/front_rig.hpp"
#include "loop/dump.hpp"
#include "stage_rig.hpp"

namespace kt {
namespace {

using test::FrontRig;
using test::StageRig;

// ---- records as rows of 32-bit words --------------------------------------------
// Every record here is made of 32-bit fields only, so its words are its fields,
// in order, each one once: walking the words reaches every field without naming
// any, including fields added later.

template <typename T>
constexpr size_t WordCount() {
  static_assert(std::is_trivially_copyable_v<T> && std::has_unique_object_representations_v<T>,
                "a record of 32-bit fields without padding");
  static_assert(sizeof(T) % sizeof(int32_t) == 0);
  return sizeof(T) / sizeof(int32_t);
}

template <typename T>
using Words = std::array<int32_t, WordCount<T>()>;

template <typename T>
Words<T> WordsOf(const T& v) {
  return std::bit_cast<Words<T>>(v);
}

constexpr size_t WordAt(size_t offset) { return offset / sizeof(int32_t); }

// Sets every field of `v` to `junk`, except the words in `keep`.
template <typename T>
void Spoil(T& v, int32_t junk, const std::vector<size_t>& keep = {}) {
  Words<T> w = WordsOf(v);
  for (size_t i = 0; i < w.size(); ++i)
    if (std::find(keep.begin(), keep.end(), i) == keep.end()) w[i] = junk;
  v = std::bit_cast<T>(w);
}

// The words in which two records differ, but those in `skip`.
template <typename T>
std::vector<size_t> Differences(const T& a, const T& b, const std::vector<size_t>& skip = {}) {
  const Words<T> x = WordsOf(a), y = WordsOf(b);
  std::vector<size_t> d;
  for (size_t i = 0; i < x.size(); ++i)
    if (x[i] != y[i] && std::find(skip.begin(), skip.end(), i) == skip.end()) d.push_back(i);
  return d;
}

// The stage's globals that rightly outlive a game: the steered hero (kept
// between games) and the enemy counts (the menu's choice, kept by a restart).
const std::vector<size_t> kKeptStageWords = {
    WordAt(offsetof(StageState, ControlledHero)), WordAt(offsetof(StageState, GekCount)),
    WordAt(offsetof(StageState, KurosukeCount)),  WordAt(offsetof(StageState, PatattaCount)),
    WordAt(offsetof(StageState, SikakyCount)),    WordAt(offsetof(StageState, MogetaCount)),
    WordAt(offsetof(StageState, ByoonCount))};

// Everything a game may leave behind, at once: every field of both heroes,
// of the stage and of the combo and backdrop.
void SpoilEverything(Game& g, int32_t junk) {
  Spoil(g.Kurara, junk);
  Spoil(g.Tavo, junk);
  Spoil(g.stage, junk, kKeptStageWords);
  Spoil(g.hud, junk);
}

// ---- the paths back into a game -------------------------------------------------------

bool ToGameplay(FrontRig& rig) {
  return rig.RunUntil([](const Game& h) { return h.SceneId == scene::Gameplay; });
}

// From the title: skip it, then start a game from the menu.
bool NewGameFromTitle(FrontRig& rig) {
  rig.ToMenu();
  rig.Step({vk::Enter});
  return ToGameplay(rig);
}

void ChooseInPause(FrontRig& rig, int32_t item, int32_t junk) {
  Game& g = rig.g();
  g.SceneId = scene::Pause;
  g.PauseCursor = item;
  g.LastPollTick = g.FrameTick - 1000;
  SpoilEverything(g, junk);
  rig.Step({vk::Enter});
}

enum class Path { Restart, QuitToTitle, GameOver, Ending };

const char* Name(Path p) {
  switch (p) {
    case Path::Restart: return "restart from the pause menu";
    case Path::QuitToTitle: return "quit to the title, new game";
    case Path::GameOver: return "game over, new game";
    case Path::Ending: return "ending, new game";
  }
  return "";
}

// Plays a game, takes `path` out of it with everything spoiled on the way,
// and starts the next game; true once that game's walk-in is over.
bool PlayPath(FrontRig& rig, Path path, int32_t junk) {
  Game& g = rig.g();
  if (!NewGameFromTitle(rig)) return false;
  rig.Step({vk::Right}, 20);
  switch (path) {
    case Path::Restart:
      ChooseInPause(rig, 1, junk);
      return ToGameplay(rig);
    case Path::QuitToTitle:
      ChooseInPause(rig, 2, junk);
      return NewGameFromTitle(rig);
    case Path::GameOver:
      for (Hero* h : {&g.Tavo, &g.Kurara}) {
        h->Lives = 1;
        h->Health = 1;
        h->State = hero::StruckFromRight;
        rig.Step();
      }
      if (g.SceneId != scene::GameOver) return false;
      rig.Step({}, 20);
      SpoilEverything(g, junk);  // the banner's time is spoiled too: it ends on the next step
      if (!rig.RunUntil([](const Game& h) { return h.SceneId == scene::TitleSetup; })) return false;
      return NewGameFromTitle(rig);
    case Path::Ending:
      g.CameraX = 4480;
      g.Tavo.X = 4900;
      g.stage.ExitCount = 20;
      if (!rig.RunUntil([](const Game& h) { return h.bossStage.BossPhase == 2; })) return false;
      g.Boss.HP = -1;
      if (!rig.RunUntil([](const Game& h) { return h.SceneId == scene::Ending; })) return false;
      rig.Step({}, 30);
      g.ending.EndingPhase = 6;  // the final pose, about to return to the title
      g.ending.EndingCount = 190;
      SpoilEverything(g, junk);
      if (!rig.RunUntil([](const Game& h) { return h.SceneId == scene::TitleSetup; })) return false;
      return NewGameFromTitle(rig);
  }
  return false;
}

std::string Dump(const Game& g) {
  std::ostringstream out;
  DumpState(g, out);
  return out.str();
}

TEST(NewGame, StartsCleanAfterEveryWayOutOfTheLastOne) {
  // Each field is spoiled with two values in turn, so no field's clean value
  // can hide a leftover.
  for (Path path : {Path::Restart, Path::QuitToTitle, Path::GameOver, Path::Ending}) {
    for (int32_t junk : {1, 2}) {
      SCOPED_TRACE(testing::Message() << Name(path) << ", every field " << junk);
      FrontRig rig;
      Game& g = rig.g();
      ASSERT_TRUE(PlayPath(rig, path, junk)) << "the new game's walk-in never ended";

      // The first game of a fresh run with the same settings, to its first gameplay step.
      FrontRig fresh;
      Game& f = fresh.g();
      f.settings = g.settings;
      f.CostumeToggle = g.CostumeToggle;
      ASSERT_TRUE(NewGameFromTitle(fresh));

      const auto report = [&](const char* what, const std::vector<size_t>& words) {
        if (words.empty()) return;
        std::ostringstream w;
        for (size_t i : words) w << i << ' ';
        ADD_FAILURE() << what << ": words " << w.str() << "differ\nnew game: " << Dump(g) << "\nfresh: " << Dump(f);
      };
      report("Kurara", Differences(g.Kurara, f.Kurara));
      report("Tavo", Differences(g.Tavo, f.Tavo));
      report("stage", Differences(g.stage, f.stage, {kKeptStageWords[0]}));
      report("combo and backdrop", Differences(g.hud, f.hud));
      EXPECT_EQ(std::pair(g.CameraX, g.CameraY), std::pair(f.CameraX, f.CameraY));
    }
  }
}

// ---- the faults a leftover caused -------------------------------------------------------

void Restart(StageRig& rig) {
  Game& g = rig.g();
  g.SceneId = scene::Pause;
  g.PauseCursor = 1;
  g.LastPollTick = g.FrameTick - 1000;
  rig.Step({vk::Enter});
  ASSERT_EQ(g.SceneId, scene::StageStart);
  rig.StepUntil([&] { return g.SceneId == scene::Gameplay; });
  ASSERT_EQ(g.SceneId, scene::Gameplay);
}

TEST(NewGame, ARestartWhileCarryingLeavesBothHeroesFree) {
  // Once while held overhead, once in the air after the throw.
  for (bool thrown : {false, true}) {
    SCOPED_TRACE(thrown ? "thrown" : "carried");
    StageRig rig;
    Hero& k = rig.kurara();
    Hero& t = rig.tavo();
    k.X = t.X = 300;
    rig.Step({'K'});
    ASSERT_EQ(k.Carried, 1);
    if (thrown) {
      rig.Step({}, 5);
      rig.Step({'K'});
      ASSERT_EQ(k.State, hero::ThrownRight);
    }
    Restart(rig);
    EXPECT_EQ(std::vector<int32_t>({k.Carried, t.Carrying, k.State}), std::vector<int32_t>({0, 0, hero::Normal}));
    // She walks, punches and can be lifted again.
    const int32_t x = k.X;
    rig.Step({'V'}, 4);
    EXPECT_GT(k.X, x);
    rig.Step({'S'});
    EXPECT_EQ(k.State, hero::Punch);
    rig.Step({}, 10);
    k.X = t.X;
    rig.Step({'K'});
    EXPECT_EQ(k.Carried, 1);
  }
}

TEST(NewGame, ARestartWhileWalkingLeftStillWalksTheHeroesIn) {
  // A walk flag left set would walk the hero back as far as forward.
  StageRig rig;
  rig.tavo().X = 400;
  rig.kurara().X = 200;
  rig.Step({vk::Left, 'X'}, 3);
  ASSERT_EQ(rig.tavo().WalkLeft, 1);
  Restart(rig);
  EXPECT_GE(rig.tavo().X, 160);
}

}  // namespace
}  // namespace kt
