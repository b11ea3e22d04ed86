// SPDX-License-Identifier: GPL-3.0-or-later
// The bot's choice: every pose the falling element can reach by the game's
// own moves, the boards its resting poses (and laser shots) leave, and a
// judgement of those boards, looking one preview element ahead.
#include <algorithm>
#include <vector>

#include "app/main_form.h"
#include "bot/bot.h"
#include "bot/search.h"
#include "engine/board.h"
#include "engine/lines.h"

namespace plumix::bot {
namespace {

// Specials worth a row (good ones) and worth keeping out of a row (bad ones);
// the level-completed special wins the level.
constexpr double kSpecialValue[kSpecialKinds + 1] = {0, 0.6, 0.6, 0.6, 0.8, 0.8, 1000,
                                                     1.2, -0.4, -0.4, -0.4, -0.8, -1.0};
constexpr double kLost = -1e9;
constexpr double kWon = 1e6;
constexpr int kSecondPlyCandidates = 6;

bool Open(uint8_t code) {
  return code == kEmpty || code == kVoid || code == kPassage || code == kEntryMark;
}

// How good a board is to go on from: the usual features of a stack (height,
// holes, bumps, wells) and how near it stands to the entry row.
double JudgeBoard(const BoardGrid& board, int entryRow) {
  double height = 0, holes = 0, bumps = 0, wells = 0, danger = 0;
  int previous = -1;
  std::array<int, kBoardSize + 2> heights{};
  std::array<bool, kBoardSize + 2> playable{};
  for (int x = 1; x <= kBoardSize; ++x) {
    // The surface is the first cell from the top that is not open; a wall counts as filled.
    int top = 0;
    bool covered = false;
    for (int y = 1; y <= kBoardSize; ++y) {
      const uint8_t code = board[x][y].Code;
      playable[x] = playable[x] || code == kEmpty || code == kBlock || IsSpecialCode(code);
      if (top == 0 && !Open(code)) top = y;
      if (code == kBlock || IsSpecialCode(code)) {
        covered = true;
        if (y <= entryRow + 3) danger += entryRow + 4 - y;
      } else if (code == kEmpty && covered) {
        holes += 1;
      }
    }
    heights[x] = top == 0 ? 0 : kBoardSize + 1 - top;
    if (!playable[x]) {
      previous = -1;
      continue;
    }
    height += heights[x];
    if (previous >= 0) bumps += std::abs(heights[x] - previous);
    previous = heights[x];
  }
  for (int x = 1; x <= kBoardSize; ++x) {
    if (!playable[x]) continue;
    // A well deeper than two rows waits for one long element only.
    const int left = playable[x - 1] || x == 1 ? heights[x - 1] : kBoardSize;
    const int right = playable[x + 1] || x == kBoardSize ? heights[x + 1] : kBoardSize;
    const int depth = std::min(left, right) - heights[x];
    if (depth > 2) wells += depth - 2;
  }
  return -0.51 * height - 0.36 * holes * 2 - 0.18 * bumps - 0.3 * wells - 6 * danger;
}

// Removes the full rows as the game does; returns the rows removed and adds
// the worth of the specials in them.
int ClearRows(BoardGrid& board, double& specials) {
  for (int y = 1; y <= kBoardSize; ++y) {
    if (!RowIsFull(board, y)) continue;
    for (int x = 1; x <= kBoardSize; ++x) {
      const uint8_t code = board[x][y].Code;
      if (code >= kFirstSpecial && code < kFirstSpecial + kSpecialKinds) {
        specials += kSpecialValue[code - kFirstSpecial + 1];
      }
    }
  }
  LevelRecord level;
  level.Board = board;
  level.LinesToIncreaseSpeed = 0;
  PlayState play;
  play.LinesLeft = 1000;
  ClearAllFullRows(play, level, 90);
  board = level.Board;
  return play.LinesCleared;
}

}  // namespace

ShapeSet::ShapeSet(int kind) : Kind(kind), States(KindInfo(kind).States) {
  for (int s = 1; s <= States; ++s) {
    ElementRecord e;
    SetShape(e, kind, s);
    Shapes[s] = e.Shape;
    ElementRecord next;
    SetShape(next, kind, NextState(kind, s));
    for (int i = 0; i < 16; ++i) Turning[s][i] = e.Shape[i] | next.Shape[i];
  }
}

bool Fits(const BoardGrid& board, const std::array<uint8_t, 16>& shape, int x, int y) {
  if (x < 0 || x > 255 || y > 255) return false;
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      if (shape[c * 4 + r] && Blocks(board, x + c, y + r)) return false;
    }
  }
  return true;
}

Reach::Reach() { Parent.fill(-1); }

Reach Explore(const BoardGrid& board, const ShapeSet& set, Pose start) {
  Reach reach;
  if (start.X < 0 || start.X >= kPoseSpan || start.Y < 0 || start.Y >= kPoseSpan || start.Rotation < 1 ||
      start.Rotation > set.States || !Fits(board, set.Shapes[start.Rotation], start.X, start.Y)) {
    return reach;
  }
  std::vector<int> queue;
  queue.reserve(kPoseCount);
  const int first = PoseIndex(start);
  reach.Parent[first] = first;
  reach.Move[first] = kMoveNone;
  queue.push_back(first);
  for (size_t head = 0; head < queue.size(); ++head) {
    const Pose p = PoseAt(queue[head]);
    auto visit = [&](Pose next, PoseMove move) {
      if (next.X < 0 || next.X >= kPoseSpan || next.Y < 0 || next.Y >= kPoseSpan) return;
      const int index = PoseIndex(next);
      if (reach.Parent[index] >= 0) return;
      reach.Parent[index] = queue[head];
      reach.Move[index] = move;
      queue.push_back(index);
    };
    // Turns and sideways moves come before the drop, so a path does them first.
    if (set.States > 1 && Fits(board, set.Turning[p.Rotation], p.X, p.Y)) {
      visit({NextState(set.Kind, p.Rotation), p.X, p.Y}, kMoveRotate);
    }
    if (Fits(board, set.Shapes[p.Rotation], p.X - 1, p.Y)) visit({p.Rotation, p.X - 1, p.Y}, kMoveLeft);
    if (Fits(board, set.Shapes[p.Rotation], p.X + 1, p.Y)) visit({p.Rotation, p.X + 1, p.Y}, kMoveRight);
    if (Fits(board, set.Shapes[p.Rotation], p.X, p.Y + 1)) {
      visit({p.Rotation, p.X, p.Y + 1}, kMoveDown);
    } else {
      reach.Resting.push_back(queue[head]);
    }
  }
  return reach;
}

PoseMove FirstMove(const Reach& reach, Pose target) {
  int index = PoseIndex(target);
  if (reach.Parent[index] < 0) return kMoveUnreachable;
  PoseMove move = kMoveNone;
  while (reach.Parent[index] != index) {
    move = static_cast<PoseMove>(reach.Move[index]);
    index = reach.Parent[index];
  }
  return move;
}

void Place(BoardGrid& board, const std::array<uint8_t, 16>& shape, Pose p, int kind) {
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      if (shape[c * 4 + r] && InGrid(p.X + c, p.Y + r)) board[p.X + c][p.Y + r] = Cell{kBlock, uint8_t(kind)};
    }
  }
}

void FireBeams(BoardGrid& board, const std::array<uint8_t, 16>& shape, Pose p) {
  for (int c = 0; c < 4; ++c) {
    bool occupied = false;
    for (int r = 0; r < 4; ++r) occupied = occupied || shape[c * 4 + r];
    const int x = p.X + c;
    if (!occupied || x < 1 || x > kBoardSize) continue;
    for (int y = std::clamp(p.Y, 1, kBoardSize); y >= 1 && board[x][y].Code != kEdge; --y) board[x][y].Code = kEmpty;
    for (int y = std::max(p.Y + 1, 1); y <= kBoardSize && board[x][y].Code != kEdge; ++y) board[x][y].Code = kEmpty;
  }
}

Outcome Settle(BoardGrid& board, const Situation& s) {
  Outcome out;
  out.Lines = ClearRows(board, out.Specials);
  out.ToppedOut = TopsOut(board, s.EntryRow);
  out.Score = out.ToppedOut ? kLost : JudgeBoard(board, s.EntryRow) + 0.76 * out.Lines * out.Lines + out.Specials;
  if (!out.ToppedOut && s.ActionLevel && out.Lines >= s.LinesLeft) out.Score += kWon;
  return out;
}

double BestFollowUp(const BoardGrid& board, const Situation& s, int kind) {
  const ShapeSet set(kind);
  const Reach reach = Explore(board, set, {1, s.EntryColumn, s.EntryRow});
  double best = kLost * 2;
  for (int index : reach.Resting) {
    BoardGrid after = board;
    const Pose p = PoseAt(index);
    Place(after, set.Shapes[p.Rotation], p, kind);
    best = std::max(best, Settle(after, s).Score);
  }
  return best;
}

BotPlacement Choose(const BoardGrid& board, const Situation& s, Pose from) {
  const ShapeSet set(s.Kind);
  const Reach reach = Explore(board, set, from);
  struct Candidate {
    Pose P;
    BoardGrid After;
    Outcome Result;
  };
  std::vector<Candidate> candidates;
  for (int index : reach.Resting) {
    Candidate c{PoseAt(index), board, {}};
    Place(c.After, set.Shapes[c.P.Rotation], c.P, s.Kind);
    c.Result = Settle(c.After, s);
    candidates.push_back(c);
  }
  std::sort(candidates.begin(), candidates.end(),
            [](const Candidate& a, const Candidate& b) { return a.Result.Score > b.Result.Score; });
  BotPlacement best;
  best.Score = kLost * 4;
  // With a preview, the best few are judged again on the best place the next
  // element finds on what each leaves; the rest cannot compare with them.
  const size_t judged = s.NextKind > 0 ? std::min<size_t>(candidates.size(), kSecondPlyCandidates) : candidates.size();
  for (size_t i = 0; i < judged; ++i) {
    const Candidate& c = candidates[i];
    double score = c.Result.Score;
    if (s.NextKind > 0 && !c.Result.ToppedOut && score < kWon / 2) {
      Situation next = s;
      next.LinesLeft -= c.Result.Lines;
      score = BestFollowUp(c.After, next, s.NextKind) + 0.76 * c.Result.Lines * c.Result.Lines +
              c.Result.Specials;
    }
    if (!best.Valid || score > best.Score) best = {c.P.Rotation, c.P.X, c.P.Y, false, true, score};
  }
  if (s.LaserBeams <= 0) return best;
  // A shot empties the element's columns and uses the element up; it is worth
  // a beam only when it leaves a clearly better board than any placement.
  const double margin = s.LaserBeams >= 5 ? 1.0 : 4.0;
  BotPlacement shot;
  for (int index = 0; index < kPoseCount; ++index) {
    if (reach.Parent[index] < 0) continue;
    const Pose p = PoseAt(index);
    BoardGrid after = board;
    FireBeams(after, set.Shapes[p.Rotation], p);
    const Outcome result = Settle(after, s);
    if (!shot.Valid || result.Score > shot.Score) shot = {p.Rotation, p.X, p.Y, true, true, result.Score};
  }
  // Judged like the placements before the preview look, which adds an element's worth of stack.
  const double placed = candidates.empty() ? kLost : candidates.front().Result.Score;
  if (shot.Valid && (!best.Valid || shot.Score > placed + margin)) return shot;
  return best;
}

Situation SituationOf(const TMain& game) {
  const LevelRecord& level = game.Adv.Adventure.Levels[std::clamp(game.Adv.CurrentLevel, 1, kMaxLevels)];
  Situation s;
  s.Kind = game.Play.CurrentType;
  // The preview is read only when the level shows it and no damage covers it.
  if (QueuedCount(level) > 0 && game.Specials.DamageLevel == 0) s.NextKind = game.Play.ElementQueue[1].Kind;
  s.EntryColumn = level.EntryColumn;
  s.EntryRow = level.EntryRow;
  s.ActionLevel = level.LevelType == 0;
  s.LinesLeft = game.Play.LinesLeft;
  s.LaserBeams = game.Specials.LaserBeams;
  return s;
}

}  // namespace plumix::bot

namespace plumix {

BotPlacement ChoosePlacement(const TMain& game) {
  const ElementRecord& e = game.Play.ElementQueue[0];
  const LevelRecord& level = game.Adv.Adventure.Levels[std::clamp(game.Adv.CurrentLevel, 1, kMaxLevels)];
  return bot::Choose(level.Board, bot::SituationOf(game), {game.Play.RotationState, e.X, e.Y});
}

}  // namespace plumix
