// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "adventure/adventure_file.h"
#include "adventure/adventure_list.h"
#include "places/places.h"
#include "settings/settings_file.h"
#include "support/files.h"
#include "support/harness.h"

namespace plumix {
namespace {

namespace fs = std::filesystem;
using testing::Harness;
using testing::ReadBytes;

TEST(PlayerFolders, SettingsAndHighScoresGoToThePlayersFoldersAndShippedFilesStay) {
  Harness h({.PlayerFolders = true});
  TMain& game = h.Game();
  const fs::path own = game.Options.DataDir / "Adventures";
  EXPECT_TRUE(fs::is_regular_file(game.Options.ConfigDir / "Settings.set"));
  EXPECT_FALSE(fs::exists(h.Dir / "Settings.set"));

  h.WriteAdventure("Shipped.paf", testing::MakeTestAdventure(2));
  const std::vector<uint8_t> shipped = ReadBytes(h.Dir / "Adventures" / "Shipped.paf");
  ASSERT_FALSE(shipped.empty());
  fs::create_directories(own);
  fs::copy_file(h.Dir / "Adventures" / "Shipped.paf", own / "Mine.paf");
  ScanAdventures(game);
  auto find = [&](const std::string& name) {
    for (int i = 1; i <= game.Adv.AdventureCount; ++i) {
      if (game.Adv.AdventureList[i].FileName == name) return i;
    }
    return 0;
  };
  const int index = find("Shipped.paf");
  ASSERT_GT(index, 0);
  EXPECT_GT(find("Mine.paf"), 0) << "the player's own file is listed";

  game.Settings.PlayerName = "Player";
  ASSERT_TRUE(LoadAdventure(game, index));
  game.Adv.SaveCount = 0;
  game.Adv.Score = 700;
  SaveHighScore(game);
  EXPECT_TRUE(game.Errors.empty()) << game.Errors.front();
  EXPECT_EQ(ReadBytes(h.Dir / "Adventures" / "Shipped.paf"), shipped) << "the shipped file is untouched";
  AdventureRecord copy = *ParseAdventure(ReadBytes(own / "Shipped.paf")).Value;
  EXPECT_EQ(copy.HighScores[1].Name, "Player");
  EXPECT_EQ(copy.HighScores[1].Score, 700);

  ScanAdventures(game);
  EXPECT_EQ(game.Adv.AdventureList[index].FirstPlaceName, "Player") << "the list shows the copy";
  SaveSettings(game);
  EXPECT_FALSE(fs::exists(h.Dir / "Settings.set"));

  // A new release fixes a level: the next start gives the copy the fix and
  // keeps the player's table and first-place level scores.
  AdventureRecord release = *ParseAdventure(shipped).Value;
  release.Levels[1].Title = "Fixed";
  release.Levels[2].RecordScore = 4321;
  h.WriteAdventure("Shipped.paf", release);
  game.Shell.FirstActivation = true;
  game.FormActivate();
  AdventureRecord updated = *ParseAdventure(ReadBytes(own / "Shipped.paf")).Value;
  EXPECT_EQ(updated.Levels[1].Title, "Fixed");
  EXPECT_EQ(updated.HighScores[1].Name, "Player");
  EXPECT_EQ(updated.HighScores[1].Score, 700);
  EXPECT_EQ(updated.Levels[2].RecordScore, copy.Levels[2].RecordScore)
      << "the record scores belong to the player's first place";
  EXPECT_EQ(ReadBytes(own / "Mine.paf"), shipped) << "the player's own adventure is untouched";

  // The next release raises its record above the player's: its holder heads
  // the player's table, and its record scores come with it.
  release.HighScores[1].Name = "Ostrel";
  release.HighScores[1].Score = 5000;
  h.WriteAdventure("Shipped.paf", release);
  game.Shell.FirstActivation = true;
  game.FormActivate();
  updated = *ParseAdventure(ReadBytes(own / "Shipped.paf")).Value;
  EXPECT_EQ(updated.HighScores[1].Name, "Ostrel");
  EXPECT_EQ(updated.HighScores[2].Name, "Player");
  EXPECT_EQ(updated.HighScores[2].Score, 700);
  EXPECT_EQ(updated.Levels[2].RecordScore, 4321);
}

TEST(PlayerFolders, AGameFolderBesideTheProgramIsPortableAnInstalledOneUsesXdgFolders) {
  const fs::path root = testing::MakeGameFolder("places");
  const fs::path games = root / "usr" / "games";
  fs::create_directories(games);
  const char* savedHome = std::getenv("HOME");
  const std::string home = savedHome ? savedHome : "";
  setenv("HOME", (root / "home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root / "cfg").c_str(), 1);
  unsetenv("XDG_DATA_HOME");

  FilePlaces portable = FindPlaces(root, "../share/games/plumix-adventure");
  EXPECT_EQ(portable.GameDir, root);
  EXPECT_TRUE(portable.ConfigDir.empty());
  EXPECT_EQ(SettingsPath(portable), root / "Settings.set");

  FilePlaces installed = FindPlaces(games, "../share/games/plumix-adventure");
  EXPECT_EQ(installed.GameDir, root / "usr" / "share" / "games" / "plumix-adventure");
  EXPECT_EQ(SettingsPath(installed), root / "cfg" / "plumix-adventure" / "Settings.set");
  EXPECT_EQ(installed.DataDir, root / "home" / ".local" / "share" / "plumix-adventure");
  setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
  EXPECT_EQ(FindPlaces(games, "x").ConfigDir, root / "home" / ".config" / "plumix-adventure");

  unsetenv("XDG_CONFIG_HOME");
  if (savedHome) setenv("HOME", home.c_str(), 1);
  fs::remove_all(root);
}

}  // namespace
}  // namespace plumix
