// SPDX-License-Identifier: GPL-3.0-or-later
// The README's pictures, made by the game itself, headless:
// scripts/screenshots.sh runs this with PLUMIX_SCREENSHOTS naming docs/.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "adventure/disaster_state.h"
#include "adventure/disasters.h"
#include "adventure/plumix_mode.h"
#include "app/main_form.h"
#include "editor/editor.h"
#include "engine/board.h"
#include "media/panels.h"
#include "support/harness.h"

namespace plumix {
namespace {

using testing::Harness;

// A level half built up, with specials among the settled blocks.
AdventureRecord ShowAdventure() {
  AdventureRecord adventure = testing::MakeTestAdventure(3);
  adventure.Title = "Thunder Peaks";
  LevelRecord& level = adventure.Levels[2];
  level.Title = "Into the Storm";
  level.DisasterFrequency = 0;
  level.LinesToFinish = 40;
  for (int x = 2; x <= 29; ++x) {
    for (int y = 16; y <= 29; ++y) {
      if ((x * 7 + y * 3) % 5 < 3) level.Board[x][y] = Cell{kBlock, static_cast<uint8_t>(1 + (x + y) % 18)};
    }
  }
  for (int x = 6; x <= 11; ++x) level.Board[x][12].Code = kEdge;
  for (int x = 18; x <= 22; ++x) level.Board[x][14].Code = kPassage;
  level.Board[20][19].Code = 9;
  level.Board[8][22].Code = 14;
  level.Board[25][24].Code = 6;
  level.Board[13][26].Code = 11;
  return adventure;
}

bool Shot(Harness& h, const std::filesystem::path& dir, const char* name) {
  return h.Game().M.DXDraw.SavePresentedPng((dir / (std::string(name) + ".png")).string());
}

TEST(Screenshots, TitlePlayOptionsAndEditor) {
  const char* dir = std::getenv("PLUMIX_SCREENSHOTS");
  if (!dir) GTEST_SKIP() << "PLUMIX_SCREENSHOTS names no folder";
  std::filesystem::create_directories(dir);
  {
    Harness h;
    h.WarmUp();
    h.RunFrames(90);
    EXPECT_TRUE(Shot(h, dir, "title"));
  }
  {
    Harness h;
    h.WarmUp();
    h.StartLevel(ShowAdventure(), 2);
    TMain& game = h.Game();
    h.RunFrames(250);
    // The bonus mode with its fireworks, a caught bottle of wine, then a fire
    // catching the settled blocks.
    game.Specials.AlcoholLevel = 2;
    game.Plumix.PlumixMode = true;
    game.Plumix.Earned[1] = game.Plumix.Earned[2] = true;
    PlumixMessage(game, "Start");
    LaunchRockets(game, 1);
    AddMessage(game.Panels, "Bottle of wine.", "Alcohol level", "up to 2.0.", kRed);
    AddMessage(game.Panels, "Laser beam. (2/5)", "Fire laser", "with action key.", kGreen);
    h.RunFrames(60);
    PlayLevel(game).DisasterKind = 1;  // fire
    game.Disasters = DisasterState{true, 0, 1000, true, 0};
    AddMessage(game.Panels, "", "Fire!", "", kRed);
    h.RunFrames(8);
    EXPECT_TRUE(Shot(h, dir, "play"));
    StopDisasterSounds(game);
  }
  {
    Harness h;
    h.WarmUp();
    h.StartLevel(ShowAdventure(), 2);
    h.RunFrames(250);
    h.Press(kVkF1);
    h.RunFrames(2);
    EXPECT_TRUE(Shot(h, dir, "options"));
  }
  {
    Harness h;
    Editor editor{h.Game()};
    std::string why;
    ASSERT_TRUE(editor.Model.Open(std::filesystem::path(PLUMIX_GAME_DIR) / "Adventures/ThunderPeaks.paf", &why))
        << why;
    editor.Model.SelectLevel(6);
    editor.SyncControls();
    for (int i = 0; i < 3; ++i) {
      h.Clock.Advance(1000.0 / 60);
      editor.Frame();
    }
    EXPECT_TRUE(Shot(h, dir, "editor"));
  }
}

}  // namespace
}  // namespace plumix
