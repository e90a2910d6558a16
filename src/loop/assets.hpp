#pragma once
// The game's data files: 14 pictures, 27 sounds and 6 map files below data/.
#include <array>
#include <cstdint>
#include <string_view>

namespace kt {

// Bitmap surfaces, in load order.
enum class Bmp : uint8_t {
  black,  // the world surface
  haikei256,
  tyukan,
  geji256,
  char256,
  OPhaikei,
  option1280,
  optionmoji,
  tobidasi,
  GameOption,
  Staff,
  Hako,
  teki,
  fontmoji,  // the letters for text the game sets itself (loop/font_sheet.hpp)
};
inline constexpr int kBitmapCount = 14;

struct BitmapFile {
  std::string_view name;  // file base name, also the surface's name
  int width, height;      // the size our generator paints
};
inline constexpr std::array<BitmapFile, kBitmapCount> kBitmapFiles{{
    {"black", 5800, 1100},
    {"haikei256", 5120, 710},
    {"tyukan", 5120, 580},
    {"geji256", 700, 300},
    {"char256", 1530, 640},
    {"OPhaikei", 1921, 560},
    {"option1280", 1280, 960},
    {"optionmoji", 640, 180},
    {"tobidasi", 240, 900},
    {"GameOption", 400, 442},
    {"Staff", 380, 1000},
    {"Hako", 520, 600},
    {"teki", 1420, 620},
    {"fontmoji", 512, 352},
}};

// Sound voices, in load order.
enum class Sfx : uint8_t {
  sentaku,
  kettei,
  Varuki,
  Vkougeki,
  Vtobi,
  Gkougeki,
  G_yarare,
  K_aruki,
  K_yarare,
  P_tobi,
  P_yarare,
  OP,
  G_over,
  rakka,
  Vatari,
  MTLS,
  TLS,
  tamari,
  THS,
  BossS,
  sikakutobi,
  story,
  clear,
  bossbimu,
  sikakuK,
  bosshaba,
  nigekoe,
};
inline constexpr int kSoundCount = 27;

inline constexpr std::array<std::string_view, kSoundCount> kSoundFiles{
    "sentaku", "kettei",   "Varuki", "Vkougeki", "Vtobi", "Gkougeki",   "G_yarare", "K_aruki",  "K_yarare",
    "P_tobi",  "P_yarare", "OP",     "G_over",   "rakka", "Vatari",     "MTLS",     "TLS",      "tamari",
    "THS",     "BossS",    "sikakutobi", "story", "clear", "bossbimu", "sikakuK",  "bosshaba", "nigekoe",
};

// The five tunes follow the music volume, every other sound (the boss's cry
// in the ending too) the effects volume.
inline constexpr bool IsMusic(Sfx s) {
  return s == Sfx::OP || s == Sfx::G_over || s == Sfx::BossS || s == Sfx::story || s == Sfx::clear;
}

inline constexpr std::string_view SoundName(Sfx s) { return kSoundFiles[static_cast<size_t>(s)]; }
inline constexpr std::string_view BitmapName(Bmp b) { return kBitmapFiles[static_cast<size_t>(b)].name; }

}  // namespace kt
