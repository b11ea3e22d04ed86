// SPDX-License-Identifier: GPL-3.0-or-later
// The theme-list text: one name per line.
#include "fuzz_check.h"
#include "settings/theme_lists.h"

using namespace plumix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> names = ParseListText(FuzzBytes(data, size));
  FUZZ_CHECK(names.size() <= size);
  for (const std::string& name : names) {
    FUZZ_CHECK(name.find('\n') == std::string::npos && name.find('\r') == std::string::npos);
  }
  return 0;
}
