// The ending after the boss, and the farewell page after the menu's quit
// item, played through the frame loop.
#include <gtest/gtest.h>

#include <vector>

#include "boss/fight_rig.hpp"
#include "front_rig.hpp"
#include "loop/ticks.hpp"

namespace kt {
namespace {

using test::FightRig;
using test::FrontRig;
using V = std::vector<int32_t>;

// The sounds of one traced step: whether `sound` is in its `list` ("once", "looping", "stopped").
bool InList(const std::string& line, const std::string& list, const std::string& sound) {
  const size_t at = line.find('"' + list + "\":[");
  if (at == std::string::npos) return false;
  const std::string items = line.substr(at, line.find(']', at) - at);
  return items.find('"' + sound + '"') != std::string::npos;
}

// A game whose boss has just been beaten: the next step is the ending's first.
struct EndingRig : FightRig {
  EndingRig() {
    boss().HP = -1;
    StepUntil([this] { return g().SceneId == scene::Ending; }, 200);
    TakeTrace();
  }
  EndingState& e() { return g().ending; }
  // One step; returns its trace line.
  std::string Traced(std::initializer_list<uint8_t> keys = {}) {
    Step(keys);
    return TakeTrace();
  }
  // Steps on until phase `phase` begins.
  int ToPhase(int32_t phase) {
    int n = 0;
    for (; e().EndingPhase != phase && n < 3000; ++n) Step();
    TakeTrace();
    return n;
  }
};

TEST(Ending, PlaysItsPhasesInOrderWithTheirSounds) {
  EndingRig rig;
  Game& g = rig.g();
  ASSERT_EQ(g.SceneId, scene::Ending);
  ASSERT_EQ(rig.e().EndingPhase, 0);
  rig.tavo().X = 400;  // the heroes are anywhere when the boss falls
  rig.kurara().X = 110;

  // Phase 0: they walk to their places, face each other and strike the victory pose.
  std::string line;
  int steps = 0;
  for (; rig.e().EndingPhase == 0 && steps < 100; ++steps) line = rig.Traced();
  ASSERT_EQ(rig.e().EndingPhase, 1);
  EXPECT_GT(steps, 40);  // Tavo's walk from x 400 back to 180 and less
  EXPECT_TRUE(InList(line, "stopped", "BossS"));
  EXPECT_TRUE(InList(line, "once", "clear"));
  EXPECT_EQ(V({rig.tavo().X, rig.tavo().Facing, rig.kurara().X, rig.kurara().Facing}),
            V({g.CameraX + 40, 0, g.CameraX + 125, 80}));
  EXPECT_EQ(rig.tavo().HandAY, rig.tavo().Y + 57 - 30);  // hands raised
  EXPECT_EQ(rig.kurara().HandBY, rig.kurara().Y + 57 - 30);
  EXPECT_EQ(V({g.Boss.X, g.Boss.Y}), V({480, g.CameraY + 480}));

  // Phase 1 lasts 8.5 s; the caption settles just right of the window's edge.
  const int32_t captionStart = g.FrameTick;
  rig.ToPhase(2);
  EXPECT_TRUE(TimePassed(g.FrameTick, captionStart, 8500));
  EXPECT_FALSE(TimePassed(g.FrameTick, captionStart, 8500 + 32));
  EXPECT_EQ(V({rig.e().CaptionX, rig.e().CaptionTop, rig.e().CaptionPhase}), V({g.CameraX + 40, 390, 0}));

  // Phase 2: the boss flaps up, hovers crying, then leaves over the top; the
  // heroes look up once it is high.
  int flaps = 0, cryStarts = 0, cryStops = 0, stepsLookingUp = 0;
  bool cryingWhileHovering = true;
  while (rig.e().EndingPhase == 2 && flaps < 1000) {
    const bool hovered = g.Boss.State == 1;
    line = rig.Traced();
    flaps += InList(line, "once", "bosshaba");
    cryStarts += InList(line, "looping", "nigekoe");
    cryStops += InList(line, "stopped", "nigekoe");
    if (hovered && g.Boss.State == 1) cryingWhileHovering &= rig.platform.mixer_.Playing(static_cast<int>(Sfx::nigekoe));
    stepsLookingUp += rig.tavo().Row == 60 && rig.kurara().Row == 60;
  }
  ASSERT_EQ(rig.e().EndingPhase, 3);
  EXPECT_GT(flaps, 10);
  EXPECT_EQ(cryStarts, 1);  // started once, looping
  EXPECT_EQ(cryStops, 1);
  EXPECT_TRUE(cryingWhileHovering);
  EXPECT_FALSE(rig.platform.mixer_.Playing(static_cast<int>(Sfx::nigekoe)));
  EXPECT_GT(stepsLookingUp, 0);
  EXPECT_LT(g.Boss.Y, g.CameraY - 210);

  // Phase 3: the backdrop steps back a frame every 31 steps, from the fight's last.
  V backdrops{g.bossStage.BackdropX};
  for (int n = 0; rig.e().EndingPhase == 3 && n < 200; ++n) {
    rig.Step();
    if (g.bossStage.BackdropX != backdrops.back()) backdrops.push_back(g.bossStage.BackdropX);
  }
  EXPECT_EQ(backdrops, V({1920, 1280, 640, 0}));
  ASSERT_EQ(rig.e().EndingPhase, 4);

  // Phase 4: off to the right; the staff roll starts with both heroes in the window.
  rig.ToPhase(5);
  EXPECT_EQ(V({g.CameraX, rig.tavo().X, rig.kurara().X, rig.e().StaffX, rig.e().StaffTop}),
            V({400, 520, 440, 1040, 0}));

  // Phase 5: the pages come in order and each rests at the same spot, while
  // the heroes walk on the spot and the floor runs under them.
  V pages, rests;
  int32_t restTop = -1, rest = 0;
  bool onTheSpot = true;
  int32_t floor = g.stage.FloorScrollX;
  bool floorRuns = true;
  for (int n = 0; rig.e().EndingPhase == 5 && n < 2000; ++n) {
    rig.Step();
    onTheSpot &= rig.tavo().X == 520 && rig.kurara().X == 440;
    if (rig.e().EndingPhase == 5) floorRuns &= g.stage.FloorScrollX == (floor + 3) % 640;
    floor = g.stage.FloorScrollX;
    if (rig.e().StaffX == g.CameraX + 130) {
      if (restTop != rig.e().StaffTop) {
        if (restTop >= 0) rests.push_back(rest);
        pages.push_back(rig.e().StaffTop);
        restTop = rig.e().StaffTop;
        rest = 0;
      }
      ++rest;
    }
  }
  rests.push_back(rest);
  EXPECT_EQ(pages, V({0, 200, 400, 600, 800}));
  EXPECT_EQ(rests, V({22, 22, 22, 22, 1}));  // the hold of 21 steps plus the arrival; the last ends the roll
  EXPECT_TRUE(onTheSpot);
  EXPECT_TRUE(floorRuns);
  ASSERT_EQ(rig.e().EndingPhase, 6);
  EXPECT_EQ(rig.tavo().HandAY, rig.tavo().Y + 57 - 30);  // the final pose
  EXPECT_EQ(rig.kurara().HandAY, rig.kurara().Y + 57 - 30);

  // Phase 6: the pose holds for 201 steps, then the title, one amount up.
  const int held = rig.StepUntil([&] { return g.SceneId != scene::Ending; }, 400);
  EXPECT_EQ(held, 201);
  EXPECT_EQ(V({g.SceneId, rig.e().EndingPhase, g.settings.EnemyAmount, g.settings.AmountMarkX, g.CostumeToggle}),
            V({scene::TitleSetup, 0, 30, 470, 1}));
}

TEST(Ending, ZBringsTheCaptionInSoonerButNotTheBoss) {
  struct Run {
    int slideSteps, phaseSteps;
    int32_t x, top;
  };
  const auto run = [](bool holdZ) {
    EndingRig rig;
    rig.ToPhase(1);
    const auto step = [&] { holdZ ? rig.Step({'Z'}) : rig.Step(); };
    Run r{};
    while (rig.e().CaptionPhase == 1 && r.slideSteps < 100) {
      step();
      ++r.slideSteps;
    }
    r.phaseSteps = r.slideSteps;
    for (; rig.e().EndingPhase == 1 && r.phaseSteps < 1000; ++r.phaseSteps) step();
    r.x = rig.e().CaptionX - rig.g().CameraX;
    r.top = rig.e().CaptionTop;
    return r;
  };
  const Run slow = run(false), fast = run(true);
  // From x 720 to left of CameraX (100): 50 or 80 pixels a step.
  EXPECT_EQ(slow.slideSteps, 13);
  EXPECT_EQ(fast.slideSteps, 8);
  EXPECT_EQ(fast.phaseSteps, slow.phaseSteps);
  EXPECT_EQ(V({slow.x, slow.top, fast.x, fast.top}), V({40, 390, 40, 390}));
}

TEST(Ending, TheBackdropStepsBackToTheFirstFrameFromAnyFrame) {
  // Already at the first frame: the walk-off begins on the next step.
  EndingRig rig;
  Game& g = rig.g();
  rig.ToPhase(1);
  rig.e().EndingPhase = 3;
  g.bossStage.BackdropX = 0;
  rig.Step();
  EXPECT_EQ(rig.e().EndingPhase, 4);

  // A frame off the 640 grid still ends at the first frame, never before it.
  rig.e().EndingPhase = 3;
  g.bossStage.BackdropX = 700;
  int32_t lowest = 700;
  for (int n = 0; rig.e().EndingPhase == 3 && n < 200; ++n) {
    rig.Step();
    lowest = std::min(lowest, g.bossStage.BackdropX);
  }
  EXPECT_EQ(V({rig.e().EndingPhase, g.bossStage.BackdropX, lowest}), V({4, 0, 0}));
}

TEST(Ending, EachCompletionRaisesTheAmountAndPastTheLowestSwapsCostumes) {
  EndingRig rig;
  Game& g = rig.g();
  Settings& s = g.settings;
  struct Case {
    int32_t amount, costume;
    int32_t amountAfter, markAfter, costumeAfter;
  };
  const Case cases[] = {
      {10, 0, 20, 375, 0},  // lowest to middle, same costumes
      {20, 0, 30, 470, 1},
      {30, 0, 30, 470, 1},  // the highest stays
      {30, 1, 30, 470, 0},
  };
  for (const Case& c : cases) {
    g.SceneId = scene::Ending;
    rig.e().EndingPhase = 6;
    rig.e().EndingCount = 0;
    s.EnemyAmount = c.amount;
    s.AmountMarkX = c.amount == 30 ? 470 : 375;
    g.CostumeToggle = c.costume;
    rig.Step({}, 200);
    EXPECT_EQ(g.SceneId, scene::Ending) << c.amount;
    rig.Step();
    EXPECT_EQ(V({g.SceneId, rig.e().EndingPhase, s.EnemyAmount, s.AmountMarkX, g.CostumeToggle}),
              V({scene::TitleSetup, 0, c.amountAfter, c.markAfter, c.costumeAfter}))
        << c.amount << " " << c.costume;
  }
}

TEST(Ending, ADashHeldAtTheBossesFallDoesNotWalkTavoOutOfTheStaffRoll) {
  EndingRig rig;
  rig.kurara().Dashing = 1;
  rig.ToPhase(5);
  rig.Step({}, 100);
  EXPECT_EQ(V({rig.tavo().X, rig.kurara().X}), V({520, 440}));
}

// ---- the farewell page -------------------------------------------------------

// The menu with the quit item chosen: the farewell page begins next step.
struct FarewellRig : FrontRig {
  FarewellRig() {
    ToMenu();
    Step({vk::Down});
    Step({}, 8);
    Step({vk::Down});
    Step({}, 8);
  }
  void Quit() {
    Step({vk::Enter});
    ASSERT_EQ(g().SceneId, scene::Ending);
    ASSERT_EQ(g().ending.EndingPhase, 7);
  }
  // Passes until the loop stops; returns how many ran a step of the page.
  int PagesShown() {
    int pages = 0;
    for (int n = 0; n < 500; ++n) {
      platform.held.fill(false);
      game->KeyState = platform.held;
      const int32_t tick = game->FrameTick;
      if (!FramePass(*game, platform)) return game->FrameTick != tick ? pages : -1000;
      ++pages;
    }
    return -1;
  }
};

TEST(Farewell, ShowsTheLastStaffPageThenEndsTheProgram) {
  FarewellRig rig;
  Game& g = rig.g();
  // The last page stands out on the staff sheet.
  Surface& staff = g.display.sheets[static_cast<size_t>(Bmp::Staff)];
  for (int32_t y = 0; y < staff.h; ++y)
    for (int32_t x = 0; x < staff.w; ++x) staff.At(x, y) = y >= 800 ? 0x07e0 : 0xf800;
  rig.Quit();
  rig.Step();
  EXPECT_EQ(g.ending.StaffTop, 800);
  EXPECT_EQ(g.display.World().At(g.ending.StaffX + 10, g.ending.StaffY + 10), 0x07e0);
  EXPECT_EQ(g.display.World().At(g.ending.StaffX + 379, g.ending.StaffY + 199), 0x07e0);

  // 101 steps in all; the last ends the program before anything else of its pass.
  EXPECT_EQ(rig.PagesShown(), 99);
  EXPECT_TRUE(g.QuitRequested);
  EXPECT_EQ(g.ending.EndingCount, 101);
  // And it stays ended: no pass runs any more.
  const int32_t tick = g.FrameTick;
  EXPECT_FALSE(FramePass(g, rig.platform));
  EXPECT_EQ(g.FrameTick, tick);
}

TEST(Farewell, LastsAsLongAfterAFinishedGame) {
  FarewellRig rig;
  rig.g().ending.EndingCount = 201;  // what the final pose of a finished game leaves
  rig.Quit();
  EXPECT_EQ(rig.PagesShown(), 100);
}

}  // namespace
}  // namespace kt
