// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// plumix-adventure prove: the bot plays every level with a few seeds.
#include <filesystem>
#include <functional>
#include <ostream>

#include "adventure/adventure.h"

namespace plumix {

struct ProveOptions {
  int Level = 0;  // 0: every played level
  int Seeds = 3;
  std::filesystem::path GameDir;  // where the theme pictures are; empty: none
  // Called now and then with the games played and the games to play; a
  // false answer stops the proof (which then returns 3).
  std::function<bool(int done, int total)> Progress;
};

// One line a level and a summary; 0 when every level was won at least once,
// 1 when one was not, 2 when the game could not be set up.
int ProveAdventure(const AdventureRecord& adventure, const ProveOptions& options, std::ostream& out,
                   std::ostream& err);

}  // namespace plumix
