#pragma once
// A small chiptune synthesizer: band-limited square and saw, triangle, sine and
// shift-register noise; ADSR envelopes, pitch slides, vibrato and one-pole
// filters; a formant voice for cries; and a note sequencer that reads a compact
// music-macro text, chord progressions and drum grids.
//
// Everything renders into float buffers at kRate (full scale 1.0); ToPcm turns a
// buffer into the game's 16-bit samples at a chosen peak level. Nothing here
// depends on time or global state, so the same call gives the same samples.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gen::synth {

inline constexpr int kRate = 22050;
using Buffer = std::vector<float>;

// 15-bit linear feedback shift register. The short mode (feedback from bit 6)
// repeats every 93 clocks and sounds metallic; the long mode is plain hiss.
class Lfsr {
 public:
  explicit Lfsr(bool shortMode = false) : short_(shortMode) {}
  // Shifts once and returns the new output, +1 or -1.
  float Clock();
  float Out() const { return (reg_ & 1u) ? 1.0f : -1.0f; }

 private:
  uint16_t reg_ = 1;
  bool short_;
};

enum class Wave { kSquare, kTriangle, kSaw, kSine, kNoise, kMetal };

// Attack, decay and release in seconds; sustain is a level 0..1. Decay and
// release follow a quadratic curve that reaches its target exactly.
struct Adsr {
  double attack = 0.004, decay = 0.05, sustain = 0.8, release = 0.05;
  // Level `t` seconds after the start of a note released after `hold` seconds.
  double Level(double t, double hold) const;
};

struct Tone {
  Wave wave = Wave::kSquare;
  double freq = 440;          // Hz; for the noise waves the register's clock rate
  double freqEnd = 0;         // 0: steady pitch; otherwise glides exponentially to it
  double slideTime = 0;       // seconds the glide takes; 0: the whole sound
  double duty = 0.5;          // square pulse width
  double dutyEnd = -1;        // < 0: fixed width; otherwise swept linearly over the sound
  double vibDepth = 0;        // semitones
  double vibRate = 0;         // Hz
  double vibDelay = 0;        // seconds before the vibrato fades in
  Adsr env{};
  double gain = 0.5;
  double lowpass = 0;         // cutoff in Hz, 0: off
  double lowpassEnd = 0;      // 0: fixed cutoff; otherwise swept exponentially
  double highpass = 0;        // cutoff in Hz, 0: off
};

// Samples a tone takes when held for `hold` seconds, release included.
size_t ToneLength(double hold, const Tone& t);
// Mixes a tone into `buf` from sample `start`, growing the buffer as needed.
void AddTone(Buffer& buf, size_t start, double hold, const Tone& t);
// The same with the start in seconds.
void AddToneAt(Buffer& buf, double startSec, double hold, const Tone& t);

double MidiHz(double key);

// Piecewise linear function of time through (seconds, value) points, held
// constant before the first and after the last point.
struct Curve {
  std::vector<std::pair<double, double>> pts{};
  double At(double t) const;
};

// A sung or cried vowel: a saw source (plus breath noise) through two formant
// resonators, with pitch, loudness and formants following curves.
struct VoiceSpec {
  double duration = 1;
  Curve pitch{};   // Hz
  Curve amp{};     // 0..1
  Curve f1{}, f2{};  // formant centres, Hz
  double vibDepth = 0, vibRate = 0;  // semitones, Hz
  double breath = 0;                 // share of noise in the source
};
// With `loop` the result repeats seamlessly: the pitch is tuned to a whole number
// of cycles and the vibrato to a whole number of periods over the duration, and
// the filters run until they settle into the repeating state. The curves must
// then end where they start.
Buffer RenderVoice(const VoiceSpec& v, bool loop);

// ---- sequencer --------------------------------------------------------------

struct Note {
  double beat = 0;  // start, in quarter notes
  double len = 0;   // in quarter notes
  int key = 0;      // MIDI key, or the drum's letter in a drum line
  double vel = 1;
  double gate = 1;  // share of the length the note is held before its release
};

// Notes and the line's full length (trailing rests included).
struct Line {
  std::vector<Note> notes{};
  double beats = 0;
  // Appends `other`, shifted to start where this line ends.
  Line& Append(const Line& other);
};

// Expands "[...]n" (n copies; nested groups allowed; n defaults to 2).
std::string ExpandRepeats(std::string_view text);

// Music-macro text, e.g. "o5 l8 d4 a f+ a4 > d < a | g f+ e f+ a4. r":
//   a..g   note, then optional + # (sharp) or - (flat), length and dots
//   r      rest;  ^len  ties more length to the previous note or rest
//   l n    default length (4 = quarter, 8 = eighth, 12 = eighth triplet, ...)
//   o n    octave (o4 c = middle C);  > and < one octave up and down
//   v n    velocity 0..15;  q n  gate in eighths of the length (8 = legato)
//   | and white space are ignored.  Throws std::invalid_argument on bad input.
Line ParseMml(std::string_view mml);

// A chord per span, e.g. "D D C G Am:2 D:2" (a bare name lasts a bar of
// `beatsPerBar`, name:n lasts n beats). Names: root, optional # or b, then
// nothing (major), m, 7, m7, dim or sus. "x" is a bar without a chord.
struct Chord {
  double beat = 0, len = 0;
  int root = 0;             // pitch class, C = 0; < 0 for no chord
  std::vector<int> tones{};  // semitones above the root
};
std::vector<Chord> ParseChords(std::string_view prog, double beatsPerBar = 4);

// Plays each chord with a step pattern that restarts at every chord:
// a digit picks a chord tone (0 root, 1 next tone ...; past the last tone it
// continues an octave up), '.' rests, '-' holds the previous note a step longer.
// The root is placed at or just above `baseKey`.
Line ChordPattern(const std::vector<Chord>& chords, int baseKey, std::string_view pattern, double stepBeats);

// A drum grid, one character a step: '.' nothing, k kick, s snare, x rim,
// h closed hat, o open hat, c crash, t low tom, m high tom; upper case accents.
Line ParseDrums(std::string_view grid, double stepBeats);
// The tones of one drum hit, held for its attack and decay.
std::vector<Tone> DrumTones(char kind);

struct Track {
  Tone inst{};              // wave, envelope, gain ...; freq is set per note
  Line line{};
  bool drums = false;
  double delayBeats = 0;   // plays the line this much later (an echo)
  double transpose = 0;    // semitones
  double bendIn = 0;       // each note starts this many semitones away ...
  double bendTime = 0;     // ... and glides to its pitch in this many seconds
};

struct Song {
  double bpm = 120;
  double beatsPerBar = 4;
  int bars = 0;
  std::vector<Track> tracks{};
};

// Renders all tracks. Every line must last exactly bars * beatsPerBar (else
// std::logic_error). With `loop` the result is exactly the song's length and the
// sound ringing past the end is mixed into the beginning, so it repeats
// seamlessly; otherwise it runs until the last release ends.
Buffer RenderSong(const Song& song, bool loop);

// Removes the DC offset and scales to `peak` (in 16-bit units). A one-shot also
// gets short fades at both ends so it starts and stops without a click.
std::vector<int16_t> ToPcm(Buffer buf, double peak, bool oneShot);

}  // namespace gen::synth
