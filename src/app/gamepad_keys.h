// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game controller plays through the keys: each pad button stands for the
// key that does its job on the screen where it is pressed.
#include <cstdint>

#include "media/display.h"

namespace plumix {
class TMain;

// The key a pad button presses now; 0 for none. In play the d-pad and stick
// move, drop and (up) rotate, Rotate rotates, Fire is the action key, Start
// pauses; elsewhere Rotate and Start are Enter and Fire is Escape. Start
// answers a Y/N question with Y; Back is always Escape.
uint16_t PadKey(const TMain& game, PadButton button);
// Presses or releases the key of a pad button held by a source (one pad's
// button or stick direction); the release lets go of the key its press
// pressed, even when the screen changed in between.
void PadEvent(TMain& game, PadButton button, bool down, uint32_t source);

}  // namespace plumix
