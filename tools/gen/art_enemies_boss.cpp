// The boss: a horned violet flyer on crimson bat wings. Its pieces are drawn
// around one origin; the comments give where each lands on the figure
// (figure x, y = the origin plus the piece's offset plus the point).
#include <cmath>
#include <utility>
#include <vector>

#include "gen/art_enemies_draw.hpp"

namespace gen::enemy {

namespace {

using Pt = std::pair<double, double>;

// A talon: a curved point from (x, y) towards (dx, dy).
void Talon(const Pen& p, double x, double y, double dx, double dy, double width) {
  const Palettes& P = Pal();
  const double len = std::hypot(dx, dy), nx = -dy / len * width / 2, ny = dx / len * width / 2;
  p.Poly({{x + nx, y + ny}, {x + dx, y + dy}, {x - nx, y - ny}}, Base(P.bossClaw));
}

// A limb of the arm pieces: upper arm, forearm and fist.
void Limb(const Pen& p, Pt shoulder, Pt elbow, Pt fist, double clawDir) {
  const Palettes& P = Pal();
  const uint16_t skin = Base(P.bossHead);
  p.Ellipse(shoulder.first, shoulder.second, 11, 10, Base(P.bossBody));
  p.Line(shoulder.first, shoulder.second, elbow.first, elbow.second, 13, skin);
  p.Line(elbow.first, elbow.second, fist.first, fist.second, 11, skin);
  p.Ellipse(elbow.first, elbow.second, 7, 7, skin);
  p.Bevel(P.bossBody, 3);
  p.Ellipse(fist.first, fist.second, 11, 10, skin);
  p.Bevel(P.bossHead, 2);
  // Three talons fanned towards clawDir (radians).
  for (int i = -1; i <= 1; ++i) {
    const double a = clawDir + i * 0.5;
    Talon(p, fist.first + 8 * std::cos(a), fist.second + 8 * std::sin(a), 8 * std::cos(a), 8 * std::sin(a), 4);
  }
  p.Bevel(P.bossClaw, 1);
  // A gold band at the wrist.
  const double wx = (elbow.first + 2 * fist.first) / 3, wy = (elbow.second + 2 * fist.second) / 3;
  p.Ellipse(wx, wy, 5, 5, Base(P.bossHorn));
}

}  // namespace

void BossBody(const Pen& p) {
  const Palettes& P = Pal();
  // Tail feathers hang below the belly, between the legs (figure y 150..185).
  p.Poly({{60, 88}, {66, 127}, {76, 92}}, Base(P.bossWing));
  p.Poly({{72, 90}, {80, 128.5}, {90, 90}}, Base(P.bossWing));
  p.Poly({{86, 92}, {96, 127}, {102, 88}}, Base(P.bossWing));
  p.Bevel(P.bossWing, 2);
  // Torso and shoulders.
  p.Ellipse(78, 56, 66, 40, Base(P.bossBody));
  p.Ellipse(20, 44, 17, 19, Base(P.bossBody));
  p.Ellipse(136, 48, 17, 19, Base(P.bossBody));
  p.Bevel(P.bossBody, 3);
  // Chest plate with chevrons, showing below the head.
  p.Ellipse(78, 68, 40, 25, Base(P.bossBelly));
  p.Bevel(P.bossBelly, 2);
  for (int i = 0; i < 3; ++i) {
    const double y = 60 + 9 * i;
    p.Line(56, y, 78, y + 8, 2, Shade(P.bossBelly));
    p.Line(78, y + 8, 100, y, 2, Shade(P.bossBelly));
  }
}

void BossFoot(const Pen& p) {
  const Palettes& P = Pal();
  // A feathered thigh, a thin leg, a gold foot and three talons.
  p.Box(16, 8, 24, 22, Base(P.bossHead));
  p.Bevel(P.bossHead, 2);
  p.Ellipse(20, 7, 10, 6, Base(P.bossBody));
  p.Bevel(P.bossBody, 2);
  p.Ellipse(20, 25, 13, 7, Base(P.bossHorn));
  p.Bevel(P.bossHorn, 1);
  Talon(p, 10, 28, -5, 8, 5);
  Talon(p, 20, 30, 0, 7.5, 5);
  Talon(p, 30, 28, 5, 8, 5);
  p.Bevel(P.bossClaw, 1);
}

void BossHand(const Pen& p, bool handA) {
  const Palettes& P = Pal();
  // Hand A is on the figure's right, its talons pointing outwards (right);
  // hand B the other way.
  const double dir = handA ? 1 : -1;
  p.Ellipse(20, 17, 13, 12, Base(P.bossHead));
  p.Bevel(P.bossHead, 2);
  for (int i = -1; i <= 1; ++i) Talon(p, 20 + dir * 11, 17 + 7 * i, dir * 7, 2.0 * i, 4);
  p.Bevel(P.bossClaw, 1);
}

void BossWing(const Pen& p, bool wingA, int frame) {
  const Palettes& P = Pal();
  // Drawn for wing A (the figure's left wing, root on the right of the
  // piece at figure (80..90, 95..125)); wing B is its mirror, 10 rows higher
  // in its own piece since it is drawn 10 rows lower.
  struct Shape {
    Pt wrist;
    Pt tips[4];
  };
  static constexpr Shape kShapes[4] = {
      {{96, 26}, {{46, 14}, {20, 36}, {18, 66}, {56, 92}}},
      {{82, 34}, {{24, 22}, {5, 56}, {16, 94}, {68, 110}}},
      {{78, 72}, {{10, 64}, {6, 104}, {32, 130}, {86, 128}}},
      {{102, 100}, {{44, 112}, {30, 138}, {70, 152}, {116, 140}}},
  };
  const Shape& s = kShapes[frame];
  const Pen q = wingA ? p : Pen{p.c, p.ox, p.oy, p.s, !p.mirror, 156};
  const double lift = wingA ? 0 : -10;
  const auto At = [&](Pt pt) { return Pt{pt.first, std::max(1.5, pt.second + lift)}; };
  const Pt rootTop = At({150, 42}), rootBottom = At({142, 80}), root = At({146, 58}), wrist = At(s.wrist);
  std::vector<Pt> membrane{rootTop, wrist};
  for (int i = 0; i < 4; ++i) {
    const Pt tip = At(s.tips[i]);
    if (i > 0) {
      // A scallop between two finger tips, pulled towards the wrist.
      const Pt prev = At(s.tips[i - 1]);
      const Pt mid{(prev.first + tip.first) / 2, (prev.second + tip.second) / 2};
      membrane.push_back({mid.first + (wrist.first - mid.first) * 0.3, mid.second + (wrist.second - mid.second) * 0.3});
    }
    membrane.push_back(tip);
  }
  membrane.push_back(rootBottom);
  q.Poly(membrane, Base(P.bossWing));
  q.Bevel(P.bossWing, 3);
  const uint16_t bone = Base(P.bossBone);
  q.Line(root.first, root.second, wrist.first, wrist.second, 6, bone);
  for (const Pt& t : s.tips) {
    const Pt tip = At(t);
    q.Line(wrist.first, wrist.second, tip.first, tip.second, 2.5, bone);
  }
  q.Ellipse(wrist.first, wrist.second, 4.5, 4.5, bone);
  // A hook at the wrist.
  q.Poly({{wrist.first - 3, wrist.second - 2}, {wrist.first - 5, wrist.second - 10}, {wrist.first + 3, wrist.second - 3}},
         Base(P.bossClaw));
}

void BossHead(const Pen& p, int mood) {
  const Palettes& P = Pal();
  const uint16_t horn = Base(P.bossHorn), skin = Base(P.bossHead);
  // Drawn facing left. Figure rows 9..110: the chest plate shows below it.
  // Horns sweep up and out.
  p.Poly({{30, 40}, {14, 30}, {6, 12}, {10, 2}, {14, 16}, {26, 26}, {42, 32}}, horn);
  p.Poly({{90, 40}, {106, 30}, {114, 12}, {110, 2}, {106, 16}, {94, 26}, {78, 32}}, horn);
  p.Bevel(P.bossHorn, 2);
  // Fins at the sides, the head and the face.
  p.Poly({{20, 52}, {2, 44}, {14, 70}}, skin);
  p.Poly({{100, 52}, {118, 44}, {106, 70}}, skin);
  p.Ellipse(60, 60, 44, 42, skin);
  p.Bevel(P.bossHead, 3);
  p.Ellipse(50, 70, 32, 26, Base(P.bossBelly));
  p.Bevel(P.bossBelly, 2);
  // Eyes: glowing, red when angry, looking ahead (left); high up they look
  // down at the heroes.
  const Material& eye = mood == 2 ? P.gekCape : P.bossEye;
  const double look = mood == 1 ? 3 : 0;
  for (double ex : {34.0, 63.0}) {
    p.Ellipse(ex, 56, 10, 8, Base(eye));
    p.Bevel(eye, 1);
    p.Box(ex - 5, 52 + look, ex - 2, 61 + look, kPupil.Px());
  }
  // Brows: heavy; slanted down to the middle when angry.
  const uint16_t ink = kPupil.Px();
  if (mood == 2) {
    p.Line(22, 40, 44, 50, 4, ink);
    p.Line(75, 40, 53, 50, 4, ink);
  } else {
    p.Line(22, 44, 44, 44, 4, ink);
    p.Line(53, 43, 75, 45, 4, ink);
  }
  // Mouth with fangs: shut in a sneer (low), grinning (high), roaring (angry).
  const uint16_t mouth = kMouth.Px(), fang = kWhite.Px();
  if (mood == 0) {
    p.Poly({{26, 80}, {66, 78}, {62, 86}, {30, 86}}, mouth);
    p.Poly({{32, 80}, {36, 80}, {34, 88}}, fang);
    p.Poly({{56, 79}, {60, 79}, {58, 87}}, fang);
  } else if (mood == 1) {
    p.Poly({{22, 76}, {72, 74}, {64, 90}, {48, 96}, {30, 90}}, mouth);
    p.Poly({{28, 76}, {70, 74.5}, {68, 79}, {30, 80}}, fang);
    p.Ellipse(48, 90, 9, 4, kTongue.Px());
  } else {
    p.Ellipse(48, 86, 22, 15, mouth);
    p.Ellipse(48, 94, 12, 6, kTongue.Px());
    p.Poly({{30, 75}, {36, 75}, {33, 86}}, fang);
    p.Poly({{60, 75}, {66, 75}, {63, 86}}, fang);
    p.Poly({{38, 99}, {42, 99}, {40, 91}}, fang);
    p.Poly({{54, 99}, {58, 99}, {56, 91}}, fang);
  }
}

void BossArm(const Pen& p, bool rightSide, int pose) {
  // Left-side arm (80 x 100, at figure (-26, 13)): its fist lands on hand B
  // at rest. Right-side arm (90 x 110, at figure (82, 28)): its fist lands on
  // hand A at rest. Rows shared with the neighbouring pose stay empty: left
  // raised keeps above row 95, left down below row 5; right rest keeps above
  // row 100, right raised within rows 10..95, right down below row 15.
  if (!rightSide) {
    const Pt shoulder{62, 82};
    switch (pose) {
      case 0: Limb(p, shoulder, {30, 86}, {54, 74}, 3.6); break;
      case 1: Limb(p, shoulder, {42, 56}, {30, 22}, 4.4); break;
      default: Limb(p, {62, 60}, {42, 74}, {18, 78}, 2.4); break;
    }
  } else {
    const Pt shoulder{58, 70};
    switch (pose) {
      case 0: Limb(p, shoulder, {80, 80}, {52, 78}, 6.0); break;
      case 1: Limb(p, shoulder, {74, 52}, {62, 31}, 5.0); break;
      default: Limb(p, {56, 62}, {72, 78}, {70, 90}, 1.4); break;
    }
  }
}

void BossOrb(const Pen& p, bool rightSide) {
  const Palettes& P = Pal();
  p.Ellipse(25, 25, 21, 21, Shade(P.bossOrb));
  p.Ellipse(25, 25, 17, 17, Base(P.bossOrb));
  p.Ellipse(24, 24, 11, 11, Light(P.bossOrb));
  p.Ellipse(23, 23, 6, 6, kWhite.Px());
  // Sparkles around it, on the side away from the arm.
  const double s = rightSide ? 1 : -1;
  for (const Pt& d : {Pt{14, -14}, Pt{18, 6}, Pt{4, 18}}) {
    const double x = 25 + s * d.first, y = 25 + d.second;
    p.Poly({{x, y - 4}, {x + 1.2, y}, {x, y + 4}, {x - 1.2, y}}, kWhite.Px());
    p.Poly({{x - 4, y}, {x, y - 1.2}, {x + 4, y}, {x, y + 1.2}}, kWhite.Px());
  }
}

}  // namespace gen::enemy
