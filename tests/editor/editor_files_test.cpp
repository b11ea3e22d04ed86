// SPDX-License-Identifier: GPL-3.0-or-later
// The editor never loses the designer's work and writes only the file the
// designer chose: driven on screen, by the keys and the questions it asks.
#include <gtest/gtest.h>

#include <algorithm>

#include "adventure/adventure_file.h"
#include "editor_fixture.h"
#include "media/files.h"
#include "support/golden.h"

namespace plumix {
namespace {

namespace fs = std::filesystem;
using testing::CellX;
using testing::CellY;

struct EditorFiles : testing::EditorScreen {
  fs::path shipped = h.Dir / "Adventures" / "CrystalCaverns.paf";
  std::string error;
  std::vector<uint8_t> Bytes(const fs::path& path) { return ReadFileBytes(path, &error); }
  // A copy of a shipped adventure with bytes after its record, as files that went through other tools have.
  fs::path MakeFile(const std::string& name, std::vector<uint8_t> tail = {}) {
    std::vector<uint8_t> bytes = Bytes(shipped);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    EXPECT_TRUE(WriteFileBytes(h.Dir / name, bytes, &error)) << error;
    return h.Dir / name;
  }
  void Paint(int x, int y) {
    Key('P');
    Key('3');  // Edge
    Click(CellX(x), CellY(y));
  }
};

TEST_F(EditorFiles, CtrlSWritesTheOpenedFileKeepingItsTailAndSaveAsAsksBeforeReplacing) {
  const fs::path mine = MakeFile("mine.paf", {1, 2, 3, 4, 5});
  const fs::path other = MakeFile("other.paf");
  const std::vector<uint8_t> otherBefore = Bytes(other);
  editor.OpenFile(mine);
  ASSERT_FALSE(editor.StatusError) << editor.Status;
  Paint(10, 12);
  EXPECT_NE(editor.WindowTitle().find("*mine.paf"), std::string::npos) << editor.WindowTitle();
  EXPECT_EQ(h.Game().M.DXDraw.Title(), editor.WindowTitle());
  EXPECT_EQ(editor.WindowTitle().find("Plumix Adventure 1.0"), std::string::npos) << "not the game's title";
  Ctrl('S');
  EXPECT_FALSE(editor.StatusError) << editor.Status;
  std::vector<uint8_t> saved = Bytes(mine);
  ASSERT_EQ(saved.size(), kAdventureFileSize + 5) << "the bytes after the record stay";
  EXPECT_EQ(saved.back(), 5);
  EXPECT_EQ(ParseAdventure(saved).Value->Levels[1].Board[10][12].Code, kEdge);
  EXPECT_FALSE(fs::exists(editor.DefaultFile())) << "nothing goes to a file the designer did not choose";
  EXPECT_EQ(editor.WindowTitle().find('*'), std::string::npos);

  // Save As over another file: asked first; Cancel leaves it alone, Replace writes it.
  Paint(11, 12);
  for (int answer : {1, 0}) {
    Ctrl('S', true);
    ASSERT_TRUE(editor.Files.IsOpen());
    EXPECT_EQ(editor.Files.Name(), "mine.paf");
    Type("other");
    Key(kVkReturn);
    ASSERT_TRUE(editor.Prompt.IsOpen());
    EXPECT_NE(editor.Prompt.Text().find("other.paf already exists"), std::string::npos);
    if (answer == 1) Key(kVkRight);
    Key(kVkReturn);
    EXPECT_FALSE(editor.Prompt.IsOpen());
    if (answer == 1) {
      EXPECT_EQ(Bytes(other), otherBefore);
    }
  }
  EXPECT_EQ(ParseAdventure(Bytes(other)).Value->Levels[1].Board[11][12].Code, kEdge);
  EXPECT_EQ(editor.Model.Path, other);
  EXPECT_EQ(ParseAdventure(Bytes(mine)).Value->Levels[1].Board[11][12].Code, kEmpty);

  // A folder that does not exist is the designer's mistake: refused, not made.
  EXPECT_FALSE(editor.SaveTo(h.Dir / "nowhere" / "x.paf", false));
  EXPECT_TRUE(editor.StatusError);
  EXPECT_NE(editor.Status.find("does not exist"), std::string::npos) << editor.Status;
  EXPECT_FALSE(fs::exists(h.Dir / "nowhere"));

  // A new adventure has no file yet: Ctrl+S asks for one.
  Ctrl('N');
  EXPECT_EQ(editor.Model.Path, fs::path());
  Ctrl('S');
  EXPECT_TRUE(editor.Files.IsOpen());
  Key(kVkEscape);
  EXPECT_FALSE(editor.Files.IsOpen());
  EXPECT_FALSE(fs::exists(editor.DefaultFile()));
}

TEST_F(EditorFiles, ABrokenLevelIsSavedOnlyWhenSavedAgainUnchanged) {
  const fs::path mine = MakeFile("mine.paf");
  const std::vector<uint8_t> before = Bytes(mine);
  editor.OpenFile(mine);
  LevelRecord& level = editor.Model.Current();
  editor.Model.Change();
  level.Board[level.EntryColumn][level.EntryRow].Code = kEdge;
  Ctrl('S');
  EXPECT_TRUE(editor.StatusError);
  EXPECT_NE(editor.Status.find("save again to save anyway"), std::string::npos) << editor.Status;
  EXPECT_EQ(Bytes(mine), before);
  // Changed since the warning: warned again, not saved.
  Paint(5, 5);
  Ctrl('S');
  EXPECT_EQ(Bytes(mine), before);
  Ctrl('S');
  EXPECT_FALSE(editor.StatusError) << editor.Status;
  EXPECT_NE(Bytes(mine), before);
}

TEST_F(EditorFiles, OpenNewImportAndQuitAskBeforeUnsavedWorkIsLostAndAFailedOpenChangesNothing) {
  const fs::path mine = MakeFile("mine.paf");
  editor.OpenFile(mine);
  Paint(10, 12);
  auto painted = [&] { return editor.Model.Current().Board[10][12].Code == kEdge; };

  // Cancel (Escape, or the third answer) keeps the work; Discard lets the action go ahead.
  Ctrl('N');
  ASSERT_TRUE(editor.Prompt.IsOpen());
  Key(kVkEscape);
  EXPECT_TRUE(painted());
  Ctrl('I');
  ASSERT_TRUE(editor.Prompt.IsOpen());
  Key(kVkEscape);
  EXPECT_FALSE(editor.Files.IsOpen());
  Send(PlatformEventType::Quit);  // the window's close button
  ASSERT_TRUE(editor.Prompt.IsOpen());
  Key(kVkEscape);
  EXPECT_FALSE(editor.Quit);
  EXPECT_TRUE(painted());

  // Save, then open: the work is in the file first.
  Ctrl('O');
  ASSERT_TRUE(editor.Prompt.IsOpen());
  Key(kVkReturn);  // Save
  EXPECT_EQ(ParseAdventure(Bytes(mine)).Value->Levels[1].Board[10][12].Code, kEdge);
  ASSERT_TRUE(editor.Files.IsOpen());
  EXPECT_EQ(editor.Files.Folder(), fs::absolute(h.Dir).lexically_normal());

  // A file cut short: an error in red, and the adventure and its file as they were.
  std::vector<uint8_t> cut = Bytes(mine);
  cut.resize(1000);
  ASSERT_TRUE(WriteFileBytes(h.Dir / "trunc.paf", cut, &error));
  Type("trunc");
  Key(kVkReturn);
  EXPECT_FALSE(editor.Files.IsOpen());
  EXPECT_TRUE(editor.StatusError) << editor.Status;
  EXPECT_EQ(editor.Model.Path, mine);
  EXPECT_TRUE(painted());
  Paint(11, 12);
  Ctrl('S');
  EXPECT_EQ(Bytes(h.Dir / "trunc.paf"), cut);
  EXPECT_EQ(ParseAdventure(Bytes(mine)).Value->Levels[1].Board[11][12].Code, kEdge);

  Paint(12, 12);
  Ctrl('Q');
  ASSERT_TRUE(editor.Prompt.IsOpen());
  Key(kVkRight);
  Key(kVkReturn);  // Discard
  EXPECT_TRUE(editor.Quit);
  EXPECT_EQ(ParseAdventure(Bytes(mine)).Value->Levels[1].Board[12][12].Code, kEmpty);
}

TEST_F(EditorFiles, ExportAsksBeforeReplacingASourceThatDiffers) {
  editor.OpenFile(MakeFile("mine.paf"));
  const fs::path source = h.Dir / "mine" / "adventure.txt";
  Ctrl('E');
  ASSERT_TRUE(fs::exists(source)) << editor.Status;
  EXPECT_FALSE(editor.Prompt.IsOpen()) << "its own text again needs no question";
  Ctrl('E');
  EXPECT_FALSE(editor.Prompt.IsOpen());
  const std::string handEdited = "# edited by hand\n";
  ASSERT_TRUE(WriteFileBytes(source, std::vector<uint8_t>(handEdited.begin(), handEdited.end()), &error));
  Ctrl('E');
  ASSERT_TRUE(editor.Prompt.IsOpen());
  Frame();
  EXPECT_TRUE(testing::MatchesGolden(h, "editor_question"));
  Key(kVkEscape);
  EXPECT_EQ(Bytes(source), std::vector<uint8_t>(handEdited.begin(), handEdited.end()));
  Ctrl('E');
  Key(kVkReturn);  // Replace
  const std::string text = editor.Model.ExportSource();
  EXPECT_EQ(Bytes(source), std::vector<uint8_t>(text.begin(), text.end()));
}

TEST_F(EditorFiles, FieldsShowWhatIsStoredUndoAFieldEditAtOnceAndLeaveTheShortcuts) {
  const fs::path mine = MakeFile("mine.paf");
  editor.OpenFile(mine);
  editor.ShowPage(EditorPage::Level);
  const std::string title = editor.Model.Current().Title;
  const auto replace = [&](int y) {
    Click(1010, y);  // after the text
    KeyEvent(PlatformEventType::KeyDown, kVkShift);
    Key(36);  // Home: the whole text selected
    KeyEvent(PlatformEventType::KeyUp, kVkShift);
  };
  replace(188);  // Start speed
  Type("3");
  Type("0");
  Type("0");
  EXPECT_EQ(editor.Model.Current().StartSpeed, 255);
  // The field holds 255 too: one character less is 25, not 30.
  Key(kVkBack);
  EXPECT_EQ(editor.Model.Current().StartSpeed, 25);
  Frame();
  replace(78);  // Title
  Type("a");
  Type("b");
  Type("c");
  EXPECT_EQ(editor.Model.Current().Title, "abc");
  Ctrl('S');  // while the field has the focus
  EXPECT_FALSE(editor.StatusError) << editor.Status;
  EXPECT_EQ(ParseAdventure(Bytes(mine)).Value->Levels[1].Title, "abc");
  Ctrl('Z');
  EXPECT_EQ(editor.Model.Current().Title, title) << "one step for the whole edit";
  const uint8_t speed = ParseAdventure(Bytes(shipped)).Value->Levels[1].StartSpeed;
  Ctrl('Z');
  EXPECT_EQ(editor.Model.Current().StartSpeed, speed);
  Ctrl('Y');
  EXPECT_EQ(editor.Model.Current().StartSpeed, 25);
  // The status clears at the next action.
  EXPECT_FALSE(editor.Status.empty());
  Click(5, 5);
  EXPECT_TRUE(editor.Status.empty());
  // The element kinds: None, then All.
  Click(980, 366);
  EXPECT_EQ(std::count(editor.Model.Current().Elements.begin() + 1, editor.Model.Current().Elements.end(), 0),
            kElementKinds);
  Click(940, 366);
  EXPECT_EQ(std::count(editor.Model.Current().Elements.begin() + 1, editor.Model.Current().Elements.end(), 1),
            kElementKinds);
  // A double click on a field selects its word, so typing replaces it.
  replace(78);
  Type("abc");
  Click(1010, 78);
  PlatformEvent twice;
  twice.Type = PlatformEventType::MouseDown;
  twice.X = 1010;
  twice.Y = 78;
  twice.Button = 1;
  twice.Clicks = 2;
  editor.Event(twice);
  Send(PlatformEventType::MouseUp, 1010, 78);
  Type("x");
  EXPECT_EQ(editor.Model.Current().Title, "x");
}

}  // namespace
}  // namespace plumix
