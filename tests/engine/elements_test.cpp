// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/elements.h"
#include "engine/moves.h"

namespace plumix {
namespace {

// The kind table as the designers drew it: rows from the top, '#' occupied.
struct KindPictures {
  int Cells;
  std::vector<std::string> States;
};
const KindPictures kTable[kKindCount + 1] = {
    {},
    {4, {".#.. / .#.. / .#.. / .#..", ".... / #### / .... / ...."}},
    {4, {".#.. / .#.. / .##. / ....", "..#. / ###. / .... / ....", ".##. / ..#. / ..#. / ....",
         "###. / #... / .... / ...."}},
    {4, {"..#. / ..#. / .##. / ....", "###. / ..#. / .... / ....", ".##. / .#.. / .#.. / ....",
         "#... / ###. / .... / ...."}},
    {4, {".##. / .##. / .... / ...."}},
    {4, {".#.. / ###. / .... / ....", ".#.. / ##.. / .#.. / ....", "###. / .#.. / .... / ....",
         ".#.. / .##. / .#.. / ...."}},
    {4, {".#.. / .##. / ..#. / ....", ".##. / ##.. / .... / ...."}},
    {4, {"..#. / .##. / .#.. / ....", ".##. / ..## / .... / ...."}},
    {1, {".#.. / .... / .... / ...."}},
    {2, {".#.. / .#.. / .... / ....", ".##. / .... / .... / ...."}},
    {3, {".#.. / .#.. / .#.. / ....", ".... / ###. / .... / ...."}},
    {5, {".#.. / ###. / .#.. / ...."}},
    {6, {".#.. / ###. / #.#. / ....", ".##. / ##.. / .##. / ....", "#.#. / ###. / .#.. / ....",
         "##.. / .##. / ##.. / ...."}},
    {5, {"##.. / .#.. / .##. / ....", "..#. / ###. / #... / ...."}},
    {5, {".##. / .#.. / ##.. / ....", "#... / ###. / ..#. / ...."}},
    {3, {".#.. / .##. / .... / ....", "..#. / .##. / .... / ....", ".##. / ..#. / .... / ....",
         ".##. / .#.. / .... / ...."}},
    {5, {"#.#. / ###. / .... / ....", ".##. / ..#. / .##. / ....", "###. / #.#. / .... / ....",
         ".##. / .#.. / .##. / ...."}},
    {5, {".##. / ##.. / #... / ....", "#... / ##.. / .##. / ....", "..#. / .##. / ##.. / ....",
         "##.. / .##. / ..#. / ...."}},
    {5, {".#.. / .#.. / ###. / ....", "..#. / ###. / ..#. / ....", "###. / .#.. / .#.. / ....",
         "#... / ###. / #... / ...."}},
};

// "##.. / .#.. / ..." as 16 cells in the order column * 4 + row.
std::string ShapeOfPicture(const std::string& picture) {
  std::string rows;
  for (char c : picture) {
    if (c == '#' || c == '.') rows += c;
  }
  std::string shape(16, '.');
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) shape[c * 4 + r] = rows[r * 4 + c];
  }
  return shape;
}

std::string ShapeText(const ElementRecord& e) {
  std::string shape(16, '.');
  for (int i = 0; i < 16; ++i) shape[i] = e.Shape[i] ? '#' : '.';
  return shape;
}

TEST(ElementKinds, EveryStatePictureMatchesTheKindTable) {
  for (int kind = 1; kind <= kKindCount; ++kind) {
    const KindPictures& expected = kTable[kind];
    ASSERT_EQ(KindInfo(kind).States, static_cast<int>(expected.States.size())) << "kind " << kind;
    for (int state = 1; state <= KindInfo(kind).States; ++state) {
      ElementRecord e;
      SetShape(e, kind, state);
      EXPECT_EQ(ShapeText(e), ShapeOfPicture(expected.States[state - 1]))
          << "kind " << kind << " state " << state;
      int cells = 0;
      for (uint8_t cell : e.Shape) cells += cell;
      EXPECT_EQ(cells, expected.Cells) << "kind " << kind << " state " << state;
    }
  }
}

TEST(ElementKinds, AFullCycleOfTurnsReturnsToStateOne) {
  BoardGrid open{};
  for (auto& column : open) column.fill(Cell{kEmpty, 0});
  for (int kind = 1; kind <= kKindCount; ++kind) {
    PlayState play;
    play.CurrentType = static_cast<uint8_t>(kind);
    play.RotationState = 1;
    play.ElementQueue[0].X = 10;
    play.ElementQueue[0].Y = 10;
    SetShape(play.ElementQueue[0], kind, 1);
    const std::string entry = ShapeText(play.ElementQueue[0]);
    const int states = KindInfo(kind).States;
    for (int turn = 1; turn <= states; ++turn) {
      ASSERT_TRUE(CanMove(play, open, "RotateLeft")) << "kind " << kind;
      ApplyMove(play, "RotateLeft");
      if (turn < states) {
        EXPECT_EQ(play.RotationState, turn + 1) << "kind " << kind;
        EXPECT_NE(ShapeText(play.ElementQueue[0]), entry) << "kind " << kind << " turn " << turn;
      }
    }
    EXPECT_EQ(play.RotationState, 1) << "kind " << kind;
    EXPECT_EQ(ShapeText(play.ElementQueue[0]), entry) << "kind " << kind;
  }
}

TEST(ElementKinds, ABadKindByteReadsAsKindOne) {
  EXPECT_EQ(&KindInfo(0), &KindInfo(1));
  EXPECT_EQ(&KindInfo(19), &KindInfo(1));
  EXPECT_EQ(&KindInfo(255), &KindInfo(1));
  ElementRecord e;
  SetShape(e, 4, 3);  // kind 4 has one state only
  EXPECT_EQ(ShapeText(e), ShapeOfPicture(kTable[4].States[0]));
}

}  // namespace
}  // namespace plumix
