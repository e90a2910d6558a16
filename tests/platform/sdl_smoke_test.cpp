// The real SDL backend on SDL's dummy video and audio drivers: the game starts,
// runs a few dozen passes and ends on Escape.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "loop/frame_loop.hpp"
#include "loop/game.hpp"
#include "loop/startup.hpp"
#include "platform/platform.hpp"

namespace kt {
namespace {

// The window the backend opened last.
SDL_Window* NewestWindow() {
  SDL_Window* newest = nullptr;
  for (Uint32 id = 1; id < 1000; ++id)
    if (SDL_Window* w = SDL_GetWindowFromID(id)) newest = w;
  return newest;
}

TEST(SdlBackend, RunsOnDummyDriversAndEndsOnEscape) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  auto g = NewGame();
  auto platform = MakeSdlPlatform({.window = true, .mute = false, .padMappings = {}});
  Startup(*g, *platform, {KT_DATA_DIR, 3});
  const uint32_t start = platform->Ticks();
  int passes = 0;
  for (; passes < 50; ++passes) ASSERT_TRUE(FramePass(*g, *platform));
  EXPECT_EQ(g->SceneId, scene::Title);  // the title sequence plays on its own
  // Steps are paced by the clock and the loop sleeps until the next one is
  // due: 50 passes take about 50 steps' time rather than spinning through.
  EXPECT_GE(platform->Ticks() - start, 1000u);

  // The window shows the game's picture pixel for pixel: read back in the
  // game's own format, the window's 32-bit pixels give the 16-bit ones again.
  SDL_Window* window = NewestWindow();
  ASSERT_NE(window, nullptr);
  std::vector<uint16_t> shown(static_cast<size_t>(kScreenWidth) * kScreenHeight);
  ASSERT_EQ(SDL_RenderReadPixels(SDL_GetRenderer(window), nullptr, SDL_PIXELFORMAT_RGB565, shown.data(),
                                 kScreenWidth * 2),
            0)
      << SDL_GetError();
  EXPECT_EQ(shown, g->display.front.px);

  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
  EXPECT_TRUE(FramePass(*g, *platform));   // the event arrives at the end of this pass
  EXPECT_TRUE(g->KeyState[vk::Escape]);
  EXPECT_FALSE(FramePass(*g, *platform));  // and ends the next one
}

TEST(SdlBackend, KeysArriveByPositionAndFocusLossReleasesThem) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  auto platform = MakeSdlPlatform({.window = true, .mute = true, .padMappings = {}});
  platform->OpenAudio();
  platform->OpenDisplay();
  KeyTable keys{};
  const auto push = [](Uint32 type, SDL_Scancode sc) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.scancode = sc;
    SDL_PushEvent(&e);
  };
  push(SDL_KEYDOWN, SDL_SCANCODE_A);
  push(SDL_KEYDOWN, SDL_SCANCODE_LEFT);
  push(SDL_KEYDOWN, SDL_SCANCODE_F6);
  push(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER);
  push(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT);  // not a game key
  EXPECT_FALSE(keys['A']);  // nothing changes until messages are processed
  platform->ProcessMessages(keys);
  EXPECT_TRUE(keys['A'] && keys[vk::Left] && keys[vk::F6] && keys[vk::Enter]);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), true), 4);
  push(SDL_KEYUP, SDL_SCANCODE_A);
  platform->ProcessMessages(keys);
  EXPECT_FALSE(keys['A']);
  SDL_Event focus{};
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  SDL_PushEvent(&focus);
  platform->ProcessMessages(keys);
  EXPECT_TRUE(keys[vk::FocusLost]);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), true), 1);
}

}  // namespace
}  // namespace kt
