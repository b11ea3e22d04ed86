#include "adventure/disasters.h"

#include <gtest/gtest.h>

#include "app/sound_log.h"
#include "engine/board.h"
#include "support/harness.h"

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
  std::string Countdown() {
    std::string text;
    for (const auto& ref : game().Panels.CountdownDigits) text += char('0' + int(ref.Get()->AnimationPos) - 1);
    return text;
  }
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
  for (int frame = 1; frame <= 3000; ++frame) {
    game().Shell.FrameCounter = frame;
    e.X = 14;
    e.Y = static_cast<uint8_t>(1 + frame % 25);
    // The gusting rows are the frame's first draw of the generator.
    Random probe = game().Rng;
    const int y = probe(28) + 1;
    DisasterFrame(game());
    const bool expected = frame % 10 == 0 && e.Y >= y && e.Y <= y + 2;
    ASSERT_EQ(e.X != 14, expected) << "frame " << frame << ", element row " << int(e.Y) << ", gust " << y;
    pushes += expected;
  }
  EXPECT_GE(pushes, 10);
}

TEST_F(DisasterTest, TheEarthquakeDrawsTheBoardAtAShakingOrigin) {
  Rage(0);
  std::vector<uint16_t>& pixels = game().M.DXDraw.Surface().Pixels;
  int jolts = 0;
  for (int i = 0; i < 60; ++i) {
    Random r = game().Rng;
    const int a = r(r(10)) == 0 ? r(30) : 15, b = r(r(10)) == 0 ? r(30) : 15;
    std::fill(pixels.begin(), pixels.end(), 0xFFFF);
    DrawPlayfield(game(), 97 + a, -30 + b, "Table");
    const std::vector<uint16_t> expected = pixels;
    std::fill(pixels.begin(), pixels.end(), 0xFFFF);
    DisasterFrame(game());
    ASSERT_TRUE(pixels == expected) << "frame " << i;
    jolts += a != 15 || b != 15;
  }
  EXPECT_TRUE(jolts > 5 && jolts < 55) << jolts;
}

}  // namespace
}  // namespace plumix
