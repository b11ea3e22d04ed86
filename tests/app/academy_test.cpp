// SPDX-License-Identifier: GPL-3.0-or-later
// Plumix Academy, the adventure the game ships with, played from the title
// screen to the game-completed screen by the bot, which only presses keys:
// every level can be won, one after the other.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "adventure/end_screens.h"
#include "app/game_test_files.h"
#include "app/main_form.h"
#include "app/menus.h"
#include "bot/bot.h"
#include "engine/board.h"
#include "support/harness.h"

namespace plumix {
namespace {

using namespace plumix::testing;

TEST(PlumixAcademy, EveryLevelCanBeWonOneAfterTheOtherByKeysAlone) {
  Harness h;
  // The adventure as the game folder ships it.
  ASSERT_TRUE(std::filesystem::exists(h.Dir / "Adventures" / "PlumixAcademy.paf"));
  h.WarmUp();
  TMain& game = h.Game();
  game.Settings.PlayerName = "Academy Bot";
  for (uint16_t key : {kVkReturn, kVkReturn}) {
    h.Press(key);
    h.RunFrames(3);
  }
  ASSERT_EQ(game.Menu.MenuState, kListLoad);
  int academy = 0;
  for (int i = 1; i <= game.Adv.AdventureCount; ++i) {
    if (game.Adv.AdventureList[i].FileName == "PlumixAcademy.paf") academy = i;
  }
  ASSERT_GT(academy, 0);
  // A new player's list opens on the Academy, whatever the file names.
  ASSERT_EQ(game.Adv.SelectedAdventure, academy);
  h.Press(kVkReturn);
  h.RunFrames(3);
  ASSERT_EQ(game.Adv.Adventure.Title, "Plumix Academy");
  const int levels = game.Adv.Adventure.LastLevelIndex + 1;
  EXPECT_GE(levels, 10);
  h.Press(kVkReturn);
  h.RunFrames(3);

  const AdventureRecord shipped = h.ReadAdventure("PlumixAcademy.paf");
  std::string report;
  for (int level = 1; level <= levels; ++level) {
    ASSERT_EQ(game.Shell.ScreenState, kLevelInfoScreen) << "level " << level;
    ASSERT_EQ(game.Adv.CurrentLevel, level);
    h.Press(kVkReturn);
    const int frames = PlayLevelWithBot(game, [&] { h.RunFrames(1); }, 20000).Frames;
    char line[120];
    std::snprintf(line, sizeof line, "level %2d %-22s %6d points, record %6d, %5d frames\n", level,
                  PlayLevel(game).Title.c_str(), game.Adv.LevelScores[level], game.Adv.RecordLevelScore,
                  frames);
    report += line;
    if (game.Shell.ScreenState != kLevelCompletedScreen) {
      const BoardGrid& board = PlayLevel(game).Board;
      for (int y = 1; y <= kBoardSize; ++y) {
        for (int x = 1; x <= kBoardSize; ++x) report += ".-*#=ABCDEFGHIJKLMN@"[std::min<int>(board[x][y].Code, 19)];
        report += '\n';
      }
    }
    ASSERT_EQ(game.Shell.ScreenState, kLevelCompletedScreen) << "the game so far:\n" << report;
    // The record holder's score of the level, as the file has it.
    EXPECT_EQ(game.Adv.RecordLevelScore, shipped.Levels[level].RecordScore);
    h.RunFrames(2);
    h.Press(kVkReturn);
    h.RunFrames(2);
  }
  ASSERT_EQ(game.Shell.ScreenState, kGameCompletedScreen);
  EXPECT_GT(game.Adv.HighScoreRank, 0);
  h.Press(kVkReturn);
  h.RunFrames(2);
  EXPECT_EQ(game.Menu.MenuState, kHighScorePage);
  const AdventureRecord stored = h.ReadAdventure("PlumixAcademy.paf");
  EXPECT_EQ(stored.HighScores[game.Adv.HighScoreRank].Name, "Academy Bot");
  EXPECT_EQ(stored.HighScores[game.Adv.HighScoreRank].Score, game.Adv.Score);
}

}  // namespace
}  // namespace plumix
