// SPDX-License-Identifier: GPL-3.0-or-later
#include "adventure/adventure_update.h"

#include <algorithm>
#include <system_error>

#include "adventure/adventure_file.h"
#include "media/files.h"

namespace plumix {
namespace {

namespace fs = std::filesystem;

constexpr size_t kHighScoreTableSize = kHighScoreEntrySize * kHighScoreCount;

int32_t FirstPlaceScore(std::span<const uint8_t> file) {
  const size_t at = kHighScoresOffset + kHighScoreEntryScore;
  return static_cast<int32_t>(file[at] | file[at + 1] << 8 | file[at + 2] << 16 |
                              static_cast<uint32_t>(file[at + 3]) << 24);
}

}  // namespace

std::optional<std::vector<uint8_t>> UpdatedPlayersAdventure(std::span<const uint8_t> shipped,
                                                            std::span<const uint8_t> players) {
  if (shipped.size() < kAdventureFileSize || players.size() < kAdventureFileSize) return std::nullopt;
  std::vector<uint8_t> result(shipped.begin(), shipped.begin() + kAdventureFileSize);
  const auto playersTable = players.begin() + kHighScoresOffset;
  const bool sameFirstPlace =
      std::equal(playersTable, playersTable + kHighScoreEntrySize, shipped.begin() + kHighScoresOffset);
  // A first place of the player's own that beats the release's keeps its
  // level scores as the records. Otherwise the release's record holder (a
  // record raised with reworked levels) heads the player's table, so the
  // table and the records tell the same story; the player's entries move
  // down one place.
  const bool ownRecord = !sameFirstPlace && FirstPlaceScore(players) >= FirstPlaceScore(shipped);
  if (sameFirstPlace || ownRecord) {
    std::copy_n(playersTable, kHighScoreTableSize, result.begin() + kHighScoresOffset);
  } else {
    std::copy_n(playersTable, kHighScoreTableSize - kHighScoreEntrySize,
                result.begin() + kHighScoresOffset + kHighScoreEntrySize);
  }
  if (ownRecord) {
    for (int k = 1; k <= kMaxLevels; ++k) {
      const size_t at = LevelOffset(k) + kRecordScoreOffset;
      std::copy_n(players.begin() + at, 4, result.begin() + at);
    }
  }
  result.insert(result.end(), players.begin() + kAdventureFileSize, players.end());
  return result;
}

std::vector<std::string> UpdateAdventureCopies(const fs::path& shippedFolder,
                                               const fs::path& playerFolder) {
  std::vector<std::string> report;
  std::error_code ec;
  std::vector<fs::path> names;
  for (fs::directory_iterator it(shippedFolder, ec), end; !ec && it != end; it.increment(ec)) {
    if (IsAdventureName(it->path().filename().string())) names.push_back(it->path().filename());
  }
  std::sort(names.begin(), names.end());
  for (const fs::path& name : names) {
    const fs::path own = playerFolder / name;
    std::error_code exists;
    if (!fs::is_regular_file(own, exists)) continue;
    std::string error;
    std::vector<uint8_t> shipped = ReadFileBytes(shippedFolder / name, &error);
    std::vector<uint8_t> players = error.empty() ? ReadFileBytes(own, &error) : std::vector<uint8_t>{};
    if (!error.empty()) {
      report.push_back(name.string() + ": " + error);
      continue;
    }
    std::optional<std::vector<uint8_t>> updated = UpdatedPlayersAdventure(shipped, players);
    if (!updated) {
      report.push_back(name.string() + ": not an adventure file, kept as it is");
      continue;
    }
    if (*updated == players) continue;
    SaveResult saved = SaveFile(own, *updated);
    report.push_back(saved ? "updated: " + name.string()
                           : name.string() + ": kept as it is (" + saved.Error + ")");
  }
  return report;
}

}  // namespace plumix
