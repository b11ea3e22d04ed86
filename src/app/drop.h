// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An adventure file dropped onto the game's window: copied into the player's
// adventure folder and shown selected in the list. One of the same name is
// replaced only when the player says so.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace plumix {

class TMain;

struct DropState {
  // A dropped file waiting for the answer to "replace it?"; empty: none.
  std::string PendingName;
  std::vector<uint8_t> PendingBytes;
};

// The folder dropped adventures go to: the player's own.
std::filesystem::path DroppedAdventurePath(const TMain& game, const std::string& name);
void AdventureDropped(TMain& game, const std::filesystem::path& file);
// A key while the question is shown: Y replaces, any other key keeps the old
// file. False when no question is shown.
bool DropQuestionKey(TMain& game, uint16_t key);
// Draws the question over whatever screen is shown.
void DrawDropQuestion(TMain& game);

}  // namespace plumix
