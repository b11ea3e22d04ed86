// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Game controllers: every controller SDL knows, plugged in at start or later,
// reported as presses and releases of a few pad buttons. What a button means
// is the game's business (it turns them into keys).
#include <SDL.h>

#include <map>
#include <vector>

#include "media/display.h"

namespace plumix {

class Gamepads {
 public:
  Gamepads() = default;
  ~Gamepads();
  Gamepads(const Gamepads&) = delete;
  Gamepads& operator=(const Gamepads&) = delete;

  // Turns a controller event into PadDown / PadUp events (Key: a PadButton,
  // Source: the pad and its button or stick); other events are left alone.
  // Returns whether it was a controller event.
  bool Handle(const SDL_Event& event, std::vector<PlatformEvent>& out);

 private:
  // A button, or a direction of the stick: each holds its own press, so the
  // d-pad and the stick pushed the same way are two holds.
  struct Hold {
    PadButton Button;
    bool Stick;
    bool operator==(const Hold&) const = default;
  };
  struct Pad {
    SDL_GameController* Controller = nullptr;
    int StickX = 0;  // -1, 0, 1: the left stick's held direction
    int StickY = 0;
    std::vector<Hold> Held;
  };
  void Press(SDL_JoystickID id, Pad& pad, Hold hold, bool down, std::vector<PlatformEvent>& out);
  void Stick(SDL_JoystickID id, Pad& pad, int* held, int value, PadButton less, PadButton more,
             std::vector<PlatformEvent>& out);
  std::map<SDL_JoystickID, Pad> pads_;
};

}  // namespace plumix
