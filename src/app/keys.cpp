// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/keys.h"

#include "adventure/adventure_list.h"
#include "adventure/colour_effects.h"
#include "adventure/disasters.h"
#include "adventure/specials.h"
#include "app/main_form.h"
#include "app/menus.h"
#include "app/start_play.h"
#include "engine/board.h"
#include "engine/play_frame.h"
#include "options/options_panel.h"
#include "settings/key_names.h"
#include "settings/themes.h"

namespace plumix {
namespace {

bool Is(uint16_t key, const std::string& name) { return key == KeyCodeFromName(name); }

uint8_t RandomChoice(TMain& game, int count) { return static_cast<uint8_t>(game.Rng(count) + 1); }

void FadeToNextScreen(TMain& game) {
  game.PlaySound("Main_Menu_Select");
  ColourEffect(game, "FadeOut", 10);
  game.Shell.FadeInPending = true;
}

void GlobalToggles(TMain& game, uint16_t key) {
  SettingsRecord& s = game.Settings;
  if (Is(key, s.KeySfx)) {
    ShowNotice(game.Notices, 11);
    s.SfxOff = !s.SfxOff;
    // The check box's click, heard only when the effects come back on.
    game.PlaySound("Options_Checkbox_Click");
  }
  if (Is(key, s.KeyMusic)) {
    ShowNotice(game.Notices, 12);
    game.PlaySound("Options_Checkbox_Click");
    SetMusic(game, !s.MusicOff);
  }
  if (Is(key, s.KeyRandomTrack) && !s.MusicOff) {
    ShowNotice(game.Notices, 8);
    s.TrackChoice = RandomChoice(game, game.Themes.TrackCount());
    game.StartTrack(true);
  }
}


void ThemeKeys(TMain& game, uint16_t key) {
  SettingsRecord& s = game.Settings;
  if (Is(key, s.KeyRandomCube)) {
    ShowNotice(game.Notices, 5);
    s.CubeChoice = RandomChoice(game, game.Themes.CubeCount());
    if (LoadCubeTheme(game)) RedrawBehindPanel(game);
  }
  if (Is(key, s.KeyRandomEdge)) {
    ShowNotice(game.Notices, 6);
    s.EdgeChoice = RandomChoice(game, game.Themes.EdgeCount());
    if (LoadEdge(game)) RedrawBehindPanel(game);
  }
  if (Is(key, s.KeyRandomTile)) {
    ShowNotice(game.Notices, 7);
    s.TileChoice = RandomChoice(game, game.Themes.TileCount());
    if (LoadTile(game)) RedrawBehindPanel(game);
  }
  if (Is(key, s.KeyTiledBackground)) {
    ShowNotice(game.Notices, 10);
    s.TiledBackground = !s.TiledBackground;
    game.PlaySound("Options_Checkbox_Click");
    RedrawBehindPanel(game);
  }
}

// The sound of the disaster under way, which the pause silenced.
void ResumeDisasterSound(TMain& game) {
  const DisasterState& d = game.Disasters;
  if (!d.DisasterPending) return;
  if (d.DisasterStartTicks > 0) {
    game.PlaySound("Before_Theme_Speciality");
    return;
  }
  switch (DisasterKindOf(PlayLevel(game))) {
    case 0: game.PlaySound("Earthquake"); break;
    case 1: game.PlaySound("Flame"); break;
    case 3: game.PlaySound("Wind"); break;
    default: break;  // lightning has no lasting sound
  }
}

void Resume(TMain& game) {
  game.Paused = false;
  game.QuitPrompt = false;
  ResumeDisasterSound(game);
}

void PauseKeys(TMain& game, uint16_t key) {
  if (game.QuitPrompt) {
    if (Is(key, "Y")) {
      // No fade: the game-over screen simply follows on the next tick.
      game.Shell.ScreenState = kGameOverScreen;
      StopDisasterSounds(game);
      ColourEffect(game, "Default", 0);
      SaveHighScore(game);
    } else {
      Resume(game);
    }
  } else if (Is(key, game.Settings.KeyPause) || key == kVkEscape) {
    Resume(game);
  }
}

void RunningPlayKeys(TMain& game, uint16_t key) {
  const SettingsRecord& s = game.Settings;
  PlayState& play = game.Play;
  if (game.M.DXInput.Has(InputButton1) && !game.Specials.LaserFiring) FireLaser(game);
  if (key == kVkEscape) {
    game.PlaySound("Options_Save");
    game.Paused = true;
    StopDisasterSounds(game);
    game.QuitPrompt = true;
  }
  if (Is(key, s.KeySpeedUp) && PlayLevel(game).MaximalSpeed > play.Speed) {
    ++play.Speed;
    play.FallInterval = FallIntervalFor(game.Shell.FrameScale, play.Speed);
  }
  if (Is(key, s.KeyPause)) {
    game.Paused = true;
    StopDisasterSounds(game);
  }
  if (Is(key, "F1")) OpenOptionsPanel(game);
}

void PlayKeys(TMain& game, uint16_t key) {
  if (game.Paused) {
    PauseKeys(game, key);
  } else if (game.OptionsOpen) {
    // The panel's controls had the keys first; Escape closes it as F1 does.
    if (Is(key, "F1") || key == kVkEscape) BtnSaveClick(game);
  } else {
    RunningPlayKeys(game, key);
  }
  ThemeKeys(game, key);
}

void TitleKeys(TMain& game, uint16_t key) {
  if (!Is(key, "Enter")) return;
  FadeToNextScreen(game);
  game.Menu.MenuState = kMainMenuLoad;
  game.CreateMenuMoon();
  game.Shell.ScreenState = kMenuScreen;
}

void LevelCompletedKeys(TMain& game, uint16_t key) {
  if (!Is(key, "Enter")) return;
  FadeToNextScreen(game);
  AdventureState& adv = game.Adv;
  if (adv.CurrentLevel < adv.Adventure.LastLevelIndex + 1) {
    ++adv.CurrentLevel;
    game.Shell.ScreenState = kLevelInfoScreen;
  } else {
    game.Shell.ScreenState = kGameCompletedScreen;
    SaveHighScore(game);
  }
}

void GameEndKeys(TMain& game, uint16_t key) {
  if (!Is(key, "Enter")) return;
  FadeToNextScreen(game);
  game.Menu.MenuState = game.Adv.HighScorePlaced ? kHighScorePage : kGameMenuStart;
  game.Shell.ScreenState = kMenuScreen;
}

}  // namespace

void SetMusic(TMain& game, bool off) {
  game.Settings.MusicOff = off;
  MusicPlayer& music = game.M.MediaPlayer;
  if (!music.IsOpen()) return;
  if (off) {
    music.Stop();
  } else {
    music.Play();
  }
}

void HandleKey(TMain& game, uint16_t key) {
  GlobalToggles(game, key);
  switch (game.Shell.ScreenState) {
    case kTitleScreen: TitleKeys(game, key); break;
    case kMenuScreen: MenuKeys(game, key); break;
    case kLevelInfoScreen:
      if (game.M.DXInput.Has(InputButton32)) StartPlay(game);
      break;
    case kPlayScreen: PlayKeys(game, key); break;
    case kLevelCompletedScreen: LevelCompletedKeys(game, key); break;
    case kGameCompletedScreen:
    case kGameOverScreen: GameEndKeys(game, key); break;
    default: break;
  }
}

}  // namespace plumix
