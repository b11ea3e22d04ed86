// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The short on-screen notices that confirm a function key.
#include <array>
#include <cstdint>

namespace plumix {

class TMain;

struct Notice {
  bool Active = false;
  int Frames = 0;
  int NoticeX = 145;
  int NoticeY = 0;
};

struct NoticeState {
  std::array<Notice, 13> Slots{};
  uint8_t ActiveNotices = 0;
};

void ResetNotices(NoticeState& notices);
void ShowNotice(NoticeState& notices, int slot);
// Draws every active notice and ages it; called on every frame before the flip.
void DrawNotices(TMain& game);

}  // namespace plumix
