// SPDX-License-Identifier: GPL-3.0-or-later
// Every sound effect, synthesised, and the WAV writer.
#include "sounds.h"

#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>

#include "riff.h"
#include "synth.h"

namespace assetgen {
namespace {

constexpr float kTau = 6.2831853f;

// A bang: a hard noise burst, a low thump, and crackle in the tail.
Samples Bang(Synth& s, int n, float body, float crackle, float bright) {
  Samples out(n);
  Biquad lp = Biquad::LowPass(s.Rate, 1800 * bright, 0.7f), thumpLp = Biquad::LowPass(s.Rate, 160, 0.8f);
  float phase = 0;
  for (int i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / s.Rate;
    float w = s.White();
    float burst = lp.Run(w) * Env(t, 0.002f, 0.09f * body);
    phase += kTau * (90 * std::exp(-t * 12) + 38) / s.Rate;
    float thump = std::sin(phase) * Env(t, 0.003f, 0.12f * body);
    float pop = (s.Noise.Unit() < 0.012f * crackle * std::exp(-t * 2.5f) && t > 0.05f) ? s.White() : 0;
    out[i] = burst * 1.2f + thumpLp.Run(thump) * 0.9f + thump * 0.4f + pop * 0.9f * Env(t, 0.0f, 0.35f);
  }
  return out;
}

Samples Whistle(Synth& s, int n, float f0, float f1) {
  Samples out(n);
  float phase = 0;
  Biquad hiss = Biquad::BandPass(s.Rate, 3000, 1.2f);
  for (int i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / n;
    float f = f0 + (f1 - f0) * t * t + 40 * std::sin(t * 90);
    phase += kTau * f / s.Rate;
    float env = std::min(1.0f, t * 8) * (1 - t * 0.5f);
    out[i] = (std::sin(phase) * 0.6f + hiss.Run(s.White()) * 0.5f) * env;
  }
  return out;
}

Samples Whoosh(Synth& s, int n, float f0, float f1, float q) {
  Samples out(n);
  Biquad bp = Biquad::BandPass(s.Rate, f0, q);
  for (int i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / n;
    if (i % 32 == 0) bp.Retune(Biquad::BandPass(s.Rate, f0 * std::pow(f1 / f0, t), q));
    out[i] = bp.Run(s.White()) * std::sin(kTau / 2 * t);
  }
  return out;
}

// A bell-like tone by frequency modulation.
Samples Bell(Synth& s, float hz, float seconds, float decay, float ratio = 3.5f, float index = 2.0f) {
  int n = s.Count(seconds);
  Samples out(n);
  for (int i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / s.Rate;
    float env = Env(t, 0.002f, decay);
    float mod = std::sin(kTau * hz * ratio * t) * index * env;
    out[i] = std::sin(kTau * hz * t + mod) * env;
  }
  return out;
}

// A soft brass or lead voice: bright saw under a closing low-pass.
Samples Brass(Synth& s, float hz, float seconds, float bright = 1.0f) {
  int n = s.Count(seconds);
  Samples out(n);
  Biquad lp = Biquad::LowPass(s.Rate, 400, 0.9f);
  float p1 = 0, p2 = 0;
  for (int i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / s.Rate;
    float env = std::min(1.0f, t / 0.03f) * (t > seconds - 0.06f ? std::max(0.0f, (seconds - t) / 0.06f) : 1.0f);
    if (i % 16 == 0) lp.Retune(Biquad::LowPass(s.Rate, (500 + 2600 * bright * std::min(1.0f, t / 0.05f) * std::exp(-t * 1.5f)), 0.9f));
    float vib = 1 + 0.004f * std::sin(kTau * 5.5f * t) * std::min(1.0f, t * 3);
    p1 += hz * vib / s.Rate;
    p2 += hz * 1.003f * vib / s.Rate;
    p1 -= std::floor(p1);
    p2 -= std::floor(p2);
    float saw = (2 * p1 - 1) + (2 * p2 - 1);
    out[i] = lp.Run(saw * 0.5f) * env;
  }
  return out;
}

Samples Click(Synth& s, int n, float hz, float decay) {
  Samples out(n);
  Biquad bp = Biquad::BandPass(s.Rate, hz, 3.0f);
  for (int i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / s.Rate;
    float env = Env(t, 0.0005f, decay);
    out[i] = (bp.Run(s.White()) * 2 + std::sin(kTau * hz * 0.5f * t) * 0.6f) * env;
  }
  return out;
}

Samples Sequence(Synth& s, int n, const std::vector<std::pair<float, Samples>>& notes) {
  Samples out(n);
  for (auto& [at, note] : notes) Add(out, note, static_cast<int>(at * s.Rate));
  return out;
}

// A cheap room: a few feedback delays, so chimes ring out instead of stopping dead.
void Room(Samples& x, int rate, float mix) {
  static constexpr float kDelays[4] = {0.0297f, 0.0371f, 0.0411f, 0.0437f};
  Samples wet(x.size());
  for (float d : kDelays) {
    int delay = static_cast<int>(d * rate);
    Samples line(x.size());
    for (size_t i = 0; i < x.size(); ++i) line[i] = x[i] + (i >= static_cast<size_t>(delay) ? line[i - delay] * 0.72f : 0);
    Add(wet, line, 0, 0.25f);
  }
  for (size_t i = 0; i < x.size(); ++i) x[i] = x[i] * (1 - mix) + wet[i] * mix;
}

using Maker = std::function<std::vector<Samples>(Synth&, int)>;

std::vector<Samples> Mono(Samples s) { return {std::move(s)}; }

const std::map<std::string, Maker>& Makers() {
  static const std::map<std::string, Maker> makers = {
      {"1Fireworks_Bang", [](Synth& s, int n) { return Mono(Bang(s, n, 1.0f, 1.0f, 1.0f)); }},
      {"2Fireworks_Bang", [](Synth& s, int n) { return Mono(Bang(s, n, 1.4f, 0.6f, 0.7f)); }},
      {"3Fireworks_Bang", [](Synth& s, int n) { return Mono(Bang(s, n, 0.8f, 2.5f, 1.3f)); }},
      {"4Fireworks_Bang", [](Synth& s, int n) { return Mono(Bang(s, n, 1.7f, 1.6f, 0.9f)); }},
      {"1Fireworks_Launch", [](Synth& s, int n) { return Mono(Whistle(s, n, 700, 2600)); }},
      {"2Fireworks_Launch", [](Synth& s, int n) {
         Samples w = Whoosh(s, n, 300, 4000, 2.0f);
         Samples crackle(n);
         for (int i = 0; i < n; ++i) {
           float t = static_cast<float>(i) / n;
           crackle[i] = (s.Noise.Unit() < 0.02f * t) ? s.White() * 0.7f : 0;
         }
         Add(w, crackle);
         return Mono(w);
       }},
      {"Main_Menu_Select", [](Synth& s, int n) {
         Samples out = Sequence(s, n, {{0.0f, Bell(s, NoteHz(84), 0.9f, 0.25f, 2.0f, 1.2f)},
                                       {0.07f, Bell(s, NoteHz(91), 0.9f, 0.3f, 2.0f, 1.2f)},
                                       {0.0f, Whoosh(s, s.Count(0.25), 800, 5000, 1.0f)}});
         Room(out, s.Rate, 0.3f);
         return Mono(out);
       }},
      {"Main_Menu_Up_Small", [](Synth& s, int n) {
         Samples out(n);
         for (int i = 0; i < n; ++i) {
           float t = static_cast<float>(i) / s.Rate;
           out[i] = std::sin(kTau * 2200 * t) * Env(t, 0.001f, 0.008f);
         }
         return Mono(out);
       }},
      {"Main_Menu_Up", [](Synth& s, int n) {
         Samples out(n);
         float phase = 0;
         Biquad lp = Biquad::LowPass(s.Rate, 3500, 0.8f);
         for (int i = 0; i < n; ++i) {
           float t = static_cast<float>(i) / s.Rate;
           float hz = t < 0.07f ? NoteHz(76) : NoteHz(83);
           phase += hz / s.Rate;
           phase -= std::floor(phase);
           float sq = phase < 0.5f ? 1.0f : -1.0f;
           float env = (t < 0.07f ? Env(t, 0.002f, 0.04f) : Env(t - 0.07f, 0.002f, 0.08f));
           out[i] = lp.Run(sq) * env * 0.6f;
         }
         Room(out, s.Rate, 0.25f);
         return Mono(out);
       }},
      {"Options_CB_Open", [](Synth& s, int n) {
         Samples out(n);
         float phase = 0;
         for (int i = 0; i < n; ++i) {
           float t = static_cast<float>(i) / s.Rate;
           phase += kTau * (500 + 2500 * t / 0.15f) / s.Rate;
           out[i] = std::sin(phase) * Env(t, 0.004f, 0.04f);
         }
         Add(out, Click(s, s.Count(0.02), 3000, 0.004f), 0, 0.5f);
         return Mono(out);
       }},
      {"Options_CB_Select", [](Synth& s, int n) { return Mono(Click(s, n, 2400, 0.008f)); }},
      {"Options_Checkbox_Click", [](Synth& s, int n) {
         Samples out(n);
         Add(out, Click(s, s.Count(0.06), 1800, 0.01f));
         Add(out, Click(s, s.Count(0.08), 2600, 0.012f), s.Count(0.11), 0.7f);
         Add(out, Bell(s, NoteHz(88), 0.2f, 0.05f, 1.0f, 0.3f), s.Count(0.11), 0.25f);
         return Mono(out);
       }},
      {"Options_Type_Letter", [](Synth& s, int n) {
         Samples out = Click(s, n, 3200, 0.012f);
         Samples thunk(n);
         for (int i = 0; i < n; ++i) {
           float t = static_cast<float>(i) / s.Rate;
           thunk[i] = std::sin(kTau * 180 * t) * Env(t, 0.001f, 0.02f);
         }
         Add(out, thunk, 0, 0.6f);
         return Mono(out);
       }},
      {"Options_Save", [](Synth& s, int n) {
         return Mono(Sequence(s, n, {{0.0f, Bell(s, NoteHz(79), 0.1f, 0.03f, 1.0f, 0.5f)},
                                     {0.045f, Bell(s, NoteHz(86), 0.065f, 0.03f, 1.0f, 0.5f)}}));
       }},
      {"Drop_Lines", [](Synth& s, int n) {
         Samples out(n);
         Add(out, Whoosh(s, s.Count(0.5), 6000, 500, 1.5f), 0, 0.8f);
         Add(out, Bell(s, NoteHz(88), 0.9f, 0.2f, 1.41f, 1.5f), 0, 0.4f);
         Add(out, Bell(s, NoteHz(95), 0.8f, 0.18f, 1.41f, 1.5f), s.Count(0.05), 0.3f);
         Samples thud(n);
         float phase = 0;
         for (int i = 0; i < n; ++i) {
           float t = static_cast<float>(i) / s.Rate - 0.3f;
           phase += kTau * (120 * std::exp(-std::max(t, 0.0f) * 10) + 45) / s.Rate;
           thud[i] = std::sin(phase) * Env(t, 0.004f, 0.12f);
         }
         Add(out, thud, 0, 0.9f);
         Room(out, s.Rate, 0.25f);
         return Mono(out);
       }},
      {"PlumixModeEnabled", [](Synth& s, int n) {
         Samples out(n);
         const int arp[] = {60, 64, 67, 72, 76, 79, 84, 88};
         for (int i = 0; i < 8; ++i) Add(out, Brass(s, NoteHz(arp[i]), 0.2f, 1.2f), s.Count(0.09 * i), 0.5f);
         for (int note : {72, 76, 79, 84}) Add(out, Brass(s, NoteHz(note), 2.1f, 0.9f), s.Count(0.78), 0.35f);
         for (int i = 0; i < 24; ++i)
           Add(out, Bell(s, NoteHz(96 + (i * 5) % 12), 0.3f, 0.08f, 3.0f, 1.0f), s.Count(0.8 + 0.08 * i), 0.12f);
         Room(out, s.Rate, 0.3f);
         return Mono(out);
       }},
      {"Negative", [](Synth& s, int n) {
         Samples out(n);
         float phase = 0;
         for (int i = 0; i < n; ++i) {
           float t = static_cast<float>(i) / s.Rate;
           phase += (1600 - 12000 * t) / s.Rate;
           phase -= std::floor(phase);
           out[i] = (phase < 0.5f ? 0.7f : -0.7f) * Env(t, 0.002f, 0.04f) + s.White() * 0.2f * Env(t, 0, 0.02f);
         }
         return Mono(out);
       }},
      {"Mirror_Playfield", [](Synth& s, int n) {
         Samples base = Whoosh(s, n, 400, 3000, 0.8f);
         Samples out(n);
         // A sweeping comb makes the whoosh shimmer like a turning mirror.
         for (int i = 0; i < n; ++i) {
           float t = static_cast<float>(i) / n;
           int d = 4 + static_cast<int>(40 * (0.5f + 0.5f * std::sin(kTau * t * 1.5f)));
           out[i] = base[i] + (i >= d ? base[i - d] : 0) * 0.8f;
         }
         Add(out, Bell(s, NoteHz(81), 0.6f, 0.2f, 1.0f, 0.8f), s.Count(0.3), 0.2f);
         return Mono(out);
       }},
      {"Next_Elements_Damage", [](Synth& s, int n) {
         Samples out(n);
         float phase = 0;
         for (int i = 0; i < n; ++i) {
           float t = static_cast<float>(i) / s.Rate;
           float glitch = Hash2(static_cast<int>(t * 40), 3, 9) > 0.5f ? 1.0f : 0.3f;
           phase += (110 + 30 * std::sin(kTau * 7 * t)) / s.Rate;
           phase -= std::floor(phase);
           float buzz = (2 * phase - 1) * glitch;
           float zap = (s.Noise.Unit() < 0.03f) ? s.White() * 1.5f : 0;
           out[i] = (buzz * 0.6f + zap) * Env(t, 0.005f, 0.25f);
         }
         Biquad lp = Biquad::LowPass(s.Rate, 5000, 0.7f);
         for (float& v : out) v = lp.Run(v);
         return Mono(out);
       }},
      {"Laser_Beam", [](Synth& s, int n) {
         Samples out(n);
         float phase = 0, hum = 0;
         for (int i = 0; i < n; ++i) {
           float t = static_cast<float>(i) / s.Rate;
           phase += kTau * (300 + 2200 * std::exp(-t * 14)) / s.Rate;
           hum += kTau * (220 + 6 * std::sin(kTau * 9 * t)) / s.Rate;
           float pew = std::sin(phase) * Env(t, 0.002f, 0.18f);
           float beam = (std::sin(hum) * 0.5f + std::sin(hum * 2.01f) * 0.3f + std::sin(hum * 3.02f) * 0.15f) *
                        std::min(1.0f, t / 0.05f) * std::exp(-t / 0.8f);
           out[i] = pew * 0.9f + beam * 0.5f + s.White() * 0.05f * std::exp(-t / 0.6f);
         }
         Biquad lp = Biquad::LowPass(s.Rate, 4500, 0.7f);
         for (float& v : out) v = lp.Run(v);
         return Mono(out);
       }},
      {"Collect_Letter", [](Synth& s, int n) {
         Samples out(n);
         const int notes[] = {88, 93, 96, 100};
         for (int i = 0; i < 4; ++i) Add(out, Bell(s, NoteHz(notes[i]), 0.3f, 0.07f, 2.0f, 0.8f), s.Count(0.04 * i), 0.4f);
         Room(out, s.Rate, 0.3f);
         return Mono(out);
       }},
      {"Laser_Empty", [](Synth& s, int n) {
         Samples out(n);
         Add(out, Click(s, s.Count(0.05), 1500, 0.006f), 0, 1.0f);
         Add(out, Click(s, s.Count(0.06), 900, 0.01f), s.Count(0.07), 0.6f);
         Add(out, Bell(s, NoteHz(91), 0.2f, 0.04f, 2.7f, 0.6f), s.Count(0.07), 0.15f);
         return Mono(out);
       }},
      {"Fanfare", [](Synth& s, int n) {
         Samples out(n);
         Add(out, Brass(s, NoteHz(67), 0.16f), 0, 0.5f);
         Add(out, Brass(s, NoteHz(72), 0.16f), s.Count(0.18), 0.5f);
         Add(out, Brass(s, NoteHz(76), 0.16f), s.Count(0.36), 0.5f);
         for (int note : {79, 76, 72, 60}) Add(out, Brass(s, NoteHz(note), 1.3f), s.Count(0.56), 0.4f);
         Room(out, s.Rate, 0.3f);
         return Mono(out);
       }},
      {"Game_Over", [](Synth& s, int n) {
         Samples out(n);
         const int notes[] = {67, 66, 65};
         for (int i = 0; i < 3; ++i) Add(out, Brass(s, NoteHz(notes[i]), 0.26f, 0.5f), s.Count(0.28 * i), 0.5f);
         Samples last = Brass(s, NoteHz(64), 0.5f, 0.5f);
         // The last note droops like a sigh.
         Samples bent(last.size());
         float pos = 0;
         for (size_t i = 0; i < bent.size(); ++i) {
           float t = static_cast<float>(i) / s.Rate;
           pos += 1 - 0.06f * std::min(1.0f, t / 0.5f);
           size_t k = static_cast<size_t>(pos);
           bent[i] = k < last.size() ? last[k] : 0;
         }
         Add(out, bent, s.Count(0.84), 0.5f);
         Room(out, s.Rate, 0.3f);
         return Mono(out);
       }},
      {"Start_Level", [](Synth& s, int n) {
         Samples out(n);
         // A snare roll that swells into a chord.
         for (int i = 0; i < 48; ++i) {
           float at = 0.05f * i;
           Samples hit = Click(s, s.Count(0.06), 1800, 0.02f);
           Add(out, hit, s.Count(at), 0.1f + 0.4f * i / 48.0f);
         }
         Add(out, Whoosh(s, s.Count(2.4), 200, 3000, 0.9f), 0, 0.3f);
         for (int note : {60, 67, 72, 76, 79}) Add(out, Brass(s, NoteHz(note), 1.4f, 0.9f), s.Count(2.45), 0.3f);
         Add(out, Bang(s, s.Count(1.0), 1.2f, 0.0f, 0.6f), s.Count(2.45), 0.5f);
         Room(out, s.Rate, 0.3f);
         return Mono(out);
       }},
  };
  return makers;
}

// Loops: made longer than needed and folded, so the end runs into the start.
std::vector<Samples> LoopSound(const std::string& name, Synth& s, int n) {
  int overlap = s.Count(0.12);
  int total = n + overlap;
  Samples raw(total);
  if (name == "Before_Theme_Speciality") {
    // A two-tone alarm: two tones a loop, so its rhythm repeats with the loop.
    float phase = 0;
    for (int i = 0; i < total; ++i) {
      int half = (i % n) < n / 2;
      float hz = half ? 880.0f : 660.0f;
      phase += hz / s.Rate;
      phase -= std::floor(phase);
      float tri = 4 * std::fabs(phase - 0.5f) - 1;
      float pos = static_cast<float>(i % (n / 2)) / (n / 2);
      float env = std::min(1.0f, pos * 30) * std::min(1.0f, (1 - pos) * 30);
      raw[i] = tri * env;
    }
    Samples loop = MakeLoop(raw, n);
    return {loop};
  }
  if (name == "Earthquake") {
    std::vector<Samples> channels;
    for (int ch = 0; ch < 2; ++ch) {
      Samples r(total);
      Biquad lp1 = Biquad::LowPass(s.Rate, 90, 0.9f), lp2 = Biquad::LowPass(s.Rate, 140, 0.7f);
      Biquad rocks = Biquad::BandPass(s.Rate, 900, 2.0f);
      // A grinding band above the rumble, so the quake is heard on small speakers too.
      Biquad grind = Biquad::BandPass(s.Rate, 380, 1.0f);
      float brown = 0;
      for (int i = 0; i < total; ++i) {
        float t = static_cast<float>(i) / s.Rate;
        brown = brown * 0.995f + s.White() * 0.1f;
        float swell = 0.6f + 0.4f * std::sin(kTau * t / (5.42f / 3) + ch);
        float rumble = lp2.Run(lp1.Run(brown)) * 8 * swell;
        float debris = rocks.Run(s.Noise.Unit() < 0.004f ? s.White() * 6 : 0.0f);
        float grinding = grind.Run(s.White()) * (0.5f + 0.5f * ValueNoise(t * 3, static_cast<float>(ch), 88));
        r[i] = rumble + debris * 0.3f + grinding * 7.0f;
      }
      channels.push_back(MakeLoop(r, n));
    }
    return channels;
  }
  if (name == "Flame") {
    Biquad roar = Biquad::BandPass(s.Rate, 400, 0.6f), hiss = Biquad::HighPass(s.Rate, 2500, 0.7f);
    Biquad pop = Biquad::BandPass(s.Rate, 1800, 4.0f);
    for (int i = 0; i < total; ++i) {
      float t = static_cast<float>(i) / s.Rate;
      float flicker = 0.7f + 0.3f * ValueNoise(t * 12, 0.5f, 77);
      float crack = s.Noise.Unit() < 0.006f ? s.White() * 10 : 0.0f;
      raw[i] = roar.Run(s.White()) * 1.2f * flicker + hiss.Run(s.White()) * 0.15f + pop.Run(crack) * 0.8f;
    }
    return {MakeLoop(raw, n)};
  }
  // Wind: a resonance that wanders between a low moan and a high howl.
  Biquad howl = Biquad::BandPass(s.Rate, 500, 6.0f), body = Biquad::LowPass(s.Rate, 700, 0.6f);
  for (int i = 0; i < total; ++i) {
    float t = static_cast<float>(i) / n;  // loop periods
    float centre = 480 + 260 * std::sin(kTau * t) + 120 * std::sin(kTau * 3 * t + 1);
    if (i % 32 == 0) howl.Retune(Biquad::BandPass(s.Rate, centre, 6.0f));
    float gust = 0.65f + 0.35f * std::sin(kTau * 2 * t + 0.5f);
    float w = s.White();
    raw[i] = (howl.Run(w) * 2.2f + body.Run(w) * 0.6f) * gust;
  }
  return {MakeLoop(raw, n)};
}

std::vector<Samples> Thunder(Synth& s, int n) {
  Samples out(n);
  Biquad crackHp = Biquad::HighPass(s.Rate, 1200, 0.7f);
  Biquad lp1 = Biquad::LowPass(s.Rate, 320, 0.8f), lp2 = Biquad::LowPass(s.Rate, 700, 0.7f);
  Biquad rollBand = Biquad::BandPass(s.Rate, 650, 0.8f);
  float brown = 0;
  for (int i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / s.Rate;
    float w = s.White();
    float crack = crackHp.Run(w) * Env(t, 0.001f, 0.05f) * 1.5f;
    brown = brown * 0.99f + w * 0.12f;
    float roll = 0.5f + 0.5f * ValueNoise(t * 7, 0.3f, 99);
    float env = Env(t - 0.03f, 0.12f, 0.9f);
    float rumble = lp2.Run(lp1.Run(brown)) * 6 * roll * env;
    // The rolling crackle of the sky, heard where the deep rumble is not.
    float crackle = rollBand.Run(w) * roll * roll * env * 6.0f;
    out[i] = crack + rumble + crackle;
  }
  return {out};
}

}  // namespace

std::vector<Samples> SynthesiseWave(const plumix::WaveAsset& wave) {
  uint64_t seed = 0;
  for (const char* p = wave.Name; *p; ++p) seed = seed * 131 + static_cast<uint8_t>(*p);
  Synth s(wave.Rate, seed);
  int n = s.Count(wave.Seconds);
  std::vector<Samples> channels;
  // Loudness by RMS within a peak limit, so a steady whistle is not louder
  // than a bang; loops sit lowest, under the one-shots and the music.
  float peak = 0.5f, rms = 0.09f;
  std::string name = wave.Name;
  if (wave.Looped) {
    channels = LoopSound(name, s, n);
    peak = 0.32f;
    rms = name == "Before_Theme_Speciality" ? 0.075f : 0.055f;  // a warning must still be heard
  } else if (name == "Storm") {
    channels = Thunder(s, n);
  } else {
    auto it = Makers().find(name);
    if (it == Makers().end()) throw std::runtime_error("no sound for " + name);
    channels = it->second(s, n);
    if (name.rfind("Options_", 0) == 0 || name.rfind("Main_Menu_Up", 0) == 0) {
      peak = 0.38f;
      rms = 0.07f;
    }
  }
  while (static_cast<int>(channels.size()) < wave.Channels) channels.push_back(channels.front());
  float m = 0;
  double energy = 0;
  size_t count = 0;
  for (auto& ch : channels) {
    ch.resize(n, 0.0f);
    for (float v : ch) {
      m = std::max(m, std::fabs(v));
      energy += static_cast<double>(v) * v;
      ++count;
    }
  }
  float current = static_cast<float>(std::sqrt(energy / std::max<size_t>(1, count)));
  float gain = m > 0 ? std::min(peak / m, current > 0 ? rms / current : peak / m) : 1.0f;
  for (auto& ch : channels) {
    for (float& v : ch) v *= gain;
    if (!wave.Looped) FadeEnds(ch, wave.Rate, 3, 12);
  }
  return channels;
}


std::vector<uint8_t> EncodeWav(const std::vector<Samples>& channels, int bits, int rate) {
  int ch = static_cast<int>(channels.size());
  size_t frames = channels.empty() ? 0 : channels[0].size();
  uint32_t dataBytes = static_cast<uint32_t>(frames * ch * (bits / 8));
  std::vector<uint8_t> b;
  b.reserve(44 + dataBytes + 1);
  b.insert(b.end(), {'R', 'I', 'F', 'F'});
  Le32(b, 36 + dataBytes + (dataBytes & 1));
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Le32(b, 16);
  Le16(b, 1);
  Le16(b, static_cast<uint32_t>(ch));
  Le32(b, static_cast<uint32_t>(rate));
  Le32(b, static_cast<uint32_t>(rate * ch * bits / 8));
  Le16(b, static_cast<uint32_t>(ch * bits / 8));
  Le16(b, static_cast<uint32_t>(bits));
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  Le32(b, dataBytes);
  for (size_t i = 0; i < frames; ++i)
    for (int c = 0; c < ch; ++c) {
      float v = std::max(-1.0f, std::min(1.0f, channels[c][i]));
      if (bits == 8) {
        b.push_back(static_cast<uint8_t>(std::lround(128 + v * 127)));
      } else {
        Le16(b, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767))));
      }
    }
  if (dataBytes & 1) b.push_back(bits == 8 ? 128 : 0);
  return b;
}

std::vector<uint8_t> EncodeWaveAsset(const plumix::WaveAsset& wave) {
  return EncodeWav(SynthesiseWave(wave), wave.Bits, wave.Rate);
}

}  // namespace assetgen
