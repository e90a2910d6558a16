// The map parser: the first byte picks the band, the rest is the file's text.
// It writes every cell of its band in rows 0..31 when it succeeds and never a
// cell outside them, whatever the text.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "check.hpp"
#include "platform/fatal.hpp"
#include "world/stage_map.hpp"

using namespace kt;

namespace {

constexpr int32_t kFillA = 0x5a5a5a5a, kFillB = -0x35353536;

// Maps filled with one value each, made once. Filling and comparing go
// through memcpy and memcmp: a loop would call the fuzzer's comparison hook
// for every cell.
const StageMapData& Filled(int32_t fill) {
  static const auto make = [](int32_t value) {
    auto map = std::make_unique<StageMapData>();
    map->cells.fill(value);
    return map;
  };
  static const auto a = make(kFillA), b = make(kFillB);
  return fill == kFillA ? *a : *b;
}

// Whether cells [from, from + count) of `map` all hold `fill`.
bool Untouched(const StageMapData& map, size_t from, size_t count, int32_t fill) {
  return std::memcmp(map.cells.data() + from, Filled(fill).cells.data() + from, count * sizeof(int32_t)) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const MapBand& band = kMapBands[data[0] % kMapBands.size()];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string name = "map/" + std::string(band.file);
  // Two runs over maps filled with two different values: a cell the parser
  // wrote holds the same in both, a cell it left alone keeps its filling.
  static StageMapData a, b;
  a = Filled(kFillA);
  b = Filled(kFillB);
  bool ok = true;
  try {
    ParseMapBand(text, name, band, a);
  } catch (const FatalError& e) {
    ok = false;
    fuzz::CheckMessage(e.what(), name);
    fuzz::Show(e.what());
  }
  try {
    ParseMapBand(text, name, band, b);
    fuzz::Require(ok, "the parser accepted the text only the second time");
  } catch (const FatalError&) {
    fuzz::Require(!ok, "the parser refused the text only the second time");
  }
  if (ok) fuzz::Show(name + ": loads");
  // Cells are stored column after column: the columns before and after the
  // band, and rows 32 to 300 of the band's own columns, are never written.
  const auto column = [](int c) { return static_cast<size_t>(c) * kMapSize; };
  const size_t before = column(band.firstColumn), after = column(band.lastColumn + 1);
  for (const auto& [map, fill] : {std::pair{&a, kFillA}, std::pair{&b, kFillB}}) {
    fuzz::Require(Untouched(*map, 0, before, fill), "a cell left of the band was written");
    fuzz::Require(Untouched(*map, after, map->cells.size() - after, fill), "a cell right of the band was written");
    for (int c = band.firstColumn; c <= band.lastColumn; ++c)
      fuzz::Require(Untouched(*map, column(c) + kMapFileRows, kMapSize - kMapFileRows, fill),
                    "a cell below row 31 was written");
  }
  if (ok)
    for (int c = band.firstColumn; c <= band.lastColumn; ++c)
      fuzz::Require(std::memcmp(&a.At(c, 0), &b.At(c, 0), kMapFileRows * sizeof(int32_t)) == 0,
                    "a cell of the band was not written");
  return 0;
}
