// SPDX-License-Identifier: GPL-3.0-or-later
// Element cubes, wall cells and background tiles.
#include <cmath>

#include "paint.h"

namespace assetgen {

const char* const kCubeThemeNames[kCubeThemes] = {"Glossy Plastic", "Crystal Glass", "Carved Stone",
                                                  "Brushed Metal"};
const char* const kEdgeThemeNames[kEdgeThemes] = {"Steel Plate", "Red Brick", "Temple Stone",
                                                  "Neon Frame"};
const char* const kTileNames[kBackgroundTiles] = {"Starry Night", "Violet Nebula", "Circuit Board",
                                                  "Dark Marble", "Carbon Fibre"};

namespace {

constexpr int kCell = 25;

float CellBox(float x, float y, float inset, float r) {
  return SdRoundBox(x, y, 12.5f, 12.5f, 12.5f - inset, 12.5f - inset, r);
}

Canvas GlossyCube(Rgba base) {
  Canvas c(kCell, kCell, Hex(0x000000));
  auto sd = [](float x, float y) { return CellBox(x, y, 0.5f, 3.0f); };
  c.Each([&](int x, int y, Rgba& p) {
    float px = x + 0.5f, py = y + 0.5f;
    float d = sd(px, py);
    float cov = Clamp01(0.5f - d);
    float light = BevelLight(sd, px, py, 4.0f);
    float face = 1.05f - 0.25f * (py / kCell) - 0.1f * (px / kCell);
    Rgba col = Scale(base, face);
    col = light > 0 ? Mix(col, Hex(0xFFFFFF), light * 0.55f) : Mix(col, Hex(0x000000), -light * 0.7f);
    p = Mix(Hex(0x050608), col, cov);
  });
  // The glossy highlight: a soft band across the upper half.
  c.Shape(3, 3, 22, 12, [](float x, float y) { return SdRoundBox(x, y, 12.5f, 7.5f, 8.0f, 3.6f, 3.5f); },
          Hex(0xFFFFFF, 0.30f), 1.6f);
  c.Circle(7.5f, 7.0f, 1.6f, Hex(0xFFFFFF, 0.85f), 1.2f);
  return c;
}

Canvas GlassCube(Rgba base) {
  Canvas c(kCell, kCell, Hex(0x000000));
  auto sd = [](float x, float y) { return CellBox(x, y, 0.5f, 2.0f); };
  c.Each([&](int x, int y, Rgba& p) {
    float px = x + 0.5f, py = y + 0.5f;
    float d = -sd(px, py);
    float rim = std::exp(-d / 2.2f);
    float centre = std::exp(-((px - 14) * (px - 14) + (py - 15) * (py - 15)) / 60.0f);
    Rgba col = Mix(Scale(base, 0.35f), Scale(base, 1.0f), rim * 0.8f + centre * 0.5f);
    float light = BevelLight([](float a, float b) { return CellBox(a, b, 0.5f, 2.0f); }, px, py, 2.5f);
    col = light > 0 ? Mix(col, Hex(0xFFFFFF), light * 0.7f) : Mix(col, Hex(0x000000), -light * 0.5f);
    p = d > -0.5f ? col : Hex(0x050608);
  });
  // Facet lines and a reflection streak, as in cut glass.
  c.Line({4, 21}, {21, 4}, 1.0f, Hex(0xFFFFFF, 0.18f));
  c.Line({5, 9}, {9, 5}, 1.6f, Hex(0xFFFFFF, 0.75f));
  c.Line({4, 14}, {14, 4}, 0.9f, Hex(0xFFFFFF, 0.35f));
  return c;
}

Canvas StoneCube(Rgba base, int kind) {
  Canvas c(kCell, kCell, Hex(0x000000));
  auto sd = [](float x, float y) { return CellBox(x, y, 0.5f, 1.5f); };
  Rgba muted = Mix(base, Hex(0x808080), 0.25f);
  c.Each([&](int x, int y, Rgba& p) {
    float px = x + 0.5f, py = y + 0.5f;
    float n = Fbm(px * 0.18f, py * 0.18f, 900 + kind, 4);
    float pits = Hash2(x, y, 77 + kind);
    float light = BevelLight(sd, px, py, 3.0f);
    Rgba col = Scale(muted, 0.72f + n * 0.45f - (pits > 0.93f ? 0.18f : 0));
    col = light > 0 ? Mix(col, Hex(0xF4EEE0), light * 0.45f) : Mix(col, Hex(0x000000), -light * 0.65f);
    p = Mix(Hex(0x050608), col, Clamp01(0.5f - sd(px, py)));
  });
  // A carved square in the face.
  c.Shape(6, 6, 19, 19, [](float x, float y) { return std::fabs(SdRoundBox(x, y, 12.5f, 12.5f, 6, 6, 1)) - 0.5f; },
          Hex(0x000000, 0.3f));
  c.Shape(6, 6, 20, 20, [](float x, float y) { return std::fabs(SdRoundBox(x, y, 13.3f, 13.3f, 6, 6, 1)) - 0.45f; },
          Hex(0xFFFFFF, 0.16f));
  return c;
}

Canvas MetalCube(Rgba base, int kind) {
  Canvas c(kCell, kCell, Hex(0x000000));
  auto sd = [](float x, float y) { return CellBox(x, y, 0.5f, 1.0f); };
  Rgba tint = Mix(base, Hex(0xB0B4BC), 0.3f);
  c.Each([&](int x, int y, Rgba& p) {
    float px = x + 0.5f, py = y + 0.5f;
    float brushed = ValueNoise(px * 0.05f, py * 2.1f, 500 + kind) * 0.5f + ValueNoise(px * 0.3f, py * 1.1f, 600 + kind) * 0.5f;
    float sheen = 0.75f + 0.35f * std::cos((px - py) * 0.16f);
    float light = BevelLight(sd, px, py, 3.5f);
    Rgba col = Scale(tint, (0.7f + brushed * 0.3f) * sheen);
    col = light > 0 ? Mix(col, Hex(0xFFFFFF), light * 0.6f) : Mix(col, Hex(0x000000), -light * 0.75f);
    p = Mix(Hex(0x050608), col, Clamp01(0.5f - sd(px, py)));
  });
  for (auto [sx, sy] : {std::pair{5.0f, 5.0f}, {20.0f, 5.0f}, {5.0f, 20.0f}, {20.0f, 20.0f}}) {
    c.Circle(sx + 0.4f, sy + 0.5f, 1.3f, Hex(0x000000, 0.5f));
    c.Circle(sx, sy, 1.1f, Hex(0xE8ECF0, 0.9f));
  }
  return c;
}

Canvas SteelEdge() {
  Canvas c(kCell, kCell, Hex(0x000000));
  auto sd = [](float x, float y) { return CellBox(x, y, 0.0f, 0.5f); };
  c.Each([&](int x, int y, Rgba& p) {
    float px = x + 0.5f, py = y + 0.5f;
    float plate = ValueNoise(px * 0.04f, py * 1.8f, 31) * 0.5f + Hash2(x, y, 32) * 0.15f;
    float light = BevelLight(sd, px, py, 2.5f);
    // Blued steel: a grey plate would pass for a grey cube.
    Rgba col = Scale(Hex(0x5E78B0), 0.8f + plate * 0.35f);
    // Diamond tread, raised bright over dark grooves.
    float u = std::fmod(px + py, 6.0f), v = std::fmod(px - py + 50, 6.0f);
    if ((u > 2.2f && u < 3.4f) || (v > 2.2f && v < 3.4f)) col = Scale(col, 1.45f);
    else if (u < 1.0f || v < 1.0f) col = Scale(col, 0.7f);
    col = light > 0 ? Mix(col, Hex(0xE0E6F0), light * 0.6f) : Mix(col, Hex(0x000000), -light * 0.7f);
    p = col;
  });
  for (auto [sx, sy] : {std::pair{4.0f, 4.0f}, {21.0f, 4.0f}, {4.0f, 21.0f}, {21.0f, 21.0f}}) Screw(c, sx, sy, 1.8f, 0.7f);
  return c;
}

Canvas BrickEdge() {
  Canvas c(kCell, kCell, Hex(0x2A2220));
  c.Each([&](int x, int y, Rgba& p) {
    float px = x + 0.5f, py = y + 0.5f;
    int row = y / 8;
    float off = (row % 2) ? 6.0f : -6.0f;
    float bx = std::fmod(px + off + 25.0f, 12.5f), by = std::fmod(py, 8.33f);
    bool mortar = bx < 1.2f || by < 1.2f;
    float n = Fbm(px * 0.3f, py * 0.3f, 41 + row, 3);
    Rgba brick = Mix(Hex(0x8A2A1A), Hex(0xB8502E), n);
    brick = Scale(brick, 0.85f + Hash2(static_cast<int>((px + off + 25) / 12.5f), row, 42) * 0.25f);
    float shade = (bx < 2.4f || by < 2.4f) ? 1.15f : ((bx > 11.0f || by > 7.0f) ? 0.78f : 1.0f);
    p = mortar ? Mix(Hex(0x5E5650), Hex(0x8C847A), n) : Scale(brick, shade);
  });
  c.FillRect(0, 0, 25, 1, Hex(0x000000, 0.5f));
  c.FillRect(0, 0, 1, 25, Hex(0x000000, 0.5f));
  return c;
}

Canvas TempleEdge() {
  Canvas c(kCell, kCell, Hex(0x000000));
  auto sd = [](float x, float y) { return CellBox(x, y, 0.0f, 0.0f); };
  c.Each([&](int x, int y, Rgba& p) {
    float px = x + 0.5f, py = y + 0.5f;
    float n = Fbm(px * 0.15f, py * 0.15f, 61, 4);
    float light = BevelLight(sd, px, py, 3.0f);
    // Pale limestone, lighter and warmer than any grey cube.
    Rgba col = Scale(Hex(0xD8B070), 0.7f + n * 0.45f);
    col = light > 0 ? Mix(col, Hex(0xFFF4D8), light * 0.5f) : Mix(col, Hex(0x000000), -light * 0.7f);
    p = col;
  });
  // A carved spiral glyph.
  for (float t = 0; t < 11.0f; t += 0.08f) {
    float r = 0.6f + t * 0.62f, a = t * 1.05f;
    float x = 12.5f + r * std::cos(a), y = 12.5f + r * std::sin(a);
    c.Circle(x + 0.6f, y + 0.6f, 0.75f, Hex(0xFFF0D0, 0.08f));
    c.Circle(x, y, 0.75f, Hex(0x2A2014, 0.16f));
  }
  return c;
}

Canvas NeonEdge() {
  Canvas c(kCell, kCell, Hex(0x0A0614));
  c.Each([&](int x, int y, Rgba& p) {
    float n = Hash2(x, y, 81) * 0.04f;
    p = Mix(Hex(0x120A24), Hex(0x05030C), Clamp01((x + y) / 50.0f + n));
  });
  auto ring = [](float x, float y) { return std::fabs(SdRoundBox(x, y, 12.5f, 12.5f, 9.0f, 9.0f, 3.0f)) - 0.9f; };
  Canvas glow(kCell, kCell);
  glow.Shape(0, 0, 25, 25, ring, Hex(0xFF2AD0));
  glow.Blur(3.0f);
  for (size_t i = 0; i < c.Px.size(); ++i) c.Add(static_cast<int>(i % 25), static_cast<int>(i / 25), Hex(0xFF2AD0), glow.Px[i].A * 0.9f);
  c.Shape(0, 0, 25, 25, ring, Hex(0xFFB8F4));
  c.Shape(0, 0, 25, 25, [](float x, float y) { return std::fabs(SdRoundBox(x, y, 12.5f, 12.5f, 9.0f, 9.0f, 3.0f)) - 0.3f; },
          Hex(0xFFFFFF, 0.9f));
  c.FillRect(0, 0, 25, 1, Hex(0x2A1A44));
  c.FillRect(0, 24, 25, 25, Hex(0x000000));
  return c;
}

// Seamless by construction: every noise has the tile's period.
Canvas StarryTile() {
  const int n = 256;
  Canvas c(n, n);
  c.Each([&](int x, int y, Rgba& p) {
    float f = Fbm(x / 64.0f, y / 64.0f, 11, 4, 4, 4);
    p = Mix(Hex(0x070A1C), Hex(0x141A3A), f);
  });
  Rng rng(12);
  for (int i = 0; i < 70; ++i) {
    float x = rng.Range(0, n), y = rng.Range(0, n), b = rng.Range(0.15f, 0.5f);
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
        c.Add((static_cast<int>(x) + dx + n) % n, (static_cast<int>(y) + dy + n) % n, Hex(0xC0D0FF), b * std::exp(-d * d * 1.5f));
      }
  }
  return c;
}

Canvas NebulaTile() {
  const int n = 256;
  Canvas c(n, n);
  c.Each([&](int x, int y, Rgba& p) {
    // Warped noise hides the lattice; the warp has the tile's period too.
    float wx = Fbm(x / 64.0f, y / 64.0f, 23, 3, 4, 4) * 2.5f, wy = Fbm(x / 64.0f + 7, y / 64.0f, 24, 3, 4, 4) * 2.5f;
    float a = Fbm(x / 42.667f + wx, y / 42.667f + wy, 21, 5, 6, 6);
    float b = Fbm(x / 32.0f + 3 + wy, y / 32.0f + wx, 22, 4, 8, 8);
    Rgba col = Mix(Hex(0x0A0618), Hex(0x20103A), SmoothStep(0.35f, 0.8f, a));
    col = Mix(col, Hex(0x0E2038), SmoothStep(0.5f, 0.85f, b) * 0.5f);
    p = col;
  });
  return c;
}

Canvas CircuitTile() {
  const int n = 128;
  Canvas c(n, n);
  c.Each([&](int x, int y, Rgba& p) {
    p = Mix(Hex(0x06140E), Hex(0x0C2018), Fbm(x / 32.0f, y / 32.0f, 31, 3, 4, 4));
  });
  Rng rng(32);
  Rgba trace = Hex(0x163A2A);
  for (int i = 0; i < 26; ++i) {
    float x = static_cast<float>(rng.Int(16) * 8 + 4), y = static_cast<float>(rng.Int(16) * 8 + 4);
    int steps = 2 + rng.Int(4);
    for (int s = 0; s < steps; ++s) {
      int dir = rng.Int(4);
      float len = static_cast<float>((1 + rng.Int(3)) * 8);
      float nx = x + (dir == 0 ? len : dir == 1 ? -len : 0), ny = y + (dir == 2 ? len : dir == 3 ? -len : 0);
      for (int ox = -1; ox <= 1; ++ox)
        for (int oy = -1; oy <= 1; ++oy)
          c.Line({x + ox * n, y + oy * n}, {nx + ox * n, ny + oy * n}, 1.6f, trace);
      x = nx;
      y = ny;
    }
    for (int ox = -1; ox <= 1; ++ox)
      for (int oy = -1; oy <= 1; ++oy) {
        c.Circle(x + ox * n, y + oy * n, 2.4f, Hex(0x22503A));
        c.Circle(x + ox * n, y + oy * n, 1.0f, Hex(0x081810));
      }
  }
  return c;
}

Canvas MarbleTile() {
  const int n = 256;
  Canvas c(n, n);
  c.Each([&](int x, int y, Rgba& p) {
    float w = Fbm(x / 64.0f, y / 64.0f, 41, 5, 4, 4);
    float vein = std::fabs(std::sin((x / 256.0f + y / 256.0f) * 6.2831853f * 2 + w * 9.0f));
    vein = std::pow(1 - vein, 10.0f);
    Rgba col = Mix(Hex(0x0E0E16), Hex(0x1A1A26), w);
    p = Mix(col, Hex(0x3A3450), vein * 0.7f);
  });
  return c;
}

// A two-by-two twill of 8-pixel tows; 256 is a whole number of repeats.
Canvas CarbonTile() {
  const int n = 256, tow = 8;
  Canvas c(n, n);
  c.Each([&](int x, int y, Rgba& p) {
    int cx = x / tow, cy = y / tow;
    bool across = ((cx + cy) / 2) % 2 == 0;
    float u = ((across ? y : x) % tow + 0.5f) / tow;  // across the tow
    float v = ((across ? x : y) % (2 * tow) + 0.5f) / (2 * tow);  // along it
    float bulge = std::sin(u * 3.14159265f);
    float sheen = std::pow(bulge, 3.0f) * (0.6f + 0.4f * std::sin(v * 6.2831853f));
    float f = Fbm(x / 64.0f, y / 64.0f, 71, 3, 4, 4);
    Rgba base = across ? Hex(0x14161E) : Hex(0x1A1D26);
    p = Mix(Scale(base, 0.55f + 0.45f * bulge), Hex(0x343A4C), sheen * 0.45f + f * 0.08f);
  });
  return c;
}

}  // namespace

Canvas PaintCube(int theme, int kind) {
  Rgba base = KindColour(kind);
  switch (theme) {
    case 2: return GlassCube(base);
    case 3: return StoneCube(base, kind);
    case 4: return MetalCube(base, kind);
    default: return GlossyCube(base);
  }
}

Canvas PaintEdge(int edge) {
  switch (edge) {
    case 2: return BrickEdge();
    case 3: return TempleEdge();
    case 4: return NeonEdge();
    default: return SteelEdge();
  }
}

Canvas PaintBackgroundTile(int tile) {
  switch (tile) {
    case 2: return NebulaTile();
    case 3: return CircuitTile();
    case 4: return MarbleTile();
    case 5: return CarbonTile();
    default: return StarryTile();
  }
}

void AddCellPainters(PainterMap& map) {
  for (int k = 1; k <= 18; ++k) map["Tile_Shape" + std::to_string(k)] = [k] { return PaintCube(1, k); };
  map["Edge_Solid"] = [] { return PaintEdge(1); };
  map["Edge_Background"] = [] {
    Canvas c(kCell, kCell);
    c.Each([](int x, int y, Rgba& p) { p = Mix(Hex(0x0C1024), Hex(0x080A18), (x + y) / 50.0f); });
    c.FillRect(0, 0, 25, 1, Hex(0x1A2040));
    c.FillRect(0, 0, 1, 25, Hex(0x1A2040));
    return c;
  };
  map["Edge_Transparent"] = [] {
    // A dotted outline on the key: a cell frame that lets the board show through.
    Canvas c(kCell, kCell);
    for (int i = 0; i < kCell; i += 2) {
      c.Blend(i, 0, Hex(0x000000));
      c.Blend(i, 24, Hex(0x000000));
      c.Blend(0, i, Hex(0x000000));
      c.Blend(24, i, Hex(0x000000));
    }
    return c;
  };
  map["Tile_Full_Line"] = [] {
    Canvas c = GlossyCube(Hex(0xFFE070));
    c.Glow(12.5f, 12.5f, 6, Hex(0xFFFFFF), 0.5f);
    return c;
  };
}

}  // namespace assetgen
