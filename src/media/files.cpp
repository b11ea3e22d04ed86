// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plumix {
namespace {

constexpr int kMaxLinks = 40;  // as the kernel's own limit, so a loop ends

std::string Reason(int code) {
  if (code == ENOSPC || code == EDQUOT) return "the disk is full";
  if (code == EROFS) return "the disk is read-only";
  return std::strerror(code);
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// The folder's entry itself must reach the disk, or a power cut could undo the rename.
void SyncFolder(const std::filesystem::path& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Root may write anything, but a player who took the write bits away meant it.
bool WriteProtected(const std::filesystem::path& path, const struct stat& info) {
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
  return ::access(path.c_str(), W_OK) != 0 && errno == EACCES;
}

}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path, std::string* error) {
  std::error_code code;
  if (!std::filesystem::is_regular_file(path, code)) {
    if (error) *error = "Cannot open file " + path.string();
    return {};
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "Cannot open file " + path.string();
    return {};
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    if (error) *error = "Cannot read file " + path.string();
    return {};
  }
  if (error) error->clear();
  return bytes;
}

bool IsWriteProtected(const std::filesystem::path& path) {
  std::filesystem::path target = FollowLinks(path);
  struct stat info {};
  return ::stat(target.c_str(), &info) == 0 && WriteProtected(target, info);
}

std::filesystem::path FollowLinks(const std::filesystem::path& path) {
  std::filesystem::path current = path;
  std::error_code ec;
  for (int i = 0; i < kMaxLinks && std::filesystem::is_symlink(current, ec); ++i) {
    std::filesystem::path target = std::filesystem::read_symlink(current, ec);
    if (ec) break;
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  return current;
}

SaveResult SaveFile(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  SaveResult result;
  std::filesystem::path target = FollowLinks(path);
  std::string name = path.filename().string();
  struct stat info {};
  bool existed = ::stat(target.c_str(), &info) == 0;
  if (existed) {
    if (!S_ISREG(info.st_mode)) {
      result.Error = name + " is not a file; it is unchanged.";
      return result;
    }
    if (WriteProtected(target, info)) {
      result.Status = SaveStatus::Protected;
      result.Error = name + " is write-protected; it is unchanged.";
      return result;
    }
  } else if (errno != ENOENT) {
    result.Error = "Cannot reach " + path.string() + ": " + Reason(errno);
    return result;
  }

  // A fixed name beside the target: a save cut short leaves at most this one
  // file, which the next save replaces.
  std::filesystem::path folder = target.parent_path();
  std::filesystem::path temp = folder / ("." + target.filename().string() + ".saving");
  auto fail = [&](int fd, const std::string& what) {
    int code = errno;
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    result.Error = what + ": " + Reason(code) + "; " + name + " is unchanged.";
    return result;
  };
  ::unlink(temp.c_str());
  // A new file gets the player's umask; an old one keeps its mode, set below.
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, existed ? 0600 : 0644);
  if (fd < 0) {
    std::string where = folder.empty() ? std::string(".") : folder.string();
    return fail(-1, "Cannot write in the folder " + where);
  }
  if (!WriteAll(fd, bytes)) return fail(fd, "Cannot write " + path.string());
  if (existed && ::fchmod(fd, info.st_mode & 07777) != 0) {
    return fail(fd, "Cannot set the mode of " + path.string());
  }
  if (existed && (info.st_uid != ::geteuid() || info.st_gid != ::getegid())) {
    // Only root can give the file back to its owner; anyone else keeps it as theirs.
    [[maybe_unused]] int ignored = ::fchown(fd, info.st_uid, info.st_gid);
  }
  if (::fsync(fd) != 0) return fail(fd, "Cannot write " + path.string());
  if (::close(fd) != 0) return fail(-1, "Cannot write " + path.string());
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    return fail(-1, "Cannot replace " + path.string());
  }
  SyncFolder(folder);
  result.Status = SaveStatus::Saved;
  return result;
}

bool WriteFileBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                    std::string* error) {
  SaveResult result = SaveFile(path, bytes);
  if (error) *error = result.Error;
  return static_cast<bool>(result);
}

}  // namespace plumix
