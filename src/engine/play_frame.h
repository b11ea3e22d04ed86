#pragma once
#include <cstdint>

namespace plumix {
class TMain;
// One frame of play; active false redraws without advancing.
void PlayFrame(TMain& game, bool active);
}  // namespace plumix
