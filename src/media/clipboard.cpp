// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/clipboard.h"

#include <SDL.h>

namespace plumix {

bool Clipboard::UsesSystem() const { return system_ && SDL_WasInit(SDL_INIT_VIDEO) != 0; }

std::string Clipboard::Text() const {
  if (!UsesSystem()) return memory_;
  char* text = SDL_GetClipboardText();
  std::string out = text ? text : "";
  SDL_free(text);
  return out;
}

void Clipboard::SetText(std::string_view utf8) {
  if (!UsesSystem()) {
    memory_ = std::string(utf8);
    return;
  }
  const std::string text(utf8);
  SDL_SetClipboardText(text.c_str());
}

}  // namespace plumix
