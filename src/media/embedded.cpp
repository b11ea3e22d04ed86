// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/embedded.h"

namespace plumix {

const EmbeddedFile* FindEmbedded(std::string_view path) {
  for (const EmbeddedFile& file : EmbeddedAssets()) {
    if (path == file.Path) return &file;
  }
  return nullptr;
}

}  // namespace plumix
