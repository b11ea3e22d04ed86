// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/input.h"

#include <algorithm>

namespace plumix {

void KeyboardReader::ResetAssigns() {
  for (auto& slots : Assigns) slots = {0, 0, 0};
  Assigns[InputUp][1] = kVkUp;
  Assigns[InputDown][1] = kVkDown;
  Assigns[InputLeft][1] = kVkLeft;
  Assigns[InputRight][1] = kVkRight;
  Assigns[InputButton31][0] = kVkEscape;
  Assigns[InputButton32][0] = kVkReturn;
  Assigns[InputButton32][1] = kVkSpace;
}

void KeyboardReader::KeyDown(uint16_t key, InputSource source, bool repeat) {
  if (key >= 256) return;
  sources_[source][key] = true;
  held_[key] = true;
  if (!repeat) swallowed_[key] = false;
  // The auto-repeat of a swallowed key stays swallowed.
  if (!swallowed_[key]) tapped_[key] = true;
}

bool KeyboardReader::KeyUp(uint16_t key, InputSource source) {
  if (key >= 256) return true;
  auto it = sources_.find(source);
  if (it != sources_.end()) {
    it->second[key] = false;
    if (it->second.none()) sources_.erase(it);
  }
  bool held = false;
  for (const auto& [s, keys] : sources_) held = held || keys[key];
  held_[key] = held;
  if (!held) swallowed_[key] = false;
  return !held;
}

void KeyboardReader::Swallow(uint16_t key) {
  if (key >= 256) return;
  swallowed_[key] = true;
  tapped_[key] = false;
}

void KeyboardReader::ReleaseAll() {
  sources_.clear();
  held_.reset();
  tapped_.reset();
  swallowed_.reset();
  states_.reset();
}

void KeyboardReader::Update() {
  Compute((held_ & ~swallowed_) | tapped_);
  tapped_.reset();
}

void KeyboardReader::Sample() { Compute(held_ & ~swallowed_); }

void KeyboardReader::Compute(const std::bitset<256>& down) {
  states_.reset();
  for (int s = 0; s < kInputStateCount; ++s) {
    for (uint16_t key : Assigns[s]) {
      if (key != 0 && key < 256 && down[key]) {
        states_[s] = true;
        break;
      }
    }
  }
}

Rect LetterboxRect(int windowWidth, int windowHeight) {
  constexpr int kWidth = 1024, kHeight = 768;
  if (windowWidth <= 0 || windowHeight <= 0) return Rect{0, 0, kWidth, kHeight};
  // The narrower of the two scales fits; the other side gets the bars.
  int width = windowWidth, height = windowHeight;
  if (static_cast<int64_t>(windowWidth) * kHeight > static_cast<int64_t>(windowHeight) * kWidth) {
    width = static_cast<int>(static_cast<int64_t>(windowHeight) * kWidth / kHeight);
  } else {
    height = static_cast<int>(static_cast<int64_t>(windowWidth) * kHeight / kWidth);
  }
  const int left = (windowWidth - width) / 2, top = (windowHeight - height) / 2;
  return Rect{left, top, left + width, top + height};
}

bool SurfacePoint(int windowWidth, int windowHeight, int x, int y, int& surfaceX, int& surfaceY) {
  const Rect picture = LetterboxRect(windowWidth, windowHeight);
  const bool inside = picture.Contains(x, y);
  const int64_t sx = static_cast<int64_t>(x - picture.Left) * 1024 / std::max(1, picture.Width());
  const int64_t sy = static_cast<int64_t>(y - picture.Top) * 768 / std::max(1, picture.Height());
  surfaceX = static_cast<int>(std::clamp<int64_t>(sx, 0, 1023));
  surfaceY = static_cast<int>(std::clamp<int64_t>(sy, 0, 767));
  return inside;
}

}  // namespace plumix
