// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Key names as the settings store them, and the virtual-key codes they stand for.
#include <cstdint>
#include <string>
#include <string_view>

namespace plumix {

// Exact match (case and length). Every name of the stored parse table keeps
// its code; a name nobody knows gives 112 (F1), as stored files expect.
uint16_t KeyCodeFromName(std::string_view name);
// The name a captured key is stored under; KeyCodeFromName turns it back
// into the same code, for every code.
std::string KeyNameFromCode(uint16_t code);

}  // namespace plumix
