// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The player's settings, kept in memory for the whole run.
#include <cstdint>
#include <string>

namespace plumix {

// Texts are code-page 1250 bytes, at most 30 of them.
struct SettingsRecord {
  std::string PlayerName = "PLUMIX FREAK";
  std::string KeyLeft = "Left";
  std::string KeyRight = "Right";
  std::string KeyDrop = "Down";
  std::string KeyRotate = "Up";
  std::string KeyAction = "Ctrl";
  std::string LRSpeed = "25";
  std::string DropSpeed = "20";
  std::string KeySpeedUp = "I";
  std::string KeyPause = "P";
  std::string KeyTiledBackground = "F10";
  std::string KeySfx = "F11";
  std::string KeyMusic = "F12";
  std::string KeyRandomTile = "F7";
  std::string KeyRandomCube = "F5";
  std::string KeyRandomEdge = "F6";
  std::string KeyRandomTrack = "F8";
  uint8_t TileChoice = 1;
  uint8_t CubeChoice = 1;
  uint8_t EdgeChoice = 1;
  uint8_t TrackChoice = 1;
  bool RandomTile = true;
  bool RandomCube = true;
  bool RandomEdge = true;
  bool RandomTrack = true;
  bool TiledBackground = false;
  bool MusicOff = false;
  bool SfxOff = false;
};

}  // namespace plumix
