// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every fuzz target shares: the libFuzzer entry point's signature and a
// check that stops the run at once, sanitizer or not.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

#define FUZZ_CHECK(condition)                                                    \
  do {                                                                          \
    if (!(condition)) {                                                         \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                             \
    }                                                                           \
  } while (0)

inline std::span<const uint8_t> FuzzBytes(const uint8_t* data, size_t size) { return {data, size}; }
