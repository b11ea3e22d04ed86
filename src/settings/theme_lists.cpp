// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/theme_lists.h"

#include <string_view>
#include <system_error>

#include "adventure/adventure_list.h"
#include "app/main_form.h"
#include "media/bitmap.h"
#include "media/text.h"

namespace plumix {

std::vector<std::string> ParseListText(std::span<const uint8_t> bytes) {
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  bool utf8 = text.substr(0, kUtf8Mark.size()) == kUtf8Mark;
  if (utf8) text.remove_prefix(kUtf8Mark.size());
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size() && lines.size() < kMaxListEntries) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    lines.push_back(utf8 ? Utf8ToCp1250(line) : std::string(line));
    start = end + 1;
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
  }
  return lines;
}

std::vector<std::string> ReadListFile(const std::filesystem::path& path, std::string* problem) {
  std::error_code ec;
  std::string why;
  std::vector<std::string> names;
  if (!std::filesystem::exists(path, ec)) {
    why = "is missing";
  } else if (!std::filesystem::is_regular_file(path, ec)) {
    why = "is not a file";
  } else {
    std::string error;
    std::vector<uint8_t> bytes = ReadFileBytes(path, &error);
    names = error.empty() ? ParseListText(bytes) : std::vector<std::string>{};
    if (!error.empty()) why = "cannot be read";
    else if (names.empty()) why = "lists nothing";
  }
  if (problem) *problem = why;
  return names;
}

std::vector<std::string> ReadThemeLists(const std::filesystem::path& gameDir, ThemeLists& lists) {
  std::vector<std::string> problems;
  auto read = [&](const std::filesystem::path& relative, std::vector<std::string>& list) {
    std::string problem;
    list = ReadListFile(gameDir / relative, &problem);
    if (!problem.empty()) problems.push_back(relative.string() + " " + problem);
  };
  read("Music/Tracks.txt", lists.Tracks);
  read("Graphics/Tiles/Tiles.txt", lists.Tiles);
  read("Graphics/Cubes/Themes.txt", lists.Cubes);
  read("Graphics/Edges/Edges.txt", lists.Edges);
  return problems;
}

void LoadThemeLists(TMain& game) {
  std::vector<std::string> problems = ReadThemeLists(game.Options.GameDir, game.Themes);
  if (!problems.empty()) {
    std::string text = "Some theme lists cannot be used, so their choices stay empty:";
    for (const std::string& problem : problems) text += "\n" + problem;
    game.ReportErrorOnce(text);
  }
  ScanAdventures(game);
}

std::string ListEntry(const std::vector<std::string>& list, int n) {
  if (n < 1 || n > static_cast<int>(list.size())) return {};
  return list[n - 1];
}

}  // namespace plumix
