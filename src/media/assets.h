// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The asset table: every built-in image and sound, with its list, size,
// pattern size, colour key and format. The pictures and waves themselves are
// embedded from assets/<List>/<Name>.png|.jpg|.wav.
#include <span>
#include <string>

#include "media/colour.h"

namespace plumix {

struct ImageAsset {
  const char* List;
  const char* Name;
  int Width, Height;
  int PatternWidth, PatternHeight;  // 0: whole picture
  bool Transparent;
  Colour Key;
  bool SystemMemory;
  bool Jpeg;       // stored as JPEG, else a lossless bitmap (PNG)
  int SourceBits;  // bits per pixel of the original bitmap: 1, 4, 8 or 24
  bool RunTime;    // no built-in picture: loaded from the game folder at run time
};

struct WaveAsset {
  const char* Name;
  bool Looped;
  int Channels, Bits, Rate;
  double Seconds;
};

constexpr const char* kImageListNames[] = {"DXImageList", "DXImageListTiles",
                                           "DXImageListPlumixModePictures", "DXImageListEdges",
                                           "DXImageListLetters"};

std::span<const ImageAsset> ImageAssets();
std::span<const WaveAsset> WaveAssets();
// "DXImageList/Digits.png", "DXWaveList/Drop_Lines.wav"
std::string AssetPath(const ImageAsset& asset);
std::string AssetPath(const WaveAsset& asset);

}  // namespace plumix
