// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/display.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "media/draw.h"
#include "media/signals.h"
#include "media/window.h"

namespace plumix {

Display::Display(Fonts& fonts) : fonts_(fonts) {}

Display::~Display() { Finalize(); }

void Display::Initialize(bool headless, bool fullScreen) {
  if (!headless) {
    window_ = std::make_unique<Window>(fullScreen);
    window_->SetTitle(title_);
    // After SDL's own start, whose handlers would only see a real window's signals.
    WatchEndSignals();
  }
  initialized_ = true;
}

void Display::SetTitle(const std::string& utf8) {
  if (utf8 == title_) return;
  title_ = utf8;
  if (window_) window_->SetTitle(utf8);
}

void Display::Finalize() {
  window_.reset();
  initialized_ = false;
}

void Display::Fill(Colour colour) { FillBitmap(surface_, colour); }

void Display::ConvertFrame() {
  table_.Convert(surface_, presented_.data());
  presentedIsFront_ = false;
}

namespace {

// The stretch of screen row the conversion skips or redoes as a whole: one
// cache line of the back buffer.
constexpr int kChunk = 32;

bool SameChunk(const uint16_t* a, const uint16_t* b) {
#if defined(__SSE2__)
  __m128i diff = _mm_setzero_si128();
  for (int i = 0; i < kChunk; i += 8) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    diff = _mm_or_si128(diff, _mm_xor_si128(x, y));
  }
  return _mm_movemask_epi8(_mm_cmpeq_epi8(diff, _mm_setzero_si128())) == 0xFFFF;
#else
  return std::memcmp(a, b, kChunk * 2) == 0;
#endif
}

}  // namespace

void Display::Flip() {
  if (!CanDraw()) return;
  ++flips_;
  // A still screen costs a comparison a frame instead of a conversion, an
  // upload and a presentation; a moving one converts only the stretches
  // that changed, which in play are a small part of the screen.
  const bool stale = window_ && window_->NeedsPresent();
  const bool whole = !shown_ || !presentedIsFront_;
  static_assert(kWidth % kChunk == 0);
  const size_t count = surface_.Pixels.size();
  const uint16_t* in = surface_.Pixels.data();
  uint16_t* front = front_.Pixels.data();
  uint32_t* out = presented_.data();
  bool changed = false;
  if (whole) {
    std::memcpy(front, in, count * 2);
    table_.Convert(in, out, count);
    changed = true;
  } else {
    for (size_t i = 0; i < count; i += kChunk) {
      if (SameChunk(front + i, in + i)) continue;
      std::memcpy(front + i, in + i, kChunk * 2);
      table_.Convert(in + i, out + i, kChunk);
      changed = true;
    }
  }
  shown_ = true;
  presentedIsFront_ = true;
  if (changed || stale) Present(true);
}

void Display::Present(bool paced) {
  ++presents_;
  if (window_) window_->Present(presented_.data(), paced);
}

bool Display::SavePresentedPng(const std::string& path) const {
  RgbImage image;
  image.Width = kWidth;
  image.Height = kHeight;
  image.Rgb.resize(static_cast<size_t>(kWidth) * kHeight * 3);
  for (size_t i = 0; i < presented_.size(); ++i) {
    image.Rgb[i * 3] = static_cast<uint8_t>(presented_[i] >> 16);
    image.Rgb[i * 3 + 1] = static_cast<uint8_t>(presented_[i] >> 8);
    image.Rgb[i * 3 + 2] = static_cast<uint8_t>(presented_[i]);
  }
  std::vector<uint8_t> png = EncodePng(image);
  return !png.empty() && WriteFileBytes(path, png, nullptr);
}

bool Display::GetGammaRamp(GammaRamp* ramp) const {
  if (!HasGammaControl()) return false;
  *ramp = ramp_;
  return true;
}

bool Display::SetGammaRamp(const GammaRamp& ramp) {
  if (!HasGammaControl()) return false;
  ramp_ = ramp;
  table_.Build(ramp_);
  // The shown page takes the new ramp at once, as with a hardware ramp.
  table_.Convert(front_, presented_.data());
  presentedIsFront_ = true;
  // A fade's steps are timed by the fade, not held back by the refresh.
  Present(false);
  return true;
}

void Display::PollEvents(std::vector<PlatformEvent>& events) {
  if (window_) window_->Poll(events);
  if (TakeEndSignal()) events.push_back({PlatformEventType::Quit, 0, false});
}

void Display::ToggleFullScreen() {
  if (window_) window_->ToggleFullScreen();
}

bool Display::FullScreen() const { return window_ && window_->FullScreen(); }

void Display::SetCursor(const AniCursor* cursor, bool systemArrow) {
  if (window_) window_->SetCursor(cursor, systemArrow);
}

void Display::PaceFrame() {
  if (window_) window_->Pace();
}

int ShowMessageBox(const MessageBoxRequest& request) {
  std::vector<std::string> labels;
  for (const std::string& b : request.Buttons) {
    std::string label;
    for (char c : b) {
      if (c != '&') label += c;
    }
    labels.push_back(label);
  }
  auto onStderr = [&] {
    if (!request.OnStderr) std::fprintf(stderr, "%s: %s\n", request.Caption.c_str(), request.Text.c_str());
  };
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    onStderr();
    return request.DefaultButton;
  }
  std::vector<SDL_MessageBoxButtonData> buttons;
  int defaultButton = request.DefaultButton;
  if (defaultButton < 1 || defaultButton > static_cast<int>(labels.size())) defaultButton = 1;
  for (size_t i = 0; i < labels.size(); ++i) {
    SDL_MessageBoxButtonData data{};
    int id = static_cast<int>(i) + 1;
    data.buttonid = id;
    data.text = labels[i].c_str();
    if (id == defaultButton) data.flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (id == request.CancelButton || (request.CancelButton == 0 && labels.size() == 1)) {
      data.flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    }
    buttons.push_back(data);
  }
  SDL_MessageBoxData box{};
  switch (request.Icon) {
    case 16: box.flags = SDL_MESSAGEBOX_ERROR; break;
    case 48: box.flags = SDL_MESSAGEBOX_WARNING; break;
    default: box.flags = SDL_MESSAGEBOX_INFORMATION; break;
  }
  box.title = request.Caption.c_str();
  box.message = request.Text.c_str();
  box.numbuttons = static_cast<int>(buttons.size());
  box.buttons = buttons.data();
  int pressed = 0;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) {
    onStderr();
    return defaultButton;
  }
  return pressed > 0 ? pressed : (request.CancelButton ? request.CancelButton : defaultButton);
}

std::string InstanceLock::DefaultPath(const std::string& name) {
  const char* dir = std::getenv("XDG_RUNTIME_DIR");
  std::string base = dir && *dir ? dir : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
  std::string file;
  for (char c : name) file += (c == ' ' || c == '/') ? '-' : c;
  return base + "/" + file + "-" + std::to_string(getuid()) + ".lock";
}

InstanceLock::InstanceLock(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace plumix
