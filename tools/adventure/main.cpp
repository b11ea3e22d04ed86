// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "adventure_tool.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  // The tool lives in the game folder, beside the pictures the game plays with.
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return plumix::RunAdventureTool(args, std::cout, std::cerr, ec ? std::filesystem::path() : self.parent_path());
}
