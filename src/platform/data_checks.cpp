#include "platform/data_checks.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "platform/fatal.hpp"

namespace fs = std::filesystem;

namespace kt {

namespace {

std::string Hex(unsigned value, int digits) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string s(static_cast<size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4) s[static_cast<size_t>(i)] = kDigits[value & 15];
  return s;
}

std::string Num(uint64_t v) { return std::to_string(v); }

// Little-endian reads of a span the caller has checked is long enough.
uint16_t U16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 | static_cast<uint32_t>(b[at + 2]) << 16 |
         static_cast<uint32_t>(b[at + 3]) << 24;
}
bool Tag(std::span<const uint8_t> b, size_t at, const char (&tag)[5]) {
  return b.size() >= at + 4 && std::memcmp(b.data() + at, tag, 4) == 0;
}

}  // namespace

std::string EscapeBytes(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\\') out += "\\\\";
    else if (u >= 0x20 && u < 0x7f) out += c;
    else out += "\\x" + Hex(u, 2);
  }
  return out;
}

std::string PathText(const fs::path& path) {
  std::string out;
  for (const char c : path.string()) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f) out += "\\x" + Hex(u, 2);
    else out += c;
  }
  return out;
}

uint64_t CheckDataFile(const fs::path& path, uint64_t maxBytes) {
  const std::string name = PathText(path);
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  switch (st.type()) {
    case fs::file_type::regular: break;
    case fs::file_type::not_found: {
      std::error_code linkEc;
      if (fs::is_symlink(fs::symlink_status(path, linkEc))) throw FatalError(name + ": a link to a missing file");
      throw FatalError(name + ": file not found");
    }
    case fs::file_type::directory: throw FatalError(name + ": not a regular file (a folder)");
    case fs::file_type::fifo: throw FatalError(name + ": not a regular file (a named pipe)");
    case fs::file_type::character:
    case fs::file_type::block: throw FatalError(name + ": not a regular file (a device)");
    case fs::file_type::socket: throw FatalError(name + ": not a regular file (a socket)");
    case fs::file_type::none: throw FatalError(name + ": cannot read it (" + ec.message() + ")");
    default: throw FatalError(name + ": not a regular file");
  }
  const uint64_t size = fs::file_size(path, ec);
  if (ec) throw FatalError(name + ": cannot read its size (" + ec.message() + ")");
  if (size == 0) throw FatalError(name + ": file is empty");
  if (size > maxBytes) throw FatalError(name + ": too large (" + Num(size) + " bytes, at most " + Num(maxBytes) + ")");
  return size;
}

std::string ReadDataFile(const fs::path& path, uint64_t maxBytes) {
  const uint64_t size = CheckDataFile(path, maxBytes);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FatalError(PathText(path) + ": cannot open the file (" + std::strerror(errno) + ")");
  // Read at most what the size promised, plus one byte to notice a file that grew.
  std::string bytes(static_cast<size_t>(size) + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  if (bytes.size() != size)
    throw FatalError(PathText(path) + ": read " + Num(bytes.size()) + " bytes of its " + Num(size) +
                     " (the file changed while it was read)");
  return bytes;
}

// ---- pictures --------------------------------------------------------------

PictureLimits SheetLimits(int32_t width, int32_t height) {
  return {width, height, width + width / 2, height + height / 2};
}

BmpHeader CheckBmpHeader(std::span<const uint8_t> head, uint64_t fileSize, const PictureLimits& limits,
                         const std::string& name) {
  const auto fail = [&](const std::string& why) { return FatalError(name + ": " + why); };
  if (head.size() < 2 || head[0] != 'B' || head[1] != 'M')
    throw fail("not a BMP picture (it does not start with \"BM\")");
  if (head.size() < 18) throw fail("too short for a BMP picture (" + Num(fileSize) + " bytes)");
  const uint32_t offset = U32(head, 10), infoSize = U32(head, 14);
  if (infoSize != 12 && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124)
    throw fail("unknown BMP header size " + Num(infoSize));
  if (head.size() < 14 + infoSize)
    throw fail("too short for its BMP header (" + Num(fileSize) + " bytes, the header needs " + Num(14 + infoSize) +
               ")");

  int64_t width = 0, height = 0;
  uint32_t planes = 0, compression = 0, colours = 0;
  BmpHeader h;
  if (infoSize == 12) {  // OS/2 core header: unsigned 16-bit sizes
    width = U16(head, 18);
    height = U16(head, 20);
    planes = U16(head, 22);
    h.bitsPerPixel = U16(head, 24);
  } else {
    width = static_cast<int32_t>(U32(head, 18));
    height = static_cast<int32_t>(U32(head, 22));
    planes = U16(head, 26);
    h.bitsPerPixel = U16(head, 28);
    compression = U32(head, 30);
    colours = U32(head, 46);
  }
  const uint32_t bits = h.bitsPerPixel;
  if (planes != 1) throw fail(Num(planes) + " colour planes (a BMP picture has 1)");
  switch (compression) {
    case 0:
      if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        throw fail(Num(bits) + " bits per pixel (the game reads 1, 4, 8, 16, 24 or 32)");
      break;
    case 1:
    case 2:
      if (bits != (compression == 1 ? 8u : 4u))
        throw fail("run-length compression with " + Num(bits) + " bits per pixel");
      break;
    case 3:
      if (bits != 16 && bits != 32) throw fail("bit-field colours with " + Num(bits) + " bits per pixel");
      break;
    default: throw fail("unsupported compression " + Num(compression));
  }
  if (width <= 0 || height == 0)
    throw fail("the picture's size " + std::to_string(width) + " x " + std::to_string(height) + " is not a size");
  if (height < 0) {
    h.topDown = true;
    height = -height;
  }
  if (h.topDown && (compression == 1 || compression == 2))
    throw fail("a run-length encoded picture cannot be stored top-down");
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width < limits.minWidth || height < limits.minHeight)
    throw fail("the picture is " + size + ", the game needs at least " + std::to_string(limits.minWidth) + " x " +
               std::to_string(limits.minHeight));
  if (width > limits.maxWidth || height > limits.maxHeight)
    throw fail("the picture is " + size + ", too large: the game takes at most " + std::to_string(limits.maxWidth) +
               " x " + std::to_string(limits.maxHeight) + " for it");
  h.width = static_cast<int32_t>(width);
  h.height = static_cast<int32_t>(height);
  h.compression = compression;

  uint64_t paletteBytes = 0;
  if (bits <= 8) {
    const uint32_t most = 1u << bits;
    if (colours == 0) colours = most;
    if (colours > most)
      throw fail(Num(colours) + " palette colours, a " + Num(bits) + "-bit picture has at most " + Num(most));
    paletteBytes = uint64_t{colours} * (infoSize == 12 ? 3 : 4);
  }
  const uint64_t headerEnd = 14 + uint64_t{infoSize} + (infoSize == 40 && compression == 3 ? 12 : 0) + paletteBytes;
  if (headerEnd > fileSize)
    throw fail("the header and palette need " + Num(headerEnd) + " bytes, the file holds " + Num(fileSize));
  if (offset < headerEnd)
    throw fail("the pixel data offset " + Num(offset) + " lies inside the header, which ends at " + Num(headerEnd));
  if (offset >= fileSize)
    throw fail("the pixel data offset " + Num(offset) + " lies past the end of the file (" + Num(fileSize) +
               " bytes)");
  if (compression == 0 || compression == 3) {
    const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    const uint64_t end = offset + stride * static_cast<uint64_t>(height);
    if (end > fileSize)
      throw fail("the pixels need " + Num(end - offset) + " bytes from offset " + Num(offset) + ", the file ends at " +
                 Num(fileSize));
  }
  h.pixelOffset = offset;
  return h;
}

// ---- sounds ----------------------------------------------------------------

WaveHeader CheckWaveHeader(std::span<const uint8_t> file, const std::string& name) {
  const auto fail = [&](const std::string& why) { return FatalError(name + ": " + why); };
  if (!Tag(file, 0, "RIFF") || !Tag(file, 8, "WAVE"))
    throw fail("not a WAV sound (it does not start with \"RIFF\" ... \"WAVE\")");
  WaveHeader w;
  bool haveFormat = false;
  uint64_t pos = 12;
  const uint64_t size = file.size();
  while (pos + 8 <= size) {
    const uint64_t length = U32(file, static_cast<size_t>(pos + 4)), body = pos + 8;
    if (Tag(file, static_cast<size_t>(pos), "fmt ") && !haveFormat) {
      if (length > size - body) throw fail("the format chunk runs past the end of the file");
      if (length < 16) throw fail("the format chunk is too short (" + Num(length) + " bytes)");
      const auto fmt = file.subspan(static_cast<size_t>(body), static_cast<size_t>(length));
      w.encoding = U16(fmt, 0);
      w.channels = U16(fmt, 2);
      w.rate = U32(fmt, 4);
      w.bitsPerSample = U16(fmt, 14);
      if (w.encoding == 0xfffe) {  // extensible: the real encoding is in the sub-format's first two bytes
        static constexpr uint8_t kGuidTail[14] = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xaa, 0, 0x38, 0x9b, 0x71};
        if (length < 40) throw fail("the extensible format chunk is too short (" + Num(length) + " bytes)");
        if (std::memcmp(fmt.data() + 26, kGuidTail, sizeof kGuidTail) != 0)
          throw fail("unsupported extensible sound encoding");
        w.encoding = U16(fmt, 24);
      }
      if (w.encoding != 1 && w.encoding != 2 && w.encoding != 3 && w.encoding != 6 && w.encoding != 7 &&
          w.encoding != 0x11)
        throw fail("unsupported sound encoding 0x" + Hex(w.encoding, 4));
      if (w.channels == 0) throw fail("the sound has 0 channels");
      if (w.channels > kMaxSoundChannels)
        throw fail("the sound has " + Num(w.channels) + " channels, at most " + Num(kMaxSoundChannels));
      if (w.rate < kMinSoundRate || w.rate > kMaxSoundRate)
        throw fail("sample rate " + Num(w.rate) + " Hz, the game takes " + Num(kMinSoundRate) + " to " +
                   Num(kMaxSoundRate) + " Hz");
      if (w.bitsPerSample == 0 && w.encoding != 2 && w.encoding != 0x11) throw fail("0 bits per sample");
      haveFormat = true;
    } else if (Tag(file, static_cast<size_t>(pos), "data")) {
      if (!haveFormat) throw fail("the data chunk comes before the format chunk");
      if (length > size - body)
        throw fail("the data chunk declares " + Num(length) + " bytes, the file holds " + Num(size - body) +
                   " after its header");
      w.dataBytes = length;
      // ADPCM packs at most two samples in a byte; the others hold whole bytes per sample.
      w.frames = (w.encoding == 2 || w.encoding == 0x11)
                     ? length * 2 / w.channels
                     : length / (uint64_t{w.channels} * ((w.bitsPerSample + 7u) / 8u));
      if (w.frames == 0) throw fail("the sound holds no samples");
      if (w.frames > uint64_t{w.rate} * kMaxSoundSeconds)
        throw fail("the sound lasts " + Num((w.frames + w.rate - 1) / w.rate) + " s, longer than the " +
                   Num(kMaxSoundSeconds) + " s a sound may last");
      return w;
    }
    pos = body + length + (length & 1);
  }
  if (!haveFormat) throw fail("not a WAV sound we can read: it has no format chunk");
  throw fail("the sound has no data chunk");
}

}  // namespace kt
