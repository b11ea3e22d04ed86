// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games through key events only, from the title screen to the
// high-score page, and what they leave in the adventure file.
#include <gtest/gtest.h>

#include <vector>

#include "adventure/end_screens.h"
#include "app/main_form.h"
#include "app/menus.h"
#include "support/harness.h"
#include "app/game_test_files.h"

namespace plumix {
namespace {

using namespace plumix::testing;

// The screens a game passes, each noted once when it is entered.
class Trail {
 public:
  explicit Trail(Harness& h) : h_(h) { Note(); }
  void Press(uint16_t key) {
    h_.Press(key);
    Note();
  }
  void Run(int frames) {
    for (int i = 0; i < frames; ++i) {
      h_.RunFrames(1);
      Note();
    }
  }
  void DropUntilTheLevelEnds() {
    for (int i = 0; i < 200 && h_.Game().Shell.ScreenState == kPlayScreen; ++i) {
      h_.KeyDown(kVkDown);
      Run(40);
      h_.KeyUp(kVkDown);
      Run(1);
    }
  }
  const std::vector<int>& Screens() const { return screens_; }

 private:
  void Note() {
    const int s = h_.Game().Shell.ScreenState;
    if (screens_.empty() || screens_.back() != s) screens_.push_back(s);
  }
  Harness& h_;
  std::vector<int> screens_;
};

TEST(WholeGame, FromTheTitleThroughEveryLevelToTheHighScorePage) {
  Harness h;
  OnlyAdventures(h, {{"A.paf", MakeTestAdventure(1)}, {"Shaft.paf", ShaftAdventure(2)}});
  h.WarmUp();
  TMain& game = h.Game();
  game.Settings.PlayerName = "Tester";
  Trail trail(h);

  trail.Press(kVkReturn);  // title
  trail.Run(3);
  trail.Press(kVkReturn);  // Load Adventure
  trail.Run(3);
  trail.Press(kVkDown);    // the second entry
  trail.Run(3);
  ASSERT_EQ(game.Adv.SelectedAdventure, 2);
  trail.Press(kVkReturn);  // Load
  trail.Run(3);
  ASSERT_EQ(game.Menu.MenuState, kGameMenuStart);
  EXPECT_EQ(game.Adv.Adventure.Title, "Shaft");
  trail.Press(kVkReturn);  // Start Adventure
  trail.Run(3);

  for (int level = 1; level <= 2; ++level) {
    ASSERT_EQ(game.Shell.ScreenState, kLevelInfoScreen) << "level " << level;
    EXPECT_EQ(game.Adv.CurrentLevel, level);
    trail.Press(kVkReturn);
    trail.DropUntilTheLevelEnds();
    ASSERT_EQ(game.Shell.ScreenState, kLevelCompletedScreen) << "level " << level;
    trail.Run(3);
    const ScreenTexts texts = LevelCompletedTexts(game.Adv);
    // A new adventure has no record holder yet, so every level widens the lead.
    EXPECT_NE(FindText(texts, LevelComparison(game.Adv.LevelScores[level], 0)), nullptr);
    trail.Press(kVkReturn);
    trail.Run(3);
  }
  ASSERT_EQ(game.Shell.ScreenState, kGameCompletedScreen);
  const int32_t score = game.Adv.Score;
  EXPECT_GT(score, 0);
  EXPECT_EQ(game.Adv.HighScoreRank, 1);
  const ScreenTexts end = GameEndTexts(game.Adv, true);
  EXPECT_NE(FindText(end, "Congratulations, you made it in the top 60!"), nullptr);

  trail.Press(kVkReturn);  // OK
  trail.Run(3);
  EXPECT_EQ(game.Menu.MenuState, kHighScorePage);
  const std::vector<int> expected = {kTitleScreen, kMenuScreen, kLevelInfoScreen, kPlayScreen,
                                     kLevelCompletedScreen, kLevelInfoScreen, kPlayScreen,
                                     kLevelCompletedScreen, kGameCompletedScreen, kMenuScreen};
  EXPECT_EQ(trail.Screens(), expected);

  // The page shows the new first place in green bold.
  const ScreenTexts table = HighScoreTableTexts(game.Adv);
  const ScreenText* name = FindText(table, "Tester");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->Color, kGreen);
  EXPECT_EQ(name->Style, kStyleBold);

  const AdventureRecord stored = h.ReadAdventure("Shaft.paf");
  EXPECT_EQ(stored.HighScores[1].Name, "Tester");
  EXPECT_EQ(stored.HighScores[1].Score, score);
  EXPECT_EQ(stored.Levels[1].RecordScore, game.Adv.LevelScores[1]);
  EXPECT_EQ(stored.Levels[2].RecordScore, game.Adv.LevelScores[2]);
  EXPECT_EQ(stored.Levels[1].RecordScore + stored.Levels[2].RecordScore, score);
  // The run-time board is not what was stored.
  EXPECT_EQ(stored.Levels[1].Board[15][29].Code, kEmpty);

  trail.Press(kVkReturn);  // Back
  trail.Run(3);
  EXPECT_EQ(game.Menu.MenuState, kGameMenuStart);
  EXPECT_EQ(game.Shell.ScreenState, kMenuScreen);
}

TEST(WholeGame, ASecondGameStartsFromTheStoredBoardsAndIsComparedWithTheFirst) {
  Harness h;
  OnlyAdventures(h, {{"Shaft.paf", ShaftAdventure(1, 3)}});
  h.WarmUp();
  TMain& game = h.Game();
  for (uint16_t key : {kVkReturn, kVkReturn, kVkReturn, kVkReturn}) {
    h.Press(key);
    h.RunFrames(3);
  }
  ASSERT_EQ(game.Shell.ScreenState, kLevelInfoScreen);
  h.Press(kVkReturn);
  DropUntilTheLevelEnds(h);
  ASSERT_EQ(game.Shell.ScreenState, kLevelCompletedScreen);
  const int32_t first = game.Adv.Score;
  // Nobody held the record when this level was won.
  EXPECT_EQ(game.Adv.RecordTotal, 0);
  h.Press(kVkReturn);
  h.RunFrames(3);
  ASSERT_EQ(game.Shell.ScreenState, kGameCompletedScreen);
  h.Press(kVkReturn);
  h.RunFrames(3);
  ASSERT_EQ(game.Menu.MenuState, kHighScorePage);
  h.Press(kVkReturn);  // back to the game menu
  h.RunFrames(3);
  h.Press(kVkReturn);  // Start Adventure again
  h.RunFrames(3);
  ASSERT_EQ(game.Shell.ScreenState, kLevelInfoScreen);
  EXPECT_EQ(game.Adv.Score, 0);
  EXPECT_EQ(game.Adv.Adventure.Levels[1].Board[15][29].Code, kEmpty);
  h.Press(kVkReturn);
  DropUntilTheLevelEnds(h);
  ASSERT_EQ(game.Shell.ScreenState, kLevelCompletedScreen);
  // The same play scores the same, so the second player ties with the first.
  EXPECT_EQ(game.Adv.RecordLevelScore, first);
  EXPECT_EQ(game.Adv.RecordTotal, first);
  ASSERT_EQ(game.Adv.Score, first);
  EXPECT_NE(FindText(LevelCompletedTexts(game.Adv), "You are tied with current record holder."), nullptr);
  EXPECT_NE(FindText(LevelCompletedTexts(game.Adv), "Overall gap stays the same."), nullptr);
  h.Press(kVkReturn);
  h.RunFrames(3);
  // Equal to the first place is placed after it.
  EXPECT_EQ(game.Adv.HighScoreRank, 2);
}

TEST(WholeGame, ALostLevelEndsTheGameAndOffersTheScoreOnce) {
  Harness h;
  AdventureRecord adventure = MakeTestAdventure(3);
  adventure.Levels[1] = ShortLevel();
  adventure.HighScores[1] = {"Holder", 100000};
  OnlyAdventures(h, {{"Short.paf", adventure}});
  h.WarmUp();
  TMain& game = h.Game();
  game.Settings.PlayerName = "Loser";
  for (uint16_t key : {kVkReturn, kVkReturn, kVkReturn, kVkReturn, kVkReturn}) {
    h.Press(key);
    h.RunFrames(3);
  }
  ASSERT_EQ(game.Shell.ScreenState, kPlayScreen);
  DropUntilTheLevelEnds(h);
  ASSERT_EQ(game.Shell.ScreenState, kGameOverScreen);
  EXPECT_EQ(game.Adv.SaveCount, 1);
  EXPECT_EQ(game.Adv.HighScoreRank, 2);
  EXPECT_TRUE(game.Adv.HighScorePlaced);
  const ScreenTexts texts = GameEndTexts(game.Adv, false);
  const ScreenText* place = FindText(texts, "2");
  ASSERT_NE(place, nullptr);
  EXPECT_EQ(place->X, 585);
  EXPECT_EQ(h.ReadAdventure("Short.paf").HighScores[2].Name, "Loser");
  // The record holder's scores stay: the player came second.
  EXPECT_EQ(h.ReadAdventure("Short.paf").Levels[1].RecordScore, 0);

  h.Press(kVkReturn);
  h.RunFrames(3);
  EXPECT_EQ(game.Shell.ScreenState, kMenuScreen);
  EXPECT_EQ(game.Menu.MenuState, kHighScorePage);
}

TEST(WholeGame, QuittingWithoutPointsLeadsToTheGameMenuAndLeavesTheTable) {
  Harness h;
  h.WarmUp();
  TMain& game = h.Game();
  for (uint16_t key : {kVkReturn, kVkReturn, kVkReturn, kVkReturn, kVkReturn}) {
    h.Press(key);
    h.RunFrames(3);
  }
  ASSERT_EQ(game.Shell.ScreenState, kPlayScreen);
  const std::string file = game.Adv.LoadedFileName;
  const AdventureRecord before = h.ReadAdventure(file);
  h.Press(kVkEscape);
  h.Press(kVkY);
  h.RunFrames(2);
  ASSERT_EQ(game.Shell.ScreenState, kGameOverScreen);
  EXPECT_EQ(game.Adv.HighScoreRank, 0);
  EXPECT_NE(FindText(GameEndTexts(game.Adv, false), "Sorry, Your final score did not reach top 60!"),
            nullptr);
  h.Press(kVkReturn);
  h.RunFrames(2);
  EXPECT_EQ(game.Menu.MenuState, kGameMenuStart);
  const AdventureRecord after = h.ReadAdventure(file);
  for (int i = 1; i <= kHighScoreCount; ++i) {
    EXPECT_EQ(after.HighScores[i].Score, before.HighScores[i].Score) << "place " << i;
  }
}

}  // namespace
}  // namespace plumix
