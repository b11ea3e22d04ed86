// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>
#include <gtest/gtest.h>

#include "adventure/colour_effects.h"
#include "support/harness.h"

namespace plumix {
namespace {

using testing::Harness;
using testing::HarnessOptions;

TEST(StartUp, TitleScreenShowsAndFrameScaleFollowsTheMeasuredRate) {
  Harness h;
  TMain& game = h.Game();
  EXPECT_TRUE(game.Errors.empty()) << game.Errors.front();
  EXPECT_EQ(game.Shell.ScreenState, kTitleScreen);
  EXPECT_FALSE(game.Shell.FirstActivation);
  h.RunFrames(1);
  EXPECT_EQ(game.Shell.FrameScale, 0) << "no rate is known in the first second";
  EXPECT_EQ(game.M.DXDraw.FlipCount(), 1);
  h.WarmUp();
  EXPECT_EQ(game.M.DXTimer.FrameRate(), 60);
  EXPECT_EQ(game.Shell.FrameScale, 90);
  // The logo and the white title are on the presented picture.
  int lit = 0;
  for (int x = 250; x < 768; x += 4) lit += h.Pixel(x, 395) != 0;
  EXPECT_GT(lit, 20) << "the maker's logo";
  int title = 0;
  for (int y = 90; y < 150; ++y) {
    for (int x = 170; x < 900; ++x) title += h.Pixel(x, y) == 0xFFFFFF;
  }
  EXPECT_GT(title, 500) << "PLUMIX ADVENTURE in white";
  h.SavePng("title_screen");
}

TEST(StartUp, FrameCounterCountsEveryTickAndNothingDrawsWhileTheSurfaceIsLost) {
  Harness h;
  TMain& game = h.Game();
  h.RunFrames(3);
  EXPECT_EQ(game.Shell.FrameCounter, 3);
  int flips = game.M.DXDraw.FlipCount();
  game.M.DXDraw.SetLost(true);
  h.RunFrames(5);
  EXPECT_EQ(game.Shell.FrameCounter, 8);
  EXPECT_EQ(game.M.DXDraw.FlipCount(), flips);
  game.M.DXDraw.SetLost(false);
  h.RunFrames(1);
  EXPECT_EQ(game.M.DXDraw.FlipCount(), flips + 1);
}

TEST(StartUp, TimerStandsWhileTheApplicationIsInactive) {
  Harness h;
  TMain& game = h.Game();
  h.RunFrames(2);
  game.Dispatch({PlatformEventType::FocusLost, 0, false});
  h.RunFrames(10);
  EXPECT_EQ(game.Shell.FrameCounter, 2);
  game.Dispatch({PlatformEventType::FocusGained, 0, false});
  h.RunFrames(1);
  EXPECT_EQ(game.Shell.FrameCounter, 3);
}

TEST(StartUp, LaterActivationsDoNotRunTheSetUpAgain) {
  Harness h;
  TMain& game = h.Game();
  std::string track = game.M.MediaPlayer.FileName;
  game.Settings.PlayerName = "CHANGED";
  game.Notices.ActiveNotices = 1;
  game.Notices.Slots[12].Active = true;
  game.FormDeactivate();
  game.FormActivate();
  EXPECT_EQ(game.Settings.PlayerName, "CHANGED") << "settings are not loaded again";
  EXPECT_TRUE(game.Notices.Slots[12].Active) << "notices are not reset";
  EXPECT_EQ(game.M.MediaPlayer.FileName, track);
}

TEST(ColourEffects, FadesRunTwentyStepsAndNegativeIsNotAToggle) {
  Harness h;
  TMain& game = h.Game();
  h.RunFrames(1);
  uint32_t lit = h.Pixel(300, 100);
  double before = h.Clock.Now();
  ColourEffect(game, "FadeOut", 10);
  EXPECT_NEAR(h.Clock.Now() - before, 200, 0.5) << "20 steps of 10 ms";
  for (int x = 0; x < 1024; x += 7) ASSERT_EQ(h.Pixel(x, 110), 0u);
  ColourEffect(game, "FadeIn", 10);
  EXPECT_EQ(game.M.DXDraw.CurrentRamp(), game.SavedRamp);
  EXPECT_EQ(h.Pixel(300, 100), lit);
  ColourEffect(game, "Negative", 0);
  ColourEffect(game, "Negative", 0);
  EXPECT_TRUE(game.Specials.NegativeColours);
  EXPECT_EQ(h.Pixel(5, 5), 0xFFFFFFu) << "black shows white";
  ColourEffect(game, "Default", 0);
  EXPECT_FALSE(game.Specials.NegativeColours);
  EXPECT_EQ(h.Pixel(5, 5), 0u);
  GammaRamp ramp = game.M.DXDraw.CurrentRamp();
  ColourEffect(game, "Sepia", 0);
  EXPECT_EQ(game.M.DXDraw.CurrentRamp(), ramp) << "unknown effects do nothing";
}

TEST(FrameLoop, AScreenChangeFadesTheNewScreenIn) {
  Harness h;
  TMain& game = h.Game();
  h.RunFrames(1);
  ColourEffect(game, "FadeOut", 10);
  game.Shell.FadeInPending = true;
  int flips = game.M.DXDraw.FlipCount();
  double before = h.Clock.Now();
  h.RunFrames(1);
  EXPECT_FALSE(game.Shell.FadeInPending);
  EXPECT_EQ(game.M.DXDraw.FlipCount(), flips + 2) << "flipped dark, faded in, flipped again";
  EXPECT_NEAR(h.Clock.Now() - before, 200 + 1000.0 / 60, 1.0);
  EXPECT_EQ(game.M.DXDraw.CurrentRamp(), game.SavedRamp);
}

TEST(FrameLoop, GameEndScreensLeaveExactlyOneFreshMoon) {
  Harness h;
  TMain& game = h.Game();
  game.Shell.ScreenState = kGameOverScreen;
  h.RunFrames(1);
  auto first = game.Shell.MenuMoon;
  ASSERT_TRUE(first);
  EXPECT_DOUBLE_EQ(first.Get()->X, 930);
  EXPECT_DOUBLE_EQ(first.Get()->Y, 150);
  h.RunFrames(3);
  EXPECT_TRUE(game.Shell.MenuMoon);
  EXPECT_FALSE(first) << "each tick makes a fresh moon";
  EXPECT_EQ(game.M.DXSpriteEngine.Count(), 1);
}

HarnessOptions TwoTracks(int firstMs) {
  HarnessOptions o;
  o.Music = {{"Track1.mid", testing::MakeMidi(firstMs)}, {"Track2.mid", testing::MakeMidi(firstMs * 2)}};
  o.TrackNames = {"Quiet Night", "Rocket Run"};
  return o;
}

TEST(MusicWatch, AnEndedTrackIsFollowedByARandomOneWithItsNotice) {
  HarnessOptions o = TwoTracks(1000);
  o.Activate = false;
  Harness h(o);
  TMain& game = h.Game();
  game.FormActivate();
  ASSERT_TRUE(game.Settings.RandomTrack);
  ASSERT_TRUE(game.M.MediaPlayer.Playing());
  int opened = 0;
  std::string last = game.M.MediaPlayer.FileName;
  for (int i = 0; i < 60 * 12; ++i) {
    h.RunFrames(1);
    if (game.Notices.Slots[8].Active && game.M.MediaPlayer.Position() < 100) ++opened;
  }
  EXPECT_GT(opened, 2) << "each end opened another track";
  EXPECT_TRUE(game.M.MediaPlayer.Playing());
  EXPECT_TRUE(game.Errors.empty());
}

TEST(MusicWatch, WithoutRandomTracksTheSameTrackStartsAgain) {
  Harness h(TwoTracks(1000));
  TMain& game = h.Game();
  game.Settings.RandomTrack = false;
  game.Settings.TrackChoice = 2;
  game.StartTrack(true);
  h.RunFrames(60 * 2 + 5);  // past the 2000 ms of track 2
  EXPECT_NE(game.M.MediaPlayer.FileName.find("Track2.mid"), std::string::npos);
  EXPECT_LT(game.M.MediaPlayer.Position(), 500) << "started from the beginning";
  EXPECT_FALSE(game.Notices.Slots[8].Active);
}

TEST(MusicWatch, MusicOffLeavesAFinishedTrackFinishedAndMissingTracksDoNotRepeat) {
  Harness h(TwoTracks(500));
  TMain& game = h.Game();
  h.RunFrames(40);
  game.Settings.MusicOff = true;
  h.RunFrames(60);
  EXPECT_EQ(game.M.MediaPlayer.Position(), game.M.MediaPlayer.Length());
  game.Settings.MusicOff = false;
  game.Settings.TrackChoice = 7;  // no such file
  game.StartTrack(true);
  EXPECT_EQ(game.Errors.size(), 1u);
  h.RunFrames(120);
  EXPECT_EQ(game.Errors.size(), 1u) << "the end of a missing track is not watched";
}

TEST(SingleInstance, ASecondLockOnTheSameFileIsRefused) {
  std::string path = (std::filesystem::temp_directory_path() / ("plumix-instance-test-" + std::to_string(::getpid()) + ".lock")).string();
  {
    InstanceLock first(path);
    ASSERT_TRUE(first.Acquired());
    InstanceLock second(path);
    EXPECT_FALSE(second.Acquired());
  }
  InstanceLock again(path);
  EXPECT_TRUE(again.Acquired()) << "the lock is freed with its holder";
}

}  // namespace
}  // namespace plumix

namespace plumix {
namespace {

TEST(StartUp, WithoutAnAudioDeviceTheGameRunsSilently) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  testing::HarnessOptions o;
  o.Audio = true;
  testing::Harness h(o);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  TMain& game = h.Game();
  EXPECT_FALSE(game.M.DXSound.Available());
  EXPECT_TRUE(game.Errors.empty());
  game.PlaySound("Main_Menu_Select");
  h.RunFrames(5);
  EXPECT_EQ(game.Shell.FrameCounter, 5);
  ASSERT_FALSE(game.M.DXWaveList.Log.empty());
  EXPECT_EQ(game.M.DXWaveList.Log.back().Name, "Main_Menu_Select");
  EXPECT_TRUE(game.M.MediaPlayer.Playing()) << "the music clock runs without a device too";
}

}  // namespace
}  // namespace plumix

namespace plumix {
namespace {

TEST(FrameLoop, ALostLevelHandsOverToTheGameOverScreenWithinTheSameTick) {
  testing::Harness h;
  h.WarmUp();
  AdventureRecord adventure = testing::MakeTestAdventure();
  adventure.Levels[1].Board[15][2] = Cell{kBlock, 2};  // the first element tops out at once
  h.StartLevel(adventure, 1);
  TMain& game = h.Game();
  int ticks = 0;
  while (game.Shell.ScreenState == kPlayScreen && ticks < 2000) {
    h.RunFrames(1);
    ++ticks;
  }
  ASSERT_EQ(game.Shell.ScreenState, kGameOverScreen);
  // The game-over routine ran in the tick of the change: it made the moon.
  ASSERT_TRUE(game.Shell.MenuMoon);
  int moons = 0;
  for (int i = 0; i < game.M.DXSpriteEngine.Count(); ++i) {
    const ImageSprite& s = game.M.DXSpriteEngine.At(i);
    moons += s.Image && s.Image->Name == "NeonMoon";
  }
  EXPECT_EQ(moons, 1) << "the end screen clears the sprites before the moon is made";
  EXPECT_EQ(game.Adv.SaveCount, 1);
}

}  // namespace
}  // namespace plumix

namespace plumix {
namespace {

TEST(FrameLoop, NoticesDoNotSmearOverThePausedPlayPicture) {
  testing::Harness h;
  h.WarmUp();
  h.StartLevel(testing::MakeTestAdventure(), 1);
  TMain& game = h.Game();
  h.RunFrames(300);  // past the start phase and its notice
  ASSERT_EQ(game.Notices.ActiveNotices, 0);
  auto band = [&] {
    std::vector<uint32_t> pixels;
    for (int y = 18; y < 45; ++y) {
      for (int x = 140; x < 420; ++x) pixels.push_back(h.Pixel(x, y));
    }
    return pixels;
  };
  game.Paused = true;
  h.RunFrames(1);
  const std::vector<uint32_t> clean = band();
  ShowNotice(game.Notices, 11);
  h.RunFrames(3);
  EXPECT_NE(band(), clean) << "the notice shows over the pause";
  game.Settings.SfxOff = !game.Settings.SfxOff;  // the notice text changes
  h.RunFrames(3);
  h.RunFrames(260);
  EXPECT_EQ(game.Notices.ActiveNotices, 0);
  EXPECT_EQ(band(), clean) << "no trace of either text is left";
}

}  // namespace
}  // namespace plumix
