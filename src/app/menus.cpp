// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menus.h"

#include <algorithm>

#include "adventure/adventure_list.h"
#include "adventure/colour_effects.h"
#include "adventure/end_screens.h"
#include "adventure/level_setup.h"
#include "app/main_form.h"
#include "media/draw.h"
#include "options/options_panel.h"
#include "settings/key_names.h"
#include "settings/settings_file.h"
#include "settings/theme_lists.h"

namespace plumix {
namespace {

constexpr const char* kMenuFont = "Shotgun BT";

bool SlickPage(uint16_t page) {
  return page == kListLoad || page == kListBack || page == kHighScorePage || page == kOptionsPage;
}

Colour Highlight(bool on) { return on ? kRed : kSilver; }

void Add(ScreenTexts& t, int x, int y, std::string_view text, int size, Colour colour,
         int style = kStyleNormal) {
  AddShadowed(t, x + 2, y + 2, x, y, text, kMenuFont, size, colour, style);
}

void MainMenuTexts(ScreenTexts& t, uint16_t page) {
  Add(t, 278, 320, "---- Main Menu ----", 36, kYellow);
  Add(t, 278, 520, "--------------------------", 36, kYellow);
  Add(t, 290, 390, "Load Adventure", 36, Highlight(page == kMainMenuLoad));
  Add(t, 370, 460, "Quit Game", 36, Highlight(page == kMainMenuQuit));
  if (page == kMainMenuQuitQuestion) Add(t, 377, 575, "Quit (Y/N)", 36, kRed, kStyleBold);
}

void ListPageTexts(ScreenTexts& t, uint16_t page) {
  Add(t, 20, 20, "-------------- Load Adventure --------------", 36, kYellow);
  const int headingX[] = {25, 359, 483, 665, 855};
  const char* headings[] = {"Title", "Levels", "Author", "Contact", "No. One"};
  for (int i = 0; i < 5; ++i) Add(t, headingX[i], 100, headings[i], 20, kGreen);
  Add(t, 420, 715, "Load", 20, Highlight(page == kListLoad));
  Add(t, 540, 715, "Back", 20, Highlight(page == kListBack));
}

void GameMenuTexts(ScreenTexts& t, uint16_t page, const std::string& title) {
  Add(t, 270, 250, "---- Game Menu ----", 36, kYellow);
  Add(t, 270, 590, "---------------------------", 36, kYellow);
  Add(t, 280, 320, "Start Adventure", 36, Highlight(page == kGameMenuStart));
  Add(t, 315, 390, "Game Options", 36, Highlight(page == kGameMenuOptions));
  Add(t, 335, 460, "High Scores", 36, Highlight(page == kGameMenuHighScores));
  Add(t, 370, 530, "Main Menu", 36, Highlight(page == kGameMenuMain));
  AddShadowed(t, 272, 629, 271, 628, title.empty() ? "Unknown Adventure" : title, "Arial CE", 12, kWhite,
              kStyleBold);
  AddShadowed(t, 684, 629, 683, 628, "LOADED.", "Arial CE", 12, kWhite, kStyleBold);
}

struct Keys {
  bool Up, Down, Left, Right, Enter, Escape;
};

Keys ReadKeys(const TMain& game) {
  const KeyboardReader& in = game.M.DXInput;
  return {in.Has(InputUp), in.Has(InputDown), in.Has(InputLeft), in.Has(InputRight),
          in.Has(InputButton32), in.Has(InputButton31)};
}

void MoveTo(TMain& game, uint16_t page) {
  game.PlaySound("Main_Menu_Up");
  game.Menu.MenuState = page;
}

void GoToPage(TMain& game, uint16_t page) {
  game.PlaySound("Main_Menu_Select");
  ColourEffect(game, "FadeOut", 10);
  game.Shell.FadeInPending = true;
  game.Menu.MenuState = page;
}

bool ListEmpty(const TMain& game) {
  const auto& list = game.Adv.AdventureList;
  return list.size() <= 1 || list[1].Title.empty();
}

void Select(TMain& game, int32_t entry) {
  game.Adv.SelectedAdventure = entry;
  game.Menu.ListCursorY = ListCursorRow(entry);
}

// Up and Down on either item of the list page; true when one of them acted.
bool ListSteps(TMain& game, const Keys& k) {
  AdventureState& adv = game.Adv;
  // An empty list has no entry to step to (its selection is -1).
  if (ListEmpty(game) || adv.SelectedAdventure < 1) return false;
  if (k.Up && adv.SelectedAdventure >= 2) {
    game.PlaySound("Main_Menu_Up_Small");
    Select(game, adv.SelectedAdventure - 1);
    return true;
  }
  if (k.Down && adv.SelectedAdventure <= adv.AdventureCount - 1) {
    game.PlaySound("Main_Menu_Up_Small");
    Select(game, adv.SelectedAdventure + 1);
    return true;
  }
  return false;
}

void ListLoadKeys(TMain& game, uint16_t key, const Keys& k) {
  AdventureState& adv = game.Adv;
  if (key == KeyCodeFromName("Pg Down") && !ListEmpty(game)) {
    game.PlaySound("Main_Menu_Up_Small");
    Select(game, adv.AdventureCount);
  }
  if (key == KeyCodeFromName("Pg Up") && !ListEmpty(game)) {
    game.PlaySound("Main_Menu_Up_Small");
    Select(game, 1);
  }
  const bool stepped = ListSteps(game, k);
  if (!stepped && k.Enter && adv.SelectedAdventure > 0) {
    // An entry that cannot be loaded keeps the player on the list instead of
    // offering a game menu for some other adventure.
    if (LoadAdventure(game, adv.SelectedAdventure)) GoToPage(game, kGameMenuStart);
  } else if (!stepped && k.Escape) {
    GoToPage(game, kMainMenuLoad);
  }
  if (k.Left || k.Right) MoveTo(game, kListBack);
}

void ListBackKeys(TMain& game, const Keys& k) {
  if (!ListSteps(game, k) && (k.Enter || k.Escape)) GoToPage(game, kMainMenuLoad);
  if (k.Left || k.Right) MoveTo(game, kListLoad);
}

void StartAdventure(TMain& game) {
  AdventureState& adv = game.Adv;
  adv.HighScoreRank = 0;
  adv.HighScorePlaced = false;
  adv.SaveCount = 0;
  adv.LevelScores = {};
  game.PlaySound("Main_Menu_Select");
  ColourEffect(game, "FadeOut", 10);
  game.Shell.FadeInPending = true;
  // Every game starts from the boards stored in the file.
  if (!LoadAdventure(game, adv.SelectedAdventure)) return;
  adv.CurrentLevel = 1;
  adv.Score = 0;
  adv.LevelScores = {};
  SetUpLevel(game);
  game.Shell.ScreenState = kLevelInfoScreen;
}

// The four items of the game menu wrap round.
void GameMenuSteps(TMain& game, const Keys& k, uint16_t above, uint16_t below) {
  if (k.Up) {
    MoveTo(game, above);
  } else if (k.Down) {
    MoveTo(game, below);
  }
}

}  // namespace

int32_t ListCursorRow(int32_t selected) {
  return kListFirstCursorY + kListRowPitch * (std::clamp(selected, 1, kListRows) - 1);
}

ScreenTexts MenuPageTexts(const TMain& game) {
  ScreenTexts t;
  const uint16_t page = game.Menu.MenuState;
  switch (page) {
    case kMainMenuLoad:
    case kMainMenuQuit:
    case kMainMenuQuitQuestion:
      MainMenuTexts(t, page);
      break;
    case kListLoad:
    case kListBack:
      ListPageTexts(t, page);
      break;
    case kGameMenuStart:
    case kGameMenuOptions:
    case kGameMenuHighScores:
    case kGameMenuMain:
      GameMenuTexts(t, page, game.Adv.Adventure.Title);
      break;
    case kHighScorePage:
      Add(t, 65, 20, "-------------- High Scores --------------", 36, kYellow);
      Add(t, 465, 715, "Back", 20, kRed);
      break;
    case kOptionsPage:
      Add(t, 270, 20, "-- Game Options --", 36, kYellow);
      Add(t, 470, 715, "Save", 20, kRed);
      break;
    default:
      break;
  }
  return t;
}

void DrawMenuScreen(TMain& game) {
  Display& display = game.M.DXDraw;
  const uint16_t page = game.Menu.MenuState;
  display.Fill(kBlack);
  TBasicSprite* moon = game.Shell.MenuMoon.Get();
  const bool slick = SlickPage(page);
  StretchImage(game.M.DXImageList.Get(slick ? "Main_Menu_Slick" : "Main_Menu_Background"),
               display.Surface(), display.ClientRect(), 0);
  if (moon) {
    moon->X = slick ? -930 : 930;
    moon->Y = slick ? 3 : 150;
    // The moon flickers on now and then and goes out again soon after.
    if (moon->AnimationPos == 0) {
      if (game.Rng(30) == 0) moon->AnimationPos = 1;
    } else if (moon->AnimationPos == 1) {
      if (game.Rng(2) == 0) moon->AnimationPos = 0;
    }
  }
  Canvas& canvas = display.GetCanvas();
  canvas.Brush.Clear = true;
  canvas.Font.Name = "Arial CE";
  canvas.Font.Size = 12;
  canvas.Release();
  game.M.DXInput.Update();

  DrawScreenTexts(game, MenuPageTexts(game));
  if (page == kListLoad || page == kListBack) DrawAdventureList(game, game.Adv.SelectedAdventure);
  if (page == kHighScorePage) DrawHighScoreTable(game);
  if (page == kOptionsPage) DrawControlPanelFrame(game, 160);

  game.M.DXSpriteEngine.Move(1);
  game.M.DXSpriteEngine.Draw(display.Surface());
}

void MenuKeys(TMain& game, uint16_t key) {
  const Keys k = ReadKeys(game);
  // Each page's tests see the page the key arrived on.
  switch (game.Menu.MenuState) {
    case kMainMenuLoad:
      if (k.Up || k.Down) MoveTo(game, kMainMenuQuit);
      if (k.Enter) {
        // The list is read afresh, so adventures copied in meanwhile appear.
        LoadThemeLists(game);
        GoToPage(game, kListLoad);
        Select(game, OpeningListEntry(game.Adv));
      } else if (k.Escape) {
        game.PlaySound("Main_Menu_Up_Small");
        game.Menu.MenuState = kMainMenuQuitQuestion;
      }
      break;
    case kMainMenuQuit:
      if (k.Up || k.Down) MoveTo(game, kMainMenuLoad);
      if (k.Enter || k.Escape) {
        game.PlaySound("Main_Menu_Up_Small");
        game.Menu.MenuState = kMainMenuQuitQuestion;
      }
      break;
    case kMainMenuQuitQuestion:
      if (key == KeyCodeFromName("Y")) {
        game.Terminate();
      } else {
        game.PlaySound("Main_Menu_Up_Small");
        game.Menu.MenuState = kMainMenuQuit;
      }
      break;
    case kListLoad:
      ListLoadKeys(game, key, k);
      break;
    case kListBack:
      ListBackKeys(game, k);
      break;
    case kGameMenuStart:
      GameMenuSteps(game, k, kGameMenuMain, kGameMenuOptions);
      if (k.Enter) StartAdventure(game);
      // Once the game has started, a held Escape must not pull the menu page from under it.
      if (k.Escape && game.Shell.ScreenState == kMenuScreen) GoToPage(game, kMainMenuLoad);
      break;
    case kGameMenuOptions:
      GameMenuSteps(game, k, kGameMenuStart, kGameMenuHighScores);
      if (k.Enter) {
        GoToPage(game, kOptionsPage);
        OpenMenuOptions(game);
      }
      if (k.Escape) GoToPage(game, kMainMenuLoad);
      break;
    case kGameMenuHighScores:
      GameMenuSteps(game, k, kGameMenuOptions, kGameMenuMain);
      if (k.Enter) {
        // Reached from the game menu, the table shows no place of the player.
        game.Adv.HighScoreRank = 0;
        GoToPage(game, kHighScorePage);
      }
      if (k.Escape) GoToPage(game, kMainMenuLoad);
      break;
    case kGameMenuMain:
      GameMenuSteps(game, k, kGameMenuHighScores, kGameMenuStart);
      if (k.Enter || k.Escape) GoToPage(game, kMainMenuLoad);
      break;
    case kHighScorePage:
      if (k.Enter || k.Escape) GoToPage(game, kGameMenuStart);
      break;
    case kOptionsPage:
      // By code: Space belongs to the panel's controls here.
      if (key == kVkReturn || key == kVkEscape || key == kVkF1) LeaveMenuOptions(game);
      break;
    default:
      // A page that does not exist leads back to the main menu.
      game.Menu.MenuState = kMainMenuLoad;
      break;
  }
}

void LeaveMenuOptions(TMain& game) {
  GoToPage(game, kGameMenuStart);
  CloseMenuOptions(game);
  ApplyKeyAssignments(game);
  SaveSettings(game);
}

}  // namespace plumix
