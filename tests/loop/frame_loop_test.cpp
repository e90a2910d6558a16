#include <gtest/gtest.h>

#include <vector>

#include "loop/draw.hpp"
#include "loop/ticks.hpp"
#include "rig.hpp"

namespace kt {
namespace {

using test::Rig;

TEST(FrameLoop, PacedScenesStepEvery32msAndTheTitleEvery30) {
  for (const auto& [sceneId, pace] : {std::pair{scene::Pause, 32}, std::pair{scene::Title, 30}}) {
    Rig rig(1000, 2);
    rig.g().SceneId = sceneId;
    rig.RunFor(3200);
    // The first step comes at once (the last step is long ago), then one every `pace` ms.
    EXPECT_EQ(rig.Steps(), 1 + 3200 / pace - (3200 % pace == 0 ? 1 : 0)) << sceneId;
  }
}

TEST(FrameLoop, PassesSlowerThanThePaceStepEveryPassWithoutCatchingUp) {
  Rig rig(1000, 50);  // every pass is later than the pace
  rig.g().SceneId = scene::Pause;
  rig.RunFor(500);
  EXPECT_EQ(rig.Steps(), 10);  // one step per pass, no burst of steps
  // 1400 was a whole pace late, so the schedule moved there; 1450 was due at 1432.
  EXPECT_EQ(rig.g().LastStepTick, 1432);
}

TEST(FrameLoop, StepsKeepTheirCadenceWhateverThePassPeriod) {
  // 10 s of play at 1000 / 32 steps a second (the title at 1000 / 30), for
  // pass periods that do and do not divide the pace; above the pace, every
  // pass steps.
  for (const uint32_t period : {1u, 5u, 7u, 10u, 13u, 16u, 17u, 20u, 25u, 32u, 40u, 50u}) {
    for (const auto& [sceneId, pace] : {std::pair{scene::Pause, 32u}, std::pair{scene::Title, 30u}}) {
      Rig rig(1000, period);
      rig.g().SceneId = sceneId;
      ASSERT_TRUE(rig.RunFor(1000));  // settle
      const int before = rig.Steps();
      ASSERT_TRUE(rig.RunFor(10'000));
      const double perSecond = (rig.Steps() - before) / 10.0;
      const double expected = period <= pace ? 1000.0 / pace : 1000.0 / period;
      EXPECT_NEAR(perSecond, expected, expected * 0.01) << "pass period " << period << " ms, pace " << pace;
    }
  }
}

TEST(FrameLoop, AStallMovesTheScheduleInsteadOfBurstingSteps) {
  EXPECT_EQ(NextStepMark(1040, 1000, 32), 1032);  // 8 ms late: keeps the cadence
  EXPECT_EQ(NextStepMark(1063, 1000, 32), 1032);  // 31 ms late
  EXPECT_EQ(NextStepMark(1064, 1000, 32), 1064);  // a whole pace late: starts again from now
  EXPECT_EQ(NextStepMark(5000, 1000, 32), 5000);  // after a long stall, one step, not a hundred
  // Across the clock's wrap.
  EXPECT_EQ(NextStepMark(10, -30, 32), 2);
}

TEST(FrameLoop, OneStepScenesDoNotTouchTheStepClock) {
  Rig rig(1000, 16);
  Game& g = rig.g();
  g.LastStepTick = 990;
  g.SceneId = scene::StageStart;  // every pass; hands on to the walk-in
  ASSERT_TRUE(FramePass(g, *rig.platform));
  EXPECT_EQ(g.LastStepTick, 990);
  EXPECT_EQ(rig.Steps(), 1);
  // 1016 - 990 < 32: the paced scene that follows waits for its time, and
  // keeps the cadence of the last paced step.
  ASSERT_TRUE(FramePass(g, *rig.platform));
  EXPECT_EQ(rig.Steps(), 1);
  ASSERT_TRUE(FramePass(g, *rig.platform));
  EXPECT_EQ(rig.Steps(), 2);
  EXPECT_EQ(g.LastStepTick, 1022);
}

TEST(FrameLoop, UnknownScenesRunNothingButStillPollAndFlip) {
  Rig rig(1000, 16, {{1000, {vk::F6}}});
  Game& g = rig.g();
  g.SceneId = 12345;
  g.display.World().At(0, 0) = 0x1234;
  rig.RunFor(1000);
  EXPECT_EQ(rig.Steps(), 0);
  EXPECT_EQ(g.CostumeToggle, 0);  // toggled at 1000 and 1512
  EXPECT_EQ(g.display.front.At(0, 0), 0x1234);  // flipped, though nothing new went to the screen
  EXPECT_EQ(rig.platform->Shown(), 0u);
}

TEST(FrameLoop, APictureGoesOnScreenOnTheStepsPassAndTheNextOnly) {
  // Passes every 8 ms, steps every 32: four passes a step, two of them shown
  // (the step's own and the next, which settles the second buffer).
  Rig rig(1000, 8);
  rig.g().SceneId = scene::Pause;
  rig.RunFor(8);  // the first step
  const uint64_t first = rig.platform->Shown();
  rig.RunFor(320);
  EXPECT_EQ(rig.Steps(), 11);
  EXPECT_EQ(rig.platform->Shown() - first, 20u);
}

TEST(FrameLoop, EscapeEndsThePassBeforeTheScene) {
  Rig rig(1000, 16, {{16, {}}, {100, {vk::Escape}}});
  rig.g().SceneId = scene::Pause;
  EXPECT_FALSE(rig.RunFor(1000));
  EXPECT_EQ(rig.Steps(), 1);                 // only the pass before Escape arrived stepped
  EXPECT_EQ(rig.platform->Elapsed(), 16u);   // the Escape pass did not even read the clock
  EXPECT_EQ(rig.g().FrameTick, 1000);
}

TEST(FrameLoop, HeldF6FlipsTheCostumeEvery500ms) {
  Rig rig(1000, 16, {{300, {}}, {1100, {vk::F6}}});
  rig.g().SceneId = scene::Pause;
  rig.RunFor(300);
  EXPECT_EQ(rig.g().CostumeToggle, 0);
  rig.RunFor(16);  // a press after a quiet period acts on the very next pass
  EXPECT_EQ(rig.g().CostumeToggle, 1);
  rig.RunFor(500);
  EXPECT_EQ(rig.g().CostumeToggle, 0);
  rig.RunFor(500);
  EXPECT_EQ(rig.g().CostumeToggle, 1);
}

TEST(FrameLoop, EnterPausesOnlyDuringGameplayAndWithF6OnTheSamePass) {
  Rig rig(1000, 16, {{1000, {vk::Enter, vk::F6}}});
  Game& g = rig.g();
  g.SceneId = scene::Ending;  // Enter means nothing here
  ASSERT_TRUE(FramePass(g, *rig.platform));
  EXPECT_EQ(g.SceneId, scene::Ending);
  EXPECT_EQ(g.CostumeToggle, 1);

  g.SceneId = scene::Gameplay;
  g.PauseCursor = 2;
  g.LastPollTick = 0;
  g.CostumeToggle = 0;
  ASSERT_TRUE(FramePass(g, *rig.platform));
  EXPECT_EQ(g.SceneId, scene::Pause);
  EXPECT_EQ(g.PauseCursor, 0);
  EXPECT_EQ(g.CostumeToggle, 1);
  EXPECT_EQ(g.LastPollTick, g.FrameTick);
}

TEST(FrameLoop, ClockWrapDoesNotStallTheGame) {
  // The tick passes 2^31 and 2^32 during the run: pacing and polls go on as ever.
  for (uint32_t start : {1000u, 0x80000000u - 100, 0xFFFFFFFFu - 100, 0xFFFFFFFFu}) {
    Rig rig(start, 16, {{5000, {vk::F6}}});
    rig.g().SceneId = scene::Pause;
    rig.RunFor(5000);
    EXPECT_EQ(rig.Steps(), 157) << start;
    EXPECT_EQ(rig.g().CostumeToggle, 0) << start;  // 10 flips in 5 s
    EXPECT_EQ(static_cast<uint32_t>(rig.g().FrameTick), start + 4992) << start;
  }
  EXPECT_TRUE(TimeReached(5, -20, 25));
  EXPECT_FALSE(TimePassed(static_cast<int32_t>(0x80000010u), 0x7FFFFFF0, 32));
  EXPECT_TRUE(TimePassed(static_cast<int32_t>(0x80000011u), 0x7FFFFFF0, 32));
}

TEST(FrameLoop, ARunDoesNotDependOnTheClocksStartValue) {
  // F6 held from the start, then Enter: the same run whether the clock starts
  // at 0 or just before it passes 2^31 or 2^32.
  const auto run = [](uint32_t start) {
    Rig rig(start, 16, {{1200, {vk::F6}}, {300, {vk::Enter}}, {500, {}}});
    Game& g = rig.g();
    StartClock(g, rig.platform->Ticks());
    g.SceneId = scene::TitleSetup;
    std::vector<std::pair<int32_t, int32_t>> seen;  // scene and costume after every pass
    while (rig.platform->Elapsed() < 2000 && FramePass(g, *rig.platform)) seen.emplace_back(g.SceneId, g.CostumeToggle);
    return seen;
  };
  const auto first = run(0);
  for (const uint32_t start : {1000u, 0x80000000u - 100, 0xFFFFFFFFu - 296, 0xFFFFFFFFu - 700})
    EXPECT_EQ(run(start), first) << start;
}

TEST(Present, BlackWorldPixelsKeepWhatTheBackBufferHeld) {
  Rig rig;
  Game& g = rig.g();
  Surface& world = g.display.World();
  g.CameraX = 100;
  g.CameraY = 50;
  // Frame 1 shows A everywhere; frame 2 shows A; frame 3 shows B except a black hole.
  std::fill(world.px.begin(), world.px.end(), uint16_t{0xAAAA});
  Present(g, *rig.platform);
  Present(g, *rig.platform);
  std::fill(world.px.begin(), world.px.end(), uint16_t{0xBBBB});
  world.At(100 + 10, 50 + 20) = 0;
  Present(g, *rig.platform);
  EXPECT_EQ(g.display.front.At(0, 0), 0xBBBB);
  EXPECT_EQ(g.display.front.At(10, 20), 0xAAAA);  // the picture shown two flips ago
  // The back buffer now holds the picture shown before.
  EXPECT_EQ(g.display.back.At(0, 0), 0xAAAA);
}

TEST(Present, AWindowOutsideTheWorldShowsNothingNew) {
  Rig rig;
  Game& g = rig.g();
  std::fill(g.display.World().px.begin(), g.display.World().px.end(), uint16_t{0x1234});
  g.CameraX = 5800 - 639;  // one column too far right
  Present(g, *rig.platform);
  EXPECT_EQ(g.display.front.At(0, 0), 0);
  g.CameraX = 5800 - 640;
  Present(g, *rig.platform);
  Present(g, *rig.platform);
  EXPECT_EQ(g.display.front.At(639, 479), 0x1234);
}

}  // namespace
}  // namespace kt
