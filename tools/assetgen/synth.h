// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small synthesiser toolbox: oscillators, noise, filters and envelopes on
// float buffers at a fixed sample rate.
#include <cstdint>
#include <vector>

#include "raster.h"

namespace assetgen {

using Samples = std::vector<float>;

struct Synth {
  explicit Synth(int rate, uint64_t seed) : Rate(rate), Noise(seed) {}
  int Rate;
  Rng Noise;

  int Count(double seconds) const { return static_cast<int>(seconds * Rate + 0.5); }
  float White() { return Noise.Unit() * 2 - 1; }
};

// Resonant filter (the usual biquad forms) run over a buffer in place.
struct Biquad {
  float B0 = 1, B1 = 0, B2 = 0, A1 = 0, A2 = 0;
  float X1 = 0, X2 = 0, Y1 = 0, Y2 = 0;
  static Biquad LowPass(float rate, float freq, float q);
  static Biquad HighPass(float rate, float freq, float q);
  static Biquad BandPass(float rate, float freq, float q);
  float Run(float x);
  // Recomputes the coefficients for a moving frequency, keeping the state.
  void Retune(const Biquad& shape);
};

void Add(Samples& into, const Samples& s, int offset = 0, float gain = 1.0f);
void Normalise(Samples& s, float peak);
// Raised-cosine fades at both ends, so no sound starts or stops with a click.
void FadeEnds(Samples& s, int rate, float inMs, float outMs);
// Makes the end run into the start: the last `overlap` samples are blended
// into the first ones and dropped. Then turns the loop to start where it is quiet.
Samples MakeLoop(const Samples& longer, int length);
float Env(float t, float attack, float decay);  // attack, then exponential decay
float NoteHz(int midi);

}  // namespace assetgen
