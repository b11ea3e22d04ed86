// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/places.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace plumix {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderName = "plumix-adventure";

// $variable when it holds an absolute path, else $HOME/fallback.
fs::path XdgHome(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return fs::path(value) / kFolderName;
  const char* home = std::getenv("HOME");
  fs::path base = home && *home ? fs::path(home) : fs::temp_directory_path();
  return base / fallback / kFolderName;
}

bool Writable(const fs::path& folder) { return ::access(folder.c_str(), W_OK) == 0; }

}  // namespace

FilePlaces FindPlaces(const fs::path& programDir, const fs::path& installedData) {
  std::error_code ec;
  FilePlaces places;
  const bool portable = fs::is_directory(programDir / "Graphics", ec);
  places.GameDir = portable ? programDir : (programDir / installedData).lexically_normal();
  if (portable && Writable(programDir)) return places;
  places.ConfigDir = XdgHome("XDG_CONFIG_HOME", ".config");
  places.DataDir = XdgHome("XDG_DATA_HOME", ".local/share");
  return places;
}

fs::path SettingsPath(const FilePlaces& places) {
  return (places.ConfigDir.empty() ? places.GameDir : places.ConfigDir) / "Settings.set";
}

bool MakeFolderFor(const fs::path& file, std::string* error) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  if (!ec) return true;
  if (error) *error = file.parent_path().string() + ": " + ec.message();
  return false;
}

std::vector<fs::path> AdventureFolders(const FilePlaces& places) {
  std::vector<fs::path> folders{places.GameDir / "Adventures"};
  if (!places.DataDir.empty()) folders.push_back(places.DataDir / "Adventures");
  return folders;
}

fs::path AdventureReadPath(const FilePlaces& places, const std::string& name) {
  std::vector<fs::path> folders = AdventureFolders(places);
  std::error_code ec;
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
    if (fs::exists(*it / name, ec)) return *it / name;
  }
  return folders.front() / name;
}

fs::path AdventureSavePath(const FilePlaces& places, const std::string& name, std::string* error) {
  const fs::path shipped = places.GameDir / "Adventures" / name;
  if (places.DataDir.empty()) return shipped;
  const fs::path own = places.DataDir / "Adventures" / name;
  std::error_code ec;
  if (fs::exists(own, ec) || !MakeFolderFor(own, error)) return own;
  fs::copy_file(shipped, own, ec);
  // Copied files keep the shipped read-only mode; the player's copy is theirs to write.
  if (!ec) {
    fs::permissions(own, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
  }
  if (ec && error) *error = "the player's copy " + own.string() + " cannot be made: " + ec.message();
  return own;
}

}  // namespace plumix
