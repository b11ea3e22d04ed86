#pragma once
#include <cstdint>

namespace plumix {
class TMain;
// Resets the level's play state from its record and draws the level-info screen.
void SetUpLevel(TMain& game);
}  // namespace plumix
