// SPDX-License-Identifier: GPL-3.0-or-later
// The level-completed, game-over and game-completed screens and the entries
// of the high-score page.
#include <gtest/gtest.h>

#include <climits>

#include "adventure/end_screens.h"
#include "app/main_form.h"
#include "support/golden.h"
#include "support/harness.h"

namespace plumix {
namespace {

using testing::Harness;
using testing::MakeTestAdventure;
using testing::MatchesGolden;

TEST(EndScreenTexts, TheLevelComparisonFollowsTheRecordHoldersLevelScore) {
  EXPECT_EQ(LevelComparison(300, 500), "Overall gap increased by 200 points.");
  EXPECT_EQ(LevelComparison(500, 500), "Overall gap stays the same.");
  EXPECT_EQ(LevelComparison(650, 500), "Overall gap decreased by 150 points.");
  // A new adventure: nobody has a record yet.
  EXPECT_EQ(LevelComparison(420, 0), "Overall gap decreased by 420 points.");
  EXPECT_EQ(LevelComparison(0, 0), "Overall gap stays the same.");
}

TEST(EndScreenTexts, TheOverallComparisonSaysBehindTiedOrAheadEachAtItsPlace) {
  ScreenText behind = OverallComparison(1000, 1750);
  EXPECT_EQ(behind.Text, "You are behind the first place by 750 points.");
  EXPECT_EQ(behind.X, 275);
  ScreenText tied = OverallComparison(1750, 1750);
  EXPECT_EQ(tied.Text, "You are tied with current record holder.");
  EXPECT_EQ(tied.X, 285);
  ScreenText ahead = OverallComparison(2000, 1750);
  EXPECT_EQ(ahead.Text, "You are currently the record holder by 250 points.");
  EXPECT_EQ(ahead.X, 235);
  for (const ScreenText& t : {behind, tied, ahead}) {
    EXPECT_EQ(t.Y, 570);
    EXPECT_EQ(t.Color, kAqua);
    EXPECT_EQ(t.Font, "Arial CE");
    EXPECT_EQ(t.Style, kStyleBold);
  }
  // The difference of two large totals does not overflow.
  EXPECT_EQ(OverallComparison(INT32_MAX, -1).Text,
            "You are currently the record holder by 2147483648 points.");
}

TEST(EndScreenTexts, LevelCompletedShowsBothScoresWithShadowsTwoPixelsAway) {
  AdventureState adv;
  adv.CurrentLevel = 3;
  adv.LevelScores[3] = 410;
  adv.Score = 1200;
  adv.RecordLevelScore = 410;
  adv.RecordTotal = 1500;
  const ScreenTexts texts = LevelCompletedTexts(adv);
  const ScreenText* level = FindText(texts, "410");
  ASSERT_NE(level, nullptr);
  EXPECT_EQ(level->X, 280) << "the player's level score comes first, on the left";
  EXPECT_NE(FindText(texts, "Overall gap stays the same."), nullptr);
  const ScreenText* behind = FindText(texts, "You are behind the first place by 300 points.");
  ASSERT_NE(behind, nullptr);
  // Each text is drawn twice: first in black, then in colour.
  for (size_t i = 0; i + 1 < texts.size(); i += 2) {
    EXPECT_EQ(texts[i].Text, texts[i + 1].Text);
    EXPECT_EQ(texts[i].Color, kBlack) << texts[i].Text;
    EXPECT_EQ(texts[i].X, texts[i + 1].X + 2) << texts[i].Text;
    EXPECT_EQ(texts[i].Y, texts[i + 1].Y + 2) << texts[i].Text;
  }
  EXPECT_EQ(FindText(texts, "OK")->Color, kRed);
}

TEST(EndScreenTexts, TheGameEndScreensTellThePlaceOrThatThereWasNone) {
  AdventureState adv;
  adv.Score = 5120;
  adv.HighScoreRank = 7;
  ScreenTexts placed = GameEndTexts(adv, true);
  EXPECT_NE(FindText(placed, "------------- GAME COMPLETED --------------"), nullptr);
  EXPECT_NE(FindText(placed, "Congratulations, you made it in the top 60!"), nullptr);
  EXPECT_EQ(FindText(placed, "Congratulations, you made it in the top 60!")->Color, kMagenta);
  EXPECT_NE(FindText(placed, "Place No. :"), nullptr);
  EXPECT_EQ(FindText(placed, "7")->X, 585);
  EXPECT_EQ(FindText(placed, "5120")->X, 590);
  EXPECT_EQ(FindText(placed, "Sorry, Your final score did not reach top 60!"), nullptr);

  adv.HighScoreRank = 0;
  ScreenTexts missed = GameEndTexts(adv, false);
  EXPECT_NE(FindText(missed, "------------------ GAME OVER ------------------"), nullptr);
  EXPECT_EQ(FindText(missed, "Congratulations, you made it in the top 60!"), nullptr);
  EXPECT_EQ(FindText(missed, "Place No. :"), nullptr);
  ASSERT_NE(FindText(missed, "Sorry, Your final score did not reach top 60!"), nullptr);
  EXPECT_EQ(FindText(missed, "Sorry, Your final score did not reach top 60!")->Color, kRed);
}

TEST(HighScoreTable, ThirtyRowsOnTheLeftThenTheRightColumnFromTheTop) {
  AdventureState adv;
  for (int i = 1; i <= 35; ++i) adv.Adventure.HighScores[i] = {"P" + std::to_string(i), 10000 - i};
  adv.HighScoreRank = 31;
  const ScreenTexts texts = HighScoreTableTexts(adv);
  EXPECT_EQ(texts.size(), 35u * 3 * 2);
  const ScreenText* ninth = FindText(texts, " 9.");
  ASSERT_NE(ninth, nullptr);
  EXPECT_EQ(ninth->X, 64);
  EXPECT_EQ(ninth->Y, 260);
  const ScreenText* thirtieth = FindText(texts, "30.");
  EXPECT_EQ(thirtieth->X, 64);
  EXPECT_EQ(thirtieth->Y, 680);
  const ScreenText* right = FindText(texts, "31.");
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(right->X, 569);
  EXPECT_EQ(right->Y, 100);
  EXPECT_EQ(FindText(texts, "P31")->X, 625);
  EXPECT_EQ(FindText(texts, "9969")->X, 921);
  EXPECT_EQ(FindText(texts, "P1")->X, 119);
  EXPECT_EQ(FindText(texts, "9999")->X, 414);
  // Only the player's place is bold, its top copy green.
  for (const ScreenText& t : texts) {
    const bool mine = (t.Y == 100 || t.Y == 101) && t.X >= 569;  // with its shadow
    EXPECT_EQ(t.Style, mine ? kStyleBold : kStyleNormal) << t.Text;
    if (t.Color != kBlack) {
      EXPECT_EQ(t.Color, mine ? kGreen : kWhite) << t.Text;
    }
    EXPECT_EQ(t.Size, 10);
  }
}

TEST(HighScoreTable, TheFirstZeroScoreEndsTheTable) {
  AdventureState adv;
  for (int i = 1; i <= 8; ++i) adv.Adventure.HighScores[i] = {"P" + std::to_string(i), 900 - i};
  adv.Adventure.HighScores[5].Score = 0;
  const ScreenTexts texts = HighScoreTableTexts(adv);
  EXPECT_EQ(texts.size(), 4u * 3 * 2);
  EXPECT_EQ(FindText(texts, "P6"), nullptr);
  EXPECT_TRUE(HighScoreTableTexts(AdventureState{}).empty());
}

TEST(EndScreens, TheyClearThePlaySpritesAndStayUntilEnter) {
  Harness h;
  h.WarmUp();
  h.StartLevel(MakeTestAdventure(2), 1);
  TMain& game = h.Game();
  h.RunFrames(5);
  ASSERT_GT(game.M.DXSpriteEngine.Count(), 10);
  game.Shell.ScreenState = kLevelCompletedScreen;
  h.RunFrames(1);
  EXPECT_EQ(game.M.DXSpriteEngine.Count(), 0);
  // Space and the arrows do not confirm an end screen.
  for (uint16_t key : {kVkSpace, kVkDown, kVkEscape}) {
    h.Press(key);
    EXPECT_EQ(game.Shell.ScreenState, kLevelCompletedScreen);
  }
  h.Press(kVkReturn);
  EXPECT_EQ(game.Shell.ScreenState, kLevelInfoScreen);
  EXPECT_EQ(game.Adv.CurrentLevel, 2);
}

TEST(GoldenEndScreens, LevelCompleted) {
  Harness h;
  h.WarmUp();
  h.StartLevel(MakeTestAdventure(3), 2);
  AdventureState& adv = h.Game().Adv;
  adv.LevelScores[1] = 780;
  adv.LevelScores[2] = 455;
  adv.Score = 1235;
  adv.RecordLevelScore = 600;
  adv.RecordTotal = 1180;
  h.Game().Shell.ScreenState = kLevelCompletedScreen;
  h.RunFrames(2);
  EXPECT_TRUE(MatchesGolden(h, "level_completed"));
}

TEST(GoldenEndScreens, GameOverWithAPlace) {
  Harness h;
  h.WarmUp();
  h.StartLevel(MakeTestAdventure(3), 2);
  AdventureState& adv = h.Game().Adv;
  adv.Score = 4310;
  adv.HighScoreRank = 12;
  h.Game().Shell.ScreenState = kGameOverScreen;
  h.RunFrames(2);
  EXPECT_TRUE(MatchesGolden(h, "game_over"));
}

}  // namespace
}  // namespace plumix
