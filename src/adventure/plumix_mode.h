// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PLUMIX bonus mode: its state, its messages and the fireworks rockets.
#include <array>
#include <cstdint>
#include <string_view>

#include "media/clock.h"
#include "media/sprites.h"

namespace plumix {

class TMain;

constexpr int kRocketSlots = 100;

struct RocketSlot {
  SpriteRef<TFireworksSprite> Sprite;  // the last burst of this slot
  uint8_t BurstKind = 1;  // 1..16
  int32_t Counter = -1;   // frames since launch; -1 not in flight
  int32_t Trigger = 0;    // the Counter value of the burst
  int32_t Delay = -1;     // the predecessor's Counter that launches this one; -1 never
  // The climb as the player sees it: from (RiseX, bottom of the screen) to
  // the centre of the burst at (TargetX, TargetY).
  int RiseX = 0;
  int TargetX = 0;
  int TargetY = 0;
};

struct PlumixState {
  bool PlumixMode = false;
  std::array<bool, 5> Earned{};  // [1..4]: the one- to four-line rewards of this cycle
  std::array<RocketSlot, kRocketSlots + 1> Rockets{};  // [1..100]
  // Where rockets climb and burst is only for the eye: it is drawn from this
  // generator of its own, so that fireworks never shift the game's random
  // sequence (seeded games, proofs and record scores stay as they are).
  Random Sparks{0x5EED};
};

// Every slot a new random burst kind, nothing in flight.
void ResetRockets(PlumixState& plumix, Random& rng);
// The panel message for "1", "2", "3", "4", "Start" or "Over".
void PlumixMessage(TMain& game, std::string_view key);
// Group 1..4, or 89 for the final show.
void LaunchRockets(TMain& game, int group);
// The fireworks step of every real play frame; draws the rockets climbing.
void UpdateRockets(TMain& game);
// The mode's panel on the right, every play frame.
void DrawPlumixPanel(TMain& game);

}  // namespace plumix
