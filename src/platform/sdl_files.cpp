// Loading pictures and sounds with SDL's readers, converted once to the formats
// the game uses: RGB565 pictures and the mixer's sample format.
#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <new>

#include "platform/data_checks.hpp"
#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace kt {

namespace {

std::string SdlError() { return EscapeBytes(SDL_GetError()); }

struct RwCloser {
  void operator()(SDL_RWops* rw) const { SDL_RWclose(rw); }
};
using RwPtr = std::unique_ptr<SDL_RWops, RwCloser>;

struct SurfaceFreer {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFreer>;

struct WavFreer {
  void operator()(Uint8* b) const { SDL_FreeWAV(b); }
};

// Reads a BMP of `size` bytes from `rw`: our own header check first, so SDL
// never sees a picture larger than the sheet may be or pixels the file does
// not hold; then SDL's reader and one conversion to RGB565.
Surface ReadBitmap(SDL_RWops* rw, uint64_t size, const std::string& name, const PictureLimits& limits) {
  std::vector<uint8_t> head(static_cast<size_t>(std::min<uint64_t>(size, kBmpHeadBytes)));
  if (SDL_RWread(rw, head.data(), 1, head.size()) != head.size())
    throw FatalError(name + ": cannot read the file (" + SdlError() + ")");
  const BmpHeader h = CheckBmpHeader(head, size, limits, name);
  if (SDL_RWseek(rw, 0, RW_SEEK_SET) != 0) throw FatalError(name + ": cannot read the file (" + SdlError() + ")");
  SurfacePtr loaded(SDL_LoadBMP_RW(rw, 0));
  if (!loaded) throw FatalError(name + ": not a readable BMP picture (" + SdlError() + ")");
  if (loaded->w != h.width || loaded->h != h.height)
    throw FatalError(name + ": the picture read is " + std::to_string(loaded->w) + " x " +
                     std::to_string(loaded->h) + ", its header says " + std::to_string(h.width) + " x " +
                     std::to_string(h.height));
  Surface out(h.width, h.height);
  const int pitch = h.width * 2;
  if (!SDL_ISPIXELFORMAT_INDEXED(loaded->format->format)) {
    // Straight into our buffer: no second full-size copy of a large picture.
    SDL_LockSurface(loaded.get());
    const int rc = SDL_ConvertPixels(h.width, h.height, loaded->format->format, loaded->pixels, loaded->pitch,
                                     SDL_PIXELFORMAT_RGB565, out.px.data(), pitch);
    SDL_UnlockSurface(loaded.get());
    if (rc == 0) return out;
  }
  SurfacePtr s(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB565, 0));
  if (!s) throw FatalError(name + ": cannot convert the picture (" + SdlError() + ")");
  loaded.reset();
  SDL_LockSurface(s.get());
  for (int y = 0; y < s->h; ++y)
    std::memcpy(out.px.data() + static_cast<size_t>(y) * s->w, static_cast<const uint8_t*>(s->pixels) + y * s->pitch,
                static_cast<size_t>(pitch));
  SDL_UnlockSurface(s.get());
  return out;
}

// SDL converts a sound in place in a buffer some times its length; beyond
// this the file is refused rather than the memory taken. Sounds at common
// rates need a few megabytes.
constexpr uint64_t kMaxConversionBytes = 64ull << 20;

// Decodes and converts a WAV file's bytes; `release` is called as soon as SDL
// holds the samples, so a caller can free the file's bytes before the
// conversion needs its memory.
std::vector<int16_t> ReadWave(std::span<const uint8_t> file, const std::string& name, const AudioFormat& format,
                              const std::function<void()>& release) {
  const auto fail = [&](const std::string& why) { return FatalError(name + ": " + why); };
  const WaveHeader header = CheckWaveHeader(file, name);
  try {
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "verystrict");
    SDL_SetHint(SDL_HINT_WAVE_RIFF_CHUNK_SIZE, "force");
    SDL_AudioSpec spec;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1, &spec, &buffer, &length))
      throw fail("not a readable WAV sound (" + SdlError() + ")");
    std::unique_ptr<Uint8, WavFreer> decoded(buffer);
    release();
    // SDL read the header we checked; its decoded form must agree with it.
    if (spec.freq != static_cast<int>(header.rate) || spec.channels != header.channels)
      throw fail("the decoded sound's format differs from its header");
    const uint64_t frameBytes = uint64_t{SDL_AUDIO_BITSIZE(spec.format) / 8u} * spec.channels;
    if (length < frameBytes || !buffer) throw fail("the sound holds no samples");
    if (length / frameBytes > uint64_t{header.rate} * kMaxSoundSeconds)
      throw fail("the sound lasts longer than the " + std::to_string(kMaxSoundSeconds) + " s a sound may last");
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS,
                          static_cast<Uint8>(format.channels), format.rate) < 0)
      throw fail("cannot convert the sound (" + SdlError() + ")");
    const uint64_t workBytes = uint64_t{length} * static_cast<uint64_t>(std::max(cvt.len_mult, 1)) + 16;
    if (workBytes > kMaxConversionBytes)
      throw fail("too large to convert (" + std::to_string(workBytes) + " bytes of working memory, at most " +
                 std::to_string(kMaxConversionBytes) + ")");
    std::vector<uint8_t> work(static_cast<size_t>(workBytes));
    std::memcpy(work.data(), buffer, length);
    decoded.reset();
    cvt.buf = work.data();
    cvt.len = static_cast<int>(length);
    if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) throw fail("cannot convert the sound (" + SdlError() + ")");
    const size_t bytes = cvt.needed ? static_cast<size_t>(cvt.len_cvt) : length;
    std::vector<int16_t> samples(bytes / 2);
    if (samples.empty()) throw fail("the sound holds no samples");
    std::memcpy(samples.data(), work.data(), samples.size() * 2);
    return samples;
  } catch (const std::bad_alloc&) {
    throw fail("not enough memory to load the sound");
  }
}

}  // namespace

Surface DecodeBitmap(std::span<const uint8_t> file, const std::string& name, const PictureLimits& limits) {
  try {
    RwPtr rw(SDL_RWFromConstMem(file.data(), static_cast<int>(std::min<size_t>(file.size(), INT32_MAX))));
    if (!rw) throw FatalError(name + ": " + SdlError());
    return ReadBitmap(rw.get(), file.size(), name, limits);
  } catch (const std::bad_alloc&) {
    throw FatalError(name + ": not enough memory to load the picture");
  }
}

Surface LoadBitmap(const std::filesystem::path& path, const PictureLimits& limits) {
  const std::string name = PathText(path);
  const uint64_t size = CheckDataFile(path, UINT64_MAX);
  try {
    RwPtr rw(SDL_RWFromFile(path.string().c_str(), "rb"));
    if (!rw) throw FatalError(name + ": cannot open the file (" + SdlError() + ")");
    return ReadBitmap(rw.get(), size, name, limits);
  } catch (const std::bad_alloc&) {
    throw FatalError(name + ": not enough memory to load the picture");
  }
}

std::vector<int16_t> DecodeWave(std::span<const uint8_t> file, const std::string& name, const AudioFormat& format) {
  return ReadWave(file, name, format, [] {});
}

std::vector<int16_t> LoadWave(const std::filesystem::path& path, const AudioFormat& format) {
  std::string bytes = ReadDataFile(path, kMaxSoundFileBytes);
  return ReadWave({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, PathText(path), format,
                  [&bytes] { std::string().swap(bytes); });
}

void SaveBitmap(const std::filesystem::path& path, const Surface& s) {
  SDL_Surface* out = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint16_t*>(s.px.data()), s.w, s.h, 16, s.w * 2,
                                                        SDL_PIXELFORMAT_RGB565);
  if (!out) throw FatalError(path.string() + ": " + SDL_GetError());
  const int rc = SDL_SaveBMP(out, path.string().c_str());
  SDL_FreeSurface(out);
  if (rc != 0) throw FatalError(path.string() + ": cannot write the picture (" + SDL_GetError() + ")");
}

std::filesystem::path ProgramDir() {
  char* base = SDL_GetBasePath();
  if (!base) return std::filesystem::current_path();
  std::filesystem::path dir(base);
  SDL_free(base);
  return dir;
}

}  // namespace kt
