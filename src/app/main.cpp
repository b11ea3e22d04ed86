// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: the main form, the event loop and the idle-time frames.
#include <sys/resource.h>
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

constexpr const char* kHelp =
    "Usage: plumix [--window] [--report-start]\n"
    "Plumix Adventure, a falling-block puzzle game of adventures.\n"
    "\n"
    "  --window        start in a 1024 x 768 window instead of full screen\n"
    "                  (Alt+Enter switches at any time)\n"
    "  --report-start  tell on standard error how long the first frame took\n"
    "  --bot-plays     the bot plays the levels you start while you watch;\n"
    "                  its games enter no high-score table\n"
    "  --help          show this text and exit\n"
    "  --version       show the version and exit\n"
    "\n"
    "The adventure editor is plumix-editor, the designers' tool plumix-adventure.\n";

}  // namespace

int main(int argc, char** argv) {
  // Answered before anything starts, so that they work without a display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::puts("plumix (Plumix Adventure) " PLUMIX_VERSION);
      return 0;
    }
  }
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
    if (std::strcmp(argv[i], "--bot-plays") == 0) options.BotPlays = true;
  }
  std::error_code missing;
  if (!std::filesystem::is_directory(places.GameDir / "Graphics", missing)) {
    return CannotStart("The game's files are missing: there is no Graphics folder in " +
                       places.GameDir.string() + ". Install the game again.");
  }
  const long launched = reportStart ? MillisSinceLaunch() : 0;
  plumix::SystemClock clock;
  const uint32_t started = clock.Millis();
  plumix::TMain game(options, clock);
  game.FormCreate();
  const uint32_t created = clock.Millis();
  if (game.Shell.Terminated) return game.Shell.ExitCode;
  game.FormActivate();
  const uint32_t activated = clock.Millis();
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
        // Where the time went: loading the program, the window with the
        // built-in pictures, the settings with the lists, the first frame.
        // The processor time too, which a busy machine does not stretch.
        const uint32_t shown = clock.Millis();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const long cpu = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
                         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
        std::fprintf(stderr,
                     "first frame shown %ld ms after launch (program %ld ms, window and pictures "
                     "%u ms, settings and lists %u ms, first frame %u ms; processor %ld ms)\n",
                     MillisSinceLaunch(), launched, created - started, activated - created,
                     shown - activated, cpu);
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
