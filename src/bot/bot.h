// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A player for the tests and the designers' prover. It plays the running
// level through the same key events a person uses (rotate, left, right, drop,
// action) and chooses each placement by a search over every turn and column
// the falling element can reach, judged on the board it leaves.
#include <array>
#include <cstdint>
#include <functional>

#include "adventure/adventure.h"

namespace plumix {

class TMain;

struct BotPlacement {
  int Rotation = 1;  // the rotation state to reach
  int X = 0;         // the box position it rests (or fires) at
  int Y = 0;
  bool Laser = false;  // fire from there instead of locking
  bool Valid = false;
  double Score = 0;
};

enum BotKey { kBotRotate = 0, kBotLeft, kBotRight, kBotDrop, kBotAction, kBotKeyCount };

struct BotState {
  BotPlacement Plan;
  std::array<bool, kBotKeyCount> Held{};
  int32_t LastScore = -1;
  int LastY = -1;
  bool WasLaserFiring = false;
  int Elements = 0;  // elements that came in while the bot played
};

// What one level played by the bot came to.
struct BotRun {
  bool Won = false;
  int Elements = 0;
  int Frames = 0;
  int32_t Score = 0;  // the level's score
  int Lines = 0;
  int SpecialsCollected = 0;
  int FirstSpecialFrame = -1;  // the frame of the first clear that collected one; -1 none
  int Disasters = 0;
  uint8_t DisasterKindsSeen = 0;  // bit k: a disaster of kind k broke out
  int PlumixStarts = 0;   // four-row clears that switched the PLUMIX mode on
  int PlumixRewards = 0;  // its one- to four-row rewards earned
};

// The best placement of the falling element from where it is now; Valid is
// false when it can rest nowhere.
BotPlacement ChoosePlacement(const TMain& game);
// Presses and releases keys for the coming frame.
void BotStep(TMain& game, BotState& bot);
// Lets go of every key the bot holds.
void BotReleaseAll(TMain& game, BotState& bot);
// Plays the level on the play screen until the screen changes or maxFrames
// have passed; runFrame runs one frame of the game.
BotRun PlayLevelWithBot(TMain& game, const std::function<void()>& runFrame, int maxFrames);

// Plays one level from its start, with the deal of elements this seed gives
// (the same whatever was played before).
BotRun PlaySeededLevel(TMain& game, const std::function<void()>& runFrame, const AdventureRecord& adventure,
                       int level, int seed, int maxFrames);

// Starts a level of an adventure as a new game would at that level: loaded,
// set up, play sprites made, play screen on. The next frame is its first
// play frame. High scores are not saved when the level is lost.
void StartLevelDirectly(TMain& game, const AdventureRecord& adventure, int level);

}  // namespace plumix
