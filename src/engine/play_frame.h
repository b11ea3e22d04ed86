// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace plumix {
class TMain;
// One frame of play: the held keys, gravity and locking, the level's end,
// the time count and the whole play screen. active false (a redraw behind the
// options panel) neither slides the preview, moves sprites, runs the
// fireworks nor advances the message panel; everything else runs.
void PlayFrame(TMain& game, bool active);
// The frames of a gravity step and of a play tick.
int32_t FallIntervalFor(int32_t frameScale, int speed);
int32_t TickLength(int32_t frameScale);
}  // namespace plumix
