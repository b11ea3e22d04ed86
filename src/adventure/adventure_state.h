// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The adventures found, the one being played and the game's score.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "adventure/adventure.h"

namespace plumix {

constexpr int kMaxAdventures = 1000;

// One adventure of the list page, as read from its file.
struct AdventureListEntry {
  std::string FileName;  // the name in the folder
  std::string Title;     // code page 1250; the file name when the file has none
  std::string Author;
  std::string Contact;
  uint8_t LastLevelIndex = 0;  // at most 99
  std::string FirstPlaceName;  // at most 15 bytes
  uint8_t Reserved = 0;
};

struct AdventureState {
  AdventureRecord Adventure;
  int32_t CurrentLevel = 1;
  int32_t Score = 0;
  std::array<int32_t, kMaxLevels + 1> LevelScores{};  // [1..100]

  // [1..1000]; an entry with an empty title is no adventure.
  std::vector<AdventureListEntry> AdventureList = std::vector<AdventureListEntry>(kMaxAdventures + 1);
  // Entries found; 1 for an empty folder, so callers test the title of entry 1.
  int32_t AdventureCount = 0;
  int32_t SelectedAdventure = -1;  // 1-based, -1 when the list is empty
  // Files the last scan could not list, one line each.
  std::vector<std::string> ScanNotes;
  // The file Adventure was loaded from, so the game's saves reach that file.
  std::string LoadedFileName;
  // Values of the loaded file that were made safe for play, one line each.
  std::vector<std::string> LoadNotes;

  uint8_t HighScoreRank = 0;  // 0 = not placed
  bool HighScorePlaced = false;
  int32_t SaveCount = 0;
  int32_t RecordTotal = 0;
  int32_t RecordLevelScore = 0;
};

}  // namespace plumix
