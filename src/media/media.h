// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The media layer as the game sees it: one object holding every component.
#include <filesystem>
#include <future>
#include <string>
#include <vector>
#include <memory>

#include "media/ani.h"
#include "media/clipboard.h"
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

  // Begins decoding the built-in pictures on a worker thread, so that the
  // window can open meanwhile. Pure decoding: it touches nothing else.
  void StartDecodingAssets();
  // Fills the image lists and the sound list from the built-in assets (with
  // the pictures decoded in the background, once they are ready).
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
  // Kept in memory until a window opens (never, headless).
  Clipboard DXClipboard{false};
  SpriteEngine DXSpriteEngine;
  FrameTimer DXTimer;

  struct DecodedImages {
    std::vector<Bitmap> Pictures;  // one for each image asset, empty for run-time ones
    std::string Error;
  };

 private:
  std::future<DecodedImages> decoding_;
};

}  // namespace plumix
