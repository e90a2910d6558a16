#pragma once
// The game's version, written into every demo it records; the build takes it
// from the one place it is set, the project's version in CMakeLists.txt.
#include <string_view>

#include "kt_build_info.hpp"

namespace kt {

inline constexpr std::string_view kGameVersion = KT_VERSION;

}  // namespace kt
