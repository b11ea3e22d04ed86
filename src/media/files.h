// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and saving whole files. A save never damages the file it replaces:
// it lands whole or not at all, follows symbolic links, keeps the file's mode
// and refuses a write-protected file.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace plumix {

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path, std::string* error);

enum class SaveStatus {
  Saved,
  Protected,  // the file has no write permission: it was left as it was
  Failed,     // nothing was changed; Error says why (full disk, read-only folder ...)
};
struct SaveResult {
  SaveStatus Status = SaveStatus::Failed;
  std::string Error;  // empty when saved
  explicit operator bool() const { return Status == SaveStatus::Saved; }
};

// Replaces the contents of `path` (through any symbolic links, which stay
// links) with `bytes`: written beside the target, flushed to disk and renamed
// over it, so that a crash at any moment leaves the old file or the new one.
// A new file is created with mode 0644; an existing one keeps its mode.
SaveResult SaveFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);
// SaveFile with the reason in `error` (cleared on success).
bool WriteFileBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                    std::string* error);

// True for an existing file without write permission for us (or without any
// write bit, which even root respects here).
bool IsWriteProtected(const std::filesystem::path& path);

// The file a path names once its symbolic links are followed (a dangling
// link gives the path it points to).
std::filesystem::path FollowLinks(const std::filesystem::path& path);

}  // namespace plumix
