#pragma once
// Shared tools of the enemy painters: a pen that draws a picture at any scale
// (and mirrored), the palettes of the kinds, and one painter per piece.
//
// Every piece is painted on a canvas of its own, the size of its rectangle,
// with its shapes kept one pixel inside the edges; then it is shaded, outlined
// and put on the sheet. The title fountain reuses the same painters at a larger
// scale to build whole figures.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "gen/canvas.hpp"
#include "gen/draw.hpp"

namespace gen::enemy {

// A material in its three tones plus the base colour it was made from, so
// palettes can be compared.
struct Material {
  Colour base;
  Ramp ramp;
};
Material Mat(Colour base);
inline uint16_t Base(const Material& m) { return m.ramp.base; }
inline uint16_t Light(const Material& m) { return m.ramp.light; }
inline uint16_t Shade(const Material& m) { return m.ramp.shadow; }

// Draws in piece coordinates (pixels of the piece at scale 1) onto a canvas:
// canvas x = ox + s * x (or s * (mirrorW - x) when mirrored), y = oy + s * y.
struct Pen {
  Canvas* c = nullptr;
  double ox = 0, oy = 0, s = 1;
  bool mirror = false;
  double mirrorW = 0;

  double X(double x) const { return ox + s * (mirror ? mirrorW - x : x); }
  double Y(double y) const { return oy + s * y; }

  void Ellipse(double cx, double cy, double rx, double ry, uint16_t col) const;
  // A ball lit from the upper left (in canvas terms, so mirrored pictures
  // keep their light on the same side).
  void Ball(double cx, double cy, double rx, double ry, const Ramp& ramp) const;
  // An ellipse turned by `degrees` (clockwise on screen) about its centre.
  void Tilted(double cx, double cy, double rx, double ry, double degrees, uint16_t col) const;
  void Poly(std::initializer_list<std::pair<double, double>> pts, uint16_t col) const;
  void Poly(const std::vector<std::pair<double, double>>& pts, uint16_t col) const;
  void Line(double x0, double y0, double x1, double y1, double width, uint16_t col) const;
  // Rectangle of piece pixels l..r x t..b (right and bottom exclusive).
  void Box(double l, double t, double r, double b, uint16_t col) const;
  // One piece pixel.
  void Dot(double x, double y, uint16_t col) const { Box(x, y, x + 1, y + 1, col); }
  // Bevel (below) over the whole canvas, depth in piece pixels.
  void Bevel(const Material& m, double depth) const;
};

// Turns every pixel of the material's base tone that lies on the figure's
// upper-left rim into the light tone and on its lower-right rim into the
// shadow tone (depth pixels deep), so flat shapes read as lit from the upper
// left. Works in canvas terms.
void Bevel(Canvas& c, const Material& m, int depth);

// Fixed colours shared by the faces.
inline constexpr Colour kWhite{248, 248, 244};
inline constexpr Colour kPupil{36, 28, 48};
inline constexpr Colour kMouth{120, 24, 40};
inline constexpr Colour kTongue{236, 96, 112};
inline constexpr Colour kSweat{168, 220, 252};

// An eye: white of rx x ry, a pupil looking towards (lookX, lookY) (-1..1)
// with a glint.
void Eye(const Pen& p, double cx, double cy, double rx, double ry, double lookX, double lookY);
// A shut eye drawn as a cross, for hurt faces.
void ShutEye(const Pen& p, double cx, double cy, double r);

// The palette of each kind: its main body material, by which the kinds are
// told apart at a glance.
struct Palettes {
  Material gekSkin, gekCape, gekTrim, gekRobe, gekBoot, gekBall;
  Material kuroBody, kuroFeet, kuroCheek;
  Material pataBody, pataBelly, pataBeak, pataWing, pataTip;
  Material sikaBody, sikaTop, sikaFeet, sikaBall, sikaArrow;
  Material mogeBody, mogeSnout, mogeClaw, mogeFeet;
  Material byoonBody, byoonSpot, byoonWing, byoonFeet;
  Material bossBody, bossBelly, bossHead, bossHorn, bossEye, bossWing, bossBone, bossClaw, bossOrb;
  Material sparkCore, sparkRay, sparkEdge;
};
const Palettes& Pal();

// Paints one piece: a canvas of w x h (times the pen scale), the painter's
// shapes, then the outline around them.
using Painter = std::function<void(const Pen&)>;
Canvas PaintPiece(int w, int h, double scale, bool mirror, const Painter& paint);

// Copies the opaque pixels of src onto dst at (dx, dy), like a colour-keyed blit.
void Blit(Canvas& dst, const Canvas& src, int dx, int dy);

// ---- pieces, at scale 1 (pixels of the sheet) ----
// Each draws the piece filling its own rectangle; `frame` picks the picture
// of the family as listed with each.

// Gek: body 40 x 90 (0 walk, 1 hit, 2 throw; the throw body is drawn 80 x 90,
// its right half and bottom rows only for the wide frame), cover 38 x 40, hand
// 40 x 40, foot 40 x 40, ball 40 x 40.
void GekBody(const Pen& p, int frame);
void GekCover(const Pen& p);
void GekHand(const Pen& p);
void GekFoot(const Pen& p);
void GekBall(const Pen& p);

// Kurosuke: body 60 x 60 facing left (0 walk, 1 hit; mirrored for facing
// right), foot 20 x 20.
void KuroBody(const Pen& p, int frame);
void KuroFoot(const Pen& p);

// Patatta: body 60 x 50 (frames 0..5: swoop left, fly right, fly left, swoop
// right, hit from the left, hit from the right), wing A (right-hand) and wing
// B (left-hand) 60 x 50, frames 0..3 from raised to lowered.
void PataBody(const Pen& p, int frame);
void PataWing(const Pen& p, bool rightHand, int frame);

// Sikaky: body 40 x 38 (0, 1 hop looks; 2, 3 hurt looks), top 40 x 20, foot
// 20 x 15, spot 15 x 15, dot 10 x 10, ball 40 x 38 (also the options cursor).
void SikaBody(const Pen& p, int frame);
void SikaTop(const Pen& p);
void SikaFoot(const Pen& p);
void SikaSpot(const Pen& p);
void SikaDot(const Pen& p);
void SikaBall(const Pen& p);

// Mogeta: body 40 x 40 facing left (0 walk, 1 hit; mirrored for facing
// right), hand A and hand B 20 x 20, foot 22 x 11.
void MogeBody(const Pen& p, int frame);
void MogeHand(const Pen& p, bool handA);
void MogeFoot(const Pen& p);

// Byoon: body 70 x 30 facing left (0 rest, 1 hit; mirrored for facing right),
// wing 30 x 10, foot 30 x 15, hurt wing 30 x 15 (tilted up after a hit from the
// left, down after a hit from the right).
void ByoonBody(const Pen& p, int frame);
void ByoonWing(const Pen& p);
void ByoonFoot(const Pen& p);
void ByoonHurtWing(const Pen& p, bool fromLeft);

// Hit spark, frame 0..9, drawn within 48 x 50.
void Spark(const Pen& p, int frame);

// Boss: body 155 x 130, foot 40 x 39, hand 40 x 35 (A on the figure's right, B
// on its left), wing A 160 x 155 and wing B 155 x 155 (frames 0..3, raised to
// lowered), head 120 x 125 facing left (mood 0 low, 1 high, 2 angry; mirrored
// for facing right), left-side arm 80 x 100 and right-side arm 90 x 110 (pose
// 0 rest, 1 raised, 2 thrown down), orb 50 x 50.
void BossBody(const Pen& p);
void BossFoot(const Pen& p);
void BossHand(const Pen& p, bool handA);
void BossWing(const Pen& p, bool wingA, int frame);
void BossHead(const Pen& p, int mood);
void BossArm(const Pen& p, bool rightSide, int pose);
void BossOrb(const Pen& p, bool rightSide);

// The fountain's own figures, 120 x 150 each (k = 0..9).
void Toy(const Pen& p, int k);
inline constexpr int kToyCount = 10;

}  // namespace gen::enemy
