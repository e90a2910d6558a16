#pragma once
// The keyboard and the pads turned into the game's virtual keys. Every source
// keeps its own levels (each key of the keyboard, each button of each pad), so
// letting go of a key on one does not release the same virtual key held on the
// other; the key table is made afresh from those levels on every pass.
//
// Plain code: the SDL backend feeds it events, the tests feed it directly.
#include <array>
#include <cstdint>
#include <optional>

#include "platform/bindings.hpp"
#include "platform/keys.hpp"

namespace kt {

// How the pads drive the game. In the menus (title, main menu, options,
// pause, ending, the controls card) every pad navigates: the d-pad and the
// stick are the arrows, A is Enter. In play each pad drives its hero's set.
enum class PadLayout : uint8_t { Menu, Play };

// A key or button taken for rebinding on the controls card.
struct CapturedInput {
  enum class Kind : uint8_t { Cancelled, Key, Pad } kind = Kind::Cancelled;
  PhysKey key = kNoKey;
  PadButton button = PadButton::None;
};

// A pad's inputs: its buttons, then the left stick's four directions, which
// act as the d-pad does.
enum class StickDirection : uint8_t { Up, Down, Left, Right };

class InputMap {
 public:
  static constexpr int kPads = 2;

  InputMap() : bindings_(DefaultBindings()) {}

  void SetBindings(const Bindings& b) { bindings_ = b; }
  const Bindings& GetBindings() const { return bindings_; }

  // A pad input held across a change of layout keeps nothing: it raises no
  // key until it is let go, so the A that chose "continue" in the pause menu
  // does not jump once the stage goes on.
  void SetLayout(PadLayout layout);
  PadLayout Layout() const { return layout_; }

  void Key(PhysKey key, bool down, bool repeat = false);
  void Button(int pad, PadButton button, bool down);
  void Stick(int pad, StickDirection direction, bool down);

  // The window lost the focus: every key and button is let go (their
  // releases never arrive), and FocusLost shows for one pass.
  void FocusLost();
  // A pad was removed: its buttons are let go and FocusLost shows for one pass.
  void PadRemoved(int pad);

  // While capturing, the next key or button that goes down is taken for
  // rebinding instead of reaching the game, and held back until let go;
  // Escape (or F1) cancels. Turning it off drops a capture in progress.
  void SetCapture(bool on);
  bool Capturing() const { return capturing_; }
  std::optional<CapturedInput> TakeCaptured();

  // Fills the table from the levels, with the presses since the last call
  // (a tap between two passes shows as down), then forgets those presses.
  void Fill(KeyTable& keys);

 private:
  static constexpr int kPadInputs = kPadButtons + 4;  // the buttons, then the stick

  struct Source {
    bool down = false;
    bool latched = false;  // went down since the last pass
    bool held = false;     // raises nothing until let go
  };
  struct Pad {
    std::array<Source, kPadInputs> inputs{};
  };

  void Press(Source& s, bool down, bool repeat);
  void PadInput(int pad, int input, bool down);
  void RaiseKey(PhysKey key, KeyTable& keys) const;
  void RaisePad(int pad, int input, KeyTable& keys) const;

  Bindings bindings_;
  PadLayout layout_ = PadLayout::Menu;
  std::array<Source, kPhysKeys> keys_{};
  std::array<Pad, kPads> pads_{};
  bool focusLost_ = false;
  bool capturing_ = false;
  std::optional<CapturedInput> captured_;
};

}  // namespace kt
