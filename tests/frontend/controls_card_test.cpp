// The controls card: F1 over any scene, the stage waiting beneath it, the
// picture given back when it closes, rebinding with swaps, Escape cancelling,
// the change kept at once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "frontend/controls_card.hpp"
#include "loop/settings_file.hpp"
#include "stage_rig.hpp"

namespace kt {
namespace {

using test::HandPlatform;
using test::StageRig;

// Hand-held keys, and a key or button the test hands over when the card asks.
class CapturePlatform : public HandPlatform {
 public:
  using HandPlatform::HandPlatform;
  void SetCapture(bool on) override { capturing = on; }
  std::optional<CapturedInput> TakeCaptured() override {
    if (!capturing || !next) return std::nullopt;
    std::optional<CapturedInput> c = next;
    next.reset();
    return c;
  }
  bool capturing = false;
  std::optional<CapturedInput> next;
};

// A one-player stage (Tavo steered), so Space would switch heroes.
struct CardRig : StageRig {
  CardRig() : StageRig(1), capture(static_cast<uint32_t>(game->FrameTick) + 32) {}

  // One pass of 32 ms holding `keys`, on the capturing platform.
  bool Hold(std::initializer_list<uint8_t> keys = {}, int times = 1) {
    for (int i = 0; i < times; ++i) {
      capture.held.fill(false);
      for (uint8_t k : keys) capture.held[k] = true;
      game->KeyState = capture.held;
      if (!FramePass(*game, capture)) return false;
    }
    return true;
  }
  // A press: one pass down, then two up.
  bool Press(uint8_t key) { return Hold({key}) && Hold({}, 2); }

  CapturePlatform capture;
};

CapturedInput Key(char c) { return {CapturedInput::Kind::Key, phys::Letter(c), PadButton::None}; }

TEST(ControlsCard, F1ShowsTheCardAndTheStageWaitsBeneathIt) {
  CardRig rig;
  Game& g = rig.g();
  rig.Hold({vk::Right}, 5);
  const int32_t x = g.Tavo.X;
  ASSERT_GT(x, 0);
  rig.Hold({vk::Right, vk::F1});
  ASSERT_TRUE(g.card.Shown);
  const int32_t gekX = g.enemies.gek[1].X;
  const int32_t stepTick = g.LastStepTick;
  rig.Hold({vk::Right}, 40);  // more than a second
  EXPECT_EQ(g.SceneId, scene::Gameplay);
  EXPECT_LE(std::abs(g.Tavo.X - x), 8);  // the step the F1 came with at most
  const int32_t frozen = g.Tavo.X;
  EXPECT_EQ(g.LastStepTick, stepTick);
  EXPECT_EQ(g.enemies.gek[1].X, gekX);
  // Right, held since before the card, walks on once it is closed.
  rig.Hold({vk::Right, vk::F1});
  EXPECT_FALSE(g.card.Shown);
  rig.Hold({vk::Right}, 5);
  EXPECT_GT(g.Tavo.X, frozen);
}

TEST(ControlsCard, KeysPressedOnTheCardAreTheCardsAndEscapeCancelsARebinding) {
  CardRig rig;
  Game& g = rig.g();
  rig.Press(vk::F1);
  ASSERT_TRUE(g.card.Shown);
  rig.Hold({vk::Enter});  // not a pause: it asks for a new key
  EXPECT_EQ(g.SceneId, scene::Gameplay);
  EXPECT_TRUE(g.card.Waiting);
  EXPECT_TRUE(rig.capture.capturing);
  rig.Hold({}, 2);
  rig.Press(vk::F1);  // while it waits, F1 does not close the card
  EXPECT_TRUE(g.card.Shown);
  rig.capture.next = CapturedInput{};  // the platform took Escape
  ASSERT_TRUE(rig.Hold());
  EXPECT_FALSE(g.card.Waiting);
  EXPECT_EQ(g.card.Notice, "NOTHING CHANGED");
  EXPECT_EQ(g.prefs.Controls, DefaultBindings());
  // Right and Down pressed on the card and still held when it closes do
  // nothing in the stage until they are let go.
  const int32_t x = g.Tavo.X;
  rig.Hold({vk::Right, vk::Down}, 2);
  rig.Hold({vk::Right, vk::Down, vk::F1});
  ASSERT_FALSE(g.card.Shown);
  rig.Hold({vk::Right, vk::Down}, 20);
  EXPECT_EQ(g.Tavo.X, x);
  rig.Hold({}, 1);
  rig.Hold({vk::Right}, 5);
  EXPECT_GT(g.Tavo.X, x);
}

TEST(ControlsCard, RebindingSwapsTheKeyAndKeepsTheChangeAtOnce) {
  CardRig rig;
  Game& g = rig.g();
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("kt-card-" + std::to_string(::getpid()) + ".toml");
  std::filesystem::remove(file);
  g.prefs.File = file;
  rig.Press(vk::F1);
  ASSERT_TRUE(g.card.Shown);
  // Down to Punch (row 4); Left to Kurara's column.
  for (int i = 0; i < 4; ++i) rig.Press(vk::Down);
  rig.Press(vk::Left);
  EXPECT_EQ(ControlsCardSlot(g.card), (BindingSlot{false, HeroSet::Kurara, static_cast<int>(HeroAction::Punch)}));
  rig.Press(vk::Enter);
  ASSERT_TRUE(g.card.Waiting);
  rig.capture.next = Key('L');  // Tavo's punch
  rig.Hold();
  const Bindings& b = g.prefs.Controls;
  EXPECT_EQ(b.heroKeys[0][static_cast<size_t>(HeroAction::Punch)], phys::Letter('L'));
  EXPECT_EQ(b.heroKeys[1][static_cast<size_t>(HeroAction::Punch)], phys::Letter('S'));
  EXPECT_EQ(g.card.Notice, "KURARA PUNCH: L");
  EXPECT_EQ(g.card.Swapped, "TAVO PUNCH");
  // Kept at once, and the platform told on the next pass.
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(ReadSettingsFile(file).values.Controls, b);
  rig.Hold();
  EXPECT_FALSE(g.prefs.ControlsChanged);
  // A pad button goes to the hero's pad.
  rig.Press(vk::Right);
  rig.Press(vk::Enter);
  rig.capture.next = CapturedInput{CapturedInput::Kind::Pad, kNoKey, PadButton::LeftShoulder};
  rig.Hold();
  EXPECT_EQ(b.heroPad[1][static_cast<size_t>(HeroAction::Punch)], PadButton::LeftShoulder);
  EXPECT_EQ(b.heroPad[0][static_cast<size_t>(HeroAction::Punch)], PadButton::X);
  // F1 cannot be bound.
  rig.Press(vk::Enter);
  rig.capture.next = CapturedInput{CapturedInput::Kind::Key, phys::F1, PadButton::None};
  rig.Hold();
  EXPECT_EQ(g.card.Notice, "F1 CANNOT BE BOUND");
  EXPECT_EQ(ReadSettingsFile(file).values.Controls, b);
  std::filesystem::remove(file);
}

TEST(ControlsCard, TheCursorStaysOnTheCardAndSpaceClosesIt) {
  CardRig rig;
  Game& g = rig.g();
  rig.Press(vk::F1);
  for (int i = 0; i < 20; ++i) rig.Press(vk::Down);
  EXPECT_EQ(g.card.Row, card::kRows - 1);
  EXPECT_TRUE(ControlsCardSlot(g.card).shared);
  for (int i = 0; i < 20; ++i) rig.Press(vk::Up);
  EXPECT_EQ(g.card.Row, 0);
  rig.Press(vk::Space);
  EXPECT_FALSE(g.card.Shown);
  // The Space that closed the card does not switch heroes.
  EXPECT_EQ(g.stage.ControlledHero, 0);
}

TEST(ControlsCard, ClosingGivesBackThePictureTheCardCovered) {
  // The world window here is all black, so the present leaves both buffers
  // of the flip chain as they are: whatever the card drew into them would
  // stay on screen unless the card puts the old pictures back.
  StageRig rig;
  Game& g = rig.g();
  g.SceneId = scene::Pause;
  std::fill(g.display.World().px.begin(), g.display.World().px.end(), 0);
  std::fill(g.display.back.px.begin(), g.display.back.px.end(), 0x1234);
  std::fill(g.display.front.px.begin(), g.display.front.px.end(), 0x1234);
  g.display.World() = Surface(5800, 1100);
  rig.Step({vk::F1});
  ASSERT_TRUE(g.card.Shown);
  rig.Step({}, 3);
  EXPECT_NE(g.display.front.At(101, 100), 0x1234);  // the card's panel
  rig.Step({vk::F1});
  ASSERT_FALSE(g.card.Shown);
  rig.Step({}, 2);
  for (const Surface* s : {&g.display.front, &g.display.back})
    EXPECT_EQ(std::count(s->px.begin(), s->px.end(), 0x1234), 640 * 480);
}

TEST(ControlsCard, SpaceHeldForASecondOnTheTitleOpensItOncePerHold) {
  StageRig rig;
  Game& g = rig.g();
  g.SceneId = scene::TitleSetup;
  rig.Step({}, 3);
  rig.Step({vk::Space}, 25);  // 800 ms
  EXPECT_FALSE(g.card.Shown);
  rig.Step({}, 2);
  rig.Step({vk::Space}, 33);
  EXPECT_TRUE(g.card.Shown);
  rig.Step({vk::Space, vk::F1});
  ASSERT_FALSE(g.card.Shown);
  rig.Step({vk::Space}, 40);  // still the same hold
  EXPECT_FALSE(g.card.Shown);
  // Elsewhere a held Space opens nothing.
  g.SceneId = scene::Menu;
  rig.Step({}, 2);
  rig.Step({vk::Space}, 40);
  EXPECT_FALSE(g.card.Shown);
}

}  // namespace
}  // namespace kt
