// Program entry: the main form, the event loop and the idle-time frames.
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "app/main_form.h"

#ifndef PLUMIX_INSTALLED_DATA
#define PLUMIX_INSTALLED_DATA "../share/games/plumix-adventure"
#endif

namespace {

std::filesystem::path ProgramFolder(const char* argv0) {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) self = std::filesystem::absolute(argv0);
  return self.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  plumix::GameOptions options;
  const plumix::FilePlaces places = plumix::FindPlaces(ProgramFolder(argv[0]), PLUMIX_INSTALLED_DATA);
  options.GameDir = places.GameDir;
  options.ConfigDir = places.ConfigDir;
  options.DataDir = places.DataDir;
  options.Headless = false;
  options.Audio = true;
  options.SingleInstance = true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--window") == 0) options.FullScreen = false;
  }
  plumix::SystemClock clock;
  plumix::TMain game(options, clock);
  game.FormCreate();
  if (game.Shell.Terminated) return 0;
  game.FormActivate();
  std::vector<plumix::PlatformEvent> events;
  while (!game.Shell.Terminated) {
    events.clear();
    game.M.DXDraw.PollEvents(events);
    for (const plumix::PlatformEvent& event : events) {
      game.Dispatch(event);
      if (game.Shell.Terminated) break;
    }
    if (game.Shell.Active) {
      game.Idle();
      game.M.DXDraw.PaceFrame();
    } else {
      // The timer stands while another application has the focus.
      clock.Sleep(20);
    }
  }
  game.FormClose();
  game.DXDrawFinalize();
  return 0;
}
