// The title sequence: box, fountain, the heroes' entrance and the pan, the
// 45 s restart and the Enter skip.
#include <gtest/gtest.h>

#include <vector>

#include "front_rig.hpp"
#include "loop/sound.hpp"

namespace kt {
namespace {

using test::FrontRig;

bool Playing(Game& g, Sfx s) { return g.audio.mixer->Playing(static_cast<int>(s)); }

TEST(Title, PlaysThroughToTheHeroesGreetingByItself) {
  FrontRig rig;
  Game& g = rig.g();
  const FrontEndState& f = rig.f();
  g.SceneId = scene::TitleSetup;
  // The landed box lands again every step: it jolts on landings 1, 9 and 15 and opens on 18.
  std::vector<int32_t> tops;
  for (int n = 0; n < 200 && f.OpeningPhase == opening::BoxFalls; ++n) {
    const int32_t landings = f.BoxCount;
    rig.Step();
    if (f.BoxCount > landings) tops.push_back(f.BoxTop);
  }
  std::vector<int32_t> want(18, 0);
  want[0] = want[8] = want[14] = 200;
  want[17] = 400;
  EXPECT_EQ(tops, want);

  // One figure per table flies for 8 s; the second round ends the fountain.
  rig.Step();
  const int32_t fountainStart = g.FrameTick;
  ASSERT_TRUE(rig.RunUntil([](const Game& h) { return h.front.OpeningPhase == opening::HeroesDrop; }));
  EXPECT_EQ(g.FrameTick - fountainStart, 8032);

  rig.Started("story");
  ASSERT_TRUE(rig.RunUntil([](const Game& h) { return h.front.OpeningPhase == opening::PanAndWalk; }));
  EXPECT_EQ(rig.Started("story"), 1);  // as the heroes land, on either side of the box
  EXPECT_EQ(g.Tavo.X + g.Kurara.X, 2 * 270);
  EXPECT_LT(g.Tavo.X, 270);

  int32_t furthest = 0;
  for (int n = 0; n < 1000 && f.OpeningPhase == opening::PanAndWalk; ++n) {
    rig.Step();
    furthest = std::max(furthest, g.CameraX);
  }
  EXPECT_EQ(furthest, 1281);  // one step past, then back
  rig.Step({}, 30);
  EXPECT_EQ(g.SceneId, scene::Title);
  EXPECT_EQ(g.CameraX, 1280);
  EXPECT_EQ(g.Tavo.X, 1340);
  EXPECT_EQ(g.Kurara.X, 1780);
  EXPECT_EQ(g.Kurara.Facing, 80);
  EXPECT_EQ(g.Tavo.HandAY, 450 + 57 - 30);  // both wave
  EXPECT_EQ(g.Kurara.HandBX, 1780 + 5 - 15);
}

TEST(Title, StartsOverAfter45SecondsWithANewFountain) {
  FrontRig rig;
  Game& g = rig.g();
  g.SceneId = scene::TitleSetup;
  rig.Step();
  const int32_t opened = rig.f().OpeningTick;
  const int32_t firstThrow = g.enemies.kurosuke[7].Vy + 100 * g.enemies.gek[9].Vx;
  ASSERT_TRUE(rig.RunUntil([&](const Game& h) { return h.FrameTick - opened > 44990; }));
  SoundPlay(g, Sfx::rakka);
  SoundPlay(g, Sfx::sikakuK);
  SoundPlay(g, Sfx::story);
  rig.Step();
  EXPECT_EQ(g.SceneId, scene::TitleSetup);
  EXPECT_EQ(g.FrameTick - opened, 45024);
  EXPECT_FALSE(Playing(g, Sfx::rakka));
  EXPECT_FALSE(Playing(g, Sfx::sikakuK));
  EXPECT_TRUE(Playing(g, Sfx::story));
  rig.Step();
  EXPECT_EQ(rig.f().OpeningPhase, opening::BoxFalls);
  EXPECT_NE(g.enemies.kurosuke[7].Vy + 100 * g.enemies.gek[9].Vx, firstThrow);
}

TEST(Title, EnterSkipsToTheMenuOnceThePollClockAllowsIt) {
  FrontRig rig;
  Game& g = rig.g();
  g.SceneId = scene::TitleSetup;
  rig.Step({}, 60);
  // An Enter held since before the title counts once it has been down for
  // the repeat delay, and 240 ms after the last key the poll acted upon.
  g.input.PressTick[vk::Enter] = g.FrameTick - 400;
  g.input.Levels[vk::Enter] = true;
  g.LastPollTick = g.FrameTick - 100;  // F6 was pressed just now
  rig.Step({vk::Enter});
  EXPECT_EQ(g.SceneId, scene::Title);
  rig.Step();
  // A press acts at once, even just after F6.
  g.LastPollTick = g.FrameTick - 100;
  SoundPlay(g, Sfx::story);
  rig.Step({vk::Enter});
  ASSERT_EQ(g.SceneId, scene::MenuSetup);
  EXPECT_EQ(g.CameraX, 1280);
  EXPECT_EQ(g.Tavo.X, 1340);
  EXPECT_EQ(g.Kurara.X, 1780);
  EXPECT_EQ(g.Kurara.HandBY, 450 + 57 - 30);
  // The menu stops the tune and lets the same short Enter go.
  rig.Step({vk::Enter}, 7);
  rig.Step({}, 5);
  EXPECT_EQ(g.SceneId, scene::Menu);
  EXPECT_FALSE(Playing(g, Sfx::story));
}

TEST(Title, FountainRoundsAndThrows) {
  FrontRig rig(0);  // a clock that has just started: the first round still starts at once
  Game& g = rig.g();
  g.SceneId = scene::TitleSetup;
  ASSERT_TRUE(rig.RunUntil([](const Game& h) { return h.front.OpeningPhase == opening::Fountain; }));
  rig.Step();
  EXPECT_EQ(rig.f().FountainRounds, 1);

  Enemy& gek = g.enemies.gek[1];
  const Enemy second = g.enemies.gek[2];
  gek.X = 695;
  gek.Vx = 10;
  Enemy& pop = g.front.PopTables[3][1];  // in the box's mouth: it only rises
  pop.X = g.CameraX + 200;
  pop.Y = g.CameraY + 350;
  pop.Vx = 5;
  pop.Vy = -10;
  rig.Step();
  EXPECT_EQ(g.enemies.gek[2].Y, second.Y);  // only entry 1 moves in the first round
  EXPECT_EQ(gek.X, 300);                    // thrown again from the box
  EXPECT_EQ(gek.Y, 450);
  EXPECT_TRUE(rig.f().FountainPattern % 2 == 0 ? gek.Vx >= 0 : gek.Vx <= 0);
  EXPECT_EQ(pop.X, g.CameraX + 200);
  EXPECT_EQ(pop.Y, g.CameraY + 341);
  pop.Y = g.CameraY + 300;
  rig.Step();
  EXPECT_EQ(pop.X, g.CameraX + 205);
}

TEST(Title, TheSetUpLeavesTheLastGameBehind) {
  FrontRig rig;
  Game& g = rig.g();
  // Quit from the pause menu while Tavo walked left carrying Kurara, after a
  // game over in the boss fight.
  g.Tavo.WalkLeft = g.Tavo.Carrying = g.Kurara.Carried = g.Kurara.Hurt = 1;
  g.Kurara.State = hero::Spin;
  g.bossStage.BossPhase = 3;
  g.bossStage.BackdropX = 1920;
  g.stage.GameOverScroll = 320;
  g.front.MenuRow = menu::RowQuit;
  g.front.OptionsRow = menu::RowExit;
  g.SceneId = scene::TitleSetup;
  rig.Step();
  EXPECT_EQ(g.bossStage.BossPhase + g.bossStage.BackdropX + g.stage.GameOverScroll, 0);
  EXPECT_EQ(rig.f().MenuRow, menu::RowStart);
  EXPECT_EQ(rig.f().OptionsRow, menu::RowAmount);
  EXPECT_EQ(g.stage.SikakyCount, 50);
  for (const Hero* h : {&g.Tavo, &g.Kurara}) EXPECT_EQ(h->Carried + h->Carrying + h->Hurt + h->State, 0);
  // A left walk left over would hold the heroes back until the restart.
  ASSERT_TRUE(rig.RunUntil([](const Game& h) { return h.front.OpeningPhase == opening::Hold; }));
  EXPECT_EQ(g.SceneId, scene::Title);
}

}  // namespace
}  // namespace kt
