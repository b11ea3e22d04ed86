// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/elements.h"
#include "engine/lines.h"
#include "engine/moves.h"
#include "engine/play_frame.h"
#include "support/harness.h"
#include "support/probes.h"

namespace plumix {
namespace {

using testing::Harness;
using testing::CountSounds;
using testing::Digits;
using testing::HarnessOptions;
using testing::MakeTestAdventure;

// Pixels of the surface close to a pure colour inside a rectangle.
int CountColour(Harness& h, int x0, int y0, int x1, int y1, uint32_t rgb) {
  int n = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const uint32_t p = h.Pixel(x, y);
      int d = 0;
      for (int shift : {0, 8, 16}) d += std::abs(int((p >> shift) & 255) - int((rgb >> shift) & 255));
      n += d < 24;
    }
  }
  return n;
}

class PlayFrameTest : public ::testing::Test {
 protected:
  explicit PlayFrameTest(HarnessOptions options = {}) : h(options) {}
  // The level starts warm (FrameScale from the measured rate) and runs
  // through its start phase when `skipPrepare`.
  void Start(const AdventureRecord& adventure, bool skipPrepare = true) {
    h.WarmUp();
    h.StartLevel(adventure, 1);
    if (skipPrepare) h.RunFrames(kPrepareFrames);
  }
  TMain& game() { return h.Game(); }
  PlayState& play() { return game().Play; }
  ElementRecord& falling() { return play().ElementQueue[0]; }
  BoardGrid& board() { return PlayLevel(game()).Board; }
  // Holds Down until the falling element locks; returns the frames it took.
  int DropToLock() {
    const int score = game().Adv.Score;
    h.KeyDown(kVkDown);
    int frames = 0;
    while (game().Adv.Score == score && frames < 200) {
      h.RunFrames(1);
      ++frames;
    }
    h.KeyUp(kVkDown);
    return frames;
  }
  void FillRow(int y, std::initializer_list<int> holes) {
    for (int x = 2; x <= 29; ++x) {
      if (std::find(holes.begin(), holes.end(), x) == holes.end()) board()[x][y] = Cell{kBlock, 3};
    }
  }
  Harness h;
};

// The frames at which the element moved down, over `frames` frames.
std::vector<int> FallFrames(Harness& h, int frames) {
  std::vector<int> at;
  for (int i = 1; i <= frames; ++i) {
    const int y = h.Game().Play.ElementQueue[0].Y;
    h.RunFrames(1);
    if (h.Game().Play.ElementQueue[0].Y != y) at.push_back(i);
  }
  return at;
}

TEST_F(PlayFrameTest, GravityWaitsFrameScaleDivSpeedPlusOne) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].StartSpeed = 0;
  Start(adventure);
  EXPECT_EQ(game().Shell.FrameScale, 90);
  EXPECT_EQ(play().FallInterval, 90);
  // The counter must reach the interval first: one step every 91 frames.
  EXPECT_EQ(FallFrames(h, 300), (std::vector<int>{91, 182, 273}));
  adventure.Levels[1].StartSpeed = 4;  // 90 / 5 = 18: a step every 19 frames
  h.StartLevel(adventure, 1);
  h.RunFrames(kPrepareFrames);
  EXPECT_EQ(FallFrames(h, 60), (std::vector<int>{19, 38, 57}));
}

class SlowFrameRate : public PlayFrameTest {
 protected:
  SlowFrameRate() : PlayFrameTest(ThirtyFrames()) {}
  static HarnessOptions ThirtyFrames() {
    HarnessOptions options;
    options.FrameMs = 1000.0 / 30;
    return options;
  }
};

TEST_F(SlowFrameRate, GravityKeepsItsPaceInSeconds) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].StartSpeed = 2;
  Start(adventure);
  EXPECT_EQ(game().Shell.FrameScale, 45);
  EXPECT_EQ(play().FallInterval, 15);
  EXPECT_EQ(FallFrames(h, 50), (std::vector<int>{16, 32, 48}));
  // At 60 frames a second the same speed steps every 31 frames: the same half second.
}

TEST_F(SlowFrameRate, AHeldKeyRepeatsByTheSettingScaledToTheRate) {
  Start(MakeTestAdventure());
  h.RunFrames(46);  // below the entry mark
  // 25 x 45 / 500 = 2.25 frames: a step in frames 1, 4, 7.
  int x = falling().X;
  h.KeyDown(kVkRight);
  h.RunFrames(9);
  h.KeyUp(kVkRight);
  EXPECT_EQ(falling().X, x + 3);
  game().Settings.LRSpeed = "50";  // 4.5 frames: 1, 6
  h.RunFrames(10);
  x = falling().X;
  h.KeyDown(kVkLeft);
  h.RunFrames(9);
  h.KeyUp(kVkLeft);
  EXPECT_EQ(falling().X, x - 2);
  game().Settings.LRSpeed = "fast";
  h.RunFrames(1);
  EXPECT_DOUBLE_EQ(play().SideRepeatFrames, 2.25) << "a setting that is no number keeps the default";
  game().Settings.DropSpeed = "400";  // 400 x 45 / 5000 = 3.6 frames: a step in frames 1, 5, 9
  h.RunFrames(10);
  play().FallCounter = 0;
  const int y = falling().Y;
  h.KeyDown(kVkDown);
  h.RunFrames(9);
  h.KeyUp(kVkDown);
  EXPECT_EQ(falling().Y, y + 3);
}

TEST_F(PlayFrameTest, NothingMovesOrCountsInTheStartPhase) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].LevelType = 1;
  adventure.Levels[1].TimeToFinish = 3;
  Start(adventure, false);
  const ElementRecord entry = falling();
  h.KeyDown(kVkLeft);
  h.RunFrames(1);
  EXPECT_EQ(game().Notices.Slots[0].Active, false) << "the notice comes in the second frame";
  EXPECT_EQ(CountSounds(game(), "Start_Level"), 0);
  h.RunFrames(1);
  EXPECT_TRUE(game().Notices.Slots[0].Active);
  EXPECT_EQ(CountSounds(game(), "Start_Level"), 1);
  h.RunFrames(kPrepareFrames - 2);
  h.KeyUp(kVkLeft);
  EXPECT_EQ(play().PrepareCounter, kPrepareFrames);
  EXPECT_EQ(falling().X, entry.X) << "no input";
  EXPECT_EQ(falling().Y, entry.Y) << "no gravity";
  EXPECT_EQ(play().TimeLeft, 3) << "ticks passed, but time counts only in play";
  EXPECT_EQ(CountSounds(game(), "Start_Level"), 1);
}

TEST_F(PlayFrameTest, TheStartPhaseNeverLocksEvenAtAFallIntervalOfZero) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].StartSpeed = 100;                // 90 / 101 frames
  adventure.Levels[1].Board[15][2] = Cell{kBlock, 2};  // the entering cell stands on it
  Start(adventure, false);
  h.RunFrames(kPrepareFrames - 1);
  EXPECT_EQ(game().Adv.Score, 0);
  h.RunFrames(3);
  EXPECT_GT(game().Adv.Score, 0) << "play locks it at once";
}

TEST_F(PlayFrameTest, TheTimeOfABonusLevelCountsDownPerTickAndEndsItCompleted) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].LevelType = 1;
  adventure.Levels[1].TimeToFinish = 3;
  Start(adventure, false);
  EXPECT_EQ(TickLength(90), 67);
  // Ticks fall on every 68th frame: 68, 136, 204, 272, 340.
  h.RunFrames(203);
  EXPECT_EQ(play().TimeLeft, 3);
  h.RunFrames(1);
  EXPECT_EQ(play().TimeLeft, 2);
  EXPECT_EQ(game().Panels.TimeDigits[3].Get()->AnimationPos, 2 + 1);
  h.RunFrames(68);
  EXPECT_EQ(play().TimeLeft, 1);
  EXPECT_EQ(play().EndCounter, -1);
  h.RunFrames(68);
  EXPECT_EQ(play().TimeLeft, 0);
  EXPECT_EQ(play().EndCounter, 2) << "ended in this frame, and the end text counted it";
  EXPECT_EQ(CountSounds(game(), "Fanfare"), 1);
  EXPECT_EQ(CountSounds(game(), "Game_Over"), 0);
  // EndCounter went from 1 to 2 in that frame; at 200 the level is left.
  h.RunFrames(198);
  EXPECT_EQ(game().Shell.ScreenState, kPlayScreen);
  h.RunFrames(1);
  EXPECT_EQ(game().Shell.ScreenState, kLevelCompletedScreen);
  EXPECT_EQ(play().TimeLeft, 0);
}

TEST_F(PlayFrameTest, ALandedElementLocksAtItsNextGravityMoment) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].Board[15][3] = Cell{kBlock, 2};  // a ledge under the entry cell
  Start(adventure);
  h.RunFrames(91);
  ASSERT_EQ(falling().Y, 2);
  ASSERT_FALSE(CanMove(play(), board(), "Down"));
  h.RunFrames(89);
  EXPECT_EQ(board()[15][2].Code, kEmpty) << "landed, not yet locked";
  h.RunFrames(1);
  EXPECT_EQ(board()[15][2], (Cell{kBlock, 8}));
  EXPECT_EQ(game().Adv.Score, 1) << "value 1 plus speed 0";
  EXPECT_EQ(game().Adv.LevelScores[1], 1);
  EXPECT_EQ(falling().Y, 1) << "the next element entered";
  EXPECT_TRUE(play().DownLock);
}

TEST_F(PlayFrameTest, DownLocksAtOnceAndIsIgnoredUntilReleased) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].Board[15][6] = Cell{kBlock, 2};
  Start(adventure);
  // The repeat counters start counting with the first frame of play.
  h.RunFrames(1);
  const int frames = DropToLock();
  EXPECT_EQ(frames, 4) << "one row a frame down to row 5, locked there at once";
  EXPECT_EQ(board()[15][5].Code, kBlock);
  // Down still held across the lock: the new element does not drop.
  h.KeyDown(kVkDown);
  h.RunFrames(10);
  EXPECT_EQ(falling().Y, 1);
  EXPECT_FALSE(play().DownHeld);
  h.KeyUp(kVkDown);
  h.RunFrames(1);
  EXPECT_FALSE(play().DownLock);
  h.KeyDown(kVkDown);
  h.RunFrames(2);
  EXPECT_EQ(falling().Y, 3);
}

TEST_F(PlayFrameTest, AnElementSlidesOffALedgeAndFallsOn) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].Board[15][3] = Cell{kBlock, 2};
  Start(adventure);
  h.RunFrames(91);
  ASSERT_EQ(falling().Y, 2);
  h.RunFrames(40);
  h.Press(kVkRight);
  h.KeyDown(kVkRight);
  h.RunFrames(1);
  h.KeyUp(kVkRight);
  EXPECT_EQ(falling().X, 15);
  h.RunFrames(60);
  EXPECT_EQ(falling().Y, 3) << "gravity took it down past the ledge";
  EXPECT_EQ(board()[16][2].Code, kEmpty);
}

TEST_F(PlayFrameTest, LeftAndRightTogetherMoveLeftOnly) {
  Start(MakeTestAdventure());
  h.RunFrames(91);  // below the entry mark, which blocks like a wall
  const int x = falling().X;
  h.KeyDown(kVkLeft);
  h.KeyDown(kVkRight);
  // Repeats every 4.5 frames of the shared counter: moves in frames 1, 6, 11.
  h.RunFrames(10);
  EXPECT_EQ(falling().X, x - 2);
  h.KeyUp(kVkLeft);
  h.RunFrames(5);
  EXPECT_EQ(falling().X, x - 1) << "Right alone moves right again";
  h.KeyUp(kVkRight);
}

TEST_F(PlayFrameTest, RotationTakesOneTurnPerPress) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].Elements = {};
  adventure.Levels[1].Elements[5] = 1;  // four states
  Start(adventure);
  h.RunFrames(91);  // clear of the entry mark
  h.KeyDown(kVkUp);
  h.RunFrames(10);
  EXPECT_EQ(play().RotationState, 2);
  h.KeyUp(kVkUp);
  h.RunFrames(1);
  h.KeyDown(kVkUp);
  h.RunFrames(1);
  EXPECT_EQ(play().RotationState, 3);
  h.KeyUp(kVkUp);
}

TEST_F(PlayFrameTest, ATopOutInAnActionLevelIsLostAfterTwoHundredFrames) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].Board[15][2] = Cell{kBlock, 2};  // the entry cell can go nowhere
  Start(adventure);
  h.RunFrames(90);
  ASSERT_EQ(board()[15][1].Code, kBlock);
  EXPECT_TRUE(play().TopOut);
  EXPECT_EQ(CountSounds(game(), "Game_Over"), 1);
  EXPECT_EQ(play().EndCounter, 2);
  // "GAME OVER!" blinks: red while EndCounter mod 25 < 12, then green.
  EXPECT_GT(CountColour(h, 290, 340, 720, 410, 0xFF0000), 500);
  h.RunFrames(12);
  EXPECT_GT(CountColour(h, 290, 340, 720, 410, 0x00FF00), 500);
  EXPECT_EQ(CountColour(h, 290, 340, 720, 410, 0xFF0000), 0);
  const ElementRecord next = falling();
  h.RunFrames(186);
  EXPECT_EQ(falling().Y, next.Y) << "no gravity while the level ends";
  EXPECT_EQ(game().Shell.ScreenState, kPlayScreen);
  h.RunFrames(1);
  EXPECT_EQ(game().Shell.ScreenState, kGameOverScreen);
  EXPECT_EQ(game().Adv.SaveCount, 1) << "the high score was offered once";
  h.RunFrames(3);
  EXPECT_EQ(game().Adv.SaveCount, 1);
}

TEST_F(PlayFrameTest, ATopOutInABonusLevelCompletesIt) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].LevelType = 1;
  adventure.Levels[1].TimeToFinish = 500;
  adventure.Levels[1].RecordScore = 77;
  adventure.Levels[1].Board[15][2] = Cell{kBlock, 2};
  Start(adventure);
  h.RunFrames(90);
  EXPECT_TRUE(play().TopOut);
  EXPECT_EQ(CountSounds(game(), "Fanfare"), 1);
  EXPECT_EQ(play().TimeLeft, 0) << "the end text shows the time as 0";
  h.RunFrames(1);
  EXPECT_GT(CountColour(h, 170, 340, 860, 410, 0xFF0000), 500) << "LEVEL COMPLETED!";
  h.RunFrames(198);
  EXPECT_EQ(game().Shell.ScreenState, kLevelCompletedScreen);
  EXPECT_EQ(game().Adv.RecordLevelScore, 77) << "the record scores were read";
  EXPECT_EQ(game().Adv.SaveCount, 0);
}

TEST_F(PlayFrameTest, TheLastLineWinsEvenWhenTheSameLockTopsOut) {
  AdventureRecord adventure = MakeTestAdventure();
  LevelRecord& level = adventure.Levels[1];
  level.LinesToFinish = 1;
  level.Board[20][1] = Cell{kBlock, 4};  // held in the entry row by a wall
  level.Board[20][2] = Cell{kEdge, 0};
  for (int x = 2; x <= 29; ++x) {
    if (x != 15) level.Board[x][29] = Cell{kBlock, 3};
  }
  Start(adventure);
  DropToLock();
  EXPECT_EQ(play().LinesLeft, 0);
  EXPECT_TRUE(play().TopOut);
  EXPECT_EQ(CountSounds(game(), "Fanfare"), 1);
  EXPECT_EQ(CountSounds(game(), "Game_Over"), 0);
  h.RunFrames(200);
  EXPECT_EQ(game().Shell.ScreenState, kLevelCompletedScreen);
}

TEST_F(PlayFrameTest, ClearingTheLastLineWinsAnActionLevel) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].LinesToFinish = 1;
  Start(adventure);
  FillRow(29, {15});
  DropToLock();
  EXPECT_EQ(play().LinesLeft, 0);
  EXPECT_FALSE(play().TopOut);
  EXPECT_EQ(play().EndCounter, 2) << "the goal test of the lock's frame ended the level";
  EXPECT_EQ(CountSounds(game(), "Fanfare"), 1);
  EXPECT_EQ(Digits(game().Panels.LinesDigits), "000");
  h.RunFrames(198);
  EXPECT_EQ(game().Shell.ScreenState, kPlayScreen);
  h.RunFrames(1);
  EXPECT_EQ(game().Shell.ScreenState, kLevelCompletedScreen);
  EXPECT_EQ(game().Adv.SaveCount, 0);
}

TEST_F(PlayFrameTest, TheSpeedRisesAtTheFirstLineOfEveryStep) {
  AdventureRecord adventure = MakeTestAdventure();
  LevelRecord& level = adventure.Levels[1];
  level.LinesToFinish = 20;
  level.LinesToIncreaseSpeed = 5;
  level.StartSpeed = 0;
  level.MaximalSpeed = 3;
  Start(adventure);
  std::vector<int> speeds;
  for (int line = 1; line <= 17; ++line) {
    FillRow(29, {15});
    DropToLock();
    h.RunFrames(1);
    ASSERT_EQ(play().LinesLeft, 20 - line);
    speeds.push_back(play().Speed);
  }
  EXPECT_EQ(speeds, (std::vector<int>{1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3}));
  EXPECT_EQ(play().FallInterval, 22);
  EXPECT_EQ(game().Panels.LinesDigits[1].Get()->AnimationPos, 0 + 1);
  EXPECT_EQ(game().Panels.LinesDigits[2].Get()->AnimationPos, 3 + 1);
}

TEST_F(PlayFrameTest, ADoubleClearWithAGapRowAndItsAnimation) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].Elements = {};
  adventure.Levels[1].Elements[10] = 1;  // three cells tall in column X + 1
  Start(adventure);
  FillRow(27, {15});
  FillRow(28, {15, 20});
  FillRow(29, {15});
  DropToLock();
  EXPECT_EQ(play().LinesCleared, 2);
  EXPECT_EQ(game().Adv.Score, 3 + 100);
  EXPECT_EQ(play().LinesLeft, 8);
  const ClearedRowsRecord& cleared = play().ClearedRows;
  EXPECT_EQ(cleared.Rows[4], 27);
  EXPECT_EQ(cleared.Rows[3], 29);
  EXPECT_EQ(board()[20][29].Code, kEmpty) << "the gap row came down";
  EXPECT_EQ(board()[15][29].Code, kBlock);
  EXPECT_EQ(board()[21][28].Code, kEmpty);
  // The lock's frame drew the first of 25 animation frames.
  EXPECT_TRUE(cleared.Active);
  EXPECT_EQ(cleared.Countdown, 24);
  h.RunFrames(23);
  EXPECT_TRUE(cleared.Active);
  h.RunFrames(1);
  EXPECT_FALSE(cleared.Active);
}

TEST_F(PlayFrameTest, TheMirroredBoardIsDrawnMirroredAndTwiceBack) {
  AdventureRecord adventure = MakeTestAdventure();
  for (int x = 2; x <= 12; ++x) adventure.Levels[1].Board[x][28 - x % 3] = Cell{kBlock, uint8_t(x)};
  Start(adventure);
  auto rowPixels = [&](int column) {
    std::vector<uint32_t> p;
    for (int y = 25 * 20 - 15; y < 25 * 30 - 15; y += 5) p.push_back(h.Pixel(25 * column + 112 + 12, y));
    return p;
  };
  h.RunFrames(1);
  std::vector<std::vector<uint32_t>> before;
  for (int x = 1; x <= 30; ++x) before.push_back(rowPixels(x));
  MirrorBoard(game());
  EXPECT_EQ(falling().X, 14);
  h.RunFrames(1);
  for (int x = 1; x <= 30; ++x) EXPECT_EQ(rowPixels(x), before[30 - x]) << "column " << x;
  MirrorBoard(game());
  h.RunFrames(1);
  for (int x = 1; x <= 30; ++x) EXPECT_EQ(rowPixels(x), before[x - 1]) << "column " << x;
  EXPECT_FALSE(game().Specials.BoardMirrored);
}

TEST_F(PlayFrameTest, TheNextColumnSlidesUpOnRealFramesOnly) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].Board[15][6] = Cell{kBlock, 2};
  adventure.Levels[1].StartSpeed = 2;
  Start(adventure);
  DropToLock();
  EXPECT_EQ(play().PreviewScroll, 0);
  h.RunFrames(4);
  EXPECT_EQ(game().Adv.Score, 3) << "the lock scores value 1 plus speed 2";
  EXPECT_EQ(play().PreviewScroll, 4 * 3) << "Speed + 1 pixels a frame";
  const int fall = play().FallCounter;
  const int scroll = game().Panels.MessageScroll;
  PlayFrame(game(), false);
  EXPECT_EQ(play().PreviewScroll, 12);
  EXPECT_EQ(game().Panels.MessageScroll, scroll);
  EXPECT_EQ(play().FallCounter, fall + 1) << "the game logic still runs";
}

TEST_F(PlayFrameTest, AVirusStrikeDestroysTheElementWithoutALock) {
  Start(MakeTestAdventure());
  h.RunFrames(94);
  game().Specials.VirusPresent = true;
  h.RunFrames(1);
  EXPECT_EQ(CountSounds(game(), "2Fireworks_Bang"), 0) << "a virus strikes only when its tick says so";
  const int y = falling().Y;
  ASSERT_GT(y, 1);
  game().Specials.VirusStrike = true;
  h.RunFrames(1);
  EXPECT_EQ(falling().Y, 1) << "the next element entered at once";
  EXPECT_EQ(game().Adv.Score, 0);
  for (int x = 2; x <= 29; ++x) {
    for (int r = 1; r <= 29; ++r) ASSERT_NE(board()[x][r].Code, kBlock);
  }
  EXPECT_FALSE(game().Specials.VirusStrike);
  EXPECT_EQ(CountSounds(game(), "2Fireworks_Bang"), 1);
  const TBasicSprite* explosion = game().Panels.Explosion.Get();
  ASSERT_NE(explosion, nullptr);
  EXPECT_EQ(explosion->X, 25 * 14 + 112);
  EXPECT_EQ(explosion->Y, 25 * y - 15);
}

TEST_F(PlayFrameTest, NothingFallsOrMovesDuringALaserShot) {
  Start(MakeTestAdventure());
  h.RunFrames(91);
  const ElementRecord before = falling();
  game().Specials.LaserFiring = true;
  game().Specials.LaserFrames = 0;
  h.KeyDown(kVkLeft);
  h.RunFrames(25);
  EXPECT_EQ(falling().X, before.X);
  EXPECT_EQ(falling().Y, before.Y);
  EXPECT_TRUE(game().Specials.LaserFiring);
  h.RunFrames(1);
  h.KeyUp(kVkLeft);
  EXPECT_FALSE(game().Specials.LaserFiring);
  EXPECT_EQ(falling().Y, 1) << "the shot used the element up";
}

TEST_F(PlayFrameTest, AnUncheckedLevelStaysInsideTheBoard) {
  // Values the adventure loader would have made safe, set behind its back.
  Start(MakeTestAdventure());
  LevelRecord& level = PlayLevel(game());
  level.EntryColumn = 29;
  level.EntryRow = 0;
  level.NextElements = 9;
  level.Elements = {};
  level.LinesToIncreaseSpeed = 0;
  for (int y = 1; y <= 29; ++y) level.Board[2][y] = Cell{kBlock, 250};
  FillElementQueue(play(), level, game().Rng, "InitNextElementTable");
  h.KeyDown(kVkDown);
  for (int i = 0; i < 400 && game().Shell.ScreenState == kPlayScreen; ++i) h.RunFrames(1);
  h.KeyUp(kVkDown);
  EXPECT_NE(game().Shell.ScreenState, kPlayScreen) << "the entry row at the top of the grid filled up";
  EXPECT_TRUE(game().Errors.empty()) << game().Errors.front();
}

TEST_F(PlayFrameTest, ThePlumixModeThroughRealClears) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].LinesToFinish = 100;
  Start(adventure);
  PlumixState& plumix = game().Plumix;
  // A vertical bar into `rows` full rows; what the clear scored beyond the lock.
  auto clear = [&](int rows) {
    static constexpr int kBars[5] = {0, 8, 9, 10, 1};
    ElementRecord& e = falling();
    e.Kind = kBars[rows];
    SetShape(e, e.Kind, 1);
    for (int y = 30 - rows; y <= 29; ++y) FillRow(y, {e.X + 1});
    // The lock scores the value of the kind dealt (8: 1), whatever the shape.
    const int expected = game().Adv.Score + 1 + play().Speed;
    DropToLock();
    h.RunFrames(1);  // Down released
    return game().Adv.Score - expected;
  };
  auto badges = [&] {
    std::string xs;
    for (int k = 1; k <= 4; ++k) xs += std::to_string(int(game().Panels.Sums[k].Get()->X)) + " ";
    return xs;
  };
  EXPECT_EQ(clear(4), 200) << "the clear that opens the mode";
  EXPECT_EQ(CountSounds(game(), "PlumixModeEnabled"), 1);
  EXPECT_EQ(clear(1), 100);
  EXPECT_GE(plumix.Rockets[1].Counter, 1) << "the one-line rocket rises";
  EXPECT_EQ(clear(1), 50);
  EXPECT_EQ(clear(4), 400);
  EXPECT_EQ(clear(2), 200);
  EXPECT_EQ(badges(), "912 912 1500 912 ");
  const auto kinds = plumix.Rockets;
  EXPECT_EQ(clear(3), 300 + 150) << "the completion bonus counts the last clear's lines";
  EXPECT_FALSE(plumix.PlumixMode);
  EXPECT_EQ(game().Panels.MessageSlots[5].Line1, "PLUMIX completed.");
  EXPECT_GE(plumix.Rockets[11].Counter, 0) << "the show is launched";
  EXPECT_EQ(badges(), "1500 1500 1500 1500 ");
  EXPECT_EQ(clear(4), 200) << "a new cycle";
  int rerolled = 0;
  for (int i = 1; i <= kRocketSlots; ++i) rerolled += plumix.Rockets[i].BurstKind != kinds[i].BurstKind;
  EXPECT_GT(rerolled, 50) << "with new rocket kinds";
}

TEST_F(PlayFrameTest, TheCompletedSpecialFramesTheBoardInGreen) {
  Start(MakeTestAdventure());
  h.RunFrames(1);
  EXPECT_EQ(CountColour(h, 400, 8, 600, 13, 0x00FF00), 0);
  game().Specials.LevelCompletedCollected = true;
  h.RunFrames(1);
  EXPECT_EQ(CountColour(h, 400, 9, 600, 12, 0x00FF00), 200 * 3);
}

TEST_F(PlayFrameTest, ATopOutAfterTheCompletedSpecialStillCompletesTheLevel) {
  Start(MakeTestAdventure());
  game().Specials.LevelCompletedCollected = true;
  for (int y = 2; y <= 29; ++y) board()[15][y] = Cell{kBlock, 3};
  DropToLock();
  ASSERT_TRUE(play().TopOut);
  EXPECT_EQ(CountSounds(game(), "Fanfare"), 1);
  EXPECT_EQ(CountSounds(game(), "Game_Over"), 0);
  h.RunFrames(kEndFrames);
  EXPECT_EQ(game().Shell.ScreenState, kLevelCompletedScreen);
}

}  // namespace
}  // namespace plumix
