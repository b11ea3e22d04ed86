// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "adventure/plumix_mode.h"
#include "app/main_form.h"
#include "engine/board.h"
#include "media/panels.h"
#include "support/golden.h"

namespace plumix {
namespace {

using testing::Harness;
using testing::MakeTestAdventure;
using testing::MatchesGolden;

// A level with something of everything the level-info screen shows.
AdventureRecord RichAdventure() {
  AdventureRecord adventure = MakeTestAdventure(12);
  adventure.Title = "Golden Adventure";
  LevelRecord& level = adventure.Levels[4];
  level.Title = "Walls and Passages";
  level.LevelType = 0;
  level.DisasterFrequency = 2;
  level.SpecialsFrequency = 3;
  level.NextElements = 3;
  level.StartSpeed = 2;
  level.MaximalSpeed = 11;
  level.LinesToIncreaseSpeed = 6;
  level.LinesToFinish = 40;
  for (int k : {1, 3, 7, 11}) level.Specials[k] = 1;
  level.Elements = {};
  for (int k : {1, 2, 4, 5, 8, 12, 16, 18}) level.Elements[k] = 1;
  for (int x = 2; x <= 29; ++x) {
    for (int y = 18; y <= 29; ++y) {
      if ((x * 7 + y * 3) % 5 < 3) level.Board[x][y] = Cell{kBlock, static_cast<uint8_t>(1 + (x + y) % 18)};
    }
  }
  for (int x = 6; x <= 10; ++x) level.Board[x][12].Code = kEdge;
  for (int x = 18; x <= 22; ++x) level.Board[x][14].Code = kPassage;
  level.Board[20][20].Code = 9;
  level.Board[8][25].Code = 14;
  for (int y = 1; y <= 6; ++y) level.Board[2][y].Code = kVoid;
  return adventure;
}

TEST(Golden, LevelInfoScreen) {
  Harness h;
  h.WarmUp();
  h.StartLevel(RichAdventure(), 4);
  h.Game().Shell.ScreenState = kLevelInfoScreen;
  h.RunFrames(2);
  EXPECT_TRUE(MatchesGolden(h, "level_info"));
}

TEST(Golden, PlayScreenFrame) {
  Harness h;
  h.WarmUp();
  h.StartLevel(RichAdventure(), 4);
  TMain& game = h.Game();
  h.RunFrames(250);
  AddMessage(game.Panels, "", "Fire!", "", kRed);
  AddMessage(game.Panels, "Laser beam. (1/5)", "Fire laser", "with action key.", kGreen);
  AddMessage(game.Panels, "PLUMIX mode.", "Start the", "fireworks!", kAqua);
  h.RunFrames(60);
  EXPECT_TRUE(MatchesGolden(h, "play_frame"));
}

TEST(Golden, PlayFrameUnderTheMagnifierAndTwoBottles) {
  Harness h;
  h.WarmUp();
  h.StartLevel(RichAdventure(), 4);
  TMain& game = h.Game();
  h.RunFrames(230);
  game.Specials.MagnifierActive = true;
  game.Specials.CarrotActive = false;
  game.Specials.AlcoholLevel = 2;
  game.Specials.CellSizes = {15, 34, 20, 28, 25, 17, 31, 22, 19, 33, 24, 16, 30, 21, 27, 18};
  h.RunFrames(20);
  EXPECT_TRUE(MatchesGolden(h, "play_frame_effects"));
}

TEST(Golden, PlayScreenInPlumixMode) {
  Harness h;
  h.WarmUp();
  h.StartLevel(RichAdventure(), 4);
  TMain& game = h.Game();
  PlayLevel(game).DisasterFrequency = 0;
  h.RunFrames(250);
  PlumixState& plumix = game.Plumix;
  plumix.PlumixMode = true;
  plumix.Earned[1] = plumix.Earned[3] = true;
  PlumixMessage(game, "Start");
  h.RunFrames(60);
  EXPECT_TRUE(MatchesGolden(h, "play_plumix_mode"));
}

// The options panel over a paused level, then with the tile list open.
TEST(Golden, OptionsPanelOverPlayAndAnOpenChoiceBox) {
  Harness h;
  h.WarmUp();
  h.StartLevel(RichAdventure(), 4);
  TMain& game = h.Game();
  h.RunFrames(250);
  h.Press(kVkF1);
  h.RunFrames(2);
  EXPECT_TRUE(MatchesGolden(h, "options_panel"));
  const Rect box = game.ControlPanel.Controls.At(game.ControlPanel.CBTile).Bounds;
  h.Click(box.Left + 10, box.Top + 5);
  h.Pointer(PlatformEventType::MouseMove, box.Left + 10, box.Bottom + 20);
  h.RunFrames(1);
  EXPECT_TRUE(MatchesGolden(h, "options_choice_box"));
}

TEST(Golden, OptionsPageOfTheGameMenu) {
  Harness h;
  h.WarmUp();
  TMain& game = h.Game();
  game.Shell.ScreenState = kMenuScreen;
  game.Menu.MenuState = kGameMenuOptions;
  h.Press(kVkReturn);
  ASSERT_EQ(game.Menu.MenuState, kOptionsPage);
  h.RunFrames(2);
  EXPECT_TRUE(MatchesGolden(h, "options_page"));
}

}  // namespace
}  // namespace plumix
