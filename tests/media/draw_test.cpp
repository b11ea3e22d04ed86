// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "media/draw.h"

namespace plumix {
namespace {

constexpr uint16_t kA = Rgb565(255, 0, 0);
constexpr uint16_t kB = Rgb565(0, 0, 255);
constexpr uint16_t kBg = Rgb565(0, 80, 0);

// Two 2x2 patterns side by side: the first all kA, the second kB with a keyed corner.
ImageItem TwoPatterns(bool transparent) {
  ImageItem item;
  item.Name = "Two";
  item.Picture = Bitmap(4, 2, kA);
  for (int y = 0; y < 2; ++y) {
    for (int x = 2; x < 4; ++x) item.Picture.Row(y)[x] = kB;
  }
  // A shade that is not the key colour in 24 bits but is after conversion.
  item.Picture.Row(0)[3] = Rgb565(251, 1, 148);
  item.PatternWidth = 2;
  item.PatternHeight = 2;
  item.Transparent = transparent;
  item.TransparentColor = 0x9300FA;
  item.Restore();
  return item;
}

// A 4x2 picture, left half kA and right half kB, for the scaled draws.
ImageItem Halves() {
  ImageItem item;
  item.Name = "Halves";
  item.Picture = Bitmap(4, 2, kA);
  for (int y = 0; y < 2; ++y) item.Picture.Row(y)[2] = item.Picture.Row(y)[3] = kB;
  item.Restore();
  return item;
}

TEST(DrawImage, ColourKeySkipsPixelsThatMatchAfterConversion) {
  ImageItem item = TwoPatterns(true);
  Bitmap dest(8, 8, kBg);
  DrawImage(item, dest, 3, 3, 1);
  EXPECT_EQ(dest.At(3, 3), kB);
  EXPECT_EQ(dest.At(4, 3), kBg) << "the keyed pixel must leave the background";
  EXPECT_EQ(dest.At(4, 4), kB);
  EXPECT_EQ(dest.At(5, 3), kBg) << "only one pattern is drawn";
  ImageItem opaque = TwoPatterns(false);
  DrawImage(opaque, dest, 3, 3, 1);
  EXPECT_EQ(dest.At(4, 3), Rgb565(251, 1, 148));
}

// Patterns of noise in which visiblePercent of the pixels are not the key.
ImageItem NoisyKeyedPicture(int columns, int rows, int width, int height, uint32_t seed, int visiblePercent) {
  ImageItem item;
  item.Picture = Bitmap(columns * width, rows * height, kA);
  item.PatternWidth = width;
  item.PatternHeight = height;
  item.Transparent = true;
  item.TransparentColor = 0x9300FA;
  for (uint16_t& p : item.Picture.Pixels) {
    seed = seed * 1103515245 + 12345;
    p = (seed >> 16) % 100 < static_cast<uint32_t>(visiblePercent) ? static_cast<uint16_t>(seed >> 8)
                                                                    : ToRgb565(0x9300FA);
  }
  item.Restore();
  return item;
}

// Sparse pictures are drawn from their runs of visible pixels, dense ones
// pixel by pixel: both exactly as the colour key says, clipped at every edge.
TEST(DrawImage, KeyedPicturesSparseOrDenseDrawExactlyTheirVisiblePixels) {
  for (const int percent : {4, 70}) {
    ImageItem item = NoisyKeyedPicture(3, 2, 37, 19, 7, percent);  // two rows of three patterns
    for (const auto& [x, y] : {std::pair{-20, -7}, {5, 3}, {40, 12}}) {
      for (int pattern = 0; pattern < 6; ++pattern) {
        Bitmap dest(60, 24, kBg), expected(60, 24, kBg);
        DrawImage(item, dest, x, y, pattern);
        for (int py = std::max(0, y); py < std::min(24, y + 19); ++py) {
          for (int px = std::max(0, x); px < std::min(60, x + 37); ++px) {
            const uint16_t p = item.Picture.Row(pattern / 3 * 19 + py - y)[pattern % 3 * 37 + px - x];
            if (p != item.Key()) expected.Row(py)[px] = p;
          }
        }
        ASSERT_EQ(dest.Pixels, expected.Pixels) << percent << "% at " << x << ", " << y << " pattern " << pattern;
      }
    }
  }
}

TEST(DrawImage, PatternOutOfRangeDrawsNothing) {
  ImageItem item = TwoPatterns(false);
  Bitmap dest(8, 8, kBg);
  DrawImage(item, dest, 0, 0, -1);
  DrawImage(item, dest, 0, 0, item.PatternCount());
  StretchImage(item, dest, Rect{0, 0, 8, 8}, 2);
  DrawImageRotated(item, dest, 4, 4, 4, 4, 5, 0.5, 0.5, 10);
  DrawImageWaved(item, dest, 0, 0, 4, 4, -3, 2, 10, 0);
  for (uint16_t p : dest.Pixels) ASSERT_EQ(p, kBg);
}

TEST(DrawImage, ClipsAtEveryEdge) {
  ImageItem item = TwoPatterns(false);
  Bitmap dest(3, 3, kBg);
  DrawImage(item, dest, -1, -1, 0);
  EXPECT_EQ(dest.At(0, 0), kA);
  EXPECT_EQ(dest.At(1, 0), kBg);
  DrawImage(item, dest, 2, 2, 0);
  EXPECT_EQ(dest.At(2, 2), kA);
  DrawImage(item, dest, 100, -100, 0);
  EXPECT_EQ(dest.At(1, 1), kBg);
}

TEST(StretchImage, ScalesThePatternIntoTheRectangle) {
  ImageItem item = Halves();
  Bitmap dest(8, 4, kBg);
  StretchImage(item, dest, Rect{0, 0, 8, 4}, 0);
  EXPECT_EQ(dest.At(0, 0), kA);
  EXPECT_EQ(dest.At(3, 3), kA);
  EXPECT_EQ(dest.At(4, 0), kB);
  EXPECT_EQ(dest.At(7, 3), kB);
}

TEST(DrawImageRotated, QuarterTurnIs64Units) {
  ImageItem item = Halves();
  Bitmap dest(20, 20, kBg);
  // Scaled to 8x8 about its middle at (10, 10): left half kA, right half kB.
  DrawImageRotated(item, dest, 10, 10, 8, 8, 0, 0.5, 0.5, 0);
  EXPECT_EQ(dest.At(7, 10), kA);
  EXPECT_EQ(dest.At(12, 10), kB);
  Bitmap turned(20, 20, kBg);
  DrawImageRotated(item, turned, 10, 10, 8, 8, 0, 0.5, 0.5, 64);
  // A clockwise quarter turn brings the left half to the top.
  EXPECT_EQ(turned.At(10, 7), kA);
  EXPECT_EQ(turned.At(10, 12), kB);
  Bitmap full(20, 20, kBg);
  DrawImageRotated(item, full, 10, 10, 8, 8, 0, 0.5, 0.5, 256);
  EXPECT_EQ(full.Pixels, dest.Pixels) << "256 units are a full turn";
}

TEST(DrawImageRotated, CentreChoosesThePointThatLandsOnXY) {
  ImageItem item = Halves();
  Bitmap dest(20, 20, kBg);
  DrawImageRotated(item, dest, 10, 10, 8, 8, 0, 0.0, 0.0, 0);
  EXPECT_EQ(dest.At(10, 10), kA) << "top-left corner at (10, 10)";
  EXPECT_EQ(dest.At(17, 17), kB);
  EXPECT_EQ(dest.At(9, 9), kBg);
  Bitmap empty(20, 20, kBg);
  DrawImageRotated(item, empty, 10, 10, 0, 8, 0, 0.5, 0.5, 0);
  DrawImageRotated(item, empty, 10, 10, 8, 0, 0, 0.5, 0.5, 0);
  for (uint16_t p : empty.Pixels) ASSERT_EQ(p, kBg);
}

// A turned pattern is kept and drawn again at other places: every pixel of
// every draw, clipped or not, keyed or blended, is still the picture point its
// centre turns back to.
TEST(DrawImageRotated, EveryPixelIsThePicturePointItsCentreTurnsBackTo) {
  ImageItem item = NoisyKeyedPicture(2, 1, 13, 9, 11, 80);
  struct Case {
    int X, Y, Width, Height, Pattern;
    double Centre;
    int Angle, Alpha;
  };
  // The same turn at several places (inside, over each edge, off the
  // surface) and then other sizes, angles, centres and opacities.
  const Case cases[] = {{20, 15, 17, 11, 1, 0.5, 37, 255}, {2, 3, 17, 11, 1, 0.5, 37, 255},
                        {38, 29, 17, 11, 1, 0.5, 37, 255}, {-5, 15, 17, 11, 1, 0.5, 37, 255},
                        {20, -4, 17, 11, 1, 0.5, 37, 255}, {90, 90, 17, 11, 1, 0.5, 37, 255},
                        {20, 15, 24, 24, 0, 0.5, 64, 255}, {21, 14, 9, 30, 0, 0.0, 200, 255},
                        {-1, 31, 13, 9, 1, 0.5, 128, 140}, {20, 15, 6, 5, 1, 0.5, 0, 60}};
  for (const Case& c : cases) {
    Bitmap dest(41, 32, kBg);
    DrawImageRotatedAlpha(item, dest, c.X, c.Y, c.Width, c.Height, c.Pattern, c.Centre, c.Centre, c.Angle,
                          c.Alpha);
    Bitmap expected(41, 32, kBg);
    const double theta = c.Angle * 2.0 * std::numbers::pi / 256.0;
    const double cs = std::cos(theta), sn = std::sin(theta);
    for (int py = 0; py < expected.Height; ++py) {
      for (int px = 0; px < expected.Width; ++px) {
        const double dx = px + 0.5 - c.X, dy = py + 0.5 - c.Y;
        const double u = cs * dx + sn * dy + c.Centre * c.Width;
        const double v = -sn * dx + cs * dy + c.Centre * c.Height;
        if (u < 0 || v < 0 || u >= c.Width || v >= c.Height) continue;
        const int sx = c.Pattern * 13 + static_cast<int>(u) * 13 / c.Width;
        const uint16_t p = item.Picture.At(sx, static_cast<int>(v) * 9 / c.Height);
        if (p != item.Key()) expected.Row(py)[px] = Blend565(kBg, p, c.Alpha);
      }
    }
    ASSERT_EQ(dest.Pixels, expected.Pixels) << "at " << c.X << ", " << c.Y << " angle " << c.Angle;
  }
}

TEST(DrawImageWaved, RowsShiftAlongTheWave) {
  EXPECT_EQ(WaveShift(0, 5, 100, 0), 0);
  EXPECT_EQ(WaveShift(25, 5, 100, 0), 5);   // sin(pi/2)
  EXPECT_EQ(WaveShift(75, 5, 100, 0), -5);  // sin(3pi/2)
  EXPECT_EQ(WaveShift(0, 5, 100, 64), 5);   // a phase of 64 is a quarter period
  EXPECT_EQ(WaveShift(10, 5, 0, 30), 0) << "length 0 does not wave";
  EXPECT_EQ(WaveShift(7, 4, 100, 10), 3);   // 4 sin(2 pi (10 + 7 x 2.56) / 256) = 2.53
  EXPECT_EQ(WaveShift(60, 5, 100, 0), -3);  // 5 sin(2 pi 0.6) = -2.94

  ImageItem item = Halves();
  Bitmap flat(16, 4, kBg), waved(16, 4, kBg);
  DrawImageWaved(item, flat, 4, 0, 8, 4, 0, 0, 0, 0);
  Bitmap stretched(16, 4, kBg);
  StretchImage(item, stretched, Rect{4, 0, 12, 4}, 0);
  EXPECT_EQ(flat.Pixels, stretched.Pixels) << "amplitude and length 0 is a plain scaled draw";
  DrawImageWaved(item, waved, 4, 0, 8, 4, 0, 3, 4, 0);  // row 1 shifted by +3
  EXPECT_EQ(waved.At(4, 0), kA);
  EXPECT_EQ(waved.At(6, 1), kBg);
  EXPECT_EQ(waved.At(7, 1), kA);
  EXPECT_EQ(waved.At(1, 3), kA) << "row 3 shifted by -3";
}

TEST(AlphaDrawing, ZeroIsInvisibleAndFullIsOpaque) {
  ImageItem item = Halves();
  Bitmap dest(8, 8, kBg);
  DrawImageWavedAlpha(item, dest, 0, 0, 4, 2, 0, 0, 0, 0, 0);
  DrawImageRotatedAlpha(item, dest, 4, 4, 4, 2, 0, 0.5, 0.5, 0, 0);
  for (uint16_t p : dest.Pixels) ASSERT_EQ(p, kBg);
  DrawImageWavedAlpha(item, dest, 0, 0, 4, 2, 0, 0, 0, 0, 255);
  EXPECT_EQ(dest.At(0, 0), kA);
  Bitmap half(8, 8, kBg);
  DrawImageWavedAlpha(item, half, 0, 0, 4, 2, 0, 0, 0, 0, 128);
  uint16_t mixed = half.At(0, 0);
  EXPECT_GT(mixed >> 11, 10);  // red about half way
  EXPECT_LT(mixed >> 11, 21);
  EXPECT_GT((mixed >> 5) & 63, 5);  // green about half of the background
  EXPECT_LT((mixed >> 5) & 63, 15);
  EXPECT_EQ(Blend565(kBg, kA, 0), kBg);
  EXPECT_EQ(Blend565(kBg, kA, 255), kA);
}

}  // namespace
}  // namespace plumix
