#include "gen/atlas_table.hpp"

#include <array>
#include <utility>
#include <vector>

namespace gen {

namespace {

std::string Num(int v) { return std::to_string(v); }

class Table {
 public:
  explicit Table(std::vector<AtlasRect>& out) : out_(out) {}

  void Sheet(std::string_view name) { sheet_ = name; }

  void Picture(std::string label, int l, int t, int r, int b) {
    Add(std::move(label), l, t, r, b, true, Paint::kPicture);
  }
  void Scenery(std::string label, int l, int t, int r, int b) {
    Add(std::move(label), l, t, r, b, true, Paint::kScenery);
  }
  void Shared(std::string label, int l, int t, int r, int b) {
    Add(std::move(label), l, t, r, b, true, Paint::kShared);
  }
  // Read only in corner cases, painted as a picture of its own.
  void RarePicture(std::string label, int l, int t, int r, int b) {
    Add(std::move(label), l, t, r, b, false, Paint::kPicture);
  }
  // Read only in corner cases, falls on other pictures.
  void RareShared(std::string label, int l, int t, int r, int b) {
    Add(std::move(label), l, t, r, b, false, Paint::kShared);
  }
  void Black(std::string label, int l, int t, int r, int b) { Add(std::move(label), l, t, r, b, false, Paint::kBlack); }

 private:
  void Add(std::string label, int l, int t, int r, int b, bool shown, Paint paint) {
    out_.push_back(AtlasRect{sheet_, std::move(label), l, t, r, b, shown, paint});
  }

  std::vector<AtlasRect>& out_;
  std::string_view sheet_;
};

// ---- haikei256: far strip, arena, floor strip, banner, beam, logo, captions ----
void Backdrops(Table& t) {
  t.Sheet("haikei256");

  // Far strip: a 1280-wide loop at x 2560..3840, cut at (CameraX / 3) mod 1280.
  t.Scenery("far strip", 2560, 0, 3840, 580);
  for (int f = 0; f < 1280; ++f) {
    if (f <= 640) {
      t.Shared("far strip window " + Num(f), f + 2560, 0, f + 3200, 580);
    } else {
      t.Shared("far strip window " + Num(f) + " right part", f + 2560, 0, 3840, 580);
      t.Shared("far strip window " + Num(f) + " wrapped part", 2560, 0, f + 1920, 580);
    }
  }

  // The arena behind the boss and in front of it, in four stages of change.
  static constexpr std::array<const char*, 4> kStage{"start", "change 1", "change 2", "fight"};
  for (int k = 0; k < 4; ++k)
    t.Scenery(std::string("arena backdrop ") + kStage[k], 640 * k, 250, 640 * k + 640, 630);
  for (int k = 0; k < 4; ++k) t.Picture(std::string("arena front ") + kStage[k], 640 * k, 0, 640 * k + 640, 250);

  // Floor strip: a 640-wide loop in front of everybody. Read whole (game over,
  // title, menu) or in two pieces that meet at FloorScrollX; the boss stage
  // reads the left piece one column shorter, which is the same family.
  t.Picture("floor strip", 0, 630, 640, 710);
  for (int f = 1; f < 640; ++f) t.Shared("floor strip from " + Num(f), f, 630, 640, 710);
  for (int f = 1; f < 640; ++f) t.Shared("floor strip to " + Num(f), 0, 630, f, 710);

  t.Picture("game over banner", 4480, 0, 5120, 132);

  // Beam: three looks by the boss's strength; it grows from its tip (row 629)
  // upwards in 9 heights of 50, 105, ... 490 rows.
  for (int look = 0; look < 3; ++look) {
    const int l = 4480 + 150 * look;
    t.Picture("beam look " + Num(look + 1), l, 140, l + 150, 630);
    for (int top = 580; top >= 140; top -= 55)
      t.Shared("beam look " + Num(look + 1) + " height " + Num(630 - top), l, top, l + 150, 630);
  }

  t.Picture("title logo", 3840, 0, 4480, 190);
  t.Picture("ending caption sliding in", 3842, 190, 4440, 270);
  t.Picture("ending caption arriving", 3842, 290, 4440, 370);
  t.Picture("ending caption settled", 3842, 390, 4440, 470);
}

// ---- tyukan: the near strip, the picture of the stage itself ----
void NearStrip(Table& t) {
  t.Sheet("tyukan");
  // Painted from the stage map; open cells stay transparent.
  t.Picture("near strip", 0, 0, 5120, 580);
  for (int n = 0; n < 5120; ++n) {
    if (n <= 4480) {
      t.Shared("near strip window " + Num(n), n, 0, n + 640, 580);
    } else {
      t.Shared("near strip window " + Num(n) + " right part", n, 0, 5120, 580);
      t.Shared("near strip window " + Num(n) + " wrapped part", 0, 0, n - 4480, 580);
    }
  }
}

// ---- geji256: status panel, gauges, faces, combo numerals, exit sign ----
void Hud(Table& t) {
  t.Sheet("geji256");
  t.Picture("status panel", 0, 70, 640, 127);
  t.Picture("tavo hit point", 200, 130, 240, 160);
  t.Picture("kurara hit point", 200, 160, 240, 190);
  t.Picture("tavo face", 200, 200, 250, 230);
  t.Picture("tavo face hurt", 200, 230, 250, 280);
  t.Picture("kurara face", 250, 200, 305, 230);
  t.Picture("kurara face hurt", 250, 230, 305, 280);
  for (int g = 1; g <= 5; ++g) t.Picture("hurt gauge " + Num(g), 100, 100 + 30 * g, 200, 130 + 30 * g);
  for (int g = 1; g <= 5; ++g) t.Picture("hit gauge " + Num(g), 0, 100 + 30 * g, 100, 130 + 30 * g);
  // The full hit gauge's bottom rows are the numerals' top rows.
  for (int n = 1; n <= 5; ++n) t.Picture("lives digit " + Num(n), 20 * n - 20, 278, 20 * n, 300);
  t.Black("hit gauge 5 and lives digits seam", 0, 278, 100, 280);
  t.Picture("hero marker", 640, 70, 695, 89);
  t.Picture("hero marker blink", 640, 89, 695, 110);
  // A tens digit of 10 would read x 700..770, outside the sheet: refused.
  for (int d = 0; d <= 9; ++d) t.Picture("combo digit " + Num(d), 70 * d, 0, 70 * d + 70, 70);
  t.Picture("combo word", 310, 200, 505, 270);
  t.Picture("exit sign", 310, 130, 375, 195);
  t.Picture("burst spark", 500, 130, 516, 146);
}

// ---- char256: heroes, gek, kurosuke, patatta, sikaky, boss ----
void HeroPieces(Table& t) {
  t.Picture("kurara lower body", 1400, 0, 1480, 50);
  t.Picture("kurara foot", 1400, 50, 1480, 95);
  t.Picture("kurara hand", 1400, 100, 1480, 145);
  t.Picture("kurara spin flash left", 1400, 150, 1458, 210);
  t.Picture("kurara spin flash right", 1400, 210, 1458, 265);
  t.Picture("tavo lower body", 1080, 0, 1160, 50);
  t.Picture("tavo foot", 1080, 50, 1160, 95);
  t.Picture("tavo hand", 1080, 100, 1160, 145);
  t.Picture("tavo spin flash left", 1080, 150, 1140, 210);
  t.Picture("tavo spin flash right", 1080, 210, 1140, 265);
  for (int e = 0; e < 8; ++e) t.Picture("hurt effect " + Num(e + 1), 1480, 200 + 50 * e, 1530, 250 + 50 * e);
}

// One look of the hero body: 80 x 60 cells facing right at `base`, facing left
// at base + 80, and the left-facing picture shifted by 2 (knocked from the
// left) at base + 78, which takes the right-facing cell's last two columns.
struct BodyRow {
  int row;
  const char* pose;
  bool rare;  // the other look's attack/carried row: read only when the look
              // is switched in the middle of an attack or a protected landing
};

void BodyLook(Table& t, const char* name, int base, std::span<const BodyRow> rows, bool rareFallsOnOthers) {
  for (const BodyRow& r : rows) {
    const std::string cell = std::string(name) + " " + r.pose;
    if (!r.rare) {
      t.Picture(cell + " right", base, r.row, base + 80, r.row + 60);
      t.Picture(cell + " left", base + 80, r.row, base + 160, r.row + 60);
      t.Shared(cell + " left shifted", base + 78, r.row, base + 158, r.row + 60);
      t.Black(cell + " right edge", base + 78, r.row, base + 80, r.row + 60);
    } else if (rareFallsOnOthers) {
      t.RareShared(cell + " right", base, r.row, base + 80, r.row + 60);
      t.RareShared(cell + " left", base + 80, r.row, base + 160, r.row + 60);
      t.RareShared(cell + " left shifted", base + 78, r.row, base + 158, r.row + 60);
    } else {
      t.RarePicture(cell + " right", base, r.row, base + 80, r.row + 60);
      t.RarePicture(cell + " left", base + 80, r.row, base + 160, r.row + 60);
      t.RareShared(cell + " left shifted", base + 78, r.row, base + 158, r.row + 60);
      t.Black(cell + " right edge", base + 78, r.row, base + 80, r.row + 60);
    }
  }
}

void HeroBodies(Table& t) {
  // Kurara's look; its rows 420 and 480 fall on the kurosuke pictures.
  static constexpr std::array<BodyRow, 8> kFirst{{{0, "stand", false},
                                                  {60, "look up", false},
                                                  {120, "crouch", false},
                                                  {180, "hurt", false},
                                                  {300, "attack", false},
                                                  {360, "carried", false},
                                                  {420, "other attack", true},
                                                  {480, "other carried", true}}};
  // Tavo's look; its rows 300 and 360 are free and hold copies of the attack
  // and carried poses.
  static constexpr std::array<BodyRow, 8> kSecond{{{0, "stand", false},
                                                   {60, "look up", false},
                                                   {120, "crouch", false},
                                                   {180, "hurt", false},
                                                   {420, "attack", false},
                                                   {480, "carried", false},
                                                   {300, "other attack", true},
                                                   {360, "other carried", true}}};
  BodyLook(t, "kurara look", 1240, kFirst, true);
  BodyLook(t, "tavo look", 920, kSecond, false);
}

void Gek(Table& t) {
  t.Picture("gek body walk", 740, 0, 780, 90);
  t.Picture("gek body hit", 740, 90, 780, 180);
  // The narrow throwing frame is the wide pose's left half plus 8 rows.
  t.Picture("gek body throwing", 740, 180, 820, 262);
  t.Shared("gek body throw", 740, 180, 780, 270);
  t.Picture("gek hand", 820, 0, 860, 40);
  t.Picture("gek foot", 820, 40, 860, 80);
  t.Picture("gek cover", 820, 80, 858, 120);
  // The title fountain reads the cover 2 columns wider; they stay black.
  t.Shared("gek cover fountain", 820, 80, 860, 120);
  t.Black("gek cover fountain edge", 858, 80, 860, 120);
  t.Picture("gek ball", 820, 280, 860, 320);
}

void HitSpark(Table& t) {
  // Ten 50-wide frames; kurosuke reads them 48 wide, sikaky reads its last
  // frame 2 columns further left, so frame 9's last two columns stay black.
  for (int k = 0; k < 10; ++k) t.Picture("hit spark " + Num(k + 1), 920 + 50 * k, 570, 970 + 50 * k, 620);
  for (int k = 0; k < 10; ++k) t.Shared("hit spark " + Num(k + 1) + " narrow", 920 + 50 * k, 570, 968 + 50 * k, 620);
  t.Shared("hit spark 10 shifted", 1368, 570, 1418, 620);
  t.Black("hit spark 9 edge", 1368, 570, 1370, 620);
}

void Kurosuke(Table& t) {
  t.Picture("kurosuke walk right", 1240, 420, 1300, 480);
  t.Picture("kurosuke walk left", 1300, 420, 1360, 480);
  t.Picture("kurosuke hit right", 1240, 480, 1300, 540);
  t.Picture("kurosuke hit left", 1300, 480, 1360, 540);
  t.Picture("kurosuke foot", 1240, 540, 1260, 560);
}

void Patatta(Table& t) {
  for (int f = 0; f < 4; ++f) t.Picture("patatta wing A " + Num(f + 1), 800, 340 + 50 * f, 860, 390 + 50 * f);
  for (int f = 0; f < 4; ++f) t.Picture("patatta wing B " + Num(f + 1), 740, 340 + 50 * f, 800, 390 + 50 * f);
  static constexpr std::array<const char*, 6> kBody{"swoop left", "fly right", "fly left",
                                                    "swoop right", "hit from left", "hit from right"};
  for (int b = 0; b < 6; ++b)
    t.Picture(std::string("patatta ") + kBody[b], 860, 340 + 50 * b, 920, 390 + 50 * b);
}

void Sikaky(Table& t) {
  t.Picture("sikaky hop 1", 1080, 270, 1120, 308);
  t.Picture("sikaky hop 2", 1080, 330, 1120, 368);
  t.Picture("sikaky hurt 1", 1080, 370, 1120, 408);
  t.Picture("sikaky hurt 2", 1080, 410, 1120, 448);
  t.Picture("sikaky top", 1120, 270, 1160, 290);
  t.Picture("sikaky foot", 1100, 310, 1120, 325);
  t.Picture("sikaky spot", 1080, 310, 1095, 325);
  t.Picture("sikaky dot", 1120, 310, 1130, 320);
  // One picture for the slow ball and the options row cursor.
  t.Picture("sikaky ball", 560, 430, 600, 468);
  t.Shared("options cursor", 560, 430, 600, 468);
}

void Boss(Table& t) {
  t.Picture("boss body", 560, 0, 715, 130);
  t.Picture("boss foot", 80, 520, 120, 559);
  t.Picture("boss hand A", 0, 520, 40, 555);
  t.Picture("boss hand B", 40, 520, 80, 555);
  for (int w = 0; w < 4; ++w) t.Picture("boss wing A " + Num(w + 1), 240, 160 * w, 400, 160 * w + 155);
  for (int w = 0; w < 4; ++w) t.Picture("boss wing B " + Num(w + 1), 400, 160 * w, 555, 160 * w + 155);
  static constexpr std::array<std::pair<int, const char*>, 3> kHead{{{0, "low"}, {260, "high"}, {390, "angry"}}};
  for (const auto& [row, mood] : kHead) {
    t.Picture(std::string("boss head left ") + mood, 0, row, 120, row + 125);
    t.Picture(std::string("boss head right ") + mood, 120, row, 240, row + 125);
  }
  // The three arm poses of each side overlap by a few rows, kept black.
  static constexpr std::array<std::pair<int, const char*>, 3> kArm{{{130, "rest"}, {230, "raised"}, {325, "down"}}};
  for (const auto& [row, pose] : kArm) t.Picture(std::string("boss arm left ") + pose, 560, row, 640, row + 100);
  for (const auto& [row, pose] : kArm) t.Picture(std::string("boss arm right ") + pose, 650, row, 740, row + 110);
  t.Black("boss arm left raised and down seam", 560, 325, 640, 330);
  t.Black("boss arm right rest and raised seam", 650, 230, 740, 240);
  t.Black("boss arm right raised and down seam", 650, 325, 740, 340);
  t.Picture("boss orb left", 600, 480, 650, 530);
  t.Picture("boss orb right", 600, 430, 650, 480);
}

void Characters(Table& t) {
  t.Sheet("char256");
  HeroPieces(t);
  HeroBodies(t);
  Gek(t);
  HitSpark(t);
  Kurosuke(t);
  Patatta(t);
  Sikaky(t);
  Boss(t);
}

// ---- OPhaikei: the title landscape ----
void TitleBackground(Table& t) {
  t.Sheet("OPhaikei");
  // The panorama the title pans over; its left end is also the full-window
  // background of the set-up frames, the staff roll and the farewell page.
  t.Scenery("title panorama", 0, 0, 1921, 480);
  t.Shared("title background", 0, 0, 640, 480);
  for (int x = 30; x <= 1281; x += 3) t.Shared("title window " + Num(x), x, 0, x + 640, 480);
  t.Shared("title window 1280", 1280, 0, 1920, 480);
  t.Picture("title floor", 0, 480, 640, 560);
}

// ---- option1280: the options backdrop ----
void OptionsBackdrop(Table& t) {
  t.Sheet("option1280");
  // A 640 x 480 window drifting over offsets 0..639 x 0..479.
  t.Scenery("options backdrop", 0, 0, 1279, 959);
  for (int y : {0, 479})
    for (int x : {0, 639}) t.Shared("options window " + Num(x) + "," + Num(y), x, y, x + 640, y + 480);
}

// ---- optionmoji: main menu and options lettering ----
void MenuLettering(Table& t) {
  t.Sheet("optionmoji");
  t.Picture("menu 1 player", 0, 100, 100, 138);
  t.Picture("menu 1 player selected", 100, 100, 200, 138);
  t.Picture("menu 2 players", 200, 100, 300, 138);
  t.Picture("menu 2 players selected", 300, 100, 400, 138);
  t.Picture("menu options", 400, 100, 520, 140);
  t.Picture("menu options selected", 520, 100, 640, 140);
  t.Picture("menu quit", 0, 140, 80, 180);
  t.Picture("menu quit selected", 80, 140, 160, 180);
  t.Picture("press enter", 160, 140, 415, 175);
  // Not read by the scenes: online play letters its messages with these.
  t.Picture("online lettering", 415, 140, 640, 162);

  t.Picture("options heading", 0, 0, 130, 40);
  t.Picture("enemy amount label", 130, 0, 270, 40);
  t.Picture("gauge heading", 270, 0, 468, 40);
  t.Picture("lives label", 470, 0, 530, 40);
  t.Picture("hit gauge label", 390, 70, 490, 98);
  t.Picture("hurt gauge label", 390, 40, 490, 70);

  // Choices: rows 40..70 normally, 70..100 when current.
  struct Choice {
    const char* name;
    int l, r;
  };
  static constexpr std::array<Choice, 11> kChoices{{{"amount low", 80, 140},
                                                    {"amount middle", 0, 80},
                                                    {"amount high", 140, 250},
                                                    {"gauge on", 310, 340},
                                                    {"gauge off", 340, 390},
                                                    {"exit", 250, 310},
                                                    {"lives 1", 490, 510},
                                                    {"lives 2", 510, 530},
                                                    {"lives 3", 530, 550},
                                                    {"lives 4", 550, 570},
                                                    {"lives 5", 570, 590}}};
  for (const Choice& c : kChoices) {
    t.Picture(c.name, c.l, 40, c.r, 70);
    t.Picture(std::string(c.name) + " selected", c.l, 70, c.r, 100);
  }
}

void Fountain(Table& t) {
  t.Sheet("tobidasi");
  for (int k = 0; k < 12; ++k) {
    const int l = 120 * (k % 2), top = 150 * (k / 2);
    t.Picture("fountain figure " + Num(k + 1), l, top, l + 120, top + 150);
  }
}

void PauseMenu(Table& t) {
  t.Sheet("GameOption");
  t.Picture("pause panel", 0, 0, 400, 300);
  t.Picture("pause continue", 0, 370, 185, 407);
  t.Picture("pause continue selected", 0, 407, 185, 442);
  t.Picture("pause restart", 0, 300, 282, 333);
  t.Picture("pause restart selected", 0, 333, 282, 368);
  t.Picture("pause quit", 185, 370, 400, 407);
  t.Picture("pause quit selected", 185, 407, 400, 442);
}

void StaffRoll(Table& t) {
  t.Sheet("Staff");
  // The last page is also the farewell page.
  for (int k = 0; k < 5; ++k) t.Picture("staff page " + Num(k + 1), 0, 200 * k, 380, 200 * k + 200);
}

void TitleBox(Table& t) {
  t.Sheet("Hako");
  t.Picture("box closed", 0, 0, 260, 200);
  t.Picture("box jolting", 0, 200, 260, 400);
  t.Picture("box open front", 0, 400, 260, 600);
  t.Picture("lid closed", 260, 0, 520, 100);
  t.Picture("lid lifted", 260, 100, 520, 200);
  t.Picture("box inside", 260, 200, 520, 300);
}

// ---- teki: Mogeta and Byoon ----
void Walkers(Table& t) {
  t.Sheet("teki");
  t.Picture("mogeta walk left", 140, 0, 180, 40);
  t.Picture("mogeta walk right", 180, 0, 220, 40);
  t.Picture("mogeta hit left", 140, 40, 180, 80);
  t.Picture("mogeta hit right", 180, 40, 220, 80);
  t.Picture("mogeta hand A", 190, 80, 210, 100);
  t.Picture("mogeta hand B", 170, 80, 190, 100);
  t.Picture("mogeta foot", 140, 80, 162, 91);
  t.Picture("byoon left", 0, 0, 70, 30);
  t.Picture("byoon right", 70, 0, 140, 30);
  t.Picture("byoon hit from left", 0, 90, 70, 120);
  t.Picture("byoon hit from right", 70, 90, 140, 120);
  t.Picture("byoon wing", 0, 120, 30, 130);
  t.Picture("byoon foot", 40, 120, 70, 135);
  t.Picture("byoon hurt wing left", 0, 140, 30, 155);
  t.Picture("byoon hurt wing right", 40, 140, 70, 155);
  for (int k = 0; k < 10; ++k) t.Picture("spark " + Num(k + 1), 920 + 50 * k, 570, 968 + 50 * k, 620);
}

std::vector<AtlasRect> Build() {
  std::vector<AtlasRect> rects;
  rects.reserve(16000);
  Table t(rects);
  Backdrops(t);
  NearStrip(t);
  Hud(t);
  Characters(t);
  TitleBackground(t);
  OptionsBackdrop(t);
  MenuLettering(t);
  Fountain(t);
  PauseMenu(t);
  StaffRoll(t);
  TitleBox(t);
  Walkers(t);
  return rects;
}

}  // namespace

std::span<const AtlasRect> AtlasRects() {
  static const std::vector<AtlasRect> kRects = Build();
  return kRects;
}

}  // namespace gen
