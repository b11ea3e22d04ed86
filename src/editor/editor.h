// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The adventure editor's screen: the board painter with its palette, the
// level's fields, the adventure and its level list, test-play in the real
// game and the bot's proof, all on the game's surface and widgets.
//
// The pages live in files of their own: editor_board.cpp (board, tools,
// palette), editor_level_page.cpp, editor_adventure_page.cpp, editor_files.cpp
// (open, save, export and the questions before work is lost) and
// editor_proof.cpp (test-play and the proof in the background).
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "editor/editor_model.h"
#include "media/display.h"
#include "widgets/file_dialog.h"
#include "widgets/prompt_box.h"
#include "widgets/widgets.h"

namespace plumix {

class TMain;

enum class EditorPage { Board, Level, Adventure, Help };
enum class EditorTool { Pencil, Rectangle, Fill, Line, Select };
constexpr int kEditorTools = 5;

// The board on screen: cell (x, y) at (25x + kEditorBoardX, 25y + kEditorBoardY).
constexpr int kEditorBoardX = -17;
constexpr int kEditorBoardY = -16;
constexpr int kPaletteCount = 35;

// Palette entry i: Empty, Void, Edge, Passage, the entry point, the twelve
// specials, then a block of each element kind.
PaintCell PaletteCell(int index);
std::string PaletteName(int index);

class Editor {
 public:
  // The game must be created and activated; the editor draws on its surface.
  explicit Editor(TMain& game);
  ~Editor();

  EditorModel Model;
  EditorPage Page = EditorPage::Board;
  EditorTool Tool = EditorTool::Pencil;
  int Palette = 5;  // set in the constructor
  bool Playing = false;
  bool Quit = false;
  std::string Status;
  bool StatusError = false;
  // The proof's last result, one line a level.
  std::vector<std::string> ProofLines;
  // Level -> "2/3": the games the bot won of those it played, shown in the level list.
  std::map<int, std::string> ProofWins;
  // The questions and the file chooser, over everything else while open.
  PromptBox Prompt;
  FileDialog Files;

  // The path source files are exported to and imported from: <name>/adventure.txt beside the file.
  std::string SourcePath() const;
  // A new adventure's file: in the player's adventure folder.
  std::filesystem::path DefaultFile() const;
  std::string WindowTitle() const;

  void Event(const PlatformEvent& event);
  // One turn of the main loop: a play frame while test-playing, else the
  // editor's picture.
  void Frame();
  void Draw();

  // The actions behind the buttons and shortcuts. Each that would replace
  // unsaved work asks first (Save / Discard / Cancel).
  void Save();    // into the opened file; a new adventure asks for a name
  // Asks for a name, and before replacing another file; `then` runs once it is saved.
  void SaveAs(std::function<void()> then = {});
  // Saves into `path`; `then` runs once it is saved.
  bool SaveTo(const std::filesystem::path& path, bool force, const std::function<void()>& then = {});
  void Open();
  void OpenFile(const std::filesystem::path& path);
  void NewAdventure();
  void ExportSource();
  void ImportSource();
  void ImportFile(const std::filesystem::path& path);
  void RequestQuit();
  void StartTestPlay();
  void StopTestPlay(const std::string& why);
  // The bot plays the level (0: every level) on a copy, in the background.
  void Prove(int level);
  bool Proving() const { return proof_ != nullptr; }
  // Waits for the proof running (tests); false when none was.
  bool FinishProof();
  void CancelProof();
  void Undo();
  void Redo();
  void ShowLevel(int level);
  void ShowPage(EditorPage page);
  // Refreshes every control from the model (after undo, a level change, ...).
  void SyncControls();
  void SetStatus(std::string text, bool error);

  // The selection of the board (Select tool) and the region copied from it.
  struct Selection {
    bool Active = false;
    int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
  };
  Selection Selected;
  BoardRegion Clipboard;
  bool Pasting = false;  // the copied region follows the pointer until a click places it
  void CopySelection(bool cut);
  void StartPaste();

 private:
  // Runs `then` when nothing unsaved would be lost, or after the designer has
  // saved or discarded the changes; nothing happens on Cancel.
  void Guard(const std::string& doing, std::function<void()> then);
  void ShowPath();
  void BuildControls();
  void BuildBoardPage();
  void BuildLevelPage();
  void BuildAdventurePage();
  void SyncLevelPage();
  bool Shortcut(uint16_t key);
  bool KeyDown(uint16_t key);
  void MouseDown(int x, int y, int button);
  void MouseMove(int x, int y);
  void MouseUp(int x, int y);
  bool BoardCell(int px, int py, int& x, int& y) const;
  void DrawBoard();
  void DrawPalette();
  void DrawElementKinds();
  void DrawLevelList(const std::vector<AdventureProblem>& problems);
  void DrawSide(const std::vector<AdventureProblem>& problems);
  void DrawTooltip();
  void DrawProof();
  int ProofBarHeight() const;  // room the proof's bar takes above the warnings
  const std::vector<AdventureProblem>& Problems();
  void DrawHelp();
  void PollProof();
  // Text in the panel's width, broken at blanks; returns the next line's y.
  int Wrapped(int y, int bottom, const std::string& text, Colour colour);
  void Text(int x, int y, const std::string& text, Colour colour, int size = 12);
  int Button(int page, const char* caption, Rect bounds, std::function<void()> click, const char* tip = nullptr);
  // A text field; digits are stored clamped and the field shows what was stored.
  int LevelField(const char* label, int y, bool digits, size_t maxLength,
                 std::function<void(const std::string&)> set, std::function<std::string()> get, const char* tip);
  int Choice(const char* label, int y, std::vector<std::string> items, std::function<void(int)> set, const char* tip);
  // A change of a field: one undo step for all the typing in one field.
  void FieldChange(int widget);

  TMain& game_;
  WidgetSet controls_;
  std::vector<std::pair<int, EditorPage>> pageOf_;  // widget -> page
  std::vector<int> shared_;                         // widgets on every page
  std::vector<std::pair<int, std::function<std::string()>>> fields_;  // text fields and what they show
  std::map<int, std::string> tips_;                                   // widget -> tooltip
  int typingIn_ = -1;  // the field whose typing is the newest undo step
  // Level page.
  int type_ = -1, disasters_ = -1, inTurn_ = -1, specials_ = -1, next_ = -1, entryColumn_ = -1, entryRow_ = -1;
  int elements_[kElementKinds + 1] = {};
  int specialKinds_[kSpecialKinds + 1] = {};
  // Adventure page.
  int fileLabel_ = -1;
  int toolButtons_[kEditorTools] = {};
  int buildPage_ = 0;  // the page controls are being added to
  // A stroke, a rectangle, a line or a selection under way.
  bool stroke_ = false;
  PaintCell strokeCell_{};
  bool dragging_ = false;  // rectangle, line or selection
  int rectX_ = 0, rectY_ = 0, hoverX_ = 0, hoverY_ = 0;
  int pointerX_ = 0, pointerY_ = 0;
  uint32_t pointerStill_ = 0;  // when the pointer last moved (tooltips)
  int listTop_ = 1;            // the first level the list shows
  std::unique_ptr<AdventureRecord> checkedAdventure_;  // what problems_ was found in
  std::vector<AdventureProblem> problems_;
  // The adventure whose problems were shown on a refused save, and where it
  // was to go: saving it unchanged again saves it anyway.
  std::unique_ptr<AdventureRecord> warned_;
  std::filesystem::path warnedPath_;
  // The proof under way: the thread plays a copy and hands back its progress here.
  struct ProofJob {
    std::thread Thread;
    std::atomic<int> Done{0}, Total{1};
    std::atomic<bool> Cancel{false}, Finished{false};
    std::mutex Lock;
    std::string Output;  // under Lock
    int Code = 0;        // read once Finished
    int Level = 0;
  };
  std::unique_ptr<ProofJob> proof_;
};

}  // namespace plumix
