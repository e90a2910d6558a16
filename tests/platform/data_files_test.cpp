// The data-file loaders on their own: every picture and sound format we accept
// decodes to the right pixels and samples, the limits hold at their edges, and
// messages show bad bytes escaped. (Start-up on broken files, in the real
// program, is the hostile start-up matrix.)
#include <gtest/gtest.h>

#include "hostile/variants.hpp"
#include "platform/data_checks.hpp"
#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace kt {
namespace {

std::span<const uint8_t> Bytes(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

// The message of the FatalError `f` throws, or "" if it throws none.
template <typename F>
std::string ErrorOf(F f) {
  try {
    f();
  } catch (const FatalError& e) {
    return e.what();
  }
  return "";
}

TEST(DataFiles, EveryPictureFormatDecodesToItsPixels) {
  // An odd width, so rows carry padding; colours from all over the range.
  Surface picture(37, 23);
  for (int32_t y = 0; y < picture.h; ++y)
    for (int32_t x = 0; x < picture.w; ++x)
      picture.At(x, y) = static_cast<uint16_t>((x * 2654435761u + y * 40503u) >> 7);
  picture.At(0, 0) = 0;  // the transparent colour survives every format
  using F = hostile::BmpFormat;
  for (F f : {F::Bits16, F::Bits16TopDown, F::Bits24, F::Bits32, F::Bits32Alpha, F::Os2Bits24, F::Palette8,
              F::Palette4, F::Rle8}) {
    const auto e = hostile::EncodeBmp(picture, f);
    const Surface s = DecodeBitmap(Bytes(e.bytes), "t.bmp", SheetLimits(37, 23));
    ASSERT_EQ(s.w, 37);
    ASSERT_EQ(s.h, 23);
    EXPECT_EQ(s.px, e.expected.px) << static_cast<int>(f);
    EXPECT_EQ(s.At(0, 0), 0) << static_cast<int>(f);
  }
}

TEST(DataFiles, APictureMayBeUpToHalfAgainAsLargeAsItsSheet) {
  const PictureLimits limits = SheetLimits(700, 300);
  const auto check = [&](int32_t w, int32_t h) {
    return ErrorOf([&] { CheckBmpHeader(Bytes(hostile::BmpBytes(w, h, 24, 0, 54, "")), 100u << 20, limits, "p.bmp"); });
  };
  EXPECT_EQ(check(700, 300), "");
  EXPECT_EQ(check(1050, 450), "");
  EXPECT_EQ(check(1050, -450), "");  // top-down
  EXPECT_EQ(check(1051, 300), "p.bmp: the picture is 1051 x 300, too large: the game takes at most 1050 x 450 for it");
  EXPECT_NE(check(700, 451).find("too large"), std::string::npos);
  EXPECT_EQ(check(699, 300), "p.bmp: the picture is 699 x 300, the game needs at least 700 x 300");
  EXPECT_NE(check(700, -299).find("needs at least"), std::string::npos);
}

TEST(DataFiles, EverySoundFormatDecodesToItsSamples) {
  std::vector<int16_t> tone(2000);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = static_cast<int16_t>((i * 7919) % 60000 - 30000);
  const AudioFormat same{22050, 1};  // no resampling: the samples come back as they went in
  using F = hostile::WavFormat;
  for (F f : {F::Pcm8, F::Pcm16, F::Pcm24, F::Pcm32, F::Float32, F::Extensible16, F::ExtensibleFloat}) {
    const auto samples = DecodeWave(Bytes(hostile::EncodeWav(tone, 22050, f)), "t.wav", same);
    ASSERT_EQ(samples.size(), tone.size()) << static_cast<int>(f);
    const int tolerance = f == F::Pcm8 ? 256 : 1;
    for (size_t i = 0; i < tone.size(); ++i)
      ASSERT_LE(std::abs(samples[i] - tone[i]), tolerance) << static_cast<int>(f) << " at " << i;
  }
  // Stereo at 44,100 Hz from mono at 22,050: twice the frames, two channels each.
  const auto device = DecodeWave(Bytes(hostile::EncodeWav(tone, 22050, F::Pcm16)), "t.wav", {44100, 2});
  EXPECT_NEAR(static_cast<double>(device.size()), 4.0 * static_cast<double>(tone.size()), 8.0);
}

TEST(DataFiles, ASoundMayLastAMinuteAtARateOf8000To192000Hz) {
  const auto check = [](uint32_t rate, size_t bytes) {
    return ErrorOf([&] { CheckWaveHeader(Bytes(hostile::WavBytes(1, 1, rate, 8, std::string(bytes, '\x80'),
                                                                 static_cast<uint32_t>(bytes))), "s.wav"); });
  };
  EXPECT_EQ(check(8000, 8000 * 60), "");
  EXPECT_EQ(check(8000, 8000 * 60 + 1), "s.wav: the sound lasts 61 s, longer than the 60 s a sound may last");
  EXPECT_EQ(check(192000, 1), "");
  EXPECT_EQ(check(7999, 1), "s.wav: sample rate 7999 Hz, the game takes 8000 to 192000 Hz");
  EXPECT_NE(check(192001, 1).find("sample rate 192001 Hz"), std::string::npos);
  EXPECT_EQ(check(8000, 0), "s.wav: the sound holds no samples");
  // ADPCM counts two samples a byte at most: 240,000 bytes are a minute at 8,000 Hz.
  const auto adpcm = [](size_t bytes) {
    return ErrorOf([&] { CheckWaveHeader(Bytes(hostile::WavBytes(0x11, 1, 8000, 4, std::string(bytes, '\0'),
                                                                 static_cast<uint32_t>(bytes))), "a.wav"); });
  };
  EXPECT_EQ(adpcm(240000), "");
  EXPECT_NE(adpcm(240001).find("longer than"), std::string::npos);
}

TEST(DataFiles, MessagesShowBadBytesEscapedOnOneLine) {
  EXPECT_EQ(EscapeBytes(std::string("a\0b", 3)), "a\\x00b");
  EXPECT_EQ(EscapeBytes("\xef\xbb\xbf" "1"), "\\xef\\xbb\\xbf1");
  EXPECT_EQ(EscapeBytes("tab\there\\\n"), "tab\\x09here\\\\\\x0a");
  EXPECT_EQ(PathText("data/\xe3\x83\x87/x\ny.wav"), "data/\xe3\x83\x87/x\\x0ay.wav");  // UTF-8 names stay readable
  const std::string error = ErrorOf([] { LoadWave("/nonexistent/a\nb.wav", {}); });
  EXPECT_EQ(error, "/nonexistent/a\\x0ab.wav: file not found");
  // A RIFF header and nothing after it.
  EXPECT_EQ(ErrorOf([] { CheckWaveHeader(Bytes(std::string("RIFF\0\0\0\0WAVE", 12)), "z.wav"); }),
            "z.wav: not a WAV sound we can read: it has no format chunk");
}

}  // namespace
}  // namespace kt
