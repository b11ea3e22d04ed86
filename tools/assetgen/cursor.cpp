// SPDX-License-Identifier: GPL-3.0-or-later
#include "cursor.h"

#include <cmath>
#include <string>

#include "raster.h"
#include "riff.h"

namespace assetgen {
namespace {


std::vector<uint8_t> CursorFile(const plumix::CursorFrame& f) {
  std::vector<uint8_t> image;
  Le32(image, 40);
  Le32(image, static_cast<uint32_t>(f.Width));
  Le32(image, static_cast<uint32_t>(f.Height * 2));  // colour rows and mask rows
  Le16(image, 1);
  Le16(image, 32);
  for (int i = 0; i < 6; ++i) Le32(image, 0);
  for (int y = f.Height - 1; y >= 0; --y)
    for (int x = 0; x < f.Width; ++x) Le32(image, f.Argb[static_cast<size_t>(y) * f.Width + x]);
  int maskStride = (f.Width + 31) / 32 * 4;
  for (int y = f.Height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(static_cast<size_t>(maskStride), 0);
    for (int x = 0; x < f.Width; ++x)
      if ((f.Argb[static_cast<size_t>(y) * f.Width + x] >> 24) == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    image.insert(image.end(), row.begin(), row.end());
  }
  std::vector<uint8_t> file;
  Le16(file, 0);
  Le16(file, 2);  // a cursor
  Le16(file, 1);
  file.push_back(static_cast<uint8_t>(f.Width & 255));
  file.push_back(static_cast<uint8_t>(f.Height & 255));
  file.push_back(0);
  file.push_back(0);
  Le16(file, static_cast<uint32_t>(f.HotX));
  Le16(file, static_cast<uint32_t>(f.HotY));
  Le32(file, static_cast<uint32_t>(image.size()));
  Le32(file, 22);
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

}  // namespace

plumix::AniCursor ArrowCursor() {
  plumix::AniCursor cursor;
  const std::vector<Vec> arrow = {{1.5f, 1.5f}, {1.5f, 23.5f}, {7, 18}, {11, 27.5f}, {15, 25.5f}, {11, 17}, {18, 17}};
  const int frames = 6;
  for (int f = 0; f < frames; ++f) {
    float pulse = 0.5f - 0.5f * std::cos(f / (frames - 1.0f) * 3.14159265f);
    Canvas c(32, 32);
    Canvas glow(32, 32);
    glow.Polygon(arrow, Hex(0xB070FF));
    glow.Blur(2.5f);
    for (size_t i = 0; i < c.Px.size(); ++i)
      c.Px[i] = WithAlpha(Mix(Hex(0x8A4AFF), Hex(0x40E0FF), pulse), Clamp01(glow.Px[i].A * (0.5f + 0.6f * pulse)));
    c.Shape(0, 0, 32, 32, [&](float x, float y) { return SdPolygon(x, y, arrow) - 1.0f; }, Hex(0xFFFFFF));
    c.Shape(0, 0, 32, 32, [&](float x, float y) { return SdPolygon(x, y, arrow); }, Hex(0x101018));
    c.Shape(0, 0, 32, 32, [&](float x, float y) { return SdPolygon(x, y, arrow) + 1.6f; },
            Mix(Hex(0x5A2AC8), Hex(0x2AB8E8), pulse));
    c.Line({4, 6}, {4, 17}, 1.0f, Hex(0xFFFFFF, 0.5f + 0.4f * pulse));
    plumix::CursorFrame frame;
    frame.Width = 32;
    frame.Height = 32;
    frame.HotX = 1;
    frame.HotY = 1;
    for (const Rgba& p : c.Px) {
      uint32_t a = static_cast<uint32_t>(std::lround(Clamp01(p.A) * 255));
      auto ch = [&](float v) { return static_cast<uint32_t>(std::lround(Clamp01(v) * 255)); };
      // Straight alpha; fully clear pixels are also clear in the AND mask.
      frame.Argb.push_back(a == 0 ? 0 : (a << 24) | (ch(p.R) << 16) | (ch(p.G) << 8) | ch(p.B));
    }
    cursor.Frames.push_back(std::move(frame));
  }
  for (int step : {0, 1, 2, 3, 4, 5, 4, 3, 2, 1}) {
    cursor.Sequence.push_back(step);
    cursor.Rates.push_back(step == 0 || step == 5 ? 12 : 5);
  }
  return cursor;
}

std::vector<uint8_t> WriteAni(const plumix::AniCursor& cursor) {
  std::vector<uint8_t> body{'A', 'C', 'O', 'N'};
  std::vector<uint8_t> info{'I', 'N', 'F', 'O'};
  std::string name = "Plumix Arrow", artist = "Ostrel";
  Chunk(info, "INAM", std::vector<uint8_t>(name.begin(), name.end()));
  Chunk(info, "IART", std::vector<uint8_t>(artist.begin(), artist.end()));
  Chunk(body, "LIST", info);
  std::vector<uint8_t> header;
  Le32(header, 36);
  Le32(header, static_cast<uint32_t>(cursor.Frames.size()));
  Le32(header, static_cast<uint32_t>(cursor.Sequence.size()));
  Le32(header, 0);  // sizes and depth come from the frames
  Le32(header, 0);
  Le32(header, 0);
  Le32(header, 0);
  Le32(header, cursor.Rates.empty() ? 6 : static_cast<uint32_t>(cursor.Rates[0]));
  Le32(header, 3);  // frames are cursor files, and a sequence follows
  Chunk(body, "anih", header);
  std::vector<uint8_t> rate, seq;
  for (int r : cursor.Rates) Le32(rate, static_cast<uint32_t>(r));
  for (int s : cursor.Sequence) Le32(seq, static_cast<uint32_t>(s));
  Chunk(body, "rate", rate);
  Chunk(body, "seq ", seq);
  std::vector<uint8_t> frames{'f', 'r', 'a', 'm'};
  for (const auto& f : cursor.Frames) Chunk(frames, "icon", CursorFile(f));
  Chunk(body, "LIST", frames);
  std::vector<uint8_t> file;
  Chunk(file, "RIFF", body);
  return file;
}

}  // namespace assetgen
