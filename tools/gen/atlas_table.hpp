#pragma once
// Every source rectangle the game cuts from its picture sheets, with what the
// artwork has to put there. The painters use it to place their pictures and the
// tests use it to check that every blit the game can make reads a sheet area
// that exists and holds something.
//
// Families (the 16 steps of a scrolling window, the 9 heights of the beam, ...)
// are listed member by member. A scrolling picture (far strip, near strip,
// floor strip, title panorama, options backdrop) is listed once as the whole
// area the artwork paints, followed by the windows the game cuts from it.
// The options backdrop drifts in two directions over 640 x 480 offsets; only
// its four extreme windows are listed, every other one lies between them.
//
// The world surface ("black") has no entries: it is never a source except for
// the present, and its sheet stays entirely transparent.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace gen {

// Where a rectangle's pixels come from.
enum class Paint : uint8_t {
  kPicture,  // a picture of its own; may have transparent parts
  kScenery,  // a picture of its own that fills the window: every pixel opaque,
             // since the world is never cleared
  kShared,   // reads pixels painted for other entries: windows of a scrolling
             // picture, shifted or narrower reads, nested heights, rare reads
             // that fall on another creature
  kBlack,    // read by the game but must stay transparent (strips where two
             // pictures meet)
};

struct AtlasRect {
  std::string_view sheet;  // surface name, as in kt::kBitmapFiles
  std::string label;
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  bool shown = true;  // the game shows something here in normal play; false for
                      // rectangles read only in corner cases or kept black
  Paint paint = Paint::kPicture;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Owns() const { return paint == Paint::kPicture || paint == Paint::kScenery; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The whole table, sheet by sheet in load order. Built once, never changes.
std::span<const AtlasRect> AtlasRects();

}  // namespace gen
