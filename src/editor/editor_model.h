// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The adventure being edited: the record with every stored byte, the level
// on show, the board tools and the undo history of every change.
#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "adventure/adventure.h"
#include "adventure/adventure_check.h"

namespace plumix {

// Codes the editor paints, with the element kind for a block.
struct PaintCell {
  uint8_t Code = kEmpty;
  uint8_t Kind = 1;
};

// Cells copied from a board, column by column; the entry mark is not copied
// (a level has one entry), and lands as Empty.
struct BoardRegion {
  int Width = 0, Height = 0;
  std::vector<Cell> Cells;  // Cells[x * Height + y]
  bool Empty() const { return Cells.empty(); }
};

struct EditorSaveResult {
  bool Saved = false;
  std::vector<std::string> Problems;  // why it was refused, one line each
  std::string Error;                  // the file could not be written
};

class EditorModel {
 public:
  EditorModel();

  AdventureRecord Adventure;
  std::filesystem::path Path;  // empty: never saved
  int Level = 1;               // the level on show, 1..LevelCount()
  bool Dirty = false;

  int LevelCount() const { return PlayedLevelCount(Adventure); }
  LevelRecord& Current() { return Adventure.Levels[Level]; }
  const LevelRecord& Current() const { return Adventure.Levels[Level]; }

  // A fresh adventure of one open level.
  void New();
  bool Open(const std::filesystem::path& path, std::string* error);
  // Refuses while a played level would hang or break the game, unless forced
  // after the designer has seen the problems. Writes atomically; the
  // high-score table on disk (the game may have added to it) is kept.
  EditorSaveResult Save(const std::filesystem::path& path, bool force);
  std::string ExportSource() const;
  // Replaces the adventure with the one the text describes (undoable).
  bool ImportSource(std::string_view text, std::string* error);

  // Every change goes through Change() first, so that it can be undone; a
  // pencil stroke is one change however many cells it paints.
  void Change();
  bool Undo();
  bool Redo();

  // The board tools, on the current level; each is one undoable change
  // except Paint, which is part of the stroke Change() began.
  void Paint(int x, int y, PaintCell cell);
  void PaintRect(int x0, int y0, int x1, int y1, PaintCell cell);
  void Fill(int x, int y, PaintCell cell);
  // A straight line of cells from one end to the other, one undoable change.
  void PaintLine(int x0, int y0, int x1, int y1, PaintCell cell);
  BoardRegion CopyRegion(int x0, int y0, int x1, int y1) const;
  // Empties the region (the entry mark stays), one undoable change.
  void ClearRegion(int x0, int y0, int x1, int y1);
  // Puts the region's top left on (x, y); what falls off the board is left out.
  void PasteRegion(int x, int y, const BoardRegion& region);
  void MirrorLeftRight();
  void ClearBoard();
  // Moves the entry point and its mark; the element box must stay on the board.
  void SetEntry(int x, int y);

  // The level list; false when the list cannot change so.
  bool AddLevel();
  bool DuplicateLevel();
  bool DeleteLevel();
  bool MoveLevel(int delta);
  void SelectLevel(int level);
  // The level on show's rules (type, frequencies, speeds, lines, time, kinds
  // and specials) for every played level; boards, titles and entries stay.
  void RulesToAllLevels();

 private:
  struct Snapshot {
    AdventureRecord Adventure;
    int Level = 1;
  };
  // Takes the newest snapshot of `from` as the adventure, keeping the present one in `to`.
  bool Step(std::deque<Snapshot>& from, std::deque<Snapshot>& to);
  // A deque, so that dropping the oldest of 200 whole adventures moves none of the others.
  std::deque<Snapshot> undo_, redo_;
};

// The largest entry column or row: the element box is four cells wide.
constexpr int kMaxEntry = kBoardSize - 3;
// A level as a new one starts: an open well, every kind, an Action level.
LevelRecord MakeNewLevel();

}  // namespace plumix
