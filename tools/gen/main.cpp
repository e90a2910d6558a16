// ktgen: writes the game's pictures, sounds and maps into a data folder.
//   ktgen --maps <data/map source folder> --out <data folder> [--preview <stage review picture.bmp>]
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "gen/gen.hpp"
#include "gen/level_check.hpp"
#include "loop/assets.hpp"
#include "platform/fatal.hpp"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  fs::path maps, out, preview;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--maps") && i + 1 < argc) {
      maps = argv[++i];
    } else if (!std::strcmp(argv[i], "--out") && i + 1 < argc) {
      out = argv[++i];
    } else if (!std::strcmp(argv[i], "--preview") && i + 1 < argc) {
      preview = argv[++i];
    } else {
      std::fprintf(stderr, "usage: ktgen --maps DIR --out DIR [--preview FILE.bmp]\n");
      return 2;
    }
  }
  if (maps.empty() || out.empty()) {
    std::fprintf(stderr, "usage: ktgen --maps DIR --out DIR [--preview FILE.bmp]\n");
    return 2;
  }
  try {
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
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ktgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
