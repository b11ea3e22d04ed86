#pragma once
// The theme lists of the game folder: display names of the tiles, cube
// themes, edges and music tracks, one per line.
#include <filesystem>
#include <string>
#include <vector>

namespace plumix {

struct ThemeLists {
  std::vector<std::string> Tracks;  // code-page 1250 names
  std::vector<std::string> Tiles;
  std::vector<std::string> Cubes;
  std::vector<std::string> Edges;
  int TrackCount() const { return static_cast<int>(Tracks.size()); }
  int TileCount() const { return static_cast<int>(Tiles.size()); }
  int CubeCount() const { return static_cast<int>(Cubes.size()); }
  int EdgeCount() const { return static_cast<int>(Edges.size()); }
};

// One name per line; CR LF or LF; a missing file gives an empty list.
std::vector<std::string> ReadListFile(const std::filesystem::path& path);
void ReadThemeLists(const std::filesystem::path& gameDir, ThemeLists& lists);
// Entry n (1-based) of a list, or "" when there is none.
std::string ListEntry(const std::vector<std::string>& list, int n);

}  // namespace plumix
