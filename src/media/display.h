// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The display: the 1024 x 768 RGB565 back buffer, its canvas, the gamma ramp
// and the presentation of finished frames in a window (or nowhere, headless).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/bitmap.h"
#include "media/gamma.h"
#include "media/text.h"

namespace plumix {

enum class PlatformEventType {
  KeyDown, KeyUp, FocusLost, FocusGained, Quit, MouseMove, MouseDown, MouseUp, MouseWheel, TextInput,
  PadDown, PadUp,
  FileDrop  // a file dropped onto the window; its path in Text
};
// The buttons of a game controller as the game uses them; the left stick
// counts as the direction buttons.
enum class PadButton : uint16_t { Up, Down, Left, Right, Rotate, Fire, Start, Back, Count };
struct PlatformEvent {
  PlatformEventType Type = PlatformEventType::Quit;
  uint16_t Key = 0;  // Windows virtual-key code, or a PadButton
  bool Repeat = false;
  int X = 0, Y = 0;  // the pointer on the 1024 x 768 surface
  int Button = 0;    // 1 left, 2 middle, 3 right
  int Wheel = 0;     // wheel steps, away from the player positive
  std::string Text{};  // typed text, UTF-8; the dropped file's path
  // Who holds a key or pad button (an InputSource): 0 the keyboard.
  uint32_t Source = 0;
  int Clicks = 1;  // 2 for the second press of a double click
};

class Window;
struct AniCursor;

class Display {
 public:
  static constexpr int kWidth = 1024;
  static constexpr int kHeight = 768;

  explicit Display(Fonts& fonts);
  ~Display();
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  // Headless: only the back buffer exists and nothing is shown. Otherwise a
  // window, full screen (picture scaled to fit, aspect kept) or 1024 x 768.
  // Throws GameError when no window can be made.
  void Initialize(bool headless, bool fullScreen);
  void Finalize();
  bool Initialized() const { return initialized_; }
  bool CanDraw() const { return initialized_ && !lost_; }
  // A lost surface (the window is hidden) draws nothing until it is back.
  void SetLost(bool lost) { lost_ = lost; }

  Bitmap& Surface() { return surface_; }
  Canvas& GetCanvas() { return canvas_; }
  Rect ClientRect() const { return {0, 0, kWidth, kHeight}; }
  void Fill(Colour colour);

  // Converts the back buffer through the gamma ramp and presents it. The
  // back buffer keeps its content, so an overlay can be drawn over the last
  // frame. Only the pixels that differ from the picture shown are converted
  // again, and a picture equal to it is not shown again.
  void Flip();
  // Flip without showing: the conversion alone (benchmarks).
  void ConvertFrame();
  int FlipCount() const { return flips_; }
  // The flips that changed the picture (and every gamma change).
  int PresentCount() const { return presents_; }
  // The last presented picture, 0xAARRGGBB, 1024 x 768.
  const std::vector<uint32_t>& Presented() const { return presented_; }
  bool SavePresentedPng(const std::string& path) const;

  bool HasGammaControl() const { return initialized_; }
  bool GetGammaRamp(GammaRamp* ramp) const;
  // Takes effect on the picture shown at once, as a hardware ramp would.
  bool SetGammaRamp(const GammaRamp& ramp);
  const GammaRamp& CurrentRamp() const { return ramp_; }

  void PollEvents(std::vector<PlatformEvent>& events);
  void ToggleFullScreen();
  // The window's title (kept headless too, so that it can be checked).
  void SetTitle(const std::string& utf8);
  const std::string& Title() const { return title_; }
  bool FullScreen() const;
  // nullptr hides the cursor, or shows the system arrow when systemArrow is set.
  void SetCursor(const AniCursor* cursor, bool systemArrow = false);
  // Waits for the next frame where vsync does not pace the presentation.
  void PaceFrame();

 private:
  void Present(bool paced);
  Fonts& fonts_;
  Bitmap surface_{kWidth, kHeight};
  Bitmap front_{kWidth, kHeight};
  Canvas canvas_{surface_, fonts_};
  GammaRamp ramp_ = GammaRamp::Identity();
  GammaTable table_;
  std::vector<uint32_t> presented_ = std::vector<uint32_t>(kWidth * kHeight, 0xFF000000u);
  std::unique_ptr<Window> window_;
  bool initialized_ = false;
  bool lost_ = false;
  int flips_ = 0;
  int presents_ = 0;
  bool shown_ = false;  // front_ holds the picture on show
  // presented_ is front_ through the current ramp, so unchanged pixels need no conversion.
  bool presentedIsFront_ = false;
  std::string title_ = "Plumix Adventure 1.0";
};

// A modal message box; returns the 1-based number of the pressed button.
// Where no box can be shown the text goes to stderr and the default is returned.
struct MessageBoxRequest {
  std::string Caption;
  std::string Text;
  std::vector<std::string> Buttons;  // 1 to 3
  int Icon = 0;                      // 16 stop, 32 question, 48 exclamation, 64 information
  int DefaultButton = 1;
  int CancelButton = 0;  // 0: none
  bool OnStderr = false;  // the caller has written the text to stderr already
};
int ShowMessageBox(const MessageBoxRequest& request);

// Only one copy of the game may run: holds an exclusive lock on a file while
// it lives. Acquired() is false when another process holds it.
class InstanceLock {
 public:
  explicit InstanceLock(const std::string& path);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  bool Acquired() const { return fd_ >= 0; }
  static std::string DefaultPath(const std::string& name);

 private:
  int fd_ = -1;
};

}  // namespace plumix
