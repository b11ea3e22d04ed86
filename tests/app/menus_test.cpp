// SPDX-License-Identifier: GPL-3.0-or-later
// The menu pages: what they show, how the keys move between them, and the
// adventure list's selection bar.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/main_form.h"
#include "adventure/end_screens.h"
#include "app/menus.h"
#include "app/game_test_files.h"
#include "support/probes.h"
#include "settings/settings_file.h"
#include "support/golden.h"
#include "support/harness.h"

namespace plumix {
namespace {

using namespace plumix::testing;

void ToMainMenu(Harness& h) {
  h.WarmUp();
  h.Press(kVkReturn);
  h.RunFrames(2);
}

void ToList(Harness& h) {
  ToMainMenu(h);
  h.Press(kVkReturn);
  h.RunFrames(2);
}

void WriteNumbered(Harness& h, int count) {
  std::vector<std::pair<std::string, AdventureRecord>> files;
  for (int i = 1; i <= count; ++i) {
    AdventureRecord adventure = MakeTestAdventure(1);
    adventure.Title = "Adventure " + std::to_string(i);
    char name[16];
    std::snprintf(name, sizeof name, "A%02d.paf", i);
    files.emplace_back(name, adventure);
  }
  OnlyAdventures(h, files);
}

bool Dark(const TMain& game) { return game.M.DXDraw.CurrentRamp().Green[255] == 0; }

bool BarAt(const Harness& h, int cursorY) {
  // The bar's top edge is drawn white across the row.
  for (int x = 20; x < 1000; x += 97) {
    if (h.Pixel(x, cursorY + 5) != 0xFFFFFF) return false;
  }
  return true;
}

TEST(AdventureList, ThirtyEntriesScrollUnderABarThatStopsOnTheLastRow) {
  Harness h;
  WriteNumbered(h, 30);
  ToList(h);
  TMain& game = h.Game();
  ASSERT_EQ(game.Adv.AdventureCount, 30);
  ASSERT_EQ(game.Menu.MenuState, kListLoad);
  EXPECT_EQ(game.Adv.SelectedAdventure, 1);
  EXPECT_EQ(game.Menu.ListCursorY, 140);
  EXPECT_TRUE(BarAt(h, 140));

  h.Press(kVkNext);
  h.RunFrames(1);
  EXPECT_EQ(game.Adv.SelectedAdventure, 30);
  EXPECT_EQ(game.Menu.ListCursorY, 660);
  EXPECT_TRUE(BarAt(h, 660));
  EXPECT_FALSE(BarAt(h, 140));
  const int expected[] = {29, 28, 27, 26, 25};
  const int rows[] = {660, 660, 660, 640, 620};
  for (int i = 0; i < 5; ++i) {
    h.Press(kVkUp);
    EXPECT_EQ(game.Adv.SelectedAdventure, expected[i]);
    EXPECT_EQ(game.Menu.ListCursorY, rows[i]) << "selected " << expected[i];
  }
  h.Press(kVkPrior);
  EXPECT_EQ(game.Adv.SelectedAdventure, 1);
  EXPECT_EQ(game.Menu.ListCursorY, 140);
  for (int i = 2; i <= 30; ++i) {
    h.Press(kVkDown);
    ASSERT_EQ(game.Adv.SelectedAdventure, i);
    ASSERT_EQ(game.Menu.ListCursorY, 140 + 20 * (std::min(i, 27) - 1));
  }
  // The last entry is the end: Down does nothing more.
  SoundLog sounds(game);
  h.Press(kVkDown);
  EXPECT_EQ(game.Adv.SelectedAdventure, 30);
  EXPECT_EQ(sounds.Started("Main_Menu_Up_Small"), 0);
}

TEST(AdventureList, OneEntryCannotBeSteppedAndPageDownKeepsItOnTheFirstRow) {
  Harness h;
  WriteNumbered(h, 1);
  ToList(h);
  TMain& game = h.Game();
  SoundLog sounds(game);
  h.Press(kVkDown);
  h.Press(kVkUp);
  EXPECT_EQ(game.Adv.SelectedAdventure, 1);
  EXPECT_EQ(sounds.Started("Main_Menu_Up_Small"), 0);
  h.Press(kVkNext);
  EXPECT_EQ(game.Adv.SelectedAdventure, 1);
  EXPECT_EQ(game.Menu.ListCursorY, 140);
  EXPECT_EQ(sounds.Started("Main_Menu_Up_Small"), 1);
}

TEST(AdventureList, AnEmptyFolderShowsItsTextAndNoGameCanStart) {
  Harness h;
  OnlyAdventures(h, {});
  ToList(h);
  TMain& game = h.Game();
  EXPECT_EQ(game.Adv.SelectedAdventure, -1);
  for (uint16_t key : {kVkNext, kVkDown, kVkPrior, kVkReturn, kVkSpace}) {
    h.Press(key);
    h.RunFrames(1);
    EXPECT_EQ(game.Menu.MenuState, kListLoad) << "key " << key;
    EXPECT_EQ(game.Adv.SelectedAdventure, -1) << "key " << key;
  }
  EXPECT_EQ(game.Menu.ListCursorY, 140);
  EXPECT_TRUE(game.Errors.empty()) << game.Errors.front();
  // The text in white at (30, 135).
  int white = 0;
  for (int y = 135; y < 160; ++y) {
    for (int x = 30; x < 600; ++x) white += h.Pixel(x, y) == 0xFFFFFF;
  }
  EXPECT_GT(white, 200);
  h.Press(kVkEscape);
  EXPECT_EQ(game.Menu.MenuState, kMainMenuLoad);
}

TEST(AdventureList, LeftAndRightSwitchLoadAndBackAndKeepTheSelection) {
  Harness h;
  WriteNumbered(h, 5);
  ToList(h);
  TMain& game = h.Game();
  h.Press(kVkDown);
  h.Press(kVkDown);
  SoundLog sounds(game);
  h.Press(kVkRight);
  EXPECT_EQ(game.Menu.MenuState, kListBack);
  EXPECT_EQ(sounds.Started("Main_Menu_Up"), 1);
  EXPECT_FALSE(Dark(game)) << "moving between items does not fade";
  h.Press(kVkLeft);
  EXPECT_EQ(game.Menu.MenuState, kListLoad);
  h.Press(kVkLeft);
  EXPECT_EQ(game.Menu.MenuState, kListBack);
  EXPECT_EQ(game.Adv.SelectedAdventure, 3);
  // The list still steps while "Back" is lit.
  h.Press(kVkUp);
  EXPECT_EQ(game.Adv.SelectedAdventure, 2);
  h.Press(kVkReturn);
  EXPECT_EQ(game.Menu.MenuState, kMainMenuLoad);
  EXPECT_TRUE(Dark(game));
  EXPECT_TRUE(game.Shell.FadeInPending);
  h.RunFrames(1);
  EXPECT_FALSE(Dark(game));
}

TEST(AdventureList, LoadOpensTheGameMenuOfTheSelectedEntry) {
  Harness h;
  WriteNumbered(h, 4);
  ToList(h);
  TMain& game = h.Game();
  h.Press(kVkDown);
  h.Press(kVkDown);
  h.Press(kVkReturn);
  EXPECT_EQ(game.Menu.MenuState, kGameMenuStart);
  EXPECT_EQ(game.Adv.Adventure.Title, "Adventure 3");
  const auto texts = MenuPageTexts(game);  // kept: the found text points into it
  const ScreenText* title = FindText(texts, "Adventure 3");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->X, 271);
  EXPECT_EQ(title->Style, kStyleBold);
}

TEST(AdventureList, AnEntryThatBecameUnreadableKeepsThePlayerOnTheList) {
  Harness h;
  WriteNumbered(h, 2);
  ToList(h);
  TMain& game = h.Game();
  std::filesystem::remove(h.Dir / "Adventures" / "A02.paf");
  h.Press(kVkDown);
  h.Press(kVkReturn);
  EXPECT_EQ(game.Menu.MenuState, kListLoad);
  EXPECT_FALSE(game.Errors.empty());
  EXPECT_TRUE(game.Adv.Adventure.Title.empty()) << "nothing was loaded";
  h.Press(kVkUp);
  h.Press(kVkReturn);
  EXPECT_EQ(game.Menu.MenuState, kGameMenuStart);
  EXPECT_EQ(game.Adv.Adventure.Title, "Adventure 1");
}

TEST(MainMenu, TheQuitQuestionTakesOnlyY) {
  Harness h;
  ToMainMenu(h);
  TMain& game = h.Game();
  h.Press(kVkDown);
  EXPECT_EQ(game.Menu.MenuState, kMainMenuQuit);
  h.Press(kVkUp);
  EXPECT_EQ(game.Menu.MenuState, kMainMenuLoad);
  SoundLog sounds(game);
  h.Press(kVkEscape);
  EXPECT_EQ(game.Menu.MenuState, kMainMenuQuitQuestion);
  EXPECT_EQ(sounds.Started("Main_Menu_Up_Small"), 1);
  EXPECT_FALSE(Dark(game)) << "the question opens without a fade";
  ASSERT_NE(FindText(MenuPageTexts(game), "Quit (Y/N)"), nullptr);
  EXPECT_EQ(FindText(MenuPageTexts(game), "Quit (Y/N)")->Style, kStyleBold);
  for (uint16_t key : {kVkN, kVkEscape, kVkReturn, kVkSpace, kVkF5}) {
    h.Press(key);
    EXPECT_EQ(game.Menu.MenuState, kMainMenuQuit) << "key " << key;
    EXPECT_FALSE(game.Shell.Terminated);
    // Enter and Escape on "Quit Game" ask again.
    h.Press(kVkReturn);
    ASSERT_EQ(game.Menu.MenuState, kMainMenuQuitQuestion);
  }
  EXPECT_EQ(FindText(MenuPageTexts(game), "Quit Game")->Color, kSilver);
  game.Settings.PlayerName = "Leaving";
  h.Press(kVkY);
  EXPECT_TRUE(game.Shell.Terminated);
  SettingsLoad stored = LoadSettingsFile(h.Dir / "Settings.set", game.Rng, game.Themes);
  EXPECT_EQ(stored.Settings.PlayerName, "Leaving") << "the settings are kept on leaving";
}

TEST(MainMenu, AQuitFromTheWindowOrASignalSavesAsYDoes) {
  Harness h;
  TMain& game = h.Game();
  h.Press(kVkF12);
  ASSERT_TRUE(game.Settings.MusicOff);
  game.Dispatch({PlatformEventType::Quit, 0, false});
  EXPECT_TRUE(game.Shell.Terminated);
  EXPECT_EQ(game.Shell.ExitCode, 0);
  SettingsLoad stored = LoadSettingsFile(h.Dir / "Settings.set", game.Rng, game.Themes);
  EXPECT_TRUE(stored.Settings.MusicOff) << "F12 on the title screen is kept";
}

TEST(MainMenu, ItemsLightInRedAndTheMoonHangsOverTheSkyline) {
  Harness h;
  ToMainMenu(h);
  TMain& game = h.Game();
  ScreenTexts texts = MenuPageTexts(game);
  EXPECT_EQ(FindText(texts, "Load Adventure")->Color, kRed);
  EXPECT_EQ(FindText(texts, "Quit Game")->Color, kSilver);
  EXPECT_EQ(FindText(texts, "Quit (Y/N)"), nullptr);
  TBasicSprite* moon = game.Shell.MenuMoon.Get();
  ASSERT_NE(moon, nullptr);
  EXPECT_EQ(moon->X, 930);
  EXPECT_EQ(moon->Y, 150);
  EXPECT_EQ(game.M.DXSpriteEngine.Count(), 1);
  h.Press(kVkReturn);
  h.RunFrames(1);
  // The list page has its own quiet backdrop and no moon in sight.
  EXPECT_EQ(moon->X, -930);
  EXPECT_EQ(moon->Y, 3);
}

TEST(GameMenu, UpAndDownCycleThroughTheFourItemsWithEitherKeySet) {
  Harness h;
  WriteNumbered(h, 1);
  ToList(h);
  TMain& game = h.Game();
  h.Press(kVkReturn);
  h.RunFrames(1);
  ASSERT_EQ(game.Menu.MenuState, kGameMenuStart);
  const uint16_t upward[] = {kGameMenuMain, kGameMenuHighScores, kGameMenuOptions, kGameMenuStart};
  for (uint16_t page : upward) {
    h.Press(kVkUp);
    EXPECT_EQ(game.Menu.MenuState, page);
  }
  // The configured movement keys move the cursor as the arrows do.
  game.Settings.KeyDrop = "S";
  ApplyKeyAssignments(game);
  const uint16_t downward[] = {kGameMenuOptions, kGameMenuHighScores, kGameMenuMain, kGameMenuStart};
  for (uint16_t page : downward) {
    h.Press('S');
    EXPECT_EQ(game.Menu.MenuState, page);
    const char* items[] = {"Start Adventure", "Game Options", "High Scores", "Main Menu"};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(FindText(MenuPageTexts(game), items[i])->Color,
                page == kGameMenuStart + i ? kRed : kSilver);
    }
  }
  EXPECT_FALSE(Dark(game));
}

TEST(GameMenu, GameOptionsOpensTheOptionsPageAndEscapeLeavesItForTheGameMenu) {
  Harness h;
  WriteNumbered(h, 1);
  ToList(h);
  TMain& game = h.Game();
  h.Press(kVkReturn);
  h.Press(kVkDown);
  ASSERT_EQ(game.Menu.MenuState, kGameMenuOptions);
  h.Press(kVkReturn);
  EXPECT_EQ(game.Menu.MenuState, kOptionsPage);
  EXPECT_TRUE(game.ControlPanel.Visible);
  EXPECT_FALSE(game.OptionsOpen) << "only the panel over play sets it";
  h.Press(kVkEscape);
  EXPECT_EQ(game.Menu.MenuState, kGameMenuStart);
  EXPECT_FALSE(game.ControlPanel.Visible);
}

TEST(GameMenu, TheHighScorePageFromTheMenuHighlightsNoRow) {
  Harness h;
  AdventureRecord adventure = MakeTestAdventure(1);
  adventure.HighScores[1] = {"First", 900};
  adventure.HighScores[2] = {"Second", 800};
  OnlyAdventures(h, {{"A.paf", adventure}});
  ToList(h);
  TMain& game = h.Game();
  h.Press(kVkReturn);
  game.Adv.HighScoreRank = 2;  // left over from a game before
  h.Press(kVkDown);
  h.Press(kVkDown);
  ASSERT_EQ(game.Menu.MenuState, kGameMenuHighScores);
  h.Press(kVkReturn);
  EXPECT_EQ(game.Menu.MenuState, kHighScorePage);
  EXPECT_EQ(game.Adv.HighScoreRank, 0);
  for (const ScreenText& t : HighScoreTableTexts(game.Adv)) {
    EXPECT_NE(t.Color, kGreen) << t.Text;
  }
  h.Press(kVkEscape);
  EXPECT_EQ(game.Menu.MenuState, kGameMenuStart);
}

TEST(GameMenu, StartingReadsTheBoardsAgainAndAMissingFileKeepsTheMenu) {
  Harness h;
  WriteNumbered(h, 1);
  ToList(h);
  TMain& game = h.Game();
  h.Press(kVkReturn);
  game.Adv.Adventure.Levels[1].Board[5][5].Code = kBlock;  // a board changed by play
  game.Adv.Score = 777;
  game.Adv.CurrentLevel = 4;
  h.Press(kVkReturn);
  EXPECT_EQ(game.Shell.ScreenState, kLevelInfoScreen);
  EXPECT_EQ(game.Adv.Adventure.Levels[1].Board[5][5].Code, kEmpty);
  EXPECT_EQ(game.Adv.Score, 0);
  EXPECT_EQ(game.Adv.CurrentLevel, 1);
  EXPECT_EQ(game.Adv.SaveCount, 0);

  Harness g;
  WriteNumbered(g, 1);
  ToList(g);
  g.Press(kVkReturn);
  std::filesystem::remove(g.Dir / "Adventures" / "A01.paf");
  g.Press(kVkReturn);
  EXPECT_EQ(g.Game().Shell.ScreenState, kMenuScreen);
  EXPECT_EQ(g.Game().Menu.MenuState, kGameMenuStart);
  EXPECT_FALSE(g.Game().Errors.empty());
}

TEST(GoldenMenus, MainMenu) {
  Harness h;
  ToMainMenu(h);
  h.RunFrames(5);
  EXPECT_TRUE(MatchesGolden(h, "main_menu"));
}

TEST(GoldenMenus, AdventureList) {
  Harness h;
  std::vector<std::pair<std::string, AdventureRecord>> files;
  const char* titles[] = {"Plumix Academy", "Deep Wells", "Walls of Stone", "Night Shift"};
  const char* authors[] = {"Ostrel Games", "Mira", "Tomas", "Jana"};
  for (int i = 0; i < 4; ++i) {
    AdventureRecord adventure = MakeTestAdventure(3 + 4 * i);
    adventure.Title = titles[i];
    adventure.Author = authors[i];
    adventure.Contact = "ostrel.example";
    adventure.HighScores[1] = {"Champion " + std::to_string(i + 1), 5000 - 1000 * i};
    files.emplace_back("L" + std::to_string(i) + ".paf", adventure);
  }
  OnlyAdventures(h, files);
  ToList(h);
  h.Press(kVkDown);
  h.RunFrames(3);
  EXPECT_TRUE(MatchesGolden(h, "adventure_list"));
}

}  // namespace
}  // namespace plumix
