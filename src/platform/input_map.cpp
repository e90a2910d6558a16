#include "platform/input_map.hpp"

namespace kt {

namespace {

// The d-pad button a stick direction stands for.
constexpr PadButton kStickAsDpad[] = {PadButton::DpadUp, PadButton::DpadDown, PadButton::DpadLeft,
                                      PadButton::DpadRight};

}  // namespace

void InputMap::SetLayout(PadLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  for (Pad& pad : pads_)
    for (Source& s : pad.inputs) {
      if (s.down) s.held = true;
      s.latched = false;
    }
}

void InputMap::Press(Source& s, bool down, bool repeat) {
  if (down) {
    if (!s.down && !repeat) s.latched = true;
    s.down = true;
  } else {
    s.down = false;
    s.held = false;
  }
}

void InputMap::Key(PhysKey key, bool down, bool repeat) {
  if (key >= kPhysKeys) return;
  Source& s = keys_[key];
  if (capturing_ && down && !repeat && !s.down) {
    CapturedInput c;
    if (key == phys::Escape || key == phys::F1) {
      c.kind = CapturedInput::Kind::Cancelled;
    } else {
      c.kind = CapturedInput::Kind::Key;
      c.key = key;
    }
    captured_ = c;
    capturing_ = false;
    s.down = true;
    s.held = true;  // the taken key does nothing until it is let go
    return;
  }
  Press(s, down, repeat);
}

void InputMap::Button(int pad, PadButton button, bool down) {
  if (button == PadButton::None) return;
  PadInput(pad, static_cast<int>(button), down);
}

void InputMap::Stick(int pad, StickDirection direction, bool down) {
  PadInput(pad, kPadButtons + static_cast<int>(direction), down);
}

void InputMap::PadInput(int pad, int input, bool down) {
  if (pad < 0 || pad >= kPads || input <= 0 || input >= kPadInputs) return;
  Source& s = pads_[static_cast<size_t>(pad)].inputs[static_cast<size_t>(input)];
  // Buttons are taken for rebinding; the stick only ever walks.
  if (capturing_ && down && !s.down && input < kPadButtons) {
    CapturedInput c;
    c.kind = CapturedInput::Kind::Pad;
    c.button = static_cast<PadButton>(input);
    captured_ = c;
    capturing_ = false;
    s.down = true;
    s.held = true;
    return;
  }
  Press(s, down, false);
}

void InputMap::FocusLost() {
  keys_ = {};
  pads_ = {};
  focusLost_ = true;
}

void InputMap::PadRemoved(int pad) {
  if (pad < 0 || pad >= kPads) return;
  pads_[static_cast<size_t>(pad)] = {};
  focusLost_ = true;
}

void InputMap::SetCapture(bool on) {
  if (on == capturing_) return;
  capturing_ = on;
  captured_.reset();
}

std::optional<CapturedInput> InputMap::TakeCaptured() {
  std::optional<CapturedInput> c = captured_;
  captured_.reset();
  return c;
}

void InputMap::RaiseKey(PhysKey key, KeyTable& keys) const {
  bool bound = false;
  for (size_t set = 0; set < bindings_.heroKeys.size(); ++set)
    for (size_t a = 0; a < kHeroActions; ++a)
      if (bindings_.heroKeys[set][a] == key) {
        keys[HeroVirtualKey(static_cast<HeroSet>(set), static_cast<HeroAction>(a))] = true;
        bound = true;
      }
  for (size_t a = 0; a < kSharedActions; ++a)
    if (bindings_.sharedKeys[a] == key) {
      keys[SharedVirtualKey(static_cast<SharedAction>(a))] = true;
      bound = true;
    }
  if (bound) return;
  // Keys no action has keep their own meaning: F1 the card, the keypad's
  // Enter, M and B in the main menu, Z in the ending, N online play's
  // indicator.
  switch (key) {
    case phys::F1: keys[vk::F1] = true; break;
    case phys::KeypadEnter: keys[vk::Enter] = true; break;
    case phys::Letter('M'): keys['M'] = true; break;
    case phys::Letter('B'): keys['B'] = true; break;
    case phys::Letter('Z'): keys['Z'] = true; break;
    case phys::Letter('N'): keys['N'] = true; break;
    default: break;
  }
}

void InputMap::RaisePad(int pad, int input, KeyTable& keys) const {
  const PadButton button =
      input < kPadButtons ? static_cast<PadButton>(input) : kStickAsDpad[input - kPadButtons];
  for (size_t a = 0; a < kSharedActions; ++a)
    if (bindings_.sharedPad[a] == button) keys[SharedVirtualKey(static_cast<SharedAction>(a))] = true;
  if (layout_ == PadLayout::Menu) {
    switch (button) {
      case PadButton::DpadUp: keys[vk::Up] = true; break;
      case PadButton::DpadDown: keys[vk::Down] = true; break;
      case PadButton::DpadLeft: keys[vk::Left] = true; break;
      case PadButton::DpadRight: keys[vk::Right] = true; break;
      case PadButton::A: keys[vk::Enter] = true; break;
      default: break;
    }
    return;
  }
  // The first pad plays the arrow-key hero, the second the other one.
  const HeroSet set = pad == 0 ? HeroSet::Tavo : HeroSet::Kurara;
  const auto& mine = bindings_.heroPad[static_cast<size_t>(set)];
  for (size_t a = 0; a < kHeroActions; ++a)
    if (mine[a] == button) keys[HeroVirtualKey(set, static_cast<HeroAction>(a))] = true;
}

void InputMap::Fill(KeyTable& keys) {
  keys.fill(false);
  for (size_t k = 0; k < keys_.size(); ++k) {
    Source& s = keys_[k];
    if ((s.down || s.latched) && !s.held) RaiseKey(static_cast<PhysKey>(k), keys);
    s.latched = false;
  }
  for (size_t p = 0; p < pads_.size(); ++p)
    for (size_t i = 0; i < pads_[p].inputs.size(); ++i) {
      Source& s = pads_[p].inputs[i];
      if ((s.down || s.latched) && !s.held) RaisePad(static_cast<int>(p), static_cast<int>(i), keys);
      s.latched = false;
    }
  if (focusLost_) keys[vk::FocusLost] = true;
  focusLost_ = false;
}

}  // namespace kt
