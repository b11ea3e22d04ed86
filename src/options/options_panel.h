// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options panel: themes, music, switches and player keys, over a paused
// game (F1) or on the game menu's options page.
#include <cstdint>
#include <string_view>

#include "widgets/widgets.h"

namespace plumix {

class TMain;
struct PlatformEvent;

constexpr Rect kControlPanelRect{284, 195, 284 + 457, 195 + 401};

struct OptionsPanel {
  explicit OptionsPanel(Fonts& fonts) : Controls(fonts) {}
  WidgetSet Controls;
  bool Visible = false;
  uint16_t PendingModifier = 0;  // Shift, Ctrl or Alt pressed alone in a key edit
  int PendingEdit = -1;          // the key edit it was pressed in
  bool PendingFullScreen = false;  // the display mode when it went down
  int CBTile = -1, CBRandomTile = -1, CBTransparent = -1;
  int CBMusic = -1, CBRandomMusic = -1, CBSfxOFF = -1, CBMusicOFF = -1;
  int CBBack = -1, CBRandomBack = -1, CBCube = -1, CBRandomCube = -1;
  int SetName = -1, SetLeft = -1, SetRight = -1, SetRotate = -1, SetDrop = -1, SetAction = -1,
      SetIncSpeed = -1, SetPause = -1, SetDropSpeed = -1, SetLRSpeed = -1;
  int GB6 = -1, BtnSave = -1;
};

// Makes the controls and their handlers; once, when the game starts.
void BuildControlPanel(TMain& game);
// F1 during play.
void OpenOptionsPanel(TMain& game);
// The game menu's "Game Options": no "Save" button, the keys group taller.
void OpenMenuOptions(TMain& game);
// The options page is left: the button and the group's height come back.
void CloseMenuOptions(TMain& game);
// BtnSave's click: closes the panel over play, applies the keys and saves.
void BtnSaveClick(TMain& game);
// The choice boxes and check boxes show the settings again (after the
// function keys changed them behind the panel's back).
void ShowSettingsOnPanel(TMain& game);
// Draws the play screen behind the open panel again, showing a changed
// theme without moving the game on.
void RedrawBehindPanel(TMain& game);
// The frame around the panel, its top edge at top, with "GAME OPTIONS" in
// its caption plate (over play and on the menu's page alike).
void DrawControlPanelFrame(TMain& game, int top);
// Over whatever the screen drew, when the panel is shown.
void DrawControlPanel(TMain& game);

// Input while the panel is shown; true when the panel used it, so that the
// game's key handler does not see the key.
bool ControlPanelKeyDown(TMain& game, uint16_t key, bool repeat);
void ControlPanelKeyUp(TMain& game, uint16_t key);
void ControlPanelInput(TMain& game, const PlatformEvent& event);
// The window lost the focus: keys held are let go unseen.
void ControlPanelReleaseKeys(TMain& game);

}  // namespace plumix
