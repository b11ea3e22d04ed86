// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TMain, the main object: owns the media layer and all game state, and
// receives the form's events (creation, activation, keys, timer ticks).
#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "adventure/adventure_state.h"
#include "adventure/disaster_state.h"
#include "adventure/plumix_mode.h"
#include "adventure/specials_state.h"
#include "app/demo.h"
#include "app/drop.h"
#include "app/menu_state.h"
#include "engine/play_state.h"
#include "media/clock.h"
#include "media/colour.h"
#include "media/media.h"
#include "media/panels.h"
#include "options/options_panel.h"
#include "places/places.h"
#include "settings/notices.h"
#include "settings/settings.h"
#include "settings/theme_lists.h"

namespace plumix {

enum ScreenStates : uint8_t {
  kTitleScreen = 0,
  kMenuScreen = 1,
  kLevelInfoScreen = 2,
  kPlayScreen = 3,
  kLevelCompletedScreen = 4,
  kGameCompletedScreen = 5,
  kGameOverScreen = 6,
};

struct GameOptions {
  std::filesystem::path GameDir;  // the shipped files: the program's own folder
  // The player's folders; empty: the player's files stay in the game folder.
  std::filesystem::path ConfigDir;
  std::filesystem::path DataDir;
  bool Headless = true;           // no window: the back buffer only
  bool FullScreen = true;
  bool Audio = false;             // open the audio device
  bool SingleInstance = false;    // refuse to run beside another copy
  bool SeedFromClock = true;      // else Seed is used (tests)
  bool BotPlays = false;          // the bot plays the levels; the menus stay the player's
  uint64_t Seed = 1;
};

struct ShellState {
  uint8_t ScreenState = kTitleScreen;
  bool FadeInPending = false;
  int32_t FrameCounter = 0;
  int32_t FrameScale = 0;
  bool FirstActivation = true;
  SpriteRef<TBasicSprite> MenuMoon;
  bool Active = true;      // the application has the focus
  bool Terminated = false;  // the application ends
  int ExitCode = 0;         // non-zero: the start could not go on
  bool TrackOpen = false;   // a music track is open, so its end can be watched
  // The key each held pad button or stick direction (by its source) holds down.
  std::map<uint32_t, uint16_t> PadKeys;
};

class TMain;

// A modal dialog with one to three buttons ("" for none); returns the number
// of the button that closed it. Icon codes: 16 stop, 32 question,
// 48 exclamation, 64 information. Choice 2 or 3 makes that button the
// default when it exists; button 3 is the cancel button.
int ShowMessageDialog(const std::string& message, const std::string& caption,
                      const std::string& button1, const std::string& button2,
                      const std::string& button3, int icon, int defaultChoice, TMain* owner);

class TMain {
 public:
  TMain(GameOptions options, Clock& clock);
  ~TMain();
  TMain(const TMain&) = delete;
  TMain& operator=(const TMain&) = delete;

  // The form's events.
  void FormCreate();
  void FormActivate();
  void FormDeactivate();
  void FormClose();
  // A key pressed (or auto-repeated) by the keyboard or by a pad's button.
  void FormKeyDown(uint16_t key, bool repeat = false, InputSource source = kKeyboardSource);
  // The game hears a key let go only when no source holds it any more.
  void FormKeyUp(uint16_t key, InputSource source = kKeyboardSource);
  void DXTimerTimer();
  void DXDrawInitializeSurface();
  void DXDrawFinalize();
  // One turn of the idle loop: a timer tick while the application is active.
  void Idle();
  // A platform event, with the game's errors shown instead of ending the program.
  void Dispatch(const PlatformEvent& event);
  // "Arrow" shows the animated cursor, "None" hides it; other names do nothing.
  void SetCursorMode(std::string_view name);
  // Draws a new neon moon for the menus (the newest one is kept).
  void CreateMenuMoon();
  // Every way of ending the program: the settings are saved, as the quit
  // question's Y saves them, and the frame loop ends.
  void Terminate();
  // The player's copies of shipped adventures take the release's levels.
  void UpdatePlayersAdventures();
  // The pause and the options panel draw over the last play picture; the
  // notices drawn on it since are taken off again so they do not smear.
  void KeepPlayPicture();
  void RestorePlayPicture();

  // The sound and text routines every screen uses.
  void PlaySound(std::string_view name);
  void StopSound(std::string_view name);
  void DrawText(int x, int y, std::string_view text, std::string_view font, int size,
                Colour colour, int style);
  // Opens and plays entry TrackChoice of the track list (or only opens it
  // while the music is off).
  void StartTrack(bool play);
  std::filesystem::path GamePath(std::string_view relative) const;
  FilePlaces Places() const { return {Options.GameDir, Options.ConfigDir, Options.DataDir}; }
  // Shows an error the game carries on after (kept in Errors as well).
  void ReportError(const std::string& text);
  // The same, but a text already shown once in this run is not shown again.
  void ReportErrorOnce(const std::string& text);

  GameOptions Options;
  Clock& Time;
  Random Rng;
  Media M;
  ShellState Shell;
  SettingsRecord Settings;
  ThemeLists Themes;
  NoticeState Notices;
  AdventureState Adv;
  PlayState Play;
  SpecialsState Specials;
  DisasterState Disasters;
  PanelState Panels;
  PlumixState Plumix;
  MenuData Menu;
  DemoState Demo;
  DropState Drop;
  OptionsPanel ControlPanel{M.FontSet};
  GammaRamp SavedRamp = GammaRamp::Identity();
  bool OptionsOpen = false;
  bool Paused = false;
  bool QuitPrompt = false;
  std::vector<std::string> Errors;
  std::set<std::string> ErrorsShownOnce;

 private:
  template <class F>
  void Guarded(F&& f);
  std::unique_ptr<InstanceLock> instanceLock_;
  std::unique_ptr<AniCursor> arrowCursor_;
  Bitmap noticeBand_;  // the top of the last play picture, where notices are drawn
};

}  // namespace plumix
