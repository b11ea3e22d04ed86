// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "adventure/level_setup.h"
#include "engine/board.h"
#include "media/draw.h"
#include "support/harness.h"

namespace plumix {
namespace {

using testing::Harness;
using testing::MakeTestAdventure;

class LevelInfoTest : public ::testing::Test {
 protected:
  // Level `level` of the adventure on the level-info screen, one frame drawn.
  void Show(const AdventureRecord& adventure, int level = 1) {
    h.WarmUp();
    h.StartLevel(adventure, level);
    game().Shell.ScreenState = kLevelInfoScreen;
    h.RunFrames(1);
  }
  TMain& game() { return h.Game(); }
  // The screen's pixels in a rectangle against the same rectangle of a
  // reference drawn on the level-info background by `draw`.
  int DifferentPixels(Rect r, const std::function<void()>& draw) {
    std::vector<uint16_t> shown;
    for (int y = r.Top; y < r.Bottom; ++y) {
      for (int x = r.Left; x < r.Right; ++x) shown.push_back(h.SurfacePixel(x, y));
    }
    game().M.DXDraw.Fill(kBlack);
    StretchImage(game().M.DXImageList.Get("Main_Menu_Slick"), game().M.DXDraw.Surface(),
                 game().M.DXDraw.ClientRect(), 0);
    game().M.DXDraw.GetCanvas().Brush.Clear = true;
    draw();
    int differ = 0, i = 0;
    for (int y = r.Top; y < r.Bottom; ++y) {
      for (int x = r.Left; x < r.Right; ++x) differ += shown[i++] != h.SurfacePixel(x, y);
    }
    return differ;
  }
  void Shadow(int x, int y, int offset, const char* text, const char* font, int size, Colour c) {
    game().DrawText(x, y, text, font, size, kBlack, kStyleNormal);
    game().DrawText(x - offset, y - offset, text, font, size, c, kStyleNormal);
  }
  Harness h;
};

TEST_F(LevelInfoTest, EveryFrameResetsThePlayStateOfTheLevel) {
  AdventureRecord adventure = MakeTestAdventure(2);
  adventure.Levels[2].StartSpeed = 3;
  adventure.Levels[2].LinesToFinish = 25;
  adventure.Levels[2].TimeToFinish = 40;
  adventure.Levels[2].Elements = {};
  adventure.Levels[2].Elements[11] = 1;
  adventure.Levels[2].EntryColumn = 9;
  adventure.Levels[2].Board[9][1].Code = kEntryMark;
  h.WarmUp();
  h.StartLevel(adventure, 2);
  TMain& g = game();
  h.RunFrames(300);
  g.Play.Speed = 7;
  g.Play.EndCounter = 50;
  g.Play.FallCounter = g.Play.SideRepeatCounter = g.Play.DownRepeatCounter = g.Play.TickCounter = 9;
  g.Play.LinesLeft = g.Play.TimeLeft = 1;
  g.Play.LineScanDone = true;
  g.Play.ClearedRows.Active = true;
  g.Paused = g.QuitPrompt = true;
  g.Disasters.DisasterPending = true;
  g.Disasters.DisasterEndTicks = 5;
  g.Plumix.PlumixMode = true;
  g.Plumix.Earned = {true, true, true, true, true};
  g.Plumix.Rockets[40].Counter = 12;
  g.Specials.CarrotActive = false;
  g.Specials.MagnifierActive = g.Specials.GenieReleased = g.Specials.VirusPresent = true;
  g.Specials.AlcoholLevel = 4;
  g.Specials.DamageLevel = 2;
  g.Specials.LaserBeams = 3;
  g.Specials.LevelCompletedCollected = g.Specials.BoardMirrored = g.Specials.NegativeColours = true;
  g.Specials.SpecialsTicks = 17;
  AddMessage(g.Panels, "Old", "news", "", kRed);

  g.Shell.ScreenState = kLevelInfoScreen;
  h.RunFrames(1);
  EXPECT_EQ(g.M.DXSpriteEngine.Count(), 0);
  EXPECT_EQ(g.Play.Speed, 3);
  EXPECT_EQ(g.Play.PrepareCounter, 0);
  EXPECT_EQ(g.Play.EndCounter, -1);
  EXPECT_EQ(g.Play.FallCounter + g.Play.SideRepeatCounter + g.Play.DownRepeatCounter + g.Play.TickCounter, 0);
  EXPECT_EQ(g.Play.LinesLeft, 25);
  EXPECT_EQ(g.Play.TimeLeft, 40);
  EXPECT_FALSE(g.Play.LineScanDone);
  EXPECT_FALSE(g.Play.ClearedRows.Active);
  EXPECT_FALSE(g.Paused || g.QuitPrompt);
  EXPECT_FALSE(g.Disasters.DisasterPending);
  EXPECT_EQ(g.Disasters.DisasterEndTicks, 0);
  EXPECT_FALSE(g.Plumix.PlumixMode);
  for (int i = 1; i <= 4; ++i) EXPECT_FALSE(g.Plumix.Earned[i]);
  for (int i = 1; i <= kRocketSlots; ++i) {
    ASSERT_GE(g.Plumix.Rockets[i].BurstKind, 1);
    ASSERT_LE(g.Plumix.Rockets[i].BurstKind, 16);
    ASSERT_EQ(g.Plumix.Rockets[i].Counter, -1);
    ASSERT_EQ(g.Plumix.Rockets[i].Delay, -1);
  }
  const SpecialsState& s = g.Specials;
  EXPECT_TRUE(s.CarrotActive && s.GenieCaught && s.VirusDeleted);
  EXPECT_FALSE(s.MagnifierActive || s.GenieReleased || s.VirusPresent || s.LevelCompletedCollected);
  EXPECT_FALSE(s.BoardMirrored || s.NegativeColours);
  EXPECT_EQ(s.AlcoholLevel + s.DamageLevel + s.LaserBeams + s.SpecialsTicks, 0);
  for (const MessageSlot& slot : g.Panels.MessageSlots) EXPECT_TRUE(slot.Line1.empty());
  EXPECT_EQ(g.Play.ElementQueue[0].Kind, 11);
  EXPECT_EQ(g.Play.ElementQueue[0].X, 9);
  EXPECT_EQ(g.Play.RotationState, 1);
  EXPECT_EQ(g.Play.ElementQueue[2].Kind, 11);
}

TEST_F(LevelInfoTest, NoSpecialsReadNoneAndSpecialsShowTheirPictures) {
  AdventureRecord adventure = MakeTestAdventure();
  Show(adventure);
  EXPECT_EQ(DifferentPixels({0, 600, 400, 700},
                            [&] { Shadow(24, 628, 2, "None", "Arial CE", 14, kWhite); }),
            0);
  adventure.Levels[1].Specials[2] = 1;
  adventure.Levels[1].Specials[5] = 1;
  adventure.Levels[1].Specials[12] = 1;
  h.StartLevel(adventure, 1);
  game().Shell.ScreenState = kLevelInfoScreen;
  h.RunFrames(1);
  ImageList& letters = game().M.DXImageListLetters;
  const int slots[] = {2, 5, 12};
  for (int i = 0; i < 3; ++i) {
    const ImageItem& picture = letters.Item(slots[i]);
    // 70 x 70 from a 32 x 32 picture: screen pixel 35 shows picture pixel 16.
    EXPECT_EQ(h.SurfacePixel(14 + 77 * i + 35, 626 + 35), picture.Picture.At(16, 16)) << picture.Name;
    EXPECT_EQ(h.SurfacePixel(14 + 77 * i + 69, 626 + 69), picture.Picture.At(31, 31)) << picture.Name;
  }
  EXPECT_EQ(letters.Item(2).Name, "B");
}

TEST_F(LevelInfoTest, ElementIconsWrapAfterThreeInARow) {
  AdventureRecord adventure = MakeTestAdventure();
  adventure.Levels[1].Elements = {};
  for (int k : {1, 8, 9, 11, 15}) adventure.Levels[1].Elements[k] = 1;
  Show(adventure);
  auto at = [&](int x, int y) { return h.SurfacePixel(x, y); };
  EXPECT_EQ(at(792 + 29, 170 + 7), ToRgb565(0xFF0000)) << "kind 1, blue";
  EXPECT_EQ(at(869 + 29, 170 + 29), ToRgb565(0xFF0000)) << "kind 8, blue";
  EXPECT_EQ(at(869 + 22, 170 + 22), 0) << "its black outline";
  EXPECT_EQ(at(946 + 29, 170 + 20), ToRgb565(0xFFFFFF)) << "kind 9, white";
  EXPECT_EQ(at(792 + 29, 247 + 14), ToRgb565(0xFF00FF)) << "kind 11 begins the second row";
  EXPECT_EQ(at(869 + 20, 247 + 20), ToRgb565(0xC0C0C0)) << "kind 15, silver";
}

TEST_F(LevelInfoTest, TheSecondKindIsBlackWithAWhiteOutline) {
  Show(MakeTestAdventure());
  game().M.DXDraw.Fill(kBlack);
  DrawElementIcon(game(), 2, 100, 100);
  EXPECT_EQ(h.SurfacePixel(100 + 15, 100 + 7), 0xFFFF);
  EXPECT_EQ(h.SurfacePixel(100 + 20, 100 + 15), 0);
  EXPECT_EQ(h.SurfacePixel(100 + 44, 100 + 52), 0xFFFF) << "the last rectangle ends at (45, 53)";
  DrawElementIcon(game(), 0, 300, 300);
  DrawElementIcon(game(), 19, 300, 300);
  for (int y = 300; y < 360; ++y) ASSERT_EQ(h.SurfacePixel(330, y), 0);
}

TEST_F(LevelInfoTest, TheQuickPreviewColoursEveryCellCode) {
  AdventureRecord adventure = MakeTestAdventure();
  BoardGrid& b = adventure.Levels[1].Board;
  b[5][10] = Cell{kBlock, 3};
  b[6][10] = Cell{kPassage, 0};
  b[7][10] = Cell{9, 1};
  b[8][10] = Cell{kVoid, 0};
  b[9][10] = Cell{25, 0};
  Show(adventure);
  auto cell = [&](int x, int y) { return h.SurfacePixel(372 + 12 * (x - 1) + 6, 230 + 12 * (y - 1) + 6); };
  EXPECT_EQ(cell(1, 5), ToRgb565(kYellow)) << "edge";
  EXPECT_EQ(cell(14, 1), ToRgb565(kRed)) << "entry mark";
  EXPECT_EQ(cell(3, 3), 0) << "empty";
  EXPECT_EQ(cell(5, 10), ToRgb565(kGreen)) << "block";
  EXPECT_EQ(cell(6, 10), ToRgb565(0x000080)) << "passage";
  EXPECT_EQ(cell(7, 10), ToRgb565(kWhite)) << "special";
  // Void and unknown codes leave the background.
  const ImageItem& slick = game().M.DXImageList.Get("Main_Menu_Slick");
  for (int x : {8, 9}) {
    const int px = 372 + 12 * (x - 1) + 6, py = 230 + 9 * 12 + 6;
    const uint16_t back = slick.Picture.At(px, py);
    EXPECT_EQ(cell(x, 10), back == slick.Key() ? 0 : back) << "column " << x;
  }
  EXPECT_EQ(h.SurfacePixel(370, 400), ToRgb565(kSilver)) << "the frame";
  EXPECT_EQ(h.SurfacePixel(733, 300), ToRgb565(kSilver));
}

TEST_F(LevelInfoTest, TheLevelNumberReadsNOfTheAdventuresLevels) {
  Show(MakeTestAdventure(10), 3);
  EXPECT_EQ(DifferentPixels({140, 118, 330, 150},
                            [&] { Shadow(147, 126, 1, "3 of 10", "Arial CE", 14, kWhite); }),
            0);
}

TEST_F(LevelInfoTest, TheGoalLineNamesLinesOrTime) {
  AdventureRecord adventure = MakeTestAdventure(2);
  adventure.Levels[1].LinesToFinish = 35;
  adventure.Levels[2].LevelType = 1;
  adventure.Levels[2].TimeToFinish = 120;
  Show(adventure, 1);
  EXPECT_EQ(DifferentPixels({10, 436, 340, 472}, [&] {
              Shadow(21, 446, 1, "Lines To Finish :", "Shotgun BT", 14, kGreen);
              Shadow(209, 446, 1, "35", "Arial CE", 14, kWhite);
            }),
            0);
  h.StartLevel(adventure, 2);
  game().Shell.ScreenState = kLevelInfoScreen;
  h.RunFrames(1);
  EXPECT_EQ(DifferentPixels({10, 436, 340, 472}, [&] {
              Shadow(21, 446, 1, "Time To Finish :", "Shotgun BT", 14, kGreen);
              Shadow(200, 446, 1, "120", "Arial CE", 14, kWhite);
            }),
            0);
}

}  // namespace
}  // namespace plumix
