// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing of image patterns onto a 16-bit surface. Every operation clips to
// the destination; a pattern index outside the item's patterns draws nothing;
// transparent items skip the pixels equal to their colour key.
#include "media/bitmap.h"
#include "media/image_list.h"

namespace plumix {

void DrawImage(const ImageItem& item, Bitmap& dest, int x, int y, int pattern);
void StretchImage(const ImageItem& item, Bitmap& dest, Rect rect, int pattern);
// Scaled to width x height, turned by angle (256 units a full turn, clockwise
// on screen) about (x, y); (centreX, centreY) in 0..1 is the point of the
// image that lands on (x, y).
void DrawImageRotated(const ImageItem& item, Bitmap& dest, int x, int y, int width, int height,
                      int pattern, double centreX, double centreY, int angle);
// Alpha 0 draws nothing, 255 draws opaque, in between a proportional mix.
void DrawImageRotatedAlpha(const ImageItem& item, Bitmap& dest, int x, int y, int width,
                           int height, int pattern, double centreX, double centreY, int angle,
                           int alpha);
// Scaled to width x height at (x, y); destination row r is shifted sideways by
// amplitude * sin(2 pi (phase + r * 256 / length) / 256), rounded; length 0: no shift.
void DrawImageWaved(const ImageItem& item, Bitmap& dest, int x, int y, int width, int height,
                    int pattern, int amplitude, int length, int phase);
void DrawImageWavedAlpha(const ImageItem& item, Bitmap& dest, int x, int y, int width, int height,
                         int pattern, int amplitude, int length, int phase, int alpha);
// The sideways shift of one destination row of DrawImageWaved.
int WaveShift(int row, int amplitude, int length, int phase);

void FillBitmap(Bitmap& dest, Colour colour);
void FillRect(Bitmap& dest, Rect rect, Colour colour);
// Mixes one pixel: alpha 0 keeps dest, 255 gives src.
uint16_t Blend565(uint16_t dest, uint16_t src, int alpha);

}  // namespace plumix
