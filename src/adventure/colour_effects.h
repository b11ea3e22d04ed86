// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>

namespace plumix {

class TMain;

// Gamma-ramp effects worked out from the saved ramp: "FadeOut" and "FadeIn"
// (20 steps, delayMs after each), "Negative" and "Default". Other names do nothing.
void ColourEffect(TMain& game, std::string_view name, int delayMs);

}  // namespace plumix
