// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pause.h"

#include "app/main_form.h"
#include "media/draw.h"

namespace plumix {

void DrawPauseOverlay(TMain& game, bool hidden) {
  if (hidden) return;
  if (game.QuitPrompt) {
    game.DrawText(219, 407, "Quit current adventure? (Y/N)", "Shotgun BT", 24, kBlack, kStyleBold);
    game.DrawText(217, 405, "Quit current adventure? (Y/N)", "Shotgun BT", 24, kRed, kStyleBold);
  } else {
    game.DrawText(389, 407, "GAME PAUSED.", "Shotgun BT", 24, kBlack, kStyleBold);
    game.DrawText(387, 405, "GAME PAUSED.", "Shotgun BT", 24, kAqua, kStyleBold);
  }
  DrawPauseLamp(game);
  // Not flipped here: the frame flips once with the notices drawn, so they
  // do not blink on and off at every paused tick.
}

void DrawPauseLamp(TMain& game) {
  Bitmap& surface = game.M.DXDraw.Surface();
  DrawImage(game.M.DXImageList.Get("Text_Pause_Green"), surface, 949, 717, 0);
  DrawImage(game.M.DXImageList.Get("On_Button"), surface, 925, 710, 0);
}

}  // namespace plumix
