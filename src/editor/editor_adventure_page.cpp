// SPDX-License-Identifier: GPL-3.0-or-later
// The Adventure page: the file, the adventure's names and its level list.
#include <algorithm>

#include "app/main_form.h"
#include "editor/editor.h"
#include "editor/editor_layout.h"
#include "media/draw.h"
#include "media/text.h"

namespace plumix {

void Editor::BuildAdventurePage() {
  const int adv = static_cast<int>(EditorPage::Adventure);
  buildPage_ = adv;
  int y = kPageTop + 4;
  Widget file;
  file.Kind = WidgetKind::Label;
  file.TextColour = kWhite;
  file.Bounds = {kSideX, y, kSideRight, y + 16};
  fileLabel_ = controls_.Add(std::move(file));
  pageOf_.push_back({fileLabel_, EditorPage::Adventure});
  LevelField("Title", y += 24, false, 30, [this](const std::string& t) { Model.Adventure.Title = t; },
             [this] { return Model.Adventure.Title; }, "The adventure's name in the game's list");
  LevelField("Author", y += 24, false, 30, [this](const std::string& t) { Model.Adventure.Author = t; },
             [this] { return Model.Adventure.Author; }, "Who made it");
  LevelField("Contact", y += 24, false, 25, [this](const std::string& t) { Model.Adventure.Contact = t; },
             [this] { return Model.Adventure.Contact; }, "Where players reach the author");
  y += 30;
  Button(adv, "New", {kSideX, y, kSideX + 46, y + 22}, [this] { NewAdventure(); }, "A new adventure (Ctrl+N)");
  Button(adv, "Open", {kSideX + 50, y, kSideX + 96, y + 22}, [this] { Open(); }, "Open an adventure (Ctrl+O)");
  Button(adv, "Save", {kSideX + 100, y, kSideX + 146, y + 22}, [this] { Save(); }, "Save (Ctrl+S)");
  Button(adv, "Save as", {kSideX + 150, y, kSideX + 210, y + 22}, [this] { SaveAs(); },
         "Save under another name (Ctrl+Shift+S)");
  y += 28;
  Button(adv, "Export", {kSideX, y, kSideX + 60, y + 22}, [this] { ExportSource(); },
         "Write <name>/adventure.txt beside the file (Ctrl+E)");
  Button(adv, "Import", {kSideX + 64, y, kSideX + 124, y + 22}, [this] { ImportSource(); },
         "Read an adventure source (Ctrl+I)");
  y += 28;
  auto list = [this](bool done) {
    if (!done) SetStatus("The level list is full (100) or cannot change so", true);
  };
  Button(adv, "Add", {kSideX, y, kSideX + 46, y + 22}, [this, list] { list(Model.AddLevel()); },
         "A new level after this one");
  Button(adv, "Copy", {kSideX + 50, y, kSideX + 96, y + 22}, [this, list] { list(Model.DuplicateLevel()); },
         "A copy of this level after it (Ctrl+D)");
  Button(adv, "Delete", {kSideX + 100, y, kSideX + 146, y + 22}, [this, list] { list(Model.DeleteLevel()); },
         "Delete this level (Ctrl+Z brings it back)");
  Button(adv, "Up", {kSideX + 150, y, kSideX + 198, y + 22}, [this, list] { list(Model.MoveLevel(-1)); },
         "Move the level up (Ctrl+Up)");
  Button(adv, "Down", {kSideX + 202, y, kSideX + 250, y + 22}, [this, list] { list(Model.MoveLevel(1)); },
         "Move the level down (Ctrl+Down)");
}

void Editor::ShowPath() {
  const std::string path = Model.Path.empty() ? "(not saved yet)" : Model.Path.string();
  controls_.At(fileLabel_).Caption = Utf8ToCp1250("File: " + path);
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
    // The proof's games won for the level, beside it.
    const auto proved = ProofWins.find(k);
    if (proved != ProofWins.end()) {
      Text(kSideRight - 40, y, proved->second, proved->second.front() == '0' ? kRed : kGreen, 11);
    }
  }
  Text(kSideX, kListTop + kLevelListRows * kListRowHeight + 4,
       std::to_string(count) + " of " + std::to_string(kMaxLevels) + " levels; wheel scrolls", kSilver, 11);
}

}  // namespace plumix
