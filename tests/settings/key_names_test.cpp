// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "settings/key_names.h"

namespace plumix {
namespace {

// The parse table as stored files use it, written out independently.
std::vector<std::pair<std::string, uint16_t>> StoredNames() {
  std::vector<std::pair<std::string, uint16_t>> rows = {
      {"Left", 37}, {"Right", 39}, {"Up", 38}, {"Down", 40}, {"Back", 8}, {"Enter", 13},
      {"Shift", 16}, {"Ctrl", 17}, {"Alt", 18}, {"Pause", 19}, {"Esc", 27}, {"Space", 32},
      {"Pg Up", 33}, {"Pg Down", 34}, {"End", 35}, {"Home", 36}, {"Ins", 45}, {"Del", 46},
      {"*", 106}, {"+", 107}, {"-", 109}, {",", 110}, {"/", 111}, {"N Lock", 144},
      {"S Lock", 145}, {".", 46}, {"<", 60}, {"\x8A", 138}, {"\x8E", 142}, {"\xC6", 198},
      {"\xC8", 200}, {"\xD0", 208}};
  for (int n = 0; n <= 9; ++n) rows.push_back({"Num " + std::to_string(n), uint16_t(96 + n)});
  for (int n = 1; n <= 12; ++n) rows.push_back({"F" + std::to_string(n), uint16_t(111 + n)});
  for (char c = '0'; c <= '9'; ++c) rows.push_back({std::string(1, c), uint16_t(c)});
  for (char c = 'A'; c <= 'Z'; ++c) rows.push_back({std::string(1, c), uint16_t(c)});
  return rows;
}

TEST(KeyNames, EveryStoredNameParsesToItsCode) {
  for (const auto& [name, code] : StoredNames()) {
    EXPECT_EQ(KeyCodeFromName(name), code) << "name '" << name << "'";
  }
}

TEST(KeyNames, UnknownNamesGiveF1) {
  EXPECT_EQ(KeyCodeFromName("ctrl"), 112);
  EXPECT_EQ(KeyCodeFromName("Ctrl"), 17);
  EXPECT_EQ(KeyCodeFromName(""), 112) << "the name an F-key capture once stored";
  EXPECT_EQ(KeyCodeFromName("LEFT"), 112);
  EXPECT_EQ(KeyCodeFromName("Left "), 112);
  EXPECT_EQ(KeyCodeFromName("a"), 112) << "lower-case letters were never key names";
  EXPECT_EQ(KeyCodeFromName("`"), 112);
  for (const char* name : {"%", "&", "(", "[", "~", " ", "\x7F", "\xA0", "\xFF"}) {
    EXPECT_EQ(KeyCodeFromName(name), 112) << "'" << name << "' was never stored for its code";
  }
  EXPECT_EQ(KeyCodeFromName("Key 070"), 112) << "only the canonical number form";
  EXPECT_EQ(KeyCodeFromName("Key 65536"), 112);
  EXPECT_EQ(KeyCodeFromName("Key "), 112);
}

TEST(KeyNames, EveryCapturedKeyParsesBackToItself) {
  for (int code = 0; code <= 0xFFFF; ++code) {
    std::string name = KeyNameFromCode(static_cast<uint16_t>(code));
    ASSERT_FALSE(name.empty()) << "code " << code;
    ASSERT_LE(name.size(), 30u) << "code " << code << " must fit a settings text";
    ASSERT_EQ(KeyCodeFromName(name), code) << "code " << code << " captured as '" << name << "'";
  }
}

TEST(KeyNames, CapturedKeysUseTheStoredSpelling) {
  EXPECT_EQ(KeyNameFromCode(8), "Back") << "Backspace";
  EXPECT_EQ(KeyNameFromCode(17), "Ctrl");
  EXPECT_EQ(KeyNameFromCode(27), "Esc");
  EXPECT_EQ(KeyNameFromCode(33), "Pg Up");
  EXPECT_EQ(KeyNameFromCode(46), "Del");
  EXPECT_EQ(KeyNameFromCode(96), "Num 0");
  EXPECT_EQ(KeyNameFromCode(144), "N Lock");
  EXPECT_EQ(KeyNameFromCode(116), "F5") << "an F key is no longer stored as an empty name";
  EXPECT_EQ(KeyNameFromCode(65), "A");
  EXPECT_EQ(KeyNameFromCode(55), "7");
  EXPECT_EQ(KeyNameFromCode(60), "<");
  EXPECT_EQ(KeyNameFromCode(138), "\x8A");
  EXPECT_EQ(KeyNameFromCode(9), "Tab");
  EXPECT_EQ(KeyNameFromCode(190), "Period");
  EXPECT_EQ(KeyNameFromCode(42), "Key 42") << "'*' is the numeric-pad key";
  EXPECT_EQ(KeyNameFromCode(160), "Key 160");
}

TEST(KeyNames, EarlierCaptureSpellingsMeanTheirKeys) {
  EXPECT_EQ(KeyCodeFromName("Backspace"), 8);
  EXPECT_EQ(KeyCodeFromName("Control"), 17);
  EXPECT_EQ(KeyCodeFromName("Escape"), 27);
  EXPECT_EQ(KeyCodeFromName("Page Up"), 33);
  EXPECT_EQ(KeyCodeFromName("Page Down"), 34);
  EXPECT_EQ(KeyCodeFromName("Insert"), 45);
  EXPECT_EQ(KeyCodeFromName(" Delete"), 46);
  EXPECT_EQ(KeyCodeFromName("Numeric 7"), 103);
  EXPECT_EQ(KeyCodeFromName("Num Lock"), 144);
  EXPECT_EQ(KeyCodeFromName("Scroll Lock"), 145);
  EXPECT_EQ(KeyCodeFromName("\xBA"), 186) << "a punctuation key stored as its own byte";
}

}  // namespace
}  // namespace plumix
