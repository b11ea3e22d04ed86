// SPDX-License-Identifier: GPL-3.0-or-later
#include "adventure/adventure_list.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <system_error>

#include "adventure/adventure_check.h"
#include "adventure/adventure_file.h"
#include "app/main_form.h"
#include "media/bitmap.h"
#include "media/text.h"

namespace plumix {
namespace {

constexpr int kVisibleRows = 27;
constexpr size_t kFirstPlaceLength = 15;
constexpr const char* kEmptyListText =
    "No Plumix Adventure Files (*.paf) found in \\Adventures directory.";

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Case-insensitive first, then byte order, so that the order is total and stable.
bool NameBefore(const std::string& a, const std::string& b) {
  auto fold = [](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), FoldCase);
    return s;
  };
  std::string fa = fold(a), fb = fold(b);
  return fa != fb ? fa < fb : a < b;
}

std::string TwoDigits(int n) { return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n); }

void Shadowed(std::vector<ListText>& texts, int x, int y, const std::string& text, int size) {
  texts.push_back({x + 1, y + 1, text, size, kBlack});
  texts.push_back({x, y, text, size, kWhite});
}

std::string NotesLine(const std::vector<std::string>& notes) {
  if (notes.empty()) return {};
  std::string line = notes.front();
  if (notes.size() > 1) line += " (and " + std::to_string(notes.size() - 1) + " more)";
  return Utf8ToCp1250(line);
}

// The file the running game came from; the selected entry before any load.
std::string CurrentFileName(TMain& game) {
  if (!game.Adv.LoadedFileName.empty()) return game.Adv.LoadedFileName;
  int selected = game.Adv.SelectedAdventure;
  if (selected >= 1 && selected <= kMaxAdventures) return game.Adv.AdventureList[selected].FileName;
  return {};
}

// Only regular files: reading a folder would throw instead of failing.
std::vector<uint8_t> ReadRegularFile(const std::filesystem::path& path, std::string* error) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec)) {
    *error = "it is not a file";
    return {};
  }
  return ReadFileBytes(path, error);
}

void LogNotes(const std::string& file, const std::vector<std::string>& notes) {
  for (const std::string& note : notes) {
    std::fprintf(stderr, "Plumix Adventure: %s: %s\n", file.c_str(), note.c_str());
  }
}

}  // namespace

AdventureListEntry MakeListEntry(const std::string& fileName, const AdventureRecord& adventure) {
  AdventureListEntry entry;
  entry.FileName = fileName;
  entry.Title = adventure.Title;
  if (entry.Title.empty()) {
    // An empty title would hide the entry (and an empty first entry the whole list).
    std::string stem = std::filesystem::path(fileName).stem().string();
    entry.Title = Utf8ToCp1250(stem.empty() ? fileName : stem).substr(0, 30);
  }
  entry.Author = adventure.Author;
  entry.Contact = adventure.Contact;
  entry.LastLevelIndex = static_cast<uint8_t>(PlayedLevelCount(adventure) - 1);
  entry.FirstPlaceName = adventure.HighScores[1].Name.substr(0, kFirstPlaceLength);
  entry.Reserved = adventure.Reserved[0];
  return entry;
}

AdventureScan ScanAdventureFolder(const std::filesystem::path& folder) {
  return ScanAdventureFolders({folder});
}

AdventureScan ScanAdventureFolders(const std::vector<std::filesystem::path>& folders) {
  AdventureScan scan;
  // Each name once, from the last folder that has it.
  std::map<std::string, std::filesystem::path> found;
  for (const std::filesystem::path& folder : folders) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
      std::string name = it->path().filename().string();
      if (IsAdventureName(name)) found[name] = folder;
    }
  }
  std::vector<std::string> names;
  for (const auto& entry : found) names.push_back(entry.first);
  std::sort(names.begin(), names.end(), NameBefore);
  size_t next = 0;
  for (; next < names.size() && scan.Entries.size() < static_cast<size_t>(kMaxAdventures); ++next) {
    const std::string& name = names[next];
    std::filesystem::path path = found[name] / name;
    std::string error;
    std::vector<uint8_t> bytes = ReadRegularFile(path, &error);
    if (!error.empty()) {
      scan.Notes.push_back(name + " is not listed: " + error);
      continue;
    }
    Parsed<AdventureRecord> adventure = ParseAdventure(bytes);
    if (!adventure) {
      scan.Notes.push_back(name + " is not listed: " + adventure.Error);
      continue;
    }
    scan.Entries.push_back(MakeListEntry(name, *adventure.Value));
  }
  if (next < names.size()) {
    scan.Notes.push_back(std::to_string(names.size() - next) +
                         " more adventure files are not listed: the list holds " +
                         std::to_string(kMaxAdventures));
  }
  return scan;
}

void ApplyScan(AdventureState& state, AdventureScan scan) {
  state.AdventureList.assign(kMaxAdventures + 1, AdventureListEntry{});
  int count = static_cast<int>(std::min<size_t>(scan.Entries.size(), kMaxAdventures));
  for (int i = 0; i < count; ++i) state.AdventureList[i + 1] = std::move(scan.Entries[i]);
  state.AdventureCount = count == 0 ? 1 : count;
  state.ScanNotes = std::move(scan.Notes);
  if (count == 0) {
    state.SelectedAdventure = -1;
  } else if (state.SelectedAdventure > count) {
    state.SelectedAdventure = count;
  }
}

int OpeningListEntry(const AdventureState& state) {
  const auto& list = state.AdventureList;
  if (list.size() <= 1 || list[1].Title.empty()) return -1;
  const int count = std::min<int>(state.AdventureCount, static_cast<int>(list.size()) - 1);
  int academy = 0;
  for (int i = 1; i <= count; ++i) {
    if (!state.LoadedFileName.empty() && list[i].FileName == state.LoadedFileName) return i;
    if (academy == 0 && list[i].FileName == kFirstAdventureFile) academy = i;
  }
  return academy > 0 ? academy : 1;
}

Parsed<AdventureRecord> LoadAdventureFile(const std::filesystem::path& path,
                                          std::vector<std::string>* notes) {
  std::string error;
  std::vector<uint8_t> bytes = ReadRegularFile(path, &error);
  Parsed<AdventureRecord> adventure = error.empty() ? ParseAdventure(bytes)
                                                    : Parsed<AdventureRecord>::Fail(error);
  if (!adventure) {
    return Parsed<AdventureRecord>::Fail("Adventure " + path.filename().string() +
                                         " cannot be loaded: " + adventure.Error);
  }
  std::vector<std::string> changed = PrepareForPlay(*adventure.Value);
  if (notes) *notes = std::move(changed);
  return adventure;
}

void SetRecordScores(AdventureState& state, const AdventureRecord& source) {
  int level = std::clamp<int>(state.CurrentLevel, 1, kMaxLevels);
  int64_t total = 0;
  for (int k = 1; k <= level; ++k) total += source.Levels[k].RecordScore;
  state.RecordTotal = static_cast<int32_t>(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX));
  state.RecordLevelScore = source.Levels[level].RecordScore;
}

bool EnterHighScore(AdventureState& state, std::string_view playerName) {
  state.SaveCount += 1;
  if (state.SaveCount >= 2) return false;
  state.HighScorePlaced = false;
  auto& table = state.Adventure.HighScores;
  if (state.Score <= table[kHighScoreCount].Score) return true;
  int place = 1;
  while (state.Score <= table[place].Score) ++place;
  for (int i = kHighScoreCount; i > place; --i) table[i] = table[i - 1];
  // The place keeps its other bytes, as a name written over a stored string does.
  table[place].Name = std::string(playerName.substr(0, 30));
  table[place].Score = state.Score;
  state.HighScorePlaced = true;
  state.HighScoreRank = static_cast<uint8_t>(place);
  return true;
}

bool WriteHighScores(const std::filesystem::path& path, const AdventureState& state,
                     std::string* error) {
  std::string why;
  std::vector<uint8_t> bytes = ReadRegularFile(path, &why);
  if (why.empty() && bytes.size() < kAdventureFileSize) {
    why = path.filename().string() + " is only " + std::to_string(bytes.size()) +
          " bytes long; an adventure file has " + std::to_string(kAdventureFileSize);
  }
  if (!why.empty()) {
    if (error) *error = "The high scores could not be saved (the file is unchanged): " + why;
    return false;
  }
  PatchHighScores(bytes, state.Adventure, state.HighScoreRank == 1 ? &state.LevelScores : nullptr);
  SaveResult saved = SaveFile(path, bytes);
  if (saved) return true;
  if (error) *error = "The high scores could not be saved: " + saved.Error;
  return false;
}

AdventureListPage BuildAdventureListPage(const AdventureState& state, int selected) {
  AdventureListPage page;
  const auto& list = state.AdventureList;
  if (list.size() <= 1 || list[1].Title.empty()) {
    page.Selected = -1;
    Shadowed(page.Texts, 30, 135, kEmptyListText, 14);
  } else {
    int count = std::clamp<int>(state.AdventureCount, 1, static_cast<int>(list.size()) - 1);
    selected = std::min(selected, count);
    page.Selected = selected;
    int first = selected > kVisibleRows ? selected - kVisibleRows + 1 : 1;
    int last = selected > kVisibleRows ? selected : std::min(kVisibleRows, count);
    for (int i = first; i <= last; ++i) {
      const AdventureListEntry& entry = list[i];
      if (entry.Title.empty()) continue;
      int y = 147 + 20 * (i - first);
      Shadowed(page.Texts, 30, y, entry.Title, 10);
      Shadowed(page.Texts, 411, y, std::to_string(entry.LastLevelIndex + 1), 10);
      Shadowed(page.Texts, 485, y, entry.Author, 10);
      Shadowed(page.Texts, 671, y, entry.Contact, 10);
      Shadowed(page.Texts, 861, y, entry.FirstPlaceName, 10);
    }
    if (selected >= 1) {
      int y = 140 + 20 * (std::min(selected, kVisibleRows) - 1);
      page.Bar = true;
      page.BarLeft = 10;
      page.BarTop = y + 5;
      page.BarRight = 1014;
      page.BarBottom = y + 25;
      Shadowed(page.Texts, 950, 725, TwoDigits(selected) + " / " + TwoDigits(count), 12);
    }
  }
  std::string notes = NotesLine(state.ScanNotes);
  if (!notes.empty()) Shadowed(page.Texts, 30, 748, notes, 10);
  return page;
}

void ScanAdventures(TMain& game) {
  AdventureScan scan = ScanAdventureFolders(AdventureFolders(game.Places()));
  LogNotes("Adventures", scan.Notes);
  ApplyScan(game.Adv, std::move(scan));
}

bool LoadAdventure(TMain& game, int index) {
  AdventureState& state = game.Adv;
  if (index < 1 || index > std::min(state.AdventureCount, kMaxAdventures) ||
      state.AdventureList[index].FileName.empty()) {
    game.ReportError("No adventure is selected.");
    return false;
  }
  const std::string& name = state.AdventureList[index].FileName;
  std::vector<std::string> notes;
  Parsed<AdventureRecord> adventure =
      LoadAdventureFile(AdventureReadPath(game.Places(), name), &notes);
  if (!adventure) {
    game.ReportError(adventure.Error);
    return false;
  }
  LogNotes(name, notes);
  state.Adventure = std::move(*adventure.Value);
  state.LoadedFileName = name;
  state.LoadNotes = std::move(notes);
  return true;
}

void ReadRecordScores(TMain& game) {
  std::string name = CurrentFileName(game);
  Parsed<AdventureRecord> fresh = LoadAdventureFile(AdventureReadPath(game.Places(), name), nullptr);
  if (!fresh) {
    // The scores loaded at the start of the game are the next best thing.
    SetRecordScores(game.Adv, game.Adv.Adventure);
    game.ReportError("The record scores could not be read again: " + fresh.Error);
    return;
  }
  SetRecordScores(game.Adv, *fresh.Value);
}

void SaveHighScore(TMain& game) {
  // The table is for people: a game the bot played is only watched.
  if (game.Options.BotPlays) return;
  if (!EnterHighScore(game.Adv, game.Settings.PlayerName)) return;
  std::string name = CurrentFileName(game);
  std::string error;
  if (name.empty()) {
    game.ReportError("The high scores could not be saved: no adventure is loaded.");
  } else {
    std::string copyError;
    std::filesystem::path path = AdventureSavePath(game.Places(), name, &copyError);
    if (!copyError.empty()) {
      game.ReportError("The high scores could not be saved: " + copyError);
    } else if (!WriteHighScores(path, game.Adv, &error)) {
      game.ReportErrorOnce(error);
    }
  }
}

void DrawAdventureList(TMain& game, int selected) {
  AdventureListPage page = BuildAdventureListPage(game.Adv, selected);
  game.Adv.SelectedAdventure = page.Selected;
  if (page.Bar) {
    Canvas& canvas = game.M.DXDraw.GetCanvas();
    CanvasBrush savedBrush = canvas.Brush;
    CanvasPen savedPen = canvas.Pen;
    canvas.Brush.Clear = true;
    canvas.Pen = CanvasPen{kWhite, 1};
    canvas.Rectangle(page.BarLeft, page.BarTop, page.BarRight, page.BarBottom);
    canvas.Brush = savedBrush;
    canvas.Pen = savedPen;
    canvas.Release();
  }
  for (const ListText& text : page.Texts) {
    game.DrawText(text.X, text.Y, text.Text, "Arial CE", text.Size, text.Color, kStyleNormal);
  }
}

}  // namespace plumix
