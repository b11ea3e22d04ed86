// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_model.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "adventure/adventure_file.h"
#include "adventure_source.h"
#include "engine/board.h"
#include "media/files.h"

namespace plumix {
namespace {

// Enough to take back a long session; each step holds the whole record.
constexpr size_t kUndoLimit = 200;

void PutCell(Cell& target, PaintCell cell) {
  target.Code = cell.Code;
  // Only a block shows its kind; other cells keep the stored byte.
  if (cell.Code == kBlock) target.Kind = cell.Kind;
}

bool SameCell(const Cell& a, PaintCell b) {
  return a.Code == b.Code && (b.Code != kBlock || a.Kind == b.Kind);
}

void ClearEntryMarks(BoardGrid& board) {
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      if (board[x][y].Code == kEntryMark) board[x][y].Code = kEmpty;
    }
  }
}

// Problems that hang or break play; the others only read oddly.
bool Blocking(const AdventureProblem& problem) { return problem.Level >= 1; }

}  // namespace

LevelRecord MakeNewLevel() {
  LevelRecord level;
  level.Title = "New Level";
  level.StartSpeed = 1;
  level.MaximalSpeed = 5;
  level.NextElements = 1;
  level.LinesToIncreaseSpeed = 10;
  level.LinesToFinish = 20;
  level.TimeToFinish = 120;
  level.EntryColumn = 14;
  level.EntryRow = 1;
  MakeOpenWell(level.Board, level.EntryColumn, level.EntryRow);
  for (int k = 1; k <= kElementKinds; ++k) level.Elements[k] = 1;
  return level;
}

EditorModel::EditorModel() { New(); }

void EditorModel::New() {
  Adventure = AdventureRecord{};
  Adventure.Title = "New Adventure";
  Adventure.LastLevelIndex = 0;
  for (int k = 1; k <= kMaxLevels; ++k) Adventure.Levels[k] = MakeNewLevel();
  Path.clear();
  Level = 1;
  Dirty = false;
  undo_.clear();
  redo_.clear();
}

bool EditorModel::Open(const std::filesystem::path& path, std::string* error) {
  std::vector<uint8_t> bytes = ReadFileBytes(path, error);
  if (bytes.empty()) {
    if (error && error->empty()) *error = path.string() + " is empty";
    return false;
  }
  Parsed<AdventureRecord> parsed = ParseAdventure(bytes);
  if (!parsed) {
    if (error) *error = path.string() + ": " + parsed.Error;
    return false;
  }
  Adventure = std::move(*parsed.Value);
  Path = path;
  Level = 1;
  Dirty = false;
  undo_.clear();
  redo_.clear();
  return true;
}

EditorSaveResult EditorModel::Save(const std::filesystem::path& path, bool force) {
  EditorSaveResult result;
  if (!force) {
    for (const AdventureProblem& p : CheckAdventure(Adventure)) {
      if (Blocking(p)) result.Problems.push_back(DescribeProblem(p));
    }
    if (!result.Problems.empty()) return result;
  }
  // A mistyped folder is the designer's to correct, not ours to create.
  const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) {
    result.Error = "The folder " + folder.string() + " does not exist; nothing was saved.";
    return result;
  }
  std::vector<uint8_t> bytes = SerialiseAdventure(Adventure);
  if (std::filesystem::exists(path, ec)) {
    std::string ignored;
    const std::vector<uint8_t> old = ReadFileBytes(path, &ignored);
    Parsed<AdventureRecord> onDisk = ParseAdventure(old);
    if (onDisk) {
      PatchHighScores(bytes, *onDisk.Value, nullptr);
      // Keep the table in memory too, so that the next save agrees with the file.
      Adventure.HighScores = onDisk.Value->HighScores;
      // Whatever follows the record is not ours to drop; the game keeps it too.
      bytes.insert(bytes.end(), old.begin() + static_cast<std::ptrdiff_t>(kAdventureFileSize), old.end());
    }
  }
  if (!WriteFileBytes(path, bytes, &result.Error)) return result;
  Path = path;
  Dirty = false;
  result.Saved = true;
  return result;
}

std::string EditorModel::ExportSource() const { return WriteAdventureSource(Adventure); }

bool EditorModel::ImportSource(std::string_view text, std::string* error) {
  Parsed<AdventureRecord> parsed = ReadAdventureSource(text);
  if (!parsed) {
    if (error) *error = parsed.Error;
    return false;
  }
  Change();
  Adventure = std::move(*parsed.Value);
  Level = 1;
  return true;
}

void EditorModel::Change() {
  undo_.push_back({Adventure, Level});
  if (undo_.size() > kUndoLimit) undo_.pop_front();
  redo_.clear();
  Dirty = true;
}

bool EditorModel::Step(std::deque<Snapshot>& from, std::deque<Snapshot>& to) {
  if (from.empty()) return false;
  to.push_back({Adventure, Level});
  Adventure = std::move(from.back().Adventure);
  Level = from.back().Level;
  from.pop_back();
  Dirty = true;
  return true;
}

bool EditorModel::Undo() { return Step(undo_, redo_); }

bool EditorModel::Redo() { return Step(redo_, undo_); }

void EditorModel::Paint(int x, int y, PaintCell cell) {
  if (!InGrid(x, y)) return;
  if (cell.Code == kEntryMark) {
    SetEntry(x, y);
    return;
  }
  PutCell(Current().Board[x][y], cell);
}

void EditorModel::PaintRect(int x0, int y0, int x1, int y1, PaintCell cell) {
  Change();
  // A level has one entry: the brush moves it rather than filling the area with marks.
  if (cell.Code == kEntryMark) {
    SetEntry(x0, y0);
    return;
  }
  for (int x = std::max(1, std::min(x0, x1)); x <= std::min(kBoardSize, std::max(x0, x1)); ++x) {
    for (int y = std::max(1, std::min(y0, y1)); y <= std::min(kBoardSize, std::max(y0, y1)); ++y) {
      PutCell(Current().Board[x][y], cell);
    }
  }
}

void EditorModel::Fill(int x, int y, PaintCell cell) {
  if (!InGrid(x, y)) return;
  BoardGrid& board = Current().Board;
  const Cell from = board[x][y];
  if (SameCell(from, cell)) return;
  Change();
  if (cell.Code == kEntryMark) {
    SetEntry(x, y);
    return;
  }
  // Only what shows counts: an erased block keeps its old kind byte.
  const PaintCell area{from.Code, from.Kind};
  std::vector<std::pair<int, int>> stack{{x, y}};
  while (!stack.empty()) {
    auto [cx, cy] = stack.back();
    stack.pop_back();
    if (!InGrid(cx, cy) || !SameCell(board[cx][cy], area)) continue;
    PutCell(board[cx][cy], cell);
    stack.insert(stack.end(), {{cx + 1, cy}, {cx - 1, cy}, {cx, cy + 1}, {cx, cy - 1}});
  }
}

void EditorModel::PaintLine(int x0, int y0, int x1, int y1, PaintCell cell) {
  Change();
  if (cell.Code == kEntryMark) {
    SetEntry(x1, y1);
    return;
  }
  const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  for (int i = 0; i <= steps; ++i) {
    const double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
    const int x = x0 + static_cast<int>(std::lround((x1 - x0) * t));
    const int y = y0 + static_cast<int>(std::lround((y1 - y0) * t));
    if (InGrid(x, y)) PutCell(Current().Board[x][y], cell);
  }
}

BoardRegion EditorModel::CopyRegion(int x0, int y0, int x1, int y1) const {
  BoardRegion region;
  const int left = std::max(1, std::min(x0, x1)), right = std::min(kBoardSize, std::max(x0, x1));
  const int top = std::max(1, std::min(y0, y1)), bottom = std::min(kBoardSize, std::max(y0, y1));
  if (left > right || top > bottom) return region;
  region.Width = right - left + 1;
  region.Height = bottom - top + 1;
  for (int x = left; x <= right; ++x) {
    for (int y = top; y <= bottom; ++y) {
      Cell cell = Current().Board[x][y];
      if (cell.Code == kEntryMark) cell.Code = kEmpty;
      region.Cells.push_back(cell);
    }
  }
  return region;
}

void EditorModel::ClearRegion(int x0, int y0, int x1, int y1) {
  Change();
  for (int x = std::max(1, std::min(x0, x1)); x <= std::min(kBoardSize, std::max(x0, x1)); ++x) {
    for (int y = std::max(1, std::min(y0, y1)); y <= std::min(kBoardSize, std::max(y0, y1)); ++y) {
      Cell& cell = Current().Board[x][y];
      if (cell.Code != kEntryMark) cell.Code = kEmpty;
    }
  }
}

void EditorModel::PasteRegion(int x, int y, const BoardRegion& region) {
  if (region.Empty()) return;
  Change();
  for (int dx = 0; dx < region.Width; ++dx) {
    for (int dy = 0; dy < region.Height; ++dy) {
      if (!InGrid(x + dx, y + dy)) continue;
      Cell& target = Current().Board[x + dx][y + dy];
      // The one entry stays where it is.
      if (target.Code == kEntryMark) continue;
      target = region.Cells[static_cast<size_t>(dx * region.Height + dy)];
    }
  }
}

void EditorModel::MirrorLeftRight() {
  Change();
  LevelRecord& level = Current();
  for (int x = 1; x <= kBoardSize / 2; ++x) std::swap(level.Board[x], level.Board[kBoardSize + 1 - x]);
  // The mark mirrors with its cell; the box's left column is the mirror of its right one.
  const int column = std::clamp(kBoardSize - 2 - static_cast<int>(level.EntryColumn), 1, kMaxEntry);
  ClearEntryMarks(level.Board);
  level.EntryColumn = static_cast<uint8_t>(column);
  if (InGrid(column, level.EntryRow)) level.Board[column][level.EntryRow].Code = kEntryMark;
}

void EditorModel::ClearBoard() {
  Change();
  LevelRecord& level = Current();
  level.Board = BoardGrid{};
  // The stored entry may lie outside the board; the mark and the record must agree.
  level.EntryColumn = static_cast<uint8_t>(std::clamp<int>(level.EntryColumn, 1, kMaxEntry));
  level.EntryRow = static_cast<uint8_t>(std::clamp<int>(level.EntryRow, 1, kMaxEntry));
  MakeOpenWell(level.Board, level.EntryColumn, level.EntryRow);
}

void EditorModel::SetEntry(int x, int y) {
  LevelRecord& level = Current();
  x = std::clamp(x, 1, kMaxEntry);
  y = std::clamp(y, 1, kMaxEntry);
  ClearEntryMarks(level.Board);
  level.EntryColumn = static_cast<uint8_t>(x);
  level.EntryRow = static_cast<uint8_t>(y);
  level.Board[x][y].Code = kEntryMark;
}

bool EditorModel::AddLevel() {
  const int count = LevelCount();
  if (count >= kMaxLevels) return false;
  Change();
  // The new level goes after the one on show; the ones after it move down.
  for (int k = count; k > Level; --k) Adventure.Levels[k + 1] = Adventure.Levels[k];
  Adventure.Levels[Level + 1] = MakeNewLevel();
  Adventure.LastLevelIndex = static_cast<uint8_t>(count);
  ++Level;
  return true;
}

bool EditorModel::DuplicateLevel() {
  const int count = LevelCount();
  if (count >= kMaxLevels) return false;
  Change();
  for (int k = count; k >= Level; --k) Adventure.Levels[k + 1] = Adventure.Levels[k];
  Adventure.Levels[Level + 1].RecordScore = 0;
  Adventure.LastLevelIndex = static_cast<uint8_t>(count);
  ++Level;
  return true;
}

bool EditorModel::DeleteLevel() {
  const int count = LevelCount();
  if (count <= 1) return false;
  Change();
  for (int k = Level; k < count; ++k) Adventure.Levels[k] = Adventure.Levels[k + 1];
  // The freed record stays as it was stored past the end: a copy of the last.
  Adventure.LastLevelIndex = static_cast<uint8_t>(count - 2);
  Level = std::min(Level, count - 1);
  return true;
}

bool EditorModel::MoveLevel(int delta) {
  const int to = Level + delta;
  if (to < 1 || to > LevelCount()) return false;
  Change();
  std::swap(Adventure.Levels[Level], Adventure.Levels[to]);
  Level = to;
  return true;
}

void EditorModel::RulesToAllLevels() {
  Change();
  const LevelRecord from = Current();
  for (int k = 1; k <= LevelCount(); ++k) {
    LevelRecord& to = Adventure.Levels[k];
    to.LevelType = from.LevelType;
    to.DisasterKind = from.DisasterKind;
    to.DisasterFrequency = from.DisasterFrequency;
    to.SpecialsFrequency = from.SpecialsFrequency;
    to.StartSpeed = from.StartSpeed;
    to.MaximalSpeed = from.MaximalSpeed;
    to.NextElements = from.NextElements;
    to.LinesToIncreaseSpeed = from.LinesToIncreaseSpeed;
    to.LinesToFinish = from.LinesToFinish;
    to.TimeToFinish = from.TimeToFinish;
    to.Elements = from.Elements;
    to.Specials = from.Specials;
  }
}

void EditorModel::SelectLevel(int level) { Level = std::clamp(level, 1, LevelCount()); }

}  // namespace plumix
