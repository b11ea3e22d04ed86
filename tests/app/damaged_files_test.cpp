// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "settings/themes.h"
#include "support/harness.h"

namespace plumix {
namespace {

namespace fs = std::filesystem;
using plumix::testing::Harness;
using plumix::testing::HarnessOptions;

void Put(const fs::path& path, const std::string& bytes) {
  fs::remove(path);
  std::ofstream(path, std::ios::binary) << bytes;
}

// Every file below the folder with its size and time: what a run may not touch.
std::map<std::string, std::pair<uintmax_t, fs::file_time_type>> Snapshot(const fs::path& dir) {
  std::map<std::string, std::pair<uintmax_t, fs::file_time_type>> files;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    if (e.is_regular_file()) files[e.path().string()] = {e.file_size(), e.last_write_time()};
  }
  return files;
}

size_t CountMentions(const std::vector<std::string>& errors, const std::string& word) {
  size_t n = 0;
  for (const std::string& e : errors) n += e.find(word) != std::string::npos;
  return n;
}

TEST(DamagedFiles, EachIsNamedOnceAndTheGameCarriesOn) {
  const std::string junk = "MThd junk";
  Harness h(HarnessOptions{.Activate = false,
                           .Music = {{"Track1.mid", std::vector<uint8_t>(junk.begin(), junk.end())}},
                           .TrackNames = {"Broken Track"}});
  const fs::path shipped = PLUMIX_GAME_DIR;
  // A private Graphics folder: the shipped one but for the damaged files.
  fs::remove(h.Dir / "Graphics");
  for (const char* sub : {"Cubes", "Edges"}) {
    fs::create_directories(h.Dir / "Graphics");
    fs::create_symlink(shipped / "Graphics" / sub, h.Dir / "Graphics" / sub);
  }
  fs::create_directories(h.Dir / "Graphics" / "Tiles");
  fs::create_directories(h.Dir / "Graphics" / "Fonts");
  for (const char* font : {"Font1.ttf", "Font1Bold.ttf"}) {
    fs::create_symlink(shipped / "Graphics" / "Fonts" / font, h.Dir / "Graphics" / "Fonts" / font);
  }
  Put(h.Dir / "Graphics" / "Fonts" / "Font2.ttf", "not a font");
  Put(h.Dir / "Graphics" / "Tiles" / "Tile1.jpg", std::string("\xFF\xD8\xFF\xE0 cut short", 14));
  Put(h.Dir / "CurArrow.ani", "RIFF\x10\0\0\0ACONjunk");
  const auto before = Snapshot(h.Dir);

  TMain& game = h.Game();
  game.FormActivate();
  EXPECT_EQ(CountMentions(game.Errors, "Tiles.txt"), 1u);
  EXPECT_EQ(CountMentions(game.Errors, "Font2.ttf"), 1u);
  EXPECT_EQ(CountMentions(game.Errors, "Font1.ttf"), 0u) << "a good font is not named";
  EXPECT_EQ(CountMentions(game.Errors, "Track1.mid"), 1u);
  EXPECT_EQ(game.Themes.TileCount(), 0);
  EXPECT_GT(game.Themes.EdgeCount(), 0) << "the good lists are read";

  game.SetCursorMode("Arrow");
  game.SetCursorMode("None");
  game.SetCursorMode("Arrow");
  EXPECT_EQ(CountMentions(game.Errors, "CurArrow.ani"), 1u);

  // A damaged theme picture leaves the picture that was there.
  const Bitmap tile = game.M.DXImageList.Get("Current_Tile").Picture;
  game.Settings.TileChoice = 1;
  EXPECT_FALSE(LoadTile(game));
  EXPECT_EQ(CountMentions(game.Errors, "Tile1.jpg"), 1u);
  EXPECT_EQ(game.M.DXImageList.Get("Current_Tile").Picture.Pixels, tile.Pixels);

  h.RunFrames(5);
  auto after = Snapshot(h.Dir);
  after.erase((h.Dir / "Settings.set").string());
  EXPECT_EQ(after, before) << "only the settings are written";
}

}  // namespace
}  // namespace plumix
