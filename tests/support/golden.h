// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Golden pictures: the presented picture of a test against a stored PNG in
// tests/golden/. A test run only compares; after an intended change of a
// screen, scripts/update_golden.sh (or the build target update_golden) writes
// the new pictures and tells how many pixels each one changed.
#include <gtest/gtest.h>

#include <string>

#include "support/harness.h"

namespace plumix::testing {

// Passes when at most `maxDifferent` pixels differ from the golden picture
// by more than `tolerance` in any channel. The drawing is deterministic, so
// the defaults allow nothing: one wrong digit of a counter is 12 pixels or
// more. A failure saves the picture seen as build/test-shots/<name>_actual.png,
// beside it <name>_actual.txt with the number of pixels that changed at all.
::testing::AssertionResult MatchesGolden(const Harness& h, const std::string& name,
                                         int tolerance = 0, int maxDifferent = 0);

}  // namespace plumix::testing
