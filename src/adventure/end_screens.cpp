// SPDX-License-Identifier: GPL-3.0-or-later
#include "adventure/end_screens.h"

#include <algorithm>
#include <cstdlib>

#include "app/main_form.h"
#include "media/draw.h"

namespace plumix {
namespace {

constexpr const char* kLabelFont = "Shotgun BT";
constexpr const char* kNumberFont = "Arial CE";
constexpr int kTableRows = 30;

std::string Points(int64_t difference) { return std::to_string(std::llabs(difference)); }

void AddOk(ScreenTexts& texts) { AddShadowed(texts, 492, 721, 490, 719, "OK", kLabelFont, 20, kRed); }

// Every end screen starts from the quiet backdrop, without the sprites of play.
void DrawBackdrop(TMain& game) {
  game.M.DXSpriteEngine.Clear();
  Display& display = game.M.DXDraw;
  display.Fill(kBlack);
  StretchImage(game.M.DXImageList.Get("Main_Menu_Slick"), display.Surface(), display.ClientRect(), 0);
}

std::string PlaceText(int place) {
  if (place <= 9) return " " + std::to_string(place) + ".";
  return std::to_string(place) + ".";
}

}  // namespace

std::string LevelComparison(int32_t levelScore, int32_t recordLevelScore) {
  const int64_t difference = static_cast<int64_t>(levelScore) - recordLevelScore;
  if (difference < 0) return "Overall gap increased by " + Points(difference) + " points.";
  if (difference == 0) return "Overall gap stays the same.";
  return "Overall gap decreased by " + Points(difference) + " points.";
}

ScreenText OverallComparison(int32_t score, int32_t recordTotal) {
  const int64_t difference = static_cast<int64_t>(score) - recordTotal;
  ScreenText text{0, 570, "", kNumberFont, 18, kAqua, kStyleBold};
  if (difference < 0) {
    text.X = 275;
    text.Text = "You are behind the first place by " + Points(difference) + " points.";
  } else if (difference == 0) {
    text.X = 285;
    text.Text = "You are tied with current record holder.";
  } else {
    text.X = 235;
    text.Text = "You are currently the record holder by " + Points(difference) + " points.";
  }
  return text;
}

ScreenTexts LevelCompletedTexts(const AdventureState& adv) {
  const int32_t levelScore = adv.LevelScores[std::clamp(adv.CurrentLevel, 1, kMaxLevels)];
  ScreenTexts t;
  AddShadowed(t, 22, 22, 20, 20, "------------- LEVEL COMPLETED -------------", kLabelFont, 36, kYellow);
  AddShadowed(t, 282, 182, 280, 180, "You               Record Holder", kLabelFont, 26, kGreen);
  AddShadowed(t, 432, 342, 430, 340, "This Level", kLabelFont, 18, kRed);
  AddShadowed(t, 282, 337, 280, 335, std::to_string(levelScore), kNumberFont, 26, kWhite, kStyleBold);
  AddShadowed(t, 682, 337, 680, 335, std::to_string(adv.RecordLevelScore), kNumberFont, 26, kWhite,
              kStyleBold);
  AddShadowed(t, 312, 417, 310, 415, LevelComparison(levelScore, adv.RecordLevelScore), kNumberFont, 18,
              kAqua, kStyleBold);
  AddShadowed(t, 442, 495, 440, 493, "Overall", kLabelFont, 18, kRed);
  AddShadowed(t, 282, 492, 280, 490, std::to_string(adv.Score), kNumberFont, 26, kWhite, kStyleBold);
  AddShadowed(t, 682, 492, 680, 490, std::to_string(adv.RecordTotal), kNumberFont, 26, kWhite, kStyleBold);
  const ScreenText overall = OverallComparison(adv.Score, adv.RecordTotal);
  AddShadowed(t, overall.X + 2, overall.Y + 2, overall.X, overall.Y, overall.Text, overall.Font,
              overall.Size, overall.Color, overall.Style);
  AddOk(t);
  return t;
}

ScreenTexts GameEndTexts(const AdventureState& adv, bool completed, bool watched) {
  ScreenTexts t;
  AddShadowed(t, 22, 22, 20, 20,
              completed ? "------------- GAME COMPLETED --------------"
                        : "------------------ GAME OVER ------------------",
              kLabelFont, 36, kYellow);
  AddShadowed(t, 302, 335, 300, 333, "Final score :", kLabelFont, 26, kGreen);
  AddShadowed(t, 592, 337, 590, 335, std::to_string(adv.Score), kNumberFont, 26, kWhite, kStyleBold);
  if (adv.HighScoreRank > 0) {
    AddShadowed(t, 57, 412, 55, 410, "Congratulations, you made it in the top 60!", kLabelFont, 26,
                kMagenta);
    AddShadowed(t, 342, 489, 340, 487, "Place No. :", kLabelFont, 26, kGreen);
    AddShadowed(t, 587, 489, 585, 487, std::to_string(adv.HighScoreRank), kNumberFont, 26, kWhite,
                kStyleBold);
  } else if (watched) {
    AddShadowed(t, 27, 412, 25, 410, "The bot played: its score enters no table.", kLabelFont, 26, kGreen);
  } else {
    AddShadowed(t, 27, 412, 25, 410, "Sorry, Your final score did not reach top 60!", kLabelFont, 26, kRed);
  }
  AddOk(t);
  return t;
}

ScreenTexts HighScoreTableTexts(const AdventureState& adv) {
  ScreenTexts t;
  const auto& table = adv.Adventure.HighScores;
  for (int i = 1; i <= kHighScoreCount && table[i].Score != 0; ++i) {
    const bool left = i <= kTableRows;
    const int y = 100 + 20 * ((i - 1) % kTableRows);
    const bool mine = i == adv.HighScoreRank;
    const int style = mine ? kStyleBold : kStyleNormal;
    const Colour colour = mine ? kGreen : kWhite;
    auto add = [&](int x, const std::string& text) {
      AddShadowed(t, x + 1, y + 1, x, y, text, kNumberFont, 10, colour, style);
    };
    add(left ? 64 : 569, left ? PlaceText(i) : std::to_string(i) + ".");
    add(left ? 119 : 625, table[i].Name);
    add(left ? 414 : 921, std::to_string(table[i].Score));
  }
  return t;
}

void DrawLevelCompleted(TMain& game) {
  DrawBackdrop(game);
  DrawScreenTexts(game, LevelCompletedTexts(game.Adv));
}

void DrawGameCompleted(TMain& game) {
  DrawBackdrop(game);
  DrawScreenTexts(game, GameEndTexts(game.Adv, true, game.Options.BotPlays));
}

void DrawGameOver(TMain& game) {
  DrawBackdrop(game);
  DrawScreenTexts(game, GameEndTexts(game.Adv, false, game.Options.BotPlays));
}

void DrawHighScoreTable(TMain& game) { DrawScreenTexts(game, HighScoreTableTexts(game.Adv)); }

}  // namespace plumix
