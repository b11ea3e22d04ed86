// SPDX-License-Identifier: GPL-3.0-or-later
// Contact sheets: every picture of a list with its name, patterns in a row,
// as the game will see them (decoded, keyed in 16-bit colour).
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "generate.h"
#include "paint.h"

namespace assetgen {
namespace {

constexpr int kMaxWidth = 2700;
constexpr int kGap = 4;

Canvas Decoded(const std::vector<uint8_t>& bytes, bool transparent, plumix::Colour key) {
  auto parsed = plumix::DecodeImage(bytes);
  if (!parsed) throw std::runtime_error("contact sheet: " + parsed.Error);
  const plumix::RgbImage& img = *parsed.Value;
  Canvas c(img.Width, img.Height);
  uint16_t key565 = plumix::ToRgb565(key);
  for (int i = 0; i < img.Width * img.Height; ++i) {
    const uint8_t* p = &img.Rgb[static_cast<size_t>(i) * 3];
    uint16_t v = plumix::Rgb565(p[0], p[1], p[2]);
    if (transparent && v == key565) continue;
    c.Px[i] = {plumix::Red8(v) / 255.0f, plumix::Green8(v) / 255.0f, plumix::Blue8(v) / 255.0f, 1};
  }
  return c;
}

struct Entry {
  std::string Title;
  std::vector<Canvas> Patterns;
};

void WriteSheet(const std::vector<Entry>& entries, const std::filesystem::path& path) {
  // Lay out first to know the size.
  int width = 200, height = 10;
  struct Placed { int X, Y; const Canvas* C; };
  std::vector<Placed> placed;
  std::vector<std::pair<int, std::string>> titles;
  for (const Entry& e : entries) {
    titles.push_back({height, e.Title});
    height += 18;
    int x = 10, rowH = 0;
    for (const Canvas& p : e.Patterns) {
      if (x + p.Width > kMaxWidth) {
        x = 10;
        height += rowH + kGap;
        rowH = 0;
      }
      placed.push_back({x, height, &p});
      x += p.Width + kGap;
      rowH = std::max(rowH, p.Height);
      width = std::max(width, x + 6);
    }
    height += rowH + 12;
  }
  Canvas sheet(width, height, Hex(0x202024));
  for (const Placed& p : placed) {
    for (int y = 0; y < p.C->Height; ++y)
      for (int x = 0; x < p.C->Width; ++x) {
        bool dark = ((x / 6) + (y / 6)) % 2;
        sheet.Blend(p.X + x, p.Y + y, dark ? Hex(0x3A3A40) : Hex(0x4A4A52));
      }
    sheet.Draw(*p.C, p.X, p.Y);
  }
  for (auto& [y, t] : titles) DrawMask(sheet, RenderText(Face::SansBold, 12, t), 10, y + 3.0f, Hex(0xF0F0F0));
  std::string why;
  if (!plumix::WriteFileBytes(path, plumix::EncodePng(ToRgbImage(sheet, Hex(0))), &why)) throw std::runtime_error(why);
}

std::vector<Canvas> Patterns(const Canvas& c, int pw, int ph) {
  pw = pw > 0 ? pw : c.Width;
  ph = ph > 0 ? ph : c.Height;
  std::vector<Canvas> out;
  for (int y = 0; y + ph <= c.Height; y += ph)
    for (int x = 0; x + pw <= c.Width; x += pw) out.push_back(c.Crop(x, y, pw, ph));
  return out;
}

}  // namespace

void WriteContactSheets(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  for (const char* list : plumix::kImageListNames) {
    std::vector<Entry> entries;
    for (const plumix::ImageAsset& a : plumix::ImageAssets()) {
      if (a.RunTime || std::string(a.List) != list) continue;
      Canvas c = Decoded(EncodeImageAsset(a), a.Transparent, a.Key);
      auto pats = Patterns(c, a.PatternWidth, a.PatternHeight);
      entries.push_back({std::string(a.Name) + "  " + std::to_string(a.Width) + "x" + std::to_string(a.Height) + "  " +
                             std::to_string(pats.size()) + (pats.size() == 1 ? " pattern" : " patterns"),
                         std::move(pats)});
    }
    WriteSheet(entries, folder / (std::string(list) + ".png"));
  }
  std::vector<Entry> game;
  for (const OutputFile& f : GameFolderFiles()) {
    if (f.Path.size() < 4 || f.Path.substr(f.Path.size() - 4) != ".jpg") continue;
    Canvas c = Decoded(f.Bytes, false, 0);
    game.push_back({f.Path.substr(5), {c}});
  }
  // Cubes side by side per theme reads better than one per row.
  std::vector<Entry> grouped;
  for (Entry& e : game) {
    std::string key = e.Title.substr(0, e.Title.rfind('/'));
    if (!grouped.empty() && grouped.back().Title == key) grouped.back().Patterns.push_back(e.Patterns[0]);
    else grouped.push_back({key, {e.Patterns[0]}});
  }
  WriteSheet(grouped, folder / "GameFolder.png");
}

}  // namespace assetgen
