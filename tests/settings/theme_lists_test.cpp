// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "media/bitmap.h"
#include "settings/theme_lists.h"

namespace plumix {
namespace {

std::vector<std::string> Parse(std::string_view text) {
  return ParseListText(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

using Lines = std::vector<std::string>;

TEST(ThemeLists, LineEndsOfEveryKind) {
  EXPECT_EQ(Parse("Blue\r\nRed\r\nGreen"), (Lines{"Blue", "Red", "Green"}));
  EXPECT_EQ(Parse("Blue\nRed\n"), (Lines{"Blue", "Red"})) << "a final line end adds nothing";
  EXPECT_EQ(Parse("Blue\r\nRed\r\n"), (Lines{"Blue", "Red"}));
  EXPECT_EQ(Parse("Blue\rRed\r"), (Lines{"Blue", "Red"}));
  EXPECT_EQ(Parse("Blue\n\nRed"), (Lines{"Blue", "", "Red"})) << "an empty line is an entry";
  EXPECT_EQ(Parse(""), Lines{});
  EXPECT_EQ(Parse("\xC8" "esk\xE1 \r\n"), (Lines{"\xC8" "esk\xE1 "})) << "code page 1250 kept";
  EXPECT_EQ(Parse("\xEF\xBB\xBF" "Česká\n"), (Lines{"\xC8" "esk\xE1"})) << "UTF-8 with a mark";
}

TEST(ThemeLists, AListHoldsWhatAChoiceByteCanIndex) {
  std::string text;
  for (int i = 1; i <= 300; ++i) text += "Theme " + std::to_string(i) + "\n";
  Lines lines = Parse(text);
  ASSERT_EQ(lines.size(), 255u);
  EXPECT_EQ(lines.back(), "Theme 255");
}

TEST(ThemeLists, FilesOfTheGameFolder) {
  namespace fs = std::filesystem;
  fs::path dir = fs::path(::testing::TempDir()) / ("plumix-theme-lists-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "Music");
  fs::create_directories(dir / "Graphics/Tiles");
  std::string error;
  std::string tracks = "One\r\nTwo\r\n";
  ASSERT_TRUE(WriteFileBytes(dir / "Music/Tracks.txt",
                             std::span(reinterpret_cast<const uint8_t*>(tracks.data()), tracks.size()),
                             &error));
  fs::create_directories(dir / "Graphics/Tiles/Tiles.txt");  // unreadable: a folder
  ThemeLists lists;
  lists.Edges = {"stale"};
  EXPECT_EQ(ReadThemeLists(dir, lists), (Lines{"Graphics/Tiles/Tiles.txt is not a file",
                                               "Graphics/Cubes/Themes.txt is missing",
                                               "Graphics/Edges/Edges.txt is missing"}));
  EXPECT_EQ(lists.Tracks, (Lines{"One", "Two"}));
  EXPECT_EQ(lists.TrackCount(), 2);
  EXPECT_TRUE(lists.Tiles.empty());
  EXPECT_TRUE(lists.Cubes.empty()) << "a missing file is an empty list";
  EXPECT_TRUE(lists.Edges.empty());
  EXPECT_EQ(ListEntry(lists.Tracks, 2), "Two");
  EXPECT_EQ(ListEntry(lists.Tracks, 3), "");
  EXPECT_EQ(ListEntry(lists.Tracks, 0), "");
}

}  // namespace
}  // namespace plumix
