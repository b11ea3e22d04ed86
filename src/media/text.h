// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fonts and the canvas: text, lines and rectangles on the back buffer.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "media/bitmap.h"
#include "media/colour.h"

namespace plumix {

constexpr int kStyleNormal = 0;
constexpr int kStyleBold = 1;
constexpr int kStyleItalic = 2;

// The game's texts are 8-bit code page 1250; fonts want UTF-8.
std::string Cp1250ToUtf8(std::string_view text);
// Characters without a code-page 1250 byte become '?'.
std::string Utf8ToCp1250(std::string_view text);

// Coverage of one rendered string, 0..255 per pixel.
struct TextMask {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Alpha;
};

// Blends a drawn text into the target in one colour, inside clip and the target.
void BlendText(Bitmap& target, const TextMask& mask, int x, int y, uint16_t colour, Rect clip);

class Fonts {
 public:
  Fonts();
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  // Makes a face name draw with a font file (AddFontResource); a wider
  // stretch than 1 widens the letters. False when the file cannot be opened.
  bool Install(const std::string& face, const std::filesystem::path& file, double stretch = 1.0);
  // A drawn bold cut of an installed face, used instead of emboldening the
  // regular one; false when it cannot be opened.
  bool InstallBold(const std::string& face, const std::filesystem::path& file);
  void Remove(const std::string& face);
  bool Installed(const std::string& face) const;
  // False when the font library could not start: then no file can be judged.
  bool Ready() const { return ttfReady_; }
  // Drawn texts kept for the next frames; bounded, see Render.
  size_t CachedTexts() const { return cache_.size(); }
  // Point sizes as on a 96-dpi screen. Unknown faces fall back to the first
  // installed face, then to a system sans face.
  const TextMask& Render(const std::string& face, int size, int style, std::string_view cp1250);
  int TextWidth(const std::string& face, int size, int style, std::string_view cp1250);
  int LineHeight(const std::string& face, int size, int style);

 private:
  struct Face {
    std::filesystem::path File;
    std::filesystem::path BoldFile;
    double Stretch = 1.0;
  };
  struct OpenFont;
  OpenFont* Open(const std::string& face, int size, int style);
  const Face* Resolve(const std::string& face) const;
  void ClearCache();

  bool ttfReady_ = false;
  std::map<std::string, Face> faces_;
  std::map<std::string, std::unique_ptr<OpenFont>> open_;
  static constexpr size_t kTextCacheBytes = 4 << 20;
  std::unordered_map<std::string, TextMask> cache_;
  size_t cacheBytes_ = 0;
  TextMask empty_;
};

struct CanvasFont {
  std::string Name = "Arial CE";
  int Size = 8;
  int Style = kStyleNormal;
  Colour Color = kBlack;
};
struct CanvasPen {
  Colour Color = kBlack;
  int Width = 1;
};
struct CanvasBrush {
  Colour Color = kWhite;
  bool Clear = false;  // clear: text and rectangles leave the background alone
};

class Canvas {
 public:
  Canvas(Bitmap& target, Fonts& fonts) : target_(target), fonts_(fonts) {}
  CanvasFont Font;
  CanvasPen Pen;
  CanvasBrush Brush;

  // (x, y) is the top-left corner of the text.
  void TextOut(int x, int y, std::string_view cp1250);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  // Outline with the pen, filled with the brush unless it is clear; right and
  // bottom exclusive as on Windows.
  void Rectangle(int left, int top, int right, int bottom);
  int TextWidth(std::string_view cp1250);
  // Nothing to hand back with a software surface; kept so that every batch of
  // canvas drawing ends the same way.
  void Release() {}

 private:
  void ThickPoint(int x, int y);
  Bitmap& target_;
  Fonts& fonts_;
  int penX_ = 0, penY_ = 0;
};

}  // namespace plumix
