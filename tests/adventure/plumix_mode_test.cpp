#include "adventure/plumix_mode.h"

#include <gtest/gtest.h>

#include "app/sound_log.h"
#include "support/harness.h"

namespace plumix {
namespace {

using testing::Harness;
using testing::MakeTestAdventure;
using testing::SoundLog;

class RocketTest : public ::testing::Test {
 protected:
  RocketTest() {
    h.WarmUp();
    h.StartLevel(MakeTestAdventure(), 1);
    for (int i = 1; i <= kRocketSlots; ++i) rockets()[i].BurstKind = static_cast<uint8_t>(1 + i * 7 % 16);
  }
  TMain& game() { return h.Game(); }
  std::array<RocketSlot, kRocketSlots + 1>& rockets() { return game().Plumix.Rockets; }
  SpriteEngine& engine() { return game().M.DXSpriteEngine; }
  Harness h;
};

TEST_F(RocketTest, AGroupLaunchesInAChainByItsDelaysAndANewGroupCancelsIt) {
  SoundLog sounds(game());
  rockets()[4].BurstKind = 14;
  LaunchRockets(game(), 3);
  EXPECT_EQ(sounds.Started("2Fireworks_Launch"), 1) << "the first rocket is a circle burst";
  for (int i = 1; i <= kRocketSlots; ++i) {
    const RocketSlot& r = rockets()[i];
    ASSERT_EQ(r.Counter, i == 4 ? 0 : -1) << "slot " << i;
    if (i < 4 || i > 6) {
      ASSERT_EQ(r.Delay, -1) << "slot " << i;
      continue;
    }
    EXPECT_TRUE(r.Delay >= 0 && r.Delay < 147) << r.Delay;
    EXPECT_EQ(r.Trigger, r.BurstKind > 12 ? 195 : 147);
  }
  for (int frame = 1; frame <= 140; ++frame) {
    UpdateRockets(game());
    for (int i : {5, 6}) {
      const RocketSlot &before = rockets()[i - 1], &r = rockets()[i];
      const bool launched = before.Counter > r.Delay;
      ASSERT_EQ(r.Counter, launched ? before.Counter - r.Delay : -1) << "slot " << i << ", frame " << frame;
    }
  }
  LaunchRockets(game(), 1);
  for (int i = 2; i <= kRocketSlots; ++i) ASSERT_EQ(rockets()[i].Counter, -1) << "slot " << i << " cancelled";
  EXPECT_EQ(rockets()[1].Counter, 0);
}

TEST_F(RocketTest, TheShowBurstsAllEightyNineAndEveryBurstFreesItself) {
  SoundLog sounds(game());
  const int sprites = engine().Count();
  LaunchRockets(game(), 89);
  for (int i = 11; i <= 99; ++i) ASSERT_TRUE(rockets()[i].Delay >= 0 && rockets()[i].Delay <= 14) << i;
  EXPECT_EQ(rockets()[100].Delay, -1);
  for (int frame = 0; frame < 3000; ++frame) UpdateRockets(game());
  ASSERT_EQ(engine().Count(), sprites + 89) << "one burst per rocket of the show, none for slot 100";
  int bangs = 0;
  for (int i = 11; i <= 99; ++i) {
    const int kind = rockets()[i].BurstKind;
    const TFireworksSprite* burst = rockets()[i].Sprite.Get();
    ASSERT_NE(burst, nullptr);
    static const char* kSizes[] = {"Large", "Medium", "Small", "Circle"};
    EXPECT_EQ(burst->Image->Name, std::to_string((kind - 1) % 4 + 1) + kSizes[(kind - 1) / 4] + "_Fireworks_Animation");
    EXPECT_TRUE(burst->AnimationSpeed >= 0.3 - 1e-9 && burst->AnimationSpeed <= 1.2 + 1e-9);
    EXPECT_TRUE(burst->X >= 150 && burst->X < 850 && burst->Y >= 10 && burst->Y < 760);
    bangs += kind <= 12;
  }
  EXPECT_EQ(sounds.Started("1Fireworks_Bang") + sounds.Started("2Fireworks_Bang") +
                sounds.Started("3Fireworks_Bang"),
            bangs);
  for (int move = 0; move < 100; ++move) {
    const TFireworksSprite* burst = rockets()[11].Sprite.Get();
    engine().Move(1);
    if (burst) {
      ASSERT_EQ(burst->Dead, burst->AnimationPos >= burst->AnimationLength - 1) << "move " << move;
    }
    engine().Dead();
  }
  EXPECT_EQ(engine().Count(), sprites) << "every burst is gone after its last pattern";
}

}  // namespace
}  // namespace plumix
