#pragma once
// State of the running level: board access, element queue, timing, line clearing.
#include <cstdint>

namespace plumix {

struct PlayState {
  uint8_t Speed = 0;
  int32_t PrepareCounter = 0;
  int32_t EndCounter = -1;
};

}  // namespace plumix
