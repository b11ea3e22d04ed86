// SPDX-License-Identifier: GPL-3.0-or-later
// A long headless game under every special and disaster at high frequency,
// played in turns by the bot (long games that clear rows and collect
// specials) and by random keys (pauses, odd key orders). The suite runs a short one; PLUMIX_SOAK_MINUTES=30
// runs half an hour of game time (docs/testing.md).
#include <gtest/gtest.h>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>

#include "app/main_form.h"
#include "bot/bot.h"
#include "media/input.h"
#include "support/harness.h"

// Live heap blocks of the whole test program, to see whether a long game grows.
namespace {
std::atomic<long> liveBlocks{0};
std::atomic<long> liveBytes{0};

void* Counted(size_t size, bool mayThrow = true) {
  void* p = std::malloc(size ? size : 1);
  if (!p) {
    if (mayThrow) throw std::bad_alloc();
    return nullptr;
  }
  liveBlocks.fetch_add(1, std::memory_order_relaxed);
  liveBytes.fetch_add(static_cast<long>(malloc_usable_size(p)), std::memory_order_relaxed);
  return p;
}
void Uncounted(void* p) noexcept {
  if (!p) return;
  liveBlocks.fetch_sub(1, std::memory_order_relaxed);
  liveBytes.fetch_sub(static_cast<long>(malloc_usable_size(p)), std::memory_order_relaxed);
  std::free(p);
}
}  // namespace

void* operator new(size_t size) { return Counted(size); }
void* operator new[](size_t size) { return Counted(size); }
// Every form that pairs with these must be here too, or a block would be freed by another allocator.
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Counted(size, false); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Counted(size, false); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Uncounted(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Uncounted(p); }
void operator delete(void* p) noexcept { Uncounted(p); }
void operator delete[](void* p) noexcept { Uncounted(p); }
void operator delete(void* p, size_t) noexcept { Uncounted(p); }
void operator delete[](void* p, size_t) noexcept { Uncounted(p); }

namespace plumix {
namespace {

using plumix::testing::Harness;

AdventureRecord StormyAdventure() {
  AdventureRecord adventure = plumix::testing::MakeTestAdventure(3);
  for (int k = 1; k <= 3; ++k) {
    LevelRecord& level = adventure.Levels[k];
    level.SpecialsFrequency = 3;
    level.DisasterFrequency = 3;
    level.LevelType = k == 2 ? 1 : 0;  // a bonus level among the action levels
    level.TimeToFinish = 20;
    level.LinesToFinish = 10;
    level.NextElements = 4;
    level.StartSpeed = static_cast<uint8_t>(4 * k);
    level.Elements.fill(1);
    level.Specials.fill(1);
    // A well ten cells wide, so that the bot clears rows and finishes levels.
    for (int x = 1; x <= kBoardSize; ++x) {
      for (int y = 1; y < kBoardSize; ++y) {
        if (x < 8 || x > 19) level.Board[x][y].Code = kEdge;
      }
    }
  }
  return adventure;
}

long RssKb() {
  FILE* f = std::fopen("/proc/self/statm", "r");
  long pages = 0, resident = 0;
  if (f) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

TEST(Soak, EverySpecialAndDisasterUnderBotAndRandomKeys) {
  const char* minutesText = std::getenv("PLUMIX_SOAK_MINUTES");
  const double minutes = minutesText ? std::atof(minutesText) : 2.0;
  const int frames = static_cast<int>(minutes * 60 * 60);
  Harness h;
  TMain& game = h.Game();
  const AdventureRecord adventure = StormyAdventure();
  const uint16_t keys[] = {kVkLeft, kVkRight, kVkUp, kVkDown, kVkDown, kVkControl, kVkShift, kVkSpace};
  std::mt19937 rng(2026);
  BotState bot;
  bool botPlays = false;
  int levelsStarted = 0, levelsCompleted = 0, level = 1;
  long blocksAtStart = 0, bytesAtStart = 0, rssAtStart = 0;
  size_t textsAtStart = 0;
  long peakBlocks = 0, peakBytes = 0;
  for (int frame = 0; frame < frames; ++frame) {
    if (game.Shell.ScreenState != kPlayScreen) {
      levelsCompleted += game.Shell.ScreenState == kLevelCompletedScreen;
      BotReleaseAll(game, bot);
      for (uint16_t key : keys) h.KeyUp(key);
      bot = {};
      botPlays = levelsStarted % 2 == 0;
      level = level % 3 + 1;
      h.StartLevel(adventure, level);
      ++levelsStarted;
    }
    if (botPlays) {
      BotStep(game, bot);
    } else {
      uint16_t key = keys[rng() % std::size(keys)];
      if (rng() % 3 == 0) h.KeyDown(key);
      if (rng() % 2 == 0) h.KeyUp(key);
    }
    h.RunFrames(1);
    ASSERT_TRUE(game.Errors.empty()) << "frame " << frame << ": " << game.Errors.front();
    // The first quarter of the run is start-up: sprites, sounds and pictures come in then.
    if (frame == frames / 4) {
      blocksAtStart = liveBlocks;
      bytesAtStart = liveBytes;
      rssAtStart = RssKb();
      textsAtStart = game.M.FontSet.CachedTexts();
    }
    if (blocksAtStart) {
      peakBlocks = std::max(peakBlocks, liveBlocks.load());
      peakBytes = std::max(peakBytes, liveBytes.load());
    }
  }
  BotReleaseAll(game, bot);
  for (uint16_t key : keys) h.KeyUp(key);
  std::printf("soak: %d frames, %d levels (%d completed); live blocks %ld -> %ld (peak %ld), bytes %ld -> %ld "
              "(peak %ld), RSS %ld kB -> %ld kB, texts cached %zu -> %zu\n",
              frames, levelsStarted, levelsCompleted, blocksAtStart, liveBlocks.load(), peakBlocks, bytesAtStart,
              liveBytes.load(), peakBytes, rssAtStart, RssKb(), textsAtStart,
              game.M.FontSet.CachedTexts());
  ASSERT_GT(levelsStarted, 3) << "the run must go through lost and finished levels";
  // The same game state holds the same memory; a leak grows with the frames.
  EXPECT_LT(peakBytes, bytesAtStart + 4 * 1024 * 1024);
  EXPECT_LT(peakBlocks, blocksAtStart + 5000);
}

}  // namespace
}  // namespace plumix
