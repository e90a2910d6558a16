// Pads on the real SDL backend: SDL's virtual joysticks as standard game
// controllers under the dummy drivers, plugged in and pulled out while the
// backend runs.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "loop/frame_loop.hpp"
#include "loop/game.hpp"
#include "loop/startup.hpp"
#include "platform/platform.hpp"

namespace kt {
namespace {

std::unique_ptr<Platform> DummyPlatform() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  // The dummy window never has the focus; SDL drops pad input for a game in
  // the background unless told otherwise.
  setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
  auto platform = MakeSdlPlatform({.window = true, .mute = true, .padMappings = {}});
  platform->OpenAudio();
  platform->OpenDisplay();
  return platform;
}

// A virtual pad with every button and axis of a standard controller; SDL
// maps its buttons and axes in its own order.
class VirtualPad {
 public:
  VirtualPad() {
    SDL_VirtualJoystickDesc d{};
    d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    d.naxes = SDL_CONTROLLER_AXIS_MAX;
    d.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    d.name = "test pad";
    index_ = SDL_JoystickAttachVirtualEx(&d);
    EXPECT_GE(index_, 0) << SDL_GetError();
    joystick_ = SDL_JoystickOpen(index_);
    EXPECT_NE(joystick_, nullptr) << SDL_GetError();
  }
  ~VirtualPad() { Pull(); }

  void Button(SDL_GameControllerButton b, bool down) { SDL_JoystickSetVirtualButton(joystick_, b, down ? 1 : 0); }
  void Axis(SDL_GameControllerAxis a, Sint16 v) { SDL_JoystickSetVirtualAxis(joystick_, a, v); }
  void Pull() {
    if (!joystick_) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
  }

 private:
  int index_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

KeyTable Pass(Platform& p) {
  KeyTable keys{};
  p.ProcessMessages(keys);
  return keys;
}

TEST(SdlPads, PressesOfTheFirstAndSecondPadReachEachHerosKeys) {
  auto platform = DummyPlatform();
  VirtualPad first, second;
  Pass(*platform);  // both plugged in
  platform->SetPadLayout(PadLayout::Play);
  first.Button(SDL_CONTROLLER_BUTTON_X, true);
  first.Axis(SDL_CONTROLLER_AXIS_LEFTX, 30000);
  second.Button(SDL_CONTROLLER_BUTTON_A, true);
  second.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  second.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32000);  // bound to nothing
  KeyTable keys = Pass(*platform);
  EXPECT_TRUE(keys['L'] && keys[vk::Right]);  // Tavo punches walking right
  EXPECT_TRUE(keys['D'] && keys['X']);        // Kurara jumps walking left
  EXPECT_EQ(std::count(keys.begin(), keys.end(), true), 4);
  // The stick lets go below a third of its way; the keyboard plays along.
  first.Axis(SDL_CONTROLLER_AXIS_LEFTX, 14000);
  second.Button(SDL_CONTROLLER_BUTTON_A, false);
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.scancode = SDL_SCANCODE_X;
  SDL_PushEvent(&e);
  keys = Pass(*platform);
  EXPECT_TRUE(keys[vk::Right] && keys['L'] && keys['X']);
  EXPECT_FALSE(keys['D']);
  first.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
  second.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  keys = Pass(*platform);
  EXPECT_FALSE(keys[vk::Right]);
  EXPECT_TRUE(keys['X']);  // the key still holds what the pad let go
  // In the menus either pad navigates.
  platform->SetPadLayout(PadLayout::Menu);
  second.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
  keys = Pass(*platform);
  EXPECT_TRUE(keys[vk::Down]);
}

TEST(SdlPads, ARemovedPadReleasesItsKeysAndAPadPluggedInLaterPlays) {
  auto platform = DummyPlatform();
  platform->SetPadLayout(PadLayout::Play);
  const KeyTable none = Pass(*platform);
  EXPECT_EQ(std::count(none.begin(), none.end(), true), 0);
  auto pad = std::make_unique<VirtualPad>();
  Pass(*platform);
  pad->Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  pad->Button(SDL_CONTROLLER_BUTTON_START, true);
  KeyTable keys = Pass(*platform);
  EXPECT_TRUE(keys[vk::Right] && keys[vk::Enter]);
  pad.reset();
  keys = Pass(*platform);
  EXPECT_FALSE(keys[vk::Right] || keys[vk::Enter]);
  EXPECT_TRUE(keys[vk::FocusLost]);
  EXPECT_FALSE(Pass(*platform)[vk::FocusLost]);
  // Plugged in again it is the first pad once more.
  VirtualPad again;
  Pass(*platform);
  again.Button(SDL_CONTROLLER_BUTTON_Y, true);
  EXPECT_TRUE(Pass(*platform)['O']);
}

TEST(SdlPads, APadPulledOutDuringTheStagePausesIt) {
  auto platform = DummyPlatform();
  auto g = NewGame();
  Startup(*g, *platform, {KT_DATA_DIR, 1});
  g->SceneId = scene::StageStart;
  auto pad = std::make_unique<VirtualPad>();
  for (int i = 0; i < 200 && g->SceneId != scene::Gameplay; ++i) ASSERT_TRUE(FramePass(*g, *platform));
  ASSERT_EQ(g->SceneId, scene::Gameplay);
  const int32_t start = g->Tavo.X;
  pad->Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(FramePass(*g, *platform));
  EXPECT_GT(g->Tavo.X, start);  // the first pad walks Tavo
  pad.reset();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(FramePass(*g, *platform));
  EXPECT_EQ(g->SceneId, scene::Pause);
  EXPECT_EQ(g->PauseCursor, 0);
  EXPECT_FALSE(g->KeyState[vk::Right]);
}

}  // namespace
}  // namespace kt
