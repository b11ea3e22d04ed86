// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/elements.h"
#include "engine/moves.h"

namespace plumix {
namespace {

BoardGrid EmptyBoard() {
  BoardGrid board{};
  for (auto& column : board) column.fill(Cell{kEmpty, 0});
  return board;
}

PlayState Falling(int kind, int x, int y, int state = 1) {
  PlayState play;
  play.CurrentType = static_cast<uint8_t>(kind);
  play.RotationState = static_cast<uint8_t>(state);
  play.ElementQueue[0].Kind = static_cast<uint8_t>(kind);
  play.ElementQueue[0].X = static_cast<uint8_t>(x);
  play.ElementQueue[0].Y = static_cast<uint8_t>(y);
  SetShape(play.ElementQueue[0], kind, state);
  return play;
}

TEST(Moves, WallsBlocksSpecialsAndTheEntryMarkBlockPassagesAndVoidDoNot) {
  // Kind 8 is the single cell at box column 1, so the element sits at (X + 1, Y).
  struct Case {
    uint8_t Code;
    bool Blocks;
  };
  const Case cases[] = {{kVoid, false}, {kEmpty, false}, {kBlock, true},   {kEdge, true},
                        {kPassage, false}, {5, true},    {16, true},       {18, true},
                        {kEntryMark, true}, {200, true}};
  for (const Case& c : cases) {
    BoardGrid board = EmptyBoard();
    board[9][10].Code = c.Code;   // left of the cell at (10, 10)
    board[11][10].Code = c.Code;  // right
    board[10][11].Code = c.Code;  // below
    PlayState play = Falling(8, 9, 10);
    EXPECT_EQ(CanMove(play, board, "Left"), !c.Blocks) << "code " << int(c.Code);
    EXPECT_EQ(CanMove(play, board, "Right"), !c.Blocks) << "code " << int(c.Code);
    EXPECT_EQ(CanMove(play, board, "Down"), !c.Blocks) << "code " << int(c.Code);
  }
}

TEST(Moves, ShiftsMoveTheBoxByOneAndTestNothing) {
  BoardGrid board = EmptyBoard();
  PlayState play = Falling(5, 10, 10);
  ApplyMove(play, "Left");
  EXPECT_EQ(play.ElementQueue[0].X, 9);
  ApplyMove(play, "Right");
  ApplyMove(play, "Right");
  EXPECT_EQ(play.ElementQueue[0].X, 11);
  ApplyMove(play, "Down");
  EXPECT_EQ(play.ElementQueue[0].Y, 11);
  const ElementRecord before = play.ElementQueue[0];
  ApplyMove(play, "Up");
  ApplyMove(play, "left");
  EXPECT_EQ(play.ElementQueue[0].X, before.X);
  EXPECT_EQ(play.ElementQueue[0].Y, before.Y);
  EXPECT_EQ(play.ElementQueue[0].Shape, before.Shape);
  board[12][12].Code = kEdge;
  EXPECT_TRUE(CanMove(play, board, "Hop")) << "an unknown move always fits";
}

TEST(Moves, OneStateKindsTurnInPlace) {
  for (int kind : {4, 8, 11}) {
    BoardGrid board = EmptyBoard();
    PlayState play = Falling(kind, 10, 10);
    const auto shape = play.ElementQueue[0].Shape;
    // Walls right round the box do not matter to a turn that changes nothing.
    for (int x = 9; x <= 14; ++x) board[x][9].Code = board[x][14].Code = kEdge;
    ASSERT_TRUE(CanMove(play, board, "RotateLeft")) << "kind " << kind;
    ApplyMove(play, "RotateLeft");
    EXPECT_EQ(play.RotationState, 1);
    EXPECT_EQ(play.ElementQueue[0].Shape, shape) << "kind " << kind;
  }
}

TEST(Moves, TheLongBarNeedsItsWholeRowFreeToTurn) {
  // State 1 is column X+1, rows Y..Y+3; state 2 row Y+1, columns X..X+3.
  for (int blocked : {10, 12, 13}) {
    BoardGrid board = EmptyBoard();
    board[blocked][11].Code = kBlock;
    PlayState play = Falling(1, 10, 10);
    EXPECT_FALSE(CanMove(play, board, "RotateLeft")) << "cell " << blocked << " of row 11";
  }
  BoardGrid board = EmptyBoard();
  board[10][10].Code = kBlock;  // outside both pictures
  PlayState play = Falling(1, 10, 10);
  ASSERT_TRUE(CanMove(play, board, "RotateLeft"));
  ApplyMove(play, "RotateLeft");
  EXPECT_EQ(play.RotationState, 2);
  for (int c = 0; c < 4; ++c) EXPECT_TRUE(play.ElementQueue[0].Occupied(c, 1)) << c;
  ApplyMove(play, "RotateLeft");
  EXPECT_EQ(play.RotationState, 1) << "two states: the second turn is back at the entry shape";
  EXPECT_TRUE(play.ElementQueue[0].Occupied(1, 3));
}

TEST(Moves, ACellFilledUnderTheElementStopsTheTurn) {
  BoardGrid board = EmptyBoard();
  PlayState play = Falling(5, 10, 10);  // .#.. / ###.  then  .#.. / ##.. / .#..
  board[11][10].Code = kBlock;          // under the top cell, part of both pictures
  EXPECT_FALSE(CanMove(play, board, "RotateLeft"));
  board[11][10].Code = kEmpty;
  board[12][11].Code = kBlock;  // only in the current picture
  EXPECT_FALSE(CanMove(play, board, "RotateLeft")) << "the union of both pictures is tested";
}

TEST(Moves, CellsOutsideTheGridBlockOnEverySide) {
  BoardGrid board = EmptyBoard();  // no walls at all
  PlayState left = Falling(8, 0, 10);  // the cell at column 1
  EXPECT_FALSE(CanMove(left, board, "Left"));
  PlayState right = Falling(8, 29, 10);  // column 30
  EXPECT_FALSE(CanMove(right, board, "Right"));
  PlayState bottom = Falling(8, 10, 30);
  EXPECT_FALSE(CanMove(bottom, board, "Down"));
  // The long bar standing in column 30 cannot turn into columns 29..32.
  PlayState bar = Falling(1, 29, 5);
  EXPECT_FALSE(CanMove(bar, board, "RotateLeft"));
  // A box whose left column is empty may reach column 0, never past it.
  PlayState edge = Falling(4, 0, 10);  // .##. at columns 1 and 2
  EXPECT_FALSE(CanMove(edge, board, "Left"));
  PlayState corner = Falling(3, 0, 10);  // ..#. / ..#. / .##. : leftmost cell in column 1
  EXPECT_FALSE(CanMove(corner, board, "Left"));
}

}  // namespace
}  // namespace plumix
