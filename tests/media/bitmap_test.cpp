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

}  // namespace
}  // namespace plumix
