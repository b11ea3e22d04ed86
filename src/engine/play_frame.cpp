// SPDX-License-Identifier: GPL-3.0-or-later
// The play frame, step by step in the order the frame runs them: the start
// phase, the held keys and gravity, lock or virus strike, disasters and the
// board, the tick, the laser wait, then the panels, the falling element, the
// overlays and the sprites.
#include "engine/play_frame.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "adventure/adventure_list.h"
#include "adventure/colour_effects.h"
#include "adventure/disasters.h"
#include "adventure/plumix_mode.h"
#include "adventure/specials.h"
#include "app/main_form.h"
#include "engine/board.h"
#include "engine/lines.h"
#include "engine/moves.h"
#include "media/draw.h"
#include "media/panels.h"

namespace plumix {
namespace {

constexpr int kExplosionLastPattern = 16;
constexpr int kLaserFrames = 25;
constexpr int kBlinkPeriod = 25;
// Counters that only need to say "long enough" stop here instead of overflowing.
constexpr int32_t kCounterCap = std::numeric_limits<int32_t>::max() / 2;

void CountUp(int32_t& counter, int32_t step = 1) {
  if (counter < kCounterCap) counter += step;
}

// The repeat settings are decimal texts; one that does not read as a number keeps its default.
double RepeatSetting(const std::string& text, int fallback) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : fallback;
}

bool LevelCompleted(TMain& game) {
  return PlayLevel(game).LevelType != 0 || game.Specials.LevelCompletedCollected ||
         game.Play.LinesLeft < 1;
}

void EndLevel(TMain& game) {
  game.Play.EndCounter = 1;
  game.PlaySound(LevelCompleted(game) ? "Fanfare" : "Game_Over");
}

void LeaveLevel(TMain& game) {
  PlayState& play = game.Play;
  // The goal test and the top-out test may both see the end in one frame.
  if (play.LevelLeft) return;
  play.LevelLeft = true;
  const bool completed = LevelCompleted(game);
  game.Shell.ScreenState = completed ? kLevelCompletedScreen : kGameOverScreen;
  StopDisasterSounds(game);
  ColourEffect(game, "Default", 0);
  if (completed) {
    ReadRecordScores(game);
  } else {
    SaveHighScore(game);
  }
}

void NewElement(TMain& game) {
  FillElementQueue(game.Play, PlayLevel(game), game.Rng, "GenerateNextElement");
  game.Play.PreviewScroll = 0;
}

void StartPhase(TMain& game) {
  PlayState& play = game.Play;
  if (play.PrepareCounter >= kPrepareFrames) return;
  if (play.PrepareCounter == 1) {
    ShowNotice(game.Notices, 0);
    game.PlaySound("Start_Level");
  }
  SetPlayAnimationSpeed(game, PlayAnimationSpeed(game.Shell.FrameScale));
  play.FallInterval = FallIntervalFor(game.Shell.FrameScale, play.Speed);
}

void UpdateRepeatTimings(TMain& game) {
  const int frameScale = game.Shell.FrameScale;
  game.Play.SideRepeatFrames = RepeatSetting(game.Settings.LRSpeed, 25) * frameScale / 500.0;
  game.Play.DownRepeatFrames = RepeatSetting(game.Settings.DropSpeed, 20) * frameScale / 5000.0;
}

void ClearScreen(TMain& game) {
  Display& display = game.M.DXDraw;
  const ImageItem* tile = game.Settings.TiledBackground ? &game.M.DXImageList.Get("Current_Tile") : nullptr;
  // A tile that was never loaded has no size to step by.
  if (tile && (tile->Width() <= 0 || tile->Height() <= 0)) tile = nullptr;
  // Opaque tiles cover every pixel, so black under them would never be seen.
  if (!tile || tile->Transparent) display.Fill(kBlack);
  if (!tile) return;
  for (int y = 0; y < Display::kHeight; y += tile->Height()) {
    for (int x = 0; x < Display::kWidth; x += tile->Width()) DrawImage(*tile, display.Surface(), x, y, 0);
  }
}

void HeldKeysAndGravity(TMain& game) {
  PlayState& play = game.Play;
  if (game.Specials.LaserFiring || play.PrepareCounter < kPrepareFrames || play.EndCounter != -1) {
    return;
  }
  KeyboardReader& input = game.M.DXInput;
  input.Update();
  const BoardGrid& board = PlayLevel(game).Board;
  auto tryMove = [&](std::string_view move) {
    if (CanMove(play, board, move)) ApplyMove(play, move);
  };
  const bool up = input.Has(InputUp);
  if (up && !play.RotateHeld) tryMove("RotateLeft");
  play.RotateHeld = up;
  // Left and Right share one counter and Left goes first, so both held move left.
  if (input.Has(InputLeft) && play.SideRepeatCounter >= play.SideRepeatFrames) {
    tryMove("Left");
    play.SideRepeatCounter = 0;
  }
  if (input.Has(InputRight) && play.SideRepeatCounter >= play.SideRepeatFrames) {
    tryMove("Right");
    play.SideRepeatCounter = 0;
  }
  const bool down = input.Has(InputDown);
  if (down && !play.DownLock) {
    play.DownHeld = true;
    if (play.DownRepeatCounter >= play.DownRepeatFrames) {
      tryMove("Down");
      play.DownRepeatCounter = 0;
    }
  } else {
    play.DownHeld = false;
  }
  if (!down) play.DownLock = false;
  CountUp(play.SideRepeatCounter);
  CountUp(play.DownRepeatCounter);
  if (play.FallCounter >= play.FallInterval && CanMove(play, board, "Down")) {
    ApplyMove(play, "Down");
    play.FallCounter = 0;
  } else {
    CountUp(play.FallCounter);
  }
}

void VirusStrike(TMain& game) {
  const ElementRecord& e = game.Play.ElementQueue[0];
  if (TBasicSprite* explosion = game.Panels.Explosion.Get()) {
    explosion->AnimationPos = 0;
    explosion->X = kCellSize * e.X + kBoardOriginX;
    explosion->Y = kCellSize * e.Y + kBoardOriginY;
  }
  game.PlaySound("2Fireworks_Bang");
  NewElement(game);
  game.Specials.VirusStrike = false;
  PlaceSpecial(game);
}

void Lock(TMain& game) {
  PlayState& play = game.Play;
  LevelRecord& level = PlayLevel(game);
  play.DownLock = true;
  const ElementRecord& e = play.ElementQueue[0];
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      const int x = e.X + c, y = e.Y + r;
      if (e.Occupied(c, r) && InGrid(x, y)) level.Board[x][y] = Cell{kBlock, e.Kind};
    }
  }
  AddScore(game, e.Value + play.Speed);
  NewElement(game);
  PlaceSpecial(game);
  ResolveLines(game);
  if (TopsOut(level.Board, level.EntryRow)) {
    play.TopOut = true;
    EndLevel(game);
  }
}

void LockOrStrike(TMain& game, bool active) {
  PlayState& play = game.Play;
  const bool landed = !CanMove(play, PlayLevel(game).Board, "Down");
  // The element under a laser shot is already spent: neither a strike nor a
  // lock may take it (a strike waits for the next element).
  const bool shooting = game.Specials.LaserFiring;
  if (game.Specials.VirusPresent && game.Specials.VirusStrike && !shooting) {
    VirusStrike(game);
  } else if (!shooting && play.EndCounter == -1 && play.PrepareCounter >= kPrepareFrames && landed &&
             (play.FallCounter >= play.FallInterval || play.DownHeld)) {
    // Locking is part of gravity, so the start phase never locks.
    Lock(game);
  } else if (active) {
    CountUp(play.PreviewScroll, play.Speed + 1);
  }
  if (play.TopOut && play.EndCounter >= kEndFrames) LeaveLevel(game);
}

void RetireExplosion(TMain& game) {
  TBasicSprite* explosion = game.Panels.Explosion.Get();
  if (explosion && explosion->AnimationPos >= kExplosionLastPattern) {
    explosion->X = -200;
    explosion->Y = -200;
  }
}

void RunDisasters(TMain& game) {
  if (game.Play.PrepareCounter < kPrepareFrames) return;
  if (!game.Disasters.DisasterPending) {
    TryStartDisaster(game);
    return;
  }
  if (game.Play.TickCounter >= TickLength(game.Shell.FrameScale)) DisasterTick(game);
  DisasterEndCheck(game);
}

void CountTick(TMain& game) {
  PlayState& play = game.Play;
  if (play.TickCounter < TickLength(game.Shell.FrameScale)) {
    ++play.TickCounter;
    return;
  }
  play.TickCounter = 0;
  if (play.PrepareCounter >= kPrepareFrames) --play.TimeLeft;
  CountUp(game.Specials.SpecialsTicks);
  if (game.Specials.VirusPresent && game.Rng(10) == 0) game.Specials.VirusStrike = true;
}

void WaitForLaser(TMain& game) {
  SpecialsState& specials = game.Specials;
  if (!specials.LaserFiring) return;
  if (specials.LaserFrames < kLaserFrames) {
    ++specials.LaserFrames;
    return;
  }
  // The shot uses up the falling element.
  specials.LaserFiring = false;
  NewElement(game);
  PlaceSpecial(game);
}

void DrawFrameImages(TMain& game) {
  Bitmap& surface = game.M.DXDraw.Surface();
  ImageList& images = game.M.DXImageList;
  DrawImage(images.Get("Play_Scores_Background"), surface, 896, 0, 0);
  DrawImage(images.Get("Play_Background_Left_Side"), surface, 0, 0, 0);
  const ImageItem& bar = images.Get("Play_Background_Bar_Left_Right");
  DrawImage(bar, surface, 128, 0, 0);
  DrawImage(bar, surface, 885, 0, 0);
  const ImageItem& rim = images.Get("Play_Background_Bar_Up_Down");
  DrawImage(rim, surface, 0, 0, 0);
  DrawImage(rim, surface, 0, 757, 0);
}

void CheckGoal(TMain& game) {
  PlayState& play = game.Play;
  const uint8_t type = PlayLevel(game).LevelType;
  Bitmap& surface = game.M.DXDraw.Surface();
  bool reached = false;
  if (type == 0) {
    DrawImage(game.M.DXImageList.Get("Text_Lines_Left_Gray"), surface, 922, 85, 0);
    if (play.LinesLeft > 0) {
      ShowLinesLeft(game, play.LinesLeft);
    } else {
      reached = true;
    }
  } else if (type == 1) {
    DrawImage(game.M.DXImageList.Get("Text_Time_Left_Gray"), surface, 924, 84, 0);
    if (play.TimeLeft > 0) {
      ShowTimeLeft(game, play.TimeLeft);
    } else {
      reached = true;
    }
  }
  if (!reached) return;
  if (play.EndCounter == -1) {
    EndLevel(game);
  } else if (play.EndCounter >= kEndFrames) {
    LeaveLevel(game);
  }
}

void DrawFallingElement(TMain& game) {
  if (game.Specials.LaserFiring) {
    DrawLaser(game);
  } else {
    DrawPlayfield(game, kBoardOriginX, kBoardOriginY, "Shape");
  }
}

void DrawSidePanels(TMain& game, bool active) {
  DrawSpeedGauge(game);
  if (active) UpdateRockets(game);
  DrawLeftSide(game);
  if (active) CountUp(game.Panels.MessageScroll);
}

void DrawLevelCompletedFrame(TMain& game) {
  if (!game.Specials.LevelCompletedCollected) return;
  Canvas& canvas = game.M.DXDraw.GetCanvas();
  canvas.Pen.Color = kGreen;
  canvas.Pen.Width = 3;
  canvas.MoveTo(139, 10);
  canvas.LineTo(885, 10);
  canvas.LineTo(885, 756);
  canvas.LineTo(139, 756);
  canvas.LineTo(139, 10);
  canvas.Release();
}

void DrawBigText(TMain& game, int x, int y, std::string_view text, int32_t blink) {
  game.M.DXDraw.GetCanvas().Brush.Clear = true;
  const Colour colour = blink % kBlinkPeriod < 12 ? kRed : kGreen;
  game.DrawText(x + 2, y + 2, text, "Shotgun BT", 48, kBlack, kStyleBold);
  game.DrawText(x, y, text, "Shotgun BT", 48, colour, kStyleBold);
}

void DrawPrepareText(TMain& game) {
  PlayState& play = game.Play;
  if (play.PrepareCounter >= kPrepareFrames) return;
  DrawBigText(game, 175, 340, "PREPARE TO PLAY!", play.PrepareCounter);
  ++play.PrepareCounter;
}

void DrawEndText(TMain& game) {
  PlayState& play = game.Play;
  if (play.EndCounter <= 0) return;
  if (PlayLevel(game).LevelType != 0) {
    ShowTimeLeft(game, 0);
    DrawBigText(game, 170, 340, "LEVEL COMPLETED!", play.EndCounter);
  } else if (game.Specials.LevelCompletedCollected || play.LinesLeft < 1) {
    ShowLinesLeft(game, 0);
    DrawBigText(game, 170, 340, "LEVEL COMPLETED!", play.EndCounter);
  } else {
    DrawBigText(game, 290, 340, "GAME OVER!", play.EndCounter);
  }
  CountUp(play.EndCounter);
}

void RunSprites(TMain& game, bool active) {
  SpriteEngine& sprites = game.M.DXSpriteEngine;
  if (active) sprites.Move(1);
  sprites.Dead();
  sprites.Draw(game.M.DXDraw.Surface());
}

}  // namespace

int32_t FallIntervalFor(int32_t frameScale, int speed) { return frameScale / (speed + 1); }

int32_t TickLength(int32_t frameScale) { return frameScale / 2 + frameScale / 4; }

void PlayFrame(TMain& game, bool active) {
  StartPhase(game);
  UpdateRepeatTimings(game);
  ClearScreen(game);
  HeldKeysAndGravity(game);
  LockOrStrike(game, active);
  RetireExplosion(game);
  RunDisasters(game);
  DisasterFrame(game);
  CountTick(game);
  WaitForLaser(game);
  ShowScore(game, game.Adv.Score);
  DrawFrameImages(game);
  CheckGoal(game);
  DrawMessages(game);
  DrawPlumixPanel(game);
  DrawFallingElement(game);
  DrawSidePanels(game, active);
  DrawLevelCompletedFrame(game);
  DrawPrepareText(game);
  DrawEndText(game);
  RunSprites(game, active);
  game.KeepPlayPicture();
}

}  // namespace plumix
