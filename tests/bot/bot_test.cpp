// SPDX-License-Identifier: GPL-3.0-or-later
// The bot on small levels with a known answer, and every shipped level
// proved winnable by it.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "adventure/adventure_check.h"
#include "adventure/adventure_file.h"
#include "app/main_form.h"
#include "bot/bot.h"
#include "engine/board.h"
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

// What a level of the Academy brings first; the Academy teaches them in
// this order, one a level.
enum Lesson { kAllSeven, kPassages, kLookAhead, kSpecials, kLaser, kDamage, kVirus, kBadSpecials, kOddShapes,
              kPlumix, kBonus, kDisasters, kLessons };

bool Enabled(const LevelRecord& level, int special) {
  return level.SpecialsFrequency > 0 && level.Specials[special] != 0;
}

bool HasCell(const LevelRecord& level, auto test) {
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      if (test(level.Board[x][y].Code)) return true;
    }
  }
  return false;
}

// The lessons a level and the bot's best game in it show.
std::array<bool, kLessons> Shows(const LevelRecord& level, const BotRun& best) {
  std::array<bool, kLessons> shows{};
  shows[kAllSeven] = true;
  for (int kind = 1; kind <= 7; ++kind) shows[kAllSeven] = shows[kAllSeven] && level.Elements[kind];
  shows[kPassages] = HasCell(level, [](int code) { return code == kPassage; });
  shows[kLookAhead] = level.NextElements >= 3;
  shows[kSpecials] = level.SpecialsFrequency > 0;
  shows[kLaser] = Enabled(level, 7);
  shows[kDamage] = Enabled(level, 11);
  shows[kVirus] = Enabled(level, 12);
  shows[kBadSpecials] = Enabled(level, 8) || Enabled(level, 9) || Enabled(level, 10);
  for (int kind = 8; kind <= kKindCount; ++kind) shows[kOddShapes] = shows[kOddShapes] || level.Elements[kind];
  shows[kDisasters] = level.DisasterFrequency > 0;
  shows[kPlumix] = best.PlumixStarts > 0 && best.PlumixRewards > 0;
  shows[kBonus] = level.LevelType != 0;
  return shows;
}

// Every level of every shipped adventure, through the bot of the prover: won
// (an Action level cleared, a Bonus level survived) with one of three seeds,
// and on a level with specials that game collects one. The Academy brings
// one new thing a level, in the order it teaches them, and each lesson shows
// in the bot's game: the first specials within a minute, all four kinds of
// disaster where they are taught, the PLUMIX mode with its rewards.
TEST(BotProof, ShippedLevelsAreWonCollectSpecialsAndTheAcademyTeachesInOrder) {
  Harness h(Fast());
  h.WarmUp();
  int adventures = 0;
  for (const auto& entry : std::filesystem::directory_iterator(h.Dir / "Adventures")) {
    ++adventures;
    const std::string name = entry.path().filename().string();
    const AdventureRecord adventure = h.ReadAdventure(name);
    const bool academy = name == "PlumixAcademy.paf";
    std::array<int, kLessons> taught{};
    for (int level = 1; level <= PlayedLevelCount(adventure); ++level) {
      const LevelRecord& record = adventure.Levels[level];
      const std::string where = name + " level " + std::to_string(level) + " \"" + record.Title + "\"";
      BotRun won;
      for (int seed = 1; seed <= 3 && !won.Won; ++seed) {
        won = PlaySeededLevel(h.Game(), [&] { h.RunFrames(1); }, adventure, level, seed, 30000);
      }
      ASSERT_TRUE(won.Won) << where << " was never won";
      if (record.SpecialsFrequency > 0) {
        EXPECT_GT(won.SpecialsCollected, 0) << where << " collected no special";
      }
      if (!academy) continue;
      const std::array<bool, kLessons> shows = Shows(record, won);
      int fresh = 0;
      for (int lesson = 0; lesson < kLessons; ++lesson) {
        if (shows[lesson] && taught[lesson] == 0) {
          taught[lesson] = level;
          ++fresh;
        }
      }
      // The first and the last level (moving and turning; the graduation)
      // bring nothing new; the others one thing each.
      const bool firstOrLast = level == 1 || level == PlayedLevelCount(adventure);
      EXPECT_EQ(fresh, firstOrLast ? 0 : 1) << where;
      if (taught[kSpecials] == level) {
        EXPECT_TRUE(won.FirstSpecialFrame >= 0 && won.FirstSpecialFrame <= 60 * 20)
            << where << ": the first special came at frame " << won.FirstSpecialFrame;
      }
      if (taught[kDisasters] == level) {
        EXPECT_EQ(won.DisasterKindsSeen, 0x0F) << where << " showed not all four kinds";
      }
    }
    if (!academy) continue;
    const int levels = PlayedLevelCount(adventure);
    EXPECT_GE(levels, 12);
    EXPECT_LE(levels, 16);
    for (int lesson = 1; lesson < kLessons; ++lesson) {
      EXPECT_GT(taught[lesson], taught[lesson - 1]) << "lesson " << lesson << " comes out of order";
    }
    const LevelRecord& graduation = adventure.Levels[levels];
    EXPECT_TRUE(graduation.SpecialsFrequency > 0 && graduation.DisasterFrequency > 0 &&
                HasCell(graduation, [](int code) { return code == kPassage; }))
        << "the graduation mixes what was taught";
  }
  EXPECT_GE(adventures, 3);
}

}  // namespace
}  // namespace plumix
