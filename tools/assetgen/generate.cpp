// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <stdexcept>

#include "cursor.h"
#include "music.h"
#include "paint.h"
#include "sounds.h"

namespace assetgen {
namespace {

// What lies under a keyed picture in the game, so its soft edges blend into it.
Rgba MatteFor(const std::string& name) {
  if (name == "Digits") return kWindowDark;
  if (name == "NeonMoon") return Hex(0x0C0A26);
  if (name.find("Fireworks") != std::string::npos || name.rfind("Big_", 0) == 0 || name.rfind("Small_", 0) == 0 ||
      name.rfind("Sum_", 0) == 0 || name == "Text_Plumix_Mode_Green")
    return Hex(0x080A14);
  return Hex(0x06060C);
}

bool SameBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<uint8_t> old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return old == bytes;
}

std::vector<uint8_t> TextFile(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return {s.begin(), s.end()};
}

}  // namespace

Canvas PaintAsset(const plumix::ImageAsset& asset) {
  auto it = AllPainters().find(asset.Name);
  if (it == AllPainters().end()) throw std::runtime_error(std::string("no painter for ") + asset.Name);
  Canvas c = it->second();
  if (c.Width != asset.Width || c.Height != asset.Height)
    throw std::runtime_error(std::string("painter of ") + asset.Name + " drew the wrong size");
  return c;
}

plumix::RgbImage AssetPicture(const plumix::ImageAsset& asset) {
  Canvas c = PaintAsset(asset);
  if (asset.Transparent) return ToKeyedImage(c, asset.Key, MatteFor(asset.Name));
  return ToRgbImage(c, Hex(0x000000));
}

std::vector<uint8_t> EncodeImageAsset(const plumix::ImageAsset& asset) {
  plumix::RgbImage picture = AssetPicture(asset);
  return asset.Jpeg ? plumix::EncodeJpeg(picture, kJpegQuality) : plumix::EncodePng(picture);
}

std::vector<OutputFile> GameFolderFiles() {
  std::vector<OutputFile> files;
  auto jpeg = [](const Canvas& c) { return plumix::EncodeJpeg(ToRgbImage(c, Hex(0x000000)), kJpegQuality); };
  std::vector<std::string> names;
  for (int t = 1; t <= kBackgroundTiles; ++t) {
    files.push_back({"data/Graphics/Tiles/Tile" + std::to_string(t) + ".jpg", jpeg(PaintBackgroundTile(t))});
    names.push_back(kTileNames[t - 1]);
  }
  files.push_back({"data/Graphics/Tiles/Tiles.txt", TextFile(names)});
  names.clear();
  for (int t = 1; t <= kCubeThemes; ++t) {
    for (int k = 1; k <= 18; ++k)
      files.push_back({"data/Graphics/Cubes/Theme" + std::to_string(t) + "/Tile_Shape" + std::to_string(k) + ".jpg",
                       jpeg(PaintCube(t, k))});
    names.push_back(kCubeThemeNames[t - 1]);
  }
  files.push_back({"data/Graphics/Cubes/Themes.txt", TextFile(names)});
  names.clear();
  for (int e = 1; e <= kEdgeThemes; ++e) {
    files.push_back({"data/Graphics/Edges/" + std::to_string(e) + "Edge_Solid.jpg", jpeg(PaintEdge(e))});
    names.push_back(kEdgeThemeNames[e - 1]);
  }
  files.push_back({"data/Graphics/Edges/Edges.txt", TextFile(names)});
  names.clear();
  for (int n = 1; n <= kTracks; ++n) {
    files.push_back({"data/Music/Track" + std::to_string(n) + ".mid", ComposeTrack(n)});
    names.push_back(TrackName(n));
  }
  files.push_back({"data/Music/Tracks.txt", TextFile(names)});
  files.push_back({"data/CurArrow.ani", WriteAni(ArrowCursor())});
  return files;
}

bool GenerateAll(const Options& options, std::string* error, int* written) {
  SetFontFolder(options.Root / "data/Graphics/Fonts");
  int count = 0;
  auto save = [&](const std::string& rel, const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) throw std::runtime_error("could not encode " + rel);
    std::filesystem::path path = options.Root / rel;
    if (SameBytes(path, bytes)) return;
    std::filesystem::create_directories(path.parent_path());
    std::string why;
    if (!plumix::WriteFileBytes(path, bytes, &why)) throw std::runtime_error(why);
    ++count;
  };
  try {
    for (const plumix::ImageAsset& a : plumix::ImageAssets()) {
      if (a.RunTime) continue;
      save("assets/" + plumix::AssetPath(a), EncodeImageAsset(a));
    }
    for (const plumix::WaveAsset& w : plumix::WaveAssets()) save("assets/" + plumix::AssetPath(w), EncodeWaveAsset(w));
    for (const OutputFile& f : GameFolderFiles()) save(f.Path, f.Bytes);
    if (!options.Sheets.empty()) WriteContactSheets(options.Sheets);
  } catch (const std::exception& e) {
    if (error) *error = e.what();
    return false;
  }
  if (written) *written = count;
  return true;
}

}  // namespace assetgen
