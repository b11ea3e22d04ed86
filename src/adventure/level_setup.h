// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start of a level: every per-level state reset from its record, and the
// level-info screen that describes it. Runs on every frame of that screen.
namespace plumix {

class TMain;
struct LevelRecord;

void SetUpLevel(TMain& game);
// The icon of an element kind (1..18) with its top-left corner at (x, y).
void DrawElementIcon(TMain& game, int kind, int x, int y);
// The level-info screen's quick preview: a framed map of the board, `cell`
// pixels a cell, its frame's outer corner at (left, top).
void DrawLevelPreview(TMain& game, const LevelRecord& level, int left, int top, int cell);

}  // namespace plumix
