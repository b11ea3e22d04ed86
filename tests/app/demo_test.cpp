// SPDX-License-Identifier: GPL-3.0-or-later
// The title's demo: it starts when the title has been left alone, shows the
// game's heart, gives way to any key, button or click at once, and leaves
// no trace in the player's files or in the game's state.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "adventure/adventure_list.h"
#include "app/main_form.h"
#include "support/harness.h"

namespace plumix {
namespace {

using namespace plumix::testing;

std::map<std::string, std::string> Files(const std::filesystem::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path().string()] = std::string(std::istreambuf_iterator<char>(in), {});
  }
  return files;
}

HarnessOptions Fast() {
  HarnessOptions options;
  options.FrameMs = 50;
  return options;
}

TEST(TitleDemo, StartsWhenLeftAloneShowsTheGameAndWritesNothing) {
  Harness h(Fast());
  h.WarmUp();
  TMain& game = h.Game();
  const auto before = Files(h.Dir);
  const Random rng = game.Rng;
  h.RunFrames(15000 / 50);
  ASSERT_EQ(game.Shell.ScreenState, kTitleScreen) << "too early";
  // A key on the title makes it wait anew.
  h.Press(kVkShift);
  h.RunFrames(19000 / 50);
  ASSERT_FALSE(game.Demo.Active);
  ASSERT_EQ(game.Shell.ScreenState, kTitleScreen);
  bool specials = false, disaster = false, plumix = false;
  int frames = 0;
  for (; frames < 20000 && !game.Demo.Active; ++frames) h.RunFrames(1);
  ASSERT_TRUE(game.Demo.Active);
  ASSERT_EQ(game.Shell.ScreenState, kPlayScreen);
  for (; frames < 20000 && game.Demo.Active; ++frames) {
    h.RunFrames(1);
    specials = specials || game.Specials.Collected > 0;
    disaster = disaster || game.Disasters.DisasterPending;
    plumix = plumix || game.Plumix.PlumixMode;
  }
  EXPECT_TRUE(specials && disaster && plumix) << specials << disaster << plumix;
  // Over by itself: back on the title, with the game's sequence and
  // adventure state as they were.
  ASSERT_FALSE(game.Demo.Active);
  EXPECT_EQ(game.Shell.ScreenState, kTitleScreen);
  Random expected = rng;
  EXPECT_EQ(game.Rng.Next(), expected.Next());
  EXPECT_TRUE(game.Adv.Adventure.Title.empty());
  EXPECT_EQ(Files(h.Dir), before) << "the demo wrote a file";
}

TEST(TitleDemo, AnyKeyButtonOrClickReturnsToTheTitleAtOnce) {
  Harness h(Fast());
  h.WarmUp();
  TMain& game = h.Game();
  const auto before = Files(h.Dir);
  for (int way = 0; way < 3; ++way) {
    h.RunFrames(kDemoIdleMs / 50 + 2);
    ASSERT_TRUE(game.Demo.Active) << way;
    h.RunFrames(300);
    ASSERT_EQ(game.Shell.ScreenState, kPlayScreen);
    if (way == 0) h.Press(kVkReturn);
    if (way == 1) game.Dispatch({PlatformEventType::PadDown, static_cast<uint16_t>(PadButton::Start), false});
    if (way == 2) h.Click(500, 400);
    EXPECT_FALSE(game.Demo.Active) << way;
    EXPECT_EQ(game.Shell.ScreenState, kTitleScreen) << "the input only ends the demo";
    if (way == 1) game.Dispatch({PlatformEventType::PadUp, static_cast<uint16_t>(PadButton::Start), false});
    h.RunFrames(1);
    EXPECT_EQ(game.Shell.ScreenState, kTitleScreen);
  }
  EXPECT_EQ(Files(h.Dir), before);
}

TEST(BotStandIn, PlaysALevelToItsWinAndItsLostGameEntersNoTable) {
  Harness h(Fast());
  TMain& game = h.Game();
  game.Options.BotPlays = true;
  h.StartLevelFromFile("PlumixAcademy.paf", 1);
  for (int frame = 0; frame < 40000 && game.Shell.ScreenState == kPlayScreen; ++frame) h.RunFrames(1);
  EXPECT_EQ(game.Shell.ScreenState, kLevelCompletedScreen);
  const auto before = Files(h.Dir);
  game.Adv.Score = 1000000;
  game.Adv.LevelScores[1] = 1000000;
  SaveHighScore(game);
  EXPECT_EQ(game.Adv.HighScoreRank, 0);
  EXPECT_EQ(Files(h.Dir), before);
}

}  // namespace
}  // namespace plumix
