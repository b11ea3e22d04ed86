// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/golden.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "media/bitmap.h"

namespace plumix::testing {
namespace {

// The picture seen and how many of its pixels changed (-1: a new picture),
// for scripts/update_golden.sh.
std::string SaveActual(const Harness& h, const std::string& name, int changed) {
  const std::string png = h.SavePng(name + "_actual");
  std::ofstream(std::filesystem::path(png).replace_extension(".txt")) << changed << "\n";
  return png;
}

}  // namespace

::testing::AssertionResult MatchesGolden(const Harness& h, const std::string& name, int tolerance,
                                         int maxDifferent) {
  namespace fs = std::filesystem;
  const fs::path golden = fs::path(PLUMIX_SOURCE_DIR) / "tests" / "golden" / (name + ".png");
  const Display& display = const_cast<Harness&>(h).Game().M.DXDraw;
  std::string error;
  std::vector<uint8_t> bytes = ReadFileBytes(golden, &error);
  if (!error.empty()) {
    return ::testing::AssertionFailure()
           << "no golden picture " << golden << " (" << error << "); the picture seen is "
           << SaveActual(h, name, -1) << "; scripts/update_golden.sh makes it";
  }
  Parsed<RgbImage> expected = DecodePng(bytes);
  if (!expected || expected.Value->Width != Display::kWidth || expected.Value->Height != Display::kHeight) {
    return ::testing::AssertionFailure() << golden << " is no 1024 x 768 PNG; the picture seen is "
                                         << SaveActual(h, name, -1);
  }
  const std::vector<uint32_t>& shown = display.Presented();
  const std::vector<uint8_t>& rgb = expected.Value->Rgb;
  int different = 0, changed = 0, worst = 0;
  Rect box{Display::kWidth, Display::kHeight, 0, 0};
  for (size_t i = 0; i < shown.size(); ++i) {
    int d = 0;
    for (int c = 0; c < 3; ++c) {
      const int seen = static_cast<int>((shown[i] >> (16 - 8 * c)) & 255);
      d = std::max(d, std::abs(seen - static_cast<int>(rgb[i * 3 + c])));
    }
    worst = std::max(worst, d);
    changed += d > 0;
    if (d <= tolerance) continue;
    ++different;
    const int x = static_cast<int>(i % Display::kWidth), y = static_cast<int>(i / Display::kWidth);
    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
  }
  if (different <= maxDifferent) return ::testing::AssertionSuccess();
  const std::string actual = SaveActual(h, name, changed);
  return ::testing::AssertionFailure() << different << " pixels differ from " << golden
                                       << " by more than " << tolerance << " (worst " << worst
                                       << ", within (" << box.Left << ", " << box.Top << ")-(" << box.Right
                                       << ", " << box.Bottom << ")); the picture seen is " << actual;
}

}  // namespace plumix::testing
