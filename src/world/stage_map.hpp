#pragma once
// The stage's solid ground: a grid of 20 x 20 pixel cells, 1 = solid.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kt {

inline constexpr int kMapSize = 301;      // columns and rows 0..300
inline constexpr int kMapFileRows = 32;   // rows 0..31 come from the files
inline constexpr int kCellSize = 20;

struct StageMapData {
  std::array<int32_t, kMapSize * kMapSize> cells{};  // indexed [column * kMapSize + row]
  // Counts the writes through At(), so the state hash need not read the whole
  // map after every step: it keeps the map's hash until the map changes.
  uint32_t Version = 0;
  mutable uint32_t HashedVersion = 0;
  mutable bool Hashed = false;
  mutable uint64_t Hash = 0;

  int32_t& At(int column, int row) {
    ++Version;
    return cells[static_cast<size_t>(column) * kMapSize + row];
  }
  int32_t At(int column, int row) const { return cells[static_cast<size_t>(column) * kMapSize + row]; }
  // Cells outside 0..300 read as open, so no probe can leave the grid.
  bool Solid(int column, int row) const {
    return column >= 0 && column < kMapSize && row >= 0 && row < kMapSize && At(column, row) == 1;
  }
  // The cell under world pixel (x, y), by truncating division.
  bool SolidAt(int x, int y) const { return Solid(x / kCellSize, y / kCellSize); }
};

struct MapBand {
  std::string_view file;
  int firstColumn, lastColumn;
};
inline constexpr std::array<MapBand, 6> kMapBands{{
    {"map11.dat", 0, 50},
    {"map12.dat", 51, 100},
    {"map13.dat", 101, 150},
    {"map14.dat", 151, 200},
    {"map15.dat", 201, 250},
    {"map16.dat", 251, 300},
}};

// A map file is a few kilobytes; anything beyond this is not a map.
inline constexpr uint64_t kMaxMapFileBytes = 1u << 20;

// Reads one file's values (decimal integers separated by commas, blanks or line
// breaks) row by row into its band. Throws FatalError naming `fileName` if the
// file holds too few values, a field that is not a number or does not fit in
// 32 bits, or begins with a byte-order mark; bad bytes are shown escaped.
// Writes only the band's columns in rows 0..31.
void ParseMapBand(std::string_view text, const std::string& fileName, const MapBand& band, StageMapData& map);

// Loads all six files from `mapDir` in order. Throws FatalError on any problem,
// a file that is missing, not a regular file, empty or over kMaxMapFileBytes
// included.
void LoadStageMap(const std::filesystem::path& mapDir, StageMapData& map);

}  // namespace kt
