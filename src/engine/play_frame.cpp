#include "engine/play_frame.h"

#include "app/main_form.h"

namespace plumix {

void PlayFrame(TMain&, bool) {}

}  // namespace plumix
