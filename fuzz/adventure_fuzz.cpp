// SPDX-License-Identifier: GPL-3.0-or-later
// The .paf reader, the list entry, the high-score patch and the repairs made
// before play.
#include <algorithm>
#include <vector>

#include "adventure/adventure_check.h"
#include "adventure/adventure_file.h"
#include "adventure/adventure_list.h"
#include "fuzz_check.h"

using namespace plumix;

namespace {

// A short input stands for a whole file: its header, then its other bytes
// repeated over the levels and the table. Mutating a few kilobytes instead of
// 191 KB keeps the fuzzer fast while every field is still reached.
std::vector<uint8_t> Expand(std::span<const uint8_t> input) {
  if (input.size() >= kAdventureFileSize || input.size() <= kLevelsOffset) {
    return {input.begin(), input.end()};
  }
  std::vector<uint8_t> file(kAdventureFileSize);
  std::copy_n(input.begin(), kLevelsOffset, file.begin());
  std::span<const uint8_t> body = input.subspan(kLevelsOffset);
  for (size_t at = kLevelsOffset; at < kAdventureFileSize; at += body.size()) {
    std::copy_n(body.begin(), std::min(body.size(), kAdventureFileSize - at), file.begin() + at);
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes = Expand(FuzzBytes(data, size));
  Parsed<AdventureRecord> parsed = ParseAdventure(bytes);
  if (!parsed) return 0;
  // Every byte of the record is kept, so writing it back gives the same record.
  std::vector<uint8_t> written = SerialiseAdventure(*parsed.Value);
  FUZZ_CHECK(std::equal(written.begin(), written.end(), bytes.begin()));
  MakeListEntry("fuzz.paf", *parsed.Value);
  std::vector<uint8_t> patched = bytes;
  PatchHighScores(patched, *parsed.Value, nullptr);
  FUZZ_CHECK(patched.size() == bytes.size());
  PrepareForPlay(*parsed.Value);
  return 0;
}
