// SPDX-License-Identifier: GPL-3.0-or-later
// A theme picture in PNG form.
#include <zlib.h>

#include <vector>

#include "fuzz_check.h"
#include "media/bitmap.h"

using namespace plumix;

namespace {

uint32_t BigEndian(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

// Nearly every mutated chunk would fail its CRC before the decoder looks at
// it, and the library gives the fuzzer no coverage to learn that from, so the
// CRCs are made right: the mutations then reach the chunk and image decoding.
void FixChunkCrcs(std::vector<uint8_t>& png) {
  size_t at = 8;
  while (at + 12 <= png.size()) {
    const uint32_t length = BigEndian(&png[at]);
    if (length > png.size() - at - 12) return;
    const uLong crc = crc32(0, &png[at + 4], static_cast<uInt>(length + 4));
    uint8_t* out = &png[at + 8 + length];
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    at += 12 + length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> png(data, data + size);
  FixChunkCrcs(png);
  Parsed<RgbImage> image = DecodePng(png);
  if (!image) return 0;
  FUZZ_CHECK(image.Value->Rgb.size() == size_t(image.Value->Width) * image.Value->Height * 3);
  ToBitmap(*image.Value);
  return 0;
}
