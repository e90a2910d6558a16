// The main menu: cursor, the games it starts, options, quit, the extra kinds.
#include <gtest/gtest.h>

#include "front_rig.hpp"

namespace kt {
namespace {

using test::FrontRig;

// One press, then long enough for the menu to take the next one.
void Press(FrontRig& rig, std::initializer_list<uint8_t> keys) {
  rig.Step(keys);
  rig.Step({}, 8);
}

// Pauses the stage and takes pause item `item`.
void PauseAndTake(FrontRig& rig, int32_t item) {
  Game& g = rig.g();
  ASSERT_TRUE(rig.RunUntil([](const Game& h) { return h.SceneId == scene::Gameplay; }));
  g.SceneId = scene::Pause;
  g.PauseCursor = item;
  g.LastPollTick = g.FrameTick - 1000;
  rig.Step({vk::Enter});
}

TEST(Menu, CursorMovesWithASoundAndStopsSilentlyAtTheEnds) {
  FrontRig rig;
  rig.ToMenu();
  rig.Started("sentaku");
  const struct {
    uint8_t key;
    int32_t row, choice;
    bool sound;
  } moves[] = {
      {vk::Left, 300, 195, false}, {vk::Up, 300, 195, false},   {vk::Right, 300, 305, true},
      {vk::Right, 300, 305, false}, {vk::Down, 350, 305, true}, {vk::Right, 350, 305, false},
      {vk::Down, 400, 305, true},  {vk::Down, 400, 305, false}, {vk::Up, 350, 305, true},
      {vk::Up, 300, 305, true},    {vk::Left, 300, 195, true},
  };
  for (const auto& m : moves) {
    Press(rig, {m.key});
    EXPECT_EQ(rig.f().MenuRow, m.row) << int{m.key};
    EXPECT_EQ(rig.f().MenuChoice, m.choice) << int{m.key};
    EXPECT_EQ(rig.Started("sentaku"), m.sound ? 1 : 0) << int{m.key};
  }
  // Held: once at the press, again once it has been down for 300 ms.
  rig.Step({vk::Down}, 10);
  EXPECT_EQ(rig.f().MenuRow, menu::RowOptions);
  rig.Step({vk::Down});
  EXPECT_EQ(rig.f().MenuRow, menu::RowQuit);
}

TEST(Menu, EachItemLeadsOn) {
  const struct {
    int32_t row, choice, override_, scene, mode;
  } cases[] = {
      {300, 195, 0, scene::StageStart, 1}, {300, 305, 0, scene::StageStart, 2},
      {300, 195, 2, scene::StageStart, 2}, {350, 195, 0, scene::Options, 2},
      {400, 195, 0, scene::Ending, 2},
  };
  for (const auto& c : cases) {
    FrontRig rig;
    Game& g = rig.g();
    g.PlayersOverride = c.override_;
    rig.ToMenu();
    g.front.MenuRow = c.row;
    g.front.MenuChoice = c.choice;
    rig.Started("kettei");
    rig.Step({vk::Enter});
    EXPECT_EQ(g.SceneId, c.scene);
    EXPECT_EQ(g.settings.OnePlayerMode, c.mode);
    EXPECT_EQ(rig.Started("kettei"), 1);
    if (c.scene == scene::Ending) {
      EXPECT_EQ(g.ending.EndingPhase, 7);  // the farewell page
      EXPECT_EQ(g.ending.StaffX, 1280 + 135);
      EXPECT_EQ(g.ending.StaffY, 100 + 165);
    }
  }
}

TEST(Menu, MAndBBringTheExtraKindsIntoTheNextGameOnly) {
  FrontRig rig;
  Game& g = rig.g();
  rig.ToMenu();
  Press(rig, {'M'});
  EXPECT_EQ(g.settings.MogetaOff, 0);
  EXPECT_EQ(g.settings.ByoonOff, 1);
  Press(rig, {'B'});
  rig.Step({vk::Enter});
  PauseAndTake(rig, 1);  // a restart keeps them
  PauseAndTake(rig, 2);
  EXPECT_EQ(g.settings.MogetaOff + g.settings.ByoonOff, 0);
  rig.ToMenu();
  EXPECT_EQ(g.settings.MogetaOff + g.settings.ByoonOff, 2);
}

TEST(Menu, EveryGameStartsFromTheChosenSettings) {
  FrontRig rig;
  Game& g = rig.g();
  g.settings.LivesSetting = 4;
  g.settings.FullHurtGauge = 1;
  g.settings.EnemyAmount = 10;
  for (int game = 0; game < 2; ++game) {
    rig.ToMenu();
    EXPECT_EQ(g.stage.GekCount, 4);  // the lowest amount's counts
    EXPECT_EQ(g.stage.KurosukeCount, 14);
    rig.Step({vk::Enter});
    ASSERT_TRUE(rig.RunUntil([](const Game& h) { return h.SceneId == scene::Gameplay; }));
    rig.Step();
    for (const Hero* h : {&g.Tavo, &g.Kurara}) {
      EXPECT_EQ(h->Lives, 4);
      EXPECT_EQ(h->HurtGauge + h->HitGauge, 5);
    }
    g.Kurara.Lives = 1;  // the next game starts afresh
    PauseAndTake(rig, 2);
  }
}

}  // namespace
}  // namespace kt
