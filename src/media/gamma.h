// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The gamma ramp, applied in software as each frame is turned into the
// 32-bit picture that is presented.
#include <array>
#include <cstdint>
#include <vector>

#include "media/bitmap.h"

namespace plumix {

struct GammaRamp {
  std::array<uint16_t, 256> Red{}, Green{}, Blue{};
  static GammaRamp Identity();
  bool operator==(const GammaRamp&) const = default;
};

// 65536-entry table from an RGB565 pixel to 0xAARRGGBB through a ramp.
class GammaTable {
 public:
  GammaTable() { Build(GammaRamp::Identity()); }
  void Build(const GammaRamp& ramp);
  uint32_t operator[](uint16_t pixel) const { return table_[pixel]; }
  void Convert(const Bitmap& source, uint32_t* out) const;
  void Convert(const uint16_t* in, uint32_t* out, size_t count) const;

 private:
  std::vector<uint32_t> table_ = std::vector<uint32_t>(65536);
};

}  // namespace plumix
