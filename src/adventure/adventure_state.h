#pragma once
// The adventures found, the one being played and the game's score.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "adventure/adventure.h"

namespace plumix {

struct AdventureState {
  AdventureRecord Adventure;
  int32_t CurrentLevel = 1;
  int32_t Score = 0;
  std::array<int32_t, kMaxLevels + 1> LevelScores{};  // [1..100]
};

}  // namespace plumix
