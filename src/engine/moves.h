// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four moves of the falling element: "Left", "Right", "Down" and
// "RotateLeft". CanMove tests, ApplyMove moves without testing.
#include <string_view>

#include "adventure/adventure.h"
#include "engine/play_state.h"

namespace plumix {

// True if the element fits after the move; true for any other text.
bool CanMove(const PlayState& play, const BoardGrid& board, std::string_view move);
// Any other text leaves the element as it is.
void ApplyMove(PlayState& play, std::string_view move);

}  // namespace plumix
