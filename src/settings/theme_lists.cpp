#include "settings/theme_lists.h"

#include <fstream>
#include <iterator>

namespace plumix {

std::vector<std::string> ReadListFile(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  if (!in) return lines;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

void ReadThemeLists(const std::filesystem::path& gameDir, ThemeLists& lists) {
  lists.Tracks = ReadListFile(gameDir / "Music" / "Tracks.txt");
  lists.Tiles = ReadListFile(gameDir / "Graphics" / "Tiles" / "Tiles.txt");
  lists.Cubes = ReadListFile(gameDir / "Graphics" / "Cubes" / "Themes.txt");
  lists.Edges = ReadListFile(gameDir / "Graphics" / "Edges" / "Edges.txt");
}

std::string ListEntry(const std::vector<std::string>& list, int n) {
  if (n < 1 || n > static_cast<int>(list.size())) return {};
  return list[n - 1];
}

}  // namespace plumix
