// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Full rows: their removal with the fall of the rows above, the line score,
// the speed rule, the bonus-mode rewards, and the mirror of the board.
#include "adventure/adventure.h"
#include "adventure/specials_state.h"
#include "engine/play_state.h"

namespace plumix {

class TMain;

// No cell is Empty and at least one is a Block or a Special.
bool RowIsFull(const BoardGrid& board, int y);
// One pass over the rows from the top; sets LineScanDone unless every row was full.
void ClearFullRows(PlayState& play, LevelRecord& level, int frameScale);
// Passes until no row is full.
void ClearAllFullRows(PlayState& play, LevelRecord& level, int frameScale);
// After every lock: the damage effects, the full rows, their score and the
// bonus-mode rewards.
void ResolveLines(TMain& game);

// Left to right, entry point included; the falling element moves with the entry.
void MirrorBoard(PlayState& play, LevelRecord& level, SpecialsState& specials);
void MirrorBoard(TMain& game);

// The game's score and the level's score always change together.
void AddScore(TMain& game, int points);

}  // namespace plumix
