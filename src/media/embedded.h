// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files of assets/ compiled into the executable.
#include <cstddef>
#include <span>
#include <string_view>

namespace plumix {

struct EmbeddedFile {
  const char* Path;  // relative to assets/, e.g. "DXImageList/Digits.png"
  const unsigned char* Data;
  size_t Size;
};

std::span<const EmbeddedFile> EmbeddedAssets();
const EmbeddedFile* FindEmbedded(std::string_view path);

}  // namespace plumix
