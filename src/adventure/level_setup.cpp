#include "adventure/level_setup.h"

#include "app/main_form.h"

namespace plumix {

void SetUpLevel(TMain&) {}

}  // namespace plumix
