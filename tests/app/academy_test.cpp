// Plumix Academy, the adventure the game ships with, played from the title
// screen to the game-completed screen by a player that only presses keys:
// every level can be won, one after the other.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "adventure/end_screens.h"
#include "app/game_test_files.h"
#include "app/main_form.h"
#include "app/menus.h"
#include "engine/board.h"
#include "engine/lines.h"
#include "engine/moves.h"
#include "support/harness.h"

namespace plumix {
namespace {

using namespace plumix::testing;

struct Plan {
  int Rotation = 1;  // the rotation state to turn to
  int X = 0;
  bool Valid = false;
};

bool Playable(uint8_t code) { return code == kEmpty || code == kBlock || code >= kFirstSpecial; }

// The usual four features of a stack: height, finished rows, holes, bumps,
// judged on the board as it is after its full rows are gone.
double Judge(const LevelRecord& placed) {
  double height = 0, holes = 0, bumps = 0, lines = 0, danger = 0;
  int previous = -1;
  for (int y = 1; y <= kBoardSize; ++y) lines += RowIsFull(placed.Board, y);
  LevelRecord level = placed;
  PlayState play;
  play.LinesLeft = 1000;
  for (int pass = 0; pass < kBoardSize && !play.LineScanDone; ++pass) ClearFullRows(play, level, 90);
  const BoardGrid& board = level.Board;
  for (int x = 1; x <= kBoardSize; ++x) {
    // The surface is the first cell from the top that is not open: a block,
    // or a wall, which counts as filled.
    int top = 0;
    bool column = false, covered = false;
    for (int y = 1; y <= kBoardSize; ++y) {
      const uint8_t code = board[x][y].Code;
      column = column || Playable(code);
      if (top == 0 && code != kEmpty && code != kVoid && code != kPassage && code != kEntryMark) top = y;
      covered = covered || code == kBlock;
      if (code == kEmpty && covered) ++holes;
    }
    if (!column) {
      previous = -1;
      continue;
    }
    const int h = top == 0 ? 0 : kBoardSize + 1 - top;
    height += h;
    if (top != 0 && top <= 6 && board[x][top].Code == kBlock) danger += 7 - top;
    if (previous >= 0) bumps += std::abs(h - previous);
    previous = h;
  }
  return -0.51 * height + 0.76 * lines - 0.36 * holes - 0.18 * bumps - 5 * danger;
}

// Every turn and column the element can reach by turning at the entry,
// moving sideways and dropping straight down, and the best of them.
Plan Choose(TMain& game) {
  const PlayState& start = game.Play;
  const LevelRecord& level = PlayLevel(game);
  const BoardGrid& board = level.Board;
  LevelRecord after = level;
  Plan best;
  double bestScore = -1e18;
  const int states = KindInfo(start.CurrentType).States;
  for (int turns = 0; turns < states; ++turns) {
    PlayState turned = start;
    // The entry mark holds the element in the first row: it leaves that row first.
    if (CanMove(turned, board, "Down")) ApplyMove(turned, "Down");
    bool ok = true;
    for (int t = 0; t < turns && ok; ++t) {
      int tries = 0;
      while (!CanMove(turned, board, "RotateLeft") && tries++ < 4 && CanMove(turned, board, "Down")) {
        ApplyMove(turned, "Down");
      }
      ok = CanMove(turned, board, "RotateLeft");
      if (ok) ApplyMove(turned, "RotateLeft");
    }
    if (!ok) continue;
    for (int dir : {-1, 1}) {
      PlayState moved = turned;
      while (true) {
        PlayState dropped = moved;
        while (CanMove(dropped, board, "Down")) ApplyMove(dropped, "Down");
        after.Board = board;
        const ElementRecord& e = dropped.ElementQueue[0];
        for (int c = 0; c < 4; ++c) {
          for (int r = 0; r < 4; ++r) {
            if (e.Occupied(c, r) && InGrid(e.X + c, e.Y + r)) after.Board[e.X + c][e.Y + r] = Cell{kBlock, 1};
          }
        }
        const double score = Judge(after);
        if (score > bestScore) {
          bestScore = score;
          best = {dropped.RotationState, moved.ElementQueue[0].X, true};
        }
        const char* step = dir < 0 ? "Left" : "Right";
        if (!CanMove(moved, board, step)) break;
        ApplyMove(moved, step);
      }
    }
  }
  return best;
}

// Presses and releases keys frame by frame to bring each element to its plan.
class Player {
 public:
  explicit Player(Harness& h) : h_(h) {}

  // Plays the level on the screen until it ends; the number of frames it took.
  int PlayLevel(int maxFrames) {
    TMain& game = h_.Game();
    int frames = 0;
    lastScore_ = -1;
    for (; frames < maxFrames && game.Shell.ScreenState == kPlayScreen; ++frames) {
      Step(game);
      h_.RunFrames(1);
    }
    ReleaseAll();
    return frames;
  }

 private:
  void Set(uint16_t key, bool down) {
    const bool held = held_.count(key) != 0;
    if (down && !held) {
      h_.KeyDown(key);
      held_.insert(key);
    } else if (!down && held) {
      h_.KeyUp(key);
      held_.erase(key);
    }
  }
  void ReleaseAll() {
    for (uint16_t key : {kVkLeft, kVkRight, kVkUp, kVkDown}) Set(key, false);
  }

  void Step(TMain& game) {
    const PlayState& play = game.Play;
    if (play.PrepareCounter < kPrepareFrames || play.EndCounter != -1) {
      ReleaseAll();
      return;
    }
    if (game.Adv.Score != lastScore_) {
      // A new element: the last one locked (every lock scores).
      lastScore_ = game.Adv.Score;
      plan_ = Choose(game);
      ReleaseAll();
      return;
    }
    const ElementRecord& e = play.ElementQueue[0];
    if (e.Y <= ::plumix::PlayLevel(game).EntryRow) {
      Set(kVkDown, true);
      return;
    }
    Set(kVkDown, false);
    if (plan_.Valid && play.RotationState != plan_.Rotation) {
      // A turn needs the key to come up between two presses.
      const bool up = held_.count(kVkUp) != 0;
      Set(kVkLeft, false);
      Set(kVkRight, false);
      Set(kVkUp, !up);
      return;
    }
    Set(kVkUp, false);
    if (plan_.Valid && e.X > plan_.X && CanMove(play, ::plumix::PlayLevel(game).Board, "Left")) {
      Set(kVkRight, false);
      Set(kVkLeft, true);
    } else if (plan_.Valid && e.X < plan_.X && CanMove(play, ::plumix::PlayLevel(game).Board, "Right")) {
      Set(kVkLeft, false);
      Set(kVkRight, true);
    } else {
      Set(kVkLeft, false);
      Set(kVkRight, false);
      Set(kVkDown, true);
    }
  }

  Harness& h_;
  std::set<uint16_t> held_;
  Plan plan_;
  int32_t lastScore_ = -1;
};

TEST(PlumixAcademy, EveryLevelCanBeWonOneAfterTheOtherByKeysAlone) {
  Harness h;
  // The adventure as the game folder ships it.
  ASSERT_TRUE(std::filesystem::exists(h.Dir / "Adventures" / "PlumixAcademy.paf"));
  h.WarmUp();
  TMain& game = h.Game();
  game.Settings.PlayerName = "Academy Bot";
  for (uint16_t key : {kVkReturn, kVkReturn}) {
    h.Press(key);
    h.RunFrames(3);
  }
  ASSERT_EQ(game.Menu.MenuState, kListLoad);
  int academy = 0;
  for (int i = 1; i <= game.Adv.AdventureCount; ++i) {
    if (game.Adv.AdventureList[i].FileName == "PlumixAcademy.paf") academy = i;
  }
  ASSERT_GT(academy, 0);
  for (int i = 1; i < academy; ++i) h.Press(kVkDown);
  h.Press(kVkReturn);
  h.RunFrames(3);
  ASSERT_EQ(game.Adv.Adventure.Title, "Plumix Academy");
  const int levels = game.Adv.Adventure.LastLevelIndex + 1;
  EXPECT_GE(levels, 10);
  h.Press(kVkReturn);
  h.RunFrames(3);

  const AdventureRecord shipped = h.ReadAdventure("PlumixAcademy.paf");
  std::string report;
  Player player(h);
  for (int level = 1; level <= levels; ++level) {
    ASSERT_EQ(game.Shell.ScreenState, kLevelInfoScreen) << "level " << level;
    ASSERT_EQ(game.Adv.CurrentLevel, level);
    h.Press(kVkReturn);
    const int frames = player.PlayLevel(20000);
    char line[120];
    std::snprintf(line, sizeof line, "level %2d %-22s %6d points, record %6d, %5d frames\n", level,
                  PlayLevel(game).Title.c_str(), game.Adv.LevelScores[level], game.Adv.RecordLevelScore,
                  frames);
    report += line;
    if (game.Shell.ScreenState != kLevelCompletedScreen) {
      const BoardGrid& board = PlayLevel(game).Board;
      for (int y = 1; y <= kBoardSize; ++y) {
        for (int x = 1; x <= kBoardSize; ++x) report += ".-*#=ABCDEFGHIJKLMN@"[std::min<int>(board[x][y].Code, 19)];
        report += '\n';
      }
    }
    ASSERT_EQ(game.Shell.ScreenState, kLevelCompletedScreen) << "the game so far:\n" << report;
    // The record holder's score of the level, as the file has it.
    EXPECT_EQ(game.Adv.RecordLevelScore, shipped.Levels[level].RecordScore);
    h.RunFrames(2);
    h.Press(kVkReturn);
    h.RunFrames(2);
  }
  ASSERT_EQ(game.Shell.ScreenState, kGameCompletedScreen);
  EXPECT_GT(game.Adv.HighScoreRank, 0);
  h.Press(kVkReturn);
  h.RunFrames(2);
  EXPECT_EQ(game.Menu.MenuState, kHighScorePage);
  const AdventureRecord stored = h.ReadAdventure("PlumixAcademy.paf");
  EXPECT_EQ(stored.HighScores[game.Adv.HighScoreRank].Name, "Academy Bot");
  EXPECT_EQ(stored.HighScores[game.Adv.HighScoreRank].Score, game.Adv.Score);
}

}  // namespace
}  // namespace plumix
