// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The adventure list, loading an adventure, the record scores and the
// high-score save. The TMain functions are thin layers over the others.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "adventure/adventure_state.h"
#include "media/colour.h"
#include "media/error.h"

namespace plumix {

class TMain;

// ---- Game-facing wrappers (problems go to ReportError) ----
void ScanAdventures(TMain& game);
// False (with an error shown) when the entry is no adventure or its file
// cannot be read; Adventure then keeps what it held.
bool LoadAdventure(TMain& game, int index);
void ReadRecordScores(TMain& game);
void SaveHighScore(TMain& game);
void DrawAdventureList(TMain& game, int selected);

// ---- The same on plain values ----
struct AdventureScan {
  std::vector<AdventureListEntry> Entries;  // sorted by file name, at most 1000
  std::vector<std::string> Notes;           // files not listed, and why
};
// Every "*.paf" (any case) of the folder; a missing folder gives an empty scan.
AdventureScan ScanAdventureFolder(const std::filesystem::path& folder);
// Several folders listed as one; a later folder's file replaces an earlier one of the same name.
AdventureScan ScanAdventureFolders(const std::vector<std::filesystem::path>& folders);
// Entries 1..n, the count (1 when there is none) and the notes.
void ApplyScan(AdventureState& state, AdventureScan scan);
// The file every new player should start with.
inline constexpr const char* kFirstAdventureFile = "PlumixAcademy.paf";
// The entry the list opens on: the adventure loaded last, else the Academy,
// else the first; -1 for an empty list.
int OpeningListEntry(const AdventureState& state);
AdventureListEntry MakeListEntry(const std::string& fileName, const AdventureRecord& adventure);

// Reads and parses a file, made safe for play; `notes` gets what was changed.
Parsed<AdventureRecord> LoadAdventureFile(const std::filesystem::path& path,
                                          std::vector<std::string>* notes);

// RecordTotal and RecordLevelScore of CurrentLevel from a record.
void SetRecordScores(AdventureState& state, const AdventureRecord& source);

// Steps 1 and 2 of the save: counts the save and enters the score into the
// in-memory table. False when the table was already saved in this game.
bool EnterHighScore(AdventureState& state, std::string_view playerName);
// Writes the in-memory table (and the record scores, for a first place) into
// the file as it is on disk; nothing else of the file changes.
bool WriteHighScores(const std::filesystem::path& path, const AdventureState& state,
                     std::string* error);

struct ListText {
  int X = 0, Y = 0;
  std::string Text;  // code page 1250
  int Size = 10;
  Colour Color = kWhite;
};
struct AdventureListPage {
  int Selected = -1;
  std::vector<ListText> Texts;  // in drawing order, shadows first
  bool Bar = false;
  int BarLeft = 0, BarTop = 0, BarRight = 0, BarBottom = 0;
};
AdventureListPage BuildAdventureListPage(const AdventureState& state, int selected);

}  // namespace plumix
