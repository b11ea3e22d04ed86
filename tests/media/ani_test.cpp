// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "cursor.h"
#include "riff.h"
#include "media/ani.h"
#include "media/bitmap.h"

namespace plumix {
namespace {

using assetgen::Chunk;
using assetgen::Le16;
using assetgen::Le32;

// A 4 x 2 one-bit cursor: palette black and red, left half masked out.
std::vector<uint8_t> OneBitCursor(uint16_t hotX, uint16_t hotY) {
  std::vector<uint8_t> image;
  Le32(image, 40);
  Le32(image, 4);
  Le32(image, 4);
  Le16(image, 1);
  Le16(image, 1);
  for (int i = 0; i < 6; ++i) Le32(image, 0);
  Le32(image, 0x000000);
  Le32(image, 0xFF0000);  // red as BGRX
  Le32(image, 0xA0);  // bottom row: 1 0 1 0
  Le32(image, 0x30);  // top row:    0 0 1 1
  Le32(image, 0xC0);  // mask rows: left two pixels clear
  Le32(image, 0xC0);
  std::vector<uint8_t> file;
  Le16(file, 0);
  Le16(file, 2);
  Le16(file, 1);
  file.insert(file.end(), {4, 2, 0, 0});
  Le16(file, hotX);
  Le16(file, hotY);
  Le32(file, static_cast<uint32_t>(image.size()));
  Le32(file, 22);
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

std::vector<uint8_t> Ani(const std::vector<std::vector<uint8_t>>& frames, const std::vector<uint32_t>& seq,
                         const std::vector<uint32_t>& rates, uint32_t flags = 1, uint32_t headerFrames = 0) {
  std::vector<uint8_t> body{'A', 'C', 'O', 'N'}, header, list{'f', 'r', 'a', 'm'}, s, r;
  Le32(header, 36);
  Le32(header, headerFrames ? headerFrames : static_cast<uint32_t>(frames.size()));
  Le32(header, static_cast<uint32_t>(seq.empty() ? frames.size() : seq.size()));
  for (int i = 0; i < 4; ++i) Le32(header, 0);
  Le32(header, 7);
  Le32(header, flags);
  Chunk(body, "anih", header);
  for (uint32_t v : seq) Le32(s, v);
  for (uint32_t v : rates) Le32(r, v);
  if (!seq.empty()) Chunk(body, "seq ", s);
  if (!rates.empty()) Chunk(body, "rate", r);
  for (const auto& f : frames) Chunk(list, "icon", f);
  Chunk(body, "LIST", list);
  std::vector<uint8_t> file;
  Chunk(file, "RIFF", body);
  return file;
}

TEST(CursorImage, DecodesPaletteMaskAndRowOrder) {
  auto parsed = ParseCursorImage(OneBitCursor(3, 1));
  ASSERT_TRUE(parsed) << parsed.Error;
  const CursorFrame& f = *parsed.Value;
  EXPECT_EQ(f.Width, 4);
  EXPECT_EQ(f.Height, 2);
  EXPECT_EQ(f.HotX, 3);
  EXPECT_EQ(f.HotY, 1);
  // Top row (stored last) is 0 0 1 1 with the first two masked away.
  EXPECT_EQ(f.Argb[0], 0u);
  EXPECT_EQ(f.Argb[1], 0u);
  EXPECT_EQ(f.Argb[2], 0xFFFF0000u);
  EXPECT_EQ(f.Argb[3], 0xFFFF0000u);
  EXPECT_EQ(f.Argb[6], 0xFFFF0000u);
  EXPECT_EQ(f.Argb[7], 0xFF000000u);
}

TEST(CursorImage, RejectsDamagedFiles) {
  std::vector<uint8_t> good = OneBitCursor(0, 0);
  for (size_t cut = 0; cut < good.size(); ++cut) {
    std::vector<uint8_t> part(good.begin(), good.begin() + cut);
    EXPECT_FALSE(ParseCursorImage(part)) << "accepted a file cut to " << cut << " bytes";
  }
  auto bad = good;
  bad[2] = 5;  // neither icon nor cursor
  EXPECT_FALSE(ParseCursorImage(bad));
  bad = good;
  bad[22 + 14] = 3;  // three bits a pixel
  EXPECT_NE(ParseCursorImage(bad).Error.find("depth"), std::string::npos);
  bad = good;
  bad[22 + 16] = 1;  // run-length compressed
  EXPECT_FALSE(ParseCursorImage(bad));
  bad = good;
  bad[22 + 4] = 0;  // zero width
  EXPECT_FALSE(ParseCursorImage(bad));
  bad = good;
  bad[18] = 0xFF;  // offset far outside
  EXPECT_NE(ParseCursorImage(bad).Error.find("outside"), std::string::npos);
  std::vector<uint8_t> png = good;
  const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
  std::copy(sig, sig + 8, png.begin() + 22);
  EXPECT_NE(ParseCursorImage(png).Error.find("PNG"), std::string::npos);
}

TEST(AniCursor, ReadsSequenceAndRates) {
  auto frame = OneBitCursor(1, 1);
  auto parsed = ParseAni(Ani({frame, frame}, {1, 0, 1}, {4, 8, 12}, 3));
  ASSERT_TRUE(parsed) << parsed.Error;
  EXPECT_EQ(parsed.Value->Frames.size(), 2u);
  EXPECT_EQ(parsed.Value->Sequence, (std::vector<int>{1, 0, 1}));
  EXPECT_EQ(parsed.Value->Rates, (std::vector<int>{4, 8, 12}));
}

TEST(AniCursor, DefaultsToFrameOrderAndHeaderRate) {
  auto frame = OneBitCursor(0, 0);
  auto parsed = ParseAni(Ani({frame, frame, frame}, {}, {}));
  ASSERT_TRUE(parsed) << parsed.Error;
  EXPECT_EQ(parsed.Value->Sequence, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(parsed.Value->Rates, (std::vector<int>{7, 7, 7}));
}

TEST(AniCursor, RejectsInconsistentFiles) {
  auto frame = OneBitCursor(0, 0);
  EXPECT_FALSE(ParseAni(Ani({frame}, {0, 1}, {})));                 // sequence names frame 1
  EXPECT_FALSE(ParseAni(Ani({frame}, {0}, {5, 5})));                // two rates for one step
  EXPECT_FALSE(ParseAni(Ani({frame}, {}, {}, 0)));                  // raw frames
  EXPECT_FALSE(ParseAni(Ani({frame}, {}, {}, 1, 2)));               // header counts two frames
  EXPECT_FALSE(ParseAni(Ani({frame}, {}, {}, 3)));                  // sequence flag, no sequence
  auto file = Ani({frame}, {}, {});
  for (size_t cut = 0; cut < file.size(); cut += 3) {
    std::vector<uint8_t> part(file.begin(), file.begin() + cut);
    EXPECT_FALSE(ParseAni(part)) << "accepted a file cut to " << cut << " bytes";
  }
  auto wrong = file;
  wrong[8] = 'X';
  EXPECT_FALSE(ParseAni(wrong));
  auto huge = file;
  huge[16] = 0xFF;  // the header chunk claims to be enormous
  huge[17] = 0xFF;
  EXPECT_FALSE(ParseAni(huge));
}

TEST(AniCursor, WriterRoundTripsThroughTheReader) {
  AniCursor cursor = assetgen::ArrowCursor();
  auto parsed = ParseAni(assetgen::WriteAni(cursor));
  ASSERT_TRUE(parsed) << parsed.Error;
  ASSERT_EQ(parsed.Value->Frames.size(), cursor.Frames.size());
  EXPECT_EQ(parsed.Value->Sequence, cursor.Sequence);
  EXPECT_EQ(parsed.Value->Rates, cursor.Rates);
  for (size_t i = 0; i < cursor.Frames.size(); ++i) {
    EXPECT_EQ(parsed.Value->Frames[i].Argb, cursor.Frames[i].Argb) << "frame " << i;
    EXPECT_EQ(parsed.Value->Frames[i].HotX, cursor.Frames[i].HotX);
  }
}

TEST(AniCursor, ShippedArrowIsAnAnimatedArrow) {
  std::string error;
  auto bytes = ReadFileBytes(std::string(PLUMIX_SOURCE_DIR) + "/data/CurArrow.ani", &error);
  ASSERT_FALSE(bytes.empty()) << error;
  auto parsed = ParseAni(bytes);
  ASSERT_TRUE(parsed) << parsed.Error;
  const AniCursor& c = *parsed.Value;
  ASSERT_GE(c.Frames.size(), 2u);
  EXPECT_NE(c.Frames.front().Argb, c.Frames.back().Argb) << "the frames should differ: it is animated";
  for (const CursorFrame& f : c.Frames) {
    EXPECT_EQ(f.Width, 32);
    EXPECT_EQ(f.Height, 32);
    // The hot spot is the arrow's tip: an opaque pixel near the top left.
    EXPECT_LT(f.HotX, 4);
    EXPECT_LT(f.HotY, 4);
    EXPECT_GT(f.Argb[static_cast<size_t>(f.HotY + 1) * 32 + f.HotX + 1] >> 24, 200u);
    EXPECT_EQ(f.Argb[31 * 32 + 31] >> 24, 0u) << "the far corner should be clear";
  }
}

}  // namespace
}  // namespace plumix
