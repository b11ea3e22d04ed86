// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "engine/board.h"
#include "media/draw.h"
#include "media/panels.h"
#include "support/harness.h"
#include "support/probes.h"

namespace plumix {
namespace {

using testing::Harness;
using testing::Digits;
using testing::MakeTestAdventure;

class PanelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.WarmUp();
    h.StartLevel(MakeTestAdventure(), 1);
  }
  TMain& game() { return h.Game(); }
  Harness h;
};

TEST(CounterText, PadsWithZerosAndKeepsTheLeadingDigits) {
  EXPECT_EQ(CounterText(42, 6), "000042");
  EXPECT_EQ(CounterText(1234567, 6), "123456");
  EXPECT_EQ(CounterText(7, 2), "07");
  EXPECT_EQ(CounterText(0, 3), "000");
  EXPECT_EQ(CounterText(999, 3), "999");
  EXPECT_EQ(CounterText(1000, 3), "100");
  EXPECT_EQ(CounterText(-5, 4), "0000") << "a negative value shows as 0";
}

TEST_F(PanelsTest, CountersSetEveryDigitAndStoreTheirValue) {
  ShowScore(game(), 1234567);
  EXPECT_EQ(Digits(game().Panels.ScoreDigits), "123456");
  EXPECT_EQ(game().Adv.Score, 1234567);
  ShowScore(game(), 42);
  EXPECT_EQ(Digits(game().Panels.ScoreDigits), "000042");
  ShowCountdown(game(), 7);
  EXPECT_EQ(Digits(game().Panels.CountdownDigits), "07");
  ShowLinesLeft(game(), 5);
  EXPECT_EQ(game().Play.LinesLeft, 5);
  EXPECT_EQ(Digits(game().Panels.LinesDigits), "005");
  ShowLinesLeft(game(), 4321);
  EXPECT_EQ(Digits(game().Panels.LinesDigits), "432");
  // An Action level has no time digits; showing the time changes only the value.
  ShowTimeLeft(game(), 12);
  EXPECT_EQ(game().Play.TimeLeft, 12);
  EXPECT_FALSE(game().Panels.TimeDigits[0]);
}

TEST_F(PanelsTest, ThePlaySpritesOfALevelAndTheirAnimationSpeed) {
  const PanelState& p = game().Panels;
  EXPECT_EQ(game().M.DXSpriteEngine.Count(), 6 + 2 + 3 + 5 + 5 + 4);
  EXPECT_EQ(Digits(p.LinesDigits), "010");
  EXPECT_EQ(Digits(p.CountdownDigits), "00");
  EXPECT_EQ(p.ScoreDigits[0].Get()->X, 917);
  EXPECT_EQ(p.ScoreDigits[5].Get()->X, 992);
  EXPECT_EQ(p.Seismograph.Get()->X, 17);
  EXPECT_EQ(p.Seismograph.Get()->Y, 631);
  const double s = PlayAnimationSpeed(90);
  EXPECT_DOUBLE_EQ(s, 100.0 / 360);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_DOUBLE_EQ(p.Sums[k].Get()->AnimationSpeed, s);
    EXPECT_GE(p.Sums[k].Get()->X, 1024) << "no reward badge shows before it is earned";
    EXPECT_EQ(p.Sums[k].Get()->Y, 511 + 48 * (k - 1));
  }
  EXPECT_EQ(PlayAnimationSpeed(0), 0.0) << "no rate known yet: no animation";

  AdventureRecord bonus = MakeTestAdventure();
  bonus.Levels[1].LevelType = 1;
  bonus.Levels[1].TimeToFinish = 321;
  h.StartLevel(bonus, 1);
  EXPECT_EQ(Digits(game().Panels.TimeDigits), "0321");
  EXPECT_FALSE(game().Panels.LinesDigits[0]) << "a level has either lines or time";
  AdventureRecord other = MakeTestAdventure();
  other.Levels[1].LevelType = 2;
  h.StartLevel(other, 1);
  EXPECT_EQ(game().M.DXSpriteEngine.Count(), 6 + 2 + 5 + 5 + 4);
  h.RunFrames(3);
  EXPECT_EQ(game().Errors.size(), 0u);
}

TEST_F(PanelsTest, StaticNoiseFillsTheSlotsTheLevelLeavesUnused) {
  // The test level shows two next elements.
  for (int k = 1; k <= kNoiseSlots; ++k) {
    EXPECT_EQ(game().Panels.Noise[k].Get()->X, k <= 2 ? -200 : 8) << "slot " << k;
    EXPECT_EQ(game().Panels.Noise[k].Get()->Y, 41 + 112 * (k - 1));
  }
  PlayLevel(game()).NextElements = 0;
  PlaceNoiseSprites(game());
  for (int k = 1; k <= kNoiseSlots; ++k) EXPECT_EQ(game().Panels.Noise[k].Get()->X, 8);
  PlayLevel(game()).NextElements = 255;
  PlaceNoiseSprites(game());
  for (int k = 1; k <= kNoiseSlots; ++k) EXPECT_EQ(game().Panels.Noise[k].Get()->X, -200);
}

TEST_F(PanelsTest, TheSpeedNeedlePointsAtTheSpeedAndVanishesAbove16) {
  struct Case {
    int Speed, EndX, EndY;
  };
  for (Case c : {Case{0, 934, 231}, Case{8, 960, 174}, Case{16, 982, 230}}) {
    game().M.DXDraw.Fill(kBlack);
    game().Play.Speed = static_cast<uint8_t>(c.Speed);
    DrawSpeedGauge(game());
    EXPECT_EQ(h.SurfacePixel((958 + c.EndX) / 2, (207 + c.EndY) / 2), 0xFFFF) << "speed " << c.Speed;
    EXPECT_EQ(h.SurfacePixel(c.EndX, c.EndY), 0xFFFF) << "speed " << c.Speed;
  }
  game().M.DXDraw.Fill(kBlack);
  game().Play.Speed = 17;
  DrawSpeedGauge(game());
  for (int y = 160; y < 250; ++y) {
    for (int x = 910; x < 1010; ++x) ASSERT_EQ(h.SurfacePixel(x, y), 0) << x << "," << y;
  }
}

TEST_F(PanelsTest, TheSeparatorsAreDrawnOnlyWhileTheColumnSlides) {
  const ImageItem& separator = game().M.DXImageList.Get("Background_Left_Side_Separator");
  const ImageItem& down = game().M.DXImageList.Get("Background_Left_Side_Separator_Down");
  game().Play.PreviewScroll = 60;
  game().M.DXDraw.Fill(kBlack);
  DrawLeftSide(game());
  EXPECT_EQ(h.SurfacePixel(60, 374), separator.Picture.At(60, 2));
  EXPECT_EQ(h.SurfacePixel(30, 700), down.Picture.At(30, 105));
  game().Play.PreviewScroll = 111;
  game().M.DXDraw.Fill(kBlack);
  DrawLeftSide(game());
  for (int x = 0; x < 127; ++x) ASSERT_EQ(h.SurfacePixel(x, 374), 0) << x;
  EXPECT_EQ(h.SurfacePixel(30, 700), 0);
}

// The topmost surface row at x 918..1023 whose pixels have this colour, or -1.
int TopRowOf(Harness& h, Colour colour, int y0 = 240, int y1 = 530) {
  const int r = colour & 255, g = (colour >> 8) & 255, b = (colour >> 16) & 255;
  for (int y = y0; y < y1; ++y) {
    for (int x = 918; x < 1024; ++x) {
      const uint16_t p = h.SurfacePixel(x, y);
      if (p == 0) continue;
      // Anti-aliased text: the channels that are off stay dark.
      if ((r == 0) == (Red8(p) < 60) && (g == 0) == (Green8(p) < 60) && (b == 0) == (Blue8(p) < 60)) {
        return y;
      }
    }
  }
  return -1;
}

TEST_F(PanelsTest, MessagesQueueAndTheOldestGoes) {
  PanelState& p = game().Panels;
  EXPECT_EQ(p.MessageSlots[5].Line1, "") << "the set-up cleared the panel";
  for (int i = 1; i <= 6; ++i) AddMessage(p, "m" + std::to_string(i), "b", "c", kRed + i);
  EXPECT_EQ(p.MessageSlots[0].Line1, "m1");
  EXPECT_EQ(p.MessageSlots[1].Line1, "m2");
  EXPECT_EQ(p.MessageSlots[5].Line1, "m6");
  EXPECT_EQ(p.MessageSlots[5].Color, kRed + 6);
  AddMessage(p, "m7", "", "", kGreen);
  EXPECT_EQ(p.MessageSlots[0].Line1, "m2") << "the oldest was lost";
  p.MessageScroll = 30;
  AddMessage(p, "Clear Message Handler", "x", "y", kWhite);
  EXPECT_EQ(p.MessageScroll, 0);
  for (const MessageSlot& slot : p.MessageSlots) {
    EXPECT_TRUE(slot.Line1.empty() && slot.Line2.empty() && slot.Line3.empty());
  }
  EXPECT_EQ(p.MessageSlots[5].Color, kGreen) << "the colours stay";
  AddMessage(p, "clear message handler", "", "", kRed);
  EXPECT_EQ(p.MessageSlots[5].Line1, "clear message handler") << "the command is case-sensitive";
}

TEST_F(PanelsTest, MessagesRestFortyPixelsApartAndScrollInLineByLine) {
  PanelState& p = game().Panels;
  const Colour colours[] = {kRed, kGreen, 0xFF0000, kYellow, kMagenta, kAqua};
  for (Colour c : colours) AddMessage(p, "Message", "second", "third", c);
  p.MessageScroll = 41;
  game().M.DXDraw.Fill(kBlack);
  DrawMessages(game());
  const int top = TopRowOf(h, colours[1]);
  ASSERT_GT(top, 270);
  const int glyph = top - 284;  // where the letters start below a line's y
  EXPECT_EQ(TopRowOf(h, colours[0]), -1) << "slot 0 is not shown at rest";
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(TopRowOf(h, colours[i]), 284 + 40 * (i - 1) + glyph) << i;

  p.MessageScroll = 5;
  game().M.DXDraw.Fill(kBlack);
  DrawMessages(game());
  EXPECT_EQ(TopRowOf(h, colours[0]), 279 + glyph) << "the oldest leaves over the top";
  EXPECT_EQ(TopRowOf(h, colours[1]), 319 + glyph);
  EXPECT_EQ(TopRowOf(h, colours[5]), -1) << "the newest is not in yet";

  // The newest comes in a line at a time: line 1 after 15 frames, 2 after 25, 3 after 35.
  auto linesOfNewest = [&](int s) {
    p.MessageScroll = s;
    game().M.DXDraw.Fill(kBlack);
    DrawMessages(game());
    int lines = 0;
    for (int line = 0; line < 3; ++line) {
      const int y = 484 + 11 * line - s + glyph;
      lines += TopRowOf(h, colours[5], y, y + 4) != -1;
    }
    return lines;
  };
  EXPECT_EQ(linesOfNewest(15), 0);
  EXPECT_EQ(linesOfNewest(16), 1);
  EXPECT_EQ(linesOfNewest(26), 2);
  EXPECT_EQ(linesOfNewest(36), 3);
  EXPECT_EQ(TopRowOf(h, colours[5]), 448 + glyph);
}

TEST_F(PanelsTest, AnEmptyLineStaysBlank) {
  AddMessage(game().Panels, "", "Fire!", "", kRed);
  game().Panels.MessageScroll = 50;
  game().M.DXDraw.Fill(kBlack);
  DrawMessages(game());
  const int top = TopRowOf(h, kRed);
  ASSERT_NE(top, -1);
  EXPECT_GE(top, 444 + 11) << "only the middle line of the newest message";
  EXPECT_EQ(TopRowOf(h, kRed, top + 11, 530), -1);
}

TEST_F(PanelsTest, TheMessagePanelSettlesFortyOneFramesAfterAMessage) {
  h.RunFrames(10);
  AddMessage(game().Panels, "Warning!", "Speciality", "approaching!", kRed);
  EXPECT_EQ(game().Panels.MessageScroll, 0);
  h.RunFrames(41);
  EXPECT_EQ(game().Panels.MessageScroll, 41);
  // At rest the newest message's first line stands at y 444.
  const int glyph = TopRowOf(h, kRed) - 444;
  EXPECT_GE(glyph, 0);
  EXPECT_LT(glyph, 6);
}

}  // namespace
}  // namespace plumix
