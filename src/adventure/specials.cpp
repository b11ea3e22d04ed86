// SPDX-License-Identifier: GPL-3.0-or-later
// The specials: which one appears and where, what collecting each kind does
// to the special states, the damage covers, and the laser gun.
#include "adventure/specials.h"

#include <algorithm>
#include <string>
#include <vector>

#include "adventure/colour_effects.h"
#include "app/main_form.h"
#include "engine/board.h"
#include "engine/lines.h"
#include "media/draw.h"
#include "media/panels.h"

namespace plumix {
namespace {

constexpr int kLaserFadeStep = 10;
// The draw of a kind repeats until it hits an enabled one; with one kind
// enabled of twelve, this many rounds all missing never happens in practice.
constexpr int kMaxPickRounds = 10000;

int SpecialCellCode(int kind) { return kind + kFirstSpecial - 1; }

// Play ticks between placements by SpecialsFrequency; anything above High is High.
int PlacementThreshold(uint8_t frequency) {
  switch (frequency) {
    case 1: return 30;
    case 2: return 20;
    default: return 10;
  }
}

bool IsCandidate(uint8_t code) { return code == kBlock || IsSpecialCode(code); }

// A special is placed only where it would change something.
bool WouldChange(const SpecialsState& s, int kind) {
  switch (kind) {
    case kCarrot: return !s.CarrotActive;
    case kMagnifier: return !s.MagnifierActive;
    case kTablet: return s.AlcoholLevel > 0;
    case kBottle: return s.AlcoholLevel < kMaxAlcohol;
    case kGenieCaught: return !s.GenieCaught;
    case kGenieReleased: return !s.GenieReleased;
    case kRepair: return s.DamageLevel > 0;
    case kDamage: return s.DamageLevel < kMaxDamage;
    case kVirusDeletion: return !s.VirusDeleted;
    case kVirus: return !s.VirusPresent;
    case kLevelCompletedSpecial: return !s.LevelCompletedCollected;
    case kLaserBeam: return s.LaserBeams < kMaxLaserBeams;
    default: return false;
  }
}

void Say(TMain& game, std::string_view line1, std::string_view line2, std::string_view line3,
         Colour colour) {
  AddMessage(game.Panels, line1, line2, line3, colour);
}

void UndoTopDamage(TMain& game) {
  SpecialsState& s = game.Specials;
  switch (s.DamageLevel) {
    case 1: CoverNextElements(game, 0); break;
    case 2:
      // MirrorBoard turns BoardMirrored back off.
      if (s.BoardMirrored) MirrorBoard(game);
      break;
    case 3: ColourEffect(game, "Default", 0); break;
    default: break;
  }
}

// Returns the cell code to retire after the effect, 0 for none.
int ApplyItem(TMain& game, int kind) {
  SpecialsState& s = game.Specials;
  switch (kind) {
    case kCarrot:
      s.CarrotActive = true;
      s.MagnifierActive = false;
      Say(game, "", "Carrot collected.", "", kGreen);
      return SpecialCellCode(kind);
    case kMagnifier:
      s.MagnifierActive = true;
      s.CarrotActive = false;
      Say(game, "Magnifying", "glass", "collected.", kRed);
      return SpecialCellCode(kind);
    case kTablet: {
      s.AlcoholLevel = std::max(0, s.AlcoholLevel - 1);
      Say(game, "Tablet collected.", "Alcohol level",
          "down to " + std::to_string(s.AlcoholLevel) + ".0.", kGreen);
      return s.AlcoholLevel == 0 ? SpecialCellCode(kind) : 0;
    }
    case kBottle: {
      s.AlcoholLevel = std::min(kMaxAlcohol, s.AlcoholLevel + 1);
      const bool full = s.AlcoholLevel == kMaxAlcohol;
      Say(game, full ? "Five bottles!" : "Bottle of wine.", "Alcohol level",
          "up to " + std::to_string(s.AlcoholLevel) + ".0.", kRed);
      return full ? SpecialCellCode(kind) : 0;
    }
    case kGenieCaught:
      s.GenieCaught = true;
      s.GenieReleased = false;
      Say(game, "", "Genie catched.", "", kGreen);
      return SpecialCellCode(kind);
    case kGenieReleased:
      s.GenieReleased = true;
      s.GenieCaught = false;
      Say(game, "", "Genie released.", "", kRed);
      return SpecialCellCode(kind);
    case kRepair:
      if (s.DamageLevel > 0) {
        UndoTopDamage(game);
        --s.DamageLevel;
      }
      if (s.DamageLevel == 0) {
        Say(game, "Damage decreas.", "All damage", "fixed.", kGreen);
        return SpecialCellCode(kind);
      }
      Say(game, "Damage decreas.", "Damage level : " + std::to_string(s.DamageLevel), "", kGreen);
      return 0;
    case kDamage:
      s.DamageLevel = std::min(kMaxDamage, s.DamageLevel + 1);
      if (s.DamageLevel == kMaxDamage) {
        Say(game, "Damage increas.", "All systems", "need repair!", kRed);
        return SpecialCellCode(kind);
      }
      Say(game, "Damage increas.", "Damage level : " + std::to_string(s.DamageLevel), "", kRed);
      return 0;
    case kVirusDeletion:
      s.VirusDeleted = true;
      s.VirusPresent = false;
      Say(game, "Self-destructive", "virus deleted", "from the system.", kGreen);
      return SpecialCellCode(kind);
    case kVirus:
      s.VirusPresent = true;
      s.VirusDeleted = false;
      Say(game, "Self-destructive", "virus detected", "on the system.", kRed);
      return SpecialCellCode(kind);
    case kLevelCompletedSpecial:
      s.LevelCompletedCollected = true;
      Say(game, "", "Level completed.", "", kGreen);
      return SpecialCellCode(kind);
    case kLaserBeam:
      s.LaserBeams = std::min(kMaxLaserBeams, s.LaserBeams + 1);
      if (s.LaserBeams == kMaxLaserBeams) {
        Say(game, "5 Laser beams", "collected. Laser", "gun is full.", kGreen);
        return SpecialCellCode(kind);
      }
      Say(game, "Laser beam. (" + std::to_string(s.LaserBeams) + "/5)", "Fire laser",
          "with action key.", kGreen);
      return 0;
    default: return 0;  // item codes 117 and 118 do nothing
  }
}

// Board columns of the falling element's occupied box columns.
std::vector<int> BeamColumns(const ElementRecord& e) {
  std::vector<int> columns;
  for (int c = 0; c < 4; ++c) {
    bool occupied = false;
    for (int r = 0; r < 4; ++r) occupied = occupied || e.Occupied(c, r);
    if (occupied && InGrid(e.X + c, 1)) columns.push_back(e.X + c);
  }
  return columns;
}

}  // namespace

int PickSpecial(TMain& game) {
  const LevelRecord& level = PlayLevel(game);
  int first = 0;
  for (int k = kSpecialKinds; k >= 1; --k) {
    if (level.Specials[k] != 0) first = k;
  }
  if (first == 0) return 0;
  for (int round = 0; round < kMaxPickRounds; ++round) {
    int k = game.Rng(kSpecialKinds) + 1;
    if (k == kLevelCompletedSpecial && game.Rng(5) > 0) k = game.Rng(kSpecialKinds) + 1;
    if (level.Specials[k] != 0) return k;
  }
  return first;
}

void PlaceSpecial(TMain& game) {
  LevelRecord& level = PlayLevel(game);
  SpecialsState& s = game.Specials;
  if (level.SpecialsFrequency == 0) return;
  if (s.SpecialsTicks < PlacementThreshold(level.SpecialsFrequency)) return;
  s.SpecialsTicks = 0;
  const int kind = PickSpecial(game);
  if (kind == 0 || !WouldChange(s, kind)) return;
  // The cells a special may replace, in the order the random search would scan.
  std::vector<Cell*> candidates;
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      if (IsCandidate(level.Board[x][y].Code)) candidates.push_back(&level.Board[x][y]);
    }
  }
  if (candidates.empty()) return;
  // One draw among the candidates: the same even chance as drawing cells until one fits.
  Cell& cell = *candidates[game.Rng(static_cast<int>(candidates.size()))];
  cell.Code = static_cast<uint8_t>(SpecialCellCode(kind));
  game.PlaySound("Collect_Letter");
}

void ApplyCollectedSpecials(TMain& game) {
  for (uint8_t& size : game.Specials.CellSizes) size = static_cast<uint8_t>(game.Rng(20) + 15);
  const auto& cells = game.Play.ClearedRows.Cells;
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int slot = 1; slot <= kClearSlots; ++slot) {
      const int item = cells[x][slot];
      if (item <= kItemBase) continue;
      if (item - kItemBase < kFirstSpecial + kSpecialKinds) ++game.Specials.Collected;
      const int retire = ApplyItem(game, item - kItemBase - kFirstSpecial + 1);
      if (retire != 0) RetireSpecial(game, static_cast<uint8_t>(retire));
    }
  }
}

void CoverNextElements(TMain& game, int damage) {
  const int used = PlayLevel(game).NextElements;
  if (damage == 0) {
    for (int w = 1; w <= kNoiseSlots; ++w) SetNoiseVisible(game.Panels, w, used < w);
    return;
  }
  if (damage != 1) return;
  bool uncovered = false;
  // Only the windows that show coming elements are damaged.
  for (int w = 1; w <= QueuedCount(PlayLevel(game)); ++w) {
    const bool away = game.Rng(5) == 0;
    SetNoiseVisible(game.Panels, w, !away);
    uncovered = uncovered || away;
  }
  if (uncovered) game.PlaySound("Next_Elements_Damage");
}

void FireLaser(TMain& game) {
  SpecialsState& s = game.Specials;
  if (s.LaserFiring) return;
  if (s.LaserBeams <= 0) {
    game.PlaySound("Laser_Empty");
    Say(game, "Laser is empty.", "Collect laser", "beam(s) first.", kRed);
    return;
  }
  game.PlaySound("Laser_Beam");
  --s.LaserBeams;
  Say(game, "Laser beam fired.", "You have " + std::to_string(s.LaserBeams) + " of 5.",
      "beams left.", kGreen);
  s.LaserFiring = true;
  s.LaserFrames = 0;
}

void DrawLaser(TMain& game) {
  BoardGrid& board = PlayLevel(game).Board;
  const ElementRecord& e = game.Play.ElementQueue[0];
  const ImageItem& beam = game.M.DXImageList.Get("V_Laser");
  Bitmap& surface = game.M.DXDraw.Surface();
  const int alpha = 255 - kLaserFadeStep * game.Specials.LaserFrames;
  auto burn = [&](int x, int y) {
    if (!InGrid(x, y) || board[x][y].Code == kEdge) return false;
    board[x][y].Code = kEmpty;
    DrawImageWavedAlpha(beam, surface, kCellSize * x + kBoardOriginX, kCellSize * y + kBoardOriginY,
                        kCellSize, kCellSize, 0, 0, 0, 0, alpha);
    return true;
  };
  for (const int x : BeamColumns(e)) {
    for (int y = e.Y; burn(x, y); --y) {
    }
    for (int y = e.Y + 1; burn(x, y); ++y) {
    }
  }
}

void RetireSpecial(TMain& game, uint8_t code) {
  BoardGrid& board = PlayLevel(game).Board;
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      if (board[x][y].Code == code) board[x][y].Code = kBlock;
    }
  }
  for (auto& column : game.Play.ClearedRows.Cells) {
    for (uint8_t& item : column) {
      if (item == code + kItemBase) item = kBlock;
    }
  }
}

}  // namespace plumix
