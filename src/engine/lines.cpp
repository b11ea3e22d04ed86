// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/lines.h"

#include <algorithm>

#include "adventure/colour_effects.h"
#include "adventure/plumix_mode.h"
#include "adventure/specials.h"
#include "app/main_form.h"
#include "engine/board.h"

namespace plumix {
namespace {

constexpr int kPointsPerLine = 50;
constexpr int kAnimationFrames = 25;
// Every pass that finds all 30 rows full empties them, so a few passes always end it.
constexpr int kMaxPasses = kBoardSize + 1;

bool Falls(uint8_t code) { return code == kEmpty || code == kBlock || IsSpecialCode(code); }

int FreeSlot(const ClearedRowsRecord& cleared) {
  for (int slot = kClearSlots; slot >= 1; --slot) {
    if (cleared.Rows[slot] == 0) return slot;
  }
  return 0;  // a fifth row is removed and counted, but not animated
}

void RaiseSpeedByLines(PlayState& play, const LevelRecord& level, int frameScale) {
  // A level without a step size has no speed rule.
  if (level.LinesToIncreaseSpeed == 0) return;
  if (play.LinesLeft % level.LinesToIncreaseSpeed == 0 && level.MaximalSpeed > play.Speed &&
      play.LinesLeft > 0) {
    ++play.Speed;
    play.FallInterval = frameScale / (play.Speed + 1);
  }
}

void RemoveRow(PlayState& play, BoardGrid& board, int y) {
  ClearedRowsRecord& cleared = play.ClearedRows;
  const int slot = FreeSlot(cleared);
  for (int x = 1; x <= kBoardSize; ++x) {
    Cell& cell = board[x][y];
    if (cell.Code != kBlock && !IsSpecialCode(cell.Code)) continue;
    if (slot != 0) {
      // A kind byte of 100 and above would read as a special's item code.
      const int kind = cell.Kind >= 1 && cell.Kind <= kKindCount ? cell.Kind : 1;
      cleared.Cells[x][slot] = static_cast<uint8_t>(cell.Code == kBlock ? kind : cell.Code + 100);
      cleared.Rows[slot] = static_cast<uint8_t>(y);
    }
    cell.Code = kEmpty;
  }
}

// A block comes down with its kind byte, so it keeps its colour.
void DropRowsAbove(BoardGrid& board, int y) {
  for (int r = y; r >= 2; --r) {
    for (int x = 1; x <= kBoardSize; ++x) {
      Cell& below = board[x][r];
      Cell& above = board[x][r - 1];
      if (below.Code == kEmpty && Falls(above.Code)) {
        below = above;
        above.Code = kEmpty;
      }
    }
  }
}

void ApplyDamageEffects(TMain& game) {
  SpecialsState& specials = game.Specials;
  if (specials.DamageLevel >= 1 && game.Rng(2) == 0) CoverNextElements(game, 1);
  if (specials.DamageLevel >= 2 && game.Rng(2) == 0) {
    game.PlaySound("Mirror_Playfield");
    MirrorBoard(game);
  }
  if (specials.DamageLevel >= 3) {
    ColourEffect(game, specials.NegativeColours ? "Default" : "Negative", 0);
    game.PlaySound("Negative");
  }
}

void GiveBonusReward(TMain& game, int lines) {
  PlumixState& plumix = game.Plumix;
  static constexpr const char* kKeys[] = {"", "1", "2", "3", "4"};
  if (lines >= 1 && lines <= 3) {
    if (!plumix.PlumixMode || plumix.Earned[lines]) return;
    PlumixMessage(game, kKeys[lines]);
    plumix.Earned[lines] = true;
    AddScore(game, kPointsPerLine * lines);
    LaunchRockets(game, lines);
  } else if (lines == 4) {
    if (!plumix.PlumixMode) {
      // The clear that opens the mode is not its four-line reward.
      plumix.PlumixMode = true;
      game.PlaySound("PlumixModeEnabled");
      ResetRockets(plumix, game.Rng);
      PlumixMessage(game, "Start");
      plumix.Earned = {};
    } else if (!plumix.Earned[4]) {
      plumix.Earned[4] = true;
      PlumixMessage(game, "4");
      AddScore(game, kPointsPerLine * 4);
      LaunchRockets(game, 4);
    }
  }
}

}  // namespace

bool RowIsFull(const BoardGrid& board, int y) {
  bool filled = false;
  for (int x = 1; x <= kBoardSize; ++x) {
    const uint8_t code = board[x][y].Code;
    if (code == kEmpty) return false;
    filled = filled || code == kBlock || IsSpecialCode(code);
  }
  return filled;
}

void ClearFullRows(PlayState& play, LevelRecord& level, int frameScale) {
  for (int y = 1; y <= kBoardSize; ++y) {
    if (!RowIsFull(level.Board, y)) {
      play.LineScanDone = true;
      continue;
    }
    RaiseSpeedByLines(play, level, frameScale);
    --play.LinesLeft;
    RemoveRow(play, level.Board, y);
    DropRowsAbove(level.Board, y);
    ++play.LinesCleared;
  }
}

void ClearAllFullRows(PlayState& play, LevelRecord& level, int frameScale) {
  for (int pass = 0; pass < kMaxPasses && !play.LineScanDone; ++pass) ClearFullRows(play, level, frameScale);
}

void ResolveLines(TMain& game) {
  PlayState& play = game.Play;
  ApplyDamageEffects(game);
  ClearedRowsRecord& cleared = play.ClearedRows;
  for (auto& column : cleared.Cells) column.fill(0);
  cleared.Rows.fill(0);
  play.LineScanDone = false;
  play.LinesCleared = 0;
  ClearAllFullRows(play, PlayLevel(game), game.Shell.FrameScale);
  cleared.Countdown = kAnimationFrames;
  if (play.LinesCleared > 0) {
    ApplyCollectedSpecials(game);
    AddScore(game, kPointsPerLine * play.LinesCleared);
    cleared.Active = true;
    game.PlaySound("Drop_Lines");
  }
  GiveBonusReward(game, play.LinesCleared);
}

void MirrorBoard(PlayState& play, LevelRecord& level, SpecialsState& specials) {
  const BoardGrid copy = level.Board;
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) level.Board[x][y] = copy[kBoardSize + 1 - x][y];
  }
  const int row = level.EntryRow;
  if (InGrid(level.EntryColumn, row)) level.Board[level.EntryColumn][row].Code = kEmpty;
  // The mirror of the four columns of the entry box; an entry past column 28
  // would leave the board, so it stops at the edge.
  level.EntryColumn = static_cast<uint8_t>(std::max(0, kBoardSize - 2 - level.EntryColumn));
  if (InGrid(level.EntryColumn, row)) level.Board[level.EntryColumn][row].Code = kEntryMark;
  play.ElementQueue[0].X = level.EntryColumn;
  specials.BoardMirrored = !specials.BoardMirrored;
}

void MirrorBoard(TMain& game) { MirrorBoard(game.Play, PlayLevel(game), game.Specials); }

void AddScore(TMain& game, int points) {
  game.Adv.Score += points;
  game.Adv.LevelScores[std::clamp(game.Adv.CurrentLevel, 1, kMaxLevels)] += points;
}

}  // namespace plumix
