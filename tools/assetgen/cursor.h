// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The animated arrow cursor and the writer of its RIFF "ACON" file.
#include <cstdint>
#include <vector>

#include "media/ani.h"

namespace assetgen {

plumix::AniCursor ArrowCursor();
// Frames as 32-bit cursor images with an AND mask; a sequence and rate chunk.
std::vector<uint8_t> WriteAni(const plumix::AniCursor& cursor);

}  // namespace assetgen
