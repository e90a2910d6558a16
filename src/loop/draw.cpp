#include "loop/draw.hpp"

#include <utility>

#include "frontend/controls_card.hpp"
#include "platform/platform.hpp"

namespace kt {

void Draw(Game& g, Bmp source, int32_t x, int32_t y) {
  if (g.display.skipDrawing) return;
  BlitKeyed(g.display.Sheet(source), g.BlitRect, g.display.World(), x, y);
}

void DrawPiece(Game& g, Bmp source, int32_t l, int32_t t, int32_t r, int32_t b, int32_t x, int32_t y) {
  g.BlitRect = Rect{l, t, r, b};
  Draw(g, source, x, y);
}

void Present(Game& g, Platform& platform, bool stepped) {
  g.BlitRect = Rect{g.CameraX, g.CameraY, g.CameraX + kScreenWidth, g.CameraY + kScreenHeight};
  BlitKeyed(g.display.World(), g.BlitRect, g.display.back, 0, 0);
  if (g.card.Shown) ControlsCardDraw(g, g.display.back);
  // The flip: the shown picture becomes the back buffer of the next pass.
  std::swap(g.display.back, g.display.front);
  // Without a new step the world is unchanged, and after two flips so are
  // both buffers: nothing new to put on screen.
  if (stepped) g.display.newPictures = 2;
  if (g.display.newPictures == 0) return;
  --g.display.newPictures;
  platform.Show(g.display.front);
}

}  // namespace kt
