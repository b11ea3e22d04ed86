#include "media/input.h"

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

void KeyboardReader::KeyDown(uint16_t key) {
  if (key < 256) held_[key] = tapped_[key] = true;
}

void KeyboardReader::KeyUp(uint16_t key) {
  if (key < 256) held_[key] = false;
}

void KeyboardReader::ReleaseAll() {
  held_.reset();
  tapped_.reset();
  states_.reset();
}

void KeyboardReader::Update() {
  Compute(held_ | tapped_);
  tapped_.reset();
}

void KeyboardReader::Sample() { Compute(held_); }

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

}  // namespace plumix
