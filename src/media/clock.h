// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time and randomness, injectable so that tests run the game deterministically.
#include <cstdint>

namespace plumix {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t Millis() = 0;
  virtual void Sleep(uint32_t ms) = 0;
};

class SystemClock : public Clock {
 public:
  uint32_t Millis() override;
  void Sleep(uint32_t ms) override;
};

// Time passes only when told to; Sleep passes it at once.
class FakeClock : public Clock {
 public:
  uint32_t Millis() override { return static_cast<uint32_t>(now_); }
  void Sleep(uint32_t ms) override { now_ += ms; }
  void Advance(double ms) { now_ += ms; }
  double Now() const { return now_; }

 private:
  double now_ = 1000.0;
};

// Random(n) yields 0..n-1, and 0 for n <= 0 (PCG32).
class Random {
 public:
  explicit Random(uint64_t seed = 1) { Seed(seed); }
  void Seed(uint64_t seed);
  int operator()(int n);
  uint32_t Next();

 private:
  uint64_t state_ = 0;
};

}  // namespace plumix
