#pragma once
// The heroes' heads and torsos, painted facing right at any place and size,
// shared by the body cells and the status-panel faces.
#include "gen/art_heroes_kit.hpp"

namespace gen::heroes {

enum class Mood : uint8_t {
  kHappy,   // standing, walking
  kUp,      // looking up, about to jump
  kDown,    // crouching, looking down
  kOuch,    // hurt
  kFierce,  // attacking
  kWhee,    // carried and thrown
};

enum class Who : uint8_t { kKurara, kTavo };

const LookColours& ColoursOf(Who who);

// A head centred on (hx, hy), facing right. `scale` 1 is the body cells' size
// (about 38 x 34 pixels); the status panel uses smaller heads.
void PaintHead(Canvas& c, Who who, double hx, double hy, Mood mood, double scale = 1.0);

// The torso from (l, t) to (r, b) (right and bottom exclusive), with the
// look's clothes: as wide as the box at the hem, `shoulders` times that at the
// top (the look's own cut when 0); the front details lean `lean` pixels
// towards the facing side.
void PaintTorso(Canvas& c, Who who, double l, double t, double r, double b, double lean, double shoulders = 0);

}  // namespace gen::heroes
