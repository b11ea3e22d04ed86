#pragma once
// The media layer as the game sees it: one object holding every component.
#include <filesystem>
#include <memory>

#include "media/ani.h"
#include "media/clock.h"
#include "media/display.h"
#include "media/image_list.h"
#include "media/input.h"
#include "media/sound.h"
#include "media/sprites.h"
#include "media/text.h"
#include "media/timer.h"

namespace plumix {

struct Media {
  explicit Media(Clock& clock);
  ~Media();

  // Fills the image lists and the sound list from the built-in assets.
  void LoadAssets();
  ImageList* List(std::string_view name);

  Clock& SystemTime;
  Fonts FontSet;
  Display DXDraw{FontSet};
  ImageList DXImageList{"DXImageList"};
  ImageList DXImageListTiles{"DXImageListTiles"};
  ImageList DXImageListPlumixModePictures{"DXImageListPlumixModePictures"};
  ImageList DXImageListEdges{"DXImageListEdges"};
  ImageList DXImageListLetters{"DXImageListLetters"};
  Audio DXSound;
  WaveList DXWaveList{DXSound};
  MusicPlayer MediaPlayer{DXSound, SystemTime};
  KeyboardReader DXInput;
  SpriteEngine DXSpriteEngine;
  FrameTimer DXTimer;
};

}  // namespace plumix
