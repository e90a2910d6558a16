#pragma once
// Hostile data: every way the game's data files can be broken or merely
// unusual, written into a data folder one case at a time. Shared by the
// start-up matrix in the tests and the kthostile program the memory and time
// script drives.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/surface.hpp"

namespace hostile {

namespace fs = std::filesystem;

// ---- encoders ----------------------------------------------------------------

enum class BmpFormat { Bits16, Bits16TopDown, Bits24, Bits32, Bits32Alpha, Os2Bits24, Palette8, Palette4, Rle8 };

// A picture encoded as a BMP file and the RGB565 picture a correct reader
// makes of it (the same picture, or its palette colours).
struct EncodedBmp {
  std::string bytes;
  kt::Surface expected;
};
EncodedBmp EncodeBmp(const kt::Surface& picture, BmpFormat format);

// A bare 40-byte-header BMP: file header, info header and `tail` (masks,
// palette, pixels), with every field as given.
std::string BmpBytes(int32_t width, int32_t height, uint16_t bits, uint32_t compression, uint32_t pixelOffset,
                     const std::string& tail, uint16_t planes = 1, uint32_t colours = 0, uint32_t infoSize = 40);

enum class WavFormat { Pcm8, Pcm16, Pcm24, Pcm32, Float32, Float64, Extensible16, ExtensibleFloat };

// Mono 16-bit samples as a WAV file of `channels` identical channels.
std::string EncodeWav(const std::vector<int16_t>& mono, uint32_t rate, WavFormat format, uint16_t channels = 1);

// A WAV of a 16-byte format chunk with the fields as given and one data chunk
// declaring `declared` bytes and holding `data`.
std::string WavBytes(uint16_t encoding, uint16_t channels, uint32_t rate, uint16_t bits, const std::string& data,
                     uint32_t declared);

// The 16-bit mono samples of one of our generated sounds.
std::vector<int16_t> ReadGeneratedWav(const fs::path& path);

// ---- the cases -----------------------------------------------------------------

struct Case {
  std::string group;   // "sound files", "pictures", ...
  std::string name;    // what was done, for reports
  fs::path file;       // the file spoiled, relative to the data folder
  bool loads = false;  // a legitimate format: start-up must succeed
  std::string phrase;  // a failure's message contains this
  std::function<void(const fs::path& at)> make;  // creates the spoiled entry at `at`, where nothing is
};

// Every case, built on the generated data in `realData`.
std::vector<Case> Cases(const fs::path& realData);

// Fills `dir` (bmp/, sound/, map/) with links to the files of `realData`.
void LinkData(const fs::path& realData, const fs::path& dir);
// Replaces the case's file in `dir` by its variant; Restore puts the link back.
void Spoil(const Case& c, const fs::path& dir);
void Restore(const Case& c, const fs::path& realData, const fs::path& dir);

}  // namespace hostile
