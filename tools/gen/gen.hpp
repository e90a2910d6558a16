#pragma once
// The data generator's parts. Each part fills its own pictures or sounds; main.cpp
// creates the sheets at their sizes, calls the parts and writes the files.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "gen/canvas.hpp"
#include "world/stage_map.hpp"

namespace gen {

// All 13 sheets by surface name ("haikei256", "char256", ...), created blank
// (all 0) at the sizes of kt::kBitmapFiles.
using Sheets = std::map<std::string, Canvas, std::less<>>;

// Paints every sheet except black (stays all 0) and the terrain of tyukan.
void PaintArt(Sheets& sheets);

// Paints the near strip's terrain from the stage map: every solid cell (c, r)
// of rows 0..31 shows as ground at tyukan pixel (20c, 20r - 30), open cells stay 0.
void PaintTerrain(Canvas& tyukan, const kt::StageMapData& map);

// The boss fight shows the near strip's columns 100..740 in front of the far
// strip; the ending shows the boss backdrop frames instead, painted as that
// view. Lays the near strip's terrain over all four frames as the fight shows
// it, once the terrain is painted.
void PaintBackdropTerrain(Sheets& sheets);

struct SoundFile {
  std::string name;  // base name, as in kt::kSoundFiles
  int rate = 22050;
  std::vector<int16_t> samples;  // mono 16-bit
};

// Composes all 27 sounds, in load order.
std::vector<SoundFile> ComposeSounds();

}  // namespace gen
