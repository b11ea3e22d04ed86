// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The headless game: a fresh TMain on a fake clock with a fixed seed, in a
// game folder of its own, driven by key events and whole frames.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "app/main_form.h"

namespace plumix::testing {

struct HarnessOptions {
  bool Activate = true;   // run the first activation at once
  uint64_t Seed = 12345;
  double FrameMs = 1000.0 / 60;  // time that passes per frame
  bool Audio = false;
  // Replaces the game folder's Music with these files (name -> bytes).
  std::vector<std::pair<std::string, std::vector<uint8_t>>> Music{};
  std::vector<std::string> TrackNames{};
  // The player's files go to Dir/home/config and Dir/home/data, as for a
  // read-only game folder.
  bool PlayerFolders = false;
};

class Harness {
 public:
  explicit Harness(HarnessOptions options = {});
  ~Harness();

  TMain& Game() { return *game_; }
  FakeClock Clock;
  std::filesystem::path Dir;  // the game folder of this harness

  // One idle turn per frame, with FrameMs passing before it.
  void RunFrames(int count);
  // Runs frames until the measured frame rate is in force (FrameScale 90 at 60 frames a second).
  void WarmUp();
  void KeyDown(uint16_t key);
  void KeyUp(uint16_t key);
  void Press(uint16_t key);
  // The pointer on the surface: moved there, then the left button pressed and let go.
  void Click(int x, int y);
  void Pointer(PlatformEventType type, int x, int y);
  // Typed text, UTF-8, as the window's text input delivers it.
  void Type(const std::string& utf8);
  // The presented picture, 0xRRGGBB.
  uint32_t Pixel(int x, int y) const;
  uint16_t SurfacePixel(int x, int y);
  // Saves the presented picture as build/test-shots/<name>.png and returns its path.
  std::string SavePng(const std::string& name) const;

  // Holds a key down for `frames` frames, so that the play frame sees it.
  void Hold(uint16_t key, int frames);
  // Writes an adventure into the game folder's Adventures under `fileName`.
  void WriteAdventure(const std::string& fileName, const AdventureRecord& adventure);
  // Reads an adventure file of the game folder back, as stored.
  AdventureRecord ReadAdventure(const std::string& fileName) const;

  // Starts level `level` of an adventure file of the game folder's Adventures
  // as a new game would: loaded, set up, play sprites made, play screen on.
  // The next frame is the level's first play frame.
  void StartLevelFromFile(const std::string& fileName, int level);
  // The same for an adventure made in memory, written as Adventures/Test.paf first.
  void StartLevel(const AdventureRecord& adventure, int level);

 private:
  HarnessOptions options_;
  std::unique_ptr<TMain> game_;
};

// A level of 30 x 30 cells: Edge walls in columns 1 and 30 and in row 30,
// Empty cells inside, the entry at (14, 1) with its EntryMark, only kind 8
// (one cell) allowed, an Action level of 10 lines.
LevelRecord MakeTestLevel();
// A hall (rows 1..6) that can never fill, as a sealed cell of each of its
// rows is out of reach, over a shaft one column wide (column 16, rows 7..14)
// in rows otherwise filled with blocks: one long element (kind 1, the only
// kind) in the shaft wins the level's 4 lines. With a cap, a block in row 7
// seals the shaft, and only a laser shot opens it.
LevelRecord MakeShaftLevel(bool capped);
// An adventure of `levels` copies of MakeTestLevel.
AdventureRecord MakeTestAdventure(int levels = 1);

// A game folder under the temporary folder: the shipped theme files linked
// in read-only, the adventures copied so that saves stay private.
std::filesystem::path MakeGameFolder(const std::string& tag);
// A standard MIDI file of one track that lasts the given time at 120 beats a minute.
std::vector<uint8_t> MakeMidi(int milliseconds);

}  // namespace plumix::testing
