// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/scenes.h"

#include "adventure/level_setup.h"
#include "adventure/plumix_mode.h"
#include "adventure/specials.h"
#include "app/main_form.h"
#include "engine/board.h"
#include "engine/moves.h"
#include "engine/play_frame.h"
#include "media/panels.h"

namespace plumix::bench {
namespace {

// A walled board with an entry at the top and every kind allowed.
LevelRecord BenchLevel() {
  LevelRecord level;
  level.Title = "Bench";
  level.LinesToFinish = 500;
  level.LinesToIncreaseSpeed = 50;
  level.StartSpeed = 3;
  level.MaximalSpeed = 9;
  level.NextElements = 4;
  level.EntryColumn = 14;
  level.EntryRow = 1;
  MakeOpenWell(level.Board, level.EntryColumn, level.EntryRow);
  for (int k = 1; k <= kKindCount; ++k) level.Elements[k] = 1;
  return level;
}

// Starts the level as the level-info screen's confirmation would, past its start phase.
void StartBenchLevel(TMain& game, const LevelRecord& level) {
  game.Adv.Adventure.Title = "Bench";
  game.Adv.Adventure.Levels[1] = level;
  game.Adv.CurrentLevel = 1;
  game.Adv.Score = 0;
  SetUpLevel(game);
  CreatePlaySprites(game);
  CoverNextElements(game, 0);
  game.Play.PrepareCounter = kPrepareFrames;
  game.Play.FallInterval = FallIntervalFor(game.Shell.FrameScale, game.Play.Speed);
  game.Shell.ScreenState = kPlayScreen;
  AddMessage(game.Panels, "", "Carrot collected.", "", kGreen);
  AddMessage(game.Panels, "Laser beam. (2/5)", "Fire laser", "with action key.", kGreen);
  AddMessage(game.Panels, "Warning!", "Speciality", "approaching!", kRed);
  AddMessage(game.Panels, "Magnifying", "glass", "collected.", kRed);
  AddMessage(game.Panels, "PLUMIX mode.", "Start the", "fireworks!", kAqua);
}

// Keeps an element falling through the upper rows: back at the top before it
// could land, so it never locks.
void KeepFalling(TMain& game) {
  ElementRecord& falling = game.Play.ElementQueue[0];
  if (falling.Y >= 12 || !CanMove(game.Play, PlayLevel(game).Board, "Down")) falling.Y = 1;
}

// Every cell below row 5 settled, a few specials among them, the tiled background on.
void StartFullBoard(TMain& game) {
  LevelRecord level = BenchLevel();
  for (int x = 2; x <= 29; ++x) {
    for (int y = 6; y <= 29; ++y) level.Board[x][y] = Cell{kBlock, uint8_t(1 + (x * y) % 18)};
  }
  for (int k = 1; k <= 6; ++k) level.Board[3 + 4 * k][10 + k].Code = static_cast<uint8_t>(4 + k);
  StartBenchLevel(game, level);
  game.Settings.TiledBackground = true;
  game.M.DXImageList.Get("Current_Tile").LoadFromFile(game.GamePath("Graphics/Tiles/Tile1.jpg"));
}

void AllElementEffects(TMain& game) {
  SpecialsState& specials = game.Specials;
  specials.AlcoholLevel = 4;
  specials.GenieReleased = true;
  specials.GenieCaught = false;
  specials.MagnifierActive = true;
  specials.CarrotActive = false;
}

// Four removed rows half-way through their shrink, where the spinning cells
// are still large.
void SpinClearedRows(TMain& game) {
  ClearedRowsRecord& cleared = game.Play.ClearedRows;
  for (int slot = 1; slot <= kClearSlots; ++slot) {
    cleared.Rows[slot] = static_cast<uint8_t>(5 + slot);
    for (int x = 1; x <= kBoardSize; ++x) {
      cleared.Cells[x][slot] = static_cast<uint8_t>(x % 6 == 0 ? 104 + slot : 1 + (x + slot) % 18);
    }
  }
  cleared.Active = true;
  cleared.Countdown = static_cast<uint8_t>(13 + game.Shell.FrameCounter % 12);
}

// An earthquake that never ends.
void KeepShaking(TMain& game) {
  game.Disasters = DisasterState{true, 0, 1000, false, 0};
  PlayLevel(game).DisasterKind = 0;
}

// Every rocket of the show whose burst has gone bursts again in this frame,
// so that all 89 bursts stay on the screen.
void KeepShowBursting(TMain& game) {
  for (int i = 11; i <= 99; ++i) {
    RocketSlot& rocket = game.Plumix.Rockets[i];
    if (rocket.Sprite || rocket.Counter >= 0) continue;
    rocket.Trigger = 1;
    rocket.Counter = 1;
  }
}

}  // namespace

std::vector<Scene> Scenes() {
  std::vector<Scene> scenes;
  scenes.push_back({"title", [](TMain& game) { game.Shell.ScreenState = kTitleScreen; },
                    [](TMain&) {}});
  // Half the board settled, an element falling, messages scrolling now and then.
  scenes.push_back({"play_typical",
                    [](TMain& game) {
                      LevelRecord level = BenchLevel();
                      for (int x = 2; x <= 29; ++x) {
                        for (int y = 15; y <= 29; ++y) {
                          if ((x * 5 + y * 3) % 7 < 5) level.Board[x][y] = Cell{kBlock, uint8_t(1 + (x + y) % 18)};
                        }
                      }
                      StartBenchLevel(game, level);
                    },
                    [](TMain& game) {
                      KeepFalling(game);
                      if (game.Shell.FrameCounter % 60 == 0) {
                        AddMessage(game.Panels, "Bottle of wine.", "Alcohol level", "up to 2.0.", kRed);
                      }
                    }});
  // The heaviest frame the game shows: a full board over the tiled
  // background, four removed rows spinning, an earthquake, the falling
  // element under every drawing effect, the bonus-mode panel and all 89
  // bursts of the show at once.
  scenes.push_back({"play_heavy",
                    [](TMain& game) {
                      StartFullBoard(game);
                      AllElementEffects(game);
                      game.Plumix.PlumixMode = true;
                      game.Plumix.Earned[1] = game.Plumix.Earned[2] = true;
                      LaunchRockets(game, 89);
                    },
                    [](TMain& game) {
                      KeepFalling(game);
                      SpinClearedRows(game);
                      KeepShaking(game);
                      KeepShowBursting(game);
                    }});
  // The falling element under every drawing effect at once over a full board.
  scenes.push_back({"play_effects",
                    [](TMain& game) {
                      StartFullBoard(game);
                      AllElementEffects(game);
                    },
                    KeepFalling});
  return scenes;
}

}  // namespace plumix::bench
