// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace plumix {
class TMain;
// The pause caption (or the quit question) over the last play picture, and
// the lit pause lamp; the frame flips it with the notices.
void DrawPauseOverlay(TMain& game, bool hidden);
// The lit pause lamp alone (under the options panel the caption is hidden).
void DrawPauseLamp(TMain& game);
}  // namespace plumix
