// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "media/bitmap.h"
#include "media/input.h"
#include "settings/settings_file.h"
#include "support/harness.h"

namespace plumix {
namespace {

namespace fs = std::filesystem;
using plumix::testing::Harness;
using plumix::testing::HarnessOptions;

TEST(SettingsGame, FirstStartCreatesTheFileAndAppliesTheKeys) {
  Harness harness(HarnessOptions{.Activate = false});
  fs::remove(harness.Dir / "Settings.set");
  TMain& game = harness.Game();
  game.FormActivate();
  ASSERT_TRUE(fs::exists(harness.Dir / "Settings.set"));
  EXPECT_EQ(fs::file_size(harness.Dir / "Settings.set"), 538u);
  EXPECT_EQ(game.Settings.PlayerName, "PLUMIX FREAK");
  EXPECT_EQ(game.M.DXInput.Assigns[InputButton1][0], 17) << "Ctrl fires";
  EXPECT_EQ(game.M.DXInput.Assigns[InputButton11][0], 'P');
  EXPECT_TRUE(game.Errors.empty());
}

TEST(SettingsGame, ADamagedFileIsReportedAndSetAside) {
  Harness harness(HarnessOptions{.Activate = false});
  std::string error;
  std::vector<uint8_t> damaged(300, 0x20);
  ASSERT_TRUE(WriteFileBytes(harness.Dir / "Settings.set", damaged, &error));
  TMain& game = harness.Game();
  game.FormActivate();
  ASSERT_EQ(game.Errors.size(), 1u);
  EXPECT_NE(game.Errors[0].find("Settings.set.bad"), std::string::npos) << game.Errors[0];
  EXPECT_EQ(ReadFileBytes(harness.Dir / "Settings.set.bad", &error), damaged);
  EXPECT_EQ(fs::file_size(harness.Dir / "Settings.set"), 538u);
}

TEST(SettingsGame, SavingKeepsChangesAndReportsFailures) {
  Harness harness;
  TMain& game = harness.Game();
  fs::path path = harness.Dir / "Settings.set";
  game.Settings.KeyLeft = "Num 4";
  SaveSettings(game);
  EXPECT_TRUE(game.Errors.empty());
  std::string error;
  std::vector<uint8_t> saved = ReadFileBytes(path, &error);
  EXPECT_EQ(ParseSettings(saved).Value->KeyLeft, "Num 4");

  fs::create_directories(harness.Dir / ".Settings.set.saving" / "x");
  game.Settings.KeyLeft = "Num 6";
  SaveSettings(game);
  ASSERT_EQ(game.Errors.size(), 1u);
  EXPECT_NE(game.Errors[0].find("settings could not be saved"), std::string::npos) << game.Errors[0];
  EXPECT_EQ(ReadFileBytes(path, &error), saved);
  fs::remove_all(harness.Dir / ".Settings.set.saving");

  // A longer file keeps its tail; a protected one is left alone and named once.
  std::vector<uint8_t> longer = saved;
  longer.insert(longer.end(), 100, 0xEE);
  ASSERT_TRUE(WriteFileBytes(path, longer, &error)) << error;
  SaveSettings(game);
  std::vector<uint8_t> now = ReadFileBytes(path, &error);
  ASSERT_EQ(now.size(), longer.size());
  EXPECT_EQ(ParseSettings(now).Value->KeyLeft, "Num 6");
  EXPECT_TRUE(std::equal(now.begin() + 538, now.end(), longer.begin() + 538));
  fs::permissions(path, fs::perms(0444));
  game.Errors.clear();
  game.Settings.KeyLeft = "Num 8";
  SaveSettings(game);
  SaveSettings(game);
  ASSERT_EQ(game.Errors.size(), 1u) << "told once";
  EXPECT_NE(game.Errors[0].find("write-protected"), std::string::npos) << game.Errors[0];
  EXPECT_EQ(ReadFileBytes(path, &error), now);
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0444));
}

}  // namespace
}  // namespace plumix
