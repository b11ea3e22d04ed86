// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "media/files.h"

namespace plumix::testing {

std::filesystem::path FreshDir(const std::string& tag) {
  const std::filesystem::path dir =
      std::filesystem::path(::testing::TempDir()) / ("plumix-" + tag + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::string error;
  return ReadFileBytes(path, &error);
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::string error;
  EXPECT_TRUE(WriteFileBytes(path, bytes, &error)) << error;
}

}  // namespace plumix::testing
