// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "media/bitmap.h"
#include "media/clock.h"
#include "media/input.h"
#include "settings/settings_file.h"
#include "settings/theme_lists.h"
#include "support/files.h"

namespace plumix {
namespace {

namespace fs = std::filesystem;
using testing::FreshDir;
using testing::PutText;
using testing::ReadBytes;

// A record as another program could have written it, byte by byte.
std::vector<uint8_t> HandBuiltSettings() {
  std::vector<uint8_t> b(538, 0);
  PutText(b, 0, "Ji\xF8\xED \x8A\x9D" "astn\xFD");  // "Jiří Šťastný"
  const char* texts[] = {"A", "D", "S", "W", "Space", "7", "12345", "Num 1", "Esc",
                         "F2", "F3", "F4", "F9", "F5", "F6", "F8"};
  for (int k = 0; k < 16; ++k) PutText(b, 31 + 31 * k, texts[k]);
  b[527] = 3;
  b[528] = 4;
  b[529] = 5;
  b[530] = 200;
  b[531] = 0;
  b[532] = 1;
  b[533] = 0;
  b[534] = 1;
  b[535] = 1;
  b[536] = 0;
  b[537] = 1;
  return b;
}

TEST(SettingsRecord, ReadsEveryFieldAtItsOffset) {
  Parsed<SettingsRecord> parsed = ParseSettings(HandBuiltSettings());
  ASSERT_TRUE(parsed) << parsed.Error;
  const SettingsRecord& s = *parsed.Value;
  EXPECT_EQ(s.PlayerName, "Ji\xF8\xED \x8A\x9D" "astn\xFD");
  EXPECT_EQ(s.KeyLeft, "A");
  EXPECT_EQ(s.KeyRight, "D");
  EXPECT_EQ(s.KeyDrop, "S");
  EXPECT_EQ(s.KeyRotate, "W");
  EXPECT_EQ(s.KeyAction, "Space");
  EXPECT_EQ(s.LRSpeed, "7");
  EXPECT_EQ(s.DropSpeed, "12345");
  EXPECT_EQ(s.KeySpeedUp, "Num 1");
  EXPECT_EQ(s.KeyPause, "Esc");
  EXPECT_EQ(s.KeyTiledBackground, "F2");
  EXPECT_EQ(s.KeySfx, "F3");
  EXPECT_EQ(s.KeyMusic, "F4");
  EXPECT_EQ(s.KeyRandomTile, "F9");
  EXPECT_EQ(s.KeyRandomCube, "F5");
  EXPECT_EQ(s.KeyRandomEdge, "F6");
  EXPECT_EQ(s.KeyRandomTrack, "F8");
  EXPECT_EQ(s.TileChoice, 3);
  EXPECT_EQ(s.CubeChoice, 4);
  EXPECT_EQ(s.EdgeChoice, 5);
  EXPECT_EQ(s.TrackChoice, 200);
  EXPECT_FALSE(s.RandomTile);
  EXPECT_TRUE(s.RandomCube);
  EXPECT_FALSE(s.RandomEdge);
  EXPECT_TRUE(s.RandomTrack);
  EXPECT_TRUE(s.TiledBackground);
  EXPECT_FALSE(s.MusicOff);
  EXPECT_TRUE(s.SfxOff);
  std::vector<uint8_t> other = HandBuiltSettings();
  for (size_t i = 531; i <= 537; ++i) other[i] = 2;
  const SettingsRecord on = *ParseSettings(other).Value;
  EXPECT_TRUE(on.RandomTile && on.RandomCube && on.RandomEdge && on.RandomTrack && on.TiledBackground &&
              on.MusicOff && on.SfxOff)
      << "a switch is on for any byte but 0";
}

TEST(SettingsRecord, WritesTheSameBytesItRead) {
  std::vector<uint8_t> bytes = HandBuiltSettings();
  EXPECT_EQ(SerialiseSettings(*ParseSettings(bytes).Value), bytes);
}

TEST(SettingsRecord, DefaultsAreStoredAsSpecified) {
  std::vector<uint8_t> b = SerialiseSettings(SettingsRecord{});
  ASSERT_EQ(b.size(), 538u);
  std::vector<uint8_t> expected(538, 0);
  PutText(expected, 0, "PLUMIX FREAK");
  const char* texts[] = {"Left", "Right", "Down", "Up", "Ctrl", "25", "20", "I", "P",
                         "F10", "F11", "F12", "F7", "F5", "F6", "F8"};
  for (int k = 0; k < 16; ++k) PutText(expected, 31 + 31 * k, texts[k]);
  for (size_t i = 527; i <= 534; ++i) expected[i] = 1;
  EXPECT_EQ(b, expected);
}

TEST(SettingsRecord, DefaultChoicesComeFromTheListSizes) {
  Random rng(7);
  ThemeLists empty;
  SettingsRecord first = DefaultSettings(rng, empty);
  EXPECT_EQ(first.TileChoice, 1);
  EXPECT_EQ(first.CubeChoice, 1);
  EXPECT_EQ(first.EdgeChoice, 1);
  EXPECT_EQ(first.TrackChoice, 1);
  ThemeLists lists;
  lists.Tiles = {"a", "b", "c"};
  lists.Cubes = {"a", "b"};
  lists.Edges = {"a", "b", "c", "d"};
  lists.Tracks = {"a", "b", "c", "d", "e"};
  std::array<bool, 6> seen{};
  for (int i = 0; i < 200; ++i) {
    SettingsRecord s = DefaultSettings(rng, lists);
    ASSERT_GE(s.TileChoice, 1);
    ASSERT_LE(s.TileChoice, 3);
    ASSERT_GE(s.CubeChoice, 1);
    ASSERT_LE(s.CubeChoice, 2);
    ASSERT_GE(s.EdgeChoice, 1);
    ASSERT_LE(s.EdgeChoice, 4);
    ASSERT_GE(s.TrackChoice, 1);
    ASSERT_LE(s.TrackChoice, 5);
    seen[s.TrackChoice] = true;
  }
  for (int t = 1; t <= 5; ++t) EXPECT_TRUE(seen[t]) << "track " << t << " never chosen";
}

TEST(SettingsRecord, UnsafeTextLengthsAndWrongSizes) {
  std::vector<uint8_t> b = HandBuiltSettings();
  b[31] = 200;  // KeyLeft claims 200 characters in a 30-byte field
  for (int i = 0; i < 30; ++i) b[32 + i] = static_cast<uint8_t>('a' + i % 26);
  Parsed<SettingsRecord> parsed = ParseSettings(b);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed.Value->KeyLeft.size(), 30u);
  EXPECT_EQ(parsed.Value->KeyRight, "D") << "the next field is untouched";

  SettingsRecord longName;
  longName.PlayerName = std::string(45, 'X');
  std::vector<uint8_t> written = SerialiseSettings(longName);
  EXPECT_EQ(written[0], 30);
  EXPECT_EQ(written[31], 4) << "the name must not spill into KeyLeft";

  std::vector<uint8_t> longer = HandBuiltSettings();
  longer.resize(1076, 0xEE);
  Parsed<SettingsRecord> first = ParseSettings(longer);
  ASSERT_TRUE(first) << "a longer file is read as its first record";
  EXPECT_EQ(SerialiseSettings(*first.Value), HandBuiltSettings());
  for (size_t size : {0u, 537u}) {
    Parsed<SettingsRecord> bad = ParseSettings(std::vector<uint8_t>(size, 0));
    EXPECT_FALSE(bad) << size;
    EXPECT_NE(bad.Error.find(std::to_string(size)), std::string::npos) << bad.Error;
  }
}

TEST(SettingsFile, MissingFileIsCreatedWithTheDefaults) {
  fs::path dir = FreshDir("missing");
  fs::path path = dir / "Settings.set";
  Random rng(1);
  SettingsLoad load = LoadSettingsFile(path, rng, ThemeLists{});
  EXPECT_TRUE(load.Messages.empty());
  ASSERT_EQ(fs::file_size(path), 538u);
  Parsed<SettingsRecord> back = ParseSettings(ReadBytes(path));
  ASSERT_TRUE(back);
  EXPECT_EQ(back.Value->PlayerName, "PLUMIX FREAK");
  EXPECT_EQ(back.Value->TileChoice, 1);
  EXPECT_TRUE(back.Value->RandomTrack);
  EXPECT_FALSE(back.Value->SfxOff);
  EXPECT_EQ(load.Settings.PlayerName, "PLUMIX FREAK");
}

TEST(SettingsFile, ExistingFileIsRead) {
  fs::path dir = FreshDir("existing");
  fs::path path = dir / "Settings.set";
  std::string error;
  ASSERT_TRUE(WriteFileBytes(path, HandBuiltSettings(), &error)) << error;
  Random rng(1);
  SettingsLoad load = LoadSettingsFile(path, rng, ThemeLists{});
  EXPECT_TRUE(load.Messages.empty());
  EXPECT_EQ(load.Settings.KeyAction, "Space");
  EXPECT_EQ(ReadBytes(path), HandBuiltSettings()) << "reading must not rewrite the file";
}

TEST(SettingsFile, WrongSizeIsSetAsideAndReplaced) {
  fs::path dir = FreshDir("wrongsize");
  fs::path path = dir / "Settings.set";
  std::vector<uint8_t> shortFile(100, 0x41);
  std::string error;
  ASSERT_TRUE(WriteFileBytes(path, shortFile, &error));
  Random rng(1);
  SettingsLoad load = LoadSettingsFile(path, rng, ThemeLists{});
  ASSERT_EQ(load.Messages.size(), 1u);
  EXPECT_NE(load.Messages[0].find("Settings.set.bad"), std::string::npos) << load.Messages[0];
  EXPECT_NE(load.Messages[0].find("100 bytes"), std::string::npos) << load.Messages[0];
  EXPECT_EQ(ReadBytes(dir / "Settings.set.bad"), shortFile) << "the damaged file is kept";
  EXPECT_EQ(ReadBytes(path), SerialiseSettings(SettingsRecord{}));
  EXPECT_EQ(load.Settings.PlayerName, "PLUMIX FREAK");

  // A second damaged file does not overwrite the first one set aside.
  std::vector<uint8_t> otherFile(60, 0x42);
  ASSERT_TRUE(WriteFileBytes(path, otherFile, &error));
  load = LoadSettingsFile(path, rng, ThemeLists{});
  EXPECT_EQ(ReadBytes(dir / "Settings.set.bad"), shortFile);
  EXPECT_EQ(ReadBytes(dir / "Settings.set.bad.1"), otherFile);
  EXPECT_EQ(fs::file_size(path), 538u);

  // A damaged file the player protected stays where and as it is.
  ASSERT_TRUE(WriteFileBytes(path, otherFile, &error));
  fs::permissions(path, fs::perms(0444));
  load = LoadSettingsFile(path, rng, ThemeLists{});
  ASSERT_EQ(load.Messages.size(), 1u);
  EXPECT_NE(load.Messages[0].find("write-protected"), std::string::npos) << load.Messages[0];
  EXPECT_EQ(ReadBytes(path), otherFile);
  EXPECT_FALSE(fs::exists(dir / "Settings.set.bad.2"));
  EXPECT_EQ(load.Settings.PlayerName, "PLUMIX FREAK");
}

TEST(SettingsFile, UnreadableFileIsLeftAlone) {
  fs::path dir = FreshDir("unreadable");
  fs::path path = dir / "Settings.set";
  fs::create_directories(path / "inside");
  Random rng(1);
  SettingsLoad load = LoadSettingsFile(path, rng, ThemeLists{});
  ASSERT_EQ(load.Messages.size(), 1u);
  EXPECT_NE(load.Messages[0].find("cannot be read"), std::string::npos) << load.Messages[0];
  EXPECT_EQ(load.Settings.KeyLeft, "Left");
  EXPECT_TRUE(fs::is_directory(path / "inside"));
}

TEST(SettingsFile, SaveWritesTheRecord) {
  fs::path dir = FreshDir("save");
  fs::path path = dir / "Settings.set";
  SettingsRecord s;
  s.PlayerName = "Ana";
  s.MusicOff = true;
  std::string error;
  ASSERT_TRUE(SaveSettingsFile(path, s, &error)) << error;
  std::vector<uint8_t> bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 538u);
  EXPECT_EQ(bytes[0], 3);
  EXPECT_EQ(bytes[536], 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
      << "no temporary file is left";
}

TEST(SettingsFile, InterruptedSaveLeavesTheOldFile) {
  fs::path dir = FreshDir("interrupted");
  fs::path path = dir / "Settings.set";
  std::string error;
  ASSERT_TRUE(WriteFileBytes(path, HandBuiltSettings(), &error));
  SettingsRecord other;

  // The temporary file cannot be made.
  fs::create_directories(dir / ".Settings.set.saving" / "x");
  EXPECT_FALSE(SaveSettingsFile(path, other, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadBytes(path), HandBuiltSettings());
  fs::remove_all(dir / ".Settings.set.saving");

  // The disk fills up in the middle of the write.
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit tiny = saved;
  tiny.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
  bool saved_ok = SaveSettingsFile(path, other, &error);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(saved_ok);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadBytes(path), HandBuiltSettings());
  EXPECT_FALSE(fs::exists(dir / ".Settings.set.saving")) << "no half-written file is left";
}

TEST(KeyAssignments, PlayerKeysGoToSlotZero) {
  KeyboardReader reader;
  SettingsRecord s;
  s.KeyLeft = "A";
  s.KeyRight = "D";
  s.KeyDrop = "S";
  s.KeyRotate = "W";
  s.KeyAction = "Space";
  s.KeySpeedUp = "Num 5";
  s.KeyPause = "nonsense";
  ApplyKeyAssignments(s, reader);
  EXPECT_EQ(reader.Assigns[InputLeft][0], 'A');
  EXPECT_EQ(reader.Assigns[InputRight][0], 'D');
  EXPECT_EQ(reader.Assigns[InputDown][0], 'S');
  EXPECT_EQ(reader.Assigns[InputUp][0], 'W');
  EXPECT_EQ(reader.Assigns[InputButton1][0], 32);
  EXPECT_EQ(reader.Assigns[InputButton2][0], 101);
  EXPECT_EQ(reader.Assigns[InputButton11][0], 112) << "an unknown name is F1";
  EXPECT_EQ(reader.Assigns[InputLeft][1], kVkLeft) << "the arrows keep working";
  EXPECT_EQ(reader.Assigns[InputUp][1], kVkUp);
  EXPECT_EQ(reader.Assigns[InputButton31][0], kVkEscape);
}

}  // namespace
}  // namespace plumix
