// The disasters themselves (warning, strikes, shaking board) are still to
// come: until then none starts and the board is drawn at its normal origin.
#include "adventure/disasters.h"

#include "app/main_form.h"
#include "engine/board.h"

namespace plumix {

void TryStartDisaster(TMain&) {}

void DisasterTick(TMain&) {}

void DisasterEndCheck(TMain&) {}

void DisasterFrame(TMain& game) { DrawPlayfield(game, kBoardOriginX, kBoardOriginY, "Table"); }

void StopDisasterSounds(TMain& game) {
  for (const char* name : {"Before_Theme_Speciality", "Earthquake", "Flame", "Wind"}) {
    game.StopSound(name);
  }
}

}  // namespace plumix
