// SPDX-License-Identifier: GPL-3.0-or-later
#include "raster.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>

namespace assetgen {

Rgba Mix(Rgba a, Rgba b, float t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t,
          a.A + (b.A - a.A) * t};
}
Rgba Scale(Rgba c, float k) { return {c.R * k, c.G * k, c.B * k, c.A}; }
Rgba WithAlpha(Rgba c, float a) { return {c.R, c.G, c.B, a}; }

Rgba HsvColour(float hue, float sat, float val, float a) {
  float h = (hue - std::floor(hue)) * 6.0f;
  int i = static_cast<int>(h) % 6;
  float f = h - std::floor(h);
  float p = val * (1 - sat), q = val * (1 - sat * f), t = val * (1 - sat * (1 - f));
  switch (i) {
    case 0: return {val, t, p, a};
    case 1: return {q, val, p, a};
    case 2: return {p, val, t, a};
    case 3: return {p, q, val, a};
    case 4: return {t, p, val, a};
    default: return {val, p, q, a};
  }
}

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
float SmoothStep(float e0, float e1, float x) {
  float t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

uint64_t Rng::Next() {
  State ^= State >> 12;
  State ^= State << 25;
  State ^= State >> 27;
  return State * 0x2545F4914F6CDD1Dull;
}
float Rng::Unit() { return static_cast<float>(Next() >> 40) / 16777216.0f; }
float Rng::Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }
int Rng::Int(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(n)); }

float Hash2(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xFFFFFF) / 16777215.0f;
}

static int Wrap(int v, int period) {
  if (period <= 0) return v;
  int m = v % period;
  return m < 0 ? m + period : m;
}

float ValueNoise(float x, float y, uint32_t seed, int periodX, int periodY) {
  int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  float fx = x - ix, fy = y - iy;
  float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  int x0 = Wrap(ix, periodX), x1 = Wrap(ix + 1, periodX);
  int y0 = Wrap(iy, periodY), y1 = Wrap(iy + 1, periodY);
  float a = Hash2(x0, y0, seed), b = Hash2(x1, y0, seed);
  float c = Hash2(x0, y1, seed), d = Hash2(x1, y1, seed);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

float Fbm(float x, float y, uint32_t seed, int octaves, int periodX, int periodY) {
  float sum = 0, amp = 0.5f, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * ValueNoise(x, y, seed + o * 101u, periodX, periodY);
    norm += amp;
    x *= 2;
    y *= 2;
    periodX *= 2;
    periodY *= 2;
    amp *= 0.5f;
  }
  return sum / norm;
}

float SdCircle(float x, float y, float cx, float cy, float r) {
  return std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) - r;
}

float SdSegment(float x, float y, Vec a, Vec b) {
  float px = x - a.X, py = y - a.Y, bx = b.X - a.X, by = b.Y - a.Y;
  float len2 = bx * bx + by * by;
  float h = len2 > 0 ? Clamp01((px * bx + py * by) / len2) : 0;
  float dx = px - bx * h, dy = py - by * h;
  return std::sqrt(dx * dx + dy * dy);
}

float SdRoundBox(float x, float y, float cx, float cy, float hw, float hh, float r) {
  float qx = std::fabs(x - cx) - hw + r, qy = std::fabs(y - cy) - hh + r;
  float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
  return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}

float SdPolygon(float x, float y, const std::vector<Vec>& v) {
  float d = 1e9f;
  bool inside = false;
  for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
    d = std::min(d, SdSegment(x, y, v[j], v[i]));
    if ((v[i].Y > y) != (v[j].Y > y) &&
        x < (v[j].X - v[i].X) * (y - v[i].Y) / (v[j].Y - v[i].Y) + v[i].X) {
      inside = !inside;
    }
  }
  return inside ? -d : d;
}

Canvas::Canvas(int width, int height, Rgba fill)
    : Width(width), Height(height), Px(static_cast<size_t>(width) * height, fill) {}

void Canvas::Fill(Rgba c) { std::fill(Px.begin(), Px.end(), c); }

void Canvas::Blend(int x, int y, Rgba c, float coverage) {
  if (!Inside(x, y)) return;
  float a = Clamp01(c.A * coverage);
  if (a <= 0) return;
  Rgba& d = At(x, y);
  float outA = a + d.A * (1 - a);
  if (outA <= 0) return;
  d.R = (c.R * a + d.R * d.A * (1 - a)) / outA;
  d.G = (c.G * a + d.G * d.A * (1 - a)) / outA;
  d.B = (c.B * a + d.B * d.A * (1 - a)) / outA;
  d.A = outA;
}

void Canvas::Add(int x, int y, Rgba c, float amount) {
  if (!Inside(x, y) || amount <= 0) return;
  Rgba& d = At(x, y);
  float a = Clamp01(amount);
  // Light over transparency becomes visible light, not a brightened void.
  if (d.A < 1) {
    float newA = std::min(1.0f, d.A + a);
    float keep = newA > 0 ? d.A / newA : 0;
    d.R = d.R * keep;
    d.G = d.G * keep;
    d.B = d.B * keep;
    d.A = newA;
  }
  d.R = std::min(1.0f, d.R + c.R * amount);
  d.G = std::min(1.0f, d.G + c.G * amount);
  d.B = std::min(1.0f, d.B + c.B * amount);
}

void Canvas::FillRect(float x0, float y0, float x1, float y1, Rgba c) {
  for (int y = std::max(0, static_cast<int>(std::floor(y0))); y < std::min(Height, static_cast<int>(std::ceil(y1))); ++y) {
    for (int x = std::max(0, static_cast<int>(std::floor(x0))); x < std::min(Width, static_cast<int>(std::ceil(x1))); ++x) {
      float cx = Clamp01(std::min(x + 1.0f, x1) - std::max(static_cast<float>(x), x0));
      float cy = Clamp01(std::min(y + 1.0f, y1) - std::max(static_cast<float>(y), y0));
      Blend(x, y, c, cx * cy);
    }
  }
}

void Canvas::Shape(float x0, float y0, float x1, float y1, const std::function<float(float, float)>& sd,
                   Rgba c, float soft) {
  int xa = std::max(0, static_cast<int>(std::floor(x0)) - 2), xb = std::min(Width, static_cast<int>(std::ceil(x1)) + 2);
  int ya = std::max(0, static_cast<int>(std::floor(y0)) - 2), yb = std::min(Height, static_cast<int>(std::ceil(y1)) + 2);
  for (int y = ya; y < yb; ++y) {
    for (int x = xa; x < xb; ++x) {
      float d = sd(x + 0.5f, y + 0.5f);
      float cov = Clamp01(0.5f - d / soft);
      if (cov > 0) Blend(x, y, c, cov);
    }
  }
}

void Canvas::Circle(float cx, float cy, float r, Rgba c, float soft) {
  Shape(cx - r - soft, cy - r - soft, cx + r + soft, cy + r + soft,
        [&](float x, float y) { return SdCircle(x, y, cx, cy, r); }, c, soft);
}

void Canvas::Line(Vec a, Vec b, float width, Rgba c, float soft) {
  float h = width / 2 + soft;
  Shape(std::min(a.X, b.X) - h, std::min(a.Y, b.Y) - h, std::max(a.X, b.X) + h, std::max(a.Y, b.Y) + h,
        [&](float x, float y) { return SdSegment(x, y, a, b) - width / 2; }, c, soft);
}

void Canvas::Polygon(const std::vector<Vec>& points, Rgba c) {
  float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
  for (const Vec& p : points) {
    x0 = std::min(x0, p.X);
    y0 = std::min(y0, p.Y);
    x1 = std::max(x1, p.X);
    y1 = std::max(y1, p.Y);
  }
  Shape(x0, y0, x1, y1, [&](float x, float y) { return SdPolygon(x, y, points); }, c);
}

void Canvas::RoundBox(float x0, float y0, float x1, float y1, float r, Rgba c) {
  float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hw = (x1 - x0) / 2, hh = (y1 - y0) / 2;
  Shape(x0, y0, x1, y1, [&](float x, float y) { return SdRoundBox(x, y, cx, cy, hw, hh, r); }, c);
}

void Canvas::Glow(float cx, float cy, float radius, Rgba c, float strength) {
  int r = static_cast<int>(std::ceil(radius * 3));
  for (int y = std::max(0, static_cast<int>(cy) - r); y < std::min(Height, static_cast<int>(cy) + r + 1); ++y) {
    for (int x = std::max(0, static_cast<int>(cx) - r); x < std::min(Width, static_cast<int>(cx) + r + 1); ++x) {
      float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
      float g = std::exp(-(dx * dx + dy * dy) / (2 * radius * radius));
      Add(x, y, c, g * strength);
    }
  }
}

void Canvas::Each(const std::function<void(int, int, Rgba&)>& f) {
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) f(x, y, At(x, y));
}

void Canvas::Draw(const Canvas& src, int dx, int dy, float opacity) {
  for (int y = 0; y < src.Height; ++y)
    for (int x = 0; x < src.Width; ++x) Blend(x + dx, y + dy, src.At(x, y), opacity);
}

Canvas Canvas::Crop(int x, int y, int w, int h) const {
  Canvas out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (Inside(x + i, y + j)) out.At(i, j) = At(x + i, y + j);
  return out;
}

// Premultiplied box passes, so transparent pixels do not darken the edges.
void Canvas::Blur(float radius) {
  int r = std::max(1, static_cast<int>(std::lround(radius / 1.7f)));
  std::vector<Rgba> tmp(Px.size());
  for (Rgba& p : Px) p = {p.R * p.A, p.G * p.A, p.B * p.A, p.A};
  for (int pass = 0; pass < 6; ++pass) {
    bool horizontal = pass % 2 == 0;
    int n = horizontal ? Width : Height, lines = horizontal ? Height : Width;
    for (int l = 0; l < lines; ++l) {
      for (int i = 0; i < n; ++i) {
        Rgba s{};
        for (int k = std::max(0, i - r); k <= std::min(n - 1, i + r); ++k) {
          const Rgba& p = horizontal ? Px[static_cast<size_t>(l) * Width + k] : Px[static_cast<size_t>(k) * Width + l];
          s.R += p.R; s.G += p.G; s.B += p.B; s.A += p.A;
        }
        // Beyond the edge counts as empty, so glows fade out at the border.
        float inv = 1.0f / (2 * r + 1);
        Rgba& o = horizontal ? tmp[static_cast<size_t>(l) * Width + i] : tmp[static_cast<size_t>(i) * Width + l];
        o = {s.R * inv, s.G * inv, s.B * inv, s.A * inv};
      }
    }
    Px.swap(tmp);
  }
  for (Rgba& p : Px) {
    if (p.A > 1e-6f) p = {p.R / p.A, p.G / p.A, p.B / p.A, p.A};
    else p = {};
  }
}

namespace {

std::filesystem::path gFontFolder = "data/Graphics/Fonts";

struct FontCache {
  bool Ready = false;
  std::map<std::pair<int, int>, TTF_Font*> Open;
  ~FontCache() {
    for (auto& [key, font] : Open) TTF_CloseFont(font);
    if (Ready) TTF_Quit();
  }
};
FontCache& Cache() {
  static FontCache cache;
  return cache;
}

TTF_Font* OpenFont(Face face, int size) {
  FontCache& cache = Cache();
  if (!cache.Ready) {
    if (TTF_Init() != 0) throw std::runtime_error(std::string("TTF_Init: ") + TTF_GetError());
    cache.Ready = true;
  }
  auto key = std::make_pair(static_cast<int>(face), size);
  auto it = cache.Open.find(key);
  if (it != cache.Open.end()) return it->second;
  std::filesystem::path file = gFontFolder / (face == Face::Poster ? "Font2.ttf" : "Font1.ttf");
  TTF_Font* font = TTF_OpenFont(file.string().c_str(), size);
  if (!font) throw std::runtime_error("cannot open font " + file.string());
  TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
  if (face == Face::SansBold) TTF_SetFontStyle(font, TTF_STYLE_BOLD);
  cache.Open[key] = font;
  return font;
}

}  // namespace

void SetFontFolder(const std::filesystem::path& folder) { gFontFolder = folder; }

// Pixel size means the font's em in pixels (points at 72 dpi).
Mask RenderText(Face face, int pixelSize, const std::string& text) {
  TTF_Font* font = OpenFont(face, pixelSize);
  SDL_Surface* raw = TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
  if (!raw) throw std::runtime_error("cannot render text " + text);
  SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(raw);
  int x0 = s->w, y0 = s->h, x1 = -1, y1 = -1;
  auto alpha = [&](int x, int y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) + y * s->pitch);
    return static_cast<float>(row[x] >> 24) / 255.0f;
  };
  for (int y = 0; y < s->h; ++y)
    for (int x = 0; x < s->w; ++x)
      if (alpha(x, y) > 0) {
        x0 = std::min(x0, x); y0 = std::min(y0, y);
        x1 = std::max(x1, x); y1 = std::max(y1, y);
      }
  Mask m;
  if (x1 >= x0) {
    m.Width = x1 - x0 + 1;
    m.Height = y1 - y0 + 1;
    m.A.resize(static_cast<size_t>(m.Width) * m.Height);
    for (int y = 0; y < m.Height; ++y)
      for (int x = 0; x < m.Width; ++x) m.A[static_cast<size_t>(y) * m.Width + x] = alpha(x + x0, y + y0);
  }
  SDL_FreeSurface(s);
  return m;
}

void DrawMask(Canvas& c, const Mask& m, float x, float y, Rgba colour) {
  int ix = static_cast<int>(std::lround(x)), iy = static_cast<int>(std::lround(y));
  for (int j = 0; j < m.Height; ++j)
    for (int i = 0; i < m.Width; ++i) c.Blend(ix + i, iy + j, colour, m.At(i, j));
}

void TextCentred(Canvas& c, Face face, int size, const std::string& text, float cx, float cy,
                 Rgba colour) {
  Mask m = RenderText(face, size, text);
  DrawMask(c, m, cx - m.Width / 2.0f, cy - m.Height / 2.0f, colour);
}

Mask Dilate(const Mask& m, int radius) {
  Mask out;
  out.Width = m.Width + 2 * radius;
  out.Height = m.Height + 2 * radius;
  out.A.assign(static_cast<size_t>(out.Width) * out.Height, 0.0f);
  for (int y = 0; y < out.Height; ++y)
    for (int x = 0; x < out.Width; ++x) {
      float best = 0;
      for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
          if (dx * dx + dy * dy > radius * radius + radius) continue;
          int sx = x - radius + dx, sy = y - radius + dy;
          if (sx >= 0 && sy >= 0 && sx < m.Width && sy < m.Height) best = std::max(best, m.At(sx, sy));
        }
      out.A[static_cast<size_t>(y) * out.Width + x] = best;
    }
  return out;
}

static uint8_t To8(float v) { return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f)); }

plumix::RgbImage ToRgbImage(const Canvas& c, Rgba matte) {
  plumix::RgbImage img{c.Width, c.Height, {}};
  img.Rgb.reserve(static_cast<size_t>(c.Width) * c.Height * 3);
  for (const Rgba& p : c.Px) {
    float a = Clamp01(p.A);
    img.Rgb.push_back(To8(matte.R + (p.R - matte.R) * a));
    img.Rgb.push_back(To8(matte.G + (p.G - matte.G) * a));
    img.Rgb.push_back(To8(matte.B + (p.B - matte.B) * a));
  }
  return img;
}

plumix::RgbImage ToKeyedImage(const Canvas& c, plumix::Colour key, Rgba matte) {
  plumix::RgbImage img = ToRgbImage(c, matte);
  const uint8_t kr = key & 255, kg = (key >> 8) & 255, kb = (key >> 16) & 255;
  const uint16_t key565 = plumix::ToRgb565(key);
  for (size_t i = 0; i < c.Px.size(); ++i) {
    uint8_t* p = &img.Rgb[i * 3];
    if (c.Px[i].A < 0.5f) {
      p[0] = kr; p[1] = kg; p[2] = kb;
    } else if (plumix::Rgb565(p[0], p[1], p[2]) == key565) {
      // One green step (4 levels) away from the key keeps the colour and stays visible.
      p[1] = static_cast<uint8_t>(p[1] >= 128 ? (p[1] & ~3) - 4 : (p[1] | 3) + 1);
    }
  }
  return img;
}

}  // namespace assetgen
