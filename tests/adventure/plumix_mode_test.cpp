// SPDX-License-Identifier: GPL-3.0-or-later
#include "adventure/plumix_mode.h"

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "support/probes.h"
#include "support/harness.h"

namespace plumix {
namespace {

class RocketTest : public ::testing::Test {
 protected:
  RocketTest() {
    h.WarmUp();
    h.StartLevel(testing::MakeTestAdventure(), 1);
  }
  RocketSlot& slot(int i) { return h.Game().Plumix.Rockets[i]; }
  testing::Harness h;
};

TEST_F(RocketTest, AGroupLaunchesInAChainByItsDelaysAndANewGroupCancelsIt) {
  LaunchRockets(h.Game(), 3);
  for (int i = 1; i <= kRocketSlots; ++i) {
    ASSERT_EQ(slot(i).Counter, i == 4 ? 0 : -1) << i;
    ASSERT_EQ(slot(i).Delay >= 0, i >= 4 && i <= 6) << i;
  }
  for (int frame = 1; frame <= 140; ++frame) {
    UpdateRockets(h.Game());
    for (int i : {5, 6}) {
      const int before = slot(i - 1).Counter, delay = slot(i).Delay;
      ASSERT_EQ(slot(i).Counter, before > delay ? before - delay : -1) << "slot " << i << ", frame " << frame;
    }
  }
  LaunchRockets(h.Game(), 1);
  for (int i = 2; i <= kRocketSlots; ++i) ASSERT_EQ(slot(i).Counter, -1) << "slot " << i << " cancelled";
}

TEST_F(RocketTest, TheShowBurstsEightyNineTimesAndEveryBurstFreesItself) {
  testing::SoundLog sounds(h.Game());
  SpriteEngine& engine = h.Game().M.DXSpriteEngine;
  const int sprites = engine.Count();
  LaunchRockets(h.Game(), 89);
  for (int frame = 0; frame < 3000; ++frame) UpdateRockets(h.Game());
  ASSERT_EQ(engine.Count(), sprites + 89) << "one burst per rocket of the show, none for slot 100";
  int bangs = 0;
  for (int i = 11; i <= 99; ++i) bangs += slot(i).BurstKind <= 12;
  EXPECT_EQ(sounds.Started("1Fireworks_Bang") + sounds.Started("2Fireworks_Bang") + sounds.Started("3Fireworks_Bang"), bangs);
  ASSERT_NE(slot(11).Sprite.Get(), nullptr);
  // Every burst is seen whole: at least a second on screen (60 frames here),
  // and gone within a few.
  int shortest = 1000;
  for (int move = 1; move <= 200; ++move) {
    const TFireworksSprite* burst = slot(11).Sprite.Get();
    engine.Move(1);
    if (burst) {
      ASSERT_EQ(burst->Dead, burst->AnimationPos >= burst->AnimationLength - 1) << "move " << move;
    }
    for (int i = 11; i <= 99; ++i) {
      if (const TFireworksSprite* b = slot(i).Sprite.Get(); b && b->Dead) shortest = std::min(shortest, move);
    }
    engine.Dead();
  }
  EXPECT_GE(shortest, 60) << "a burst left after " << shortest << " frames";
  EXPECT_EQ(engine.Count(), sprites);
}

// Where rockets climb and burst is drawn from the fireworks' own generator:
// the game's sequence moves only by the draws the rules make (a delay for
// each rocket of the group; place and speed for each burst), so seeded games,
// proofs and record scores come out the same with fireworks on screen. Each
// burst opens where its rocket's climb ended, and the climb is drawn.
TEST_F(RocketTest, FireworksLeaveTheGameRandomSequenceAloneAndBurstWhereTheyClimbed) {
  TMain& game = h.Game();
  Random expected = game.Rng;
  LaunchRockets(game, 4);
  const int x = slot(7).TargetX, y = slot(7).TargetY;
  int drawn = 0;
  for (int frame = 0; frame < 800; ++frame) {
    game.M.DXDraw.Surface().Pixels.assign(game.M.DXDraw.Surface().Pixels.size(), 0);
    UpdateRockets(game);
    if (frame == 60) {
      for (uint16_t p : game.M.DXDraw.Surface().Pixels) drawn += p != 0;
    }
  }
  EXPECT_GT(drawn, 20) << "the rockets climbing are drawn";
  for (int i = 0; i < 4; ++i) expected(147);
  for (int i = 0; i < 4; ++i) {
    expected(700);
    expected(750);
    expected(10);
  }
  EXPECT_EQ(game.Rng.Next(), expected.Next());
  const TFireworksSprite* burst = slot(7).Sprite.Get();
  ASSERT_NE(burst, nullptr);
  // Read before the play frames below end the burst and free its sprite.
  EXPECT_EQ(static_cast<int>(burst->X) + burst->Width / 2, x);
  EXPECT_EQ(static_cast<int>(burst->Y) + burst->Height / 2, y);
  // On the play screen too: a reward's rocket is seen climbing.
  h.RunFrames(200);
  LaunchRockets(game, 1);
  h.RunFrames(40);
  double rx, ry;
  const RocketSlot& one = slot(1);
  const double t = one.Counter / static_cast<double>(one.Trigger);
  rx = one.RiseX + (one.TargetX - one.RiseX) * (1 - (1 - t) * (1 - t));
  ry = 768 + (one.TargetY - 768) * (1 - (1 - t) * (1 - t));
  int bright = 0;  // the white-hot head, within the sway of its path
  for (int dy = -8; dy <= 8; ++dy) {
    for (int dx = -8; dx <= 8; ++dx) {
      const uint32_t p = h.Pixel(static_cast<int>(rx) + dx, static_cast<int>(ry) + dy);
      bright += (p >> 16) > 0xE0 && ((p >> 8) & 0xFF) > 0xE0 && (p & 0xFF) > 0xD0;
    }
  }
  EXPECT_GE(bright, 13) << "no spark near (" << rx << ", " << ry << ")";
  // Its trail runs a long way down behind it, unbroken and lit.
  int trail = 0;
  for (int dy = 6; dy < 86; ++dy) {
    const double px = rx + (one.RiseX - rx) * dy / (768 - ry);
    int lit = 0;
    for (int dx = -10; dx <= 10; ++dx) {
      const uint32_t p = h.Pixel(static_cast<int>(px) + dx, static_cast<int>(ry) + dy);
      lit += std::max({p >> 16, (p >> 8) & 0xFF, p & 0xFF}) >= 0x80;
    }
    trail += lit >= 2;
  }
  EXPECT_GE(trail, 75) << "rows of the trail lit, of 80";
}

}  // namespace
}  // namespace plumix
