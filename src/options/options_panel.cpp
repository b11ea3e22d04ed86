// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/options_panel.h"

#include <array>
#include <string>
#include <utility>

#include "app/keys.h"
#include "app/main_form.h"
#include "app/menus.h"
#include "engine/board.h"
#include "engine/play_frame.h"
#include "media/draw.h"
#include "settings/key_names.h"
#include "settings/settings_file.h"
#include "settings/themes.h"

namespace plumix {
namespace {

constexpr size_t kTextLimit = 30;
constexpr int kPanelX = kControlPanelRect.Left, kPanelY = kControlPanelRect.Top;
constexpr int kKeysGroupHeight = 161, kMenuKeysGroupHeight = 193;

Rect At(int groupX, int groupY, int x, int y, int width, int height) {
  const int left = kPanelX + groupX + x, top = kPanelY + groupY + y;
  return Rect{left, top, left + width, top + height};
}

struct Group {
  int X, Y;
};

int AddGroup(WidgetSet& set, std::string_view caption, Group g, int width, int height) {
  Widget w;
  w.Kind = WidgetKind::GroupBox;
  w.Caption = std::string(caption);
  w.TextColour = kWhite;
  w.Bounds = At(g.X, g.Y, 0, 0, width, height);
  return set.Add(std::move(w));
}

void AddLabel(WidgetSet& set, Group g, int x, int y, std::string_view caption, Colour colour) {
  Widget w;
  w.Kind = WidgetKind::Label;
  w.Caption = std::string(caption);
  w.TextColour = colour;
  w.Bounds = At(g.X, g.Y, x, y, set.TextWidth(caption), WidgetSet::kItemHeight);
  set.Add(std::move(w));
}

int AddCheck(WidgetSet& set, Group g, int x, int y, std::string_view caption, Colour colour) {
  Widget w;
  w.Kind = WidgetKind::CheckBox;
  w.Caption = std::string(caption);
  w.TextColour = colour;
  w.Bounds = At(g.X, g.Y, x, y, 20 + set.TextWidth(caption), 17);
  return set.Add(std::move(w));
}

int AddCombo(WidgetSet& set, Group g, std::string_view label) {
  Widget w;
  w.Kind = WidgetKind::ComboBox;
  w.Bounds = At(g.X, g.Y, 16, 32, 185, 21);
  return set.AddLabelled(std::move(w), label, kGreen, LabelPos::lpTop, 2, false);
}

int AddEdit(WidgetSet& set, Group g, int x, int y, int width, std::string_view label, Colour colour,
            size_t limit) {
  Widget w;
  w.Kind = WidgetKind::Edit;
  w.MaxLength = limit;
  w.Bounds = At(g.X, g.Y, x, y, width, 21);
  // The layout's captions end with their own " :", so no colon is added.
  return set.AddLabelled(std::move(w), label, colour, LabelPos::lpLeft, 5, false);
}

void Choose(TMain& game, int control, uint8_t& choice, bool (*load)(TMain&)) {
  game.PlaySound("Options_CB_Select");
  choice = static_cast<uint8_t>(game.ControlPanel.Controls.At(control).ItemIndex + 1);
  if (load(game)) RedrawBehindPanel(game);
}

void Switch(TMain& game, int control, bool& setting) {
  game.PlaySound("Options_Checkbox_Click");
  setting = game.ControlPanel.Controls.At(control).Checked;
}

void Typed(TMain& game, int control, std::string& setting) {
  game.PlaySound("Options_Type_Letter");
  setting = game.ControlPanel.Controls.At(control).Text.substr(0, kTextLimit);
}

bool Modifier(uint16_t key) { return key == kVkShift || key == kVkControl || key == kVkMenu; }

void Capture(TMain& game, int control, std::string& setting, uint16_t key) {
  game.PlaySound("Options_Type_Letter");
  const std::string name = KeyNameFromCode(key).substr(0, kTextLimit);
  game.ControlPanel.Controls.SetText(control, name);
  setting = name;
}

void ForgetModifier(OptionsPanel& panel) {
  panel.PendingModifier = 0;
  panel.PendingEdit = -1;
}

// A key edit takes the next key pressed. Shift, Ctrl and Alt are taken when
// they are let go alone in the edit they went down in, so that Shift+Tab
// (or Ctrl+Tab, Alt+Tab) leaves the edit and stores nothing in the next.
void MakeKeyEdit(TMain& game, int control, std::string& setting) {
  Widget& w = game.ControlPanel.Controls.At(control);
  w.OnKeyDown = [&game, control, &setting](uint16_t key) {
    OptionsPanel& panel = game.ControlPanel;
    ForgetModifier(panel);
    // Leaving from a key edit is leaving as anywhere else on the panel.
    if (!game.OptionsOpen && (key == kVkReturn || key == kVkF1)) {
      LeaveMenuOptions(game);
    } else if (key == kVkF1) {
      BtnSaveClick(game);
    } else if (Modifier(key)) {
      panel.PendingModifier = key;
      panel.PendingEdit = control;
      panel.PendingFullScreen = game.M.DXDraw.FullScreen();
    } else {
      Capture(game, control, setting, key);
    }
    return true;
  };
  w.OnKeyUp = [&game, control, &setting](uint16_t key) {
    OptionsPanel& panel = game.ControlPanel;
    if (key != panel.PendingModifier || control != panel.PendingEdit) return;
    ForgetModifier(panel);
    // Alt+Enter switched the display mode: the Alt was the window's.
    if (panel.PendingFullScreen != game.M.DXDraw.FullScreen()) return;
    Capture(game, control, setting, key);
  };
}

// The edits and the settings they show: what is shown on opening is what the
// edits write back.
std::array<std::pair<int, std::string*>, 3> TextEdits(OptionsPanel& p, SettingsRecord& s) {
  return {{{p.SetName, &s.PlayerName}, {p.SetDropSpeed, &s.DropSpeed}, {p.SetLRSpeed, &s.LRSpeed}}};
}

std::array<std::pair<int, std::string*>, 7> KeyEdits(OptionsPanel& p, SettingsRecord& s) {
  return {{{p.SetLeft, &s.KeyLeft},
           {p.SetRight, &s.KeyRight},
           {p.SetRotate, &s.KeyRotate},
           {p.SetDrop, &s.KeyDrop},
           {p.SetAction, &s.KeyAction},
           {p.SetIncSpeed, &s.KeySpeedUp},
           {p.SetPause, &s.KeyPause}}};
}

std::array<std::pair<int, bool*>, 4> RandomSwitches(OptionsPanel& p, SettingsRecord& s) {
  return {{{p.CBRandomTile, &s.RandomTile},
           {p.CBRandomCube, &s.RandomCube},
           {p.CBRandomBack, &s.RandomEdge},
           {p.CBRandomMusic, &s.RandomTrack}}};
}

// The menu's page has no Save button, and its keys group is taller.
void MenuLayout(OptionsPanel& panel, bool menu) {
  WidgetSet& set = panel.Controls;
  const Rect keys = set.At(panel.GB6).Bounds;
  set.Place(panel.GB6, Rect{keys.Left, keys.Top, keys.Right,
                            keys.Top + (menu ? kMenuKeysGroupHeight : kKeysGroupHeight)});
  set.SetVisible(panel.BtnSave, !menu);
}

void SetItems(WidgetSet& set, int control, const std::vector<std::string>& items) {
  set.At(control).Items = items;
}

void ShowPanel(TMain& game, bool menu) {
  OptionsPanel& panel = game.ControlPanel;
  WidgetSet& set = panel.Controls;
  SettingsRecord& s = game.Settings;
  SetItems(set, panel.CBTile, game.Themes.Tiles);
  SetItems(set, panel.CBCube, game.Themes.Cubes);
  SetItems(set, panel.CBBack, game.Themes.Edges);
  SetItems(set, panel.CBMusic, game.Themes.Tracks);
  ShowSettingsOnPanel(game);
  for (const auto& [control, text] : TextEdits(panel, s)) set.SetText(control, *text);
  for (const auto& [control, text] : KeyEdits(panel, s)) set.SetText(control, *text);
  MenuLayout(panel, menu);
  set.CloseDropDown();
  set.SetFocus(-1);
  set.SetFocus(panel.CBTile);
  set.ReleaseKeys();
  ForgetModifier(panel);
  panel.Visible = true;
  // The pointer shows while the panel is open, on the menu page as well.
  game.SetCursorMode("Arrow");
}

void HidePanel(TMain& game) {
  game.ControlPanel.Visible = false;
  game.ControlPanel.Controls.CloseDropDown();
  game.SetCursorMode("None");
}

}  // namespace

void BuildControlPanel(TMain& game) {
  OptionsPanel& p = game.ControlPanel;
  WidgetSet& set = p.Controls;
  SettingsRecord& s = game.Settings;
  TMain* g = &game;

  const Group tiles{8, 8};
  AddGroup(set, " Tiled Background ", tiles, 217, 97);
  p.CBTile = AddCombo(set, tiles, "Select Tile");
  p.CBRandomTile = AddCheck(set, tiles, 16, 56, "Randomly Select On Level Start", kAqua);
  p.CBTransparent = AddCheck(set, tiles, 16, 72, "Tiled Background Enabled", kYellow);

  const Group music{232, 8};
  AddGroup(set, " Music And Sound  Effects ", music, 217, 97);
  p.CBMusic = AddCombo(set, music, "Select Background Music");
  p.CBRandomMusic = AddCheck(set, music, 16, 56, "Randomly Select On End Track", kAqua);
  p.CBSfxOFF = AddCheck(set, music, 16, 72, "Sound Effects OFF", kYellow);
  p.CBMusicOFF = AddCheck(set, music, 130, 72, "Music OFF", kYellow);

  const Group edge{8, 112};
  AddGroup(set, " Plumix Edge ", edge, 217, 81);
  p.CBBack = AddCombo(set, edge, "Select Edge Button Set");
  p.CBRandomBack = AddCheck(set, edge, 16, 56, "Randomly Select On Level Start", kAqua);

  const Group cube{232, 112};
  AddGroup(set, " Plumix Cube ", cube, 217, 81);
  p.CBCube = AddCombo(set, cube, "Select Cube Button Set");
  p.CBRandomCube = AddCheck(set, cube, 16, 56, "Randomly Select On Level Start", kAqua);

  const Group keys{8, 200};
  AddGroup(set, " Player Keys And Other Settings ", keys, 281, 193);
  p.SetName = AddEdit(set, keys, 56, 24, 209, "Name :", kAqua, kTextLimit);
  p.SetLeft = AddEdit(set, keys, 56, 64, 65, "Left :", kGreen, 1);
  p.SetRight = AddEdit(set, keys, 56, 88, 65, "Right :", kGreen, 1);
  p.SetRotate = AddEdit(set, keys, 56, 112, 65, "Rotate :", kGreen, 1);
  p.SetDrop = AddEdit(set, keys, 56, 136, 65, "Drop :", kGreen, 1);
  p.SetAction = AddEdit(set, keys, 56, 160, 65, "Action :", kGreen, 1);
  p.SetIncSpeed = AddEdit(set, keys, 200, 64, 65, "Inc. Speed :", kGreen, 1);
  p.SetPause = AddEdit(set, keys, 200, 88, 65, "Pause :", kGreen, 1);
  p.SetDropSpeed = AddEdit(set, keys, 200, 136, 65, "Drop Speed :", kYellow, 5);
  p.SetLRSpeed = AddEdit(set, keys, 200, 160, 65, "L/R Speed :", kYellow, 5);

  const Group fixed{296, 200};
  p.GB6 = AddGroup(set, " Other Predefined Keys ", fixed, 153, kKeysGroupHeight);
  const char* lines[] = {"F5 : Random Button Set",    "F6 : Random Plumix Edge",
                         "F7 : Random Backgr. Tile",  "F8 : Random Music",
                         "F10 : Tiled Backgr. ON/OFF", "F11 : Sound FX ON/OFF",
                         "F12 : Music ON/OFF"};
  const int lineY[] = {24, 40, 56, 72, 104, 120, 136};
  for (int i = 0; i < 7; ++i) AddLabel(set, fixed, 16, lineY[i], lines[i], i < 4 ? kGreen : kYellow);

  Widget save;
  save.Kind = WidgetKind::Button;
  save.Caption = "Save / Continue (F1)";
  save.Bounds = At(0, 0, 296, 368, 153, 25);
  p.BtnSave = set.Add(std::move(save));

  set.At(p.CBTile).OnChange = [g] { Choose(*g, g->ControlPanel.CBTile, g->Settings.TileChoice, LoadTile); };
  set.At(p.CBBack).OnChange = [g] { Choose(*g, g->ControlPanel.CBBack, g->Settings.EdgeChoice, LoadEdge); };
  set.At(p.CBCube).OnChange = [g] {
    Choose(*g, g->ControlPanel.CBCube, g->Settings.CubeChoice, LoadCubeTheme);
  };
  set.At(p.CBMusic).OnChange = [g] {
    g->PlaySound("Options_CB_Select");
    g->Settings.TrackChoice = static_cast<uint8_t>(g->ControlPanel.Controls.At(g->ControlPanel.CBMusic).ItemIndex + 1);
    if (!g->Settings.MusicOff) g->StartTrack(true);
  };
  for (int box : {p.CBTile, p.CBBack, p.CBCube, p.CBMusic}) {
    set.At(box).OnDropDown = [g] { g->PlaySound("Options_CB_Open"); };
  }
  // Named copies, not structured bindings: lambdas cannot capture those on every compiler we build with.
  for (const auto& entry : RandomSwitches(p, s)) {
    const int box = entry.first;
    bool* setting = entry.second;
    set.At(box).OnClick = [g, box, setting] { Switch(*g, box, *setting); };
  }
  set.At(p.CBTransparent).OnClick = [g] {
    Switch(*g, g->ControlPanel.CBTransparent, g->Settings.TiledBackground);
    RedrawBehindPanel(*g);
  };
  set.At(p.CBMusicOFF).OnClick = [g] {
    g->PlaySound("Options_Checkbox_Click");
    SetMusic(*g, g->ControlPanel.Controls.At(g->ControlPanel.CBMusicOFF).Checked);
  };
  set.At(p.CBSfxOFF).OnClick = [g] {
    // Set first, so that the click is heard only when the effects come back on.
    g->Settings.SfxOff = g->ControlPanel.Controls.At(g->ControlPanel.CBSfxOFF).Checked;
    g->PlaySound("Options_Checkbox_Click");
  };
  for (const auto& entry : TextEdits(p, s)) {
    const int edit = entry.first;
    std::string* setting = entry.second;
    set.At(edit).OnChange = [g, edit, setting] { Typed(*g, edit, *setting); };
  }
  set.At(p.SetDropSpeed).DigitsOnly = set.At(p.SetLRSpeed).DigitsOnly = true;
  for (const auto& [edit, setting] : KeyEdits(p, s)) MakeKeyEdit(game, edit, *setting);
  set.At(p.BtnSave).OnClick = [g] { BtnSaveClick(*g); };
  set.UseClipboard(&game.M.DXClipboard);
}

void OpenOptionsPanel(TMain& game) {
  game.PlaySound("Options_Save");
  game.OptionsOpen = true;
  ShowPanel(game, false);
}

void OpenMenuOptions(TMain& game) { ShowPanel(game, true); }

void CloseMenuOptions(TMain& game) {
  OptionsPanel& panel = game.ControlPanel;
  HidePanel(game);
  MenuLayout(panel, false);
}

void BtnSaveClick(TMain& game) {
  if (game.OptionsOpen) game.PlaySound("Options_Save");
  game.OptionsOpen = false;
  HidePanel(game);
  ApplyKeyAssignments(game);
  SaveSettings(game);
}

void ShowSettingsOnPanel(TMain& game) {
  OptionsPanel& p = game.ControlPanel;
  WidgetSet& set = p.Controls;
  SettingsRecord& s = game.Settings;
  set.At(p.CBTile).ItemIndex = s.TileChoice - 1;
  set.At(p.CBCube).ItemIndex = s.CubeChoice - 1;
  set.At(p.CBBack).ItemIndex = s.EdgeChoice - 1;
  set.At(p.CBMusic).ItemIndex = s.TrackChoice - 1;
  for (const auto& [box, on] : RandomSwitches(p, s)) set.At(box).Checked = *on;
  set.At(p.CBTransparent).Checked = s.TiledBackground;
  set.At(p.CBMusicOFF).Checked = s.MusicOff;
  set.At(p.CBSfxOFF).Checked = s.SfxOff;
}

void DrawControlPanelFrame(TMain& game, int top) {
  DrawImage(game.M.DXImageList.Get("Control_Panel"), game.M.DXDraw.Surface(), 270, top, 0);
  // The panel covers the plate's lower part and lies at the same place on
  // both screens, so the caption keeps its place too: the menu's frame,
  // 6 pixels lower, would push it under the panel.
  game.DrawText(430, 175, "GAME OPTIONS", "Arial CE", 16, kBlack, kStyleBold);
  game.DrawText(432, 173, "GAME OPTIONS", "Arial CE", 16, kGreen, kStyleBold);
}

void DrawControlPanel(TMain& game) {
  if (!game.ControlPanel.Visible) return;
  ShowSettingsOnPanel(game);
  Bitmap& surface = game.M.DXDraw.Surface();
  FillRect(surface, kControlPanelRect, kPanelGrey);
  game.ControlPanel.Controls.Draw(surface);
}

// The game stands still behind the panel, so everything a play frame moves
// on is put back after drawing it, and its sounds are kept quiet.
void RedrawBehindPanel(TMain& game) {
  if (!game.OptionsOpen) return;
  const PlayState play = game.Play;
  const SpecialsState specials = game.Specials;
  const DisasterState disasters = game.Disasters;
  const PanelState panels = game.Panels;
  const PlumixState plumix = game.Plumix;
  const LevelRecord level = PlayLevel(game);
  const int32_t score = game.Adv.Score;
  const auto levelScores = game.Adv.LevelScores;
  const Random rng = game.Rng;
  const NoticeState notices = game.Notices;
  const uint8_t screen = game.Shell.ScreenState;
  const bool sfxOff = game.Settings.SfxOff;
  game.Settings.SfxOff = true;
  PlayFrame(game, false);
  game.Settings.SfxOff = sfxOff;
  game.Play = play;
  game.Specials = specials;
  game.Disasters = disasters;
  game.Panels = panels;
  game.Plumix = plumix;
  PlayLevel(game) = level;
  game.Adv.Score = score;
  game.Adv.LevelScores = levelScores;
  game.Rng = rng;
  game.Notices = notices;
  game.Shell.ScreenState = screen;
}

bool ControlPanelKeyDown(TMain& game, uint16_t key, bool repeat) {
  OptionsPanel& panel = game.ControlPanel;
  if (!panel.Visible) return false;
  // A modifier followed by another key was part of a chord, not a key to capture.
  if (!Modifier(key)) ForgetModifier(panel);
  const KeyboardReader& in = game.M.DXInput;
  const KeyFlags flags{in.KeyHeld(kVkShift), in.KeyHeld(kVkControl), in.KeyHeld(kVkMenu), repeat};
  return panel.Controls.KeyDown(key, flags);
}

void ControlPanelReleaseKeys(TMain& game) {
  game.ControlPanel.Controls.ReleaseKeys();
  ForgetModifier(game.ControlPanel);
}

void ControlPanelKeyUp(TMain& game, uint16_t key) {
  if (game.ControlPanel.Visible) game.ControlPanel.Controls.KeyUp(key);
}

void ControlPanelInput(TMain& game, const PlatformEvent& event) {
  OptionsPanel& panel = game.ControlPanel;
  if (!panel.Visible) return;
  switch (event.Type) {
    case PlatformEventType::MouseMove: panel.Controls.MouseMove(event.X, event.Y); break;
    case PlatformEventType::MouseDown:
      // Shift held through a click is Shift+click, not a key to capture.
      ForgetModifier(panel);
      if (event.Button == 1) panel.Controls.MouseDown(event.X, event.Y, event.Clicks);
      break;
    case PlatformEventType::MouseUp:
      if (event.Button == 1) panel.Controls.MouseUp(event.X, event.Y);
      break;
    case PlatformEventType::MouseWheel: panel.Controls.MouseWheel(event.Wheel); break;
    case PlatformEventType::TextInput:
      // Ctrl with a letter is a shortcut; Ctrl+Alt is AltGr on some keyboards.
      if (game.M.DXInput.KeyHeld(kVkControl) && !game.M.DXInput.KeyHeld(kVkMenu)) break;
      panel.Controls.TextInput(Utf8ToCp1250(event.Text));
      break;
    default: break;
  }
}

}  // namespace plumix
