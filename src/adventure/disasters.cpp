// SPDX-License-Identifier: GPL-3.0-or-later
// The disasters: the warning with its countdown, the outbreak, the strikes
// of each kind while one rages, and the end.
#include "adventure/disasters.h"

#include "app/main_form.h"
#include "engine/board.h"
#include "engine/moves.h"
#include "engine/play_frame.h"
#include "media/panels.h"

namespace plumix {
namespace {

enum DisasterKinds : uint8_t { kEarthquake = 0, kFire = 1, kLightning = 2, kWind = 3 };

constexpr int kStrikeChance = 500;
constexpr int kWindPeriod = 10;        // frames between two pushes of the wind
constexpr int kLightningDepth = 10;    // rows below the entry row that lightning spares
constexpr int kStormLastPattern = 6;
constexpr double kFlameHiddenX = -100;
constexpr double kStormHiddenX = -300;
constexpr double kWindHiddenX = -300;
constexpr int kAllKinds = 0x0F;
// Play ticks between the end of one disaster and the warning of the next
// where they come in turn: long enough to read "Speciality over.".
constexpr int32_t kInTurnBreatherTicks = 3;

bool TickFrame(const TMain& game) {
  return game.Play.TickCounter >= TickLength(game.Shell.FrameScale);
}

// The drawn kind, or the next one after it that has not come in this round.
uint8_t KindInTurn(DisasterState& d, int drawn) {
  if (d.KindsThisRound == kAllKinds) d.KindsThisRound = 0;
  int kind = drawn;
  while (d.KindsThisRound & (1 << kind)) kind = (kind + 1) % 4;
  d.KindsThisRound = static_cast<uint8_t>(d.KindsThisRound | (1 << kind));
  return static_cast<uint8_t>(kind);
}

bool Active(const TMain& game) {
  return game.Disasters.DisasterPending && game.Disasters.DisasterStartTicks <= 0;
}

void RedMessage(TMain& game, std::string_view line2) {
  AddMessage(game.Panels, "", line2, "", kRed);
}

void PlaceAtCell(const SpriteRef<TBasicSprite>& ref, int x, int y) {
  if (TBasicSprite* sprite = ref.Get()) {
    sprite->X = kCellSize * x + 100;
    sprite->Y = kCellSize * y - 110;
  }
}

void Hide(const SpriteRef<TBasicSprite>& ref, double x) {
  if (TBasicSprite* sprite = ref.Get()) sprite->X = x;
}

// A cell of the falling element's box that the element covers.
bool UnderFallingElement(const TMain& game, int x, int y) {
  const ElementRecord& e = game.Play.ElementQueue[0];
  const int c = x - e.X, r = y - e.Y;
  return c >= 0 && c < 4 && r >= 0 && r < 4 && e.Occupied(c, r);
}

// Draws random cells until one qualifies; false, without drawing, when none
// does, so that a board without a target never holds up the frame.
template <class Pred>
bool RandomCell(TMain& game, Pred qualifies, int& outX, int& outY) {
  bool any = false;
  for (int x = 1; x <= kBoardSize && !any; ++x) {
    for (int y = 1; y <= kBoardSize && !any; ++y) any = qualifies(x, y);
  }
  if (!any) return false;
  do {
    outX = game.Rng(kBoardSize) + 1;
    outY = game.Rng(kBoardSize) + 1;
  } while (!qualifies(outX, outY));
  return true;
}

// The strike chance is drawn on every frame, first strike or not.
bool StrikeNow(TMain& game, bool allowFirst) {
  const bool chance = game.Rng(kStrikeChance) == 0;
  DisasterState& d = game.Disasters;
  if (!chance && !(allowFirst && d.FirstStrike)) return false;
  if (allowFirst) d.FirstStrike = false;
  return true;
}

int ShakeOffset(Random& rng) {
  // 15 is the board's own place; a jolt anywhere in 0..29 comes about
  // four frames in ten.
  return rng(rng(10)) == 0 ? rng(30) : 15;
}

void FireFrame(TMain& game) {
  if (!StrikeNow(game, true)) return;
  BoardGrid& board = PlayLevel(game).Board;
  int x = 0, y = 0;
  if (!RandomCell(game, [&](int cx, int cy) { return board[cx][cy].Code == kBlock; }, x, y)) return;
  board[x][y].Code = kEmpty;
  game.PlaySound("Flame");
  PlaceAtCell(game.Panels.Flame, x, y);
}

void LightningFrame(TMain& game, bool active) {
  TBasicSprite* storm = game.Panels.Storm.Get();
  if (storm && storm->AnimationPos >= kStormLastPattern) storm->X = kStormHiddenX;
  if (!active || !StrikeNow(game, false)) return;
  LevelRecord& level = PlayLevel(game);
  const int lowest = level.EntryRow + kLightningDepth;
  // A new block inside the falling element would be swallowed by its lock.
  auto target = [&](int cx, int cy) {
    return cy > lowest && level.Board[cx][cy].Code == kEmpty && !UnderFallingElement(game, cx, cy);
  };
  int x = 0, y = 0;
  if (!RandomCell(game, target, x, y)) return;
  level.Board[x][y].Code = kBlock;
  game.PlaySound("Storm");
  if (storm) storm->AnimationPos = 0;
  PlaceAtCell(game.Panels.Storm, x, y);
}

bool RowHasEmptyCell(const BoardGrid& board, int y) {
  for (int x = 1; x <= kBoardSize; ++x) {
    if (board[x][y].Code == kEmpty) return true;
  }
  return false;
}

void WindFrame(TMain& game) {
  DisasterState& d = game.Disasters;
  int y = game.Rng(kBoardSize - 2) + 1;
  if (StrikeNow(game, true)) {
    if (RowHasEmptyCell(PlayLevel(game).Board, y)) {
      game.PlaySound("Wind");
      d.WindDirection = static_cast<uint8_t>(game.Rng(2) + 1);
      if (TBasicSprite* wind = game.Panels.Wind.Get()) {
        wind->ChangeImage(game.M.DXImageList.Get(d.WindDirection == 1 ? "Wind_Animation" : "Wind2_Animation"));
        wind->X = 830;
        wind->Y = 6;
      }
    } else {
      y = 0;
    }
  }
  if (game.Shell.FrameCounter % kWindPeriod != 0 || d.WindDirection == 0) return;
  PlayState& play = game.Play;
  const int row = play.ElementQueue[0].Y;
  if (row < y || row > y + 2) return;
  const std::string_view move = d.WindDirection == 1 ? "Left" : "Right";
  if (CanMove(play, PlayLevel(game).Board, move)) ApplyMove(play, move);
}

}  // namespace

void TryStartDisaster(TMain& game) {
  const LevelRecord& level = PlayLevel(game);
  const int frequency = level.DisasterFrequency;
  if (frequency == 0) return;
  if (DisastersInTurn(level)) {
    // No chance drawn: the first comes at once, the next after the breather.
    DisasterState& d = game.Disasters;
    if (d.BreatherTicks > 0 && TickFrame(game)) --d.BreatherTicks;
    if (d.BreatherTicks > 0) return;
  } else if (game.Rng(10000 / frequency) != 0) {
    return;
  }
  AnnounceDisaster(game);
}

void AnnounceDisaster(TMain& game) {
  LevelRecord& level = PlayLevel(game);
  DisasterState& d = game.Disasters;
  d.DisasterStartTicks = game.Rng(15) + 5;
  game.PlaySound("Before_Theme_Speciality");
  AddMessage(game.Panels, "Warning!", "Speciality", "approaching!", kRed);
  const int drawn = game.Rng(4);
  const uint8_t inTurn = level.DisasterKind & kDisastersInTurn;
  level.DisasterKind = static_cast<uint8_t>(inTurn | (inTurn ? KindInTurn(d, drawn) : drawn));
  d.DisasterPending = true;
  d.FirstStrike = true;
  d.DisasterEndTicks = game.Rng(20) + d.DisasterStartTicks + 10;
  ShowCountdown(game, d.DisasterStartTicks);
}

void DisasterTick(TMain& game) {
  DisasterState& d = game.Disasters;
  --d.DisasterEndTicks;
  --d.DisasterStartTicks;
  ShowCountdown(game, d.DisasterStartTicks > 0 ? d.DisasterStartTicks : d.DisasterEndTicks);
  if (d.DisasterStartTicks != 0) return;
  game.StopSound("Before_Theme_Speciality");
  switch (DisasterKindOf(PlayLevel(game))) {
    case kEarthquake:
      RedMessage(game, "Earthquake!");
      game.PlaySound("Earthquake");
      break;
    case kFire: RedMessage(game, "Fire!"); break;
    case kLightning: RedMessage(game, "Lightning!"); break;
    case kWind:
      RedMessage(game, "Wind!");
      d.WindDirection = 0;
      break;
    default: break;
  }
}

void DisasterEndCheck(TMain& game) {
  DisasterState& d = game.Disasters;
  // Below zero counts as ended too, so a disaster can never outlive its time.
  if (!d.DisasterPending || d.DisasterEndTicks > 0) return;
  PanelState& p = game.Panels;
  switch (DisasterKindOf(PlayLevel(game))) {
    case kEarthquake: game.StopSound("Earthquake"); break;
    case kFire:
      game.StopSound("Flame");
      Hide(p.Flame, kFlameHiddenX);
      break;
    case kLightning:
      game.StopSound("Storm");
      Hide(p.Storm, kStormHiddenX);
      break;
    case kWind:
      game.StopSound("Wind");
      Hide(p.Wind, kWindHiddenX);
      d.WindDirection = 0;
      break;
    default: break;
  }
  d.DisasterPending = false;
  d.BreatherTicks = kInTurnBreatherTicks;
  AddMessage(p, "", "Speciality over.", "", kGreen);
}

void DisasterFrame(TMain& game) {
  const bool active = Active(game);
  const uint8_t kind = DisasterKindOf(PlayLevel(game));
  if (active && kind == kEarthquake) {
    const int a = ShakeOffset(game.Rng);
    const int b = ShakeOffset(game.Rng);
    DrawPlayfield(game, kBoardOriginX - 15 + a, kBoardOriginY - 15 + b, "Table");
  } else {
    DrawPlayfield(game, kBoardOriginX, kBoardOriginY, "Table");
  }
  if (kind == kLightning) LightningFrame(game, active);
  if (!active) return;
  if (kind == kFire) FireFrame(game);
  if (kind == kWind) WindFrame(game);
}

void StopDisasterSounds(TMain& game) {
  for (const char* name : {"Before_Theme_Speciality", "Earthquake", "Flame", "Wind"}) {
    game.StopSound(name);
  }
}

}  // namespace plumix
