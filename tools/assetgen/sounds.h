// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sound effects of the wave list, synthesised, and their WAV files.
#include <cstdint>
#include <vector>

#include "media/assets.h"

namespace assetgen {

// One buffer per channel, -1..1, exactly the wave's rate and about its length.
std::vector<std::vector<float>> SynthesiseWave(const plumix::WaveAsset& wave);
// RIFF PCM: 8-bit unsigned or 16-bit signed little-endian samples.
std::vector<uint8_t> EncodeWav(const std::vector<std::vector<float>>& channels, int bits, int rate);
std::vector<uint8_t> EncodeWaveAsset(const plumix::WaveAsset& wave);

}  // namespace assetgen
