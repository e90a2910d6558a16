// Loading pictures and sounds with SDL's readers, converted once to the formats
// the game uses: RGB565 pictures and the mixer's sample format.
#include <SDL.h>

#include <cstring>
#include <fstream>

#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace kt {

namespace {

// A file that does not exist or holds nothing gets a clearer message than the
// reader's own.
void CheckReadable(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) throw FatalError(path.string() + ": file not found");
  if (std::filesystem::file_size(path, ec) == 0) throw FatalError(path.string() + ": file is empty");
}

}  // namespace

Surface LoadBitmap(const std::filesystem::path& path) {
  CheckReadable(path);
  SDL_Surface* loaded = SDL_LoadBMP(path.string().c_str());
  if (!loaded) throw FatalError(path.string() + ": not a readable BMP picture (" + SDL_GetError() + ")");
  SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB565, 0);
  SDL_FreeSurface(loaded);
  if (!s) throw FatalError(path.string() + ": cannot convert the picture (" + SDL_GetError() + ")");
  Surface out(s->w, s->h);
  SDL_LockSurface(s);
  for (int y = 0; y < s->h; ++y)
    std::memcpy(out.px.data() + static_cast<size_t>(y) * s->w, static_cast<const uint8_t*>(s->pixels) + y * s->pitch,
                static_cast<size_t>(s->w) * 2);
  SDL_UnlockSurface(s);
  SDL_FreeSurface(s);
  return out;
}

std::vector<int16_t> LoadWave(const std::filesystem::path& path, const AudioFormat& format) {
  CheckReadable(path);
  SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "verystrict");
  SDL_SetHint(SDL_HINT_WAVE_RIFF_CHUNK_SIZE, "force");
  SDL_AudioSpec spec;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV(path.string().c_str(), &spec, &buffer, &length))
    throw FatalError(path.string() + ": not a readable WAV sound (" + SDL_GetError() + ")");
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS,
                        static_cast<Uint8>(format.channels), format.rate) < 0) {
    SDL_FreeWAV(buffer);
    throw FatalError(path.string() + ": cannot convert the sound (" + SDL_GetError() + ")");
  }
  std::vector<uint8_t> work(static_cast<size_t>(length) * static_cast<size_t>(cvt.len_mult) + 16);
  std::memcpy(work.data(), buffer, length);
  SDL_FreeWAV(buffer);
  cvt.buf = work.data();
  cvt.len = static_cast<int>(length);
  if (cvt.needed && SDL_ConvertAudio(&cvt) < 0)
    throw FatalError(path.string() + ": cannot convert the sound (" + SDL_GetError() + ")");
  const size_t bytes = cvt.needed ? static_cast<size_t>(cvt.len_cvt) : length;
  std::vector<int16_t> samples(bytes / 2);
  std::memcpy(samples.data(), work.data(), samples.size() * 2);
  if (samples.empty()) throw FatalError(path.string() + ": the sound holds no samples");
  return samples;
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

std::filesystem::path UserDataDir() {
  char* pref = SDL_GetPrefPath("", "kurara-tavo");
  if (!pref) return {};
  std::filesystem::path dir(pref);
  SDL_free(pref);
  return dir;
}

}  // namespace kt
