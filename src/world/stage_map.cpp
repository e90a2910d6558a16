#include "world/stage_map.hpp"

#include <charconv>

#include "platform/data_checks.hpp"
#include "platform/fatal.hpp"

namespace kt {

namespace {

bool IsSeparator(char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

constexpr std::string_view kUtf8Mark = "\xef\xbb\xbf";

// A field as a message shows it: bad bytes escaped, a long one cut short.
std::string FieldText(std::string_view field) {
  constexpr size_t kShown = 20;
  return "'" + EscapeBytes(field.substr(0, kShown)) + (field.size() > kShown ? "...'" : "'");
}

}  // namespace

void ParseMapBand(std::string_view text, const std::string& fileName, const MapBand& band, StageMapData& map) {
  const int width = band.lastColumn - band.firstColumn + 1;
  const int needed = width * kMapFileRows;
  size_t pos = 0;
  int line = 1;
  if (text.starts_with(kUtf8Mark))
    throw FatalError(fileName + ": begins with a UTF-8 byte-order mark (\\xef\\xbb\\xbf); map files are plain text");
  if (text.starts_with("\xff\xfe") || text.starts_with("\xfe\xff"))
    throw FatalError(fileName + ": begins with a UTF-16 byte-order mark (" + EscapeBytes(text.substr(0, 2)) +
                     "); map files are plain text");
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
    if (field.size() > 1 && field[0] == '+' && field[1] != '-') ++first;
    const auto [ptr, ec] = std::from_chars(first, field.data() + field.size(), value);
    if (ec != std::errc() || ptr != field.data() + field.size()) {
      const std::string where = fileName + ": line " + std::to_string(line) + ", value " + std::to_string(n + 1) + ": ";
      if (ec == std::errc::result_out_of_range && ptr == field.data() + field.size())
        throw FatalError(where + FieldText(field) + " is too large for a map value");
      if (field.find(kUtf8Mark) != std::string_view::npos)
        throw FatalError(where + FieldText(field) + " is not a number (it holds a byte-order mark)");
      throw FatalError(where + FieldText(field) + " is not a number");
    }
    map.At(band.firstColumn + n % width, n / width) = value;
    pos = end;
  }
  // Anything after the 32nd row is ignored.
}

void LoadStageMap(const std::filesystem::path& mapDir, StageMapData& map) {
  for (const MapBand& band : kMapBands) {
    const std::filesystem::path path = mapDir / band.file;
    ParseMapBand(ReadDataFile(path, kMaxMapFileBytes), PathText(path), band, map);
  }
}

}  // namespace kt
