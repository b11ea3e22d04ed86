#pragma once
#include <cstdint>

namespace plumix {
class TMain;
// The menu screen of the current page, every tick.
void DrawMenuScreen(TMain& game);
}  // namespace plumix
