#pragma once
// The game's version, written into every demo it records.
#include <string_view>

namespace kt {

inline constexpr std::string_view kGameVersion = "0.9.0";

}  // namespace kt
