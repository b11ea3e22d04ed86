// SPDX-License-Identifier: GPL-3.0-or-later
#include "prove.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <fstream>
#include <memory>

#include "adventure/adventure_check.h"
#include "adventure/adventure_file.h"
#include "app/main_form.h"
#include "bot/bot.h"
#include "media/bitmap.h"

namespace plumix {
namespace {

namespace fs = std::filesystem;

// 20 frames a second of game time: the game runs at the same pace at any
// frame rate, and fewer frames make a proof quicker.
constexpr double kFrameMs = 50.0;
constexpr int kFramesPerSecond = 20;
constexpr const char* kProvedFile = "Proved.paf";
// A level still running after an hour of game time counts as lost.
constexpr int kMaxFrames = 3600 * kFramesPerSecond;

// A game folder of its own, so that nothing the game writes (settings, the
// high-score table) touches the designer's files.
class ScratchFolder {
 public:
  explicit ScratchFolder(const fs::path& gameDir) {
    std::string pattern = (fs::temp_directory_path() / "plumix-prove.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    Dir = pattern;
    std::error_code ignored;
    for (const char* name : {"Graphics", "Music"}) {
      if (!gameDir.empty() && fs::exists(gameDir / name)) fs::create_directory_symlink(gameDir / name, Dir / name, ignored);
    }
    fs::create_directories(Dir / "Adventures", ignored);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!Dir.empty()) fs::remove_all(Dir, ignored);
  }
  fs::path Dir;
};

std::string Run(const BotRun& run) {
  char text[200];
  std::snprintf(text, sizeof text,
                "%-4s in %4d elements, %6.1f s, score %6d, lines %3d, specials %2d, disasters %d (%d kinds), "
                "plumix %d",
                run.Won ? "won" : "lost", run.Elements, run.Frames / double(kFramesPerSecond), run.Score,
                run.Lines, run.SpecialsCollected, run.Disasters, std::popcount(run.DisasterKindsSeen),
                run.PlumixRewards);
  return text;
}

// The run to show for a level: the best-scoring won game, else the longest lost one.
bool Better(const BotRun& a, const BotRun& b) {
  if (a.Won != b.Won) return a.Won;
  return a.Won ? a.Score > b.Score : a.Frames > b.Frames;
}

}  // namespace

int ProveAdventure(const AdventureRecord& adventure, const ProveOptions& options, std::ostream& out,
                   std::ostream& err) {
  ScratchFolder folder(options.GameDir);
  if (folder.Dir.empty()) {
    err << "Cannot make a folder for the game under " << fs::temp_directory_path().string() << "\n";
    return 2;
  }
  FakeClock clock;
  GameOptions game;
  game.GameDir = folder.Dir;
  game.SeedFromClock = false;
  TMain main(game, clock);
  main.FormCreate();
  main.FormActivate();
  const int levelsToPlay = options.Level > 0 ? 1 : PlayedLevelCount(adventure);
  int gamesDone = 0;
  int frames = 0;
  struct Stopped {};
  auto frame = [&] {
    clock.Advance(kFrameMs);
    main.Idle();
    if (options.Progress && ++frames % 100 == 0 && !options.Progress(gamesDone, levelsToPlay * options.Seeds)) {
      throw Stopped{};
    }
  };
  while (main.M.DXTimer.FrameRate() == 0) frame();
  frame();
  // A won level reads the record scores from the file again.
  std::string error;
  if (!WriteFileBytes(folder.Dir / "Adventures" / kProvedFile, SerialiseAdventure(adventure), &error)) {
    err << error << "\n";
    return 2;
  }
  main.Adv.LoadedFileName = kProvedFile;

  const int levels = PlayedLevelCount(adventure);
  const int first = options.Level > 0 ? options.Level : 1;
  const int last = options.Level > 0 ? options.Level : levels;
  int won = 0, games = 0, gamesWon = 0;
  for (int level = first; level <= last; ++level) {
    BotRun best;
    int wins = 0;
    for (int seed = 1; seed <= options.Seeds; ++seed) {
      BotRun run;
      try {
        run = PlaySeededLevel(main, frame, adventure, level, seed, kMaxFrames);
      } catch (const Stopped&) {
        out << "stopped\n";
        return 3;
      }
      ++gamesDone;
      wins += run.Won;
      if (seed == 1 || Better(run, best)) best = run;
    }
    games += options.Seeds;
    gamesWon += wins;
    won += wins > 0;
    char head[80];
    std::snprintf(head, sizeof head, "level %3d %-30s %d/%d  ", level,
                  adventure.Levels[level].Title.c_str(), wins, options.Seeds);
    out << head << Run(best) << "\n";
  }
  const int proved = last - first + 1;
  out << won << " of " << proved << " level(s) won at least once; " << gamesWon << " of " << games
      << " game(s) won\n";
  return won == proved ? 0 : 1;
}

}  // namespace plumix
