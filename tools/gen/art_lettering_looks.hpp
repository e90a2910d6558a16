#pragma once
// The lettering's palette and letter sizes, shared by the painters of the
// lettered pictures and the HUD.
#include <array>

#include "gen/art_lettering_font.hpp"
#include "gen/gen.hpp"

namespace gen::letters {

// ---- fills ------------------------------------------------------------------

inline LetterLook Gold() {
  LetterLook k;
  k.bands = {{{255, 244, 170}, {255, 214, 80}, {250, 170, 40}, {228, 122, 30}}};
  k.light = {255, 255, 236};
  k.dark = {168, 78, 28};
  return k;
}
inline LetterLook Pink() {
  LetterLook k;
  k.bands = {{{255, 196, 228}, {255, 136, 192}, {236, 84, 158}, {192, 52, 128}}};
  k.light = {255, 238, 248};
  k.dark = {138, 30, 96};
  return k;
}
inline LetterLook Sky() {
  LetterLook k;
  k.bands = {{{176, 236, 255}, {104, 202, 255}, {62, 152, 242}, {42, 106, 212}}};
  k.light = {236, 250, 255};
  k.dark = {30, 70, 160};
  return k;
}
inline LetterLook Red() {
  LetterLook k;
  k.bands = {{{255, 146, 112}, {246, 84, 60}, {216, 46, 46}, {166, 26, 46}}};
  k.light = {255, 214, 172};
  k.dark = {108, 16, 36};
  return k;
}
inline LetterLook Green() {
  LetterLook k;
  k.bands = {{{204, 255, 142}, {132, 230, 72}, {82, 196, 52}, {46, 150, 42}}};
  k.light = {242, 255, 212};
  k.dark = {24, 98, 30};
  return k;
}
// Labels of the options screen and the staff roll: white to ice blue.
inline LetterLook Ice() {
  LetterLook k;
  k.bands = {{{255, 255, 255}, {222, 244, 255}, {176, 222, 250}, {134, 190, 240}}};
  k.light = {255, 255, 255};
  k.dark = {72, 112, 190};
  return k;
}
// A choice or menu item that is not selected: a quiet lavender grey.
inline LetterLook Dim() {
  LetterLook k;
  k.bands = {{{206, 208, 230}, {178, 182, 212}, {152, 154, 190}, {128, 128, 168}}};
  k.light = {232, 234, 250};
  k.dark = {92, 90, 130};
  k.shadowColour = {30, 24, 52};
  return k;
}
// The selected form: bright gold ringed by a warm glow. Its strokes keep a
// flat fill (a bevel would leave thin strokes all edge).
inline LetterLook Selected() {
  LetterLook k = Gold();
  k.bands = {{{255, 252, 214}, {255, 232, 112}, {255, 204, 64}, {250, 170, 40}}};
  k.bevel = 0;
  k.shade = false;
  k.rim = 1;
  k.rimColour = {255, 150, 36};
  k.glow = 1;
  k.glowColour = {150, 52, 24};
  k.shadow = 0;
  return k;
}
// Big titles: the fill inside a thick outline and a white sticker rim.
inline LetterLook Sticker(LetterLook k, int outline, int rim, int shadow) {
  k.outline = outline;
  k.rim = rim;
  k.rimColour = {255, 255, 250};
  k.shadow = shadow;
  k.bevel = outline >= 2 ? 2 : 1;
  return k;
}

// ---- letter sizes -------------------------------------------------------------

// Small sizes get a pixel of tracking and narrower spaces, so neighbouring
// letters keep apart inside their outlines.
inline constexpr LetterShape kMenuItem{.sx = 1.65, .sy = 3.4, .tracking = 1, .space = 2};  // main menu
inline constexpr LetterShape kChoice{.sx = 1.75, .sy = 2.8, .tracking = 1, .space = 2};    // options choices
inline constexpr LetterShape kLabel{.sx = 2.0, .sy = 3.2};                                // options labels
inline constexpr LetterShape kTwoLine{.sx = 2.3, .sy = 2.0, .tracking = 0.5, .space = 2};  // gauge heading
inline constexpr LetterShape kNote{.sx = 1.6, .sy = 1.6, .tracking = 0.5, .space = 2};     // its small print
inline constexpr LetterShape kHeading{.sx = 3.0, .sy = 4.0};                               // options heading
inline constexpr LetterShape kPauseTitle{.sx = 2.6, .sy = 3.4};
inline constexpr LetterShape kPauseItem{.sx = 2.8, .sy = 3.2, .tracking = 0.5, .space = 2};
inline constexpr LetterShape kPromptEnter{.sx = 1.9, .sy = 2.8, .tracking = 1.2, .space = 2};  // the title's prompt
inline constexpr LetterShape kPromptF1{.sx = 1.4, .sy = 1.9, .tracking = 1, .space = 2};       // and its F1 line
inline constexpr LetterShape kSheetText{.sx = 1.4, .sy = 1.7, .weight = 1.35};  // fontmoji: the card's words
inline constexpr LetterShape kSheetHeading{.sx = 2.6, .sy = 3.0};               // and its heading
inline constexpr LetterShape kStaffRole{.sx = 2.8, .sy = 3.4, .tracking = 0.5};
inline constexpr LetterShape kStaffBig{.sx = 4.4, .sy = 5.4};
inline constexpr LetterShape kLogo{.sx = 10.0, .sy = 11.0, .weight = 1.36};
inline constexpr LetterShape kLogoAnd{.sx = 7.0, .sy = 8.0, .weight = 1.36};
inline constexpr LetterShape kCaption{.sx = 7.0, .sy = 8.0, .weight = 1.34};
inline constexpr LetterShape kBanner{.sx = 9.0, .sy = 10.0, .weight = 1.36};
inline constexpr LetterShape kComboDigit{.sx = 5.2, .sy = 7.5, .weight = 1.34};
inline constexpr LetterShape kComboWord{.sx = 4.6, .sy = 6.0, .weight = 1.34};
inline constexpr LetterShape kLivesDigit{.sx = 2.3, .sy = 2.1};
inline constexpr LetterShape kEmblem{.sx = 2.2, .sy = 2.4};
inline constexpr LetterShape kExit{.sx = 3.0, .sy = 3.6};

// Every size the lettering uses, for checks that each letter stays legible.
inline constexpr std::array kAllShapes{kMenuItem, kChoice,    kLabel,     kTwoLine,    kNote,       kHeading,    kPauseTitle,
                                       kPauseItem, kPromptEnter, kPromptF1, kSheetText, kSheetHeading, kStaffRole, kStaffBig,   kLogo,       kLogoAnd,
                                       kCaption,  kBanner,    kComboDigit, kComboWord, kLivesDigit, kEmblem,
                                       kExit};

// ---- shapes ---------------------------------------------------------------------

// A filled rectangle (right and bottom exclusive) with rounded corners.
void RoundRect(Canvas& c, int l, int t, int r, int b, int radius, uint16_t colour);
// A star of `points` points between radii outer and inner, turned by `turn`
// radians from pointing straight up.
void Star(Canvas& c, double cx, double cy, double outer, double inner, int points, double turn, uint16_t colour);
// A four-pointed twinkle, size pixels from the centre.
void Sparkle(Canvas& c, int cx, int cy, int size, uint16_t colour);
// The same in near-white with the dark outline, to scatter over pictures.
void Twinkle(Canvas& c, int cx, int cy, int size);

// The HUD's pictures on geji256 (status panel, gauges, lives digits, hero
// marker, combo numerals and word, exit sign).
void PaintHudLettering(Sheets& sheets);

}  // namespace gen::letters
