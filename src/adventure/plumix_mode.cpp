// The rewards of the mode are given by the line clearing; the rockets and
// the mode's panel are still to come and do nothing yet.
#include "adventure/plumix_mode.h"

#include "app/main_form.h"

namespace plumix {
namespace {

struct MessageText {
  std::string_view Key, Line1, Line2, Line3;
  Colour Color;
};

constexpr MessageText kMessages[] = {
    {"1", "Fireworks", "rocket launched.", "", kGreen},
    {"2", "Two fireworks", "rockets launched.", "", kGreen},
    {"3", "Three fireworks", "rockets launched.", "", kGreen},
    {"4", "Four fireworks", "rockets launched.", "", kGreen},
    {"Start", "PLUMIX mode.", "Start the", "fireworks!", kAqua},
    {"Over", "PLUMIX completed.", "Enjoy the", "fireworks!", kAqua},
};

}  // namespace

void ResetRockets(PlumixState& plumix, Random& rng) {
  for (int i = 1; i <= kRocketSlots; ++i) {
    RocketSlot& slot = plumix.Rockets[i];
    slot.BurstKind = static_cast<uint8_t>(rng(16) + 1);
    slot.Counter = -1;
    slot.Delay = -1;
  }
}

void PlumixMessage(TMain& game, std::string_view key) {
  for (const MessageText& m : kMessages) {
    if (m.Key == key) AddMessage(game.Panels, m.Line1, m.Line2, m.Line3, m.Color);
  }
}

void LaunchRockets(TMain&, int) {}

void UpdateRockets(TMain&) {}

void DrawPlumixPanel(TMain&) {}

}  // namespace plumix
