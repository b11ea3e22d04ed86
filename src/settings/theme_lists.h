// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The theme lists of the game folder: display names of the tiles, cube
// themes, edges and music tracks, one per line.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace plumix {

class TMain;

// A choice is one byte in the settings, so a list holds at most 255 entries.
constexpr size_t kMaxListEntries = 255;

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

// One name per line, ended by CR LF, LF or CR; a final line end makes no
// extra entry. Code page 1250, or UTF-8 after a byte-order mark.
std::vector<std::string> ParseListText(std::span<const uint8_t> bytes);
// A missing or unreadable file gives an empty list.
// An empty list when the file is missing or unreadable; `problem` says why
// ("is missing"), or is empty.
std::vector<std::string> ReadListFile(const std::filesystem::path& path,
                                      std::string* problem = nullptr);
// In the order music, tiles, cubes, edges.
// Returns what was wrong with the list files, one line each.
std::vector<std::string> ReadThemeLists(const std::filesystem::path& gameDir, ThemeLists& lists);
// The four lists, then the adventure scan.
void LoadThemeLists(TMain& game);
// Entry n (1-based) of a list, or "" when there is none.
std::string ListEntry(const std::vector<std::string>& list, int n);

}  // namespace plumix
