#pragma once
// The heroes' pictures on the character sheet and the status panel.
#include <span>

#include "gen/art_heroes_faces.hpp"
#include "gen/art_heroes_kit.hpp"

namespace gen::heroes {

// One 80 x 60 body cell facing right: the look of `who` in `pose`, its figure
// centred on column `axis`. The last two columns stay empty.
Canvas PaintBodyCell(Who who, BodyPose pose, double axis);

// Every body cell of both looks (rows 0..540 at x 920..1080 and 1240..1400).
void PaintHeroBodies(Canvas& char256);

// Each hero's hand, foot and lower body, spin flashes, and the shared hurt
// effect (char256).
void PaintHeroPieces(Canvas& char256);

// The burst spark, the hit-point icons and the faces (geji256).
void PaintHeroHud(Canvas& geji256);

}  // namespace gen::heroes
