// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "media/window.h"
#include "support/harness.h"

namespace plumix {
namespace {

TEST(StillFrames, AStillScreenIsPresentedOnceAndAChangedPixelAgain) {
  testing::Harness h;
  Display& display = h.Game().M.DXDraw;
  h.RunFrames(2);
  const int flips = display.FlipCount();
  const int presents = display.PresentCount();
  ASSERT_GT(presents, 0);
  h.RunFrames(60);
  EXPECT_EQ(display.FlipCount(), flips + 60) << "the frame loop runs on";
  EXPECT_EQ(display.PresentCount(), presents) << "the still title screen is not shown again";

  const uint32_t before = h.Pixel(1000, 10);
  display.Surface().Pixels[10 * Display::kWidth + 1000] ^= 0xFFFF;
  display.Flip();
  EXPECT_EQ(display.PresentCount(), presents + 1);
  EXPECT_NE(h.Pixel(1000, 10), before);
  h.RunFrames(1);
  EXPECT_EQ(display.PresentCount(), presents + 2) << "the redrawn title differs from the changed picture";
  EXPECT_EQ(h.Pixel(1000, 10), before);
  // The last pixel of the screen is converted again when it alone changes.
  const uint32_t corner = h.Pixel(1023, 767);
  display.Surface().Pixels.back() ^= 0xFFFF;
  display.Flip();
  EXPECT_NE(h.Pixel(1023, 767), corner);
  EXPECT_EQ(h.Pixel(1000, 10), before);
}

}  // namespace
}  // namespace plumix

TEST(WindowPath, TheVideoDriverChoosesHowFramesReachTheScreen) {
  using plumix::ChooseRenderPath;
  using plumix::RenderPath;
  // Only X takes the window's own pixels; Wayland without a GPU draws
  // through software OpenGL instead of failing to find a renderer.
  EXPECT_EQ(ChooseRenderPath("x11", false, false), RenderPath::WindowPixels);
  EXPECT_EQ(ChooseRenderPath("wayland", false, false), RenderPath::Accelerated);
  EXPECT_EQ(ChooseRenderPath("kmsdrm", false, false), RenderPath::Accelerated);
  EXPECT_EQ(ChooseRenderPath("x11", true, false), RenderPath::Accelerated);
  EXPECT_EQ(ChooseRenderPath("x11", false, true), RenderPath::Accelerated);  // the player's renderer
  EXPECT_EQ(plumix::DesktopId("plumix"), "com.ostrelgames.plumixadventure");
  EXPECT_EQ(plumix::DesktopId("plumix-editor"), "com.ostrelgames.plumixadventure.editor");
}
