// SPDX-License-Identifier: GPL-3.0-or-later
// The length of a music track.
#include "fuzz_check.h"
#include "media/sound.h"

using namespace plumix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Parsed<int> length = MidiLengthMs(FuzzBytes(data, size));
  if (length) FUZZ_CHECK(*length.Value >= 0);
  return 0;
}
