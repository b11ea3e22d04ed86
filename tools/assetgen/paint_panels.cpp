// SPDX-License-Identifier: GPL-3.0-or-later
// The play screen's panels, bars, read-out labels, digits and the options frame.
#include <algorithm>
#include <cmath>

#include "paint.h"

namespace assetgen {
namespace {

void Engrave(Canvas& c, Face face, int size, const std::string& text, float cx, float cy, float depth = 1.0f) {
  Mask m = RenderText(face, size, text);
  float x = std::round(cx - m.Width / 2.0f), y = std::round(cy - m.Height / 2.0f);
  // Stamped letters: a dark cut with the light catching its lower edge.
  DrawMask(c, m, x + 1, y + 1, Hex(0x050608, 0.9f * depth));
  DrawMask(c, m, x, y, Hex(0xA8B0BE, 0.95f * depth));
}

// Largest size up to `size` whose ink fits (w, h).
Mask FitText(Face face, int size, const std::string& text, int w, int h) {
  for (int s = size; s > 5; --s) {
    Mask m = RenderText(face, s, text);
    if (m.Width <= w && m.Height <= h) return m;
  }
  return RenderText(face, 6, text);
}

Canvas Label(int w, int h, const std::string& text, Rgba ink, Rgba back, bool glow) {
  Canvas c(w, h, back);
  // Glowing text keeps clear of the border, so its halo ends inside the picture.
  int margin = glow ? 4 : 2;
  Mask m = FitText(Face::SansBold, h, text, w - margin, h - margin);
  float x = std::round((w - m.Width) / 2.0f), y = std::round((h - m.Height) / 2.0f);
  if (glow) {
    Canvas halo(w, h);
    DrawMask(halo, m, x, y, ink);
    halo.Blur(2.0f);
    for (size_t i = 0; i < c.Px.size(); ++i) {
      int x = static_cast<int>(i % w), y = static_cast<int>(i / w);
      float edge = std::min({x + 0.5f, y + 0.5f, w - x - 0.5f, h - y - 0.5f});
      c.Add(x, y, ink, halo.Px[i].A * 0.45f * SmoothStep(0.0f, 2.5f, edge));
    }
  }
  DrawMask(c, m, x, y, ink);
  return c;
}

Canvas TwoLineLabel(int w, int h, const std::string& a, const std::string& b, Rgba ink, Rgba back) {
  Canvas c(w, h, back);
  Mask ma = FitText(Face::SansBold, 11, a, w - 2, h / 2 - 1);
  Mask mb = FitText(Face::SansBold, 11, b, w - 2, h / 2 - 1);
  DrawMask(c, ma, std::round((w - ma.Width) / 2.0f), 2, ink);
  DrawMask(c, mb, std::round((w - mb.Width) / 2.0f), h - mb.Height - 2.0f, ink);
  return c;
}

// Seven segments a..g on a 12 x 16 cell, leaning like a calculator display.
void Segment(Canvas& c, int seg, Rgba colour) {
  const float l = 2.6f, r = 9.4f, t = 1.6f, m = 8.0f, b = 14.4f, w = 1.05f;
  auto lean = [](Vec p) { return Vec{p.X - (p.Y - 8.0f) * 0.13f, p.Y}; };
  auto horizontal = [&](float y) {
    return std::vector<Vec>{lean({l + 0.4f, y}), lean({l + w + 0.4f, y - w}), lean({r - w - 0.4f, y - w}),
                            lean({r - 0.4f, y}), lean({r - w - 0.4f, y + w}), lean({l + w + 0.4f, y + w})};
  };
  auto vertical = [&](float x, float y0, float y1) {
    return std::vector<Vec>{lean({x, y0 + 0.4f}), lean({x + w, y0 + w + 0.4f}), lean({x + w, y1 - w - 0.4f}),
                            lean({x, y1 - 0.4f}), lean({x - w, y1 - w - 0.4f}), lean({x - w, y0 + w + 0.4f})};
  };
  std::vector<Vec> poly;
  switch (seg) {
    case 0: poly = horizontal(t); break;
    case 1: poly = vertical(r, t, m); break;
    case 2: poly = vertical(r, m, b); break;
    case 3: poly = horizontal(b); break;
    case 4: poly = vertical(l, m, b); break;
    case 5: poly = vertical(l, t, m); break;
    default: poly = horizontal(m); break;
  }
  c.Polygon(poly, colour);
}

Canvas Digits() {
  static constexpr uint8_t kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
  Canvas sheet(132, 16);
  for (int d = 0; d < 10; ++d) {
    Canvas cell(12, 16);
    for (int s = 0; s < 7; ++s) Segment(cell, s, Hex(0x11281A));  // unlit segments show faintly
    Canvas lit(12, 16);
    for (int s = 0; s < 7; ++s)
      if (kSegments[d] & (1 << s)) Segment(lit, s, kLcdGreen);
    Canvas halo = lit;
    halo.Blur(1.5f);
    for (size_t i = 0; i < cell.Px.size(); ++i) cell.Add(static_cast<int>(i % 12), static_cast<int>(i / 12), kLcdGreen, halo.Px[i].A * 0.35f);
    cell.Draw(lit, 0, 0);
    sheet.Draw(cell, 12 * (d + 1), 0);
  }
  return sheet;
}

void PanelBase(Canvas& c, uint32_t seed) {
  BrushedMetal(c, 0, 0, c.Width, c.Height, Hex(0x30353F), seed);
  // Engraved grooves along both long sides.
  for (int x : {3, c.Width - 5}) {
    c.FillRect(static_cast<float>(x), 0, x + 1.0f, static_cast<float>(c.Height), Hex(0x0A0B0E, 0.7f));
    c.FillRect(x + 1.0f, 0, x + 2.0f, static_cast<float>(c.Height), Hex(0x9AA2B0, 0.25f));
  }
}

void Dial(Canvas& c, float cx, float cy) {
  // Bezel, face, a coloured scale from speed 0 (lower left) over the top to 16.
  c.Circle(cx + 1, cy + 1.5f, 47, Hex(0x000000, 0.6f));
  for (int y = static_cast<int>(cy - 48); y < cy + 48; ++y)
    for (int x = static_cast<int>(cx - 48); x < cx + 48; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float d = SdCircle(px, py, cx, cy, 46);
      if (d > 0.5f) continue;
      float t = Clamp01(0.5f - ((px - cx) + (py - cy)) / 130.0f);
      Rgba rim = Mix(Hex(0x202328), Hex(0xC4CAD4), t);
      c.Blend(x, y, rim, Clamp01(0.5f - d));
    }
  c.Circle(cx, cy, 42, Hex(0x16181C));
  for (int y = static_cast<int>(cy - 42); y < cy + 42; ++y)
    for (int x = static_cast<int>(cx - 42); x < cx + 42; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float d = SdCircle(px, py, cx, cy, 40.5f);
      if (d > 0.5f) continue;
      float r = std::sqrt((px - cx) * (px - cx) + (py - cy + 10) * (py - cy + 10)) / 60.0f;
      c.Blend(x, y, Mix(Hex(0x0F1E16), Hex(0x050A08), Clamp01(r)), Clamp01(0.5f - d));
    }
  const float pi = 3.14159265f;
  for (int i = 0; i <= 32; ++i) {
    float s = i / 2.0f;
    float a = pi * 0.75f + (s / 16.0f) * pi * 1.5f;  // screen angle, y down
    float ca = std::cos(a), sa = std::sin(a);
    bool major = i % 4 == 0;
    float r0 = major ? 30.0f : 33.5f, r1 = 38.0f;
    Rgba col = s < 8 ? Mix(kLcdGreen, Hex(0xFFE040), s / 8.0f) : Mix(Hex(0xFFE040), Hex(0xFF3A2A), (s - 8) / 8.0f);
    c.Line({cx + ca * r0, cy + sa * r0}, {cx + ca * r1, cy + sa * r1}, major ? 1.6f : 0.9f, col);
  }
  // The coloured arc just inside the ticks.
  for (int i = 0; i < 400; ++i) {
    float s = i / 400.0f * 16.0f;
    float a = pi * 0.75f + (s / 16.0f) * pi * 1.5f;
    Rgba col = s < 8 ? Mix(kLcdGreen, Hex(0xFFE040), s / 8.0f) : Mix(Hex(0xFFE040), Hex(0xFF3A2A), (s - 8) / 8.0f);
    c.Circle(cx + std::cos(a) * 27.5f, cy + std::sin(a) * 27.5f, 0.9f, WithAlpha(col, 0.5f));
  }
  Mask zero = RenderText(Face::SansBold, 8, "0"), mid = RenderText(Face::SansBold, 8, "8"),
       top = RenderText(Face::SansBold, 8, "16");
  DrawMask(c, zero, cx - 21, cy + 12, Hex(0x9AE890));
  DrawMask(c, mid, cx - mid.Width / 2.0f, cy - 25, Hex(0xF0E070));
  DrawMask(c, top, cx + 16, cy + 12, Hex(0xF09070));
  Mask speed = RenderText(Face::SansBold, 9, "SPEED");
  DrawMask(c, speed, cx - speed.Width / 2.0f, cy + 22, Hex(0x6ACB5A));
  // The hub the game's needle turns on.
  c.Circle(cx, cy, 4.5f, Hex(0x6A707A));
  c.Circle(cx - 0.8f, cy - 0.8f, 2.5f, Hex(0xD8DCE4));
}

Canvas ScoresPanel() {
  Canvas c(128, 770);
  PanelBase(c, 101);
  Engrave(c, Face::SansBold, 11, "SCORE", 64, 37);
  SunkenWindow(c, 14, 46, 114, 76, kWindowDark);
  SunkenWindow(c, 16, 78, 112, 134, kWindowDark);
  Dial(c, 62, 207);
  Engrave(c, Face::SansBold, 8, "MESSAGES", 64, 263);
  // Deep enough for the third line of the newest message, which ends near y 475.
  SunkenWindow(c, 15, 272, 125, 481, Hex(0x080C12));
  // Faint ruling where the five messages sit.
  for (int i = 0; i < 5; ++i) c.FillRect(19, 319.0f + 40 * i, 121, 320.0f + 40 * i, Hex(0x1A2430, 0.8f));
  SunkenWindow(c, 11, 488, 117, 706, Hex(0x080A14));
  for (int y = 500; y < 704; y += 8)
    for (int x = 14; x < 115; x += 8) c.Blend(x, y, Hex(0x182040));
  {
    Mask plumix = FitText(Face::SansBold, 12, "PLUMIX MODE", 89, 10);
    DrawMask(c, plumix, 914 - 896 + std::round((91 - plumix.Width) / 2.0f), 492 + std::round((12 - plumix.Height) / 2.0f), Hex(0x1A3A22));
  }
  PaintLamp(c, 925 - 896, 710, false);
  // A shallow plate: the lit label is drawn over it whole.
  SunkenWindow(c, 51, 713, 104, 734, kWindowDark, 2, 0.3f);
  {
    Mask pause = FitText(Face::SansBold, 13, "PAUSE", 43, 9);  // as the lit label
    DrawMask(c, pause, 53 + std::round((47 - pause.Width) / 2.0f), 717 + std::round((13 - pause.Height) / 2.0f), Hex(0x1C3A20));
  }
  for (auto [x, y] : {std::pair{9.0f, 9.0f}, {119.0f, 9.0f}, {9.0f, 752.0f}, {119.0f, 752.0f}})
    Screw(c, x, y, 3.2f, x * 0.1f + y * 0.03f);
  return c;
}

Canvas Separator();
Canvas SeparatorDown();

Canvas LeftPanel() {
  Canvas c(128, 770);
  PanelBase(c, 202);
  Engrave(c, Face::SansBold, 14, "NEXT", 64, 22);
  SunkenWindow(c, 7, 40, 122, 598, Hex(0x060A10), 2);
  // Each slot a dark screen with a faint glow and scanlines.
  for (int k = 0; k < 5; ++k) {
    float top = 41.0f + 112 * k;
    for (int y = static_cast<int>(top); y < top + 112 && y < 596; ++y)
      for (int x = 8; x < 121; ++x) {
        float dx = (x - 64.5f) / 60.0f, dy = (y - top - 56) / 60.0f;
        float g = std::exp(-(dx * dx + dy * dy) * 1.6f) * 0.10f;
        c.Add(x, y, Hex(0x3A6A9A), g * (y % 2 ? 0.8f : 1.0f));
      }
  }
  for (auto [x, y] : {std::pair{10.0f, 10.0f}, {118.0f, 10.0f}, {10.0f, 764.0f}, {118.0f, 764.0f}}) Screw(c, x, y, 3.2f, x * 0.2f);
  // The game draws the separators only while the column slides; at rest the
  // panel itself must show them where they are drawn.
  Canvas separator = Separator();
  for (int y : {148, 260, 372, 484}) c.Draw(separator, 0, y);
  c.Draw(SeparatorDown(), 0, 595);
  return c;
}

Canvas SeparatorDown() {
  Canvas c(128, 165);
  PanelBase(c, 303);
  c.FillRect(0, 0, 128, 2, Hex(0x0A0B0E, 0.8f));
  c.FillRect(0, 2, 128, 3, Hex(0xA0A8B4, 0.3f));
  Engrave(c, Face::SansBold, 9, "DISASTER DETECTOR", 64, 22);
  SunkenWindow(c, 17, 36, 113, 108, Hex(0x081A10), 2);
  SunkenWindow(c, 44, 117, 83, 139, kWindowDark, 2);
  Engrave(c, Face::SansBold, 8, "COUNTDOWN", 64, 150);
  for (auto [x, y] : {std::pair{9.0f, 12.0f}, {119.0f, 12.0f}, {9.0f, 128.0f}, {119.0f, 128.0f}}) Screw(c, x, y, 3.0f, y * 0.1f);
  return c;
}

Canvas Separator() {
  Canvas c(127, 7);
  c.Each([](int x, int y, Rgba& p) {
    static constexpr uint32_t kProfile[7] = {0x9AA2AE, 0x6A717C, 0x4A505A, 0x14161A, 0x5A606A, 0x3A3F48, 0x16181C};
    p = Scale(Hex(kProfile[y]), 0.92f + 0.12f * ValueNoise(x * 0.08f, y * 0.5f, 404));
  });
  for (float x : {4.0f, 122.0f}) Screw(c, x, 3.5f, 2.2f, 0.5f);
  return c;
}

Canvas Bar(int w, int h) {
  Canvas c(w, h);
  static constexpr uint32_t kProfile[11] = {0x0E1014, 0x5A606C, 0xA8AFBC, 0x7A818E, 0x4C525C, 0x2A2E36,
                                            0x4C525C, 0x6A707C, 0x3A3F48, 0x202329, 0x08090B};
  bool horizontal = w > h;
  c.Each([&](int x, int y, Rgba& p) {
    int across = horizontal ? y : x;
    int along = horizontal ? x : y;
    float n = ValueNoise(along * 0.03f, across * 0.7f, 505) * 0.12f + Hash2(x, y, 506) * 0.04f;
    p = Scale(Hex(kProfile[across]), 0.9f + n);
  });
  // A thin violet neon thread in the groove, the one accent of the rim.
  for (int i = 0; i < (horizontal ? w : h); ++i) {
    int x = horizontal ? i : 5, y = horizontal ? 5 : i;
    c.Add(x, y, Hex(0x8A4AFF), 0.35f);
  }
  return c;
}

Canvas ControlPanelFrame() {
  Canvas c(640, 480);  // transparent: the key
  const float x0 = 2, y0 = 2, x1 = 484, y1 = 455;
  Canvas frame(640, 480);
  BrushedMetal(frame, 0, 0, 640, 480, Hex(0x343A46), 707);
  auto outer = [=](float x, float y) { return SdRoundBox(x, y, (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2, 10); };
  auto hole = [](float x, float y) { return SdRoundBox(x, y, 242.5f, 241.5f, 229.5f, 201.5f, 2); };
  auto ring = [&](float x, float y) { return std::max(outer(x, y), -hole(x, y)); };
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float d = ring(px, py);
      float cov = Clamp01(0.5f - d);
      if (cov <= 0) continue;
      Rgba p = frame.At(x, y);
      float light = BevelLight(ring, px, py, 5.0f);
      p = light > 0 ? Mix(p, Hex(0xE8ECF4), light * 0.5f) : Mix(p, Hex(0x000000), -light * 0.7f);
      c.Blend(x, y, p, cov);
    }
  // The title plate in the top band, where the game writes "GAME OPTIONS".
  SunkenWindow(c, 146, 12, 340, 39, Hex(0x0A140E), 4);
  for (int x = 150; x < 336; ++x) c.Add(x, 13, kLcdGreen, 0.08f);
  for (auto [x, y] : {std::pair{12.0f, 12.0f}, {474.0f, 12.0f}, {12.0f, 446.0f}, {474.0f, 446.0f}, {80.0f, 22.0f}, {406.0f, 22.0f}})
    Screw(c, x, y, 4.0f, x * 0.05f);
  // Neon accent along the outer edge.
  Canvas neon(640, 480);
  neon.Shape(0, 0, 490, 460, [&](float x, float y) { return std::fabs(outer(x, y) + 2.5f) - 0.6f; }, Hex(0x9A5AFF));
  for (size_t i = 0; i < c.Px.size(); ++i)
    if (neon.Px[i].A > 0 && c.Px[i].A > 0.5f) c.Add(static_cast<int>(i % 640), static_cast<int>(i / 640), Hex(0xB080FF), neon.Px[i].A * 0.6f);
  return c;
}

}  // namespace

void AddPanelPainters(PainterMap& map) {
  const Rgba gray = Hex(0xA8B0BC), green = kLcdGreen;
  map["Digits"] = Digits;
  map["On_Button"] = [] {
    // The corners show the panel's metal, which the lamp sits in.
    Canvas c(21, 26, Hex(0x30353F));
    PaintLamp(c, 0, 0, true);
    return c;
  };
  map["Text_Lines_Left_Gray"] = [=] { return Label(79, 14, "LINES LEFT", gray, kWindowDark, false); };
  map["Text_Lines_Left_Green"] = [=] { return Label(78, 15, "LINES LEFT", green, kWindowDark, true); };
  map["Text_Messages_Green"] = [=] { return Label(76, 13, "MESSAGES", green, kWindowDark, true); };
  map["Text_Next_Green"] = [=] { return Label(39, 13, "NEXT", green, kWindowDark, true); };
  map["Text_Score_Green"] = [=] { return Label(49, 14, "SCORE", green, kWindowDark, true); };
  map["Text_Speciality_Detector_Green"] = [=] {
    return TwoLineLabel(77, 27, "SPECIALITY", "DETECTOR", green, kWindowDark);
  };
  map["Text_Speed_Green"] = [=] { return Label(50, 13, "SPEED", green, kWindowDark, true); };
  map["Text_Time_Left_Gray"] = [=] { return Label(71, 14, "TIME LEFT", gray, kWindowDark, false); };
  map["Text_Time_Left_Green"] = [=] { return Label(71, 13, "TIME LEFT", green, kWindowDark, true); };
  map["Text_Pause_Green"] = [=] { return Label(47, 13, "PAUSE", green, kWindowDark, true); };
  map["Play_Scores_Background"] = ScoresPanel;
  map["Play_Background_Left_Side"] = LeftPanel;
  map["Background_Left_Side_Separator"] = Separator;
  map["Background_Left_Side_Separator_Down"] = SeparatorDown;
  map["Play_Background_Bar_Up_Down"] = [] { return Bar(1024, 11); };
  map["Play_Background_Bar_Left_Right"] = [] { return Bar(11, 1000); };
  map["Control_Panel"] = ControlPanelFrame;
}

}  // namespace assetgen
