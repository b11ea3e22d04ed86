// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scenes the benchmark times: how each is set up and what changes
// between its frames.
#include <functional>
#include <string>
#include <vector>

namespace plumix {
class TMain;
}

namespace plumix::bench {

struct Scene {
  std::string Name;
  std::function<void(TMain&)> Prepare;
  std::function<void(TMain&)> Step;  // before each timed frame
};

std::vector<Scene> Scenes();

}  // namespace plumix::bench
