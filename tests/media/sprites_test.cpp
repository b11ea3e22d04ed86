// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "media/sprites.h"

namespace plumix {
namespace {

class SpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Add("Digits", 132, 16, 12, 16);
    Add("Flame_Animation", 750, 130, 50, 130);
    Add("Seizmograf_Animation", 2622, 72, 96, 72);
    Add("1Large_Fireworks_Animation", 2560, 128, 128, 128);
  }
  void Add(const char* name, int w, int h, int pw, int ph) {
    ImageItem item;
    item.Name = name;
    item.Picture = Bitmap(w, h, Rgb565(200, 200, 200));
    item.PatternWidth = pw;
    item.PatternHeight = ph;
    list.Add(item);
  }
  ImageList list{"DXImageList"};
  SpriteEngine engine;
};

TEST_F(SpriteTest, DigitShowsPatternOnePastTheDigit) {
  TDigit* digit = engine.Create<TDigit>(list, 53.0, 917.0, 0).Get();
  ASSERT_NE(digit, nullptr);
  EXPECT_EQ(digit->AnimationPos, 1);
  EXPECT_EQ(digit->AnimationLength, 11);
  digit->SetDigit(9);
  engine.Move(1);
  EXPECT_EQ(digit->AnimationPos, 10) << "9 shows the last pattern and stays";
  digit->SetDigit(12);
  Bitmap dest(1024, 768);
  engine.Draw(dest);  // past the last pattern: simply invisible
  EXPECT_EQ(dest.At(920, 60), 0);
}

TEST_F(SpriteTest, LoopedAnimationWrapsAndOneShotStopsOnItsLastPattern) {
  TBasicSprite* flame = engine.Create<TBasicSprite>(list, 0.0, 0.0, true, 4.0, "Flame_Animation").Get();
  for (int i = 0; i < 4; ++i) engine.Move(1);
  EXPECT_DOUBLE_EQ(flame->AnimationPos, 1.0) << "16 patterns advanced in a 15-pattern loop";
  TBasicSprite* once = engine.Create<TBasicSprite>(list, 0.0, 0.0, false, 6.0, "Flame_Animation").Get();
  engine.Move(1);
  engine.Move(1);
  engine.Move(1);
  EXPECT_DOUBLE_EQ(once->AnimationPos, 14.0);
  EXPECT_DOUBLE_EQ(once->AnimationSpeed, 0.0);
  once->AnimationSpeed = -20;
  once->ImageSprite::DoMove(1);
  EXPECT_DOUBLE_EQ(once->AnimationPos, 0.0);
  EXPECT_DOUBLE_EQ(once->AnimationSpeed, 0.0);
}

TEST_F(SpriteTest, SeismographIdlesOnFourPatternsUnlessADisasterIsOn) {
  bool disaster = false;
  engine.DisasterFlag = &disaster;
  TBasicSprite* seismo = engine.Create<TBasicSprite>(list, 631.0, 17.0, true, 1.0, "Seizmograf_Animation").Get();
  for (int i = 0; i < 6; ++i) engine.Move(1);
  EXPECT_EQ(seismo->AnimationLength, 4);
  EXPECT_LT(seismo->AnimationPos, 4.0);
  disaster = true;
  engine.Move(1);  // the length follows the flag after the move
  seismo->AnimationPos = 3;
  for (int i = 0; i < 7; ++i) engine.Move(1);
  EXPECT_EQ(seismo->AnimationLength, 27);
  EXPECT_DOUBLE_EQ(seismo->AnimationPos, 10.0);
  disaster = false;
  engine.Move(1);
  EXPECT_DOUBLE_EQ(seismo->AnimationPos, 0.0) << "beyond pattern 3 it restarts at 0";
}

TEST_F(SpriteTest, FireworksFreeThemselvesAfterOneBurst) {
  auto burst = engine.Create<TFireworksSprite>(list, 100.0, 200.0, false, 5.0, "1Large_Fireworks_Animation");
  engine.Move(1);
  engine.Move(1);
  engine.Move(1);
  engine.Dead();
  EXPECT_TRUE(burst) << "still bursting at pattern 15 of 20";
  engine.Move(1);
  EXPECT_TRUE(burst.Get()->Dead);
  engine.Dead();
  EXPECT_FALSE(burst) << "a freed sprite's reference reads as empty";
  EXPECT_EQ(engine.Count(), 0);
}

TEST_F(SpriteTest, SpritesOffScreenAreNotDrawnAndClearFreesAll) {
  auto a = engine.Create<TBasicSprite>(list, -200.0, -200.0, true, 0.0, "Flame_Animation");
  auto b = engine.Create<TBasicSprite>(list, 10.0, 20.0, true, 0.0, "Flame_Animation");
  Bitmap dest(1024, 768);
  engine.Draw(dest);
  EXPECT_NE(dest.At(20, 10), 0);
  EXPECT_EQ(dest.At(0, 0), 0);
  engine.Clear();
  EXPECT_FALSE(a);
  EXPECT_FALSE(b);
}

}  // namespace
}  // namespace plumix
