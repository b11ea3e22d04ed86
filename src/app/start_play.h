// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace plumix {
class TMain;
// The level-info screen confirmed: the level's themes and play sprites, then
// the play screen.
void StartPlay(TMain& game);
}  // namespace plumix
