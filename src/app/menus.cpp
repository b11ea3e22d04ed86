#include "app/menus.h"

#include "app/main_form.h"

namespace plumix {

void DrawMenuScreen(TMain&) {}

}  // namespace plumix
