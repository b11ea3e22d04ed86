// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/moves.h"

#include "engine/board.h"

namespace plumix {
namespace {

bool ShapeFits(const ElementRecord& e, const BoardGrid& board, int dx, int dy) {
  // The box position is a byte: a move that would wrap it never fits.
  if (e.X + dx < 0 || e.X + dx > 255 || e.Y + dy > 255) return false;
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      if (e.Occupied(c, r) && Blocks(board, e.X + dx + c, e.Y + dy + r)) return false;
    }
  }
  return true;
}

}  // namespace

bool CanMove(const PlayState& play, const BoardGrid& board, std::string_view move) {
  const ElementRecord& e = play.ElementQueue[0];
  if (move == "Left") return ShapeFits(e, board, -1, 0);
  if (move == "Right") return ShapeFits(e, board, 1, 0);
  if (move == "Down") return ShapeFits(e, board, 0, 1);
  if (move == "RotateLeft") {
    // The union of the current and the turned shape must fit, so a cell filled
    // under the falling element also stops the turn.
    ElementRecord turned = e;
    ElementRecord next;
    SetShape(next, play.CurrentType, NextState(play.CurrentType, play.RotationState));
    for (int i = 0; i < 16; ++i) turned.Shape[i] = e.Shape[i] | next.Shape[i];
    return ShapeFits(turned, board, 0, 0);
  }
  return true;
}

void ApplyMove(PlayState& play, std::string_view move) {
  ElementRecord& e = play.ElementQueue[0];
  if (move == "Left") {
    --e.X;
  } else if (move == "Right") {
    ++e.X;
  } else if (move == "Down") {
    ++e.Y;
  } else if (move == "RotateLeft") {
    play.RotationState = static_cast<uint8_t>(NextState(play.CurrentType, play.RotationState));
    SetShape(e, play.CurrentType, play.RotationState);
  }
}

}  // namespace plumix
