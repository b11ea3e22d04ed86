// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Adventure files built byte by byte at their offsets, for the tests of the
// reader, the list, the saver and the designers' tool.
#include <unistd.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/files.h"

namespace plumix::testing {

constexpr size_t kPafSize = 191480;

inline size_t LevelAt(int k) { return 116 + 1892 * static_cast<size_t>(k - 1); }
inline size_t CellAt(int k, int x, int y) { return LevelAt(k) + 56 + 60 * (x - 1) + 2 * (y - 1); }
inline size_t EntryAt(int i) { return 189316 + 36 * static_cast<size_t>(i - 1); }

inline void PutI32(std::vector<uint8_t>& b, size_t offset, int32_t value) {
  auto v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) b[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

inline int32_t GetI32(const std::vector<uint8_t>& b, size_t offset) {
  return static_cast<int32_t>(uint32_t(b[offset]) | uint32_t(b[offset + 1]) << 8 |
                              uint32_t(b[offset + 2]) << 16 | uint32_t(b[offset + 3]) << 24);
}

inline void PutScore(std::vector<uint8_t>& b, int place, const std::string& name, int32_t score) {
  PutText(b, EntryAt(place), name);
  PutI32(b, EntryAt(place) + 32, score);
}

// A level that passes every check: Edge on the left, right and bottom rims,
// Empty inside, the entry mark at (14, 1), all kinds, specials A and B.
inline void PutGoodLevel(std::vector<uint8_t>& b, int k, const std::string& title) {
  size_t at = LevelAt(k);
  PutText(b, at, title);
  b[at + 33] = 1;  // disasters low
  b[at + 34] = 2;  // specials medium
  b[at + 35] = 1;
  b[at + 36] = 9;
  b[at + 37] = 3;
  PutI32(b, at + 40, 5);
  PutI32(b, at + 44, 20);
  b[at + 52] = 14;
  b[at + 53] = 1;
  for (int x = 1; x <= 30; ++x) {
    for (int y = 1; y <= 30; ++y) {
      bool rim = x == 1 || x == 30 || y == 30;
      b[CellAt(k, x, y)] = rim ? 3 : 1;
    }
  }
  b[CellAt(k, 14, 1)] = 19;
  for (int e = 0; e < 18; ++e) b[at + 1856 + e] = 1;
  b[at + 1874] = 1;
  b[at + 1875] = 1;
}

inline std::vector<uint8_t> GoodAdventure(const std::string& title, int levels) {
  std::vector<uint8_t> b(kPafSize, 0);
  PutText(b, 0, title);
  PutText(b, 31, "Author of " + title);
  PutText(b, 62, "mail@example.org");
  b[113] = static_cast<uint8_t>(levels - 1);
  for (int k = 1; k <= levels; ++k) PutGoodLevel(b, k, "Level " + std::to_string(k));
  return b;
}

}  // namespace plumix::testing
