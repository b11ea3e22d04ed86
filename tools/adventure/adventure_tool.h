#pragma once
// plumix-adventure: unpack, pack and check adventure files.
#include <ostream>
#include <string>
#include <vector>

namespace plumix {

// The name of the source file inside an unpacked folder.
constexpr const char* kSourceFileName = "adventure.txt";

// args without the program name. Exit codes: 0 done (check: no problem),
// 1 check found problems, 2 bad arguments or a file that cannot be used.
int RunAdventureTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace plumix
