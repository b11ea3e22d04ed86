#include "adventure/end_screens.h"

#include "app/main_form.h"

namespace plumix {

void DrawLevelCompleted(TMain&) {}

}  // namespace plumix

namespace plumix {

void DrawGameCompleted(TMain&) {}
void DrawGameOver(TMain&) {}

}  // namespace plumix
