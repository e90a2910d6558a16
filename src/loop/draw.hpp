#pragma once
// Drawing into the world picture and presenting it.
#include "loop/game.hpp"

namespace kt {

class Platform;

// Blits `BlitRect` of sheet `source` to world position (x, y), colour 0
// transparent, all or nothing.
void Draw(Game& g, Bmp source, int32_t x, int32_t y);

// Sets `BlitRect` to (l, t, r, b) and draws it.
void DrawPiece(Game& g, Bmp source, int32_t l, int32_t t, int32_t r, int32_t b, int32_t x, int32_t y);

// Copies the camera window of the world into the back buffer (colour-keyed:
// black world pixels keep what the buffer held), flips, and shows the picture
// if it may be new: on the pass of a step and the one after it.
void Present(Game& g, Platform& platform, bool stepped = true);

}  // namespace kt
