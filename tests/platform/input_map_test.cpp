// The keyboard and the pads as virtual keys: bindings, one level per source,
// the pads' two layouts, focus loss, removal and capturing for rebinding.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/input_map.hpp"

namespace kt {
namespace {

std::string Held(const KeyTable& keys) {
  std::string s;
  for (int k = 0; k < 256; ++k)
    if (keys[static_cast<size_t>(k)]) {
      const std::string_view name = KeyName(static_cast<uint8_t>(k));
      s += (name.empty() ? std::to_string(k) : std::string(name)) + " ";
    }
  return s;
}

std::string Pass(InputMap& m) {
  KeyTable keys{};
  keys['Q'] = true;  // whatever the game wrote into the table is gone
  m.Fill(keys);
  return Held(keys);
}

TEST(Bindings, TheDefaultsAreTheUsualKeysAndPadButtons) {
  InputMap m;
  // Kurara's X V D C S W Q A, Tavo's arrows L O I K, the shared keys.
  for (const char* key : {"X", "V", "D", "C", "S", "W", "Q", "A", "L", "O", "I", "K", "Left", "Right", "Up", "Down",
                          "Enter", "Space", "F6", "Escape"}) {
    m.Key(*PhysKeyFromName(key), true);
    EXPECT_EQ(Pass(m), std::string(key) + " ") << key;
    m.Key(*PhysKeyFromName(key), false);
  }
  // Letters no action has: only M, B and Z (menu and ending) count.
  for (const char* key : {"M", "B", "Z", "N"}) {
    m.Key(*PhysKeyFromName(key), true);
    EXPECT_EQ(Pass(m), std::string(key) + " ");
    m.Key(*PhysKeyFromName(key), false);
  }
  m.Key(phys::Letter('E'), true);
  m.Key(phys::KeypadEnter, true);
  m.Key(phys::F1, true);
  EXPECT_EQ(Pass(m), "Enter F1 ");
}

TEST(Bindings, ARemappedKeyRaisesItsActionAndTheOldKeyNothing) {
  InputMap m;
  Bindings b = DefaultBindings();
  ASSERT_TRUE(RebindKey(b, {false, HeroSet::Kurara, static_cast<int>(HeroAction::Punch)}, phys::Letter('J')));
  m.SetBindings(b);
  m.Key(phys::Letter('J'), true);
  EXPECT_EQ(Pass(m), "S ");
  m.Key(phys::Letter('J'), false);
  m.Key(phys::Letter('S'), true);
  EXPECT_EQ(Pass(m), "");
  // A key of a fixed meaning that an action takes drives the action only.
  ASSERT_TRUE(RebindKey(b, {false, HeroSet::Tavo, static_cast<int>(HeroAction::Punch)}, phys::Letter('M')));
  m.SetBindings(b);
  m.Key(phys::Letter('M'), true);
  EXPECT_EQ(Pass(m), "L ");
}

TEST(Bindings, RebindingSwapsAKeyThatIsInUse) {
  Bindings b = DefaultBindings();
  const BindingSlot kuraraUp{false, HeroSet::Kurara, static_cast<int>(HeroAction::Up)};
  const BindingSlot tavoPunch{false, HeroSet::Tavo, static_cast<int>(HeroAction::Punch)};
  const BindingSlot pause{true, HeroSet::Kurara, static_cast<int>(SharedAction::Pause)};
  ASSERT_TRUE(RebindKey(b, kuraraUp, phys::Letter('L')));
  EXPECT_EQ(KeyOf(b, kuraraUp), phys::Letter('L'));
  EXPECT_EQ(KeyOf(b, tavoPunch), phys::Letter('D'));
  // Across hero and shared actions too, and no key is ever on two actions.
  ASSERT_TRUE(RebindKey(b, pause, phys::Letter('D')));
  EXPECT_EQ(KeyOf(b, pause), phys::Letter('D'));
  EXPECT_EQ(KeyOf(b, tavoPunch), phys::Enter);
  // A key bound to the action already changes nothing.
  const Bindings before = b;
  ASSERT_TRUE(RebindKey(b, pause, phys::Letter('D')));
  EXPECT_EQ(b, before);
  // F1 always shows the card.
  EXPECT_FALSE(RebindKey(b, pause, phys::F1));
  EXPECT_EQ(b, before);
  std::vector<PhysKey> all;
  for (const auto& set : b.heroKeys) all.insert(all.end(), set.begin(), set.end());
  all.insert(all.end(), b.sharedKeys.begin(), b.sharedKeys.end());
  std::sort(all.begin(), all.end());
  EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
}

TEST(Bindings, PadButtonsSwapWithinOnePadOnly) {
  Bindings b = DefaultBindings();
  const BindingSlot tavoPunch{false, HeroSet::Tavo, static_cast<int>(HeroAction::Punch)};
  const BindingSlot tavoLift{false, HeroSet::Tavo, static_cast<int>(HeroAction::Lift)};
  const BindingSlot kuraraLift{false, HeroSet::Kurara, static_cast<int>(HeroAction::Lift)};
  const BindingSlot costume{true, HeroSet::Kurara, static_cast<int>(SharedAction::Costume)};
  ASSERT_TRUE(RebindPad(b, tavoPunch, PadButton::B));
  EXPECT_EQ(PadOf(b, tavoPunch), PadButton::B);
  EXPECT_EQ(PadOf(b, tavoLift), PadButton::X);
  EXPECT_EQ(PadOf(b, kuraraLift), PadButton::B);  // the other pad keeps its own
  // A shared action is on both pads: it takes the button from both sets.
  ASSERT_TRUE(RebindPad(b, costume, PadButton::B));
  EXPECT_EQ(PadOf(b, costume), PadButton::B);
  EXPECT_EQ(PadOf(b, tavoPunch), PadButton::None);
  EXPECT_EQ(PadOf(b, kuraraLift), PadButton::None);
  EXPECT_FALSE(RebindPad(b, costume, PadButton::None));
}

TEST(Bindings, NamesRoundTripInAnyCase) {
  for (int k = 1; k < kPhysKeys; ++k) {
    const std::string_view name = PhysKeyName(static_cast<PhysKey>(k));
    if (name.empty()) continue;
    EXPECT_EQ(PhysKeyFromName(name), k) << name;
    EXPECT_NE(PhysKeyLabel(static_cast<PhysKey>(k)), "?") << name;
  }
  for (int b = 0; b < kPadButtons; ++b)
    EXPECT_EQ(PadButtonFromName(PadButtonName(static_cast<PadButton>(b))), static_cast<PadButton>(b));
  EXPECT_EQ(PhysKeyFromName("keypadenter"), phys::KeypadEnter);
  EXPECT_EQ(PhysKeyFromName("j"), phys::Letter('J'));
  EXPECT_EQ(PhysKeyFromName("none"), kNoKey);
  EXPECT_EQ(PadButtonFromName("dpadleft"), PadButton::DpadLeft);
  EXPECT_FALSE(PhysKeyFromName("Shift"));
  EXPECT_FALSE(PhysKeyFromName(""));
  EXPECT_FALSE(PadButtonFromName("Z"));
}

TEST(InputMap, AKeyIsDownWhileAnySourceHoldsIt) {
  InputMap m;
  m.SetLayout(PadLayout::Play);
  m.Key(phys::Right, true);
  m.Button(0, PadButton::DpadRight, true);
  EXPECT_EQ(Pass(m), "Right ");
  m.Key(phys::Right, false);
  EXPECT_EQ(Pass(m), "Right ");  // the pad still holds it
  m.Key(phys::Right, true);
  m.Button(0, PadButton::DpadRight, false);
  EXPECT_EQ(Pass(m), "Right ");  // and now the key
  m.Key(phys::Right, false);
  EXPECT_EQ(Pass(m), "");
  // A button tapped between two passes shows for one.
  m.Button(1, PadButton::X, true);
  m.Button(1, PadButton::X, false);
  EXPECT_EQ(Pass(m), "S ");
  EXPECT_EQ(Pass(m), "");
}

TEST(InputMap, InTheMenusEveryPadNavigatesAndAHeldButtonWaitsForItsRelease) {
  InputMap m;
  for (int pad : {0, 1}) {
    m.Button(pad, PadButton::DpadDown, true);
    m.Stick(pad, StickDirection::Left, true);
    m.Button(pad, PadButton::A, true);
    EXPECT_EQ(Pass(m), "Enter Left Down ") << pad;
    m.Button(pad, PadButton::DpadDown, false);
    m.Stick(pad, StickDirection::Left, false);
    m.Button(pad, PadButton::A, false);
    m.Button(pad, PadButton::Back, true);
    EXPECT_EQ(Pass(m), "Space ");
    m.Button(pad, PadButton::Back, false);
  }
  // A chose "continue" in the pause menu: the stage goes on, and the A still
  // held does not jump until it is pressed again.
  m.Button(0, PadButton::A, true);
  EXPECT_EQ(Pass(m), "Enter ");
  m.SetLayout(PadLayout::Play);
  EXPECT_EQ(Pass(m), "");
  m.Button(0, PadButton::A, false);
  m.Button(0, PadButton::A, true);
  EXPECT_EQ(Pass(m), "Up ");
}

TEST(InputMap, FocusLossAndARemovedPadReleaseTheirKeysAndShowFocusLostOnce) {
  InputMap m;
  m.SetLayout(PadLayout::Play);
  m.Key(phys::Letter('V'), true);
  m.Button(0, PadButton::DpadRight, true);
  m.Button(1, PadButton::DpadRight, true);
  EXPECT_EQ(Pass(m), "Right V ");
  m.PadRemoved(0);
  EXPECT_EQ(Pass(m), "FocusLost V ");  // pad 2 holds Kurara's Right too: V
  EXPECT_EQ(Pass(m), "V ");
  m.FocusLost();
  EXPECT_EQ(Pass(m), "FocusLost ");
  EXPECT_EQ(Pass(m), "");
  // A release that arrives afterwards changes nothing.
  m.Key(phys::Letter('V'), false);
  EXPECT_EQ(Pass(m), "");
}

TEST(InputMap, CaptureTakesTheNextKeyOrButtonAndHoldsItBack) {
  InputMap m;
  m.Key(phys::Enter, true);  // the Enter that asked for a new key, still held
  m.SetCapture(true);
  m.Key(phys::Enter, true, true);  // its auto-repeat is not a press
  m.Key(phys::Letter('J'), true);
  EXPECT_EQ(Pass(m), "Enter ");  // J does not reach the game
  const auto taken = m.TakeCaptured();
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->kind, CapturedInput::Kind::Key);
  EXPECT_EQ(taken->key, phys::Letter('J'));
  EXPECT_FALSE(m.TakeCaptured());
  EXPECT_FALSE(m.Capturing());

  // Escape cancels and does not quit; the pad's buttons are taken too.
  m.SetCapture(true);
  m.Key(phys::Escape, true);
  EXPECT_EQ(Pass(m), "Enter ");
  EXPECT_EQ(m.TakeCaptured()->kind, CapturedInput::Kind::Cancelled);
  m.Key(phys::Escape, false);
  m.SetCapture(true);
  m.Stick(1, StickDirection::Up, true);  // the stick only walks
  m.Button(1, PadButton::LeftTrigger, true);
  const auto button = m.TakeCaptured();
  ASSERT_TRUE(button);
  EXPECT_EQ(button->kind, CapturedInput::Kind::Pad);
  EXPECT_EQ(button->button, PadButton::LeftTrigger);
  EXPECT_EQ(Pass(m), "Enter Up ");
  // Once let go, the taken key is an ordinary key again.
  m.Key(phys::Letter('J'), false);
  m.Key(phys::Letter('J'), true);
  m.Key(phys::Enter, false);
  m.Stick(1, StickDirection::Up, false);
  EXPECT_EQ(Pass(m), "");  // J has no action yet
  // Turning the capture off drops it.
  m.SetCapture(true);
  m.SetCapture(false);
  m.Key(phys::Letter('K'), true);
  EXPECT_FALSE(m.TakeCaptured());
  EXPECT_EQ(Pass(m), "K ");
}

}  // namespace
}  // namespace kt
