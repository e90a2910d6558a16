#pragma once
// How far apart two sounds are to the ear, roughly. Each sound becomes a
// loudness map over time and pitch: 46 ms windows every 11.6 ms; a band for
// the rumble below 100 Hz and 31 bands from there up, each a little over two
// semitones wide; in decibels above a floor 30 dB under the sound's loudest
// cell. Beside it goes how noisy each window is (its spectral flatness: near
// 0 dB for hiss, far below for a clear tone). Two sounds differ by
//   - the mean gap between their maps, each cell weighted by the louder of
//     the two (the quiet edges of a sound matter less), and
//   - the mean gap between their flatness over the windows where either is
//     heard,
// taken together as the length of the vector of both (decibels). The maps are
// slid up to 35 ms against each other first and the best alignment counts, so
// the same sound started a little later is still the same sound.
#include <fftw3.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace kt::test {

class SoundMap {
 public:
  static constexpr int kWindow = 1024, kHop = 256, kBands = 32;
  static constexpr double kLowHz = 100, kFlatTopHz = 8000, kFloorDb = 30, kFlatFloorDb = -40;

  // The first `seconds` of the sound are mapped.
  SoundMap(const std::vector<int16_t>& samples, int rate, double seconds = 1.5) {
    const auto limit = static_cast<long>(std::min(samples.size(), static_cast<size_t>(seconds * rate)));
    // Band 0 holds 30..100 Hz; the others split the rest evenly in pitch.
    std::array<int, kWindow / 2 + 1> bandOf{};
    const double ratio = std::pow(rate / 2.0 / kLowHz, 1.0 / (kBands - 1));
    for (int k = 0; k <= kWindow / 2; ++k) {
      const double hz = k * static_cast<double>(rate) / kWindow;
      bandOf[k] = hz < kLowHz ? (hz >= 30 ? 0 : -1)
                              : std::min(kBands - 1, 1 + static_cast<int>(std::log(hz / kLowHz) / std::log(ratio)));
    }
    double* in = fftw_alloc_real(kWindow);
    fftw_complex* out = fftw_alloc_complex(kWindow / 2 + 1);
    fftw_plan plan = fftw_plan_dft_r2c_1d(kWindow, in, out, FFTW_ESTIMATE);
    // Windows start half a window early, so the onset sits in the first one.
    for (long start = -kWindow / 2; start < limit; start += kHop) {
      for (int i = 0; i < kWindow; ++i) {
        const long at = start + i;
        const double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / kWindow);
        in[i] = at >= 0 && at < limit ? samples[static_cast<size_t>(at)] / 32768.0 * hann : 0.0;
      }
      fftw_execute(plan);
      std::array<double, kBands> energy{};
      double logSum = 0, sum = 0;
      int bins = 0;
      for (int k = 0; k <= kWindow / 2; ++k) {
        const double power = out[k][0] * out[k][0] + out[k][1] * out[k][1];
        if (bandOf[k] >= 0) energy[bandOf[k]] += power;
        const double hz = k * static_cast<double>(rate) / kWindow;
        if (hz >= kLowHz && hz <= kFlatTopHz) {
          logSum += std::log(power + 1e-14);
          sum += power + 1e-14;
          ++bins;
        }
      }
      std::array<double, kBands> db{};
      for (int b = 0; b < kBands; ++b) db[b] = 10 * std::log10(energy[b] + 1e-12);
      cells_.push_back(db);
      flat_.push_back(std::max(kFlatFloorDb, 10 / std::log(10.0) * (logSum / bins - std::log(sum / bins))));
    }
    fftw_destroy_plan(plan);
    fftw_free(out);
    fftw_free(in);
    double top = -1e9;
    for (const auto& f : cells_)
      for (double v : f) top = std::max(top, v);
    for (auto& f : cells_)
      for (double& v : f) v = std::clamp(v - top + kFloorDb, 0.0, kFloorDb);
  }

  long Windows() const { return static_cast<long>(cells_.size()); }
  // Height above the floor, 0..30 dB; 0 outside the sound.
  double At(long window, int band) const { return In(window) ? cells_[static_cast<size_t>(window)][band] : 0.0; }
  double Flatness(long window) const { return In(window) ? flat_[static_cast<size_t>(window)] : kFlatFloorDb; }
  bool Heard(long window) const {
    if (!In(window)) return false;
    const auto& f = cells_[static_cast<size_t>(window)];
    return std::any_of(f.begin(), f.end(), [](double v) { return v > 0; });
  }

 private:
  bool In(long window) const { return window >= 0 && window < Windows(); }
  std::vector<std::array<double, kBands>> cells_;
  std::vector<double> flat_;
};

struct SoundGap {
  double map = 0, flatness = 0;
  double Total() const { return std::hypot(map, flatness); }
};

inline SoundGap Compare(const SoundMap& a, const SoundMap& b) {
  SoundGap best{1e9, 1e9};
  const long windows = std::max(a.Windows(), b.Windows());
  for (long shift = -3; shift <= 3; ++shift) {
    double gap = 0, weight = 0, flatGap = 0;
    long heard = 0;
    for (long t = std::min(0L, -shift); t < windows + std::max(0L, -shift); ++t) {
      for (int band = 0; band < SoundMap::kBands; ++band) {
        const double x = a.At(t, band), y = b.At(t + shift, band);
        gap += std::fabs(x - y) * std::max(x, y);
        weight += std::max(x, y);
      }
      if (a.Heard(t) || b.Heard(t + shift)) {
        flatGap += std::fabs(a.Flatness(t) - b.Flatness(t + shift));
        ++heard;
      }
    }
    if (weight <= 0 || heard == 0) continue;
    const SoundGap here{gap / weight, flatGap / static_cast<double>(heard)};
    if (here.Total() < best.Total()) best = here;
  }
  return best;
}

}  // namespace kt::test
