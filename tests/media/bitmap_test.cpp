// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "media/bitmap.h"

namespace plumix {
namespace {

TEST(Codecs, PngRoundTripKeepsEveryPixel) {
  RgbImage image;
  image.Width = 3;
  image.Height = 2;
  image.Rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 250, 0, 147, 1, 2, 3, 255, 255, 255};
  auto decoded = DecodeImage(EncodePng(image));
  ASSERT_TRUE(decoded) << decoded.Error;
  EXPECT_EQ(decoded.Value->Width, 3);
  EXPECT_EQ(decoded.Value->Rgb, image.Rgb);
}

// A cut file would decode with its lower part grey; it must be refused instead.
TEST(Codecs, JpegCutShortIsRefusedAndWholeIsRead) {
  RgbImage image;
  image.Width = 64;
  image.Height = 64;
  for (int i = 0; i < 64 * 64; ++i) image.Rgb.insert(image.Rgb.end(), {uint8_t(i), uint8_t(i >> 4), 90});
  std::vector<uint8_t> jpeg = EncodeJpeg(image, 90);
  ASSERT_TRUE(DecodeImage(jpeg));
  jpeg.resize(jpeg.size() / 2);
  auto cut = DecodeImage(jpeg);
  ASSERT_FALSE(cut);
  EXPECT_NE(cut.Error.find("Premature end"), std::string::npos) << cut.Error;
  jpeg.insert(jpeg.end(), {0xFF, 0xD9});  // an end marker where the data should go on
  EXPECT_FALSE(DecodeImage(jpeg));
}

}  // namespace
}  // namespace plumix
