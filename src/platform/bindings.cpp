#include "platform/bindings.hpp"

#include <algorithm>
#include <cctype>

#include "platform/keys.hpp"

namespace kt {

namespace {

constexpr std::array<std::array<uint8_t, kHeroActions>, kHeroSets> kHeroVirtual{{
    {'X', 'V', 'D', 'C', 'S', 'W', 'Q', 'A'},
    {vk::Left, vk::Right, vk::Up, vk::Down, 'L', 'O', 'I', 'K'},
}};
constexpr std::array<uint8_t, kSharedActions> kSharedVirtual{vk::Enter, vk::Space, vk::F6, vk::Escape};

constexpr std::array<std::string_view, kHeroActions> kHeroNames{"walk_left", "walk_right", "up",    "down",
                                                                "punch",     "spin",       "burst", "lift"};
constexpr std::array<std::string_view, kHeroActions> kHeroLabels{"WALK LEFT", "WALK RIGHT", "UP / JUMP", "DOWN",
                                                                 "PUNCH",     "SPIN",       "BURST",     "LIFT / THROW"};
constexpr std::array<std::string_view, kSharedActions> kSharedNames{"pause", "switch", "costume", "quit"};
constexpr std::array<std::string_view, kSharedActions> kSharedLabels{"PAUSE / CHOOSE", "SWITCH HEROES", "COSTUMES",
                                                                     "QUIT"};

struct KeyNaming {
  PhysKey key;
  std::string_view name, label;
};
// Every key a player can bind. Letters and digits are named by themselves.
constexpr KeyNaming kKeys[] = {
    {40, "Enter", "ENTER"},
    {41, "Escape", "ESC"},
    {42, "Backspace", "BKSP"},
    {43, "Tab", "TAB"},
    {44, "Space", "SPACE"},
    {45, "Minus", "-"},
    {46, "Equals", "="},
    {47, "LeftBracket", "["},
    {48, "RightBracket", "]"},
    {49, "Backslash", "\\"},
    {50, "Hash", "#"},
    {51, "Semicolon", ";"},
    {52, "Apostrophe", "'"},
    {53, "Grave", "`"},
    {54, "Comma", ","},
    {55, "Period", "."},
    {56, "Slash", "/"},
    {57, "CapsLock", "CAPS"},
    {58, "F1", "F1"},
    {59, "F2", "F2"},
    {60, "F3", "F3"},
    {61, "F4", "F4"},
    {62, "F5", "F5"},
    {63, "F6", "F6"},
    {64, "F7", "F7"},
    {65, "F8", "F8"},
    {66, "F9", "F9"},
    {67, "F10", "F10"},
    {68, "F11", "F11"},
    {69, "F12", "F12"},
    {70, "PrintScreen", "PRINT"},
    {71, "ScrollLock", "SCROLL"},
    {72, "Pause", "PAUSE"},
    {73, "Insert", "INSERT"},
    {74, "Home", "HOME"},
    {75, "PageUp", "PG UP"},
    {76, "Delete", "DELETE"},
    {77, "End", "END"},
    {78, "PageDown", "PG DOWN"},
    {79, "Right", "RIGHT"},
    {80, "Left", "LEFT"},
    {81, "Down", "DOWN"},
    {82, "Up", "UP"},
    {83, "NumLock", "NUM LOCK"},
    {84, "KeypadDivide", "KP /"},
    {85, "KeypadMultiply", "KP *"},
    {86, "KeypadMinus", "KP -"},
    {87, "KeypadPlus", "KP +"},
    {88, "KeypadEnter", "KP ENTER"},
    {89, "Keypad1", "KP 1"},
    {90, "Keypad2", "KP 2"},
    {91, "Keypad3", "KP 3"},
    {92, "Keypad4", "KP 4"},
    {93, "Keypad5", "KP 5"},
    {94, "Keypad6", "KP 6"},
    {95, "Keypad7", "KP 7"},
    {96, "Keypad8", "KP 8"},
    {97, "Keypad9", "KP 9"},
    {98, "Keypad0", "KP 0"},
    {99, "KeypadPeriod", "KP ."},
    {100, "NonUsBackslash", "\\"},
    {101, "Menu", "MENU"},
    {224, "LeftCtrl", "L CTRL"},
    {225, "LeftShift", "L SHIFT"},
    {226, "LeftAlt", "L ALT"},
    {227, "LeftGui", "L GUI"},
    {228, "RightCtrl", "R CTRL"},
    {229, "RightShift", "R SHIFT"},
    {230, "RightAlt", "R ALT"},
    {231, "RightGui", "R GUI"},
};

constexpr std::string_view kLetterNames = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kDigitNames = "1234567890";  // usages 30..39

struct PadNaming {
  std::string_view name, label;
};
constexpr std::array<PadNaming, kPadButtons> kPad{{
    {"None", "-"},
    {"A", "A"},
    {"B", "B"},
    {"X", "X"},
    {"Y", "Y"},
    {"Back", "BACK"},
    {"Guide", "GUIDE"},
    {"Start", "START"},
    {"LeftStick", "L STICK"},
    {"RightStick", "R STICK"},
    {"LeftShoulder", "LB"},
    {"RightShoulder", "RB"},
    {"DpadUp", "D-UP"},
    {"DpadDown", "D-DOWN"},
    {"DpadLeft", "D-LEFT"},
    {"DpadRight", "D-RIGHT"},
    {"Misc1", "MISC"},
    {"Paddle1", "PADDLE 1"},
    {"Paddle2", "PADDLE 2"},
    {"Paddle3", "PADDLE 3"},
    {"Paddle4", "PADDLE 4"},
    {"Touchpad", "TOUCHPAD"},
    {"LeftTrigger", "LT"},
    {"RightTrigger", "RT"},
}};

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

Bindings DefaultBindings() {
  Bindings b;
  b.heroKeys[static_cast<size_t>(HeroSet::Kurara)] = {phys::Letter('X'), phys::Letter('V'), phys::Letter('D'),
                                                      phys::Letter('C'), phys::Letter('S'), phys::Letter('W'),
                                                      phys::Letter('Q'), phys::Letter('A')};
  b.heroKeys[static_cast<size_t>(HeroSet::Tavo)] = {phys::Left,        phys::Right,       phys::Up,
                                                    phys::Down,        phys::Letter('L'), phys::Letter('O'),
                                                    phys::Letter('I'), phys::Letter('K')};
  b.sharedKeys = {phys::Enter, phys::Space, phys::F6, phys::Escape};
  const std::array<PadButton, kHeroActions> pad{PadButton::DpadLeft, PadButton::DpadRight,     PadButton::A,
                                                PadButton::DpadDown, PadButton::X,             PadButton::Y,
                                                PadButton::RightShoulder, PadButton::B};
  b.heroPad = {pad, pad};
  b.sharedPad = {PadButton::Start, PadButton::Back, PadButton::None, PadButton::None};
  return b;
}

uint8_t HeroVirtualKey(HeroSet set, HeroAction action) {
  return kHeroVirtual[static_cast<size_t>(set)][static_cast<size_t>(action)];
}

uint8_t SharedVirtualKey(SharedAction action) { return kSharedVirtual[static_cast<size_t>(action)]; }

PhysKey& KeyOf(Bindings& b, const BindingSlot& s) {
  const auto a = static_cast<size_t>(s.action);
  return s.shared ? b.sharedKeys[a] : b.heroKeys[static_cast<size_t>(s.set)][a];
}
PadButton& PadOf(Bindings& b, const BindingSlot& s) {
  const auto a = static_cast<size_t>(s.action);
  return s.shared ? b.sharedPad[a] : b.heroPad[static_cast<size_t>(s.set)][a];
}
PhysKey KeyOf(const Bindings& b, const BindingSlot& s) { return KeyOf(const_cast<Bindings&>(b), s); }
PadButton PadOf(const Bindings& b, const BindingSlot& s) { return PadOf(const_cast<Bindings&>(b), s); }

bool RebindKey(Bindings& b, const BindingSlot& slot, PhysKey key) {
  if (key == kNoKey || key == phys::F1) return false;
  PhysKey& mine = KeyOf(b, slot);
  for (auto& set : b.heroKeys)
    for (PhysKey& k : set)
      if (k == key && &k != &mine) k = mine;
  for (PhysKey& k : b.sharedKeys)
    if (k == key && &k != &mine) k = mine;
  mine = key;
  return true;
}

bool RebindPad(Bindings& b, const BindingSlot& slot, PadButton button) {
  if (button == PadButton::None) return false;
  PadButton& mine = PadOf(b, slot);
  // A shared action is on both pads: it takes the button from either set.
  for (size_t s = 0; s < b.heroPad.size(); ++s) {
    if (!slot.shared && s != static_cast<size_t>(slot.set)) continue;
    for (PadButton& p : b.heroPad[s])
      if (p == button && &p != &mine) p = mine;
  }
  for (PadButton& p : b.sharedPad)
    if (p == button && &p != &mine) p = mine;
  mine = button;
  return true;
}

std::string_view HeroActionName(HeroAction a) { return kHeroNames[static_cast<size_t>(a)]; }
std::string_view SharedActionName(SharedAction a) { return kSharedNames[static_cast<size_t>(a)]; }
std::string_view HeroActionLabel(HeroAction a) { return kHeroLabels[static_cast<size_t>(a)]; }
std::string_view SharedActionLabel(SharedAction a) { return kSharedLabels[static_cast<size_t>(a)]; }

std::optional<PhysKey> PhysKeyFromName(std::string_view name) {
  if (SameName(name, "None")) return kNoKey;
  if (name.size() == 1) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (const size_t i = kLetterNames.find(c); i != std::string_view::npos) return static_cast<PhysKey>(4 + i);
    if (const size_t i = kDigitNames.find(c); i != std::string_view::npos) return static_cast<PhysKey>(30 + i);
  }
  for (const KeyNaming& k : kKeys)
    if (SameName(k.name, name)) return k.key;
  return std::nullopt;
}

std::string_view PhysKeyName(PhysKey key) {
  if (key == kNoKey) return "None";
  if (key >= 4 && key < 30) return kLetterNames.substr(key - 4u, 1);
  if (key >= 30 && key < 40) return kDigitNames.substr(key - 30u, 1);
  for (const KeyNaming& k : kKeys)
    if (k.key == key) return k.name;
  return {};
}

std::string_view PhysKeyLabel(PhysKey key) {
  if (key == kNoKey) return "-";
  if (key >= 4 && key < 40) return PhysKeyName(key);
  for (const KeyNaming& k : kKeys)
    if (k.key == key) return k.label;
  return "?";
}

std::optional<PadButton> PadButtonFromName(std::string_view name) {
  for (size_t i = 0; i < kPad.size(); ++i)
    if (SameName(kPad[i].name, name)) return static_cast<PadButton>(i);
  return std::nullopt;
}

std::string_view PadButtonName(PadButton b) {
  const auto i = static_cast<size_t>(b);
  return i < kPad.size() ? kPad[i].name : std::string_view{};
}

std::string_view PadButtonLabel(PadButton b) {
  const auto i = static_cast<size_t>(b);
  return i < kPad.size() ? kPad[i].label : std::string_view("?");
}

}  // namespace kt
