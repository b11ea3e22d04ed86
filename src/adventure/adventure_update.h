// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A new release of a shipped adventure reaching the player's copy of it.
// One rule for the portable folder (applied by the build) and for the
// installed game's per-player copies (applied at start): the header and the
// levels come from the release; the high-score table is the player's, and so
// are the levels' record scores when the player's own first place scores at
// least the release's (they are that first place's level scores). A release
// whose record holder scores more brings that entry to the top of the
// player's table, with its record scores.
// Bytes the player's file holds after the record stay as they were.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace plumix {

// The player's file as the release makes it; nothing when either file is
// shorter than an adventure record (then the player's file is left alone).
std::optional<std::vector<uint8_t>> UpdatedPlayersAdventure(std::span<const uint8_t> shipped,
                                                            std::span<const uint8_t> players);

// Applies the rule to every "*.paf" that both folders hold; a file only in
// playerFolder is the player's own and is never touched. Returns a line for
// each file updated ("updated: NAME") and each that could not be ("NAME: why").
std::vector<std::string> UpdateAdventureCopies(const std::filesystem::path& shippedFolder,
                                               const std::filesystem::path& playerFolder);

}  // namespace plumix
