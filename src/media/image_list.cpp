// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/image_list.h"

#include <cctype>

namespace plumix {

void ImageItem::Restore() {
  width_ = PatternWidth > 0 ? PatternWidth : Picture.Width;
  height_ = PatternHeight > 0 ? PatternHeight : Picture.Height;
  if (width_ <= 0 || height_ <= 0) {
    columns_ = 0;
    count_ = 0;
  } else {
    // A remainder strip narrower than a pattern is never a pattern.
    columns_ = Picture.Width / width_;
    count_ = columns_ * (Picture.Height / height_);
  }
  key_ = ToRgb565(TransparentColor);
  runsBuilt_ = false;
  useRuns_ = false;
  runs_.clear();
  runPixels_.clear();
  rowStart_.clear();
  turned_.clear();
}

void ImageItem::BuildRuns() const {
  runsBuilt_ = true;
  runs_.clear();
  runPixels_.clear();
  rowStart_.clear();
  if (!Transparent || count_ <= 0 || Picture.Width > 65535) return;
  const int bands = Picture.Height / height_;
  const int rows = bands * height_;
  rowStart_.reserve(static_cast<size_t>(rows) * columns_ + 1);
  long opaque = 0;
  auto addRow = [&](int y, int c) {
    const uint16_t* p = Picture.Row(y);
    rowStart_.push_back(static_cast<uint32_t>(runs_.size()));
    int x = c * width_;
    const int end = x + width_;
    while (x < end) {
      while (x < end && p[x] == key_) ++x;
      const int start = x;
      while (x < end && p[x] != key_) ++x;
      if (x == start) continue;
      runs_.push_back({static_cast<uint16_t>(start), static_cast<uint16_t>(x - start),
                       static_cast<uint32_t>(runPixels_.size())});
      runPixels_.insert(runPixels_.end(), p + start, p + x);
      opaque += x - start;
    }
  };
  // Pattern by pattern, so that drawing one pattern reads its runs and
  // pixels in one stretch of memory: a show of many bursts would otherwise
  // wait on a cache miss for every row of every burst.
  for (int band = 0; band < bands; ++band) {
    for (int c = 0; c < columns_; ++c) {
      for (int y = band * height_; y < (band + 1) * height_; ++y) addRow(y, c);
    }
  }
  rowStart_.push_back(static_cast<uint32_t>(runs_.size()));
  // Runs pay off where most of the picture is key or the runs are long:
  // sparse sprites such as the fireworks bursts.
  const long pixels = static_cast<long>(rows) * columns_ * width_;
  useRuns_ = opaque * 2 < pixels || (!runs_.empty() && opaque >= 16 * static_cast<long>(runs_.size()));
  if (!useRuns_) {
    runs_ = {};
    runPixels_ = {};
    rowStart_ = {};
  }
}

const uint32_t* ImageItem::PatternRuns(int pattern) const {
  if (!runsBuilt_) BuildRuns();
  if (!useRuns_ || !Transparent || pattern < 0 || pattern >= count_) return nullptr;
  const size_t at = static_cast<size_t>(pattern) * height_;
  return at + height_ < rowStart_.size() ? rowStart_.data() + at : nullptr;
}

bool ImageItem::PatternRect(int pattern, Rect* rect) const {
  if (pattern < 0 || pattern >= count_) return false;
  int column = pattern % columns_;
  int row = pattern / columns_;
  *rect = Rect{column * width_, row * height_, column * width_ + width_, row * height_ + height_};
  return true;
}

void ImageItem::LoadFromFile(const std::filesystem::path& path) {
  std::string error;
  std::vector<uint8_t> bytes = ReadFileBytes(path, &error);
  if (!error.empty()) throw GameError(error);
  Parsed<RgbImage> image = DecodeImage(bytes);
  if (!image) throw GameError("Cannot load image " + path.string() + ": " + image.Error);
  Picture = ToBitmap(*image.Value);
  Restore();
}

size_t ImageList::FoldHash::operator()(std::string_view s) const {
  size_t h = 14695981039346656037ull;
  for (char c : s) {
    h ^= static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
    h *= 1099511628211ull;
  }
  return h;
}

bool ImageList::FoldEqual::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

ImageItem& ImageList::Add(ImageItem item) {
  item.Restore();
  items_.push_back(std::make_unique<ImageItem>(std::move(item)));
  index_.emplace(items_.back()->Name, static_cast<int>(items_.size()) - 1);
  return *items_.back();
}

ImageItem* ImageList::Find(std::string_view name) {
  auto it = index_.find(name);
  return it == index_.end() ? nullptr : items_[it->second].get();
}

const ImageItem* ImageList::Find(std::string_view name) const {
  auto it = index_.find(name);
  return it == index_.end() ? nullptr : items_[it->second].get();
}

ImageItem& ImageList::Get(std::string_view name) {
  ImageItem* item = Find(name);
  if (!item) throw GameError("Image '" + std::string(name) + "' not found");
  return *item;
}

}  // namespace plumix
