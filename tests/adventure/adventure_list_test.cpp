// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "adventure/adventure_file.h"
#include "adventure/adventure_list.h"
#include "adventure/adventure_test_files.h"
#include "media/bitmap.h"
#include "media/text.h"
#include "support/files.h"

namespace plumix {
namespace {

using namespace plumix::testing;
namespace fs = std::filesystem;

// ---- Scanning ----

TEST(AdventureScan, ListsPafFilesOfAnyCaseInNameOrder) {
  fs::path dir = FreshDir("scan");
  std::vector<uint8_t> beta = GoodAdventure("Beta", 7);
  PutScore(beta, 1, "Twenty characters!!!", 900);
  beta[191476] = 42;
  WriteBytes(dir / "b.PAF", beta);
  WriteBytes(dir / "a.paf", GoodAdventure("Alpha", 1));
  WriteBytes(dir / "C.Paf", GoodAdventure("\x8A" "koda", 2));
  WriteBytes(dir / "notes.txt", GoodAdventure("Not an adventure", 1));
  WriteBytes(dir / "a.paf.bak", GoodAdventure("Backup", 1));
  WriteBytes(dir / "broken.paf", std::vector<uint8_t>(100, 1));
  fs::create_directories(dir / "dir.paf");
  WriteBytes(dir / "empty-title.paf", GoodAdventure("", 3));

  AdventureScan scan = ScanAdventureFolder(dir);
  ASSERT_EQ(scan.Entries.size(), 4u);
  EXPECT_EQ(scan.Entries[0].FileName, "a.paf");
  EXPECT_EQ(scan.Entries[1].FileName, "b.PAF");
  EXPECT_EQ(scan.Entries[2].FileName, "C.Paf");
  EXPECT_EQ(scan.Entries[3].FileName, "empty-title.paf");
  const AdventureListEntry& b = scan.Entries[1];
  EXPECT_EQ(b.Title, "Beta");
  EXPECT_EQ(b.Author, "Author of Beta");
  EXPECT_EQ(b.Contact, "mail@example.org");
  EXPECT_EQ(b.LastLevelIndex, 6);
  EXPECT_EQ(b.FirstPlaceName, "Twenty characte") << "the first 15 characters";
  EXPECT_EQ(b.Reserved, 42);
  EXPECT_EQ(scan.Entries[2].Title, "\x8A" "koda");
  EXPECT_EQ(scan.Entries[3].Title, "empty-title") << "a file without a title is shown by its name";

  ASSERT_EQ(scan.Notes.size(), 2u);
  EXPECT_NE(scan.Notes[0].find("broken.paf"), std::string::npos) << scan.Notes[0];
  EXPECT_NE(scan.Notes[0].find("100 bytes"), std::string::npos) << scan.Notes[0];
  EXPECT_NE(scan.Notes[1].find("dir.paf"), std::string::npos) << scan.Notes[1];

  AdventureScan again = ScanAdventureFolder(dir);
  for (size_t i = 0; i < again.Entries.size(); ++i) {
    EXPECT_EQ(again.Entries[i].FileName, scan.Entries[i].FileName);
  }

  AdventureState state;
  state.SelectedAdventure = 9;
  ApplyScan(state, std::move(scan));
  EXPECT_EQ(state.AdventureCount, 4);
  EXPECT_EQ(state.SelectedAdventure, 4) << "a selection past the list is pulled back";
  EXPECT_EQ(state.AdventureList[1].Title, "Alpha");
  EXPECT_TRUE(state.AdventureList[5].Title.empty());
  EXPECT_EQ(state.ScanNotes.size(), 2u);
}

TEST(AdventureScan, EmptyAndMissingFolders) {
  for (bool exists : {true, false}) {
    fs::path dir = FreshDir("scan-empty");
    if (!exists) fs::remove_all(dir);
    AdventureState state;
    state.AdventureList[1].Title = "stale";
    state.SelectedAdventure = 1;
    ApplyScan(state, ScanAdventureFolder(dir));
    EXPECT_EQ(state.AdventureCount, 1) << "1 for no file, so callers test the first title";
    EXPECT_TRUE(state.AdventureList[1].Title.empty());
    EXPECT_EQ(state.SelectedAdventure, -1);
    EXPECT_TRUE(state.ScanNotes.empty());
  }
}

TEST(AdventureScan, AtMostAThousandFilesAreListed) {
  fs::path dir = FreshDir("scan-many");
  for (int i = 0; i < 1003; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "adv%04d.paf", i);
    // Sparse all-zero files: valid records that take no disk space.
    int fd = ::open((dir / name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, kPafSize), 0);
    ::close(fd);
  }
  AdventureScan scan = ScanAdventureFolder(dir);
  ASSERT_EQ(scan.Entries.size(), 1000u);
  EXPECT_EQ(scan.Entries.back().FileName, "adv0999.paf");
  ASSERT_EQ(scan.Notes.size(), 1u);
  EXPECT_NE(scan.Notes[0].find("3 more"), std::string::npos) << scan.Notes[0];
  AdventureState state;
  ApplyScan(state, std::move(scan));
  EXPECT_EQ(state.AdventureCount, 1000);
  EXPECT_EQ(state.AdventureList.size(), 1001u);
  EXPECT_EQ(state.AdventureList[1000].FileName, "adv0999.paf");
  fs::remove_all(dir);
}

// ---- Loading and record scores ----

TEST(AdventureLoad, GoodBadAndMissingFiles) {
  fs::path dir = FreshDir("load");
  WriteBytes(dir / "good.paf", GoodAdventure("Good", 2));
  std::vector<uint8_t> odd = GoodAdventure("Odd", 2);
  odd[LevelAt(2) + 37] = 9;  // NextElements
  WriteBytes(dir / "odd.paf", odd);
  WriteBytes(dir / "short.paf", std::vector<uint8_t>(191479, 0));

  std::vector<std::string> notes{"stale"};
  Parsed<AdventureRecord> good = LoadAdventureFile(dir / "good.paf", &notes);
  ASSERT_TRUE(good) << good.Error;
  EXPECT_EQ(good.Value->Title, "Good");
  EXPECT_TRUE(notes.empty());

  Parsed<AdventureRecord> made = LoadAdventureFile(dir / "odd.paf", &notes);
  ASSERT_TRUE(made);
  EXPECT_EQ(made.Value->Levels[2].NextElements, 4);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("Level 2"), std::string::npos) << notes[0];

  Parsed<AdventureRecord> cut = LoadAdventureFile(dir / "short.paf", nullptr);
  EXPECT_FALSE(cut);
  EXPECT_NE(cut.Error.find("short.paf"), std::string::npos) << cut.Error;
  EXPECT_NE(cut.Error.find("191479"), std::string::npos) << cut.Error;

  Parsed<AdventureRecord> missing = LoadAdventureFile(dir / "gone.paf", nullptr);
  EXPECT_FALSE(missing);
  EXPECT_NE(missing.Error.find("gone.paf"), std::string::npos) << missing.Error;
}

TEST(AdventureLoad, RecordScoresOfTheCurrentLevel) {
  AdventureRecord source = *ParseAdventure(GoodAdventure("R", 5)).Value;
  for (int k = 1; k <= kMaxLevels; ++k) source.Levels[k].RecordScore = 10 * k;
  AdventureState state;
  state.CurrentLevel = 3;
  SetRecordScores(state, source);
  EXPECT_EQ(state.RecordTotal, 60);
  EXPECT_EQ(state.RecordLevelScore, 30);
  state.CurrentLevel = 100;
  SetRecordScores(state, source);
  EXPECT_EQ(state.RecordTotal, 50500);
  EXPECT_EQ(state.RecordLevelScore, 1000);
  state.CurrentLevel = 250;  // never past the table
  SetRecordScores(state, source);
  EXPECT_EQ(state.RecordLevelScore, 1000);
  source.Levels[1].RecordScore = INT32_MAX;
  source.Levels[2].RecordScore = INT32_MAX;
  state.CurrentLevel = 2;
  SetRecordScores(state, source);
  EXPECT_EQ(state.RecordTotal, INT32_MAX) << "a sum that does not fit is held at the top";
}

// ---- High scores ----

// Entry i scores 6100 - 100 i: 6000, 5900, ..., 100.
AdventureState FullTable() {
  AdventureState state;
  state.Adventure = *ParseAdventure(GoodAdventure("T", 3)).Value;
  for (int i = 1; i <= 60; ++i) {
    state.Adventure.HighScores[i].Name = "P" + std::to_string(i);
    state.Adventure.HighScores[i].Score = 6100 - 100 * i;
  }
  return state;
}

TEST(HighScores, EqualScoresArePlacedBelow) {
  AdventureState state = FullTable();
  state.Score = 5900;
  EXPECT_TRUE(EnterHighScore(state, "Me"));
  EXPECT_TRUE(state.HighScorePlaced);
  EXPECT_EQ(state.HighScoreRank, 3);
  auto& t = state.Adventure.HighScores;
  EXPECT_EQ(t[2].Name, "P2");
  EXPECT_EQ(t[3].Name, "Me");
  EXPECT_EQ(t[3].Score, 5900);
  EXPECT_EQ(t[4].Name, "P3");
  EXPECT_EQ(t[60].Name, "P59") << "entry 60 drops out";
  EXPECT_EQ(t[60].Score, 200);
}

TEST(HighScores, ScoreEqualToTheLastIsNotEntered) {
  AdventureState state = FullTable();
  state.HighScoreRank = 0;
  state.Score = 100;
  auto before = state.Adventure.HighScores;
  EXPECT_TRUE(EnterHighScore(state, "Me"));
  EXPECT_FALSE(state.HighScorePlaced);
  EXPECT_EQ(state.HighScoreRank, 0);
  for (int i = 1; i <= 60; ++i) EXPECT_EQ(state.Adventure.HighScores[i].Name, before[i].Name);

  state = FullTable();
  state.Score = 101;
  EnterHighScore(state, "Me");
  EXPECT_EQ(state.HighScoreRank, 60);
  EXPECT_EQ(state.Adventure.HighScores[60].Name, "Me");
  EXPECT_EQ(state.Adventure.HighScores[59].Name, "P59");
}

TEST(HighScores, OnlyTheFirstSaveOfAGameCounts) {
  AdventureState state = FullTable();
  state.Score = 7000;
  EXPECT_TRUE(EnterHighScore(state, "First"));
  EXPECT_EQ(state.HighScoreRank, 1);
  state.Score = 9000;
  EXPECT_FALSE(EnterHighScore(state, "Second"));
  EXPECT_EQ(state.SaveCount, 2);
  EXPECT_EQ(state.HighScoreRank, 1);
  EXPECT_EQ(state.Adventure.HighScores[1].Name, "First");
  EXPECT_EQ(state.Adventure.HighScores[2].Name, "P1");
}

TEST(HighScores, EmptyTableAndLongNames) {
  AdventureState state;
  state.Score = 0;
  EnterHighScore(state, "Nobody");
  EXPECT_FALSE(state.HighScorePlaced) << "a score of 0 is no score";
  state = AdventureState{};
  state.Score = 50;
  EnterHighScore(state, std::string(40, 'N'));
  EXPECT_EQ(state.HighScoreRank, 1);
  EXPECT_EQ(state.Adventure.HighScores[1].Name, std::string(30, 'N'));
}

class HighScoreFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = FreshDir("highscores");
    path = dir / "game.paf";
    original = GoodAdventure("Saved", 3);
    for (int i = 1; i <= 60; ++i) PutScore(original, i, "P" + std::to_string(i), 6100 - 100 * i);
    PutText(original, EntryAt(5), "LongerOldName");
    PutText(original, EntryAt(5), "P5");  // leaves "ngerOldName" after the text
    original[EntryAt(5) + 31] = 0x77;
    for (int k = 1; k <= 100; ++k) PutI32(original, LevelAt(k) + 1888, 500 + k);
    original[191479] = 0xEE;
    WriteBytes(path, original);
    state.Adventure = *LoadAdventureFile(path, nullptr).Value;
    state.LoadedFileName = "game.paf";
    // What a game changes in memory, which must not reach the file.
    state.Adventure.Levels[1].Board[5][5].Code = kBlock;
    state.Adventure.Levels[1].DisasterKind = 2;
    state.Adventure.Levels[1].EntryColumn = 13;
    state.Adventure.Title = "Changed in memory";
  }
  // Offsets outside the high-score table and the record scores must not change.
  void ExpectUnchangedElsewhere(const std::vector<uint8_t>& now) {
    ASSERT_EQ(now.size(), kPafSize);
    for (size_t i = 0; i < kPafSize; ++i) {
      if (i >= 189316 && i < 191476) continue;
      bool record = i >= 116 && i < 189316 && (i - 116) % 1892 >= 1888;
      if (record) continue;
      ASSERT_EQ(now[i], original[i]) << "offset " << i;
    }
  }
  fs::path dir, path;
  std::vector<uint8_t> original;
  AdventureState state;
};

TEST_F(HighScoreFile, FirstPlaceWritesAllRecordScores) {
  state.Score = 9999;
  state.LevelScores[1] = 4000;
  state.LevelScores[2] = 5999;
  ASSERT_TRUE(EnterHighScore(state, "Champion"));
  std::string error;
  ASSERT_TRUE(WriteHighScores(path, state, &error)) << error;
  std::vector<uint8_t> now = ReadBytes(path);
  ExpectUnchangedElsewhere(now);
  Parsed<AdventureRecord> back = ParseAdventure(now);
  ASSERT_TRUE(back);
  EXPECT_EQ(back.Value->HighScores[1].Name, "Champion");
  EXPECT_EQ(back.Value->HighScores[1].Score, 9999);
  EXPECT_EQ(back.Value->HighScores[6].Name, "P5");
  EXPECT_EQ(back.Value->HighScores[6].Unused, 0x77) << "a moved entry keeps all its bytes";
  EXPECT_EQ(now[EntryAt(6) + 3], 'n');
  EXPECT_EQ(back.Value->HighScores[60].Name, "P59");
  EXPECT_EQ(back.Value->Levels[1].RecordScore, 4000);
  EXPECT_EQ(back.Value->Levels[2].RecordScore, 5999);
  for (int k = 3; k <= 100; ++k) {
    ASSERT_EQ(back.Value->Levels[k].RecordScore, 0) << "level " << k << " was not reached";
  }
  EXPECT_EQ(back.Value->Levels[1].Board[5][5].Code, kEmpty);
  EXPECT_EQ(back.Value->Title, "Saved");
}

TEST_F(HighScoreFile, OtherPlacesKeepTheRecordScores) {
  state.Score = 5950;
  state.LevelScores[1] = 5950;
  ASSERT_TRUE(EnterHighScore(state, "Second"));
  ASSERT_EQ(state.HighScoreRank, 2);
  std::string error;
  ASSERT_TRUE(WriteHighScores(path, state, &error)) << error;
  std::vector<uint8_t> now = ReadBytes(path);
  for (size_t i = 0; i < 189316; ++i) ASSERT_EQ(now[i], original[i]) << "offset " << i;
  EXPECT_EQ(ParseAdventure(now).Value->HighScores[2].Name, "Second");
}

TEST_F(HighScoreFile, TheSaverStartsFromTheFileOnDisk) {
  std::vector<uint8_t> edited = original;
  PutText(edited, 0, "Edited meanwhile");
  WriteBytes(path, edited);
  original = edited;
  state.Score = 50;
  EnterHighScore(state, "X");
  std::string error;
  ASSERT_TRUE(WriteHighScores(path, state, &error)) << error;
  ExpectUnchangedElsewhere(ReadBytes(path));
}

TEST_F(HighScoreFile, AFailedSaveLeavesTheFileAndSaysSo) {
  state.Score = 9999;
  EnterHighScore(state, "Champion");
  std::string error;

  fs::create_directories(dir / ".game.paf.saving" / "x");
  EXPECT_FALSE(WriteHighScores(path, state, &error));
  EXPECT_NE(error.find("unchanged"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(path), original);
  fs::remove_all(dir / ".game.paf.saving");

  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit tiny = saved;
  tiny.rlim_cur = 65536;  // the disk fills up part way
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
  bool ok = WriteHighScores(path, state, &error);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(ok);
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_FALSE(fs::exists(dir / ".game.paf.saving"));

  WriteBytes(path, std::vector<uint8_t>(1000, 3));
  EXPECT_FALSE(WriteHighScores(path, state, &error));
  EXPECT_NE(error.find("1000 bytes"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(path).size(), 1000u) << "a file that is no longer an adventure is not touched";

  fs::remove(path);
  EXPECT_FALSE(WriteHighScores(path, state, &error));
  EXPECT_FALSE(fs::exists(path)) << "the saver never creates an adventure";
}

TEST_F(HighScoreFile, SavesRespectLinksModesLongerFilesAndProtection) {
  // A designer's adventure: kept elsewhere, linked in, with notes after the record.
  fs::path real = dir / "work" / "mine.paf";
  fs::create_directories(real.parent_path());
  std::vector<uint8_t> longer = original;
  longer.insert(longer.end(), {'n', 'o', 't', 'e', 's'});
  WriteBytes(real, longer);
  fs::permissions(real, fs::perms(0640));
  fs::remove(path);
  fs::create_symlink("work/mine.paf", path);
  AdventureScan scan = ScanAdventureFolder(dir);
  ASSERT_EQ(scan.Entries.size(), 1u) << "a longer file is listed as its first record";

  state.Score = 9999;
  EnterHighScore(state, "Champion");
  std::string error;
  ASSERT_TRUE(WriteHighScores(path, state, &error)) << error;
  EXPECT_TRUE(fs::is_symlink(path)) << "the link stays a link";
  std::vector<uint8_t> now = ReadBytes(real);
  ASSERT_EQ(now.size(), longer.size());
  EXPECT_TRUE(std::equal(now.end() - 5, now.end(), longer.end() - 5)) << "the bytes after the record are kept";
  now.resize(kPafSize);
  ExpectUnchangedElsewhere(now);
  EXPECT_EQ(ParseAdventure(now).Value->HighScores[1].Name, "Champion");
  EXPECT_EQ(fs::status(real).permissions(), fs::perms(0640));

  fs::permissions(real, fs::perms(0444));
  std::vector<uint8_t> before = ReadBytes(real);
  state.SaveCount = 0;
  EXPECT_FALSE(WriteHighScores(path, state, &error));
  EXPECT_NE(error.find("write-protected"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(real), before);
  EXPECT_EQ(fs::status(real).permissions(), fs::perms(0444));
}

// ---- The list page ----

AdventureState ListOf(int count) {
  AdventureState state;
  for (int i = 1; i <= count; ++i) {
    AdventureListEntry& e = state.AdventureList[i];
    e.FileName = "f" + std::to_string(i) + ".paf";
    e.Title = "Title " + std::to_string(i);
    e.Author = "Author " + std::to_string(i);
    e.Contact = "Contact " + std::to_string(i);
    e.LastLevelIndex = static_cast<uint8_t>(i - 1);
    e.FirstPlaceName = "Best " + std::to_string(i);
  }
  state.AdventureCount = count;
  return state;
}

const ListText* Find(const AdventureListPage& page, const std::string& text, Colour colour) {
  for (const ListText& t : page.Texts) {
    if (t.Text == text && t.Color == colour) return &t;
  }
  return nullptr;
}

TEST(AdventureListPage, EmptyList) {
  AdventureState state;
  state.AdventureCount = 1;
  AdventureListPage page = BuildAdventureListPage(state, 1);
  EXPECT_EQ(page.Selected, -1);
  EXPECT_FALSE(page.Bar);
  ASSERT_EQ(page.Texts.size(), 2u);
  const std::string text = "No Plumix Adventure Files (*.paf) found in \\Adventures directory.";
  EXPECT_EQ(page.Texts[0].Text, text);
  EXPECT_EQ(page.Texts[0].Color, kBlack);
  EXPECT_EQ(page.Texts[0].X, 31);
  EXPECT_EQ(page.Texts[0].Y, 136);
  EXPECT_EQ(page.Texts[1].Color, kWhite);
  EXPECT_EQ(page.Texts[1].X, 30);
  EXPECT_EQ(page.Texts[1].Y, 135);
  EXPECT_EQ(page.Texts[1].Size, 14);
}

TEST(AdventureListPage, RowsColumnsBarAndCounter) {
  AdventureState state = ListOf(30);
  AdventureListPage page = BuildAdventureListPage(state, 5);
  EXPECT_EQ(page.Selected, 5);
  const ListText* title = Find(page, "Title 1", kWhite);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->X, 30);
  EXPECT_EQ(title->Y, 147);
  EXPECT_EQ(title->Size, 10);
  const ListText* shadow = Find(page, "Title 1", kBlack);
  ASSERT_NE(shadow, nullptr);
  EXPECT_EQ(shadow->X, 31);
  EXPECT_EQ(shadow->Y, 148);
  EXPECT_LT(shadow, title) << "the shadow is drawn first";
  EXPECT_EQ(Find(page, "3", kWhite)->X, 411) << "level count of entry 3";
  EXPECT_EQ(Find(page, "Author 2", kWhite)->X, 485);
  EXPECT_EQ(Find(page, "Author 2", kWhite)->Y, 167);
  EXPECT_EQ(Find(page, "Contact 2", kWhite)->X, 671);
  EXPECT_EQ(Find(page, "Best 27", kWhite)->X, 861);
  EXPECT_EQ(Find(page, "Best 27", kWhite)->Y, 147 + 26 * 20);
  EXPECT_EQ(Find(page, "Title 28", kWhite), nullptr) << "27 rows at most";
  ASSERT_TRUE(page.Bar);
  EXPECT_EQ(page.BarLeft, 10);
  EXPECT_EQ(page.BarTop, 225);
  EXPECT_EQ(page.BarRight, 1014);
  EXPECT_EQ(page.BarBottom, 245);
  const ListText* counter = Find(page, "05 / 30", kWhite);
  ASSERT_NE(counter, nullptr);
  EXPECT_EQ(counter->X, 950);
  EXPECT_EQ(counter->Y, 725);
  EXPECT_EQ(counter->Size, 12);
  EXPECT_EQ(Find(page, "05 / 30", kBlack)->X, 951);
}

TEST(AdventureListPage, ScrollsPastTheTwentySeventhEntry) {
  AdventureState state = ListOf(30);
  AdventureListPage page = BuildAdventureListPage(state, 30);
  EXPECT_EQ(Find(page, "Title 3", kWhite), nullptr);
  EXPECT_EQ(Find(page, "Title 4", kWhite)->Y, 147);
  EXPECT_EQ(Find(page, "Title 30", kWhite)->Y, 667);
  EXPECT_EQ(page.BarTop, 665) << "the bar stays on the last row";

  page = BuildAdventureListPage(state, 45);
  EXPECT_EQ(page.Selected, 30) << "a selection past the list is pulled back";

  page = BuildAdventureListPage(state, -1);
  EXPECT_FALSE(page.Bar);
  EXPECT_NE(Find(page, "Title 27", kWhite), nullptr);
  EXPECT_EQ(Find(page, "-1 / 30", kWhite), nullptr);

  state = ListOf(1000);
  page = BuildAdventureListPage(state, 1000);
  EXPECT_NE(Find(page, "1000 / 1000", kWhite), nullptr);
  EXPECT_EQ(Find(page, "Title 1000", kWhite)->Y, 667);
}

TEST(AdventureListPage, CodePage1250TextReachesTheScreenWithItsAccents) {
  AdventureState state = ListOf(2);
  state.AdventureList[2].Title = "Dobrodru\x9Estv\xED";
  state.AdventureList[2].Author = "\x8Aime\xE8" "ek";
  AdventureListPage page = BuildAdventureListPage(state, 2);
  const ListText* title = Find(page, "Dobrodru\x9Estv\xED", kWhite);
  ASSERT_NE(title, nullptr) << "the bytes are handed on as code page 1250";
  EXPECT_EQ(Cp1250ToUtf8(title->Text), "Dobrodružství");
  EXPECT_EQ(Cp1250ToUtf8(Find(page, "\x8Aime\xE8" "ek", kWhite)->Text), "Šimeček");
}

TEST(AdventureListPage, SkippedFilesAreNoted) {
  AdventureState state = ListOf(2);
  state.ScanNotes = {"bad.paf is not listed: it is 5 bytes long", "x.paf is not listed: ..."};
  AdventureListPage page = BuildAdventureListPage(state, 1);
  const ListText* note = Find(page, "bad.paf is not listed: it is 5 bytes long (and 1 more)", kWhite);
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->Y, 748);
}

}  // namespace
}  // namespace plumix
