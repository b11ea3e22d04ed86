// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "engine/board.h"
#include "media/draw.h"
#include "settings/themes.h"
#include "support/harness.h"

namespace plumix {
namespace {

using testing::Harness;
using testing::MakeTestAdventure;
using testing::MakeTestLevel;

TEST(ElementQueue, ASingleAllowedKindFillsEveryPosition) {
  LevelRecord level = MakeTestLevel();
  level.Elements = {};
  level.Elements[13] = 1;
  level.NextElements = 4;
  Random rng(7);
  PlayState play;
  FillElementQueue(play, level, rng, "InitNextElementTable");
  for (int k = 0; k <= 4; ++k) EXPECT_EQ(play.ElementQueue[k].Kind, 13) << "entry " << k;
  for (int i = 0; i < 20; ++i) {
    FillElementQueue(play, level, rng, "GenerateNextElement");
    for (int k = 0; k <= 4; ++k) ASSERT_EQ(play.ElementQueue[k].Kind, 13) << "entry " << k;
  }
}

TEST(ElementQueue, EveryAllowedKindComesAndNoOther) {
  LevelRecord level = MakeTestLevel();
  level.Elements = {};
  for (int k : {2, 9, 17}) level.Elements[k] = 1;
  Random rng(3);
  std::set<int> seen;
  for (int i = 0; i < 300; ++i) seen.insert(ChooseElementKind(level, rng));
  EXPECT_EQ(seen, (std::set<int>{2, 9, 17}));
}

TEST(ElementQueue, ALevelThatAllowsNoKindStillDealsElements) {
  LevelRecord level = MakeTestLevel();
  level.Elements = {};
  Random rng(3);
  std::set<int> seen;
  for (int i = 0; i < 500; ++i) seen.insert(ChooseElementKind(level, rng));
  EXPECT_EQ(seen.size(), 18u);
  EXPECT_EQ(*seen.begin(), 1);
  EXPECT_EQ(*seen.rbegin(), 18);
}

TEST(ElementQueue, TheFirstNextElementEntersAndTheOthersMoveUp) {
  LevelRecord level = MakeTestLevel();
  for (int k = 1; k <= kKindCount; ++k) level.Elements[k] = 1;
  level.NextElements = 3;
  level.EntryColumn = 7;
  level.EntryRow = 2;
  Random rng(11);
  PlayState play;
  FillElementQueue(play, level, rng, "InitNextElementTable");
  const int next1 = play.ElementQueue[1].Kind, next2 = play.ElementQueue[2].Kind,
            next3 = play.ElementQueue[3].Kind;
  play.RotationState = 3;
  play.ElementQueue[0].X = 20;
  FillElementQueue(play, level, rng, "GenerateNextElement");
  const ElementRecord& falling = play.ElementQueue[0];
  EXPECT_EQ(falling.Kind, next1);
  EXPECT_EQ(play.CurrentType, next1);
  EXPECT_EQ(play.RotationState, 1);
  EXPECT_EQ(falling.X, 7);
  EXPECT_EQ(falling.Y, 2);
  EXPECT_EQ(falling.Value, KindInfo(next1).Value);
  ElementRecord entryShape;
  SetShape(entryShape, next1, 1);
  EXPECT_EQ(falling.Shape, entryShape.Shape);
  EXPECT_EQ(play.ElementQueue[1].Kind, next2);
  EXPECT_EQ(play.ElementQueue[2].Kind, next3);
  for (int k = 1; k <= 3; ++k) {
    const ElementRecord& e = play.ElementQueue[k];
    EXPECT_EQ(e.X, KindInfo(e.Kind).PreviewX) << "entry " << k;
    EXPECT_EQ(e.Y, KindInfo(e.Kind).PreviewY) << "entry " << k;
  }
}

TEST(ElementQueue, NoNextElementsKeepsOnlyTheFallingOne) {
  LevelRecord level = MakeTestLevel();
  for (int k = 1; k <= kKindCount; ++k) level.Elements[k] = 1;
  level.NextElements = 0;
  Random rng(5);
  PlayState play;
  FillElementQueue(play, level, rng, "InitNextElementTable");
  play.ElementQueue[1].Kind = 3;  // left over from an earlier level
  std::set<int> kinds;
  for (int i = 0; i < 60; ++i) {
    FillElementQueue(play, level, rng, "GenerateNextElement");
    kinds.insert(play.ElementQueue[0].Kind);
    ASSERT_EQ(play.ElementQueue[0].Y, level.EntryRow);
  }
  EXPECT_GT(kinds.size(), 5u) << "a fresh random kind every time, not the spare entry's";
  EXPECT_EQ(QueuedCount(level), 0);
}

TEST(ElementQueue, NextElementsPastFourStayInsideTheQueue) {
  LevelRecord level = MakeTestLevel();
  level.NextElements = 9;
  EXPECT_EQ(QueuedCount(level), 4);
  level.NextElements = 255;
  EXPECT_EQ(QueuedCount(level), 0);
  level.NextElements = 9;
  level.Elements[5] = 1;
  Random rng(5);
  PlayState play;
  play.ElementQueue[5].Kind = 6;
  for (int i = 0; i < 10; ++i) FillElementQueue(play, level, rng, "GenerateNextElement");
  EXPECT_EQ(play.ElementQueue[5].Kind, 6) << "the spare entry is read, never written";
}

TEST(Board, CellsOutsideTheGridBlock) {
  LevelRecord level = MakeTestLevel();
  EXPECT_TRUE(Blocks(level.Board, 0, 5));
  EXPECT_TRUE(Blocks(level.Board, 31, 5));
  EXPECT_TRUE(Blocks(level.Board, 5, 0));
  EXPECT_TRUE(Blocks(level.Board, 5, 31));
  EXPECT_TRUE(Blocks(level.Board, -3, 300));
  EXPECT_FALSE(Blocks(level.Board, 5, 5));
}

bool SameAsImage(Harness& h, const ImageItem& image, int x, int y) {
  for (int dy = 0; dy < image.Height(); ++dy) {
    for (int dx = 0; dx < image.Width(); ++dx) {
      if (h.SurfacePixel(x + dx, y + dy) != image.Picture.At(dx, dy)) return false;
    }
  }
  return true;
}

TEST(DrawPlayfield, EachCodeShowsItsPicture) {
  Harness h;
  AdventureRecord adventure = MakeTestAdventure();
  h.StartLevel(adventure, 1);
  TMain& game = h.Game();
  BoardGrid& board = PlayLevel(game).Board;
  board[3][5] = Cell{kBlock, 0};   // placed by the designer: drawn as kind 1
  board[4][5] = Cell{kBlock, 7};
  board[5][5] = Cell{5, 9};        // special A
  board[6][5] = Cell{16, 9};       // special L
  board[7][5] = Cell{17, 12};      // no letter: its block
  board[8][5] = Cell{kBlock, 40};  // no such kind
  board[9][5] = Cell{kPassage, 0};
  board[10][5] = Cell{kVoid, 0};
  game.M.DXDraw.Fill(kBlack);
  DrawPlayfield(game, 112, -15, "Table");
  auto at = [](int x, int y) { return std::pair{25 * x + 112, 25 * y - 15}; };
  ImageList& tiles = game.M.DXImageListTiles;
  auto check = [&](int x, const ImageItem& image) {
    auto [px, py] = at(x, 5);
    EXPECT_TRUE(SameAsImage(h, image, px, py)) << "column " << x << " shows " << image.Name;
  };
  check(1, game.M.DXImageListEdges.Get("Edge_Solid"));
  check(3, tiles.Get("Tile_Shape1"));
  EXPECT_EQ(board[3][5].Kind, 1) << "the drawing stores kind 1 into a 0 byte";
  check(4, tiles.Get("Tile_Shape7"));
  check(5, game.M.DXImageListLetters.Get("Tile_A"));
  check(6, game.M.DXImageListLetters.Get("Tile_L"));
  check(7, tiles.Get("Tile_Shape12"));
  check(8, tiles.Get("Tile_Shape1"));
  for (int x : {2, 9, 10}) {
    auto [px, py] = at(x, 5);
    EXPECT_EQ(h.SurfacePixel(px + 12, py + 12), 0) << "column " << x << " draws nothing";
  }
  // The falling element in "Shape" mode.
  game.M.DXDraw.Fill(kBlack);
  ElementRecord& e = game.Play.ElementQueue[0];
  DrawPlayfield(game, 112, -15, "Shape");
  auto [ex, ey] = at(e.X + 1, e.Y);
  EXPECT_TRUE(SameAsImage(h, tiles.Get("Tile_Shape8"), ex, ey));
}

// The entry point shows as a gate in every edge and cube theme: its posts,
// at least two pixels wide, stand out clearly from a dark, a grey or a light
// board behind them, and nothing is drawn where there is no entry mark.
TEST(DrawPlayfield, TheEntryMarkShowsAsAGateInEveryTheme) {
  Harness h;
  h.StartLevel(MakeTestAdventure(), 1);
  TMain& game = h.Game();
  ASSERT_GE(game.Themes.EdgeCount(), 2);
  ASSERT_GE(game.Themes.CubeCount(), 2);
  const int px = 25 * 14 + 112, py = 25 * 1 - 15;
  auto visible = [](uint16_t a, uint16_t b) {
    return std::abs(Red8(a) - Red8(b)) + std::abs(Green8(a) - Green8(b)) + std::abs(Blue8(a) - Blue8(b)) >= 120;
  };
  for (int edge = 1; edge <= game.Themes.EdgeCount(); ++edge) {
    for (int cube = 1; cube <= game.Themes.CubeCount(); ++cube) {
      game.Settings.EdgeChoice = static_cast<uint8_t>(edge);
      game.Settings.CubeChoice = static_cast<uint8_t>(cube);
      ASSERT_TRUE(LoadEdge(game) && LoadCubeTheme(game));
      for (Colour night : {kBlack, Colour{0x808080}, kWhite}) {
        game.M.DXDraw.Fill(night);
        DrawPlayfield(game, 112, -15, "Table");
        const uint16_t back = ToRgb565(night);
        int posts = 0;
        for (int dy = 4; dy < 25; ++dy) {
          int seen = 0;
          for (int dx = 0; dx <= 3; ++dx) seen += visible(h.SurfacePixel(px + dx, py + dy), back);
          posts += seen >= 2;
        }
        EXPECT_EQ(posts, 21) << "edge " << edge << ", cube " << cube << " on " << night;
        EXPECT_EQ(h.SurfacePixel(px + 12, py + 12), back) << "the gate's opening stays clear";
        EXPECT_EQ(h.SurfacePixel(px + 25 + 1, py + 12), back) << "beside the gate nothing is drawn";
      }
    }
  }
}

TEST(DrawPlayfield, NextElementsSitInTheirSlotsAndNoneAreDrawnForZero) {
  Harness h;
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].Elements = {};
  adventure.Levels[1].Elements[4] = 1;  // .##. / .##. with preview offset (0, 2)
  adventure.Levels[1].NextElements = 2;
  h.StartLevel(adventure, 1);
  TMain& game = h.Game();
  const ImageItem& tile = game.M.DXImageListTiles.Get("Tile_Shape4");
  game.M.DXDraw.Fill(kBlack);
  DrawNextElements(game, -10, -110);
  // Slot k, column c, row r (from 1): x = 25c - 10, y = 112(k+1) + 25r + 24 - 110 - 93.
  EXPECT_TRUE(SameAsImage(h, tile, 40, 70));
  EXPECT_TRUE(SameAsImage(h, tile, 65, 95));
  EXPECT_TRUE(SameAsImage(h, tile, 40, 182));
  EXPECT_EQ(h.SurfacePixel(50, 300), 0) << "slot 3 is not used";
  PlayLevel(game).NextElements = 0;
  game.M.DXDraw.Fill(kBlack);
  DrawNextElements(game, -10, 0);
  for (int y = 0; y < 768; y += 8) ASSERT_EQ(h.SurfacePixel(50, y), 0) << y;
}

}  // namespace
}  // namespace plumix
