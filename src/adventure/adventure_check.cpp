// SPDX-License-Identifier: GPL-3.0-or-later
#include "adventure/adventure_check.h"

#include <algorithm>
#include <array>
#include <vector>

#include "adventure/adventure_file.h"

namespace plumix {
namespace {

constexpr int kLastLevelIndexLimit = kMaxLevels - 1;
constexpr int kNextElementsLimit = 4;
constexpr int kFrequencyLimit = 3;
// The 4 x 4 element box must lie inside the 30 x 30 board.
constexpr int kEntryLimit = kBoardSize - 3;

std::string Position(int x, int y) {
  return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

bool Blocks(uint8_t code) { return code != kVoid && code != kEmpty && code != kPassage; }

bool EntryInBoard(const LevelRecord& level) {
  return level.EntryColumn >= 1 && level.EntryColumn <= kEntryLimit && level.EntryRow >= 1 &&
         level.EntryRow <= kEntryLimit;
}

template <size_t N, class Array>
bool AnySet(const Array& flags) {
  for (size_t k = 1; k <= N; ++k) {
    if (flags[k] != 0) return true;
  }
  return false;
}

template <size_t N>
void CheckLength(std::vector<AdventureProblem>& out, int level, const std::string& field,
                 const ShortStringBytes<N>& bytes) {
  if (bytes.Length > N) {
    out.push_back({level, field,
                   "length " + std::to_string(bytes.Length) + " is above its capacity " +
                       std::to_string(N) + " (the game reads " + std::to_string(N) +
                       " characters)"});
  }
}

// Cells an element could reach from the entry box by moving left, right and
// down through cells that do not block; the first one on the board's rim, if any.
bool FindLeak(const LevelRecord& level, int& leakX, int& leakY) {
  std::array<std::array<bool, kBoardSize + 2>, kBoardSize + 2> seen{};
  std::vector<std::pair<int, int>> todo;
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      int x = level.EntryColumn + c, y = level.EntryRow + r;
      if (!Blocks(level.Board[x][y].Code)) {
        seen[x][y] = true;
        todo.push_back({x, y});
      }
    }
  }
  size_t next = 0;
  while (next < todo.size()) {
    auto [x, y] = todo[next++];
    if (x == 1 || x == kBoardSize || y == kBoardSize) {
      leakX = x;
      leakY = y;
      return true;
    }
    const std::pair<int, int> steps[] = {{x - 1, y}, {x + 1, y}, {x, y + 1}};
    for (auto [nx, ny] : steps) {
      if (seen[nx][ny] || Blocks(level.Board[nx][ny].Code)) continue;
      seen[nx][ny] = true;
      todo.push_back({nx, ny});
    }
  }
  return false;
}

void CheckBoard(std::vector<AdventureProblem>& out, int k, const LevelRecord& level) {
  if (level.EntryColumn >= 1 && level.EntryColumn <= kBoardSize && level.EntryRow >= 1 &&
      level.EntryRow <= kBoardSize &&
      level.Board[level.EntryColumn][level.EntryRow].Code != kEntryMark) {
    out.push_back({k, "Board",
                   "no EntryMark at the entry point " +
                       Position(level.EntryColumn, level.EntryRow)});
  }
  if (EntryInBoard(level)) {
    std::string walls;
    for (int c = 0; c < 4; ++c) {
      for (int r = 0; r < 4; ++r) {
        if (c == 0 && r == 0) continue;  // the entry mark's own cell
        int x = level.EntryColumn + c, y = level.EntryRow + r;
        if (Blocks(level.Board[x][y].Code)) walls += (walls.empty() ? "" : " ") + Position(x, y);
      }
    }
    if (!walls.empty()) {
      out.push_back({k, "Board", "the entry box overlaps walls at " + walls});
    }
    int x = 0, y = 0;
    if (FindLeak(level, x, y)) {
      out.push_back({k, "Board",
                     "no Edge around the playing area: elements could leave the board at " +
                         Position(x, y)});
    }
  }
  int badKinds = 0, noImage = 0, unknown = 0;
  std::string firstKind, firstNoImage, firstUnknown;
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      const Cell& cell = level.Board[x][y];
      if (cell.Code == kBlock && cell.Kind > kElementKinds && badKinds++ == 0) {
        firstKind = Position(x, y);
      }
      if ((cell.Code == 17 || cell.Code == 18) && noImage++ == 0) firstNoImage = Position(x, y);
      if (cell.Code > kEntryMark && unknown++ == 0) firstUnknown = Position(x, y);
    }
  }
  if (badKinds) {
    out.push_back({k, "Board",
                   std::to_string(badKinds) + " Block cell(s) with an element kind above 18, first at " +
                       firstKind + " (drawn as kind 1)"});
  }
  if (noImage) {
    out.push_back({k, "Board",
                   std::to_string(noImage) + " Special cell(s) of code 17 or 18, which have no image, first at " +
                       firstNoImage});
  }
  if (unknown) {
    out.push_back({k, "Board",
                   std::to_string(unknown) + " cell(s) with an unknown code above 19, first at " +
                       firstUnknown});
  }
}

void CheckLevel(std::vector<AdventureProblem>& out, int k, const LevelRecord& level) {
  CheckLength(out, k, "Title", level.TitleBytes);
  if (level.NextElements > kNextElementsLimit) {
    out.push_back({k, "NextElements",
                   std::to_string(level.NextElements) + " is above 4 (the game shows " +
                       (level.NextElements == 255 ? "none" : "4") + ")"});
  }
  if (level.DisasterFrequency > kFrequencyLimit) {
    out.push_back({k, "DisasterFrequency",
                   std::to_string(level.DisasterFrequency) + " is above 3 (High)"});
  }
  if (DisastersInTurn(level) && level.DisasterFrequency == 0) {
    out.push_back({k, "DisasterKind", "in turn with DisasterFrequency 0 (none come)"});
  }
  if (level.SpecialsFrequency > kFrequencyLimit) {
    out.push_back({k, "SpecialsFrequency",
                   std::to_string(level.SpecialsFrequency) + " is above 3 (High)"});
  }
  if (level.EntryColumn < 1 || level.EntryColumn > kEntryLimit) {
    out.push_back({k, "EntryColumn",
                   std::to_string(level.EntryColumn) +
                       " puts the element box outside the board (allowed 1..27)"});
  }
  if (level.EntryRow < 1 || level.EntryRow > kEntryLimit) {
    out.push_back({k, "EntryRow",
                   std::to_string(level.EntryRow) +
                       " puts the element box outside the board (allowed 1..27)"});
  }
  if (!AnySet<kElementKinds>(level.Elements)) {
    out.push_back({k, "Elements", "no element kind is allowed (the game allows all 18)"});
  }
  if (level.SpecialsFrequency != 0 && !AnySet<kSpecialKinds>(level.Specials)) {
    out.push_back({k, "Specials",
                   "SpecialsFrequency is " + std::to_string(level.SpecialsFrequency) +
                       " but no special kind is allowed (the game places no specials)"});
  }
  if (level.LinesToIncreaseSpeed == 0) {
    out.push_back({k, "LinesToIncreaseSpeed", "is 0 (the speed never rises by lines)"});
  } else if (level.LinesToIncreaseSpeed < 0) {
    out.push_back({k, "LinesToIncreaseSpeed",
                   std::to_string(level.LinesToIncreaseSpeed) + " is negative"});
  }
  if (level.LevelType == 0 && level.LinesToFinish < 1) {
    out.push_back({k, "LinesToFinish",
                   std::to_string(level.LinesToFinish) + " on an Action level: it is won at once"});
  }
  // The speed rule counts LinesLeft down from LinesToFinish on Bonus levels too.
  if (level.LevelType != 0 && level.LinesToFinish < 1 && level.LinesToIncreaseSpeed > 0 &&
      level.MaximalSpeed > level.StartSpeed) {
    out.push_back({k, "LinesToFinish",
                   std::to_string(level.LinesToFinish) +
                       " on a Bonus level: its speed never rises by lines (give it 1000)"});
  }
  if (level.LevelType != 0 && level.TimeToFinish < 1) {
    out.push_back({k, "TimeToFinish",
                   std::to_string(level.TimeToFinish) + " on a Bonus level: it ends at once"});
  }
  CheckBoard(out, k, level);
}

// The game shows the table best first and stops at the first zero score.
void CheckHighScores(std::vector<AdventureProblem>& out, const AdventureRecord& adventure) {
  int empty = 0;
  for (int i = 1; i <= kHighScoreCount; ++i) {
    const int32_t score = adventure.HighScores[i].Score;
    const std::string place = std::to_string(i);
    if (empty != 0 && score != 0) {
      out.push_back({-1, place,
                     "follows the empty place " + std::to_string(empty) +
                         " (the game hides every place after the first zero score)"});
      return;
    }
    if (score == 0) {
      empty = i;
    } else if (i > 1 && score > adventure.HighScores[i - 1].Score) {
      out.push_back({-1, place,
                     "score " + std::to_string(score) + " is above place " + std::to_string(i - 1) +
                         "'s " + std::to_string(adventure.HighScores[i - 1].Score) +
                         " (the table runs best first)"});
    }
  }
}

}  // namespace

int PlayedLevelCount(const AdventureRecord& adventure) {
  return std::min<int>(adventure.LastLevelIndex, kLastLevelIndexLimit) + 1;
}

std::string DescribeProblem(const AdventureProblem& problem) {
  std::string where = problem.Level > 0    ? "Level " + std::to_string(problem.Level)
                      : problem.Level == 0 ? std::string("Header")
                                           : std::string("HighScores");
  return where + ", " + problem.Field + ": " + problem.Message;
}

std::vector<AdventureProblem> CheckAdventure(const AdventureRecord& adventure) {
  std::vector<AdventureProblem> out;
  CheckLength(out, 0, "Title", adventure.TitleBytes);
  CheckLength(out, 0, "Author", adventure.AuthorBytes);
  CheckLength(out, 0, "Contact", adventure.ContactBytes);
  if (adventure.LastLevelIndex > kLastLevelIndexLimit) {
    out.push_back({0, "LastLevelIndex",
                   std::to_string(adventure.LastLevelIndex) +
                       " is above 99 (the game plays 100 levels)"});
  }
  for (int k = 1; k <= PlayedLevelCount(adventure); ++k) CheckLevel(out, k, adventure.Levels[k]);
  for (int i = 1; i <= kHighScoreCount; ++i) {
    CheckLength(out, -1, std::to_string(i) + ".Name", adventure.HighScores[i].NameBytes);
  }
  CheckHighScores(out, adventure);
  return out;
}

std::vector<std::string> PrepareForPlay(AdventureRecord& adventure) {
  std::vector<std::string> notes;
  auto note = [&](int k, const std::string& text) {
    notes.push_back("Level " + std::to_string(k) + ": " + text);
  };
  if (adventure.LastLevelIndex > kLastLevelIndexLimit) {
    notes.push_back("LastLevelIndex " + std::to_string(adventure.LastLevelIndex) +
                    " is above 99; 100 levels are played");
    adventure.LastLevelIndex = kLastLevelIndexLimit;
  }
  for (int k = 1; k <= PlayedLevelCount(adventure); ++k) {
    LevelRecord& level = adventure.Levels[k];
    if (level.NextElements == 255) {
      // What an editor writes for "none": play shows no coming element and no
      // noise, and the level-info screen shows the stored number.
      note(k, "NextElements 255 shows no coming elements");
    } else if (level.NextElements > kNextElementsLimit) {
      note(k, "NextElements " + std::to_string(level.NextElements) + " is shown as 4");
      level.NextElements = kNextElementsLimit;
    }
    if (level.EntryColumn < 1 || level.EntryColumn > kEntryLimit || level.EntryRow < 1 ||
        level.EntryRow > kEntryLimit) {
      uint8_t column = static_cast<uint8_t>(std::clamp<int>(level.EntryColumn, 1, kEntryLimit));
      uint8_t row = static_cast<uint8_t>(std::clamp<int>(level.EntryRow, 1, kEntryLimit));
      note(k, "entry point " + Position(level.EntryColumn, level.EntryRow) + " is moved to " +
                  Position(column, row) + " so the element box stays on the board");
      level.EntryColumn = column;
      level.EntryRow = row;
    }
    if (!AnySet<kElementKinds>(level.Elements)) {
      note(k, "no element kind is allowed; all 18 are");
      for (int e = 1; e <= kElementKinds; ++e) level.Elements[e] = 1;
    }
    // PickSpecial finds no kind and places nothing; the stored frequency stays on show.
    if (level.SpecialsFrequency != 0 && !AnySet<kSpecialKinds>(level.Specials)) {
      note(k, "specials are enabled but no special kind is; no specials appear");
    }
    if (level.LinesToIncreaseSpeed == 0) {
      note(k, "LinesToIncreaseSpeed is 0; the speed never rises by lines");
      level.LinesToIncreaseSpeed = kSpeedNeverRises;
    }
    int badKinds = 0;
    for (int x = 1; x <= kBoardSize; ++x) {
      for (int y = 1; y <= kBoardSize; ++y) {
        Cell& cell = level.Board[x][y];
        if (cell.Code == kBlock && cell.Kind > kElementKinds) {
          cell.Kind = 1;
          ++badKinds;
        }
      }
    }
    if (badKinds) note(k, std::to_string(badKinds) + " block(s) of an unknown kind are drawn as kind 1");
  }
  return notes;
}

}  // namespace plumix
