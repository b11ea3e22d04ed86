// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace plumix {

// The idle-loop frame timer and its frame-rate measurement.
class FrameTimer {
 public:
  bool Enabled = true;
  // Called on every idle turn while the application is active; true when a
  // tick fires (always, as the interval is 0).
  bool Idle(uint32_t now);
  // Frames per second over the last whole window of at least 1000 ms; 0 at first.
  int FrameRate() const { return frameRate_; }
  int LagCount() const { return lagCount_; }
  // Starts measuring afresh, for example after the application was inactive.
  void Restart(uint32_t now);

 private:
  bool started_ = false;
  uint32_t last_ = 0;
  uint32_t windowStart_ = 0;
  int count_ = 0;
  int frameRate_ = 0;
  int lagCount_ = 1;
};

}  // namespace plumix
