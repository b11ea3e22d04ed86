#include "bench/scenes.h"

#include "app/main_form.h"

namespace plumix::bench {

std::vector<Scene> Scenes() {
  std::vector<Scene> scenes;
  scenes.push_back({"title", [](TMain& game) { game.Shell.ScreenState = kTitleScreen; },
                    [](TMain&) {}});
  return scenes;
}

}  // namespace plumix::bench
