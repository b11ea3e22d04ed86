// SPDX-License-Identifier: GPL-3.0-or-later
// The designers' text form of an adventure.
#include <string_view>

#include "adventure/adventure_file.h"
#include "adventure_source.h"
#include "fuzz_check.h"

using namespace plumix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  Parsed<AdventureRecord> parsed = ReadAdventureSource(text);
  if (!parsed) return 0;
  // What the tool writes, it reads back as the same file.
  std::vector<uint8_t> packed = SerialiseAdventure(*parsed.Value);
  Parsed<AdventureRecord> again = ReadAdventureSource(WriteAdventureSource(*parsed.Value));
  FUZZ_CHECK(again && SerialiseAdventure(*again.Value) == packed);
  return 0;
}
