#pragma once
// Which key of the keyboard and which pad button drive each of the game's
// virtual keys. Plain data, read by the platform (to map keys and buttons onto
// virtual keys) and by the game (the controls card, the settings file).
//
// A hero action is one virtual key of that hero's set: Kurara's X V D C S W Q
// A, Tavo's arrows L O I K. The shared actions are Enter (pause, menu choice),
// Space (switch heroes), F6 (costumes) and Escape (quit). The first pad plays
// Tavo's set (the hero a one-player game steers), the second pad Kurara's.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kt {

enum class HeroAction : uint8_t { WalkLeft, WalkRight, Up, Down, Punch, Spin, Burst, Lift };
inline constexpr int kHeroActions = 8;
enum class SharedAction : uint8_t { Pause, Switch, Costume, Quit };
inline constexpr int kSharedActions = 4;

// The two key sets, in the order the card and the file list them.
enum class HeroSet : uint8_t { Kurara, Tavo };
inline constexpr int kHeroSets = 2;

// A key of the keyboard by its position: the USB HID usage number of the key
// (A is 4, Enter 40, Left 80), the same on every layout. 0 is no key.
using PhysKey = uint16_t;
inline constexpr PhysKey kNoKey = 0;
inline constexpr int kPhysKeys = 256;  // usages below this; the keys we name all are
namespace phys {
inline constexpr PhysKey Enter = 40, Escape = 41, Space = 44, F1 = 58, F6 = 63;
inline constexpr PhysKey Right = 79, Left = 80, Down = 81, Up = 82, KeypadEnter = 88;
constexpr PhysKey Letter(char c) { return static_cast<PhysKey>((c >= 'a' ? c - 'a' : c - 'A') + 4); }
}  // namespace phys

// A pad button by its place on a standard pad (Xbox names: A is the bottom
// face button). The triggers count as buttons once pressed halfway.
enum class PadButton : uint8_t {
  None,
  A, B, X, Y, Back, Guide, Start, LeftStick, RightStick, LeftShoulder, RightShoulder,
  DpadUp, DpadDown, DpadLeft, DpadRight, Misc1, Paddle1, Paddle2, Paddle3, Paddle4, Touchpad,
  LeftTrigger, RightTrigger,
};
inline constexpr int kPadButtons = 24;  // None included

struct Bindings {
  std::array<std::array<PhysKey, kHeroActions>, kHeroSets> heroKeys{};
  std::array<PhysKey, kSharedActions> sharedKeys{};
  // heroPad[Tavo] is the first pad's, heroPad[Kurara] the second's; the
  // shared actions are the same on both pads.
  std::array<std::array<PadButton, kHeroActions>, kHeroSets> heroPad{};
  std::array<PadButton, kSharedActions> sharedPad{};

  bool operator==(const Bindings&) const = default;
};

// The keyboard as the game was designed (Kurara X V D C S W Q A, Tavo's
// arrows L O I K, Enter, Space, F6, Escape); on the pads the stick and the
// d-pad walk and look down, A jumps, X punches, Y spins, the right shoulder
// bursts, B lifts and throws, Start is Enter and Back is Space.
Bindings DefaultBindings();

// The virtual key an action raises.
uint8_t HeroVirtualKey(HeroSet set, HeroAction action);
uint8_t SharedVirtualKey(SharedAction action);

// One binding: a hero action of one set, or a shared action.
struct BindingSlot {
  bool shared = false;
  HeroSet set = HeroSet::Kurara;  // for a hero action
  int action = 0;                 // HeroAction or SharedAction

  bool operator==(const BindingSlot&) const = default;
};
PhysKey& KeyOf(Bindings& b, const BindingSlot& slot);
PadButton& PadOf(Bindings& b, const BindingSlot& slot);
PhysKey KeyOf(const Bindings& b, const BindingSlot& slot);
PadButton PadOf(const Bindings& b, const BindingSlot& slot);

// Binds `key` to `slot`. A key another action had is swapped: that action
// takes the slot's old key, so no key ever drives two actions. Returns false
// (and changes nothing) for no key and for F1, which always shows the card.
bool RebindKey(Bindings& b, const BindingSlot& slot, PhysKey key);
// The same for a pad button. The hero actions of one set and the shared
// actions are on the same pad, so a button is swapped among those; the other
// set's actions are on the other pad and keep theirs.
bool RebindPad(Bindings& b, const BindingSlot& slot, PadButton button);

// ---- names -------------------------------------------------------------------

// Names in the settings file: "walk_left" ... "lift", "pause" ... "quit".
std::string_view HeroActionName(HeroAction a);
std::string_view SharedActionName(SharedAction a);
// Names on the controls card: "WALK LEFT", "UP / JUMP", "SWITCH HEROES".
std::string_view HeroActionLabel(HeroAction a);
std::string_view SharedActionLabel(SharedAction a);

// Key names in the settings file ("A", "Left", "KeypadEnter", "RightShift",
// "None"), read in any case, and short labels for the card ("KP ENTER").
std::optional<PhysKey> PhysKeyFromName(std::string_view name);
std::string_view PhysKeyName(PhysKey key);   // "" for a usage without a name
std::string_view PhysKeyLabel(PhysKey key);  // "-" for no key, "?" without a name

// Pad button names in the settings file ("A", "DpadLeft", "RightShoulder",
// "None"), read in any case, and labels for the card ("D-LEFT", "RB").
std::optional<PadButton> PadButtonFromName(std::string_view name);
std::string_view PadButtonName(PadButton b);
std::string_view PadButtonLabel(PadButton b);  // "-" for none

}  // namespace kt
