#include "loop/data_dir.hpp"

#define XXH_STATIC_LINKING_ONLY  // the streaming state on the stack
#include <xxhash.h>

#include <fstream>
#include <string>

#include "loop/assets.hpp"
#include "world/stage_map.hpp"

#include <string>

#include "kt_build_info.hpp"
#include "platform/fatal.hpp"

namespace kt {

namespace fs = std::filesystem;

std::vector<fs::path> DataDirCandidates(const fs::path& given, const fs::path& programDir) {
  if (!given.empty()) return {given};
  // lexically_normal turns "/usr/bin/../share/kurara-tavo" into what a player
  // would look for in the error message.
  return {(programDir / "data").lexically_normal(), (programDir / KT_DATA_FROM_PROGRAM).lexically_normal()};
}

bool HoldsGameData(const fs::path& dir) {
  std::error_code ec;
  for (const char* sub : {"bmp", "sound", "map"})
    if (!fs::is_directory(dir / sub, ec)) return false;
  return true;
}

fs::path FindDataDir(const fs::path& given, const fs::path& programDir) {
  const auto candidates = DataDirCandidates(given, programDir);
  std::string looked;
  for (const fs::path& dir : candidates) {
    if (HoldsGameData(dir)) return dir;
    looked += (looked.empty() ? "" : ", ") + dir.string();
  }
  throw FatalError("no game data (a folder with bmp/, sound/ and map/) found; looked in " + looked);
}

uint64_t DataHash(const std::filesystem::path& dir) {
  std::vector<std::string> files;
  for (const BitmapFile& b : kBitmapFiles) files.push_back("bmp/" + std::string(b.name) + ".bmp");
  for (std::string_view s : kSoundFiles) files.push_back("sound/" + std::string(s) + ".wav");
  for (const MapBand& m : kMapBands) files.push_back("map/" + std::string(m.file));
  XXH3_state_t state;
  XXH3_64bits_reset(&state);
  std::vector<char> chunk(1 << 16);
  for (const std::string& name : files) {
    XXH3_64bits_update(&state, name.c_str(), name.size() + 1);
    std::ifstream in(dir / name, std::ios::binary);
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0)
      XXH3_64bits_update(&state, chunk.data(), static_cast<size_t>(in.gcount()));
  }
  return XXH3_64bits_digest(&state);
}

}  // namespace kt
