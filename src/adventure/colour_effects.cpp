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

void Apply(TMain& game, const GammaRamp& ramp, int delayMs) {
  if (!game.M.DXDraw.SetGammaRamp(ramp)) {
    game.ReportError("Gamma control not supported");
  }
  if (delayMs > 0) game.Time.Sleep(static_cast<uint32_t>(delayMs));
}

}  // namespace

void ColourEffect(TMain& game, std::string_view name, int delayMs) {
  const GammaRamp& base = game.SavedRamp;
  if (name == "FadeOut") {
    for (int i = 1; i <= 20; ++i) {
      Apply(game, Derive(base, [i](int v) { return std::max(0, v - 3280 * i); }), delayMs);
    }
  } else if (name == "FadeIn") {
    for (int i = 1; i <= 20; ++i) {
      Apply(game, Derive(base, [i](int v) { return std::min(v, 3280 * i); }), delayMs);
    }
  } else if (name == "Negative") {
    Apply(game, Derive(base, [](int v) { return 65535 - v; }), delayMs);
    game.Specials.NegativeColours = true;
  } else if (name == "Default") {
    Apply(game, base, delayMs);
    game.Specials.NegativeColours = false;
  }
}

}  // namespace plumix
