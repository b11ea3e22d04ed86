// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/gamepad_keys.h"

#include "app/main_form.h"
#include "settings/key_names.h"

namespace plumix {
namespace {

bool YesNoQuestion(const TMain& game) {
  if (game.Shell.ScreenState == kPlayScreen) return game.Paused && game.QuitPrompt;
  return game.Shell.ScreenState == kMenuScreen && game.Menu.MenuState == kMainMenuQuitQuestion;
}

}  // namespace

uint16_t PadKey(const TMain& game, PadButton button) {
  const bool play = game.Shell.ScreenState == kPlayScreen && !game.OptionsOpen;
  switch (button) {
    case PadButton::Up: return kVkUp;
    case PadButton::Down: return kVkDown;
    case PadButton::Left: return kVkLeft;
    case PadButton::Right: return kVkRight;
    case PadButton::Rotate: return play ? kVkUp : kVkReturn;
    case PadButton::Fire: return play ? KeyCodeFromName(game.Settings.KeyAction) : kVkEscape;
    case PadButton::Start:
      if (YesNoQuestion(game)) return KeyCodeFromName("Y");
      return play ? KeyCodeFromName(game.Settings.KeyPause) : kVkReturn;
    case PadButton::Back: return kVkEscape;
    case PadButton::Count: break;
  }
  return 0;
}

void PadEvent(TMain& game, PadButton button, bool down, uint32_t source) {
  if (button >= PadButton::Count) return;
  auto& held = game.Shell.PadKeys;
  auto it = held.find(source);
  if (!down) {
    if (it == held.end()) return;
    const uint16_t key = it->second;
    held.erase(it);
    game.FormKeyUp(key, source);
    return;
  }
  if (it != held.end()) return;
  const uint16_t key = PadKey(game, button);
  if (key == 0) return;
  held[source] = key;
  game.FormKeyDown(key, false, source);
}

}  // namespace plumix
