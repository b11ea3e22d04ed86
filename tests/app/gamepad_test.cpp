// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/play_state.h"
#include "media/gamepad.h"
#include "settings/key_names.h"
#include "support/harness.h"

namespace plumix {
namespace {

using testing::Harness;

// Synthetic controller events of one pad (7 unless told), through the game's event dispatch.
struct Pad {
  explicit Pad(Harness& h, int id = 7) : H(h), Id(id) {}
  Harness& H;
  int Id;
  Gamepads Pads;
  void Send(const SDL_Event& e) {
    std::vector<PlatformEvent> events;
    EXPECT_TRUE(Pads.Handle(e, events));
    for (const PlatformEvent& event : events) H.Game().Dispatch(event);
  }
  void Button(SDL_GameControllerButton button, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
    e.cbutton.which = Id;
    e.cbutton.button = static_cast<uint8_t>(button);
    Send(e);
  }
  void Tap(SDL_GameControllerButton button) {
    Button(button, true);
    Button(button, false);
  }
  void Axis(SDL_GameControllerAxis axis, int value) {
    SDL_Event e{};
    e.type = SDL_CONTROLLERAXISMOTION;
    e.caxis.which = Id;
    e.caxis.axis = static_cast<uint8_t>(axis);
    e.caxis.value = static_cast<int16_t>(value);
    Send(e);
  }
};

TEST(Gamepad, StartAndAConfirmMenusBackIsEscapeAndStartAnswersYes) {
  Harness h;
  Pad pad(h);
  TMain& game = h.Game();
  pad.Tap(SDL_CONTROLLER_BUTTON_START);
  EXPECT_EQ(game.Shell.ScreenState, kMenuScreen);
  h.RunFrames(2);
  pad.Tap(SDL_CONTROLLER_BUTTON_BACK);
  EXPECT_EQ(game.Menu.MenuState, kMainMenuQuitQuestion);
  pad.Tap(SDL_CONTROLLER_BUTTON_B);
  EXPECT_EQ(game.Menu.MenuState, kMainMenuQuit) << "B cancels the question";
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 30000);
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
  EXPECT_EQ(game.Menu.MenuState, kMainMenuLoad) << "the stick moves between the items";
  pad.Tap(SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(game.Menu.MenuState, kListLoad);
  game.Menu.MenuState = kMainMenuQuitQuestion;
  pad.Tap(SDL_CONTROLLER_BUTTON_START);
  EXPECT_TRUE(game.Shell.Terminated);
}

TEST(Gamepad, InPlayTheStickAndButtonsHoldTheInputStatesUntilLetGoOrUnplugged) {
  Harness h;
  h.StartLevel(testing::MakeTestAdventure(), 1);
  TMain& game = h.Game();
  Pad pad(h);
  KeyboardReader& input = game.M.DXInput;
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -20000);
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  pad.Button(SDL_CONTROLLER_BUTTON_B, true);
  input.Update();
  EXPECT_TRUE(input.Has(InputLeft));
  EXPECT_TRUE(input.Has(InputUp)) << "A rotates";
  EXPECT_TRUE(input.Has(InputButton1)) << "B fires";
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -12000);
  input.Update();
  EXPECT_TRUE(input.Has(InputLeft)) << "a stick easing off a little stays pushed";
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -4000);
  pad.Button(SDL_CONTROLLER_BUTTON_A, false);
  input.Update();
  EXPECT_FALSE(input.Has(InputLeft));
  EXPECT_FALSE(input.Has(InputUp));

  SDL_Event removed{};
  removed.type = SDL_CONTROLLERDEVICEREMOVED;
  removed.cdevice.which = 7;
  pad.Send(removed);
  input.Update();
  EXPECT_FALSE(input.Has(InputButton1)) << "an unplugged pad lets go of its buttons";

  pad.Tap(SDL_CONTROLLER_BUTTON_START);
  EXPECT_TRUE(game.Paused);
  EXPECT_FALSE(game.QuitPrompt);
  pad.Tap(SDL_CONTROLLER_BUTTON_START);
  EXPECT_FALSE(game.Paused);
  pad.Tap(SDL_CONTROLLER_BUTTON_BACK);
  EXPECT_TRUE(game.QuitPrompt);
  pad.Tap(SDL_CONTROLLER_BUTTON_START);
  EXPECT_EQ(game.Shell.ScreenState, kGameOverScreen) << "Start answers the quit question with Y";
}

}  // namespace
}  // namespace plumix

namespace plumix {
namespace {

// Left stays held while any of the keyboard, a d-pad, a stick or another pad holds it.
TEST(Gamepad, EachPadAndEachOfItsInputsHoldsItsOwnPress) {
  Harness h;
  h.WarmUp();
  h.StartLevel(testing::MakeTestAdventure(), 1);
  h.RunFrames(kPrepareFrames + 5);
  KeyboardReader& input = h.Game().M.DXInput;
  auto left = [&] {
    input.Sample();
    return input.Has(InputLeft);
  };
  Pad one(h), two(h, 8);
  one.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  one.Axis(SDL_CONTROLLER_AXIS_LEFTX, -20000);
  one.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  EXPECT_TRUE(left()) << "the stick still holds Left";
  one.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
  EXPECT_FALSE(left()) << "letting go of the stick lets go of Left";

  one.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  two.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  one.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  EXPECT_TRUE(left()) << "the second pad still holds Left";
  two.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  EXPECT_FALSE(left());

  h.KeyDown(kVkLeft);
  one.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  one.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  EXPECT_TRUE(left()) << "the keyboard still holds Left";
  one.Axis(SDL_CONTROLLER_AXIS_LEFTX, -20000);
  h.KeyUp(kVkLeft);
  EXPECT_TRUE(left()) << "the stick still holds Left";
  const int x = h.Game().Play.ElementQueue[0].X;
  h.RunFrames(120);
  EXPECT_LT(h.Game().Play.ElementQueue[0].X, x - 1) << "held past the first fall, out of the entry box";
  one.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
  EXPECT_FALSE(left());
}

}  // namespace
}  // namespace plumix
