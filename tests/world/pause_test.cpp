// The pause menu over the stage: Enter in and out, the cursor, what each item
// does to the stage music; the window losing the focus opens it too.
#include <gtest/gtest.h>

#include "stage_rig.hpp"

namespace kt {
namespace {

using test::StageRig;

bool MusicPlays(Game& g) { return g.audio.mixer->Playing(static_cast<int>(Sfx::OP)); }

// Opens the menu as the frame loop does, with the key clock long past.
void OpenPause(StageRig& rig, int32_t cursor = 0) {
  Game& g = rig.g();
  g.SceneId = scene::Pause;
  g.PauseCursor = cursor;
  g.LastPollTick = g.FrameTick - 1000;
}

TEST(Pause, HeldEnterOpensTheMenuContinuesAndPausesAgainAfter500ms) {
  StageRig rig;
  Game& g = rig.g();
  rig.Step({}, 3);
  g.PauseCursor = 2;
  rig.Step({vk::Enter});
  ASSERT_EQ(g.SceneId, scene::Pause);
  EXPECT_EQ(g.PauseCursor, 0);
  const int32_t opened = g.LastPollTick;
  // The Enter that opened the menu is no choice in it: held, it repeats
  // once it has been down for 300 ms.
  rig.Step({vk::Enter}, 9);
  EXPECT_EQ(g.SceneId, scene::Pause);
  rig.Step({vk::Enter});  // 320 ms
  EXPECT_EQ(g.SceneId, scene::Gameplay);
  EXPECT_EQ(g.LastPollTick - opened, 320);
  EXPECT_TRUE(MusicPlays(g));  // it played on all along
  EXPECT_EQ(rig.TakeTrace().find("\"stopped\":[\"OP\"]"), std::string::npos);
  rig.Step({vk::Enter}, 15);
  EXPECT_EQ(g.SceneId, scene::Gameplay);
  rig.Step({vk::Enter});  // 512 ms after the choice
  EXPECT_EQ(g.SceneId, scene::Pause);
}

TEST(Pause, CursorStaysOnTheThreeItems) {
  StageRig rig;
  Game& g = rig.g();
  OpenPause(rig);
  const auto press = [&](std::initializer_list<uint8_t> keys) {
    rig.Step(keys);
    rig.Step({}, 8);
    return g.PauseCursor;
  };
  EXPECT_EQ(press({vk::Up}), 0);
  EXPECT_EQ(press({vk::Down}), 1);
  EXPECT_EQ(press({vk::Down}), 2);
  EXPECT_EQ(press({vk::Down}), 2);
  EXPECT_EQ(press({vk::Up, vk::Down}), 1);  // down (held at 2), then up
  g.PauseCursor = 0;
  rig.Step({vk::Enter, vk::Down});  // the choice first, then the move
  EXPECT_EQ(g.SceneId, scene::Gameplay);
  EXPECT_EQ(g.PauseCursor, 1);
}

TEST(Pause, RestartAndQuitStopTheMusic) {
  for (int32_t item : {1, 2}) {
    StageRig rig;
    Game& g = rig.g();
    g.settings.LivesSetting = 4;
    rig.kurara().X = 1500;
    rig.Step();
    OpenPause(rig, item);
    rig.TakeTrace();
    rig.Step({vk::Enter});
    EXPECT_EQ(g.SceneId, item == 1 ? scene::StageStart : scene::TitleSetup);
    EXPECT_FALSE(MusicPlays(g));
    EXPECT_NE(rig.TakeTrace().find("\"stopped\":[\"OP\"]"), std::string::npos);
    for (int i = 0; i < 100 && g.SceneId != scene::Gameplay && g.SceneId != scene::Title; ++i) rig.Step();
    if (item == 1) {
      EXPECT_LT(rig.kurara().X, 200);  // placed afresh, with the settings kept
      EXPECT_EQ(rig.kurara().Lives, 4);
    }
  }
}

TEST(Focus, LosingTheFocusPausesTheStageAndNothingElse) {
  StageRig rig;
  Game& g = rig.g();
  rig.Step({}, 3);
  g.PauseCursor = 2;
  rig.Step({vk::FocusLost});
  EXPECT_EQ(g.SceneId, scene::Pause);
  EXPECT_EQ(g.PauseCursor, 0);
  // Also right after F6 has used the 500 ms poll.
  g.SceneId = scene::Gameplay;
  rig.Step({vk::F6});
  rig.Step({vk::FocusLost});
  EXPECT_EQ(g.SceneId, scene::Pause);
  // In the menus it changes nothing.
  for (const int32_t s : {scene::Menu, scene::Options, scene::Pause}) {
    g.SceneId = s;
    rig.Step({vk::FocusLost});
    EXPECT_EQ(g.SceneId, s);
  }
}

}  // namespace
}  // namespace kt
