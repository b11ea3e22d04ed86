// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/key_names.h"

#include <array>
#include <charconv>

namespace plumix {
namespace {

constexpr uint16_t kUnknownKey = 112;

struct KeyName {
  std::string_view Name;
  uint16_t Code;
};

// The stored parse table, in its order; the first row of a code is also the
// name a captured key gets.
constexpr KeyName kParseTable[] = {
    {"Left", 37},    {"Right", 39},   {"Up", 38},      {"Down", 40},      {"Back", 8},
    {"Enter", 13},   {"Shift", 16},   {"Ctrl", 17},    {"Alt", 18},       {"Pause", 19},
    {"Esc", 27},     {"Space", 32},   {"Pg Up", 33},   {"Pg Down", 34},   {"End", 35},
    {"Home", 36},    {"Ins", 45},     {"Del", 46},     {"Num 0", 96},     {"Num 1", 97},
    {"Num 2", 98},   {"Num 3", 99},   {"Num 4", 100},  {"Num 5", 101},    {"Num 6", 102},
    {"Num 7", 103},  {"Num 8", 104},  {"Num 9", 105},  {"*", 106},        {"+", 107},
    {"-", 109},      {",", 110},      {"/", 111},      {"N Lock", 144},   {"S Lock", 145},
    {"F1", 112},     {"F2", 113},     {"F3", 114},     {"F4", 115},       {"F5", 116},
    {"F6", 117},     {"F7", 118},     {"F8", 119},     {"F9", 120},       {"F10", 121},
    {"F11", 122},    {"F12", 123},    {"0", 48},       {"1", 49},         {"2", 50},
    {"3", 51},       {"4", 52},       {"5", 53},       {"6", 54},         {"7", 55},
    {"8", 56},       {"9", 57},       {".", 46},       {"<", 60},         {"\x8A", 138},
    {"\x8E", 142},   {"\xC6", 198},   {"\xC8", 200},   {"\xD0", 208},
};

// Names for keys the parse table lacks, so that they read well on the panel.
constexpr KeyName kExtraNames[] = {
    {"Tab", 9},           {"Caps Lock", 20},     {"Semicolon", 186}, {"Equals", 187},
    {"Comma", 188},       {"Minus", 189},        {"Period", 190},    {"Slash", 191},
    {"Grave", 192},       {"Left Bracket", 219}, {"Backslash", 220}, {"Right Bracket", 221},
    {"Quote", 222},       {"Less", 226},
};

// The spellings an earlier options panel stored; they meant these keys.
constexpr KeyName kCaptureSpellings[] = {
    {"Backspace", 8},    {"Control", 17},     {"Escape", 27},      {"Page Up", 33},
    {"Page Down", 34},   {"Insert", 45},      {" Delete", 46},     {"Numeric 0", 96},
    {"Numeric 1", 97},   {"Numeric 2", 98},   {"Numeric 3", 99},   {"Numeric 4", 100},
    {"Numeric 5", 101},  {"Numeric 6", 102},  {"Numeric 7", 103},  {"Numeric 8", 104},
    {"Numeric 9", 105},  {"Num Lock", 144},   {"Scroll Lock", 145},
};

constexpr std::string_view kCodePrefix = "Key ";

template <size_t N>
bool Find(const KeyName (&table)[N], std::string_view name, uint16_t& code) {
  for (const KeyName& row : table) {
    if (row.Name == name) {
      code = row.Code;
      return true;
    }
  }
  return false;
}

// A single character stands for its own code only where the key capture once
// stored that key as its own byte: keys with no name of their own ("%" is the
// code of Left, which was always captured as "Left").
bool SingleCharacter(std::string_view name, uint16_t& code) {
  if (name.size() != 1) return false;
  auto b = static_cast<unsigned char>(name[0]);
  bool ownByte = (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == 9 || b == 20 ||
                 (b >= 186 && b <= 192) || (b >= 219 && b <= 222) || b == 226;
  if (!ownByte) return false;
  code = b;
  return true;
}

// "Key 186": any code by number, in the form KeyNameFromCode writes.
bool Numbered(std::string_view name, uint16_t& code) {
  if (name.substr(0, kCodePrefix.size()) != kCodePrefix) return false;
  std::string_view digits = name.substr(kCodePrefix.size());
  if (digits.empty() || (digits.size() > 1 && digits[0] == '0')) return false;
  unsigned value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size() || value > 0xFFFF) return false;
  code = static_cast<uint16_t>(value);
  return true;
}

}  // namespace

uint16_t KeyCodeFromName(std::string_view name) {
  uint16_t code = kUnknownKey;
  if (Find(kParseTable, name, code) || Find(kExtraNames, name, code) ||
      Find(kCaptureSpellings, name, code) || SingleCharacter(name, code) || Numbered(name, code)) {
    return code;
  }
  return kUnknownKey;
}

std::string KeyNameFromCode(uint16_t code) {
  for (const KeyName& row : kParseTable) {
    if (row.Code == code) return std::string(row.Name);
  }
  for (const KeyName& row : kExtraNames) {
    if (row.Code == code) return std::string(row.Name);
  }
  if (code >= 0x21 && code <= 0x5F) {
    std::string single(1, static_cast<char>(code));
    if (KeyCodeFromName(single) == code) return single;
  }
  return std::string(kCodePrefix) + std::to_string(code);
}

}  // namespace plumix
