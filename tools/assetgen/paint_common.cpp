// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "paint.h"

namespace assetgen {

Rgba KindColour(int kind) {
  // Close to the level-info icons' colours where those are distinct, so a kind
  // looks the same on both screens.
  static constexpr uint32_t kColours[18] = {
      0x2F6BFF, 0x2A2C33, 0xE8262B, 0x9A3418, 0x86E83A, 0x1E9A45, 0xFFD21F, 0x3CC0FF, 0xE8ECF4,
      0x9C9A2A, 0xF03CC8, 0x4A36C8, 0x2FF0E0, 0x9040E0, 0xAEB6C4, 0x14908C, 0x6A5A50, 0xFF8A1E};
  return Hex(kColours[(kind - 1 + 18) % 18]);
}

float BevelLight(const std::function<float(float, float)>& sd, float x, float y, float bevel) {
  auto height = [&](float px, float py) {
    float d = -sd(px, py) / bevel;
    if (d <= 0) return 0.0f;
    if (d >= 1) return 1.0f;
    return std::sqrt(d * (2 - d));  // rounded shoulder
  };
  float dx = height(x + 0.5f, y) - height(x - 0.5f, y);
  float dy = height(x, y + 0.5f) - height(x, y - 0.5f);
  float k = bevel * 0.9f;
  float nx = -dx * k, ny = -dy * k, nz = 1;
  float len = std::sqrt(nx * nx + ny * ny + nz * nz);
  const float lx = -0.55f, ly = -0.65f, lz = 0.52f;
  float diffuse = (nx * lx + ny * ly + nz * lz) / len;
  return (diffuse - lz) / (1 - lz);
}

void BrushedMetal(Canvas& c, int x0, int y0, int x1, int y1, Rgba base, uint32_t seed) {
  for (int y = std::max(0, y0); y < std::min(c.Height, y1); ++y) {
    for (int x = std::max(0, x0); x < std::min(c.Width, x1); ++x) {
      float streak = ValueNoise(x * 0.02f, y * 1.3f, seed) * 0.6f + ValueNoise(x * 0.1f, y * 0.7f, seed + 7) * 0.4f;
      float grain = Hash2(x, y, seed + 3) - 0.5f;
      float k = 0.86f + streak * 0.26f + grain * 0.05f;
      c.Blend(x, y, Scale(base, k));
    }
  }
}

void SunkenWindow(Canvas& c, float x0, float y0, float x1, float y1, Rgba inside, float radius, float shadow) {
  float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hw = (x1 - x0) / 2, hh = (y1 - y0) / 2;
  auto outer = [=](float x, float y) { return SdRoundBox(x, y, cx, cy, hw + 2, hh + 2, radius + 2); };
  auto inner = [=](float x, float y) { return SdRoundBox(x, y, cx, cy, hw, hh, radius); };
  // The lip: lit on the lower right, shadowed on the upper left, as cut into the plate.
  for (int y = static_cast<int>(y0) - 4; y < static_cast<int>(y1) + 4; ++y)
    for (int x = static_cast<int>(x0) - 4; x < static_cast<int>(x1) + 4; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float d = outer(px, py);
      if (d > 0.5f) continue;
      float cov = Clamp01(0.5f - d);
      float t = ((px - cx) / (hw + 2) + (py - cy) / (hh + 2)) * 0.5f;
      Rgba lip = t > 0 ? Mix(Hex(0x30343C), Hex(0x8A909C), Clamp01(t * 2)) : Mix(Hex(0x30343C), Hex(0x0A0B0E), Clamp01(-t * 2));
      c.Blend(x, y, lip, cov);
    }
  c.Shape(x0, y0, x1, y1, inner, inside);
  // Inner shadow along the top and left edges.
  for (int y = static_cast<int>(y0); y < static_cast<int>(y1); ++y)
    for (int x = static_cast<int>(x0); x < static_cast<int>(x1); ++x) {
      float d = -inner(x + 0.5f, y + 0.5f);
      if (d < 0) continue;
      float top = std::min(y + 0.5f - y0, x + 0.5f - x0);
      float shade = (std::exp(-top / 2.5f) * 0.55f + std::exp(-d / 1.5f) * 0.25f) * shadow;
      c.Blend(x, y, Hex(0x000000), shade);
    }
}

void Screw(Canvas& c, float cx, float cy, float r, float angle) {
  c.Circle(cx + 0.6f, cy + 0.8f, r + 0.6f, Hex(0x000000, 0.5f));
  for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y)
    for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float d = SdCircle(px, py, cx, cy, r);
      float cov = Clamp01(0.5f - d);
      if (cov <= 0) continue;
      float t = Clamp01(0.5f - ((px - cx) + (py - cy)) / (2.8f * r));
      c.Blend(x, y, Mix(Hex(0x3C4048), Hex(0xC8CCD4), t), cov);
    }
  float s = std::sin(angle), co = std::cos(angle);
  Vec a{cx - co * r * 0.75f, cy - s * r * 0.75f}, b{cx + co * r * 0.75f, cy + s * r * 0.75f};
  c.Line(a, b, std::max(0.8f, r * 0.35f), Hex(0x1A1C20, 0.9f));
}

void PaintLamp(Canvas& c, int ox, int oy, bool lit) {
  // 21 x 26: a chrome bezel around a round lens.
  float cx = ox + 10.5f, cy = oy + 12.5f;
  c.RoundBox(ox + 0.0f, oy + 0.0f, ox + 21.0f, oy + 26.0f, 4, Hex(0x15171B));
  for (int y = oy; y < oy + 26; ++y)
    for (int x = ox; x < ox + 21; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float d = SdRoundBox(px, py, cx, cy + 0.5f, 9.5f, 12.0f, 4);
      if (d > 0.5f) continue;
      float t = Clamp01(0.5f - ((px - cx) * 0.7f + (py - cy) * 0.5f) / 14.0f);
      c.Blend(x, y, Mix(Hex(0x2A2D33), Hex(0xB0B6C0), t), Clamp01(0.5f - d));
    }
  c.Circle(cx, cy, 7.6f, Hex(0x0C0D10));
  for (int y = oy; y < oy + 26; ++y)
    for (int x = ox; x < ox + 21; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float d = SdCircle(px, py, cx, cy, 6.4f);
      if (d > 0.5f) continue;
      float r = std::sqrt((px - cx + 1.8f) * (px - cx + 1.8f) + (py - cy + 2.0f) * (py - cy + 2.0f)) / 8.0f;
      Rgba lens = lit ? Mix(Hex(0xFFF6C0), Mix(Hex(0xFFB020), Hex(0xB04000), Clamp01(r - 0.3f)), Clamp01(r * 1.6f))
                      : Mix(Hex(0x6A4A20), Hex(0x24160A), Clamp01(r));
      c.Blend(x, y, lens, Clamp01(0.5f - d));
    }
  c.Circle(cx - 2.2f, cy - 2.6f, 1.8f, Hex(0xFFFFFF, lit ? 0.85f : 0.35f));
}

const PainterMap& AllPainters() {
  static const PainterMap map = [] {
    PainterMap m;
    AddPanelPainters(m);
    AddMenuPainters(m);
    AddEffectPainters(m);
    AddFireworkPainters(m);
    AddCellPainters(m);
    AddSpecialPainters(m);
    return m;
  }();
  return map;
}

}  // namespace assetgen
