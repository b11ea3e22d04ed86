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

// The rocket as a hot spark with a trail of embers fading below it.
void DrawRise(TMain& game, const RocketSlot& rocket) {
  if (rocket.Trigger <= 0) return;
  Bitmap& surface = game.M.DXDraw.Surface();
  const uint16_t trail = BurstLight(rocket.BurstKind);
  const uint16_t white = Rgb565(255, 250, 235);
  const double t = std::min(1.0, rocket.Counter / static_cast<double>(rocket.Trigger));
  constexpr int kTrail = 40;
  for (int k = kTrail; k >= 0; --k) {
    const double tk = t - k * 0.005;
    if (tk < 0) continue;
    double x, y;
    RisePoint(rocket, tk, x, y);
    const int alpha = 240 - k * 5;
    const int ix = static_cast<int>(x), iy = static_cast<int>(y);
    const uint16_t colour = k < 4 ? white : trail;
    for (int d = -1; d <= 1; ++d) {
      Spark(surface, ix + d, iy, colour, d == 0 ? alpha : alpha * 2 / 3);
      Spark(surface, ix + d, iy + 1, colour, d == 0 ? alpha : alpha * 2 / 3);
    }
    // Embers shed by the trail, flickering.
    if (k > 6 && (rocket.Counter + k) % 3 == 0) {
      Spark(surface, ix + ((k * 7) % 7) - 3, iy + 3, trail, alpha);
      Spark(surface, ix + ((k * 7) % 7) - 3, iy + 4, trail, alpha / 2);
    }
  }
  double x, y;
  RisePoint(rocket, t, x, y);
  const int hx = static_cast<int>(x), hy = static_cast<int>(y);
  // The head: a white-hot core in a coloured glow.
  for (int dy = -5; dy <= 5; ++dy) {
    for (int dx = -5; dx <= 5; ++dx) {
      const int d2 = dx * dx + dy * dy;
      if (d2 <= 4) {
        Spark(surface, hx + dx, hy + dy, white, 255);
      } else if (d2 <= 25) {
        Spark(surface, hx + dx, hy + dy, trail, 200 - 6 * d2);
      }
    }
  }
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
