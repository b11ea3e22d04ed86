// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "adventure/specials.h"
#include "engine/board.h"
#include "media/draw.h"
#include "settings/key_names.h"
#include "support/harness.h"
#include "support/probes.h"

namespace plumix {
namespace {

using testing::Harness;
using testing::CountSounds;
using testing::MakeTestAdventure;

class SpecialsTest : public ::testing::Test {
 protected:
  void SetUp() override { h.StartLevel(MakeTestAdventure(), 1); }
  TMain& game() { return h.Game(); }
  SpecialsState& s() { return game().Specials; }
  BoardGrid& board() { return PlayLevel(game()).Board; }
  const MessageSlot& newest() { return game().Panels.MessageSlots[5]; }
  // Non-black pixels of a w x h area at (dx, dy) from the corner of the
  // falling element's cell (kind 8 has one, in box column 1).
  int Lit(int dx, int dy, int w, int h0) {
    int n = 0;
    const ElementRecord& e = game().Play.ElementQueue[0];
    for (int y = 0; y < h0; ++y) {
      for (int x = 0; x < w; ++x) n += h.SurfacePixel((e.X + 1) * 25 + 112 + dx + x, e.Y * 25 - 15 + dy + y) != 0;
    }
    return n;
  }
  void DrawShapeAt(int32_t frame) {
    game().Shell.FrameCounter = frame;
    FillBitmap(game().M.DXDraw.Surface(), kBlack);
    DrawPlayfield(game(), kBoardOriginX, kBoardOriginY, "Shape");
  }
  Harness h;
};

// The special states as one text: carrot, magnifier, genie caught and released,
// virus deleted and present (upper case on), then alcohol, damage, laser, completed, mirrored.
std::string Summary(const SpecialsState& s) {
  std::string t;
  for (auto [on, c] : {std::pair{s.CarrotActive, 'c'}, {s.MagnifierActive, 'm'}, {s.GenieCaught, 'g'},
                       {s.GenieReleased, 'r'}, {s.VirusDeleted, 'd'}, {s.VirusPresent, 'v'}}) {
    t += on ? char(c - 32) : c;
  }
  return t + " " + std::to_string(s.AlcoholLevel) + std::to_string(s.DamageLevel) +
         std::to_string(s.LaserBeams) + (s.LevelCompletedCollected ? "L" : "-") + (s.BoardMirrored ? "M" : "-");
}

struct KindCase {
  int Kind, Count;  // specials of the kind in the cleared row
  std::function<void(SpecialsState&)> Before;
  std::string After, Message;
  Colour Color;
  bool Retires;
};

TEST_F(SpecialsTest, EveryKindChangesItsStateSaysSoAndRetiresWhereDue) {
  const KindCase cases[] = {
      {kCarrot, 2, [](auto& s) { s.CarrotActive = false, s.MagnifierActive = true; }, "CmGrDv 000--", "/Carrot collected./", kGreen, true},
      {kMagnifier, 1, [](auto&) {}, "cMGrDv 000--", "Magnifying/glass/collected.", kRed, true},
      {kTablet, 2, [](auto& s) { s.AlcoholLevel = 3; }, "CmGrDv 100--", "Tablet collected./Alcohol level/down to 1.0.", kGreen, false},
      {kTablet, 2, [](auto& s) { s.AlcoholLevel = 1; }, "CmGrDv 000--", "Tablet collected./Alcohol level/down to 0.0.", kGreen, true},
      {kBottle, 2, [](auto& s) { s.AlcoholLevel = 2; }, "CmGrDv 400--", "Bottle of wine./Alcohol level/up to 4.0.", kRed, false},
      {kBottle, 2, [](auto& s) { s.AlcoholLevel = 4; }, "CmGrDv 500--", "Five bottles!/Alcohol level/up to 5.0.", kRed, true},
      {kGenieCaught, 1, [](auto& s) { s.GenieCaught = false, s.GenieReleased = true; }, "CmGrDv 000--", "/Genie catched./", kGreen, true},
      {kGenieReleased, 1, [](auto&) {}, "CmgRDv 000--", "/Genie released./", kRed, true},
      {kRepair, 1, [](auto& s) { s.DamageLevel = 2; }, "CmGrDv 010--", "Damage decreas./Damage level : 1/", kGreen, false},
      {kRepair, 3, [](auto& s) { s.DamageLevel = 3, s.NegativeColours = s.BoardMirrored = true; }, "CmGrDv 000--",
       "Damage decreas./All damage/fixed.", kGreen, true},
      {kDamage, 2, [](auto&) {}, "CmGrDv 020--", "Damage increas./Damage level : 2/", kRed, false},
      {kDamage, 2, [](auto& s) { s.DamageLevel = 2; }, "CmGrDv 030--", "Damage increas./All systems/need repair!", kRed, true},
      {kVirusDeletion, 1, [](auto& s) { s.VirusDeleted = false, s.VirusPresent = true; }, "CmGrDv 000--",
       "Self-destructive/virus deleted/from the system.", kGreen, true},
      {kVirus, 1, [](auto&) {}, "CmGrdV 000--", "Self-destructive/virus detected/on the system.", kRed, true},
      {kLevelCompletedSpecial, 1, [](auto&) {}, "CmGrDv 000L-", "/Level completed./", kGreen, true},
      {kLaserBeam, 2, [](auto& s) { s.LaserBeams = 1; }, "CmGrDv 003--", "Laser beam. (3/5)/Fire laser/with action key.", kGreen, false},
      {kLaserBeam, 2, [](auto& s) { s.LaserBeams = 5; }, "CmGrDv 005--", "5 Laser beams/collected. Laser/gun is full.", kGreen, true},
  };
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.Message);
    s() = SpecialsState{};
    c.Before(s());
    const uint8_t code = static_cast<uint8_t>(c.Kind + 4);
    // A pair the repair's mirror maps onto each other.
    board()[10][10] = board()[21][10] = Cell{code, 3};
    ClearedRowsRecord& cleared = game().Play.ClearedRows;
    cleared = {};
    for (int i = 0; i < c.Count; ++i) cleared.Cells[5 + i][1 + i] = static_cast<uint8_t>(code + 100);
    ApplyCollectedSpecials(game());
    EXPECT_EQ(Summary(s()), c.After);
    EXPECT_FALSE(s().NegativeColours);
    EXPECT_EQ(newest().Line1 + "/" + newest().Line2 + "/" + newest().Line3, c.Message);
    EXPECT_EQ(newest().Color, c.Color);
    const uint8_t left = c.Retires ? uint8_t{kBlock} : code;
    EXPECT_EQ(board()[10][10], (Cell{left, 3})) << "the one on the board";
    // A retiring kind leaves its later items as plain blocks.
    if (c.Count > 1) {
      EXPECT_EQ(cleared.Cells[6][2], c.Retires ? int{kBlock} : code + 100);
    }
    for (uint8_t size : s().CellSizes) ASSERT_TRUE(size >= 15 && size <= 34) << int(size);
  }
}

TEST_F(SpecialsTest, PlacementWaitsForItsTicksAndOnlyPlacesWhatWouldChangeSomething) {
  LevelRecord& level = PlayLevel(game());
  level.Specials[kLaserBeam] = 1;
  // True when the board's only settled cell became a laser special.
  auto placed = [&](int ticks) {
    board()[7][29] = Cell{kBlock, 4};
    s().SpecialsTicks = ticks;
    PlaceSpecial(game());
    return board()[7][29] == Cell{11, 4};
  };
  for (const auto& [frequency, threshold] : {std::pair{1, 30}, {2, 20}, {3, 10}, {9, 10}}) {
    level.SpecialsFrequency = static_cast<uint8_t>(frequency);
    EXPECT_FALSE(placed(threshold - 1)) << "frequency " << frequency;
    EXPECT_TRUE(placed(threshold)) << "frequency " << frequency;
    EXPECT_EQ(s().SpecialsTicks, 0);
  }
  s().LaserBeams = 5;
  EXPECT_FALSE(placed(10)) << "a full gun takes no beam";
  EXPECT_EQ(s().SpecialsTicks, 0);
  s().LaserBeams = 0;
  level.Specials = {};
  EXPECT_FALSE(placed(10)) << "no kind enabled: nothing, and no hang";
  level.Specials[kLaserBeam] = 1;
  board()[7][29].Code = kEmpty;
  s().SpecialsTicks = 10;
  PlaceSpecial(game());
  EXPECT_EQ(CountSounds(game(), "Collect_Letter"), 4) << "once per placement; an empty board has no place";
}

TEST_F(SpecialsTest, TheLevelCompletedSpecialIsDrawnAboutAFifthAsOften) {
  LevelRecord& level = PlayLevel(game());
  level.Specials[kLevelCompletedSpecial] = level.Specials[kLaserBeam] = 1;
  int completed = 0;
  for (int i = 0; i < 4000; ++i) completed += PickSpecial(game()) == kLevelCompletedSpecial;
  // 4 : 16 of the draws, since a re-draw may land on either kind.
  EXPECT_NEAR(completed / 4000.0, 0.2, 0.03);
}

TEST_F(SpecialsTest, TheLaserBurnsItsColumnsUpToTheWallsAndFadesOver25Frames) {
  h.RunFrames(kPrepareFrames + 1);
  ElementRecord& e = game().Play.ElementQueue[0];
  e.X = 13;  // its one cell lies in box column 1
  e.Y = 10;
  for (int y = 1; y <= 29; ++y) board()[14][y] = board()[15][y] = Cell{kBlock, 2};
  board()[14][4].Code = kEdge;
  board()[14][20].Code = kPassage;
  board()[14][25].Code = 9;
  const uint16_t ctrl = KeyCodeFromName(game().Settings.KeyAction);
  h.Press(ctrl);
  EXPECT_EQ(newest().Line1, "Laser is empty.");
  EXPECT_FALSE(s().LaserFiring);
  s().LaserBeams = 2;
  h.Press(ctrl);
  EXPECT_EQ(newest().Line2, "You have 1 of 5.");
  EXPECT_EQ(CountSounds(game(), "Laser_Beam"), 1);
  int frames = 0;
  while (s().LaserFiring && frames < 100) {
    h.RunFrames(1);
    ++frames;
  }
  EXPECT_EQ(frames, 26) << "25 drawings of the beam, then the next element";
  for (int y = 1; y <= 30; ++y) {
    EXPECT_EQ(board()[14][y].Code, y < 4 ? kBlock : y == 4 || y == 30 ? kEdge : kEmpty) << "row " << y;
    EXPECT_EQ(board()[15][y].Code, y == 30 ? kEdge : kBlock) << "the next column, row " << y;
  }
}

TEST_F(SpecialsTest, TheGeniePulsesAndTheFifthBottleTurnsCellsAboutTheirCorner) {
  s().GenieReleased = true;
  DrawShapeAt(0);
  EXPECT_GT(Lit(0, 0, 25, 25), 500) << "almost opaque at the start of the cycle";
  DrawShapeAt(128);
  EXPECT_EQ(Lit(0, 0, 25, 25), 0) << "almost invisible half-way";
  s().GenieReleased = false;
  s().AlcoholLevel = 5;
  DrawShapeAt(0);
  EXPECT_EQ(Lit(0, 0, 10, 10), 0) << "the cell starts at its near-centre";
  EXPECT_GT(Lit(10, 10, 25, 25), 500);
  DrawShapeAt(32);
  EXPECT_GT(Lit(-15, 10, 25, 25), 500) << "a quarter turn clockwise after 32 frames";
  EXPECT_EQ(Lit(11, 0, 25, 40), 0);
}

TEST_F(SpecialsTest, NoElementWindowsMeansNoNoiseEither) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].NextElements = 255;
  h.StartLevel(adventure, 1);
  for (int w = 1; w <= 5; ++w) EXPECT_NE(game().Panels.Noise[w].Get()->X, 8) << "window " << w;
}

}  // namespace
}  // namespace plumix
