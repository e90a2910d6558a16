// The game's 27 sounds: five tunes, the boss's cry and the effects, all
// synthesized here. Levels are final: the game mixes voices by plain summing,
// so the tunes peak near a quarter of full scale and no effect goes above half.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "gen/gen.hpp"
#include "gen/synth/synth.hpp"
#include "loop/assets.hpp"

namespace gen {

namespace {

using namespace synth;

constexpr double kMusicPeak = 8000;

// ---- instruments ---------------------------------------------------------------

Tone Pulse(double duty, double gain, Adsr env, double vibDepth = 0, double lowpass = 0) {
  return Tone{.wave = Wave::kSquare, .duty = duty, .vibDepth = vibDepth, .vibRate = 5.5, .vibDelay = 0.18,
              .env = env, .gain = gain, .lowpass = lowpass};
}

Tone Bass(double gain, double release = 0.03) {
  return Tone{.wave = Wave::kTriangle, .env = {0.003, 0.08, 0.85, release}, .gain = gain};
}

Tone Kit(double gain) { return Tone{.gain = gain}; }

Track Melody(Tone inst, std::string_view mml) { return Track{.inst = inst, .line = ParseMml(mml)}; }

Track Drums(double gain, std::string_view grid) {
  return Track{.inst = Kit(gain), .line = ParseDrums(grid, 0.25), .drums = true};
}

Track Chords(Tone inst, std::string_view prog, int baseKey, std::string_view pattern, double stepBeats) {
  return Track{.inst = inst, .line = ChordPattern(ParseChords(prog), baseKey, pattern, stepBeats)};
}

// ---- tunes -------------------------------------------------------------------

// Stage tune: D major with a flattened seventh, 150 bpm, 20 bars (32 s).
std::vector<int16_t> StageTune() {
  constexpr std::string_view kLead =
      "o5 l8 d4 a f+ a4 >d <a | g f+ e f+ a4. r | g4 e c e4 g >c< | b4 a g d4 r4 |"
      "d4 a f+ a4 >d e< | >f+4 e d< a4 f+ a | g a g e c4 e g | a2 r4 c+ e |"
      "f+4. e d4 c+ d | <b2 >d4 g4 | f+4. e d e f+ a | e2. r c+ |"
      "d4 f+ b >d4 c+< b | a4 g f+ g4 d4 | e4 g >c< b g e g | a4. b >c+4 e4< |"
      ">d4.< b g4 b >d< | >c+4.< a e4 a >c+< | >d4 c+< b >d4 e4< | >e4 c+< a e f+ g a |";
  constexpr std::string_view kProg = "D D C G D D C A  Bm G D A Bm G C A  G A Bm A";
  constexpr std::string_view kStabs = "D D C G D D C A  x x x x x x x x  x x x x";
  constexpr std::string_view kArps = "x x x x x x x x  Bm G D A Bm G C A  G A Bm A";

  Song song{.bpm = 150, .bars = 20};
  const Tone lead = Pulse(0.25, 0.5, {0.004, 0.1, 0.7, 0.06}, 0.15, 6000);
  song.tracks.push_back(Melody(lead, kLead));
  Track echo = Melody(Pulse(0.125, 0.16, {0.004, 0.1, 0.6, 0.06}, 0.0, 4000), kLead);
  echo.delayBeats = 0.75;
  song.tracks.push_back(echo);
  const Tone stab = Pulse(0.125, 0.16, {0.002, 0.06, 0.4, 0.03}, 0.0, 5000);
  song.tracks.push_back(Chords(stab, kStabs, 60, ".1.1.1.1", 0.5));
  song.tracks.push_back(Chords(stab, kStabs, 60, ".2.2.2.2", 0.5));
  song.tracks.push_back(Chords(Pulse(0.125, 0.13, {0.002, 0.05, 0.5, 0.02}, 0.0, 5000), kArps, 60,
                               "0123212301232123", 0.25));
  song.tracks.push_back(Chords(Bass(0.85), kProg, 36, "0-030203", 0.5));
  song.tracks.push_back(Drums(0.6,
                              "[k...s...k.k.s...]7 k...s...k.s.ssss"
                              "[k...s...k.k.s...]7 k...s...k...s.ss"
                              "[k...s...k.k.s...]3 k...s...s.s.SSSS"));
  song.tracks.push_back(Drums(0.6,
                              "[c.h.h.h.h.h.h.h. [h.h.h.h.h.h.h.h.]7]2"
                              "c.h.h.h.h.h.h.h. [h.h.h.h.h.h.h.h.]3"));
  return ToPcm(RenderSong(song, true), kMusicPeak, false);
}

// Boss tune: E minor leaning on F (phrygian), 175 bpm, 24 bars (33 s).
std::vector<int16_t> BossTune() {
  constexpr std::string_view kLead =
      "o5 l8 e2 f+4 g4 | f+4 e4 d+4 e4 | f2 a4 g4 | e2. r4 |"
      "b2 a4 g4 | a4 g4 f+4 g4 | f+2 e4 d4 | d+2. r4 |"
      "e g >c4< b g e4 | g2 e4 c4 | f+ a >d4 c< a f+4 | a2. r4 |"
      "a >c e4 d c< b4 | >c4< a4 e4 c4 | d+ f+ b4 a f+ d+4 | f+ g a b >c d d+ e< |"
      ">e2< b4 g4 | >f2 c4< a4 | >e4 d+4 e4 g4< | >f2. e f< |"
      ">e4 c4< g4 >c4< | >d4< a4 f+4 a4 | >d+2 c+4< b4 | b a g f+ d+4 f+4 |";
  constexpr std::string_view kProg = "Em Em F Em Em Em D B  C C D D Am Am B B  Em F Em F C D B B";

  Song song{.bpm = 175, .bars = 24};
  song.tracks.push_back(Melody(Pulse(0.5, 0.4, {0.003, 0.08, 0.75, 0.05}, 0.2, 5000), kLead));
  Track low = Melody(Tone{.wave = Wave::kSaw, .vibDepth = 0.2, .vibRate = 5.5, .vibDelay = 0.18,
                          .env = {0.003, 0.08, 0.75, 0.05}, .gain = 0.22, .lowpass = 2000},
                     kLead);
  low.transpose = -12;
  song.tracks.push_back(low);
  song.tracks.push_back(
      Chords(Pulse(0.125, 0.12, {0.002, 0.04, 0.5, 0.02}, 0.0, 4500), kProg, 60, "[0121]4", 0.25));
  song.tracks.push_back(Chords(Bass(0.9), kProg, 33, "00300302", 0.5));
  song.tracks.push_back(Drums(0.6,
                              "[[k..ks..kk.k.s...]7 k...s...mmmmtttt]2"
                              "[k..ks..kk.k.s...]7 k.k.s.s.SSSSSSSS"));
  song.tracks.push_back(Drums(0.55, "[c.h.h.h.h.h.h.h. [h.h.h.h.h.h.h.h.]7]3"));
  return ToPcm(RenderSong(song, true), kMusicPeak, false);
}

// Title theme: G major, 126 bpm, 15 bars ending on a held chord.
std::vector<int16_t> TitleTune() {
  constexpr std::string_view kLead =
      "o5 l8 d4 g a b4 a g | e4. g b4 >d4< | e4 g e c4 e g | f+4. e d2 |"
      "d4 g a b4 >d< b | >e4. d< b4 g4 | a4 >c4< f+4 a4 | g2. r4 |"
      "e f+ g4 g a g e | f+ g a4 a b a f+ | b4. a f+4 d4 | g4. f+ e4 b4 |"
      "a4 >c< b a4 g4 | f+4 e f+ a4 >c4< | q8 b1";
  constexpr std::string_view kProg = "G Em C D G Em Am:2 D:2 G  C D Bm Em Am D  x";
  constexpr std::string_view kLast = "x x x x x x x x x x x x x x G";

  Song song{.bpm = 126, .bars = 15};
  song.tracks.push_back(Melody(Pulse(0.25, 0.5, {0.01, 0.12, 0.7, 0.35}, 0.18, 5000), kLead));
  const Tone soft = Pulse(0.125, 0.15, {0.004, 0.08, 0.5, 0.05}, 0.0, 4000);
  const Tone ring = Pulse(0.125, 0.15, {0.004, 0.3, 0.5, 0.6}, 0.0, 4000);
  song.tracks.push_back(Chords(soft, kProg, 60, ".1.1", 0.5));
  song.tracks.push_back(Chords(soft, kProg, 60, ".2.2", 0.5));
  song.tracks.push_back(Chords(ring, kLast, 60, "1-------", 0.5));
  song.tracks.push_back(Chords(ring, kLast, 60, "2-------", 0.5));
  song.tracks.push_back(Chords(Bass(0.8), kProg, 38, "0.2.3.2.", 0.5));
  song.tracks.push_back(Chords(Bass(0.8, 0.5), kLast, 38, "0-------", 0.5));
  song.tracks.push_back(Drums(0.45, "[k.......k.......]14 K..............."));
  song.tracks.push_back(Drums(0.45, "[h.h.x.h.h.h.x.h.]14 c..............."));
  return ToPcm(RenderSong(song, false), kMusicPeak, true);
}

// Stage clear fanfare: C major through A flat and B flat, 150 bpm, 4 bars.
std::vector<int16_t> Fanfare() {
  Song song{.bpm = 150, .bars = 4};
  const Adsr brass{0.006, 0.1, 0.75, 0.5};
  song.tracks.push_back(Melody(Pulse(0.25, 0.45, brass, 0.2, 6000),
                               "o5 l8 g. g16 >c4< g. g16 >e4< | a-4. b- >c4 d4< | >e4. d e4 g4< | q8 >c1<"));
  song.tracks.push_back(Melody(Pulse(0.5, 0.22, brass, 0.0, 3500),
                               "o5 l8 e. e16 g4 e. e16 g4 | f4. g a-4 b-4 | g4. f g4 >d4< | q8 g1"));
  Track run{.inst = Pulse(0.125, 0.14, {0.002, 0.1, 0.6, 0.5}, 0.0, 5000),
            .line = ChordPattern(ParseChords("x x x C"), 60, "0123456---------", 0.25)};
  song.tracks.push_back(run);
  Track bass{.inst = Bass(0.85, 0.5), .line = ChordPattern(ParseChords("C Ab:2 Bb:2 C"), 36, "0.0.2.3.", 0.5)};
  bass.line.Append(ChordPattern(ParseChords("C"), 36, "0-------", 0.5));
  song.tracks.push_back(bass);
  song.tracks.push_back(Drums(0.55, "K...k...k...k... k...k...ssssSSSS k...s...k...s.s. K..............."));
  song.tracks.push_back(Drums(0.55, "c............... ................ ................ c..............."));
  return ToPcm(RenderSong(song, false), kMusicPeak, true);
}

// Game over: a falling line in A minor, 105 bpm, 2 bars.
std::vector<int16_t> GameOverTune() {
  Song song{.bpm = 105, .bars = 2};
  const Adsr sigh{0.02, 0.15, 0.8, 0.5};
  song.tracks.push_back(Melody(Pulse(0.5, 0.4, sigh, 0.25, 2500), "o5 l8 e4. d c4 <b4> | c <b a g+ q8 a2>"));
  song.tracks.push_back(Melody(Pulse(0.25, 0.22, sigh, 0.0, 2500), "o4 l8 a4. f a4 g+4 | f f e e q8 e2"));
  song.tracks.push_back(Melody(Bass(0.8, 0.5), "o2 l4 a2 f e | d e q8 a2"));
  return ToPcm(RenderSong(song, false), kMusicPeak, true);
}

// ---- effects -------------------------------------------------------------------

// An effect under construction: tones placed at times in seconds.
struct Fx {
  Buffer buf;
  Fx& Add(double at, double hold, const Tone& t) {
    AddToneAt(buf, at, hold, t);
    return *this;
  }
  // Mixes in a voice scaled to `level` at its loudest.
  Fx& Add(double at, const VoiceSpec& v, double level) {
    Buffer voice = RenderVoice(v, false);
    float top = 0;
    for (float x : voice) top = std::max(top, std::fabs(x));
    const auto start = static_cast<size_t>(std::lround(at * kRate));
    if (buf.size() < start + voice.size()) buf.resize(start + voice.size(), 0.0f);
    for (size_t i = 0; i < voice.size(); ++i) buf[start + i] += static_cast<float>(voice[i] * level / top);
    return *this;
  }
  std::vector<int16_t> Pcm(double peak) const { return ToPcm(buf, peak, true); }
};

// Percussive envelope: attack, then decay to silence.
Adsr Hit(double attack, double decay) { return {attack, decay, 0.0, 0.005}; }

Tone Noise(double gain, Adsr env, double lowpass = 0, double lowpassEnd = 0, double highpass = 0) {
  return Tone{.wave = Wave::kNoise, .freq = 11025, .env = env, .gain = gain, .lowpass = lowpass,
              .lowpassEnd = lowpassEnd, .highpass = highpass};
}

Tone Sweep(Wave w, double from, double to, double slideTime, Adsr env, double gain) {
  return Tone{.wave = w, .freq = from, .freqEnd = to, .slideTime = slideTime, .env = env, .gain = gain};
}

std::vector<int16_t> CursorBlip() {
  Tone t = Pulse(0.25, 0.5, {0.002, 0.02, 0.6, 0.01});
  t.freq = 1319;
  Fx fx;
  fx.Add(0, 0.022, t);
  t.freq = 1760;
  fx.Add(0.028, 0.025, t);
  return fx.Pcm(9000);
}

std::vector<int16_t> Confirm() {
  Fx fx;
  const double keys[] = {72, 76, 79, 84};
  for (int i = 0; i < 4; ++i) {
    Tone t = Pulse(0.5, 0.45, {0.002, 0.03, 0.7, i == 3 ? 0.2 : 0.015}, i == 3 ? 0.3 : 0.0, 6000);
    t.vibDelay = 0.05;
    t.freq = MidiHz(keys[i] + 12);
    fx.Add(0.04 * i, i == 3 ? 0.12 : 0.035, t);
    t.freq = MidiHz(keys[i]);
    t.gain = 0.2;
    t.duty = 0.25;
    fx.Add(0.04 * i, i == 3 ? 0.12 : 0.035, t);
  }
  return fx.Pcm(11000);
}

// A hero's footstep: a soft, low "tup" of a shoe on the ground.
std::vector<int16_t> HeroStep() {
  return Fx{}
      .Add(0, 0.05, Noise(0.5, Hit(0.002, 0.05), 700, 300))
      .Add(0, 0.08, Sweep(Wave::kSine, 150, 70, 0.07, Hit(0.003, 0.08), 0.9))
      .Pcm(8000);
}

// The punch's swing: a short, bright rush of air that rises as the fist flies.
std::vector<int16_t> PunchWhoosh() {
  return Fx{}
      .Add(0, 0.13, Noise(1.0, Hit(0.05, 0.08), 1500, 7000, 900))
      .Add(0.02, 0.09, Noise(0.4, Hit(0.04, 0.05), 0, 0, 4000))
      .Pcm(12000);
}

// The hero's jump: a clean pulse that springs up two octaves, thinning as it goes.
std::vector<int16_t> HeroJump() {
  Tone t = Sweep(Wave::kSquare, 330, 1320, 0.12, {0.003, 0.13, 0.25, 0.04}, 0.5);
  t.duty = 0.5;
  t.dutyEnd = 0.125;
  t.lowpass = 7000;
  Tone octave = t;
  octave.freq *= 2;
  octave.freqEnd *= 2;
  octave.gain = 0.12;
  return Fx{}.Add(0, 0.14, t).Add(0.01, 0.13, octave).Pcm(10000);
}

// A gek throws its ball: a hiss falling from high to low as the arm swings
// down, and a hollow "pok" as the ball leaves the hand.
std::vector<int16_t> Throw() {
  Tone pok{.wave = Wave::kSine, .freq = 440, .freqEnd = 400, .env = Hit(0.001, 0.07), .gain = 0.7};
  Tone knock = pok;
  knock.freq = 1380;
  knock.freqEnd = 1300;
  knock.gain = 0.25;
  knock.env = Hit(0.001, 0.03);
  return Fx{}
      .Add(0, 0.1, Noise(0.8, Hit(0.02, 0.08), 9000, 2000, 1800))
      .Add(0.085, 0.07, pok)
      .Add(0.085, 0.03, knock)
      .Pcm(11000);
}

// A big creature hurt (the boss, the gek): a deep boom and crunch under a low,
// growling roar that trails off.
std::vector<int16_t> HeavyHit() {
  const VoiceSpec roar{.duration = 0.5,
                       .pitch = {{{0, 150}, {0.08, 190}, {0.45, 95}}},
                       .amp = {{{0, 0}, {0.04, 0}, {0.09, 1}, {0.3, 0.75}, {0.5, 0}}},
                       .f1 = {{{0, 520}, {0.45, 380}}},
                       .f2 = {{{0, 880}, {0.45, 700}}},
                       .vibDepth = 0.9,
                       .vibRate = 23,
                       .breath = 0.3};
  return Fx{}
      .Add(0, 0.1, Noise(0.9, Hit(0.002, 0.1), 1000, 200))
      .Add(0, 0.32, Sweep(Wave::kSine, 95, 32, 0.3, Hit(0.001, 0.32), 0.8))
      .Add(0.03, roar, 1.0)
      .Pcm(15000);
}

// A small enemy's step: a tiny, high "pit", quiet enough to repeat while it walks.
std::vector<int16_t> EnemyStep() {
  Tone pip{.wave = Wave::kTriangle, .freq = 1500, .freqEnd = 1150, .env = Hit(0.001, 0.025), .gain = 0.6};
  return Fx{}.Add(0, 0.025, pip).Add(0, 0.012, Noise(0.35, Hit(0.001, 0.012), 0, 0, 5000)).Pcm(4500);
}

// A punch landing on a small enemy: a sharp crack over a wooden "tok" with a
// short thud under it.
std::vector<int16_t> EnemyHit() {
  Tone tok{.wave = Wave::kSine, .freq = 760, .env = Hit(0.001, 0.08), .gain = 0.8};
  Tone ring = tok;
  ring.freq = 2050;
  ring.gain = 0.35;
  ring.env = Hit(0.001, 0.045);
  return Fx{}
      .Add(0, 0.025, Noise(1.0, Hit(0.001, 0.025), 0, 0, 2500))
      .Add(0, 0.08, tok)
      .Add(0, 0.045, ring)
      .Add(0, 0.06, Sweep(Wave::kSine, 200, 110, 0.05, Hit(0.001, 0.06), 0.5))
      .Pcm(13000);
}

// A patatta's wing beat: a soft, low "flup" as the wings press down, and a
// lighter one as they lift.
std::vector<int16_t> Flap() {
  return Fx{}
      .Add(0, 0.06, Noise(1.0, Hit(0.02, 0.05), 700, 280, 120))
      .Add(0.085, 0.045, Noise(0.5, Hit(0.015, 0.04), 1000, 450, 150))
      .Pcm(8000);
}

std::vector<int16_t> FlyerHit() {
  Tone squawk = Sweep(Wave::kSquare, 1400, 500, 0.2, {0.002, 0.2, 0.2, 0.06}, 0.5);
  squawk.duty = 0.25;
  squawk.vibDepth = 1.5;
  squawk.vibRate = 25;
  squawk.lowpass = 6000;
  return Fx{}.Add(0, 0.2, squawk).Add(0, 0.06, Noise(0.7, Hit(0.001, 0.06), 7000)).Pcm(12000);
}

std::vector<int16_t> FallingWhistle() {
  Tone t = Sweep(Wave::kSine, 1760, 330, 0.9, {0.02, 0.0, 1.0, 0.15}, 0.6);
  t.vibDepth = 0.3;
  t.vibRate = 7;
  Tone edge = t;
  edge.wave = Wave::kTriangle;
  edge.gain = 0.15;
  return Fx{}.Add(0, 0.85, t).Add(0, 0.85, edge).Pcm(9000);
}

std::vector<int16_t> Ouch() {
  const VoiceSpec ow{.duration = 0.34,
                     .pitch = {{{0, 420}, {0.05, 560}, {0.3, 300}}},
                     .amp = {{{0, 0}, {0.02, 1}, {0.2, 0.8}, {0.34, 0}}},
                     .f1 = {{{0, 650}, {0.3, 400}}},
                     .f2 = {{{0, 1050}, {0.3, 700}}},
                     .vibDepth = 0.3,
                     .vibRate = 8,
                     .breath = 0.1};
  return Fx{}
      .Add(0, 0.08, Noise(0.8, Hit(0.001, 0.08), 4000, 500))
      .Add(0, 0.12, Sweep(Wave::kSine, 200, 70, 0.1, Hit(0.001, 0.12), 0.8))
      .Add(0.02, ow, 0.8)
      .Pcm(14000);
}

std::vector<int16_t> ChargeUp() {
  Fx fx;
  Tone hum = Sweep(Wave::kSquare, 150, 1200, 1.0, {0.3, 0.0, 1.0, 0.05}, 0.4);
  hum.dutyEnd = 0.1;
  hum.vibDepth = 0.4;
  hum.vibRate = 12;
  hum.lowpass = 5000;
  fx.Add(0, 0.95, hum);
  Tone under = Sweep(Wave::kTriangle, 75, 600, 1.0, {0.2, 0.0, 1.0, 0.05}, 0.4);
  fx.Add(0, 0.95, under);
  // A rising arpeggio over C major, one blip every 1/16 s.
  const int steps[] = {0, 4, 7};
  for (int i = 0; i < 15; ++i) {
    Tone blip = Pulse(0.125, 0.12 + 0.012 * i, Hit(0.002, 0.045));
    blip.freq = MidiHz(60 + steps[i % 3] + 12 * (i / 3));
    fx.Add(0.0625 * i, 0.047, blip);
  }
  fx.Add(0.1, 0.85, Noise(0.12, {0.8, 0.0, 1.0, 0.05}, 0, 0, 4000));
  return fx.Pcm(12000);
}

std::vector<int16_t> Explosion() {
  Tone rumble = Noise(0.8, Hit(0.002, 1.2), 500);
  rumble.freq = 2000;
  Tone crackle = Noise(0.2, Hit(0.002, 0.4), 0, 0, 1500);
  crackle.wave = Wave::kMetal;
  crackle.freq = 3000;
  return Fx{}
      .Add(0, 1.25, Noise(1.0, Hit(0.002, 1.25), 7000, 250))
      .Add(0, 1.2, rumble)
      .Add(0, 0.6, Sweep(Wave::kSine, 90, 30, 0.5, Hit(0.002, 0.6), 0.9))
      .Add(0.03, 0.4, crackle)
      .Pcm(15000);
}

std::vector<int16_t> ReadyChime() {
  Fx fx;
  const double notes[][2] = {{0.0, 83}, {0.09, 88}};  // B5 then E6
  for (const auto& [at, key] : notes) {
    const double f = MidiHz(key);
    fx.Add(at, 0.55, Tone{.wave = Wave::kSine, .freq = f, .env = Hit(0.002, 0.55), .gain = 0.6});
    fx.Add(at, 0.2, Tone{.wave = Wave::kSine, .freq = 3 * f, .env = Hit(0.002, 0.2), .gain = 0.15});
    fx.Add(at, 0.1, Tone{.wave = Wave::kSquare, .freq = f, .duty = 0.125, .env = Hit(0.002, 0.1), .gain = 0.1});
  }
  return fx.Pcm(10000);
}

std::vector<int16_t> SpinWhoosh() {
  Fx fx;
  for (int i = 0; i < 3; ++i) fx.Add(0.11 * i, 0.12, Noise(1.0 - 0.1 * i, Hit(0.04, 0.08), 800, 3500, 300));
  fx.Add(0, 0.33, Sweep(Wave::kTriangle, 300, 600, 0.33, Hit(0.02, 0.31), 0.15));
  return fx.Pcm(11000);
}

// A sikaky's hop: a spring wobbling on its way up, "boyoyoing".
std::vector<int16_t> Boing() {
  Tone spring = Sweep(Wave::kTriangle, 140, 330, 0.3, Hit(0.002, 0.36), 0.8);
  spring.vibDepth = 3.0;
  spring.vibRate = 15;
  spring.vibDelay = 0.02;
  Tone edge = spring;
  edge.wave = Wave::kSquare;
  edge.duty = 0.125;
  edge.freq *= 3;
  edge.freqEnd *= 3;
  edge.gain = 0.12;
  edge.lowpass = 3000;
  return Fx{}.Add(0, 0.36, spring).Add(0, 0.36, edge).Pcm(10000);
}

std::vector<int16_t> BossBeam() {
  const Adsr env{0.005, 0.1, 0.7, 0.15};
  Tone beam = Sweep(Wave::kSaw, 1600, 500, 0.7, env, 0.5);
  beam.vibDepth = 0.6;
  beam.vibRate = 30;
  beam.vibDelay = 0;
  beam.lowpass = 5000;
  Tone beat = Sweep(Wave::kSquare, 1610, 505, 0.7, env, 0.3);
  return Fx{}
      .Add(0, 0.65, beam)
      .Add(0, 0.65, beat)
      .Add(0, 0.65, Noise(0.1, env, 0, 0, 3000))
      .Pcm(12000);
}

// A sikaky fires its slow ball: a cork's pop, then a hollow, wobbling "fwoo"
// sinking away.
std::vector<int16_t> Shot() {
  Tone ball = Sweep(Wave::kTriangle, 430, 170, 0.2, {0.01, 0.2, 0.0, 0.01}, 0.7);
  ball.vibDepth = 1.0;
  ball.vibRate = 19;
  ball.lowpass = 2500;
  return Fx{}
      .Add(0, 0.02, Noise(0.7, Hit(0.001, 0.02), 2500))
      .Add(0, 0.025, Sweep(Wave::kSine, 1100, 380, 0.025, Hit(0.001, 0.025), 0.8))
      .Add(0.015, 0.21, ball)
      .Pcm(11000);
}

// The boss's wing beat: a huge, slow "whoom" of air pushed down, a deep boom
// under it and the leathery snap of the wing at the bottom of the stroke.
std::vector<int16_t> WingBeat() {
  return Fx{}
      .Add(0, 0.3, Noise(1.0, {0.12, 0.18, 0.0, 0.01}, 300, 900))
      .Add(0.05, 0.25, Sweep(Wave::kSine, 62, 40, 0.25, Hit(0.04, 0.21), 1.0))
      .Add(0.17, 0.03, Noise(0.5, Hit(0.001, 0.03), 0, 0, 1800))
      .Pcm(10000);
}

// The beaten boss's cry: two sobs in 1.2 s, repeating seamlessly.
std::vector<int16_t> BossCry() {
  const VoiceSpec v{.duration = 1.2,
                    .pitch = {{{0, 560}, {0.05, 640}, {0.5, 430}, {0.6, 600}, {0.65, 620}, {1.1, 400}, {1.2, 560}}},
                    .amp = {{{0, 0.15}, {0.06, 1}, {0.45, 0.8}, {0.56, 0.12}, {0.62, 0.95}, {1.05, 0.7},
                             {1.16, 0.12}, {1.2, 0.15}}},
                    .f1 = {{{0, 800}, {0.5, 600}, {0.6, 800}, {1.1, 600}, {1.2, 800}}},
                    .f2 = {{{0, 1300}, {0.5, 1000}, {0.6, 1300}, {1.1, 1000}, {1.2, 1300}}},
                    .vibDepth = 0.35,
                    .vibRate = 6,
                    .breath = 0.12};
  return ToPcm(RenderVoice(v, true), 10000, false);
}

}  // namespace

std::vector<SoundFile> ComposeSounds() {
  using Maker = std::vector<int16_t> (*)();
  static const std::pair<std::string_view, Maker> kMakers[] = {
      {"sentaku", CursorBlip},    {"kettei", Confirm},        {"Varuki", HeroStep},
      {"Vkougeki", PunchWhoosh},  {"Vtobi", HeroJump},        {"Gkougeki", Throw},
      {"G_yarare", HeavyHit},     {"K_aruki", EnemyStep},     {"K_yarare", EnemyHit},
      {"P_tobi", Flap},           {"P_yarare", FlyerHit},     {"OP", StageTune},
      {"G_over", GameOverTune},   {"rakka", FallingWhistle},  {"Vatari", Ouch},
      {"MTLS", ChargeUp},         {"TLS", Explosion},         {"tamari", ReadyChime},
      {"THS", SpinWhoosh},        {"BossS", BossTune},        {"sikakutobi", Boing},
      {"story", TitleTune},       {"clear", Fanfare},         {"bossbimu", BossBeam},
      {"sikakuK", Shot},          {"bosshaba", WingBeat},     {"nigekoe", BossCry},
  };
  std::vector<SoundFile> out;
  for (std::string_view name : kt::kSoundFiles) {
    const auto* it = std::find_if(std::begin(kMakers), std::end(kMakers), [&](const auto& m) { return m.first == name; });
    if (it == std::end(kMakers)) throw std::logic_error("no composition for sound " + std::string(name));
    out.push_back({std::string(name), kRate, it->second()});
  }
  return out;
}

}  // namespace gen
