// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The menu screen's page and the list page's selection bar.
#include <cstdint>

namespace plumix {

enum MenuPages : uint16_t {
  kMainMenuLoad = 1,
  kMainMenuQuit = 2,
  kMainMenuQuitQuestion = 21,
  kListLoad = 11,
  kListBack = 12,
  kGameMenuStart = 101,
  kGameMenuOptions = 102,
  kGameMenuHighScores = 103,
  kGameMenuMain = 104,
  kHighScorePage = 1031,
  kOptionsPage = 1041,
};

// The list page shows this many rows; beyond them it scrolls under the bar.
constexpr int kListRows = 27;
constexpr int kListFirstCursorY = 140;
constexpr int kListRowPitch = 20;

struct MenuData {
  uint16_t MenuState = kMainMenuLoad;
  int32_t ListCursorY = kListFirstCursorY;
};

}  // namespace plumix
