#include "media/draw.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace plumix {
namespace {

struct Clip {
  int x0, y0, x1, y1;  // destination span, x1/y1 exclusive
};

bool ClipTo(const Bitmap& dest, int x, int y, int w, int h, Clip* clip) {
  clip->x0 = std::max(x, 0);
  clip->y0 = std::max(y, 0);
  clip->x1 = std::min(x + w, dest.Width);
  clip->y1 = std::min(y + h, dest.Height);
  return clip->x0 < clip->x1 && clip->y0 < clip->y1;
}

// Scaled drawing with an optional sideways shift per row and an opacity.
void DrawScaled(const ImageItem& item, Bitmap& dest, int x, int y, int width, int height,
                int pattern, int amplitude, int length, int phase, int alpha) {
  Rect src;
  if (width <= 0 || height <= 0 || alpha <= 0 || !item.PatternRect(pattern, &src)) return;
  const bool keyed = item.Transparent;
  const uint16_t key = item.Key();
  const int pw = src.Width(), ph = src.Height();
  for (int r = 0; r < height; ++r) {
    int dy = y + r;
    if (dy < 0 || dy >= dest.Height) continue;
    int shift = WaveShift(r, amplitude, length, phase);
    const uint16_t* srcRow = item.Picture.Row(src.Top + r * ph / height) + src.Left;
    uint16_t* destRow = dest.Row(dy);
    int c0 = std::max(0, -(x + shift));
    int c1 = std::min(width, dest.Width - (x + shift));
    for (int c = c0; c < c1; ++c) {
      uint16_t p = srcRow[c * pw / width];
      if (keyed && p == key) continue;
      uint16_t& d = destRow[x + shift + c];
      d = alpha >= 255 ? p : Blend565(d, p, alpha);
    }
  }
}

void DrawRotatedCore(const ImageItem& item, Bitmap& dest, int x, int y, int width, int height,
                     int pattern, double centreX, double centreY, int angle, int alpha) {
  Rect src;
  if (width <= 0 || height <= 0 || alpha <= 0 || !item.PatternRect(pattern, &src)) return;
  const double theta = angle * 2.0 * std::numbers::pi / 256.0;
  const double cs = std::cos(theta), sn = std::sin(theta);
  const double ax = centreX * width, ay = centreY * height;
  // Bounding box of the four turned corners.
  double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
  for (int i = 0; i < 4; ++i) {
    double u = (i & 1 ? width : 0) - ax;
    double v = (i & 2 ? height : 0) - ay;
    double px = x + u * cs - v * sn;
    double py = y + u * sn + v * cs;
    minX = std::min(minX, px);
    maxX = std::max(maxX, px);
    minY = std::min(minY, py);
    maxY = std::max(maxY, py);
  }
  Clip clip;
  int bx = static_cast<int>(std::floor(minX)), by = static_cast<int>(std::floor(minY));
  int bw = static_cast<int>(std::ceil(maxX)) - bx + 1, bh = static_cast<int>(std::ceil(maxY)) - by + 1;
  if (!ClipTo(dest, bx, by, bw, bh, &clip)) return;
  const bool keyed = item.Transparent;
  const uint16_t key = item.Key();
  const int pw = src.Width(), ph = src.Height();
  for (int py = clip.y0; py < clip.y1; ++py) {
    uint16_t* destRow = dest.Row(py);
    double dy = py + 0.5 - y;
    for (int px = clip.x0; px < clip.x1; ++px) {
      double dx = px + 0.5 - x;
      // Turn the screen point back into the picture.
      double u = cs * dx + sn * dy + ax;
      double v = -sn * dx + cs * dy + ay;
      if (u < 0 || v < 0 || u >= width || v >= height) continue;
      int sx = static_cast<int>(u) * pw / width;
      int sy = static_cast<int>(v) * ph / height;
      uint16_t p = item.Picture.Row(src.Top + sy)[src.Left + sx];
      if (keyed && p == key) continue;
      destRow[px] = alpha >= 255 ? p : Blend565(destRow[px], p, alpha);
    }
  }
}

}  // namespace

uint16_t Blend565(uint16_t dest, uint16_t src, int alpha) {
  if (alpha <= 0) return dest;
  if (alpha >= 255) return src;
  int a = alpha + (alpha >> 7);  // 0..256
  int dr = dest >> 11, dg = (dest >> 5) & 63, db = dest & 31;
  int sr = src >> 11, sg = (src >> 5) & 63, sb = src & 31;
  int r = dr + (((sr - dr) * a) >> 8);
  int g = dg + (((sg - dg) * a) >> 8);
  int b = db + (((sb - db) * a) >> 8);
  return static_cast<uint16_t>((r << 11) | (g << 5) | b);
}

int WaveShift(int row, int amplitude, int length, int phase) {
  if (length == 0 || amplitude == 0) return 0;
  double t = (phase + row * 256.0 / length) / 256.0;
  return static_cast<int>(std::lround(amplitude * std::sin(2.0 * std::numbers::pi * t)));
}

void DrawImage(const ImageItem& item, Bitmap& dest, int x, int y, int pattern) {
  Rect src;
  if (!item.PatternRect(pattern, &src)) return;
  Clip clip;
  if (!ClipTo(dest, x, y, src.Width(), src.Height(), &clip)) return;
  const int n = clip.x1 - clip.x0;
  const int sx = src.Left + (clip.x0 - x);
  if (!item.Transparent) {
    for (int dy = clip.y0; dy < clip.y1; ++dy) {
      std::memcpy(dest.Row(dy) + clip.x0, item.Picture.Row(src.Top + dy - y) + sx, n * 2);
    }
    return;
  }
  const uint16_t key = item.Key();
  for (int dy = clip.y0; dy < clip.y1; ++dy) {
    const uint16_t* s = item.Picture.Row(src.Top + dy - y) + sx;
    uint16_t* d = dest.Row(dy) + clip.x0;
    for (int i = 0; i < n; ++i) {
      if (s[i] != key) d[i] = s[i];
    }
  }
}

void StretchImage(const ImageItem& item, Bitmap& dest, Rect rect, int pattern) {
  Rect src;
  if (item.PatternRect(pattern, &src) && src.Width() == rect.Width() &&
      src.Height() == rect.Height()) {
    DrawImage(item, dest, rect.Left, rect.Top, pattern);
    return;
  }
  DrawScaled(item, dest, rect.Left, rect.Top, rect.Width(), rect.Height(), pattern, 0, 0, 0, 255);
}

void DrawImageRotated(const ImageItem& item, Bitmap& dest, int x, int y, int width, int height,
                      int pattern, double centreX, double centreY, int angle) {
  DrawRotatedCore(item, dest, x, y, width, height, pattern, centreX, centreY, angle, 255);
}

void DrawImageRotatedAlpha(const ImageItem& item, Bitmap& dest, int x, int y, int width,
                           int height, int pattern, double centreX, double centreY, int angle,
                           int alpha) {
  DrawRotatedCore(item, dest, x, y, width, height, pattern, centreX, centreY, angle,
                  std::clamp(alpha, 0, 255));
}

void DrawImageWaved(const ImageItem& item, Bitmap& dest, int x, int y, int width, int height,
                    int pattern, int amplitude, int length, int phase) {
  DrawScaled(item, dest, x, y, width, height, pattern, amplitude, length, phase, 255);
}

void DrawImageWavedAlpha(const ImageItem& item, Bitmap& dest, int x, int y, int width, int height,
                         int pattern, int amplitude, int length, int phase, int alpha) {
  DrawScaled(item, dest, x, y, width, height, pattern, amplitude, length, phase,
             std::clamp(alpha, 0, 255));
}

void FillBitmap(Bitmap& dest, Colour colour) {
  uint16_t p = ToRgb565(colour);
  if (p == 0) {
    std::memset(dest.Pixels.data(), 0, dest.Pixels.size() * 2);
  } else {
    std::fill(dest.Pixels.begin(), dest.Pixels.end(), p);
  }
}

void FillRect(Bitmap& dest, Rect rect, Colour colour) {
  Clip clip;
  if (!ClipTo(dest, rect.Left, rect.Top, rect.Width(), rect.Height(), &clip)) return;
  uint16_t p = ToRgb565(colour);
  for (int y = clip.y0; y < clip.y1; ++y) {
    std::fill(dest.Row(y) + clip.x0, dest.Row(y) + clip.x1, p);
  }
}

}  // namespace plumix
