// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "media/draw.h"
#include "media/gamma.h"
#include "media/text.h"

namespace plumix {
namespace {

const std::filesystem::path kFonts = std::filesystem::path(PLUMIX_GAME_DIR) / "Graphics/Fonts";

TEST(CodePage1250, AccentedLettersConvertBothWays) {
  // "Čučkić Đuro Šiš Žaba" in code page 1250.
  std::string cp = "\xC8u\xE8ki\xE6 \xD0uro \x8Ai\x9A \x8E" "aba";
  std::string utf8 = Cp1250ToUtf8(cp);
  EXPECT_EQ(utf8, "Čučkić Đuro Šiš Žaba");
  EXPECT_EQ(Utf8ToCp1250(utf8), cp);
  for (int b = 0x20; b < 0x100; ++b) {
    std::string one(1, static_cast<char>(b));
    std::string back = Utf8ToCp1250(Cp1250ToUtf8(one));
    if (back != "?") {
      EXPECT_EQ(back, one) << "byte " << b;
    }
  }
  EXPECT_EQ(Utf8ToCp1250("日"), "?");
  EXPECT_EQ(Utf8ToCp1250("\xC4"), "?") << "a cut sequence";
  EXPECT_EQ(Utf8ToCp1250("a\xC0\x8A" "b"), "a??b") << "an overlong line end is no line end";
}

class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fonts.Install("Arial CE", kFonts / "Font1.ttf"));
    ASSERT_TRUE(fonts.Install("Shotgun BT", kFonts / "Font2.ttf", 1.15));
  }
  // Bounding box of the pixels that are not black.
  Rect Inked() const {
    Rect r{10000, 10000, -1, -1};
    for (int y = 0; y < surface.Height; ++y) {
      for (int x = 0; x < surface.Width; ++x) {
        if (surface.At(x, y) != 0) {
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x + 1);
          r.Bottom = std::max(r.Bottom, y + 1);
        }
      }
    }
    return r;
  }
  Fonts fonts;
  Bitmap surface{400, 200};
  Canvas canvas{surface, fonts};
};

TEST_F(CanvasTest, TextStartsAtItsTopLeftCornerInTheFontColour) {
  canvas.Brush.Clear = true;
  canvas.Font = {"Arial CE", 12, kStyleNormal, kWhite};
  canvas.TextOut(50, 40, "HELLO");
  Rect ink = Inked();
  EXPECT_GE(ink.Left, 50);
  EXPECT_LE(ink.Left, 53);
  EXPECT_GE(ink.Top, 40);
  EXPECT_LE(ink.Top, 46);
  EXPECT_NEAR(ink.Height(), 12, 3) << "capitals of 12 points at 96 dpi";
  bool pureWhite = false;
  for (uint16_t p : surface.Pixels) pureWhite |= p == 0xFFFF;
  EXPECT_TRUE(pureWhite);
}

TEST_F(CanvasTest, SizesScaleAndStylesWiden) {
  int w12 = fonts.TextWidth("Arial CE", 12, kStyleNormal, "Load Adventure");
  int w24 = fonts.TextWidth("Arial CE", 24, kStyleNormal, "Load Adventure");
  int bold = fonts.TextWidth("Arial CE", 12, kStyleBold, "Load Adventure");
  EXPECT_NEAR(w24, 2 * w12, 4);
  EXPECT_GT(bold, w12);
  int plain = fonts.TextWidth("Shotgun BT", 36, kStyleNormal, "Main Menu");
  Fonts narrow;
  narrow.Install("Shotgun BT", kFonts / "Font2.ttf");
  EXPECT_GT(plain, narrow.TextWidth("Shotgun BT", 36, kStyleNormal, "Main Menu"));
  EXPECT_GT(fonts.TextWidth("Unknown Face", 12, kStyleNormal, "abc"), 0) << "unknown faces fall back";
  // The drawn bold cut replaces the emboldened regular one.
  int synthetic = fonts.TextWidth("Arial CE", 26, kStyleBold, "1234567890");
  ASSERT_TRUE(fonts.InstallBold("Arial CE", kFonts / "Font1Bold.ttf"));
  EXPECT_NE(fonts.TextWidth("Arial CE", 26, kStyleBold, "1234567890"), synthetic);
  EXPECT_EQ(fonts.TextWidth("Arial CE", 12, kStyleNormal, "Load Adventure"), w12);
  EXPECT_FALSE(fonts.InstallBold("No Such Face", kFonts / "Font1Bold.ttf"));
}

TEST_F(CanvasTest, SolidBrushFillsBehindTextAndRectangleUsesThePen) {
  canvas.Brush.Clear = false;
  canvas.Brush.Color = kRed;
  canvas.Font = {"Arial CE", 10, kStyleNormal, kWhite};
  canvas.TextOut(10, 10, "x");
  EXPECT_EQ(surface.At(10, 10), ToRgb565(kRed));
  FillBitmap(surface, kBlack);
  canvas.Brush.Clear = true;
  canvas.Pen = {kGreen, 3};
  canvas.Rectangle(100, 50, 200, 150);
  EXPECT_EQ(surface.At(100, 100), ToRgb565(kGreen));
  EXPECT_EQ(surface.At(150, 100), 0) << "a clear brush leaves the inside";
  canvas.MoveTo(0, 0);
  canvas.LineTo(20, 20);
  EXPECT_EQ(surface.At(10, 10), ToRgb565(kGreen));
}

TEST(GammaTable, IdentityKeepsFullWhiteAndTheRampShapesEveryChannel) {
  GammaTable table;
  EXPECT_EQ(table[0xFFFF], 0xFFFFFFFFu) << "full green is 255, not 254";
  EXPECT_EQ(table[0], 0xFF000000u);
  EXPECT_EQ(table[Rgb565(0, 0, 255)], 0xFF0000FFu);
  GammaRamp ramp = GammaRamp::Identity();
  for (auto& v : ramp.Red) v = static_cast<uint16_t>(65535 - v);
  table.Build(ramp);
  EXPECT_EQ(table[0], 0xFFFF0000u) << "an inverted red ramp makes black red";
}

}  // namespace
}  // namespace plumix
