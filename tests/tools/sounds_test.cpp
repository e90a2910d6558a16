// The composed sounds (names, levels, lengths, loops) and the synthesizer's
// sequencer pieces they are built from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

#include "gen/gen.hpp"
#include "gen/synth/synth.hpp"
#include "loop/assets.hpp"
#include "tools/sound_measure.hpp"

namespace {

using namespace gen::synth;

class Sounds : public testing::Test {
 protected:
  static void SetUpTestSuite() { sounds_ = new std::vector<gen::SoundFile>(gen::ComposeSounds()); }
  static void TearDownTestSuite() {
    delete sounds_;
    sounds_ = nullptr;
  }
  static const gen::SoundFile& Get(std::string_view name) {
    for (const auto& s : *sounds_)
      if (s.name == name) return s;
    throw std::out_of_range(std::string(name));
  }
  static bool IsMusic(std::string_view n) {
    return n == "OP" || n == "BossS" || n == "story" || n == "clear" || n == "G_over";
  }
  static bool IsLoop(std::string_view n) { return n == "OP" || n == "BossS" || n == "nigekoe"; }
  static double Seconds(const gen::SoundFile& s) { return static_cast<double>(s.samples.size()) / s.rate; }
  static int Peak(const gen::SoundFile& s) {
    int peak = 0;
    for (int16_t x : s.samples) peak = std::max(peak, std::abs(static_cast<int>(x)));
    return peak;
  }
  static std::vector<gen::SoundFile>* sounds_;
};
std::vector<gen::SoundFile>* Sounds::sounds_ = nullptr;

TEST_F(Sounds, AllPresentInLoadOrderAsMono22k) {
  ASSERT_EQ(sounds_->size(), kt::kSoundFiles.size());
  for (size_t i = 0; i < sounds_->size(); ++i) {
    EXPECT_EQ((*sounds_)[i].name, kt::kSoundFiles[i]);
    EXPECT_EQ((*sounds_)[i].rate, 22050);
  }
}

TEST_F(Sounds, LevelsAreAudibleUnclippedAndCentred) {
  for (const auto& s : *sounds_) {
    SCOPED_TRACE(s.name);
    ASSERT_FALSE(s.samples.empty());
    const int peak = Peak(s);
    if (IsMusic(s.name)) {
      EXPECT_GE(peak, 6500);
      EXPECT_LE(peak, 9000);
    } else {
      EXPECT_GE(peak, 3000);
      EXPECT_LE(peak, 16384);
    }
    double sum = 0, squares = 0;
    for (int16_t x : s.samples) {
      sum += x;
      squares += static_cast<double>(x) * x;
    }
    const auto n = static_cast<double>(s.samples.size());
    EXPECT_LT(std::fabs(sum / n), 100.0) << "DC offset";
    EXPECT_GT(std::sqrt(squares / n), 0.1 * peak) << "hardly more than a click";
  }
}

TEST_F(Sounds, LengthsSuitWhereTheyPlay) {
  const std::map<std::string, std::pair<double, double>, std::less<>> bounds = {
      {"sentaku", {0.03, 0.09}},   {"kettei", {0.1, 0.6}},     {"Varuki", {0.03, 0.25}},
      {"Vkougeki", {0.08, 0.4}},   {"Vtobi", {0.08, 0.4}},     {"Gkougeki", {0.08, 0.4}},
      {"G_yarare", {0.15, 0.7}},   {"K_aruki", {0.02, 0.12}},  {"K_yarare", {0.08, 0.4}},
      {"P_tobi", {0.07, 0.4}},     {"P_yarare", {0.1, 0.5}},   {"OP", {30, 60}},
      {"G_over", {2.5, 6}},        {"rakka", {0.4, 1.5}},      {"Vatari", {0.15, 0.6}},
      {"MTLS", {0.8, 1.2}},        {"TLS", {0.6, 2.0}},        {"tamari", {0.2, 1.0}},
      {"THS", {0.15, 0.6}},        {"BossS", {30, 60}},        {"sikakutobi", {0.1, 0.5}},
      {"story", {20, 40}},         {"clear", {3, 8}},          {"bossbimu", {0.5, 1.0}},
      {"sikakuK", {0.05, 0.3}},    {"bosshaba", {0.13, 0.55}}, {"nigekoe", {0.5, 2.0}},
  };
  ASSERT_EQ(bounds.size(), kt::kSoundFiles.size());
  for (const auto& s : *sounds_) {
    const auto& [lo, hi] = bounds.at(s.name);
    EXPECT_GE(Seconds(s), lo) << s.name;
    EXPECT_LE(Seconds(s), hi) << s.name;
  }
}

// A loop plays its last sample and then its first: across that seam the value
// and the slope must carry on as they do between any two samples beside it, or
// every round of the tune would click.
TEST_F(Sounds, LoopsJoinWithoutAClick) {
  for (const auto& s : *sounds_) {
    if (!IsLoop(s.name)) continue;
    SCOPED_TRACE(s.name);
    const auto n = static_cast<long>(s.samples.size());
    auto at = [&](long i) { return static_cast<int>(s.samples[static_cast<size_t>((i % n + n) % n)]); };
    auto step = [&](long i) { return at(i) - at(i - 1); };        // into sample i
    auto bend = [&](long i) { return step(i) - step(i - 1); };    // slope change at sample i - 1
    // The 128 samples on either side, not counting anything that spans the seam.
    int steps = 0, bends = 0;
    for (long i = -128; i <= 128; ++i) {
      if (i != 0) steps = std::max(steps, std::abs(step(i)));
      if (i != 0 && i != 1) bends = std::max(bends, std::abs(bend(i)));
    }
    EXPECT_LE(std::abs(step(0)), steps) << "first " << at(0) << ", last " << at(-1);
    EXPECT_LE(std::abs(bend(0)), bends) << "slope into the last sample " << step(-1) << ", across " << step(0);
    EXPECT_LE(std::abs(bend(1)), bends) << "slope across " << step(0) << ", out of the first sample " << step(1);
  }
}

// Every sound must be told apart from every other: the loudness maps of any two
// (sound_measure.hpp) differ by at least 11 dB. Sounds built from one recipe
// with other numbers (a punch landing like a shot) measure about 6 to 8 dB,
// tunes with different notes about 12. The pairs players mixed up must be
// 15 dB apart; they measured 12 to 14 when they were mixed up.
TEST_F(Sounds, EveryPairSoundsDistinct) {
  std::vector<kt::test::SoundMap> maps;
  for (const auto& s : *sounds_) maps.emplace_back(s.samples, s.rate);
  auto gap = [&](std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    for (size_t k = 0; k < sounds_->size(); ++k) {
      if ((*sounds_)[k].name == a) i = k;
      if ((*sounds_)[k].name == b) j = k;
    }
    return kt::test::Compare(maps[i], maps[j]);
  };
  for (size_t i = 0; i < sounds_->size(); ++i)
    for (size_t j = i + 1; j < sounds_->size(); ++j) {
      const kt::test::SoundGap g = kt::test::Compare(maps[i], maps[j]);
      EXPECT_GE(g.Total(), 11.0) << (*sounds_)[i].name << " and " << (*sounds_)[j].name << ": maps " << g.map
                                 << " dB, flatness " << g.flatness << " dB apart";
    }
  // A punch landing on an enemy and the boss (or a gek) hurt; an enemy's
  // throw or shot and the hero's jump.
  const std::pair<std::string_view, std::string_view> mixedUp[] = {
      {"K_yarare", "G_yarare"}, {"Gkougeki", "Vtobi"}, {"sikakuK", "Vtobi"}};
  for (const auto& [a, b] : mixedUp) EXPECT_GE(gap(a, b).Total(), 15.0) << a << " and " << b;
}

TEST_F(Sounds, OneShotsStartAndEndAtRest) {
  for (const auto& s : *sounds_) {
    if (IsLoop(s.name)) continue;
    SCOPED_TRACE(s.name);
    EXPECT_LE(std::abs(s.samples.front()), 64);
    EXPECT_LE(std::abs(s.samples.back()), 64);
  }
}

TEST_F(Sounds, ComposingAgainGivesTheSameSamples) {
  const auto again = gen::ComposeSounds();
  ASSERT_EQ(again.size(), sounds_->size());
  for (size_t i = 0; i < again.size(); ++i) EXPECT_TRUE(again[i].samples == (*sounds_)[i].samples) << again[i].name;
}

// ---- synthesizer ---------------------------------------------------------------

TEST(SynthMml, ReadsPitchLengthTiesRestsAndRepeats) {
  const Line line = ParseMml("o4 l8 c d4. r e16^16 | [f g-]2 > c+ < b- q4 v15 a1");
  struct Want {
    double beat, len;
    int key;
  };
  const Want want[] = {{0, 0.5, 60},   {0.5, 1.5, 62}, {2.5, 0.5, 64}, {3, 0.5, 65}, {3.5, 0.5, 66},
                       {4, 0.5, 65},   {4.5, 0.5, 66}, {5, 0.5, 73},   {5.5, 0.5, 70}, {6, 4, 69}};
  ASSERT_EQ(line.notes.size(), std::size(want));
  for (size_t i = 0; i < std::size(want); ++i) {
    SCOPED_TRACE(i);
    EXPECT_DOUBLE_EQ(line.notes[i].beat, want[i].beat);
    EXPECT_DOUBLE_EQ(line.notes[i].len, want[i].len);
    EXPECT_EQ(line.notes[i].key, want[i].key);
  }
  EXPECT_DOUBLE_EQ(line.notes.back().gate, 0.5);
  EXPECT_DOUBLE_EQ(line.beats, 10);
  // A trailing rest still counts towards the line's length.
  EXPECT_DOUBLE_EQ(ParseMml("c4 r2").beats, 3);
}

TEST(SynthMml, RejectsMalformedText) {
  EXPECT_THROW(ParseMml("c z"), std::invalid_argument);
  EXPECT_THROW(ParseMml("[c d"), std::invalid_argument);
  EXPECT_THROW(ParseMml("c d]"), std::invalid_argument);
  EXPECT_THROW(ParseMml("c0"), std::invalid_argument);
  EXPECT_THROW(ParseChords("H"), std::invalid_argument);
  EXPECT_THROW(ParseDrums("k.z.", 0.25), std::invalid_argument);
}

TEST(SynthChords, PatternsFollowTheProgression) {
  const auto chords = ParseChords("Bm F#:2 x:2 Bb7");
  ASSERT_EQ(chords.size(), 4u);
  EXPECT_EQ(chords[0].root, 11);
  EXPECT_EQ(chords[0].tones, (std::vector<int>{0, 3, 7}));
  EXPECT_EQ(chords[1].root, 6);
  EXPECT_DOUBLE_EQ(chords[2].beat, 6);
  EXPECT_LT(chords[2].root, 0);
  EXPECT_EQ(chords[3].root, 10);
  EXPECT_EQ(chords[3].tones.size(), 4u);

  // Root held two steps, the octave above it, a rest; restarting at each chord.
  const Line line = ChordPattern(chords, 36, "0-3.", 1.0);
  EXPECT_DOUBLE_EQ(line.beats, 12);
  ASSERT_EQ(line.notes.size(), 5u);
  EXPECT_EQ(line.notes[0].key, 47);  // B2
  EXPECT_DOUBLE_EQ(line.notes[0].len, 2);
  EXPECT_EQ(line.notes[1].key, 59);
  EXPECT_EQ(line.notes[2].key, 42);  // F#2, cut short by the chord change
  EXPECT_DOUBLE_EQ(line.notes[2].len, 2);
  EXPECT_DOUBLE_EQ(line.notes[3].beat, 8);  // nothing in the empty chord
  EXPECT_EQ(line.notes[3].key, 46);
  EXPECT_EQ(line.notes[4].key, 46 + 10);  // in a four-note chord, tone 3 is the seventh
}

TEST(SynthChords, DrumGridStepsAndAccents) {
  const Line line = ParseDrums("[k.s.]2 | K...", 0.25);
  EXPECT_DOUBLE_EQ(line.beats, 3);
  ASSERT_EQ(line.notes.size(), 5u);
  EXPECT_DOUBLE_EQ(line.notes[3].beat, 1.5);
  EXPECT_EQ(line.notes[4].key, 'k');
  EXPECT_GT(line.notes[4].vel, line.notes[0].vel);
}

TEST(SynthSong, LoopWrapsTheTailIntoTheStart) {
  // A note ringing past the end and an echo pushed past it: the loop must equal
  // what plays after the first pass when the song runs twice in a row.
  Song once{.bpm = 150, .bars = 2};
  Tone inst{.wave = Wave::kSquare, .env = {0.01, 0.1, 0.6, 0.5}, .gain = 0.4};
  once.tracks.push_back({.inst = inst, .line = ParseMml("o5 l4 c e g c | e2 g2")});
  once.tracks.push_back({.inst = inst, .line = ParseMml("o4 l4 c e g c | e2 g2"), .delayBeats = 0.75});
  once.tracks.push_back({.inst = Tone{.gain = 0.5}, .line = ParseDrums("[k.h.s.h.]4", 0.25), .drums = true});
  const Buffer loop = RenderSong(once, true);

  Song twice = once;
  twice.bars = 4;
  for (Track& t : twice.tracks) t.line.Append(t.line);
  const Buffer straight = RenderSong(twice, false);

  ASSERT_EQ(loop.size(), static_cast<size_t>(2 * 4 * kRate * 60 / 150));
  ASSERT_GE(straight.size(), 2 * loop.size());
  float worst = 0;
  for (size_t i = 0; i < loop.size(); ++i) worst = std::max(worst, std::fabs(loop[i] - straight[loop.size() + i]));
  EXPECT_LT(worst, 1e-4f);
}

TEST(SynthSong, RefusesTracksOfTheWrongLength) {
  Song song{.bpm = 120, .bars = 1};
  song.tracks.push_back({.line = ParseMml("c4 d4 e4")});
  EXPECT_THROW(RenderSong(song, true), std::logic_error);
}

TEST(SynthTone, ReleaseStartsWhereTheNoteWas) {
  const Adsr env{0.02, 0.1, 0.5, 0.2};
  for (double hold : {0.01, 0.05, 0.5}) {
    SCOPED_TRACE(hold);
    EXPECT_NEAR(env.Level(hold - 1e-6, hold), env.Level(hold + 1e-6, hold), 1e-3);
    EXPECT_NEAR(env.Level(hold + 0.2, hold), 0.0, 1e-9);
  }
}

TEST(SynthTone, NarrowPulsesCarryNoOffset) {
  for (double duty : {0.125, 0.25, 0.5}) {
    Buffer buf;
    AddTone(buf, 0, 1.0, Tone{.freq = 441, .duty = duty, .env = {0, 0, 1, 0}, .gain = 1});
    double sum = 0;
    for (float x : buf) sum += x;
    EXPECT_NEAR(sum / static_cast<double>(buf.size()), 0.0, 1e-3) << duty;
  }
}

// Zero crossings going up, i.e. completed cycles of a tone.
int Cycles(const Buffer& buf) {
  int n = 0;
  for (size_t i = 1; i < buf.size(); ++i) n += buf[i - 1] < 0 && buf[i] >= 0;
  return n;
}

TEST(SynthTone, PitchAndGlidesLandOnFrequency) {
  const Adsr flat{0, 0, 1, 0};
  Buffer steady, glide, wobble;
  AddTone(steady, 0, 1.0, Tone{.wave = Wave::kSine, .freq = 441, .env = flat});
  EXPECT_NEAR(Cycles(steady), 441, 1);
  // An exponential octave glide over a second covers 441 / ln 2 cycles.
  AddTone(glide, 0, 1.0, Tone{.wave = Wave::kSine, .freq = 441, .freqEnd = 882, .env = flat});
  EXPECT_NEAR(Cycles(glide), 441 / std::log(2.0), 2);
  // Vibrato bends around the note, not away from it.
  AddTone(wobble, 0, 1.0,
          Tone{.wave = Wave::kTriangle, .freq = 441, .vibDepth = 0.5, .vibRate = 6, .env = flat});
  EXPECT_NEAR(Cycles(wobble), 441, 3);
  EXPECT_EQ(steady.size(), static_cast<size_t>(kRate));
}

TEST(SynthTone, NoiseRegistersRunTheirFullPeriods) {
  for (const auto& [shortMode, period] : {std::pair{false, 32767}, std::pair{true, 93}}) {
    Lfsr a(shortMode);
    std::vector<float> first;
    for (int i = 0; i < period; ++i) first.push_back(a.Clock());
    for (int i = 0; i < period; ++i) EXPECT_EQ(a.Clock(), first[i]) << i;
    // Not shorter: some shift of the sequence by less than the period differs.
    bool repeatsEarly = false;
    for (int shift : {1, 3, 31, 93}) {
      if (shift >= period) continue;
      bool same = true;
      for (int i = 0; i + shift < period && same; ++i) same = first[i] == first[i + shift];
      repeatsEarly = repeatsEarly || same;
    }
    EXPECT_FALSE(repeatsEarly) << period;
    if (!shortMode) {
      int ones = 0;
      for (float x : first) ones += x > 0;
      EXPECT_EQ(ones, 16384) << "hiss must be balanced";
    }
  }
}

TEST(SynthVoice, LoopedVoiceJoinsSmoothly) {
  // Pitch and vibrato chosen so neither fits the length by itself.
  const VoiceSpec v{.duration = 0.77,
                    .pitch = {{{0, 333}, {0.4, 250}, {0.77, 333}}},
                    .amp = {{{0, 0.6}, {0.3, 1}, {0.77, 0.6}}},
                    .f1 = {{{0, 700}}},
                    .f2 = {{{0, 1200}}},
                    .vibDepth = 0.4,
                    .vibRate = 5.3};
  const Buffer buf = RenderVoice(v, true);
  std::vector<float> steps;
  for (size_t i = 1; i < buf.size(); ++i) steps.push_back(std::fabs(buf[i] - buf[i - 1]));
  std::sort(steps.begin(), steps.end());
  EXPECT_LE(std::fabs(buf.front() - buf.back()), steps[steps.size() * 9 / 10]);
}

TEST(SynthPcm, ScalesToThePeakWithoutOffsetOrEdges) {
  Buffer buf;
  AddTone(buf, 0, 0.3, Tone{.wave = Wave::kSaw, .freq = 300, .env = {0, 0, 1, 0}, .gain = 0.8});
  for (float& x : buf) x += 0.25f;
  const auto shot = ToPcm(buf, 12000, true);
  ASSERT_EQ(shot.size(), buf.size());
  int peak = 0;
  double sum = 0;
  for (int16_t x : shot) {
    peak = std::max(peak, std::abs(static_cast<int>(x)));
    sum += x;
  }
  EXPECT_EQ(peak, 12000);
  EXPECT_LT(std::fabs(sum / static_cast<double>(shot.size())), 60.0);
  EXPECT_EQ(shot.front(), 0);
  EXPECT_EQ(shot.back(), 0);
  // A loop keeps its edges: only the offset goes.
  buf.front() = 1.0f;
  EXPECT_GT(ToPcm(buf, 12000, false).front(), 5000);
}

}  // namespace
