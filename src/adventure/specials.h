// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The collectible specials as the play engine calls them: placement after a
// new element, the effects of collected rows, the damage covers and the laser.
#include <cstdint>

namespace plumix {

class TMain;

// Special kinds 1..12 lie on the board as cell codes 5..16 and are collected
// as item codes 105..116.
enum SpecialKind : int {
  kCarrot = 1,
  kTablet,
  kGenieCaught,
  kRepair,
  kVirusDeletion,
  kLevelCompletedSpecial,
  kLaserBeam,
  kMagnifier,
  kBottle,
  kGenieReleased,
  kDamage,
  kVirus,
};
constexpr int kItemBase = 100;
constexpr int kMaxAlcohol = 5, kMaxDamage = 3, kMaxLaserBeams = 5;

// A kind the level enables (the level-completed special about five times
// rarer than the others); 0 when it enables none.
int PickSpecial(TMain& game);
// After every new element: may turn a settled block into a special.
void PlaceSpecial(TMain& game);
// After rows were removed: applies the item codes in the Cells of ClearedRows.
void ApplyCollectedSpecials(TMain& game);
// Damage 0 covers the next-element windows the level does not use; damage 1
// uncovers each used window with chance 1 in 5 and covers the others.
void CoverNextElements(TMain& game, int damage);
// The action key during play.
void FireLaser(TMain& game);
// Drawn in place of the falling element while a shot is under way; burns the
// beam's cells out of the board.
void DrawLaser(TMain& game);
// Every cell of this code, and its item code in ClearedRows, becomes a plain block.
void RetireSpecial(TMain& game, uint8_t code);

}  // namespace plumix
