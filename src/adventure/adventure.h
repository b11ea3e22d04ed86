// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The in-memory adventure: header, 100 levels and the high-score table.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace plumix {

constexpr int kBoardSize = 30;
constexpr int kMaxLevels = 100;
constexpr int kHighScoreCount = 60;
constexpr int kElementKinds = 18;
constexpr int kSpecialKinds = 12;

// Cell codes of the board.
enum CellCode : uint8_t {
  kVoid = 0,
  kEmpty = 1,
  kBlock = 2,
  kEdge = 3,
  kPassage = 4,
  kFirstSpecial = 5,  // 5..18
  kLastSpecial = 18,
  kEntryMark = 19,
};

// What a short string holds as stored: its length byte (which may exceed the
// capacity) and all its character bytes, so that a file is rewritten byte for
// byte. The text fields are what the game reads; these only keep the rest.
template <size_t N>
struct ShortStringBytes {
  uint8_t Length = 0;
  std::array<uint8_t, N> Chars{};
  bool operator==(const ShortStringBytes&) const = default;
};

// DisasterKind's top bit, kept through play: the level's disasters come in
// turn, each kind once, so a level can promise all four. The low two bits are
// the kind announced last; a stored kind has no effect.
constexpr uint8_t kDisastersInTurn = 0x80;
constexpr uint8_t kDisasterKindBits = 0x03;

// Stored for a level whose LinesToIncreaseSpeed is 0: the speed never rises by lines.
constexpr int32_t kSpeedNeverRises = INT32_MAX;

struct Cell {
  uint8_t Code = kVoid;
  uint8_t Kind = 0;  // element kind of a settled block; 0 is drawn as 1
  bool operator==(const Cell&) const = default;
};

// Columns x and rows y run 1..30; index 0 is unused.
using BoardGrid = std::array<std::array<Cell, kBoardSize + 1>, kBoardSize + 1>;  // [x][y]

struct LevelRecord {
  std::string Title;  // code page 1250, at most 30 bytes
  uint8_t LevelType = 0;  // 0 Action, else Bonus
  uint8_t DisasterKind = 0;
  uint8_t DisasterFrequency = 0;
  uint8_t SpecialsFrequency = 0;
  uint8_t StartSpeed = 0;
  uint8_t MaximalSpeed = 0;
  uint8_t NextElements = 0;
  int32_t LinesToIncreaseSpeed = 0;
  int32_t LinesToFinish = 0;
  int32_t TimeToFinish = 0;
  uint8_t EntryColumn = 1;
  uint8_t EntryRow = 1;
  BoardGrid Board{};
  std::array<uint8_t, kElementKinds + 1> Elements{};  // [1..18]
  std::array<uint8_t, kSpecialKinds + 1> Specials{};  // [1..12]
  int32_t RecordScore = 0;
  // Bytes play never reads, kept for byte-exact rewriting.
  ShortStringBytes<30> TitleBytes{};
  std::array<uint8_t, 2> PaddingAfterNextElements{};
  std::array<uint8_t, 2> PaddingAfterEntry{};
  std::array<uint8_t, 2> PaddingAfterSpecials{};
  bool operator==(const LevelRecord&) const = default;
};

inline uint8_t DisasterKindOf(const LevelRecord& level) { return level.DisasterKind & kDisasterKindBits; }
inline bool DisastersInTurn(const LevelRecord& level) { return (level.DisasterKind & kDisastersInTurn) != 0; }

struct HighScoreEntry {
  std::string Name;  // at most 30 bytes
  int32_t Score = 0;
  ShortStringBytes<30> NameBytes{};
  uint8_t Unused = 0;
  bool operator==(const HighScoreEntry&) const = default;
};

struct AdventureRecord {
  std::string Title;    // at most 30 bytes
  std::string Author;   // at most 30 bytes
  std::string Contact;  // at most 25 bytes
  uint8_t LastLevelIndex = 0;
  std::array<LevelRecord, kMaxLevels + 1> Levels{};             // [1..100]
  std::array<HighScoreEntry, kHighScoreCount + 1> HighScores{};  // [1..60]
  std::array<uint8_t, 4> Reserved{};  // the last four bytes of the file
  ShortStringBytes<30> TitleBytes{};
  ShortStringBytes<30> AuthorBytes{};
  ShortStringBytes<25> ContactBytes{};
  std::array<uint8_t, 25> ReservedAfterContact{};
  std::array<uint8_t, 2> ReservedAfterLastLevel{};
  bool operator==(const AdventureRecord&) const = default;
};

}  // namespace plumix
