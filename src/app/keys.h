// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace plumix {
class TMain;
// The screen's own keys, after the input states were updated.
void HandleKey(TMain& game, uint16_t key);
// The music switch: a paused track continues where it stopped.
void SetMusic(TMain& game, bool off);
}  // namespace plumix
