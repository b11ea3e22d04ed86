// SPDX-License-Identifier: GPL-3.0-or-later
// The key handler: the global switches on every screen, the theme keys of
// the play screen, the speed-up key, the pause and its quit question, and
// the confirmations of the title, level-info and end screens.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/game_test_files.h"
#include "app/main_form.h"
#include "support/probes.h"
#include "engine/play_frame.h"
#include "settings/themes.h"
#include "support/harness.h"

namespace plumix {
namespace {

using namespace plumix::testing;

HarnessOptions WithMusic() {
  HarnessOptions options;
  options.Music = {{"Track1.mid", MakeMidi(60000)}, {"Track2.mid", MakeMidi(60000)},
                   {"Track3.mid", MakeMidi(60000)}};
  options.TrackNames = {"One", "Two", "Three"};
  return options;
}

// A level in play, past its start phase.
void Playing(Harness& h) {
  h.WarmUp();
  h.StartLevel(MakeTestAdventure(2), 1);
  h.RunFrames(kPrepareFrames + 5);
}

std::vector<uint16_t> PictureOf(Harness& h, const std::string& relative) {
  ImageItem item;
  item.LoadFromFile(h.Dir / relative);
  return item.Picture.Pixels;
}

TEST(GlobalKeys, MusicSwitchesOffAndOnOnEveryScreenAndTheTrackGoesOn) {
  Harness h(WithMusic());
  h.WarmUp();
  h.StartLevel(MakeTestAdventure(1), 1);
  TMain& game = h.Game();
  game.Settings.MusicOff = false;
  game.StartTrack(true);
  MusicPlayer& music = game.M.MediaPlayer;
  for (uint8_t screen = kTitleScreen; screen <= kGameOverScreen; ++screen) {
    game.Shell.ScreenState = screen;
    h.RunFrames(10);
    ASSERT_TRUE(music.Playing()) << "screen " << int(screen);
    h.Press(kVkF12);
    EXPECT_TRUE(game.Settings.MusicOff) << "screen " << int(screen);
    EXPECT_FALSE(music.Playing());
    EXPECT_TRUE(game.Notices.Slots[12].Active);
    const int position = music.Position();
    h.RunFrames(30);
    EXPECT_EQ(music.Position(), position) << "the track waits while the music is off";
    h.Press(kVkF12);
    EXPECT_FALSE(game.Settings.MusicOff);
    EXPECT_TRUE(music.Playing());
    h.RunFrames(1);
    EXPECT_GE(music.Position(), position) << "it goes on from where it stopped";
    EXPECT_LT(music.Position(), position + 1000);
  }
}

TEST(GlobalKeys, SoundEffectsSwitchIsHeardOnlyWhenItComesOn) {
  Harness h;
  h.WarmUp();
  TMain& game = h.Game();
  game.Settings.SfxOff = false;
  SoundLog sounds(game);
  h.Press(kVkF11);
  EXPECT_TRUE(game.Settings.SfxOff);
  EXPECT_TRUE(game.Notices.Slots[11].Active);
  EXPECT_EQ(sounds.Started("Options_Checkbox_Click"), 0);
  h.Press(kVkF11);
  EXPECT_FALSE(game.Settings.SfxOff);
  EXPECT_EQ(sounds.Started("Options_Checkbox_Click"), 1);
}

TEST(GlobalKeys, RandomTrackChangesTheTrackOnlyWhileTheMusicPlays) {
  Harness h(WithMusic());
  h.WarmUp();
  TMain& game = h.Game();
  game.Settings.MusicOff = false;
  game.Shell.ScreenState = kMenuScreen;
  bool changed = false;
  for (int i = 0; i < 20 && !changed; ++i) {
    const uint8_t before = game.Settings.TrackChoice;
    h.Press(kVkF8);
    EXPECT_GE(game.Settings.TrackChoice, 1);
    EXPECT_LE(game.Settings.TrackChoice, 3);
    changed = game.Settings.TrackChoice != before;
  }
  EXPECT_TRUE(changed) << "twenty draws from three tracks";
  EXPECT_TRUE(game.Notices.Slots[8].Active);
  EXPECT_TRUE(game.M.MediaPlayer.Playing());
  EXPECT_NE(game.M.MediaPlayer.FileName.find("Track" + std::to_string(game.Settings.TrackChoice)),
            std::string::npos);

  ResetNotices(game.Notices);
  h.Press(kVkF12);
  ResetNotices(game.Notices);
  const uint8_t off = game.Settings.TrackChoice;
  for (int i = 0; i < 10; ++i) h.Press(kVkF8);
  EXPECT_EQ(game.Settings.TrackChoice, off);
  EXPECT_FALSE(game.Notices.Slots[8].Active);
  EXPECT_FALSE(game.M.MediaPlayer.Playing());
}

TEST(ThemeKeys, FiveSixSevenAndTenChangeThePlayScreenAtOnce) {
  Harness h;
  Playing(h);
  TMain& game = h.Game();
  SettingsRecord& s = game.Settings;
  ASSERT_GE(game.Themes.CubeCount(), 2);
  for (int i = 0; i < 8; ++i) {
    h.Press(kVkF5);
    EXPECT_GE(s.CubeChoice, 1);
    EXPECT_LE(s.CubeChoice, game.Themes.CubeCount());
  }
  EXPECT_TRUE(game.Notices.Slots[5].Active);
  EXPECT_EQ(game.M.DXImageListTiles.Get("Tile_Shape7").Picture.Pixels,
            PictureOf(h, "Graphics/Cubes/Theme" + std::to_string(s.CubeChoice) + "/Tile_Shape7.jpg"));
  h.Press(kVkF6);
  EXPECT_TRUE(game.Notices.Slots[6].Active);
  EXPECT_EQ(game.M.DXImageListEdges.Get("Edge_Solid").Picture.Pixels,
            PictureOf(h, "Graphics/Edges/" + std::to_string(s.EdgeChoice) + "Edge_Solid.jpg"));
  h.Press(kVkF7);
  EXPECT_TRUE(game.Notices.Slots[7].Active);
  EXPECT_EQ(game.M.DXImageList.Get("Current_Tile").Picture.Pixels,
            PictureOf(h, "Graphics/Tiles/Tile" + std::to_string(s.TileChoice) + ".jpg"));
  const bool tiled = s.TiledBackground;
  h.Press(kVkF10);
  EXPECT_NE(s.TiledBackground, tiled);
  EXPECT_TRUE(game.Notices.Slots[10].Active);
  EXPECT_TRUE(game.Errors.empty()) << game.Errors.front();
}

TEST(ThemeKeys, TheyDoNothingOnTheMenusAndActWhilePaused) {
  Harness h;
  h.WarmUp();
  TMain& game = h.Game();
  const SettingsRecord before = game.Settings;
  h.Press(kVkReturn);
  for (uint16_t key : {kVkF5, kVkF6, kVkF7, kVkF10}) h.Press(key);
  EXPECT_EQ(game.Settings.TiledBackground, before.TiledBackground);
  EXPECT_EQ(game.Notices.ActiveNotices, 0);

  Harness p;
  Playing(p);
  TMain& paused = p.Game();
  p.Press(kVkP);
  ASSERT_TRUE(paused.Paused);
  const bool tiled = paused.Settings.TiledBackground;
  p.Press(kVkF10);
  p.Press(kVkF7);
  EXPECT_NE(paused.Settings.TiledBackground, tiled);
  EXPECT_TRUE(paused.Paused) << "the theme keys do not end the pause";
  EXPECT_TRUE(paused.Notices.Slots[7].Active);
}

TEST(ThemeKeys, AMissingPictureIsReportedAndTheOldOneStays) {
  Harness h;
  Playing(h);
  TMain& game = h.Game();
  const std::vector<uint16_t> tile = game.M.DXImageList.Get("Current_Tile").Picture.Pixels;
  const std::vector<uint16_t> cube = game.M.DXImageListTiles.Get("Tile_Shape18").Picture.Pixels;
  // A game folder whose theme files are gone but whose lists remain.
  std::filesystem::remove(h.Dir / "Graphics");
  std::filesystem::create_directories(h.Dir / "Graphics" / "Tiles");
  h.Press(kVkF7);
  h.Press(kVkF5);
  h.Press(kVkF6);
  EXPECT_EQ(game.Errors.size(), 3u);
  EXPECT_EQ(game.M.DXImageList.Get("Current_Tile").Picture.Pixels, tile);
  EXPECT_EQ(game.M.DXImageListTiles.Get("Tile_Shape18").Picture.Pixels, cube);
  h.RunFrames(5);
  EXPECT_EQ(game.Shell.ScreenState, kPlayScreen);
}

TEST(ThemeKeys, ACubeThemeWithAMissingPictureKeepsTheWholeThemeBefore) {
  Harness h;
  h.WarmUp();
  TMain& game = h.Game();
  game.Settings.CubeChoice = 2;
  ASSERT_TRUE(LoadCubeTheme(game));
  const std::vector<uint16_t> first = game.M.DXImageListTiles.Get("Tile_Shape1").Picture.Pixels;
  // Theme 9 has no pictures at all; its first one is already missing.
  game.Settings.CubeChoice = 9;
  EXPECT_FALSE(LoadCubeTheme(game));
  EXPECT_EQ(game.Errors.size(), 1u);
  EXPECT_EQ(game.M.DXImageListTiles.Get("Tile_Shape1").Picture.Pixels, first);
  game.Settings.TileChoice = 200;
  EXPECT_FALSE(LoadTile(game));
  game.Settings.EdgeChoice = 0;
  EXPECT_FALSE(LoadEdge(game));
  EXPECT_EQ(game.Errors.size(), 3u);
}

TEST(PlayKeys, TheSpeedUpKeyStopsAtTheLevelsMaximalSpeed) {
  Harness h;
  h.WarmUp();
  AdventureRecord adventure = MakeTestAdventure(1);
  adventure.Levels[1].StartSpeed = 2;
  adventure.Levels[1].MaximalSpeed = 4;
  h.StartLevel(adventure, 1);
  h.RunFrames(kPrepareFrames + 5);
  TMain& game = h.Game();
  h.Press(kVkI);
  EXPECT_EQ(game.Play.Speed, 3);
  EXPECT_EQ(game.Play.FallInterval, 22);
  h.Press(kVkI);
  h.Press(kVkI);
  h.Press(kVkI);
  EXPECT_EQ(game.Play.Speed, 4);
  EXPECT_EQ(game.Play.FallInterval, 18);
}

TEST(PlayKeys, EscapeAsksTheQuitQuestionAndThePauseKeyOnlyPauses) {
  Harness h;
  Playing(h);
  TMain& game = h.Game();
  SoundLog sounds(game);
  h.Press(kVkEscape);
  EXPECT_TRUE(game.Paused);
  EXPECT_TRUE(game.QuitPrompt);
  EXPECT_EQ(sounds.Started("Options_Save"), 1);
  EXPECT_GE(sounds.Stopped("Earthquake"), 1) << "the disaster sounds are silenced";
  h.Press(kVkEscape);
  EXPECT_FALSE(game.Paused) << "Escape on the question cancels the question and the pause";
  EXPECT_FALSE(game.QuitPrompt);

  h.Press(kVkP);
  EXPECT_TRUE(game.Paused);
  EXPECT_FALSE(game.QuitPrompt);
  // While paused the play frame stands still.
  const PlayState frozen = game.Play;
  const int32_t score = game.Adv.Score;
  h.Hold(kVkDown, 60);
  h.Press(kVkLeft);
  h.Press(kVkSpace);
  EXPECT_TRUE(game.Paused) << "other keys leave the pause on";
  EXPECT_EQ(game.Play.ElementQueue[0].Y, frozen.ElementQueue[0].Y);
  EXPECT_EQ(game.Play.ElementQueue[0].X, frozen.ElementQueue[0].X);
  EXPECT_EQ(game.Play.TickCounter, frozen.TickCounter);
  EXPECT_EQ(game.Adv.Score, score);
  h.Press(kVkP);
  EXPECT_FALSE(game.Paused);
  h.Press(kVkP);
  h.Press(kVkEscape);
  EXPECT_FALSE(game.Paused) << "Escape also ends the plain pause";
  EXPECT_FALSE(game.QuitPrompt);
}

TEST(PlayKeys, AnyKeyButYCancelsTheQuitQuestionAndYEndsTheGame) {
  for (uint16_t key : {kVkN, kVkP, kVkReturn, kVkF5}) {
    Harness h;
    Playing(h);
    TMain& game = h.Game();
    h.Press(kVkEscape);
    h.Press(key);
    EXPECT_FALSE(game.Paused) << "key " << key;
    EXPECT_FALSE(game.QuitPrompt) << "key " << key;
    EXPECT_EQ(game.Shell.ScreenState, kPlayScreen);
  }
  Harness h;
  Playing(h);
  TMain& game = h.Game();
  game.Adv.Score = 1500;
  game.Settings.PlayerName = "Quitter";
  h.Press(kVkEscape);
  game.Specials.NegativeColours = true;
  h.Press(kVkY);
  EXPECT_EQ(game.Shell.ScreenState, kGameOverScreen);
  EXPECT_FALSE(game.Shell.FadeInPending) << "the game-over screen follows without a fade";
  EXPECT_FALSE(game.Specials.NegativeColours) << "the saved colours are back";
  EXPECT_EQ(game.Adv.SaveCount, 1);
  EXPECT_EQ(game.Adv.HighScoreRank, 1);
  EXPECT_EQ(h.ReadAdventure("Test.paf").HighScores[1].Name, "Quitter");
  h.RunFrames(2);
  EXPECT_EQ(game.Shell.ScreenState, kGameOverScreen);
}

TEST(PlayKeys, TheEndOfAPauseBringsBackTheSoundOfTheDisasterUnderWay) {
  struct Case {
    int32_t StartTicks;
    uint8_t Kind;
    const char* Sound;
  };
  const Case cases[] = {{4, 0, "Before_Theme_Speciality"}, {0, 0, "Earthquake"}, {-3, 1, "Flame"},
                        {0, 3, "Wind"}, {0, 2, nullptr}};
  for (const Case& c : cases) {
    Harness h;
    Playing(h);
    TMain& game = h.Game();
    game.Disasters.DisasterPending = true;
    game.Disasters.DisasterStartTicks = c.StartTicks;
    game.Adv.Adventure.Levels[1].DisasterKind = c.Kind;
    h.Press(kVkP);
    SoundLog sounds(game);
    h.Press(kVkP);
    int started = 0;
    for (const char* name : {"Before_Theme_Speciality", "Earthquake", "Flame", "Wind"}) {
      started += sounds.Started(name);
      if (c.Sound && std::string(name) == c.Sound) {
        EXPECT_EQ(sounds.Started(name), 1) << name;
      }
    }
    EXPECT_EQ(started, c.Sound ? 1 : 0) << "kind " << int(c.Kind);
  }
  // No disaster pending: the pause ends in silence.
  Harness h;
  Playing(h);
  h.Press(kVkP);
  SoundLog sounds(h.Game());
  h.Press(kVkP);
  EXPECT_EQ(sounds.Started("Before_Theme_Speciality") + sounds.Started("Earthquake"), 0);
}

TEST(PlayKeys, F1OpensThePanelTheGameStandsStillAndF1ClosesItAgain) {
  Harness h;
  Playing(h);
  TMain& game = h.Game();
  SoundLog sounds(game);
  h.Press(kVkF1);
  EXPECT_TRUE(game.OptionsOpen);
  EXPECT_TRUE(game.ControlPanel.Visible);
  EXPECT_EQ(sounds.Started("Options_Save"), 1);
  const PlayState before = game.Play;
  h.RunFrames(300);
  // A theme key redraws the play screen behind the panel without moving it on.
  h.Press(kVkF10);
  h.RunFrames(2);
  EXPECT_EQ(game.Play.ElementQueue[0].Y, before.ElementQueue[0].Y);
  EXPECT_EQ(game.Play.FallCounter, before.FallCounter);
  EXPECT_EQ(game.Play.TickCounter, before.TickCounter);
  EXPECT_EQ(game.Play.TimeLeft, before.TimeLeft);
  h.Press(kVkF1);
  EXPECT_FALSE(game.OptionsOpen);
  EXPECT_FALSE(game.ControlPanel.Visible);
  EXPECT_FALSE(game.Paused);
  h.RunFrames(200);
  EXPECT_GT(game.Play.ElementQueue[0].Y + game.Adv.Score, before.ElementQueue[0].Y) << "play goes on";
}

TEST(ScreenKeys, SpaceStartsALevelButConfirmsNeitherTheTitleNorTheEndScreens) {
  Harness h;
  h.WarmUp();
  TMain& game = h.Game();
  h.Press(kVkSpace);
  EXPECT_EQ(game.Shell.ScreenState, kTitleScreen);
  SoundLog sounds(game);
  h.Press(kVkReturn);
  EXPECT_EQ(game.Shell.ScreenState, kMenuScreen);
  EXPECT_EQ(game.Menu.MenuState, kMainMenuLoad);
  EXPECT_EQ(sounds.Started("Main_Menu_Select"), 1);
  EXPECT_TRUE(game.Shell.FadeInPending);
  EXPECT_TRUE(game.Shell.MenuMoon);

  h.StartLevel(MakeTestAdventure(2), 1);
  game.Shell.ScreenState = kLevelInfoScreen;
  game.M.DXSpriteEngine.Clear();
  h.RunFrames(2);
  h.Press(kVkSpace);
  EXPECT_EQ(game.Shell.ScreenState, kPlayScreen);
  EXPECT_GT(game.M.DXSpriteEngine.Count(), 20) << "the play sprites";
  for (uint8_t end : {kGameCompletedScreen, kGameOverScreen}) {
    game.Shell.ScreenState = end;
    h.Press(kVkSpace);
    EXPECT_EQ(game.Shell.ScreenState, end);
  }
}

TEST(ScreenKeys, StartPlayDrawsThemesOnlyWhereTheyAreRandom) {
  Harness h;
  h.WarmUp();
  TMain& game = h.Game();
  h.StartLevel(MakeTestAdventure(1), 1);
  game.Shell.ScreenState = kLevelInfoScreen;
  game.Settings.RandomTile = false;
  game.Settings.TileChoice = 3;
  game.Settings.RandomCube = false;
  game.Settings.CubeChoice = 4;
  game.Settings.RandomEdge = true;
  game.Settings.EdgeChoice = 200;
  h.Press(kVkReturn);
  EXPECT_EQ(game.Settings.TileChoice, 3);
  EXPECT_EQ(game.Settings.CubeChoice, 4);
  EXPECT_GE(game.Settings.EdgeChoice, 1);
  EXPECT_LE(game.Settings.EdgeChoice, game.Themes.EdgeCount());
  EXPECT_EQ(game.M.DXImageList.Get("Current_Tile").Picture.Pixels, PictureOf(h, "Graphics/Tiles/Tile3.jpg"));
  EXPECT_EQ(game.M.DXImageListTiles.Get("Tile_Shape12").Picture.Pixels,
            PictureOf(h, "Graphics/Cubes/Theme4/Tile_Shape12.jpg"));
  EXPECT_TRUE(game.Errors.empty()) << game.Errors.front();
}

TEST(ScreenKeys, EnterAfterALevelLeadsOnOrAfterTheLastToTheGameCompleted) {
  Harness h;
  h.WarmUp();
  TMain& game = h.Game();
  h.StartLevel(MakeTestAdventure(2), 1);
  game.Shell.ScreenState = kLevelCompletedScreen;
  h.Press(kVkReturn);
  EXPECT_EQ(game.Shell.ScreenState, kLevelInfoScreen);
  EXPECT_EQ(game.Adv.CurrentLevel, 2);
  EXPECT_EQ(game.Adv.SaveCount, 0);
  game.Shell.ScreenState = kLevelCompletedScreen;
  game.Adv.Score = 10;
  h.Press(kVkReturn);
  EXPECT_EQ(game.Shell.ScreenState, kGameCompletedScreen);
  EXPECT_EQ(game.Adv.CurrentLevel, 2);
  EXPECT_EQ(game.Adv.SaveCount, 1);
  EXPECT_TRUE(game.Adv.HighScorePlaced);
  h.Press(kVkReturn);
  EXPECT_EQ(game.Menu.MenuState, kHighScorePage);
}

}  // namespace
}  // namespace plumix
