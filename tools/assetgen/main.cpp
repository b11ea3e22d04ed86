// SPDX-License-Identifier: GPL-3.0-or-later
// Writes every built-in picture and sound under assets/ and the game folder's
// themes, music and cursor under data/; optionally the contact sheets.
#include <chrono>
#include <cstdio>
#include <cstring>

#include "generate.h"

int main(int argc, char** argv) {
  assetgen::Options options;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--root") && i + 1 < argc) {
      options.Root = argv[++i];
    } else if (!std::strcmp(argv[i], "--sheets") && i + 1 < argc) {
      options.Sheets = argv[++i];
    } else {
      std::fprintf(stderr, "usage: %s [--root REPO] [--sheets FOLDER]\n", argv[0]);
      return 2;
    }
  }
  auto start = std::chrono::steady_clock::now();
  std::string error;
  int written = 0;
  if (!assetgen::GenerateAll(options, &error, &written)) {
    std::fprintf(stderr, "plumix_assetgen: %s\n", error.c_str());
    return 1;
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("plumix_assetgen: %d files changed, %.1f s\n", written, seconds);
  return 0;
}
