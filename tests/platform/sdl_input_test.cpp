// The real SDL backend on the dummy drivers, fed with pushed events: keys
// are rebuilt from their real levels every pass, taps are latched, the
// window repaints only what it must and fits the display.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "loop/frame_loop.hpp"
#include "loop/game.hpp"
#include "loop/startup.hpp"
#include "platform/platform.hpp"

namespace kt {
namespace {

void Push(Uint32 type, SDL_Scancode sc) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.scancode = sc;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
}

void PushWindowEvent(Uint8 event) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = event;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
}

// The backend on the dummy drivers; `open` brings up its sound and window
// (start-up does that itself).
std::unique_ptr<Platform> DummyPlatform(bool open = true) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  auto platform = MakeSdlPlatform({.window = true, .mute = true, .padMappings = {}});
  if (open) {
    platform->OpenAudio();
    platform->OpenDisplay();
  }
  return platform;
}

TEST(SdlInput, TheTableIsRebuiltFromTheKeysRealLevelsEveryPass) {
  auto platform = DummyPlatform();
  KeyTable keys{};
  Push(SDL_KEYDOWN, SDL_SCANCODE_RIGHT);
  platform->ProcessMessages(keys);
  ASSERT_TRUE(keys[vk::Right]);
  // The one-player mode copies the steered hero's keys into the other's
  // entries; with no event the next pass has only the real keys again.
  keys['V'] = true;
  keys['S'] = true;
  platform->ProcessMessages(keys);
  EXPECT_TRUE(keys[vk::Right]);
  EXPECT_FALSE(keys['V']);
  EXPECT_FALSE(keys['S']);
  Push(SDL_KEYUP, SDL_SCANCODE_RIGHT);
  platform->ProcessMessages(keys);
  EXPECT_FALSE(keys[vk::Right]);
}

TEST(SdlInput, ATapBetweenTwoPassesShowsForOnePass) {
  auto platform = DummyPlatform();
  KeyTable keys{};
  Push(SDL_KEYDOWN, SDL_SCANCODE_DOWN);
  Push(SDL_KEYUP, SDL_SCANCODE_DOWN);
  platform->ProcessMessages(keys);
  EXPECT_TRUE(keys[vk::Down]);
  platform->ProcessMessages(keys);
  EXPECT_FALSE(keys[vk::Down]);
  // A focus loss releases held keys and forgets taps; only the focus-lost
  // key shows, for one pass.
  Push(SDL_KEYDOWN, SDL_SCANCODE_L);
  Push(SDL_KEYUP, SDL_SCANCODE_L);
  Push(SDL_KEYDOWN, SDL_SCANCODE_K);
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  platform->ProcessMessages(keys);
  EXPECT_TRUE(keys[vk::FocusLost]);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), true), 1);
  platform->ProcessMessages(keys);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), true), 0);
}

TEST(SdlInput, AKeyHeldInAOnePlayerGameDoesNotWalkAHeroOfTheNextGame) {
  // One player steers Kurara with Right, pauses, lets go of Right, quits and
  // starts a two-player game: Kurara stands still.
  auto platform = DummyPlatform(false);
  auto g = NewGame();
  Startup(*g, *platform, {KT_DATA_DIR, 1});
  g->settings.OnePlayerMode = 1;
  g->SceneId = scene::StageStart;
  const auto run = [&](int passes) {
    for (int i = 0; i < passes; ++i) ASSERT_TRUE(FramePass(*g, *platform));
  };
  for (int i = 0; i < 200 && g->SceneId != scene::Gameplay; ++i) run(1);
  ASSERT_EQ(g->SceneId, scene::Gameplay);
  g->stage.ControlledHero = 1;
  Push(SDL_KEYDOWN, SDL_SCANCODE_RIGHT);
  run(10);
  EXPECT_GT(g->Kurara.X, 100);
  g->SceneId = scene::Pause;
  run(2);
  Push(SDL_KEYUP, SDL_SCANCODE_RIGHT);
  run(2);
  g->settings.OnePlayerMode = 2;
  g->SceneId = scene::StageStart;
  for (int i = 0; i < 200 && g->SceneId != scene::Gameplay; ++i) run(1);
  ASSERT_EQ(g->SceneId, scene::Gameplay);
  const int32_t x = g->Kurara.X;
  run(15);
  EXPECT_EQ(g->Kurara.X, x);
  EXPECT_FALSE(g->KeyState['V']);
}

TEST(SdlInput, TheWindowShowsItsPictureAgainWhenExposedAndOnlyThen) {
  auto platform = DummyPlatform();
  KeyTable keys{};
  platform->ProcessMessages(keys);  // nothing to repaint before a first picture
  EXPECT_EQ(platform->Presents(), 0u);
  Surface picture(640, 480);
  platform->Show(picture);
  EXPECT_EQ(platform->Presents(), 1u);
  for (const Uint8 event : {SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_SIZE_CHANGED, SDL_WINDOWEVENT_RESTORED})
    PushWindowEvent(event);
  platform->ProcessMessages(keys);
  EXPECT_EQ(platform->Presents(), 2u);  // one repaint for the three
  platform->ProcessMessages(keys);
  EXPECT_EQ(platform->Presents(), 2u);
}

TEST(SdlInput, TheWindowFitsTheDisplayAtAWholeScale) {
  auto platform = DummyPlatform();
  SDL_Rect usable{};
  ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0);
  SDL_Window* window = nullptr;
  for (Uint32 id = 1; id < 16 && !window; ++id) window = SDL_GetWindowFromID(id);
  ASSERT_NE(window, nullptr);
  int w = 0, h = 0;
  SDL_GetWindowSize(window, &w, &h);
  EXPECT_LE(w, std::max(640, usable.w));
  EXPECT_LE(h, std::max(480, usable.h));
  EXPECT_EQ(w % 640, 0);
  EXPECT_EQ(w / 640, h / 480);
}

TEST(SdlInput, OpeningTheDisplayAndSoundAgainKeepsTheOnesThatAreOpen) {
  // Start-up opens them after a caller already has: one window, one mixer.
  auto platform = DummyPlatform();
  Mixer* mixer = &platform->OpenAudio();
  platform->OpenDisplay();
  EXPECT_EQ(&platform->OpenAudio(), mixer);
  int windows = 0;
  for (Uint32 id = 1; id < 64; ++id) windows += SDL_GetWindowFromID(id) != nullptr;
  EXPECT_EQ(windows, 1);
}

TEST(SdlInput, AClosedWindowEndsTheGameThroughEscapeAndAnErrorBoxNeverBlocks) {
  auto platform = DummyPlatform(false);
  auto g = NewGame();
  Startup(*g, *platform, {KT_DATA_DIR, 1});
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 1);
  EXPECT_TRUE(FramePass(*g, *platform));
  EXPECT_FALSE(FramePass(*g, *platform));
  // Nobody can see a message box on the dummy driver: it is skipped.
  platform->ReportFatal("a test message");
}

}  // namespace
}  // namespace kt
