#include "hostile/variants.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "loop/assets.hpp"
#include "platform/data_checks.hpp"
#include "platform/platform.hpp"
#include "world/stage_map.hpp"

namespace hostile {

namespace {

void Put16(std::string& o, uint32_t v) {
  o += static_cast<char>(v & 0xff);
  o += static_cast<char>(v >> 8 & 0xff);
}
void Put32(std::string& o, uint32_t v) {
  Put16(o, v & 0xffff);
  Put16(o, v >> 16);
}
void Set32(std::string& o, size_t at, uint32_t v) {
  std::string b;
  Put32(b, v);
  o.replace(at, 4, b);
}

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  if (!in) throw std::runtime_error(p.string() + ": cannot read");
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
void WriteAll(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error(p.string() + ": cannot write");
}

struct Rgb {
  uint8_t r, g, b;
};
Rgb Expand(uint16_t p) {
  const unsigned r = p >> 11, g = p >> 5 & 63, b = p & 31;
  return {static_cast<uint8_t>(r << 3 | r >> 2), static_cast<uint8_t>(g << 2 | g >> 4),
          static_cast<uint8_t>(b << 3 | b >> 2)};
}
uint16_t Pack(Rgb c) { return static_cast<uint16_t>((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3); }

// Palettes: 3-3-2 bits of red, green and blue (256 colours) and 1-2-1 (16).
Rgb Colour332(unsigned i) {
  return {static_cast<uint8_t>((i >> 5) * 255 / 7), static_cast<uint8_t>((i >> 2 & 7) * 255 / 7),
          static_cast<uint8_t>((i & 3) * 85)};
}
unsigned Index332(uint16_t p) { return (p >> 13) << 5 | (p >> 8 & 7) << 2 | (p >> 3 & 3); }
Rgb Colour121(unsigned i) {
  return {static_cast<uint8_t>((i >> 3) * 255), static_cast<uint8_t>((i >> 1 & 3) * 85),
          static_cast<uint8_t>((i & 1) * 255)};
}
unsigned Index121(uint16_t p) { return (p >> 15) << 3 | (p >> 9 & 3) << 1 | (p >> 4 & 1); }

std::string Palette(unsigned count, Rgb (*colour)(unsigned), bool os2 = false) {
  std::string o;
  for (unsigned i = 0; i < count; ++i) {
    const Rgb c = colour(i);
    o += static_cast<char>(c.b);
    o += static_cast<char>(c.g);
    o += static_cast<char>(c.r);
    if (!os2) o += '\0';
  }
  return o;
}

// Rows in file order with each row's bytes from `row(y)`, padded to 4 bytes.
std::string Rows(const kt::Surface& s, bool topDown, const std::function<std::string(int32_t y)>& row) {
  std::string o;
  for (int32_t i = 0; i < s.h; ++i) {
    std::string r = row(topDown ? i : s.h - 1 - i);
    r.resize((r.size() + 3) / 4 * 4, '\0');
    o += r;
  }
  return o;
}

}  // namespace

// ---- encoders ----------------------------------------------------------------

std::string BmpBytes(int32_t width, int32_t height, uint16_t bits, uint32_t compression, uint32_t pixelOffset,
                     const std::string& tail, uint16_t planes, uint32_t colours, uint32_t infoSize) {
  std::string o = "BM";
  Put32(o, static_cast<uint32_t>(14 + infoSize + tail.size()));
  Put32(o, 0);
  Put32(o, pixelOffset);
  Put32(o, infoSize);
  Put32(o, static_cast<uint32_t>(width));
  Put32(o, static_cast<uint32_t>(height));
  Put16(o, planes);
  Put16(o, bits);
  Put32(o, compression);
  Put32(o, 0);  // image size: may be 0 for uncompressed pictures
  Put32(o, 2835);
  Put32(o, 2835);
  Put32(o, colours);
  Put32(o, 0);
  o.resize(14 + infoSize, '\0');
  return o + tail;
}

EncodedBmp EncodeBmp(const kt::Surface& s, BmpFormat format) {
  EncodedBmp e{{}, s};
  const auto bgr = [&](int32_t y, bool four) {
    std::string r;
    for (int32_t x = 0; x < s.w; ++x) {
      const Rgb c = Expand(s.At(x, y));
      r += static_cast<char>(c.b);
      r += static_cast<char>(c.g);
      r += static_cast<char>(c.r);
      if (four) r += '\xff';
    }
    return r;
  };
  const auto mapped = [&](unsigned (*index)(uint16_t), Rgb (*colour)(unsigned)) {
    for (uint16_t& p : e.expected.px) p = Pack(colour(index(p)));
  };
  switch (format) {
    case BmpFormat::Bits16:
    case BmpFormat::Bits16TopDown: {
      const bool topDown = format == BmpFormat::Bits16TopDown;
      std::string tail;
      Put32(tail, 0xf800);
      Put32(tail, 0x07e0);
      Put32(tail, 0x001f);
      tail += Rows(s, topDown, [&](int32_t y) {
        std::string r;
        for (int32_t x = 0; x < s.w; ++x) Put16(r, s.At(x, y));
        return r;
      });
      e.bytes = BmpBytes(s.w, topDown ? -s.h : s.h, 16, 3, 66, tail);
      break;
    }
    case BmpFormat::Bits24:
      e.bytes = BmpBytes(s.w, s.h, 24, 0, 54, Rows(s, false, [&](int32_t y) { return bgr(y, false); }));
      break;
    case BmpFormat::Bits32:
      e.bytes = BmpBytes(s.w, s.h, 32, 0, 54, Rows(s, false, [&](int32_t y) { return bgr(y, true); }));
      break;
    case BmpFormat::Bits32Alpha: {
      // The version 5 header: bit masks with alpha inside the header.
      e.bytes = BmpBytes(s.w, s.h, 32, 3, 14 + 124, Rows(s, false, [&](int32_t y) { return bgr(y, true); }), 1, 0,
                         124);
      Set32(e.bytes, 54, 0x00ff0000);
      Set32(e.bytes, 58, 0x0000ff00);
      Set32(e.bytes, 62, 0x000000ff);
      Set32(e.bytes, 66, 0xff000000);
      Set32(e.bytes, 70, 0x73524742);  // 'sRGB'
      break;
    }
    case BmpFormat::Os2Bits24: {
      std::string o = "BM";
      const std::string pixels = Rows(s, false, [&](int32_t y) { return bgr(y, false); });
      Put32(o, static_cast<uint32_t>(26 + pixels.size()));
      Put32(o, 0);
      Put32(o, 26);
      Put32(o, 12);
      Put16(o, static_cast<uint32_t>(s.w));
      Put16(o, static_cast<uint32_t>(s.h));
      Put16(o, 1);
      Put16(o, 24);
      e.bytes = o + pixels;
      break;
    }
    case BmpFormat::Palette8:
      e.bytes = BmpBytes(s.w, s.h, 8, 0, 54 + 1024, Palette(256, Colour332) + Rows(s, false, [&](int32_t y) {
                           std::string r;
                           for (int32_t x = 0; x < s.w; ++x) r += static_cast<char>(Index332(s.At(x, y)));
                           return r;
                         }));
      mapped(Index332, Colour332);
      break;
    case BmpFormat::Palette4:
      e.bytes = BmpBytes(s.w, s.h, 4, 0, 54 + 64, Palette(16, Colour121) + Rows(s, false, [&](int32_t y) {
                           std::string r;
                           for (int32_t x = 0; x < s.w; x += 2) {
                             const unsigned hi = Index121(s.At(x, y));
                             const unsigned lo = x + 1 < s.w ? Index121(s.At(x + 1, y)) : 0;
                             r += static_cast<char>(hi << 4 | lo);
                           }
                           return r;
                         }), 1, 16);
      mapped(Index121, Colour121);
      break;
    case BmpFormat::Rle8: {
      std::string pixels;
      for (int32_t y = s.h - 1; y >= 0; --y) {
        for (int32_t x = 0; x < s.w;) {
          const unsigned index = Index332(s.At(x, y));
          int32_t run = 1;
          while (x + run < s.w && run < 255 && Index332(s.At(x + run, y)) == index) ++run;
          pixels += static_cast<char>(run);
          pixels += static_cast<char>(index);
          x += run;
        }
        pixels += std::string("\0\0", 2);  // end of line
      }
      pixels += std::string("\0\1", 2);  // end of picture
      e.bytes = BmpBytes(s.w, s.h, 8, 1, 54 + 1024, Palette(256, Colour332) + pixels);
      Set32(e.bytes, 34, static_cast<uint32_t>(pixels.size()));
      mapped(Index332, Colour332);
      break;
    }
  }
  return e;
}

std::string WavBytes(uint16_t encoding, uint16_t channels, uint32_t rate, uint16_t bits, const std::string& data,
                     uint32_t declared) {
  std::string o = "RIFF";
  Put32(o, static_cast<uint32_t>(std::min<uint64_t>(36 + std::max<uint64_t>(data.size(), declared), UINT32_MAX)));
  o += "WAVEfmt ";
  Put32(o, 16);
  Put16(o, encoding);
  Put16(o, channels);
  Put32(o, rate);
  Put32(o, rate * channels * (bits / 8u));
  Put16(o, static_cast<uint32_t>(channels * (bits / 8u)));
  Put16(o, bits);
  o += "data";
  Put32(o, declared);
  return o + data;
}

std::string EncodeWav(const std::vector<int16_t>& mono, uint32_t rate, WavFormat format, uint16_t channels) {
  std::string data;
  uint16_t bits = 16, encoding = 1;
  bool extensible = false;
  for (const int16_t s : mono) {
    for (uint16_t c = 0; c < channels; ++c) {
      switch (format) {
        case WavFormat::Pcm8:
          bits = 8;
          data += static_cast<char>((s >> 8) + 128);
          break;
        case WavFormat::Pcm16:
        case WavFormat::Extensible16:
          Put16(data, static_cast<uint16_t>(s));
          extensible = format == WavFormat::Extensible16;
          break;
        case WavFormat::Pcm24:
          bits = 24;
          data += '\0';
          Put16(data, static_cast<uint16_t>(s));
          break;
        case WavFormat::Pcm32:
          bits = 32;
          Put32(data, static_cast<uint32_t>(s) << 16);
          break;
        case WavFormat::Float32:
        case WavFormat::ExtensibleFloat: {
          bits = 32;
          encoding = 3;
          extensible = format == WavFormat::ExtensibleFloat;
          const float f = static_cast<float>(s) / 32768.0f;
          uint32_t u;
          std::memcpy(&u, &f, 4);
          Put32(data, u);
          break;
        }
        case WavFormat::Float64: {
          bits = 64;
          encoding = 3;
          const double f = static_cast<double>(s) / 32768.0;
          uint64_t u;
          std::memcpy(&u, &f, 8);
          Put32(data, static_cast<uint32_t>(u));
          Put32(data, static_cast<uint32_t>(u >> 32));
          break;
        }
      }
    }
  }
  if (!extensible) return WavBytes(encoding, channels, rate, bits, data, static_cast<uint32_t>(data.size()));
  std::string o = "RIFF";
  Put32(o, static_cast<uint32_t>(60 + data.size()));
  o += "WAVEfmt ";
  Put32(o, 40);
  Put16(o, 0xfffe);
  Put16(o, channels);
  Put32(o, rate);
  Put32(o, rate * channels * (bits / 8u));
  Put16(o, static_cast<uint32_t>(channels * (bits / 8u)));
  Put16(o, bits);
  Put16(o, 22);
  Put16(o, bits);
  Put32(o, channels == 1 ? 4 : 3);
  Put16(o, encoding);
  o += std::string("\0\0\0\0\x10\0\x80\0\0\xaa\0\x38\x9b\x71", 14);
  o += "data";
  Put32(o, static_cast<uint32_t>(data.size()));
  return o + data;
}

std::vector<int16_t> ReadGeneratedWav(const fs::path& path) {
  const std::string bytes = ReadAll(path);
  const size_t at = bytes.find("data");
  if (at == std::string::npos || at + 8 > bytes.size()) throw std::runtime_error(path.string() + ": no data chunk");
  std::vector<int16_t> samples((bytes.size() - at - 8) / 2);
  std::memcpy(samples.data(), bytes.data() + at + 8, samples.size() * 2);
  return samples;
}

// ---- the cases -----------------------------------------------------------------

namespace {

std::string Garbage(const std::string& seed, size_t size) {
  std::mt19937 rng(static_cast<uint32_t>(std::hash<std::string>{}(seed)));
  std::string o(size, '\0');
  for (char& c : o) c = static_cast<char>(rng() & 0xff);
  return o;
}

std::string MapText(const std::function<std::string(int value)>& field, const std::string& sep,
                    const std::string& rowEnd) {
  std::string o;
  for (int r = 0; r < kt::kMapFileRows; ++r) {
    for (int c = 0; c < 50; ++c) o += field(r * 50 + c) + (c + 1 < 50 ? sep : "");
    o += rowEnd;
  }
  return o;
}

}  // namespace

std::vector<Case> Cases(const fs::path& realData) {
  std::vector<Case> cases;
  const auto write = [](std::string bytes) { return [bytes](const fs::path& at) { WriteAll(at, bytes); }; };

  // Every file: missing, empty, cut in half, random bytes, a folder, a pipe.
  std::vector<std::pair<std::string, fs::path>> files;
  for (const auto name : kt::kSoundFiles) files.push_back({"sound files", fs::path("sound") / (std::string(name) + ".wav")});
  for (const auto& f : kt::kBitmapFiles) files.push_back({"picture files", fs::path("bmp") / (std::string(f.name) + ".bmp")});
  for (const auto& band : kt::kMapBands) files.push_back({"map files", fs::path("map") / std::string(band.file)});
  for (const auto& [group, file] : files) {
    const std::string kind = file.parent_path().string();
    const auto real = realData / file;
    cases.push_back({group, "missing", file, false, "file not found", nullptr});
    cases.push_back({group, "empty", file, false, "file is empty", write("")});
    cases.push_back({group, "cut in half", file, false,
                     kind == "bmp" ? "the pixels need" : kind == "sound" ? "the data chunk declares" : "values, the map needs",
                     [real](const fs::path& at) {
                       const std::string bytes = ReadAll(real);
                       WriteAll(at, bytes.substr(0, bytes.size() / 2));
                     }});
    cases.push_back({group, "random bytes", file, false,
                     kind == "bmp" ? "not a BMP picture" : kind == "sound" ? "not a WAV sound" : "is not a number",
                     write(Garbage(file.string(), 4096))});
    cases.push_back({group, "a folder", file, false, "not a regular file (a folder)",
                     [](const fs::path& at) { fs::create_directory(at); }});
    cases.push_back({group, "a named pipe", file, false, "not a regular file (a named pipe)", [](const fs::path& at) {
                       if (mkfifo(at.c_str(), 0600) != 0) throw std::runtime_error(at.string() + ": mkfifo failed");
                     }});
  }

  // Pictures: other formats of a real sheet, and hostile headers.
  const fs::path geji = "bmp/geji256.bmp";
  const auto sheet = [realData](const char* name) {
    for (const auto& f : kt::kBitmapFiles)
      if (f.name == name)
        return kt::LoadBitmap(realData / "bmp" / (std::string(name) + ".bmp"), kt::SheetLimits(f.width, f.height));
    throw std::runtime_error(std::string("no sheet ") + name);
  };
  const auto format = [&](const char* name, BmpFormat f, const char* what) {
    cases.push_back({"pictures", what, fs::path("bmp") / (std::string(name) + ".bmp"), true, "",
                     [sheet, name, f](const fs::path& at) { WriteAll(at, EncodeBmp(sheet(name), f).bytes); }});
  };
  format("geji256", BmpFormat::Bits16TopDown, "16-bit top-down");
  format("geji256", BmpFormat::Bits24, "24-bit");
  format("char256", BmpFormat::Bits32, "32-bit");
  format("teki", BmpFormat::Bits32Alpha, "32-bit with alpha, version 5 header");
  format("optionmoji", BmpFormat::Os2Bits24, "24-bit, OS/2 header");
  format("Hako", BmpFormat::Palette8, "8-bit palette");
  format("Staff", BmpFormat::Palette4, "4-bit palette");
  format("GameOption", BmpFormat::Rle8, "8-bit run-length encoded");
  cases.push_back({"pictures", "the largest the game takes, 32-bit", "bmp/black.bmp", true, "",
                   [](const fs::path& at) {
                     const auto limits = kt::SheetLimits(kt::kBitmapFiles[0].width, kt::kBitmapFiles[0].height);
                     const kt::Surface big(limits.maxWidth, limits.maxHeight);
                     WriteAll(at, EncodeBmp(big, BmpFormat::Bits32).bytes);
                   }});
  const auto header = [&](const char* what, const char* phrase, std::string bytes) {
    cases.push_back({"pictures", what, geji, false, phrase, write(std::move(bytes))});
  };
  header("100000 x 100000 in 54 bytes", "too large", BmpBytes(100000, 100000, 24, 0, 54, ""));
  header("20000 x 20000 in 54 bytes", "too large", BmpBytes(20000, 20000, 24, 0, 54, ""));
  header("one pixel wider than the game takes", "too large", BmpBytes(1051, 300, 24, 0, 54, std::string(64, '\0')));
  header("8 x 8, smaller than the sheet", "needs at least", BmpBytes(8, 8, 24, 0, 54, std::string(8 * 24, '\0')));
  header("negative width", "is not a size", BmpBytes(-700, 300, 24, 0, 54, std::string(64, '\0')));
  header("height -2^31", "too large", BmpBytes(700, INT32_MIN, 24, 0, 54, std::string(64, '\0')));
  header("zero size", "is not a size", BmpBytes(0, 0, 24, 0, 54, std::string(64, '\0')));
  header("pixel offset past the end", "past the end", BmpBytes(700, 300, 24, 0, 1u << 30, std::string(64, '\0')));
  header("pixel offset inside the header", "inside the header", BmpBytes(700, 300, 24, 0, 20, std::string(64, '\0')));
  header("pixels short of the size", "the pixels need", BmpBytes(700, 300, 24, 0, 54, std::string(700 * 3 * 299, '\0')));
  header("7 bits per pixel", "bits per pixel", BmpBytes(700, 300, 7, 0, 54, std::string(64, '\0')));
  header("0 colour planes", "colour planes", BmpBytes(700, 300, 24, 0, 54, std::string(64, '\0'), 0));
  header("JPEG compression", "unsupported compression", BmpBytes(700, 300, 24, 4, 54, std::string(64, '\0')));
  header("run-length with 24 bits", "run-length", BmpBytes(700, 300, 24, 1, 54, std::string(64, '\0')));
  header("300 palette colours for 8 bits", "palette colours",
         BmpBytes(700, 300, 8, 0, 54 + 1200, std::string(1200 + 700 * 300, '\0'), 1, 300));
  header("64-byte header", "header size", BmpBytes(700, 300, 24, 0, 78, std::string(64, '\0'), 1, 0, 64));
  header("a header cut short", "too short", std::string("BM\x10\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xbc\x02", 20));

  // Sounds: other formats of a real sound, and hostile headers.
  const fs::path kettei = "sound/kettei.wav";
  const auto mono = [realData] { return ReadGeneratedWav(realData / "sound/kettei.wav"); };
  const auto sound = [&](const char* what, WavFormat f, uint32_t rate, uint16_t channels) {
    cases.push_back({"sounds", what, kettei, true, "",
                     [mono, f, rate, channels](const fs::path& at) { WriteAll(at, EncodeWav(mono(), rate, f, channels)); }});
  };
  sound("8-bit", WavFormat::Pcm8, 22050, 1);
  sound("24-bit", WavFormat::Pcm24, 22050, 1);
  sound("32-bit", WavFormat::Pcm32, 22050, 1);
  sound("32-bit float", WavFormat::Float32, 22050, 1);
  sound("extensible 16-bit", WavFormat::Extensible16, 22050, 1);
  sound("extensible float, stereo", WavFormat::ExtensibleFloat, 22050, 2);
  sound("8,000 Hz", WavFormat::Pcm16, 8000, 1);
  sound("192,000 Hz, stereo", WavFormat::Pcm16, 192000, 2);
  const std::string tone(4000, '\x10');
  const auto wav = [&](const char* what, const char* phrase, std::string bytes) {
    cases.push_back({"sounds", what, kettei, false, phrase, write(std::move(bytes))});
  };
  wav("64-bit float", "not a readable WAV sound", WavBytes(3, 1, 22050, 64, tone, 4000));
  wav("1 Hz", "sample rate 1 Hz", WavBytes(1, 1, 1, 16, tone, 4000));
  wav("7,999 Hz", "sample rate 7999 Hz", WavBytes(1, 1, 7999, 16, tone, 4000));
  wav("192,001 Hz", "sample rate 192001 Hz", WavBytes(1, 1, 192001, 16, tone, 4000));
  wav("10 MHz", "sample rate 10000000 Hz", WavBytes(1, 1, 10'000'000, 16, tone, 4000));
  wav("0 channels", "0 channels", WavBytes(1, 0, 22050, 16, tone, 4000));
  wav("9 channels", "9 channels", WavBytes(1, 9, 22050, 16, tone, 4000));
  wav("0 bits per sample", "0 bits", WavBytes(1, 1, 22050, 0, tone, 4000));
  wav("12 bits per sample", "not a readable WAV sound", WavBytes(1, 1, 22050, 12, tone, 4000));
  wav("MPEG encoding", "unsupported sound encoding", WavBytes(0x55, 1, 22050, 16, tone, 4000));
  wav("no data chunk", "no data chunk", WavBytes(1, 1, 22050, 16, "", 0).substr(0, 36));
  wav("an empty data chunk", "no samples", WavBytes(1, 1, 22050, 16, "", 0));
  wav("a data chunk declaring 4 GB", "declares 4294967295 bytes", WavBytes(1, 1, 22050, 16, tone, 0xffffffff));
  wav("61 s long", "longer than", WavBytes(1, 1, 8000, 8, std::string(8000 * 61, '\x80'), 8000 * 61));
  wav("a format chunk of 8 bytes", "too short", [] {
    std::string o = WavBytes(1, 1, 22050, 16, "", 0).substr(0, 20);
    Set32(o, 16, 8);
    return o + std::string(8, '\0');
  }());
  wav("the data chunk before the format chunk", "before the format chunk", [] {
    std::string o = "RIFF";
    Put32(o, 40);
    o += "WAVEdata";
    Put32(o, 4);
    o += std::string("\1\0\1\0", 4);
    return o + WavBytes(1, 1, 22050, 16, "", 0).substr(12, 24);
  }());
  // Large files: the data chunks are holes, which read as zeros (silence).
  const auto large = [&](const char* what, bool loads, const char* phrase, std::string head, uint64_t size) {
    cases.push_back({"sounds", what, kettei, loads, phrase, [head, size](const fs::path& at) {
                       WriteAll(at, head);
                       fs::resize_file(at, size);
                     }});
  };
  large("the largest the game takes: 16 MiB, 192,000 Hz stereo", true, "",
        WavBytes(1, 2, 192000, 16, "", (16u << 20) - 44), 16u << 20);
  large("16 MiB of 8-channel ADPCM, 64 MB decoded", false, "too large to convert", [] {
    std::string o = WavBytes(0x11, 8, 192000, 4, "", 0).substr(0, 36);
    Set32(o, 16, 20);    // the format chunk with the ADPCM extension
    o.replace(32, 2, std::string("\0\x08", 2));  // block align 2048
    Put16(o, 2);         // extension size
    Put16(o, 505);       // samples per block: (2048 - 8 * 4) * 2 / 8 + 1
    o += "data";
    Put32(o, 8191 * 2048);
    Set32(o, 4, static_cast<uint32_t>(o.size() - 8 + 8191 * 2048));
    return o;
  }(), 56 + 8191 * 2048);
  large("17 MB, mostly a hole", false, "too large (17825836 bytes, at most 16777216)",
        WavBytes(1, 1, 22050, 16, "", 17u << 20), 44 + (17u << 20));
  cases.push_back({"sounds", "a chunk after the data", kettei, true, "", [mono](const fs::path& at) {
                     std::string o = EncodeWav(mono(), 22050, WavFormat::Pcm16);
                     Set32(o, 4, static_cast<uint32_t>(o.size() - 8 + 12));
                     o += "LIST";
                     Put32(o, 4);
                     WriteAll(at, o + "INFO");
                   }});
  // The RIFF size bounds the chunks SDL looks at: one past the end is a cut file.
  cases.push_back({"sounds", "a RIFF size of 4 GB", kettei, false, "Unexpected end of WAVE file",
                   [mono](const fs::path& at) {
                     std::string o = EncodeWav(mono(), 22050, WavFormat::Pcm16);
                     Set32(o, 4, 0xffffffff);
                     WriteAll(at, o);
                   }});

  // Maps: layouts that load the same, and fields that are no map values.
  const fs::path map13 = "map/map13.dat";
  const auto zeroOne = [](int i) { return std::to_string(i / 50 >= 29 ? 1 : 0); };
  const auto map = [&](const char* what, bool loads, const char* phrase, std::string text) {
    cases.push_back({"maps", what, map13, loads, phrase, write(std::move(text))});
  };
  map("CRLF line ends", true, "", MapText(zeroOne, ",", "\r\n"));
  map("tabs and blanks", true, "", MapText(zeroOne, "\t ", "\n"));
  map("all on one line", true, "", MapText(zeroOne, ",", ","));
  map("extra values after row 31", true, "", MapText(zeroOne, ",", "\n") + "5,6,7,junk\n");
  map("values 2 and -1", true, "", MapText([](int i) { return std::string(i % 2 ? "2" : "-1"); }, ",", "\n"));
  map("a UTF-8 byte-order mark", false, "UTF-8 byte-order mark (\\xef\\xbb\\xbf)",
      "\xef\xbb\xbf" + MapText(zeroOne, ",", "\n"));
  map("UTF-16", false, "UTF-16 byte-order mark", [&] {
    std::string o = "\xff\xfe";
    for (const char c : MapText(zeroOne, ",", "\n")) o += std::string{c, '\0'};
    return o;
  }());
  map("a number too large for 32 bits", false, "'99999999999' is too large",
      "0,99999999999," + MapText(zeroOne, ",", "\n"));
  map("NUL bytes", false, "'0\\x000' is not a number", "0," + std::string("0\0" "0", 3) + "," + MapText(zeroOne, ",", "\n"));
  map("a decimal point", false, "'1.5' is not a number", "1.5," + MapText(zeroOne, ",", "\n"));
  map("too few values", false, "holds 1599 values", MapText(zeroOne, ",", "\n").substr(0, 2 * 1599));
  map("2 MB of blanks after the values", false, "too large", MapText(zeroOne, ",", "\n") + std::string(2 << 20, ' '));
  cases.push_back({"maps", "a link to /dev/zero", map13, false, "not a regular file (a device)",
                   [](const fs::path& at) { fs::create_symlink("/dev/zero", at); }});
  cases.push_back({"maps", "a link to nowhere", map13, false, "a link to a missing file",
                   [](const fs::path& at) { fs::create_symlink("/nonexistent/map13.dat", at); }});
  return cases;
}

void LinkData(const fs::path& realData, const fs::path& dir) {
  for (const char* sub : {"bmp", "sound", "map"}) {
    fs::create_directories(dir / sub);
    for (const auto& e : fs::directory_iterator(realData / sub)) {
      const fs::path link = dir / sub / e.path().filename();
      fs::remove_all(link);
      fs::create_symlink(fs::absolute(e.path()), link);
    }
  }
}

void Spoil(const Case& c, const fs::path& dir) {
  fs::remove_all(dir / c.file);
  if (c.make) c.make(dir / c.file);
}

void Restore(const Case& c, const fs::path& realData, const fs::path& dir) {
  fs::remove_all(dir / c.file);
  fs::create_symlink(fs::absolute(realData / c.file), dir / c.file);
}

}  // namespace hostile
