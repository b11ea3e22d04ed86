// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>

#include "media/draw.h"

namespace plumix {
namespace {

// SDL_ttf and FreeType keep state of their own for the whole process; the
// editor's proof runs a second game on another thread, so every call into
// them takes turns.
std::recursive_mutex& TtfLock() {
  static std::recursive_mutex lock;
  return lock;
}

// Unicode of the bytes 0x80..0xFF of code page 1250; 0 where it has none.
constexpr uint16_t kCp1250High[128] = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, 0,      0x2030, 0x0160,
    0x2039, 0x015A, 0x0164, 0x017D, 0x0179, 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0,
    0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6,
    0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1,
    0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A,
    0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2,
    0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED,
    0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159,
    0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

const char* kSystemFallbacks[] = {
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
};

}  // namespace

std::string Cp1250ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out += ch;
    } else {
      uint16_t cp = kCp1250High[b - 0x80];
      AppendUtf8(out, cp ? cp : '?');
    }
  }
  return out;
}

std::string Utf8ToCp1250(std::string_view text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    auto b = static_cast<unsigned char>(text[i]);
    uint32_t cp = 0;
    int extra = 0;
    if (b < 0x80) {
      cp = b;
    } else if ((b & 0xE0) == 0xC0) {
      cp = b & 0x1F;
      extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
      cp = b & 0x0F;
      extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
      cp = b & 0x07;
      extra = 3;
    } else {
      out += '?';
      ++i;
      continue;
    }
    bool bad = false;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        bad = true;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    // An overlong form could smuggle in a line end or any other control byte.
    constexpr uint32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
    if (bad || cp < kShortest[extra]) {
      out += '?';
      ++i;
      continue;
    }
    i += 1 + extra;
    if (cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    char mapped = '?';
    for (int k = 0; k < 128; ++k) {
      if (kCp1250High[k] == cp) {
        mapped = static_cast<char>(0x80 + k);
        break;
      }
    }
    out += mapped;
  }
  return out;
}

struct Fonts::OpenFont {
  TTF_Font* Font = nullptr;
  ~OpenFont() {
    std::lock_guard<std::recursive_mutex> lock(TtfLock());
    if (Font) TTF_CloseFont(Font);
  }
};

Fonts::Fonts() {
  std::lock_guard<std::recursive_mutex> lock(TtfLock());
  ttfReady_ = TTF_Init() == 0;
}

Fonts::~Fonts() {
  std::lock_guard<std::recursive_mutex> lock(TtfLock());
  open_.clear();
  if (ttfReady_) TTF_Quit();
}

bool Fonts::Install(const std::string& face, const std::filesystem::path& file, double stretch) {
  if (!ttfReady_) return false;
  std::lock_guard<std::recursive_mutex> lock(TtfLock());
  TTF_Font* probe = TTF_OpenFont(file.c_str(), 12);
  if (!probe) return false;
  TTF_CloseFont(probe);
  faces_[face] = Face{file, {}, stretch};
  open_.clear();
  ClearCache();
  return true;
}

bool Fonts::InstallBold(const std::string& face, const std::filesystem::path& file) {
  auto it = faces_.find(face);
  if (it == faces_.end()) return false;
  std::lock_guard<std::recursive_mutex> lock(TtfLock());
  TTF_Font* probe = TTF_OpenFont(file.c_str(), 12);
  if (!probe) return false;
  TTF_CloseFont(probe);
  it->second.BoldFile = file;
  open_.clear();
  ClearCache();
  return true;
}

void Fonts::Remove(const std::string& face) {
  faces_.erase(face);
  open_.clear();
  ClearCache();
}

void Fonts::ClearCache() {
  cache_.clear();
  cacheBytes_ = 0;
}

bool Fonts::Installed(const std::string& face) const { return faces_.count(face) != 0; }

const Fonts::Face* Fonts::Resolve(const std::string& face) const {
  auto it = faces_.find(face);
  if (it != faces_.end()) return &it->second;
  if (!faces_.empty()) return &faces_.begin()->second;
  std::lock_guard<std::recursive_mutex> lock(TtfLock());
  static Face fallback;
  if (fallback.File.empty()) {
    for (const char* path : kSystemFallbacks) {
      if (std::filesystem::exists(path)) {
        fallback.File = path;
        break;
      }
    }
  }
  return fallback.File.empty() ? nullptr : &fallback;
}

Fonts::OpenFont* Fonts::Open(const std::string& face, int size, int style) {
  if (!ttfReady_ || size <= 0) return nullptr;
  std::string key = face + '\0' + std::to_string(size) + '\0' + std::to_string(style);
  auto it = open_.find(key);
  if (it != open_.end()) return it->second.get();
  auto font = std::make_unique<OpenFont>();
  std::lock_guard<std::recursive_mutex> lock(TtfLock());
  if (const Face* f = Resolve(face)) {
    auto hdpi = static_cast<unsigned>(std::lround(96 * f->Stretch));
    const bool drawnBold = (style & kStyleBold) && !f->BoldFile.empty();
    font->Font = TTF_OpenFontDPI((drawnBold ? f->BoldFile : f->File).c_str(), size, hdpi, 96);
    if (font->Font) {
      int ttfStyle = TTF_STYLE_NORMAL;
      if ((style & kStyleBold) && !drawnBold) ttfStyle |= TTF_STYLE_BOLD;
      if (style & kStyleItalic) ttfStyle |= TTF_STYLE_ITALIC;
      TTF_SetFontStyle(font->Font, ttfStyle);
    }
  }
  OpenFont* raw = font.get();
  open_[key] = std::move(font);
  return raw;
}

const TextMask& Fonts::Render(const std::string& face, int size, int style,
                              std::string_view cp1250) {
  if (cp1250.empty()) return empty_;
  std::string key = face + '\0' + std::to_string(size) + '\0' + std::to_string(style) + '\0' +
                    std::string(cp1250);
  auto it = cache_.find(key);
  if (it != cache_.end()) return it->second;
  // Texts change rarely from frame to frame; a full cache is simply dropped.
  // Bounded by bytes too: a long game draws ever new scores and messages.
  if (cache_.size() > 4000 || cacheBytes_ > kTextCacheBytes) ClearCache();
  TextMask mask;
  OpenFont* font = Open(face, size, style);
  if (font && font->Font) {
    std::string utf8 = Cp1250ToUtf8(cp1250);
    std::unique_lock<std::recursive_mutex> lock(TtfLock());
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font->Font, utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (rendered) {
      SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
      SDL_FreeSurface(rendered);
      if (argb) {
        mask.Width = argb->w;
        mask.Height = argb->h;
        mask.Alpha.resize(static_cast<size_t>(mask.Width) * mask.Height);
        SDL_LockSurface(argb);
        for (int y = 0; y < argb->h; ++y) {
          const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
          for (int x = 0; x < argb->w; ++x) mask.Alpha[static_cast<size_t>(y) * mask.Width + x] = row[x] >> 24;
        }
        SDL_UnlockSurface(argb);
        SDL_FreeSurface(argb);
      }
    }
  }
  cacheBytes_ += key.size() + mask.Alpha.size();
  return cache_.emplace(std::move(key), std::move(mask)).first->second;
}

int Fonts::TextWidth(const std::string& face, int size, int style, std::string_view cp1250) {
  return Render(face, size, style, cp1250).Width;
}

int Fonts::LineHeight(const std::string& face, int size, int style) {
  OpenFont* font = Open(face, size, style);
  return font && font->Font ? TTF_FontHeight(font->Font) : 0;
}

void Canvas::TextOut(int x, int y, std::string_view cp1250) {
  const TextMask& mask = fonts_.Render(Font.Name, Font.Size, Font.Style, cp1250);
  if (!Brush.Clear) {
    int h = mask.Height ? mask.Height : fonts_.LineHeight(Font.Name, Font.Size, Font.Style);
    FillRect(target_, Rect{x, y, x + mask.Width, y + h}, Brush.Color);
  }
  BlendText(target_, mask, x, y, ToRgb565(Font.Color), Rect{0, 0, target_.Width, target_.Height});
}

void BlendText(Bitmap& target, const TextMask& mask, int x, int y, uint16_t colour, Rect clip) {
  clip.Left = std::max(clip.Left, 0);
  clip.Top = std::max(clip.Top, 0);
  clip.Right = std::min(clip.Right, target.Width);
  clip.Bottom = std::min(clip.Bottom, target.Height);
  for (int r = 0; r < mask.Height; ++r) {
    const int dy = y + r;
    if (dy < clip.Top || dy >= clip.Bottom) continue;
    uint16_t* row = target.Row(dy);
    const uint8_t* alpha = mask.Alpha.data() + static_cast<size_t>(r) * mask.Width;
    for (int c = 0; c < mask.Width; ++c) {
      const int dx = x + c;
      if (alpha[c] == 0 || dx < clip.Left || dx >= clip.Right) continue;
      row[dx] = Blend565(row[dx], colour, alpha[c]);
    }
  }
}

int Canvas::TextWidth(std::string_view cp1250) {
  return fonts_.TextWidth(Font.Name, Font.Size, Font.Style, cp1250);
}

void Canvas::ThickPoint(int x, int y) {
  int w = std::max(1, Pen.Width);
  int x0 = x - (w - 1) / 2, y0 = y - (w - 1) / 2;
  FillRect(target_, Rect{x0, y0, x0 + w, y0 + w}, Pen.Color);
}

void Canvas::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
}

void Canvas::LineTo(int x, int y) {
  int x0 = penX_, y0 = penY_;
  int dx = std::abs(x - x0), sx = x0 < x ? 1 : -1;
  int dy = -std::abs(y - y0), sy = y0 < y ? 1 : -1;
  int err = dx + dy;
  while (true) {
    ThickPoint(x0, y0);
    if (x0 == x && y0 == y) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
  penX_ = x;
  penY_ = y;
}

void Canvas::Rectangle(int left, int top, int right, int bottom) {
  if (!Brush.Clear) FillRect(target_, Rect{left, top, right, bottom}, Brush.Color);
  int savedX = penX_, savedY = penY_;
  MoveTo(left, top);
  LineTo(right - 1, top);
  LineTo(right - 1, bottom - 1);
  LineTo(left, bottom - 1);
  LineTo(left, top);
  penX_ = savedX;
  penY_ = savedY;
}

}  // namespace plumix
