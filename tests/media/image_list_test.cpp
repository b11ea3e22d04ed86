// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>
#include <gtest/gtest.h>

#include "media/image_list.h"

namespace plumix {
namespace {

ImageItem Sized(int w, int h, int pw, int ph) {
  ImageItem item;
  item.Name = "Test";
  item.Picture = Bitmap(w, h);
  item.PatternWidth = pw;
  item.PatternHeight = ph;
  item.Restore();
  return item;
}

TEST(PatternGeometry, RemainderStripIsNeverAPattern) {
  ImageItem seismograph = Sized(2622, 72, 96, 72);
  EXPECT_EQ(seismograph.PatternCount(), 27);
  Rect last;
  ASSERT_TRUE(seismograph.PatternRect(26, &last));
  EXPECT_EQ(last.Left, 26 * 96);
  EXPECT_LE(last.Right, 2622 - 30);
  Rect none;
  EXPECT_FALSE(seismograph.PatternRect(27, &none));
  EXPECT_FALSE(seismograph.PatternRect(-1, &none));
}

TEST(PatternGeometry, PatternsAreNumberedRowByRow) {
  ImageItem grid = Sized(35, 25, 10, 10);  // 3 columns, 2 rows, remainders on both sides
  EXPECT_EQ(grid.PatternCount(), 6);
  EXPECT_EQ(grid.Width(), 10);
  EXPECT_EQ(grid.Height(), 10);
  Rect r;
  ASSERT_TRUE(grid.PatternRect(4, &r));
  EXPECT_EQ(r.Left, 10);
  EXPECT_EQ(r.Top, 10);
  ASSERT_TRUE(grid.PatternRect(2, &r));
  EXPECT_EQ(r.Left, 20);
  EXPECT_EQ(r.Top, 0);
}

TEST(PatternGeometry, WholePictureIsOnePattern) {
  ImageItem whole = Sized(21, 26, 0, 0);
  EXPECT_EQ(whole.PatternCount(), 1);
  EXPECT_EQ(whole.Width(), 21);
  ImageItem same = Sized(25, 25, 25, 25);
  EXPECT_EQ(same.PatternCount(), 1);
  Rect r;
  ASSERT_TRUE(same.PatternRect(0, &r));
  EXPECT_EQ(r.Width(), 25);
  EXPECT_EQ(Sized(0, 0, 0, 0).PatternCount(), 0);
}

TEST(PatternGeometry, ColourKeyIsConvertedTo16Bits) {
  ImageItem item = Sized(12, 16, 0, 0);
  item.Transparent = true;
  item.TransparentColor = 0x9300FA;  // red FA, green 00, blue 93
  item.Restore();
  EXPECT_EQ(item.Key(), Rgb565(0xFA, 0x00, 0x93));
}

TEST(ImageListLookup, FindIgnoresLetterCaseAndGetNamesTheMissingImage) {
  ImageList list("DXImageList");
  ImageItem a = Sized(4, 4, 0, 0);
  a.Name = "NeonMoon";
  list.Add(a);
  ImageItem b = Sized(4, 4, 0, 0);
  b.Name = "Digits";
  list.Add(b);
  EXPECT_EQ(list.Find("neonmoon"), &list.Item(0));
  EXPECT_EQ(list.Find("DIGITS"), &list.Item(1));
  EXPECT_EQ(list.Find("Digit"), nullptr);
  try {
    list.Get("Tile_Z");
    FAIL() << "an unknown image must raise";
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Image 'Tile_Z' not found");
  }
}

TEST(ImageListLookup, LoadFromFileReplacesThePictureAndRestores) {
  RgbImage rgb;
  rgb.Width = 50;
  rgb.Height = 25;
  rgb.Rgb.assign(50 * 25 * 3, 200);
  auto path = std::filesystem::temp_directory_path() / ("plumix-load-test-" + std::to_string(::getpid()) + ".jpg");
  ASSERT_TRUE(WriteFileBytes(path, EncodeJpeg(rgb, 90), nullptr));
  ImageItem item = Sized(10, 10, 25, 25);
  item.LoadFromFile(path);
  EXPECT_EQ(item.Picture.Width, 50);
  EXPECT_EQ(item.PatternCount(), 2);
  std::filesystem::remove(path);
  EXPECT_THROW(item.LoadFromFile(path), GameError);
}

}  // namespace
}  // namespace plumix
