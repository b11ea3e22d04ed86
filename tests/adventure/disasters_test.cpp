// SPDX-License-Identifier: GPL-3.0-or-later
#include "adventure/disasters.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "engine/board.h"
#include "support/harness.h"
#include "support/probes.h"

namespace plumix {
namespace {

using Cell2 = std::pair<int, int>;
constexpr Cell2 kNone{0, 0};

class DisasterTest : public ::testing::Test {
 protected:
  DisasterTest() {
    AdventureRecord adventure = testing::MakeTestAdventure();
    adventure.Levels[1].DisasterFrequency = 255;  // one chance in 39 a frame
    adventure.Levels[1].LinesToFinish = 100;
    h.WarmUp();
    h.StartLevel(adventure, 1);
  }
  // A disaster of this kind (0 quake, 1 fire, 2 lightning, 3 wind) in full swing, its first strike to come.
  void Rage(uint8_t kind) {
    game().Disasters = DisasterState{true, 0, 1000, true, 0};
    level().DisasterKind = kind;
  }
  // Runs disaster frames until one changes a cell of the board.
  Cell2 Strike(int frames) {
    for (int i = 0; i < frames; ++i) {
      const BoardGrid before = level().Board;
      DisasterFrame(game());
      for (int x = 1; x <= kBoardSize; ++x) {
        for (int y = 1; y <= kBoardSize; ++y) {
          if (level().Board[x][y].Code != before[x][y].Code) return {x, y};
        }
      }
    }
    return kNone;
  }
  std::string Countdown() { return testing::Digits(game().Panels.CountdownDigits); }
  TMain& game() { return h.Game(); }
  LevelRecord& level() { return PlayLevel(game()); }
  testing::Harness h;
};

TEST_F(DisasterTest, AnnouncedCountedDownRagingAndOver) {
  h.RunFrames(kPrepareFrames);
  const DisasterState& d = game().Disasters;
  EXPECT_FALSE(d.DisasterPending) << "none in the start phase";
  testing::SoundLog sounds(game());
  for (int i = 0; i < 1000 && !d.DisasterPending; ++i) h.RunFrames(1);
  ASSERT_TRUE(d.DisasterPending);
  EXPECT_TRUE(d.DisasterStartTicks >= 5 && d.DisasterStartTicks <= 19 && d.DisasterEndTicks >= d.DisasterStartTicks + 10);
  EXPECT_EQ(game().Panels.MessageSlots[5].Line1, "Warning!");
  EXPECT_EQ(sounds.Started("Before_Theme_Speciality"), 1);
  level().DisasterKind = 0;
  level().DisasterFrequency = 0;
  while (d.DisasterPending) {
    ASSERT_EQ(Countdown(), CounterText(d.DisasterStartTicks > 0 ? d.DisasterStartTicks : d.DisasterEndTicks, 2));
    ASSERT_EQ(game().Panels.Seismograph.Get()->AnimationLength, 27) << "the seismograph runs in full";
    ASSERT_EQ(sounds.Started("Earthquake"), d.DisasterStartTicks <= 0) << "breaks out when the warning ends";
    h.RunFrames(1);
  }
  EXPECT_EQ(sounds.Stopped("Before_Theme_Speciality"), 1);
  EXPECT_EQ(Countdown(), "00");
  EXPECT_EQ(game().Panels.MessageSlots[4].Line2, "Earthquake!");
  EXPECT_EQ(game().Panels.MessageSlots[5].Line2, "Speciality over.");
  EXPECT_GE(sounds.Stopped("Earthquake"), 1);
  h.RunFrames(1);
  EXPECT_EQ(game().Panels.Seismograph.Get()->AnimationLength, 4);
}

TEST_F(DisasterTest, FireBurnsABlockAtOnceThenByChanceAndNothingWithoutBlocks) {
  Rage(1);
  level().Board[5][29] = level().Board[27][3] = Cell{kBlock, 4};
  const Cell2 first = Strike(1);
  ASSERT_NE(first, kNone) << "the first strike comes on the first active frame";
  EXPECT_EQ(level().Board[first.first][first.second].Code, kEmpty);
  EXPECT_EQ(game().Panels.Flame.Get()->X, 25 * first.first + 100);
  EXPECT_EQ(game().Panels.Flame.Get()->Y, 25 * first.second - 110);
  EXPECT_NE(Strike(20000), kNone);
  EXPECT_EQ(Strike(5000), kNone) << "no block left, no strike and no hang";
}

TEST_F(DisasterTest, LightningStrikesOnlyByChanceIntoDeepEmptyCellsOutsideTheElement) {
  Rage(2);
  EXPECT_EQ(Strike(1), kNone) << "no first strike";
  for (int n = 0; n < 4; ++n) {
    const Cell2 cell = Strike(5000);
    ASSERT_GT(cell.second, level().EntryRow + 10);
    EXPECT_EQ(level().Board[cell.first][cell.second].Code, kBlock);
    EXPECT_EQ(game().Panels.Storm.Get()->X, 25 * cell.first + 100);
  }
  ElementRecord& e = game().Play.ElementQueue[0];
  e.Y = 20;
  for (int x = 2; x <= 29; ++x) {
    for (int y = 12; y <= 29; ++y) {
      const int c = x - e.X, r = y - e.Y;
      level().Board[x][y].Code = c >= 0 && c < 4 && r >= 0 && r < 4 && e.Occupied(c, r) ? kEmpty : kBlock;
    }
  }
  EXPECT_EQ(Strike(5000), kNone);
}

TEST_F(DisasterTest, WindPushesOnEveryTenthFrameWithinTheGustingRows) {
  Rage(3);
  DisasterFrame(game());
  const uint8_t direction = game().Disasters.WindDirection;
  ASSERT_TRUE(direction == 1 || direction == 2) << "the first gust comes at once";
  EXPECT_EQ(game().Panels.Wind.Get()->Image->Name, direction == 1 ? "Wind_Animation" : "Wind2_Animation");
  ElementRecord& e = game().Play.ElementQueue[0];
  int pushes = 0;
  for (int frame = 1; frame <= 3300; ++frame) {
    // Mostly frames divisible by 10; every eleventh is one that never pushes.
    const bool tenth = frame % 11 != 0;
    game().Shell.FrameCounter = tenth ? 10 * frame : 10 * frame + 3;
    e.X = 14;
    e.Y = 10;
    DisasterFrame(game());
    ASSERT_TRUE(tenth || e.X == 14) << "frame " << frame;
    ASSERT_TRUE(e.X == 14 || e.X == (game().Disasters.WindDirection == 1 ? 13 : 15));
    pushes += e.X != 14;
  }
  // Row 10 lies in the gusting rows y..y+2 for y = 8, 9, 10 of 1..28: 3 chances
  // in 28 on each of the 3000 tenth frames, 321 pushes on average.
  EXPECT_TRUE(pushes >= 260 && pushes <= 380) << pushes;
}

TEST_F(DisasterTest, TheEarthquakeDrawsTheBoardAtAShakingOrigin) {
  std::vector<uint16_t>& pixels = game().M.DXDraw.Surface().Pixels;
  // The leftmost column and the lowest row drawn on a white surface: the
  // board's walls, 25 pixels a cell from its origin.
  auto corner = [&](const std::function<void()>& draw) {
    std::fill(pixels.begin(), pixels.end(), 0xFFFF);
    draw();
    int left = Display::kWidth, bottom = -1;
    for (size_t i = 0; i < pixels.size(); ++i) {
      if (pixels[i] == 0xFFFF) continue;
      left = std::min(left, static_cast<int>(i % Display::kWidth));
      bottom = std::max(bottom, static_cast<int>(i / Display::kWidth));
    }
    return std::pair{left, bottom};
  };
  const auto rest = corner([&] { DrawPlayfield(game(), 112, -15, "Table"); });
  Rage(0);
  game().Disasters.DisasterStartTicks = 1;
  EXPECT_EQ(corner([&] { DisasterFrame(game()); }), rest) << "announced, not yet shaking";
  game().Disasters.DisasterStartTicks = 0;
  std::map<int, int> seen;  // offset from the board's place -> times
  for (int i = 0; i < 120; ++i) {
    const auto at = corner([&] { DisasterFrame(game()); });
    ++seen[at.first - rest.first];
    ++seen[at.second - rest.second];
  }
  // Each coordinate jolts to 0..29 (an offset of -15..14) when Random(Random(10))
  // is 0: chance (1 + 1 + 1/2 + ... + 1/9) / 10 = 0.383, and lands elsewhere
  // than 15 in 29 of 30 of those, so 89 of the 240 coordinates on average.
  EXPECT_GE(seen.begin()->first, -15);
  EXPECT_LE(seen.rbegin()->first, 14);
  const int jolts = 240 - seen[0];
  EXPECT_TRUE(jolts >= 60 && jolts <= 120) << jolts;
}

// With the top bit of DisasterKind the kinds come in turn, a fixed breather
// apart, and the bit outlives every announcement; without it the chance and
// the kind are drawn exactly as the random rule says.
TEST_F(DisasterTest, InTurnEachKindOnceABreatherApartAndWithoutTheBitTheRuleAsEver) {
  const DisasterState& d = game().Disasters;
  level().DisasterFrequency = 1;  // in turn, the frequency's chance is never drawn
  level().DisasterKind = kDisastersInTurn | 2;
  // The element hangs at the top, so the level never ends.
  const auto frame = [&] {
    game().Play.FallCounter = 0;
    h.RunFrames(1);
  };
  for (int i = 0; i <= kPrepareFrames; ++i) frame();
  ASSERT_TRUE(d.DisasterPending) << "the first comes as soon as disasters may";
  std::vector<int> kinds;
  while (kinds.size() < 8) {
    ASSERT_EQ(level().DisasterKind & ~kDisasterKindBits, kDisastersInTurn);
    kinds.push_back(DisasterKindOf(level()));
    game().Disasters.DisasterStartTicks = 1;  // short ones: their length is not the point
    game().Disasters.DisasterEndTicks = 2;
    while (d.DisasterPending) frame();
    const int32_t over = game().Play.TimeLeft;
    while (!d.DisasterPending) frame();
    ASSERT_EQ(over - game().Play.TimeLeft, 3) << "play ticks of breather";
  }
  for (int round : {0, 4}) {
    EXPECT_EQ(std::set<int>(kinds.begin() + round, kinds.begin() + round + 4).size(), 4u)
        << "round " << round / 4 + 1 << ": " << ::testing::PrintToString(kinds);
  }

  // Without the bit: the chance of 10000 div f every call, then the warning,
  // the kind and the end drawn in that order.
  game().Rng.Seed(22);
  level().DisasterFrequency = 3;
  level().DisasterKind = 1;
  game().Disasters = DisasterState{};
  Random rule = game().Rng;
  for (int announced = 0; announced < 6;) {
    TryStartDisaster(game());
    if (rule(3333) != 0) {
      ASSERT_FALSE(d.DisasterPending);
      continue;
    }
    ASSERT_TRUE(d.DisasterPending);
    const int start = rule(15) + 5;
    const int kind = rule(4);
    EXPECT_EQ(d.DisasterStartTicks, start);
    EXPECT_EQ(level().DisasterKind, kind);
    EXPECT_EQ(d.DisasterEndTicks, rule(20) + start + 10);
    ++announced;
    game().Disasters.DisasterPending = false;
  }
  EXPECT_EQ(game().Rng.Next(), rule.Next()) << "no draw more or less";
}

}  // namespace
}  // namespace plumix
