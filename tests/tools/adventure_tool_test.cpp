// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "adventure/adventure_file.h"
#include "adventure/adventure_test_files.h"
#include "adventure_source.h"
#include "adventure_tool.h"
#include "media/bitmap.h"
#include "media/clock.h"
#include "support/files.h"
#include "support/harness.h"

namespace plumix {
namespace {

using namespace plumix::testing;
namespace fs = std::filesystem;

struct ToolRun {
  int Code = 0;
  std::string Out, Err;
};

ToolRun Tool(const std::vector<std::string>& args, const fs::path& gameDir = {}) {
  std::ostringstream out, err;
  ToolRun run;
  run.Code = RunAdventureTool(args, out, err, gameDir);
  run.Out = out.str();
  run.Err = err.str();
  return run;
}

void WriteText(const fs::path& path, const std::string& text) {
  WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}


// A file that uses every corner of the format.
std::vector<uint8_t> Awkward() {
  std::vector<uint8_t> b = GoodAdventure("Dobrodru\x9Estv\xED \"q\" \\ \x81\x07", 3);
  b[31] = 200;  // Author longer than its field
  b[100] = 0x12;  // reserved after the contact
  b[114] = 0xFE;
  b[191478] = 0x5A;
  size_t l2 = LevelAt(2);
  b[l2 + 39] = 0x01;           // padding
  b[l2 + 20] = 'x';            // text byte after the level title
  b[CellAt(2, 4, 4)] = 77;     // unknown cell code
  b[CellAt(2, 4, 5)] = 2;
  b[CellAt(2, 4, 5) + 1] = 200;  // a kind without a character
  b[CellAt(2, 4, 6) + 1] = 18;
  PutText(b, LevelAt(70), "Kept though not played");
  PutScore(b, 1, "\x8A" "arka", 500);
  b[EntryAt(1) + 31] = 3;
  b[EntryAt(1) + 25] = 0x44;
  PutScore(b, 2, "", -7);
  b[EntryAt(3)] = 60;
  for (int i = 1; i <= 30; ++i) b[EntryAt(3) + i] = 'n';
  return b;
}

class AdventureTool : public ::testing::Test {
 protected:
  void SetUp() override { dir = FreshDir("adventure-tool"); }
  fs::path dir;
};

TEST_F(AdventureTool, UnpackThenPackGivesBackTheSameBytes) {
  Random rng(99);
  std::vector<uint8_t> noise(kPafSize);
  for (uint8_t& b : noise) b = static_cast<uint8_t>(rng(256));
  for (const auto& [name, bytes] : {std::pair{"good", GoodAdventure("Plain", 5)},
                                    std::pair{"awkward", Awkward()}, std::pair{"noise", noise},
                                    std::pair{"zero", std::vector<uint8_t>(kPafSize, 0)}}) {
    fs::path paf = dir / (std::string(name) + ".paf");
    fs::path src = dir / (std::string(name) + "-src");
    fs::path again = dir / (std::string(name) + "-again.paf");
    WriteBytes(paf, bytes);
    ToolRun unpack = Tool({"unpack", paf.string(), src.string()});
    ASSERT_EQ(unpack.Code, 0) << name << ": " << unpack.Err;
    ToolRun pack = Tool({"pack", src.string(), again.string()});
    ASSERT_EQ(pack.Code, 0) << name << ": " << pack.Err;
    std::vector<uint8_t> back = ReadBytes(again);
    ASSERT_EQ(back.size(), bytes.size()) << name;
    size_t first = 0;
    while (first < back.size() && back[first] == bytes[first]) ++first;
    EXPECT_EQ(first, bytes.size()) << name << ": first differing byte at offset " << first;
  }
}

TEST_F(AdventureTool, TheSourceReadsLikeTheLevels) {
  std::string source = WriteAdventureSource(*ParseAdventure(Awkward()).Value);
  EXPECT_NE(source.find("[Adventure]\nTitle = \"Dobrodružství \\\"q\\\" \\\\ \\x81\\x07\""),
            std::string::npos)
      << source.substr(0, 600);
  EXPECT_NE(source.find("Author.Length = 200"), std::string::npos);
  EXPECT_NE(source.find("ReservedAfterLastLevel = FE 00"), std::string::npos);
  EXPECT_NE(source.find("[Level 1]\nTitle = \"Level 1\""), std::string::npos);
  EXPECT_NE(source.find("NextElements = 3"), std::string::npos);
  EXPECT_NE(source.find("Elements = 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1"), std::string::npos);
  EXPECT_NE(source.find("Cell 4 4 = 77"), std::string::npos);
  EXPECT_NE(source.find("Kind 4 5 = 200"), std::string::npos);
  EXPECT_NE(source.find("[Level 70]"), std::string::npos) << "a level beyond the last is kept";
  EXPECT_EQ(source.find("[Level 69]"), std::string::npos) << "empty unplayed levels are left out";
  EXPECT_NE(source.find("1 = 500 \"Šarka\"\n1.Unused = 3\n1.Name.Rest = "), std::string::npos);
  EXPECT_NE(source.find("2 = -7 \"\""), std::string::npos);
  EXPECT_NE(source.find("3.Name.Length = 60"), std::string::npos);

  // Level 1's board: 30 rows of 30 cells, the entry mark in row 1, Edge on the rims.
  size_t at = source.find("Board =", source.find("[Level 1]"));
  ASSERT_NE(at, std::string::npos);
  std::istringstream rows(source.substr(source.find('\n', at) + 1));
  std::vector<std::string> lines;
  for (int i = 0; i < 30; ++i) {
    std::string line;
    std::getline(rows, line);
    lines.push_back(line);
  }
  EXPECT_EQ(lines[0], "#------------@---------------#");
  EXPECT_EQ(lines[28], "#----------------------------#");
  EXPECT_EQ(lines[29], std::string(30, '#'));
}

TEST_F(AdventureTool, ADesignerWrittenSourcePacksAtTheOffsets) {
  std::string board;
  for (int y = 1; y <= 30; ++y) {
    std::string row(30, '-');
    row[0] = row[29] = '#';
    if (y == 30) row = std::string(30, '#');
    if (y == 1) row[9] = '@';
    if (y == 20) row[4] = 'A';
    board += row + "\n";
  }
  fs::create_directories(dir / "mine");
  WriteText(dir / "mine" / kSourceFileName,
            "# my first adventure\n"
            "[Adventure]\nTitle = \"Žluťoučký kůň\"\nAuthor = \"Me\"\nLastLevelIndex = 0\n\n"
            "[Level 1]\nTitle = \"One\"\nLevelType = 1  # bonus\nTimeToFinish = 90\n"
            "EntryColumn = 10\nEntryRow = 1\nLinesToIncreaseSpeed = 4\n"
            "Elements = 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 2\n"
            "Specials = 0 0 0 0 0 0 0 0 0 0 0 1\nBoard =\n" +
                board + "\n[HighScores]\n1 = 70 \"Ann\"\n");
  ToolRun pack = Tool({"pack", (dir / "mine").string(), (dir / "mine.paf").string()});
  ASSERT_EQ(pack.Code, 0) << pack.Err;
  EXPECT_EQ(pack.Err, "") << "a sound level gives no warning";
  std::vector<uint8_t> b = ReadBytes(dir / "mine.paf");
  ASSERT_EQ(b.size(), kPafSize);
  EXPECT_EQ(b[0], 13);
  EXPECT_EQ(b[1], 0x8E) << "Ž in code page 1250";
  EXPECT_EQ(b[113], 0);
  size_t l1 = LevelAt(1);
  EXPECT_EQ(b[l1], 3);
  EXPECT_EQ(b[l1 + 31], 1);
  EXPECT_EQ(GetI32(b, l1 + 48), 90);
  EXPECT_EQ(GetI32(b, l1 + 40), 4);
  EXPECT_EQ(b[l1 + 52], 10);
  EXPECT_EQ(b[CellAt(1, 10, 1)], 19);
  EXPECT_EQ(b[CellAt(1, 5, 20)], 5);
  EXPECT_EQ(b[CellAt(1, 1, 7)], 3);
  EXPECT_EQ(b[CellAt(1, 2, 7)], 1);
  EXPECT_EQ(b[l1 + 1856], 1);
  EXPECT_EQ(b[l1 + 1873], 2);
  EXPECT_EQ(b[l1 + 1885], 1);
  EXPECT_EQ(b[EntryAt(1)], 3);
  EXPECT_EQ(GetI32(b, EntryAt(1) + 32), 70);
  for (size_t i = LevelAt(2); i < 189316; ++i) ASSERT_EQ(b[i], 0) << "offset " << i;
}

TEST_F(AdventureTool, SourceErrorsNameTheLine) {
  struct Bad {
    std::string Text;
    std::string Words;
  };
  std::string row(30, '-');
  std::string board;
  for (int i = 0; i < 30; ++i) board += row + "\n";
  const Bad bads[] = {
      {"Title = \"x\"\n", "line 1: a field before the first [section]"},
      {"[Adventure]\nColour = 3\n", "line 2: unknown field Colour"},
      {"[Adventure]\nLastLevelIndex = 300\n", "line 2: 300 is outside 0..255"},
      {"[Adventure]\nLastLevelIndex = 3\nLastLevelIndex = 4\n", "line 3: LastLevelIndex is given twice"},
      {"[Adventure]\nTitle = \"" + std::string(31, 'x') + "\"\n", "line 2: the text is longer than 30"},
      {"[Adventure]\nTitle = \"日本\"\n", "line 2: '日' has no code page 1250 character"},
      {"[Adventure]\nTitle = \"open\n", "no closing quote"},
      {"[Level 101]\n", "line 1: 101 is outside 1..100"},
      {"[Level 1]\nElements = 1 1\n", "line 2: Elements needs 18 numbers"},
      {"[Level 1]\nBoard =\n" + row + "\n" + row + "-\n" + board.substr(0, 28 * 31),
       "line 4: a grid line needs exactly 30 characters, not 31"},
      {"[Level 1]\nBoard =\n" + board.substr(0, 5 * 31) + "#---X" + row.substr(5) + "\n" +
           board.substr(6 * 31),
       "line 8: 'X' is no cell character"},
      {"[Level 1]\nBoard =\n?" + board.substr(1), "line 3: '?' at column 1 needs a 'Cell 1 1 = value' line"},
      {"[Level 1]\nBoard =\n" + board.substr(0, 10 * 31), "line 3: the board of level 1 has 10 rows; it needs 30"},
      {"[HighScores]\n61 = 5 \"x\"\n", "line 2: 61 is outside 1..60"},
      {"[HighScores]\n1 = 5\n", "line 2: expected 'N = score \"name\"'"},
      {"[Adventure]\n[Adventure]\n", "line 2: [Adventure] is given twice"},
  };
  for (const Bad& bad : bads) {
    Parsed<AdventureRecord> parsed = ReadAdventureSource(bad.Text);
    EXPECT_FALSE(parsed) << bad.Words;
    EXPECT_NE(parsed.Error.find(bad.Words), std::string::npos)
        << "expected '" << bad.Words << "', got '" << parsed.Error << "'";
  }
  fs::create_directories(dir / "bad");
  WriteText(dir / "bad" / kSourceFileName, "[Adventure]\nColour = 3\n");
  ToolRun pack = Tool({"pack", (dir / "bad").string(), (dir / "bad.paf").string()});
  EXPECT_EQ(pack.Code, 2);
  EXPECT_NE(pack.Err.find("line 2"), std::string::npos) << pack.Err;
  EXPECT_FALSE(fs::exists(dir / "bad.paf")) << "nothing is written from a broken source";
}

TEST_F(AdventureTool, CheckListsProblemsAndSetsTheExitCode) {
  WriteBytes(dir / "good.paf", GoodAdventure("Good", 4));
  ToolRun good = Tool({"check", (dir / "good.paf").string()});
  EXPECT_EQ(good.Code, 0) << good.Out;
  EXPECT_NE(good.Out.find("no problems in 4 level(s)"), std::string::npos) << good.Out;

  std::vector<uint8_t> b = GoodAdventure("Bad", 4);
  b[LevelAt(2) + 37] = 6;
  b[CellAt(4, 30, 12)] = 1;
  b[LevelAt(3) + 34] = 1;
  for (int k = 0; k < 12; ++k) b[LevelAt(3) + 1874 + k] = 0;
  WriteBytes(dir / "bad.paf", b);
  ToolRun bad = Tool({"check", (dir / "bad.paf").string()});
  EXPECT_EQ(bad.Code, 1);
  EXPECT_NE(bad.Out.find("Level 2, NextElements: 6 is above 4"), std::string::npos) << bad.Out;
  EXPECT_NE(bad.Out.find("Level 3, Specials:"), std::string::npos) << bad.Out;
  EXPECT_NE(bad.Out.find("Level 4, Board: no Edge around the playing area: elements could leave "
                         "the board at (30, 12)"),
            std::string::npos)
      << bad.Out;
  EXPECT_NE(bad.Out.find("3 problem(s)"), std::string::npos) << bad.Out;

  WriteBytes(dir / "short.paf", std::vector<uint8_t>(500, 0));
  ToolRun cut = Tool({"check", (dir / "short.paf").string()});
  EXPECT_EQ(cut.Code, 2);
  EXPECT_NE(cut.Err.find("500 bytes"), std::string::npos) << cut.Err;
  EXPECT_EQ(Tool({"check", (dir / "missing.paf").string()}).Code, 2);
  EXPECT_EQ(Tool({"check", dir.string()}).Code, 2) << "a folder is not a file";
}

TEST_F(AdventureTool, HelpUsageAndFailedWrites) {
  ToolRun help = Tool({"--help"});
  EXPECT_EQ(help.Code, 0);
  for (const char* word : {"unpack FILE.paf DIR", "pack DIR FILE.paf", "check FILE.paf", "Board =",
                           "EntryMark", "[HighScores]", "docs/adventure-format.md"}) {
    EXPECT_NE(help.Out.find(word), std::string::npos) << word;
  }
  EXPECT_EQ(Tool({}).Code, 2);
  EXPECT_EQ(Tool({"pack", "only-one"}).Code, 2);
  EXPECT_EQ(Tool({"explode", "a", "b"}).Code, 2);

  WriteBytes(dir / "a.paf", GoodAdventure("A", 1));
  ASSERT_EQ(Tool({"unpack", (dir / "a.paf").string(), (dir / "src").string()}).Code, 0);
  WriteBytes(dir / "b.paf", GoodAdventure("Old", 1));
  fs::create_directories(dir / ".b.paf.saving" / "x");
  ToolRun pack = Tool({"pack", (dir / "src").string(), (dir / "b.paf").string()});
  EXPECT_EQ(pack.Code, 2);
  EXPECT_FALSE(pack.Err.empty());
  EXPECT_EQ(ReadBytes(dir / "b.paf"), GoodAdventure("Old", 1)) << "the old file stays whole";
}

// The messages a level designer meets while writing a source by hand.
TEST_F(AdventureTool, DesignerMessages) {
  std::string board;
  for (int y = 1; y <= 30; ++y) board += (y == 1 ? "#@" + std::string(27, '-') : "#" + std::string(28, '-')) + "#\n";
  const std::string head = "[Adventure]\nLastLevelIndex = 2\n[Level 3]\nEntryColumn = 2\n";
  // A byte-order mark reads as nothing; a number for a cell the grid already gives is a warning.
  fs::create_directories(dir / "bom");
  WriteText(dir / "bom" / kSourceFileName, "\xEF\xBB\xBF" + head + "Cell 5 6 = 2\nBoard =\n" + board);
  ToolRun bom = Tool({"pack", (dir / "bom").string(), (dir / "bom.paf").string()});
  EXPECT_EQ(bom.Code, 0) << bom.Err;
  EXPECT_NE(bom.Err.find("line 5: Cell 5 6 = 2 overrides the grid's '-'"), std::string::npos) << bom.Err;
  EXPECT_EQ(ReadBytes(dir / "bom.paf")[CellAt(3, 5, 6)], 2);

  const std::string rows29 = board.substr(31);
  std::string commented = board;
  commented.insert(5 * 31 + 30, "  # a ledge");
  for (const auto& [text, words] :
       {std::pair{head + "Board =\n" + rows29 + "[HighScores]\n", "the board of level 3 has 29 rows; it needs 30"},
        std::pair{head + "Board =\n" + commented, "line 11: grid rows take no comments"}}) {
    Parsed<AdventureRecord> parsed = ReadAdventureSource(text);
    EXPECT_NE(parsed.Error.find(words), std::string::npos) << "expected '" << words << "', got '" << parsed.Error << "'";
  }

  ToolRun few = Tool({"unpack", (dir / "bom.paf").string()});
  EXPECT_EQ(few.Code, 2);
  EXPECT_NE(few.Err.find("Usage:"), std::string::npos) << few.Err;
  ToolRun nowhere = Tool({"pack", (dir / "bom").string(), (dir / "no-such" / "x.paf").string()});
  EXPECT_EQ(nowhere.Code, 2);
  EXPECT_NE(nowhere.Err.find("there is no folder " + (dir / "no-such").string()), std::string::npos) << nowhere.Err;

  // Unpacking over a source the designer may have edited needs --force.
  const std::vector<uint8_t> edited = ReadBytes(dir / "bom" / kSourceFileName);
  ToolRun again = Tool({"unpack", (dir / "bom.paf").string(), (dir / "bom").string()});
  EXPECT_EQ(again.Code, 2);
  EXPECT_NE(again.Err.find("--force"), std::string::npos) << again.Err;
  EXPECT_EQ(ReadBytes(dir / "bom" / kSourceFileName), edited);
  EXPECT_EQ(Tool({"unpack", (dir / "bom.paf").string(), (dir / "bom").string(), "--force"}).Code, 0);
  EXPECT_NE(ReadBytes(dir / "bom" / kSourceFileName), edited);

  std::vector<uint8_t> b = GoodAdventure("Scores", 1);
  PutScore(b, 1, "A", 100);
  PutScore(b, 2, "B", 300);
  PutScore(b, 4, "D", 50);
  WriteBytes(dir / "scores.paf", b);
  ToolRun check = Tool({"check", (dir / "scores.paf").string()});
  EXPECT_EQ(check.Code, 1);
  EXPECT_NE(check.Out.find("HighScores, 2: score 300 is above place 1's 100"), std::string::npos) << check.Out;
  EXPECT_NE(check.Out.find("HighScores, 4: follows the empty place 3"), std::string::npos) << check.Out;
}

TEST_F(AdventureTool, ProveTellsAWinnableLevelFromAnUnwinnableOne) {
  AdventureRecord adventure = MakeTestAdventure(2);
  adventure.Levels[1] = MakeShaftLevel(false);
  adventure.Levels[2] = MakeShaftLevel(true);  // no laser beams: the shaft stays shut
  WriteBytes(dir / "shafts.paf", SerialiseAdventure(adventure));
  const std::string paf = (dir / "shafts.paf").string();
  ToolRun one = Tool({"prove", paf, "--level", "1", "--seeds", "2"}, PLUMIX_GAME_DIR);
  EXPECT_EQ(one.Code, 0) << one.Out << one.Err;
  EXPECT_NE(one.Out.find("Shaft"), std::string::npos) << one.Out;
  EXPECT_NE(one.Out.find("2/2  won  in    1 elements"), std::string::npos) << one.Out;
  EXPECT_NE(one.Out.find("lines   4"), std::string::npos) << one.Out;
  ToolRun both = Tool({"prove", paf}, PLUMIX_GAME_DIR);
  EXPECT_EQ(both.Code, 1) << both.Out << both.Err;
  EXPECT_NE(both.Out.find("Capped Shaft                   0/3  lost"), std::string::npos) << both.Out;
  EXPECT_NE(both.Out.find("1 of 2 level(s) won at least once"), std::string::npos) << both.Out;
  EXPECT_EQ(Tool({"prove", paf, "--level", "3"}).Code, 2);
  EXPECT_EQ(Tool({"prove", paf, "--seeds"}).Code, 2);
}

}  // namespace
}  // namespace plumix
