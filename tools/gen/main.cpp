// ktgen: writes the game's pictures, sounds and maps into a data folder, and
// the files a desktop installs beside the game.
//   ktgen --maps <data/map source folder> --out <data folder> [--preview <stage review picture.bmp>]
//   ktgen --icons <folder>                 icon-32.png ... icon-256.png
//   ktgen --png <picture.bmp> <picture.png>  (screenshots for the software centre)
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "gen/gen.hpp"
#include "gen/icon.hpp"
#include "gen/level_check.hpp"
#include "gen/png.hpp"
#include "loop/assets.hpp"
#include "platform/data_checks.hpp"
#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: ktgen --maps DIR --out DIR [--preview FILE.bmp]\n"
    "       ktgen --icons DIR\n"
    "       ktgen --png FILE.bmp FILE.png\n";

void WriteData(const fs::path& maps, const fs::path& out, const fs::path& preview) {
  fs::create_directories(out / "bmp");
  fs::create_directories(out / "sound");
  fs::create_directories(out / "map");

  kt::StageMapData map;
  kt::LoadStageMap(maps, map);
  for (const auto& band : kt::kMapBands)
    fs::copy_file(maps / band.file, out / "map" / band.file, fs::copy_options::overwrite_existing);

  gen::Sheets sheets;
  for (const auto& b : kt::kBitmapFiles) sheets.emplace(std::string(b.name), gen::Canvas(b.width, b.height));
  gen::PaintArt(sheets);
  gen::PaintTerrain(sheets.at("tyukan"), map);
  gen::PaintBackdropTerrain(sheets);
  for (const auto& b : kt::kBitmapFiles)
    gen::WriteBmp(out / "bmp" / (std::string(b.name) + ".bmp"), sheets.at(std::string(b.name)));
  if (!preview.empty()) gen::WriteStagePreview(preview, map, sheets.at("tyukan"));

  for (const gen::SoundFile& s : gen::ComposeSounds())
    gen::WriteWav(out / "sound" / (s.name + ".wav"), s.samples, s.rate);
}

void WriteIcons(const fs::path& dir) {
  fs::create_directories(dir);
  for (int size : gen::kIconSizes)
    gen::WritePng(dir / ("icon-" + std::to_string(size) + ".png"), gen::FromCanvas(gen::PaintIcon(size), true));
}

void ConvertToPng(const fs::path& bmp, const fs::path& png) {
  // A screenshot the runner wrote: any picture up to a large screen's size.
  const kt::Surface s = kt::LoadBitmap(bmp, kt::PictureLimits{1, 1, 4096, 4096});
  gen::WritePng(png, gen::FromRgb565(s.w, s.h, s.px, false));
}

}  // namespace

int main(int argc, char** argv) {
  fs::path maps, out, preview, icons, pngFrom, pngTo;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--maps") && i + 1 < argc) {
      maps = argv[++i];
    } else if (!std::strcmp(argv[i], "--out") && i + 1 < argc) {
      out = argv[++i];
    } else if (!std::strcmp(argv[i], "--preview") && i + 1 < argc) {
      preview = argv[++i];
    } else if (!std::strcmp(argv[i], "--icons") && i + 1 < argc) {
      icons = argv[++i];
    } else if (!std::strcmp(argv[i], "--png") && i + 2 < argc) {
      pngFrom = argv[++i];
      pngTo = argv[++i];
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  const bool data = !maps.empty() || !out.empty() || !preview.empty();
  if ((data && (maps.empty() || out.empty())) || (!data && icons.empty() && pngFrom.empty())) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  try {
    if (data) WriteData(maps, out, preview);
    if (!icons.empty()) WriteIcons(icons);
    if (!pngFrom.empty()) ConvertToPng(pngFrom, pngTo);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ktgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
