#include "adventure/disasters.h"

#include <gtest/gtest.h>

#include "app/sound_log.h"
#include "engine/board.h"
#include "media/panels.h"
#include "support/harness.h"

namespace plumix {
namespace {

using testing::Harness;
using testing::MakeTestAdventure;
using testing::SoundLog;

enum : uint8_t { kQuake = 0, kFire = 1, kLightning = 2, kWind = 3 };

class DisasterTest : public ::testing::Test {
 protected:
  void Start(uint8_t frequency) {
    AdventureRecord adventure = MakeTestAdventure();
    adventure.Levels[1].DisasterFrequency = frequency;
    adventure.Levels[1].LinesToFinish = 100;
    h.WarmUp();
    h.StartLevel(adventure, 1);
  }
  // A disaster of this kind in full swing, its first strike still to come.
  void Rage(uint8_t kind) {
    game().Disasters = DisasterState{true, 0, 1000, true, 0};
    level().DisasterKind = kind;
  }
  std::string Countdown() {
    std::string text;
    for (const auto& ref : game().Panels.CountdownDigits) text += char('0' + int(ref.Get()->AnimationPos) - 1);
    return text;
  }
  int CountCells(uint8_t code) {
    int n = 0;
    for (int x = 1; x <= kBoardSize; ++x) {
      for (int y = 1; y <= kBoardSize; ++y) n += board()[x][y].Code == code;
    }
    return n;
  }
  // The cell whose code differs between two boards (0, 0 for none).
  std::pair<int, int> ChangedCell(const BoardGrid& before) {
    for (int x = 1; x <= kBoardSize; ++x) {
      for (int y = 1; y <= kBoardSize; ++y) {
        if (board()[x][y].Code != before[x][y].Code) return {x, y};
      }
    }
    return {0, 0};
  }
  void ExpectAtCell(const SpriteRef<TBasicSprite>& ref, std::pair<int, int> cell) {
    EXPECT_EQ(ref.Get()->X, 25 * cell.first + 100);
    EXPECT_EQ(ref.Get()->Y, 25 * cell.second - 110);
  }
  TMain& game() { return h.Game(); }
  LevelRecord& level() { return PlayLevel(game()); }
  BoardGrid& board() { return level().Board; }
  const MessageSlot& newest() { return game().Panels.MessageSlots[5]; }
  Harness h;
};

TEST_F(DisasterTest, AnnouncedCountedDownRagingAndOver) {
  Start(255);  // one chance in 39 a frame
  h.RunFrames(kPrepareFrames);
  EXPECT_FALSE(game().Disasters.DisasterPending) << "none in the start phase";
  SoundLog sounds(game());
  for (int i = 0; i < 1000 && !game().Disasters.DisasterPending; ++i) h.RunFrames(1);
  const DisasterState& d = game().Disasters;
  ASSERT_TRUE(d.DisasterPending);
  EXPECT_TRUE(d.DisasterStartTicks >= 5 && d.DisasterStartTicks <= 19) << d.DisasterStartTicks;
  EXPECT_GE(d.DisasterEndTicks, d.DisasterStartTicks + 10);
  EXPECT_EQ(Countdown(), CounterText(d.DisasterStartTicks, 2));
  EXPECT_EQ(newest().Line1, "Warning!");
  EXPECT_EQ(newest().Color, kRed);
  EXPECT_EQ(sounds.Started("Before_Theme_Speciality"), 1);
  level().DisasterKind = kQuake;
  level().DisasterFrequency = 0;
  bool brokeOut = false;
  for (int i = 0; i < 5000 && d.DisasterPending; ++i) {
    h.RunFrames(1);
    if (!d.DisasterPending) break;
    ASSERT_EQ(game().Panels.Seismograph.Get()->AnimationLength, 27) << "the seismograph runs in full";
    ASSERT_EQ(Countdown(), CounterText(d.DisasterStartTicks > 0 ? d.DisasterStartTicks : d.DisasterEndTicks, 2));
    if (d.DisasterStartTicks <= 0 && !brokeOut) {
      brokeOut = true;
      EXPECT_EQ(newest().Line2, "Earthquake!");
      EXPECT_EQ(sounds.Stopped("Before_Theme_Speciality"), 1);
      EXPECT_EQ(sounds.Started("Earthquake"), 1);
    }
  }
  ASSERT_FALSE(d.DisasterPending);
  EXPECT_TRUE(brokeOut);
  EXPECT_EQ(Countdown(), "00");
  EXPECT_EQ(newest().Line2, "Speciality over.");
  EXPECT_EQ(newest().Color, kGreen);
  EXPECT_GE(sounds.Stopped("Earthquake"), 1);
  h.RunFrames(1);
  EXPECT_EQ(game().Panels.Seismograph.Get()->AnimationLength, 4);

  for (int i = 0; i < 20000; ++i) TryStartDisaster(game());
  EXPECT_FALSE(d.DisasterPending) << "frequency 0 never starts one";
}

TEST_F(DisasterTest, FireBurnsABlockAtOnceThenByChanceAndStopsWhenNoneIsLeft) {
  Start(0);
  Rage(kFire);
  for (auto [x, y] : {std::pair{5, 29}, {12, 20}, {27, 3}}) board()[x][y] = Cell{kBlock, 4};
  SoundLog sounds(game());
  BoardGrid before = board();
  DisasterFrame(game());
  EXPECT_EQ(CountCells(kBlock), 2) << "the first strike comes on the first active frame";
  EXPECT_FALSE(game().Disasters.FirstStrike);
  ExpectAtCell(game().Panels.Flame, ChangedCell(before));
  for (int i = 0; i < 20000; ++i) DisasterFrame(game());
  EXPECT_EQ(CountCells(kBlock), 0);
  EXPECT_EQ(sounds.Started("Flame"), 3) << "one per burnt block, none without a block";

  Rage(kFire);
  DisasterFrame(game());
  EXPECT_FALSE(game().Disasters.FirstStrike) << "a first strike on an empty board is used up";
  EXPECT_EQ(sounds.Started("Flame"), 3);
}

TEST_F(DisasterTest, LightningStrikesOnlyByChanceIntoEmptyCellsDeepBelowTheEntry) {
  Start(0);
  Rage(kLightning);
  SoundLog sounds(game());
  int strikes = 0;
  for (int i = 0; i < 5000; ++i) {
    BoardGrid before = board();
    DisasterFrame(game());
    const auto cell = ChangedCell(before);
    if (cell.first == 0) continue;
    if (++strikes == 1) {
      EXPECT_GT(i, 0) << "lightning has no first strike";
    }
    EXPECT_GT(cell.second, level().EntryRow + 10);
    EXPECT_EQ(before[cell.first][cell.second].Code, kEmpty);
    EXPECT_EQ(board()[cell.first][cell.second].Code, kBlock);
    ExpectAtCell(game().Panels.Storm, cell);
  }
  EXPECT_GE(strikes, 5);
  EXPECT_EQ(sounds.Started("Storm"), strikes);

  TBasicSprite* storm = game().Panels.Storm.Get();
  storm->AnimationPos = 6;
  DisasterFrame(game());
  EXPECT_EQ(storm->X, -300) << "the bolt leaves after its sixth pattern";

  // Every deep cell filled but those the falling element covers.
  const ElementRecord& e = game().Play.ElementQueue[0];
  game().Play.ElementQueue[0].Y = 20;
  for (int x = 2; x <= 29; ++x) {
    for (int y = 12; y <= 29; ++y) {
      const int c = x - e.X, r = y - e.Y;
      const bool covered = c >= 0 && c < 4 && r >= 0 && r < 4 && e.Occupied(c, r);
      board()[x][y].Code = covered ? kEmpty : kBlock;
    }
  }
  const BoardGrid full = board();
  for (int i = 0; i < 5000; ++i) DisasterFrame(game());
  EXPECT_EQ(ChangedCell(full), std::make_pair(0, 0)) << "no target, no strike, no hang";
}

TEST_F(DisasterTest, WindPushesOnEveryTenthFrameWithinTheGustingRows) {
  Start(0);
  Rage(kWind);
  SoundLog sounds(game());
  DisasterFrame(game());
  const uint8_t direction = game().Disasters.WindDirection;
  ASSERT_TRUE(direction == 1 || direction == 2) << "the first gust comes at once";
  EXPECT_EQ(sounds.Started("Wind"), 1);
  const TBasicSprite* wind = game().Panels.Wind.Get();
  EXPECT_EQ(wind->Image->Name, direction == 1 ? "Wind_Animation" : "Wind2_Animation");
  EXPECT_EQ(wind->X, 830);
  EXPECT_EQ(wind->Y, 6);

  ElementRecord& e = game().Play.ElementQueue[0];
  int pushes = 0;
  for (int frame = 1; frame <= 3000; ++frame) {
    game().Shell.FrameCounter = frame;
    e.X = 14;
    e.Y = static_cast<uint8_t>(1 + frame % 25);
    // The gusting rows are drawn first in the frame, from the same generator.
    Random probe = game().Rng;
    const int y = probe(28) + 1;
    DisasterFrame(game());
    const bool expected = frame % 10 == 0 && e.Y >= y && e.Y <= y + 2;
    ASSERT_EQ(e.X != 14, expected) << "frame " << frame << ", element row " << int(e.Y) << ", gust " << y;
    pushes += expected;
  }
  EXPECT_GE(pushes, 10);
}

TEST_F(DisasterTest, TheEarthquakeShakesTheBoardsOrigin) {
  Start(0);
  Rage(kQuake);
  for (int y = 20; y <= 29; ++y) board()[3 + y % 7][y] = Cell{kBlock, uint8_t(y % 18 + 1)};
  Bitmap& surface = game().M.DXDraw.Surface();
  auto drawnAt = [&](int ox, int oy) {
    surface.Pixels.assign(surface.Pixels.size(), 0);
    DrawPlayfield(game(), ox, oy, "Table");
    return surface.Pixels;
  };
  auto offset = [](Random& r) { return r(r(10)) == 0 ? r(30) : 15; };
  int jolts = 0;
  for (int i = 0; i < 60; ++i) {
    Random probe = game().Rng;
    const int a = offset(probe), b = offset(probe);
    const auto expected = drawnAt(97 + a, -30 + b);
    surface.Pixels.assign(surface.Pixels.size(), 0);
    DisasterFrame(game());
    ASSERT_TRUE(surface.Pixels == expected) << "frame " << i << " at offset " << a << ", " << b;
    jolts += a != 15 || b != 15;
  }
  EXPECT_GT(jolts, 5);
  EXPECT_LT(jolts, 55);
  game().Disasters.DisasterStartTicks = 3;
  const auto still = drawnAt(112, -15);
  surface.Pixels.assign(surface.Pixels.size(), 0);
  DisasterFrame(game());
  EXPECT_TRUE(surface.Pixels == still) << "no shaking while only announced";
}

}  // namespace
}  // namespace plumix
