#include "frontend/controls_card.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "loop/input.hpp"
#include "loop/sound.hpp"
#include "loop/text.hpp"
#include "loop/ticks.hpp"

namespace kt {

namespace {

constexpr int32_t kPace = 32;        // ms between the card's steps
constexpr uint32_t kRepeatMs = 150;  // a held arrow moves again after this
constexpr uint32_t kHoldMs = 1000;   // Space (a pad's Back) held this long on the title opens the card

// ---- layout ----
constexpr int kPanelL = 16, kPanelT = 10, kPanelR = 624, kPanelB = 470;
constexpr int kLabelX = 30;
constexpr int kColumnX[] = {210, 310, 420, 520};  // Kurara key, pad; Tavo key, pad
constexpr int kColumnW = card::kColumnWidth;
static_assert(kLabelX + card::kLabelWidth <= 210);
constexpr int kHeroRowsY = 104, kSharedRowsY = 304, kRowH = 21;

constexpr uint16_t Rgb(int r, int g, int b) {
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}
constexpr uint16_t kShade = Rgb(16, 12, 40);
constexpr uint16_t kTrim = Rgb(232, 176, 64);
constexpr uint16_t kTrimDark = Rgb(120, 80, 30);
constexpr uint16_t kRule = Rgb(92, 82, 160);

std::string Upper(std::string_view s) {
  std::string u(s);
  for (char& c : u) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return u;
}

std::string_view SetName(HeroSet set) { return set == HeroSet::Kurara ? "KURARA" : "TAVO"; }

std::string SlotName(const BindingSlot& s) {
  if (s.shared) return std::string(SharedActionLabel(static_cast<SharedAction>(s.action)));
  return std::string(SetName(s.set)) + " " + std::string(HeroActionLabel(static_cast<HeroAction>(s.action)));
}

// Where each binding of the card is, to tell which one a rebinding swapped.
std::vector<BindingSlot> AllSlots() {
  std::vector<BindingSlot> all;
  for (int set = 0; set < kHeroSets; ++set)
    for (int a = 0; a < kHeroActions; ++a) all.push_back({false, static_cast<HeroSet>(set), a});
  for (int a = 0; a < kSharedActions; ++a) all.push_back({true, HeroSet::Kurara, a});
  return all;
}

void Moved(Game& g) { SoundPlay(g, Sfx::sentaku); }

}  // namespace

BindingSlot ControlsCardSlot(const ControlsCardState& card) {
  if (card.Row >= card::kHeroRows) return {true, HeroSet::Kurara, card.Row - card::kHeroRows};
  return {false, card.Column == 0 ? HeroSet::Kurara : HeroSet::Tavo, card.Row};
}

void ControlsCardOpen(Game& g) {
  ControlsCardState& c = g.card;
  c.Shown = true;
  c.Waiting = false;
  c.Notice.clear();
  c.Swapped.clear();
  c.StepTick = g.FrameTick;
  c.RepeatTick = g.FrameTick;
  c.UnderBack = g.display.back;
  c.UnderFront = g.display.front;
  c.PressTicks = g.input.PressTick;
  // Presses that came with the one that opened the card are not its.
  g.input.Pending.fill(false);
}

void ControlsCardClose(Game& g) {
  ControlsCardState& c = g.card;
  c.Shown = false;
  c.Waiting = false;
  // The flip chain gets back the pictures the card covered.
  if (c.UnderBack.w == g.display.back.w && c.UnderBack.h == g.display.back.h) g.display.back = c.UnderBack;
  if (c.UnderFront.w == g.display.front.w && c.UnderFront.h == g.display.front.h) g.display.front = c.UnderFront;
  c.UnderBack = Surface();
  c.UnderFront = Surface();
  // What was pressed on the card was for the card: the scene beneath goes on
  // with the keys held since before it opened, and none pressed since.
  ForgetPressesSince(g, c.PressTicks);
}

bool ControlsCardPoll(Game& g) {
  ControlsCardState& c = g.card;
  if (g.input.Pending[vk::F1] && !c.Waiting) {
    g.input.Pending[vk::F1] = false;
    if (c.Shown) {
      ControlsCardClose(g);
    } else {
      ControlsCardOpen(g);
    }
    return true;
  }
  // On the title a pad's Back (Space) held for a second opens the card, once
  // per hold.
  if (!g.KeyState[vk::Space]) {
    c.HoldUsed = false;
  } else if (!c.Shown && !c.HoldUsed && g.SceneId == scene::Title &&
             TimeReached(g.FrameTick, g.input.PressTick[vk::Space], kHoldMs)) {
    c.HoldUsed = true;
    ControlsCardOpen(g);
    return true;
  }
  return false;
}

bool ControlsCardStep(Game& g) {
  ControlsCardState& c = g.card;
  if (!TimeReached(g.FrameTick, c.StepTick, kPace)) return false;
  c.StepTick = g.FrameTick;
  if (c.Waiting) return true;  // the platform is taking the next key

  const bool repeatDue = TimeReached(g.FrameTick, c.RepeatTick, kRepeatMs);
  bool acted = false;
  const auto acts = [&](uint8_t key) {
    const bool a = MenuKeyActs(g, key, repeatDue);
    acted = acted || a;
    return a;
  };
  // Closing and rebinding want a fresh press: a key still held from before
  // (the hold that opened the card) does not repeat into them.
  if (g.input.Pending[vk::Space]) {
    ControlsCardClose(g);
    return true;
  }
  if (g.input.Pending[vk::Enter]) {
    c.Waiting = true;
    c.Notice.clear();
    c.Swapped.clear();
    SoundPlay(g, Sfx::kettei);
  } else {
    if (acts(vk::Up) && c.Row > 0) {
      c.Row -= 1;
      Moved(g);
    }
    if (acts(vk::Down) && c.Row < card::kRows - 1) {
      c.Row += 1;
      Moved(g);
    }
    if (acts(vk::Left) && c.Column > 0) {
      c.Column = 0;
      if (c.Row < card::kHeroRows) Moved(g);
    }
    if (acts(vk::Right) && c.Column < 1) {
      c.Column = 1;
      if (c.Row < card::kHeroRows) Moved(g);
    }
  }
  if (acted) c.RepeatTick = g.FrameTick;
  return true;
}

void ControlsCardTake(Game& g, const CapturedInput& input) {
  ControlsCardState& c = g.card;
  if (!c.Shown || !c.Waiting) return;
  c.Waiting = false;
  c.Swapped.clear();
  const BindingSlot slot = ControlsCardSlot(c);
  const Bindings before = g.prefs.Controls;
  Bindings& b = g.prefs.Controls;
  bool bound = false;
  std::string what;
  switch (input.kind) {
    case CapturedInput::Kind::Cancelled: c.Notice = "NOTHING CHANGED"; return;
    case CapturedInput::Kind::Key:
      bound = RebindKey(b, slot, input.key);
      what = PhysKeyLabel(input.key);
      break;
    case CapturedInput::Kind::Pad:
      bound = RebindPad(b, slot, input.button);
      what = "PAD " + std::string(PadButtonLabel(input.button));
      break;
  }
  if (!bound) {
    c.Notice = what + " CANNOT BE BOUND";
    return;
  }
  c.Notice = SlotName(slot) + ": " + what;
  for (const BindingSlot& other : AllSlots()) {
    if (other == slot) continue;
    const bool swapped = input.kind == CapturedInput::Kind::Key ? KeyOf(before, other) != KeyOf(b, other)
                                                                  : PadOf(before, other) != PadOf(b, other);
    if (swapped) c.Swapped += (c.Swapped.empty() ? "" : " AND ") + SlotName(other);
  }
  SoundPlay(g, Sfx::kettei);
  if (b != before) {
    g.prefs.ControlsChanged = true;
    g.prefs.SavePending = true;
  }
}

// ---- drawing ------------------------------------------------------------------

namespace {

struct Pen {
  const Game& g;
  Surface& target;

  void Text(FontStyle style, int x, int y, std::string_view text) const {
    DrawText(g.display.Sheet(Bmp::fontmoji), g.display.font, target, style, x, y, Upper(text));
  }
  int Width(FontStyle style, std::string_view text) const { return TextWidth(g.display.font, style, Upper(text)); }
  void Centred(FontStyle style, int l, int r, int y, std::string_view text) const {
    Text(style, l + (r - l - Width(style, text)) / 2, y, text);
  }
  void Fill(int l, int t, int r, int b, uint16_t colour) const {
    for (int y = std::max(t, 0); y < std::min(b, target.h); ++y)
      for (int x = std::max(l, 0); x < std::min(r, target.w); ++x) target.At(x, y) = colour;
  }
};

// A see-through panel: three pixels of four dark, so the picture stays in
// sight behind the words, with a gold frame.
void Panel(const Pen& pen) {
  Surface& t = pen.target;
  for (int y = kPanelT; y < kPanelB; ++y)
    for (int x = kPanelL; x < kPanelR; ++x)
      if ((x & 1) || (y & 1)) t.At(x, y) = kShade;
  pen.Fill(kPanelL, kPanelT, kPanelR, kPanelT + 2, kTrim);
  pen.Fill(kPanelL, kPanelB - 2, kPanelR, kPanelB, kTrimDark);
  pen.Fill(kPanelL, kPanelT, kPanelL + 2, kPanelB, kTrim);
  pen.Fill(kPanelR - 2, kPanelT, kPanelR, kPanelB, kTrimDark);
}

}  // namespace

void ControlsCardDraw(const Game& g, Surface& target) {
  if (target.w < kPanelR || target.h < kPanelB) return;
  const Pen pen{g, target};
  const ControlsCardState& c = g.card;
  const Bindings& b = g.prefs.Controls;
  Panel(pen);
  pen.Centred(FontStyle::Heading, kPanelL, kPanelR, kPanelT + 6, "CONTROLS");

  // Heads of the columns: each hero's key and pad (the first pad plays Tavo).
  const FontStyle n = FontStyle::Normal, sel = FontStyle::Selected;
  pen.Centred(n, kColumnX[0], kColumnX[1] + kColumnW, 56, "KURARA");
  pen.Centred(n, kColumnX[2], kColumnX[3] + kColumnW, 56, "TAVO");
  const char* heads[] = {"KEY", "PAD 2", "KEY", "PAD 1"};
  for (int i = 0; i < 4; ++i) pen.Centred(n, kColumnX[i], kColumnX[i] + kColumnW, 76, heads[i]);
  pen.Fill(kLabelX, 98, kPanelR - 14, 99, kRule);

  const BindingSlot cursor = ControlsCardSlot(c);
  const auto cell = [&](bool on, int column, int y, std::string_view text) {
    pen.Centred(on ? sel : n, kColumnX[column], kColumnX[column] + kColumnW, y,
                on && c.Waiting ? std::string_view("?") : text);
  };
  for (int a = 0; a < kHeroActions; ++a) {
    const int y = kHeroRowsY + a * kRowH;
    const bool row = c.Row == a;
    pen.Text(row ? sel : n, kLabelX, y, HeroActionLabel(static_cast<HeroAction>(a)));
    for (int set = 0; set < kHeroSets; ++set) {
      const bool on = row && cursor.set == static_cast<HeroSet>(set);
      cell(on, set * 2, y, PhysKeyLabel(b.heroKeys[static_cast<size_t>(set)][static_cast<size_t>(a)]));
      cell(on, set * 2 + 1, y, PadButtonLabel(b.heroPad[static_cast<size_t>(set)][static_cast<size_t>(a)]));
    }
  }

  pen.Fill(kLabelX, kSharedRowsY - 24, kPanelR - 14, kSharedRowsY - 23, kRule);
  pen.Text(n, kLabelX, kSharedRowsY - 20, "BOTH HEROES");
  pen.Centred(n, kColumnX[0], kColumnX[0] + kColumnW, kSharedRowsY - 20, "KEY");
  pen.Centred(n, kColumnX[1], kColumnX[1] + kColumnW, kSharedRowsY - 20, "BOTH PADS");
  for (int a = 0; a < kSharedActions; ++a) {
    const int y = kSharedRowsY + a * kRowH;
    const bool on = c.Row == card::kHeroRows + a;
    pen.Text(on ? sel : n, kLabelX, y, SharedActionLabel(static_cast<SharedAction>(a)));
    cell(on, 0, y, PhysKeyLabel(b.sharedKeys[static_cast<size_t>(a)]));
    cell(on, 1, y, PadButtonLabel(b.sharedPad[static_cast<size_t>(a)]));
  }
  pen.Fill(kLabelX, 392, kPanelR - 14, 393, kRule);

  // What to do now, with the keys as they are bound.
  const auto key = [&](HeroAction a) { return std::string(PhysKeyLabel(b.heroKeys[1][static_cast<size_t>(a)])); };
  if (c.Waiting) {
    pen.Centred(sel, kPanelL, kPanelR, 400, "PRESS THE NEW KEY OR PAD BUTTON FOR");
    pen.Centred(sel, kPanelL, kPanelR, 420, SlotName(cursor));
    pen.Centred(n, kPanelL, kPanelR, 442, "ESC CANCELS");
    return;
  }
  if (!c.Notice.empty()) {
    // Whose key it was, when that fits on the line.
    std::string notice = c.Notice;
    if (!c.Swapped.empty()) {
      const std::string full = notice + "  (SWAPPED WITH " + c.Swapped + ")";
      notice = pen.Width(sel, full) <= kPanelR - kPanelL - 16 ? full : notice + "  (SWAPPED)";
    }
    pen.Centred(sel, kPanelL, kPanelR, 400, notice);
  }
  const std::string keys = key(HeroAction::Up) + " " + key(HeroAction::Down) + " " + key(HeroAction::WalkLeft) +
                           " " + key(HeroAction::WalkRight) + ": CHOOSE    " +
                           std::string(PhysKeyLabel(b.sharedKeys[0])) + ": CHANGE    F1: CLOSE";
  pen.Centred(n, kPanelL, kPanelR, 422, keys);
  std::string pad = "PAD  D-PAD: CHOOSE    A: CHANGE";
  if (b.sharedPad[1] != PadButton::None) pad += "    " + std::string(PadButtonLabel(b.sharedPad[1])) + ": CLOSE";
  pen.Centred(n, kPanelL, kPanelR, 442, pad);
}

}  // namespace kt
