// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/media.h"

#include "media/assets.h"
#include "media/embedded.h"

#include <span>

namespace plumix {

Media::Media(Clock& clock) : SystemTime(clock) {}

Media::~Media() {
  DXSpriteEngine.Clear();
  MediaPlayer.Close();
}

ImageList* Media::List(std::string_view name) {
  for (ImageList* list : {&DXImageList, &DXImageListTiles, &DXImageListPlumixModePictures,
                          &DXImageListEdges, &DXImageListLetters}) {
    if (list->Name() == name) return list;
  }
  return nullptr;
}

namespace {

// Decodes the assets first, first + step, ... into their places; stops at
// the first picture that cannot be decoded (a broken build).
std::string DecodeSome(std::span<const ImageAsset> assets, size_t first, size_t step,
                       std::vector<Bitmap>& pictures) {
  for (size_t i = first; i < assets.size(); i += step) {
    const ImageAsset& asset = assets[i];
    if (asset.RunTime) continue;
    std::string path = AssetPath(asset);
    const EmbeddedFile* file = FindEmbedded(path);
    if (!file) return "Built-in image " + path + " is missing";
    Parsed<RgbImage> image = DecodeImage({file->Data, file->Size});
    if (!image) return "Built-in image " + path + ": " + image.Error;
    pictures[i] = ToBitmap(*image.Value);
  }
  return {};
}

// Two decoders, each taking every other picture, so that a second core
// shortens the start; the big pictures lie spread over both halves.
Media::DecodedImages DecodeImageAssets() {
  Media::DecodedImages decoded;
  const std::span<const ImageAsset> assets = ImageAssets();
  decoded.Pictures.resize(assets.size());
  std::future<std::string> other = std::async(std::launch::async, [&] {
    return DecodeSome(assets, 1, 2, decoded.Pictures);
  });
  std::string error = DecodeSome(assets, 0, 2, decoded.Pictures);
  std::string otherError = other.get();
  decoded.Error = !error.empty() ? error : otherError;
  return decoded;
}

}  // namespace

void Media::StartDecodingAssets() {
  if (!decoding_.valid()) decoding_ = std::async(std::launch::async, DecodeImageAssets);
}

void Media::LoadAssets() {
  DecodedImages decoded = decoding_.valid() ? decoding_.get() : DecodeImageAssets();
  if (!decoded.Error.empty()) throw GameError(decoded.Error);
  size_t index = 0;
  for (const ImageAsset& asset : ImageAssets()) {
    ImageItem item;
    item.Name = asset.Name;
    item.PatternWidth = asset.PatternWidth;
    item.PatternHeight = asset.PatternHeight;
    item.Transparent = asset.Transparent;
    item.TransparentColor = asset.Key;
    item.SystemMemory = asset.SystemMemory;
    item.Picture = std::move(decoded.Pictures[index++]);
    List(asset.List)->Add(std::move(item));
  }
  for (const WaveAsset& asset : WaveAssets()) {
    std::string path = AssetPath(asset);
    const EmbeddedFile* file = FindEmbedded(path);
    if (!file) throw GameError("Built-in sound " + path + " is missing");
    DXWaveList.Add(asset.Name, asset.Looped, std::vector<uint8_t>(file->Data, file->Data + file->Size));
  }
}

}  // namespace plumix
