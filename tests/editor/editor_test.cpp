// SPDX-License-Identifier: GPL-3.0-or-later
// The adventure editor, headless: its board tools and history, the level
// list, the save that keeps every byte, and its screens.
#include <gtest/gtest.h>

#include <fstream>

#include "adventure/adventure_file.h"
#include "adventure_source.h"
#include "editor/editor.h"
#include "engine/board.h"
#include "media/bitmap.h"
#include "editor_fixture.h"
#include "support/golden.h"
#include "support/harness.h"

namespace plumix {
namespace {

using testing::Harness;

constexpr PaintCell kEdgeCell{kEdge, 1};
constexpr PaintCell kBlue{kBlock, 2};

TEST(EditorModel, BoardToolsUndoRedoAndTheEntryMark) {
  EditorModel m;
  const BoardGrid fresh = m.Current().Board;
  m.Change();
  m.Paint(5, 5, kBlue);
  m.Paint(6, 5, kBlue);  // the same stroke
  m.PaintRect(10, 12, 8, 10, kEdgeCell);
  EXPECT_EQ(m.Current().Board[9][11], (Cell{kEdge, 0}));
  EXPECT_EQ(m.Current().Board[11][11].Code, kEmpty);
  // Fill stops at the well's walls; an erased block (its old kind byte kept) is as empty as any.
  m.Paint(12, 12, kBlue);
  m.Paint(12, 12, {kEmpty, 1});
  m.Fill(20, 20, kBlue);
  EXPECT_EQ(m.Current().Board[29][29], (Cell{kBlock, 2}));
  EXPECT_EQ(m.Current().Board[12][12].Code, kBlock);
  EXPECT_EQ(m.Current().Board[30][29].Code, kEdge);
  m.Undo();
  EXPECT_EQ(m.Current().Board[29][29].Code, kEmpty);
  m.Undo();
  m.Undo();
  EXPECT_EQ(m.Current().Board, fresh) << "a stroke is one step";
  EXPECT_FALSE(m.Undo());
  m.Redo();
  EXPECT_EQ(m.Current().Board[6][5], (Cell{kBlock, 2}));

  // Placing the entry moves its mark and keeps the box on the board.
  m.Paint(29, 3, {kEntryMark, 1});
  EXPECT_EQ(m.Current().EntryColumn, kMaxEntry);
  EXPECT_EQ(m.Current().EntryRow, 3);
  EXPECT_EQ(m.Current().Board[14][1].Code, kEmpty);
  EXPECT_EQ(m.Current().Board[kMaxEntry][3].Code, kEntryMark);
  // Mirroring twice gives the board back; once, the box's far side.
  m.MirrorLeftRight();
  EXPECT_EQ(m.Current().EntryColumn, 1);
  EXPECT_EQ(m.Current().Board[1][3].Code, kEntryMark);
  EXPECT_EQ(m.Current().Board[25][5], (Cell{kBlock, 2}));
  m.MirrorLeftRight();
  EXPECT_EQ(m.Current().EntryColumn, kMaxEntry);
  EXPECT_EQ(m.Current().Board[6][5], (Cell{kBlock, 2}));

  // The rectangle and the fill move the one entry too, rather than spreading marks.
  const auto marks = [&] {
    int n = 0;
    for (const auto& column : m.Current().Board) {
      for (const Cell& c : column) n += c.Code == kEntryMark;
    }
    return n;
  };
  m.PaintRect(3, 4, 6, 8, {kEntryMark, 1});
  EXPECT_EQ(marks(), 1);
  EXPECT_EQ(m.Current().EntryColumn, 3);
  m.Fill(20, 20, {kEntryMark, 1});
  EXPECT_EQ(marks(), 1);
  EXPECT_EQ(m.Current().EntryColumn, 20);
}

TEST(EditorModel, LevelListEditsUpToAHundred) {
  EditorModel m;
  m.Current().Title = "one";
  m.DuplicateLevel();
  m.Current().Title = "two";
  m.AddLevel();
  EXPECT_EQ(m.Level, 3);
  m.Current().Title = "three";
  m.SelectLevel(1);
  m.MoveLevel(1);
  EXPECT_EQ(m.Level, 2);
  EXPECT_FALSE(m.MoveLevel(2));
  auto titles = [&] {
    std::string out;
    for (int k = 1; k <= m.LevelCount(); ++k) out += m.Adventure.Levels[k].Title + ",";
    return out;
  };
  EXPECT_EQ(titles(), "two,one,three,");
  m.DeleteLevel();
  EXPECT_EQ(titles(), "two,three,");
  EXPECT_EQ(m.Level, 2);
  m.Undo();
  EXPECT_EQ(titles(), "two,one,three,");
  while (m.AddLevel()) {}
  EXPECT_EQ(m.LevelCount(), kMaxLevels);
  EXPECT_EQ(m.Adventure.LastLevelIndex, kMaxLevels - 1);
  while (m.DeleteLevel()) {}
  EXPECT_EQ(m.LevelCount(), 1);
}

TEST(EditorModel, SaveKeepsEveryByteItDoesNotChangeAndRefusesABrokenLevel) {
  const auto dir = testing::MakeGameFolder("editor-save");
  const auto path = dir / "Adventures" / "CrystalCaverns.paf";
  std::string error;
  const std::vector<uint8_t> original = ReadFileBytes(path, &error);
  EditorModel m;
  ASSERT_TRUE(m.Open(path, &error)) << error;
  m.SelectLevel(2);
  m.Change();
  m.Paint(2, 29, kBlue);
  m.Current().Title = "Renamed";
  // The game wrote a high score meanwhile; the save keeps it.
  std::vector<uint8_t> played = original;
  played[kHighScoresOffset + 32] = 77;
  ASSERT_TRUE(WriteFileBytes(path, played, &error));
  ASSERT_TRUE(m.Dirty);
  ASSERT_TRUE(m.Save(path, false).Saved);
  EXPECT_FALSE(m.Dirty) << "saved work is no longer unsaved";

  const std::vector<uint8_t> saved = ReadFileBytes(path, &error);
  ASSERT_EQ(saved.size(), original.size());
  const size_t level = LevelOffset(2), cell = level + 56 + 60 * 1 + 2 * 28;
  for (size_t i = 0; i < saved.size(); ++i) {
    const bool title = i >= level && i < level + 31, painted = i == cell || i == cell + 1;
    if (!title && !painted && i != kHighScoresOffset + 32) {
      ASSERT_EQ(saved[i], original[i]) << "byte " << i;
    }
  }
  EXPECT_EQ(saved[kHighScoresOffset + 32], 77);
  EXPECT_EQ(saved[cell], kBlock);
  // What the designers' tool unpacks packs back to the same bytes.
  Parsed<AdventureRecord> reread = ReadAdventureSource(WriteAdventureSource(*ParseAdventure(saved).Value));
  ASSERT_TRUE(reread) << reread.Error;
  EXPECT_EQ(SerialiseAdventure(*reread.Value), saved);

  // A wall over the entry mark: refused, with why.
  m.Change();
  m.Current().Board[m.Current().EntryColumn][m.Current().EntryRow].Code = kEdge;
  const EditorSaveResult refused = m.Save(path, false);
  EXPECT_FALSE(refused.Saved);
  ASSERT_FALSE(refused.Problems.empty());
  EXPECT_NE(refused.Problems.front().find("Level 2"), std::string::npos) << refused.Problems.front();
  EXPECT_NE(refused.Problems.front().find("EntryMark"), std::string::npos) << refused.Problems.front();
  EXPECT_EQ(ReadFileBytes(path, &error), saved);
  EXPECT_TRUE(m.Save(path, true).Saved) << "seen and saved anyway";
  // The first level is checked too.
  m.Current().Board[m.Current().EntryColumn][m.Current().EntryRow].Code = kEntryMark;
  ASSERT_TRUE(m.Save(path, false).Saved);
  m.SelectLevel(1);
  m.Change();
  m.Current().Board[m.Current().EntryColumn][m.Current().EntryRow].Code = kEdge;
  EXPECT_FALSE(m.Save(path, false).Saved);
}

using GoldenEditor = testing::EditorScreen;
using testing::CellX;
using testing::CellY;

TEST_F(GoldenEditor, PaletteAndPencilPaintAndTestPlayReturnsWhereItWas) {
  Click(768 + 30 * 2 + 5, 75);  // Edge
  Click(CellX(10), CellY(12));
  EXPECT_EQ(editor.Model.Current().Board[10][12].Code, kEdge);
  Click(CellX(11), CellY(12), 3);
  EXPECT_EQ(editor.Model.Current().Board[11][12].Code, kEmpty);
  // A quick stroke leaves no gaps between the cells the pointer was seen on.
  PlatformEvent e;
  e.Button = 1;
  for (auto [type, x] : {std::pair{PlatformEventType::MouseDown, 3}, {PlatformEventType::MouseMove, 7},
                         {PlatformEventType::MouseUp, 7}}) {
    e.Type = type;
    e.X = CellX(x);
    e.Y = CellY(20);
    editor.Event(e);
  }
  for (int x = 3; x <= 7; ++x) EXPECT_EQ(editor.Model.Current().Board[x][20].Code, kEdge) << x;
  Frame();
  EXPECT_TRUE(testing::MatchesGolden(h, "editor_board"));
  Key('F');
  Click(CellX(10), CellY(13));
  EXPECT_EQ(editor.Model.Current().Board[29][29].Code, kEdge);

  Key(116);  // F5
  ASSERT_TRUE(editor.Playing);
  for (int i = 0; i < 30; ++i) Frame();
  EXPECT_EQ(h.Game().Shell.ScreenState, kPlayScreen);
  Key(kVkEscape);
  EXPECT_FALSE(editor.Playing);
  EXPECT_EQ(editor.Model.Current().Board[29][29].Code, kEdge) << "play never reaches the edited level";
  editor.Undo();
  EXPECT_EQ(editor.Model.Current().Board[29][29].Code, kEmpty);
}

TEST_F(GoldenEditor, LevelPageFieldsAndHelp) {
  editor.Model.Current().Title = "Golden Level";
  editor.SyncControls();
  Click(768 + 62 + 20, 15);  // Level
  ASSERT_EQ(editor.Page, EditorPage::Level);
  Click(768 + 4, 380 + 14);  // kind 1 off
  EXPECT_EQ(editor.Model.Current().Elements[1], 0);
  Click(768 + 46, 142);  // disasters in turn
  EXPECT_EQ(editor.Model.Current().DisasterKind, kDisastersInTurn);
  Frame();
  EXPECT_TRUE(testing::MatchesGolden(h, "editor_level"));
  Key(kVkF1);
  Frame();
  EXPECT_TRUE(testing::MatchesGolden(h, "editor_help"));

  // The source goes where the designers' tool packs it from, and comes back.
  editor.Model.Path = h.Dir / "Adventures" / "Mine.paf";
  editor.ExportSource();
  EXPECT_TRUE(std::filesystem::exists(h.Dir / "Adventures" / "Mine" / "adventure.txt")) << editor.Status;
  editor.Model.Current().Title = "Changed";
  editor.ImportFile(h.Dir / "Adventures" / "Mine" / "adventure.txt");
  EXPECT_EQ(editor.Model.Current().Title, "Golden Level") << editor.Status;
  EXPECT_EQ(editor.Model.Current().Elements[1], 0);
  EXPECT_EQ(editor.Model.Current().DisasterKind, kDisastersInTurn);
  editor.Undo();
  EXPECT_EQ(editor.Model.Current().Title, "Changed");
}

}  // namespace
}  // namespace plumix
