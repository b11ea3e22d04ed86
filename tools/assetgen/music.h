// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's music: five General MIDI pieces composed from seeded rules.
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

constexpr int kTracks = 5;
// Display name of track n (1-based), as Tracks.txt lists it.
std::string TrackName(int n);
// A Standard MIDI File, format 1.
std::vector<uint8_t> ComposeTrack(int n);

}  // namespace assetgen
