// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/board.h"
#include "engine/lines.h"
#include "support/harness.h"
#include "support/probes.h"

namespace plumix {
namespace {

using testing::Harness;
using testing::CountSounds;
using testing::MakeTestAdventure;
using testing::MakeTestLevel;

// Blocks of one kind across columns 2..29 of row y, except the given columns.
void FillRow(BoardGrid& board, int y, uint8_t kind, std::initializer_list<int> holes = {}) {
  for (int x = 2; x <= 29; ++x) {
    if (std::find(holes.begin(), holes.end(), x) == holes.end()) board[x][y] = Cell{kBlock, kind};
  }
}

TEST(RowTest, OpenCellsOtherThanEmptyNeitherFillNorSpoilARow) {
  LevelRecord level = MakeTestLevel();
  BoardGrid& b = level.Board;
  FillRow(b, 10, 3, {4, 5, 6});
  b[4][10].Code = kPassage;
  b[5][10].Code = kVoid;
  b[6][10].Code = kEntryMark;
  EXPECT_TRUE(RowIsFull(b, 10)) << "passage, void, edge and entry mark around blocks";
  b[7][10] = Cell{9, 2};  // a special
  EXPECT_TRUE(RowIsFull(b, 10));
  b[8][10].Code = kEmpty;
  EXPECT_FALSE(RowIsFull(b, 10)) << "one empty cell";
  EXPECT_FALSE(RowIsFull(b, 30)) << "a row of edges alone";
  for (int x = 2; x <= 29; ++x) b[x][12].Code = x % 2 ? kPassage : kVoid;
  EXPECT_FALSE(RowIsFull(b, 12)) << "open cells without a block";
  b[15][12] = Cell{12, 0};
  EXPECT_TRUE(RowIsFull(b, 12)) << "a lone special fills a row of passages";
}

TEST(ClearFullRows, TwoRowsWithAGapBetweenFallEachInTheirOwnSlot) {
  LevelRecord level = MakeTestLevel();
  BoardGrid& b = level.Board;
  FillRow(b, 27, 2);
  FillRow(b, 28, 5, {5});
  FillRow(b, 29, 7);
  b[10][26] = Cell{kBlock, 3};
  b[11][26] = Cell{6, 4};  // a special resting on row 27
  PlayState play;
  play.LinesLeft = 10;
  ClearFullRows(play, level, 90);
  EXPECT_TRUE(play.LineScanDone);
  EXPECT_EQ(play.LinesCleared, 2);
  EXPECT_EQ(play.LinesLeft, 8);
  const ClearedRowsRecord& cleared = play.ClearedRows;
  EXPECT_EQ(cleared.Rows[4], 27);
  EXPECT_EQ(cleared.Rows[3], 29);
  EXPECT_EQ(cleared.Rows[2], 0);
  EXPECT_EQ(cleared.Cells[2][4], 2);
  EXPECT_EQ(cleared.Cells[29][3], 7);
  // Row 28 came down into row 29, its hole too; blocks keep their colour.
  for (int x = 2; x <= 29; ++x) {
    EXPECT_EQ(b[x][29].Code, x == 5 ? kEmpty : kBlock) << "column " << x;
    if (x != 5) {
      EXPECT_EQ(b[x][29].Kind, 5) << "column " << x;
    }
  }
  // What lay on row 27 came down twice: to 27, then to 28.
  EXPECT_EQ(b[10][28], (Cell{kBlock, 3})) << "a fallen block keeps its kind";
  EXPECT_EQ(b[11][28], (Cell{6, 4})) << "a special keeps the kind it replaced";
  for (int x = 2; x <= 29; ++x) {
    for (int y = 1; y <= 27; ++y) ASSERT_NE(b[x][y].Code, kBlock) << x << "," << y;
  }
  EXPECT_EQ(b[1][29].Code, kEdge);
}

TEST(ClearFullRows, CellsOnAWallStayAndWallsNeverMove) {
  LevelRecord level = MakeTestLevel();
  BoardGrid& b = level.Board;
  b[5][25] = Cell{kEdge, 0};
  b[5][24] = Cell{kBlock, 4};
  b[6][25] = Cell{kPassage, 0};
  b[6][24] = Cell{kBlock, 4};
  b[7][26] = Cell{kBlock, 4};
  FillRow(b, 29, 1);
  PlayState play;
  ClearFullRows(play, level, 90);
  EXPECT_EQ(b[5][25].Code, kEdge);
  EXPECT_EQ(b[5][24].Code, kBlock) << "a block resting on a wall";
  EXPECT_EQ(b[6][25].Code, kPassage);
  EXPECT_EQ(b[6][24].Code, kBlock) << "a block resting on a passage";
  EXPECT_EQ(b[7][26].Code, kEmpty);
  EXPECT_EQ(b[7][27].Code, kBlock) << "a free block comes down one row";
}

TEST(ClearFullRows, AFifthFullRowIsRemovedAndCountedWithoutASlot) {
  LevelRecord level = MakeTestLevel();
  for (int y = 25; y <= 29; ++y) FillRow(level.Board, y, static_cast<uint8_t>(y - 20));
  PlayState play;
  play.LinesLeft = 3;
  ClearFullRows(play, level, 90);
  EXPECT_EQ(play.LinesCleared, 5);
  EXPECT_EQ(play.LinesLeft, -2);
  const auto& rows = play.ClearedRows.Rows;
  EXPECT_EQ(rows[4], 25);
  EXPECT_EQ(rows[3], 26);
  EXPECT_EQ(rows[2], 27);
  EXPECT_EQ(rows[1], 28);
  EXPECT_EQ(play.ClearedRows.Cells[10][1], 8);
  for (int x = 2; x <= 29; ++x) {
    for (int y = 2; y <= 29; ++y) ASSERT_EQ(level.Board[x][y].Code, kEmpty) << x << "," << y;
  }
}

TEST(ClearFullRows, AKindByteThatLooksLikeAnItemIsRecordedAsABlock) {
  LevelRecord level = MakeTestLevel();
  FillRow(level.Board, 29, 105);  // kind bytes are not checked on the board
  level.Board[3][29] = Cell{11, 0};
  PlayState play;
  ClearFullRows(play, level, 90);
  EXPECT_EQ(play.ClearedRows.Cells[2][4], 1);
  EXPECT_EQ(play.ClearedRows.Cells[3][4], 111) << "the special's item code";
}

TEST(ClearFullRows, TheSpeedRisesAtTheFirstOfEveryStepOfLines) {
  LevelRecord level = MakeTestLevel();
  level.LinesToFinish = 20;
  level.LinesToIncreaseSpeed = 5;
  level.MaximalSpeed = 9;
  PlayState play;
  play.LinesLeft = 20;
  play.Speed = 0;
  std::vector<int> risesAt, intervals;
  for (int line = 1; line <= 22; ++line) {
    FillRow(level.Board, 29, 1);
    const int before = play.Speed;
    ClearFullRows(play, level, 90);
    ASSERT_EQ(play.LinesCleared, line);
    if (play.Speed != before) {
      risesAt.push_back(line);
      intervals.push_back(play.FallInterval);
    }
  }
  EXPECT_EQ(risesAt, (std::vector<int>{1, 6, 11, 16}));
  EXPECT_EQ(intervals, (std::vector<int>{45, 30, 22, 18})) << "90 frames over speed + 1";
  EXPECT_EQ(play.Speed, 4);

  level.MaximalSpeed = 2;
  play = PlayState{};
  play.LinesLeft = 20;
  for (int line = 1; line <= 20; ++line) {
    FillRow(level.Board, 29, 1);
    ClearFullRows(play, level, 90);
  }
  EXPECT_EQ(play.Speed, 2) << "never above MaximalSpeed";

  level.LinesToIncreaseSpeed = 0;
  play = PlayState{};
  play.LinesLeft = 20;
  FillRow(level.Board, 29, 1);
  ClearFullRows(play, level, 90);
  EXPECT_EQ(play.Speed, 0) << "a step of 0 lines never raises the speed";
  EXPECT_EQ(play.LinesLeft, 19);
}

TEST(ClearFullRows, ABoardFullToTheTopNeedsASecondPass) {
  LevelRecord level = MakeTestLevel();
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) level.Board[x][y] = Cell{kBlock, 2};
  }
  PlayState play;
  ClearFullRows(play, level, 90);
  EXPECT_FALSE(play.LineScanDone);
  EXPECT_EQ(play.LinesCleared, 30);
  ClearFullRows(play, level, 90);
  EXPECT_TRUE(play.LineScanDone);
  EXPECT_EQ(play.LinesCleared, 30);
}

class ResolveLinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.StartLevel(MakeTestAdventure(), 1);
    game().Adv.Score = 0;
    game().Adv.LevelScores = {};
  }
  TMain& game() { return h.Game(); }
  BoardGrid& board() { return PlayLevel(game()).Board; }
  void FullRows(int count) {
    for (int i = 0; i < count; ++i) FillRow(board(), 29 - i, 1);
  }
  int Resolve(int rows) {
    FullRows(rows);
    const int before = game().Adv.Score;
    ResolveLines(game());
    EXPECT_EQ(game().Adv.LevelScores[1], game().Adv.Score) << "score and level score move together";
    return game().Adv.Score - before;
  }
  Harness h;
};

TEST_F(ResolveLinesTest, RowsScoreFiftyAndStartTheAnimation) {
  EXPECT_EQ(Resolve(0), 0);
  EXPECT_FALSE(game().Play.ClearedRows.Active);
  EXPECT_EQ(game().Play.ClearedRows.Countdown, 25);
  EXPECT_EQ(Resolve(2), 100);
  EXPECT_TRUE(game().Play.ClearedRows.Active);
  EXPECT_EQ(CountSounds(game(), "Drop_Lines"), 1);
  EXPECT_EQ(Resolve(3), 150) << "no bonus while the mode is off";
}

TEST_F(ResolveLinesTest, TheLevelBeingPlayedGetsThePoints) {
  h.StartLevel(MakeTestAdventure(3), 3);
  game().Adv.LevelScores = {};
  FullRows(1);
  ResolveLines(game());
  EXPECT_EQ(game().Adv.LevelScores[3], 50);
  EXPECT_EQ(game().Adv.LevelScores[1], 0);
}

TEST_F(ResolveLinesTest, TheBonusModeDoublesTheFirstClearOfEachSize) {
  EXPECT_EQ(Resolve(4), 200) << "the clear that opens the mode scores single";
  EXPECT_TRUE(game().Plumix.PlumixMode);
  EXPECT_EQ(CountSounds(game(), "PlumixModeEnabled"), 1);
  const MessageSlot& newest = game().Panels.MessageSlots[5];
  EXPECT_EQ(newest.Line1, "PLUMIX mode.");
  EXPECT_EQ(newest.Color, kAqua);
  EXPECT_EQ(Resolve(1), 100);
  EXPECT_EQ(game().Panels.MessageSlots[5].Line1, "Fireworks");
  EXPECT_EQ(Resolve(1), 50) << "a second one-line clear in the same cycle";
  EXPECT_EQ(Resolve(4), 400);
  EXPECT_EQ(game().Panels.MessageSlots[5].Line1, "Four fireworks");
  EXPECT_EQ(Resolve(4), 200);
  EXPECT_EQ(Resolve(3), 300);
  EXPECT_EQ(Resolve(5), 250) << "five rows are no reward size";
  EXPECT_TRUE(game().Plumix.Earned[1] && game().Plumix.Earned[3] && game().Plumix.Earned[4]);
  EXPECT_FALSE(game().Plumix.Earned[2]);
}

TEST_F(ResolveLinesTest, AFourRowClearReRollsTheRockets) {
  for (int i = 1; i <= kRocketSlots; ++i) {
    game().Plumix.Rockets[i].BurstKind = 99;
    game().Plumix.Rockets[i].Counter = 5;
  }
  Resolve(4);
  for (int i = 1; i <= kRocketSlots; ++i) {
    const RocketSlot& slot = game().Plumix.Rockets[i];
    ASSERT_GE(slot.BurstKind, 1);
    ASSERT_LE(slot.BurstKind, 16);
    ASSERT_EQ(slot.Counter, -1);
    ASSERT_EQ(slot.Delay, -1);
  }
}

TEST_F(ResolveLinesTest, DamageMirrorsAtRandomAndInvertsTheColoursInTurn) {
  game().Specials.DamageLevel = 3;
  Resolve(0);
  EXPECT_TRUE(game().Specials.NegativeColours);
  EXPECT_EQ(CountSounds(game(), "Negative"), 1);
  Resolve(0);
  EXPECT_FALSE(game().Specials.NegativeColours) << "level 3 alternates Negative and Default";
  const int soundsBefore = CountSounds(game(), "Mirror_Playfield");
  int mirrors = 0;
  for (int i = 0; i < 20; ++i) {
    const bool before = game().Specials.BoardMirrored;
    Resolve(0);
    mirrors += game().Specials.BoardMirrored != before;
  }
  EXPECT_EQ(CountSounds(game(), "Mirror_Playfield") - soundsBefore, mirrors);
  EXPECT_GT(mirrors, 2);
  EXPECT_LT(mirrors, 20);
  game().Specials = SpecialsState{};
  const BoardGrid before = board();
  Resolve(0);
  EXPECT_EQ(board(), before) << "no damage, no mirror";
}

TEST(MirrorBoard, TwiceRestoresEverythingButTheEntryRow) {
  LevelRecord level = MakeTestLevel();
  level.EntryColumn = 5;
  level.EntryRow = 2;
  level.Board[14][1].Code = kEmpty;
  level.Board[5][2].Code = kEntryMark;
  level.Board[3][20] = Cell{kBlock, 6};
  level.Board[4][7] = Cell{kPassage, 0};
  level.Board[9][2] = Cell{kBlock, 2};
  PlayState play;
  play.ElementQueue[0].X = 5;
  play.ElementQueue[0].Y = 2;
  SpecialsState specials;
  const LevelRecord original = level;

  MirrorBoard(play, level, specials);
  EXPECT_EQ(level.EntryColumn, 23);
  EXPECT_EQ(play.ElementQueue[0].X, 23) << "the falling element moves with the entry";
  EXPECT_EQ(play.ElementQueue[0].Y, 2);
  EXPECT_TRUE(specials.BoardMirrored);
  EXPECT_EQ(level.Board[28][20], (Cell{kBlock, 6}));
  EXPECT_EQ(level.Board[27][7].Code, kPassage);
  EXPECT_EQ(level.Board[23][2].Code, kEntryMark);
  EXPECT_EQ(level.Board[26][2].Code, kEntryMark) << "the old mark, mirrored";

  MirrorBoard(play, level, specials);
  EXPECT_EQ(level.EntryColumn, 5);
  EXPECT_FALSE(specials.BoardMirrored);
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      if (y == 2) continue;
      ASSERT_EQ(level.Board[x][y], original.Board[x][y]) << x << "," << y;
    }
  }
  // In the entry row the clearing and marking acted twice: a second mark
  // stands at the box's right column.
  for (int x = 1; x <= kBoardSize; ++x) {
    const Cell expected = x == 8 ? Cell{kEntryMark, 0} : original.Board[x][2];
    EXPECT_EQ(level.Board[x][2], expected) << "column " << x;
  }
}

TEST(MirrorBoard, AnEntryPastColumn28StopsAtTheEdge) {
  LevelRecord level = MakeTestLevel();
  level.EntryColumn = 30;
  level.EntryRow = 40;  // outside the grid: no cell is touched for it
  PlayState play;
  SpecialsState specials;
  MirrorBoard(play, level, specials);
  EXPECT_EQ(level.EntryColumn, 0);
  EXPECT_EQ(play.ElementQueue[0].X, 0);
}

}  // namespace
}  // namespace plumix
