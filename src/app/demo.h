// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The title screen's demo: left alone for a while, the game lets the bot play
// a level that shows specials, a disaster and the PLUMIX mode. Any key, pad
// button or click brings the title back at once. The demo plays on a copy of
// the game's state and puts it all back, and writes no file.
#include <cstdint>
#include <memory>

#include "adventure/adventure.h"
#include "bot/bot.h"
#include "media/clock.h"

namespace plumix {

class TMain;
struct AdventureState;

constexpr uint32_t kDemoIdleMs = 20000;

struct DemoState {
  bool Active = false;
  uint32_t TitleSince = 0;  // when the title screen last saw the player
  bool TitleSeen = false;
  int32_t Frames = 0;
  bool DisasterShown = false;
  bool PlumixSeen = false;
  bool BotPressing = false;  // the keys arriving are the bot's
  BotState Bot;
  BotState Stand;  // the bot standing in for the player (--bot-plays)
  Random SavedRng;
  std::shared_ptr<AdventureState> SavedAdventure;
};

// The level the demo plays: walls, a well four rows deep, specials on the
// board and disasters.
AdventureRecord DemoAdventure();
// Every title frame: starts the demo once the title has waited long enough.
void TitleIdle(TMain& game);
// Every play frame of the demo, before the frame runs: the bot's keys.
void DemoBeforeFrame(TMain& game);
// Every play frame outside the demo: with --bot-plays, the bot's keys.
void StandInBeforeFrame(TMain& game);
// After the frame: the demo's mark, and the way back when the level ends.
void DemoAfterFrame(TMain& game);
// Any key, button or click: true when it ended the demo (the input is used up).
bool DemoInterrupt(TMain& game);
// The title waits anew (the player did something on it).
void TitleTouched(TMain& game);

}  // namespace plumix
