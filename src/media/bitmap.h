// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 16-bit pictures, and the image codecs that fill and save them.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "media/error.h"
#include "media/files.h"

namespace plumix {

struct Rect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // right and bottom exclusive
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
};

struct Bitmap {
  int Width = 0;
  int Height = 0;
  std::vector<uint16_t> Pixels;  // RGB565, row by row

  Bitmap() = default;
  Bitmap(int width, int height, uint16_t fill = 0)
      : Width(width), Height(height), Pixels(static_cast<size_t>(width) * height, fill) {}
  uint16_t* Row(int y) { return Pixels.data() + static_cast<size_t>(y) * Width; }
  const uint16_t* Row(int y) const { return Pixels.data() + static_cast<size_t>(y) * Width; }
  uint16_t At(int x, int y) const { return Row(y)[x]; }
};

// A 24-bit picture as the codecs see it: RGB triplets, row by row.
struct RgbImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgb;
};

Parsed<RgbImage> DecodePng(std::span<const uint8_t> bytes);
Parsed<RgbImage> DecodeJpeg(std::span<const uint8_t> bytes);
// Chooses the decoder by the file's signature.
Parsed<RgbImage> DecodeImage(std::span<const uint8_t> bytes);
std::vector<uint8_t> EncodePng(const RgbImage& image);
// Rows of 8-bit samples, 3 (RGB) or 4 (RGBA) a pixel, as PNG file bytes.
std::vector<uint8_t> EncodePngPixels(int width, int height, int channels,
                                     std::span<const uint8_t> samples);
std::vector<uint8_t> EncodeJpeg(const RgbImage& image, int quality);

Bitmap ToBitmap(const RgbImage& image);
RgbImage ToRgb(const Bitmap& bitmap);

}  // namespace plumix
