// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "adventure/adventure_file.h"
#include "adventure/adventure_test_files.h"
#include "media/clock.h"

namespace plumix {
namespace {

using namespace plumix::testing;

std::vector<uint8_t> HandBuiltAdventure() {
  std::vector<uint8_t> b(kPafSize, 0);
  PutText(b, 0, "Dobrodru\x9Estv\xED");  // "Dobrodružství"
  PutText(b, 31, "Ond\xF8" "ej");
  PutText(b, 62, "ondra@example.cz");
  for (int i = 0; i < 25; ++i) b[88 + i] = static_cast<uint8_t>(0x50 + i);
  b[113] = 2;
  b[114] = 0xAA;
  b[115] = 0xBB;
  size_t l1 = LevelAt(1);
  PutText(b, l1, "Start");
  b[l1 + 31] = 1;
  b[l1 + 32] = 3;
  b[l1 + 33] = 2;
  b[l1 + 34] = 3;
  b[l1 + 35] = 4;
  b[l1 + 36] = 9;
  b[l1 + 37] = 3;
  b[l1 + 38] = 0x11;
  b[l1 + 39] = 0x22;
  PutI32(b, l1 + 40, 0x01020304);
  PutI32(b, l1 + 44, -5);
  PutI32(b, l1 + 48, 70000);
  b[l1 + 52] = 14;
  b[l1 + 53] = 2;
  b[l1 + 54] = 0x33;
  b[l1 + 55] = 0x44;
  b[CellAt(1, 3, 7)] = 2;
  b[CellAt(1, 3, 7) + 1] = 5;
  b[CellAt(1, 30, 30)] = 3;
  b[CellAt(1, 1, 1)] = 19;
  b[l1 + 1856] = 1;
  b[l1 + 1873] = 1;
  b[l1 + 1874] = 1;
  b[l1 + 1885] = 2;
  b[l1 + 1886] = 0x55;
  b[l1 + 1887] = 0x66;
  PutI32(b, l1 + 1888, 123456);
  PutText(b, LevelAt(100), "Last");
  PutI32(b, LevelAt(100) + 1888, -1);
  PutScore(b, 1, "Eva", 5000);
  b[EntryAt(1) + 31] = 7;
  PutScore(b, 60, "Zed", 1);
  b[191476] = 9;
  b[191477] = 8;
  b[191478] = 7;
  b[191479] = 6;
  return b;
}

TEST(AdventureRecord, ReadsEveryFieldAtItsOffset) {
  Parsed<AdventureRecord> parsed = ParseAdventure(HandBuiltAdventure());
  ASSERT_TRUE(parsed) << parsed.Error;
  const AdventureRecord& a = *parsed.Value;
  EXPECT_EQ(a.Title, "Dobrodru\x9Estv\xED");
  EXPECT_EQ(a.Author, "Ond\xF8" "ej");
  EXPECT_EQ(a.Contact, "ondra@example.cz");
  EXPECT_EQ(a.ReservedAfterContact[24], 0x50 + 24);
  EXPECT_EQ(a.LastLevelIndex, 2);
  EXPECT_EQ(a.ReservedAfterLastLevel[1], 0xBB);
  const LevelRecord& l = a.Levels[1];
  EXPECT_EQ(l.Title, "Start");
  EXPECT_EQ(l.LevelType, 1);
  EXPECT_EQ(l.DisasterKind, 3);
  EXPECT_EQ(l.DisasterFrequency, 2);
  EXPECT_EQ(l.SpecialsFrequency, 3);
  EXPECT_EQ(l.StartSpeed, 4);
  EXPECT_EQ(l.MaximalSpeed, 9);
  EXPECT_EQ(l.NextElements, 3);
  EXPECT_EQ(l.LinesToIncreaseSpeed, 0x01020304) << "little-endian";
  EXPECT_EQ(l.LinesToFinish, -5);
  EXPECT_EQ(l.TimeToFinish, 70000);
  EXPECT_EQ(l.EntryColumn, 14);
  EXPECT_EQ(l.EntryRow, 2);
  EXPECT_EQ(l.Board[3][7], (Cell{2, 5})) << "column 3, row 7";
  EXPECT_EQ(l.Board[7][3], (Cell{0, 0})) << "the board is stored column by column";
  EXPECT_EQ(l.Board[30][30].Code, 3);
  EXPECT_EQ(l.Board[1][1].Code, 19);
  EXPECT_EQ(l.Elements[1], 1);
  EXPECT_EQ(l.Elements[2], 0);
  EXPECT_EQ(l.Elements[18], 1);
  EXPECT_EQ(l.Specials[1], 1);
  EXPECT_EQ(l.Specials[12], 2);
  EXPECT_EQ(l.RecordScore, 123456);
  EXPECT_EQ(a.Levels[100].Title, "Last");
  EXPECT_EQ(a.Levels[100].RecordScore, -1);
  EXPECT_EQ(a.HighScores[1].Name, "Eva");
  EXPECT_EQ(a.HighScores[1].Score, 5000);
  EXPECT_EQ(a.HighScores[1].Unused, 7);
  EXPECT_EQ(a.HighScores[60].Name, "Zed");
  EXPECT_EQ(a.HighScores[60].Score, 1);
  EXPECT_EQ(a.Reserved, (std::array<uint8_t, 4>{9, 8, 7, 6}));
}

TEST(AdventureRecord, WritesBackTheBytesItRead) {
  std::vector<uint8_t> bytes = HandBuiltAdventure();
  EXPECT_EQ(SerialiseAdventure(*ParseAdventure(bytes).Value), bytes);

  // Every byte has its place, whatever it holds.
  Random rng(2024);
  for (int round = 0; round < 3; ++round) {
    std::vector<uint8_t> noise(kPafSize);
    for (uint8_t& b : noise) b = static_cast<uint8_t>(rng(256));
    std::vector<uint8_t> again = SerialiseAdventure(*ParseAdventure(noise).Value);
    ASSERT_EQ(again.size(), noise.size());
    size_t first = 0;
    while (first < noise.size() && again[first] == noise[first]) ++first;
    EXPECT_EQ(first, noise.size()) << "first differing byte at offset " << first;
  }
}

TEST(AdventureRecord, TextLengthsAboveTheCapacity) {
  std::vector<uint8_t> b = HandBuiltAdventure();
  b[62] = 200;  // Contact claims 200 characters of its 25
  for (int i = 0; i < 25; ++i) b[63 + i] = 'c';
  b[LevelAt(1)] = 31;
  b[EntryAt(2)] = 255;
  Parsed<AdventureRecord> parsed = ParseAdventure(b);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed.Value->Contact, std::string(25, 'c'));
  EXPECT_EQ(parsed.Value->ReservedAfterContact[0], 0x50) << "the text stops at its field";
  EXPECT_EQ(parsed.Value->Levels[1].Title.size(), 30u);
  EXPECT_EQ(parsed.Value->HighScores[2].Name.size(), 30u);
  EXPECT_EQ(SerialiseAdventure(*parsed.Value), b) << "the stored length is kept";
}

TEST(AdventureRecord, ChangedTextIsWrittenOverItsField) {
  std::vector<uint8_t> b = HandBuiltAdventure();
  PutText(b, 31, "A very long author name");
  AdventureRecord a = *ParseAdventure(b).Value;
  a.Author = "Bo";
  a.Title = std::string(40, 'T');
  std::vector<uint8_t> out = SerialiseAdventure(a);
  EXPECT_EQ(out[31], 2);
  EXPECT_EQ(out[32], 'B');
  EXPECT_EQ(out[33], 'o');
  EXPECT_EQ(out[34], 'v') << "bytes after the text are left as they were";
  EXPECT_EQ(out[0], 30) << "a text is cut to its capacity";
  EXPECT_EQ(out[30], 'T');
  out[0] = b[0];
  for (int i = 1; i <= 30; ++i) out[i] = b[i];
  for (int i = 31; i <= 33; ++i) out[i] = b[i];
  EXPECT_EQ(out, b) << "nothing else changes";
}

TEST(AdventureRecord, ShortFilesAreRefusedAndLongerOnesReadAsTheirFirstRecord) {
  for (size_t size : {0u, 191479u}) {
    Parsed<AdventureRecord> parsed = ParseAdventure(std::vector<uint8_t>(size, 0));
    EXPECT_FALSE(parsed) << size;
    EXPECT_NE(parsed.Error.find(std::to_string(size)), std::string::npos) << parsed.Error;
  }
  std::vector<uint8_t> longer = HandBuiltAdventure();
  longer.resize(2 * longer.size(), 0xEE);
  Parsed<AdventureRecord> parsed = ParseAdventure(longer);
  ASSERT_TRUE(parsed) << parsed.Error;
  EXPECT_EQ(SerialiseAdventure(*parsed.Value),
            std::vector<uint8_t>(longer.begin(), longer.begin() + 191480));
}

TEST(AdventureRecord, HighScorePatchTouchesOnlyTheTableAndRecordScores) {
  std::vector<uint8_t> file = HandBuiltAdventure();
  AdventureRecord a = *ParseAdventure(file).Value;
  a.HighScores[1].Name = "New";
  a.HighScores[1].Score = 9000;
  a.HighScores[60].Score = 0;
  a.Levels[1].Board[5][5].Code = 2;  // run-time changes stay in memory
  a.Levels[1].EntryColumn = 3;
  std::array<int32_t, kMaxLevels + 1> scores{};
  for (int k = 1; k <= kMaxLevels; ++k) scores[k] = 1000 + k;

  std::vector<uint8_t> patched = file;
  PatchHighScores(patched, a, nullptr);
  EXPECT_EQ(patched[EntryAt(1)], 3);
  EXPECT_EQ(GetI32(patched, EntryAt(1) + 32), 9000);
  EXPECT_EQ(patched[EntryAt(1) + 31], 7) << "the unused byte travels with its entry";
  EXPECT_EQ(GetI32(patched, EntryAt(60) + 32), 0);
  for (size_t i = 0; i < kPafSize; ++i) {
    if (i >= 189316 && i < 191476) continue;
    ASSERT_EQ(patched[i], file[i]) << "offset " << i;
  }

  patched = file;
  PatchHighScores(patched, a, &scores);
  for (int k = 1; k <= kMaxLevels; ++k) {
    ASSERT_EQ(GetI32(patched, LevelAt(k) + 1888), 1000 + k) << "level " << k;
    for (int i = 0; i < 4; ++i) patched[LevelAt(k) + 1888 + i] = file[LevelAt(k) + 1888 + i];
  }
  for (size_t i = 0; i < 189316; ++i) ASSERT_EQ(patched[i], file[i]) << "offset " << i;
}

}  // namespace
}  // namespace plumix
