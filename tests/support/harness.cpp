// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/harness.h"

#include "engine/board.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <stdexcept>

#include "adventure/adventure_file.h"
#include "adventure/adventure_list.h"
#include "adventure/level_setup.h"
#include "adventure/specials.h"
#include "bot/bot.h"
#include "media/panels.h"

namespace plumix::testing {
namespace fs = std::filesystem;

fs::path MakeGameFolder(const std::string& tag) {
  static std::atomic<int> counter{0};
  fs::path dir = fs::temp_directory_path() /
                 ("plumix-" + tag + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path shipped = PLUMIX_GAME_DIR;
  for (const char* name : {"Graphics", "CurArrow.ani"}) {
    if (fs::exists(shipped / name)) fs::create_symlink(shipped / name, dir / name);
  }
  fs::create_directories(dir / "Adventures");
  if (fs::exists(shipped / "Adventures")) {
    fs::copy(shipped / "Adventures", dir / "Adventures", fs::copy_options::recursive);
  }
  return dir;
}

LevelRecord MakeTestLevel() {
  LevelRecord level;
  level.Title = "Test Level";
  level.LevelType = 0;
  level.LinesToFinish = 10;
  level.TimeToFinish = 100;
  level.LinesToIncreaseSpeed = 5;
  level.StartSpeed = 0;
  level.MaximalSpeed = 9;
  level.NextElements = 2;
  level.EntryColumn = 14;
  level.EntryRow = 1;
  MakeOpenWell(level.Board, level.EntryColumn, level.EntryRow);
  level.Elements[8] = 1;
  return level;
}

LevelRecord MakeShaftLevel(bool capped) {
  LevelRecord level = MakeTestLevel();
  level.Title = capped ? "Capped Shaft" : "Shaft";
  level.Board = {};
  for (int y = 1; y <= 15; ++y) {
    for (int x = 9; x <= 18; ++x) {
      const bool wall = x == 9 || x == 18 || y == 15 || (x == 11 && y <= 7);
      const bool open = y <= 6 || x == 16 || (x == 10 && y == 7);
      level.Board[x][y].Code = wall ? kEdge : open ? kEmpty : kBlock;
    }
  }
  if (capped) level.Board[16][7].Code = kBlock;
  level.EntryColumn = 12;
  level.Board[12][1].Code = kEntryMark;
  level.Elements = {};
  level.Elements[1] = 1;
  level.NextElements = 0;
  level.LinesToFinish = 4;
  return level;
}

AdventureRecord MakeTestAdventure(int levels) {
  AdventureRecord adventure;
  adventure.Title = "Test Adventure";
  adventure.Author = "Tests";
  adventure.LastLevelIndex = static_cast<uint8_t>(levels - 1);
  for (int k = 1; k <= levels; ++k) {
    adventure.Levels[k] = MakeTestLevel();
    adventure.Levels[k].Title = "Test Level " + std::to_string(k);
  }
  return adventure;
}

std::vector<uint8_t> MakeMidi(int milliseconds) {
  // 480 ticks a quarter note at 500000 us a quarter: one tick is 1.0416 ms.
  uint32_t ticks = static_cast<uint32_t>(milliseconds * 480 / 500);
  std::vector<uint8_t> track = {0x00, 0xC0, 0x00, 0x00, 0x90, 60, 80};
  uint8_t delta[4];
  int n = 0;
  uint32_t v = ticks;
  delta[n++] = v & 0x7F;
  while (v >>= 7) delta[n++] = 0x80 | (v & 0x7F);
  for (int i = n - 1; i >= 0; --i) track.push_back(delta[i]);
  track.insert(track.end(), {0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00});
  std::vector<uint8_t> midi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
                               'M', 'T', 'r', 'k'};
  uint32_t size = static_cast<uint32_t>(track.size());
  midi.insert(midi.end(), {static_cast<uint8_t>(size >> 24), static_cast<uint8_t>(size >> 16),
                           static_cast<uint8_t>(size >> 8), static_cast<uint8_t>(size)});
  midi.insert(midi.end(), track.begin(), track.end());
  return midi;
}

Harness::Harness(HarnessOptions options) : options_(std::move(options)) {
  Dir = MakeGameFolder("game");
  const fs::path shipped = PLUMIX_GAME_DIR;
  if (options_.Music.empty()) {
    if (fs::exists(shipped / "Music")) fs::create_symlink(shipped / "Music", Dir / "Music");
  } else {
    fs::create_directories(Dir / "Music");
    for (const auto& [name, bytes] : options_.Music) {
      std::ofstream(Dir / "Music" / name, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::ofstream list(Dir / "Music" / "Tracks.txt", std::ios::binary);
    for (const std::string& name : options_.TrackNames) list << name << "\r\n";
  }
  GameOptions game;
  game.GameDir = Dir;
  if (options_.PlayerFolders) {
    game.ConfigDir = Dir / "home" / "config";
    game.DataDir = Dir / "home" / "data";
  }
  game.Headless = true;
  game.Audio = options_.Audio;
  game.SeedFromClock = false;
  game.Seed = options_.Seed;
  game_ = std::make_unique<TMain>(game, Clock);
  game_->FormCreate();
  if (options_.Activate) game_->FormActivate();
}

Harness::~Harness() {
  game_.reset();
  std::error_code ignored;
  fs::remove_all(Dir, ignored);
}

void Harness::RunFrames(int count) {
  for (int i = 0; i < count; ++i) {
    Clock.Advance(options_.FrameMs);
    game_->Idle();
  }
}

void Harness::WarmUp() {
  while (game_->M.DXTimer.FrameRate() == 0) RunFrames(1);
  RunFrames(1);
}

void Harness::KeyDown(uint16_t key) { game_->Dispatch({PlatformEventType::KeyDown, key, false}); }
void Harness::KeyUp(uint16_t key) { game_->Dispatch({PlatformEventType::KeyUp, key, false}); }
void Harness::Press(uint16_t key) {
  KeyDown(key);
  KeyUp(key);
}

void Harness::Pointer(PlatformEventType type, int x, int y) {
  PlatformEvent event;
  event.Type = type;
  event.X = x;
  event.Y = y;
  event.Button = 1;
  game_->Dispatch(event);
}

void Harness::Click(int x, int y) {
  Pointer(PlatformEventType::MouseMove, x, y);
  Pointer(PlatformEventType::MouseDown, x, y);
  Pointer(PlatformEventType::MouseUp, x, y);
}

void Harness::Type(const std::string& utf8) {
  PlatformEvent event;
  event.Type = PlatformEventType::TextInput;
  event.Text = utf8;
  game_->Dispatch(event);
}

void Harness::Hold(uint16_t key, int frames) {
  KeyDown(key);
  RunFrames(frames);
  KeyUp(key);
}

void Harness::WriteAdventure(const std::string& fileName, const AdventureRecord& adventure) {
  std::vector<uint8_t> bytes = SerialiseAdventure(adventure);
  std::ofstream(Dir / "Adventures" / fileName, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

AdventureRecord Harness::ReadAdventure(const std::string& fileName) const {
  std::string error;
  std::vector<uint8_t> bytes = ReadFileBytes(Dir / "Adventures" / fileName, &error);
  Parsed<AdventureRecord> adventure = ParseAdventure(bytes);
  if (!adventure) throw std::runtime_error("cannot read " + fileName + ": " + error + adventure.Error);
  return std::move(*adventure.Value);
}

void Harness::StartLevelFromFile(const std::string& fileName, int level) {
  Parsed<AdventureRecord> adventure = LoadAdventureFile(Dir / "Adventures" / fileName, nullptr);
  if (!adventure) throw std::runtime_error("cannot load " + fileName + ": " + adventure.Error);
  StartLevelDirectly(*game_, *adventure.Value, level);
  game_->Adv.LoadedFileName = fileName;
  // A test game saves its high score on a loss, as a played game does.
  game_->Adv.SaveCount = 0;
}

void Harness::StartLevel(const AdventureRecord& adventure, int level) {
  std::vector<uint8_t> bytes = SerialiseAdventure(adventure);
  std::ofstream(Dir / "Adventures" / "Test.paf", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  StartLevelFromFile("Test.paf", level);
}

uint32_t Harness::Pixel(int x, int y) const {
  return game_->M.DXDraw.Presented()[static_cast<size_t>(y) * Display::kWidth + x] & 0xFFFFFF;
}

uint16_t Harness::SurfacePixel(int x, int y) { return game_->M.DXDraw.Surface().At(x, y); }

std::string Harness::SavePng(const std::string& name) const {
  fs::path dir = fs::path(PLUMIX_BINARY_DIR) / "test-shots";
  fs::create_directories(dir);
  std::string path = (dir / (name + ".png")).string();
  game_->M.DXDraw.SavePresentedPng(path);
  return path;
}

}  // namespace plumix::testing
