// SPDX-License-Identifier: GPL-3.0-or-later
// The settings record and the key names it holds.
#include "fuzz_check.h"
#include "settings/key_names.h"
#include "settings/settings_file.h"

using namespace plumix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Parsed<SettingsRecord> parsed = ParseSettings(FuzzBytes(data, size));
  if (!parsed) return 0;
  const SettingsRecord& s = *parsed.Value;
  for (const std::string* key : {&s.KeyLeft, &s.KeyRight, &s.KeyDrop, &s.KeyRotate, &s.KeyAction,
                                 &s.KeySpeedUp, &s.KeyPause}) {
    uint16_t code = KeyCodeFromName(*key);
    FUZZ_CHECK(KeyCodeFromName(KeyNameFromCode(code)) == code);
  }
  // What is written reads back as the same settings.
  std::vector<uint8_t> written = SerialiseSettings(s);
  Parsed<SettingsRecord> again = ParseSettings(written);
  FUZZ_CHECK(again && SerialiseSettings(*again.Value) == written);
  return 0;
}
