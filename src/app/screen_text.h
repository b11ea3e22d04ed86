// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A screen's texts as data: built by a pure function, drawn in order, so a
// test can read what a screen says without reading its pixels.
#include <string>
#include <string_view>
#include <vector>

#include "media/colour.h"
#include "media/text.h"

namespace plumix {

class TMain;

struct ScreenText {
  int X = 0, Y = 0;
  std::string Text;
  std::string Font;
  int Size = 12;
  Colour Color = kWhite;
  int Style = kStyleNormal;
};
using ScreenTexts = std::vector<ScreenText>;

// The black copy at (blackX, blackY), then the coloured one at (x, y).
void AddShadowed(ScreenTexts& texts, int blackX, int blackY, int x, int y, std::string_view text,
                 std::string_view font, int size, Colour colour, int style = kStyleNormal);
void DrawScreenTexts(TMain& game, const ScreenTexts& texts);
// The coloured copy of the first text that reads `text`, or nullptr.
const ScreenText* FindText(const ScreenTexts& texts, std::string_view text);

}  // namespace plumix
