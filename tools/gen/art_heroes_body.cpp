// The body cells: head and torso in one 80 x 60 picture per pose, for both
// looks, facing right and (turned about the figure's middle line) facing left.
#include "gen/art_heroes_paint.hpp"

#include "gen/art_heroes_faces.hpp"

namespace gen::heroes {

namespace {

// The torso's box in cell rows and columns relative to the middle line.
struct TorsoBox {
  double l, t, r, b;
};

struct PoseLayout {
  double headDx, headY;
  Mood mood;
  TorsoBox torso;
  double lean;
  double shoulders = 0;  // the look's own cut unless set
  double headScale = 1;
};

// Standing, the torso spans X + 21 .. X + 63 (outline included) and rows
// Y + 41 .. Y + 65, so the resting gloves (X + 5 .. X + 23 and X + 62 .. X + 80,
// from Y + 57) overlap its sides and the lower body (from Y + 63) its hem.
// Crouching, the body is drawn 30 rows lower and the gloves sit at X + 8 and
// X + 63, Y + 64; the torso squats to match them.
PoseLayout Layout(BodyPose pose) {
  switch (pose) {
    case BodyPose::kStand: return {1, 21, Mood::kHappy, {-20.5, 35, 20.5, 58}, 1};
    case BodyPose::kLookUp: return {0.5, 20.5, Mood::kUp, {-21, 36, 21, 58}, 0.5};
    case BodyPose::kCrouch: return {1.5, 21, Mood::kDown, {-21.5, 26, 21.5, 52}, 1, 0.96};
    case BodyPose::kHurt: return {-1.5, 21, Mood::kOuch, {-20.5, 35, 20.5, 58}, -1};
    case BodyPose::kAttack: return {3, 22, Mood::kFierce, {-20, 36, 21.5, 58}, 3};
    case BodyPose::kCarried: return {2, 19.5, Mood::kWhee, {-17, 22, 17, 41}, 1, 0, 0.92};
  }
  return {};
}

// Carried overhead only the body is drawn, so this picture tucks the hero's
// shorts, shoes and gloves into a ball under the head.
void TuckedLimbs(Canvas& c, double a) {
  const PieceColours& p = kPieces;
  Shape shorts(c.w, c.h);
  shorts.Ellipse(a - 1, 39, 11, 5.5);
  Paint(c, shorts, p.shorts, Light::kBall);
  for (double dx : {-10.5, 9.5}) {
    Shape shoe(c.w, c.h);
    shoe.Ellipse(a + dx, 44.5, 8.5, 4.5);
    Paint(c, shoe, p.shoe, Light::kBall);
    Shape sole(c.w, c.h);
    sole.RoundRect(a + dx - 8, 46, a + dx + 8, 49.5, 1.5);
    Paint(c, sole, p.sole, Light::kFlat);
  }
  // Hands hugging the knees.
  for (double dx : {-16.5, 15.5}) {
    Shape glove(c.w, c.h);
    glove.Ellipse(a + dx, 36, 5, 4.5);
    Paint(c, glove, p.glove, Light::kBall);
  }
}

}  // namespace

Canvas PaintBodyCell(Who who, BodyPose pose, double axis) {
  Canvas c(kCellW, kCellH);
  const PoseLayout p = Layout(pose);
  const TorsoBox& t = p.torso;
  PaintTorso(c, who, axis + t.l, t.t, axis + t.r, t.b, p.lean, p.shoulders);
  if (pose == BodyPose::kCarried) TuckedLimbs(c, axis);
  PaintHead(c, who, axis + p.headDx, p.headY, p.mood, p.headScale);
  // The knock from the left reads the facing-left picture 2 columns early,
  // taking these two columns with it: they stay empty.
  c.Fill(kCellW - 2, 0, kCellW, kCellH, kClear);
  return c;
}

void PaintHeroBodies(Canvas& sheet) {
  struct LookSet {
    Who who;
    int left;
    double axis;
    std::span<const BodyRow> rows;
  };
  const LookSet looks[] = {{Who::kKurara, kFirstLookLeft, kFirstLookAxis, kFirstLookRows},
                           {Who::kTavo, kSecondLookLeft, kSecondLookAxis, kSecondLookRows}};
  for (const LookSet& look : looks)
    for (const BodyRow& row : look.rows) {
      const Canvas cell = PaintBodyCell(look.who, row.pose, look.axis);
      Place(sheet, look.left, row.top, cell);
      Place(sheet, look.left + kCellW, row.top, cell, true, look.axis);
    }
}

}  // namespace gen::heroes
