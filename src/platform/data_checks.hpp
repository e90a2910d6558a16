#pragma once
// Checks every data file passes before its contents are trusted: the file must
// be a regular file of sane size, a picture's header must describe a picture
// of the size the game expects whose pixels fit in the file, and a sound's
// header a format we convert at a rate and length we can hold. Plain code with
// no SDL, so the fuzz targets call it directly. Every refusal is a FatalError
// of one line that starts with the file's name.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace kt {

// `bytes` with every byte outside printable ASCII shown as \xNN (and a
// backslash as \\), so a message shows exactly what the file holds and stays
// one line.
std::string EscapeBytes(std::string_view bytes);

// A path for a message: control bytes escaped, everything else as it stands.
std::string PathText(const std::filesystem::path& path);

// Throws unless `path` names a regular file (links followed) of 1 to
// `maxBytes` bytes; returns its size. Says "file not found", "not a regular
// file (a folder)", "file is empty" or "too large" as the case is.
uint64_t CheckDataFile(const std::filesystem::path& path, uint64_t maxBytes);

// CheckDataFile, then the whole file, reading never more than `maxBytes`.
std::string ReadDataFile(const std::filesystem::path& path, uint64_t maxBytes);

// ---- pictures --------------------------------------------------------------

// The sizes a picture may have: at least what the game draws from it, at most
// half as much again in each direction (which bounds the memory a picture
// takes while it is read).
struct PictureLimits {
  int32_t minWidth, minHeight, maxWidth, maxHeight;
};
PictureLimits SheetLimits(int32_t width, int32_t height);

// The most of a BMP file the header check reads: file header, the largest
// info header, bit masks and a 256-colour palette.
inline constexpr size_t kBmpHeadBytes = 14 + 124 + 12 + 256 * 4;

struct BmpHeader {
  int32_t width = 0, height = 0;  // height positive; see topDown
  bool topDown = false;
  uint16_t bitsPerPixel = 0;
  uint32_t compression = 0;
  uint32_t pixelOffset = 0;
};

// Checks the header of a BMP file of `fileSize` bytes, `head` being its first
// min(fileSize, kBmpHeadBytes) bytes. Accepts the Windows and OS/2 headers,
// 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed, bit fields or
// run-length encoded, bottom-up or top-down; refuses anything else, a size
// outside `limits`, and pixel data that does not fit in the file.
BmpHeader CheckBmpHeader(std::span<const uint8_t> head, uint64_t fileSize, const PictureLimits& limits,
                         const std::string& name);

// ---- sounds ----------------------------------------------------------------

inline constexpr uint32_t kMinSoundRate = 8'000, kMaxSoundRate = 192'000;
inline constexpr int kMaxSoundChannels = 8;
inline constexpr uint32_t kMaxSoundSeconds = 60;
inline constexpr uint64_t kMaxSoundFileBytes = 16ull << 20;  // a minute of CD sound is 10.6 MB

struct WaveHeader {
  uint16_t encoding = 0;  // 1 PCM, 2 MS ADPCM, 3 float, 6 A-law, 7 mu-law, 0x11 IMA ADPCM
  uint16_t channels = 0;
  uint32_t rate = 0;
  uint16_t bitsPerSample = 0;
  uint64_t dataBytes = 0;
  uint64_t frames = 0;  // at most this many sample frames
};

// Walks the RIFF chunks of a whole WAV file: a format chunk before a data
// chunk that fits in the file, an encoding SDL decodes, 1 to 8 channels, a
// rate of 8,000 to 192,000 Hz, at least one sample and at most a minute.
WaveHeader CheckWaveHeader(std::span<const uint8_t> file, const std::string& name);

}  // namespace kt
