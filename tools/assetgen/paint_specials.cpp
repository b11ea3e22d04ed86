// SPDX-License-Identifier: GPL-3.0-or-later
// The twelve specials: their pictures on the level-info screen and on the board.
#include <cmath>

#include "paint.h"

namespace assetgen {

bool SpecialIsGood(int k) { return k <= 7; }

void DrawSpecialIcon(Canvas& c, int k, float x, float y, float size) {
  auto P = [&](float u, float v) { return Vec{x + u * size, y + v * size}; };
  auto S = [&](float l) { return l * size; };
  auto poly = [&](std::initializer_list<Vec> uv, Rgba col) {
    std::vector<Vec> pts;
    for (Vec p : uv) pts.push_back(P(p.X, p.Y));
    c.Polygon(pts, col);
  };
  auto circle = [&](float u, float v, float r, Rgba col) { Vec p = P(u, v); c.Circle(p.X, p.Y, S(r), col); };
  auto line = [&](float u0, float v0, float u1, float v1, float w, Rgba col) { c.Line(P(u0, v0), P(u1, v1), S(w), col); };
  switch (k) {
    case 1:  // carrot
      poly({{0.30f, 0.30f}, {0.46f, 0.22f}, {0.84f, 0.86f}}, Hex(0xFF8A1A));
      line(0.36f, 0.36f, 0.5f, 0.40f, 0.035f, Hex(0xB85000));
      line(0.46f, 0.52f, 0.58f, 0.55f, 0.035f, Hex(0xB85000));
      line(0.38f, 0.25f, 0.22f, 0.06f, 0.07f, Hex(0x3AC83A));
      line(0.38f, 0.25f, 0.36f, 0.04f, 0.07f, Hex(0x2AA82A));
      line(0.38f, 0.25f, 0.12f, 0.18f, 0.07f, Hex(0x4AE84A));
      break;
    case 2:  // tablet: a white pill with its score line
      circle(0.5f, 0.52f, 0.34f, Hex(0x8A9AB0));
      circle(0.48f, 0.5f, 0.33f, Hex(0xF4F8FF));
      circle(0.42f, 0.42f, 0.16f, Hex(0xFFFFFF));
      line(0.26f, 0.66f, 0.70f, 0.34f, 0.06f, Hex(0xA8B4C8));
      break;
    case 3: {  // genie lamp
      poly({{0.12f, 0.62f}, {0.30f, 0.50f}, {0.70f, 0.50f}, {0.96f, 0.36f}, {0.80f, 0.62f}, {0.62f, 0.74f}, {0.36f, 0.74f}},
           Hex(0xE8B030));
      Vec a = P(0.30f, 0.52f), b = P(0.66f, 0.52f);
      c.Line(a, b, S(0.05f), Hex(0xFFF0A0));
      poly({{0.38f, 0.50f}, {0.46f, 0.36f}, {0.56f, 0.36f}, {0.62f, 0.50f}}, Hex(0xC89020));
      circle(0.51f, 0.33f, 0.05f, Hex(0xFFE070));
      poly({{0.34f, 0.74f}, {0.66f, 0.74f}, {0.72f, 0.84f}, {0.28f, 0.84f}}, Hex(0xA87018));
      c.Shape(x, y, x + size, y + size, [&](float px, float py) {
        Vec o = P(0.14f, 0.56f);
        return std::fabs(SdCircle(px, py, o.X, o.Y, S(0.11f))) - S(0.035f);
      }, Hex(0xC89020));
      break;
    }
    case 4:  // repair tool: a wrench
      line(0.26f, 0.76f, 0.62f, 0.40f, 0.13f, Hex(0xB8C0CC));
      circle(0.68f, 0.32f, 0.19f, Hex(0xC8D0DC));
      c.Shape(x, y, x + size, y + size, [&](float px, float py) {
        Vec o = P(0.76f, 0.24f);
        return SdRoundBox(px, py, o.X, o.Y, S(0.08f), S(0.08f), S(0.02f));
      }, Hex(0x1A2A1A));
      circle(0.22f, 0.80f, 0.10f, Hex(0xC8D0DC));
      circle(0.22f, 0.80f, 0.04f, Hex(0x1A2A1A));
      line(0.30f, 0.66f, 0.56f, 0.42f, 0.03f, Hex(0xFFFFFF, 0.7f));
      break;
    case 5:  // virus shield: blue shield with a white cross
      poly({{0.5f, 0.10f}, {0.84f, 0.22f}, {0.80f, 0.58f}, {0.5f, 0.90f}, {0.20f, 0.58f}, {0.16f, 0.22f}}, Hex(0x2A7AFF));
      poly({{0.5f, 0.16f}, {0.78f, 0.26f}, {0.75f, 0.56f}, {0.5f, 0.83f}}, Hex(0x1A50C8));
      line(0.5f, 0.30f, 0.5f, 0.70f, 0.10f, Hex(0xFFFFFF));
      line(0.32f, 0.46f, 0.68f, 0.46f, 0.10f, Hex(0xFFFFFF));
      break;
    case 6: {  // chequered flag
      line(0.18f, 0.10f, 0.18f, 0.92f, 0.06f, Hex(0xC8C8D0));
      for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j) {
          float u = 0.22f + i * 0.17f, v = 0.12f + j * 0.14f;
          float wave = 0.03f * std::sin(i * 1.5f);
          poly({{u, v + wave}, {u + 0.17f, v + wave + 0.02f}, {u + 0.17f, v + 0.14f + wave + 0.02f}, {u, v + 0.14f + wave}},
               (i + j) % 2 ? Hex(0x101010) : Hex(0xFFFFFF));
        }
      circle(0.18f, 0.09f, 0.05f, Hex(0xFFD040));
      break;
    }
    case 7:  // laser: a ray gun firing a red beam
      line(0.48f, 0.42f, 0.96f, 0.42f, 0.07f, Hex(0xFF2A2A));
      line(0.48f, 0.42f, 0.96f, 0.42f, 0.025f, Hex(0xFFE0E0));
      poly({{0.10f, 0.32f}, {0.52f, 0.32f}, {0.58f, 0.42f}, {0.52f, 0.52f}, {0.10f, 0.52f}}, Hex(0x9AA4B4));
      poly({{0.16f, 0.50f}, {0.32f, 0.50f}, {0.28f, 0.84f}, {0.12f, 0.84f}}, Hex(0x5A6070));
      line(0.14f, 0.37f, 0.46f, 0.37f, 0.04f, Hex(0xE0E6F0));
      circle(0.58f, 0.42f, 0.06f, Hex(0xFF6A6A));
      break;
    case 8:  // magnifying glass
      line(0.58f, 0.58f, 0.88f, 0.88f, 0.12f, Hex(0x6A3A1A));
      circle(0.40f, 0.40f, 0.30f, Hex(0xC8CCD8));
      circle(0.40f, 0.40f, 0.23f, Hex(0x7AB8E8));
      circle(0.33f, 0.32f, 0.08f, Hex(0xE8F6FF, 0.8f));
      break;
    case 9:  // bottle of wine
      poly({{0.44f, 0.06f}, {0.56f, 0.06f}, {0.56f, 0.30f}, {0.68f, 0.42f}, {0.68f, 0.92f}, {0.32f, 0.92f},
            {0.32f, 0.42f}, {0.44f, 0.30f}},
           Hex(0x2A7A44));
      poly({{0.44f, 0.04f}, {0.56f, 0.04f}, {0.56f, 0.16f}, {0.44f, 0.16f}}, Hex(0xD02838));
      poly({{0.34f, 0.56f}, {0.66f, 0.56f}, {0.66f, 0.78f}, {0.34f, 0.78f}}, Hex(0xF0E0C0));
      line(0.40f, 0.64f, 0.60f, 0.64f, 0.03f, Hex(0x8A2030));
      line(0.40f, 0.70f, 0.56f, 0.70f, 0.03f, Hex(0x8A2030));
      line(0.38f, 0.46f, 0.38f, 0.88f, 0.05f, Hex(0xB8F0C8, 0.8f));
      break;
    case 10: {  // escaping genie: a smoke swirl rising from a lamp
      poly({{0.16f, 0.84f}, {0.30f, 0.76f}, {0.62f, 0.76f}, {0.82f, 0.66f}, {0.70f, 0.84f}, {0.54f, 0.92f}, {0.32f, 0.92f}},
           Hex(0xC89020));
      for (int i = 0; i < 26; ++i) {
        float t = i / 25.0f;
        float u = 0.76f - 0.2f * t + 0.16f * std::sin(t * 9), v = 0.66f - 0.56f * t;
        circle(u, v, 0.05f + 0.07f * t, Hex(0xB060FF, 0.55f));
      }
      circle(0.52f, 0.16f, 0.12f, Hex(0x9A4AE8));
      circle(0.48f, 0.14f, 0.025f, Hex(0xFFF060));
      circle(0.57f, 0.14f, 0.025f, Hex(0xFFF060));
      line(0.47f, 0.21f, 0.58f, 0.21f, 0.025f, Hex(0x2A0A3A));
      break;
    }
    case 11: {  // cracked part: a broken cog
      Vec o = P(0.5f, 0.5f);
      c.Shape(x, y, x + size, y + size, [&](float px, float py) {
        float a = std::atan2(py - o.Y, px - o.X);
        float teeth = std::cos(a * 8) > 0.2f ? S(0.38f) : S(0.30f);
        return std::max(SdCircle(px, py, o.X, o.Y, teeth), -SdCircle(px, py, o.X, o.Y, S(0.12f)));
      }, Hex(0x9098A4));
      line(0.46f, 0.10f, 0.56f, 0.34f, 0.07f, Hex(0x1A0A0A));
      line(0.56f, 0.34f, 0.44f, 0.56f, 0.07f, Hex(0x1A0A0A));
      line(0.44f, 0.56f, 0.60f, 0.90f, 0.07f, Hex(0x1A0A0A));
      line(0.46f, 0.10f, 0.56f, 0.34f, 0.025f, Hex(0xFF4020));
      line(0.56f, 0.34f, 0.44f, 0.56f, 0.025f, Hex(0xFF4020));
      line(0.44f, 0.56f, 0.60f, 0.90f, 0.025f, Hex(0xFF4020));
      break;
    }
    default: {  // virus: a spiky green ball
      for (int i = 0; i < 10; ++i) {
        float a = i * 6.2831853f / 10;
        line(0.5f, 0.5f, 0.5f + std::cos(a) * 0.40f, 0.5f + std::sin(a) * 0.40f, 0.05f, Hex(0x4AC83A));
        circle(0.5f + std::cos(a) * 0.40f, 0.5f + std::sin(a) * 0.40f, 0.06f, Hex(0x8AFF5A));
      }
      circle(0.5f, 0.5f, 0.25f, Hex(0x2A9A2A));
      circle(0.42f, 0.44f, 0.06f, Hex(0x0A3A0A));
      circle(0.58f, 0.52f, 0.05f, Hex(0x0A3A0A));
      circle(0.48f, 0.60f, 0.04f, Hex(0x0A3A0A));
      circle(0.42f, 0.38f, 0.05f, Hex(0xC8FFB0, 0.6f));
      break;
    }
  }
}

namespace {

// A framed picture: green rim for the good specials, red for the bad.
Canvas SpecialCell(int k, int size, float rimWidth) {
  Canvas c(size, size);
  bool good = SpecialIsGood(k);
  Rgba rim = good ? Hex(0x2AD84A) : Hex(0xE8262A);
  Rgba back0 = good ? Hex(0x0E2A1A) : Hex(0x2A0E14), back1 = good ? Hex(0x05100A) : Hex(0x10050A);
  float h = size / 2.0f;
  auto outer = [=](float x, float y) { return SdRoundBox(x, y, h, h, h, h, size * 0.12f); };
  c.Each([&](int x, int y, Rgba& p) {
    float px = x + 0.5f, py = y + 0.5f;
    float r = std::sqrt((px - h) * (px - h) + (py - h) * (py - h)) / size;
    p = Mix(back0, back1, Clamp01(r * 1.6f));
    float d = -outer(px, py);
    if (d < rimWidth) {
      float light = BevelLight(outer, px, py, rimWidth);
      Rgba col = light > 0 ? Mix(rim, Hex(0xFFFFFF), light * 0.5f) : Mix(rim, Hex(0x000000), -light * 0.6f);
      p = Mix(p, col, Clamp01(rimWidth - d));
    }
    if (d < 0) p = Hex(0x000000);
  });
  float inset = rimWidth + size * 0.04f;
  DrawSpecialIcon(c, k, inset, inset, size - 2 * inset);
  return c;
}

}  // namespace

void AddSpecialPainters(PainterMap& map) {
  for (int k = 1; k <= 12; ++k) {
    std::string letter(1, static_cast<char>('A' + k - 1));
    map[letter] = [k] { return SpecialCell(k, 32, 2.5f); };
    map["Tile_" + letter] = [k] { return SpecialCell(k, 25, 2.0f); };
  }
  map["Baloon_L1"] = [] {
    Canvas c(55, 91);
    c.Line({27, 58}, {30, 90}, 1.0f, Hex(0x8A8A9A));
    c.Shape(0, 0, 55, 62, [](float x, float y) {
      float dy = (y - 30) / 1.18f;
      return std::sqrt((x - 27.5f) * (x - 27.5f) + dy * dy) - 24;
    }, Hex(0xE8263A));
    c.Polygon({{23, 58}, {32, 58}, {27.5f, 53}}, Hex(0xB01A2A));
    c.Circle(19, 18, 5, Hex(0xFFFFFF, 0.6f));
    return c;
  };
}

}  // namespace assetgen
