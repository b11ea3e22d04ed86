// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// State of the running level: the element queue, the play timing, the goal
// counters and the line clearing of the last lock.
#include <array>
#include <cstdint>

#include "adventure/adventure.h"
#include "engine/elements.h"

namespace plumix {

constexpr int kClearSlots = 4;
constexpr int kPrepareFrames = 200;     // frames of "PREPARE TO PLAY!"
constexpr int kEndFrames = 200;          // frames of the end text before the end screen

// The rows that the last lock removed, shrinking (blocks) or growing
// (specials) on the board for 25 drawings.
struct ClearedRowsRecord {
  // [x 1..30][slot 1..4]: element kind of a removed block, or code + 100 of a special.
  std::array<std::array<uint8_t, kClearSlots + 1>, kBoardSize + 1> Cells{};
  std::array<uint8_t, kClearSlots + 1> Rows{};  // [slot 1..4]: board row, 0 = free
  bool Active = false;
  uint8_t Countdown = 0;
};

struct PlayState {
  // Entry 0 falls; 1..NextElements come next; the one after is spare.
  std::array<ElementRecord, kQueueSize> ElementQueue{};
  uint8_t CurrentType = 1;
  uint8_t RotationState = 1;
  int32_t PreviewScroll = 0;  // pixels the next-element column has slid up

  uint8_t Speed = 0;
  int32_t FallInterval = 0;
  int32_t FallCounter = 0;
  double SideRepeatFrames = 0;
  int32_t SideRepeatCounter = 0;
  double DownRepeatFrames = 0;
  int32_t DownRepeatCounter = 0;
  bool DownHeld = false;
  bool DownLock = false;
  bool RotateHeld = false;
  int32_t TickCounter = 0;
  int32_t PrepareCounter = 0;
  int32_t EndCounter = -1;  // -1 while the level runs
  int32_t LinesLeft = 0;
  int32_t TimeLeft = 0;  // ticks

  ClearedRowsRecord ClearedRows;
  int LinesCleared = 0;  // rows removed by the last lock
  bool LineScanDone = false;

  // The entry gate's stone, summed up once per edge picture: the colours the
  // gate may take (mean, light, shade, as 0xRRGGBB) and the stone's mean light.
  struct {
    uint64_t Fingerprint = 0;
    std::array<uint32_t, 3> Colours{};
    long MeanLight = 0;
  } GateStone;

  bool TopOut = false;     // the level is ending because the entry row filled up
  bool LevelLeft = false;  // the end screen has been entered
};

}  // namespace plumix
