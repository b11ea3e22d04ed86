// SPDX-License-Identifier: GPL-3.0-or-later
// The frame: one timer tick runs the music watch and the screen of the
// current state, then draws the notices and flips.
#include "adventure/colour_effects.h"
#include "adventure/end_screens.h"
#include "adventure/level_setup.h"
#include "app/main_form.h"
#include "app/menus.h"
#include "app/pause.h"
#include "app/title.h"
#include "engine/play_frame.h"
#include "media/draw.h"
#include "options/options_panel.h"

namespace plumix {
namespace {

void WatchMusic(TMain& game) {
  MusicPlayer& music = game.M.MediaPlayer;
  // Only an open track can end; a track that failed to open must not be
  // retried on every tick.
  if (!game.Shell.TrackOpen || !music.IsOpen() || music.Length() <= 0) return;
  if (music.Position() < music.Length()) return;
  SettingsRecord& s = game.Settings;
  if (s.MusicOff) return;
  if (s.RandomTrack) {
    ShowNotice(game.Notices, 8);
    s.TrackChoice = static_cast<uint8_t>(game.Rng(game.Themes.TrackCount()) + 1);
  }
  game.StartTrack(true);
}

void FadeInIfPending(TMain& game) {
  if (!game.Shell.FadeInPending) return;
  game.M.DXDraw.Flip();
  ColourEffect(game, "FadeIn", 10);
  game.Shell.FadeInPending = false;
}

void DrawOptionsBackdrop(TMain& game) {
  DrawControlPanelFrame(game, 154);
  // The pause caption lies under the panel; only the lamp shows.
  DrawPauseLamp(game);
  DrawControlPanel(game);
}

}  // namespace

void TMain::DXTimerTimer() {
  const int frameRate = M.DXTimer.FrameRate();
  Shell.FrameScale = frameRate + frameRate / 2;
  WatchMusic(*this);
  ++Shell.FrameCounter;
  if (!M.DXDraw.CanDraw()) {
    M.MediaPlayer.Pump();
    return;
  }

  // Each test reads the state afresh, so a screen that moves on hands over
  // to the next one within the same tick.
  if (Shell.ScreenState == kTitleScreen) {
    DrawTitleScreen(*this);
    FadeInIfPending(*this);
    TitleIdle(*this);
  }
  if (Shell.ScreenState == kMenuScreen) {
    DrawMenuScreen(*this);
    DrawControlPanel(*this);
    FadeInIfPending(*this);
  }
  if (Shell.ScreenState == kLevelInfoScreen) {
    SetUpLevel(*this);
    FadeInIfPending(*this);
  }
  if (Shell.ScreenState == kPlayScreen) {
    if (Paused) {
      RestorePlayPicture();
      DrawPauseOverlay(*this, false);
    } else if (OptionsOpen) {
      RestorePlayPicture();
      DrawOptionsBackdrop(*this);
    } else {
      DemoBeforeFrame(*this);
      StandInBeforeFrame(*this);
      PlayFrame(*this, true);
      DemoAfterFrame(*this);
    }
    FadeInIfPending(*this);
  }
  if (Shell.ScreenState == kLevelCompletedScreen) {
    DrawLevelCompleted(*this);
    FadeInIfPending(*this);
  }
  if (Shell.ScreenState == kGameCompletedScreen) {
    DrawGameCompleted(*this);
    CreateMenuMoon();
    FadeInIfPending(*this);
  }
  if (Shell.ScreenState == kGameOverScreen) {
    DrawGameOver(*this);
    CreateMenuMoon();
    FadeInIfPending(*this);
  }
  DrawDropQuestion(*this);
  DrawNotices(*this);
  M.DXDraw.Flip();
  M.MediaPlayer.Pump();
}

}  // namespace plumix
