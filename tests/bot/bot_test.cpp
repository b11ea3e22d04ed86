// The bot on small levels with a known answer, and every shipped level
// proved winnable by it.
#include <gtest/gtest.h>

#include <filesystem>

#include "adventure/adventure_check.h"
#include "adventure/adventure_file.h"
#include "app/main_form.h"
#include "bot/bot.h"
#include "engine/elements.h"
#include "settings/key_names.h"
#include "support/harness.h"

namespace plumix {
namespace {

using namespace plumix::testing;

// 20 frames a second: the game keeps its pace, and a level takes fewer frames.
HarnessOptions Fast() {
  HarnessOptions options;
  options.FrameMs = 50;
  return options;
}

class BotLevel : public ::testing::Test {
 protected:
  void Start(const LevelRecord& level) {
    h.WarmUp();
    AdventureRecord adventure = MakeTestAdventure(1);
    adventure.Levels[1] = level;
    h.StartLevel(adventure, 1);
  }
  Harness h{Fast()};
};

TEST_F(BotLevel, FillsAOneColumnShaftWithOneElement) {
  Start(MakeShaftLevel(false));
  const BotRun run = PlayLevelWithBot(h.Game(), [&] { h.RunFrames(1); }, 5000);
  EXPECT_TRUE(run.Won);
  EXPECT_EQ(run.Elements, 1);
  EXPECT_EQ(run.Lines, 4);
}

TEST_F(BotLevel, FiresTheLaserWhereOnlyTheLaserWins) {
  Start(MakeShaftLevel(true));
  TMain& game = h.Game();
  h.RunFrames(kPrepareFrames + 1);
  EXPECT_FALSE(ChoosePlacement(game).Laser) << "no beams, no shot";
  game.Specials.LaserBeams = 1;
  const BotPlacement shot = ChoosePlacement(game);
  ASSERT_TRUE(shot.Laser);
  ElementRecord e;
  SetShape(e, 1, shot.Rotation);
  bool overCap = false;
  for (int r = 0; r < 4; ++r) overCap = overCap || (shot.X >= 13 && shot.X <= 16 && e.Occupied(16 - shot.X, r));
  EXPECT_TRUE(overCap) << "the beam must pass the cap in column 16, not from box column " << shot.X;

  // The bot brings the element there and presses the action key.
  const uint16_t action = KeyCodeFromName(game.Settings.KeyAction);
  BotState bot;
  bool fired = false;
  for (int frame = 0; frame < 200 && !fired; ++frame) {
    BotStep(game, bot);
    fired = game.M.DXInput.KeyHeld(action);
    h.RunFrames(1);
  }
  ASSERT_TRUE(fired);
  BotReleaseAll(game, bot);
  // The beam opens the shaft, and the next element wins the level.
  EXPECT_TRUE(PlayLevelWithBot(game, [&] { h.RunFrames(1); }, 5000).Won);
  EXPECT_EQ(game.Specials.LaserBeams, 0);
}

// Every level of every shipped adventure: an Action level won, a Bonus level
// survived, with one of three seeds. The Academy's levels are won one after
// the other in a whole game by its own test.
TEST(BotProof, EveryShippedLevelIsWon) {
  Harness h(Fast());
  h.WarmUp();
  int adventures = 0;
  for (const auto& entry : std::filesystem::directory_iterator(h.Dir / "Adventures")) {
    ++adventures;
    if (entry.path().filename() == "PlumixAcademy.paf") continue;
    const AdventureRecord adventure = h.ReadAdventure(entry.path().filename().string());
    for (int level = 1; level <= PlayedLevelCount(adventure); ++level) {
      bool won = false;
      for (int seed = 1; seed <= 3 && !won; ++seed) {
        won = PlaySeededLevel(h.Game(), [&] { h.RunFrames(1); }, adventure, level, seed, 30000).Won;
      }
      EXPECT_TRUE(won) << entry.path().filename().string() << " level " << level << " \""
                       << adventure.Levels[level].Title << "\" was never won";
    }
  }
  EXPECT_GE(adventures, 3);
}

}  // namespace
}  // namespace plumix
