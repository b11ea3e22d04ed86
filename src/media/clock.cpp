// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/clock.h"

#include <chrono>
#include <thread>

namespace plumix {

uint32_t SystemClock::Millis() {
  using namespace std::chrono;
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SystemClock::Sleep(uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void Random::Seed(uint64_t seed) {
  state_ = 0;
  Next();
  state_ += seed + 0x853c49e6748fea9bULL;
  Next();
}

uint32_t Random::Next() {
  uint64_t old = state_;
  state_ = old * 6364136223846793005ULL + 1442695040888963407ULL;
  auto xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
  auto rot = static_cast<uint32_t>(old >> 59u);
  return (xorshifted >> rot) | (xorshifted << ((-rot) & 31));
}

int Random::operator()(int n) {
  if (n <= 0) return 0;
  return static_cast<int>((static_cast<uint64_t>(Next()) * static_cast<uint64_t>(n)) >> 32);
}

}  // namespace plumix
