#pragma once
// The adventure editor's screen: the board painter with its palette, the
// level's fields, the adventure and its level list, test-play in the real
// game and the bot's proof, all on the game's surface and widgets.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/editor_model.h"
#include "media/display.h"
#include "widgets/widgets.h"

namespace plumix {

class TMain;

enum class EditorPage { Board, Level, Adventure, Help };
enum class EditorTool { Pencil, Rectangle, Fill };

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

  EditorModel Model;
  EditorPage Page = EditorPage::Board;
  EditorTool Tool = EditorTool::Pencil;
  int Palette = 5;  // the first special... set in the constructor
  bool Playing = false;
  bool Quit = false;
  std::string Status;
  // The proof's last result, one line a level.
  std::vector<std::string> ProofLines;
  // The path source files are exported to and imported from.
  std::string SourcePath() const;
  // A new adventure's file: in the player's adventure folder.
  std::filesystem::path DefaultFile() const;

  void Event(const PlatformEvent& event);
  // One turn of the main loop: a play frame while test-playing, else the
  // editor's picture.
  void Frame();
  void Draw();

  // The actions behind the buttons and shortcuts.
  void Save(bool force);
  void Open();
  void NewAdventure();
  void ExportSource();
  void ImportSource();
  void StartTestPlay();
  void StopTestPlay(const std::string& why);
  void Prove();
  void Undo();
  void Redo();
  void ShowLevel(int level);
  // Refreshes every control from the model (after undo, a level change, ...).
  void SyncControls();
  void ShowPath();

  // Between frames of a proof: draws its progress and reads the window's
  // events; false when the designer cancelled it.
  std::function<bool()> PumpEvents;

 private:
  void BuildControls();
  void ShowPage(EditorPage page);
  bool KeyDown(uint16_t key);
  void MouseDown(int x, int y, int button);
  void MouseMove(int x, int y);
  void MouseUp(int x, int y);
  bool BoardCell(int px, int py, int& x, int& y) const;
  void DrawBoard();
  void DrawPalette();
  void DrawLevelList(const std::vector<AdventureProblem>& problems);
  void DrawSide(const std::vector<AdventureProblem>& problems);
  const std::vector<AdventureProblem>& Problems();
  void DrawHelp();
  // Text in the panel's width, broken at blanks; returns the next line's y.
  int Wrapped(int y, const std::string& text, Colour colour);
  void DrawProgress(double done, const std::string& caption);
  void Text(int x, int y, const std::string& text, Colour colour, int size = 12);
  int Button(int page, const char* caption, Rect bounds, std::function<void()> click);
  int LevelField(const char* label, int y, bool digits, size_t maxLength,
                 std::function<void(const std::string&)> set);
  int Choice(const char* label, int y, std::vector<std::string> items, std::function<void(int)> set);

  TMain& game_;
  WidgetSet controls_;
  std::vector<std::pair<int, EditorPage>> pageOf_;  // widget -> page (Board page: shared ones too)
  std::vector<int> shared_;                         // widgets on every page
  // Level page.
  int title_ = -1, type_ = -1, disasters_ = -1, specials_ = -1, startSpeed_ = -1, maxSpeed_ = -1,
      next_ = -1, speedLines_ = -1, lines_ = -1, time_ = -1, entryColumn_ = -1, entryRow_ = -1;
  int elements_[kElementKinds + 1] = {};
  int specialKinds_[kSpecialKinds + 1] = {};
  // Adventure page.
  int file_ = -1, advTitle_ = -1, author_ = -1, contact_ = -1;
  int toolButtons_[3] = {-1, -1, -1};
  int buildPage_ = 0;  // the page controls are being added to
  // A stroke or a rectangle under way.
  bool stroke_ = false;
  PaintCell strokeCell_{};
  bool rectangle_ = false;
  int rectX_ = 0, rectY_ = 0, hoverX_ = 0, hoverY_ = 0;
  int listTop_ = 1;  // the first level the list shows
  std::unique_ptr<AdventureRecord> checkedAdventure_;  // what problems_ was found in
  std::vector<AdventureProblem> problems_;
  bool saveWarned_ = false;  // the problems were shown; the next save goes ahead
};

}  // namespace plumix
