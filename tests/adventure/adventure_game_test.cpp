// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "adventure/adventure_file.h"
#include "adventure/adventure_list.h"
#include "adventure/adventure_test_files.h"
#include "media/bitmap.h"
#include "media/colour.h"
#include "settings/theme_lists.h"
#include "support/files.h"
#include "support/harness.h"

namespace plumix {
namespace {

namespace fs = std::filesystem;
using plumix::testing::GoodAdventure;
using plumix::testing::Harness;
using plumix::testing::HarnessOptions;
using plumix::testing::PutScore;
using plumix::testing::ReadBytes;
using plumix::testing::WriteBytes;

// A game whose Adventures folder holds exactly the given files.
class AdventureGame : public ::testing::Test {
 protected:
  AdventureGame() : harness(HarnessOptions{.Activate = false}) {}
  void Use(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files) {
    folder = harness.Dir / "Adventures";
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const auto& [name, bytes] : files) WriteBytes(folder / name, bytes);
    harness.Game().FormActivate();
  }
  TMain& Game() { return harness.Game(); }
  Harness harness;
  fs::path folder;
};

TEST_F(AdventureGame, StartUpListsTheAdventures) {
  Use({{"b.paf", GoodAdventure("Second", 2)},
       {"A.PAF", GoodAdventure("First", 1)},
       {"bad.paf", std::vector<uint8_t>(12, 0)}});
  AdventureState& adv = Game().Adv;
  EXPECT_EQ(adv.AdventureCount, 2);
  EXPECT_EQ(adv.AdventureList[1].Title, "First");
  EXPECT_EQ(adv.AdventureList[2].Title, "Second");
  ASSERT_EQ(adv.ScanNotes.size(), 1u);
  EXPECT_NE(adv.ScanNotes[0].find("bad.paf"), std::string::npos);
  EXPECT_TRUE(Game().Errors.empty()) << "a bad file is noted, not an error box";

  WriteBytes(folder / "c.paf", GoodAdventure("Third", 1));
  LoadThemeLists(Game());
  EXPECT_EQ(adv.AdventureCount, 3) << "the lists are read again with the adventures";
}

TEST_F(AdventureGame, LoadingChecksTheEntryAndTheFile) {
  Use({{"a.paf", GoodAdventure("First", 1)}, {"b.paf", GoodAdventure("Second", 2)}});
  ASSERT_TRUE(LoadAdventure(Game(), 2));
  EXPECT_EQ(Game().Adv.Adventure.Title, "Second");
  EXPECT_EQ(Game().Adv.LoadedFileName, "b.paf");

  EXPECT_FALSE(LoadAdventure(Game(), 3));
  EXPECT_FALSE(LoadAdventure(Game(), -1));
  EXPECT_EQ(Game().Errors.size(), 2u);

  fs::remove(folder / "a.paf");
  EXPECT_FALSE(LoadAdventure(Game(), 1));
  ASSERT_EQ(Game().Errors.size(), 3u);
  EXPECT_NE(Game().Errors.back().find("a.paf"), std::string::npos) << Game().Errors.back();
  EXPECT_EQ(Game().Adv.Adventure.Title, "Second") << "the adventure loaded before stays";
  EXPECT_EQ(Game().Adv.LoadedFileName, "b.paf");
}

TEST_F(AdventureGame, AGameSavesItsHighScoreOnce) {
  std::vector<uint8_t> file = GoodAdventure("Scores", 2);
  PutScore(file, 1, "Old champion", 800);
  for (int k = 1; k <= 2; ++k) plumix::testing::PutI32(file, plumix::testing::LevelAt(k) + 1888, 400);
  Use({{"s.paf", file}});
  TMain& game = Game();
  game.Settings.PlayerName = "New champion";
  ASSERT_TRUE(LoadAdventure(game, 1));
  AdventureState& adv = game.Adv;
  adv.SaveCount = 0;
  adv.HighScoreRank = 0;
  adv.CurrentLevel = 2;
  ReadRecordScores(game);
  EXPECT_EQ(adv.RecordTotal, 800);
  EXPECT_EQ(adv.RecordLevelScore, 400);

  adv.Score = 900;
  adv.LevelScores[1] = 500;
  adv.LevelScores[2] = 400;
  SaveHighScore(game);
  EXPECT_EQ(adv.HighScoreRank, 1);
  EXPECT_TRUE(adv.HighScorePlaced);
  std::vector<uint8_t> saved = ReadBytes(folder / "s.paf");
  AdventureRecord back = *ParseAdventure(saved).Value;
  EXPECT_EQ(back.HighScores[1].Name, "New champion");
  EXPECT_EQ(back.HighScores[2].Name, "Old champion");
  EXPECT_EQ(back.Levels[1].RecordScore, 500);
  EXPECT_EQ(back.Levels[3].RecordScore, 0);

  adv.Score = 5000;
  SaveHighScore(game);
  EXPECT_EQ(ReadBytes(folder / "s.paf"), saved) << "the second save of a game changes nothing";
  EXPECT_TRUE(game.Errors.empty());
}

TEST_F(AdventureGame, AVanishedFileIsReportedNotFatal) {
  Use({{"v.paf", GoodAdventure("Vanishing", 3)}});
  TMain& game = Game();
  ASSERT_TRUE(LoadAdventure(game, 1));
  game.Adv.Adventure.Levels[1].RecordScore = 70;
  game.Adv.Adventure.Levels[2].RecordScore = 30;
  game.Adv.CurrentLevel = 2;
  fs::remove(folder / "v.paf");
  ReadRecordScores(game);
  EXPECT_EQ(game.Adv.RecordTotal, 100) << "the scores loaded with the game stand in";
  ASSERT_EQ(game.Errors.size(), 1u);
  game.Adv.SaveCount = 0;
  game.Adv.Score = 10;
  SaveHighScore(game);
  ASSERT_EQ(game.Errors.size(), 2u);
  EXPECT_NE(game.Errors[1].find("high scores could not be saved"), std::string::npos)
      << game.Errors[1];
  EXPECT_FALSE(fs::exists(folder / "v.paf"));
}

TEST_F(AdventureGame, TheListPageDrawsTheBarAndSetsTheSelection) {
  Use({{"a.paf", GoodAdventure("First", 1)}, {"b.paf", GoodAdventure("Second", 1)}});
  TMain& game = Game();
  game.M.DXDraw.Fill(kBlack);
  DrawAdventureList(game, 2);
  EXPECT_EQ(game.Adv.SelectedAdventure, 2);
  const uint16_t white = ToRgb565(kWhite);
  EXPECT_EQ(harness.SurfacePixel(10, 175), white) << "left side of the bar of row 2";
  EXPECT_EQ(harness.SurfacePixel(1013, 175), white) << "right side";
  EXPECT_EQ(harness.SurfacePixel(500, 165), white) << "top";
  EXPECT_EQ(harness.SurfacePixel(500, 184), white) << "bottom";
  EXPECT_EQ(harness.SurfacePixel(300, 175), ToRgb565(kBlack)) << "the bar is not filled";
  bool inked = false;
  for (int x = 30; x < 90 && !inked; ++x) {
    for (int y = 147; y < 160 && !inked; ++y) inked = harness.SurfacePixel(x, y) != 0;
  }
  EXPECT_TRUE(inked) << "the first title is drawn";

  fs::remove_all(folder);
  fs::create_directories(folder);
  LoadThemeLists(game);
  game.Adv.SelectedAdventure = 1;
  DrawAdventureList(game, 1);
  EXPECT_EQ(game.Adv.SelectedAdventure, -1) << "an empty list selects nothing";
  EXPECT_FALSE(LoadAdventure(game, 1));
}

}  // namespace
}  // namespace plumix
