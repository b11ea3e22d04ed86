// SPDX-License-Identifier: GPL-3.0-or-later
#include "adventure/adventure_file.h"

#include <cassert>
#include <cstddef>
#include <cstring>
#include <stdexcept>

namespace plumix {
namespace {

// Header offsets.
constexpr size_t kTitle = 0, kAuthor = 31, kContact = 62, kReservedAfterContact = 88,
                 kLastLevelIndex = 113, kReservedAfterLastLevel = 114, kReserved = 191476;
// Level-record offsets.
constexpr size_t kLevelTitle = 0, kLevelType = 31, kDisasterKind = 32, kDisasterFrequency = 33,
                 kSpecialsFrequency = 34, kStartSpeed = 35, kMaximalSpeed = 36,
                 kNextElements = 37, kPaddingAfterNextElements = 38, kLinesToIncreaseSpeed = 40,
                 kLinesToFinish = 44, kTimeToFinish = 48, kEntryColumn = 52, kEntryRow = 53,
                 kPaddingAfterEntry = 54, kBoard = 56, kElements = 1856, kSpecials = 1874,
                 kPaddingAfterSpecials = 1886;
// High-score entry offsets.
constexpr size_t kEntryName = 0, kEntryUnused = 31, kEntryScore = kHighScoreEntryScore;

constexpr size_t CellOffset(int x, int y) { return kBoard + 60 * (x - 1) + 2 * (y - 1); }

static_assert(kHighScoresOffset == kLevelsOffset + kLevelRecordSize * kMaxLevels);
static_assert(kReserved == kHighScoresOffset + kHighScoreEntrySize * kHighScoreCount);
static_assert(kAdventureFileSize == kReserved + 4);
static_assert(CellOffset(kBoardSize, kBoardSize) + 2 == kElements);
// A column is stored as its 30 cells of code and kind bytes, the same layout
// as a board column in memory, so it is copied whole.
constexpr size_t kColumnBytes = 2 * kBoardSize;
static_assert(sizeof(Cell) == 2 && offsetof(Cell, Code) == 0 && offsetof(Cell, Kind) == 1);
static_assert(CellOffset(2, 1) - CellOffset(1, 1) == kColumnBytes);

void CheckRange(size_t size, size_t offset, size_t count) {
  if (offset > size || count > size - offset) throw std::out_of_range("record field out of range");
}

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  Reader At(size_t offset, size_t size) const {
    CheckRange(bytes_.size(), offset, size);
    return Reader(bytes_.subspan(offset, size));
  }
  uint8_t U8(size_t offset) const {
    CheckRange(bytes_.size(), offset, 1);
    return bytes_[offset];
  }
  int32_t I32(size_t offset) const {
    CheckRange(bytes_.size(), offset, 4);
    uint32_t v = uint32_t(bytes_[offset]) | uint32_t(bytes_[offset + 1]) << 8 |
                 uint32_t(bytes_[offset + 2]) << 16 | uint32_t(bytes_[offset + 3]) << 24;
    return static_cast<int32_t>(v);
  }
  template <size_t N>
  std::array<uint8_t, N> Bytes(size_t offset) const {
    CheckRange(bytes_.size(), offset, N);
    std::array<uint8_t, N> out;
    std::memcpy(out.data(), bytes_.data() + offset, N);
    return out;
  }
  // One range check for a whole block read byte by byte: a list scan reads
  // every level's board, so the check must not be paid per cell.
  const uint8_t* Block(size_t offset, size_t size) const {
    CheckRange(bytes_.size(), offset, size);
    return bytes_.data() + offset;
  }
  template <size_t N>
  std::string ShortString(size_t offset, ShortStringBytes<N>& kept) const {
    kept.Length = U8(offset);
    kept.Chars = Bytes<N>(offset + 1);
    return ShortStringText(kept);
  }

 private:
  std::span<const uint8_t> bytes_;
};

class Writer {
 public:
  explicit Writer(std::span<uint8_t> bytes) : bytes_(bytes) {}
  Writer At(size_t offset, size_t size) const {
    CheckRange(bytes_.size(), offset, size);
    return Writer(bytes_.subspan(offset, size));
  }
  void U8(size_t offset, uint8_t v) const {
    CheckRange(bytes_.size(), offset, 1);
    bytes_[offset] = v;
  }
  void I32(size_t offset, int32_t value) const {
    CheckRange(bytes_.size(), offset, 4);
    auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  template <size_t N>
  void Bytes(size_t offset, const std::array<uint8_t, N>& v) const {
    CheckRange(bytes_.size(), offset, N);
    std::memcpy(bytes_.data() + offset, v.data(), N);
  }
  uint8_t* Block(size_t offset, size_t size) const {
    CheckRange(bytes_.size(), offset, size);
    return bytes_.data() + offset;
  }
  template <size_t N>
  void ShortString(size_t offset, const std::string& text, const ShortStringBytes<N>& kept) const {
    ShortStringBytes<N> stored = kept;
    if (ShortStringText(kept) != text) {
      size_t length = text.size() < N ? text.size() : N;
      stored.Length = static_cast<uint8_t>(length);
      for (size_t i = 0; i < length; ++i) stored.Chars[i] = static_cast<uint8_t>(text[i]);
    }
    U8(offset, stored.Length);
    Bytes(offset + 1, stored.Chars);
  }

 private:
  std::span<uint8_t> bytes_;
};

LevelRecord ParseLevel(const Reader& in) {
  LevelRecord level;
  level.Title = in.ShortString(kLevelTitle, level.TitleBytes);
  level.LevelType = in.U8(kLevelType);
  level.DisasterKind = in.U8(kDisasterKind);
  level.DisasterFrequency = in.U8(kDisasterFrequency);
  level.SpecialsFrequency = in.U8(kSpecialsFrequency);
  level.StartSpeed = in.U8(kStartSpeed);
  level.MaximalSpeed = in.U8(kMaximalSpeed);
  level.NextElements = in.U8(kNextElements);
  level.PaddingAfterNextElements = in.Bytes<2>(kPaddingAfterNextElements);
  level.LinesToIncreaseSpeed = in.I32(kLinesToIncreaseSpeed);
  level.LinesToFinish = in.I32(kLinesToFinish);
  level.TimeToFinish = in.I32(kTimeToFinish);
  level.EntryColumn = in.U8(kEntryColumn);
  level.EntryRow = in.U8(kEntryRow);
  level.PaddingAfterEntry = in.Bytes<2>(kPaddingAfterEntry);
  const uint8_t* cells = in.Block(kBoard, kElements - kBoard);
  for (int x = 1; x <= kBoardSize; ++x) {
    std::memcpy(&level.Board[x][1], cells + (CellOffset(x, 1) - kBoard), kColumnBytes);
  }
  std::memcpy(&level.Elements[1], in.Block(kElements, kElementKinds), kElementKinds);
  std::memcpy(&level.Specials[1], in.Block(kSpecials, kSpecialKinds), kSpecialKinds);
  level.PaddingAfterSpecials = in.Bytes<2>(kPaddingAfterSpecials);
  level.RecordScore = in.I32(kRecordScoreOffset);
  return level;
}

void WriteLevel(const Writer& out, const LevelRecord& level) {
  out.ShortString(kLevelTitle, level.Title, level.TitleBytes);
  out.U8(kLevelType, level.LevelType);
  out.U8(kDisasterKind, level.DisasterKind);
  out.U8(kDisasterFrequency, level.DisasterFrequency);
  out.U8(kSpecialsFrequency, level.SpecialsFrequency);
  out.U8(kStartSpeed, level.StartSpeed);
  out.U8(kMaximalSpeed, level.MaximalSpeed);
  out.U8(kNextElements, level.NextElements);
  out.Bytes(kPaddingAfterNextElements, level.PaddingAfterNextElements);
  out.I32(kLinesToIncreaseSpeed, level.LinesToIncreaseSpeed);
  out.I32(kLinesToFinish, level.LinesToFinish);
  out.I32(kTimeToFinish, level.TimeToFinish);
  out.U8(kEntryColumn, level.EntryColumn);
  out.U8(kEntryRow, level.EntryRow);
  out.Bytes(kPaddingAfterEntry, level.PaddingAfterEntry);
  uint8_t* cells = out.Block(kBoard, kElements - kBoard);
  for (int x = 1; x <= kBoardSize; ++x) {
    std::memcpy(cells + (CellOffset(x, 1) - kBoard), &level.Board[x][1], kColumnBytes);
  }
  std::memcpy(out.Block(kElements, kElementKinds), &level.Elements[1], kElementKinds);
  std::memcpy(out.Block(kSpecials, kSpecialKinds), &level.Specials[1], kSpecialKinds);
  out.Bytes(kPaddingAfterSpecials, level.PaddingAfterSpecials);
  out.I32(kRecordScoreOffset, level.RecordScore);
}

HighScoreEntry ParseEntry(const Reader& in) {
  HighScoreEntry entry;
  entry.Name = in.ShortString(kEntryName, entry.NameBytes);
  entry.Unused = in.U8(kEntryUnused);
  entry.Score = in.I32(kEntryScore);
  return entry;
}

void WriteEntry(const Writer& out, const HighScoreEntry& entry) {
  out.ShortString(kEntryName, entry.Name, entry.NameBytes);
  out.U8(kEntryUnused, entry.Unused);
  out.I32(kEntryScore, entry.Score);
}

Writer EntryWriter(std::span<uint8_t> file, int i) {
  return Writer(file).At(kHighScoresOffset + kHighScoreEntrySize * (i - 1), kHighScoreEntrySize);
}

}  // namespace

bool IsAdventureName(std::string_view name) {
  constexpr std::string_view kExtension = ".paf";
  if (name.size() < kExtension.size()) return false;
  for (size_t i = 0; i < kExtension.size(); ++i) {
    char c = name[name.size() - kExtension.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kExtension[i]) return false;
  }
  return true;
}

Parsed<AdventureRecord> ParseAdventure(std::span<const uint8_t> bytes) {
  if (bytes.size() < kAdventureFileSize) {
    return Parsed<AdventureRecord>::Fail("it is only " + std::to_string(bytes.size()) +
                                         " bytes long; an adventure file has " +
                                         std::to_string(kAdventureFileSize));
  }
  // Whatever follows the record is not the game's; the save keeps it.
  Reader in(bytes.first(kAdventureFileSize));
  AdventureRecord adventure;
  adventure.Title = in.ShortString(kTitle, adventure.TitleBytes);
  adventure.Author = in.ShortString(kAuthor, adventure.AuthorBytes);
  adventure.Contact = in.ShortString(kContact, adventure.ContactBytes);
  adventure.ReservedAfterContact = in.Bytes<25>(kReservedAfterContact);
  adventure.LastLevelIndex = in.U8(kLastLevelIndex);
  adventure.ReservedAfterLastLevel = in.Bytes<2>(kReservedAfterLastLevel);
  for (int k = 1; k <= kMaxLevels; ++k) {
    adventure.Levels[k] = ParseLevel(in.At(LevelOffset(k), kLevelRecordSize));
  }
  for (int i = 1; i <= kHighScoreCount; ++i) {
    adventure.HighScores[i] =
        ParseEntry(in.At(kHighScoresOffset + kHighScoreEntrySize * (i - 1), kHighScoreEntrySize));
  }
  adventure.Reserved = in.Bytes<4>(kReserved);
  return Parsed<AdventureRecord>::Ok(std::move(adventure));
}

std::vector<uint8_t> SerialiseAdventure(const AdventureRecord& adventure) {
  std::vector<uint8_t> bytes(kAdventureFileSize, 0);
  Writer out(bytes);
  out.ShortString(kTitle, adventure.Title, adventure.TitleBytes);
  out.ShortString(kAuthor, adventure.Author, adventure.AuthorBytes);
  out.ShortString(kContact, adventure.Contact, adventure.ContactBytes);
  out.Bytes(kReservedAfterContact, adventure.ReservedAfterContact);
  out.U8(kLastLevelIndex, adventure.LastLevelIndex);
  out.Bytes(kReservedAfterLastLevel, adventure.ReservedAfterLastLevel);
  for (int k = 1; k <= kMaxLevels; ++k) {
    WriteLevel(out.At(LevelOffset(k), kLevelRecordSize), adventure.Levels[k]);
  }
  for (int i = 1; i <= kHighScoreCount; ++i) WriteEntry(EntryWriter(bytes, i), adventure.HighScores[i]);
  out.Bytes(kReserved, adventure.Reserved);
  return bytes;
}

void PatchHighScores(std::span<uint8_t> fileBytes, const AdventureRecord& adventure,
                     const std::array<int32_t, kMaxLevels + 1>* recordScores) {
  assert(fileBytes.size() >= kAdventureFileSize);
  for (int i = 1; i <= kHighScoreCount; ++i) {
    WriteEntry(EntryWriter(fileBytes, i), adventure.HighScores[i]);
  }
  if (!recordScores) return;
  Writer out(fileBytes);
  for (int k = 1; k <= kMaxLevels; ++k) {
    out.I32(LevelOffset(k) + kRecordScoreOffset, (*recordScores)[k]);
  }
}

}  // namespace plumix
