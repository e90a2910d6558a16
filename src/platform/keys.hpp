#pragma once
// Virtual-key codes the game reads, and the key table they index.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kt {

// 256 key levels indexed by virtual-key code; true while the key is held.
using KeyTable = std::array<bool, 256>;

namespace vk {
// Raised by the platform for one pass when the window loses the focus or a pad
// is removed: during the stage it opens the pause menu as Enter does. No key
// of the keyboard has this code.
inline constexpr uint8_t FocusLost = 7;
inline constexpr uint8_t Enter = 13;
inline constexpr uint8_t Escape = 27;
inline constexpr uint8_t Space = 32;
inline constexpr uint8_t Left = 37;
inline constexpr uint8_t Up = 38;
inline constexpr uint8_t Right = 39;
inline constexpr uint8_t Down = 40;
inline constexpr uint8_t F1 = 112;  // the controls card
inline constexpr uint8_t F6 = 117;
constexpr uint8_t Letter(char c) { return static_cast<uint8_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); }
}  // namespace vk

// Names used by key scripts: Escape Enter Space Left Right Up Down F1 F6
// FocusLost and A-Z (letters in either case). Returns nothing for an unknown
// name.
std::optional<uint8_t> KeyCodeFromName(std::string_view name);
std::string_view KeyName(uint8_t code);  // "" for codes without a name

}  // namespace kt
