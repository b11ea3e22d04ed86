// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Settings.set: one record of 538 bytes, read and written field by field, and
// the player keys it makes active.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "media/error.h"
#include "media/files.h"
#include "settings/settings.h"

namespace plumix {

class TMain;
class KeyboardReader;
class Random;
struct ThemeLists;

constexpr size_t kSettingsFileSize = 538;

// ---- Game-facing wrappers (problems go to ReportError) ----
void LoadSettings(TMain& game);
void SaveSettings(TMain& game);
void ApplyKeyAssignments(TMain& game);

// ---- The same on plain values ----
// Fails only for a file shorter than one record (a longer one is read as its
// first record); a text length above 30 reads 30 characters.
Parsed<SettingsRecord> ParseSettings(std::span<const uint8_t> bytes);
// Texts longer than 30 bytes are cut; bytes after a text are zero.
std::vector<uint8_t> SerialiseSettings(const SettingsRecord& settings);
// The choices are Random(n) + 1 for the lists' current sizes.
SettingsRecord DefaultSettings(Random& rng, const ThemeLists& lists);

struct SettingsLoad {
  SettingsRecord Settings;
  std::vector<std::string> Messages;  // for the player; empty when all went well
};
// A missing file is created with the defaults; a file of the wrong size is
// renamed to "<name>.bad" (or ".bad.1", ...) and replaced by the defaults; an
// unreadable file is left alone and the defaults are used.
SettingsLoad LoadSettingsFile(const std::filesystem::path& path, Random& rng,
                              const ThemeLists& lists);
// Replaces the record at once or not at all, keeping any bytes after it.
SaveResult SaveSettingsFile(const std::filesystem::path& path, const SettingsRecord& settings);
bool SaveSettingsFile(const std::filesystem::path& path, const SettingsRecord& settings,
                      std::string* error);

// Slot 0 of the seven player-key states, in the order left, right, drop,
// rotate, action, speed-up, pause.
void ApplyKeyAssignments(const SettingsRecord& settings, KeyboardReader& reader);

}  // namespace plumix
