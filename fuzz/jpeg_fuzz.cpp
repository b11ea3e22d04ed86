// SPDX-License-Identifier: GPL-3.0-or-later
// A theme picture in JPEG form.
#include "fuzz_check.h"
#include "media/bitmap.h"

using namespace plumix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Parsed<RgbImage> image = DecodeJpeg(FuzzBytes(data, size));
  if (!image) return 0;
  FUZZ_CHECK(image.Value->Rgb.size() == size_t(image.Value->Width) * image.Value->Height * 3);
  ToBitmap(*image.Value);
  return 0;
}
