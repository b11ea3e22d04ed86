// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bot's search, inside the bot folder: poses of the falling element, the
// poses it can reach from one by the game's moves, and the placement choice.
#include <array>
#include <cstdint>
#include <vector>

#include "adventure/adventure.h"
#include "bot/bot.h"

namespace plumix::bot {

// Box positions 0..31 in both directions, rotation states 1..4.
constexpr int kPoseSpan = 32;
constexpr int kPoseCount = 4 * kPoseSpan * kPoseSpan;

struct Pose {
  int Rotation = 1;
  int X = 0;
  int Y = 0;
};
inline int PoseIndex(Pose p) { return ((p.Rotation - 1) * kPoseSpan + p.X) * kPoseSpan + p.Y; }
inline Pose PoseAt(int index) {
  return {index / (kPoseSpan * kPoseSpan) + 1, index / kPoseSpan % kPoseSpan, index % kPoseSpan};
}

enum PoseMove : uint8_t { kMoveNone, kMoveRotate, kMoveLeft, kMoveRight, kMoveDown, kMoveUnreachable };

// The pictures of one kind in each rotation state, and for each state the
// union with the next one, which a turn must find room for.
struct ShapeSet {
  explicit ShapeSet(int kind);
  int Kind;
  int States;
  std::array<std::array<uint8_t, 16>, 5> Shapes{};
  std::array<std::array<uint8_t, 16>, 5> Turning{};
};

// Every pose reachable from the start, with the move that first reached it.
struct Reach {
  Reach();
  std::array<int, kPoseCount> Parent;  // -1 not reached; the start is its own parent
  std::array<uint8_t, kPoseCount> Move{};
  std::vector<int> Resting;  // reached poses that cannot move down
};

// What the game needs of the level to judge a placement.
struct Situation {
  int Kind = 1;
  int NextKind = 0;  // 0: no preview
  int EntryColumn = 1;
  int EntryRow = 1;
  bool ActionLevel = true;
  int LinesLeft = 0;
  int LaserBeams = 0;
};

struct Outcome {
  int Lines = 0;
  double Specials = 0;
  bool ToppedOut = false;
  double Score = 0;
};

bool Fits(const BoardGrid& board, const std::array<uint8_t, 16>& shape, int x, int y);
Reach Explore(const BoardGrid& board, const ShapeSet& set, Pose start);
// The first move of the found path to the target; kMoveNone when already there.
PoseMove FirstMove(const Reach& reach, Pose target);
void Place(BoardGrid& board, const std::array<uint8_t, 16>& shape, Pose p, int kind);
// The laser from this pose: the element's columns emptied up and down to the walls.
void FireBeams(BoardGrid& board, const std::array<uint8_t, 16>& shape, Pose p);
// Removes full rows and judges what is left.
Outcome Settle(BoardGrid& board, const Situation& s);
BotPlacement Choose(const BoardGrid& board, const Situation& s, Pose from);
Situation SituationOf(const TMain& game);

}  // namespace plumix::bot
