// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The special states that collected specials switch, read by the play engine.
#include <array>
#include <cstdint>

namespace plumix {

struct SpecialsState {
  bool CarrotActive = true;
  bool MagnifierActive = false;
  bool GenieCaught = true;
  bool GenieReleased = false;
  bool VirusDeleted = true;
  bool VirusPresent = false;
  bool VirusStrike = false;
  int AlcoholLevel = 0;  // 0..5
  int DamageLevel = 0;   // 0..3
  int LaserBeams = 0;    // 0..5
  bool LevelCompletedCollected = false;
  bool BoardMirrored = false;
  bool NegativeColours = false;
  int32_t SpecialsTicks = 0;
  bool LaserFiring = false;
  int LaserFrames = 0;
  // Specials collected in this level, each counted once even when its kind
  // is retired in the same clear; nothing in play reads it.
  int32_t Collected = 0;
  // Sizes in pixels of the falling element's 16 cells under the magnifier,
  // [column * 4 + row]; drawn anew after every clear.
  std::array<uint8_t, 16> CellSizes = [] {
    std::array<uint8_t, 16> sizes{};
    sizes.fill(25);
    return sizes;
  }();
};

}  // namespace plumix
