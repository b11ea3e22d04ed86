// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The menu screen: main menu, adventure list, game menu, high-score and
// options pages, drawn every tick and driven by the key handler.
#include <cstdint>

#include "app/screen_text.h"

namespace plumix {

class TMain;

void DrawMenuScreen(TMain& game);
// Every key event on the menu screen, after the global toggles.
void MenuKeys(TMain& game, uint16_t key);
// Leaves the options page for the game menu and keeps the settings.
void LeaveMenuOptions(TMain& game);

// The page's own texts (without the adventure list and the high-score entries).
ScreenTexts MenuPageTexts(const TMain& game);
// The selection bar's row for a selected entry: it stops on the last shown row.
int32_t ListCursorRow(int32_t selected);

}  // namespace plumix
