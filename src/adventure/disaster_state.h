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
};

}  // namespace plumix
