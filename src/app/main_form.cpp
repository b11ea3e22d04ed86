// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_form.h"

#include <cstdio>
#include <ctime>

#include "adventure/adventure_update.h"
#include "app/gamepad_keys.h"
#include "app/keys.h"
#include "media/draw.h"

#include "settings/settings_file.h"
#include "settings/theme_lists.h"

namespace plumix {
namespace {

// The poster face is narrowed a little so that the long dashed headings of
// the menus and end screens fit the screen.
constexpr double kPosterStretch = 0.95;
// The panel's sans is set a little narrower, to the width of the classic
// 8-point dialog face its layout was made for.
constexpr double kDialogStretch = 0.93;

}  // namespace

TMain::TMain(GameOptions options, Clock& clock)
    : Options(std::move(options)), Time(clock), Rng(Options.Seed), M(clock) {
  M.DXSpriteEngine.DisasterFlag = &Disasters.DisasterPending;
}

TMain::~TMain() {
  M.DXSpriteEngine.Clear();
  M.MediaPlayer.Close();
}

std::filesystem::path TMain::GamePath(std::string_view relative) const {
  return Options.GameDir / std::filesystem::path(relative);
}

void TMain::ReportError(const std::string& text) {
  Errors.push_back(text);
  if (Errors.size() > 1000) Errors.erase(Errors.begin(), Errors.begin() + 500);
  std::fprintf(stderr, "Plumix Adventure: %s\n", text.c_str());
  if (!Options.Headless) {
    M.DXInput.ReleaseAll();
    MessageBoxRequest request{"Plumix Adventure", text, {"OK"}, 16, 1, 0};
    request.OnStderr = true;
    ShowMessageBox(request);
  }
}

void TMain::ReportErrorOnce(const std::string& text) {
  if (ErrorsShownOnce.insert(text).second) ReportError(text);
}

int ShowMessageDialog(const std::string& message, const std::string& caption,
                      const std::string& button1, const std::string& button2,
                      const std::string& button3, int icon, int defaultChoice, TMain* owner) {
  MessageBoxRequest request{caption, message, {button1}, icon, 1, 0};
  if (!button2.empty()) request.Buttons.push_back(button2);
  if (!button3.empty()) {
    request.Buttons.push_back(button3);
    request.CancelButton = static_cast<int>(request.Buttons.size());
  }
  const int count = static_cast<int>(request.Buttons.size());
  if ((defaultChoice == 2 || defaultChoice == 3) && defaultChoice <= count) {
    request.DefaultButton = defaultChoice;
  }
  // Keys held when the dialog opened are released behind its back.
  if (owner) owner->M.DXInput.ReleaseAll();
  return ShowMessageBox(request);
}

template <class F>
void TMain::Guarded(F&& f) {
  try {
    f();
  } catch (const GameError& e) {
    ReportError(e.what());
  }
}

void TMain::FormCreate() {
  if (Options.SingleInstance) {
    instanceLock_ = std::make_unique<InstanceLock>(InstanceLock::DefaultPath("Plumix Adventure"));
    if (!instanceLock_->Acquired()) {
      // The main form of this copy is never shown; the running copy goes on undisturbed.
      ShowMessageDialog("Plumix Adventure already running!", "Error", "&OK", "", "", 16, 1, this);
      Shell.Terminated = true;
      Shell.ExitCode = 1;
      return;
    }
  }
  Shell.FirstActivation = true;
  // The pictures decode while the window opens.
  M.StartDecodingAssets();
  try {
    M.DXDraw.Initialize(Options.Headless, Options.FullScreen);
  } catch (const GameError& e) {
    ReportError(e.what());
    Shell.Terminated = true;
    Shell.ExitCode = 1;
    return;
  }
  M.DXClipboard.SetSystem(!Options.Headless);
  Guarded([&] { M.LoadAssets(); });
  if (Options.Audio && !M.DXSound.Open()) {
    std::fprintf(stderr, "Plumix Adventure: no audio device, playing silently\n");
  }
  DXDrawInitializeSurface();
  Shell.ScreenState = kTitleScreen;
}

void TMain::DXDrawInitializeSurface() {
  if (!M.DXDraw.GetGammaRamp(&SavedRamp)) {
    ReportError("Gamma control not supported");
    Shell.Terminated = true;
    Shell.ExitCode = 1;
  }
}

void TMain::DXDrawFinalize() { M.DXTimer.Enabled = false; }

void TMain::FormActivate() {
  Shell.Active = true;
  M.DXTimer.Restart(Time.Millis());
  if (!Shell.FirstActivation) return;
  Shell.FirstActivation = false;
  const auto fonts = GamePath("Graphics/Fonts");
  // Missing font files fall back to a system face.
  std::string badFonts;
  auto note = [&](bool installed, const char* file) {
    if (!installed && badFonts.find(file) == std::string::npos) badFonts += std::string(" ") + file;
  };
  note(M.FontSet.Install("Arial CE", fonts / "Font1.ttf"), "Font1.ttf");
  // The bold cut needs its regular face; without it the bold file is not at fault.
  note(!M.FontSet.Installed("Arial CE") || M.FontSet.InstallBold("Arial CE", fonts / "Font1Bold.ttf"),
       "Font1Bold.ttf");
  note(M.FontSet.Install("MS Sans Serif", fonts / "Font1.ttf", kDialogStretch), "Font1.ttf");
  note(M.FontSet.Install("Shotgun BT", fonts / "Font2.ttf", kPosterStretch), "Font2.ttf");
  if (!badFonts.empty() && M.FontSet.Ready()) {
    ReportError("Fonts missing or damaged in Graphics/Fonts:" + badFonts +
                "; a system font is used in their place.");
  }
  if (ControlPanel.CBTile < 0) BuildControlPanel(*this);
  ResetNotices(Notices);
  if (Options.SeedFromClock) Rng.Seed(Time.Millis() ^ static_cast<uint64_t>(std::time(nullptr)));
  Guarded([&] { LoadSettings(*this); });
  UpdatePlayersAdventures();
  Guarded([&] { LoadThemeLists(*this); });
  SetCursorMode("None");
  M.DXSpriteEngine.Clear();
  if (Settings.RandomTrack) {
    Settings.TrackChoice = static_cast<uint8_t>(Rng(Themes.TrackCount()) + 1);
  }
  StartTrack(!Settings.MusicOff);
}

// A release's fixes to a shipped adventure reach the player's copy of it,
// with the player's high scores kept (the build does the same for the
// portable folder).
void TMain::UpdatePlayersAdventures() {
  if (Options.DataDir.empty()) return;
  for (const std::string& line :
       UpdateAdventureCopies(GamePath("Adventures"), Options.DataDir / "Adventures")) {
    std::fprintf(stderr, "Plumix Adventure: %s\n", line.c_str());
  }
}

void TMain::Terminate() {
  if (Shell.Terminated) return;
  SaveSettings(*this);
  Shell.Terminated = true;
}

void TMain::FormDeactivate() {
  Shell.Active = false;
  // Keys released while another window has the focus never arrive.
  M.DXInput.ReleaseAll();
  Shell.PadKeys.clear();
  ControlPanelReleaseKeys(*this);
}

void TMain::FormClose() {
  M.DXSpriteEngine.Clear();
  M.FontSet.Remove("Arial CE");
  M.FontSet.Remove("MS Sans Serif");
  M.FontSet.Remove("Shotgun BT");
}

void TMain::FormKeyDown(uint16_t key, bool repeat, InputSource source) {
  M.DXInput.KeyDown(key, source, repeat);
  M.DXInput.Sample();
  // The panel's controls see the keys first and pass on what they do not
  // use. Keys pressed on the panel, used or not, must not move the game once
  // it is closed.
  const bool onPanel = ControlPanel.Visible;
  if (!ControlPanelKeyDown(*this, key, repeat)) HandleKey(*this, key);
  if (onPanel) M.DXInput.Swallow(key);
}

// The states follow at the next poll, so that a key tapped between two
// frames is still seen once by the play frame.
void TMain::FormKeyUp(uint16_t key, InputSource source) {
  if (!M.DXInput.KeyUp(key, source)) return;
  ControlPanelKeyUp(*this, key);
}

void TMain::Idle() {
  if (!Shell.Active || Shell.Terminated) return;
  if (M.DXTimer.Idle(Time.Millis())) Guarded([&] { DXTimerTimer(); });
}

void TMain::Dispatch(const PlatformEvent& event) {
  switch (event.Type) {
    case PlatformEventType::KeyDown:
      if (DropQuestionKey(*this, event.Key) || DemoInterrupt(*this)) break;
      Guarded([&] { FormKeyDown(event.Key, event.Repeat); });
      break;
    case PlatformEventType::KeyUp:
      Guarded([&] { FormKeyUp(event.Key); });
      break;
    case PlatformEventType::FocusLost:
      FormDeactivate();
      break;
    case PlatformEventType::FocusGained:
      Guarded([&] { FormActivate(); });
      break;
    case PlatformEventType::Quit:
      Guarded([&] { Terminate(); });
      break;
    case PlatformEventType::FileDrop:
      DemoInterrupt(*this);
      Guarded([&] { AdventureDropped(*this, event.Text); });
      break;
    case PlatformEventType::PadDown:
      if (DemoInterrupt(*this)) break;
      [[fallthrough]];
    case PlatformEventType::PadUp:
      Guarded([&] {
        PadEvent(*this, static_cast<PadButton>(event.Key), event.Type == PlatformEventType::PadDown,
                 event.Source);
      });
      break;
    case PlatformEventType::MouseDown:
      if (DemoInterrupt(*this)) break;
      [[fallthrough]];
    case PlatformEventType::MouseMove:
    case PlatformEventType::MouseUp:
    case PlatformEventType::MouseWheel:
    case PlatformEventType::TextInput:
      Guarded([&] { ControlPanelInput(*this, event); });
      break;
  }
}

void TMain::PlaySound(std::string_view name) {
  if (!Settings.SfxOff) M.DXWaveList.Play(M.DXWaveList.Get(name), false);
}

// Stopping ignores the sound-effects switch, so that a looped sound started
// before the switch was turned off does not play on for ever.
void TMain::StopSound(std::string_view name) { M.DXWaveList.Stop(M.DXWaveList.Get(name)); }

void TMain::DrawText(int x, int y, std::string_view text, std::string_view font, int size,
                     Colour colour, int style) {
  Canvas& canvas = M.DXDraw.GetCanvas();
  canvas.Font.Name = std::string(font);
  canvas.Font.Size = size;
  canvas.Font.Style = style;
  canvas.Font.Color = colour;
  canvas.TextOut(x, y, text);
  canvas.Release();
}

void TMain::StartTrack(bool play) {
  MusicPlayer& music = M.MediaPlayer;
  music.FileName = GamePath("Music/Track" + std::to_string(Settings.TrackChoice) + ".mid").string();
  try {
    music.Open();
  } catch (const GameError& e) {
    Shell.TrackOpen = false;
    ReportError(e.what());
    return;
  }
  Shell.TrackOpen = true;
  if (play) music.Play();
}

void TMain::SetCursorMode(std::string_view name) {
  if (name == "None") {
    M.DXDraw.SetCursor(nullptr);
  } else if (name == "Arrow") {
    if (!arrowCursor_) {
      std::string error;
      // Beside the program rather than in the current folder, so the game
      // finds it wherever it is started from.
      std::vector<uint8_t> bytes = ReadFileBytes(GamePath("CurArrow.ani"), &error);
      Parsed<AniCursor> cursor = ParseAni(bytes);
      if (cursor) {
        arrowCursor_ = std::make_unique<AniCursor>(std::move(*cursor.Value));
      } else {
        ReportErrorOnce("CurArrow.ani cannot be used (" +
                        (error.empty() ? cursor.Error : std::string("it is missing or unreadable")) +
                        "); the system arrow is shown instead.");
      }
    }
    // Without the animated cursor the system arrow stands in.
    M.DXDraw.SetCursor(arrowCursor_.get(), true);
  }
}

// Notices stand at y 20 to 260 and are one line high.
constexpr int kNoticeBandRows = 290;

void TMain::KeepPlayPicture() {
  const Bitmap& surface = M.DXDraw.Surface();
  noticeBand_.Width = surface.Width;
  noticeBand_.Height = kNoticeBandRows;
  noticeBand_.Pixels.assign(surface.Pixels.begin(),
                            surface.Pixels.begin() + static_cast<size_t>(surface.Width) * kNoticeBandRows);
}

void TMain::RestorePlayPicture() {
  Bitmap& surface = M.DXDraw.Surface();
  if (noticeBand_.Width != surface.Width) return;
  std::copy(noticeBand_.Pixels.begin(), noticeBand_.Pixels.end(), surface.Pixels.begin());
}

void TMain::CreateMenuMoon() {
  Shell.MenuMoon = M.DXSpriteEngine.Create<TBasicSprite>(M.DXImageList, 150.0, 930.0, false, 0.01,
                                                          "NeonMoon");
}

}  // namespace plumix
