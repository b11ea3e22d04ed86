// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Little-endian writers for the RIFF files the generator makes (WAVE, ACON).
#include <cstdint>
#include <vector>

namespace assetgen {

inline void Le16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(v & 255);
  b.push_back((v >> 8) & 255);
}

inline void Le32(std::vector<uint8_t>& b, uint32_t v) {
  Le16(b, v & 0xFFFF);
  Le16(b, v >> 16);
}

// A chunk: its id, its size and its body, padded to an even length.
inline void Chunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& body) {
  out.insert(out.end(), id, id + 4);
  Le32(out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() & 1) out.push_back(0);
}

}  // namespace assetgen
