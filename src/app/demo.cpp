// SPDX-License-Identifier: GPL-3.0-or-later
// The title's demo: a level built for showing off, played by the bot.
#include "app/demo.h"

#include <array>
#include <string_view>

#include "adventure/adventure_state.h"
#include "adventure/colour_effects.h"
#include "adventure/disasters.h"
#include "app/main_form.h"
#include "engine/board.h"

namespace plumix {
namespace {

// Rows 24..29 of the demo's well, columns 9..22 (walls at 8 and 23). The
// shaft at the right, one cell wide behind its wall, takes only the long
// element, which clears the four bottom rows at once: the PLUMIX mode, and
// the specials in them collected.
constexpr std::array<std::string_view, 6> kRows = {
    "------------#-",
    "*C**-*******#-",
    "*******E*****-",
    "**A**********-",
    "****D********-",
    "********B****-",
};
constexpr int kLeft = 8, kRight = 23, kFirstRow = 24;
// The demo's disaster comes once the PLUMIX mode is on (a fire before it
// could burn a hole into the rows the long element is to clear), or after
// this many frames in any case.
constexpr int32_t kDisasterFrame = 3000;
// The demo gives way to the title again after this many frames in any case.
constexpr int32_t kMaxFrames = 6000;
constexpr int32_t kEndShownFrames = 120;

void Restore(TMain& game) {
  DemoState& demo = game.Demo;
  BotReleaseAll(game, demo.Bot);
  StopDisasterSounds(game);
  ColourEffect(game, "Default", 0);
  game.M.DXSpriteEngine.Clear();
  demo.Bot = {};
  if (demo.SavedAdventure) game.Adv = *demo.SavedAdventure;
  demo.SavedAdventure.reset();
  game.Rng = demo.SavedRng;
  demo.Active = false;
  game.Paused = false;
  game.Shell.ScreenState = kTitleScreen;
  TitleTouched(game);
}

}  // namespace

AdventureRecord DemoAdventure() {
  AdventureRecord adventure;
  adventure.Title = "Demo";
  adventure.LastLevelIndex = 0;
  LevelRecord& level = adventure.Levels[1];
  level.Title = "Demo";
  level.DisasterFrequency = 0;  // the demo brings its disaster itself
  level.SpecialsFrequency = 2;
  level.StartSpeed = 2;
  level.MaximalSpeed = 6;
  level.NextElements = 3;
  level.LinesToIncreaseSpeed = 6;
  level.LinesToFinish = 24;
  level.EntryColumn = 14;
  level.EntryRow = 1;
  // Four kinds, one of them long: the four-row clear comes soon.
  for (int kind = 1; kind <= 4; ++kind) level.Elements[kind] = 1;
  // No laser: a shot down the open column would spoil the four-row clear.
  for (int special : {1, 2, 3, 9}) level.Specials[special] = 1;
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      uint8_t code = kVoid;
      if (x == kLeft || x == kRight || (y == kBoardSize && x > kLeft && x < kRight)) {
        code = kEdge;
      } else if (x > kLeft && x < kRight) {
        code = kEmpty;
        if (y >= kFirstRow && y < kBoardSize) {
          switch (kRows[y - kFirstRow][x - kLeft - 1]) {
            case '#': code = kEdge; break;
            case '=': code = kPassage; break;
            case '*': code = kBlock; break;
            case '-': code = kEmpty; break;
            default: code = static_cast<uint8_t>(kFirstSpecial + kRows[y - kFirstRow][x - kLeft - 1] - 'A');
          }
        }
      }
      level.Board[x][y] = {code, static_cast<uint8_t>(code == kBlock || IsSpecialCode(code) ? (x * 7 + y) % 7 + 1 : 0)};
    }
  }
  level.Board[level.EntryColumn][level.EntryRow].Code = kEntryMark;
  return adventure;
}

void TitleTouched(TMain& game) {
  game.Demo.TitleSince = game.Time.Millis();
  game.Demo.TitleSeen = true;
}

void TitleIdle(TMain& game) {
  DemoState& demo = game.Demo;
  if (!demo.TitleSeen) TitleTouched(game);
  if (game.Time.Millis() - demo.TitleSince < kDemoIdleMs) return;
  // The demo plays on copies: the title finds everything as it left it.
  demo.SavedAdventure = std::make_shared<AdventureState>(game.Adv);
  demo.SavedRng = game.Rng;
  demo.Bot = {};
  demo.Frames = 0;
  demo.DisasterShown = false;
  demo.PlumixSeen = false;
  demo.Active = true;
  // The same show each time.
  game.Rng.Seed(2022);
  StartLevelDirectly(game, DemoAdventure(), 1);
  // A demo never offers its score to a table, nor reads one.
  game.Adv.LoadedFileName.clear();
}

void DemoBeforeFrame(TMain& game) {
  DemoState& demo = game.Demo;
  if (!demo.Active || game.Shell.ScreenState != kPlayScreen) return;
  ++demo.Frames;
  demo.PlumixSeen = demo.PlumixSeen || game.Plumix.PlumixMode;
  if (!demo.DisasterShown && (demo.PlumixSeen || demo.Frames >= kDisasterFrame) &&
      !game.Disasters.DisasterPending && game.Play.PrepareCounter >= kPrepareFrames) {
    AnnounceDisaster(game);
  }
  demo.DisasterShown = demo.DisasterShown || game.Disasters.DisasterPending;
  // The bot's keys take the player's road; they are no player's touch.
  demo.BotPressing = true;
  BotStep(game, demo.Bot);
  demo.BotPressing = false;
}

void StandInBeforeFrame(TMain& game) {
  DemoState& demo = game.Demo;
  if (!game.Options.BotPlays || demo.Active) return;
  if (game.Play.PrepareCounter == 0) {
    // A new level: nothing of the last one's plan or held keys carries over.
    BotReleaseAll(game, demo.Stand);
    demo.Stand = {};
  }
  demo.BotPressing = true;
  BotStep(game, demo.Stand);
  demo.BotPressing = false;
}

void DemoAfterFrame(TMain& game) {
  DemoState& demo = game.Demo;
  if (!demo.Active) return;
  const PlayState& play = game.Play;
  // Leave before the level's end reads or offers any high-score table.
  if (game.Shell.ScreenState != kPlayScreen || play.EndCounter > kEndShownFrames || demo.Frames > kMaxFrames) {
    Restore(game);
    return;
  }
  const bool on = (game.Shell.FrameCounter / 20) % 2 == 0;
  game.DrawText(452, 742, "DEMO", "Shotgun BT", 18, kBlack, kStyleBold);
  game.DrawText(450, 740, "DEMO", "Shotgun BT", 18, on ? kYellow : kWhite, kStyleBold);
  // Beside the well, clear of the entry and the board.
  game.DrawText(146, 712, "Any key, button or click:", "Arial CE", 12, kWhite, kStyleNormal);
  game.DrawText(146, 730, "back to the title", "Arial CE", 12, kWhite, kStyleNormal);
}

bool DemoInterrupt(TMain& game) {
  if (game.Demo.BotPressing) return false;
  if (!game.Demo.Active) {
    if (game.Shell.ScreenState == kTitleScreen) TitleTouched(game);
    return false;
  }
  Restore(game);
  return true;
}

}  // namespace plumix
