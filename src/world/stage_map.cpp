#include "world/stage_map.hpp"

#include <charconv>
#include <fstream>
#include <sstream>

#include "platform/fatal.hpp"

namespace kt {

namespace {

bool IsSeparator(char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

void ParseMapBand(std::string_view text, const std::string& fileName, const MapBand& band, StageMapData& map) {
  const int width = band.lastColumn - band.firstColumn + 1;
  const int needed = width * kMapFileRows;
  size_t pos = 0;
  int line = 1;
  auto skipSeparators = [&] {
    while (pos < text.size() && IsSeparator(text[pos])) {
      if (text[pos] == '\n') ++line;
      ++pos;
    }
  };
  for (int n = 0; n < needed; ++n) {
    skipSeparators();
    if (pos >= text.size())
      throw FatalError(fileName + ": holds " + std::to_string(n) + " values, the map needs " + std::to_string(needed));
    size_t end = pos;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    const std::string_view field = text.substr(pos, end - pos);
    int32_t value = 0;
    const char* first = field.data();
    if (!field.empty() && field.front() == '+') ++first;
    const auto [ptr, ec] = std::from_chars(first, field.data() + field.size(), value);
    if (ec != std::errc() || ptr != field.data() + field.size())
      throw FatalError(fileName + ": line " + std::to_string(line) + ", value " + std::to_string(n + 1) + ": '" +
                       std::string(field.substr(0, 20)) + "' is not a number");
    map.At(band.firstColumn + n % width, n / width) = value;
    pos = end;
  }
  // Anything after the 32nd row is ignored.
}

void LoadStageMap(const std::filesystem::path& mapDir, StageMapData& map) {
  for (const MapBand& band : kMapBands) {
    const std::filesystem::path path = mapDir / band.file;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FatalError(path.string() + ": cannot open the map file");
    std::ostringstream text;
    text << in.rdbuf();
    ParseMapBand(text.str(), path.string(), band, map);
  }
}

}  // namespace kt
