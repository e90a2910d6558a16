// Every lettered picture: the title logo, the game-over banner, the ending
// captions, the main menu and options lettering, the pause menu and the staff
// pages; the HUD's pictures are in art_lettering_hud.cpp.
#include <cmath>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "gen/art_lettering_looks.hpp"
#include "gen/art_parts.hpp"
#include "gen/font.hpp"
#include "hud/label.hpp"

namespace gen {

namespace {

using namespace letters;

constexpr Colour kPanelDark{34, 28, 68};
constexpr Colour kPanelMid{54, 46, 104};
constexpr Colour kPanelLight{82, 72, 148};
constexpr Colour kTrimLight{255, 226, 120};
constexpr Colour kTrim{232, 176, 64};
constexpr Colour kTrimDark{174, 112, 38};
constexpr Colour kTavoBlue{74, 150, 236};
constexpr Colour kKuraraPink{236, 96, 164};
constexpr Colour kCream{255, 248, 226};

using Spot = std::tuple<int, int, int>;  // x, y and size of a twinkle

// Puts a picture centred in the box (l, t, r, b), which must hold it with a
// transparent pixel to spare on every side: a picture cut by its box would
// show a hard edge in the game.
void Centre(Canvas& c, const Canvas& pic, int l, int t, int r, int b, std::string_view what) {
  if (pic.w > r - l - 2 || pic.h > b - t - 2)
    throw std::runtime_error("lettering too big for its picture: " + std::string(what));
  OverlayCentred(c, pic, l, t, r, b);
}

// One lettered item on a sheet: cleared, then its text centred.
void Item(Canvas& c, int l, int t, int r, int b, std::string_view text, const LetterShape& shape,
          const LetterLook& look) {
  c.Fill(l, t, r, b, kClear);
  Centre(c, Lettering(text, shape, look), l, t, r, b, text);
}


// Letters that rise towards the middle of the word.
std::vector<int> Arch(size_t n, int height) {
  std::vector<int> d(n);
  for (size_t i = 0; i < n; ++i) {
    const double u = n > 1 ? static_cast<double>(i) / static_cast<double>(n - 1) * 2 - 1 : 0;
    d[i] = static_cast<int>(std::lround(-height * (1 - u * u)));
  }
  return d;
}

// A framed indigo card with a gold trim: the pause panel and the staff pages.
void Card(Canvas& c, int l, int t, int r, int b, int radius) {
  RoundRect(c, l, t, r, b, radius, kOutline.Px());
  RoundRect(c, l + 1, t + 1, r - 1, b - 1, radius - 1, kTrimDark.Px());
  RoundRect(c, l + 1, t + 1, r - 2, b - 2, radius - 1, kTrim.Px());
  RoundRect(c, l + 2, t + 2, r - 3, b - 3, radius - 2, kTrimLight.Px());
  RoundRect(c, l + 3, t + 3, r - 3, b - 3, radius - 3, kTrim.Px());
  RoundRect(c, l + 5, t + 5, r - 5, b - 5, radius - 5, kOutline.Px());
  RoundRect(c, l + 6, t + 6, r - 6, b - 6, radius - 6, kPanelMid.Px());
}

// ---- title logo -------------------------------------------------------------------

// A plate behind the whole of a picture: its opaque pixels grown by `grow`,
// filled dark, with an outline and a drop shadow, so the pieces read as one.
Canvas Backing(const Canvas& front, int grow, int shadow) {
  Canvas plate(front.w, front.h);
  const int lim = grow * grow + 1;
  for (int y = 0; y < front.h; ++y)
    for (int x = 0; x < front.w; ++x) {
      if (!front.Get(x, y)) continue;
      for (int dy = -grow; dy <= grow; ++dy)
        for (int dx = -grow; dx <= grow; ++dx)
          if (dx * dx + dy * dy <= lim) plate.Set(x + dx, y + dy, 1);
    }
  Canvas out(front.w, front.h);
  for (int y = 0; y < front.h; ++y)
    for (int x = 0; x < front.w; ++x) {
      if (plate.Get(x, y)) {
        const bool edgeLit = !plate.Get(x - 1, y - 1) || !plate.Get(x - 2, y - 2);
        out.Set(x, y, (edgeLit ? kPanelLight : y < front.h / 2 ? kPanelMid : Colour{44, 36, 88}).Px());
      } else if (plate.Get(x - shadow, y - shadow) && shadow > 0) {
        out.Set(x, y, Rgb(24, 18, 44));
      }
    }
  Outline(out, 0, 0, out.w, out.h);
  return out;
}

Canvas TitleLogo() {
  Canvas front(640, 190);
  const std::string first = "KURARA", second = "TAVO";
  const auto drops1 = Arch(first.size(), 6), drops2 = Arch(second.size(), 5);
  const Canvas kurara = Lettering(first, kLogo, Sticker(Pink(), 3, 3, 4), drops1);
  const Canvas tavo = Lettering(second, kLogo, Sticker(Sky(), 3, 3, 4), drops2);
  const Canvas amp = Lettering("&", kLogoAnd, Sticker(Gold(), 3, 2, 3));

  // The "&" sits in a star between the two names.
  const int sx = 334, sy = 128;
  Canvas star(640, 190);
  Star(star, sx, sy, 44, 24, 8, 0.2, Rgb(255, 250, 214));
  Star(star, sx, sy, 39, 20, 8, 0.2, Rgb(255, 196, 70));
  Outline(star, 0, 0, 640, 190);
  Overlay(front, star, 0, 0);
  Overlay(front, tavo, 640 - 14 - tavo.w, 190 - 12 - tavo.h);
  Overlay(front, kurara, 22, 10);
  Overlay(front, amp, sx - amp.w / 2, sy - amp.h / 2);

  Canvas logo = Backing(front, 5, 3);
  Overlay(logo, front, 0, 0);
  // Twinkles around the names.
  const std::initializer_list<Spot> twinkles{{412, 24, 6}, {444, 58, 3}, {616, 44, 5}, {30, 128, 5},
                                              {70, 150, 3},  {230, 150, 4}, {276, 176, 3}};
  for (const auto& [x, y, size] : twinkles) Twinkle(logo, x, y, size);
  return logo;
}

// ---- game-over banner -------------------------------------------------------------
// A wooden sign let down on two ropes.
Canvas GameOverBanner() {
  Canvas b(640, 132);
  for (int rx : {132, 508}) {
    // Each rope hangs from an iron ring.
    FillEllipse(b, rx + 0.5, 7, 6, 6, kOutline.Px());
    FillEllipse(b, rx + 0.5, 7, 4.6, 4.6, Rgb(170, 170, 196));
    FillEllipse(b, rx, 6.5, 2.4, 2.4, Rgb(230, 230, 246));
    FillEllipse(b, rx + 0.5, 7, 2.4, 2.4, kClear);
    for (int y = 12; y < 34; ++y) {
      // Two twisted strands.
      const int phase = y % 6;
      b.Set(rx - 3, y, kOutline.Px());
      for (int k = 0; k < 5; ++k) {
        const bool light = (k + phase) % 6 < 3;
        b.Set(rx - 2 + k, y, light ? Rgb(240, 218, 156) : Rgb(190, 150, 88));
      }
      b.Set(rx + 3, y, kOutline.Px());
    }
  }
  // Board: planks lit from the top, nails by the ropes.
  RoundRect(b, 52, 22, 588, 130, 10, kOutline.Px());
  RoundRect(b, 53, 23, 587, 129, 9, Rgb(150, 92, 48));
  RoundRect(b, 53, 23, 586, 128, 9, Rgb(214, 150, 86));
  RoundRect(b, 55, 25, 586, 128, 8, Rgb(186, 120, 64));
  for (int y : {49, 76, 103}) {
    b.Fill(56, y, 585, y + 1, Rgb(120, 70, 36));
    b.Fill(56, y + 1, 585, y + 2, Rgb(214, 150, 86));
  }
  for (int k = 0; k < 12; ++k) {  // wood grain
    const int gx = 70 + (k * 137) % 500, gy = 30 + (k * 53) % 95;
    b.Fill(gx, gy, gx + 18 + (k % 3) * 6, gy + 1, Rgb(160, 100, 52));
  }
  for (int nx : {133, 509}) {
    FillEllipse(b, nx + 0.5, 32, 4, 4, kOutline.Px());
    ShadedEllipse(b, nx + 0.5, 32, 3, 3, MakeRamp({200, 200, 214}));
  }
  const Canvas words = Lettering("GAME OVER", kBanner, Sticker(Red(), 3, 2, 3));
  Centre(b, words, 52, 28, 588, 130, "GAME OVER");
  return b;
}

// ---- ending captions ----------------------------------------------------------------
// One message in three looks: leaning into its slide with speed lines behind,
// bouncing back as it arrives, and settled with twinkles.
Canvas Caption(int look) {
  Canvas c(598, 80);
  const LetterLook dress = Sticker(Gold(), 2, 2, 3);
  InkMask ink = Letters("STAGE CLEAR!", kCaption);
  if (look == 0) ink = Shear(ink, 0.26);
  if (look == 1) ink = Shear(ink, -0.1);
  const Canvas words = Dress(ink, dress);
  const int y = (80 - words.h) / 2;
  int x = (598 - words.w) / 2;
  if (look == 0) {
    x = 12;
    // Speed lines trailing to the right.
    for (int k = 0; k < 6; ++k) {
      const int ly = y + 8 + k * 10, l = x + words.w + 4 + (k * 23) % 30, r = 590 - (k * 37) % 60;
      c.Fill(l - 1, ly - 1, r + 1, ly + 3, kOutline.Px());
      c.Fill(l, ly, r, ly + 2, k % 2 ? Rgb(255, 226, 120) : Rgb(255, 252, 230));
    }
  }
  if (look == 1) {
    x = 40;
    // Bump marks at the left edge, where it hit and bounced.
    for (int k = -1; k <= 1; ++k) {
      const double a = 3.14159 + 0.6 * k, cx = x + 2, cy = 40;
      const double x0 = cx + 9 * std::cos(a), y0 = cy + 20 * std::sin(a);
      const double x1 = cx + 22 * std::cos(a), y1 = cy + 30 * std::sin(a);
      ThickLine(c, x0, y0, x1, y1, 5.5, kOutline.Px());
      ThickLine(c, x0, y0, x1, y1, 3, Rgb(255, 252, 230));
    }
  }
  Overlay(c, words, x, y);
  if (look == 2) {
    const std::initializer_list<Spot> twinkles{
        {x - 14, 18, 5}, {x + words.w + 10, 58, 5}, {x + 60, 5, 3}, {x + words.w - 40, 74, 3}};
    for (const auto& [sx, sy, size] : twinkles) Twinkle(c, sx, sy, size);
  }
  return c;
}

// ---- main menu and options lettering -----------------------------------------------

// The small glyphs online play writes its messages with, one to a cell.
void OnlineGlyphs(Canvas& m) {
  m.Fill(415, 140, 640, 162, kClear);
  for (size_t i = 0; i < kt::kLabelGlyphs.size(); ++i) {
    const kt::Rect cell = kt::GlyphCell(static_cast<int32_t>(i));
    DrawText(m, cell.Left, cell.Top, std::string(1, kt::kLabelGlyphs[i]), 0xFFFF);
  }
}

void MenuLettering(Canvas& m) {
  const LetterLook dim = Dim(), lit = Selected();
  struct Pair {
    int l, t, r, b;  // normal form; the selected form is `shift` columns right
    int shift;
    const char* text;
  };
  for (const Pair& p : {Pair{0, 100, 100, 138, 100, "1 PLAYER"}, Pair{200, 100, 300, 138, 100, "2 PLAYERS"},
                        Pair{400, 100, 520, 140, 120, "OPTIONS"}, Pair{0, 140, 80, 180, 80, "QUIT"}}) {
    Item(m, p.l, p.t, p.r, p.b, p.text, kMenuItem, dim);
    Item(m, p.l + p.shift, p.t, p.r + p.shift, p.b, p.text, kMenuItem, lit);
  }
  {
    // The title's prompt: Enter to play, and smaller beside it F1 for the
    // controls, both standing on one line.
    const Canvas enter = Lettering("PRESS ENTER", kPromptEnter, Sticker(Gold(), 1, 1, 2));
    const Canvas f1 = Lettering("F1 CONTROLS", kPromptF1, Ice());
    constexpr int kGap = 6;
    Canvas prompt(enter.w + kGap + f1.w, std::max(enter.h, f1.h));
    Overlay(prompt, enter, 0, prompt.h - enter.h);
    Overlay(prompt, f1, enter.w + kGap, prompt.h - f1.h - 1);
    m.Fill(160, 140, 415, 175, kClear);
    Centre(m, prompt, 160, 140, 415, 175, "PRESS ENTER F1 CONTROLS");
  }
  OnlineGlyphs(m);

  // Options screen.
  Item(m, 0, 0, 130, 40, "OPTIONS", kHeading, Sticker(Gold(), 2, 1, 2));
  const LetterLook label = Ice();
  Item(m, 130, 0, 270, 40, "ENEMIES", kLabel, label);
  {
    // The two gauge rows arm their attack for good: every pose reset refills
    // the gauge. The heading says so, and what it costs.
    m.Fill(270, 0, 468, 40, kClear);
    const Canvas a = Lettering("ALWAYS READY", kChoice, label), b = Lettering("BOSS GETS TOUGHER", kNote, Dim());
    if (a.h + b.h > 37) throw std::runtime_error("gauge heading too tall");
    Centre(m, a, 270, 0, 468, a.h + 2, "ALWAYS READY");
    Centre(m, b, 270, 39 - b.h - 1, 468, 40, "BOSS GETS TOUGHER");
  }
  Item(m, 470, 0, 530, 40, "LIVES", kLabel, label);
  Item(m, 390, 70, 490, 98, "SPIN", kLabel, label);
  Item(m, 390, 40, 490, 70, "BURST", kLabel, label);

  struct Choice {
    int l, r;
    const char* text;
  };
  for (const Choice& c : {Choice{80, 140, "FEW"}, Choice{0, 80, "NORMAL"}, Choice{140, 250, "MANY"},
                          Choice{310, 340, "ON"}, Choice{340, 390, "OFF"}, Choice{250, 310, "EXIT"},
                          Choice{490, 510, "1"}, Choice{510, 530, "2"}, Choice{530, 550, "3"}, Choice{550, 570, "4"},
                          Choice{570, 590, "5"}}) {
    Item(m, c.l, 40, c.r, 70, c.text, kChoice, dim);
    Item(m, c.l, 70, c.r, 100, c.text, kChoice, lit);
  }
}

// ---- pause menu ---------------------------------------------------------------------
// The panel's middle is a fine checker of dark pixels and holes, so the frozen
// game shows through it, dimmed.
void PauseMenu(Canvas& g) {
  g.Fill(0, 0, 400, 300, kClear);
  Canvas panel(400, 300);
  Card(panel, 1, 1, 399, 299, 16);
  RoundRect(panel, 7, 7, 393, 293, 10, kPanelDark.Px());
  for (int y = 46; y < 286; ++y)
    for (int x = 12; x < 388; ++x)
      if ((x + y) % 2) panel.Set(x, y, kClear);
  // Header band with the title.
  panel.Fill(7, 44, 393, 45, kOutline.Px());
  panel.Fill(7, 45, 393, 46, kTrimDark.Px());
  for (int y = 7; y < 44; ++y)
    panel.Fill(7 + (y < 12 ? 12 - y : 0), y, 393 - (y < 12 ? 12 - y : 0), y + 1,
               (y < 20 ? kPanelLight : kPanelMid).Px());
  LetterLook title = Sticker(Gold(), 2, 1, 2);
  Centre(panel, Lettering("PAUSE", kPauseTitle, title), 100, 6, 300, 45, "PAUSE");
  for (int sx : {60, 340}) Twinkle(panel, sx, 25, 5);
  // A solid slot behind each item (where the items are drawn), so their
  // letters never sit on the busy picture behind.
  for (const auto& [l, t, r, b] : {std::tuple{100, 45, 285, 82}, std::tuple{60, 130, 342, 167},
                                   std::tuple{90, 210, 305, 247}}) {
    RoundRect(panel, l + 2, t + 2, r - 2, b - 1, 10, kOutline.Px());
    RoundRect(panel, l + 3, t + 3, r - 3, b - 2, 9, kTrimDark.Px());
    RoundRect(panel, l + 3, t + 3, r - 4, b - 3, 9, kPanelLight.Px());
    RoundRect(panel, l + 4, t + 4, r - 4, b - 3, 8, kPanelDark.Px());
  }
  g.Paste(panel, 0, 0, 400, 300, 0, 0);

  const LetterLook dim = Dim(), lit = Selected();
  Item(g, 0, 370, 185, 407, "CONTINUE", kPauseItem, dim);
  Item(g, 0, 407, 185, 442, "CONTINUE", kPauseItem, lit);
  Item(g, 0, 300, 282, 333, "RESTART STAGE", kPauseItem, dim);
  Item(g, 0, 333, 282, 368, "RESTART STAGE", kPauseItem, lit);
  Item(g, 185, 370, 400, 407, "QUIT TO TITLE", kPauseItem, dim);
  Item(g, 185, 407, 400, 442, "QUIT TO TITLE", kPauseItem, lit);
}

// ---- staff roll -----------------------------------------------------------------------

constexpr std::string_view kTeam = "THE KURARA & TAVO TEAM";

// A line in the pixel font, bold, in cream with an outline.
Canvas Small(std::string_view text) {
  const int w = TextWidth(text, 2) + 1, h = TextHeight(2);
  Canvas c(w + 4, h + 4);
  DrawText(c, 2, 2, text, kCream.Px(), 2);
  DrawText(c, 3, 2, text, kCream.Px(), 2);
  Outline(c, 0, 0, c.w, c.h);
  return c;
}

struct Credit {
  std::string_view role, who;
};

void StaffPage(Canvas& s, int top, std::string_view heading, std::span<const Credit> credits) {
  Card(s, 1, top + 1, 379, top + 199, 14);
  // Hero-coloured corner gems.
  for (const auto& [x, y, tint] : {std::tuple{18.0, 18.0, kTavoBlue}, std::tuple{361.0, 18.0, kKuraraPink},
                                   std::tuple{18.0, 181.0, kKuraraPink}, std::tuple{361.0, 181.0, kTavoBlue}}) {
    FillEllipse(s, x, top + y, 5, 5, kOutline.Px());
    ShadedEllipse(s, x, top + y, 4, 4, MakeRamp(tint));
  }
  int y = top + 14;
  if (!heading.empty()) {
    const Canvas h = Lettering(heading, kStaffBig, Sticker(Gold(), 2, 1, 2));
    Centre(s, h, 0, y, 380, y + h.h + 2, heading);
    y += h.h + 8;
  }
  // The credits share the room left, evenly spaced.
  std::vector<std::pair<Canvas, Canvas>> lines;
  int total = 0;
  for (const Credit& c : credits) {
    lines.emplace_back(Lettering(c.role, kStaffRole, Sky()), Small(c.who));
    total += lines.back().first.h + lines.back().second.h;
  }
  const int n = static_cast<int>(lines.size());
  const int gap = (top + 188 - y - total) / (n + 1);
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto& [role, who] = lines[i];
    y += gap;
    Centre(s, role, 10, y - 1, 370, y + role.h + 1, credits[i].role);
    y += role.h;
    Centre(s, who, 10, y - 1, 370, y + who.h + 1, credits[i].who);
    y += who.h;
  }
}

void FarewellPage(Canvas& s, int top) {
  Card(s, 1, top + 1, 379, top + 199, 14);
  const Canvas thanks = Lettering("THANK YOU", kStaffBig, Sticker(Pink(), 2, 1, 2), Arch(9, 3));
  const Canvas playing = Lettering("FOR PLAYING!", kStaffBig, Sticker(Sky(), 2, 1, 2), Arch(12, 3));
  Centre(s, thanks, 0, top + 16, 380, top + 18 + thanks.h, "THANK YOU");
  Centre(s, playing, 0, top + 74, 380, top + 76 + playing.h, "FOR PLAYING!");
  const Canvas team = Small(kTeam);
  Centre(s, team, 10, top + 150, 370, top + 152 + team.h, kTeam);
  const std::initializer_list<Spot> twinkles{{34, 40, 5}, {346, 58, 5}, {60, 140, 3}, {322, 142, 3}};
  for (const auto& [x, y, size] : twinkles) Twinkle(s, x, top + y, size);
}

void StaffRoll(Canvas& s) {
  s.Fill(0, 0, 380, 1000, kClear);
  const Credit p1[] = {{"GAME DESIGN", kTeam}};
  const Credit p2[] = {{"PROGRAMMING", kTeam}, {"LEVEL DESIGN", kTeam}};
  const Credit p3[] = {{"GRAPHICS", kTeam}, {"MUSIC AND SOUND", kTeam}};
  const Credit p4[] = {{"TESTING", kTeam}, {"SPECIAL THANKS", "EVERYONE WHO PLAYED"}};
  StaffPage(s, 0, "STAFF", p1);
  StaffPage(s, 200, "", p2);
  StaffPage(s, 400, "", p3);
  StaffPage(s, 600, "", p4);
  FarewellPage(s, 800);
}

}  // namespace

void PaintLettering(Sheets& sheets) {
  Canvas& h = sheets.at("haikei256");
  h.Fill(3840, 0, 4480, 190, kClear);
  h.Paste(TitleLogo(), 0, 0, 640, 190, 3840, 0);
  h.Fill(4480, 0, 5120, 132, kClear);
  h.Paste(GameOverBanner(), 0, 0, 640, 132, 4480, 0);
  for (int look = 0; look < 3; ++look) {
    const int top = 190 + 100 * look;
    h.Fill(3842, top, 4440, top + 80, kClear);
    h.Paste(Caption(look), 0, 0, 598, 80, 3842, top);
  }
  MenuLettering(sheets.at("optionmoji"));
  PauseMenu(sheets.at("GameOption"));
  StaffRoll(sheets.at("Staff"));
  PaintHudLettering(sheets);
}

}  // namespace gen
