// SPDX-License-Identifier: GPL-3.0-or-later
// The menu backgrounds, the neon moon and the maker's logo.
#include <algorithm>
#include <cmath>

#include "paint.h"

namespace assetgen {
namespace {

constexpr float kPi = 3.14159265f;

Rgba SkyAt(float y) {
  float t = y / 768.0f;
  if (t < 0.45f) return Mix(Hex(0x05041A), Hex(0x16103C), t / 0.45f);
  if (t < 0.74f) return Mix(Hex(0x16103C), Hex(0x3C1A5C), (t - 0.45f) / 0.29f);
  return Mix(Hex(0x3C1A5C), Hex(0x5A2462), Clamp01((t - 0.74f) / 0.1f));
}

void Stars(Canvas& c, int count, uint32_t seed, float maxY, float avoidX, float avoidY) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    float x = rng.Range(0, static_cast<float>(c.Width)), y = rng.Range(0, maxY);
    float b = rng.Unit();
    b = b * b * (1 - y / maxY * 0.7f);
    float dx = x - avoidX, dy = y - avoidY;
    if (dx * dx + dy * dy < 90 * 90) continue;
    Rgba tint = Mix(Hex(0xB8C8FF), Hex(0xFFE8D0), rng.Unit());
    c.Glow(x, y, 0.55f + b * 0.6f, tint, 0.5f + b * 1.2f);
    if (b > 0.7f) {
      c.Line({x - 5, y}, {x + 5, y}, 0.5f, WithAlpha(tint, 0.35f));
      c.Line({x, y - 5}, {x, y + 5}, 0.5f, WithAlpha(tint, 0.35f));
    }
  }
}

void Ridge(Canvas& c, float base, float amp, float scale, uint32_t seed, Rgba colour, Rgba topGlow) {
  for (int x = 0; x < c.Width; ++x) {
    float h = base - amp * Fbm(x / scale, 0.5f, seed, 5);
    for (int y = static_cast<int>(h); y < c.Height; ++y) {
      float cov = Clamp01(y + 1 - h);
      float rim = std::exp(-(y - h) / 3.0f);
      c.Blend(x, y, Mix(colour, topGlow, rim * 0.5f), cov);
    }
  }
}

void Building(Canvas& c, float x0, float top, float w, Rng& rng, Rgba body) {
  c.FillRect(x0, top, x0 + w, 768, body);
  c.FillRect(x0, top, x0 + w, top + 1.5f, Hex(0x6A3A8A, 0.5f));
  for (float y = top + 8; y < 760; y += 11)
    for (float x = x0 + 5; x < x0 + w - 6; x += 9) {
      float r = rng.Unit();
      if (r < 0.62f) continue;
      Rgba win = r < 0.85f ? Hex(0xFFD27A) : (r < 0.95f ? Hex(0x7AE8FF) : Hex(0xFF7AD8));
      float k = rng.Range(0.35f, 0.85f);
      c.FillRect(x, y, x + 4, y + 5, WithAlpha(win, k));
      c.Glow(x + 2, y + 2.5f, 3, win, 0.06f * k);
    }
}

// A stack of glowing cubes on a roof: the falling-block game in the skyline.
void RoofBlocks(Canvas& c, float x0, float top, const std::vector<std::pair<int, int>>& cells, Rgba colour) {
  for (auto [cx, cy] : cells) {
    float x = x0 + cx * 22, y = top - (cy + 1) * 22;
    c.RoundBox(x, y, x + 21, y + 21, 2, Scale(colour, 0.35f));
    c.Shape(x, y, x + 21, y + 21, [=](float px, float py) { return std::fabs(SdRoundBox(px, py, x + 10.5f, y + 10.5f, 10, 10, 2)) - 0.8f; },
            WithAlpha(colour, 0.9f));
    c.Glow(x + 10.5f, y + 10.5f, 14, colour, 0.05f);
  }
}

void NeonText(Canvas& c, Face face, int size, const std::string& text, float cx, float cy, Rgba colour, float glow) {
  Mask m = RenderText(face, size, text);
  float x = std::round(cx - m.Width / 2.0f), y = std::round(cy - m.Height / 2.0f);
  Canvas halo(c.Width, c.Height);
  DrawMask(halo, m, x, y, colour);
  halo.Blur(size * 0.16f);
  for (size_t i = 0; i < c.Px.size(); ++i)
    if (halo.Px[i].A > 0.002f) c.Add(static_cast<int>(i % c.Width), static_cast<int>(i / c.Width), colour, halo.Px[i].A * glow);
  DrawMask(c, m, x, y, Mix(colour, Hex(0xFFFFFF), 0.55f));
}

Canvas MainMenu() {
  Canvas c(1024, 768);
  c.Each([](int x, int y, Rgba& p) {
    p = SkyAt(y + 0.5f);
    float wisp = Fbm(x / 220.0f, y / 90.0f, 3, 5);
    float band = std::exp(-std::pow((y - 210 - 60 * std::sin(x / 260.0f)) / 120.0f, 2.0f));
    p = Mix(p, Hex(0x2A3A8A), SmoothStep(0.45f, 0.8f, wisp) * band * 0.45f);
    p = Mix(p, Hex(0x7A2A7A), SmoothStep(0.55f, 0.85f, wisp) * band * 0.25f);
  });
  Stars(c, 520, 44, 560, 980, 200);
  c.Glow(980, 200, 70, Hex(0x5A4A9A), 0.12f);
  // Horizon glow, far hills, near hills.
  for (int y = 480; y < 640; ++y)
    for (int x = 0; x < 1024; ++x) c.Add(x, y, Hex(0xC04A9A), 0.10f * std::exp(-std::pow((y - 575) / 40.0f, 2.0f)));
  Ridge(c, 600, 120, 180, 71, Hex(0x1E1240), Hex(0x8A4AA8));
  Ridge(c, 640, 70, 110, 72, Hex(0x120A28), Hex(0x5A2A7A));
  Rng rng(73);
  float x = -10;
  struct Roof { float X, Top, W; };
  std::vector<Roof> roofs;
  while (x < 1024) {
    float w = rng.Range(40, 90);
    float centre = std::fabs((x + w / 2) - 500) / 512.0f;
    float top = std::max(700 - rng.Range(10, 60) - 150 * centre * centre * 1.6f, 470.0f);
    roofs.push_back({x, top, w});
    x += w + rng.Range(2, 10);
  }
  // Block-shaped neon signs stand on three roofs, drawn before the houses in
  // front of them.
  auto roofAt = [&](float px) {
    for (const Roof& r : roofs)
      if (px >= r.X && px < r.X + r.W) return r;
    return roofs.front();
  };
  Roof a = roofAt(60), b = roofAt(200), d = roofAt(930);
  for (const Roof& r : roofs) Building(c, r.X, r.Top, r.W, rng, Hex(0x0A0616));
  RoofBlocks(c, a.X + a.W / 2 - 33, a.Top, {{0, 0}, {1, 0}, {2, 0}, {1, 1}}, Hex(0xFF3AC8));
  RoofBlocks(c, b.X + b.W / 2 - 33, b.Top, {{0, 0}, {1, 0}, {1, 1}, {2, 1}}, Hex(0xFFD23A));
  RoofBlocks(c, d.X + d.W / 2 - 22, d.Top, {{0, 0}, {0, 1}, {0, 2}, {1, 0}}, Hex(0x3AE8FF));
  // The neon grid of a road running into the town.
  for (int y = 700; y < 768; ++y)
    for (int x2 = 0; x2 < 1024; ++x2) {
      float depth = (y - 690) / 78.0f;
      float gx = (x2 - 512) / (depth * 60.0f + 10);
      float line = std::exp(-std::pow((gx - std::round(gx)) * (depth * 60 + 10) / 1.2f, 2.0f));
      float row = std::exp(-std::pow(std::fmod(std::log(depth + 0.05f) * 9.0f + 40, 1.0f) - 0.5f, 2.0f) * 400);
      c.Add(x2, y, Hex(0x9A3AFF), (line + row) * 0.25f * depth);
    }
  // The glass panel behind the menu items, centred under them as they are
  // drawn (x 270 to 757 on the game menu, 278 to 722 on the main menu) and
  // wide enough for the dashed rules in the poster face.
  constexpr int kGlassCentreX = 506;
  for (int y = 226; y < 672; ++y)
    for (int x2 = kGlassCentreX - 306; x2 < kGlassCentreX + 306; ++x2) {
      float px = x2 + 0.5f, py = y + 0.5f;
      float d = SdRoundBox(px, py, kGlassCentreX, 448, 298, 216, 18);
      float cov = Clamp01(0.5f - d);
      if (cov <= 0) continue;
      c.Blend(x2, y, Hex(0x04030C), cov * 0.72f);
      float rim = std::exp(-std::pow(d + 1.5f, 2.0f) / 1.2f);
      c.Add(x2, y, Hex(0x9A5AFF), rim * 0.6f);
    }
  NeonText(c, Face::Poster, 92, "PLUMIX", 500, 95, Hex(0xFF3AC8), 1.4f);
  NeonText(c, Face::Poster, 38, "A D V E N T U R E", 500, 170, Hex(0x3AD8FF), 1.2f);
  return c;
}

Canvas MenuSlick() {
  Canvas c(1024, 768);
  c.Each([](int x, int y, Rgba& p) {
    float t = (x * 0.6f + y) / 1380.0f;
    Rgba base = Mix(Hex(0x140E34), Hex(0x0C1030), t);
    float sheen = std::exp(-std::pow((x * 0.7f - y + 120) / 140.0f, 2.0f)) * 0.5f +
                  std::exp(-std::pow((x * 0.7f - y - 420) / 60.0f, 2.0f)) * 0.25f;
    base = Mix(base, Hex(0x2A2258), sheen);
    float n = Fbm(x / 300.0f, y / 300.0f, 9, 4);
    base = Mix(base, Hex(0x1A0E30), n * 0.35f);
    // The faint grid of a playfield.
    float gx = std::fmod(x + 0.5f, 32.0f), gy = std::fmod(y + 0.5f, 32.0f);
    if (gx < 1.0f || gy < 1.0f) base = Mix(base, Hex(0x2A2A5A), 0.35f);
    float vignette = Clamp01(1.0f - (std::pow((x - 512) / 700.0f, 2.0f) + std::pow((y - 384) / 560.0f, 2.0f)));
    p = Scale(base, 0.75f + 0.25f * vignette);
  });
  // A sparse, faint star field: depth without competing with the text.
  Rng rng(45);
  for (int i = 0; i < 160; ++i) {
    float x = rng.Range(0, 1024), y = rng.Range(0, 768), b = rng.Unit();
    c.Glow(x, y, 0.6f + b * 0.4f, Hex(0x9AA8E0), 0.10f + b * b * 0.25f);
  }
  // Never on the key's colour: keep green above its range.
  c.Each([](int, int, Rgba& p) { p.G = std::max(p.G, 14 / 255.0f); });
  return c;
}

Canvas NeonMoon() {
  Canvas c(200, 100);
  const float cx = 52, cy = 50, r = 36, bx = 66, by = 40, br = 31;
  auto crescent = [=](float x, float y) {
    return std::max(SdCircle(x, y, cx, cy, r), -SdCircle(x, y, bx, by, br));
  };
  for (int lit = 0; lit < 2; ++lit) {
    float ox = lit * 100.0f;
    Canvas cell(100, 100);
    // Two mounting wires up to the top edge.
    cell.Line({30, 0}, {34, 22}, 1.0f, Hex(0x50506A, 0.9f));
    cell.Line({60, 0}, {58, 14}, 1.0f, Hex(0x50506A, 0.9f));
    if (lit) {
      Canvas halo(100, 100);
      halo.Shape(0, 0, 100, 100, [&](float x, float y) { return std::fabs(crescent(x, y)) - 2.0f; }, Hex(0xFFD060));
      halo.Blur(7.0f);
      for (size_t i = 0; i < cell.Px.size(); ++i) cell.Add(static_cast<int>(i % 100), static_cast<int>(i / 100), Hex(0xFFB040), halo.Px[i].A * 1.6f);
      cell.Shape(0, 0, 100, 100, crescent, Hex(0xFFC850, 0.25f));
      cell.Shape(0, 0, 100, 100, [&](float x, float y) { return std::fabs(crescent(x, y)) - 1.6f; }, Hex(0xFFE9A0));
      cell.Shape(0, 0, 100, 100, [&](float x, float y) { return std::fabs(crescent(x, y)) - 0.6f; }, Hex(0xFFFFF0));
    } else {
      cell.Shape(0, 0, 100, 100, crescent, Hex(0x1A1830, 0.7f));
      cell.Shape(0, 0, 100, 100, [&](float x, float y) { return std::fabs(crescent(x, y)) - 1.6f; }, Hex(0x6A6270));
      cell.Shape(0, 0, 100, 100, [&](float x, float y) { return std::fabs(crescent(x + 0.7f, y + 0.7f)) - 0.5f; },
                 Hex(0xB8B0C0, 0.8f));
    }
    c.Draw(cell, static_cast<int>(ox), 0);
  }
  return c;
}

Canvas OstrelLogo() {
  const int w = 518, h = 331;
  Canvas c(w, h, Hex(0x000000));
  const float ecx = 259, ecy = 118;
  // A soft spotlight so the logo reads as lit metal on black.
  c.Glow(ecx, ecy + 30, 80, Hex(0x2A2050), 0.6f);
  // The emblem: a ring with a long-necked bird's head in profile.
  auto ring = [=](float x, float y) { return std::fabs(SdCircle(x, y, ecx, ecy, 86)) - 6.0f; };
  // The neck curves up from the ring's foot to the head, thinning as it goes.
  std::vector<Vec> neck;
  for (int i = 0; i <= 16; ++i) {
    float t = i / 16.0f;
    neck.push_back({ecx - 34 + 40 * t - 16 * std::sin(t * kPi), ecy + 84 - 126 * t});
  }
  auto bird = [=](float x, float y) {
    float d = 1e9f;
    for (size_t i = 0; i + 1 < neck.size(); ++i) {
      float w = 13.0f - 5.0f * i / neck.size();
      d = std::min(d, SdSegment(x, y, neck[i], neck[i + 1]) - w);
    }
    float head = SdCircle(x, y, ecx + 8, ecy - 44, 19);
    float beak = SdPolygon(x, y, {{ecx + 16, ecy - 58}, {ecx + 66, ecy - 40}, {ecx + 18, ecy - 28}});
    float body = std::min(d, std::min(head, beak));
    return std::max(body, SdCircle(x, y, ecx, ecy, 80));
  };
  auto metal = [](float t) {
    // Chrome bands: light top, dark horizon line, warm bottom.
    if (t < 0.48f) return Mix(Hex(0xFFF4D8), Hex(0xC89A40), t / 0.48f);
    if (t < 0.52f) return Mix(Hex(0x5A3A10), Hex(0x8A5A20), (t - 0.48f) / 0.04f);
    return Mix(Hex(0xE0A850), Hex(0xFFE6A0), (t - 0.52f) / 0.48f);
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float dr = ring(px, py), db = bird(px, py);
      float d = std::min(dr, db);
      float cov = Clamp01(0.5f - d);
      if (cov <= 0) continue;
      float t = Clamp01((py - (ecy - 92)) / 184.0f);
      Rgba col = metal(t);
      float light = BevelLight([&](float a, float b) { return std::min(ring(a, b), bird(a, b)); }, px, py, 3.0f);
      col = light > 0 ? Mix(col, Hex(0xFFFFFF), light * 0.6f) : Mix(col, Hex(0x2A1800), -light * 0.6f);
      c.Blend(x, y, col, cov);
    }
  c.Circle(ecx + 12, ecy - 46, 4.2f, Hex(0x140A00));
  c.Circle(ecx + 13, ecy - 47.5f, 1.4f, Hex(0xFFFFFF));
  // The wordmark, chrome on black, with a violet underline glow.
  Mask word = RenderText(Face::Poster, 78, "OSTREL");
  float wx = std::round(259 - word.Width / 2.0f), wy = 216;
  for (int y = 0; y < word.Height; ++y)
    for (int x = 0; x < word.Width; ++x) {
      float a = word.At(x, y);
      if (a <= 0) continue;
      float t = static_cast<float>(y) / word.Height;
      c.Blend(static_cast<int>(wx) + x + 2, static_cast<int>(wy) + y + 3, Hex(0x000000), a);
      c.Blend(static_cast<int>(wx) + x, static_cast<int>(wy) + y, metal(t), a);
    }
  for (int x = 60; x < 458; ++x) {
    float k = std::exp(-std::pow((x - 259) / 150.0f, 2.0f));
    c.Add(x, 302, Hex(0x9A5AFF), 0.9f * k);
    c.Add(x, 301, Hex(0x9A5AFF), 0.35f * k);
    c.Add(x, 303, Hex(0x9A5AFF), 0.35f * k);
  }
  Mask tag = RenderText(Face::SansBold, 13, "G  A  M  E  S");
  DrawMask(c, tag, std::round(259 - tag.Width / 2.0f), 311, Hex(0xC8B8F0));
  // The title screen is black: the picture's border must be black too.
  c.Each([&](int x, int y, Rgba& p) {
    float edge = std::min({x + 0.5f, y + 0.5f, w - x - 0.5f, h - y - 0.5f});
    p = Scale(p, SmoothStep(0.0f, 14.0f, edge));
  });
  return c;
}

}  // namespace

void AddMenuPainters(PainterMap& map) {
  map["Main_Menu_Background"] = MainMenu;
  map["Main_Menu_Slick"] = MenuSlick;
  map["NeonMoon"] = NeonMoon;
  map["Ostrel_Logo"] = OstrelLogo;
}

}  // namespace assetgen
