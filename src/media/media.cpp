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

void Media::LoadAssets() {
  for (const ImageAsset& asset : ImageAssets()) {
    ImageItem item;
    item.Name = asset.Name;
    item.PatternWidth = asset.PatternWidth;
    item.PatternHeight = asset.PatternHeight;
    item.Transparent = asset.Transparent;
    item.TransparentColor = asset.Key;
    item.SystemMemory = asset.SystemMemory;
    if (!asset.RunTime) {
      std::string path = AssetPath(asset);
      const EmbeddedFile* file = FindEmbedded(path);
      if (!file) throw GameError("Built-in image " + path + " is missing");
      Parsed<RgbImage> image = DecodeImage({file->Data, file->Size});
      if (!image) throw GameError("Built-in image " + path + ": " + image.Error);
      item.Picture = ToBitmap(*image.Value);
    }
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
