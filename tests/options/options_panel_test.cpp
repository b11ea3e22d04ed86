// SPDX-License-Identifier: GPL-3.0-or-later
// The options panel: its handlers and their sounds, key capture, the edits,
// the focus order, the pointer at any window scale, and the game menu's page.
#include <gtest/gtest.h>

#include "app/game_test_files.h"
#include "app/main_form.h"
#include "support/probes.h"
#include "engine/play_frame.h"
#include "settings/key_names.h"
#include "settings/settings_file.h"
#include "support/harness.h"

namespace plumix {
namespace {

using namespace plumix::testing;

constexpr uint16_t kVkTab = 9, kVkA = 65, kVkK = 75, kVkF4 = 115, kVkEnd = 35, kVkHome = 36,
                   kVkDelete = 46;

HarnessOptions WithMusic() {
  HarnessOptions options;
  options.Music = {{"Track1.mid", MakeMidi(60000)}, {"Track2.mid", MakeMidi(60000)}};
  options.TrackNames = {"One", "Two"};
  return options;
}

TMain& OpenOverPlay(Harness& h) {
  h.WarmUp();
  h.StartLevel(MakeTestAdventure(1), 1);
  h.RunFrames(kPrepareFrames + 5);
  h.Press(kVkF1);
  return h.Game();
}

Widget& Control(TMain& game, int index) { return game.ControlPanel.Controls.At(index); }

void ClickOn(Harness& h, int index) {
  const Rect r = Control(h.Game(), index).Bounds;
  h.Click(r.Left + 5, (r.Top + r.Bottom) / 2);
}

void Chord(Harness& h, uint16_t modifier, uint16_t key) {
  h.KeyDown(modifier);
  h.Press(key);
  h.KeyUp(modifier);
}

SettingsRecord Stored(const Harness& h) {
  std::string error;
  Parsed<SettingsRecord> parsed = ParseSettings(ReadFileBytes(h.Dir / "Settings.set", &error));
  EXPECT_TRUE(parsed) << error;
  return parsed ? *parsed.Value : SettingsRecord{};
}

TEST(OptionsPanel, ChoiceBoxesPickByKeysAndListsWithTheirSounds) {
  Harness h(WithMusic());
  TMain& game = OpenOverPlay(h);
  OptionsPanel& p = game.ControlPanel;
  game.Settings.TileChoice = 1;
  ASSERT_EQ(p.Controls.Focus(), p.CBTile);
  const std::vector<uint16_t> tileBefore = game.M.DXImageList.Get("Current_Tile").Picture.Pixels;
  SoundLog sounds(game);
  h.Press(kVkDown);
  EXPECT_EQ(game.Settings.TileChoice, 2);
  EXPECT_EQ(sounds.Started("Options_CB_Select"), 1);
  EXPECT_NE(game.M.DXImageList.Get("Current_Tile").Picture.Pixels, tileBefore) << "Tile2 loaded";

  Chord(h, kVkMenu, kVkDown);
  EXPECT_EQ(p.Controls.OpenList(), p.CBTile);
  EXPECT_EQ(sounds.Started("Options_CB_Open"), 1);
  h.Press(kVkDown);
  h.Press(kVkReturn);
  EXPECT_EQ(p.Controls.OpenList(), -1);
  EXPECT_EQ(game.Settings.TileChoice, 3) << "Enter picks from the list";
  h.Press(kVkF4);
  h.Press(kVkDown);
  h.Press(kVkEscape);
  EXPECT_EQ(game.Settings.TileChoice, 3) << "Escape closes the list unchanged";
  EXPECT_TRUE(game.OptionsOpen) << "and not the panel";

  // A click on the list's second row picks it and closes the list.
  game.Settings.CubeChoice = 1;
  ClickOn(h, p.CBCube);
  const Rect list = p.Controls.ListRect();
  h.Click(list.Left + 20, list.Top + 1 + WidgetSet::kItemHeight + 5);
  EXPECT_EQ(game.Settings.CubeChoice, 2);
  EXPECT_EQ(p.Controls.OpenList(), -1);
  ClickOn(h, p.CBBack);
  h.Click(10, 10);
  EXPECT_EQ(p.Controls.OpenList(), -1) << "a click outside closes the list";

  // The track switches unless the music is off.
  game.Settings.MusicOff = false;
  game.Settings.TrackChoice = 1;
  game.StartTrack(true);
  p.Controls.SetFocus(p.CBMusic);
  h.Press(kVkDown);
  EXPECT_EQ(game.Settings.TrackChoice, 2);
  EXPECT_NE(game.M.MediaPlayer.FileName.find("Track2.mid"), std::string::npos);
  EXPECT_TRUE(game.M.MediaPlayer.Playing());
  ClickOn(h, p.CBMusicOFF);
  EXPECT_TRUE(game.Settings.MusicOff);
  EXPECT_FALSE(game.M.MediaPlayer.Playing());
  p.Controls.SetFocus(p.CBMusic);
  h.Press(kVkUp);
  EXPECT_EQ(game.Settings.TrackChoice, 1);
  EXPECT_FALSE(game.M.MediaPlayer.Playing());
}

TEST(OptionsPanel, CheckBoxesSwitchTheirSettingsAndTheEffectsClickOnlyWhenSwitchedOn) {
  Harness h;
  TMain& game = OpenOverPlay(h);
  OptionsPanel& p = game.ControlPanel;
  SettingsRecord& s = game.Settings;
  const std::pair<int, bool*> boxes[] = {{p.CBRandomTile, &s.RandomTile},
                                         {p.CBRandomCube, &s.RandomCube},
                                         {p.CBRandomBack, &s.RandomEdge},
                                         {p.CBRandomMusic, &s.RandomTrack},
                                         {p.CBTransparent, &s.TiledBackground}};
  for (const auto& [box, setting] : boxes) {
    const bool was = *setting;
    SoundLog sounds(game);
    ClickOn(h, box);
    EXPECT_EQ(*setting, !was) << Control(game, box).Caption;
    EXPECT_EQ(sounds.Started("Options_Checkbox_Click"), 1);
  }
  s.SfxOff = false;
  SoundLog sounds(game);
  ClickOn(h, p.CBSfxOFF);
  EXPECT_TRUE(s.SfxOff);
  EXPECT_EQ(sounds.Started("Options_Checkbox_Click"), 0);
  h.Press(kVkSpace);
  EXPECT_FALSE(s.SfxOff) << "Space toggles the focused box";
  EXPECT_EQ(sounds.Started("Options_Checkbox_Click"), 1);
}

TEST(OptionsPanel, KeyEditsCaptureNamesThatParseBackAndActAfterClosing) {
  Harness h;
  TMain& game = OpenOverPlay(h);
  OptionsPanel& p = game.ControlPanel;
  ClickOn(h, p.SetLeft);
  const uint8_t cube = game.Settings.CubeChoice;
  struct Case {
    uint16_t Key;
    const char* Name;
  } cases[] = {{kVkBack, "Back"}, {kVkF5, "F5"}, {229, "Key 229"}, {kVkA, "A"}};
  for (const Case& c : cases) {
    SoundLog sounds(game);
    h.Press(c.Key);
    EXPECT_EQ(game.Settings.KeyLeft, c.Name);
    EXPECT_EQ(Control(game, p.SetLeft).Text, c.Name);
    EXPECT_EQ(KeyCodeFromName(c.Name), c.Key);
    EXPECT_EQ(sounds.Started("Options_Type_Letter"), 1);
  }
  EXPECT_EQ(game.Settings.CubeChoice, cube) << "the captured F5 chose no theme";
  // Shift+Tab leaves the edit without taking Shift; Ctrl alone is taken.
  Chord(h, kVkShift, kVkTab);
  EXPECT_EQ(game.Settings.KeyLeft, "A");
  EXPECT_EQ(p.Controls.Focus(), p.SetName);
  ClickOn(h, p.SetAction);
  h.Press(kVkControl);
  EXPECT_EQ(game.Settings.KeyAction, "Ctrl");
  h.KeyDown(kVkMenu);
  EXPECT_EQ(game.Settings.KeyAction, "Ctrl") << "Alt waits to be let go alone: it may be the window's Alt+Enter";
  h.KeyUp(kVkMenu);
  EXPECT_EQ(game.Settings.KeyAction, "Alt");

  ClickOn(h, p.SetLeft);
  h.Press(kVkF1);
  EXPECT_FALSE(game.OptionsOpen) << "F1 is never captured";
  EXPECT_EQ(game.Settings.KeyLeft, "A");
  EXPECT_EQ(Stored(h).KeyLeft, "A");
  const int x = game.Play.ElementQueue[0].X;
  // Held past the first fall, out of the entry box.
  h.Hold(kVkA, 200);
  EXPECT_LT(game.Play.ElementQueue[0].X, x - 1) << "the captured key moves at once";
}

TEST(OptionsPanel, EditsKeepTheirLimitsAndTypeCodePage1250) {
  Harness h;
  TMain& game = OpenOverPlay(h);
  OptionsPanel& p = game.ControlPanel;
  ClickOn(h, p.SetName);
  h.Press(kVkHome);
  Chord(h, kVkShift, kVkEnd);
  h.Type("\xC4\x8C\xC5\xA1\xC5\xBE ok");  // "Čšž ok"
  EXPECT_EQ(game.Settings.PlayerName, "\xC8\x9A\x9E ok");
  h.Press(kVkHome);
  h.Press(kVkDelete);
  h.Press(kVkEnd);
  h.Press(kVkBack);
  EXPECT_EQ(game.Settings.PlayerName, "\x9A\x9E o");
  h.Type(std::string(40, 'x'));
  EXPECT_EQ(game.Settings.PlayerName.size(), 30u);
  EXPECT_EQ(Control(game, p.SetName).Text.size(), 30u) << "the edit itself stops at 30";

  ClickOn(h, p.SetLRSpeed);
  h.Press(kVkHome);
  Chord(h, kVkShift, kVkEnd);
  h.Type("12a34567");
  EXPECT_EQ(game.Settings.LRSpeed, "12345") << "whole text replaced, digits only, at most 5";
  h.Press(kVkHome);
  Chord(h, kVkShift, kVkEnd);
  h.Press(kVkBack);
  EXPECT_EQ(game.Settings.LRSpeed, "");
  // An empty speed falls back to the default repeat.
  h.Press(kVkF1);
  const int x = game.Play.ElementQueue[0].X;
  h.Hold(kVkRight, 60);
  EXPECT_GT(game.Play.ElementQueue[0].X, x + 1);
}

TEST(OptionsPanel, AModifierHeldForATabIntoAKeyEditIsNotCaptured) {
  Harness h;
  TMain& game = OpenOverPlay(h);
  OptionsPanel& p = game.ControlPanel;
  const SettingsRecord before = game.Settings;
  for (uint16_t modifier : {kVkShift, kVkControl, kVkMenu}) {
    ClickOn(h, p.SetRight);
    Chord(h, modifier, kVkTab);
    // Shift+Tab goes back to Left; Ctrl+Tab and Alt+Tab on to Rotate.
    EXPECT_EQ(p.Controls.Focus(), modifier == kVkShift ? p.SetLeft : p.SetRotate) << modifier;
  }
  EXPECT_EQ(game.Settings.KeyLeft, before.KeyLeft);
  EXPECT_EQ(game.Settings.KeyRight, before.KeyRight);
  EXPECT_EQ(game.Settings.KeyRotate, before.KeyRotate);
  EXPECT_EQ(Control(game, p.SetRotate).Text, before.KeyRotate);
}

TEST(OptionsPanel, KeysPressedOnThePanelDoNotActOnPlayAfterItCloses) {
  Harness h;
  h.WarmUp();
  h.StartLevel(MakeTestAdventure(1), 1);
  // Past the first fall, out of the entry box, where the element can go sideways.
  h.RunFrames(kPrepareFrames + 100);
  h.Press(kVkF1);
  TMain& game = h.Game();
  OptionsPanel& p = game.ControlPanel;
  ASSERT_TRUE(game.OptionsOpen);
  const int x = game.Play.ElementQueue[0].X;
  ClickOn(h, p.SetName);
  h.Press(kVkLeft);  // the name's caret
  p.Controls.SetFocus(p.CBTile);
  h.Press(kVkUp);  // the tile choice
  h.Press(kVkF4);
  h.Press(kVkDown);  // in the open list
  h.Press(kVkEscape);
  p.Controls.SetFocus(p.CBRandomTile);
  h.Press(kVkRight);  // a check box has no use for it, but it was meant for the panel
  h.Press(kVkF1);
  ASSERT_FALSE(game.OptionsOpen);
  h.RunFrames(1);
  EXPECT_EQ(game.Play.ElementQueue[0].X, x) << "Left moved the name's caret only, Right nothing";
  EXPECT_FALSE(game.Play.RotateHeld) << "Up picked a tile only";
  EXPECT_FALSE(game.Play.DownHeld) << "Down stepped the list only";
  // A key pressed afresh in play counts again.
  h.Press(kVkLeft);
  h.RunFrames(1);
  EXPECT_EQ(game.Play.ElementQueue[0].X, x - 1);
}

TEST(OptionsPanel, AHeldSpaceTogglesACheckBoxOnceNotWithEveryRepeat) {
  Harness h;
  TMain& game = OpenOverPlay(h);
  OptionsPanel& p = game.ControlPanel;
  p.Controls.SetFocus(p.CBRandomTile);
  const bool was = game.Settings.RandomTile;
  SoundLog sounds(game);
  h.KeyDown(kVkSpace);
  for (int i = 0; i < 3; ++i) game.Dispatch({PlatformEventType::KeyDown, kVkSpace, true});
  h.KeyUp(kVkSpace);
  EXPECT_EQ(game.Settings.RandomTile, !was);
  EXPECT_EQ(sounds.Started("Options_Checkbox_Click"), 1);
}

TEST(OptionsPanel, ALetterTypedOverASelectedSpeedIsRefusedAndTheSpeedKept) {
  Harness h;
  TMain& game = OpenOverPlay(h);
  OptionsPanel& p = game.ControlPanel;
  const std::string speed = game.Settings.DropSpeed;
  ASSERT_FALSE(speed.empty());
  ClickOn(h, p.SetDropSpeed);
  h.Press(kVkHome);
  Chord(h, kVkShift, kVkEnd);
  SoundLog sounds(game);
  h.Type("x");
  EXPECT_EQ(Control(game, p.SetDropSpeed).Text, speed);
  EXPECT_EQ(game.Settings.DropSpeed, speed);
  EXPECT_EQ(sounds.Started("Options_Type_Letter"), 0);
  h.Type("7");
  EXPECT_EQ(game.Settings.DropSpeed, "7") << "a digit still replaces the selection";
}

// The widget set's own tests hold the word and clipboard rules; these check
// that the panel passes Ctrl, the clipboard and the double click on.
TEST(OptionsPanel, EditsTakeCtrlKeysTheClipboardAndDoubleClicks) {
  Harness h;
  TMain& game = OpenOverPlay(h);
  OptionsPanel& p = game.ControlPanel;
  ClickOn(h, p.SetName);
  Chord(h, kVkControl, kVkA);
  h.Type("Bob");
  EXPECT_EQ(game.Settings.PlayerName, "Bob") << "a new name replaces the old one";
  game.M.DXClipboard.SetText("\xC4\x8C\xC3\xA1p\n");  // "Čáp" and a line end
  Chord(h, kVkControl, 'V');
  EXPECT_EQ(game.Settings.PlayerName, "Bob\xC8\xE1p");
  h.Type(" two");
  PlatformEvent press{PlatformEventType::MouseDown};
  const Rect name = Control(game, p.SetName).Bounds;
  press.X = name.Left + 8;
  press.Y = (name.Top + name.Bottom) / 2;
  press.Button = 1;
  press.Clicks = 2;
  game.Dispatch(press);
  press.Type = PlatformEventType::MouseUp;
  game.Dispatch(press);
  Chord(h, kVkControl, 'X');
  EXPECT_EQ(game.M.DXClipboard.Text(), "Bob\xC4\x8C\xC3\xA1p") << "the double-clicked word, in UTF-8";
  EXPECT_EQ(game.Settings.PlayerName, " two");

  ClickOn(h, p.SetLRSpeed);
  Chord(h, kVkControl, kVkA);
  const std::string speed = game.Settings.LRSpeed;
  game.M.DXClipboard.SetText("12a");
  Chord(h, kVkControl, 'V');
  EXPECT_EQ(game.Settings.LRSpeed, speed) << "a paste with a letter is refused whole";
  game.M.DXClipboard.SetText(" 40\r\n");
  Chord(h, kVkControl, 'V');
  EXPECT_EQ(game.Settings.LRSpeed, "40");
}

TEST(OptionsPanel, TabWalksTheControlsInOrderBothWays) {
  Harness h;
  TMain& game = OpenOverPlay(h);
  const OptionsPanel& p = game.ControlPanel;
  const int order[] = {p.CBTile,      p.CBRandomTile,  p.CBTransparent, p.CBMusic,   p.CBRandomMusic,
                       p.CBSfxOFF,    p.CBMusicOFF,    p.CBBack,        p.CBRandomBack, p.CBCube,
                       p.CBRandomCube, p.SetName,      p.SetLeft,       p.SetRight,  p.SetRotate,
                       p.SetDrop,     p.SetAction,     p.SetIncSpeed,   p.SetPause,  p.SetDropSpeed,
                       p.SetLRSpeed,  p.BtnSave,       p.CBTile};
  for (int i = 1; i < 23; ++i) {
    h.Press(kVkTab);
    EXPECT_EQ(p.Controls.Focus(), order[i]) << "step " << i;
  }
  Chord(h, kVkShift, kVkTab);
  EXPECT_EQ(p.Controls.Focus(), p.BtnSave);
  h.Press(kVkSpace);
  EXPECT_FALSE(game.OptionsOpen) << "the focused button presses with Space";
}

TEST(OptionsPanel, ClicksLandOnTheirControlsAtAnyWindowScale) {
  Harness h;
  TMain& game = OpenOverPlay(h);
  const Rect box = Control(game, game.ControlPanel.CBRandomTile).Bounds;
  struct Window {
    int Width, Height;
  } windows[] = {{1024, 768}, {1920, 1080}, {1280, 1024}, {800, 600}};
  for (const Window& w : windows) {
    const Rect picture = LetterboxRect(w.Width, w.Height);
    // The window point over the box's middle, and back on the surface.
    const int cx = box.Left + 6, cy = (box.Top + box.Bottom) / 2;
    const int wx = picture.Left + cx * picture.Width() / 1024 + 1;
    const int wy = picture.Top + cy * picture.Height() / 768 + 1;
    int sx = 0, sy = 0;
    ASSERT_TRUE(SurfacePoint(w.Width, w.Height, wx, wy, sx, sy)) << w.Width << "x" << w.Height;
    const bool was = game.Settings.RandomTile;
    h.Click(sx, sy);
    EXPECT_EQ(game.Settings.RandomTile, !was) << w.Width << "x" << w.Height;
    if (picture.Left > 0) {
      EXPECT_FALSE(SurfacePoint(w.Width, w.Height, picture.Left - 1, wy, sx, sy)) << "left bar";
    }
    if (picture.Top > 0) {
      EXPECT_FALSE(SurfacePoint(w.Width, w.Height, wx, picture.Top - 1, sx, sy)) << "top bar";
    }
  }
}

TEST(OptionsPage, OpensWithoutTheSaveButtonAndEnterInAKeyEditLeavesWithTheKeysSaved) {
  Harness h;
  h.WarmUp();
  TMain& game = h.Game();
  OptionsPanel& p = game.ControlPanel;
  game.Shell.ScreenState = kMenuScreen;
  game.Menu.MenuState = kGameMenuOptions;
  h.Press(kVkReturn);
  ASSERT_EQ(game.Menu.MenuState, kOptionsPage);
  EXPECT_FALSE(Control(game, p.BtnSave).Visible);
  EXPECT_EQ(Control(game, p.GB6).Bounds.Height(), 193);
  // Space in a choice box is the box's, not the page's Enter.
  h.Press(kVkSpace);
  EXPECT_EQ(game.Menu.MenuState, kOptionsPage);
  ClickOn(h, p.SetPause);
  h.Press(kVkK);
  h.Press(kVkReturn);
  EXPECT_EQ(game.Menu.MenuState, kGameMenuStart);
  EXPECT_FALSE(p.Visible);
  EXPECT_TRUE(Control(game, p.BtnSave).Visible);
  EXPECT_EQ(Control(game, p.GB6).Bounds.Height(), 161);
  EXPECT_EQ(Stored(h).KeyPause, "K");
  EXPECT_EQ(game.M.DXInput.Assigns[InputButton11][0], kVkK);

  // F1 in a key edit leaves the page the same way.
  game.Menu.MenuState = kGameMenuOptions;
  h.Press(kVkReturn);
  ASSERT_EQ(game.Menu.MenuState, kOptionsPage);
  ClickOn(h, p.SetPause);
  h.Press(kVkF1);
  EXPECT_EQ(game.Menu.MenuState, kGameMenuStart);
  EXPECT_TRUE(Control(game, p.BtnSave).Visible);
}

}  // namespace
}  // namespace plumix
