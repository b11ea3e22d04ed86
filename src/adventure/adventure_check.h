// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Values of an adventure file that would make play unsafe: the game makes them
// safe when it loads a file, the designers' tool lists them.
#include <string>
#include <vector>

#include "adventure/adventure.h"

namespace plumix {

struct AdventureProblem {
  int Level = 0;  // 1..100; 0 for the header, -1 for the high-score table
  std::string Field;
  std::string Message;
};
// "Level 3, NextElements: ..." / "Header, Title: ..." / "HighScores, 5.Name: ..."
std::string DescribeProblem(const AdventureProblem& problem);

// Every problem of the levels the adventure plays (1..LastLevelIndex+1) and of
// the header and the high-score table.
std::vector<AdventureProblem> CheckAdventure(const AdventureRecord& adventure);

// Makes the in-memory record safe for play, for the levels it plays; returns
// one line per value changed. The file itself is never changed by this.
std::vector<std::string> PrepareForPlay(AdventureRecord& adventure);

// The levels an adventure plays: LastLevelIndex + 1, at most 100.
int PlayedLevelCount(const AdventureRecord& adventure);

}  // namespace plumix
