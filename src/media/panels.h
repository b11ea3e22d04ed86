// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panels of the play screen around the board: the counters, the speed
// gauge, the next-element column with its static noise, the message panel,
// and the play-screen sprites they use.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "media/colour.h"
#include "media/sprites.h"

namespace plumix {

class TMain;

constexpr int kNoiseSlots = 5;
constexpr int kMessageSlots = 6;
constexpr int kMessageScrollFrames = 40;  // above this the panel is at rest

struct MessageSlot {
  std::string Line1, Line2, Line3;
  Colour Color = kBlack;
};

struct PanelState {
  // Slot 0 is scrolling out, 1..5 are shown, 5 is the newest.
  std::array<MessageSlot, kMessageSlots> MessageSlots{};
  int MessageScroll = 0;  // frames since the last message or clear

  // The play-screen sprites; the engine owns them, these only find them.
  std::array<SpriteRef<TDigit>, 6> ScoreDigits;
  std::array<SpriteRef<TDigit>, 2> CountdownDigits;
  std::array<SpriteRef<TDigit>, 3> LinesDigits;
  std::array<SpriteRef<TDigit>, 4> TimeDigits;
  SpriteRef<TBasicSprite> Seismograph, Explosion, Flame, Storm, Wind;
  std::array<SpriteRef<TBasicSprite>, kNoiseSlots + 1> Noise;  // [1..5]
  std::array<SpriteRef<TBasicSprite>, 5> Sums;                 // [1..4]
};

// Patterns per move of every looping play sprite: about 16.7 a second at any rate.
double PlayAnimationSpeed(int frameScale);
// The play-screen sprites of a level, when its play starts.
void CreatePlaySprites(TMain& game);
void SetPlayAnimationSpeed(TMain& game, double speed);

// The first `digits` digits of the value, padded on the left with zeros.
std::string CounterText(int32_t value, int digits);
void ShowScore(TMain& game, int32_t value);
void ShowCountdown(TMain& game, int32_t value);
void ShowLinesLeft(TMain& game, int32_t value);
void ShowTimeLeft(TMain& game, int32_t value);

void DrawSpeedGauge(TMain& game);
// The next-element column and, while it slides, the slot separators.
void DrawLeftSide(TMain& game);
// Noise in every slot that the level's NextElements leaves unused.
void PlaceNoiseSprites(TMain& game);
void SetNoiseVisible(PanelState& panels, int slot, bool visible);

// Queues a three-line message; a first line "Clear Message Handler" empties the panel.
void AddMessage(PanelState& panels, std::string_view line1, std::string_view line2,
                std::string_view line3, Colour colour);
void DrawMessages(TMain& game);

}  // namespace plumix
