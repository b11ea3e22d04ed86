#include <gtest/gtest.h>

#include "media/gamepad.h"
#include "settings/key_names.h"
#include "support/harness.h"

namespace plumix {
namespace {

using testing::Harness;

// Synthetic controller events of pad 7, through the game's event dispatch.
struct Pad {
  explicit Pad(Harness& h) : H(h) {}
  Harness& H;
  Gamepads Pads;
  void Send(const SDL_Event& e) {
    std::vector<PlatformEvent> events;
    EXPECT_TRUE(Pads.Handle(e, events));
    for (const PlatformEvent& event : events) H.Game().Dispatch(event);
  }
  void Button(SDL_GameControllerButton button, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
    e.cbutton.which = 7;
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
    e.caxis.which = 7;
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
