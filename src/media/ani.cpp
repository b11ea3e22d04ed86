// SPDX-License-Identifier: GPL-3.0-or-later
// Animated cursors: a RIFF "ACON" list of cursor images with a sequence and
// rates; each frame is an .ico/.cur file of its own.
#include "media/ani.h"

#include <string>
#include <string_view>

namespace plumix {
namespace {

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  bool Has(size_t offset, size_t count) const { return offset <= bytes_.size() && count <= bytes_.size() - offset; }
  uint8_t U8(size_t at) const { return bytes_[at]; }
  uint16_t U16(size_t at) const { return static_cast<uint16_t>(bytes_[at] | (bytes_[at + 1] << 8)); }
  uint32_t U32(size_t at) const {
    return static_cast<uint32_t>(bytes_[at]) | (static_cast<uint32_t>(bytes_[at + 1]) << 8) |
           (static_cast<uint32_t>(bytes_[at + 2]) << 16) | (static_cast<uint32_t>(bytes_[at + 3]) << 24);
  }
  int32_t S32(size_t at) const { return static_cast<int32_t>(U32(at)); }
  bool Tag(size_t at, std::string_view tag) const {
    return Has(at, 4) && std::string_view(reinterpret_cast<const char*>(bytes_.data() + at), 4) == tag;
  }
  std::span<const uint8_t> Sub(size_t at, size_t count) const { return bytes_.subspan(at, count); }

 private:
  std::span<const uint8_t> bytes_;
};

constexpr uint32_t kIconFlag = 1;      // frames are icon or cursor files
constexpr uint32_t kSequenceFlag = 2;  // a "seq " chunk gives the order
constexpr int kMaxSide = 256;
constexpr uint32_t kMaxSteps = 4096;

}  // namespace

Parsed<CursorFrame> ParseCursorImage(std::span<const uint8_t> bytes) {
  using P = Parsed<CursorFrame>;
  Reader r(bytes);
  if (!r.Has(0, 6)) return P::Fail("cursor image: too short for its directory");
  uint16_t type = r.U16(2), count = r.U16(4);
  if (r.U16(0) != 0 || (type != 1 && type != 2)) return P::Fail("cursor image: not an icon or cursor file");
  if (count == 0) return P::Fail("cursor image: no images in the directory");
  if (!r.Has(6, 16)) return P::Fail("cursor image: directory entry cut off");
  CursorFrame frame;
  if (type == 2) {
    frame.HotX = r.U16(6 + 4);
    frame.HotY = r.U16(6 + 6);
  }
  uint32_t size = r.U32(6 + 8), offset = r.U32(6 + 12);
  if (!r.Has(offset, size)) return P::Fail("cursor image: image data lies outside the file");
  Reader img(r.Sub(offset, size));
  if (size >= 8 && img.Tag(0, "\x89PNG")) return P::Fail("cursor image: PNG-compressed images are not supported");
  if (!img.Has(0, 40)) return P::Fail("cursor image: bitmap header cut off");
  uint32_t headerSize = img.U32(0);
  int32_t width = img.S32(4), doubleHeight = img.S32(8);
  uint16_t bits = img.U16(14);
  uint32_t compression = img.U32(16), coloursUsed = img.U32(32);
  if (headerSize < 40 || headerSize > size) return P::Fail("cursor image: bad bitmap header size");
  if (width <= 0 || width > kMaxSide || doubleHeight <= 0 || doubleHeight > 2 * kMaxSide || doubleHeight % 2)
    return P::Fail("cursor image: bad size " + std::to_string(width) + " x " + std::to_string(doubleHeight / 2));
  if (compression != 0) return P::Fail("cursor image: compressed bitmaps are not supported");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
    return P::Fail("cursor image: unsupported depth of " + std::to_string(bits) + " bits");
  const int height = doubleHeight / 2;
  size_t paletteCount = bits <= 8 ? (coloursUsed ? coloursUsed : (1u << bits)) : 0;
  if (paletteCount > 256) return P::Fail("cursor image: palette too large");
  size_t palette = headerSize, pixels = palette + paletteCount * 4;
  size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  size_t maskStride = (static_cast<size_t>(width) + 31) / 32 * 4;
  size_t mask = pixels + stride * height;
  if (!img.Has(pixels, stride * height)) return P::Fail("cursor image: pixel rows cut off");
  // Some 32-bit cursors leave the mask out and rely on alpha alone.
  bool hasMask = img.Has(mask, maskStride * height);
  if (!hasMask && bits != 32) return P::Fail("cursor image: transparency mask cut off");
  frame.Width = width;
  frame.Height = height;
  frame.Argb.assign(static_cast<size_t>(width) * height, 0);
  bool anyAlpha = false;
  for (int row = 0; row < height; ++row) {
    size_t line = pixels + stride * (height - 1 - row);  // rows are stored bottom-up
    for (int x = 0; x < width; ++x) {
      uint32_t argb = 0;
      if (bits == 32) {
        argb = img.U32(line + x * 4);
        anyAlpha |= (argb >> 24) != 0;
      } else if (bits == 24) {
        size_t p = line + x * 3;
        argb = 0xFF000000u | img.U16(p) | (static_cast<uint32_t>(img.U8(p + 2)) << 16);
      } else {
        size_t bitPos = static_cast<size_t>(x) * bits;
        uint8_t byte = img.U8(line + bitPos / 8);
        unsigned index = (byte >> (8 - bits - bitPos % 8)) & ((1u << bits) - 1);
        if (index >= paletteCount) return P::Fail("cursor image: colour index outside the palette");
        argb = 0xFF000000u | (img.U32(palette + index * 4) & 0xFFFFFF);
      }
      frame.Argb[static_cast<size_t>(row) * width + x] = argb;
    }
  }
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < width; ++x) {
      uint32_t& p = frame.Argb[static_cast<size_t>(row) * width + x];
      if (bits == 32 && anyAlpha) continue;
      if (bits == 32) p |= 0xFF000000u;
      if (hasMask) {
        uint8_t byte = img.U8(mask + maskStride * (height - 1 - row) + x / 8);
        if (byte & (0x80 >> (x % 8))) p = 0;
      }
    }
  }
  return P::Ok(std::move(frame));
}

Parsed<AniCursor> ParseAni(std::span<const uint8_t> bytes) {
  using P = Parsed<AniCursor>;
  Reader r(bytes);
  if (!r.Has(0, 12) || !r.Tag(0, "RIFF") || !r.Tag(8, "ACON")) return P::Fail("animated cursor: not a RIFF ACON file");
  size_t end = std::min<size_t>(bytes.size(), static_cast<size_t>(r.U32(4)) + 8);
  AniCursor cursor;
  bool haveHeader = false;
  uint32_t frames = 0, steps = 0, defaultRate = 0, flags = 0;
  for (size_t at = 12; at + 8 <= end;) {
    uint32_t size = r.U32(at + 4);
    size_t body = at + 8;
    if (!r.Has(body, size) || body + size > end) return P::Fail("animated cursor: chunk runs past the end");
    if (r.Tag(at, "anih")) {
      if (size < 36) return P::Fail("animated cursor: header chunk too short");
      frames = r.U32(body + 4);
      steps = r.U32(body + 8);
      defaultRate = r.U32(body + 28);
      flags = r.U32(body + 32);
      haveHeader = true;
      if (!(flags & kIconFlag)) return P::Fail("animated cursor: raw frame data is not supported");
      if (frames == 0 || frames > kMaxSteps || steps > kMaxSteps) return P::Fail("animated cursor: bad frame count");
    } else if (r.Tag(at, "rate")) {
      for (size_t i = 0; i + 4 <= size; i += 4) cursor.Rates.push_back(static_cast<int>(r.U32(body + i)));
    } else if (r.Tag(at, "seq ")) {
      for (size_t i = 0; i + 4 <= size; i += 4) cursor.Sequence.push_back(static_cast<int>(r.U32(body + i)));
    } else if (r.Tag(at, "LIST") && size >= 4 && r.Tag(body, "fram")) {
      for (size_t f = body + 4; f + 8 <= body + size;) {
        uint32_t fsize = r.U32(f + 4);
        if (f + 8 + fsize > body + size) return P::Fail("animated cursor: frame runs past its list");
        if (r.Tag(f, "icon")) {
          auto image = ParseCursorImage(r.Sub(f + 8, fsize));
          if (!image) return P::Fail("animated cursor: frame " + std::to_string(cursor.Frames.size() + 1) + ": " + image.Error);
          cursor.Frames.push_back(std::move(*image.Value));
        }
        f += 8 + fsize + (fsize & 1);
      }
    }
    at = body + size + (size & 1);
  }
  if (!haveHeader) return P::Fail("animated cursor: no header chunk");
  if (cursor.Frames.size() != frames)
    return P::Fail("animated cursor: header names " + std::to_string(frames) + " frames, file holds " +
                   std::to_string(cursor.Frames.size()));
  if (steps == 0) steps = frames;
  if (cursor.Sequence.empty()) {
    if (flags & kSequenceFlag) return P::Fail("animated cursor: sequence chunk missing");
    for (uint32_t i = 0; i < steps; ++i) cursor.Sequence.push_back(static_cast<int>(i % frames));
  }
  if (cursor.Sequence.size() != steps) return P::Fail("animated cursor: sequence length differs from the step count");
  for (int s : cursor.Sequence)
    if (s < 0 || static_cast<uint32_t>(s) >= frames) return P::Fail("animated cursor: sequence names a missing frame");
  if (cursor.Rates.empty()) cursor.Rates.assign(steps, static_cast<int>(defaultRate ? defaultRate : 1));
  if (cursor.Rates.size() != steps) return P::Fail("animated cursor: rate count differs from the step count");
  return P::Ok(std::move(cursor));
}

}  // namespace plumix
