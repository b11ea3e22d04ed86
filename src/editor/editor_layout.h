// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the editor's pages put things, shared by the files of its pages.
#include <cstdint>
#include <string>

#include "engine/board.h"
#include "media/bitmap.h"

namespace plumix {

constexpr int kSideX = 768;  // the right-hand panel
constexpr int kSideRight = 1018;
constexpr int kPageTop = 64;
constexpr int kWarningsTop = 620;
constexpr int kWarningsBottom = 712;
constexpr int kStatusTop = 716;
constexpr int kStatusBottom = 766;
constexpr int kPaletteTop = 70;
constexpr int kPalettePitch = 30;
constexpr int kPalettePerRow = 8;
constexpr int kListTop = 250;
constexpr int kLevelListRows = 22;
constexpr int kListRowHeight = 14;
constexpr int kElementsTop = 380;  // the Level page's element kinds
constexpr uint16_t kVkF5 = 116, kVkF6 = 117, kVkLeftBracket = 219, kVkRightBracket = 221, kVkDelete = 46;

Rect PaletteRect(int index);
// "A carrot" .. "L virus" for 1..12.
const char* SpecialName(int kind);
// Empty, Void, Passage and the entry have no picture in the game; the editor
// marks them so they can be told apart.
void DrawPlainCell(Bitmap& surface, const Cell& cell, int px, int py);

}  // namespace plumix
