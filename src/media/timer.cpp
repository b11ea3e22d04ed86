// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/timer.h"

#include <algorithm>
#include <cmath>

namespace plumix {

bool FrameTimer::Idle(uint32_t now) {
  if (!Enabled) return false;
  if (!started_) Restart(now);
  lagCount_ = static_cast<int>(std::max<uint32_t>(1, now - last_));
  last_ = now;
  ++count_;
  uint32_t window = now - windowStart_;
  if (window >= 1000) {
    frameRate_ = static_cast<int>(std::lround(count_ * 1000.0 / window));
    count_ = 0;
    windowStart_ = now;
  }
  return true;
}

void FrameTimer::Restart(uint32_t now) {
  started_ = true;
  last_ = now;
  windowStart_ = now;
  count_ = 0;
}

}  // namespace plumix
