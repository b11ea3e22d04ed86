// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/drop.h"

#include <algorithm>

#include "adventure/adventure_file.h"
#include "adventure/adventure_list.h"
#include "app/main_form.h"
#include "app/menus.h"
#include "media/draw.h"
#include "media/files.h"
#include "media/panels.h"
#include "places/places.h"
#include "settings/key_names.h"
#include "settings/theme_lists.h"

namespace plumix {
namespace {

// The list read afresh; on the title or the menus it opens on the new file.
void ShowInList(TMain& game, const std::string& name) {
  const uint8_t screen = game.Shell.ScreenState;
  if (screen != kTitleScreen && screen != kMenuScreen) {
    // A game is on: it goes on, and the adventure waits in the list.
    AddMessage(game.Panels, "Adventure copied:", name.substr(0, 18), "see Load Adventure.", kGreen);
    return;
  }
  LoadThemeLists(game);
  for (int i = 1; i <= std::min(game.Adv.AdventureCount, kMaxAdventures); ++i) {
    if (game.Adv.AdventureList[i].FileName != name) continue;
    game.Shell.ScreenState = kMenuScreen;
    game.Menu.MenuState = kListLoad;
    game.Adv.SelectedAdventure = i;
    game.Menu.ListCursorY = ListCursorRow(i);
    game.PlaySound("Main_Menu_Select");
    return;
  }
}

void CopyIn(TMain& game, const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::filesystem::path target = DroppedAdventurePath(game, name);
  std::string error;
  if (!MakeFolderFor(target, &error) || !WriteFileBytes(target, bytes, &error)) {
    game.ReportError(name + " could not be copied into " + target.parent_path().string() + ": " + error);
    return;
  }
  ShowInList(game, name);
}

}  // namespace

std::filesystem::path DroppedAdventurePath(const TMain& game, const std::string& name) {
  const FilePlaces places = game.Places();
  return (places.DataDir.empty() ? places.GameDir : places.DataDir) / "Adventures" / name;
}

void AdventureDropped(TMain& game, const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  if (!IsAdventureName(name)) {
    game.ReportError(name + " is not an adventure: adventure files end in .paf.");
    return;
  }
  std::string error;
  std::vector<uint8_t> bytes = ReadFileBytes(file, &error);
  if (error.empty()) {
    Parsed<AdventureRecord> adventure = ParseAdventure(bytes);
    if (!adventure) error = adventure.Error;
  }
  if (!error.empty()) {
    game.ReportError(name + " is not copied: " + error);
    return;
  }
  const std::filesystem::path target = DroppedAdventurePath(game, name);
  std::error_code ec;
  if (std::filesystem::equivalent(file, target, ec)) {
    ShowInList(game, name);
    return;
  }
  bool listed = std::filesystem::exists(target, ec);
  for (int i = 1; i <= std::min(game.Adv.AdventureCount, kMaxAdventures) && !listed; ++i) {
    listed = game.Adv.AdventureList[i].FileName == name;
  }
  if (listed) {
    game.Drop.PendingName = name;
    game.Drop.PendingBytes = std::move(bytes);
    game.PlaySound("Main_Menu_Up_Small");
    return;
  }
  CopyIn(game, name, bytes);
}

bool DropQuestionKey(TMain& game, uint16_t key) {
  DropState& drop = game.Drop;
  if (drop.PendingName.empty()) return false;
  const std::string name = std::move(drop.PendingName);
  const std::vector<uint8_t> bytes = std::move(drop.PendingBytes);
  drop = {};
  if (key == KeyCodeFromName("Y")) CopyIn(game, name, bytes);
  return true;
}

void DrawDropQuestion(TMain& game) {
  const DropState& drop = game.Drop;
  if (drop.PendingName.empty()) return;
  FillRect(game.M.DXDraw.Surface(), Rect{112, 330, 912, 440}, kBlack);
  Canvas& canvas = game.M.DXDraw.GetCanvas();
  canvas.Brush.Clear = true;
  canvas.Pen = CanvasPen{kSilver, 2};
  canvas.Rectangle(112, 330, 912, 440);
  canvas.Release();
  const std::string line = "An adventure named " + drop.PendingName + " is already there.";
  game.DrawText(132, 345, line, "Arial CE", 16, kWhite, kStyleNormal);
  game.DrawText(134, 387, "Replace it? (Y/N)", "Shotgun BT", 24, kBlack, kStyleBold);
  game.DrawText(132, 385, "Replace it? (Y/N)", "Shotgun BT", 24, kYellow, kStyleBold);
}

}  // namespace plumix
