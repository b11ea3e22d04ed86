// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Animated cursor files (RIFF "ACON"): the frames, their hot spots and timing.
#include <cstdint>
#include <span>
#include <vector>

#include "media/error.h"

namespace plumix {

struct CursorFrame {
  int Width = 0;
  int Height = 0;
  int HotX = 0;
  int HotY = 0;
  std::vector<uint32_t> Argb;  // 0xAARRGGBB, row by row from the top
};

struct AniCursor {
  std::vector<CursorFrame> Frames;
  std::vector<int> Sequence;  // frame index per step
  std::vector<int> Rates;     // duration of each step in 1/60 s
};

Parsed<AniCursor> ParseAni(std::span<const uint8_t> bytes);
// One icon or cursor image (the .ico/.cur directory's first entry).
Parsed<CursorFrame> ParseCursorImage(std::span<const uint8_t> bytes);

}  // namespace plumix
