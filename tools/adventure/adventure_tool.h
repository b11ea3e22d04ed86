// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// plumix-adventure: unpack, pack and check adventure files.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace plumix {

// The name of the source file inside an unpacked folder.
constexpr const char* kSourceFileName = "adventure.txt";

// args without the program name. Exit codes: 0 done (check: no problem),
// 1 check found problems (prove: a level never won), 2 bad arguments or a
// file that cannot be used. gameDir holds the theme pictures prove plays with.
int RunAdventureTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const std::filesystem::path& gameDir = {});

}  // namespace plumix
