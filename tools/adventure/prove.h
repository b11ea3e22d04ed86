#pragma once
// plumix-adventure prove: the bot plays every level with a few seeds.
#include <filesystem>
#include <ostream>

#include "adventure/adventure.h"

namespace plumix {

struct ProveOptions {
  int Level = 0;  // 0: every played level
  int Seeds = 3;
  std::filesystem::path GameDir;  // where the theme pictures are; empty: none
};

// One line a level and a summary; 0 when every level was won at least once,
// 1 when one was not, 2 when the game could not be set up.
int ProveAdventure(const AdventureRecord& adventure, const ProveOptions& options, std::ostream& out,
                   std::ostream& err);

}  // namespace plumix
