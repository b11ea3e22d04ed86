// Draws the game's desktop icon, a falling element over a settled row, at
// each size asked for: plumix-icons FOLDER SIZE... writes FOLDER/SIZE.png.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

const Cell kCells[] = {
    // the falling element: an L of four cells
    {2, 0, kOrange}, {2, 1, kOrange}, {2, 2, kOrange}, {3, 2, kOrange},
    // the settled rows below, with the gap it will fill
    {0, 6, kAqua}, {1, 6, kAqua}, {4, 6, kGreen}, {5, 6, kGreen}, {6, 6, kGreen}, {7, 6, kGreen},
    {0, 7, kGreen}, {1, 7, kGreen}, {2, 7, kAqua}, {3, 7, kAqua}, {4, 7, kAqua}, {5, 7, kOrange},
    {6, 7, kOrange}, {7, 7, kOrange},
};

void Put(plumix::RgbImage& image, int x, int y, Colour c) {
  uint8_t* p = &image.Rgb[(static_cast<size_t>(y) * image.Width + x) * 3];
  p[0] = static_cast<uint8_t>(std::clamp(c.R, 0.0, 255.0));
  p[1] = static_cast<uint8_t>(std::clamp(c.G, 0.0, 255.0));
  p[2] = static_cast<uint8_t>(std::clamp(c.B, 0.0, 255.0));
}

plumix::RgbImage Draw(int size) {
  plumix::RgbImage image{size, size, std::vector<uint8_t>(static_cast<size_t>(size) * size * 3)};
  const double cell = size / 8.0;
  const double bevel = std::max(1.0, cell / 6);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      // night sky, lighter towards the bottom
      double t = static_cast<double>(y) / size;
      Colour c{12 + 30 * t, 16 + 30 * t, 48 + 60 * t};
      for (const Cell& k : kCells) {
        double left = k.X * cell, top = k.Y * cell;
        if (x < left || x >= left + cell || y < top || y >= top + cell) continue;
        double dx = x - left, dy = y - top;
        double shade = 1.0;
        if (dx < bevel || dy < bevel) shade = 1.35;
        if (dx >= cell - bevel || dy >= cell - bevel) shade = 0.6;
        c = {k.Base.R * shade, k.Base.G * shade, k.Base.B * shade};
      }
      Put(image, x, y, c);
    }
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: plumix-icons FOLDER SIZE...\n");
    return 2;
  }
  std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  for (int i = 2; i < argc; ++i) {
    int size = std::atoi(argv[i]);
    if (size < 8 || size > 1024) {
      std::fprintf(stderr, "plumix-icons: no icon of size %s\n", argv[i]);
      return 2;
    }
    std::string error;
    if (!plumix::WriteFileBytes(folder / (std::to_string(size) + ".png"),
                                plumix::EncodePng(Draw(size)), &error)) {
      std::fprintf(stderr, "plumix-icons: %s\n", error.c_str());
      return 1;
    }
  }
  return 0;
}
