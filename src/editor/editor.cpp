// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor.h"

#include <algorithm>

#include "adventure/adventure_file.h"
#include "app/main_form.h"
#include "editor/editor_layout.h"
#include "media/draw.h"
#include "media/files.h"
#include "media/input.h"
#include "media/text.h"
#include "places/places.h"

namespace plumix {
namespace {

constexpr uint32_t kTooltipDelayMs = 600;

}  // namespace

Editor::Editor(TMain& game)
    : Prompt(game.M.FontSet), Files(game.M.FontSet), game_(game), controls_(game.M.FontSet) {
  Palette = 5 + kSpecialKinds;  // a block of kind 1
  BuildControls();
  ShowPage(EditorPage::Board);
  SyncControls();
  Files.Describe = [](const std::filesystem::path& path) {
    std::string error;
    const std::vector<uint8_t> bytes = ReadFileBytes(path, &error);
    Parsed<AdventureRecord> adventure = ParseAdventure(bytes);
    if (!adventure) return std::string("(not an adventure)");
    const int levels = PlayedLevelCount(*adventure.Value);
    return adventure.Value->Title + ", " + std::to_string(levels) + (levels == 1 ? " level" : " levels");
  };
  const std::vector<std::filesystem::path> folders = AdventureFolders(game_.Places());
  // A game run from its own folder keeps the player's adventures beside the shipped ones.
  if (folders.size() > 1) Files.Places.push_back({"My adventures", folders.back()});
  if (!folders.empty()) Files.Places.push_back({folders.size() > 1 ? "Shipped adventures" : "Adventures", folders.front()});
}

Editor::~Editor() { CancelProof(); }

std::string Editor::SourcePath() const {
  // Where the designers' tool unpacks to and packs from: <name>/adventure.txt.
  std::filesystem::path path = Model.Path.empty() ? DefaultFile() : Model.Path;
  return (path.replace_extension() / "adventure.txt").string();
}

std::filesystem::path Editor::DefaultFile() const {
  // Where the game lists it at once: the player's own adventure folder.
  const std::vector<std::filesystem::path> folders = AdventureFolders(game_.Places());
  return (folders.empty() ? std::filesystem::path() : folders.back()) / "New Adventure.paf";
}

std::string Editor::WindowTitle() const {
  const std::string name = Model.Path.empty() ? "Untitled adventure" : Model.Path.filename().string();
  return (Model.Dirty ? "*" : "") + name + " - Plumix Adventure Editor";
}

void Editor::SetStatus(std::string text, bool error) {
  Status = std::move(text);
  StatusError = error;
}

int Editor::Button(int page, const char* caption, Rect bounds, std::function<void()> click, const char* tip) {
  Widget w;
  w.Kind = WidgetKind::Button;
  w.Caption = caption;
  w.Bounds = bounds;
  w.OnClick = std::move(click);
  const int index = controls_.Add(std::move(w));
  if (page < 0) {
    shared_.push_back(index);
  } else {
    pageOf_.push_back({index, static_cast<EditorPage>(page)});
  }
  if (tip) tips_[index] = tip;
  return index;
}

void Editor::FieldChange(int widget) {
  // Typing on in the same field adds to its undo step; anything else starts a new one.
  if (typingIn_ != widget) {
    Model.Change();
    typingIn_ = widget;
  }
  Model.Dirty = true;
}

int Editor::LevelField(const char* label, int y, bool digits, size_t maxLength,
                       std::function<void(const std::string&)> set, std::function<std::string()> get,
                       const char* tip) {
  Widget w;
  w.Kind = WidgetKind::Edit;
  w.Bounds = {kSideX + 120, y, kSideRight, y + 20};
  w.DigitsOnly = digits;
  w.MaxLength = maxLength;
  const int index = controls_.AddLabelled(std::move(w), label, kWhite, LabelPos::lpLeft, 8, true);
  controls_.At(index).OnChange = [this, index, set, get] {
    FieldChange(index);
    set(controls_.At(index).Text);
    // A number past its limit is stored clamped: the field shows what the file will hold.
    const std::string stored = get();
    if (stored != controls_.At(index).Text) controls_.SetText(index, stored);
  };
  pageOf_.push_back({index, static_cast<EditorPage>(buildPage_)});
  pageOf_.push_back({controls_.At(index).LabelComponent, static_cast<EditorPage>(buildPage_)});
  fields_.push_back({index, std::move(get)});
  if (tip) tips_[index] = tip;
  return index;
}

int Editor::Choice(const char* label, int y, std::vector<std::string> items, std::function<void(int)> set,
                   const char* tip) {
  Widget w;
  w.Kind = WidgetKind::ComboBox;
  w.Bounds = {kSideX + 120, y, kSideRight, y + 20};
  w.Items = std::move(items);
  const int index = controls_.AddLabelled(std::move(w), label, kWhite, LabelPos::lpLeft, 8, true);
  controls_.At(index).OnChange = [this, index, set] {
    Model.Change();
    typingIn_ = -1;
    set(controls_.At(index).ItemIndex);
    SyncControls();
  };
  pageOf_.push_back({index, static_cast<EditorPage>(buildPage_)});
  pageOf_.push_back({controls_.At(index).LabelComponent, static_cast<EditorPage>(buildPage_)});
  if (tip) tips_[index] = tip;
  return index;
}

void Editor::BuildControls() {
  const int w = 60;
  const char* pages[] = {"Board", "Level", "Adventure", "Help"};
  const char* tips[] = {"Paint the level's board (Ctrl+1)", "The level's rules and element kinds (Ctrl+2)",
                        "The adventure's file, names and level list (Ctrl+3)", "The keys (F1)"};
  for (int i = 0; i < 4; ++i) {
    Button(-1, pages[i], {kSideX + i * (w + 2), 8, kSideX + i * (w + 2) + w, 30},
           [this, i] { ShowPage(static_cast<EditorPage>(i)); }, tips[i]);
  }
  Button(-1, "<", {kSideX, 36, kSideX + 22, 58}, [this] { ShowLevel(Model.Level - 1); }, "Previous level (Page Up)");
  Button(-1, ">", {kSideRight - 22, 36, kSideRight, 58}, [this] { ShowLevel(Model.Level + 1); },
         "Next level (Page Down)");
  BuildBoardPage();
  BuildLevelPage();
  BuildAdventurePage();
}

void Editor::ShowPage(EditorPage page) {
  Page = page;
  controls_.CloseDropDown();
  for (auto [index, on] : pageOf_) controls_.SetVisible(index, on == page);
  if (controls_.Focus() >= 0 && !controls_.At(controls_.Focus()).Visible) controls_.SetFocus(-1);
}

void Editor::SyncControls() {
  Model.SelectLevel(Model.Level);
  // Only a field whose value changed behind it is set: setting moves the caret.
  for (const auto& [index, get] : fields_) {
    const std::string shown = get();
    if (controls_.At(index).Text != shown) controls_.SetText(index, shown);
  }
  SyncLevelPage();
  ShowPath();
  listTop_ = std::clamp(listTop_, std::max(1, Model.Level - kLevelListRows + 1), Model.Level);
  game_.M.DXDraw.SetTitle(WindowTitle());
}

void Editor::ShowLevel(int level) {
  Model.SelectLevel(level);
  typingIn_ = -1;
  SyncControls();
}

void Editor::Undo() {
  typingIn_ = -1;
  SetStatus(Model.Undo() ? "Undone" : "Nothing to undo", false);
  SyncControls();
}

void Editor::Redo() {
  typingIn_ = -1;
  SetStatus(Model.Redo() ? "Redone" : "Nothing to redo", false);
  SyncControls();
}

void Editor::Text(int x, int y, const std::string& text, Colour colour, int size) {
  game_.DrawText(x, y, text, "Arial CE", size, colour, 0);
}

void Editor::Event(const PlatformEvent& event) {
  if (Playing) {
    if (event.Type == PlatformEventType::KeyDown && event.Key == kVkEscape) {
      StopTestPlay("Test-play left");
      return;
    }
    if (event.Type == PlatformEventType::Quit) {
      StopTestPlay("Test-play left");
      RequestQuit();
      return;
    }
    game_.Dispatch(event);
    return;
  }
  if (event.Type == PlatformEventType::KeyDown) game_.M.DXInput.KeyDown(event.Key);
  if (event.Type == PlatformEventType::KeyUp) game_.M.DXInput.KeyUp(event.Key);
  if (event.Type == PlatformEventType::FocusLost) {
    // Keys let go in another window never arrive: Ctrl must not stay held.
    game_.M.DXInput.ReleaseAll();
    controls_.ReleaseKeys();
  }
  const bool shift = game_.M.DXInput.KeyHeld(kVkShift);
  const uint32_t now = game_.Time.Millis();
  if (event.Type == PlatformEventType::MouseMove) {
    pointerX_ = event.X;
    pointerY_ = event.Y;
    pointerStill_ = now;
  }
  // The questions and the chooser are modal: nothing behind them hears a thing.
  if (Prompt.IsOpen()) {
    Prompt.Event(event, shift);
    SyncControls();
    return;
  }
  if (Files.IsOpen()) {
    Files.Event(event, shift, now);
    SyncControls();
    return;
  }
  const bool action = (event.Type == PlatformEventType::KeyDown && event.Key != kVkShift &&
                       event.Key != kVkControl && event.Key != kVkMenu) ||
                      event.Type == PlatformEventType::MouseDown;
  // The last message stays until the designer does the next thing.
  if (action) SetStatus("", false);
  switch (event.Type) {
    case PlatformEventType::Quit: RequestQuit(); break;
    case PlatformEventType::KeyDown:
      // The editor's shortcuts come before a focused field's keys.
      if (Shortcut(event.Key)) break;
      if (!controls_.KeyDown(event.Key, shift, game_.M.DXInput.KeyHeld(kVkMenu))) KeyDown(event.Key);
      break;
    case PlatformEventType::KeyUp: controls_.KeyUp(event.Key); break;
    case PlatformEventType::TextInput:
      // Ctrl+letter shortcuts type nothing.
      if (!game_.M.DXInput.KeyHeld(kVkControl)) controls_.TextInput(Utf8ToCp1250(event.Text));
      break;
    case PlatformEventType::MouseMove: MouseMove(event.X, event.Y); break;
    case PlatformEventType::MouseDown:
      if (controls_.OpenList() >= 0 || controls_.HitTest(event.X, event.Y) >= 0) {
        if (controls_.HitTest(event.X, event.Y) != controls_.Focus()) typingIn_ = -1;
        if (event.Button == 1) controls_.MouseDown(event.X, event.Y, event.Clicks);
      } else {
        controls_.SetFocus(-1);
        typingIn_ = -1;
        MouseDown(event.X, event.Y, event.Button);
      }
      break;
    case PlatformEventType::MouseUp:
      controls_.MouseUp(event.X, event.Y);
      MouseUp(event.X, event.Y);
      break;
    case PlatformEventType::MouseWheel:
      if (controls_.OpenList() >= 0) {
        controls_.MouseWheel(event.Wheel);
      } else if (Page == EditorPage::Adventure) {
        listTop_ = std::clamp(listTop_ - event.Wheel * 3, 1, std::max(1, Model.LevelCount() - kLevelListRows + 1));
      } else if (Page == EditorPage::Board) {
        Palette = (Palette - event.Wheel + kPaletteCount) % kPaletteCount;
      }
      break;
    default: break;
  }
  SyncControls();
}

// Ctrl and the function keys: wherever the focus is.
bool Editor::Shortcut(uint16_t key) {
  const bool ctrl = game_.M.DXInput.KeyHeld(kVkControl);
  const bool shift = game_.M.DXInput.KeyHeld(kVkShift);
  if (ctrl) {
    switch (key) {
      case 'S': shift ? SaveAs() : Save(); return true;
      case 'Z': shift ? Redo() : Undo(); return true;
      case 'Y': Redo(); return true;
      case 'O': Open(); return true;
      case 'N': NewAdventure(); return true;
      case 'Q': RequestQuit(); return true;
      case 'E': ExportSource(); return true;
      case 'I': ImportSource(); return true;
      case 'M': Model.MirrorLeftRight(); return true;
      case 'D': SetStatus(Model.DuplicateLevel() ? "Level copied" : "The level list is full", false); return true;
      case '1': case '2': case '3': ShowPage(static_cast<EditorPage>(key - '1')); return true;
      case kVkUp: Model.MoveLevel(-1); return true;
      case kVkDown: Model.MoveLevel(1); return true;
      default: break;
    }
    // Copy, cut and paste of the board's region, unless a field is being typed in.
    const int focus = controls_.Focus();
    if (focus >= 0 && controls_.At(focus).Kind == WidgetKind::Edit) return false;
    switch (key) {
      case 'C': CopySelection(false); return true;
      case 'X': CopySelection(true); return true;
      case 'V': StartPaste(); return true;
      default: return false;
    }
  }
  switch (key) {
    case kVkF1: ShowPage(Page == EditorPage::Help ? EditorPage::Board : EditorPage::Help); return true;
    case kVkF5: StartTestPlay(); return true;
    case kVkF6: Prove(shift ? 0 : Model.Level); return true;
    case kVkPrior: ShowLevel(Model.Level - 1); return true;
    case kVkNext: ShowLevel(Model.Level + 1); return true;
    default: return false;
  }
}

bool Editor::KeyDown(uint16_t key) {
  if (key == kVkEscape) {
    if (Proving()) {
      CancelProof();
    } else if (Pasting || Selected.Active) {
      Pasting = false;
      Selected.Active = false;
    } else if (Page == EditorPage::Help) {
      ShowPage(EditorPage::Board);
    }
    return true;
  }
  // Letters and digits belong to an edit being typed in.
  const int focus = controls_.Focus();
  if (focus >= 0 && controls_.At(focus).Kind == WidgetKind::Edit) return false;
  switch (key) {
    case 'P': Tool = EditorTool::Pencil; return true;
    case 'R': Tool = EditorTool::Rectangle; return true;
    case 'F': Tool = EditorTool::Fill; return true;
    case 'L': Tool = EditorTool::Line; return true;
    case 'S': Tool = EditorTool::Select; return true;
    // Every palette entry, one step at a time.
    case kVkLeftBracket: Palette = (Palette + kPaletteCount - 1) % kPaletteCount; return true;
    case kVkRightBracket: Palette = (Palette + 1) % kPaletteCount; return true;
    case kVkDelete:
      if (Selected.Active) Model.ClearRegion(Selected.X0, Selected.Y0, Selected.X1, Selected.Y1);
      return true;
    default: break;
  }
  // 1..9 and 0 pick the first ten palette entries.
  if (key >= '0' && key <= '9') {
    Palette = key == '0' ? 9 : key - '1';
    return true;
  }
  return false;
}

void Editor::Frame() {
  PollProof();
  if (Playing) {
    game_.Idle();
    const uint8_t screen = game_.Shell.ScreenState;
    if (screen == kLevelCompletedScreen || screen == kGameCompletedScreen) {
      StopTestPlay("Test-play: level won, score " + std::to_string(game_.Adv.Score));
    } else if (screen != kPlayScreen) {
      StopTestPlay("Test-play: level lost, score " + std::to_string(game_.Adv.Score));
    }
    if (Playing) return;
  }
  Draw();
  game_.M.DXDraw.Flip();
}

void Editor::DrawSide(const std::vector<AdventureProblem>& all) {
  const std::string head = "Level " + std::to_string(Model.Level) + " of " + std::to_string(Model.LevelCount()) +
                           (Model.Dirty ? "  *" : "");
  Text(kSideX + 30, 38, head, kWhite, 14);
  int y = kWarningsTop + ProofBarHeight();
  for (const AdventureProblem& p : all) {
    if (p.Level == Model.Level) y = Wrapped(y, kWarningsBottom, "! " + p.Field + ": " + p.Message, kYellow);
  }
  for (const std::string& line : ProofLines) y = Wrapped(y, kWarningsBottom, line, kAqua);
  Wrapped(kStatusTop, kStatusBottom, Status, StatusError ? Colour{0x5050FF} : kGreen);
}

int Editor::Wrapped(int y, int bottom, const std::string& text, Colour colour) {
  constexpr size_t kColumns = 42;
  size_t start = 0;
  while (start < text.size() && y + 13 <= bottom) {
    size_t end = std::min(text.size(), start + kColumns);
    if (end < text.size()) {
      const size_t space = text.rfind(' ', end);
      if (space != std::string::npos && space > start) end = space;
    }
    Text(kSideX, y, text.substr(start, end - start), colour, 10);
    y += 13;
    start = end + (end < text.size() && text[end] == ' ');
  }
  return y;
}

void Editor::DrawHelp() {
  static constexpr const char* kKeys[][2] = {
      {"F1", "this help; again or Escape: back"},
      {"F5", "test-play the level (pause key pauses, Escape returns)"},
      {"F6  /  Shift+F6", "prove the level / every level (Escape stops)"},
      {"Page Up / Page Down", "previous / next level"},
      {"P  R  F  L  S", "pencil, rectangle, fill, line, select"},
      {"1 .. 9, 0   [  ]   wheel", "palette: first ten, previous / next entry"},
      {"Ctrl+C  Ctrl+X  Ctrl+V", "copy, cut, paste the selection (Delete empties it)"},
      {"right mouse button", "paints Empty"},
      {"Ctrl+Z  /  Ctrl+Y", "undo / redo"},
      {"Ctrl+S  /  Ctrl+Shift+S", "save / save as (again: save despite the problems)"},
      {"Ctrl+O  /  Ctrl+N  /  Ctrl+Q", "open / new adventure / quit"},
      {"Ctrl+E  /  Ctrl+I", "export <name>/adventure.txt / import a source"},
      {"Ctrl+M  /  Ctrl+D", "mirror the board / copy the level"},
      {"Ctrl+Up / Ctrl+Down", "move the level in the list"},
      {"Ctrl+1  Ctrl+2  Ctrl+3", "the Board, Level and Adventure pages"},
  };
  Bitmap& surface = game_.M.DXDraw.Surface();
  const Rect box{30, 100, 990, 160 + 24 * static_cast<int>(std::size(kKeys))};
  FillRect(surface, {box.Left - 2, box.Top - 2, box.Right + 2, box.Bottom + 2}, kSilver);
  FillRect(surface, box, kBlack);
  Text(box.Left + 20, box.Top + 12, "Plumix Adventure editor: keys", kYellow, 18);
  int y = box.Top + 50;
  for (const auto& line : kKeys) {
    Text(box.Left + 20, y, line[0], kAqua, 14);
    Text(box.Left + 290, y, line[1], kWhite, 14);
    y += 24;
  }
}

void Editor::DrawTooltip() {
  if (game_.Time.Millis() - pointerStill_ < kTooltipDelayMs || controls_.OpenList() >= 0) return;
  std::string tip;
  const int hit = controls_.HitTest(pointerX_, pointerY_);
  if (hit >= 0 && tips_.count(hit)) tip = tips_[hit];
  if (Page == EditorPage::Board) {
    for (int i = 0; i < kPaletteCount; ++i) {
      if (PaletteRect(i).Contains(pointerX_, pointerY_)) tip = PaletteName(i);
    }
  }
  if (tip.empty()) return;
  Bitmap& surface = game_.M.DXDraw.Surface();
  const int width = game_.M.FontSet.TextWidth("Arial CE", 10, kStyleNormal, tip) + 10;
  const int x = std::min(pointerX_ + 12, Display::kWidth - width - 2), y = std::min(pointerY_ + 20, Display::kHeight - 20);
  FillRect(surface, {x, y, x + width, y + 18}, kBlack);
  FillRect(surface, {x + 1, y + 1, x + width - 1, y + 17}, 0xE1FFFF);
  Text(x + 5, y + 2, tip, kBlack, 10);
}

// The list's marks and the level's warnings; checked again only after an edit,
// not in every picture.
const std::vector<AdventureProblem>& Editor::Problems() {
  if (!checkedAdventure_ || !(*checkedAdventure_ == Model.Adventure)) {
    problems_ = CheckAdventure(Model.Adventure);
    checkedAdventure_ = std::make_unique<AdventureRecord>(Model.Adventure);
  }
  return problems_;
}

void Editor::Draw() {
  Bitmap& surface = game_.M.DXDraw.Surface();
  StretchImage(game_.M.DXImageList.Get("Main_Menu_Slick"), surface, game_.M.DXDraw.ClientRect(), 0);
  game_.M.DXDraw.GetCanvas().Brush.Clear = true;
  DrawBoard();
  const std::vector<AdventureProblem>& problems = Problems();
  switch (Page) {
    case EditorPage::Board: DrawPalette(); break;
    case EditorPage::Adventure: DrawLevelList(problems); break;
    case EditorPage::Level: break;
    case EditorPage::Help: break;
  }
  DrawSide(problems);
  controls_.Draw(surface);
  if (Page == EditorPage::Level) DrawElementKinds();
  if (Page == EditorPage::Help) DrawHelp();
  DrawProof();
  if (!Prompt.IsOpen() && !Files.IsOpen()) DrawTooltip();
  Files.Draw(surface);
  Prompt.Draw(surface);
}

}  // namespace plumix
