// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>

#include "adventure/adventure_check.h"
#include "adventure/adventure_file.h"
#include "adventure/adventure_test_files.h"
#include "engine/board.h"

namespace plumix {
namespace {

using namespace plumix::testing;

AdventureRecord Good(int levels = 3) { return *ParseAdventure(GoodAdventure("Good", levels)).Value; }

std::string All(const std::vector<AdventureProblem>& problems) {
  std::string out;
  for (const auto& p : problems) out += DescribeProblem(p) + "\n";
  return out;
}

TEST(AdventureCheck, AGoodAdventureHasNoProblem) {
  AdventureRecord a = Good();
  a.Levels[1].DisasterKind = kDisastersInTurn | 2;
  a.Levels[1].DisasterFrequency = 1;
  EXPECT_EQ(All(CheckAdventure(a)), "");
  AdventureRecord prepared = a;
  EXPECT_TRUE(PrepareForPlay(prepared).empty());
  EXPECT_EQ(SerialiseAdventure(prepared), SerialiseAdventure(a)) << "a good record is not changed";
}

struct Defect {
  const char* Name;
  std::function<void(AdventureRecord&)> Make;
  int Level;
  const char* Field;
  const char* Words;  // part of the message
};

TEST(AdventureCheck, EachUnsafeValueIsReportedByLevelAndField) {
  const Defect defects[] = {
      {"long title", [](AdventureRecord& a) { a.TitleBytes.Length = 31; }, 0, "Title", "capacity 30"},
      {"long contact", [](AdventureRecord& a) { a.ContactBytes.Length = 26; }, 0, "Contact", "capacity 25"},
      {"too many levels", [](AdventureRecord& a) {
         for (int k = 4; k <= 100; ++k) a.Levels[k] = a.Levels[1];
         a.LastLevelIndex = 100;
       }, 0, "LastLevelIndex", "above 99"},
      {"long level title", [](AdventureRecord& a) { a.Levels[2].TitleBytes.Length = 40; }, 2, "Title", "capacity 30"},
      {"next elements", [](AdventureRecord& a) { a.Levels[2].NextElements = 5; }, 2, "NextElements", "above 4"},
      {"entry column", [](AdventureRecord& a) {
         a.Levels[3].EntryColumn = 28;
         a.Levels[3].Board[28][1].Code = kEntryMark;
       }, 3, "EntryColumn", "outside the board"},
      {"entry column 0", [](AdventureRecord& a) { a.Levels[3].EntryColumn = 0; }, 3, "EntryColumn", "outside the board"},
      {"entry row", [](AdventureRecord& a) {
         a.Levels[1].EntryRow = 29;
         a.Levels[1].Board[14][29].Code = kEntryMark;
       }, 1, "EntryRow", "outside the board"},
      {"no kind", [](AdventureRecord& a) { a.Levels[1].Elements.fill(0); }, 1, "Elements", "no element kind"},
      {"no special", [](AdventureRecord& a) { a.Levels[2].Specials.fill(0); }, 2, "Specials", "no special kind"},
      {"lines 0", [](AdventureRecord& a) { a.Levels[2].LinesToIncreaseSpeed = 0; }, 2, "LinesToIncreaseSpeed", "never rises"},
      {"lines negative", [](AdventureRecord& a) { a.Levels[2].LinesToIncreaseSpeed = -3; }, 2, "LinesToIncreaseSpeed", "negative"},
      {"disasters", [](AdventureRecord& a) { a.Levels[1].DisasterFrequency = 4; }, 1, "DisasterFrequency", "above 3"},
      {"in turn, none", [](AdventureRecord& a) {
         a.Levels[1].DisasterKind = kDisastersInTurn;
         a.Levels[1].DisasterFrequency = 0;
       }, 1, "DisasterKind", "none come"},
      {"specials", [](AdventureRecord& a) { a.Levels[1].SpecialsFrequency = 9; }, 1, "SpecialsFrequency", "above 3"},
      {"action goal", [](AdventureRecord& a) { a.Levels[1].LinesToFinish = 0; }, 1, "LinesToFinish", "won at once"},
      {"bonus goal", [](AdventureRecord& a) { a.Levels[1].LevelType = 1; }, 1, "TimeToFinish", "ends at once"},
      {"no mark", [](AdventureRecord& a) { a.Levels[2].Board[14][1].Code = kEmpty; }, 2, "Board", "no EntryMark at the entry point (14, 1)"},
      {"wall in box", [](AdventureRecord& a) { a.Levels[1].Board[16][3].Code = kEdge; }, 1, "Board", "overlaps walls at (16, 3)"},
      {"block in box", [](AdventureRecord& a) { a.Levels[1].Board[17][4].Code = kBlock; }, 1, "Board", "overlaps walls at (17, 4)"},
      {"hole in rim", [](AdventureRecord& a) { a.Levels[3].Board[1][20].Code = kEmpty; }, 3, "Board", "leave the board at (1, 20)"},
      {"passage at bottom", [](AdventureRecord& a) { a.Levels[3].Board[8][30].Code = kPassage; }, 3, "Board", "leave the board at (8, 30)"},
      {"void rim", [](AdventureRecord& a) { a.Levels[1].Board[30][5].Code = kVoid; }, 1, "Board", "leave the board at (30, 5)"},
      {"block kind", [](AdventureRecord& a) { a.Levels[1].Board[5][29] = Cell{kBlock, 19}; }, 1, "Board", "kind above 18, first at (5, 29)"},
      {"unknown code", [](AdventureRecord& a) { a.Levels[1].Board[5][29].Code = 77; }, 1, "Board", "unknown code"},
      {"no image", [](AdventureRecord& a) { a.Levels[1].Board[5][29].Code = 17; }, 1, "Board", "no image"},
      {"long name", [](AdventureRecord& a) { a.HighScores[7].NameBytes.Length = 99; }, -1, "7.Name", "capacity 30"},
  };
  for (const Defect& d : defects) {
    AdventureRecord a = Good();
    d.Make(a);
    std::vector<AdventureProblem> problems = CheckAdventure(a);
    ASSERT_EQ(problems.size(), 1u) << d.Name << ":\n" << All(problems);
    EXPECT_EQ(problems[0].Level, d.Level) << d.Name;
    EXPECT_EQ(problems[0].Field, d.Field) << d.Name;
    EXPECT_NE(problems[0].Message.find(d.Words), std::string::npos)
        << d.Name << ": " << problems[0].Message;
  }
}

TEST(AdventureCheck, OnlyPlayedLevelsAreChecked) {
  AdventureRecord a = Good(2);
  a.Levels[3].NextElements = 9;  // beyond the last level
  EXPECT_EQ(All(CheckAdventure(a)), "");
  a.LastLevelIndex = 2;
  EXPECT_FALSE(CheckAdventure(a).empty());
}

TEST(AdventureCheck, ProblemsAreDescribedByPlace) {
  EXPECT_EQ(DescribeProblem({3, "NextElements", "7 is above 4"}), "Level 3, NextElements: 7 is above 4");
  EXPECT_EQ(DescribeProblem({0, "Title", "x"}), "Header, Title: x");
  EXPECT_EQ(DescribeProblem({-1, "5.Name", "x"}), "HighScores, 5.Name: x");
}

TEST(AdventurePlay, UnsafeValuesAreMadeSafe) {
  AdventureRecord a = Good(2);
  a.LastLevelIndex = 250;
  a.Levels[1].NextElements = 7;
  a.Levels[2].NextElements = 255;
  a.Levels[1].EntryColumn = 29;
  a.Levels[1].EntryRow = 0;
  a.Levels[2].Elements.fill(0);
  a.Levels[1].Specials.fill(0);
  a.Levels[2].LinesToIncreaseSpeed = 0;
  a.Levels[2].Board[4][4] = Cell{kBlock, 200};
  std::vector<std::string> notes = PrepareForPlay(a);
  EXPECT_EQ(a.LastLevelIndex, 99);
  EXPECT_EQ(a.Levels[1].NextElements, 4);
  EXPECT_EQ(a.Levels[2].NextElements, 255) << "kept, and shown as stored";
  EXPECT_EQ(QueuedCount(a.Levels[2]), 0) << "255 is 'none'";
  EXPECT_EQ(a.Levels[1].EntryColumn, 27);
  EXPECT_EQ(a.Levels[1].EntryRow, 1);
  for (int k = 1; k <= 18; ++k) EXPECT_EQ(a.Levels[2].Elements[k], 1) << "kind " << k;
  EXPECT_EQ(a.Levels[2].LinesToIncreaseSpeed, kSpeedNeverRises);
  EXPECT_EQ(a.Levels[2].Board[4][4], (Cell{kBlock, 1}));
  EXPECT_GE(notes.size(), 8u);
  std::string joined;
  for (const auto& n : notes) joined += n + "\n";
  EXPECT_NE(joined.find("Level 1: NextElements 7"), std::string::npos) << joined;
  EXPECT_NE(joined.find("LastLevelIndex 250"), std::string::npos) << joined;

  // The entry box of every level now lies on the board, so no move can index past it.
  AdventureRecord far = Good(100);
  for (int k = 1; k <= kMaxLevels; ++k) {
    far.Levels[k].EntryColumn = static_cast<uint8_t>(k * 37);
    far.Levels[k].EntryRow = static_cast<uint8_t>(255 - k);
  }
  PrepareForPlay(far);
  for (int k = 1; k <= kMaxLevels; ++k) {
    ASSERT_GE(far.Levels[k].EntryColumn, 1);
    ASSERT_LE(far.Levels[k].EntryColumn + 3, 30);
    ASSERT_GE(far.Levels[k].EntryRow, 1);
    ASSERT_LE(far.Levels[k].EntryRow + 3, 30);
    ASSERT_LE(28 - far.Levels[k].EntryColumn + 3, 30) << "the mirrored box too";
  }
}

}  // namespace
}  // namespace plumix
