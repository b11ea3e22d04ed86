// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files of a test: a fresh folder of its own, whole files read and written.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace plumix::testing {

// An empty folder under the test's temporary folder, the same for a tag
// within one run.
std::filesystem::path FreshDir(const std::string& tag);
// The file's bytes; none when it cannot be read.
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
// Writes the file through the game's own save; a failure fails the test.
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
// A short string of a record as stored: its length byte, then its bytes.
inline void PutText(std::vector<uint8_t>& bytes, size_t offset, const std::string& text) {
  bytes[offset] = static_cast<uint8_t>(text.size());
  for (size_t i = 0; i < text.size(); ++i) bytes[offset + 1 + i] = static_cast<uint8_t>(text[i]);
}

}  // namespace plumix::testing
