#include <iostream>
#include <string>
#include <vector>

#include "adventure_tool.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return plumix::RunAdventureTool(args, std::cout, std::cerr);
}
