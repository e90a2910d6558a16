#pragma once
// The heroes' painting kit: one-bit shapes painted with their own dark outline
// and light from the upper left, the two heroes' colours, and the geometry that
// ties the body cells to the hands, feet and lower body the game floats around
// them.
#include <cstdint>
#include <utility>
#include <vector>

#include "gen/canvas.hpp"
#include "gen/draw.hpp"

namespace gen::heroes {

using Points = std::vector<std::pair<double, double>>;

// A one-bit shape on a grid the size of the picture being painted.
class Shape {
 public:
  Shape(int w, int h) : mask_(w, h) {}

  Shape& Ellipse(double cx, double cy, double rx, double ry);
  Shape& Polygon(const Points& pts);
  Shape& Stroke(double x0, double y0, double x1, double y1, double width);
  // A rectangle (right and bottom exclusive) with corners rounded by `radius`.
  Shape& RoundRect(double l, double t, double r, double b, double radius);
  Shape& Rect(int l, int t, int r, int b);  // right and bottom exclusive
  Shape& Add(const Shape& other);
  Shape& Cut(const Shape& other);   // removes the other shape's pixels
  Shape& Keep(const Shape& other);  // keeps only pixels the other shape has too
  // Removes every pixel above row `y` (`above`) or from row `y` down.
  Shape& CutRows(int y, bool above);

  bool Has(int x, int y) const { return mask_.Get(x, y) != 0; }
  int Width() const { return mask_.w; }
  int Height() const { return mask_.h; }

 private:
  Canvas mask_;
};

enum class Light : uint8_t {
  kRim,   // flat base, a light rim on the upper-left edges and a shadow band on the lower-right ones
  kBall,  // a lit ball: light spot towards the upper left, shadow lower right
  kFlat,  // base colour only
};

// Paints the shape onto c with the ramp and, unless `outline` is false, rings it
// with the dark outline, also over what was painted before, so overlapping
// parts keep a line between them.
void Paint(Canvas& c, const Shape& s, const Ramp& ramp, Light light = Light::kRim, bool outline = true);
// A one-colour shape with its outline (small details: eyes, stars, laces).
void PaintFlat(Canvas& c, const Shape& s, uint16_t colour, bool outline = true);

// Copies the w x h picture at (0, 0) of `from` onto `to` at (l, t), transparent
// pixels included. When `mirror` is set the picture is turned left to right
// about column `axis` (column x lands on 2 * axis - x; what falls outside stays
// transparent).
void Place(Canvas& to, int l, int t, const Canvas& from, bool mirror = false, double axis = 0);

inline constexpr uint16_t kInk = kOutline.Px();  // the outline colour, for drawn lines

// Colours of one body set (the hero's look: skin, hair, clothes).
struct LookColours {
  Ramp skin, hair, top, trim, accent, blush;
  uint16_t eye, eyeWhite, mouth, tongue;
};
// Colours of the pieces that float around the body: gloves, shoes, shorts.
struct PieceColours {
  Ramp glove, cuff, shorts, band, shoe, sole, lace;
};

// Kurara: warm (ginger hair, red top). Tavo: cool (blue cap, teal hoodie).
extern const LookColours kKuraraLook;
extern const LookColours kTavoLook;
// F6 swaps only the body (head and torso): each hero keeps his own gloves,
// shoes and shorts under either look. So both heroes wear the same neutral
// pieces, which go with the red top as well as with the teal hoodie: white
// gloves with grey cuffs, charcoal shorts with a white waistband, white
// sneakers on grey soles.
extern const PieceColours kPieces;

// ---- Geometry of the assembled figure -------------------------------------
// Everything relative to the hero's box (X, Y): 80 wide, feet on the ground at
// Y + 100. In the standing pose the body cell lies at (X + 5, Y + 7) for the
// first look and at (X + 7, Y + 7) for the second, hand B at (X + 5, Y + 57),
// hand A at (X + 62, Y + 57), foot B at (X + 4, Y + 86), foot A at (X + 51,
// Y + 86) and the lower body at (X + 34, Y + 63). The figure is symmetric about
// X + 42.5.
inline constexpr double kFigureAxis = 42.5;
// The same line in body-cell columns; a facing-left cell is its facing-right
// twin turned about it, so the figure keeps its place when the hero turns.
inline constexpr double kFirstLookAxis = kFigureAxis - 5;   // 37.5
inline constexpr double kSecondLookAxis = kFigureAxis - 7;  // 35.5

// Where the pictures are on the sheets.
inline constexpr int kCellW = 80, kCellH = 60;
inline constexpr int kFirstLookLeft = 1240, kSecondLookLeft = 920;
inline constexpr int kKuraraPiecesLeft = 1400, kTavoPiecesLeft = 1080;
inline constexpr int kHipTop = 0, kFootTop = 50, kHandTop = 100, kSpinLeftTop = 150, kSpinRightTop = 210;

// The body rows and what they show.
enum class BodyPose : uint8_t { kStand, kLookUp, kCrouch, kHurt, kAttack, kCarried };
struct BodyRow {
  int top;
  BodyPose pose;
};
// Rows 0 to 180 mean the same in both looks; the attack and carried poses sit
// at 300 and 360 in the first look and at 420 and 480 in the second. The
// second look shows them at 300 and 360 as well: a hero whose looks F6 swaps
// in the middle of an attack or just after a landing keeps the first look's
// row number for a while. (The first look's 420 and 480 are the kurosuke's.)
inline constexpr BodyRow kFirstLookRows[] = {{0, BodyPose::kStand},   {60, BodyPose::kLookUp},
                                             {120, BodyPose::kCrouch}, {180, BodyPose::kHurt},
                                             {300, BodyPose::kAttack}, {360, BodyPose::kCarried}};
inline constexpr BodyRow kSecondLookRows[] = {{0, BodyPose::kStand},   {60, BodyPose::kLookUp},
                                              {120, BodyPose::kCrouch}, {180, BodyPose::kHurt},
                                              {420, BodyPose::kAttack}, {480, BodyPose::kCarried},
                                              {300, BodyPose::kAttack}, {360, BodyPose::kCarried}};

}  // namespace gen::heroes
