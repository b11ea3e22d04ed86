// SPDX-License-Identifier: GPL-3.0-or-later
#include "adventure/level_setup.h"

#include <string>

#include "adventure/plumix_mode.h"
#include "app/main_form.h"
#include "engine/board.h"
#include "media/draw.h"
#include "media/panels.h"

namespace plumix {
namespace {

struct IconRect {
  int Left, Top, Right, Bottom;
};
struct Icon {
  Colour Color;
  int Count;
  IconRect Rects[6];
};

constexpr Icon kIcons[kKindCount + 1] = {
    {0, 0, {}},
    {0xFF0000, 4, {{22, 0, 37, 15}, {22, 15, 37, 30}, {22, 30, 37, 45}, {22, 45, 37, 60}}},
    {0x000000, 4, {{15, 7, 30, 23}, {15, 23, 30, 38}, {15, 38, 30, 53}, {30, 38, 45, 53}}},
    {0x0000FF, 4, {{30, 7, 45, 23}, {30, 23, 45, 38}, {30, 38, 45, 53}, {15, 38, 30, 53}}},
    {0x000080, 4, {{30, 15, 45, 30}, {30, 30, 45, 45}, {15, 15, 30, 30}, {15, 30, 30, 45}}},
    {0x00FF00, 4, {{23, 15, 37, 30}, {7, 30, 23, 45}, {23, 30, 37, 45}, {37, 30, 52, 45}}},
    {0x008000, 4, {{15, 7, 30, 22}, {15, 22, 30, 37}, {30, 22, 45, 37}, {30, 37, 45, 52}}},
    {0x00FFFF, 4, {{30, 7, 45, 22}, {15, 22, 30, 37}, {30, 22, 45, 37}, {15, 37, 30, 52}}},
    {0xFF0000, 1, {{22, 22, 37, 37}}},
    {0xFFFFFF, 2, {{22, 15, 37, 30}, {22, 30, 37, 45}}},
    {0x008080, 3, {{22, 7, 37, 22}, {22, 22, 37, 37}, {22, 37, 37, 52}}},
    {0xFF00FF, 5, {{22, 7, 37, 22}, {22, 22, 37, 37}, {22, 37, 37, 52}, {7, 22, 22, 37}, {37, 22, 52, 37}}},
    {0x800000, 6, {{22, 7, 37, 22}, {22, 22, 37, 37}, {7, 22, 22, 37}, {37, 22, 52, 37}, {7, 37, 22, 52},
                   {37, 37, 52, 52}}},
    {0xFFFF00, 5, {{22, 7, 37, 22}, {22, 22, 37, 37}, {22, 37, 37, 52}, {7, 7, 22, 22}, {37, 37, 52, 52}}},
    {0x800080, 5, {{22, 7, 37, 22}, {22, 22, 37, 37}, {22, 37, 37, 52}, {37, 7, 52, 22}, {7, 37, 22, 52}}},
    {0xC0C0C0, 3, {{30, 30, 45, 45}, {15, 15, 30, 30}, {15, 30, 30, 45}}},
    {0x808000, 5, {{7, 15, 22, 30}, {37, 15, 52, 30}, {7, 30, 23, 45}, {23, 30, 37, 45}, {37, 30, 52, 45}}},
    {0x808080, 5, {{22, 7, 37, 22}, {22, 22, 37, 37}, {7, 37, 22, 52}, {7, 22, 22, 37}, {37, 7, 52, 22}}},
    {0x00FF00, 5, {{22, 7, 37, 22}, {22, 22, 37, 37}, {22, 37, 37, 52}, {7, 37, 22, 52}, {37, 37, 52, 52}}},
};

constexpr const char* kFrequencyWords[] = {"None", "Low", "Medium", "High"};

void ResetPlayState(TMain& game) {
  LevelRecord& level = PlayLevel(game);
  PlayState& play = game.Play;
  play.Speed = level.StartSpeed;
  play.PrepareCounter = 0;
  play.EndCounter = -1;
  play.TopOut = false;
  play.LevelLeft = false;
  game.Paused = false;
  game.QuitPrompt = false;
  game.Disasters.DisasterEndTicks = 0;
  game.Disasters.DisasterPending = false;
  game.Disasters.KindsThisRound = 0;
  game.Disasters.BreatherTicks = 0;
  AddMessage(game.Panels, "Clear Message Handler", "", "", kBlack);
  play.LineScanDone = false;
  // The rows of the last level's final clear are gone with it.
  play.ClearedRows = {};
  game.Plumix.PlumixMode = false;
  game.Plumix.Earned = {};
  game.Specials = SpecialsState{};
  ResetRockets(game.Plumix, game.Rng);
  play.FallCounter = 0;
  play.SideRepeatCounter = 0;
  play.DownRepeatCounter = 0;
  play.TickCounter = 0;
  // A Down held at the end of the last level must not lock the first element.
  play.DownHeld = false;
  FillElementQueue(play, level, game.Rng, "InitNextElementTable");
  play.LinesLeft = level.LinesToFinish;
  play.TimeLeft = level.TimeToFinish;
}

// Black first at (x, y), then the colour at (x - offset, y - offset).
void Shadowed(TMain& game, int x, int y, int offset, std::string_view text, std::string_view font,
              int size, Colour colour, int style = kStyleNormal) {
  game.DrawText(x, y, text, font, size, kBlack, style);
  game.DrawText(x - offset, y - offset, text, font, size, colour, style);
}

void DrawLevelSpecials(TMain& game, const LevelRecord& level) {
  Bitmap& surface = game.M.DXDraw.Surface();
  int x = 14;
  for (int k = 1; k <= kSpecialKinds; ++k) {
    if (level.Specials[k] == 0) continue;
    DrawImageWaved(game.M.DXImageListLetters.Item(k), surface, x, 626, 70, 70, 0, 0, 0, 0);
    x += 77;
  }
  if (x == 14) Shadowed(game, 24, 628, 2, "None", "Arial CE", 14, kWhite);
}

void DrawElementIcons(TMain& game, const LevelRecord& level) {
  int x = 792, y = 170;
  for (int k = 1; k <= kKindCount; ++k) {
    if (level.Elements[k] == 0) continue;
    DrawElementIcon(game, k, x, y);
    x += 77;
    if (x > 1000) {
      x = 792;
      y += 77;
    }
  }
}

Colour PreviewColour(uint8_t code, bool* drawn) {
  *drawn = true;
  if (code == kEmpty) return kBlack;
  if (code == kBlock) return kGreen;
  if (code == kEdge) return kYellow;
  if (code == kPassage) return kMaroon;
  if (IsSpecialCode(code)) return kWhite;
  if (code == kEntryMark) return kRed;
  *drawn = false;
  return kBlack;
}

void DrawQuickPreview(TMain& game, const LevelRecord& level) { DrawLevelPreview(game, level, 370, 228, 12); }

void DrawLabels(TMain& game, const LevelRecord& level) {
  Shadowed(game, 22, 22, 2, "------------------ Level Info ------------------", "Shotgun BT", 36, kYellow);
  Shadowed(game, 467, 717, 2, "Start", "Shotgun BT", 20, kRed);
  Shadowed(game, 22, 87, 2, "Adventure :", "Shotgun BT", 18, kGreen);
  struct Label {
    int Y;
    const char* Text;
  };
  static constexpr Label kLabels[] = {
      {126, "Level No. :"},          {156, "Level Title :"},        {186, "Level Type :"},
      {226, "Disaster Frequency :"}, {256, "Specials Frequency :"}, {296, "Next Elements :"},
      {336, "Start Speed :"},        {366, "Maximal Speed :"},      {406, "Lines To Increase Speed :"},
  };
  for (const Label& label : kLabels) Shadowed(game, 21, label.Y, 1, label.Text, "Shotgun BT", 14, kGreen);
  Shadowed(game, 21, 446, 1, level.LevelType == 0 ? "Lines To Finish :" : "Time To Finish :",
           "Shotgun BT", 14, kGreen);
  Shadowed(game, 22, 572, 2, "Level Specials :", "Shotgun BT", 18, kMagenta);
  Shadowed(game, 397, 186, 2, "Quick Level Preview :", "Shotgun BT", 18, kMagenta);
  Shadowed(game, 822, 112, 2, "Elements :", "Shotgun BT", 18, kMagenta);
}

void DrawValues(TMain& game, const LevelRecord& level) {
  const AdventureRecord& adventure = game.Adv.Adventure;
  auto value = [&game](int x, int y, std::string_view text) {
    Shadowed(game, x, y, 1, text, "Arial CE", 14, kWhite);
  };
  auto number = [&value](int x, int y, int32_t n) { value(x, y, std::to_string(n)); };
  auto frequency = [&value](int x, int y, uint8_t f) {
    if (f < std::size(kFrequencyWords)) value(x, y, kFrequencyWords[f]);
  };
  Shadowed(game, 197, 86, 1, adventure.Title, "Arial CE", 18, kWhite, kStyleBold);
  value(147, 126,
        std::to_string(game.Adv.CurrentLevel) + " of " + std::to_string(adventure.LastLevelIndex + 1));
  value(166, 156, level.Title);
  value(162, 186, level.LevelType == 0 ? "Action" : "Bonus");
  frequency(268, 226, level.DisasterFrequency);
  frequency(266, 256, level.SpecialsFrequency);
  number(209, 296, level.NextElements);
  number(179, 336, level.StartSpeed);
  number(203, 366, level.MaximalSpeed);
  // The loader stores "never" for a step of 0; the designer wrote 0.
  number(319, 406, level.LinesToIncreaseSpeed == kSpeedNeverRises ? 0 : level.LinesToIncreaseSpeed);
  if (level.LevelType == 0) {
    number(209, 446, level.LinesToFinish);
  } else {
    number(200, 446, level.TimeToFinish);
  }
}

void DrawLevelInfo(TMain& game) {
  const LevelRecord& level = PlayLevel(game);
  Bitmap& surface = game.M.DXDraw.Surface();
  StretchImage(game.M.DXImageList.Get("Main_Menu_Slick"), surface, game.M.DXDraw.ClientRect(), 0);
  game.M.DXDraw.GetCanvas().Brush.Clear = true;
  DrawLevelSpecials(game, level);
  DrawElementIcons(game, level);
  DrawQuickPreview(game, level);
  DrawLabels(game, level);
  DrawValues(game, level);
}

}  // namespace

void DrawLevelPreview(TMain& game, const LevelRecord& level, int left, int top, int cell) {
  Canvas& canvas = game.M.DXDraw.GetCanvas();
  canvas.Pen.Color = kSilver;
  canvas.Pen.Width = 3;
  canvas.Brush.Clear = true;
  canvas.Rectangle(left, top, left + kBoardSize * cell + 4, top + kBoardSize * cell + 4);
  canvas.Release();
  Bitmap& surface = game.M.DXDraw.Surface();
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      bool drawn = false;
      const Colour colour = PreviewColour(level.Board[x][y].Code, &drawn);
      if (!drawn) continue;
      const int cx = left + 2 + cell * (x - 1), cy = top + 2 + cell * (y - 1);
      FillRect(surface, Rect{cx, cy, cx + cell + 1, cy + cell + 1}, colour);
    }
  }
}

void SetUpLevel(TMain& game) {
  game.M.DXSpriteEngine.Clear();
  game.M.DXDraw.Fill(kBlack);
  ResetPlayState(game);
  DrawLevelInfo(game);
}

void DrawElementIcon(TMain& game, int kind, int x, int y) {
  if (kind < 1 || kind > kKindCount) return;
  const Icon& icon = kIcons[kind];
  Canvas& canvas = game.M.DXDraw.GetCanvas();
  canvas.Pen.Color = kind == 2 ? kWhite : kBlack;
  canvas.Pen.Width = 1;
  canvas.Brush.Color = icon.Color;
  canvas.Brush.Clear = false;
  for (int i = 0; i < icon.Count; ++i) {
    const IconRect& r = icon.Rects[i];
    canvas.Rectangle(x + r.Left, y + r.Top, x + r.Right, y + r.Bottom);
  }
  // Text drawn after the icons keeps its background.
  canvas.Brush.Clear = true;
  canvas.Release();
}

}  // namespace plumix
