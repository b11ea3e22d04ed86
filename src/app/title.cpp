// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/title.h"

#include "app/main_form.h"
#include "media/draw.h"

namespace plumix {

void DrawTitleScreen(TMain& game) {
  Display& display = game.M.DXDraw;
  display.Fill(kBlack);
  Canvas& canvas = display.GetCanvas();
  canvas.Brush.Clear = true;
  canvas.Pen.Color = kSilver;
  canvas.Pen.Width = 3;
  DrawImage(game.M.DXImageList.Get("Ostrel_Logo"), display.Surface(), 250, 230, 0);
  game.DrawText(170, 90, "PLUMIX ADVENTURE", "Shotgun BT", 48, kWhite, kStyleNormal);
  game.DrawText(70, 675, "Plumix Adventure is free software: share it and change it under the GNU GPL 3 or later.",
                "Arial CE", 16, kWhite, kStyleItalic);
  game.DrawText(72, 700, "Level designers: build your own adventures with the plumix-adventure tool beside the game.",
                "Arial CE", 12, kWhite, kStyleItalic);
  game.DrawText(72, 720, "Found a fault, made an adventure, or just want to say hello? Write to Ostrel Games.",
                "Arial CE", 12, kWhite, kStyleItalic);
  game.DrawText(200, 740, "Press Enter to begin.     Alt+Enter switches between full screen and a window.",
                "Arial CE", 12, kWhite, kStyleItalic);
}

}  // namespace plumix
