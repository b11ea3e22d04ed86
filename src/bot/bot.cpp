// SPDX-License-Identifier: GPL-3.0-or-later
// The bot's hands: each frame it follows the path to its chosen pose with the
// player's own keys, and chooses again when the element is new or the path
// is gone (gravity was faster, a disaster moved the element or the board).
#include "bot/bot.h"

#include <algorithm>

#include "adventure/level_setup.h"
#include "adventure/specials.h"
#include "app/main_form.h"
#include "bot/search.h"
#include "engine/board.h"
#include "media/panels.h"
#include "settings/key_names.h"

namespace plumix {
namespace {

uint16_t KeyCode(const TMain& game, BotKey key) {
  const SettingsRecord& s = game.Settings;
  const std::string* names[kBotKeyCount] = {&s.KeyRotate, &s.KeyLeft, &s.KeyRight, &s.KeyDrop, &s.KeyAction};
  return KeyCodeFromName(*names[key]);
}

void SetKey(TMain& game, BotState& bot, BotKey key, bool down) {
  if (bot.Held[key] == down) return;
  bot.Held[key] = down;
  const PlatformEventType type = down ? PlatformEventType::KeyDown : PlatformEventType::KeyUp;
  game.Dispatch({type, KeyCode(game, key), false});
}

// Holds exactly the given key (or none).
void HoldOnly(TMain& game, BotState& bot, int key) {
  for (int k = 0; k < kBotKeyCount; ++k) {
    if (k != key) SetKey(game, bot, static_cast<BotKey>(k), false);
  }
  if (key >= 0) SetKey(game, bot, static_cast<BotKey>(key), true);
}

bool NewElement(const TMain& game, BotState& bot) {
  const ElementRecord& e = game.Play.ElementQueue[0];
  const bool fresh = game.Adv.Score != bot.LastScore || e.Y < bot.LastY || bot.WasLaserFiring;
  bot.LastScore = game.Adv.Score;
  bot.LastY = e.Y;
  return fresh;
}

}  // namespace

void BotReleaseAll(TMain& game, BotState& bot) { HoldOnly(game, bot, -1); }

void BotStep(TMain& game, BotState& bot) {
  const PlayState& play = game.Play;
  const bool firing = game.Specials.LaserFiring;
  if (game.Shell.ScreenState != kPlayScreen || game.Paused || play.PrepareCounter < kPrepareFrames ||
      play.EndCounter != -1 || firing) {
    bot.WasLaserFiring = firing;
    BotReleaseAll(game, bot);
    return;
  }
  if (NewElement(game, bot)) {
    ++bot.Elements;
    bot.Plan = {};
  }
  bot.WasLaserFiring = false;
  const LevelRecord& level = PlayLevel(game);
  const ElementRecord& e = play.ElementQueue[0];
  const bot::ShapeSet set(play.CurrentType);
  const bot::Reach reach = bot::Explore(level.Board, set, {play.RotationState, e.X, e.Y});
  bot::PoseMove move = bot.Plan.Valid ? bot::FirstMove(reach, {bot.Plan.Rotation, bot.Plan.X, bot.Plan.Y})
                                      : bot::kMoveUnreachable;
  if (move == bot::kMoveUnreachable) {
    bot.Plan = ChoosePlacement(game);
    move = bot.Plan.Valid ? bot::FirstMove(reach, {bot.Plan.Rotation, bot.Plan.X, bot.Plan.Y})
                          : bot::kMoveDown;
  }
  switch (move) {
    case bot::kMoveRotate:
      // A turn needs the key to come up between two presses.
      HoldOnly(game, bot, bot.Held[kBotRotate] ? -1 : kBotRotate);
      break;
    case bot::kMoveLeft: HoldOnly(game, bot, kBotLeft); break;
    case bot::kMoveRight: HoldOnly(game, bot, kBotRight); break;
    case bot::kMoveNone:
      if (bot.Plan.Laser) {
        HoldOnly(game, bot, bot.Held[kBotAction] ? -1 : kBotAction);
        break;
      }
      [[fallthrough]];
    default:
      // After a lock the drop key must come up before it moves the next element.
      HoldOnly(game, bot, play.DownLock && bot.Held[kBotDrop] ? -1 : kBotDrop);
      break;
  }
}

BotRun PlayLevelWithBot(TMain& game, const std::function<void()>& runFrame, int maxFrames) {
  BotState bot;
  BotRun run;
  const int32_t scoreBefore = game.Adv.LevelScores[std::clamp(game.Adv.CurrentLevel, 1, kMaxLevels)];
  bool pending = game.Disasters.DisasterPending;
  bool plumix = game.Plumix.PlumixMode;
  auto earned = [&] { return std::count(game.Plumix.Earned.begin() + 1, game.Plumix.Earned.end(), true); };
  auto lastEarned = earned();
  int32_t lastScore = game.Adv.Score;
  for (; run.Frames < maxFrames && game.Shell.ScreenState == kPlayScreen; ++run.Frames) {
    BotStep(game, bot);
    runFrame();
    if (game.Adv.Score != lastScore && game.Play.LinesCleared > 0 && game.Play.ClearedRows.Countdown > 0) {
      run.Lines += game.Play.LinesCleared;
    }
    // Counted by the game as it applies them: a collected special whose kind
    // retires at once no longer shows in the cleared cells.
    run.SpecialsCollected = game.Specials.Collected;
    if (run.SpecialsCollected > 0 && run.FirstSpecialFrame < 0) run.FirstSpecialFrame = run.Frames;
    if (game.Plumix.PlumixMode && !plumix) ++run.PlumixStarts;
    plumix = game.Plumix.PlumixMode;
    // The completing reward clears all four flags in the same frame.
    const auto nowEarned = earned();
    if (nowEarned > lastEarned) run.PlumixRewards += static_cast<int>(nowEarned - lastEarned);
    if (nowEarned < lastEarned && !plumix) run.PlumixRewards += static_cast<int>(4 - lastEarned);
    lastEarned = nowEarned;
    lastScore = game.Adv.Score;
    if (game.Disasters.DisasterPending && !pending) ++run.Disasters;
    pending = game.Disasters.DisasterPending;
    if (pending && game.Disasters.DisasterStartTicks <= 0) {
      run.DisasterKindsSeen = static_cast<uint8_t>(run.DisasterKindsSeen | 1 << DisasterKindOf(PlayLevel(game)));
    }
  }
  BotReleaseAll(game, bot);
  run.Won = game.Shell.ScreenState == kLevelCompletedScreen;
  run.Elements = bot.Elements;
  run.Score = game.Adv.LevelScores[std::clamp(game.Adv.CurrentLevel, 1, kMaxLevels)] - scoreBefore;
  return run;
}

BotRun PlaySeededLevel(TMain& game, const std::function<void()>& runFrame, const AdventureRecord& adventure,
                       int level, int seed, int maxFrames) {
  game.Rng.Seed(static_cast<uint64_t>(seed) * 1000 + level);
  StartLevelDirectly(game, adventure, level);
  return PlayLevelWithBot(game, runFrame, maxFrames);
}

void StartLevelDirectly(TMain& game, const AdventureRecord& adventure, int level) {
  AdventureState& adv = game.Adv;
  adv.Adventure = adventure;
  adv.CurrentLevel = level;
  adv.Score = 0;
  adv.LevelScores = {};
  // As if the table were saved already: a lost level must not write it.
  adv.SaveCount = 1;
  adv.HighScoreRank = 0;
  adv.HighScorePlaced = false;
  game.Shell.ScreenState = kLevelInfoScreen;
  SetUpLevel(game);
  CreatePlaySprites(game);
  CoverNextElements(game, 0);
  game.Shell.ScreenState = kPlayScreen;
}

}  // namespace plumix
