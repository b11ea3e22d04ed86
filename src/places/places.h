// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the game's files live. The shipped files (themes, music, adventures)
// are read from the game folder; the player's files (settings, high scores)
// are kept there too while it is a writable portable folder, and otherwise
// in the player's own folders (XDG config and data homes).
#include <filesystem>
#include <string>
#include <vector>

namespace plumix {

struct FilePlaces {
  std::filesystem::path GameDir;    // the shipped files
  std::filesystem::path ConfigDir;  // Settings.set; empty: the game folder
  std::filesystem::path DataDir;    // Adventures/ of the player; empty: none
};

// The places of a game started from programDir: a folder with "Graphics"
// beside the program is the game folder (portable while writable); else the
// installed data at programDir / installedData, with the player's folders.
FilePlaces FindPlaces(const std::filesystem::path& programDir,
                      const std::filesystem::path& installedData);

std::filesystem::path SettingsPath(const FilePlaces& places);
// The folder of a file, made when missing; false (and why) when it cannot be.
bool MakeFolderFor(const std::filesystem::path& file, std::string* error);

// The adventure folders in listing order: a file of a later folder stands
// in for one of the same name in an earlier folder.
std::vector<std::filesystem::path> AdventureFolders(const FilePlaces& places);
// The file an adventure of the list is read from: the player's copy first.
std::filesystem::path AdventureReadPath(const FilePlaces& places, const std::string& name);
// The file its high scores go to. In the player's folder a copy of the
// shipped file is made first, so the shipped one is never written.
std::filesystem::path AdventureSavePath(const FilePlaces& places, const std::string& name,
                                        std::string* error);

}  // namespace plumix
