// SPDX-License-Identifier: GPL-3.0-or-later
// Animations of the play screen: static noise, seismograph, explosion, flame,
// lightning, wind, and the laser beam cell.
#include <algorithm>
#include <cmath>

#include "paint.h"

namespace assetgen {
namespace {

constexpr float kTau = 6.2831853f;

Canvas Strip(int patternW, int patternH, int count, int totalW, const std::function<Canvas(int)>& frame) {
  Canvas sheet(totalW, patternH);
  for (int i = 0; i < count; ++i) sheet.Draw(frame(i), i * patternW, 0);
  return sheet;
}

Canvas StaticNoise(int frame) {
  Canvas c(113, 112);
  uint32_t seed = 1000 + frame * 17;
  float roll = frame * 28.0f;  // a bright bar rolls down the screen
  c.Each([&](int x, int y, Rgba& p) {
    float n = Hash2(x, y, seed);
    float coarse = Hash2(x / 2, y, seed + 5);
    float v = 0.18f + 0.55f * (n * 0.6f + coarse * 0.4f);
    float bar = std::exp(-std::pow(std::fmod(y - roll + 224.0f, 112.0f) - 56.0f, 2.0f) / 90.0f);
    v = v * (y % 2 ? 0.78f : 1.0f) + bar * 0.16f;
    float line = Hash2(0, y, seed + 9) > 0.93f ? 0.12f : 0.0f;
    v = Clamp01(v + line);
    p = Hex(0x000000);
    p = {v * 0.86f, v * 0.92f, v, 1};
  });
  return c;
}

Canvas Roulette() {
  Canvas c(113, 112);
  c.Each([](int x, int y, Rgba& p) {
    float dx = x + 0.5f - 56.5f, dy = y + 0.5f - 56;
    float r = std::sqrt(dx * dx + dy * dy);
    float a = std::atan2(dy, dx);
    int sector = static_cast<int>(std::floor((a + kTau / 2) / kTau * 12));
    Rgba col = sector % 2 ? Hex(0xB01A2A) : Hex(0x141418);
    if (sector == 0) col = Hex(0x1A8A3A);
    if (r > 50) col = Hex(0x6A4A20);
    if (r > 54) col = Hex(0x00FF00, 0);
    if (r < 16) col = Mix(Hex(0xE8C060), Hex(0x8A6020), r / 16);
    p = col;
  });
  c.Circle(56.5f, 56, 50, Hex(0x000000, 0));
  Mask q = RenderText(Face::Poster, 22, "?");
  DrawMask(c, q, 56.5f - q.Width / 2.0f, 56 - q.Height / 2.0f, Hex(0x2A1800));
  return c;
}

// The trace's history: calm wiggles, or a quake.
float QuakeSignal(float t, bool wild) {
  float calm = 0.6f * std::sin(t * 0.9f) + 0.4f * std::sin(t * 2.3f + 1) + (Hash2(static_cast<int>(t * 3), 0, 5) - 0.5f) * 1.2f;
  if (!wild) return calm;
  float env = 0.55f + 0.45f * std::sin(t * 0.11f);
  float burst = (Hash2(static_cast<int>(t * 2), 1, 6) - 0.5f) * 2 * 24 * env + 10 * env * std::sin(t * 1.7f);
  return calm + burst;
}

Canvas Seismograph(int frame) {
  Canvas c(96, 72, Hex(0x081A10));
  c.Each([](int x, int y, Rgba& p) {
    bool grid = x % 12 == 5 || y % 12 == 5;
    if (grid) p = Hex(0x103A20);
    if (y == 35 || y == 36) p = Hex(0x1A5A30);
  });
  bool wild = frame >= 4;
  // The pen writes at the right edge; the paper runs left 6 pixels a pattern.
  float shift = (wild ? frame - 4 : frame) * 6.0f;
  Vec prev{};
  for (int x = 0; x < 90; ++x) {
    float t = (x + shift) * 0.9f;
    float v = QuakeSignal(t, wild);
    Vec p{x + 0.5f, 36 + std::clamp(v, -30.0f, 30.0f)};
    if (x > 0) {
      c.Line(prev, p, 2.6f, Hex(0x2AFF6A, 0.25f));
      c.Line(prev, p, 1.1f, Hex(0xB8FFB0));
    }
    prev = p;
  }
  c.Circle(prev.X, prev.Y, 2.6f, Hex(0xFFFFFF));
  c.Glow(prev.X, prev.Y, 4, Hex(0x6AFF8A), 0.6f);
  if (wild && frame % 2 == 0) c.FillRect(84, 3, 92, 9, Hex(0xFF3A2A));
  // Keep every pixel off pure black: black is the key.
  c.Each([](int, int, Rgba& p) { p.G = std::max(p.G, 20 / 255.0f); });
  return c;
}

Canvas Explosion(int frame) {
  Canvas c(71, 100);
  float t = frame / 16.0f;
  const float cx = 35.5f, cy = 60;
  Rng rng(300);
  if (frame <= 1) {
    // The blast: a white-hot star with a shock ring.
    float r = frame == 0 ? 9.0f : 15.0f;
    c.Glow(cx, cy, r * 0.7f, Hex(0xFFE0A0), 2.0f);
    c.Circle(cx, cy, r * 0.55f, Hex(0xFFFFF0));
    for (int i = 0; i < 8; ++i) {
      float a = i * kTau / 8 + 0.2f;
      c.Line({cx, cy}, {cx + std::cos(a) * r * 1.9f, cy + std::sin(a) * r * 1.9f}, 1.6f, Hex(0xFFF0C0));
    }
    if (frame == 1) c.Shape(0, 0, 71, 100, [&](float x, float y) { return std::fabs(SdCircle(x, y, cx, cy, 25)) - 1.2f; }, Hex(0xFFD080));
  }
  // Fireball: swells fast, rises, cools from white through orange to smoke.
  float radius = 10 + 24 * std::sqrt(t);
  float heat = std::max(0.0f, 1 - t * 1.4f);
  float rise = t * 26;
  for (int y = 0; y < 100 && frame > 0; ++y)
    for (int x = 0; x < 71; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float dx = px - cx, dy = (py - cy + rise) * 0.85f;
      float a = std::atan2(dy, dx);
      float n = Fbm(px * 0.08f, py * 0.08f - t * 2, 301, 4);
      float tongues = 0.85f + 0.25f * std::sin(a * 7 + n * 6);
      float d = std::sqrt(dx * dx + dy * dy) / (radius * (0.7f + n * 0.5f) * tongues);
      if (d > 1) continue;
      float core = 1 - d;
      Rgba hot = core * heat > 0.45f ? Mix(Hex(0xFFC030), Hex(0xFFFBE0), Clamp01((core * heat - 0.45f) * 3))
                                     : Mix(Hex(0xD83000), Hex(0xFFC030), Clamp01(core * heat / 0.45f + heat * 0.3f));
      Rgba smoke = Mix(Hex(0x2E2628), Hex(0x6A5A50), n);
      float cool = SmoothStep(0.3f, 0.85f, t + (1 - core) * 0.35f);
      Rgba col = Mix(hot, smoke, cool);
      // The cloud thins out into holes rather than fading: the sprite is keyed.
      float thin = SmoothStep(0.55f, 1.0f, t);
      float alpha = Clamp01((1 - d) * 3) * (n > thin * 0.75f ? 1.0f : 0.0f);
      c.Blend(x, y, WithAlpha(Scale(col, 1 - 0.4f * thin), 1), alpha);
    }
  // Sparks and debris thrown out.
  for (int i = 0; i < 30; ++i) {
    float a = rng.Range(0, kTau), v = rng.Range(20, 52);
    float life = rng.Range(0.45f, 1.0f);
    if (t > life || frame == 0) continue;
    float px = cx + std::cos(a) * v * t * 1.2f, py = cy + std::sin(a) * v * t - 8 * t + 34 * t * t;
    Vec tail{px - std::cos(a) * 3, py - std::sin(a) * 3 + 1};
    c.Line(tail, {px, py}, 1.2f, Mix(Hex(0xFFF0A0), Hex(0xFF5A10), t / life));
  }
  return c;
}

Canvas Flame(int frame) {
  Canvas c(50, 130);
  // The noise runs one full period in 15 patterns, so the loop is seamless.
  const int period = 8;
  float scroll = frame / 15.0f * period;
  for (int y = 0; y < 130; ++y)
    for (int x = 0; x < 50; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float h = 1 - py / 130.0f;  // 0 at the base, 1 at the top
      float n = Fbm(px / 12.0f, py / 16.25f + scroll, 401, 3, 0, period);
      float n2 = Fbm(px / 6.0f + 5, py / 8.125f + scroll * 2, 402, 2, 0, period * 2);
      float sway = (n - 0.5f) * 16 * h;
      float width = 17 * std::pow(1 - h, 0.6f) * (0.8f + 0.4f * n2) + 1;
      float dx = std::fabs(px - 25 - sway);
      float f = 1 - dx / width - h * 0.35f + (n2 - 0.5f) * 0.5f;
      if (py > 120) f -= (py - 120) / 8;
      if (f <= 0) continue;
      float heat = Clamp01(f * 1.8f) * (1 - h * 0.7f);
      Rgba col = heat > 0.8f   ? Mix(Hex(0xFFD850), Hex(0xFFFCE8), (heat - 0.8f) / 0.2f)
                 : heat > 0.45f ? Mix(Hex(0xFF8A18), Hex(0xFFD850), (heat - 0.45f) / 0.35f)
                                : Mix(Hex(0xA01800), Hex(0xFF8A18), heat / 0.45f);
      c.Blend(x, y, col, Clamp01(f * 4));
    }
  // Embers rise over the loop.
  Rng rng(403);
  for (int i = 0; i < 6; ++i) {
    float x0 = rng.Range(12, 38), phase = rng.Unit();
    float t = std::fmod(phase + frame / 15.0f, 1.0f);
    c.Circle(x0 + std::sin((t + phase) * kTau) * 4, 112 - t * 105, 1.0f, Hex(0xFFC040, 1 - t));
  }
  return c;
}

std::vector<Vec> Bolt(Rng& rng, Vec from, Vec to, int depth) {
  std::vector<Vec> pts{from, to};
  for (int level = 0; level < depth; ++level) {
    std::vector<Vec> next;
    float spread = 26.0f / (1 << level);
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
      next.push_back(pts[i]);
      next.push_back({(pts[i].X + pts[i + 1].X) / 2 + rng.Range(-spread, spread), (pts[i].Y + pts[i + 1].Y) / 2});
    }
    next.push_back(pts.back());
    pts.swap(next);
  }
  return pts;
}

Canvas Storm(int frame) {
  Canvas c(166, 179);
  Rng rng(500);
  // The game puts the sprite 12 pixels left of and 95 above the struck
  // cell's corner, so the bolt ends on the cell's middle.
  const Vec strike{24.5f, 107.0f};
  std::vector<Vec> main = Bolt(rng, {70, 0}, strike, 5);
  std::vector<std::vector<Vec>> forks;
  for (int i = 0; i < 3; ++i) {
    size_t at = 6 + i * 7;
    Vec start = main[at];
    forks.push_back(Bolt(rng, start, {start.X + rng.Range(-60, 60), start.Y + rng.Range(30, 60)}, 3));
  }
  // Patterns: 0 a charge in the cloud, 1-3 the leader grows down, 4 the strike,
  // 5 the afterglow, 6 almost gone (the game hides the sprite there).
  static constexpr float kReach[7] = {0.0f, 0.35f, 0.7f, 1.0f, 1.0f, 1.0f, 1.0f};
  static constexpr float kBright[7] = {0.0f, 0.55f, 0.7f, 0.85f, 1.0f, 0.6f, 0.25f};
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 166; ++x) {
      float n = Fbm(x / 24.0f, y / 14.0f, 510, 4);
      float a = SmoothStep(0.35f, 0.7f, n) * (1 - y / 40.0f);
      float lit = frame == 0 ? 0.8f : kBright[frame];
      c.Blend(x, y, Mix(Hex(0x2A2A48), Hex(0xC8C8FF), lit * n), a * (frame == 6 ? 0.4f : 1.0f));
    }
  float reach = kReach[frame] * strike.Y, bright = kBright[frame];
  if (bright > 0) {
    Canvas bolt(166, 179);
    auto stroke = [&](const std::vector<Vec>& pts, float width) {
      for (size_t i = 0; i + 1 < pts.size(); ++i) {
        if (pts[i].Y > reach) break;
        bolt.Line(pts[i], pts[i + 1], width, Hex(0xFFFFFF));
      }
    };
    stroke(main, frame == 4 ? 3.0f : 2.0f);
    for (auto& f : forks) stroke(f, 1.2f);
    Canvas glow = bolt;
    glow.Blur(6);
    for (size_t i = 0; i < c.Px.size(); ++i) {
      int x = static_cast<int>(i % 166), y = static_cast<int>(i / 166);
      c.Add(x, y, Hex(0x8A9AFF), glow.Px[i].A * 2.2f * bright);
      c.Blend(x, y, Mix(Hex(0xB8C8FF), Hex(0xFFFFFF), bright), bolt.Px[i].A * bright);
    }
    if (frame >= 3 && frame <= 5) c.Glow(strike.X, strike.Y - 4, 10, Hex(0xFFFFFF), bright * 1.5f);
  }
  return c;
}

// An indicator window: gusts stream across a small night sky, with leaves.
Canvas Wind(int frame, bool toLeft) {
  Canvas c(60, 60);
  c.Each([](int, int y, Rgba& p) { p = Mix(Hex(0x10163A), Hex(0x0A0C20), y / 60.0f); });
  float dir = toLeft ? -1.0f : 1.0f;
  float phase = frame / 10.0f;
  // A faint arrow says which way it blows.
  {
    float sx = toLeft ? -1.0f : 1.0f;
    auto P = [&](float x, float y) { return Vec{30 + sx * x, y}; };
    c.Polygon({P(16, 30), P(2, 18), P(2, 25), P(-16, 25), P(-16, 35), P(2, 35), P(2, 42)}, Hex(0x2A3A7A, 0.55f));
  }
  for (int s = 0; s < 7; ++s) {
    float y0 = 8 + s * 7.5f, speed = 1 + (s % 3);
    float head = std::fmod(phase * speed + s * 0.37f, 1.0f);
    float hx = toLeft ? 66 - head * 72 : -6 + head * 72;
    float len = 18 + 6 * (s % 2);
    Vec prev{hx, y0};
    for (int i = 1; i <= 12; ++i) {
      float x = hx - dir * len * i / 12;
      float y = y0 + 2.5f * std::sin(x * 0.2f + s);
      c.Line(prev, {x, y}, 1.6f - i * 0.05f, Mix(Hex(0xE0ECFF), Hex(0x2A3460), i / 13.0f));
      prev = {x, y};
    }
  }
  for (int l = 0; l < 3; ++l) {
    float t = std::fmod(phase + l / 3.0f, 1.0f);
    float x = toLeft ? 62 - t * 64 : -2 + t * 64, y = 18 + l * 14 + 4 * std::sin(t * kTau * 2);
    float a = t * kTau * 2 * dir;
    float ca = std::cos(a), sa = std::sin(a);
    auto R = [&](float u, float v) { return Vec{x + ca * u - sa * v, y + sa * u + ca * v}; };
    Rgba leaf = l == 1 ? Hex(0x8AC83A) : (l == 0 ? Hex(0xE89A2A) : Hex(0xD0602A));
    c.Polygon({R(-4.5f, 0), R(-1.5f, -2.4f), R(2.5f, -1.8f), R(4.5f, 0), R(2.5f, 1.8f), R(-1.5f, 2.4f)}, leaf);
    c.Line(R(-5.5f, 0), R(3.5f, 0), 0.7f, Scale(leaf, 0.6f));
  }
  // The frame of the indicator.
  c.Shape(0, 0, 60, 60, [](float x, float y) { return std::fabs(SdRoundBox(x, y, 30, 30, 29.5f, 29.5f, 4)) - 1.0f; }, Hex(0x8A90A0));
  c.Shape(0, 0, 60, 60, [](float x, float y) { return std::fabs(SdRoundBox(x, y, 30, 30, 27.5f, 27.5f, 3)) - 0.5f; }, Hex(0x20242C));
  c.Each([](int x, int y, Rgba& p) {
    float d = SdRoundBox(x + 0.5f, y + 0.5f, 30, 30, 30, 30, 4);
    if (d > 0) p = Hex(0x0A0C12);
  });
  return c;
}

Canvas Laser() {
  Canvas c(25, 25);
  c.Each([](int x, int, Rgba& p) {
    float dx = std::fabs(x + 0.5f - 12.5f);
    float core = std::exp(-dx * dx / 4.0f), glow = std::exp(-dx * dx / 40.0f);
    p = Hex(0x000000);
    p.R = Clamp01(0.05f + glow * 0.9f + core);
    p.G = Clamp01(glow * 0.15f + core * 0.95f);
    p.B = Clamp01(0.04f + glow * 0.35f + core * 0.9f);
  });
  return c;
}

}  // namespace

void AddEffectPainters(PainterMap& map) {
  map["Sumenje_Animation"] = [] { return Strip(113, 112, 4, 452, StaticNoise); };
  map["Ruleta_Pic"] = Roulette;
  map["Seizmograf_Animation"] = [] { return Strip(96, 72, 27, 2622, Seismograph); };
  map["Explosion_Animation"] = [] { return Strip(71, 100, 17, 1207, Explosion); };
  map["Flame_Animation"] = [] { return Strip(50, 130, 15, 750, Flame); };
  map["Storm_Animation"] = [] { return Strip(166, 179, 7, 1162, Storm); };
  map["Wind_Animation"] = [] { return Strip(60, 60, 10, 600, [](int f) { return Wind(f, true); }); };
  map["Wind2_Animation"] = [] { return Strip(60, 60, 10, 600, [](int f) { return Wind(f, false); }); };
  map["V_Laser"] = Laser;
}

}  // namespace assetgen
