// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/draw.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Copies a short stretch of pixels, such as a board cell's row or a run of a
// sprite, in a few vector moves instead of a call or a pixel at a time. The
// buffers must not overlap: the last vector may be written twice.
inline void CopyPixels(uint16_t* d, const uint16_t* s, int n) {
#if defined(__SSE2__)
  if (n >= 8) {
    int i = 0;
    for (; i + 8 <= n; i += 8) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i),
                       _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)));
    }
    if (i < n) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + n - 8),
                       _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + n - 8)));
    }
    return;
  }
#endif
  if (n >= 4) {
    uint64_t head, tail;
    std::memcpy(&head, s, 8);
    std::memcpy(&tail, s + n - 4, 8);
    std::memcpy(d, &head, 8);
    std::memcpy(d + n - 4, &tail, 8);
    return;
  }
  for (int i = 0; i < n; ++i) d[i] = s[i];
}

// Copies the pixels of a row that are not the key colour. Sprites such as
// the fireworks are mostly key, so eight pixels of key are skipped at once.
void CopyKeyedRow(const uint16_t* s, uint16_t* d, int n, uint16_t key) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i keys = _mm_set1_epi16(static_cast<short>(key));
  for (; i + 8 <= n; i += 8) {
    const __m128i src = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i isKey = _mm_cmpeq_epi16(src, keys);
    const int mask = _mm_movemask_epi8(isKey);
    if (mask == 0xFFFF) continue;
    __m128i* out = reinterpret_cast<__m128i*>(d + i);
    if (mask == 0) {
      _mm_storeu_si128(out, src);
      continue;
    }
    const __m128i old = _mm_loadu_si128(out);
    _mm_storeu_si128(out, _mm_or_si128(_mm_and_si128(isKey, old), _mm_andnot_si128(isKey, src)));
  }
#endif
  for (; i < n; ++i) {
    if (s[i] != key) d[i] = s[i];
  }
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

// Narrows [lo, hi] to the t for which 0 <= a t + b < limit; false when none.
bool NarrowSpan(double a, double b, double limit, double* lo, double* hi) {
  if (std::abs(a) < 1e-9) return b >= 0 && b < limit;
  double t0 = -b / a, t1 = (limit - b) / a;
  if (t0 > t1) std::swap(t0, t1);
  *lo = std::max(*lo, t0);
  *hi = std::min(*hi, t1);
  return *lo <= *hi;
}

// How many turned patterns an image keeps: a frame turns each picture at
// one size and angle, the magnifier's cells at a few.
constexpr size_t kTurnedKept = 4;

// Turns a pattern about the point (0, 0). A pixel's place relative to the
// point it is drawn at decides alone whether and what it shows, so the
// result serves every place the pattern is drawn at.
void TurnPattern(const ImageItem& item, const Rect& src, ImageItem::Turned& turned) {
  const int width = turned.Width, height = turned.Height;
  const double theta = turned.Angle * 2.0 * std::numbers::pi / 256.0;
  const double cs = std::cos(theta), sn = std::sin(theta);
  const double ax = turned.CentreX * width, ay = turned.CentreY * height;
  // Bounding box of the four turned corners.
  double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
  for (int i = 0; i < 4; ++i) {
    double u = (i & 1 ? width : 0) - ax;
    double v = (i & 2 ? height : 0) - ay;
    double px = u * cs - v * sn;
    double py = u * sn + v * cs;
    minX = std::min(minX, px);
    maxX = std::max(maxX, px);
    minY = std::min(minY, py);
    maxY = std::max(maxY, py);
  }
  const int bx = static_cast<int>(std::floor(minX)), by = static_cast<int>(std::floor(minY));
  const int ex = static_cast<int>(std::ceil(maxX)) + 1, ey = static_cast<int>(std::ceil(maxY)) + 1;
  const int pw = src.Width(), ph = src.Height();
  // Picture column and row of every whole step of u and v, without a division per pixel.
  std::vector<int> columns(width);
  std::vector<const uint16_t*> rows(height);
  for (int i = 0; i < width; ++i) columns[i] = src.Left + i * pw / width;
  for (int i = 0; i < height; ++i) rows[i] = item.Picture.Row(src.Top + i * ph / height);
  turned.Spans.clear();
  turned.Pixels.clear();
  for (int py = by; py < ey; ++py) {
    double dy = py + 0.5;
    // Only the stretch of the row that can meet the picture, with a pixel to
    // spare at each end; every pixel is still tested below.
    double lo = -1e9, hi = 1e9;
    if (!NarrowSpan(cs, sn * dy + ax, width, &lo, &hi) || !NarrowSpan(-sn, cs * dy + ay, height, &lo, &hi)) {
      continue;
    }
    const int first = std::max(bx, static_cast<int>(std::floor(lo)) - 2);
    const int end = std::min(ex, static_cast<int>(std::ceil(hi)) + 2);
    int spanStart = 0;
    bool open = false;
    for (int px = first; px <= end; ++px) {
      bool shows = false;
      uint16_t p = 0;
      if (px < end) {
        double dx = px + 0.5;
        // Turn the screen point back into the picture.
        double u = cs * dx + sn * dy + ax;
        double v = -sn * dx + cs * dy + ay;
        if (u >= 0 && v >= 0 && u < width && v < height) {
          p = rows[static_cast<int>(v)][columns[static_cast<int>(u)]];
          shows = !(turned.Keyed && p == turned.Key);
        }
      }
      if (shows) {
        if (!open) {
          spanStart = px;
          open = true;
          turned.Spans.push_back({px, py, 0, static_cast<uint32_t>(turned.Pixels.size())});
        }
        turned.Pixels.push_back(p);
      } else if (open) {
        turned.Spans.back().Length = px - spanStart;
        open = false;
      }
    }
  }
}

const ImageItem::Turned& TurnedPattern(const ImageItem& item, const Rect& src, int pattern, int width,
                                       int height, double centreX, double centreY, int angle) {
  std::vector<ImageItem::Turned>& kept = item.TurnedPatterns();
  const bool keyed = item.Transparent;
  const uint16_t key = item.Key();
  for (const ImageItem::Turned& t : kept) {
    if (t.Pattern == pattern && t.Width == width && t.Height == height && t.Angle == angle &&
        t.CentreX == centreX && t.CentreY == centreY && t.Keyed == keyed && t.Key == key) {
      return t;
    }
  }
  // The oldest makes room, its buffers reused.
  if (kept.size() < kTurnedKept) {
    kept.emplace_back();
  } else {
    std::rotate(kept.begin(), kept.begin() + 1, kept.end());
  }
  ImageItem::Turned& turned = kept.back();
  turned.Pattern = pattern;
  turned.Width = width;
  turned.Height = height;
  turned.Angle = angle;
  turned.CentreX = centreX;
  turned.CentreY = centreY;
  turned.Keyed = keyed;
  turned.Key = key;
  TurnPattern(item, src, turned);
  return turned;
}

void DrawRotatedCore(const ImageItem& item, Bitmap& dest, int x, int y, int width, int height,
                     int pattern, double centreX, double centreY, int angle, int alpha) {
  Rect src;
  if (width <= 0 || height <= 0 || alpha <= 0 || !item.PatternRect(pattern, &src)) return;
  const ImageItem::Turned& turned = TurnedPattern(item, src, pattern, width, height, centreX, centreY, angle);
  const uint16_t* pixels = turned.Pixels.data();
  for (const ImageItem::Turned::Span& span : turned.Spans) {
    const int py = y + span.Dy;
    if (py < 0 || py >= dest.Height) continue;
    const int from = std::max(0, x + span.Dx), to = std::min(dest.Width, x + span.Dx + span.Length);
    if (from >= to) continue;
    uint16_t* d = dest.Row(py);
    const uint16_t* s = pixels + span.Offset - (x + span.Dx);
    if (alpha >= 255) {
      CopyPixels(d + from, s + from, to - from);
    } else {
      for (int px = from; px < to; ++px) d[px] = Blend565(d[px], s[px], alpha);
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
      const uint16_t* s = item.Picture.Row(src.Top + dy - y) + sx;
      uint16_t* d = dest.Row(dy) + clip.x0;
      // A board cell's row is short enough that a call to memcpy costs more than the copy.
      if (n <= 64) {
        CopyPixels(d, s, n);
      } else {
        std::memcpy(d, s, static_cast<size_t>(n) * 2);
      }
    }
    return;
  }
  const uint32_t* starts = item.PatternRuns(pattern);
  if (!starts) {
    for (int dy = clip.y0; dy < clip.y1; ++dy) {
      CopyKeyedRow(item.Picture.Row(src.Top + dy - y) + sx, dest.Row(dy) + clip.x0, n, item.Key());
    }
    return;
  }
  // Only the runs of visible pixels are read at all; most are a few pixels long.
  const ImageItem::Run* runs = item.Runs();
  const uint16_t* packed = item.RunPixels();
  for (int dy = clip.y0; dy < clip.y1; ++dy) {
    uint16_t* d = dest.Row(dy) + clip.x0;
    const ImageItem::Run* last = runs + starts[dy - y + 1];
    for (const ImageItem::Run* run = runs + starts[dy - y]; run != last; ++run) {
      const int from = std::max<int>(run->X, sx);
      const int to = std::min<int>(run->X + run->Length, sx + n);
      if (from < to) CopyPixels(d + from - sx, packed + run->Offset + (from - run->X), to - from);
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
