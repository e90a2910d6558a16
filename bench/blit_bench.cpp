// The colour-keyed blit, the game's hot path, beside SDL's colour-keyed RLE blit
// and a plain memcpy of the same bytes, for the three sizes the game draws most:
// an 80 x 60 sprite piece, a 640 x 580 backdrop strip and the 640 x 480 present.
// Prints the ratios at the end.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "platform/surface.hpp"

namespace {

struct Case {
  const char* name;
  int w, h;
  int transparentPercent;
};
constexpr Case kCases[] = {{"sprite80x60", 80, 60, 40}, {"strip640x580", 640, 580, 25}, {"present640x480", 640, 480, 2}};

// Pixel art-like content: runs of colour with transparent gaps.
kt::Surface MakeSource(const Case& c) {
  kt::Surface s(c.w, c.h);
  uint32_t seed = 12345;
  for (int y = 0; y < c.h; ++y) {
    int x = 0;
    while (x < c.w) {
      seed = seed * 1664525u + 1013904223u;
      const int run = 1 + static_cast<int>((seed >> 8) % 24);
      const bool clear = static_cast<int>((seed >> 20) % 100) < c.transparentPercent;
      for (int i = 0; i < run && x < c.w; ++i, ++x)
        s.At(x, y) = clear ? 0 : static_cast<uint16_t>(0x0841 + ((seed >> 4) & 0x7FFF));
    }
  }
  return s;
}

void OurBlit(benchmark::State& state, Case c) {
  const kt::Surface src = MakeSource(c);
  kt::Surface dst(1280, 1100);
  for (auto _ : state) {
    kt::BlitKeyed(src, kt::Rect{0, 0, c.w, c.h}, dst, 3, 5);
    benchmark::DoNotOptimize(dst.px.data());
    benchmark::ClobberMemory();
  }
}

void SdlRleBlit(benchmark::State& state, Case c) {
  kt::Surface src = MakeSource(c);
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(src.px.data(), c.w, c.h, 16, c.w * 2, SDL_PIXELFORMAT_RGB565);
  SDL_Surface* d = SDL_CreateRGBSurfaceWithFormat(0, 1280, 1100, 16, SDL_PIXELFORMAT_RGB565);
  SDL_SetColorKey(s, SDL_TRUE, 0);
  SDL_SetSurfaceRLE(s, 1);
  SDL_Rect from{0, 0, c.w, c.h};
  for (auto _ : state) {
    SDL_Rect to{3, 5, c.w, c.h};
    SDL_BlitSurface(s, &from, d, &to);
    benchmark::DoNotOptimize(d->pixels);
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(s);
  SDL_FreeSurface(d);
}

void Memcpy(benchmark::State& state, Case c) {
  const kt::Surface src = MakeSource(c);
  kt::Surface dst(1280, 1100);
  for (auto _ : state) {
    for (int y = 0; y < c.h; ++y)
      std::memcpy(dst.px.data() + static_cast<size_t>(y + 5) * 1280 + 3, src.px.data() + static_cast<size_t>(y) * c.w,
                  static_cast<size_t>(c.w) * 2);
    benchmark::DoNotOptimize(dst.px.data());
    benchmark::ClobberMemory();
  }
}

// Keeps every run's CPU time per iteration (steadier than wall time on a shared
// machine) so main can print the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration) times[r.benchmark_name()] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  for (const Case& c : kCases) {
    benchmark::RegisterBenchmark((std::string("keyed/") + c.name).c_str(), OurBlit, c);
    benchmark::RegisterBenchmark((std::string("sdl_rle/") + c.name).c_str(), SdlRleBlit, c);
    benchmark::RegisterBenchmark((std::string("memcpy/") + c.name).c_str(), Memcpy, c);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n%-16s %12s %12s\n", "case", "SDL RLE/ours", "ours/memcpy");
  for (const Case& c : kCases) {
    const auto get = [&](const char* kind) {
      const auto it = reporter.times.find(std::string(kind) + "/" + c.name);
      return it == reporter.times.end() ? 0.0 : it->second;
    };
    const double ours = get("keyed"), sdl = get("sdl_rle"), mem = get("memcpy");
    if (ours > 0 && mem > 0) std::printf("%-16s %12.2f %12.2f\n", c.name, sdl / ours, ours / mem);
  }
  benchmark::Shutdown();
  return 0;
}
