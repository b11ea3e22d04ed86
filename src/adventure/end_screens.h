#pragma once
#include <cstdint>

namespace plumix {
class TMain;
// The level-completed screen.
void DrawLevelCompleted(TMain& game);
}  // namespace plumix

namespace plumix {
// The game-completed and game-over screens.
void DrawGameCompleted(TMain& game);
void DrawGameOver(TMain& game);
}  // namespace plumix
