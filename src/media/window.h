// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The SDL window that shows the presented frames and delivers the events.
#include <SDL.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "media/ani.h"
#include "media/display.h"
#include "media/gamepad.h"

namespace plumix {

class Window {
 public:
  explicit Window(bool fullScreen);
  ~Window();
  // paced: wait for the refresh (vsync) where the renderer can.
  void Present(const uint32_t* argb, bool paced);
  // The window lost its picture (exposed, resized) and must be shown again.
  bool NeedsPresent() const { return needsPresent_; }
  void Poll(std::vector<PlatformEvent>& events);
  void ToggleFullScreen();
  void SetTitle(const std::string& utf8);
  bool FullScreen() const { return fullScreen_; }
  void SetCursor(const AniCursor* cursor, bool systemArrow = false);
  void Pace();

 private:
  void AnimateCursor();
  void PointerEvent(const SDL_Event& e, std::vector<PlatformEvent>& events);
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  bool fullScreen_ = true;
  bool swallowEnterUp_ = false;
  bool needsPresent_ = true;
  bool vsync_ = true;
  uint64_t nextFrame_ = 0;
  Gamepads pads_;
  std::vector<SDL_Cursor*> cursors_;
  std::vector<int> sequence_;
  std::vector<int> rates_;
  size_t step_ = 0;
  uint32_t stepStarted_ = 0;
};

uint16_t VirtualKeyFromSdl(SDL_Keycode key);

// How the frames reach the screen: through an SDL renderer (GPU, or Mesa's
// software OpenGL), or as the window's own pixels by SDL's software renderer.
enum class RenderPath { Accelerated, WindowPixels };
RenderPath ChooseRenderPath(std::string_view videoDriver, bool hasGpu, bool rendererChosen);

// The desktop entry a program's windows belong to, by the executable's name.
std::string DesktopId(std::string_view executable);

}  // namespace plumix
