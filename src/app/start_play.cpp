// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_play.h"

#include "adventure/colour_effects.h"
#include "adventure/specials.h"
#include "app/main_form.h"
#include "media/panels.h"
#include "settings/themes.h"

namespace plumix {

void StartPlay(TMain& game) {
  game.PlaySound("Main_Menu_Select");
  ColourEffect(game, "FadeOut", 10);
  game.Shell.FadeInPending = true;
  SettingsRecord& s = game.Settings;
  // Random choices of a level stay out of the options panel's boxes.
  if (s.RandomTile) s.TileChoice = static_cast<uint8_t>(game.Rng(game.Themes.TileCount()) + 1);
  if (s.RandomCube) s.CubeChoice = static_cast<uint8_t>(game.Rng(game.Themes.CubeCount()) + 1);
  if (s.RandomEdge) s.EdgeChoice = static_cast<uint8_t>(game.Rng(game.Themes.EdgeCount()) + 1);
  // A theme picture that cannot be loaded leaves the one before on the board;
  // the level is still played.
  LoadTile(game);
  LoadCubeTheme(game);
  LoadEdge(game);
  CreatePlaySprites(game);
  CoverNextElements(game, 0);
  game.Shell.ScreenState = kPlayScreen;
}

}  // namespace plumix
