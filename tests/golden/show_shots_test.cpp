// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the PLUMIX show and of the entry gate to judge them by eye,
// headless: PLUMIX_SHOW_SHOTS names the folder they go to, as in
//   PLUMIX_SHOW_SHOTS=/tmp/show build/tests/plumix_tests --gtest_filter=Screenshots.Fireworks*
// Each burst form is shot at its first, middle and late pattern; the console
// tells how many frames each burst stayed on screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "adventure/plumix_mode.h"
#include "app/main_form.h"
#include "settings/themes.h"
#include "support/harness.h"

namespace plumix {
namespace {

using testing::Harness;

TEST(Screenshots, FireworksAndEntryGate) {
  const char* dir = std::getenv("PLUMIX_SHOW_SHOTS");
  if (!dir) GTEST_SKIP() << "PLUMIX_SHOW_SHOTS names no folder";
  std::filesystem::create_directories(dir);
  auto shot = [&](Harness& h, const std::string& name) {
    return h.Game().M.DXDraw.SavePresentedPng((std::filesystem::path(dir) / (name + ".png")).string());
  };
  Harness h;
  h.WarmUp();
  TMain& game = h.Game();
  game.Settings.EdgeChoice = 4;  // the neon frame
  ASSERT_TRUE(LoadEdge(game));
  h.StartLevel(testing::MakeTestAdventure(), 1);
  h.RunFrames(240);
  EXPECT_TRUE(shot(h, "gate_neon"));
  // The gate in every edge theme, on the plain board and on each tiled one.
  for (int edge = 1; edge <= game.Themes.EdgeCount(); ++edge) {
    for (int tile = 0; tile <= 5; ++tile) {
      game.Settings.EdgeChoice = static_cast<uint8_t>(edge);
      game.Settings.TiledBackground = tile > 0;
      game.Settings.TileChoice = static_cast<uint8_t>(std::max(tile, 1));
      ASSERT_TRUE(LoadEdge(game) && LoadTile(game));
      h.RunFrames(1);
      EXPECT_TRUE(shot(h, "gate_edge" + std::to_string(edge) + "_tile" + std::to_string(tile)));
    }
  }
  game.Settings.EdgeChoice = 4;
  game.Settings.TiledBackground = false;
  ASSERT_TRUE(LoadEdge(game));
  // One rocket of each burst form in turn, watched from launch to its end.
  for (int kind : {1, 6, 11, 16}) {
    RocketSlot& rocket = game.Plumix.Rockets[1];
    rocket.BurstKind = static_cast<uint8_t>(kind);
    LaunchRockets(game, 1);
    int frame = 0;
    while (rocket.Counter >= 0) {
      h.RunFrames(1);
      if (++frame == 60 && kind == 1) {
        EXPECT_TRUE(shot(h, "rocket_climb"));
      }
    }
    const TFireworksSprite* burst = rocket.Sprite.Get();
    ASSERT_NE(burst, nullptr);
    const std::string form = std::to_string(kind);
    int lived = 0;
    bool mid = false, late = false;
    EXPECT_TRUE(shot(h, "burst" + form + "_first"));
    std::printf("kind %d at (%d, %d) speed %.3f patterns %d\n", kind, rocket.TargetX, rocket.TargetY,
                burst->AnimationSpeed, burst->AnimationLength);
    while ((burst = rocket.Sprite.Get()) != nullptr) {
      const double share = burst->AnimationPos / (burst->AnimationLength - 1);
      if (!mid && share >= 0.45) mid = shot(h, "burst" + form + "_mid");
      if (!late && share >= 0.8) late = shot(h, "burst" + form + "_late");
      h.RunFrames(1);
      ++lived;
    }
    std::printf("kind %d lived %d frames\n", kind, lived);
  }
  LaunchRockets(game, 89);
  h.RunFrames(150);
  EXPECT_TRUE(shot(h, "show"));
  h.RunFrames(250);
  EXPECT_TRUE(shot(h, "show_later"));
}

}  // namespace
}  // namespace plumix
