// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/screen_text.h"

#include "app/main_form.h"

namespace plumix {

void AddShadowed(ScreenTexts& texts, int blackX, int blackY, int x, int y, std::string_view text,
                 std::string_view font, int size, Colour colour, int style) {
  texts.push_back({blackX, blackY, std::string(text), std::string(font), size, kBlack, style});
  texts.push_back({x, y, std::string(text), std::string(font), size, colour, style});
}

void DrawScreenTexts(TMain& game, const ScreenTexts& texts) {
  for (const ScreenText& t : texts) game.DrawText(t.X, t.Y, t.Text, t.Font, t.Size, t.Color, t.Style);
}

const ScreenText* FindText(const ScreenTexts& texts, std::string_view text) {
  const ScreenText* found = nullptr;
  for (const ScreenText& t : texts) {
    if (t.Text != text) continue;
    // The shadow comes first; the copy after it carries the colour.
    found = &t;
    if (t.Color != kBlack) return found;
  }
  return found;
}

}  // namespace plumix
