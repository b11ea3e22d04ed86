// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/themes.h"

#include <array>
#include <string>

#include "app/main_form.h"

namespace plumix {
namespace {

constexpr int kCubeShapes = 18;

bool LoadInto(TMain& game, ImageItem& item, const std::string& relative) {
  try {
    item.LoadFromFile(game.GamePath(relative));
    return true;
  } catch (const GameError& e) {
    game.ReportError(e.what());
    return false;
  }
}

}  // namespace

bool LoadTile(TMain& game) {
  return LoadInto(game, game.M.DXImageList.Get("Current_Tile"),
                  "Graphics/Tiles/Tile" + std::to_string(game.Settings.TileChoice) + ".jpg");
}

bool LoadEdge(TMain& game) {
  return LoadInto(game, game.M.DXImageListEdges.Get("Edge_Solid"),
                  "Graphics/Edges/" + std::to_string(game.Settings.EdgeChoice) + "Edge_Solid.jpg");
}

bool LoadCubeTheme(TMain& game) {
  ImageList& tiles = game.M.DXImageListTiles;
  const std::string folder = "Graphics/Cubes/Theme" + std::to_string(game.Settings.CubeChoice);
  // All eighteen are read before any is replaced, so a theme with a missing
  // picture never leaves the board with cubes of two themes.
  std::array<ImageItem, kCubeShapes + 1> loaded;
  for (int m = 1; m <= kCubeShapes; ++m) {
    loaded[m] = tiles.Get("Tile_Shape" + std::to_string(m));
    if (!LoadInto(game, loaded[m], folder + "/Tile_Shape" + std::to_string(m) + ".jpg")) return false;
  }
  for (int m = 1; m <= kCubeShapes; ++m) {
    tiles.Get("Tile_Shape" + std::to_string(m)) = std::move(loaded[m]);
  }
  return true;
}

}  // namespace plumix
