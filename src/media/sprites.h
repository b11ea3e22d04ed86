// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sprites: animated image patterns owned by the sprite engine.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "media/bitmap.h"
#include "media/image_list.h"

namespace plumix {

class SpriteEngine;

class ImageSprite {
 public:
  explicit ImageSprite(SpriteEngine& engine) : Engine(engine) {}
  virtual ~ImageSprite() = default;

  SpriteEngine& Engine;
  double X = 0, Y = 0;
  int Width = 0, Height = 0;
  bool Dead = false;
  const ImageItem* Image = nullptr;
  int AnimationLength = 0;
  bool AnimationLooped = false;
  double AnimationPos = 0;
  double AnimationSpeed = 0;
  bool Transparent = true;
  uint32_t Id = 0;

  virtual void DoDraw(Bitmap& dest);
  virtual void DoMove(int moveCount);
  Rect GetBoundsRect() const;
  void Kill() { Dead = true; }

 protected:
  void SetImage(const ImageItem& image);
  void SetAnimation(const ImageItem& image, double y, double x, bool looped, double speed);
};

// One digit of a counter: digit d shows pattern d + 1 of "Digits".
class TDigit : public ImageSprite {
 public:
  TDigit(SpriteEngine& engine, ImageList& list, double y, double x, int digit);
  void SetDigit(int digit) { AnimationPos = digit + 1; }
};

class TBasicSprite : public ImageSprite {
 public:
  TBasicSprite(SpriteEngine& engine, ImageList& list, double y, double x, bool looped,
               double speed, std::string_view imageName);
  void DoMove(int moveCount) override;
  // Shows another image of the list from its first pattern (the wind blows
  // left or right).
  void ChangeImage(const ImageItem& image);
};

// One burst: frees itself once its animation reaches the last pattern.
class TFireworksSprite : public ImageSprite {
 public:
  TFireworksSprite(SpriteEngine& engine, ImageList& list, double y, double x, bool looped,
                   double speed, std::string_view imageName);
  void DoMove(int moveCount) override;
};

// A reference to a sprite that may have been freed since: Get() is then null.
template <class T>
class SpriteRef {
 public:
  SpriteRef() = default;
  SpriteRef(SpriteEngine* engine, uint32_t id) : engine_(engine), id_(id) {}
  T* Get() const;
  explicit operator bool() const { return Get() != nullptr; }

 private:
  SpriteEngine* engine_ = nullptr;
  uint32_t id_ = 0;
};

class SpriteEngine {
 public:
  // Makes a sprite owned by the engine, drawn after the ones made before it.
  template <class T, class... Args>
  SpriteRef<T> Create(Args&&... args) {
    auto sprite = std::make_unique<T>(*this, std::forward<Args>(args)...);
    sprite->Id = ++lastId_;
    uint32_t id = sprite->Id;
    sprites_.push_back(std::move(sprite));
    return SpriteRef<T>(this, id);
  }
  void Move(int moveCount);
  // Frees the sprites that were killed.
  void Dead();
  // Draws every sprite whose bounds meet the surface, in creation order.
  void Draw(Bitmap& dest);
  void Clear() { sprites_.clear(); }
  int Count() const { return static_cast<int>(sprites_.size()); }
  ImageSprite* Find(uint32_t id) const;
  ImageSprite& At(int index) const { return *sprites_.at(index); }

  // The seismograph runs its whole animation while this is set.
  const bool* DisasterFlag = nullptr;

 private:
  std::vector<std::unique_ptr<ImageSprite>> sprites_;
  uint32_t lastId_ = 0;
};

template <class T>
T* SpriteRef<T>::Get() const {
  return engine_ ? static_cast<T*>(engine_->Find(id_)) : nullptr;
}

}  // namespace plumix
