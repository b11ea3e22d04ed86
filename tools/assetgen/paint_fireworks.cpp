// SPDX-License-Identifier: GPL-3.0-or-later
// Fireworks bursts, the rocket icons of the bonus panel and its sum pictures.
#include <cmath>

#include "paint.h"

namespace assetgen {
namespace {

constexpr float kTau = 6.2831853f;

// Red, yellow, green, blue, as the panel's rockets.
Rgba BurstColour(int colour) {
  static constexpr uint32_t kColours[4] = {0xFF3A3A, 0xFFD83A, 0x4AFF5A, 0x4A8AFF};
  return Hex(kColours[colour - 1]);
}

enum class Form { Large, Medium, Small, Circle };

// One burst pattern: a shell of coloured stars flies out to the frame's edge,
// slows, droops and fades with long trails; the last patterns still glow.
// The first pattern catches the shell just after the break, already open:
// a white-hot core of a few pixels among stars streaking out in colour.
Canvas BurstFrame(Form form, int colour, int frame, int frames, int w, int h) {
  Canvas c(w, h);
  constexpr float kBreak = 0.17f;  // how far the shell has flown by the first pattern
  float t = kBreak + (1 - kBreak) * static_cast<float>(frame) / (frames - 1);
  Rgba col = BurstColour(colour);
  Rgba second = BurstColour(colour % 4 + 1);
  float cx = w / 2.0f, cy = h / 2.0f * 0.92f;
  float reach = std::min(w, h) * 0.47f;
  float squash = 1.0f;
  int stars = 110;
  if (form == Form::Medium) stars = 84;
  if (form == Form::Small) stars = 60;
  if (form == Form::Circle) {
    cy = h / 2.0f;
    reach = w * 0.47f;
    squash = h / static_cast<float>(w) * 0.9f;  // a ring seen from the side
    stars = 90;
  }
  Rng rng(7000 + colour * 31 + static_cast<int>(form) * 5);
  // The droop that keeps the lowest, fastest stars inside the frame.
  const float droopReach = form == Form::Circle ? 0 : std::max(0.0f, h - 1.0f - cy - reach * squash);
  for (int i = 0; i < stars; ++i) {
    float a = kTau * i / stars + rng.Range(-0.06f, 0.06f);
    float speed = form == Form::Circle ? rng.Range(0.9f, 1.0f) : rng.Range(0.45f, 1.0f);
    if (form == Form::Medium && i % 2) speed *= 0.62f;  // a double shell
    bool alt = (form == Form::Large && i % 3 == 0) || (form == Form::Medium && i % 2);
    auto pos = [&](float tt) {
      float r = reach * speed * (1 - std::exp(-tt * 5.0f)) / (1 - std::exp(-5.0f));
      float droop = droopReach * tt * tt;
      return Vec{cx + std::cos(a) * r, cy + std::sin(a) * r * squash + droop};
    };
    // Keyed sprites cannot fade by opacity: stars dim towards the night and
    // a few drop out, but the shell stays to the last pattern.
    float dim = 1 - 0.55f * SmoothStep(0.45f, 1.0f, t);
    if (t > 0.7f && Hash2(i, 3, 61) < (t - 0.7f) / 0.3f * 0.5f) continue;
    float twinkle = (t > 0.4f && Hash2(i, frame, 71) > 0.55f) ? 1.4f : 1.0f;
    // Hot and pale just after the break, then the full colour.
    Rgba star = Scale(Mix(Hex(0xFFFFFF), alt ? second : col, 0.75f + 0.25f * SmoothStep(kBreak, 0.35f, t)), dim);
    Vec now = pos(t);
    // The trail behind each star, longer while it flies fast, darker towards
    // its end; it never reaches back into the core, or the break is a disc.
    const float trailTime = std::min(0.035f, (t - kBreak * 0.6f) / 7);
    for (int k = 1; k <= 7; ++k) {
      Vec p = pos(t - k * trailTime);
      c.Line(now, p, std::max(0.8f, 1.6f - k * 0.15f), Scale(star, 0.9f - k * 0.11f));
      now = p;
    }
    Vec head = pos(t);
    // Small while the shell is tight, so that its stars stay apart.
    const float open = SmoothStep(kBreak, 0.35f, t);
    float size = (form == Form::Small ? 1.1f : 1.45f) * (1.15f - 0.3f * t) * (0.6f + 0.4f * open);
    // Light around the head: at the break it only brightens the star's own
    // ink; once the shell is open, it swells each star into a bright ball.
    const float glow = (form == Form::Circle ? 0.2f : 0.3f) + 0.3f * SmoothStep(0.25f, 0.45f, t);
    c.Glow(head.X, head.Y, size * 1.8f, star, glow);
    c.Circle(head.X, head.Y, size * twinkle, Mix(star, Scale(Hex(0xFFFFFF), dim), 0.3f));
  }
  if (frame <= 1) {
    // The white-hot core of the break, a few pixels across.
    float r = frame == 0 ? 1.6f : 1.0f;
    c.Glow(cx, cy, r * 1.6f, Mix(col, Hex(0xFFFFFF), 0.5f), 0.9f);
    c.Circle(cx, cy, r, Hex(0xFFFFFF));
  }
  if (form != Form::Circle && t > 0.25f) {
    // Crackle: glittering sparks all over the shell in the second half.
    int sparks = form == Form::Large ? 60 : form == Form::Medium ? 40 : 26;
    for (int i = 0; i < sparks; ++i) {
      float a = rng.Range(0, kTau), r = reach * rng.Range(0.35f, 0.98f);
      if (Hash2(i, frame, 91) < 0.45f) continue;
      c.Circle(cx + std::cos(a) * r, cy + std::sin(a) * r + droopReach * t * t, 1.0f,
               Scale(Hex(0xFFF4C0), 1 - 0.5f * SmoothStep(0.6f, 1.0f, t)));
    }
  }
  return c;
}

Canvas Burst(Form form, int colour, int w, int h, int pw, int ph, int frames) {
  Canvas sheet(w, h);
  for (int f = 0; f < frames; ++f) sheet.Draw(BurstFrame(form, colour, f, frames, pw, ph), f * pw, 0);
  return sheet;
}

// A rocket of the bonus panel, nose towards `degrees` (90 = straight up).
Canvas Rocket(int w, int h, int colour, float degrees, bool slim) {
  Canvas c(w, h);
  float a = degrees * kTau / 360.0f;
  Vec dir{std::cos(a), -std::sin(a)};
  Vec side{-dir.Y, dir.X};
  float len = slim ? 24.0f : 20.0f, body = slim ? 1.9f : 3.6f;
  Vec centre{w / 2.0f, h / 2.0f + (slim ? 0 : 3.0f)};
  if (!slim) centre = {w / 2.0f - dir.X * 4, h / 2.0f - dir.Y * 4 + 2};
  Vec tail{centre.X - dir.X * len * 0.5f, centre.Y - dir.Y * len * 0.5f};
  Vec nose{centre.X + dir.X * len * 0.5f, centre.Y + dir.Y * len * 0.5f};
  Rgba col = BurstColour(colour);
  // The guide stick.
  Vec stickEnd{tail.X - dir.X * (slim ? 6 : 9), tail.Y - dir.Y * (slim ? 6 : 9)};
  c.Line({tail.X + side.X * body * 0.8f, tail.Y + side.Y * body * 0.8f},
         {stickEnd.X + side.X * body * 0.8f, stickEnd.Y + side.Y * body * 0.8f}, 1.0f, Hex(0xA07A40));
  // Body with a light stripe, then the cone.
  c.Line(tail, nose, body * 2, Scale(col, 0.8f));
  c.Line({tail.X - side.X * body * 0.4f, tail.Y - side.Y * body * 0.4f},
         {nose.X - side.X * body * 0.4f, nose.Y - side.Y * body * 0.4f}, body * 0.6f, Mix(col, Hex(0xFFFFFF), 0.5f));
  Vec tip{nose.X + dir.X * body * 1.8f, nose.Y + dir.Y * body * 1.8f};
  c.Polygon({{nose.X + side.X * body * 1.1f, nose.Y + side.Y * body * 1.1f}, tip,
             {nose.X - side.X * body * 1.1f, nose.Y - side.Y * body * 1.1f}},
            Hex(0xF0F0F4));
  if (!slim) {
    c.Line({centre.X + side.X * body, centre.Y + side.Y * body}, {centre.X - side.X * body, centre.Y - side.Y * body}, 1.0f,
           Hex(0xFFFFFF, 0.85f));
  }
  return c;
}

Canvas SumBadge(int frame, Rgba colour, bool keyed, const std::string& text) {
  Canvas c(97, 44, keyed ? Rgba{} : Hex(0x080A14));
  if (!keyed) {
    // The opaque picture continues the bonus window's dotted grid under it.
    for (int y = 5; y < 44; y += 8)
      for (int x = 6; x < 97; x += 8) c.Blend(x, y, Hex(0x182040));
  }
  float pulse = 0.5f + 0.5f * std::cos(frame / 4.0f * kTau);  // bright on 0, dim on 2
  auto shape = [](float x, float y) { return SdRoundBox(x, y, 48.5f, 22, 45, 18, 9); };
  Canvas halo(97, 44);
  halo.Shape(0, 0, 97, 44, [&](float x, float y) { return std::fabs(shape(x, y)) - 1.2f; }, colour);
  halo.Blur(4);
  for (size_t i = 0; i < c.Px.size(); ++i) c.Add(static_cast<int>(i % 97), static_cast<int>(i / 97), colour, halo.Px[i].A * (0.7f + pulse));
  c.Shape(0, 0, 97, 44, shape, Hex(0x06060E, 0.9f));
  c.Shape(0, 0, 97, 44, [&](float x, float y) { return std::fabs(shape(x, y)) - 1.0f; }, Mix(colour, Hex(0xFFFFFF), 0.3f + 0.4f * pulse));
  Mask m = RenderText(Face::SansBold, 20, text);
  Canvas textGlow(97, 44);
  DrawMask(textGlow, m, std::round(48.5f - m.Width / 2.0f), std::round(22 - m.Height / 2.0f), colour);
  textGlow.Blur(3);
  for (size_t i = 0; i < c.Px.size(); ++i) c.Add(static_cast<int>(i % 97), static_cast<int>(i / 97), colour, textGlow.Px[i].A * (0.4f + pulse * 0.8f));
  DrawMask(c, m, std::round(48.5f - m.Width / 2.0f), std::round(22 - m.Height / 2.0f), Mix(colour, Hex(0xFFFFFF), 0.4f + 0.5f * pulse));
  // A travelling sparkle.
  float sx = 12 + frame * 24.0f;
  c.Glow(sx, 5, 2.0f, Hex(0xFFFFFF), 1.2f);
  return c;
}

Canvas SumStrip(Rgba colour, bool keyed, const std::string& text) {
  Canvas sheet(388, 44);
  for (int f = 0; f < 4; ++f) sheet.Draw(SumBadge(f, colour, keyed, text), f * 97, 0);
  return sheet;
}

}  // namespace

void AddFireworkPainters(PainterMap& map) {
  for (int colour = 1; colour <= 4; ++colour) {
    std::string n = std::to_string(colour);
    map[n + "Large_Fireworks_Animation"] = [=] { return Burst(Form::Large, colour, 2560, 128, 128, 128, 20); };
    map[n + "Medium_Fireworks_Animation"] = [=] { return Burst(Form::Medium, colour, 1729, 79, 91, 79, 19); };
    map[n + "Small_Fireworks_Animation"] = [=] { return Burst(Form::Small, colour, 1080, 54, 72, 54, 15); };
    map[n + "Circle_Fireworks_Animation"] = [=] { return Burst(Form::Circle, colour, 2100, 35, 150, 35, 14); };
  }
  const char* names[4] = {"Red", "Yellow", "Green", "Blue"};
  for (int colour = 1; colour <= 4; ++colour) {
    std::string n = names[colour - 1];
    bool wide = colour == 4;
    map["Big_" + n + "_90"] = [=] { return Rocket(21, 33, colour, 90, false); };
    map["Big_" + n + "_120"] = [=] { return wide ? Rocket(35, 39, colour, 120, false) : Rocket(21, 33, colour, 120, false); };
    map["Big_" + n + "_65"] = [=] { return wide ? Rocket(35, 39, colour, 65, false) : Rocket(21, 33, colour, 65, false); };
    map["Small_" + n + "_90"] = [=] { return Rocket(7, 32, colour, 90, true); };
  }
  map["Sum_Plumix_Mode_One_Animation"] = [] { return SumStrip(Hex(0xFFC83A), true, "x2"); };
  map["Sum_Plumix_Mode_Two_Three_Animation"] = [] { return SumStrip(Hex(0x3AD8FF), false, "x2"); };
  map["Sum_Plumix_Mode_Four_Animation"] = [] { return SumStrip(Hex(0xFF3AC8), true, "x2"); };
  map["Text_Plumix_Mode_Green"] = [] {
    Canvas c(91, 12);
    for (int s = 12; s > 5; --s) {
      Mask m = RenderText(Face::SansBold, s, "PLUMIX MODE");
      if (m.Width <= 89 && m.Height <= 10) {
        DrawMask(c, m, std::round((91 - m.Width) / 2.0f), std::round((12 - m.Height) / 2.0f), kLcdGreen);
        break;
      }
    }
    return c;
  };
}

}  // namespace assetgen
