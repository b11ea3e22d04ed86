// The play engine already calls these; the rules of the specials themselves
// (placement, effects, laser) are still to come, so those do nothing yet.
#include "adventure/specials.h"

#include <algorithm>

#include "app/main_form.h"
#include "engine/board.h"

namespace plumix {

void PlaceSpecial(TMain&) {}

void ApplyCollectedSpecials(TMain&) {}

void CoverNextElements(TMain& game, int damage) {
  const int used = PlayLevel(game).NextElements;
  if (damage == 0) {
    for (int w = 1; w <= kNoiseSlots; ++w) SetNoiseVisible(game.Panels, w, used < w);
    return;
  }
  if (damage != 1) return;
  bool uncovered = false;
  for (int w = 1; w <= std::min(used, kNoiseSlots); ++w) {
    const bool away = game.Rng(5) == 0;
    SetNoiseVisible(game.Panels, w, !away);
    uncovered = uncovered || away;
  }
  if (uncovered) game.PlaySound("Next_Elements_Damage");
}

void FireLaser(TMain&) {}

void DrawLaser(TMain&) {}

void RetireSpecial(TMain&, uint8_t) {}

}  // namespace plumix
