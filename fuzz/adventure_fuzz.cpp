// The .paf reader, the list entry and the repairs made before play.
#include "adventure/adventure_check.h"
#include "adventure/adventure_file.h"
#include "adventure/adventure_list.h"
#include "fuzz_check.h"

using namespace plumix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes = FuzzBytes(data, size);
  Parsed<AdventureRecord> parsed = ParseAdventure(bytes);
  if (!parsed) return 0;
  // Every byte of the record is kept, so writing it back gives the same record.
  std::vector<uint8_t> written = SerialiseAdventure(*parsed.Value);
  FUZZ_CHECK(std::equal(written.begin(), written.end(), bytes.begin()));
  MakeListEntry("fuzz.paf", *parsed.Value);
  std::vector<uint8_t> patched(bytes.begin(), bytes.end());
  PatchHighScores(patched, *parsed.Value, nullptr);
  FUZZ_CHECK(patched.size() == bytes.size());
  PrepareForPlay(*parsed.Value);
  return 0;
}
