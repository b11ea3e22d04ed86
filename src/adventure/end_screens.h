// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screens that close a level or a game, and the entries of the
// high-score page.
#include <string>

#include "adventure/adventure_state.h"
#include "app/screen_text.h"

namespace plumix {

class TMain;

void DrawLevelCompleted(TMain& game);
void DrawGameCompleted(TMain& game);
void DrawGameOver(TMain& game);
// The table of the loaded adventure; the place HighScoreRank is highlighted.
void DrawHighScoreTable(TMain& game);

// ---- The same as texts ----
// The level's score against the record holder's on that level.
std::string LevelComparison(int32_t levelScore, int32_t recordLevelScore);
// The total against the record holder's total up to this level, and where it stands.
ScreenText OverallComparison(int32_t score, int32_t recordTotal);
ScreenTexts LevelCompletedTexts(const AdventureState& adv);
// completed: "GAME COMPLETED", else "GAME OVER".
// `watched`: the bot played (--bot-plays), so no table was offered the score.
ScreenTexts GameEndTexts(const AdventureState& adv, bool completed, bool watched = false);
ScreenTexts HighScoreTableTexts(const AdventureState& adv);

}  // namespace plumix
