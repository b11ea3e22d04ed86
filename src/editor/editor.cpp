#include "editor/editor.h"

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "adventure/level_setup.h"
#include "app/main_form.h"
#include "bot/bot.h"
#include "engine/board.h"
#include "media/draw.h"
#include "media/text.h"
#include "places/places.h"
#include "prove.h"

namespace plumix {
namespace {

constexpr int kSideX = 768;  // the right-hand panel
constexpr int kSideRight = 1018;
constexpr int kPageTop = 64;
constexpr int kWarningsTop = 640;
constexpr int kPaletteTop = 70;
constexpr int kPalettePitch = 30;
constexpr int kPalettePerRow = 8;
constexpr int kListTop = 250;
constexpr int kLevelListRows = 22;
constexpr int kListRowHeight = 14;
constexpr int kProofSeeds = 3;
// A level the bot has not won in 20 minutes of game time counts as lost.
constexpr int kProofFrames = 20 * 60 * 20;

constexpr const char* kSpecialNames[kSpecialKinds + 1] = {
    "",          "A carrot", "B tablet", "C genie caught", "D repair", "E virus deleted", "F level done",
    "G laser",   "H magnifier", "I wine", "J genie released", "K damage", "L virus"};
constexpr const char* kFrequencies[] = {"None", "Low", "Medium", "High"};

constexpr uint16_t kVkF5 = 116, kVkF6 = 117;

Rect PaletteRect(int index) {
  const int x = kSideX + (index % kPalettePerRow) * kPalettePitch;
  const int y = kPaletteTop + (index / kPalettePerRow) * kPalettePitch;
  return {x, y, x + kCellSize, y + kCellSize};
}

std::vector<std::string> Numbers(int from, int to) {
  std::vector<std::string> out;
  for (int n = from; n <= to; ++n) out.push_back(std::to_string(n));
  return out;
}

int32_t ParseNumber(const std::string& text, int32_t limit) {
  long long value = 0;
  for (char c : text) value = std::min<long long>(value * 10 + (c - '0'), limit);
  return static_cast<int32_t>(value);
}

// Empty, Void, Passage and the entry have no picture in the game; the editor
// marks them so they can be told apart.
void DrawPlainCell(Bitmap& surface, const Cell& cell, int px, int py) {
  const Rect r{px, py, px + kCellSize, py + kCellSize};
  if (cell.Code == kVoid) {
    FillRect(surface, r, 0x202020);
    for (int i = 0; i < kCellSize; i += 6) FillRect(surface, {px + i, py + i, px + i + 2, py + i + 2}, 0x505050);
  } else if (cell.Code == kPassage) {
    FillRect(surface, r, kMaroon);
  } else if (cell.Code == kEntryMark) {
    FillRect(surface, r, kRed);
  } else if (cell.Code > kEntryMark) {
    FillRect(surface, r, kMagenta);
  }
}

}  // namespace

PaintCell PaletteCell(int index) {
  static constexpr uint8_t kFirst[] = {kEmpty, kVoid, kEdge, kPassage, kEntryMark};
  if (index < 5) return {kFirst[index], 1};
  if (index < 5 + kSpecialKinds) return {static_cast<uint8_t>(kFirstSpecial + index - 5), 1};
  return {kBlock, static_cast<uint8_t>(index - 5 - kSpecialKinds + 1)};
}

std::string PaletteName(int index) {
  static constexpr const char* kNames[] = {"Empty", "Void", "Edge", "Passage", "Entry point"};
  if (index < 5) return kNames[index];
  if (index < 5 + kSpecialKinds) return std::string("Special ") + kSpecialNames[index - 4];
  return "Block of kind " + std::to_string(index - 4 - kSpecialKinds);
}

Editor::Editor(TMain& game) : game_(game), controls_(game.M.FontSet) {
  Palette = 5 + kSpecialKinds;  // a block of kind 1
  BuildControls();
  ShowPage(EditorPage::Board);
  SyncControls();
  ShowPath();
}

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

int Editor::Button(int page, const char* caption, Rect bounds, std::function<void()> click) {
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
  return index;
}

int Editor::LevelField(const char* label, int y, bool digits, size_t maxLength,
                       std::function<void(const std::string&)> set) {
  Widget w;
  w.Kind = WidgetKind::Edit;
  w.Bounds = {kSideX + 120, y, kSideRight, y + 20};
  w.DigitsOnly = digits;
  w.MaxLength = maxLength;
  const int index = controls_.AddLabelled(std::move(w), label, kWhite, LabelPos::lpLeft, 8, true);
  controls_.At(index).OnChange = [this, index, set] {
    Model.Change();
    saveWarned_ = false;
    set(controls_.At(index).Text);
  };
  pageOf_.push_back({index, static_cast<EditorPage>(buildPage_)});
  pageOf_.push_back({controls_.At(index).LabelComponent, static_cast<EditorPage>(buildPage_)});
  return index;
}

int Editor::Choice(const char* label, int y, std::vector<std::string> items, std::function<void(int)> set) {
  Widget w;
  w.Kind = WidgetKind::ComboBox;
  w.Bounds = {kSideX + 120, y, kSideRight, y + 20};
  w.Items = std::move(items);
  const int index = controls_.AddLabelled(std::move(w), label, kWhite, LabelPos::lpLeft, 8, true);
  controls_.At(index).OnChange = [this, index, set] {
    Model.Change();
    saveWarned_ = false;
    set(controls_.At(index).ItemIndex);
    SyncControls();
  };
  pageOf_.push_back({index, EditorPage::Level});
  pageOf_.push_back({controls_.At(index).LabelComponent, EditorPage::Level});
  return index;
}

void Editor::BuildControls() {
  const int w = 60;
  const char* pages[] = {"Board", "Level", "Adventure", "Help"};
  for (int i = 0; i < 4; ++i) {
    Button(-1, pages[i], {kSideX + i * (w + 2), 8, kSideX + i * (w + 2) + w, 30},
           [this, i] { ShowPage(static_cast<EditorPage>(i)); });
  }
  Button(-1, "<", {kSideX, 36, kSideX + 22, 58}, [this] { ShowLevel(Model.Level - 1); });
  Button(-1, ">", {kSideRight - 22, 36, kSideRight, 58}, [this] { ShowLevel(Model.Level + 1); });

  // Board page.
  const int board = static_cast<int>(EditorPage::Board);
  const char* tools[] = {"Pencil", "Rectangle", "Fill"};
  for (int i = 0; i < 3; ++i) {
    toolButtons_[i] = Button(board, tools[i], {kSideX + i * 84, 250, kSideX + i * 84 + 80, 272},
                             [this, i] { Tool = static_cast<EditorTool>(i); });
  }
  Button(board, "Mirror", {kSideX, 278, kSideX + 60, 300}, [this] { Model.MirrorLeftRight(); SyncControls(); });
  Button(board, "Clear", {kSideX + 63, 278, kSideX + 123, 300}, [this] { Model.ClearBoard(); SyncControls(); });
  Button(board, "Undo", {kSideX + 126, 278, kSideX + 186, 300}, [this] { Undo(); });
  Button(board, "Redo", {kSideX + 189, 278, kSideX + 249, 300}, [this] { Redo(); });
  Button(board, "Play (F5)", {kSideX, 306, kSideX + 122, 328}, [this] { StartTestPlay(); });
  Button(board, "Prove (F6)", {kSideX + 127, 306, kSideX + 249, 328}, [this] { Prove(); });

  // Level page.
  buildPage_ = static_cast<int>(EditorPage::Level);
  int y = kPageTop + 4;
  title_ = LevelField("Title", y, false, 30, [this](const std::string& t) { Model.Current().Title = t; });
  type_ = Choice("Type", y += 24, {"Action", "Bonus"},
                 [this](int i) { Model.Current().LevelType = static_cast<uint8_t>(i); });
  const std::vector<std::string> frequencies(std::begin(kFrequencies), std::end(kFrequencies));
  disasters_ = Choice("Disasters", y += 24, frequencies,
                      [this](int i) { Model.Current().DisasterFrequency = static_cast<uint8_t>(i); });
  specials_ = Choice("Specials", y += 24, frequencies,
                     [this](int i) { Model.Current().SpecialsFrequency = static_cast<uint8_t>(i); });
  startSpeed_ = LevelField("Start speed", y += 24, true, 3,
                           [this](const std::string& t) { Model.Current().StartSpeed = static_cast<uint8_t>(ParseNumber(t, 255)); });
  maxSpeed_ = LevelField("Maximal speed", y += 24, true, 3,
                         [this](const std::string& t) { Model.Current().MaximalSpeed = static_cast<uint8_t>(ParseNumber(t, 255)); });
  next_ = Choice("Next elements", y += 24, Numbers(0, 4),
                 [this](int i) { Model.Current().NextElements = static_cast<uint8_t>(i); });
  speedLines_ = LevelField("Lines a speed", y += 24, true, 6, [this](const std::string& t) {
    Model.Current().LinesToIncreaseSpeed = ParseNumber(t, 999999);
  });
  lines_ = LevelField("Lines to finish", y += 24, true, 6,
                      [this](const std::string& t) { Model.Current().LinesToFinish = ParseNumber(t, 999999); });
  time_ = LevelField("Time to finish", y += 24, true, 6,
                     [this](const std::string& t) { Model.Current().TimeToFinish = ParseNumber(t, 999999); });
  entryColumn_ = Choice("Entry column", y += 24, Numbers(1, kMaxEntry),
                        [this](int i) { Model.SetEntry(i + 1, Model.Current().EntryRow); });
  entryRow_ = Choice("Entry row", y += 24, Numbers(1, kMaxEntry),
                     [this](int i) { Model.SetEntry(Model.Current().EntryColumn, i + 1); });
  y += 30;
  auto check = [this](int x, int top, const std::string& caption, uint8_t* (*field)(LevelRecord&, int), int k, int width) {
    Widget c;
    c.Kind = WidgetKind::CheckBox;
    c.Caption = caption;
    c.TextColour = kWhite;
    c.Bounds = {x, top, x + width, top + 16};
    const int index = controls_.Add(std::move(c));
    controls_.At(index).OnClick = [this, index, field, k] {
      Model.Change();
      saveWarned_ = false;
      *field(Model.Current(), k) = controls_.At(index).Checked ? 1 : 0;
    };
    pageOf_.push_back({index, EditorPage::Level});
    return index;
  };
  for (int k = 1; k <= kElementKinds; ++k) {
    elements_[k] = check(kSideX + ((k - 1) % 6) * 42, y + ((k - 1) / 6) * 18, std::to_string(k),
                         [](LevelRecord& l, int i) { return &l.Elements[i]; }, k, 40);
  }
  y += 3 * 18 + 8;
  for (int k = 1; k <= kSpecialKinds; ++k) {
    specialKinds_[k] = check(kSideX + ((k - 1) % 2) * 125, y + ((k - 1) / 2) * 18, kSpecialNames[k],
                             [](LevelRecord& l, int i) { return &l.Specials[i]; }, k, 123);
  }

  // Adventure page.
  buildPage_ = static_cast<int>(EditorPage::Adventure);
  y = kPageTop + 4;
  file_ = LevelField("File", y, false, 0, [](const std::string&) {});
  controls_.At(file_).OnChange = nullptr;  // a path, not part of the adventure
  advTitle_ = LevelField("Title", y += 24, false, 30, [this](const std::string& t) { Model.Adventure.Title = t; });
  author_ = LevelField("Author", y += 24, false, 30, [this](const std::string& t) { Model.Adventure.Author = t; });
  contact_ = LevelField("Contact", y += 24, false, 25, [this](const std::string& t) { Model.Adventure.Contact = t; });
  const int adv = static_cast<int>(EditorPage::Adventure);
  y += 30;
  Button(adv, "New", {kSideX, y, kSideX + 46, y + 22}, [this] { NewAdventure(); });
  Button(adv, "Open", {kSideX + 50, y, kSideX + 96, y + 22}, [this] { Open(); });
  Button(adv, "Save", {kSideX + 100, y, kSideX + 146, y + 22}, [this] { Save(saveWarned_); });
  Button(adv, "Export", {kSideX + 150, y, kSideX + 198, y + 22}, [this] { ExportSource(); });
  Button(adv, "Import", {kSideX + 202, y, kSideX + 250, y + 22}, [this] { ImportSource(); });
  y += 28;
  auto list = [this](bool done) {
    if (!done) Status = "The level list is full (100) or cannot change so";
    SyncControls();
  };
  Button(adv, "Add", {kSideX, y, kSideX + 46, y + 22}, [this, list] { list(Model.AddLevel()); });
  Button(adv, "Copy", {kSideX + 50, y, kSideX + 96, y + 22}, [this, list] { list(Model.DuplicateLevel()); });
  Button(adv, "Delete", {kSideX + 100, y, kSideX + 146, y + 22}, [this, list] { list(Model.DeleteLevel()); });
  Button(adv, "Up", {kSideX + 150, y, kSideX + 198, y + 22}, [this, list] { list(Model.MoveLevel(-1)); });
  Button(adv, "Down", {kSideX + 202, y, kSideX + 250, y + 22}, [this, list] { list(Model.MoveLevel(1)); });
}

void Editor::ShowPage(EditorPage page) {
  Page = page;
  controls_.CloseDropDown();
  for (auto [index, on] : pageOf_) controls_.SetVisible(index, on == page);
  if (controls_.Focus() >= 0 && !controls_.At(controls_.Focus()).Visible) controls_.SetFocus(-1);
}

// Only where the model's file changes: between those the field holds what the designer typed.
void Editor::ShowPath() { controls_.SetText(file_, (Model.Path.empty() ? DefaultFile() : Model.Path).string()); }

void Editor::SyncControls() {
  Model.SelectLevel(Model.Level);
  const LevelRecord& level = Model.Current();
  controls_.SetText(title_, level.Title);
  controls_.At(type_).ItemIndex = level.LevelType == 0 ? 0 : 1;
  controls_.At(disasters_).ItemIndex = level.DisasterFrequency <= 3 ? level.DisasterFrequency : -1;
  controls_.At(specials_).ItemIndex = level.SpecialsFrequency <= 3 ? level.SpecialsFrequency : -1;
  controls_.SetText(startSpeed_, std::to_string(level.StartSpeed));
  controls_.SetText(maxSpeed_, std::to_string(level.MaximalSpeed));
  controls_.At(next_).ItemIndex = level.NextElements <= 4 ? level.NextElements : -1;
  const int32_t speedLines = level.LinesToIncreaseSpeed == kSpeedNeverRises ? 0 : level.LinesToIncreaseSpeed;
  controls_.SetText(speedLines_, std::to_string(std::max(0, speedLines)));
  controls_.SetText(lines_, std::to_string(std::max(0, level.LinesToFinish)));
  controls_.SetText(time_, std::to_string(std::max(0, level.TimeToFinish)));
  const auto entry = [](uint8_t v) { return v >= 1 && v <= kMaxEntry ? v - 1 : -1; };
  controls_.At(entryColumn_).ItemIndex = entry(level.EntryColumn);
  controls_.At(entryRow_).ItemIndex = entry(level.EntryRow);
  for (int k = 1; k <= kElementKinds; ++k) controls_.At(elements_[k]).Checked = level.Elements[k] != 0;
  for (int k = 1; k <= kSpecialKinds; ++k) controls_.At(specialKinds_[k]).Checked = level.Specials[k] != 0;
  controls_.SetText(advTitle_, Model.Adventure.Title);
  controls_.SetText(author_, Model.Adventure.Author);
  controls_.SetText(contact_, Model.Adventure.Contact);
  listTop_ = std::clamp(listTop_, std::max(1, Model.Level - kLevelListRows + 1), Model.Level);
}

void Editor::ShowLevel(int level) {
  if (level != Model.Level) ProofLines.clear();
  Model.SelectLevel(level);
  SyncControls();
}

void Editor::Undo() {
  Status = Model.Undo() ? "Undone" : "Nothing to undo";
  SyncControls();
}

void Editor::Redo() {
  Status = Model.Redo() ? "Redone" : "Nothing to redo";
  SyncControls();
}

void Editor::Save(bool force) {
  std::filesystem::path path = controls_.At(file_).Text;
  if (path.empty()) path = DefaultFile();
  std::string folderError;
  if (!MakeFolderFor(path, &folderError)) {
    Status = folderError;
    return;
  }
  const EditorSaveResult result = Model.Save(path, force);
  if (result.Saved) {
    Status = "Saved " + path.string();
    saveWarned_ = false;
    ShowPath();
  } else if (!result.Error.empty()) {
    Status = result.Error;
  } else {
    Status = "Not saved: " + result.Problems.front() + " (" + std::to_string(result.Problems.size()) +
             " problem(s); save again to save anyway)";
    saveWarned_ = true;
  }
  SyncControls();
}

void Editor::Open() {
  std::string error;
  if (Model.Open(controls_.At(file_).Text, &error)) {
    Status = "Opened " + Model.Path.string();
    listTop_ = 1;
    ShowPath();
  } else {
    Status = error;
  }
  SyncControls();
}

void Editor::NewAdventure() {
  Model.New();
  Status = "A new adventure";
  SyncControls();
  ShowPath();
}

void Editor::ExportSource() {
  const std::string path = SourcePath();
  const std::string text = Model.ExportSource();
  std::string error;
  Status = MakeFolderFor(path, &error) &&
                   WriteFileBytes(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), &error)
               ? "Exported " + path
               : error;
}

void Editor::ImportSource() {
  const std::string path = SourcePath();
  std::string error;
  const std::vector<uint8_t> bytes = ReadFileBytes(path, &error);
  if (bytes.empty()) {
    Status = error.empty() ? path + " is empty" : error;
    return;
  }
  Status = Model.ImportSource(std::string(bytes.begin(), bytes.end()), &error) ? "Imported " + path
                                                                              : path + ": " + error;
  SyncControls();
}

void Editor::StartTestPlay() {
  controls_.CloseDropDown();
  game_.M.DXInput.ReleaseAll();
  StartLevelDirectly(game_, Model.Adventure, Model.Level);
  game_.SetCursorMode("None");
  Playing = true;
}

void Editor::StopTestPlay(const std::string& why) {
  Playing = false;
  game_.Paused = false;
  game_.QuitPrompt = false;
  game_.M.DXInput.ReleaseAll();
  game_.M.DXSpriteEngine.Clear();
  game_.SetCursorMode("Arrow");
  Status = why;
}

void Editor::Prove() {
  controls_.CloseDropDown();
  ProveOptions options;
  options.Level = Model.Level;
  options.Seeds = kProofSeeds;
  options.GameDir = game_.Options.GameDir;
  const std::string caption = "Proving level " + std::to_string(Model.Level) + " (Escape stops)";
  options.Progress = [&](int done, int total) {
    DrawProgress(static_cast<double>(done) / total, caption);
    return !PumpEvents || PumpEvents();
  };
  DrawProgress(0, caption);
  std::ostringstream out, err;
  const int code = ProveAdventure(Model.Adventure, options, out, err);
  ProofLines.clear();
  std::istringstream lines(out.str() + err.str());
  for (std::string line; std::getline(lines, line);) ProofLines.push_back(line);
  Status = code == 0 ? "Proved: the bot won level " + std::to_string(Model.Level)
         : code == 1 ? "Not proved: the bot lost level " + std::to_string(Model.Level) + " in every game"
         : code == 3 ? "Proof stopped"
                     : "The proof could not run";
}

void Editor::DrawProgress(double done, const std::string& caption) {
  Bitmap& surface = game_.M.DXDraw.Surface();
  const Rect box{312, 340, 712, 420};
  FillRect(surface, box, kPanelGrey);
  Text(box.Left + 12, box.Top + 10, caption, kWhite);
  FillRect(surface, {box.Left + 12, box.Top + 44, box.Right - 12, box.Top + 64}, kBlack);
  const int width = static_cast<int>((box.Width() - 24) * std::clamp(done, 0.0, 1.0));
  FillRect(surface, {box.Left + 12, box.Top + 44, box.Left + 12 + width, box.Top + 64}, kGreen);
  game_.M.DXDraw.Flip();
}

}  // namespace plumix

namespace plumix {

void Editor::Text(int x, int y, const std::string& text, Colour colour, int size) {
  game_.DrawText(x, y, text, "Arial CE", size, colour, 0);
}

bool Editor::BoardCell(int px, int py, int& x, int& y) const {
  x = (px - kEditorBoardX) / kCellSize;
  y = (py - kEditorBoardY) / kCellSize;
  return px >= kEditorBoardX + kCellSize && py >= kEditorBoardY + kCellSize && InGrid(x, y);
}

void Editor::Event(const PlatformEvent& event) {
  if (Playing) {
    if (event.Type == PlatformEventType::KeyDown && event.Key == kVkEscape) {
      StopTestPlay("Test-play left");
      return;
    }
    if (event.Type == PlatformEventType::Quit) {
      StopTestPlay("Test-play left");
      Quit = true;
      return;
    }
    game_.Dispatch(event);
    return;
  }
  switch (event.Type) {
    case PlatformEventType::Quit: Quit = true; break;
    case PlatformEventType::KeyDown:
      game_.M.DXInput.KeyDown(event.Key);
      if (!controls_.KeyDown(event.Key, game_.M.DXInput.KeyHeld(kVkShift), game_.M.DXInput.KeyHeld(kVkMenu))) {
        KeyDown(event.Key);
      }
      break;
    case PlatformEventType::KeyUp:
      game_.M.DXInput.KeyUp(event.Key);
      controls_.KeyUp(event.Key);
      break;
    case PlatformEventType::TextInput:
      // Ctrl+letter shortcuts type nothing.
      if (!game_.M.DXInput.KeyHeld(kVkControl)) controls_.TextInput(Utf8ToCp1250(event.Text));
      break;
    case PlatformEventType::MouseMove: MouseMove(event.X, event.Y); break;
    case PlatformEventType::MouseDown:
      if (controls_.OpenList() >= 0 || controls_.HitTest(event.X, event.Y) >= 0) {
        if (event.Button == 1) controls_.MouseDown(event.X, event.Y);
      } else {
        controls_.SetFocus(-1);
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
      }
      break;
    case PlatformEventType::FocusLost: game_.M.DXInput.ReleaseAll(); break;
    default: break;
  }
}

bool Editor::KeyDown(uint16_t key) {
  const bool ctrl = game_.M.DXInput.KeyHeld(kVkControl);
  const bool shift = game_.M.DXInput.KeyHeld(kVkShift);
  if (ctrl) {
    switch (key) {
      case 'S': Save(saveWarned_); return true;
      case 'Z': shift ? Redo() : Undo(); return true;
      case 'Y': Redo(); return true;
      case 'O': Open(); return true;
      case 'N': NewAdventure(); return true;
      case 'E': ExportSource(); return true;
      case 'I': ImportSource(); return true;
      case 'M': Model.MirrorLeftRight(); SyncControls(); return true;
      case 'D': Status = Model.DuplicateLevel() ? "Level copied" : "The level list is full"; SyncControls(); return true;
      case kVkUp: Model.MoveLevel(-1); SyncControls(); return true;
      case kVkDown: Model.MoveLevel(1); SyncControls(); return true;
      default: return false;
    }
  }
  switch (key) {
    case kVkF1: ShowPage(Page == EditorPage::Help ? EditorPage::Board : EditorPage::Help); return true;
    case kVkF5: StartTestPlay(); return true;
    case kVkF6: Prove(); return true;
    case kVkPrior: ShowLevel(Model.Level - 1); return true;
    case kVkNext: ShowLevel(Model.Level + 1); return true;
    case kVkEscape: if (Page == EditorPage::Help) ShowPage(EditorPage::Board); return true;
    default: break;
  }
  // Letters and digits belong to an edit being typed in.
  const int focus = controls_.Focus();
  if (focus >= 0 && controls_.At(focus).Kind == WidgetKind::Edit) return false;
  switch (key) {
    case 'P': Tool = EditorTool::Pencil; return true;
    case 'R': Tool = EditorTool::Rectangle; return true;
    case 'F': Tool = EditorTool::Fill; return true;
    default: break;
  }
  // 1..9 and 0 pick the first ten palette entries.
  if (key >= '0' && key <= '9') {
    Palette = key == '0' ? 9 : key - '1';
    return true;
  }
  return false;
}

void Editor::MouseDown(int px, int py, int button) {
  int x = 0, y = 0;
  if (Page == EditorPage::Board) {
    for (int i = 0; i < kPaletteCount; ++i) {
      if (PaletteRect(i).Contains(px, py)) {
        Palette = i;
        return;
      }
    }
  }
  if (Page == EditorPage::Adventure && px >= kSideX && py >= kListTop && py < kListTop + kLevelListRows * kListRowHeight) {
    ShowLevel(listTop_ + (py - kListTop) / kListRowHeight);
    return;
  }
  if (!BoardCell(px, py, x, y)) return;
  saveWarned_ = false;
  // The right button paints Empty, as an eraser.
  const PaintCell cell = button == 3 ? PaintCell{kEmpty, 1} : PaletteCell(Palette);
  switch (Tool) {
    case EditorTool::Pencil:
      hoverX_ = x;
      hoverY_ = y;
      Model.Change();
      Model.Paint(x, y, cell);
      stroke_ = cell.Code != kEntryMark;
      strokeCell_ = cell;
      break;
    case EditorTool::Rectangle:
      rectangle_ = true;
      strokeCell_ = cell;
      rectX_ = hoverX_ = x;
      rectY_ = hoverY_ = y;
      break;
    case EditorTool::Fill: Model.Fill(x, y, cell); break;
  }
  SyncControls();
}

void Editor::MouseMove(int px, int py) {
  controls_.MouseMove(px, py);
  int x = 0, y = 0;
  if (!BoardCell(px, py, x, y)) return;
  if (stroke_) {
    // A quick pointer skips cells between two events; the stroke fills them in.
    const int steps = std::max(std::abs(x - hoverX_), std::abs(y - hoverY_));
    for (int i = 1; i <= steps; ++i) {
      Model.Paint(hoverX_ + (x - hoverX_) * i / steps, hoverY_ + (y - hoverY_) * i / steps, strokeCell_);
    }
  }
  hoverX_ = x;
  hoverY_ = y;
}

void Editor::MouseUp(int, int) {
  if (rectangle_) {
    Model.PaintRect(rectX_, rectY_, hoverX_, hoverY_, strokeCell_);
    SyncControls();
  }
  stroke_ = false;
  rectangle_ = false;
}

void Editor::Frame() {
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

void Editor::DrawBoard() {
  Bitmap& surface = game_.M.DXDraw.Surface();
  const LevelRecord& level = Model.Current();
  FillRect(surface, {kEditorBoardX + kCellSize - 2, kEditorBoardY + kCellSize - 2,
                     kEditorBoardX + 31 * kCellSize + 2, kEditorBoardY + 31 * kCellSize + 2}, kSilver);
  FillRect(surface, {kEditorBoardX + kCellSize, kEditorBoardY + kCellSize, kEditorBoardX + 31 * kCellSize,
                     kEditorBoardY + 31 * kCellSize}, kBlack);
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      DrawPlainCell(surface, level.Board[x][y], x * kCellSize + kEditorBoardX, y * kCellSize + kEditorBoardY);
    }
  }
  DrawBoardCells(game_.M, surface, level.Board, kEditorBoardX, kEditorBoardY);
  // The element box at the entry point, and the rectangle being drawn.
  Canvas& canvas = game_.M.DXDraw.GetCanvas();
  canvas.Brush.Clear = true;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = kRed;
  const int ex = level.EntryColumn * kCellSize + kEditorBoardX, ey = level.EntryRow * kCellSize + kEditorBoardY;
  canvas.Rectangle(ex, ey, ex + 4 * kCellSize, ey + 4 * kCellSize);
  if (rectangle_) {
    canvas.Pen.Color = kYellow;
    canvas.Rectangle(std::min(rectX_, hoverX_) * kCellSize + kEditorBoardX, std::min(rectY_, hoverY_) * kCellSize + kEditorBoardY,
                     (std::max(rectX_, hoverX_) + 1) * kCellSize + kEditorBoardX,
                     (std::max(rectY_, hoverY_) + 1) * kCellSize + kEditorBoardY);
  }
  canvas.Release();
}

void Editor::DrawPalette() {
  Bitmap& surface = game_.M.DXDraw.Surface();
  for (int i = 0; i < kPaletteCount; ++i) {
    const Rect r = PaletteRect(i);
    const PaintCell p = PaletteCell(i);
    FillRect(surface, r, kBlack);
    const Cell cell{p.Code, p.Kind};
    DrawPlainCell(surface, cell, r.Left, r.Top);
    DrawBoardCell(game_.M, surface, cell, r.Left, r.Top);
    if (i == Palette) {
      FillRect(surface, {r.Left - 3, r.Bottom + 1, r.Right + 3, r.Bottom + 3}, kYellow);
      FillRect(surface, {r.Left - 3, r.Top - 3, r.Right + 3, r.Top - 1}, kYellow);
    }
  }
  Text(kSideX, 225, "Brush: " + PaletteName(Palette), kYellow);
  const Rect tool = controls_.At(toolButtons_[static_cast<int>(Tool)]).Bounds;
  FillRect(surface, {tool.Left, tool.Bottom + 1, tool.Right, tool.Bottom + 3}, kYellow);
  DrawLevelPreview(game_, Model.Current(), kSideX + 30, 338, 6);
}

void Editor::DrawLevelList(const std::vector<AdventureProblem>& problems) {
  Bitmap& surface = game_.M.DXDraw.Surface();
  FillRect(surface, {kSideX, kListTop, kSideRight, kListTop + kLevelListRows * kListRowHeight}, kBlack);
  const int count = Model.LevelCount();
  for (int row = 0; row < kLevelListRows && listTop_ + row <= count; ++row) {
    const int k = listTop_ + row;
    const int y = kListTop + row * kListRowHeight;
    if (k == Model.Level) FillRect(surface, {kSideX, y, kSideRight, y + kListRowHeight}, kMaroon);
    const bool warned = std::any_of(problems.begin(), problems.end(),
                                    [k](const AdventureProblem& p) { return p.Level == k; });
    Text(kSideX + 4, y, std::to_string(k) + ". " + Model.Adventure.Levels[k].Title + (warned ? "  (!)" : ""),
         warned ? kYellow : kWhite, 11);
  }
  Text(kSideX, kListTop + kLevelListRows * kListRowHeight + 4,
       std::to_string(count) + " of " + std::to_string(kMaxLevels) + " levels; wheel scrolls", kSilver, 11);
}

void Editor::DrawSide(const std::vector<AdventureProblem>& all) {
  const std::string head = "Level " + std::to_string(Model.Level) + " of " + std::to_string(Model.LevelCount()) +
                           (Model.Dirty ? "  *" : "");
  Text(kSideX + 30, 38, head, kWhite, 14);
  int y = kWarningsTop;
  for (const AdventureProblem& p : all) {
    if (p.Level == Model.Level && y < 740) y = Wrapped(y, "! " + p.Field + ": " + p.Message, kYellow);
  }
  for (size_t i = 0; i < ProofLines.size() && y < 740; ++i) y = Wrapped(y, ProofLines[i], kAqua);
  Text(kSideX, 748, Status, kGreen, 11);
}

int Editor::Wrapped(int y, const std::string& text, Colour colour) {
  constexpr size_t kColumns = 42;
  size_t start = 0;
  while (start < text.size() && y < 740) {
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
      {"F5", "test-play the level (Escape returns)"},
      {"F6", "prove the level with the bot (Escape stops)"},
      {"Page Up / Page Down", "previous / next level"},
      {"P  R  F", "pencil, rectangle, fill"},
      {"1 .. 9, 0", "the first ten palette entries"},
      {"right mouse button", "paints Empty"},
      {"Ctrl+Z", "undo"},
      {"Ctrl+Y, Ctrl+Shift+Z", "redo"},
      {"Ctrl+S", "save (again: save despite the problems shown)"},
      {"Ctrl+O", "open the file named on the Adventure page"},
      {"Ctrl+N", "new adventure"},
      {"Ctrl+E  /  Ctrl+I", "export / import <name>/adventure.txt"},
      {"Ctrl+M", "mirror the board left-right"},
      {"Ctrl+D", "copy the level"},
      {"Ctrl+Up / Ctrl+Down", "move the level in the list"},
  };
  Bitmap& surface = game_.M.DXDraw.Surface();
  const Rect box{50, 120, 730, 180 + 24 * static_cast<int>(std::size(kKeys))};
  FillRect(surface, {box.Left - 2, box.Top - 2, box.Right + 2, box.Bottom + 2}, kSilver);
  FillRect(surface, box, kBlack);
  Text(box.Left + 20, box.Top + 12, "Plumix Adventure editor: keys", kYellow, 18);
  int y = box.Top + 50;
  for (const auto& line : kKeys) {
    Text(box.Left + 20, y, line[0], kAqua, 14);
    Text(box.Left + 230, y, line[1], kWhite, 14);
    y += 24;
  }
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
    case EditorPage::Help:
    case EditorPage::Level: break;
  }
  DrawSide(problems);
  controls_.Draw(surface);
  if (Page == EditorPage::Help) DrawHelp();
}

}  // namespace plumix
