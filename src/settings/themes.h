// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chosen theme pictures, loaded from the game folder into their images.
// Each returns false after reporting a file that cannot be loaded; the images
// then keep the pictures they had.
namespace plumix {

class TMain;

// "Graphics/Tiles/Tile<TileChoice>.jpg" into "Current_Tile".
bool LoadTile(TMain& game);
// "Graphics/Edges/<EdgeChoice>Edge_Solid.jpg" into "Edge_Solid".
bool LoadEdge(TMain& game);
// "Graphics/Cubes/Theme<CubeChoice>/Tile_Shape<M>.jpg" into "Tile_Shape<M>", M = 1..18.
bool LoadCubeTheme(TMain& game);

}  // namespace plumix
