// SPDX-License-Identifier: GPL-3.0-or-later
// An adventure file dropped onto the window: copied into the player's
// adventure folder and shown selected in the list; a damaged one is refused
// with a message; one of the same name is replaced only after a yes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "adventure/adventure_file.h"
#include "app/main_form.h"
#include "app/menus.h"
#include "media/files.h"
#include "settings/key_names.h"
#include "support/harness.h"

namespace plumix {
namespace {

using namespace plumix::testing;

void Drop(TMain& game, const std::filesystem::path& file) {
  PlatformEvent event{PlatformEventType::FileDrop, 0, false};
  event.Text = file.string();
  game.Dispatch(event);
}

TEST(AdventureDrop, CopiesShowsRefusesDamageAndAsksBeforeReplacing) {
  HarnessOptions options;
  options.PlayerFolders = true;
  Harness h(options);
  h.WarmUp();
  TMain& game = h.Game();
  const std::filesystem::path away = h.Dir / "Downloads";
  std::filesystem::create_directories(away);
  AdventureRecord quest = MakeTestAdventure(2);
  quest.Title = "Dropped Quest";
  ASSERT_TRUE(WriteFileBytes(away / "Quest.paf", SerialiseAdventure(quest), nullptr));
  std::ofstream(away / "Broken.paf") << "not an adventure";

  // A damaged file: one message, nothing copied, the title stays.
  Drop(game, away / "Broken.paf");
  ASSERT_FALSE(game.Errors.empty());
  EXPECT_NE(game.Errors.back().find("Broken.paf"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(DroppedAdventurePath(game, "Broken.paf")));
  EXPECT_EQ(game.Shell.ScreenState, kTitleScreen);

  // A good one lands in the player's folder, selected in the list.
  const std::filesystem::path copy = DroppedAdventurePath(game, "Quest.paf");
  EXPECT_EQ(copy.parent_path().parent_path(), h.Dir / "home" / "data");
  Drop(game, away / "Quest.paf");
  ASSERT_TRUE(std::filesystem::exists(copy));
  EXPECT_EQ(game.Shell.ScreenState, kMenuScreen);
  EXPECT_EQ(game.Menu.MenuState, kListLoad);
  ASSERT_GT(game.Adv.SelectedAdventure, 0);
  EXPECT_EQ(game.Adv.AdventureList[game.Adv.SelectedAdventure].FileName, "Quest.paf");
  EXPECT_EQ(game.Menu.ListCursorY, ListCursorRow(game.Adv.SelectedAdventure));
  h.RunFrames(2);

  // Another of the same name: asked first; N keeps the old file, Y replaces it.
  quest.Title = "Dropped Quest Two";
  ASSERT_TRUE(WriteFileBytes(away / "Quest.paf", SerialiseAdventure(quest), nullptr));
  const std::vector<uint8_t> first = ReadFileBytes(copy, nullptr);
  Drop(game, away / "Quest.paf");
  EXPECT_EQ(game.Drop.PendingName, "Quest.paf");
  h.Press(KeyCodeFromName("N"));
  EXPECT_TRUE(game.Drop.PendingName.empty());
  EXPECT_EQ(ReadFileBytes(copy, nullptr), first);
  EXPECT_EQ(game.Menu.MenuState, kListLoad) << "the answer is not a menu key";
  Drop(game, away / "Quest.paf");
  h.Press(KeyCodeFromName("Y"));
  EXPECT_EQ(ReadFileBytes(copy, nullptr), SerialiseAdventure(quest));
  EXPECT_EQ(game.Adv.AdventureList[game.Adv.SelectedAdventure].Title, "Dropped Quest Two");
  // The shipped Academy of the same name is the player's to replace too, in
  // the player's folder only.
  AdventureRecord academy = h.ReadAdventure("PlumixAcademy.paf");
  academy.Title = "My Academy";
  ASSERT_TRUE(WriteFileBytes(away / "PlumixAcademy.paf", SerialiseAdventure(academy), nullptr));
  Drop(game, away / "PlumixAcademy.paf");
  EXPECT_EQ(game.Drop.PendingName, "PlumixAcademy.paf");
  h.Press(KeyCodeFromName("Y"));
  EXPECT_EQ(h.ReadAdventure("PlumixAcademy.paf").Title, "Plumix Academy") << "the shipped file is never written";
  EXPECT_EQ(game.Adv.AdventureList[game.Adv.SelectedAdventure].Title, "My Academy");
}

}  // namespace
}  // namespace plumix
