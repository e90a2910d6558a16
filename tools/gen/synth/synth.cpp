#include "gen/synth/synth.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

namespace gen::synth {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDt = 1.0 / kRate;

// Correction around a step of a naive square or saw (polynomial band-limited
// step), which keeps high notes from folding back into harsh alias tones.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double OnePoleCoef(double cutoff) { return 1.0 - std::exp(-2.0 * kPi * cutoff * kDt); }

// Two-pole resonator, the building block of a formant.
struct Resonator {
  double y1 = 0, y2 = 0;
  double Step(double x, double freq, double bandwidth) {
    const double r = std::exp(-kPi * bandwidth * kDt);
    const double c = 2.0 * r * std::cos(2.0 * kPi * freq * kDt);
    const double y = (1.0 - r) * x + c * y1 - r * r * y2;
    y2 = y1;
    y1 = y;
    return y;
  }
};

[[noreturn]] void Bad(std::string_view what, std::string_view text, size_t at) {
  throw std::invalid_argument(std::string(what) + " at " + std::to_string(at) + " in \"" + std::string(text) + "\"");
}

std::string ExpandFrom(std::string_view s, size_t& i, bool nested) {
  std::string out;
  while (i < s.size()) {
    const char c = s[i];
    if (c == '[') {
      ++i;
      const std::string inner = ExpandFrom(s, i, true);
      int count = 0;
      bool any = false;
      while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        count = count * 10 + (s[i++] - '0');
        any = true;
      }
      if (!any) count = 2;
      for (int k = 0; k < count; ++k) out += inner;
    } else if (c == ']') {
      if (!nested) Bad("unmatched ]", s, i);
      ++i;
      return out;
    } else {
      out += c;
      ++i;
    }
  }
  if (nested) Bad("unclosed [", s, i);
  return out;
}

}  // namespace

float Lfsr::Clock() {
  const unsigned tap = short_ ? 6u : 1u;
  const auto feedback = static_cast<uint16_t>((reg_ ^ (reg_ >> tap)) & 1u);
  reg_ = static_cast<uint16_t>((reg_ >> 1) | (feedback << 14));
  return Out();
}

double Adsr::Level(double t, double hold) const {
  auto held = [this](double x) {
    if (x < attack) return x / attack;
    x -= attack;
    if (x < decay) {
      const double u = 1.0 - x / decay;
      return sustain + (1.0 - sustain) * u * u;
    }
    return sustain;
  };
  if (t < 0) return 0;
  if (t < hold) return held(t);
  const double x = t - hold;
  if (x >= release) return 0;
  const double u = 1.0 - x / release;
  return held(hold) * u * u;
}

size_t ToneLength(double hold, const Tone& t) {
  return std::max<size_t>(1, static_cast<size_t>(std::ceil((std::max(hold, 0.0) + t.env.release) * kRate)));
}

void AddTone(Buffer& buf, size_t start, double hold, const Tone& t) {
  const size_t n = ToneLength(hold, t);
  if (buf.size() < start + n) buf.resize(start + n, 0.0f);
  const double total = static_cast<double>(n) * kDt;
  const double slide = t.slideTime > 0 ? t.slideTime : total;
  const double glide = t.freqEnd > 0 ? std::log(t.freqEnd / t.freq) : 0.0;
  const bool sweepDuty = t.dutyEnd >= 0;
  const bool sweepLow = t.lowpass > 0 && t.lowpassEnd > 0 && t.lowpassEnd != t.lowpass;
  double lowCoef = t.lowpass > 0 ? OnePoleCoef(t.lowpass) : 1.0;
  const double highCoef = t.highpass > 0 ? OnePoleCoef(t.highpass) : 0.0;
  const bool noise = t.wave == Wave::kNoise || t.wave == Wave::kMetal;
  Lfsr lfsr(t.wave == Wave::kMetal);
  double noiseOut = lfsr.Out();
  // Triangle and sine start at a zero crossing.
  double phase = (t.wave == Wave::kTriangle) ? 0.25 : 0.0;
  double low = 0, high = 0;

  for (size_t i = 0; i < n; ++i) {
    const double time = static_cast<double>(i) * kDt;
    const double progress = time / total;
    double f = t.freq;
    if (glide != 0) f *= std::exp(glide * std::min(time / slide, 1.0));
    if (t.vibDepth > 0 && time > t.vibDelay) {
      const double since = time - t.vibDelay;
      const double depth = t.vibDepth * std::min(since / 0.12, 1.0);
      f *= std::exp2(depth / 12.0 * std::sin(2.0 * kPi * t.vibRate * since));
    }
    double x = 0;
    if (noise) {
      phase += f * kDt;
      while (phase >= 1.0) {
        noiseOut = lfsr.Clock();
        phase -= 1.0;
      }
      x = noiseOut;
    } else {
      const double inc = std::min(f * kDt, 0.45);
      switch (t.wave) {
        case Wave::kSquare: {
          const double duty = std::clamp(sweepDuty ? t.duty + (t.dutyEnd - t.duty) * progress : t.duty, 0.02, 0.98);
          x = phase < duty ? 1.0 : -1.0;
          x += PolyBlep(phase, inc);
          x -= PolyBlep(std::fmod(phase + 1.0 - duty, 1.0), inc);
          x -= 2.0 * duty - 1.0;  // no DC at any width
          break;
        }
        case Wave::kSaw:
          x = 2.0 * phase - 1.0 - PolyBlep(phase, inc);
          break;
        case Wave::kTriangle:
          x = 1.0 - 4.0 * std::fabs(phase - 0.5);
          break;
        default:
          x = std::sin(2.0 * kPi * phase);
          break;
      }
      phase += inc;
      if (phase >= 1.0) phase -= 1.0;
    }
    if (t.lowpass > 0) {
      if (sweepLow) lowCoef = OnePoleCoef(t.lowpass * std::pow(t.lowpassEnd / t.lowpass, progress));
      low += lowCoef * (x - low);
      x = low;
    }
    if (t.highpass > 0) {
      high += highCoef * (x - high);
      x -= high;
    }
    buf[start + i] += static_cast<float>(x * t.gain * t.env.Level(time, hold));
  }
}

void AddToneAt(Buffer& buf, double startSec, double hold, const Tone& t) {
  AddTone(buf, static_cast<size_t>(std::lround(std::max(startSec, 0.0) * kRate)), hold, t);
}

double MidiHz(double key) { return 440.0 * std::exp2((key - 69.0) / 12.0); }

double Curve::At(double t) const {
  if (pts.empty()) return 0;
  if (t <= pts.front().first) return pts.front().second;
  for (size_t i = 1; i < pts.size(); ++i) {
    if (t <= pts[i].first) {
      const auto& [t0, v0] = pts[i - 1];
      const auto& [t1, v1] = pts[i];
      return t1 > t0 ? v0 + (v1 - v0) * (t - t0) / (t1 - t0) : v1;
    }
  }
  return pts.back().second;
}

Buffer RenderVoice(const VoiceSpec& v, bool loop) {
  const auto n = static_cast<size_t>(std::max(1L, std::lround(v.duration * kRate)));
  const double duration = static_cast<double>(n) * kDt;
  double vibRate = v.vibRate;
  if (loop && vibRate > 0) vibRate = std::max(1.0, std::round(vibRate * duration)) / duration;

  std::vector<double> inc(n);
  double cycles = 0;
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) * kDt;
    const double f = v.pitch.At(t) * std::exp2(v.vibDepth / 12.0 * std::sin(2.0 * kPi * vibRate * t));
    inc[i] = std::min(f * kDt, 0.45);
    cycles += inc[i];
  }
  if (loop && cycles > 0) {
    const double scale = std::max(1.0, std::round(cycles)) / cycles;
    for (double& d : inc) d *= scale;
  }

  std::vector<double> source(n);
  Lfsr lfsr;
  double phase = 0;
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) * kDt;
    const double saw = 2.0 * phase - 1.0 - PolyBlep(phase, inc[i]);
    source[i] = (saw * (1.0 - v.breath) + lfsr.Clock() * v.breath) * v.amp.At(t);
    phase += inc[i];
    if (phase >= 1.0) phase -= 1.0;
  }

  // Looping: run the filters over the repeating source until they settle, and
  // keep the last round.
  Buffer out(n);
  Resonator r1, r2;
  const int rounds = loop ? 3 : 1;
  for (int round = 0; round < rounds; ++round) {
    for (size_t i = 0; i < n; ++i) {
      const double t = static_cast<double>(i) * kDt;
      const double y = r1.Step(source[i], v.f1.At(t), 90.0) + 0.7 * r2.Step(source[i], v.f2.At(t), 130.0);
      out[i] = static_cast<float>(y);
    }
  }
  return out;
}

// ---- sequencer --------------------------------------------------------------

Line& Line::Append(const Line& other) {
  // `other` may be this line itself: read from a copy.
  const std::vector<Note> added = other.notes;
  const double addedBeats = other.beats;
  for (Note n : added) {
    n.beat += beats;
    notes.push_back(n);
  }
  beats += addedBeats;
  return *this;
}

std::string ExpandRepeats(std::string_view text) {
  size_t i = 0;
  return ExpandFrom(text, i, false);
}

Line ParseMml(std::string_view text) {
  const std::string s = ExpandRepeats(text);
  Line out;
  int octave = 4;
  double defLen = 1.0;
  double vel = 1.0, gate = 7.0 / 8.0;
  bool lastIsNote = false;
  size_t i = 0;

  auto readInt = [&](int& value) {
    if (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    value = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) value = value * 10 + (s[i++] - '0');
    return true;
  };
  auto needInt = [&](int lo, int hi) {
    const size_t at = i;
    int value = 0;
    if (!readInt(value) || value < lo || value > hi) Bad("bad number", s, at);
    return value;
  };
  auto readLen = [&] {
    double len = defLen;
    int d = 0;
    const size_t at = i;
    if (readInt(d)) {
      if (d <= 0 || d > 64) Bad("bad length", s, at);
      len = 4.0 / d;
    }
    for (double add = len / 2; i < s.size() && s[i] == '.'; add /= 2, ++i) len += add;
    return len;
  };

  while (i < s.size()) {
    const char c = s[i++];
    switch (c) {
      case ' ': case '\t': case '\n': case '|':
        break;
      case 'o': octave = needInt(0, 9); break;
      case '<': --octave; break;
      case '>': ++octave; break;
      case 'l': {
        const int d = needInt(1, 64);
        defLen = 4.0 / d;
        for (double add = defLen / 2; i < s.size() && s[i] == '.'; add /= 2, ++i) defLen += add;
        break;
      }
      case 'v': vel = needInt(0, 15) / 15.0; break;
      case 'q': gate = needInt(1, 8) / 8.0; break;
      case 'r':
        out.beats += readLen();
        lastIsNote = false;
        break;
      case '^': {
        const double len = readLen();
        if (lastIsNote) out.notes.back().len += len;
        out.beats += len;
        break;
      }
      default: {
        static constexpr int kSemis[7] = {9, 11, 0, 2, 4, 5, 7};  // a..g
        if (c < 'a' || c > 'g') Bad(std::string("unexpected '") + c + "'", s, i - 1);
        int key = 12 * (octave + 1) + kSemis[c - 'a'];
        while (i < s.size() && (s[i] == '+' || s[i] == '#' || s[i] == '-')) key += s[i++] == '-' ? -1 : 1;
        const double len = readLen();
        out.notes.push_back({out.beats, len, key, vel, gate});
        out.beats += len;
        lastIsNote = true;
        break;
      }
    }
  }
  return out;
}

std::vector<Chord> ParseChords(std::string_view prog, double beatsPerBar) {
  static constexpr int kRoots[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
  std::vector<Chord> out;
  double beat = 0;
  size_t i = 0;
  while (i < prog.size()) {
    if (std::isspace(static_cast<unsigned char>(prog[i])) || prog[i] == '|') {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < prog.size() && !std::isspace(static_cast<unsigned char>(prog[i])) && prog[i] != '|') ++i;
    std::string_view tok = prog.substr(start, i - start);
    double len = beatsPerBar;
    if (const size_t colon = tok.find(':'); colon != std::string_view::npos) {
      len = std::atof(std::string(tok.substr(colon + 1)).c_str());
      if (len <= 0) Bad("bad chord length", prog, start);
      tok = tok.substr(0, colon);
    }
    Chord ch{beat, len, -1, {}};
    if (tok != "x") {
      if (tok.empty() || tok[0] < 'A' || tok[0] > 'G') Bad("bad chord", prog, start);
      ch.root = kRoots[tok[0] - 'A'];
      tok.remove_prefix(1);
      if (!tok.empty() && (tok[0] == '#' || tok[0] == 'b')) {
        ch.root = (ch.root + (tok[0] == '#' ? 1 : 11)) % 12;
        tok.remove_prefix(1);
      }
      if (tok.empty()) ch.tones = {0, 4, 7};
      else if (tok == "m") ch.tones = {0, 3, 7};
      else if (tok == "7") ch.tones = {0, 4, 7, 10};
      else if (tok == "m7") ch.tones = {0, 3, 7, 10};
      else if (tok == "dim") ch.tones = {0, 3, 6};
      else if (tok == "sus") ch.tones = {0, 5, 7};
      else Bad("bad chord kind", prog, start);
    }
    out.push_back(std::move(ch));
    beat += len;
  }
  return out;
}

Line ChordPattern(const std::vector<Chord>& chords, int baseKey, std::string_view pattern, double stepBeats) {
  std::string pat;
  for (char c : ExpandRepeats(pattern))
    if (!std::isspace(static_cast<unsigned char>(c)) && c != '|') pat += c;
  if (pat.empty() || stepBeats <= 0) throw std::invalid_argument("empty chord pattern");
  Line out;
  for (const Chord& ch : chords) {
    const auto steps = static_cast<size_t>(std::lround(ch.len / stepBeats));
    const int rootKey = baseKey + ((ch.root - baseKey) % 12 + 12) % 12;
    bool holding = false;
    for (size_t s = 0; s < steps; ++s) {
      const char c = pat[s % pat.size()];
      const double beat = ch.beat + static_cast<double>(s) * stepBeats;
      if (ch.root < 0 || c == '.') {
        holding = false;
      } else if (c == '-') {
        if (holding) out.notes.back().len += stepBeats;
      } else if (c >= '0' && c <= '9') {
        const int k = c - '0';
        const int size = static_cast<int>(ch.tones.size());
        out.notes.push_back({beat, stepBeats, rootKey + ch.tones[k % size] + 12 * (k / size), 1.0, 7.0 / 8.0});
        holding = true;
      } else {
        Bad("bad pattern step", pat, s % pat.size());
      }
    }
    out.beats += ch.len;
  }
  return out;
}

Line ParseDrums(std::string_view grid, double stepBeats) {
  static constexpr std::string_view kKinds = "ksxhocmt";
  Line out;
  for (char c : ExpandRepeats(grid)) {
    if (c == ' ' || c == '|' || c == '\n') continue;
    if (c != '.') {
      const char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (kKinds.find(kind) == std::string_view::npos) Bad(std::string("bad drum '") + c + "'", grid, 0);
      out.notes.push_back({out.beats, stepBeats, kind, kind == c ? 0.7 : 1.0, 1.0});
    }
    out.beats += stepBeats;
  }
  return out;
}

std::vector<Tone> DrumTones(char kind) {
  auto hit = [](Wave w, double freq, double decay, double gain) {
    Tone t;
    t.wave = w;
    t.freq = freq;
    t.env = {0.001, decay, 0.0, 0.004};
    t.gain = gain;
    return t;
  };
  std::vector<Tone> out;
  switch (kind) {
    case 'k': {
      Tone body = hit(Wave::kSine, 150, 0.22, 1.0);
      body.freqEnd = 42;
      body.slideTime = 0.07;
      Tone click = hit(Wave::kNoise, 11025, 0.012, 0.25);
      click.lowpass = 4000;
      out = {body, click};
      break;
    }
    case 's': {
      Tone rattle = hit(Wave::kNoise, 11025, 0.16, 0.5);
      rattle.lowpass = 8000;
      rattle.highpass = 500;
      Tone body = hit(Wave::kTriangle, 240, 0.08, 0.55);
      body.freqEnd = 170;
      body.slideTime = 0.04;
      out = {rattle, body};
      break;
    }
    case 'x': {
      Tone crack = hit(Wave::kNoise, 11025, 0.04, 0.4);
      crack.lowpass = 5000;
      crack.highpass = 1200;
      out = {crack, hit(Wave::kSquare, 900, 0.02, 0.15)};
      break;
    }
    case 'h': {
      Tone t = hit(Wave::kNoise, 11025, 0.04, 0.22);
      t.highpass = 6500;
      out = {t};
      break;
    }
    case 'o': {
      Tone t = hit(Wave::kNoise, 11025, 0.22, 0.2);
      t.highpass = 5000;
      out = {t};
      break;
    }
    case 'c': {
      Tone wash = hit(Wave::kNoise, 11025, 1.0, 0.28);
      wash.highpass = 3500;
      Tone ring = hit(Wave::kMetal, 9000, 0.6, 0.08);
      ring.highpass = 3000;
      out = {wash, ring};
      break;
    }
    case 't':
    case 'm': {
      Tone body = hit(Wave::kTriangle, kind == 't' ? 140 : 220, 0.25, 0.8);
      body.freqEnd = kind == 't' ? 80 : 130;
      body.slideTime = 0.12;
      Tone thud = hit(Wave::kNoise, 11025, 0.04, 0.1);
      thud.lowpass = 2000;
      out = {body, thud};
      break;
    }
    default:
      throw std::invalid_argument(std::string("unknown drum '") + kind + "'");
  }
  return out;
}

Buffer RenderSong(const Song& song, bool loop) {
  const double totalBeats = song.bars * song.beatsPerBar;
  const double secPerBeat = 60.0 / song.bpm;
  const double samplesPerBeat = kRate * secPerBeat;
  for (size_t k = 0; k < song.tracks.size(); ++k)
    if (std::fabs(song.tracks[k].line.beats - totalBeats) > 1e-6)
      throw std::logic_error("track " + std::to_string(k) + " lasts " + std::to_string(song.tracks[k].line.beats) +
                             " beats, the song " + std::to_string(totalBeats));

  const auto n = static_cast<size_t>(std::lround(totalBeats * samplesPerBeat));
  Buffer buf(n, 0.0f);
  for (const Track& tr : song.tracks) {
    for (const Note& note : tr.line.notes) {
      const auto start = static_cast<size_t>(std::lround((note.beat + tr.delayBeats) * samplesPerBeat));
      if (tr.drums) {
        for (Tone t : DrumTones(static_cast<char>(note.key))) {
          t.gain *= note.vel * tr.inst.gain;
          AddTone(buf, start, t.env.attack + t.env.decay, t);
        }
        continue;
      }
      Tone t = tr.inst;
      const double f = MidiHz(note.key + tr.transpose);
      t.freq = f;
      if (tr.bendIn != 0) {
        t.freq = f * std::exp2(tr.bendIn / 12.0);
        t.freqEnd = f;
        t.slideTime = tr.bendTime;
      }
      t.gain *= note.vel;
      AddTone(buf, start, note.len * note.gate * secPerBeat, t);
    }
  }
  if (loop && n > 0) {
    for (size_t i = n; i < buf.size(); ++i) buf[i % n] += buf[i];
    buf.resize(n);
  }
  return buf;
}

std::vector<int16_t> ToPcm(Buffer buf, double peak, bool oneShot) {
  const size_t n = buf.size();
  if (n == 0) return {};
  double sum = 0;
  for (float x : buf) sum += x;
  const auto mean = static_cast<float>(sum / static_cast<double>(n));
  for (float& x : buf) x -= mean;
  if (oneShot) {
    const size_t in = std::min<size_t>(n / 4, kRate / 500);   // 2 ms
    const size_t out = std::min<size_t>(n / 4, kRate / 100);  // 10 ms
    for (size_t i = 0; i < in; ++i) buf[i] *= static_cast<float>(i) / static_cast<float>(in);
    for (size_t i = 0; i < out; ++i) buf[n - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
  }
  float top = 0;
  for (float x : buf) top = std::max(top, std::fabs(x));
  const double scale = top > 0 ? peak / top : 0.0;
  std::vector<int16_t> pcm(n);
  for (size_t i = 0; i < n; ++i)
    pcm[i] = static_cast<int16_t>(std::clamp(std::lround(buf[i] * scale), -32768L, 32767L));
  return pcm;
}

}  // namespace gen::synth
