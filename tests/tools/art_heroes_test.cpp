// The heroes' artwork, checked as the game shows it: the figures are put
// together by the game's own HeroDraw from the painted sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "gen/art_parts.hpp"
#include "gen/atlas_table.hpp"
#include "gen/draw.hpp"
#include "gen/gen.hpp"
#include "heroes/hero.hpp"
#include "heroes/kurara.hpp"
#include "heroes/pose_tables.hpp"
#include "heroes/tavo.hpp"
#include "loop/assets.hpp"
#include "loop/game.hpp"

namespace {

using gen::AtlasRect;
using gen::Canvas;

gen::Sheets PaintHeroesOnly() {
  gen::Sheets s;
  for (const auto& b : kt::kBitmapFiles) s.emplace(std::string(b.name), Canvas(b.width, b.height));
  gen::PaintHeroArt(s);
  return s;
}

const gen::Sheets& Painted() {
  static const gen::Sheets sheets = PaintHeroesOnly();
  return sheets;
}
const Canvas& Chars() { return Painted().at("char256"); }

bool StartsWith(const std::string& s, std::string_view p) { return s.rfind(p, 0) == 0; }

// The pictures the hero painter owns.
std::vector<AtlasRect> HeroPictures() {
  std::vector<AtlasRect> out;
  for (const AtlasRect& r : gen::AtlasRects()) {
    if (!r.Owns() || (r.sheet != "char256" && r.sheet != "geji256")) continue;
    if (StartsWith(r.label, "kurara") || StartsWith(r.label, "tavo") || StartsWith(r.label, "hurt effect") ||
        StartsWith(r.label, "burst spark"))
      out.push_back(r);
  }
  return out;
}

// ---- Putting figures together with the game's drawing -------------------------

constexpr int32_t kX = 200, kY = 150;  // the hero's box in the test world
constexpr int32_t kOff = -5000;        // a place from which a piece's blit is refused

// A game holding the painted character sheet and a small empty world.
struct Stage {
  std::unique_ptr<kt::Game> game = kt::NewGame();

  Stage() {
    const Canvas& c = Chars();
    kt::Surface& sheet = game->display.sheets[static_cast<size_t>(kt::Bmp::char256)];
    sheet = kt::Surface(c.w, c.h);
    sheet.px = c.px;
  }
  const kt::Surface& World() { return game->display.World(); }
};

// The stage, emptied, with the looks swapped (F6) or not.
Stage& Clean(bool costumeToggle) {
  static Stage stage;
  stage.game->display.World() = kt::Surface(520, 400);
  stage.game->CostumeToggle = costumeToggle ? 1 : 0;
  return stage;
}

struct Who {
  const kt::HeroTraits* traits;
  const char* name;
};
const Who kHeroes[] = {{&kt::kKuraraTraits, "kurara"}, {&kt::kTavoTraits, "tavo"}};

// The standing pose of the game's pose reset, at (kX, kY).
kt::Hero Standing(const kt::HeroTraits& t, int32_t facing) {
  kt::Hero h;
  kt::HeroInit(h, t);
  h.X = kX;
  h.Y = kY;
  h.Facing = facing;
  h.HandAX = kX + 62, h.HandAY = kY + 57, h.HandBX = kX + 5, h.HandBY = kY + 57;
  h.FootAX = kX + 51, h.FootAY = kY + 86, h.FootBX = kX + 4, h.FootBY = kY + 86;
  h.BodyX = kX + 7, h.BodyY = kY + 2, h.HipX = kX + 34, h.HipY = kY + 63;
  return h;
}

// Crouching with the down key held.
kt::Hero Crouching(const kt::HeroTraits& t, int32_t facing) {
  kt::Hero h = Standing(t, facing);
  h.Row = 120;
  h.BodyY = kY + 32;
  h.HandAX = kX + 63, h.HandBX = kX + 8, h.HandAY = h.HandBY = kY + 64, h.HipY = kY + 84;
  return h;
}

void NoFeet(kt::Hero& h) { h.FootAY = h.FootBY = kOff; }

struct Blob {
  int pixels = 0, parts = 0;  // opaque pixels; 4-connected parts among them
  int top = 1 << 20, bottom = -1;
};

Blob Measure(const kt::Surface& s) {
  Blob b;
  std::vector<uint8_t> seen(s.px.size(), 0);
  std::vector<int> todo;
  for (int y = 0; y < s.h; ++y)
    for (int x = 0; x < s.w; ++x) {
      if (!s.At(x, y)) continue;
      ++b.pixels;
      b.top = std::min(b.top, y);
      b.bottom = std::max(b.bottom, y);
      const size_t i = static_cast<size_t>(y) * s.w + x;
      if (seen[i]) continue;
      ++b.parts;
      seen[i] = 1;
      todo.push_back(static_cast<int>(i));
      while (!todo.empty()) {
        const int j = todo.back();
        todo.pop_back();
        const int jx = j % s.w, jy = j / s.w;
        const int nx[] = {jx - 1, jx + 1, jx, jx};
        const int ny[] = {jy, jy, jy - 1, jy + 1};
        for (int k = 0; k < 4; ++k) {
          if (nx[k] < 0 || ny[k] < 0 || nx[k] >= s.w || ny[k] >= s.h) continue;
          const size_t n = static_cast<size_t>(ny[k]) * s.w + nx[k];
          if (s.px[n] && !seen[n]) {
            seen[n] = 1;
            todo.push_back(static_cast<int>(n));
          }
        }
      }
    }
  return b;
}

std::string Case(const Who& who, bool toggle, int32_t facing) {
  return std::string(who.name) + (toggle ? " in the other look" : "") + ", facing " + std::to_string(facing);
}

// ---- The sheet ------------------------------------------------------------------

TEST(HeroArt, EveryPictureHoldsSomethingAndNothingSpillsOutOfThePictures) {
  for (const std::string_view name : {"char256", "geji256"}) {
    const Canvas& c = Painted().at(std::string(name));
    Canvas owned(c.w, c.h);
    for (const AtlasRect& r : HeroPictures()) {
      if (r.sheet != name) continue;
      owned.Fill(r.left, r.top, r.right, r.bottom, 1);
      int opaque = 0;
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) opaque += c.Get(x, y) != 0;
      EXPECT_GT(opaque, r.Width() * r.Height() / 40) << r.label << " is (nearly) empty";
    }
    int strays = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) strays += c.Get(x, y) != 0 && owned.Get(x, y) == 0;
    EXPECT_EQ(strays, 0) << "pixels painted outside the heroes' pictures on " << name;
  }
}

TEST(HeroArt, KnockedBackReadsFindTheFacingRightCellsLastColumnsClear) {
  int checked = 0;
  for (const AtlasRect& r : gen::AtlasRects()) {
    if (r.sheet != "char256" || r.paint != gen::Paint::kBlack || r.label.find(" look ") == std::string::npos)
      continue;
    ++checked;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) ASSERT_EQ(Chars().Get(x, y), 0) << r.label << " at " << x << ", " << y;
  }
  EXPECT_GE(checked, 12);
}

// A facing-left cell is its facing-right twin turned about the figure's middle
// line, and that line is the one the hands and feet are centred on, so a hero
// who turns around stays where he is.
TEST(HeroArt, FacingLeftCellsMirrorTheFacingRightOnesAboutTheFigure) {
  const Canvas& c = Chars();
  struct Look {
    int left, drawnAt;  // the cell's left edge; its column 0 lands on X + drawnAt standing
    std::vector<int> rows;
  };
  const Look looks[] = {{1240, 5, {0, 60, 120, 180, 300, 360}}, {920, 7, {0, 60, 120, 180, 300, 360, 420, 480}}};
  // The resting hands' middle: the glove's own middle in its cell, between X + 5 and X + 62.
  int gl = 80, gr = -1;
  for (int y = 100; y < 145; ++y)
    for (int x = 1400; x < 1480; ++x)
      if (c.Get(x, y)) gl = std::min(gl, x - 1400), gr = std::max(gr, x - 1400);
  const double handsMiddle = (5 + 62 + gl + gr) / 2.0;
  for (const Look& look : looks)
    for (int row : look.rows) {
      int rl = 80, rr = -1, ll = 80, lr = -1;
      for (int y = row; y < row + 60; ++y)
        for (int x = 0; x < 80; ++x) {
          if (c.Get(look.left + x, y)) rl = std::min(rl, x), rr = std::max(rr, x);
          if (c.Get(look.left + 80 + x, y)) ll = std::min(ll, x), lr = std::max(lr, x);
        }
      ASSERT_GE(rr, 0) << look.left << " row " << row;
      const int twice = rl + lr;  // column x of one cell faces column twice - x of the other
      EXPECT_EQ(rr + ll, twice) << look.left << " row " << row << ": the silhouettes differ";
      for (int y = row; y < row + 60; ++y)
        for (int x = 0; x < 80; ++x) {
          const int m = twice - x;
          const uint16_t mirrored = m >= 0 && m < 80 ? c.Get(look.left + m, y) : 0;
          ASSERT_EQ(c.Get(look.left + 80 + x, y), mirrored) << look.left << " row " << row << " column " << x;
        }
      EXPECT_NEAR(twice / 2.0 + look.drawnAt, handsMiddle, 1.0)
          << look.left << " row " << row << ": the figure moves when the hero turns";
    }
}

// ---- Assembled figures ------------------------------------------------------

// Standing, the body, both hands and the lower body are one shape; the shoes
// stand on the ground right under it.
TEST(HeroArt, StandingFigureHoldsTogetherWithBothLooks) {
  for (const Who& who : kHeroes)
    for (bool toggle : {false, true})
      for (int32_t facing : {0, 78, 80}) {
        Stage& s = Clean(toggle);
        kt::Hero h = Standing(*who.traits, facing);
        NoFeet(h);
        kt::HeroDraw(*s.game, h, *who.traits);
        const Blob upper = Measure(s.World());
        EXPECT_EQ(upper.parts, 1) << Case(who, toggle, facing);
        EXPECT_LE(upper.top, kY + 12) << Case(who, toggle, facing) << ": the head is missing";

        Stage& whole = Clean(toggle);
        const kt::Hero full = Standing(*who.traits, facing);
        kt::HeroDraw(*whole.game, full, *who.traits);
        const Blob all = Measure(whole.World());
        EXPECT_EQ(all.bottom, kY + 99) << Case(who, toggle, facing) << ": the shoes do not stand on the ground";
        EXPECT_EQ(all.parts, 3) << Case(who, toggle, facing) << ": the two shoes are not apart from the rest";
        // The shoes come right under the lower body: at most 8 empty rows.
        int gapRows = 0;
        for (int y = upper.bottom + 1; y < kY + 86; ++y) {
          bool any = false;
          for (int x = kX; x < kX + 90; ++x) any = any || whole.World().At(x, y) != 0;
          gapRows += any ? 0 : 1;
        }
        EXPECT_LE(gapRows, 8) << Case(who, toggle, facing);
      }
}

// Crouching the figure squats onto its shoes without sinking into the floor,
// and still holds together.
TEST(HeroArt, CrouchesStayOnTheGroundAndHoldTogether) {
  using kt::pose::CrouchPose;
  for (const Who& who : kHeroes)
    for (bool toggle : {false, true})
      for (int32_t facing : {0, 80}) {
        Stage& s = Clean(toggle);
        kt::Hero h = Crouching(*who.traits, facing);
        kt::HeroDraw(*s.game, h, *who.traits);
        EXPECT_EQ(Measure(s.World()).bottom, kY + 99) << Case(who, toggle, facing);

        Stage& upper = Clean(toggle);
        NoFeet(h);
        kt::HeroDraw(*upper.game, h, *who.traits);
        EXPECT_EQ(Measure(upper.World()).parts, 1) << Case(who, toggle, facing);

        for (size_t row = 1; row < CrouchPose.size(); ++row) {
          const auto& p = CrouchPose[row];
          Stage& j = Clean(toggle);
          kt::Hero c = Standing(*who.traits, facing);
          c.Row = 60;
          c.HandAX = kX + p.HandAX, c.HandAY = kY + p.HandAY, c.HandBX = kX + p.HandBX, c.HandBY = kY + p.HandBY;
          c.FootAX = kX + p.FootAX, c.FootBX = kX + p.FootBX, c.BodyY = kY + p.BodyY, c.HipY = kY + p.HipY;
          kt::HeroDraw(*j.game, c, *who.traits);
          EXPECT_EQ(Measure(j.World()).bottom, kY + 99) << Case(who, toggle, facing) << ", jump crouch " << row;
        }
      }
}

// Overhead only the carried hero's body is drawn: the carrier's hands must
// hold it, with either look, standing or crouching.
TEST(HeroArt, CarrierHandsHoldTheCarriedBody) {
  for (int carrier = 0; carrier < 2; ++carrier)
    for (bool toggle : {false, true})
      for (bool crouching : {false, true}) {
        const Who& c = kHeroes[carrier];
        const Who& p = kHeroes[1 - carrier];
        Stage& s = Clean(toggle);
        kt::Hero carried = Standing(*p.traits, 0);
        carried.X = kX + 2;
        carried.Y = kY + (crouching ? -15 : -40);
        carried.BodyX = carried.X + 7, carried.BodyY = carried.Y + 2;
        carried.Carried = 1;
        const bool firstLook = p.traits->firstLook != toggle;
        carried.Row = firstLook ? 360 : 480;
        kt::Hero holder = Standing(*c.traits, 0);
        holder.BodyY = kOff;  // only the hands
        holder.HipY = kOff;
        NoFeet(holder);
        holder.HandAX = kX + c.traits->carryHandAX, holder.HandBX = kX + c.traits->carryHandBX;
        holder.HandAY = holder.HandBY = kY + (crouching ? 20 : -5);
        kt::HeroDraw(*s.game, carried, *p.traits);
        kt::HeroDraw(*s.game, holder, *c.traits);
        EXPECT_EQ(Measure(s.World()).parts, 1)
            << c.name << " carrying " << p.name << (toggle ? " (looks swapped)" : "") << (crouching ? ", crouching" : "");
      }
}

// ---- Style ------------------------------------------------------------------

uint16_t OutlineColour() { return gen::kOutline.Px(); }

// Every figure and piece wears the dark outline: each opaque pixel next to a
// transparent one (or on the picture's edge) is the outline colour.
TEST(HeroArt, EveryPictureWearsTheOutline) {
  for (const AtlasRect& r : HeroPictures()) {
    const Canvas& c = Painted().at(std::string(r.sheet));
    int bare = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const uint16_t px = c.Get(x, y);
        if (!px || px == OutlineColour()) continue;
        const auto clear = [&](int nx, int ny) { return !r.Contains(nx, ny) || c.Get(nx, ny) == 0; };
        bare += clear(x - 1, y) || clear(x + 1, y) || clear(x, y - 1) || clear(x, y + 1);
      }
    EXPECT_EQ(bare, 0) << r.label << " has edge pixels without the outline";
  }
}

// Colour 0 is transparent on every sheet: every painted pixel keeps a channel
// of at least 16 (of 255), so no converter can round it to the colour key.
TEST(HeroArt, NoColourComesNearTheColourKey) {
  for (const AtlasRect& r : HeroPictures()) {
    const Canvas& c = Painted().at(std::string(r.sheet));
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const uint16_t px = c.Get(x, y);
        if (!px) continue;
        const int red = (px >> 11) << 3, green = ((px >> 5) & 63) << 2, blue = (px & 31) << 3;
        ASSERT_GE(std::max({red, green, blue}), 16) << r.label << " at " << x << ", " << y;
      }
  }
}

struct Palette {
  std::map<uint16_t, int> counts;
  long red = 0, blue = 0, n = 0;

  void Add(const Canvas& c, int l, int t, int r, int b) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) {
        const uint16_t px = c.Get(x, y);
        if (!px || px == OutlineColour()) continue;
        ++counts[px];
        red += px >> 11;
        blue += px & 31;
        ++n;
      }
  }
  std::set<uint16_t> Colours() const {
    std::set<uint16_t> s;
    for (const auto& [colour, count] : counts) s.insert(colour);
    return s;
  }
};

size_t Shared(const std::set<uint16_t>& a, const std::set<uint16_t>& b) {
  size_t n = 0;
  for (uint16_t c : a) n += b.count(c);
  return n;
}

// Kurara's look is warm, Tavo's cool; the status panel's faces are painted
// from their own hero's colours. (The carried rows are left out: they hold the
// greys of the pieces both heroes wear.)
TEST(HeroArt, EachHeroHasHisOwnPaletteAndFaces) {
  const Canvas& c = Chars();
  Palette kuraraBody, tavoBody;
  for (int row : {0, 60, 120, 180, 300}) kuraraBody.Add(c, 1240, row, 1400, row + 60);
  for (int row : {0, 60, 120, 180, 420}) tavoBody.Add(c, 920, row, 1080, row + 60);
  EXPECT_GT(kuraraBody.red, kuraraBody.blue * 13 / 10);
  EXPECT_GT(tavoBody.blue, tavoBody.red * 13 / 10);
  const std::set<uint16_t> k = kuraraBody.Colours(), t = tavoBody.Colours();
  EXPECT_LT(Shared(k, t) * 4, std::min(k.size(), t.size())) << "the two looks share most of their colours";

  const Canvas& hud = Painted().at("geji256");
  struct FaceRect {
    int l, t, r, b;
    bool kurara;
  };
  for (const FaceRect& f : {FaceRect{200, 200, 250, 230, false}, FaceRect{200, 230, 250, 280, false},
                            FaceRect{250, 200, 305, 230, true}, FaceRect{250, 230, 305, 280, true}}) {
    Palette face;
    face.Add(hud, f.l, f.t, f.r, f.b);
    const std::set<uint16_t> colours = face.Colours();
    const size_t own = Shared(colours, f.kurara ? k : t), other = Shared(colours, f.kurara ? t : k);
    EXPECT_GT(own, 2 * other + 3) << "face at " << f.l << ", " << f.t;
  }
}

// F6 swaps the bodies only: the gloves, shoes and shorts stay with their hero
// under either look, so they must go with the red top and the teal hoodie
// alike. Greys and whites do; no pixel of theirs may lean towards a colour.
TEST(HeroArt, PiecesGoWithEitherLook) {
  const Canvas& c = Chars();
  for (const auto& [left, who] : {std::pair{1400, "kurara"}, std::pair{1080, "tavo"}}) {
    int worst = 0;
    for (int y = 0; y < 145; ++y)
      for (int x = left; x < left + 80; ++x) {
        const uint16_t px = c.Get(x, y);
        const int red = (px >> 11) << 3, green = ((px >> 5) & 63) << 2, blue = (px & 31) << 3;
        worst = std::max(worst, std::max({red, green, blue}) - std::min({red, green, blue}));
      }
    EXPECT_LE(worst, 40) << who << "'s hands, feet and lower body";
  }
  // The carried pictures hold the hero's limbs tucked under the body, and so
  // swap with it: they are painted in the same greys, so a hero carried in the
  // other look still wears the pieces he walks in.
  std::set<uint16_t> pieces;
  for (int y = 0; y < 145; ++y)
    for (int x = 1400; x < 1480; ++x) pieces.insert(c.Get(x, y));
  for (const auto& [left, top] : {std::pair{1240, 360}, std::pair{920, 480}}) {
    std::set<uint16_t> carried;
    for (int y = top + 30; y < top + 60; ++y)
      for (int x = left; x < left + 80; ++x) carried.insert(c.Get(x, y));
    EXPECT_GE(Shared(carried, pieces), 8u) << "carried picture at " << left << ", " << top;
  }
}

TEST(HeroArt, HurtEffectAnimatesAndPaintingRepeats) {
  const Canvas& c = Chars();
  for (int n = 0; n < 8; ++n) {
    const int next = (n + 1) % 8;
    int differ = 0;
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 50; ++x) differ += c.Get(1480 + x, 200 + 50 * n + y) != c.Get(1480 + x, 200 + 50 * next + y);
    EXPECT_GT(differ, 20) << "hurt effect frames " << n + 1 << " and " << next + 1 << " look the same";
  }
  const gen::Sheets again = PaintHeroesOnly();
  EXPECT_EQ(again.at("char256").px, Chars().px);
  EXPECT_EQ(again.at("geji256").px, Painted().at("geji256").px);
}

}  // namespace
