// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text source of an adventure: what `plumix-adventure unpack` writes and
// `pack` reads. Every byte of the file has a place in it, so unpacking and
// packing again gives back the same file. The format is described in
// docs/adventure-format.md.
#include <string>
#include <string_view>
#include <vector>

#include "adventure/adventure.h"
#include "media/error.h"

namespace plumix {

std::string WriteAdventureSource(const AdventureRecord& adventure);
// Errors name the line: "line 12: ...". Warnings (a source that reads but
// may not say what was meant) are added to `warnings` when it is given.
Parsed<AdventureRecord> ReadAdventureSource(std::string_view text,
                                            std::vector<std::string>* warnings = nullptr);

// The board alphabet: one character per cell code 0..19, '?' for any other.
char CellCharacter(uint8_t code);
// -1 for a character that is no cell code.
int CellCodeFromCharacter(char c);

}  // namespace plumix
