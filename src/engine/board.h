// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board of the running level, the queue of coming elements and the
// drawing of both.
#include <string_view>

#include "adventure/adventure.h"
#include "engine/play_state.h"
#include "media/clock.h"

namespace plumix {

class TMain;
struct Media;
struct Bitmap;

constexpr int kBoardOriginX = 112;
constexpr int kBoardOriginY = -15;
constexpr int kCellSize = 25;

inline bool InGrid(int x, int y) { return x >= 1 && x <= kBoardSize && y >= 1 && y <= kBoardSize; }
inline bool IsSpecialCode(int code) { return code >= kFirstSpecial && code <= kLastSpecial; }
// Walls, blocks, specials and the entry mark block an element; so does every
// cell outside the grid, so that nothing is read or written outside it.
bool Blocks(const BoardGrid& board, int x, int y);
// An open well: edges on the left, right and bottom, empty inside, the entry
// mark at the entry cell.
void MakeOpenWell(BoardGrid& board, int entryColumn, int entryRow);

// A block in the entry row (the nearest row of the grid, for a box outside it) ends the game.
bool TopsOut(const BoardGrid& board, int entryRow);

// The record of the level being played (CurrentLevel, kept inside 1..100).
LevelRecord& PlayLevel(TMain& game);

// A kind the level allows; any kind when it allows none.
int ChooseElementKind(const LevelRecord& level, Random& rng);
// "InitNextElementTable" fills a fresh queue; any other text advances it by one.
void FillElementQueue(PlayState& play, const LevelRecord& level, Random& rng,
                      std::string_view selector);
// Live queue entries after the falling one: the level's NextElements, at most 4.
int QueuedCount(const LevelRecord& level);

// Mode "Table" draws the board (and the cleared-row animation), "Shape" the
// falling element; cell (x, y) lands at (25x + originX, 25y + originY).
void DrawPlayfield(TMain& game, int originX, int originY, std::string_view mode);
void DrawNextElements(TMain& game, int dx, int dy);
// The pictures of the walls, blocks and specials of a board, cell (x, y) at
// (25x + originX, 25y + originY); other cells are left as they are.
void DrawBoardCells(Media& m, Bitmap& surface, const BoardGrid& board, int originX, int originY);
// One cell as the board shows it, its top-left corner at (px, py).
void DrawBoardCell(Media& m, Bitmap& surface, const Cell& cell, int px, int py);

}  // namespace plumix
