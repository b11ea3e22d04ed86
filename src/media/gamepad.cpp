// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/gamepad.h"

#include <algorithm>

namespace plumix {
namespace {

// The stick counts as pushed past this and as let go below the lower mark,
// so that a stick resting near the edge does not chatter.
constexpr int kStickPush = 16000;
constexpr int kStickRelease = 8000;

bool ButtonOf(uint8_t sdlButton, PadButton* button) {
  switch (sdlButton) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: *button = PadButton::Up; return true;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: *button = PadButton::Down; return true;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: *button = PadButton::Left; return true;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: *button = PadButton::Right; return true;
    case SDL_CONTROLLER_BUTTON_A: *button = PadButton::Rotate; return true;
    case SDL_CONTROLLER_BUTTON_B: *button = PadButton::Fire; return true;
    case SDL_CONTROLLER_BUTTON_START: *button = PadButton::Start; return true;
    case SDL_CONTROLLER_BUTTON_BACK: *button = PadButton::Back; return true;
    default: return false;
  }
}

// Apart from the keyboard's 0: the top bit, the pad's instance id, then the
// button and whether it is the stick.
uint32_t PadSource(SDL_JoystickID id, PadButton button, bool stick) {
  return 0x80000000u | (static_cast<uint32_t>(id) & 0xFFFFFFu) << 6 | (stick ? 32u : 0u) |
         static_cast<uint32_t>(button);
}

}  // namespace

Gamepads::~Gamepads() {
  for (auto& [id, pad] : pads_) {
    if (pad.Controller) SDL_GameControllerClose(pad.Controller);
  }
}

void Gamepads::Press(SDL_JoystickID id, Pad& pad, Hold hold, bool down, std::vector<PlatformEvent>& out) {
  auto it = std::find(pad.Held.begin(), pad.Held.end(), hold);
  if (down == (it != pad.Held.end())) return;
  if (down) {
    pad.Held.push_back(hold);
  } else {
    pad.Held.erase(it);
  }
  PlatformEvent event{down ? PlatformEventType::PadDown : PlatformEventType::PadUp,
                      static_cast<uint16_t>(hold.Button), false};
  event.Source = PadSource(id, hold.Button, hold.Stick);
  out.push_back(std::move(event));
}

void Gamepads::Stick(SDL_JoystickID id, Pad& pad, int* held, int value, PadButton less, PadButton more,
                     std::vector<PlatformEvent>& out) {
  int now = *held;
  if (value <= -kStickPush) now = -1;
  else if (value >= kStickPush) now = 1;
  else if (value > -kStickRelease && value < kStickRelease) now = 0;
  if (now == *held) return;
  if (*held != 0) Press(id, pad, {*held < 0 ? less : more, true}, false, out);
  *held = now;
  if (now != 0) Press(id, pad, {now < 0 ? less : more, true}, true, out);
}

bool Gamepads::Handle(const SDL_Event& event, std::vector<PlatformEvent>& out) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: {
      SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which);
      if (controller) {
        SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
        if (pads_.count(id) && pads_[id].Controller) {
          SDL_GameControllerClose(controller);  // already open: a duplicate report
        } else {
          pads_[id].Controller = controller;
        }
      }
      return true;
    }
    case SDL_CONTROLLERDEVICEREMOVED: {
      auto it = pads_.find(event.cdevice.which);
      if (it == pads_.end()) return true;
      // What the pad held is let go, or the game would keep moving.
      std::vector<Hold> held = it->second.Held;
      for (Hold hold : held) Press(it->first, it->second, hold, false, out);
      if (it->second.Controller) SDL_GameControllerClose(it->second.Controller);
      pads_.erase(it);
      return true;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      PadButton button = PadButton::Up;
      if (ButtonOf(event.cbutton.button, &button)) {
        Press(event.cbutton.which, pads_[event.cbutton.which], {button, false},
              event.type == SDL_CONTROLLERBUTTONDOWN, out);
      }
      return true;
    }
    case SDL_CONTROLLERAXISMOTION: {
      Pad& pad = pads_[event.caxis.which];
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        Stick(event.caxis.which, pad, &pad.StickX, event.caxis.value, PadButton::Left, PadButton::Right, out);
      } else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        Stick(event.caxis.which, pad, &pad.StickY, event.caxis.value, PadButton::Up, PadButton::Down, out);
      }
      return true;
    }
    default:
      return false;
  }
}

}  // namespace plumix
