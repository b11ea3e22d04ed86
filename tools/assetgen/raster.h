// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A float RGBA canvas with anti-aliased shapes, noise, blur and text: the
// drawing kit of every generated picture.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "media/bitmap.h"
#include "media/colour.h"

namespace assetgen {

struct Rgba {
  float R = 0, G = 0, B = 0, A = 0;
};

constexpr Rgba Hex(uint32_t rgb, float a = 1.0f) {
  return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f, a};
}
Rgba Mix(Rgba a, Rgba b, float t);
Rgba Scale(Rgba c, float k);  // colour times k, alpha kept
Rgba WithAlpha(Rgba c, float a);
Rgba HsvColour(float hue, float sat, float val, float a = 1.0f);  // hue in turns

float Clamp01(float v);
float SmoothStep(float e0, float e1, float x);

// Deterministic generator (xorshift-multiply); the same seed always gives the
// same stream.
struct Rng {
  explicit Rng(uint64_t seed) : State(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
  uint64_t State;
  uint64_t Next();
  float Unit();                      // [0, 1)
  float Range(float lo, float hi);   // [lo, hi)
  int Int(int n);                    // 0..n-1
};

// Noise in [0, 1], seeded, periodic when a period is given (for seamless tiles).
float Hash2(int x, int y, uint32_t seed);
float ValueNoise(float x, float y, uint32_t seed, int periodX = 0, int periodY = 0);
float Fbm(float x, float y, uint32_t seed, int octaves, int periodX = 0, int periodY = 0);

// Signed distances (negative inside) for anti-aliased shapes.
struct Vec {
  float X = 0, Y = 0;
};
float SdCircle(float x, float y, float cx, float cy, float r);
float SdSegment(float x, float y, Vec a, Vec b);  // distance to the segment
float SdRoundBox(float x, float y, float cx, float cy, float hw, float hh, float r);
float SdPolygon(float x, float y, const std::vector<Vec>& points);

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Rgba fill = {});
  int Width = 0;
  int Height = 0;
  std::vector<Rgba> Px;

  Rgba& At(int x, int y) { return Px[static_cast<size_t>(y) * Width + x]; }
  const Rgba& At(int x, int y) const { return Px[static_cast<size_t>(y) * Width + x]; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }

  void Fill(Rgba c);
  // Source-over with the colour's alpha times the coverage.
  void Blend(int x, int y, Rgba c, float coverage = 1.0f);
  void Add(int x, int y, Rgba c, float amount);  // additive light
  void FillRect(float x0, float y0, float x1, float y1, Rgba c);
  // Coverage from a signed distance over a bounding box (x0..x1, y0..y1).
  void Shape(float x0, float y0, float x1, float y1, const std::function<float(float, float)>& sd,
             Rgba c, float soft = 1.0f);
  void Circle(float cx, float cy, float r, Rgba c, float soft = 1.0f);
  void Line(Vec a, Vec b, float width, Rgba c, float soft = 1.0f);
  void Polygon(const std::vector<Vec>& points, Rgba c);
  void RoundBox(float x0, float y0, float x1, float y1, float r, Rgba c);
  // A radial glow added as light: intensity falls off as a Gaussian.
  void Glow(float cx, float cy, float radius, Rgba c, float strength);
  // Every pixel through a function of its position.
  void Each(const std::function<void(int, int, Rgba&)>& f);
  void Draw(const Canvas& src, int dx, int dy, float opacity = 1.0f);
  Canvas Crop(int x, int y, int w, int h) const;
  void Blur(float radius);  // three box passes
};

// Text through the game folder's fonts; 0..1 coverage.
struct Mask {
  int Width = 0, Height = 0;
  std::vector<float> A;
  float At(int x, int y) const { return A[static_cast<size_t>(y) * Width + x]; }
};
enum class Face { Sans, SansBold, Poster };
void SetFontFolder(const std::filesystem::path& folder);
Mask RenderText(Face face, int pixelSize, const std::string& text);
// Draws text with its ink box centred at (cx, cy) or its left edge at x.
void DrawMask(Canvas& c, const Mask& m, float x, float y, Rgba colour);
void TextCentred(Canvas& c, Face face, int size, const std::string& text, float cx, float cy,
                 Rgba colour);
Mask Dilate(const Mask& m, int radius);

// To a 24-bit picture. Opaque pictures are composited over the matte; keyed
// ones turn pixels with alpha under a half into the exact key and nudge any
// visible pixel off the key's 16-bit value.
plumix::RgbImage ToRgbImage(const Canvas& c, Rgba matte);
plumix::RgbImage ToKeyedImage(const Canvas& c, plumix::Colour key, Rgba matte);

}  // namespace assetgen
