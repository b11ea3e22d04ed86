// Frame timings of the headless game: each scene's tick, from its start to
// the finished 32-bit picture, against the floor of filling and converting
// one frame. Prints one line per scene.
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

Timing Measure(int runs, const std::function<void()>& step) {
  std::vector<double> ms;
  ms.reserve(runs);
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    step();
    auto end = std::chrono::steady_clock::now();
    ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 99 / 100)]};
}

}  // namespace

int Main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
  FakeClock clock;
  std::vector<Scene> scenes = Scenes();
  // Floor: what any frame costs at least.
  GameOptions options;
  options.GameDir = PLUMIX_GAME_DIR;
  options.SeedFromClock = false;
  TMain floorGame(options, clock);
  floorGame.FormCreate();
  Display& display = floorGame.M.DXDraw;
  Timing floor = Measure(runs, [&] {
    display.Fill(kBlack);
    display.ConvertFrame();
  });
  std::printf("floor: median_ms=%.3f p99_ms=%.3f floor_ms=%.3f ratio=1.00\n", floor.Median, floor.P99,
              floor.Median);
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
    Timing t = Measure(runs, [&] {
      sceneClock.Advance(1000.0 / 60);
      scene.Step(game);
      game.Idle();
    });
    std::printf("%s: median_ms=%.3f p99_ms=%.3f floor_ms=%.3f ratio=%.2f\n", scene.Name.c_str(),
                t.Median, t.P99, floor.Median, t.Median / floor.Median);
  }
  return 0;
}

}  // namespace plumix::bench

int main(int argc, char** argv) { return plumix::bench::Main(argc, argv); }
