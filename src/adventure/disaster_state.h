// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The timed disaster of the running level.
#include <cstdint>

namespace plumix {

struct DisasterState {
  bool DisasterPending = false;
  int32_t DisasterStartTicks = 0;
  int32_t DisasterEndTicks = 0;
  bool FirstStrike = false;
  uint8_t WindDirection = 0;  // 0 none, 1 left, 2 right
  // For a level whose disasters come in turn: the kinds that came in this
  // round (bit k for kind k), and the play ticks left before the next one.
  uint8_t KindsThisRound = 0;
  int32_t BreatherTicks = 0;
};

}  // namespace plumix
