// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the desktop icons at each size asked for: the game's (a falling
// element over the settled rows) and the editor's (a pencil over the same
// rows). plumix-icons FOLDER SIZE... writes FOLDER/SIZE.png and
// FOLDER/editor-SIZE.png, transparent around the shapes.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "media/bitmap.h"

namespace {

struct Colour {
  double R, G, B;
};

struct Cell {
  int X, Y;  // in an 8 x 8 grid
  Colour Base;
};

constexpr Colour kOrange{245, 140, 30}, kAqua{40, 200, 220}, kGreen{90, 200, 70};

const Cell kFalling[] = {{2, 0, kOrange}, {2, 1, kOrange}, {2, 2, kOrange}, {3, 2, kOrange}};

// The settled rows, with the gap the falling element will fill.
const Cell kSettled[] = {
    {0, 6, kAqua}, {1, 6, kAqua}, {4, 6, kGreen}, {5, 6, kGreen}, {6, 6, kGreen}, {7, 6, kGreen},
    {0, 7, kGreen}, {1, 7, kGreen}, {2, 7, kAqua}, {3, 7, kAqua}, {4, 7, kAqua}, {5, 7, kOrange},
    {6, 7, kOrange}, {7, 7, kOrange},
};

// A point in grid units (0..8) and what covers it, if anything.
using Shape = std::function<std::optional<Colour>(double x, double y, double bevel)>;

std::optional<Colour> CellAt(const Cell& k, double x, double y, double bevel) {
  const double dx = x - k.X, dy = y - k.Y;
  if (dx < 0 || dx >= 1 || dy < 0 || dy >= 1) return std::nullopt;
  double shade = 1.0;
  if (dx < bevel || dy < bevel) shade = 1.35;
  if (dx >= 1 - bevel || dy >= 1 - bevel) shade = 0.6;
  return Colour{k.Base.R * shade, k.Base.G * shade, k.Base.B * shade};
}

std::optional<Colour> Cells(std::span<const Cell> cells, double x, double y, double bevel) {
  for (const Cell& k : cells) {
    if (auto c = CellAt(k, x, y, bevel)) return c;
  }
  return std::nullopt;
}

// A pencil from the top right down to its point over the gap in the rows.
std::optional<Colour> Pencil(double x, double y) {
  const double ax = 7.4, ay = 0.6, bx = 2.6, by = 5.4;  // the end and the point
  const double lx = bx - ax, ly = by - ay, length = std::hypot(lx, ly);
  const double along = ((x - ax) * lx + (y - ay) * ly) / length;  // 0 at the end
  const double across = ((x - ax) * ly - (y - ay) * lx) / length;
  const double half = 0.75;
  if (along < 0 || along > length) return std::nullopt;
  const double tip = 1.7;
  if (along > length - tip) {
    // The sharpened wood narrows to the lead.
    const double left = length - along;
    if (std::abs(across) > half * left / tip) return std::nullopt;
    if (left < 0.6) return Colour{40, 40, 48};
    return Colour{235, 200, 150};
  }
  if (std::abs(across) > half) return std::nullopt;
  if (along < 0.7) return Colour{230, 110, 140};  // the eraser
  if (along < 0.95) return Colour{180, 180, 190};  // its metal band
  const double shade = across < -half / 3 ? 1.15 : (across > half / 3 ? 0.75 : 1.0);
  return Colour{250 * shade, 200 * shade, 40 * shade};
}

struct RgbaImage {
  int Size = 0;
  std::vector<uint8_t> Rgba;
};

std::vector<uint8_t> EncodePng(const RgbaImage& image) {
  return plumix::EncodePngPixels(image.Size, image.Size, 4, image.Rgba);
}

// Each pixel is sampled 4 x 4 times, so that the edges are smooth and the
// transparency around the shapes is soft.
RgbaImage Draw(int size, const Shape& shape) {
  RgbaImage image{size, std::vector<uint8_t>(static_cast<size_t>(size) * size * 4)};
  const double grid = size / 8.0;
  const double bevel = std::max(1.0, grid / 6) / grid;
  constexpr int kSamples = 4;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double r = 0, g = 0, b = 0;
      int covered = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double gx = (x + (sx + 0.5) / kSamples) / grid;
          const double gy = (y + (sy + 0.5) / kSamples) / grid;
          if (auto c = shape(gx, gy, bevel)) {
            r += c->R;
            g += c->G;
            b += c->B;
            ++covered;
          }
        }
      }
      const size_t at = static_cast<size_t>(y) * size + x;
      uint8_t* p = &image.Rgba[at * 4];
      if (covered > 0) {
        p[0] = static_cast<uint8_t>(std::clamp(r / covered, 0.0, 255.0));
        p[1] = static_cast<uint8_t>(std::clamp(g / covered, 0.0, 255.0));
        p[2] = static_cast<uint8_t>(std::clamp(b / covered, 0.0, 255.0));
      }
      p[3] = static_cast<uint8_t>(covered * 255 / (kSamples * kSamples));
    }
  }
  return image;
}

bool Write(const std::filesystem::path& path, const RgbaImage& image) {
  std::string error;
  if (plumix::WriteFileBytes(path, EncodePng(image), &error)) return true;
  std::fprintf(stderr, "plumix-icons: %s\n", error.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: plumix-icons FOLDER SIZE...\n");
    return 2;
  }
  const Shape game = [](double x, double y, double bevel) {
    if (auto c = Cells(kFalling, x, y, bevel)) return c;
    return Cells(kSettled, x, y, bevel);
  };
  const Shape editor = [](double x, double y, double bevel) {
    if (auto c = Pencil(x, y)) return c;
    return Cells(kSettled, x, y, bevel);
  };
  std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  for (int i = 2; i < argc; ++i) {
    int size = std::atoi(argv[i]);
    if (size < 8 || size > 1024) {
      std::fprintf(stderr, "plumix-icons: no icon of size %s\n", argv[i]);
      return 2;
    }
    if (!Write(folder / (std::to_string(size) + ".png"), Draw(size, game)) ||
        !Write(folder / ("editor-" + std::to_string(size) + ".png"), Draw(size, editor))) {
      return 1;
    }
  }
  return 0;
}
