// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The .paf file: one fixed record of 191480 bytes, little-endian, read and
// written field by field. Parsing keeps every byte, so that serialising a
// parsed file gives back the same bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "adventure/adventure.h"
#include "media/error.h"

namespace plumix {

constexpr size_t kAdventureFileSize = 191480;
constexpr size_t kLevelRecordSize = 1892;
constexpr size_t kLevelsOffset = 116;
constexpr size_t kHighScoresOffset = 189316;
constexpr size_t kHighScoreEntrySize = 36;
constexpr size_t kHighScoreEntryScore = 32;  // within an entry, after the name
constexpr size_t kRecordScoreOffset = 1888;  // inside a level record

constexpr size_t LevelOffset(int level) { return kLevelsOffset + kLevelRecordSize * (level - 1); }

// The text of a short string as the game reads it: at most its capacity.
template <size_t N>
std::string ShortStringText(const ShortStringBytes<N>& bytes) {
  size_t length = bytes.Length < N ? bytes.Length : N;
  return std::string(bytes.Chars.begin(), bytes.Chars.begin() + length);
}

// "*.paf" in any case: the file names the game lists as adventures.
bool IsAdventureName(std::string_view name);

// Fails only for a file shorter than one record, and reads the first record of
// a longer one; nothing inside the record is refused.
Parsed<AdventureRecord> ParseAdventure(std::span<const uint8_t> bytes);
// A text field that differs from its kept bytes is written over them (at most
// its capacity); otherwise the kept bytes are written as they were.
std::vector<uint8_t> SerialiseAdventure(const AdventureRecord& adventure);

// Writes the high-score table of `adventure` into a file's bytes and, when
// `recordScores` is given, its entries 1..100 into the levels' RecordScore.
// Bytes after the first record are left alone.
void PatchHighScores(std::span<uint8_t> fileBytes, const AdventureRecord& adventure,
                     const std::array<int32_t, kMaxLevels + 1>* recordScores);

}  // namespace plumix
