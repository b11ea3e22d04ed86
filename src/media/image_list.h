// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Named image lists whose pictures are cut into equal patterns.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "media/bitmap.h"
#include "media/colour.h"

namespace plumix {

struct ImageItem {
  std::string Name;
  Bitmap Picture;
  int PatternWidth = 0;  // 0: the whole picture is one pattern
  int PatternHeight = 0;
  bool Transparent = false;
  Colour TransparentColor = 0;
  bool SystemMemory = false;

  // Rebuilds the pattern geometry and the 16-bit colour key from the picture;
  // call it after changing Picture.
  void Restore();
  // Replaces the picture from a JPEG or PNG file and restores; throws GameError.
  void LoadFromFile(const std::filesystem::path& path);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int PatternCount() const { return count_; }
  uint16_t Key() const { return key_; }
  // Source rectangle of a pattern; false for an index outside 0..PatternCount-1.
  bool PatternRect(int pattern, Rect* rect) const;

  // The runs of non-key pixels of a keyed picture, for each pattern row, with
  // their pixels packed one after the other (a sparse sprite then reads a few
  // cache lines instead of its whole pattern).
  struct Run {
    uint16_t X, Length;  // picture columns
    uint32_t Offset;     // of the first pixel in RunPixels
  };
  // Where the runs of each row of a pattern start in Runs(), one entry a row
  // and one past the last; null when the picture is drawn better pixel by
  // pixel (dense or not keyed) or the pattern is outside the picture.
  const uint32_t* PatternRuns(int pattern) const;
  const Run* Runs() const { return runs_.data(); }
  const uint16_t* RunPixels() const { return runPixels_.data(); }

  // A pattern scaled and turned as the rotated drawing turns it, its pixels
  // placed relative to the point it is drawn at: the cells of a frame that
  // share a picture, size and angle are then turned once.
  struct Turned {
    int Pattern = -1, Width = 0, Height = 0, Angle = 0;
    double CentreX = 0, CentreY = 0;
    bool Keyed = false;
    uint16_t Key = 0;
    struct Span {
      int Dx, Dy, Length;
      uint32_t Offset;  // of the first pixel in Pixels
    };
    std::vector<Span> Spans;
    std::vector<uint16_t> Pixels;
  };
  // The few turned patterns drawn last, dropped by Restore.
  std::vector<Turned>& TurnedPatterns() const { return turned_; }

 private:
  void BuildRuns() const;
  int width_ = 0, height_ = 0, columns_ = 0, count_ = 0;
  uint16_t key_ = 0;
  // Built on the first keyed drawing, dropped by Restore.
  mutable bool runsBuilt_ = false;
  mutable bool useRuns_ = false;
  mutable std::vector<Run> runs_;
  mutable std::vector<uint16_t> runPixels_;
  // [(pattern * height_ + row of the pattern)], one past the end last
  mutable std::vector<uint32_t> rowStart_;
  mutable std::vector<Turned> turned_;
};

class ImageList {
 public:
  explicit ImageList(std::string name) : name_(std::move(name)) {}
  ImageItem& Add(ImageItem item);
  // Case-insensitive; nullptr for an unknown name.
  ImageItem* Find(std::string_view name);
  const ImageItem* Find(std::string_view name) const;
  // As Find, but an unknown name is a programming error: "Image '%s' not found".
  ImageItem& Get(std::string_view name);
  ImageItem& Item(int index) { return *items_.at(index); }
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Name() const { return name_; }

 private:
  struct FoldHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const;
  };
  struct FoldEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  std::string name_;
  std::vector<std::unique_ptr<ImageItem>> items_;
  std::unordered_map<std::string, int, FoldHash, FoldEqual> index_;
};

}  // namespace plumix
