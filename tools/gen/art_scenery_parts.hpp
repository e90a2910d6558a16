#pragma once
// The scenery painters, one per group of pictures; PaintSceneryArt calls them
// in turn. Each clears or covers the whole of the rectangles it owns.
#include "gen/canvas.hpp"

namespace gen::scenery {

// The arena fronts (haikei256 x 0..2560, rows 0..250).
void PaintArena(Canvas& haikei);
// The boss's beam in its three looks (haikei256 x 4480..4930, rows 140..630).
void PaintBeams(Canvas& haikei);
// The title panorama and the title floor piece.
void PaintTitle(Canvas& opHaikei);
// The options screen's drifting pattern: one tile repeated 2 x 2.
void PaintOptionsBackdrop(Canvas& option);
// The title box: closed, jolting and open pictures, both lids and the inside.
void PaintBox(Canvas& hako);

}  // namespace gen::scenery
