// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small adventures that a scripted game can finish quickly, and the key
// sequences that play them.
#include <cstdint>
#include <string>
#include <vector>

#include "media/input.h"
#include "support/harness.h"

namespace plumix::testing {

constexpr uint16_t kVkY = 89, kVkN = 78, kVkP = 80, kVkI = 73;
constexpr uint16_t kVkF5 = 116, kVkF6 = 117, kVkF7 = 118, kVkF8 = 119, kVkF10 = 121,
                   kVkF11 = 122, kVkF12 = 123;

// Every single cell clears a row: a funnel under the entry box leads into a
// shaft one column wide (column 15, where the one-cell element falls).
inline LevelRecord ShaftLevel(int lines) {
  LevelRecord level = MakeTestLevel();
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) level.Board[x][y] = Cell{kVoid, 0};
  }
  for (int y = 1; y <= 4; ++y) {
    level.Board[13][y].Code = kEdge;
    level.Board[18][y].Code = kEdge;
    for (int x = 14; x <= 17; ++x) level.Board[x][y].Code = kEmpty;
  }
  for (int x = 13; x <= 18; ++x) level.Board[x][5].Code = kEdge;
  for (int y = 5; y <= 29; ++y) {
    level.Board[14][y].Code = kEdge;
    level.Board[15][y].Code = kEmpty;
    level.Board[16][y].Code = kEdge;
  }
  for (int x = 13; x <= 18; ++x) level.Board[x][30].Code = kEdge;
  level.Board[14][1].Code = kEntryMark;
  level.LinesToFinish = lines;
  return level;
}

// No row can fill: a floor under row 5 stops the cells in column 15 until
// the fifth reaches the entry row.
inline LevelRecord ShortLevel() {
  LevelRecord level = MakeTestLevel();
  for (int x = 2; x <= 29; ++x) level.Board[x][6].Code = kEdge;
  return level;
}

inline AdventureRecord ShaftAdventure(int levels, int lines = 2) {
  AdventureRecord adventure = MakeTestAdventure(levels);
  adventure.Title = "Shaft";
  for (int k = 1; k <= levels; ++k) {
    adventure.Levels[k] = ShaftLevel(lines);
    adventure.Levels[k].Title = "Shaft " + std::to_string(k);
  }
  return adventure;
}

// A game folder with these adventures only, listed in this order.
inline void OnlyAdventures(Harness& h, const std::vector<std::pair<std::string, AdventureRecord>>& files) {
  std::filesystem::remove_all(h.Dir / "Adventures");
  std::filesystem::create_directories(h.Dir / "Adventures");
  for (const auto& [name, adventure] : files) h.WriteAdventure(name, adventure);
}

// Soft-drops one element after another until the play screen is left.
inline void DropUntilTheLevelEnds(Harness& h, int maxElements = 200) {
  for (int i = 0; i < maxElements && h.Game().Shell.ScreenState == 3; ++i) {
    h.Hold(kVkDown, 40);
    h.RunFrames(1);
  }
}

}  // namespace plumix::testing
