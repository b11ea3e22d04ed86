// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The generator's entry points: each asset's file bytes, the game folder's
// files, the contact sheets, and the run that writes them all.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "media/assets.h"
#include "media/bitmap.h"
#include "raster.h"

namespace assetgen {

struct OutputFile {
  std::string Path;  // relative to the repository, e.g. "assets/DXImageList/Digits.png"
  std::vector<uint8_t> Bytes;
};

constexpr int kJpegQuality = 92;

// The picture as drawn, then as stored (keyed and flattened), then encoded.
Canvas PaintAsset(const plumix::ImageAsset& asset);
plumix::RgbImage AssetPicture(const plumix::ImageAsset& asset);
std::vector<uint8_t> EncodeImageAsset(const plumix::ImageAsset& asset);
// Tiles, cube themes, edges, their lists, the music and the cursor.
std::vector<OutputFile> GameFolderFiles();

struct Options {
  std::filesystem::path Root = ".";
  std::filesystem::path Sheets;  // empty: no contact sheets
};
// Writes every file whose bytes changed; false with a message on failure.
bool GenerateAll(const Options& options, std::string* error, int* written);
// One sheet per image list, keyed pixels shown on a checkerboard.
void WriteContactSheets(const std::filesystem::path& folder);

}  // namespace assetgen
