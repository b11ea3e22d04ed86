// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace plumix {
class TMain;
// The title screen, drawn on every tick until Enter.
void DrawTitleScreen(TMain& game);
}  // namespace plumix
