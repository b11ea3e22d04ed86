// SPDX-License-Identifier: GPL-3.0-or-later
// Frame timings of the headless game: each scene's tick, from its start to
// the finished 32-bit picture, against the floor of filling and converting
// one frame. The floor is measured beside each scene, one floor frame before
// every scene frame, so that both see the same machine: a busy neighbour or a
// slower clock moves them together and the ratio stays. Prints one line per
// scene.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "bench/scenes.h"

namespace plumix::bench {
namespace {

struct Timing {
  double Median = 0;
  double P99 = 0;
};

Timing Summary(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 99 / 100)]};
}

double Time(const std::function<void()>& step) {
  auto start = std::chrono::steady_clock::now();
  step();
  auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int Main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
  FakeClock clock;
  std::vector<Scene> scenes = Scenes();
  GameOptions options;
  options.GameDir = PLUMIX_GAME_DIR;
  options.SeedFromClock = false;
  // Floor: what any frame costs at least.
  TMain floorGame(options, clock);
  floorGame.FormCreate();
  Display& display = floorGame.M.DXDraw;
  const auto floorFrame = [&] {
    display.Fill(kBlack);
    display.ConvertFrame();
  };
  for (const Scene& scene : scenes) {
    FakeClock sceneClock;
    TMain game(options, sceneClock);
    game.FormCreate();
    game.FormActivate();
    // A measured frame rate of 60, as on a real display.
    for (int i = 0; i < 70; ++i) {
      sceneClock.Advance(1000.0 / 60);
      game.Idle();
    }
    scene.Prepare(game);
    std::vector<double> floorMs, sceneMs;
    for (int i = 0; i < runs; ++i) {
      floorMs.push_back(Time(floorFrame));
      sceneMs.push_back(Time([&] {
        sceneClock.Advance(1000.0 / 60);
        scene.Step(game);
        game.Idle();
      }));
    }
    const Timing f = Summary(floorMs), t = Summary(sceneMs);
    std::printf("%s: median_ms=%.3f p99_ms=%.3f floor_ms=%.3f ratio=%.2f\n", scene.Name.c_str(),
                t.Median, t.P99, f.Median, t.Median / f.Median);
  }
  return 0;
}

}  // namespace plumix::bench

int main(int argc, char** argv) { return plumix::bench::Main(argc, argv); }
