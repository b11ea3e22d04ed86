// SPDX-License-Identifier: GPL-3.0-or-later
// The PLUMIX mode's panel and its fireworks. The rewards themselves are
// given by the line clearing, which launches the rockets here.
#include "adventure/plumix_mode.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/main_form.h"
#include "engine/lines.h"
#include "media/draw.h"

namespace plumix {
namespace {

struct MessageText {
  std::string_view Key, Line1, Line2, Line3;
  Colour Color;
};

constexpr MessageText kMessages[] = {
    {"1", "Fireworks", "rocket launched.", "", kGreen},
    {"2", "Two fireworks", "rockets launched.", "", kGreen},
    {"3", "Three fireworks", "rockets launched.", "", kGreen},
    {"4", "Four fireworks", "rockets launched.", "", kGreen},
    {"Start", "PLUMIX mode.", "Start the", "fireworks!", kAqua},
    {"Over", "PLUMIX completed.", "Enjoy the", "fireworks!", kAqua},
};

constexpr int kShowGroup = 89;
constexpr int kShowFirstSlot = 11;
constexpr int kRiseFrames = 147;       // kinds 1..12
constexpr int kCircleRiseFrames = 195;  // kinds 13..16, the circle bursts
constexpr int kBadgeX = 912;
constexpr int kBadgeHiddenX = 1500;

struct IconPlace {
  int X, Y;
};
// Rocket slots 1..10 as a pyramid: the one-line rocket on top, the
// four-line group at the bottom.
constexpr IconPlace kIconPlaces[11] = {
    {0, 0},     {948, 513}, {938, 562}, {958, 562}, {928, 610}, {948, 610},
    {968, 610}, {918, 658}, {938, 658}, {958, 658}, {978, 658}};

constexpr const char* kColours[4] = {"Red", "Yellow", "Green", "Blue"};
constexpr const char* kBurstSizes[4] = {"Large", "Medium", "Small", "Circle"};
constexpr const char* kIconShapes[4] = {"Big_%s_90", "Big_%s_65", "Big_%s_120", "Small_%s_90"};

// Kinds 1..16 run through the four colours within each of the four bursts.
int BurstSize(int kind) { return (std::clamp(kind, 1, 16) - 1) / 4; }
int BurstColour(int kind) { return (std::clamp(kind, 1, 16) - 1) % 4; }

std::string BurstImage(int kind) {
  return std::to_string(BurstColour(kind) + 1) + kBurstSizes[BurstSize(kind)] + "_Fireworks_Animation";
}

std::string IconImage(int kind) {
  std::string name = kIconShapes[BurstSize(kind)];
  return name.replace(name.find("%s"), 2, kColours[BurstColour(kind)]);
}

bool IsCircle(int kind) { return kind > 12; }

void PlayLaunchSound(TMain& game, int kind) {
  game.PlaySound(IsCircle(kind) ? "2Fireworks_Launch" : "1Fireworks_Launch");
}

constexpr int kScreenWidth = 1024, kScreenHeight = 768;

// A rocket leaves the ground: where it starts and where it will burst.
void Lift(PlumixState& plumix, int slot) {
  RocketSlot& rocket = plumix.Rockets[slot];
  rocket.Counter = 0;
  Random& sparks = plumix.Sparks;
  rocket.TargetX = sparks(600) + 210;
  rocket.TargetY = sparks(330) + 90;
  rocket.RiseX = std::clamp(rocket.TargetX + sparks(161) - 80, 20, kScreenWidth - 20);
}

uint16_t BurstLight(int kind) {
  static constexpr uint16_t kLights[4] = {Rgb565(255, 120, 90), Rgb565(255, 230, 110), Rgb565(130, 255, 140),
                                          Rgb565(130, 180, 255)};
  return kLights[BurstColour(kind)];
}

void Spark(Bitmap& surface, int x, int y, uint16_t colour, int alpha) {
  if (x < 0 || y < 0 || x >= surface.Width || y >= surface.Height) return;
  uint16_t& p = surface.Row(y)[x];
  p = Blend565(p, colour, alpha);
}

// Where a climbing rocket is after the given share of its rise: fast off the
// ground, slowing near the top, with a little sway.
void RisePoint(const RocketSlot& rocket, double t, double& x, double& y) {
  const double eased = 1.0 - (1.0 - t) * (1.0 - t);
  x = rocket.RiseX + (rocket.TargetX - rocket.RiseX) * eased + 3.0 * std::sin(t * 9.0 + rocket.TargetY);
  y = kScreenHeight + (rocket.TargetY - kScreenHeight) * eased;
}

// A soft round dot of light: full alpha inside, fading over its last pixel.
void Dot(Bitmap& surface, double x, double y, double radius, uint16_t colour, int alpha) {
  const int reach = static_cast<int>(std::ceil(radius + 0.5));
  const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  for (int py = iy - reach; py <= iy + reach; ++py) {
    for (int px = ix - reach; px <= ix + reach; ++px) {
      const double d = std::hypot(px + 0.5 - x, py + 0.5 - y);
      const double cover = std::clamp(radius + 0.5 - d, 0.0, 1.0);
      if (cover > 0) Spark(surface, px, py, colour, static_cast<int>(alpha * cover));
    }
  }
}

// The rocket as a hot spark climbing on a long trail that cools from white
// through the burst's colour to dark embers, wide at the spark and thin at
// its end, with embers falling off it. Its length follows the climb: long
// while the rocket is fast, and still long enough to see near the top.
void DrawRise(TMain& game, const RocketSlot& rocket) {
  if (rocket.Trigger <= 0) return;
  Bitmap& surface = game.M.DXDraw.Surface();
  const uint16_t trail = BurstLight(rocket.BurstKind);
  const uint16_t hot = Rgb565(255, 236, 180);
  const uint16_t white = Rgb565(255, 252, 240);
  const double t = std::min(1.0, rocket.Counter / static_cast<double>(rocket.Trigger));
  const double tail = std::max(0.0, t - (0.12 + 0.2 * t));
  double hx, hy, ex, ey;
  RisePoint(rocket, t, hx, hy);
  RisePoint(rocket, tail, ex, ey);
  // Steps of about a pixel along the path, so that the trail is unbroken.
  const int steps = std::clamp(static_cast<int>(std::hypot(hx - ex, hy - ey)), 8, 400);
  for (int k = 0; k <= steps; ++k) {
    const double u = k / static_cast<double>(steps);  // 0 at the trail's end, 1 at the spark
    double x, y;
    RisePoint(rocket, tail + (t - tail) * u, x, y);
    const int warmth = static_cast<int>(255 * std::min(1.0, u * 1.5));
    const uint16_t colour = u > 0.8 ? hot : Blend565(Rgb565(120, 50, 20), trail, warmth);
    Dot(surface, x, y, 0.7 + 1.1 * u, colour, static_cast<int>(70 + 150 * u));
  }
  // Embers shed by the trail: they drift down and flicker out.
  for (int k = 0; k < 14; ++k) {
    const uint32_t seed = k * 2654435761u + static_cast<uint32_t>(rocket.TargetX) * 40503u;
    if ((static_cast<uint32_t>(rocket.Counter) + seed / 1000) % 4 == 0) continue;
    const double u = (seed % 1000) / 1000.0;
    const double drift = static_cast<int>((seed >> 12) % 9) - 4;
    double x, y;
    RisePoint(rocket, tail + (t - tail) * u, x, y);
    Spark(surface, static_cast<int>(x + drift * (1 - u)), static_cast<int>(y + (1 - u) * 10), trail,
          static_cast<int>(80 + 150 * u));
  }
  // The spark: a white-hot core five pixels across in a glow of its colour.
  Dot(surface, hx, hy, 6.5, trail, 40);
  Dot(surface, hx, hy, 4.5, trail, 90);
  Dot(surface, hx, hy, 3.6, hot, 190);
  Dot(surface, hx, hy, 2.4, white, 255);
}

// The speed drawn for a burst (0.1 to 1.2 patterns a frame) would show a
// burst for a fifth of a second at today's frame rates, too short to see.
// It chooses instead how long the burst lasts, from brisk to slow, in
// seconds of the measured frame rate, so that every burst is seen whole.
constexpr double kBriskBurst = 1.1, kSlowBurst = 2.0;

double BurstSpeed(double drawn, int patterns, int frameScale) {
  const double framesPerSecond = frameScale > 0 ? frameScale / 1.5 : 60.0;
  const double brisk = std::clamp((drawn - 0.1) / 1.1, 0.0, 1.0);
  const double seconds = kSlowBurst + (kBriskBurst - kSlowBurst) * brisk;
  return std::max(1, patterns - 1) / (seconds * framesPerSecond);
}

void Burst(TMain& game, int slot) {
  RocketSlot& rocket = game.Plumix.Rockets[slot];
  // The game's own draws for a burst stay as they always were; the picture
  // bursts where its rocket climbed to.
  game.Rng(700);
  game.Rng(750);
  double speed = (game.Rng(10) + 1) / 10.0;
  // All but the first few rockets burst faster, so that a show does not drag.
  if (slot > 4) speed += 0.2;
  rocket.Sprite = game.M.DXSpriteEngine.Create<TFireworksSprite>(
      game.M.DXImageListPlumixModePictures, rocket.TargetY, rocket.TargetX, false, speed,
      BurstImage(rocket.BurstKind));
  if (TFireworksSprite* sprite = rocket.Sprite.Get()) {
    sprite->X -= sprite->Width / 2;
    sprite->Y -= sprite->Height / 2;
    sprite->AnimationSpeed = BurstSpeed(speed, sprite->AnimationLength, game.Shell.FrameScale);
  }
  const int kind = rocket.BurstKind;
  if (IsCircle(kind)) {
    game.PlaySound("1Fireworks_Launch");
  } else {
    game.PlaySound(std::to_string(BurstSize(kind) + 1) + "Fireworks_Bang");
  }
}

void PlaceBadges(TMain& game) {
  const PlumixState& plumix = game.Plumix;
  for (int k = 1; k <= 4; ++k) {
    if (TBasicSprite* badge = game.Panels.Sums[k].Get()) badge->X = plumix.Earned[k] ? kBadgeX : kBadgeHiddenX;
  }
}

}  // namespace

void ResetRockets(PlumixState& plumix, Random& rng) {
  for (int i = 1; i <= kRocketSlots; ++i) {
    RocketSlot& slot = plumix.Rockets[i];
    slot.BurstKind = static_cast<uint8_t>(rng(16) + 1);
    slot.Counter = -1;
    slot.Delay = -1;
  }
}

void PlumixMessage(TMain& game, std::string_view key) {
  for (const MessageText& m : kMessages) {
    if (m.Key == key) AddMessage(game.Panels, m.Line1, m.Line2, m.Line3, m.Color);
  }
}

void LaunchRockets(TMain& game, int group) {
  auto& rockets = game.Plumix.Rockets;
  for (int i = 1; i <= kRocketSlots; ++i) {
    rockets[i].Counter = -1;
    rockets[i].Delay = -1;
  }
  static constexpr int kFirstSlot[5] = {0, 1, 2, 4, 7};
  const bool show = group == kShowGroup;
  if (!show && (group < 1 || group > 4)) return;
  const int first = show ? kShowFirstSlot : kFirstSlot[group];
  const int count = show ? kShowGroup : group;
  Lift(game.Plumix, first);
  PlayLaunchSound(game, rockets[first].BurstKind);
  for (int i = first; i < first + count; ++i) {
    RocketSlot& rocket = rockets[i];
    rocket.Trigger = IsCircle(rocket.BurstKind) ? kCircleRiseFrames : kRiseFrames;
    rocket.Delay = show ? game.Rng(kRiseFrames) / 10 : game.Rng(kRiseFrames);
  }
}

void UpdateRockets(TMain& game) {
  auto& rockets = game.Plumix.Rockets;
  for (int i = 1; i <= kRocketSlots; ++i) {
    RocketSlot& rocket = rockets[i];
    if (rocket.Counter >= 0 && rocket.Counter < rocket.Trigger) {
      // Each rocket of a group sets off the next one when it has risen far enough.
      if (i >= 2 && i < kRocketSlots && rocket.Counter == rockets[i + 1].Delay) {
        Lift(game.Plumix, i + 1);
        // Only every fifth launch is heard, or a show would be one long hiss.
        if (i % 5 == 0) PlayLaunchSound(game, rockets[i + 1].BurstKind);
      }
      ++rocket.Counter;
      DrawRise(game, rocket);
    } else if (rocket.Counter >= 0 && rocket.Counter == rocket.Trigger) {
      Burst(game, i);
      rocket.Counter = -1;
      rocket.Trigger = 0;
      rocket.Delay = 0;
    }
  }
}

void DrawPlumixPanel(TMain& game) {
  PlumixState& plumix = game.Plumix;
  // The badges leave with the mode too, not only when a new cycle starts.
  PlaceBadges(game);
  if (!plumix.PlumixMode) return;
  Bitmap& surface = game.M.DXDraw.Surface();
  DrawImage(game.M.DXImageList.Get("Text_Plumix_Mode_Green"), surface, 914, 492, 0);
  ImageList& pictures = game.M.DXImageListPlumixModePictures;
  for (int i = 1; i <= 10; ++i) {
    DrawImage(pictures.Get(IconImage(plumix.Rockets[i].BurstKind)), surface, kIconPlaces[i].X,
              kIconPlaces[i].Y, 0);
  }
  if (!(plumix.Earned[1] && plumix.Earned[2] && plumix.Earned[3] && plumix.Earned[4])) return;
  plumix.Earned = {};
  PlumixMessage(game, "Over");
  AddScore(game, 50 * game.Play.LinesCleared);
  plumix.PlumixMode = false;
  LaunchRockets(game, kShowGroup);
}

}  // namespace plumix
