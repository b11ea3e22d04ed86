// SPDX-License-Identifier: GPL-3.0-or-later
// Each piece: a mode, a tempo, two chord progressions, instruments and a drum
// style; melodies come from motifs that are repeated, varied and answered.
#include "music.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

#include "raster.h"

namespace assetgen {
namespace {

constexpr int kPpq = 480;
constexpr int kBar = kPpq * 4;

struct Note {
  int Tick, Length, Channel, Key, Velocity;
};

struct Style {
  const char* Name;
  int Tempo;      // beats a minute
  int Root;       // MIDI key of the tonic
  std::array<int, 7> Scale;
  std::vector<int> ProgA, ProgB;  // scale degrees 0..6, one chord a bar
  int Lead, LeadAlt, Chords, Bass, Extra;  // GM programs
  int Drums;      // drum style 0..4
  int ChordStyle; // 0 sustained, 1 arpeggio, 2 off-beat stabs, 3 pulsing eighths, 4 sixteenth ostinato
  int BassStyle;  // 0 long roots, 1 eighth pulse, 2 walking, 3 octave jumps
  float Density;  // how busy the melody is, 0..1
  const char* Form;  // sections: I intro, A, B, C (lead alternate), O outro
};

const Style kStyles[kTracks] = {
    {"Moonlit Skyline", 84, 62, {0, 2, 4, 6, 7, 9, 11}, {0, 5, 3, 4}, {1, 4, 2, 5}, 73, 11, 4, 33, 89, 0, 1, 0, 0.35f, "IAABACAO"},
    {"Neon Highway", 138, 52, {0, 2, 3, 5, 7, 8, 10}, {0, 5, 2, 6}, {3, 0, 5, 6}, 81, 30, 48, 38, 90, 1, 3, 3, 0.7f, "IAABAABCAO"},
    {"Crystal Caverns", 96, 57, {0, 2, 3, 5, 7, 8, 11}, {0, 3, 4, 0}, {5, 3, 1, 4}, 8, 71, 46, 32, 98, 2, 1, 0, 0.45f, "IAABACBAO"},
    {"Candy Circus", 126, 65, {0, 2, 4, 5, 7, 9, 11}, {0, 4, 5, 3}, {3, 0, 1, 4}, 12, 56, 0, 32, 9, 3, 2, 2, 0.6f, "IAABAACBAO"},
    {"Countdown to Zero", 150, 48, {0, 2, 3, 5, 7, 8, 10}, {0, 0, 5, 4}, {3, 6, 2, 4}, 81, 61, 48, 38, 45, 4, 4, 1, 0.75f, "IAABABCAAO"},
};

int ScaleKey(const Style& s, int degree, int octave) {
  int d = ((degree % 7) + 7) % 7;
  int o = (degree - d) / 7;
  return s.Root + s.Scale[d] + 12 * (o + octave);
}

// The chord on a degree: its root, third and fifth as scale degrees.
std::array<int, 3> Triad(int degree) { return {degree, degree + 2, degree + 4}; }

struct Composer {
  const Style& S;
  Rng R;
  std::vector<Note> Notes;
  explicit Composer(const Style& s, uint64_t seed) : S(s), R(seed) {}

  void Put(int tick, int len, int ch, int key, int vel) {
    Notes.push_back({tick, std::max(1, len), ch, std::clamp(key, 0, 127), std::clamp(vel, 1, 127)});
  }

  // A two-bar motif: onsets in eighths and steps of the scale.
  struct Motif {
    std::vector<int> Onsets, Lengths, Steps;
  };
  Motif MakeMotif() {
    Motif m;
    int pos = 0;
    while (pos < 16) {
      int len = R.Unit() < S.Density ? 1 : (R.Unit() < 0.6f ? 2 : 3);
      if (pos + len > 16) len = 16 - pos;
      if (R.Unit() < 0.15f && pos > 0) {  // a rest
        pos += len;
        continue;
      }
      m.Onsets.push_back(pos);
      m.Lengths.push_back(len);
      int step = R.Int(5) - 2;
      if (step == 0 && R.Unit() < 0.5f) step = 1;
      m.Steps.push_back(step);
      pos += len;
    }
    if (m.Onsets.empty()) {
      m.Onsets = {0};
      m.Lengths = {4};
      m.Steps = {0};
    }
    return m;
  }

  // Plays a motif over two bars of chords, pulling strong beats to chord tones.
  int PlayMotif(const Motif& m, int tick, const std::vector<int>& chords, int bar, int degree, int ch, int octave,
                int vel, bool cadence) {
    for (size_t i = 0; i < m.Onsets.size(); ++i) {
      int eighth = m.Onsets[i];
      int chord = chords[(bar + eighth / 8) % chords.size()];
      degree += m.Steps[i];
      degree = std::clamp(degree, -3, 11);
      if (eighth % 4 == 0) {
        auto t = Triad(chord);
        int best = degree, bestDist = 99;
        for (int tone : t)
          for (int o = -14; o <= 14; o += 7) {
            int cand = tone + o;
            if (std::abs(cand - degree) < bestDist) { bestDist = std::abs(cand - degree); best = cand; }
          }
        degree = best;
      }
      bool last = cadence && i + 1 == m.Onsets.size();
      if (last) degree = Triad(chords[(bar + 1) % chords.size()])[0] + (degree > 3 ? 7 : 0);
      int len = m.Lengths[i] * kPpq / 2;
      if (last) len = (16 - eighth) * kPpq / 2;
      int accent = eighth % 4 == 0 ? 10 : 0;
      Put(tick + eighth * kPpq / 2, len * 9 / 10, ch, ScaleKey(S, degree, octave), vel + accent + R.Int(8));
    }
    return degree;
  }

  void Melody(int tick, const std::vector<int>& chords, int ch, int octave, int vel, bool answer) {
    Motif a = MakeMotif(), b = MakeMotif();
    int degree = 4 + R.Int(3);
    // a a' b a'': statement, repeat a step higher, contrast, return with a cadence.
    degree = PlayMotif(a, tick, chords, 0, degree, ch, octave, vel, false);
    degree = PlayMotif(a, tick + 2 * kBar, chords, 2, degree + (answer ? -1 : 1), ch, octave, vel, false);
    degree = PlayMotif(b, tick + 4 * kBar, chords, 4, degree, ch, octave, vel, false);
    PlayMotif(a, tick + 6 * kBar, chords, 6, degree - 1, ch, octave, vel, true);
  }

  void Harmony(int tick, int bars, const std::vector<int>& chords, int ch, int vel) {
    for (int bar = 0; bar < bars; ++bar) {
      int t0 = tick + bar * kBar;
      auto tri = Triad(chords[bar % chords.size()]);
      std::array<int, 4> keys = {ScaleKey(S, tri[0], 0), ScaleKey(S, tri[1], 0), ScaleKey(S, tri[2], 0), ScaleKey(S, tri[0], 1)};
      // Keep voicings close to middle C.
      for (int& k : keys)
        while (k > 72) k -= 12;
      switch (S.ChordStyle) {
        case 0:
          for (int k : keys) Put(t0, kBar - 20, ch, k, vel);
          break;
        case 1:
          for (int i = 0; i < 8; ++i) {
            static constexpr int kOrder[8] = {0, 1, 2, 3, 2, 1, 2, 3};
            Put(t0 + i * kPpq / 2, kPpq, ch, keys[kOrder[i]], vel - 8 + (i % 2 ? 0 : 8));
          }
          break;
        case 2:
          for (int beat = 0; beat < 4; ++beat)
            for (int k : keys) Put(t0 + beat * kPpq + kPpq / 2, kPpq / 3, ch, k, vel);
          break;
        case 3:
          for (int i = 0; i < 8; ++i)
            for (int k : {keys[0], keys[2]}) Put(t0 + i * kPpq / 2, kPpq / 2 - 30, ch, k - 12, vel - (i % 2) * 12);
          break;
        default:
          for (int i = 0; i < 16; ++i) Put(t0 + i * kPpq / 4, kPpq / 4 - 20, ch, keys[i % 3] + (i % 4 == 3 ? 12 : 0), vel - (i % 4 ? 14 : 0));
          break;
      }
    }
  }

  void Pad(int tick, int bars, const std::vector<int>& chords, int ch, int vel) {
    for (int bar = 0; bar < bars; ++bar) {
      auto tri = Triad(chords[bar % chords.size()]);
      for (int d : tri) Put(tick + bar * kBar, kBar - 10, ch, ScaleKey(S, d, 0) + 12 * (ScaleKey(S, d, 0) < 60 ? 1 : 0), vel);
    }
  }

  void Bass(int tick, int bars, const std::vector<int>& chords, int ch, int vel) {
    for (int bar = 0; bar < bars; ++bar) {
      int t0 = tick + bar * kBar;
      int chord = chords[bar % chords.size()], next = chords[(bar + 1) % chords.size()];
      int root = ScaleKey(S, chord, -1);
      while (root > 52) root -= 12;
      while (root < 36) root += 12;
      switch (S.BassStyle) {
        case 0:
          Put(t0, kPpq * 3 - 30, ch, root, vel);
          Put(t0 + kPpq * 3, kPpq - 30, ch, root + 7, vel - 12);
          break;
        case 1:
          for (int i = 0; i < 8; ++i) Put(t0 + i * kPpq / 2, kPpq / 2 - 40, ch, root, vel - (i % 2) * 10);
          break;
        case 2: {
          int target = ScaleKey(S, next, -1);
          while (target > 52) target -= 12;
          while (target < 36) target += 12;
          int keys[4] = {root, ScaleKey(S, chord + 2, -1), ScaleKey(S, chord + 4, -1), target + (target > root ? -1 : 1)};
          for (int i = 0; i < 4; ++i) {
            int k = keys[i];
            while (k > 55) k -= 12;
            while (k < 36) k += 12;
            Put(t0 + i * kPpq, kPpq * 2 / 3, ch, k, vel - (i % 2) * 8);
          }
          break;
        }
        default:
          for (int i = 0; i < 8; ++i) Put(t0 + i * kPpq / 2, kPpq / 2 - 40, ch, root + (i % 2) * 12, vel - (i % 2) * 8);
          break;
      }
    }
  }

  void Drums(int tick, int bars, int intensity, bool fillAtEnd) {
    const int ch = 9;
    for (int bar = 0; bar < bars; ++bar) {
      int t0 = tick + bar * kBar;
      bool fill = fillAtEnd && bar == bars - 1;
      for (int s16 = 0; s16 < 16; ++s16) {
        int t = t0 + s16 * kPpq / 4;
        bool beat = s16 % 4 == 0, eighth = s16 % 2 == 0;
        int beatNo = s16 / 4;
        switch (S.Drums) {
          case 0:  // calm: soft kick, side stick, brushed hats
            if (s16 == 0 || (s16 == 10 && intensity > 0)) Put(t, 100, ch, 36, 70);
            if (s16 == 8) Put(t, 100, ch, 37, 60);
            if (eighth && intensity > 0) Put(t, 80, ch, 42, eighth && beat ? 50 : 36);
            if (s16 == 14 && intensity > 1) Put(t, 80, ch, 46, 40);
            break;
          case 1:  // rock
            if (beatNo % 2 == 0 && beat) Put(t, 100, ch, 36, 100);
            if (s16 == 7 || (s16 == 10 && intensity > 1)) Put(t, 100, ch, 36, 80);
            if (beat && beatNo % 2 == 1) Put(t, 100, ch, 38, 100);
            if (eighth) Put(t, 60, ch, intensity > 1 ? 51 : 42, beat ? 80 : 60);
            break;
          case 2:  // mysterious: toms and shaker
            if (s16 == 0) Put(t, 200, ch, 41, 72);
            if (s16 == 6 && intensity > 0) Put(t, 200, ch, 45, 58);
            if (s16 == 11 && intensity > 1) Put(t, 200, ch, 43, 55);
            if (intensity > 0) Put(t, 60, ch, 70, eighth ? 50 : 32);
            if (s16 == 8 && intensity > 1) Put(t, 100, ch, 75, 60);
            break;
          case 3:  // cheerful: bouncy kick, claps, tambourine
            if (s16 == 0 || s16 == 6 || s16 == 8) Put(t, 100, ch, 36, 92);
            if (s16 == 4 || s16 == 12) Put(t, 100, ch, intensity > 0 ? 39 : 38, 90);
            if (eighth && !beat) Put(t, 60, ch, 42, 70);
            if (intensity > 1 && s16 % 4 == 2) Put(t, 60, ch, 54, 60);
            break;
          default:  // tense: four on the floor, sixteenth hats
            if (beat) Put(t, 100, ch, 36, 105);
            if (s16 == 4 || s16 == 12) Put(t, 100, ch, 40, 95);
            Put(t, 40, ch, 42, beat ? 75 : (eighth ? 60 : 45));
            if (intensity > 1 && s16 == 14) Put(t, 80, ch, 46, 70);
            break;
        }
        if (fill && s16 >= 8 && S.Drums != 0) Put(t, 80, ch, s16 < 12 ? 47 : 45 - (s16 % 2) * 2, 70 + s16 * 2);
      }
    }
  }
};

std::vector<uint8_t> VarLen(uint32_t v) {
  std::vector<uint8_t> out{static_cast<uint8_t>(v & 0x7F)};
  while (v >>= 7) out.insert(out.begin(), static_cast<uint8_t>((v & 0x7F) | 0x80));
  return out;
}

void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}

struct Event {
  int Tick;
  int Order;  // note-offs before note-ons at the same tick
  std::vector<uint8_t> Data;
};

std::vector<uint8_t> TrackChunk(std::vector<Event> events, int endTick) {
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.Tick != b.Tick ? a.Tick < b.Tick : a.Order < b.Order;
  });
  std::vector<uint8_t> body;
  int last = 0;
  for (const Event& e : events) {
    auto d = VarLen(static_cast<uint32_t>(e.Tick - last));
    body.insert(body.end(), d.begin(), d.end());
    body.insert(body.end(), e.Data.begin(), e.Data.end());
    last = e.Tick;
  }
  auto d = VarLen(static_cast<uint32_t>(std::max(0, endTick - last)));
  body.insert(body.end(), d.begin(), d.end());
  body.insert(body.end(), {0xFF, 0x2F, 0x00});
  std::vector<uint8_t> chunk{'M', 'T', 'r', 'k'};
  Put32(chunk, static_cast<uint32_t>(body.size()));
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

}  // namespace

std::string TrackName(int n) { return kStyles[(n - 1) % kTracks].Name; }

std::vector<uint8_t> ComposeTrack(int n) {
  const Style& s = kStyles[(n - 1) % kTracks];
  Composer c(s, 9000 + n);
  enum { kLead = 0, kChords = 1, kBass = 2, kPad = 3, kAlt = 4 };
  int tick = 0;
  std::string form = s.Form;
  // Each section's melody is composed once, so a returning A is recognisably A.
  std::map<char, uint64_t> sectionSeed;
  for (size_t i = 0; i < form.size(); ++i) {
    char sec = form[i];
    const std::vector<int>& prog = (sec == 'B') ? s.ProgB : s.ProgA;
    int bars = (sec == 'I' || sec == 'O') ? 4 : 8;
    bool last = i + 1 == form.size();
    if (!sectionSeed.count(sec)) sectionSeed[sec] = 100 + sec * 7 + n;
    int intensity = sec == 'I' || sec == 'O' ? 0 : (sec == 'A' ? 1 : 2);
    c.Pad(tick, bars, prog, kPad, sec == 'I' ? 50 : 40);
    if (sec != 'I' || s.ChordStyle == 1 || s.ChordStyle == 4) c.Harmony(tick, bars, prog, kChords, sec == 'I' ? 50 : 62);
    if (sec != 'I') c.Bass(tick, bars, prog, kBass, 88);
    c.Drums(tick, bars, intensity, !last && form[i + 1] != 'O' && (sec == 'B' || sec == 'C' || sec == 'I'));
    if (sec == 'A' || sec == 'B' || sec == 'C') {
      Rng keep = c.R;
      c.R = Rng(sectionSeed[sec]);
      c.Melody(tick, prog, sec == 'C' ? kAlt : kLead, 1, sec == 'B' ? 92 : 98, sec == 'B');
      c.R = keep;
    }
    if (sec == 'O') {
      // The last bars turn back towards the first chord, so the loop restarts naturally.
      auto tri = Triad(s.ProgA.back());
      for (int d : tri) c.Put(tick + 3 * kBar, kBar - 40, kLead, ScaleKey(s, d, 1), 70);
    }
    if (i > 0 && (sec == 'A' || sec == 'C') && form[i - 1] != sec) c.Put(tick, kPpq * 2, 9, 49, 90);
    tick += bars * kBar;
  }
  const int endTick = tick;
  // A tempo track, then one track per channel.
  std::vector<std::vector<Event>> tracks(1);
  uint32_t usPerBeat = 60000000u / static_cast<uint32_t>(s.Tempo);
  tracks[0].push_back({0, 0, {0xFF, 0x51, 0x03, static_cast<uint8_t>(usPerBeat >> 16), static_cast<uint8_t>(usPerBeat >> 8), static_cast<uint8_t>(usPerBeat)}});
  tracks[0].push_back({0, 0, {0xFF, 0x58, 0x04, 4, 2, 24, 8}});
  std::string title = s.Name;
  std::vector<uint8_t> meta{0xFF, 0x03, static_cast<uint8_t>(title.size())};
  meta.insert(meta.end(), title.begin(), title.end());
  tracks[0].push_back({0, 0, meta});
  const int programs[5] = {s.Lead, s.Chords, s.Bass, s.Extra, s.LeadAlt};
  // Quiet instruments (celesta, harp, marimba) get more channel volume, so
  // every piece plays at about the same loudness.
  static constexpr int kLift[kTracks] = {12, 0, 24, 20, 0};
  const int lift = kLift[(n - 1) % kTracks];
  int volumes[6] = {100, 72, 96, 60, 96, 100};
  for (int& v : volumes) v = std::min(127, v + lift);
  const int pans[6] = {64, 44, 64, 84, 70, 64};
  // Channel k lives on track k + 1; drums on the last.
  std::vector<std::vector<Event>> chTracks(6);
  for (int ch = 0; ch < 5; ++ch) {
    auto& t = chTracks[ch];
    t.push_back({0, 0, {static_cast<uint8_t>(0xC0 | ch), static_cast<uint8_t>(programs[ch])}});
    t.push_back({0, 0, {static_cast<uint8_t>(0xB0 | ch), 7, static_cast<uint8_t>(volumes[ch])}});
    t.push_back({0, 0, {static_cast<uint8_t>(0xB0 | ch), 10, static_cast<uint8_t>(pans[ch])}});
    t.push_back({0, 0, {static_cast<uint8_t>(0xB0 | ch), 91, 50}});
  }
  chTracks[5].push_back({0, 0, {0xB9, 7, static_cast<uint8_t>(volumes[5])}});
  chTracks[5].push_back({0, 0, {0xB9, 91, 30}});
  // A key struck again on its channel first releases the earlier note, so no
  // synthesiser has to guess which of two overlapping notes an off ends.
  std::vector<Note> notes = c.Notes;
  std::stable_sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) {
    return std::tie(a.Channel, a.Key, a.Tick) < std::tie(b.Channel, b.Key, b.Tick);
  });
  std::vector<Note> kept;
  for (size_t i = 0; i < notes.size(); ++i) {
    Note nt = notes[i];
    if (i + 1 < notes.size() && notes[i + 1].Channel == nt.Channel && notes[i + 1].Key == nt.Key) {
      if (notes[i + 1].Tick == nt.Tick) continue;  // the same note twice: keep one
      nt.Length = std::min(nt.Length, notes[i + 1].Tick - nt.Tick);
    }
    kept.push_back(nt);
  }
  for (const Note& nt : kept) {
    auto& t = chTracks[nt.Channel == 9 ? 5 : nt.Channel];
    int end = std::min(nt.Tick + nt.Length, endTick);
    t.push_back({nt.Tick, 1, {static_cast<uint8_t>(0x90 | nt.Channel), static_cast<uint8_t>(nt.Key), static_cast<uint8_t>(nt.Velocity)}});
    t.push_back({end, 0, {static_cast<uint8_t>(0x80 | nt.Channel), static_cast<uint8_t>(nt.Key), 64}});
  }
  std::vector<uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 7, kPpq >> 8, kPpq & 255};
  auto first = TrackChunk(tracks[0], endTick);
  file.insert(file.end(), first.begin(), first.end());
  for (auto& t : chTracks) {
    auto chunk = TrackChunk(t, endTick);
    file.insert(file.end(), chunk.begin(), chunk.end());
  }
  return file;
}

}  // namespace assetgen
