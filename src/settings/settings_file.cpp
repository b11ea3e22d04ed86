// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_file.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "app/main_form.h"
#include "media/bitmap.h"
#include "media/clock.h"
#include "media/input.h"
#include "settings/key_names.h"
#include "settings/theme_lists.h"

namespace plumix {
namespace {

constexpr size_t kTextCapacity = 30;
constexpr size_t kTextSize = kTextCapacity + 1;
constexpr size_t kTextsOffset = 0;
constexpr size_t kTextCount = 17;
constexpr size_t kTileChoice = 527, kCubeChoice = 528, kEdgeChoice = 529, kTrackChoice = 530,
                 kRandomTile = 531, kRandomCube = 532, kRandomEdge = 533, kRandomTrack = 534,
                 kTiledBackground = 535, kMusicOff = 536, kSfxOff = 537;
static_assert(kTextsOffset + kTextSize * kTextCount == kTileChoice);
static_assert(kSfxOff + 1 == kSettingsFileSize);

// The texts in file order: text k lies at offset 31 k.
template <class Record>
auto Texts(Record& s) {
  return std::array{&s.PlayerName, &s.KeyLeft, &s.KeyRight, &s.KeyDrop, &s.KeyRotate,
                    &s.KeyAction, &s.LRSpeed, &s.DropSpeed, &s.KeySpeedUp, &s.KeyPause,
                    &s.KeyTiledBackground, &s.KeySfx, &s.KeyMusic, &s.KeyRandomTile,
                    &s.KeyRandomCube, &s.KeyRandomEdge, &s.KeyRandomTrack};
}

std::string ReadText(std::span<const uint8_t> bytes, size_t offset) {
  size_t length = std::min<size_t>(bytes[offset], kTextCapacity);
  return std::string(bytes.begin() + offset + 1, bytes.begin() + offset + 1 + length);
}

void WriteText(std::span<uint8_t> bytes, size_t offset, const std::string& text) {
  size_t length = std::min(text.size(), kTextCapacity);
  bytes[offset] = static_cast<uint8_t>(length);
  for (size_t i = 0; i < length; ++i) bytes[offset + 1 + i] = static_cast<uint8_t>(text[i]);
}

// "Settings.set.bad", or the first of ".bad.1", ".bad.2", ... that is free.
std::filesystem::path FreeBadName(const std::filesystem::path& path) {
  std::filesystem::path bad = path;
  bad += ".bad";
  std::error_code ec;
  for (int n = 1; std::filesystem::exists(bad, ec) && n < 1000; ++n) {
    bad = path;
    bad += ".bad." + std::to_string(n);
  }
  return bad;
}

std::string FileName(const std::filesystem::path& path) { return path.filename().string(); }

}  // namespace

Parsed<SettingsRecord> ParseSettings(std::span<const uint8_t> bytes) {
  if (bytes.size() < kSettingsFileSize) {
    return Parsed<SettingsRecord>::Fail("it is only " + std::to_string(bytes.size()) +
                                        " bytes long instead of " +
                                        std::to_string(kSettingsFileSize));
  }
  SettingsRecord s;
  auto texts = Texts(s);
  for (size_t k = 0; k < kTextCount; ++k) *texts[k] = ReadText(bytes, kTextsOffset + kTextSize * k);
  s.TileChoice = bytes[kTileChoice];
  s.CubeChoice = bytes[kCubeChoice];
  s.EdgeChoice = bytes[kEdgeChoice];
  s.TrackChoice = bytes[kTrackChoice];
  s.RandomTile = bytes[kRandomTile] != 0;
  s.RandomCube = bytes[kRandomCube] != 0;
  s.RandomEdge = bytes[kRandomEdge] != 0;
  s.RandomTrack = bytes[kRandomTrack] != 0;
  s.TiledBackground = bytes[kTiledBackground] != 0;
  s.MusicOff = bytes[kMusicOff] != 0;
  s.SfxOff = bytes[kSfxOff] != 0;
  return Parsed<SettingsRecord>::Ok(std::move(s));
}

std::vector<uint8_t> SerialiseSettings(const SettingsRecord& settings) {
  std::vector<uint8_t> bytes(kSettingsFileSize, 0);
  auto texts = Texts(settings);
  for (size_t k = 0; k < kTextCount; ++k) WriteText(bytes, kTextsOffset + kTextSize * k, *texts[k]);
  bytes[kTileChoice] = settings.TileChoice;
  bytes[kCubeChoice] = settings.CubeChoice;
  bytes[kEdgeChoice] = settings.EdgeChoice;
  bytes[kTrackChoice] = settings.TrackChoice;
  bytes[kRandomTile] = settings.RandomTile;
  bytes[kRandomCube] = settings.RandomCube;
  bytes[kRandomEdge] = settings.RandomEdge;
  bytes[kRandomTrack] = settings.RandomTrack;
  bytes[kTiledBackground] = settings.TiledBackground;
  bytes[kMusicOff] = settings.MusicOff;
  bytes[kSfxOff] = settings.SfxOff;
  return bytes;
}

SettingsRecord DefaultSettings(Random& rng, const ThemeLists& lists) {
  SettingsRecord s;
  s.TileChoice = static_cast<uint8_t>(rng(lists.TileCount()) + 1);
  s.CubeChoice = static_cast<uint8_t>(rng(lists.CubeCount()) + 1);
  s.EdgeChoice = static_cast<uint8_t>(rng(lists.EdgeCount()) + 1);
  s.TrackChoice = static_cast<uint8_t>(rng(lists.TrackCount()) + 1);
  return s;
}

SettingsLoad LoadSettingsFile(const std::filesystem::path& path, Random& rng,
                              const ThemeLists& lists) {
  SettingsLoad result;
  std::string name = FileName(path);
  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (!std::filesystem::exists(status)) {
    result.Settings = DefaultSettings(rng, lists);
    SaveResult saved = SaveSettingsFile(path, result.Settings);
    if (!saved) {
      result.Messages.push_back(name + " could not be created; the settings will not be kept. " +
                                saved.Error);
    }
    return result;
  }
  std::string error;
  std::vector<uint8_t> bytes;
  if (!std::filesystem::is_regular_file(status)) {
    error = "it is not a file";
  } else {
    bytes = ReadFileBytes(path, &error);
  }
  if (!error.empty()) {
    result.Settings = DefaultSettings(rng, lists);
    result.Messages.push_back(name + " cannot be read (" + error +
                              "); the default settings are used and the file is left as it is.");
    return result;
  }
  Parsed<SettingsRecord> parsed = ParseSettings(bytes);
  if (parsed) {
    result.Settings = std::move(*parsed.Value);
    return result;
  }
  result.Settings = DefaultSettings(rng, lists);
  if (IsWriteProtected(path)) {
    result.Messages.push_back(name + " is damaged (" + parsed.Error +
                              ") and write-protected; it is left as it is and the default "
                              "settings are used.");
    return result;
  }
  std::filesystem::path bad = FreeBadName(path);
  std::filesystem::rename(path, bad, ec);
  if (ec) {
    result.Messages.push_back(name + " is damaged (" + parsed.Error +
                              ") and could not be set aside (" + ec.message() +
                              "); the default settings are used.");
    return result;
  }
  std::string message = name + " was damaged (" + parsed.Error + "); it was renamed to " +
                        FileName(bad) + " and the default settings are used.";
  SaveResult saved = SaveSettingsFile(path, result.Settings);
  if (!saved) message += " " + saved.Error;
  result.Messages.push_back(message);
  return result;
}

SaveResult SaveSettingsFile(const std::filesystem::path& path, const SettingsRecord& settings) {
  std::vector<uint8_t> bytes = SerialiseSettings(settings);
  // Whatever follows the record in a longer file is kept.
  std::string ignored;
  std::vector<uint8_t> old = ReadFileBytes(path, &ignored);
  if (old.size() > kSettingsFileSize) bytes.insert(bytes.end(), old.begin() + kSettingsFileSize, old.end());
  return SaveFile(path, bytes);
}

bool SaveSettingsFile(const std::filesystem::path& path, const SettingsRecord& settings,
                      std::string* error) {
  SaveResult saved = SaveSettingsFile(path, settings);
  if (error) *error = saved.Error;
  return static_cast<bool>(saved);
}

void ApplyKeyAssignments(const SettingsRecord& settings, KeyboardReader& reader) {
  const std::pair<const std::string*, InputState> mapping[] = {
      {&settings.KeyLeft, InputLeft},        {&settings.KeyRight, InputRight},
      {&settings.KeyDrop, InputDown},        {&settings.KeyRotate, InputUp},
      {&settings.KeyAction, InputButton1},   {&settings.KeySpeedUp, InputButton2},
      {&settings.KeyPause, InputButton11},
  };
  for (const auto& [name, state] : mapping) reader.Assigns[state][0] = KeyCodeFromName(*name);
}

void LoadSettings(TMain& game) {
  const std::filesystem::path path = SettingsPath(game.Places());
  std::string folderError;
  if (!MakeFolderFor(path, &folderError)) game.ReportError("No folder for the settings: " + folderError);
  SettingsLoad load = LoadSettingsFile(path, game.Rng, game.Themes);
  game.Settings = std::move(load.Settings);
  for (const std::string& message : load.Messages) game.ReportError(message);
  ApplyKeyAssignments(game);
}

void SaveSettings(TMain& game) {
  SaveResult saved = SaveSettingsFile(SettingsPath(game.Places()), game.Settings);
  if (saved.Status == SaveStatus::Protected) {
    // The panel saves on every close; a player who protected the file hears it once.
    game.ReportErrorOnce("The settings are not saved: " + saved.Error +
                         " Changes last until the game ends.");
  } else if (!saved) {
    game.ReportError("The settings could not be saved: " + saved.Error);
  }
}

void ApplyKeyAssignments(TMain& game) { ApplyKeyAssignments(game.Settings, game.M.DXInput); }

}  // namespace plumix
