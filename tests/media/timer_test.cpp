// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "media/input.h"
#include "media/timer.h"

namespace plumix {
namespace {

TEST(FrameTimer, FrameRateIsZeroUntilTheFirstWholeSecond) {
  FrameTimer timer;
  uint32_t now = 5000;
  for (int i = 0; i < 59; ++i) {
    EXPECT_TRUE(timer.Idle(now));
    now += 16;
  }
  EXPECT_EQ(timer.FrameRate(), 0);
  // 64 events in the window of 1008 ms that closes at 6008.
  while (now < 5000 + 1008) {
    timer.Idle(now);
    now += 16;
  }
  timer.Idle(5000 + 1008);
  EXPECT_EQ(timer.FrameRate(), 63);
}

TEST(FrameTimer, RateIsRoundedCountPerSecondOfTheWindow) {
  FrameTimer timer;
  timer.Idle(0);
  // The window closes at 1001 ms with 144 events in it.
  for (uint32_t t = 7; t <= 1400; t += 7) timer.Idle(t);
  EXPECT_EQ(timer.FrameRate(), 144);
  EXPECT_EQ(timer.LagCount(), 7);
  timer.Enabled = false;
  EXPECT_FALSE(timer.Idle(2000));
}

TEST(FrameTimer, RestartKeepsTheRateButStartsANewWindow) {
  FrameTimer timer;
  for (uint32_t t = 0; t <= 1000; t += 20) timer.Idle(t);
  ASSERT_EQ(timer.FrameRate(), 51);
  // After ten seconds away the first window must not count the absence.
  timer.Restart(11000);
  for (uint32_t t = 11020; t <= 12000; t += 20) timer.Idle(t);
  EXPECT_EQ(timer.FrameRate(), 50);
}

TEST(KeyboardReader, DefaultsAndThreeSlotsPerState) {
  KeyboardReader input;
  EXPECT_EQ(input.Assigns[InputUp][1], 38);
  EXPECT_EQ(input.Assigns[InputButton32][0], 13);
  EXPECT_EQ(input.Assigns[InputButton32][1], 32);
  EXPECT_EQ(input.Assigns[InputButton31][0], 27);
  EXPECT_EQ(input.Assigns[InputButton1][0], 0);
  input.Assigns[InputLeft][0] = 'A';
  input.KeyDown('A');
  input.Update();
  EXPECT_TRUE(input.Has(InputLeft));
  input.KeyUp('A');
  input.KeyDown(37);
  input.Update();
  EXPECT_TRUE(input.Has(InputLeft)) << "the arrow stays beside a configured key";
  input.KeyDown(32);
  input.Update();
  EXPECT_TRUE(input.Has(InputButton32));
  EXPECT_FALSE(input.Has(InputButton31));
  input.ReleaseAll();
  input.Update();
  EXPECT_FALSE(input.Has(InputLeft));
  input.KeyDown(0);  // an empty slot never holds
  input.Update();
  EXPECT_FALSE(input.Has(InputButton1));
}

}  // namespace
}  // namespace plumix

namespace plumix {
namespace {

TEST(KeyboardReader, ATapBetweenTwoPollsCountsOnceForThePoll) {
  KeyboardReader input;
  input.KeyDown(kVkLeft);
  input.Sample();
  EXPECT_TRUE(input.Has(InputLeft)) << "held at the key event";
  input.KeyUp(kVkLeft);
  input.Sample();
  EXPECT_FALSE(input.Has(InputLeft)) << "the key handler sees the keys as they are";
  input.Update();
  EXPECT_TRUE(input.Has(InputLeft)) << "the next poll still sees the tap";
  input.Update();
  EXPECT_FALSE(input.Has(InputLeft)) << "but only once";
  input.KeyDown(kVkLeft);
  input.Update();
  input.Update();
  EXPECT_TRUE(input.Has(InputLeft)) << "a held key stays";
}

}  // namespace
}  // namespace plumix
