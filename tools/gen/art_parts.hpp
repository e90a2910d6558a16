#pragma once
// The painters of the artwork, one per group of sheets' pictures. Each paints
// over the labelled placeholders the rectangles it owns; strips that must stay
// transparent are cleared again after all of them.
#include "gen/gen.hpp"

namespace gen {

void PaintPlaceholders(Sheets& sheets);

// Both heroes' bodies (two looks), hands, feet, lower bodies, spin flashes, hurt
// effect and burst spark (char256, geji256).
void PaintHeroArt(Sheets& sheets);
// The six enemy kinds, their balls and sparks, the boss (char256, teki), and
// the figures bursting out of the title box (tobidasi).
void PaintEnemyArt(Sheets& sheets);
// Far strip, floor strip, boss backdrops and arena fronts, beam, title
// panorama, options backdrop and the title box (haikei256, OPhaikei,
// option1280, Hako).
void PaintSceneryArt(Sheets& sheets);
// Every lettered picture: logo, captions, game-over banner, menu and options
// lettering, pause menu, staff pages, HUD panel, gauges, digits, exit sign and
// combo (haikei256, optionmoji, GameOption, Staff, geji256).
void PaintLettering(Sheets& sheets);
// The display letters one to a cell, for text the game sets itself (fontmoji).
void PaintFontSheet(Sheets& sheets);

}  // namespace gen
