#pragma once
// The program's icon for the desktop: the two heroes' heads side by side on a
// rounded tile of sky and grass.
#include <array>

#include "gen/canvas.hpp"

namespace gen {

// The sizes the icon is installed at (square, in pixels); CMakeLists.txt installs the same.
inline constexpr std::array<int, 4> kIconSizes{32, 64, 128, 256};

// The icon at size x size; colour 0 is transparent.
Canvas PaintIcon(int size);

}  // namespace gen
