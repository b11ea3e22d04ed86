// SPDX-License-Identifier: GPL-3.0-or-later
// plumix-editor: the adventure editor in a window of its own, on the game's
// media layer, with the game inside it for test-play.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "app/main_form.h"
#include "editor/editor.h"

#ifndef PLUMIX_VERSION
#define PLUMIX_VERSION "1.0"
#endif
#ifndef PLUMIX_INSTALLED_DATA
#define PLUMIX_INSTALLED_DATA "../share/games/plumix-adventure"
#endif

namespace {

constexpr const char* kUsage =
    "Usage: plumix-editor [--fullscreen] [FILE.paf]\n"
    "The Plumix Adventure editor: paints, test-plays, proves and saves adventures.\n"
    "FILE is opened, or saved into once painted when it does not exist yet.\n"
    "  --fullscreen  fill the screen\n"
    "  --help        this text\n"
    "  --version     the editor's version\n"
    "In the editor, F1 lists the keys.\n";

// SDL would run on without any window here, and the designer would wait for nothing.
bool NoDisplay() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver && *driver) return std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (!x11 || !*x11) && (!wayland || !*wayland);
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path file;
  bool fullScreen = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::puts("plumix-editor (Plumix Adventure) " PLUMIX_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--fullscreen") == 0) {
      fullScreen = true;
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      std::fprintf(stderr, "plumix-editor: unknown option %s\n%s", argv[i], kUsage);
      return 2;
    } else if (!file.empty()) {
      std::fprintf(stderr, "plumix-editor: one file at a time\n%s", kUsage);
      return 2;
    } else {
      file = argv[i];
    }
  }
  if (NoDisplay()) {
    std::fprintf(stderr, "plumix-editor: no display to open a window on (DISPLAY is not set); the editor needs one\n");
    return 1;
  }
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) self = std::filesystem::absolute(argv[0]);
  const plumix::FilePlaces places = plumix::FindPlaces(self.parent_path(), PLUMIX_INSTALLED_DATA);
  plumix::GameOptions options;
  options.GameDir = places.GameDir;
  options.ConfigDir = places.ConfigDir;
  options.DataDir = places.DataDir;
  options.Headless = false;
  options.FullScreen = fullScreen;
  plumix::SystemClock clock;
  plumix::TMain game(options, clock);
  game.FormCreate();
  if (game.Shell.Terminated) return 1;
  game.FormActivate();
  game.SetCursorMode("Arrow");
  plumix::Editor editor(game);
  if (!file.empty()) {
    if (std::filesystem::exists(file)) {
      editor.OpenFile(file);
    } else {
      editor.Model.Path = file;  // a new adventure, saved under this name
      editor.SetStatus("A new adventure; Ctrl+S saves it as " + file.string(), false);
    }
    editor.SyncControls();
  }
  std::vector<plumix::PlatformEvent> events;
  while (!editor.Quit) {
    events.clear();
    game.M.DXDraw.PollEvents(events);
    for (const plumix::PlatformEvent& event : events) {
      editor.Event(event);
      if (editor.Quit) break;
    }
    editor.Frame();
    game.M.DXDraw.PaceFrame();
  }
  editor.CancelProof();
  game.FormClose();
  game.DXDrawFinalize();
  return 0;
}
