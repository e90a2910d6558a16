#include "gen/canvas.hpp"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace gen {

void Canvas::Fill(int l, int t, int r, int b, uint16_t c) {
  l = std::max(l, 0);
  t = std::max(t, 0);
  r = std::min(r, w);
  b = std::min(b, h);
  for (int y = t; y < b; ++y) std::fill_n(px.begin() + static_cast<ptrdiff_t>(y) * w + l, std::max(0, r - l), c);
}

void Canvas::Frame(int l, int t, int r, int b, uint16_t c) {
  Fill(l, t, r, t + 1, c);
  Fill(l, b - 1, r, b, c);
  Fill(l, t, l + 1, b, c);
  Fill(r - 1, t, r, b, c);
}

void Canvas::Paste(const Canvas& src, int sl, int st, int sr, int sb, int dx, int dy) {
  for (int y = st; y < sb; ++y)
    for (int x = sl; x < sr; ++x) Set(dx + x - sl, dy + y - st, src.Get(x, y));
}

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void WriteAll(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

void WriteBmp(const std::filesystem::path& path, const Canvas& c) {
  const uint32_t stride = (static_cast<uint32_t>(c.w) * 2 + 3) & ~3u;
  const uint32_t imageSize = stride * static_cast<uint32_t>(c.h);
  const uint32_t headers = 14 + 40 + 12;
  std::vector<uint8_t> out;
  out.reserve(headers + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, headers + imageSize);
  Put32(out, 0);
  Put32(out, headers);
  Put32(out, 40);  // BITMAPINFOHEADER
  Put32(out, static_cast<uint32_t>(c.w));
  Put32(out, static_cast<uint32_t>(c.h));
  Put16(out, 1);
  Put16(out, 16);
  Put32(out, 3);  // BI_BITFIELDS
  Put32(out, imageSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0xF800);
  Put32(out, 0x07E0);
  Put32(out, 0x001F);
  for (int y = c.h - 1; y >= 0; --y) {
    for (int x = 0; x < c.w; ++x) Put16(out, c.Get(x, y));
    for (uint32_t pad = static_cast<uint32_t>(c.w) * 2; pad < stride; ++pad) out.push_back(0);
  }
  WriteAll(path, out);
}

void WriteWav(const std::filesystem::path& path, const std::vector<int16_t>& samples, int rate) {
  const auto dataSize = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + dataSize);
  for (char ch : std::string("RIFF")) out.push_back(static_cast<uint8_t>(ch));
  Put32(out, 36 + dataSize);
  for (char ch : std::string("WAVEfmt ")) out.push_back(static_cast<uint8_t>(ch));
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, static_cast<uint32_t>(rate));
  Put32(out, static_cast<uint32_t>(rate) * 2);
  Put16(out, 2);
  Put16(out, 16);
  for (char ch : std::string("data")) out.push_back(static_cast<uint8_t>(ch));
  Put32(out, dataSize);
  for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
  WriteAll(path, out);
}

}  // namespace gen
