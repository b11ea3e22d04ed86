// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/sprites.h"

#include <algorithm>
#include <cmath>

#include "media/draw.h"

namespace plumix {

void ImageSprite::SetImage(const ImageItem& image) {
  Image = &image;
  Width = image.Width();
  Height = image.Height();
  AnimationLength = image.PatternCount();
}

void ImageSprite::DoMove(int moveCount) {
  AnimationPos += AnimationSpeed * moveCount;
  if (AnimationLooped) {
    if (AnimationLength <= 0) {
      AnimationPos = 0;
    } else {
      AnimationPos = std::fmod(AnimationPos, static_cast<double>(AnimationLength));
    }
  } else if (AnimationPos >= AnimationLength) {
    AnimationPos = AnimationLength - 1;
    AnimationSpeed = 0;
  } else if (AnimationPos < 0) {
    AnimationPos = 0;
    AnimationSpeed = 0;
  }
}

void ImageSprite::DoDraw(Bitmap& dest) {
  if (!Image) return;
  int x = static_cast<int>(X) + (Width - Image->Width()) / 2;
  int y = static_cast<int>(Y) + (Height - Image->Height()) / 2;
  DrawImage(*Image, dest, x, y, static_cast<int>(AnimationPos));
}

Rect ImageSprite::GetBoundsRect() const {
  int x = static_cast<int>(X), y = static_cast<int>(Y);
  return Rect{x, y, x + Width, y + Height};
}

TDigit::TDigit(SpriteEngine& engine, ImageList& list, double y, double x, int digit)
    : ImageSprite(engine) {
  SetImage(list.Get("Digits"));
  AnimationLooped = false;
  AnimationSpeed = 0;
  AnimationPos = digit + 1;
  X = x;
  Y = y;
}

void ImageSprite::SetAnimation(const ImageItem& image, double y, double x, bool looped,
                               double speed) {
  SetImage(image);
  AnimationLooped = looped;
  AnimationSpeed = speed;
  AnimationPos = 0;
  X = x;
  Y = y;
}

TBasicSprite::TBasicSprite(SpriteEngine& engine, ImageList& list, double y, double x, bool looped,
                           double speed, std::string_view imageName)
    : ImageSprite(engine) {
  SetAnimation(list.Get(imageName), y, x, looped, speed);
}

void TBasicSprite::DoMove(int moveCount) {
  ImageSprite::DoMove(moveCount);
  if (Image && Image->Name == "Seizmograf_Animation") {
    bool disaster = Engine.DisasterFlag && *Engine.DisasterFlag;
    // At rest the trace idles on its first four patterns.
    AnimationLength = disaster ? Image->PatternCount() : 4;
  }
  if (AnimationPos >= AnimationLength) AnimationPos = 0;
}

void TBasicSprite::ChangeImage(const ImageItem& image) {
  SetImage(image);
  AnimationPos = 0;
}

TFireworksSprite::TFireworksSprite(SpriteEngine& engine, ImageList& list, double y, double x,
                                   bool looped, double speed, std::string_view imageName)
    : ImageSprite(engine) {
  SetAnimation(list.Get(imageName), y, x, looped, speed);
}

void TFireworksSprite::DoMove(int moveCount) {
  ImageSprite::DoMove(moveCount);
  if (AnimationPos >= AnimationLength - 1) Kill();
}

void SpriteEngine::Move(int moveCount) {
  // A sprite's move may not add sprites, but index-based iteration keeps it safe.
  for (size_t i = 0; i < sprites_.size(); ++i) sprites_[i]->DoMove(moveCount);
}

void SpriteEngine::Dead() {
  std::erase_if(sprites_, [](const auto& s) { return s->Dead; });
}

void SpriteEngine::Draw(Bitmap& dest) {
  for (const auto& sprite : sprites_) {
    Rect b = sprite->GetBoundsRect();
    if (b.Right <= 0 || b.Bottom <= 0 || b.Left >= dest.Width || b.Top >= dest.Height) continue;
    sprite->DoDraw(dest);
  }
}

ImageSprite* SpriteEngine::Find(uint32_t id) const {
  auto it = std::lower_bound(sprites_.begin(), sprites_.end(), id,
                             [](const auto& s, uint32_t v) { return s->Id < v; });
  return it != sprites_.end() && (*it)->Id == id ? it->get() : nullptr;
}

}  // namespace plumix
