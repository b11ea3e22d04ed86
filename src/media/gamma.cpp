// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/gamma.h"

#include "media/colour.h"

namespace plumix {

GammaRamp GammaRamp::Identity() {
  GammaRamp ramp;
  for (int i = 0; i < 256; ++i) {
    auto v = static_cast<uint16_t>(i * 257);
    ramp.Red[i] = ramp.Green[i] = ramp.Blue[i] = v;
  }
  return ramp;
}

void GammaTable::Build(const GammaRamp& ramp) {
  uint32_t red[32], green[64], blue[32];
  for (int v = 0; v < 32; ++v) {
    int full = (v << 3) | (v >> 2);
    red[v] = static_cast<uint32_t>(ramp.Red[full] >> 8) << 16;
    blue[v] = static_cast<uint32_t>(ramp.Blue[full] >> 8);
  }
  for (int v = 0; v < 64; ++v) {
    int full = (v << 2) | (v >> 4);
    green[v] = static_cast<uint32_t>(ramp.Green[full] >> 8) << 8;
  }
  for (uint32_t p = 0; p < 65536; ++p) {
    table_[p] = 0xFF000000u | red[p >> 11] | green[(p >> 5) & 63] | blue[p & 31];
  }
}

void GammaTable::Convert(const Bitmap& source, uint32_t* out) const {
  Convert(source.Pixels.data(), out, source.Pixels.size());
}

void GammaTable::Convert(const uint16_t* in, uint32_t* out, size_t count) const {
  const uint32_t* table = table_.data();
  for (size_t i = 0; i < count; ++i) out[i] = table[in[i]];
}

}  // namespace plumix
