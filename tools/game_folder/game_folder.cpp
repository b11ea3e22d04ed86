// SPDX-License-Identifier: GPL-3.0-or-later
// Brings the shipped files into a game folder the player may already have
// played in, as every build does for build/game:
//   plumix-game-folder SOURCE GAME_FOLDER
// A file the folder lacks is copied. A file the player has not changed since
// the last build shipped it (".shipped-files" remembers what was shipped) is
// replaced by the new one; one the player changed is kept, with a warning.
// Shipped adventures follow the update rule of adventure_update.h, so the
// player's high scores survive a release; the player's own adventures and
// Settings.set are never touched.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "adventure/adventure_file.h"
#include "adventure/adventure_update.h"
#include "media/files.h"

using namespace plumix;
namespace {

namespace fs = std::filesystem;

constexpr const char* kManifestName = ".shipped-files";

uint64_t Fingerprint(const std::vector<uint8_t>& bytes) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (uint8_t b : bytes) hash = (hash ^ b) * 1099511628211ull;
  return hash ^ bytes.size();
}

std::map<std::string, uint64_t> ReadManifest(const fs::path& path) {
  std::map<std::string, uint64_t> manifest;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    uint64_t hash = 0;
    std::string name;
    if (fields >> std::hex >> hash && std::getline(fields >> std::ws, name)) manifest[name] = hash;
  }
  return manifest;
}

bool IsShippedAdventure(const fs::path& relative) {
  return relative.parent_path() == "Adventures" && IsAdventureName(relative.filename().string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: plumix-game-folder SOURCE GAME_FOLDER\n");
    return 2;
  }
  const fs::path source = argv[1], folder = argv[2];
  std::error_code ec;
  const fs::path manifestPath = folder / kManifestName;
  std::map<std::string, uint64_t> manifest = ReadManifest(manifestPath);
  int failures = 0;
  std::vector<fs::path> files;
  for (fs::recursive_directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file()) files.push_back(fs::relative(it->path(), source));
  }
  if (ec) {
    std::fprintf(stderr, "plumix-game-folder: %s: %s\n", source.c_str(), ec.message().c_str());
    return 1;
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& relative : files) {
    const fs::path target = folder / relative;
    std::string error;
    std::vector<uint8_t> shipped = ReadFileBytes(source / relative, &error);
    const bool exists = fs::exists(target, ec);
    if (error.empty() && exists && IsShippedAdventure(relative)) continue;  // below
    std::vector<uint8_t> present = exists && error.empty() ? ReadFileBytes(target, &error)
                                                           : std::vector<uint8_t>{};
    if (!error.empty()) {
      std::fprintf(stderr, "plumix-game-folder: %s: %s\n", relative.c_str(), error.c_str());
      ++failures;
      continue;
    }
    const uint64_t shippedHash = Fingerprint(shipped);
    if (exists) {
      const uint64_t presentHash = Fingerprint(present);
      if (presentHash == shippedHash) {
        manifest[relative.string()] = shippedHash;
        continue;
      }
      auto last = manifest.find(relative.string());
      if (last == manifest.end() || last->second != presentHash) {
        std::fprintf(stderr,
                     "plumix-game-folder: kept %s: it differs from the shipped file "
                     "(delete it to get the shipped one)\n",
                     target.c_str());
        continue;
      }
    }
    fs::create_directories(target.parent_path(), ec);
    if (!WriteFileBytes(target, shipped, &error)) {
      std::fprintf(stderr, "plumix-game-folder: %s\n", error.c_str());
      ++failures;
      continue;
    }
    manifest[relative.string()] = shippedHash;
  }
  for (const std::string& line : plumix::UpdateAdventureCopies(source / "Adventures", folder / "Adventures")) {
    std::printf("plumix-game-folder: %s\n", line.c_str());
  }
  std::string text;
  for (const auto& [name, hash] : manifest) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    text += std::string(hex) + " " + name + "\n";
  }
  std::string error;
  const std::vector<uint8_t> bytes(text.begin(), text.end());
  std::string unread;
  if (ReadFileBytes(manifestPath, &unread) == bytes && unread.empty()) return failures == 0 ? 0 : 1;
  if (!WriteFileBytes(manifestPath, bytes, &error)) {
    std::fprintf(stderr, "plumix-game-folder: %s\n", error.c_str());
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}
