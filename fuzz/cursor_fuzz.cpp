// SPDX-License-Identifier: GPL-3.0-or-later
// The animated cursor and its frames.
#include "fuzz_check.h"
#include "media/ani.h"

using namespace plumix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ParseAni(FuzzBytes(data, size));
  ParseCursorImage(FuzzBytes(data, size));
  return 0;
}
