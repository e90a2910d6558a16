#include "loop/data_dir.hpp"

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

}  // namespace kt
