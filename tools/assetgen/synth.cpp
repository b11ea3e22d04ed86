// SPDX-License-Identifier: GPL-3.0-or-later
#include "synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {
constexpr float kPi = 3.14159265f;
}

Biquad Biquad::LowPass(float rate, float freq, float q) {
  float w = 2 * kPi * std::min(freq, rate * 0.45f) / rate, a = std::sin(w) / (2 * q), cw = std::cos(w);
  float a0 = 1 + a;
  Biquad f;
  f.B0 = (1 - cw) / 2 / a0; f.B1 = (1 - cw) / a0; f.B2 = f.B0;
  f.A1 = -2 * cw / a0; f.A2 = (1 - a) / a0;
  return f;
}

Biquad Biquad::HighPass(float rate, float freq, float q) {
  float w = 2 * kPi * std::min(freq, rate * 0.45f) / rate, a = std::sin(w) / (2 * q), cw = std::cos(w);
  float a0 = 1 + a;
  Biquad f;
  f.B0 = (1 + cw) / 2 / a0; f.B1 = -(1 + cw) / a0; f.B2 = f.B0;
  f.A1 = -2 * cw / a0; f.A2 = (1 - a) / a0;
  return f;
}

Biquad Biquad::BandPass(float rate, float freq, float q) {
  float w = 2 * kPi * std::min(freq, rate * 0.45f) / rate, a = std::sin(w) / (2 * q), cw = std::cos(w);
  float a0 = 1 + a;
  Biquad f;
  f.B0 = a / a0; f.B1 = 0; f.B2 = -a / a0;
  f.A1 = -2 * cw / a0; f.A2 = (1 - a) / a0;
  return f;
}

float Biquad::Run(float x) {
  float y = B0 * x + B1 * X1 + B2 * X2 - A1 * Y1 - A2 * Y2;
  X2 = X1; X1 = x; Y2 = Y1; Y1 = y;
  return y;
}

void Biquad::Retune(const Biquad& s) {
  B0 = s.B0; B1 = s.B1; B2 = s.B2; A1 = s.A1; A2 = s.A2;
}

void Add(Samples& into, const Samples& s, int offset, float gain) {
  for (size_t i = 0; i < s.size(); ++i) {
    size_t j = i + static_cast<size_t>(offset);
    if (j < into.size()) into[j] += s[i] * gain;
  }
}

void Normalise(Samples& s, float peak) {
  float m = 0;
  for (float v : s) m = std::max(m, std::fabs(v));
  if (m <= 0) return;
  for (float& v : s) v *= peak / m;
}

void FadeEnds(Samples& s, int rate, float inMs, float outMs) {
  int in = std::min(static_cast<int>(s.size()) / 2, static_cast<int>(rate * inMs / 1000));
  int out = std::min(static_cast<int>(s.size()) / 2, static_cast<int>(rate * outMs / 1000));
  for (int i = 0; i < in; ++i) s[i] *= 0.5f - 0.5f * std::cos(kPi * i / in);
  for (int i = 0; i < out; ++i) s[s.size() - 1 - i] *= 0.5f - 0.5f * std::cos(kPi * i / out);
  if (!s.empty()) {
    s.front() = 0;
    s.back() = 0;
  }
}

Samples MakeLoop(const Samples& longer, int length) {
  int overlap = static_cast<int>(longer.size()) - length;
  Samples loop(longer.begin(), longer.begin() + length);
  // Equal-power blend of the overrun into the beginning.
  for (int i = 0; i < overlap; ++i) {
    float t = (i + 0.5f) / overlap;
    loop[i] = loop[i] * std::sin(t * kPi / 2) + longer[length + i] * std::cos(t * kPi / 2);
  }
  // Start at the quietest zero crossing, so the first play begins softly.
  int window = std::max(1, length / 200), best = 0;
  float bestEnergy = 1e30f;
  for (int i = 0; i < length; i += 4) {
    float e = 0;
    for (int k = -window; k <= window; ++k) {
      float v = loop[(i + k + length) % length];
      e += v * v;
    }
    float v0 = loop[i], v1 = loop[(i + 1) % length];
    if ((v0 <= 0) != (v1 <= 0) && e < bestEnergy) {
      bestEnergy = e;
      best = (i + 1) % length;
    }
  }
  std::rotate(loop.begin(), loop.begin() + best, loop.end());
  return loop;
}

float Env(float t, float attack, float decay) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

float NoteHz(int midi) { return 440.0f * std::pow(2.0f, (midi - 69) / 12.0f); }

}  // namespace assetgen
