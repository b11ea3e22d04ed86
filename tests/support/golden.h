#pragma once
// Golden pictures: the presented picture of a test against a stored PNG in
// tests/golden/. After an intended change of a screen, regenerate them with
//   PLUMIX_UPDATE_GOLDEN=1 build/tests/plumix_tests --gtest_filter='Golden*'
// and look at the new PNGs in the diff before committing them.
#include <gtest/gtest.h>

#include <string>

#include "support/harness.h"

namespace plumix::testing {

// Passes when at most `maxDifferent` pixels differ from the golden picture
// by more than `tolerance` in any channel. A failure saves the picture seen
// as build/test-shots/<name>_actual.png.
::testing::AssertionResult MatchesGolden(const Harness& h, const std::string& name,
                                         int tolerance = 8, int maxDifferent = 200);

}  // namespace plumix::testing
