// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's comforts: the file chooser, regions copied between levels, the
// line, the palette by keys, the proof in the background and a paused test-play.
#include <gtest/gtest.h>

#include "adventure/adventure_file.h"
#include "editor_fixture.h"
#include "engine/board.h"
#include "media/files.h"
#include "support/golden.h"

namespace plumix {
namespace {

namespace fs = std::filesystem;
using testing::CellX;
using testing::CellY;

using EditorTools = testing::EditorScreen;

TEST_F(EditorTools, TheFileChooserListsAdventuresTypesAheadAndOpensOnADoubleClick) {
  fs::create_directory(h.Dir / "Adventures" / "Drafts");
  Ctrl('O');
  ASSERT_TRUE(editor.Files.IsOpen());
  EXPECT_EQ(editor.Files.Folder().filename(), "Adventures");
  const auto& entries = editor.Files.Entries();
  ASSERT_GE(entries.size(), 4u);
  EXPECT_TRUE(entries[0].Folder);
  EXPECT_EQ(entries[0].Name, "Drafts");
  EXPECT_EQ(entries[1].Name, "CrystalCaverns.paf");
  const AdventureRecord crystal = h.ReadAdventure("CrystalCaverns.paf");
  EXPECT_EQ(entries[1].About, crystal.Title + ", " + std::to_string(PlayedLevelCount(crystal)) + " levels");
  Type("th");
  ASSERT_GE(editor.Files.Selected(), 0);
  EXPECT_EQ(entries[static_cast<size_t>(editor.Files.Selected())].Name, "ThunderPeaks.paf");
  Key(kVkUp);
  EXPECT_EQ(editor.Files.Name(), "PlumixAcademy.paf");
  Frame();
  EXPECT_TRUE(testing::MatchesGolden(h, "editor_file_dialog"));

  // Enter goes into a folder; the places and "Up a folder" lead back.
  editor.Files.GoTo(h.Dir / "Adventures");
  Type("Drafts");
  Key(kVkReturn);
  EXPECT_EQ(editor.Files.Folder().filename(), "Drafts");
  Key(kVkBack);  // the name is empty: up a folder
  EXPECT_EQ(editor.Files.Folder().filename(), "Adventures");

  // Enter opens what the typing selected.
  Type("cry");
  Key(kVkReturn);
  EXPECT_EQ(editor.Model.Path.filename(), "CrystalCaverns.paf") << editor.Files.Message();
  Ctrl('O');
  // A double click on a row opens it; two clicks far apart in time only select.
  const int rowY = 120 + 56 + 2 + 2 * FileDialog::kRowHeight + 5;  // the third row
  Click(600, rowY);
  h.Clock.Advance(2000);
  Click(600, rowY);
  EXPECT_TRUE(editor.Files.IsOpen());
  h.Clock.Advance(100);
  Click(600, rowY);
  EXPECT_FALSE(editor.Files.IsOpen());
  EXPECT_EQ(editor.Model.Path.filename(), "PlumixAcademy.paf") << editor.Status;
}

TEST_F(EditorTools, ARegionIsCopiedCutAndPastedIntoAnotherLevelAndALineIsDrawn) {
  EditorModel& m = editor.Model;
  m.Change();
  m.Paint(3, 5, {kBlock, 4});
  m.Paint(4, 6, {kEdge, 1});
  Key('S');
  Send(PlatformEventType::MouseMove, CellX(3), CellY(5));
  Send(PlatformEventType::MouseDown, CellX(3), CellY(5));
  Send(PlatformEventType::MouseMove, CellX(4), CellY(6));
  Send(PlatformEventType::MouseUp, CellX(4), CellY(6));
  Ctrl('X');
  EXPECT_EQ(m.Current().Board[3][5].Code, kEmpty);
  EXPECT_EQ(editor.Clipboard.Width, 2);
  m.AddLevel();
  editor.SyncControls();
  Ctrl('V');
  ASSERT_TRUE(editor.Pasting);
  Click(CellX(20), CellY(20));
  EXPECT_EQ(m.Current().Board[20][20], (Cell{kBlock, 4}));
  EXPECT_EQ(m.Current().Board[21][21].Code, kEdge);
  EXPECT_EQ(m.Current().Board[21][20].Code, kEmpty);
  editor.Undo();
  EXPECT_EQ(m.Current().Board[20][20].Code, kEmpty) << "a paste is one step";

  // The line from (5,10) to (11,13) touches both ends and steps evenly between them.
  m.PaintLine(5, 10, 11, 13, {kEdge, 1});
  int cells = 0;
  for (int x = 2; x < kBoardSize; ++x) {
    for (int y = 1; y < kBoardSize; ++y) cells += m.Current().Board[x][y].Code == kEdge;
  }
  EXPECT_EQ(cells, 7) << "one cell a column, inside the well's walls";
  EXPECT_EQ(m.Current().Board[5][10].Code, kEdge);
  EXPECT_EQ(m.Current().Board[11][13].Code, kEdge);
  EXPECT_EQ(m.Current().Board[7][11].Code, kEdge);
  EXPECT_EQ(m.Current().Board[8][12].Code, kEdge);

  // The brackets walk the whole palette, both ways round.
  editor.Palette = 0;
  for (int i = 0; i < kPaletteCount; ++i) Key(221);
  EXPECT_EQ(editor.Palette, 0);
  Key(219);
  EXPECT_EQ(editor.Palette, kPaletteCount - 1);
}

TEST_F(EditorTools, TheProofRunsInTheBackgroundOnACopyAndEscapeStopsIt) {
  EditorModel& m = editor.Model;
  // Quick levels: one element in a shaft wins each.
  const auto quick = [&] { m.Current() = testing::MakeShaftLevel(false); };
  quick();
  m.AddLevel();
  quick();
  m.Current().Title = "Second";
  editor.Prove(0);
  ASSERT_TRUE(editor.Proving());
  // Editing goes on meanwhile; the proof plays what there was when it began.
  Click(CellX(10), CellY(12));
  m.Current().Title = "Renamed";
  ASSERT_TRUE(editor.FinishProof());
  ASSERT_EQ(editor.ProofLines.size(), 3u) << editor.Status;
  EXPECT_NE(editor.ProofLines[0].find("level 1 "), std::string::npos) << editor.ProofLines[0];
  EXPECT_NE(editor.ProofLines[1].find("Second"), std::string::npos) << editor.ProofLines[1];
  EXPECT_NE(editor.Status.find("Proved"), std::string::npos) << editor.Status;
  EXPECT_EQ(editor.ProofWins[2], "3/3");

  m.Current().LinesToFinish = 500;
  Key(117);  // F6
  ASSERT_TRUE(editor.Proving());
  Key(kVkEscape);
  EXPECT_FALSE(editor.Proving());
  EXPECT_EQ(editor.Status, "Proof stopped");
  // Another adventure's results are not this one's.
  editor.Prove(1);
  editor.FinishProof();
  ASSERT_FALSE(editor.ProofLines.empty());
  editor.OpenFile(h.Dir / "Adventures" / "PlumixAcademy.paf");
  EXPECT_TRUE(editor.ProofLines.empty());
  EXPECT_TRUE(editor.ProofWins.empty());
}

TEST_F(EditorTools, ATooltipNamesWhatIsUnderAStillPointer) {
  const auto tipShown = [&] {
    // The tip's pale yellow box below and right of the pointer.
    const uint32_t p = h.Pixel(800 + 14, 80 + 22);
    return p >> 8 == 0xFFFF && (p & 0xFF) >= 0xD8 && (p & 0xFF) <= 0xF0;
  };
  Send(PlatformEventType::MouseMove, 800, 80);  // the Void brush
  Frame();
  EXPECT_FALSE(tipShown()) << "not at once";
  h.Clock.Advance(700);
  Frame();
  EXPECT_TRUE(tipShown());
  Send(PlatformEventType::MouseMove, 801, 80);
  Frame();
  EXPECT_FALSE(tipShown());
}

TEST_F(EditorTools, TestPlayPausesWithThePlayersPauseKey) {
  Key(116);  // F5
  ASSERT_TRUE(editor.Playing);
  for (int i = 0; i < 30; ++i) Frame();
  Key('P');
  EXPECT_TRUE(h.Game().Paused);
  const int32_t ticks = h.Game().Play.TickCounter, timeLeft = h.Game().Play.TimeLeft;
  for (int i = 0; i < 120; ++i) Frame();
  EXPECT_EQ(h.Game().Play.TickCounter, ticks) << "nothing moves while paused";
  EXPECT_EQ(h.Game().Play.TimeLeft, timeLeft);
  Key('P');
  EXPECT_FALSE(h.Game().Paused);
  EXPECT_TRUE(editor.Playing);
}

}  // namespace
}  // namespace plumix

namespace plumix {
namespace {

TEST(EditorModel, OneLevelsRulesGoToEveryLevelButNotItsBoardOrTitle) {
  EditorModel m;
  m.AddLevel();
  m.Current().Title = "Two";
  const LevelRecord second = m.Current();
  m.SelectLevel(1);
  m.Current().TimeToFinish = 600;
  m.Current().Elements[3] = 0;
  m.Current().Board[5][5].Code = kEdge;
  m.RulesToAllLevels();
  const LevelRecord& two = m.Adventure.Levels[2];
  EXPECT_EQ(two.TimeToFinish, 600);
  EXPECT_EQ(two.Elements[3], 0);
  EXPECT_EQ(two.Title, "Two");
  EXPECT_EQ(two.Board, second.Board);
  m.Undo();
  EXPECT_EQ(m.Adventure.Levels[2], second);
}

}  // namespace
}  // namespace plumix
