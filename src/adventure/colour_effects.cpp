// SPDX-License-Identifier: GPL-3.0-or-later
#include "adventure/colour_effects.h"

#include <algorithm>

#include "app/main_form.h"

namespace plumix {
namespace {

template <class F>
GammaRamp Derive(const GammaRamp& base, F f) {
  GammaRamp ramp;
  for (int i = 0; i < 256; ++i) {
    ramp.Red[i] = static_cast<uint16_t>(f(base.Red[i]));
    ramp.Green[i] = static_cast<uint16_t>(f(base.Green[i]));
    ramp.Blue[i] = static_cast<uint16_t>(f(base.Blue[i]));
  }
  return ramp;
}

// Step `step` of an effect begun at `start` ends `step` delays after it, so
// the time spent showing a step is part of its delay, not added to it.
void Apply(TMain& game, const GammaRamp& ramp, int delayMs, uint32_t start, int step = 1) {
  if (!game.M.DXDraw.SetGammaRamp(ramp)) {
    game.ReportError("Gamma control not supported");
  }
  if (delayMs <= 0) return;
  const uint32_t due = start + static_cast<uint32_t>(delayMs * step);
  const int32_t left = static_cast<int32_t>(due - game.Time.Millis());
  if (left > 0) game.Time.Sleep(static_cast<uint32_t>(left));
}

}  // namespace

void ColourEffect(TMain& game, std::string_view name, int delayMs) {
  const GammaRamp& base = game.SavedRamp;
  const uint32_t start = game.Time.Millis();
  if (name == "FadeOut") {
    for (int i = 1; i <= 20; ++i) {
      Apply(game, Derive(base, [i](int v) { return std::max(0, v - 3280 * i); }), delayMs, start, i);
    }
  } else if (name == "FadeIn") {
    for (int i = 1; i <= 20; ++i) {
      Apply(game, Derive(base, [i](int v) { return std::min(v, 3280 * i); }), delayMs, start, i);
    }
  } else if (name == "Negative") {
    Apply(game, Derive(base, [](int v) { return 65535 - v; }), delayMs, start);
    game.Specials.NegativeColours = true;
  } else if (name == "Default") {
    Apply(game, base, delayMs, start);
    game.Specials.NegativeColours = false;
  }
}

}  // namespace plumix
