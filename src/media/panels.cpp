// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/panels.h"

#include <algorithm>
#include <charconv>

#include "app/main_form.h"
#include "engine/board.h"
#include "media/draw.h"

namespace plumix {
namespace {

constexpr int kScoreX[6] = {917, 932, 947, 962, 977, 992};
constexpr int kCountdownX[2] = {50, 65};
constexpr int kLinesX[3] = {940, 955, 970};
constexpr int kTimeX[4] = {932, 947, 962, 977};
constexpr int kNoiseShownX = 8;
constexpr int kNoiseHiddenX = -200;
constexpr int kSumHiddenX = 1500;
constexpr int kSlotPitch = 112;
constexpr int kPreviewSlide = 110;
constexpr int kMaxGaugeSpeed = 16;

struct Point {
  int X, Y;
};
constexpr Point kGaugeCentre = {958, 207};
// The needle's end for speeds 0..16, from lower left over the top to lower right.
constexpr Point kGaugeEnds[kMaxGaugeSpeed + 1] = {
    {934, 231}, {929, 224}, {925, 214}, {926, 202}, {929, 194}, {935, 185},
    {942, 180}, {952, 175}, {960, 174}, {969, 175}, {977, 181}, {987, 186},
    {990, 195}, {993, 206}, {993, 215}, {990, 225}, {982, 230}};

// Writes the counter's digits without building a string on every frame.
template <size_t N>
void SetDigits(const std::array<SpriteRef<TDigit>, N>& digits, int32_t value) {
  char text[16];
  const int length = static_cast<int>(std::to_chars(text, text + sizeof text, std::max(0, value)).ptr - text);
  const int n = static_cast<int>(N);
  const int shown = std::min(length, n);
  for (int i = 0; i < n; ++i) {
    // Zeros pad on the left; a longer number keeps its leading digits.
    const int pad = n - shown;
    const int d = i < pad ? 0 : text[i - pad] - '0';
    if (TDigit* sprite = digits[i].Get()) sprite->SetDigit(d);
  }
}

template <size_t N>
void CreateDigits(TMain& game, std::array<SpriteRef<TDigit>, N>& digits, const int (&xs)[N], int y,
                  int32_t value) {
  const std::string text = CounterText(value, static_cast<int>(N));
  for (size_t i = 0; i < N; ++i) {
    digits[i] = game.M.DXSpriteEngine.Create<TDigit>(game.M.DXImageList, y, xs[i], text[i] - '0');
  }
}

SpriteRef<TBasicSprite> CreateLooping(TMain& game, double x, double y, double speed,
                                      std::string_view image) {
  return game.M.DXSpriteEngine.Create<TBasicSprite>(game.M.DXImageList, y, x, true, speed, image);
}

void DrawMessageLine(TMain& game, int y, const std::string& line, Colour colour) {
  if (!line.empty()) game.DrawText(920, y, line, "Arial CE", 8, colour, kStyleNormal);
}

}  // namespace

double PlayAnimationSpeed(int frameScale) {
  // No rate is known in the first second; the animations wait for one.
  return frameScale > 0 ? 100.0 / (4.0 * frameScale) : 0.0;
}

std::string CounterText(int32_t value, int digits) {
  std::string text = std::to_string(std::max(0, value));
  if (static_cast<int>(text.size()) > digits) text.resize(digits);
  return std::string(digits - text.size(), '0') + text;
}

void CreatePlaySprites(TMain& game) {
  PanelState& p = game.Panels;
  const LevelRecord& level = PlayLevel(game);
  const double speed = PlayAnimationSpeed(game.Shell.FrameScale);
  CreateDigits(game, p.ScoreDigits, kScoreX, 53, game.Adv.Score);
  CreateDigits(game, p.CountdownDigits, kCountdownX, 716, 0);
  p.LinesDigits = {};
  p.TimeDigits = {};
  if (level.LevelType == 0) {
    CreateDigits(game, p.LinesDigits, kLinesX, 112, game.Play.LinesLeft);
  } else if (level.LevelType == 1) {
    CreateDigits(game, p.TimeDigits, kTimeX, 112, game.Play.TimeLeft);
  }
  p.Seismograph = CreateLooping(game, 17, 631, speed, "Seizmograf_Animation");
  p.Explosion = CreateLooping(game, -200, -200, speed, "Explosion_Animation");
  p.Flame = CreateLooping(game, -100, -100, speed, "Flame_Animation");
  p.Storm = CreateLooping(game, -300, -100, speed, "Storm_Animation");
  p.Wind = CreateLooping(game, -300, 100, speed, "Wind_Animation");
  for (int k = 1; k <= kNoiseSlots; ++k) {
    p.Noise[k] = CreateLooping(game, kNoiseShownX, 41 + kSlotPitch * (k - 1), speed, "Sumenje_Animation");
    TBasicSprite* noise = p.Noise[k].Get();
    noise->AnimationPos = game.Rng(noise->Image->PatternCount());
  }
  // The reward badges wait out of sight: shown at x 912 they would claim
  // rewards the player has not earned; the bonus-mode panel brings each in.
  p.Sums[1] = CreateLooping(game, kSumHiddenX, 511, speed, "Sum_Plumix_Mode_One_Animation");
  p.Sums[2] = CreateLooping(game, kSumHiddenX, 559, speed, "Sum_Plumix_Mode_Two_Three_Animation");
  p.Sums[3] = CreateLooping(game, kSumHiddenX, 607, speed, "Sum_Plumix_Mode_Two_Three_Animation");
  p.Sums[4] = CreateLooping(game, kSumHiddenX, 655, speed, "Sum_Plumix_Mode_Four_Animation");
  PlaceNoiseSprites(game);
}

void SetPlayAnimationSpeed(TMain& game, double speed) {
  PanelState& p = game.Panels;
  auto set = [speed](const SpriteRef<TBasicSprite>& ref) {
    if (TBasicSprite* sprite = ref.Get()) sprite->AnimationSpeed = speed;
  };
  for (const auto* ref : {&p.Seismograph, &p.Explosion, &p.Flame, &p.Storm, &p.Wind}) set(*ref);
  for (int k = 1; k <= kNoiseSlots; ++k) set(p.Noise[k]);
  for (int k = 1; k <= 4; ++k) set(p.Sums[k]);
}

void ShowScore(TMain& game, int32_t value) {
  game.Adv.Score = value;
  SetDigits(game.Panels.ScoreDigits, value);
}

void ShowCountdown(TMain& game, int32_t value) { SetDigits(game.Panels.CountdownDigits, value); }

void ShowLinesLeft(TMain& game, int32_t value) {
  game.Play.LinesLeft = value;
  SetDigits(game.Panels.LinesDigits, value);
}

void ShowTimeLeft(TMain& game, int32_t value) {
  game.Play.TimeLeft = value;
  SetDigits(game.Panels.TimeDigits, value);
}

void DrawSpeedGauge(TMain& game) {
  const int speed = game.Play.Speed;
  if (speed > kMaxGaugeSpeed) return;
  Canvas& canvas = game.M.DXDraw.GetCanvas();
  canvas.Pen.Color = kWhite;
  canvas.Pen.Width = 2;
  canvas.MoveTo(kGaugeCentre.X, kGaugeCentre.Y);
  canvas.LineTo(kGaugeEnds[speed].X, kGaugeEnds[speed].Y);
  canvas.Release();
}

void DrawLeftSide(TMain& game) {
  const int32_t scroll = game.Play.PreviewScroll;
  if (scroll > kPreviewSlide) {
    DrawNextElements(game, -10, -kPreviewSlide);
    return;
  }
  DrawNextElements(game, -10, -scroll);
  Bitmap& surface = game.M.DXDraw.Surface();
  const ImageItem& separator = game.M.DXImageList.Get("Background_Left_Side_Separator");
  for (int y : {148, 260, 372, 484}) DrawImage(separator, surface, 0, y, 0);
  DrawImage(game.M.DXImageList.Get("Background_Left_Side_Separator_Down"), surface, 0, 595, 0);
}

void SetNoiseVisible(PanelState& panels, int slot, bool visible) {
  if (slot < 1 || slot > kNoiseSlots) return;
  if (TBasicSprite* noise = panels.Noise[slot].Get()) noise->X = visible ? kNoiseShownX : kNoiseHiddenX;
}

void PlaceNoiseSprites(TMain& game) {
  const int used = PlayLevel(game).NextElements;
  for (int k = 1; k <= kNoiseSlots; ++k) SetNoiseVisible(game.Panels, k, used < k);
}

void AddMessage(PanelState& panels, std::string_view line1, std::string_view line2,
                std::string_view line3, Colour colour) {
  panels.MessageScroll = 0;
  auto& slots = panels.MessageSlots;
  if (line1 == "Clear Message Handler") {
    // The colours stay; only the texts go.
    for (MessageSlot& slot : slots) {
      slot.Line1.clear();
      slot.Line2.clear();
      slot.Line3.clear();
    }
    return;
  }
  std::rotate(slots.begin(), slots.begin() + 1, slots.end());
  MessageSlot& newest = slots[kMessageSlots - 1];
  newest.Line1 = line1;
  newest.Line2 = line2;
  newest.Line3 = line3;
  newest.Color = colour;
}

void DrawMessages(TMain& game) {
  const PanelState& p = game.Panels;
  const auto& slots = p.MessageSlots;
  game.M.DXDraw.GetCanvas().Brush.Clear = true;
  const int s = p.MessageScroll;
  if (s > kMessageScrollFrames) {
    for (int i = 1; i <= 5; ++i) {
      const int y = 284 + 40 * (i - 1);
      DrawMessageLine(game, y, slots[i].Line1, slots[i].Color);
      DrawMessageLine(game, y + 11, slots[i].Line2, slots[i].Color);
      DrawMessageLine(game, y + 22, slots[i].Line3, slots[i].Color);
    }
    return;
  }
  // The oldest line by line leaves over the top edge, the newest comes in
  // line by line from the bottom.
  const MessageSlot& oldest = slots[0];
  if (s < 10) DrawMessageLine(game, 284 - s, oldest.Line1, oldest.Color);
  if (s < 20) DrawMessageLine(game, 295 - s, oldest.Line2, oldest.Color);
  if (s < 30) DrawMessageLine(game, 306 - s, oldest.Line3, oldest.Color);
  for (int i = 1; i <= 4; ++i) {
    const int y = 324 + 40 * (i - 1) - s;
    DrawMessageLine(game, y, slots[i].Line1, slots[i].Color);
    DrawMessageLine(game, y + 11, slots[i].Line2, slots[i].Color);
    DrawMessageLine(game, y + 22, slots[i].Line3, slots[i].Color);
  }
  const MessageSlot& newest = slots[5];
  if (s > 15) DrawMessageLine(game, 484 - s, newest.Line1, newest.Color);
  if (s > 25) DrawMessageLine(game, 495 - s, newest.Line2, newest.Color);
  if (s > 35) DrawMessageLine(game, 506 - s, newest.Line3, newest.Color);
}

}  // namespace plumix
