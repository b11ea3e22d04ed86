// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/window.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "media/input.h"

namespace plumix {
namespace {

constexpr int kWidth = Display::kWidth;
constexpr int kHeight = Display::kHeight;

// Unicode letters of the code-page 1250 keyboards, as their capital's byte.
uint16_t Cp1250LetterKey(SDL_Keycode key) {
  switch (key) {
    case 0x0161: case 0x0160: return 0x8A;  // š
    case 0x017E: case 0x017D: return 0x8E;  // ž
    case 0x0107: case 0x0106: return 0xC6;  // ć
    case 0x010D: case 0x010C: return 0xC8;  // č
    case 0x0111: case 0x0110: return 0xD0;  // đ
    default: return 0;
  }
}

// A render node means a GPU.
bool HasGpu() {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", ec)) {
    if (entry.path().filename().string().starts_with("renderD")) return true;
  }
  return false;
}

// SDL falls back to drivers that draw nowhere when it finds no screen; the
// game would then run unseen. They are used only when asked for by name.
bool ShowsOnScreen(const char* driver) {
  if (!driver) return false;
  const std::string name = driver;
  if (name != "offscreen" && name != "dummy") return true;
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  return asked && name == asked;
}

std::string ExecutableName() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).filename().string();
}

// Desktop shells tie a window to its launcher and icon by the X class or the
// Wayland app id, which SDL takes from these variables when the video starts.
// A name the player set is kept.
void NameTheWindows() {
  const std::string id = DesktopId(ExecutableName());
  SDL_setenv("SDL_VIDEO_X11_WMCLASS", id.c_str(), 0);
  SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", id.c_str(), 0);
  SDL_SetHint("SDL_APP_ID", id.c_str());  // the SDL versions after ours read this
  SDL_SetHint(SDL_HINT_APP_NAME, "Plumix Adventure");
}

}  // namespace

std::string DesktopId(std::string_view executable) {
  return executable == "plumix-editor" ? "com.ostrelgames.plumixadventure.editor"
                                       : "com.ostrelgames.plumixadventure";
}

RenderPath ChooseRenderPath(std::string_view videoDriver, bool hasGpu, bool rendererChosen) {
  if (rendererChosen || hasGpu) return RenderPath::Accelerated;
  // Without a GPU, OpenGL is Mesa's software rasteriser, which costs some
  // 60 MB and more time per picture than SDL's own software renderer putting
  // the pixels straight into an X window. Wayland (and the rest) have no such
  // window pixels in SDL: there only a renderer draws, software OpenGL or not.
  if (videoDriver == "x11") return RenderPath::WindowPixels;
  return RenderPath::Accelerated;
}

uint16_t VirtualKeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<uint16_t>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<uint16_t>('0' + (key - SDLK_0));
  if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<uint16_t>(112 + (key - SDLK_F1));
  switch (key) {
    case SDLK_BACKSPACE: return 8;
    case SDLK_TAB: return 9;
    case SDLK_RETURN: case SDLK_KP_ENTER: return 13;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return 16;
    case SDLK_LCTRL: case SDLK_RCTRL: return 17;
    case SDLK_LALT: case SDLK_RALT: return 18;
    case SDLK_PAUSE: return 19;
    case SDLK_CAPSLOCK: return 20;
    case SDLK_ESCAPE: return 27;
    case SDLK_SPACE: return 32;
    case SDLK_PAGEUP: return 33;
    case SDLK_PAGEDOWN: return 34;
    case SDLK_END: return 35;
    case SDLK_HOME: return 36;
    case SDLK_LEFT: return 37;
    case SDLK_UP: return 38;
    case SDLK_RIGHT: return 39;
    case SDLK_DOWN: return 40;
    case SDLK_INSERT: return 45;
    case SDLK_DELETE: return 46;
    case SDLK_KP_0: return 96;
    case SDLK_KP_1: return 97;
    case SDLK_KP_2: return 98;
    case SDLK_KP_3: return 99;
    case SDLK_KP_4: return 100;
    case SDLK_KP_5: return 101;
    case SDLK_KP_6: return 102;
    case SDLK_KP_7: return 103;
    case SDLK_KP_8: return 104;
    case SDLK_KP_9: return 105;
    case SDLK_KP_MULTIPLY: return 106;
    case SDLK_KP_PLUS: return 107;
    case SDLK_KP_MINUS: return 109;
    case SDLK_KP_PERIOD: return 110;
    case SDLK_KP_DIVIDE: return 111;
    case SDLK_NUMLOCKCLEAR: return 144;
    case SDLK_SCROLLLOCK: return 145;
    case SDLK_SEMICOLON: return 186;
    case SDLK_EQUALS: case SDLK_PLUS: return 187;
    case SDLK_COMMA: return 188;
    case SDLK_MINUS: return 189;
    case SDLK_PERIOD: return 190;
    case SDLK_SLASH: return 191;
    case SDLK_BACKQUOTE: return 192;
    case SDLK_LEFTBRACKET: return 219;
    case SDLK_BACKSLASH: return 220;
    case SDLK_RIGHTBRACKET: return 221;
    case SDLK_QUOTE: return 222;
    case SDLK_LESS: return 226;
    default: return Cp1250LetterKey(key);
  }
}

Window::Window(bool fullScreen) : fullScreen_(fullScreen) {
  // Without controller support the keyboard alone still plays.
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::fprintf(stderr, "Plumix Adventure: no game controllers: %s\n", SDL_GetError());
  }
  NameTheWindows();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    throw GameError(std::string("Cannot start the display: ") + SDL_GetError());
  }
  if (!ShowsOnScreen(SDL_GetCurrentVideoDriver())) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    throw GameError("Cannot start the display: no screen was found (neither DISPLAY nor "
                    "WAYLAND_DISPLAY is set).");
  }
  Uint32 flags = SDL_WINDOW_SHOWN | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  window_ = SDL_CreateWindow("Plumix Adventure 1.0", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             kWidth, kHeight, flags);
  if (!window_) throw GameError(std::string("Cannot open the game window: ") + SDL_GetError());
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  // A renderer the player chose (SDL_RENDER_DRIVER) is kept.
  const char* driver = SDL_GetCurrentVideoDriver();
  const RenderPath path = ChooseRenderPath(driver ? driver : "", HasGpu(),
                                           SDL_GetHint(SDL_HINT_RENDER_DRIVER) != nullptr);
  if (path == RenderPath::Accelerated) {
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  } else {
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  }
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_ && path == RenderPath::WindowPixels) {
    // No window pixels after all: any renderer the driver has.
    SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
  }
  if (!renderer_) throw GameError(std::string("Cannot draw in the game window: ") + SDL_GetError());
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                               kWidth, kHeight);
  if (!texture_) throw GameError(std::string("Cannot draw in the game window: ") + SDL_GetError());
  SDL_ShowCursor(SDL_DISABLE);
  nextFrame_ = SDL_GetPerformanceCounter();
}

Window::~Window() {
  SetCursor(nullptr);
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

void Window::Present(const uint32_t* argb, bool paced) {
  if (paced != vsync_) {
    SDL_RenderSetVSync(renderer_, paced ? 1 : 0);
    vsync_ = paced;
  }
  needsPresent_ = false;
  SDL_UpdateTexture(texture_, nullptr, argb, kWidth * 4);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  // Scaled to fit with the aspect kept: black bars where the screen is wider.
  int outputWidth = kWidth, outputHeight = kHeight;
  SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
  const Rect fit = LetterboxRect(outputWidth, outputHeight);
  const SDL_Rect dest{fit.Left, fit.Top, fit.Width(), fit.Height()};
  SDL_RenderCopy(renderer_, texture_, nullptr, &dest);
  SDL_RenderPresent(renderer_);
}

void Window::Pace() {
  // At most 60 frames a second where vsync does not hold the presentation back.
  const uint64_t frequency = SDL_GetPerformanceFrequency();
  const uint64_t frame = frequency / 60;
  uint64_t now = SDL_GetPerformanceCounter();
  if (now < nextFrame_) {
    SDL_Delay(static_cast<Uint32>((nextFrame_ - now) * 1000 / frequency));
    nextFrame_ += frame;
  } else {
    nextFrame_ = (now - nextFrame_ > frame * 3) ? now + frame : nextFrame_ + frame;
  }
}

void Window::Poll(std::vector<PlatformEvent>& events) {
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_QUIT:
        events.push_back({PlatformEventType::Quit, 0, false});
        break;
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
          events.push_back({PlatformEventType::FocusLost, 0, false});
        } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
          events.push_back({PlatformEventType::FocusGained, 0, false});
        } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                   e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                   e.window.event == SDL_WINDOWEVENT_RESTORED) {
          needsPresent_ = true;
        }
        break;
      case SDL_KEYDOWN:
        if (e.key.keysym.sym == SDLK_RETURN && (e.key.keysym.mod & KMOD_ALT)) {
          // Alt+Enter belongs to the window, not to the game.
          if (!e.key.repeat) ToggleFullScreen();
          swallowEnterUp_ = true;
          break;
        }
        // A window manager makes Alt+F4 a close request; without one (full
        // screen on a bare X server) the game does it itself.
        if (e.key.keysym.sym == SDLK_F4 && (e.key.keysym.mod & KMOD_ALT)) {
          events.push_back({PlatformEventType::Quit, 0, false});
          break;
        }
        if (uint16_t vk = VirtualKeyFromSdl(e.key.keysym.sym)) {
          events.push_back({PlatformEventType::KeyDown, vk, e.key.repeat != 0});
        }
        break;
      case SDL_DROPFILE:
        if (e.drop.file) {
          PlatformEvent drop{PlatformEventType::FileDrop, 0, false};
          drop.Text = e.drop.file;
          SDL_free(e.drop.file);
          events.push_back(std::move(drop));
        }
        break;
      case SDL_KEYUP:
        if (e.key.keysym.sym == SDLK_RETURN && swallowEnterUp_) {
          swallowEnterUp_ = false;
          break;
        }
        if (uint16_t vk = VirtualKeyFromSdl(e.key.keysym.sym)) {
          events.push_back({PlatformEventType::KeyUp, vk, false});
        }
        break;
      default:
        if (!pads_.Handle(e, events)) PointerEvent(e, events);
        break;
    }
  }
  AnimateCursor();
}

// The pointer in surface coordinates, and typed text; a press in the bars
// beside the picture hits nothing.
void Window::PointerEvent(const SDL_Event& e, std::vector<PlatformEvent>& events) {
  int width = kWidth, height = kHeight;
  SDL_GetWindowSize(window_, &width, &height);
  PlatformEvent event;
  switch (e.type) {
    case SDL_MOUSEMOTION:
      event.Type = PlatformEventType::MouseMove;
      SurfacePoint(width, height, e.motion.x, e.motion.y, event.X, event.Y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const bool down = e.type == SDL_MOUSEBUTTONDOWN;
      event.Type = down ? PlatformEventType::MouseDown : PlatformEventType::MouseUp;
      event.Button = e.button.button;
      event.Clicks = e.button.clicks;
      if (!SurfacePoint(width, height, e.button.x, e.button.y, event.X, event.Y) && down) return;
      break;
    }
    case SDL_MOUSEWHEEL:
      event.Type = PlatformEventType::MouseWheel;
      event.Wheel = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      if (event.Wheel == 0) return;
      break;
    case SDL_TEXTINPUT:
      event.Type = PlatformEventType::TextInput;
      event.Text = e.text.text;
      break;
    default:
      return;
  }
  events.push_back(std::move(event));
}

void Window::SetTitle(const std::string& utf8) { SDL_SetWindowTitle(window_, utf8.c_str()); }

void Window::ToggleFullScreen() {
  fullScreen_ = !fullScreen_;
  needsPresent_ = true;
  SDL_SetWindowFullscreen(window_, fullScreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (!fullScreen_) {
    SDL_SetWindowSize(window_, kWidth, kHeight);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
}

void Window::SetCursor(const AniCursor* cursor, bool systemArrow) {
  for (SDL_Cursor* c : cursors_) SDL_FreeCursor(c);
  cursors_.clear();
  sequence_.clear();
  rates_.clear();
  if (!cursor || cursor->Frames.empty()) {
    if (systemArrow) SDL_SetCursor(SDL_GetDefaultCursor());
    SDL_ShowCursor(systemArrow ? SDL_ENABLE : SDL_DISABLE);
    return;
  }
  for (const CursorFrame& frame : cursor->Frames) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(frame.Argb.data()), frame.Width, frame.Height, 32, frame.Width * 4,
        SDL_PIXELFORMAT_ARGB8888);
    SDL_Cursor* c = s ? SDL_CreateColorCursor(s, frame.HotX, frame.HotY) : nullptr;
    if (s) SDL_FreeSurface(s);
    if (c) cursors_.push_back(c);
  }
  if (cursors_.empty()) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  sequence_ = cursor->Sequence;
  rates_ = cursor->Rates;
  step_ = 0;
  stepStarted_ = SDL_GetTicks();
  int first = sequence_.empty() ? 0 : sequence_[0];
  SDL_SetCursor(cursors_[static_cast<size_t>(first) < cursors_.size() ? first : 0]);
  SDL_ShowCursor(SDL_ENABLE);
}

void Window::AnimateCursor() {
  if (cursors_.size() < 2 || sequence_.empty()) return;
  int rate = step_ < rates_.size() ? rates_[step_] : 10;
  uint32_t now = SDL_GetTicks();
  if (now - stepStarted_ < static_cast<uint32_t>(rate * 1000 / 60)) return;
  stepStarted_ = now;
  step_ = (step_ + 1) % sequence_.size();
  size_t frame = static_cast<size_t>(sequence_[step_]);
  if (frame < cursors_.size()) SDL_SetCursor(cursors_[frame]);
}

}  // namespace plumix
