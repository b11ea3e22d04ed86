#include "media/media.h"

#include "media/assets.h"
#include "media/embedded.h"

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

// Stops at the first picture that cannot be decoded: a broken build.
Media::DecodedImages DecodeImageAssets() {
  Media::DecodedImages decoded;
  for (const ImageAsset& asset : ImageAssets()) {
    decoded.Pictures.emplace_back();
    if (asset.RunTime) continue;
    std::string path = AssetPath(asset);
    const EmbeddedFile* file = FindEmbedded(path);
    if (!file) {
      decoded.Error = "Built-in image " + path + " is missing";
      break;
    }
    Parsed<RgbImage> image = DecodeImage({file->Data, file->Size});
    if (!image) {
      decoded.Error = "Built-in image " + path + ": " + image.Error;
      break;
    }
    decoded.Pictures.back() = ToBitmap(*image.Value);
  }
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
