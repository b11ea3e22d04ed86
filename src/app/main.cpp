// Program entry: the main form, the event loop and the idle-time frames.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
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

// Milliseconds since this process was started, to 10 ms (the kernel's clock ticks).
long MillisSinceLaunch() {
  std::ifstream file("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  size_t name = text.rfind(')');
  if (name == std::string::npos) return -1;
  // After the name: the state (field 3), then numbers; the start time is field 22.
  std::istringstream fields(text.substr(name + 1));
  std::string state;
  long long value = 0;
  fields >> state;
  for (int i = 4; i <= 22; ++i) fields >> value;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<long>(now.tv_sec * 1000 + now.tv_nsec / 1000000 -
                           value * 1000 / sysconf(_SC_CLK_TCK));
}

// A start that cannot go on: said once, in a box where one can show.
int CannotStart(const std::string& why) {
  std::fprintf(stderr, "Plumix Adventure: %s\n", why.c_str());
  plumix::MessageBoxRequest request{"Plumix Adventure", why, {"OK"}, 16, 1, 0};
  request.OnStderr = true;
  plumix::ShowMessageBox(request);
  return 1;
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
  bool reportStart = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--window") == 0) options.FullScreen = false;
    if (std::strcmp(argv[i], "--report-start") == 0) reportStart = true;
  }
  std::error_code missing;
  if (!std::filesystem::is_directory(places.GameDir / "Graphics", missing)) {
    return CannotStart("The game's files are missing: there is no Graphics folder in " +
                       places.GameDir.string() + ". Install the game again.");
  }
  plumix::SystemClock clock;
  plumix::TMain game(options, clock);
  game.FormCreate();
  if (game.Shell.Terminated) return game.Shell.ExitCode;
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
      if (reportStart && game.M.DXDraw.PresentCount() > 0) {
        std::fprintf(stderr, "first frame shown %ld ms after launch\n", MillisSinceLaunch());
        reportStart = false;
      }
      game.M.DXDraw.PaceFrame();
    } else {
      // The timer stands while another application has the focus.
      clock.Sleep(20);
    }
  }
  game.FormClose();
  game.DXDrawFinalize();
  return game.Shell.ExitCode;
}
