#pragma once
// Where the game's data folder (bmp/, sound/, map/) is found: the folder named
// on the command line; otherwise data/ beside the program (the build tree),
// then the installed share folder relative to the program, so an installed
// tree still works after it has been moved to another prefix.
#include <cstdint>
#include <filesystem>
#include <vector>

namespace kt {

// The folders looked at, in order. A given folder is the only one.
std::vector<std::filesystem::path> DataDirCandidates(const std::filesystem::path& given,
                                                     const std::filesystem::path& programDir);

// Whether `dir` holds the three data folders.
bool HoldsGameData(const std::filesystem::path& dir);

// The first candidate that holds the game data. Throws FatalError listing
// every place looked at when none does.
std::filesystem::path FindDataDir(const std::filesystem::path& given, const std::filesystem::path& programDir);

// A hash of every data file the game reads from `dir` (names and bytes), so
// two machines can tell whether they play with the same pictures, sounds and
// stage. A file that cannot be read counts as empty.
uint64_t DataHash(const std::filesystem::path& dir);

}  // namespace kt
