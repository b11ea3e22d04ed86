// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The painters of every picture, and the shared look they draw with.
#include <functional>
#include <map>
#include <string>

#include "raster.h"

namespace assetgen {

using Painter = std::function<Canvas()>;
using PainterMap = std::map<std::string, Painter>;

// Each painter file registers the pictures it draws by asset name.
void AddPanelPainters(PainterMap& map);
void AddMenuPainters(PainterMap& map);
void AddEffectPainters(PainterMap& map);
void AddFireworkPainters(PainterMap& map);
void AddCellPainters(PainterMap& map);
void AddSpecialPainters(PainterMap& map);
const PainterMap& AllPainters();

// The theme files of the game folder.
constexpr int kCubeThemes = 4;
constexpr int kEdgeThemes = 4;
constexpr int kBackgroundTiles = 5;
extern const char* const kCubeThemeNames[kCubeThemes];
extern const char* const kEdgeThemeNames[kEdgeThemes];
extern const char* const kTileNames[kBackgroundTiles];
Canvas PaintCube(int theme, int kind);  // theme 1..4, kind 1..18
Canvas PaintEdge(int edge);             // 1..4
Canvas PaintBackgroundTile(int tile);   // 1..5

// Shared look.
constexpr Rgba kLcdGreen = Hex(0x7CFF5A);
constexpr Rgba kLcdDim = Hex(0x163A1C);
constexpr Rgba kWindowDark = Hex(0x07130C);  // behind every read-out
Rgba KindColour(int kind);                   // 1..18

// Brightness change (about -1..1, 0 on flat ground) of a raised shape lit from
// the upper left; the outline `sd` slopes over `bevel` pixels.
float BevelLight(const std::function<float(float, float)>& sd, float x, float y, float bevel);
// Dark brushed metal, seamless across its width when `period` is set.
void BrushedMetal(Canvas& c, int x0, int y0, int x1, int y1, Rgba base, uint32_t seed);
// A sunken window with a dark inside and a lit lower-right lip.
void SunkenWindow(Canvas& c, float x0, float y0, float x1, float y1, Rgba inside, float radius = 3,
                  float shadow = 1.0f);
void Screw(Canvas& c, float cx, float cy, float r, float angle);
// The pause lamp, shared so the lit picture sits exactly on the panel's socket.
void PaintLamp(Canvas& c, int ox, int oy, bool lit);
// One special's picture (k = 1..12) in the square (x, y, size).
void DrawSpecialIcon(Canvas& c, int k, float x, float y, float size);
bool SpecialIsGood(int k);

}  // namespace assetgen
