// plumix-editor: the adventure editor in a window of its own, on the game's
// media layer, with the game inside it for test-play.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "app/main_form.h"
#include "editor/editor.h"

#ifndef PLUMIX_INSTALLED_DATA
#define PLUMIX_INSTALLED_DATA "../share/games/plumix-adventure"
#endif

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs("Usage: plumix-editor [FILE.paf] [--fullscreen]\n"
                 "The Plumix Adventure editor: paint, test-play and save the levels of\n"
                 "FILE.paf (a new adventure when it does not exist yet).\n"
                 "\n"
                 "  --fullscreen  start full screen instead of in a window\n"
                 "  --help        show this text and exit\n"
                 "  --version     show the version and exit\n",
                 stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::puts("plumix-editor (Plumix Adventure) " PLUMIX_VERSION);
      return 0;
    }
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
  options.FullScreen = false;
  std::filesystem::path file;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--fullscreen") == 0) {
      options.FullScreen = true;
    } else {
      file = argv[i];
    }
  }
  plumix::SystemClock clock;
  plumix::TMain game(options, clock);
  game.FormCreate();
  if (game.Shell.Terminated) return 1;
  game.FormActivate();
  game.SetCursorMode("Arrow");
  plumix::Editor editor(game);
  if (!file.empty()) {
    std::string why;
    if (std::filesystem::exists(file)) {
      if (!editor.Model.Open(file, &why)) editor.Status = why;
    } else {
      editor.Model.Path = file;  // a new adventure, saved under this name
    }
    editor.SyncControls();
  }
  std::vector<plumix::PlatformEvent> events;
  editor.PumpEvents = [&] {
    events.clear();
    game.M.DXDraw.PollEvents(events);
    for (const plumix::PlatformEvent& event : events) {
      if (event.Type == plumix::PlatformEventType::Quit) return false;
      if (event.Type == plumix::PlatformEventType::KeyDown && event.Key == plumix::kVkEscape) return false;
    }
    return true;
  };
  while (!editor.Quit) {
    events.clear();
    game.M.DXDraw.PollEvents(events);
    for (const plumix::PlatformEvent& event : events) {
      editor.Event(event);
      if (editor.Quit && editor.Model.Dirty &&
          plumix::ShowMessageDialog("The adventure has unsaved changes. Quit anyway?", "Plumix Adventure editor",
                                    "&Quit", "&Cancel", "", 32, 2, &game) != 1) {
        editor.Quit = false;
      }
      if (editor.Quit) break;
    }
    editor.Frame();
    game.M.DXDraw.PaceFrame();
  }
  game.FormClose();
  game.DXDrawFinalize();
  return 0;
}
